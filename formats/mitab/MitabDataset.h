// A dataset of the interface: a TAB set or MIF/MID pair opened for reading
// through GDAL, or one being written under temporary names.
#pragma once

#include "MitabCoordSys.h"
#include "MitabFeature.h"
#include "MitabFileSet.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cartova::mitab {

struct TFieldInfo {
    std::string Name;
    int Type = 0; // TABFT_*
    int Width = 0;
    int Precision = 0;
    bool Indexed = false;
    bool Unique = false;
};

} // namespace cartova::mitab

struct mitab_dataset_s {
    std::string Path;
    bool IsTab = true;
    bool Creating = false;
    cartova::mitab::TFileSet Files; // before Ds: GDAL closes its files first
    GDALDatasetUniquePtr Ds;
    OGRLayer* Layer = nullptr;
    std::vector<cartova::mitab::TFieldInfo> Fields;
    cartova::mitab::TCoordSys CoordSys;
    std::unique_ptr<mitab_projinfo_s> ProjInfo;
    std::string CoordSysText, ExtendedText; // what the getters return

    // Reading: the feature read ahead by next_feature_id.
    OGRFeatureUniquePtr Ahead;
    long long CursorId = -1;
    int Count = -1;

    // Writing.
    std::optional<cartova::mitab::TBounds> Bounds; // given, or of the CoordSys clause
    bool GivenBounds = false;                      // by the creator, not the clause
    bool QuickIndex = false;
    bool NumberedFid = false; // the FID field added to a dataset without fields
    bool Failed = false; // GDAL failed to write: the set is not to be kept
    std::string FailMessage;
    int Written = 0;
};

namespace cartova::mitab {

// Each sets the last error on failure.
mitab_dataset_s* OpenDataset(const std::string& Path);
mitab_dataset_s* CreateDataset(const std::string& Path, const std::string& Kind, const std::string& CoordSys,
                               const TBounds& Bounds);
bool CloseDataset(std::unique_ptr<mitab_dataset_s> Ds);

int NextFeatureId(mitab_dataset_s& Ds, int Last);
std::unique_ptr<mitab_feature_s> ReadFeature(mitab_dataset_s& Ds, int Id);
int FeatureCount(mitab_dataset_s& Ds);

int AddField(mitab_dataset_s& Ds, const std::string& Name, int Type, int Width, int Precision, bool Indexed,
             bool Unique);
std::unique_ptr<mitab_feature_s> NewFeature(const mitab_dataset_s& Ds, int Class);
// A failure spoils the dataset: closing it then keeps the old file set.
bool WriteFeature(mitab_dataset_s& Ds, const mitab_feature_s* Feature);

bool SetCoordSys(mitab_dataset_s& Ds, const TCoordSys& Cs);
bool SetQuickIndex(mitab_dataset_s& Ds);

// The CoordSys clause, with its bounds when Extended and they are known.
const std::string& CoordSysText(mitab_dataset_s& Ds, bool Extended);
mitab_projinfo_s* ProjInfo(mitab_dataset_s& Ds);

// True when the loaded table changes the defaults of new TAB files.
bool LoadCoordSysTable(const std::string& Path);

} // namespace cartova::mitab
