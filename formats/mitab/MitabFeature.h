// A feature of the interface: class, parts, styles and attribute values,
// and its conversion from and to GDAL's features.
#pragma once

#include "MitabCoordSys.h"
#include "MitabGeometry.h"
#include "MitabStyle.h"

#include <memory>
#include <string>
#include <vector>

class OGRFeature;
class OGRFeatureDefn;

namespace cartova::mitab {

// Members of a collection.
enum TMember { mbRegion, mbPolyline, mbMultiPoint, mbCount };

} // namespace cartova::mitab

struct mitab_feature_s {
    int Class = 0; // TABFC_*
    std::vector<cartova::mitab::TPart> Parts;
    std::vector<char> Interior; // per part of a region: a hole
    cartova::mitab::TPen Pen;
    cartova::mitab::TBrush Brush;
    cartova::mitab::TSymbol Symbol;
    cartova::mitab::TTextStyle Text;
    std::vector<int> FieldTypes;     // TABFT_* of the dataset's fields
    std::vector<std::string> Values; // "" is an empty value
    std::unique_ptr<mitab_feature_s> Members[cartova::mitab::mbCount];
};

namespace cartova::mitab {

// A feature read through GDAL; FieldTypes are the dataset's declared types.
std::unique_ptr<mitab_feature_s> FeatureFromOgr(const OGRFeature& Source, const std::vector<int>& FieldTypes);

// GDAL's feature for writing: geometry by class, style string, values.
// Char values longer than their field are cut at a character boundary when
// CutToWidth. Null with a message when the feature cannot be written.
std::unique_ptr<OGRFeature> FeatureToOgr(const mitab_feature_s& Feature, OGRFeatureDefn* Defn,
                                         bool CutToWidth, std::string& Error);

// The first vertex of the feature (or of a member) outside Bounds, if any.
bool FindVertexOutside(const mitab_feature_s& Feature, const TBounds& Bounds, TPoint& Outside);

// A copy of a feature's geometry, styles and values.
std::unique_ptr<mitab_feature_s> CopyFeature(const mitab_feature_s& Feature);

} // namespace cartova::mitab
