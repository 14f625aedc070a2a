#include "MitabFeature.h"

#include "MitabValues.h"
#include "mitab.h"

#include <ogr_feature.h>

#include <cmath>
#include <cstdio>

namespace cartova::mitab {

namespace {

// The class of a feature GDAL gives: by its geometry, and for points by
// whether its style is a label or which kind of symbol it is.
int ClassOf(const OGRGeometry* Geometry, const TStyles& Styles)
{
    if (!Geometry)
        return TABFC_NoGeom;
    switch (wkbFlatten(Geometry->getGeometryType())) {
    case wkbPoint:
        return Styles.HasLabel ? TABFC_Text : Styles.SymbolClass;
    case wkbMultiPoint:
        return TABFC_MultiPoint;
    case wkbLineString:
    case wkbMultiLineString:
    case wkbCircularString:
    case wkbCompoundCurve:
    case wkbMultiCurve:
        return TABFC_Polyline;
    case wkbPolygon:
    case wkbMultiPolygon:
    case wkbCurvePolygon:
    case wkbMultiSurface:
        return TABFC_Region;
    case wkbGeometryCollection:
        return TABFC_Collection;
    default:
        return TABFC_NoGeom;
    }
}

void ApplyStyles(const TStyles& Styles, mitab_feature_s& F)
{
    if (Styles.HasPen)
        F.Pen = Styles.Pen;
    if (Styles.HasBrush)
        F.Brush = Styles.Brush;
    if (Styles.HasSymbol)
        F.Symbol = Styles.Symbol;
    if (Styles.HasLabel)
        F.Text = Styles.Text;
}

// A collection's members: its polygons, its lines and its points, each
// with the collection's styles.
void ReadMembers(const OGRGeometry& Geometry, const TStyles& Styles, mitab_feature_s& F)
{
    for (const auto* Part : *Geometry.toGeometryCollection()) {
        int Class = ClassOf(Part, Styles);
        if (Class == TABFC_Point || Class == TABFC_FontPoint || Class == TABFC_CustomPoint || Class == TABFC_Text)
            Class = TABFC_MultiPoint;
        const TMember Which = Class == TABFC_Region ? mbRegion : Class == TABFC_Polyline ? mbPolyline : mbMultiPoint;
        if (Class == TABFC_Collection) {
            ReadMembers(*Part, Styles, F);
            continue;
        }
        if (Class == TABFC_NoGeom)
            continue;
        auto& Member = F.Members[Which];
        if (!Member) {
            Member = std::make_unique<mitab_feature_s>();
            Member->Class = Class;
            ApplyStyles(Styles, *Member);
        }
        if (Which == mbMultiPoint && !Member->Parts.empty()) {
            std::vector<TPart> More;
            std::vector<char> Unused;
            AppendParts(*Part, More, Unused);
            for (const auto& P : More)
                Member->Parts[0].insert(Member->Parts[0].end(), P.begin(), P.end());
        } else
            AppendParts(*Part, Member->Parts, Member->Interior);
    }
}

std::string DateTimeText(const OGRFeature& Source, int I, OGRFieldType Type)
{
    int Y = 0, Mo = 0, D = 0, H = 0, Mi = 0, Tz = 0;
    float S = 0;
    if (!Source.GetFieldAsDateTime(I, &Y, &Mo, &D, &H, &Mi, &S, &Tz))
        return {};
    char Date[32], Time[32];
    std::snprintf(Date, sizeof Date, "%04d/%02d/%02d", Y, Mo, D);
    const int Whole = static_cast<int>(S);
    const int Ms = static_cast<int>(std::lround((S - static_cast<float>(Whole)) * 1000));
    if (Ms > 0)
        std::snprintf(Time, sizeof Time, "%02d:%02d:%02d.%03d", H, Mi, Whole, Ms);
    else
        std::snprintf(Time, sizeof Time, "%02d:%02d:%02d", H, Mi, Whole);
    if (Type == OFTDate)
        return Date;
    if (Type == OFTTime)
        return Time;
    return std::string(Date) + " " + Time;
}

// Cuts Text to at most Width bytes without splitting a UTF-8 character.
std::string CutToBytes(const std::string& Text, int Width)
{
    if (Width <= 0 || static_cast<int>(Text.size()) <= Width)
        return Text;
    std::size_t N = static_cast<std::size_t>(Width);
    while (N > 0 && (static_cast<unsigned char>(Text[N]) & 0xC0) == 0x80)
        --N;
    return Text.substr(0, N);
}

bool AllFinite(const mitab_feature_s& F)
{
    for (const auto& Part : F.Parts)
        for (const auto& P : Part)
            if (!std::isfinite(P.X) || !std::isfinite(P.Y))
                return false;
    for (const auto& M : F.Members)
        if (M && !AllFinite(*M))
            return false;
    return true;
}

std::unique_ptr<OGRGeometry> PointOf(const mitab_feature_s& F, std::string& Error)
{
    if (F.Parts.empty() || F.Parts[0].empty()) {
        Error = "a point or text needs a position";
        return nullptr;
    }
    return std::make_unique<OGRPoint>(F.Parts[0][0].X, F.Parts[0][0].Y);
}

std::unique_ptr<OGRGeometry> GeometryOf(const mitab_feature_s& F, std::string& Error);

std::unique_ptr<OGRGeometry> CollectionOf(const mitab_feature_s& F, std::string& Error)
{
    auto Collection = std::make_unique<OGRGeometryCollection>();
    for (const auto& Member : F.Members) {
        if (!Member)
            continue;
        auto G = GeometryOf(*Member, Error);
        if (!G)
            return nullptr;
        Collection->addGeometryDirectly(G.release());
    }
    if (Collection->IsEmpty()) {
        Error = "a collection needs at least one member";
        return nullptr;
    }
    return Collection;
}

std::unique_ptr<OGRGeometry> GeometryOf(const mitab_feature_s& F, std::string& Error)
{
    switch (F.Class) {
    case TABFC_Point:
    case TABFC_FontPoint:
    case TABFC_CustomPoint:
    case TABFC_Text:
        return PointOf(F, Error);
    case TABFC_Polyline:
    case TABFC_Arc:
        return PolylineOf(F.Parts, Error);
    case TABFC_Region:
        return RegionOf(F.Parts, Error);
    case TABFC_Rectangle:
    case TABFC_Ellipse: {
        std::size_t Count = 0;
        for (const auto& Part : F.Parts)
            Count += Part.size();
        if (Count < 2) {
            Error = "a rectangle or ellipse needs two corners";
            return nullptr;
        }
        return RegionOf({F.Class == TABFC_Rectangle ? RectangleRing(F.Parts) : EllipseRing(F.Parts)}, Error);
    }
    case TABFC_MultiPoint: {
        auto Multi = std::make_unique<OGRMultiPoint>();
        for (const auto& Part : F.Parts)
            for (const auto& P : Part)
                Multi->addGeometryDirectly(new OGRPoint(P.X, P.Y));
        if (Multi->IsEmpty()) {
            Error = "a multipoint needs at least one point";
            return nullptr;
        }
        return Multi;
    }
    case TABFC_Collection:
        return CollectionOf(F, Error);
    default:
        return nullptr;
    }
}

std::string StyleOf(const mitab_feature_s& F)
{
    switch (F.Class) {
    case TABFC_Point:
    case TABFC_FontPoint:
    case TABFC_CustomPoint:
        return SymbolString(F.Class, F.Symbol);
    case TABFC_MultiPoint:
        return SymbolString(TABFC_Point, F.Symbol);
    case TABFC_Text:
        return LabelString(F.Text);
    case TABFC_Polyline:
    case TABFC_Arc:
        return PenString(F.Pen);
    case TABFC_Region:
    case TABFC_Rectangle:
    case TABFC_Ellipse:
        return BrushString(F.Brush) + ";" + PenString(F.Pen);
    case TABFC_Collection: {
        const auto* Region = F.Members[mbRegion].get();
        const auto* Line = F.Members[mbPolyline].get();
        const auto* Points = F.Members[mbMultiPoint].get();
        std::string S;
        if (Region)
            S = BrushString(Region->Brush) + ";" + PenString(Region->Pen);
        else if (Line)
            S = PenString(Line->Pen);
        if (Points)
            S += (S.empty() ? "" : ";") + SymbolString(TABFC_Point, Points->Symbol);
        return S;
    }
    default:
        return {};
    }
}

} // namespace

std::unique_ptr<mitab_feature_s> FeatureFromOgr(const OGRFeature& Source, const std::vector<int>& FieldTypes)
{
    auto F = std::make_unique<mitab_feature_s>();
    const TStyles Styles = ReadStyles(Source.GetStyleString() ? Source.GetStyleString() : "");
    const OGRGeometry* Geometry = Source.GetGeometryRef();
    if (Geometry && Geometry->IsEmpty())
        Geometry = nullptr;
    F->Class = ClassOf(Geometry, Styles);
    ApplyStyles(Styles, *F);
    if (F->Class == TABFC_Collection)
        ReadMembers(*Geometry, Styles, *F);
    else if (Geometry)
        AppendParts(*Geometry, F->Parts, F->Interior);
    if (F->Class == TABFC_Text && F->Parts.empty())
        F->Class = TABFC_NoGeom;

    F->FieldTypes = FieldTypes;
    const int Count = Source.GetFieldCount();
    F->FieldTypes.resize(static_cast<std::size_t>(Count), TABFT_Char);
    F->Values.resize(static_cast<std::size_t>(Count));
    for (int I = 0; I < Count; ++I) {
        if (!Source.IsFieldSetAndNotNull(I))
            continue;
        const OGRFieldType Type = Source.GetFieldDefnRef(I)->GetType();
        if (Type == OFTDate || Type == OFTTime || Type == OFTDateTime)
            F->Values[static_cast<std::size_t>(I)] = DateTimeText(Source, I, Type);
        else
            F->Values[static_cast<std::size_t>(I)] = Source.GetFieldAsString(I);
    }
    return F;
}

std::unique_ptr<OGRFeature> FeatureToOgr(const mitab_feature_s& F, OGRFeatureDefn* Defn, bool CutToWidth,
                                         std::string& Error)
{
    if (!AllFinite(F)) {
        Error = "a coordinate is not a finite number";
        return nullptr;
    }
    auto Out = std::make_unique<OGRFeature>(Defn);
    if (F.Class != TABFC_NoGeom) {
        auto Geometry = GeometryOf(F, Error);
        if (!Geometry) {
            if (Error.empty())
                Error = "unknown feature class " + std::to_string(F.Class);
            return nullptr;
        }
        Out->SetGeometryDirectly(Geometry.release());
        Out->SetStyleString(StyleOf(F).c_str());
    }
    const int Count = std::min(Defn->GetFieldCount(), static_cast<int>(F.Values.size()));
    for (int I = 0; I < Count; ++I) {
        const std::string& Value = F.Values[static_cast<std::size_t>(I)];
        if (Value.empty())
            continue;
        const OGRFieldDefn* Field = Defn->GetFieldDefn(I);
        if (Field->GetType() == OFTString && CutToWidth)
            Out->SetField(I, CutToBytes(Value, Field->GetWidth()).c_str());
        else
            Out->SetField(I, Value.c_str());
    }
    return Out;
}

bool FindVertexOutside(const mitab_feature_s& F, const TBounds& Bounds, TPoint& Outside)
{
    // Coordinates are stored as integers over the bounds; allow rounding.
    const double EX = (Bounds[2] - Bounds[0]) * 1e-9, EY = (Bounds[3] - Bounds[1]) * 1e-9;
    for (const auto& Part : F.Parts)
        for (const auto& P : Part)
            if (P.X < Bounds[0] - EX || P.X > Bounds[2] + EX || P.Y < Bounds[1] - EY || P.Y > Bounds[3] + EY) {
                Outside = P;
                return true;
            }
    for (const auto& M : F.Members)
        if (M && FindVertexOutside(*M, Bounds, Outside))
            return true;
    return false;
}

std::unique_ptr<mitab_feature_s> CopyFeature(const mitab_feature_s& F)
{
    auto C = std::make_unique<mitab_feature_s>();
    C->Class = F.Class;
    C->Parts = F.Parts;
    C->Interior = F.Interior;
    C->Pen = F.Pen;
    C->Brush = F.Brush;
    C->Symbol = F.Symbol;
    C->Text = F.Text;
    C->FieldTypes = F.FieldTypes;
    C->Values = F.Values;
    for (int I = 0; I < mbCount; ++I)
        if (F.Members[I])
            C->Members[I] = CopyFeature(*F.Members[I]);
    return C;
}

} // namespace cartova::mitab
