#include "MitabDataset.h"

#include "MitabError.h"
#include "MitabHeader.h"
#include "mitab.h"

#include <cpl_string.h>

#include <cctype>
#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <mutex>

namespace cartova::mitab {

namespace fs = std::filesystem;

namespace {

GDALDriver* Driver()
{
    static std::once_flag Once;
    std::call_once(Once, [] {
        if (!GetGDALDriverManager()->GetDriverByName("MapInfo File"))
            RegisterOGRTAB();
    });
    return GetGDALDriverManager()->GetDriverByName("MapInfo File");
}

std::string Lower(std::string S)
{
    for (char& C : S)
        C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
    return S;
}

std::string ExtensionOf(const std::string& Path)
{
    return Lower(fs::path(Path).extension().string());
}

// The file of the same name with another extension, in any case.
std::string Sibling(const std::string& Path, const std::string& Extension)
{
    const fs::path P(Path);
    const fs::path Dir = P.has_parent_path() ? P.parent_path() : fs::path(".");
    std::error_code Ec;
    for (const auto& Entry : fs::directory_iterator(Dir, Ec))
        if (Entry.path().stem() == P.stem() && ExtensionOf(Entry.path().string()) == Extension)
            return Entry.path().string();
    return {};
}

int TypeOfOgr(const OGRFieldDefn& F)
{
    switch (F.GetType()) {
    case OFTInteger:
        return F.GetSubType() == OFSTInt16     ? TABFT_SmallInt
               : F.GetSubType() == OFSTBoolean ? TABFT_Logical
                                               : TABFT_Integer;
    case OFTInteger64:
        return TABFT_Decimal;
    case OFTReal:
        return F.GetWidth() > 0 ? TABFT_Decimal : TABFT_Float;
    case OFTDate:
        return TABFT_Date;
    case OFTTime:
        return TABFT_Time;
    case OFTDateTime:
        return TABFT_DateTime;
    default:
        return TABFT_Char;
    }
}

std::vector<int> FieldTypes(const mitab_dataset_s& Ds)
{
    std::vector<int> Types;
    for (const auto& F : Ds.Fields)
        Types.push_back(F.Type);
    return Types;
}

std::string BoundsText(const TBounds& B)
{
    return FormatNumber(B[0]) + "," + FormatNumber(B[1]) + "," + FormatNumber(B[2]) + "," + FormatNumber(B[3]);
}

// The bounds GDAL gives a new TAB file of this projection (from its own
// table, or the one mitab_c_load_coordsys_table named): read from the
// header of an empty file made for the purpose.
bool DerivedBounds(const mitab_dataset_s& Ds, const OGRSpatialReference& Srs, TBounds& Bounds)
{
    const fs::path Dir = fs::path(Ds.Files.Folder()) / ".probe";
    std::error_code Ec;
    fs::create_directory(Dir, Ec);
    bool Ok = false;
    {
        GDALDatasetUniquePtr Probe(Driver()->Create((Dir / "probe.tab").c_str(), 0, 0, 0, GDT_Unknown, nullptr));
        Ok = Probe && Probe->CreateLayer("probe", const_cast<OGRSpatialReference*>(&Srs), wkbUnknown, nullptr);
    }
    Ok = Ok && ReadMapBounds((Dir / "probe.map").string(), Bounds);
    fs::remove_all(Dir, Ec);
    return Ok;
}

// Creates the GDAL dataset and layer of a dataset being written, once.
bool EnsureLayer(mitab_dataset_s& Ds)
{
    if (Ds.Layer)
        return true;
    if (Ds.Failed) {
        SetError(CPLE_AppDefined, Ds.Path + " could not be created");
        return false;
    }
    std::string Error;
    const auto Srs = SpatialRefOf(Ds.CoordSys, Error);
    if (!Srs) {
        SetError(CPLE_IllegalArg, Error);
        return false;
    }
    TGdalErrors Errors;
    TBounds Derived{};
    if (Ds.IsTab && !Ds.Bounds && !DerivedBounds(Ds, *Srs, Derived)) {
        Errors.Report(CPLE_FileIO, "cannot derive the bounds of " + Ds.Path);
        Ds.Failed = true;
        Ds.FailMessage = LastErrorMessage();
        return false;
    }
    CPLStringList Options;
    Options.SetNameValue("FORMAT", Ds.IsTab ? "TAB" : "MIF");
    if (Ds.IsTab)
        Options.SetNameValue("SPATIAL_INDEX_MODE", Ds.QuickIndex ? "QUICK" : "OPTIMIZED");
    Ds.Ds.reset(Driver()->Create(Ds.Files.TempPath().c_str(), 0, 0, 0, GDT_Unknown, Options.List()));
    CPLStringList LayerOptions;
    if (Ds.Bounds)
        LayerOptions.SetNameValue("BOUNDS", BoundsText(*Ds.Bounds).c_str());
    if (Ds.Ds)
        Ds.Layer = Ds.Ds->CreateLayer(fs::path(Ds.Path).stem().c_str(), Srs.get(), wkbUnknown, LayerOptions.List());
    if (!Ds.Layer) {
        Errors.Report(CPLE_OpenFailed, "cannot create " + Ds.Path);
        Ds.Failed = true;
        Ds.FailMessage = LastErrorMessage();
        return false;
    }
    if (Ds.IsTab) {
        Ds.CoordSys.HasBounds = true;
        Ds.CoordSys.Bounds = Ds.Bounds ? *Ds.Bounds : Derived;
    }
    return true;
}

// MapInfo files need a field: a dataset given none gets an Integer field
// FID that numbers the features.
bool EnsureField(mitab_dataset_s& Ds)
{
    if (!Ds.Fields.empty())
        return true;
    TGdalErrors Errors;
    OGRFieldDefn Fid("FID", OFTInteger);
    if (Ds.Layer->CreateField(&Fid, TRUE) != OGRERR_NONE || Errors.Failed()) {
        Errors.Report(CPLE_AppDefined, "cannot add a field to " + Ds.Path);
        Ds.Failed = true;
        Ds.FailMessage = LastErrorMessage();
        return false;
    }
    TFieldInfo Info;
    Info.Name = "FID";
    Info.Type = TABFT_Integer;
    Ds.Fields.push_back(Info);
    Ds.NumberedFid = true;
    return true;
}

bool CheckCreating(const mitab_dataset_s& Ds, bool Creating)
{
    if (Ds.Creating == Creating)
        return true;
    SetError(CPLE_NotSupported, Ds.Path + (Creating ? " is open for reading" : " is being written"));
    return false;
}

void SetFieldDefn(OGRFieldDefn& F, int Type, int Width, int Precision)
{
    static const OGRFieldType Types[] = {OFTString, OFTString, OFTInteger, OFTInteger, OFTReal,
                                         OFTReal,   OFTDate,   OFTString,  OFTTime,    OFTDateTime};
    F.SetType(Types[Type]);
    if (Type == TABFT_Char)
        F.SetWidth(Width);
    else if (Type == TABFT_Decimal) {
        F.SetWidth(Width);
        F.SetPrecision(Precision);
    } else if (Type == TABFT_SmallInt)
        F.SetSubType(OFSTInt16);
    else if (Type == TABFT_Logical)
        F.SetWidth(1);
}

} // namespace

mitab_dataset_s* OpenDataset(const std::string& Path)
{
    const std::string Extension = ExtensionOf(Path);
    if (Extension != ".tab" && Extension != ".mif") {
        SetError(CPLE_OpenFailed, "'" + Path + "' is not a .tab or .mif file");
        return nullptr;
    }
    TGdalErrors Errors;
    const char* const Drivers[] = {"MapInfo File", nullptr};
    GDALDriver* MapInfo = Driver();
    GDALDatasetUniquePtr Opened(
        MapInfo ? GDALDataset::Open(Path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, Drivers, nullptr, nullptr)
                : nullptr);
    if (!Opened || Opened->GetLayerCount() < 1 || Errors.Failed()) {
        Errors.Report(CPLE_OpenFailed, "cannot open " + Path);
        return nullptr;
    }
    auto Ds = std::make_unique<mitab_dataset_s>();
    Ds->Path = Path;
    Ds->IsTab = Extension == ".tab";
    Ds->Ds = std::move(Opened);
    Ds->Layer = Ds->Ds->GetLayer(0);

    OGRFeatureDefn* Defn = Ds->Layer->GetLayerDefn();
    auto Native = ReadNativeFields(Path, Ds->IsTab);
    if (static_cast<int>(Native.size()) != Defn->GetFieldCount())
        Native.clear();
    for (int I = 0; I < Defn->GetFieldCount(); ++I) {
        const OGRFieldDefn& F = *Defn->GetFieldDefn(I);
        TFieldInfo Info;
        Info.Name = F.GetNameRef();
        Info.Type = Native.empty() ? TypeOfOgr(F) : Native[static_cast<std::size_t>(I)].Type;
        Info.Width = F.GetWidth();
        Info.Precision = F.GetPrecision();
        Info.Indexed = !Native.empty() && Native[static_cast<std::size_t>(I)].Indexed;
        Ds->Fields.push_back(Info);
    }

    Ds->CoordSys = CoordSysOf(Ds->Layer->GetSpatialRef());
    if (Ds->IsTab) {
        TBounds Bounds;
        if (ReadMapBounds(Sibling(Path, ".map"), Bounds)) {
            Ds->CoordSys.HasBounds = true;
            Ds->CoordSys.Bounds = Bounds;
        }
    } else {
        // GDAL drops a MIF clause's Bounds and Affine parts.
        TCoordSys Header;
        std::string Ignored;
        if (ParseCoordSys(ReadMifCoordSys(Path), Header, Ignored)) {
            Ds->CoordSys.HasBounds = Header.HasBounds;
            Ds->CoordSys.Bounds = Header.Bounds;
            Ds->CoordSys.HasAffine = Header.HasAffine;
            Ds->CoordSys.AffineUnit = Header.AffineUnit;
            Ds->CoordSys.Affine = Header.Affine;
        }
    }
    return Ds.release();
}

mitab_dataset_s* CreateDataset(const std::string& Path, const std::string& Kind, const std::string& Clause,
                               const TBounds& Bounds)
{
    const std::string K = Lower(Kind);
    if (K != "tab" && K != "mif") {
        SetError(CPLE_IllegalArg, "unknown kind '" + Kind + "' (tab or mif)");
        return nullptr;
    }
    if (ExtensionOf(Path) != "." + K) {
        SetError(CPLE_IllegalArg, "the name of a " + K + " dataset must end in ." + K + ": '" + Path + "'");
        return nullptr;
    }
    TCoordSys Cs;
    std::string Error;
    if (!ParseCoordSys(Clause, Cs, Error)) {
        SetError(CPLE_IllegalArg, "invalid CoordSys '" + Clause + "': " + Error);
        return nullptr;
    }
    if (Cs.HasAffine) {
        SetError(CPLE_NotSupported, "GDAL cannot write a CoordSys with an affine transformation");
        return nullptr;
    }
    if (!SpatialRefOf(Cs, Error)) {
        SetError(CPLE_IllegalArg, Error);
        return nullptr;
    }
    auto Ds = std::make_unique<mitab_dataset_s>();
    const bool Given = Bounds[0] != 0 || Bounds[1] != 0 || Bounds[2] != 0 || Bounds[3] != 0;
    if (Given) {
        for (const double V : Bounds)
            if (!std::isfinite(V)) {
                SetError(CPLE_IllegalArg, "the bounds are not finite numbers");
                return nullptr;
            }
        const TBounds B = {std::min(Bounds[0], Bounds[2]), std::min(Bounds[1], Bounds[3]),
                           std::max(Bounds[0], Bounds[2]), std::max(Bounds[1], Bounds[3])};
        if (B[0] == B[2] || B[1] == B[3]) {
            SetError(CPLE_IllegalArg, "the bounds are empty");
            return nullptr;
        }
        Ds->Bounds = B;
        Cs.HasBounds = true;
        Cs.Bounds = B;
    } else if (Cs.HasBounds)
        Ds->Bounds = Cs.Bounds;
    Ds->Path = Path;
    Ds->IsTab = K == "tab";
    Ds->Creating = true;
    Ds->GivenBounds = Given;
    Ds->CoordSys = Cs;
    if (!Driver()) {
        SetError(CPLE_NotSupported, "GDAL has no MapInfo driver");
        return nullptr;
    }
    if (!Ds->Files.Begin(Path, Error)) {
        SetError(CPLE_OpenFailed, "cannot create " + Path + ": " + Error);
        return nullptr;
    }
    return Ds.release();
}

bool CloseDataset(std::unique_ptr<mitab_dataset_s> Ds)
{
    if (!Ds->Creating)
        return true;
    const bool Wrote = !Ds->Failed;
    bool Ok = Wrote && EnsureLayer(*Ds) && EnsureField(*Ds);
    {
        // GDAL warns at closing when a vertex lies on the bounds; those
        // outside were refused by write_feature.
        constexpr int VertexOnBounds = 503;
        TGdalErrors Errors(VertexOnBounds);
        Ds->Layer = nullptr;
        Ds->Ds.reset();
        if (Ok && Errors.Failed()) {
            Errors.Report(CPLE_FileIO, "cannot write " + Ds->Path);
            Ok = false;
        }
    }
    const std::vector<std::string> Extensions =
        Ds->IsTab ? std::vector<std::string>{".tab", ".dat", ".map", ".id", ".ind"}
                  : std::vector<std::string>{".mif", ".mid"};
    if (Ok)
        for (const auto& Required : {Extensions[0], Extensions[1]}) {
            const std::string File = fs::path(Ds->Files.TempPath()).replace_extension(Required).string();
            if (Sibling(Ds->Files.TempPath(), Required).empty()) {
                SetError(CPLE_FileIO, "GDAL did not write " + File);
                Ok = false;
                break;
            }
        }
    std::string Error;
    if (Ok && !Ds->Files.Commit(Extensions, Error)) {
        SetError(CPLE_FileIO, "cannot replace " + Ds->Path + ": " + Error);
        Ok = false;
    }
    if (!Wrote)
        SetError(CPLE_FileIO, Ds->Path + " was not saved: " + Ds->FailMessage);
    return Ok;
}

int NextFeatureId(mitab_dataset_s& Ds, int Last)
{
    if (!CheckCreating(Ds, false))
        return -1;
    if (Last < -1) {
        SetError(CPLE_IllegalArg, "invalid feature id " + std::to_string(Last));
        return -1;
    }
    TGdalErrors Errors;
    OGRFeatureUniquePtr F;
    if (Last >= 0 && Last == Ds.CursorId) {
        F.reset(Ds.Layer->GetNextFeature());
    } else {
        // From the start; a jump or a random read between calls scans up to Last.
        Ds.Layer->ResetReading();
        F.reset(Ds.Layer->GetNextFeature());
        while (F && F->GetFID() <= Last)
            F.reset(Ds.Layer->GetNextFeature());
    }
    Ds.Ahead.reset();
    Ds.CursorId = -1;
    if (Errors.Failed()) {
        Errors.Report(CPLE_FileIO, "cannot read " + Ds.Path);
        return -1;
    }
    if (!F)
        return -1;
    if (F->GetFID() < 0 || F->GetFID() > INT_MAX) {
        SetError(CPLE_AppDefined, "feature id out of range in " + Ds.Path);
        return -1;
    }
    Ds.CursorId = static_cast<int>(F->GetFID());
    Ds.Ahead = std::move(F);
    return Ds.CursorId;
}

std::unique_ptr<mitab_feature_s> ReadFeature(mitab_dataset_s& Ds, int Id)
{
    if (!CheckCreating(Ds, false))
        return nullptr;
    OGRFeatureUniquePtr F;
    if (Ds.Ahead && Ds.Ahead->GetFID() == Id) {
        F = std::move(Ds.Ahead);
    } else {
        TGdalErrors Errors;
        Ds.CursorId = -1; // GDAL's sequential reading is interrupted
        if (Id >= 0) {
            TGdalErrors Random;
            F.reset(Ds.Layer->GetFeature(Id));
            if (!F || Random.Failed()) {
                // GDAL reads MIF files forward only: look from the start.
                F.reset();
                Ds.Layer->ResetReading();
                for (F.reset(Ds.Layer->GetNextFeature()); F && F->GetFID() != Id; F.reset(Ds.Layer->GetNextFeature()))
                    if (F->GetFID() > Id) {
                        F.reset();
                        break;
                    }
            }
        }
        if (!F || Errors.Failed()) {
            Errors.Report(CPLE_IllegalArg, "no feature " + std::to_string(Id) + " in " + Ds.Path);
            return nullptr;
        }
    }
    return FeatureFromOgr(*F, FieldTypes(Ds));
}

int FeatureCount(mitab_dataset_s& Ds)
{
    if (Ds.Creating)
        return Ds.Written;
    if (Ds.Count < 0) {
        TGdalErrors Errors;
        const GIntBig N = Ds.Layer->GetFeatureCount(TRUE);
        Ds.CursorId = -1; // counting may have moved GDAL's reading position
        if (N < 0 || Errors.Failed()) {
            Errors.Report(CPLE_FileIO, "cannot count the features of " + Ds.Path);
            return 0;
        }
        Ds.Count = N > INT_MAX ? INT_MAX : static_cast<int>(N);
    }
    return Ds.Count;
}

int AddField(mitab_dataset_s& Ds, const std::string& Name, int Type, int Width, int Precision, bool Indexed,
             bool Unique)
{
    if (!CheckCreating(Ds, true))
        return -1;
    if (Ds.Written > 0) {
        SetError(CPLE_NotSupported, "fields must be added before the first feature is written");
        return -1;
    }
    if (Name.empty()) {
        SetError(CPLE_IllegalArg, "a field needs a name");
        return -1;
    }
    for (const auto& F : Ds.Fields)
        if (Lower(F.Name) == Lower(Name)) {
            SetError(CPLE_IllegalArg, "a field '" + Name + "' exists already");
            return -1;
        }
    if (Type < TABFT_Char || Type > TABFT_DateTime) {
        SetError(CPLE_IllegalArg, "unknown field type " + std::to_string(Type));
        return -1;
    }
    if ((Type == TABFT_Char && (Width < 1 || Width > 254)) ||
        (Type == TABFT_Decimal && (Width < 1 || Width > 32 || Precision < 0 || Precision >= Width))) {
        SetError(CPLE_IllegalArg, "invalid width " + std::to_string(Width) + " or precision " +
                                      std::to_string(Precision) + " of field '" + Name + "'");
        return -1;
    }
    if (!EnsureLayer(Ds))
        return -1;
    TGdalErrors Errors;
    OGRFieldDefn Defn(Name.c_str(), OFTString);
    SetFieldDefn(Defn, Type, Width, Precision);
    if (Ds.Layer->CreateField(&Defn, TRUE) != OGRERR_NONE || Errors.Failed()) {
        Errors.Report(CPLE_AppDefined, "cannot add field '" + Name + "' to " + Ds.Path);
        return -1;
    }
    const int Index = Ds.Layer->GetLayerDefn()->GetFieldCount() - 1;
    TFieldInfo Info;
    Info.Name = Ds.Layer->GetLayerDefn()->GetFieldDefn(Index)->GetNameRef();
    Info.Type = Type;
    Info.Width = Type == TABFT_Char || Type == TABFT_Decimal ? Width : 0;
    Info.Precision = Type == TABFT_Decimal ? Precision : 0;
    Info.Indexed = Indexed;
    Info.Unique = Unique;
    if (Indexed && Ds.IsTab) {
        const std::string Sql = "CREATE INDEX ON \"" + std::string(Ds.Layer->GetName()) + "\" USING \"" + Info.Name + "\"";
        Ds.Ds->ReleaseResultSet(Ds.Ds->ExecuteSQL(Sql.c_str(), nullptr, nullptr));
        if (Errors.Failed()) {
            Errors.Report(CPLE_AppDefined, "cannot index field '" + Name + "' of " + Ds.Path);
            Ds.Failed = true;
            Ds.FailMessage = LastErrorMessage();
            return -1;
        }
    }
    Ds.Fields.push_back(Info);
    return Index;
}

std::unique_ptr<mitab_feature_s> NewFeature(const mitab_dataset_s& Ds, int Class)
{
    if (Class < TABFC_NoGeom || Class > TABFC_Collection) {
        SetError(CPLE_IllegalArg, "unknown feature class " + std::to_string(Class));
        return nullptr;
    }
    auto F = std::make_unique<mitab_feature_s>();
    F->Class = Class;
    F->FieldTypes = FieldTypes(Ds);
    F->Values.resize(Ds.Fields.size());
    return F;
}

namespace {

bool WriteOne(mitab_dataset_s& Ds, const mitab_feature_s& F)
{
    if (!EnsureLayer(Ds) || !EnsureField(Ds))
        return false;
    TPoint Outside;
    if (Ds.IsTab && FindVertexOutside(F, Ds.CoordSys.Bounds, Outside)) {
        SetError(CPLE_IllegalArg, "the vertex (" + FormatNumber(Outside.X) + ", " + FormatNumber(Outside.Y) +
                                      ") lies outside the bounds " + BoundsText(Ds.CoordSys.Bounds) + " of " + Ds.Path);
        return false;
    }
    std::string Error;
    auto Out = FeatureToOgr(F, Ds.Layer->GetLayerDefn(), Ds.IsTab, Error);
    if (!Out) {
        SetError(CPLE_IllegalArg, Error);
        return false;
    }
    if (Ds.NumberedFid)
        Out->SetField(0, Ds.Written + 1);
    TGdalErrors Errors;
    if (Ds.Layer->CreateFeature(Out.get()) != OGRERR_NONE || Errors.Failed()) {
        Errors.Report(CPLE_FileIO, "cannot write a feature to " + Ds.Path);
        return false;
    }
    ++Ds.Written;
    return true;
}

} // namespace

bool WriteFeature(mitab_dataset_s& Ds, const mitab_feature_s* F)
{
    if (!CheckCreating(Ds, true))
        return false;
    if (Ds.Failed) {
        SetError(CPLE_AppDefined, Ds.Path + " cannot be written any more: " + Ds.FailMessage);
        return false;
    }
    if (!F)
        SetError(CPLE_IllegalArg, "no feature given (NULL)");
    if (F && WriteOne(Ds, *F))
        return true;
    // A set missing a feature is not kept.
    Ds.Failed = true;
    Ds.FailMessage = LastErrorMessage();
    return false;
}

bool SetCoordSys(mitab_dataset_s& Ds, const TCoordSys& Cs)
{
    if (!CheckCreating(Ds, true))
        return false;
    if (Ds.Layer) {
        SetError(CPLE_NotSupported, "the projection must be set before fields are added or features written");
        return false;
    }
    std::string Error;
    if (Cs.HasAffine) {
        SetError(CPLE_NotSupported, "GDAL cannot write a CoordSys with an affine transformation");
        return false;
    }
    if (!SpatialRefOf(Cs, Error)) {
        SetError(CPLE_IllegalArg, Error);
        return false;
    }
    const auto Given = Ds.GivenBounds ? Ds.Bounds : std::nullopt;
    Ds.CoordSys = Cs;
    Ds.Bounds = Given ? Given : Cs.HasBounds ? std::optional<TBounds>(Cs.Bounds) : std::nullopt;
    Ds.CoordSys.HasBounds = Ds.Bounds.has_value();
    if (Ds.Bounds)
        Ds.CoordSys.Bounds = *Ds.Bounds;
    return true;
}

bool SetQuickIndex(mitab_dataset_s& Ds)
{
    if (!CheckCreating(Ds, true))
        return false;
    if (!Ds.IsTab || Ds.Layer) {
        SetError(CPLE_NotSupported, Ds.IsTab ? "the index mode must be set before fields are added or features written"
                                             : "MIF files have no spatial index");
        return false;
    }
    Ds.QuickIndex = true;
    return true;
}

const std::string& CoordSysText(mitab_dataset_s& Ds, bool Extended)
{
    std::string& Text = Extended ? Ds.ExtendedText : Ds.CoordSysText;
    Text = FormatCoordSys(Ds.CoordSys, Extended);
    return Text;
}

mitab_projinfo_s* ProjInfo(mitab_dataset_s& Ds)
{
    if (!Ds.ProjInfo)
        Ds.ProjInfo = std::make_unique<mitab_projinfo_s>();
    Ds.ProjInfo->CoordSys = Ds.CoordSys;
    return Ds.ProjInfo.get();
}

bool LoadCoordSysTable(const std::string& Path)
{
    std::ifstream In(Path);
    if (!In) {
        SetError(CPLE_OpenFailed, "cannot read " + Path);
        return false;
    }
    // Lines "CoordSys ... Bounds (...) (...)", "Source = CoordSys ..." and
    // "Destination = CoordSys ... Bounds ..."; GDAL reads the file itself.
    int Entries = 0;
    std::string Line;
    for (int N = 0; N < 100000 && std::getline(In, Line); ++N) {
        const std::size_t At = Line.find("CoordSys");
        TCoordSys Cs;
        std::string Error;
        if (At != std::string::npos && ParseCoordSys(std::string_view(Line).substr(At), Cs, Error) && Cs.HasBounds)
            ++Entries;
    }
    if (Entries == 0) {
        SetError(CPLE_AppDefined, Path + " holds no CoordSys clause with bounds");
        return false;
    }
    CPLSetConfigOption("MITAB_BOUNDS_FILE", Path.c_str());
    return true;
}

} // namespace cartova::mitab
