#include "formats/MapInfoFormatProvider.h"

#include "formats/MidRecord.h"
#include "formats/MifAttributes.h"
#include "map/Cartova.h"
#include "map/Layers.h"
#include "map/Workspace.h"
#include "objects/NoGeometry.h"
#include "objects/Polyline.h"
#include "objects/Rectangle.h"
#include "objects/Region.h"
#include "objects/Symbol.h"
#include "objects/Text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

namespace cartova {

namespace {

// A feature destroyed at the end of its scope.
class TFeatureGuard {
public:
    explicit TFeatureGuard(mitab_feature Feature) : F(Feature) {}
    ~TFeatureGuard()
    {
        if (F)
            mitab_c_destroy_feature(F);
    }
    TFeatureGuard(const TFeatureGuard&) = delete;
    TFeatureGuard& operator=(const TFeatureGuard&) = delete;
    operator mitab_feature() const { return F; }

private:
    mitab_feature F;
};

// The library's message about its last failure, or Fallback.
std::string LibraryError(const std::string& Fallback)
{
    const char* Message = mitab_c_getlasterrormsg();
    return Message && *Message ? std::string(Message) : Fallback;
}

std::string Declaration(int Type, int Width, int Precision)
{
    switch (Type) {
    case TABFT_Integer: return "Integer";
    case TABFT_SmallInt: return "SmallInt";
    case TABFT_Decimal: return Format("Decimal(%d,%d)", Width, Precision);
    case TABFT_Float: return "Float";
    case TABFT_Date: return "Date";
    case TABFT_Logical: return "Logical";
    case TABFT_Time: return "Time";
    case TABFT_DateTime: return "DateTime";
    default: return Format("Char(%d)", Width);
    }
}

// The type and the numbers of a declaration: "Decimal(12,4)" → Decimal, 12, 4.
int ParseDeclaration(const std::string& Text, int& Width, int& Precision)
{
    static const struct {
        const char* Name;
        int Type;
    } Types[] = {{"CHAR", TABFT_Char},       {"INTEGER", TABFT_Integer}, {"SMALLINT", TABFT_SmallInt},
                 {"DECIMAL", TABFT_Decimal}, {"FLOAT", TABFT_Float},     {"DATETIME", TABFT_DateTime},
                 {"DATE", TABFT_Date},       {"TIME", TABFT_Time},       {"LOGICAL", TABFT_Logical}};
    const std::string Upper = UpperCase(Trim(Text));
    int Type = 0;
    for (const auto& T : Types)
        if (Upper.rfind(T.Name, 0) == 0 && !std::isalpha(static_cast<unsigned char>(Upper[std::strlen(T.Name)]))) {
            Type = T.Type;
            break;
        }
    int Numbers[2] = {0, 0};
    std::size_t At = Upper.find('(');
    for (int& N : Numbers) {
        if (At == std::string::npos)
            break;
        At = Upper.find_first_of("0123456789", At);
        if (At == std::string::npos)
            break;
        const auto R = std::from_chars(Upper.data() + At, Upper.data() + Upper.size(), N);
        At = static_cast<std::size_t>(R.ptr - Upper.data());
    }
    Width = Numbers[0];
    Precision = Numbers[1];
    return Type;
}

// The feature class an object is written as; -1 for kinds the format has no class for.
int FeatureClassOf(const TCustomMapObject* O)
{
    if (dynamic_cast<const TNoGeometry*>(O))
        return TABFC_NoGeom;
    if (dynamic_cast<const TRegion*>(O) || dynamic_cast<const TRectangle*>(O))
        return TABFC_Region;
    if (dynamic_cast<const TPolyline*>(O))
        return TABFC_Polyline;
    if (dynamic_cast<const TText*>(O))
        return TABFC_Text;
    if (dynamic_cast<const TSymbol*>(O))
        return TABFC_FontPoint;
    return -1;
}

bool HasVertex(const TCustomMapObject* O)
{
    const TParts* Parts = O->GetParts();
    for (int P = 0; P < Parts->Count(); ++P)
        if (Parts->GetItems(P)->GetPoints()->Count() > 0)
            return true;
    return false;
}

// The Bounds part of a CoordSys clause ("Bounds (x1, y1) (x2, y2)").
bool ClauseBounds(const std::string& Clause, TBounds& Bounds)
{
    const std::string Upper = UpperCase(Clause);
    const std::size_t At = Upper.find("BOUNDS");
    if (At == std::string::npos)
        return false;
    double V[4];
    std::size_t I = At + 6;
    for (double& N : V) {
        I = Clause.find_first_of("-+.0123456789", I);
        if (I == std::string::npos)
            return false;
        const char* Begin = Clause.data() + I + (Clause[I] == '+');
        const auto R = std::from_chars(Begin, Clause.data() + Clause.size(), N);
        if (R.ec != std::errc() || !std::isfinite(N))
            return false;
        I = static_cast<std::size_t>(R.ptr - Clause.data());
    }
    Bounds = {std::min(V[0], V[2]), std::min(V[1], V[3]), std::max(V[0], V[2]), std::max(V[1], V[3])};
    return true;
}

// Bounds for a new file: the clause's own when they hold every vertex
// written; otherwise the vertices' extent (with the clause's bounds) and a
// margin of a hundredth of it, so that objects can still be added near the
// edges. Zeros for a layer without vertices, which leaves them to the library.
TBounds SaveBounds(const TMapLayer& Layer, const std::string& Clause)
{
    TBounds B{HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    const auto Add = [&](double X, double Y) {
        B.MinX = std::min(B.MinX, X);
        B.MinY = std::min(B.MinY, Y);
        B.MaxX = std::max(B.MaxX, X);
        B.MaxY = std::max(B.MaxY, Y);
    };
    for (int I = 0; I < Layer.GetObjectCount(); ++I) {
        const TCustomMapObject* O = Layer.GetObjects(I);
        if (FeatureClassOf(O) < 0)
            continue;
        const TParts* Parts = O->GetParts();
        for (int P = 0; P < Parts->Count(); ++P)
            for (const TMapPoint& V : *Parts->GetItems(P)->GetPoints())
                Add(V.X, V.Y);
    }
    if (B.MinX > B.MaxX)
        return TBounds{0, 0, 0, 0};
    TBounds Declared;
    if (ClauseBounds(Clause, Declared)) {
        if (Declared.MinX <= B.MinX && Declared.MinY <= B.MinY && Declared.MaxX >= B.MaxX && Declared.MaxY >= B.MaxY)
            return Declared;
        Add(Declared.MinX, Declared.MinY);
        Add(Declared.MaxX, Declared.MaxY);
    }
    const double MX = B.MaxX > B.MinX ? (B.MaxX - B.MinX) / 100 : std::max(1.0, std::fabs(B.MaxX) / 100);
    const double MY = B.MaxY > B.MinY ? (B.MaxY - B.MinY) / 100 : std::max(1.0, std::fabs(B.MaxY) / 100);
    return TBounds{B.MinX - MX, B.MinY - MY, B.MaxX + MX, B.MaxY + MY};
}

// A host colour (system colours resolved) as the library's red × 65536 + green × 256 + blue.
int MitabColor(TColor Color)
{
    return static_cast<int>(ColorToMifColor(ColorToRGB(Color)));
}

// The text a value is given to the library in: the field's own text for
// strings, YYYYMMDD-style for dates and times, T/F for logical values.
std::string FieldText(TDataType Type, const Variant& Value)
{
    if (Type == dtString)
        return Value.IsEmpty() || Value.IsNull() ? std::string() : Value.AsString();
    return MidValueText(Type, Value);
}

// Pen and brush from the feature (step 6 of a load, without an override).
void ReadPenAndBrush(mitab_feature F, TCustomMapObject* O)
{
    O->GetPen()->SetColor(MifColorToColor(mitab_c_get_pen_color(F)));
    O->GetPen()->SetStyle(PenStyleOfMif(mitab_c_get_pen_pattern(F)));
    O->GetPen()->SetWidth(PenWidthOfMif(mitab_c_get_pen_width(F)));
    O->GetBrush()->SetColor(MifColorToColor(mitab_c_get_brush_fgcolor(F)));
    O->GetBrush()->SetStyle(BrushStyleOfMif(mitab_c_get_brush_pattern(F)));
}

// Styles of an object a load created: the feature's, then the layer's
// override when it is set.
void ApplyStyles(mitab_feature F, TCustomMapObject* O, int Class, const TMapStyle& Override)
{
    ReadPenAndBrush(F, O);
    O->SetBGColor(MifColorToColor(mitab_c_get_brush_bgcolor(F)));
    O->SetUseBGColor(O->GetBrush()->GetStyle() != bsClear && mitab_c_get_brush_transparent(F) == 0);
    if (Class == TABFC_Text) {
        auto* T = static_cast<TText*>(O);
        T->GetFont()->SetName(mitab_c_get_font(F));
        T->SetHeight(mitab_c_get_text_height(F));
        T->SetWidth(mitab_c_get_text_width(F));
        T->SetAngle(mitab_c_get_text_angle(F));
        T->GetFont()->SetColor(MifColorToColor(mitab_c_get_text_fgcolor(F)));
        T->SetBGColor(MifColorToColor(mitab_c_get_text_bgcolor(F)));
        T->SetText(mitab_c_get_text(F));
    } else if (Class == TABFC_Point || Class == TABFC_FontPoint) {
        auto* S = static_cast<TSymbol*>(O);
        if (Class == TABFC_Point) {
            S->GetFont()->SetName("Map Symbols");
            S->SetShape(mitab_c_get_symbol_no(F) + 1);
        } else {
            S->GetFont()->SetName(mitab_c_get_font(F));
            S->SetShape(mitab_c_get_symbol_no(F));
        }
        S->GetFont()->SetColor(MifColorToColor(mitab_c_get_symbol_color(F)));
        S->GetFont()->SetSize(mitab_c_get_symbol_size(F));
    }
    if (Override.StyleSet)
        ApplyMapStyle(Override, *O);
}

// The map object a feature class becomes; nullptr for classes without one.
TCustomMapObject* NewObjectOf(TMapLayer& Layer, int Class)
{
    switch (Class) {
    case TABFC_Point:
    case TABFC_FontPoint:
    case TABFC_CustomPoint:
        return Layer.NewObject<TSymbol>();
    case TABFC_Text:
        return Layer.NewObject<TText>();
    case TABFC_Polyline:
        return Layer.NewObject<TPolyline>();
    case TABFC_Region:
    case TABFC_Rectangle:
        return Layer.NewObject<TRegion>();
    case TABFC_NoGeom:
        return Layer.NewObject<TNoGeometry>();
    default:
        return nullptr;
    }
}

const char* SkippedClassName(int Class)
{
    switch (Class) {
    case TABFC_Arc: return "Arc";
    case TABFC_Ellipse: return "Ellipse";
    case TABFC_MultiPoint: return "Multipoint";
    case TABFC_Collection: return "Collection";
    default: return "Unknown";
    }
}

// Reads every feature of an open dataset into Layer; "" or what went wrong.
std::string ReadDataset(TMapInfoFormatProvider& Provider, mitab_handle H, TMapLayer& Layer)
{
    TDataFields* Fields = Layer.GetFields();
    Fields->Clear();
    std::vector<TColumnDeclaration>& Declared = Layer.GetFileInfo().Columns;
    Declared.clear();
    for (int I = 0; I < mitab_c_get_field_count(H); ++I) {
        const std::string Name = mitab_c_get_field_name(H, I);
        const int Type = mitab_c_get_field_type(H, I);
        const int Width = mitab_c_get_field_width(H, I);
        Fields->Add(Name, DataTypeOfMitab(Type), Width);
        Declared.push_back({Name, Declaration(Type, Width, mitab_c_get_field_precision(H, I))});
    }
    Layer.SetCoordSys("CoordSys " + std::string(mitab_c_get_extended_mif_coordsys(H)));

    TCartova* Map = Layer.GetMap();
    if (Map)
        Map->StartProgress(0, mitab_c_get_feature_count(H), "Loading file");
    int Read = 0;
    for (int Id = mitab_c_next_feature_id(H, -1); Id != -1; Id = mitab_c_next_feature_id(H, Id)) {
        const TFeatureGuard F(mitab_c_read_feature(H, Id));
        if (!F)
            return LibraryError(Format("cannot read feature %d", Id));
        const int Class = mitab_c_get_type(F);
        TCustomMapObject* O = NewObjectOf(Layer, Class);
        if (!O) {
            Layer.GetFileInfo().Skipped.Add(SkippedClassName(Class));
            continue;
        }
        if (auto* S = dynamic_cast<TSymbol*>(O)) {
            // Symbols and texts: their one point is the anchor they were made with.
            S->SetX(mitab_c_get_vertex_x(F, 0, 0));
            S->SetY(mitab_c_get_vertex_y(F, 0, 0));
        } else if (Class != TABFC_NoGeom) {
            Provider.ReadGeometry(F, O);
        }
        if (Class != TABFC_NoGeom)
            ApplyStyles(F, O, Class, Layer.GetStyle());
        Provider.ReadData(F, O);
        O->UpdateBounds();
        if (Map && ++Read % 256 == 0)
            Map->ShowProgress(Read);
    }
    // The loop ends at the last feature, or where the library failed.
    if (mitab_c_getlasterrorno() != 0)
        return LibraryError("cannot read the features");
    return {};
}

// The width column J needs as Decimal(Width, Precision) so that every value
// of the layer fits (a TAB file refuses longer ones).
int DecimalWidth(const TMapLayer& Layer, int J, int Width, int Precision)
{
    for (int I = 0; I < Layer.GetObjectCount(); ++I) {
        const TDataFields* F = Layer.GetObjects(I)->GetFields();
        if (J >= F->Count())
            continue;
        const Variant V = F->GetValue(J);
        double D = 0;
        if (V.IsEmpty() || V.IsNull() || !TryStrToFloat(V.AsString(), D))
            continue;
        char Buf[400];
        const int N = std::snprintf(Buf, sizeof Buf, "%.*f", Precision, D);
        Width = std::max(Width, N);
    }
    return Width;
}

// Writes Layer into a new dataset; "" or what went wrong.
std::string WriteDataset(TMapInfoFormatProvider& Provider, mitab_handle H, TMapLayer& Layer)
{
    TLayerFileInfo& Info = Layer.GetFileInfo();
    const TDataFields* Schema = Layer.GetFields();
    for (int J = 0; J < Schema->Count(); ++J) {
        const TDataField& Field = *Schema->GetFields(J);
        int Width = 0, Precision = 0;
        const int Type = MitabFieldType(Field, Info, Width, Precision);
        if (Type == TABFT_Decimal)
            Width = DecimalWidth(Layer, J, Width, Precision);
        if (mitab_c_add_field(H, Field.GetName().c_str(), Type, Width, Precision, 0, 0) < 0)
            return LibraryError("cannot add field " + Field.GetName());
    }
    TCartova* Map = Layer.GetMap();
    if (Map)
        Map->StartProgress(0, Layer.GetObjectCount(), "Saving...");
    for (int I = 0; I < Layer.GetObjectCount(); ++I) {
        TCustomMapObject* O = Layer.GetObjects(I);
        int Class = FeatureClassOf(O);
        if (Class < 0) {
            Info.Unsaved.AddClass(O->ClassName());
            continue;
        }
        if (Class != TABFC_NoGeom && !HasVertex(O))
            Class = TABFC_NoGeom; // the record is kept; there is no geometry to write
        const TFeatureGuard F(mitab_c_create_feature(H, Class));
        if (!F)
            return LibraryError("cannot create a feature");
        if (!Provider.WriteData(F, O) || !Provider.WriteStyle(F, O) ||
            (Class != TABFC_NoGeom && !Provider.WriteGeometry(F, O)) || !mitab_c_write_feature(H, F))
            return LibraryError(Format("cannot write object %d", I));
        if (Map && (I + 1) % 256 == 0)
            Map->ShowProgress(I + 1);
    }
    return {};
}

// Ends an update of the map begun for a load or save.
class TMapUpdate {
public:
    TMapUpdate(TCartova* Map, bool Loading) : FMap(Map), FLoading(Loading)
    {
        if (FMap && FLoading) {
            FMap->BeginUpdate();
            FMap->SetTextSizing(true);
        }
    }
    ~TMapUpdate()
    {
        if (!FMap)
            return;
        FMap->StopProgress();
        if (FLoading) {
            FMap->EndUpdate(true);
            FMap->SetTextSizing(false);
        }
    }
    TMapUpdate(const TMapUpdate&) = delete;
    TMapUpdate& operator=(const TMapUpdate&) = delete;

private:
    TCartova* FMap;
    bool FLoading;
};

} // namespace

TDataType DataTypeOfMitab(int FieldType)
{
    switch (FieldType) {
    case TABFT_Integer: return dtInteger;
    case TABFT_SmallInt: return dtSmallInt;
    case TABFT_Decimal: return dtDecimal;
    case TABFT_Float: return dtFloat;
    case TABFT_Date:
    case TABFT_DateTime: return dtDateTime;
    case TABFT_Time: return dtTime;
    case TABFT_Logical: return dtBoolean;
    default: return dtString;
    }
}

int MitabFieldType(const TDataField& Field, const TLayerFileInfo& Info, int& Width, int& Precision)
{
    Width = 0;
    Precision = 0;
    if (const TColumnDeclaration* Declared = Info.FindColumn(Field.GetName())) {
        const int Type = ParseDeclaration(Declared->Type, Width, Precision);
        if (Type != 0 && DataTypeOfMitab(Type) == Field.GetDataType() && Type != TABFT_Char &&
            (Type != TABFT_Decimal || (Width > Precision && Width <= 32)))
            return Type;
    }
    Width = 0;
    Precision = 0;
    switch (Field.GetDataType()) {
    case dtFloat: return TABFT_Float;
    case dtDecimal:
        Width = std::clamp(Field.GetSize(), 20, 32);
        Precision = 8;
        return TABFT_Decimal;
    case dtInteger: return TABFT_Integer;
    case dtSmallInt: return TABFT_SmallInt;
    case dtDateTime: return TABFT_DateTime;
    case dtDate: return TABFT_Date;
    case dtTime: return TABFT_Time;
    case dtBoolean: return TABFT_Logical;
    default:
        Width = std::clamp(Field.GetSize(), 1, 254);
        return TABFT_Char;
    }
}

TMapInfoFormatProvider::TMapInfoFormatProvider(TComponent* AOwner) : TCustomFormatProvider(AOwner)
{
    MITAB_load();
}

std::string TMapInfoFormatProvider::GetDescription() const
{
    return "MapInfo Format Provider (mif, tab)";
}

std::string TMapInfoFormatProvider::GetFilter() const
{
    return "MapInfo Files (*.mif; *.tab)|*.mif; *.tab";
}

TGUID TMapInfoFormatProvider::GetGUID() const
{
    return StringToGUID("{4AC2894A-85A3-4613-80D2-27DDCDFEA816}");
}

bool TMapInfoFormatProvider::CanProcessFile(const std::string& FileName) const
{
    return HasFileExt(FileName, ".mif") || HasFileExt(FileName, ".tab");
}

bool TMapInfoFormatProvider::Load(TMapLayer* Layer, const std::string& FileName)
{
    if (!MITAB_LibOK())
        throw Exception(Format("MITAB.DLL not fond! Please place DLL to %S or %S directory!",
                               ExtractFileDir(ApplicationFileName()), GetSystemDirectory()));
    if (!Layer)
        return false;
    const mitab_handle H = mitab_c_open(FileName.c_str());
    if (!H) {
        MessageDlg(LibraryError("Cannot open " + FileName), mtError, mbOK);
        return false;
    }
    std::string Error;
    {
        const TMapUpdate Update(Layer->GetMap(), true);
        try {
            Error = ReadDataset(*this, H, *Layer);
        } catch (const std::exception& E) {
            Error = E.what();
        }
        mitab_c_close(H);
    }
    if (!Error.empty()) {
        MessageDlg(Format("Error reading %s: %s", FileName, Error), mtError, mbOK);
        return false;
    }
    return true;
}

bool TMapInfoFormatProvider::Save(TMapLayer* Layer, const std::string& FileName)
{
    if (!MITAB_LibOK() || !Layer)
        return false;
    const std::string Extension = LowerCase(ExtractFileExt(FileName));
    const std::string Kind = Extension.size() > 1 ? Extension.substr(1, 3) : std::string();
    const std::string Clause = Layer->GetCoordSys().empty() ? "CoordSys Earth Projection 1, 0" : Layer->GetCoordSys();
    const TBounds B = SaveBounds(*Layer, Clause);
    Layer->GetFileInfo().Unsaved.Clear();
    const mitab_handle H = mitab_c_create(FileName.c_str(), Kind.c_str(), Clause.c_str(), B.MaxY, B.MinY, B.MaxX, B.MinX);
    if (!H) {
        MessageDlg(Format("Error writing %s: %s", FileName, LibraryError("cannot create the file")), mtError, mbOK);
        return false;
    }
    std::string Error;
    {
        const TMapUpdate Update(Layer->GetMap(), false);
        try {
            Error = WriteDataset(*this, H, *Layer);
        } catch (const std::exception& E) {
            Error = E.what();
        }
        // A failed write spoils the new files, so that closing keeps the old ones.
        if (!Error.empty())
            mitab_c_write_feature(H, nullptr);
        mitab_c_close(H);
        if (Error.empty() && mitab_c_getlasterrorno() != 0)
            Error = LibraryError("cannot close the file");
    }
    if (!Error.empty()) {
        MessageDlg(Format("Error writing %s: %s", FileName, Error), mtError, mbOK);
        return false;
    }
    return true;
}

bool TMapInfoFormatProvider::ReadData(mitab_feature Feature, TCustomMapObject* Object)
{
    if (!Feature)
        return false;
    TDataFields* Fields = Object->GetFields();
    for (int I = 0; I < Fields->Count(); ++I) {
        std::string Text = mitab_c_get_field_as_string(Feature, I);
        if (Text == "'" || Text == "''")
            Text.clear();
        else if (Text.size() > 2 && Text.front() == '\'' && Text.back() == '\'')
            Text = Text.substr(1, Text.size() - 2);
        if (Fields->GetColumn(I).DataType == dtString)
            Fields->SetValue(I, Variant(Text));
        else
            StoreMidValue(*Fields, I, TMidValue{Text, false});
    }
    Fields->Shrink();
    return true;
}

bool TMapInfoFormatProvider::ReadGeometry(mitab_feature Feature, TCustomMapObject* Object)
{
    if (!Feature)
        return false;
    const int Parts = mitab_c_get_parts(Feature);
    for (int I = 0; I < Parts; ++I) {
        TMapPoints* Points = Object->GetParts()->Add()->GetPoints();
        const int Count = mitab_c_get_vertex_count(Feature, I);
        for (int J = 0; J < Count; ++J)
            Points->Add(mitab_c_get_vertex_x(Feature, I, J), mitab_c_get_vertex_y(Feature, I, J));
    }
    return Parts > 0;
}

bool TMapInfoFormatProvider::ReadStyle(mitab_feature Feature, TCustomMapObject* Object)
{
    if (!Feature)
        return false;
    ReadPenAndBrush(Feature, Object);
    const int Class = mitab_c_get_type(Feature);
    if (Class == TABFC_Text || Class == TABFC_FontPoint) {
        TFont* Font = Object->GetFont();
        Font->SetName(mitab_c_get_font(Feature));
        Font->SetHeight(static_cast<int>(Round(mitab_c_get_text_height(Feature))));
        Font->SetColor(MifColorToColor(mitab_c_get_text_fgcolor(Feature)));
    }
    return true;
}

bool TMapInfoFormatProvider::WriteData(mitab_feature Feature, TCustomMapObject* Object)
{
    if (!Feature)
        return false;
    const TDataFields* Schema = Object->GetLayer() ? Object->GetLayer()->GetFields() : Object->GetFields();
    const TDataFields* Fields = Object->GetFields();
    for (int I = 0; I < Fields->Count() && I < Schema->Count(); ++I)
        if (!mitab_c_set_field(Feature, I, FieldText(Schema->GetColumn(I).DataType, Fields->GetValue(I)).c_str()))
            return false;
    if (const auto* T = dynamic_cast<const TText*>(Object))
        return mitab_c_set_text(Feature, T->GetText().c_str()) != 0;
    return true;
}

bool TMapInfoFormatProvider::WriteGeometry(mitab_feature Feature, TCustomMapObject* Object)
{
    if (!Feature)
        return false;
    if (const auto* R = dynamic_cast<const TRectangle*>(Object)) {
        // The closed five-point region the MIF writer writes.
        double X[] = {R->GetX0(), R->GetX1(), R->GetX1(), R->GetX0(), R->GetX0()};
        double Y[] = {R->GetY0(), R->GetY0(), R->GetY1(), R->GetY1(), R->GetY0()};
        return mitab_c_set_points(Feature, 0, 5, X, Y) != 0;
    }
    const TParts* Parts = Object->GetParts();
    int Written = 0;
    for (int I = 0; I < Parts->Count(); ++I) {
        const TMapPoints* Points = Parts->GetItems(I)->GetPoints();
        if (Points->Count() == 0)
            continue;
        std::vector<double> X, Y;
        X.reserve(static_cast<std::size_t>(Points->Count()));
        Y.reserve(static_cast<std::size_t>(Points->Count()));
        for (const TMapPoint& V : *Points) {
            X.push_back(V.X);
            Y.push_back(V.Y);
        }
        if (!mitab_c_set_points(Feature, Written++, Points->Count(), X.data(), Y.data()))
            return false;
    }
    return Written > 0;
}

bool TMapInfoFormatProvider::WriteStyle(mitab_feature Feature, TCustomMapObject* Object)
{
    if (!Feature)
        return false;
    const TPen* Pen = Object->GetPen();
    const TBrush* Brush = Object->GetBrush();
    if (!mitab_c_set_pen(Feature, std::clamp(MifPenWidth(Pen->GetWidth()), 1, 2047), MifPenPattern(Pen->GetStyle()),
                         MitabColor(Pen->GetColor())) ||
        !mitab_c_set_brush(Feature, MitabColor(Brush->GetColor()), MitabColor(Object->GetBGColor()),
                           MifBrushPattern(Brush->GetStyle()), Object->GetUseBGColor() ? 0 : 1))
        return false;
    const TFont* Font = Object->GetFont();
    const int FontColor = MitabColor(Font->GetColor());
    if (const auto* T = dynamic_cast<const TText*>(Object))
        // The text's own box and angle.
        return mitab_c_set_font(Feature, Font->GetName().c_str()) &&
               mitab_c_set_text_display(Feature, T->GetAngle(), std::max(0.0, T->GetHeight()),
                                        std::max(0.0, T->GetWidth()), FontColor, 0xFFFFFF, 0, 0, 0);
    if (const auto* S = dynamic_cast<const TSymbol*>(Object))
        return mitab_c_set_font(Feature, Font->GetName().c_str()) &&
               mitab_c_set_symbol(Feature, S->GetShape(), std::clamp(Font->GetSize(), 1, 48), FontColor);
    return true;
}

} // namespace cartova
