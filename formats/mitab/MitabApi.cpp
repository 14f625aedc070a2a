// The entry points of the C interface: argument checks, error reporting and
// copies into callers' buffers around the dataset and feature operations.
#include "mitab.h"

#include "MitabDataset.h"
#include "MitabError.h"
#include "MitabValues.h"

#include <ogr_spatialref.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <new>

using namespace cartova::mitab;

namespace {

// Runs Body; an exception becomes the last error and Fallback the result.
template <class R, class F>
R Guarded(R Fallback, F&& Body) noexcept
{
    try {
        return Body();
    } catch (const std::bad_alloc&) {
        SetError(CPLE_OutOfMemory, "out of memory");
    } catch (const std::exception& E) {
        SetError(CPLE_AppDefined, E.what());
    } catch (...) {
        SetError(CPLE_AppDefined, "unexpected error");
    }
    return Fallback;
}

bool Given(const void* P, const char* What)
{
    if (!P)
        SetError(CPLE_IllegalArg, std::string("no ") + What + " given (NULL)");
    return P != nullptr;
}

bool FieldIndex(std::size_t Count, int I)
{
    if (I >= 0 && static_cast<std::size_t>(I) < Count)
        return true;
    SetError(CPLE_IllegalArg, "field index " + std::to_string(I) + " out of range (" + std::to_string(Count) +
                                  " fields)");
    return false;
}

bool PartIndex(const mitab_feature_s* F, int Part)
{
    if (Part >= 0 && static_cast<std::size_t>(Part) < F->Parts.size())
        return true;
    SetError(CPLE_IllegalArg, "part " + std::to_string(Part) + " out of range (" + std::to_string(F->Parts.size()) +
                                  " parts)");
    return false;
}

bool Color(int C)
{
    if (C >= 0 && C <= 0xFFFFFF)
        return true;
    SetError(CPLE_IllegalArg, "colour " + std::to_string(C) + " out of range 0..16777215");
    return false;
}

bool InRange(int V, int Low, int High, const char* What)
{
    if (V >= Low && V <= High)
        return true;
    SetError(CPLE_IllegalArg, std::string(What) + " " + std::to_string(V) + " out of range " + std::to_string(Low) +
                                  ".." + std::to_string(High));
    return false;
}

// Copies at most L-1 bytes of S, never splitting a UTF-8 character, and a NUL.
int CopyOut(const std::string& S, char* Buffer, int L)
{
    if (Buffer && L > 0) {
        std::size_t N = std::min(S.size(), static_cast<std::size_t>(L) - 1);
        while (N > 0 && N < S.size() && (static_cast<unsigned char>(S[N]) & 0xC0) == 0x80)
            --N;
        std::memcpy(Buffer, S.data(), N);
        Buffer[N] = '\0';
    }
    return static_cast<int>(std::min<std::size_t>(S.size(), INT_MAX));
}

const std::string& Empty()
{
    static const std::string E;
    return E;
}

double Vertex(mitab_feature F, int Part, int Index, bool Y)
{
    return Guarded(0.0, [&] {
        if (!Given(F, "feature") || !PartIndex(F, Part))
            return 0.0;
        const auto& P = F->Parts[static_cast<std::size_t>(Part)];
        if (Index < 0 || static_cast<std::size_t>(Index) >= P.size()) {
            SetError(CPLE_IllegalArg, "vertex " + std::to_string(Index) + " out of range (" +
                                          std::to_string(P.size()) + " vertices)");
            return 0.0;
        }
        return Y ? P[static_cast<std::size_t>(Index)].Y : P[static_cast<std::size_t>(Index)].X;
    });
}

mitab_feature MemberRef(mitab_feature F, TMember Which)
{
    return Guarded<mitab_feature>(nullptr, [&]() -> mitab_feature {
        if (!Given(F, "feature"))
            return nullptr;
        if (F->Class != TABFC_Collection) {
            SetError(CPLE_IllegalArg, "the feature is not a collection");
            return nullptr;
        }
        return F->Members[Which].get();
    });
}

int SetMember(mitab_feature F, mitab_feature Member, int MakeCopy, TMember Which)
{
    static const int Classes[] = {TABFC_Region, TABFC_Polyline, TABFC_MultiPoint};
    return Guarded(0, [&] {
        if (!Given(F, "feature") || !Given(Member, "member"))
            return 0;
        if (F->Class != TABFC_Collection || Member->Class != Classes[Which] || Member == F) {
            SetError(CPLE_IllegalArg, "a collection takes a region, a polyline and a multipoint");
            return 0;
        }
        if (F->Members[Which].get() == Member)
            return 1;
        F->Members[Which] = MakeCopy ? CopyFeature(*Member) : std::unique_ptr<mitab_feature_s>(Member);
        return 1;
    });
}

template <class Getter>
auto StyleGet(mitab_feature F, Getter Get) -> decltype(Get(*F))
{
    using R = decltype(Get(*F));
    return Guarded(R{}, [&] { return Given(F, "feature") ? Get(*F) : R{}; });
}

// Runs Set on the feature when it is given; 1 when Set succeeded.
template <class Setter>
int StyleSet(mitab_feature F, Setter Set)
{
    return Guarded(0, [&] { return Given(F, "feature") && Set(*F) ? 1 : 0; });
}

template <class Getter>
int FieldGet(mitab_handle H, int Field, Getter Get)
{
    return Guarded(0, [&] {
        return Given(H, "dataset") && FieldIndex(H->Fields.size(), Field)
                   ? Get(H->Fields[static_cast<std::size_t>(Field)])
                   : 0;
    });
}

const char* DatasetText(mitab_handle H, bool Extended)
{
    return Guarded<const char*>("", [&] {
        return Given(H, "dataset") ? CoordSysText(*H, Extended).c_str() : "";
    });
}

} // namespace

extern "C" {

/* ---- library ------------------------------------------------------------ */

int mitab_c_getlibversion(void)
{
    return MITAB_LIB_VERSION;
}

int mitab_c_getlasterrorno(void)
{
    return LastErrorNo();
}

const char* mitab_c_getlasterrormsg(void)
{
    return LastErrorMessage().c_str();
}

int mitab_c_getlasterrormsg_vb(char* errormsg, int l)
{
    return CopyOut(LastErrorMessage(), errormsg, l);
}

int mitab_c_load_coordsys_table(const char* filename)
{
    ClearError();
    return Guarded(0, [&] { return Given(filename, "file name") && LoadCoordSysTable(filename) ? 1 : 0; });
}

/* ---- datasets ----------------------------------------------------------- */

mitab_handle mitab_c_open(const char* filename)
{
    ClearError();
    return Guarded<mitab_handle>(nullptr, [&] { return Given(filename, "file name") ? OpenDataset(filename) : nullptr; });
}

mitab_handle mitab_c_create(const char* filename, const char* mif_or_tab, const char* mif_projection, double north,
                            double south, double east, double west)
{
    ClearError();
    return Guarded<mitab_handle>(nullptr, [&]() -> mitab_handle {
        if (!Given(filename, "file name") || !Given(mif_or_tab, "kind"))
            return nullptr;
        return CreateDataset(filename, mif_or_tab, mif_projection ? mif_projection : "", {west, south, east, north});
    });
}

void mitab_c_close(mitab_handle handle)
{
    ClearError();
    Guarded(false, [&] { return Given(handle, "dataset") && CloseDataset(std::unique_ptr<mitab_dataset_s>(handle)); });
}

int mitab_c_get_feature_count(mitab_handle handle)
{
    return Guarded(0, [&] { return Given(handle, "dataset") ? FeatureCount(*handle) : 0; });
}

int mitab_c_next_feature_id(mitab_handle handle, int last_feature_id)
{
    ClearError();
    return Guarded(-1, [&] { return Given(handle, "dataset") ? NextFeatureId(*handle, last_feature_id) : -1; });
}

mitab_feature mitab_c_read_feature(mitab_handle handle, int feature_id)
{
    ClearError();
    return Guarded<mitab_feature>(nullptr, [&]() -> mitab_feature {
        return Given(handle, "dataset") ? ReadFeature(*handle, feature_id).release() : nullptr;
    });
}

int mitab_c_set_quick_spatial_index_mode(mitab_handle handle)
{
    ClearError();
    return Guarded(0, [&] { return Given(handle, "dataset") && SetQuickIndex(*handle) ? 1 : 0; });
}

/* ---- fields ------------------------------------------------------------- */

int mitab_c_get_field_count(mitab_handle handle)
{
    return Guarded(0, [&] { return Given(handle, "dataset") ? static_cast<int>(handle->Fields.size()) : 0; });
}

const char* mitab_c_get_field_name(mitab_handle handle, int field)
{
    return Guarded<const char*>("", [&] {
        return Given(handle, "dataset") && FieldIndex(handle->Fields.size(), field)
                   ? handle->Fields[static_cast<std::size_t>(field)].Name.c_str()
                   : "";
    });
}

int mitab_c_get_field_name_vb(mitab_handle handle, int field, char* name, int l)
{
    return CopyOut(mitab_c_get_field_name(handle, field), name, l);
}

int mitab_c_get_field_type(mitab_handle handle, int field)
{
    return FieldGet(handle, field, [](const TFieldInfo& F) { return F.Type; });
}

int mitab_c_get_field_width(mitab_handle handle, int field)
{
    return FieldGet(handle, field, [](const TFieldInfo& F) { return F.Width; });
}

int mitab_c_get_field_precision(mitab_handle handle, int field)
{
    return FieldGet(handle, field, [](const TFieldInfo& F) { return F.Precision; });
}

int mitab_c_is_field_indexed(mitab_handle handle, int field)
{
    return FieldGet(handle, field, [](const TFieldInfo& F) { return F.Indexed ? 1 : 0; });
}

int mitab_c_is_field_unique(mitab_handle handle, int field)
{
    return FieldGet(handle, field, [](const TFieldInfo& F) { return F.Unique ? 1 : 0; });
}

int mitab_c_add_field(mitab_handle handle, const char* field_name, int field_type, int width, int precision,
                      int indexed, int unique)
{
    ClearError();
    return Guarded(-1, [&] {
        if (!Given(handle, "dataset") || !Given(field_name, "field name"))
            return -1;
        return AddField(*handle, field_name, field_type, width, precision, indexed != 0, unique != 0);
    });
}

/* ---- features ----------------------------------------------------------- */

mitab_feature mitab_c_create_feature(mitab_handle handle, int feature_type)
{
    ClearError();
    return Guarded<mitab_feature>(nullptr, [&]() -> mitab_feature {
        return Given(handle, "dataset") ? NewFeature(*handle, feature_type).release() : nullptr;
    });
}

int mitab_c_write_feature(mitab_handle handle, mitab_feature feature)
{
    ClearError();
    return Guarded(0, [&] {
        return Given(handle, "dataset") && WriteFeature(*handle, feature) ? 1 : 0;
    });
}

void mitab_c_destroy_feature(mitab_feature feature)
{
    delete feature;
}

int mitab_c_get_type(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return F.Class; });
}

const char* mitab_c_get_field_as_string(mitab_feature feature, int field)
{
    return Guarded<const char*>("", [&] {
        return Given(feature, "feature") && FieldIndex(feature->Values.size(), field)
                   ? feature->Values[static_cast<std::size_t>(field)].c_str()
                   : "";
    });
}

int mitab_c_get_field_as_string_vb(mitab_feature feature, int field, char* value, int l)
{
    return CopyOut(mitab_c_get_field_as_string(feature, field), value, l);
}

double mitab_c_get_field_as_double(mitab_feature feature, int field)
{
    return Guarded(0.0, [&] {
        if (!Given(feature, "feature") || !FieldIndex(feature->Values.size(), field))
            return 0.0;
        const auto I = static_cast<std::size_t>(field);
        return ValueAsDouble(feature->FieldTypes[I], feature->Values[I]);
    });
}

int mitab_c_set_field(mitab_feature feature, int field_index, const char* field_value)
{
    return Guarded(0, [&] {
        if (!Given(feature, "feature") || !Given(field_value, "value") ||
            !FieldIndex(feature->Values.size(), field_index))
            return 0;
        const auto I = static_cast<std::size_t>(field_index);
        std::string Value, Error;
        if (!NormaliseValue(feature->FieldTypes[I], field_value, Value, Error)) {
            SetError(CPLE_IllegalArg, "field " + std::to_string(field_index) + ": " + Error);
            return 0;
        }
        feature->Values[I] = std::move(Value);
        return 1;
    });
}

int mitab_c_get_parts(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return static_cast<int>(F.Parts.size()); });
}

int mitab_c_get_vertex_count(mitab_feature feature, int part)
{
    return Guarded(0, [&] {
        return Given(feature, "feature") && PartIndex(feature, part)
                   ? static_cast<int>(feature->Parts[static_cast<std::size_t>(part)].size())
                   : 0;
    });
}

double mitab_c_get_vertex_x(mitab_feature feature, int part, int vertex)
{
    return Vertex(feature, part, vertex, false);
}

double mitab_c_get_vertex_y(mitab_feature feature, int part, int vertex)
{
    return Vertex(feature, part, vertex, true);
}

int mitab_c_is_interior_ring(mitab_feature feature, int requestedringindex)
{
    return Guarded(0, [&] {
        if (!Given(feature, "feature") || !PartIndex(feature, requestedringindex))
            return 0;
        if (feature->Class != TABFC_Region)
            return 0;
        if (feature->Interior.size() != feature->Parts.size())
            feature->Interior = RingHoles(feature->Parts);
        return feature->Interior[static_cast<std::size_t>(requestedringindex)] ? 1 : 0;
    });
}

int mitab_c_set_points(mitab_feature feature, int part, int vertex_count, double* x, double* y)
{
    return Guarded(0, [&] {
        if (!Given(feature, "feature") || !Given(x, "x array") || !Given(y, "y array"))
            return 0;
        if (part < 0 || static_cast<std::size_t>(part) > feature->Parts.size()) {
            SetError(CPLE_IllegalArg, "part " + std::to_string(part) + " is neither a part nor the next one");
            return 0;
        }
        if (vertex_count < 1) {
            SetError(CPLE_IllegalArg, "a part needs at least one vertex");
            return 0;
        }
        TPart Points(static_cast<std::size_t>(vertex_count));
        for (int I = 0; I < vertex_count; ++I)
            Points[static_cast<std::size_t>(I)] = {x[I], y[I]};
        if (static_cast<std::size_t>(part) == feature->Parts.size())
            feature->Parts.push_back(std::move(Points));
        else
            feature->Parts[static_cast<std::size_t>(part)] = std::move(Points);
        feature->Interior.clear();
        return 1;
    });
}

int mitab_c_set_arc(mitab_feature feature, double center_x, double center_y, double x_radius, double y_radius,
                    double start_angle, double end_angle)
{
    return StyleSet(feature, [&](mitab_feature_s& F) {
        if (F.Class != TABFC_Arc) {
            SetError(CPLE_IllegalArg, "the feature is not an arc");
            return false;
        }
        for (const double V : {center_x, center_y, x_radius, y_radius, start_angle, end_angle})
            if (!std::isfinite(V)) {
                SetError(CPLE_IllegalArg, "arc parameters must be finite numbers");
                return false;
            }
        if (x_radius <= 0 || y_radius <= 0) {
            SetError(CPLE_IllegalArg, "an arc needs positive radii");
            return false;
        }
        F.Parts = {ArcPoints(center_x, center_y, x_radius, y_radius, start_angle, end_angle)};
        F.Interior.clear();
        return true;
    });
}

/* ---- styles ------------------------------------------------------------- */

int mitab_c_get_pen_color(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return F.Pen.Color; });
}

int mitab_c_get_pen_pattern(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return F.Pen.Pattern; });
}

int mitab_c_get_pen_width(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return F.Pen.Width; });
}

int mitab_c_set_pen(mitab_feature feature, int width, int pattern, int color)
{
    return StyleSet(feature, [&](mitab_feature_s& F) {
        if (!(width >= 1 && width <= 7) && !(width >= 11 && width <= 2047)) {
            SetError(CPLE_IllegalArg, "pen width " + std::to_string(width) + " is neither 1..7 nor 11..2047");
            return false;
        }
        if (!InRange(pattern, 1, 255, "pen pattern") || !Color(color))
            return false;
        F.Pen = {width, pattern, color};
        return true;
    });
}

int mitab_c_get_brush_fgcolor(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return F.Brush.Fore; });
}

int mitab_c_get_brush_bgcolor(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return F.Brush.Back; });
}

int mitab_c_get_brush_pattern(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return F.Brush.Pattern; });
}

int mitab_c_get_brush_transparent(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return F.Brush.Transparent; });
}

int mitab_c_set_brush(mitab_feature feature, int fg_color, int bg_color, int pattern, int transparent)
{
    return StyleSet(feature, [&](mitab_feature_s& F) {
        if (!InRange(pattern, 1, 255, "brush pattern") || !Color(fg_color) || !Color(bg_color))
            return false;
        F.Brush = {pattern, fg_color, bg_color, transparent ? 1 : 0};
        return true;
    });
}

const char* mitab_c_get_font(mitab_feature feature)
{
    return Guarded<const char*>("", [&] {
        if (!Given(feature, "feature"))
            return "";
        if (feature->Class == TABFC_FontPoint || feature->Class == TABFC_CustomPoint)
            return feature->Symbol.Name.c_str();
        return feature->Class == TABFC_Text ? feature->Text.Font.c_str() : Empty().c_str();
    });
}

int mitab_c_get_font_vb(mitab_feature feature, char* font, int l)
{
    return CopyOut(mitab_c_get_font(feature), font, l);
}

int mitab_c_set_font(mitab_feature feature, const char* font_name)
{
    return StyleSet(feature, [&](mitab_feature_s& F) {
        if (!Given(font_name, "font name"))
            return false;
        if (std::strchr(font_name, '"')) {
            SetError(CPLE_IllegalArg, "a font or symbol name cannot hold double quotes");
            return false;
        }
        if (F.Class == TABFC_FontPoint || F.Class == TABFC_CustomPoint)
            F.Symbol.Name = font_name;
        else
            F.Text.Font = font_name;
        return true;
    });
}

int mitab_c_get_symbol_no(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return F.Symbol.No; });
}

int mitab_c_get_symbol_size(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return F.Symbol.Size; });
}

int mitab_c_get_symbol_color(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return F.Symbol.Color; });
}

int mitab_c_set_symbol(mitab_feature feature, int symbol_no, int symbol_size, int symbol_color)
{
    return StyleSet(feature, [&](mitab_feature_s& F) {
        if (!InRange(symbol_no, 0, 65535, "symbol number") || !InRange(symbol_size, 1, 48, "symbol size") ||
            !Color(symbol_color))
            return false;
        F.Symbol.No = symbol_no;
        F.Symbol.Size = symbol_size;
        F.Symbol.Color = symbol_color;
        return true;
    });
}

const char* mitab_c_get_text(mitab_feature feature)
{
    return Guarded<const char*>("", [&] { return Given(feature, "feature") ? feature->Text.Text.c_str() : ""; });
}

int mitab_c_get_text_vb(mitab_feature feature, char* text, int l)
{
    return CopyOut(mitab_c_get_text(feature), text, l);
}

double mitab_c_get_text_angle(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return F.Text.Angle; });
}

double mitab_c_get_text_height(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return F.Text.Height; });
}

double mitab_c_get_text_width(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return F.Text.Width; });
}

int mitab_c_get_text_fgcolor(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return F.Text.Fore; });
}

int mitab_c_get_text_bgcolor(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return F.Text.Back; });
}

int mitab_c_get_text_justification(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return F.Text.Justification(); });
}

int mitab_c_get_text_spacing(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return F.Text.Spacing; });
}

int mitab_c_get_text_linetype(mitab_feature feature)
{
    return StyleGet(feature, [](const mitab_feature_s& F) { return F.Text.LineType; });
}

int mitab_c_set_text(mitab_feature feature, const char* text)
{
    return StyleSet(feature, [&](mitab_feature_s& F) {
        if (!Given(text, "text"))
            return false;
        F.Text.Text = text;
        return true;
    });
}

int mitab_c_set_text_display(mitab_feature feature, double angle, double height, double width, int fg_color,
                             int bg_color, int justification, int spacing, int linetype)
{
    return StyleSet(feature, [&](mitab_feature_s& F) {
        if (!std::isfinite(angle) || !std::isfinite(height) || !std::isfinite(width) || height < 0 || width < 0) {
            SetError(CPLE_IllegalArg, "text angle, height and width must be finite, the sizes not negative");
            return false;
        }
        if (!Color(fg_color) || !Color(bg_color) || !InRange(justification, 0, 2, "justification") ||
            !InRange(spacing, 0, 2, "spacing") || !InRange(linetype, 0, 2, "line type"))
            return false;
        auto& T = F.Text;
        T.Angle = angle;
        T.Height = height;
        T.Width = width;
        T.Fore = fg_color;
        T.Back = bg_color;
        T.SetJustification(justification);
        T.Spacing = spacing;
        T.LineType = linetype;
        return true;
    });
}

/* ---- collections -------------------------------------------------------- */

mitab_feature mitab_c_get_collection_region_ref(mitab_feature feature)
{
    return MemberRef(feature, mbRegion);
}

mitab_feature mitab_c_get_collection_polyline_ref(mitab_feature feature)
{
    return MemberRef(feature, mbPolyline);
}

mitab_feature mitab_c_get_collection_multipoint_ref(mitab_feature feature)
{
    return MemberRef(feature, mbMultiPoint);
}

int mitab_c_set_collection_region(mitab_feature feature, mitab_feature region, int make_copy)
{
    return SetMember(feature, region, make_copy, mbRegion);
}

int mitab_c_set_collection_polyline(mitab_feature feature, mitab_feature polyline, int make_copy)
{
    return SetMember(feature, polyline, make_copy, mbPolyline);
}

int mitab_c_set_collection_multipoint(mitab_feature feature, mitab_feature multipoint, int make_copy)
{
    return SetMember(feature, multipoint, make_copy, mbMultiPoint);
}

/* ---- coordinate systems ------------------------------------------------- */

const char* mitab_c_get_mif_coordsys(mitab_handle handle)
{
    return DatasetText(handle, false);
}

int mitab_c_get_mif_coordsys_vb(mitab_handle handle, char* coordsys, int l)
{
    return CopyOut(DatasetText(handle, false), coordsys, l);
}

const char* mitab_c_get_extended_mif_coordsys(mitab_handle handle)
{
    return DatasetText(handle, true);
}

mitab_projinfo mitab_c_get_projinfo(mitab_handle handle)
{
    return Guarded<mitab_projinfo>(nullptr, [&] { return Given(handle, "dataset") ? ProjInfo(*handle) : nullptr; });
}

int mitab_c_set_projinfo(mitab_handle handle, mitab_projinfo projinfo)
{
    ClearError();
    return Guarded(0, [&] {
        return Given(handle, "dataset") && Given(projinfo, "projection") && SetCoordSys(*handle, projinfo->CoordSys)
                   ? 1
                   : 0;
    });
}

int mitab_c_get_projection_info(mitab_projinfo projinfo, int* nProjId, int* nEllipsoidId, int* nUnitsId,
                                mitab_proj_params* params)
{
    return Guarded(0, [&] {
        if (!Given(projinfo, "projection"))
            return 0;
        const TCoordSys& Cs = projinfo->CoordSys;
        const bool Custom = Cs.Datum == 999 || Cs.Datum == 9999;
        if (nProjId)
            *nProjId = Cs.NonEarth ? 0 : Cs.Projection;
        if (nEllipsoidId)
            *nEllipsoidId = Cs.NonEarth ? -1 : Custom ? Cs.Ellipsoid : EllipsoidOfDatum(Cs.Datum);
        if (nUnitsId)
            *nUnitsId = UnitId(Cs.Unit);
        if (params) {
            *params = {};
            std::copy(Cs.Params.begin(), Cs.Params.end(), params->params);
        }
        return 1;
    });
}

int mitab_c_set_projection_info(mitab_projinfo projinfo, int nProjId, int nEllipsoidId, int nUnitsId,
                                const mitab_proj_params* params)
{
    return Guarded(0, [&] {
        if (!Given(projinfo, "projection"))
            return 0;
        TCoordSys& Cs = projinfo->CoordSys;
        const std::string Unit = UnitName(nUnitsId);
        if (nProjId < 0 || ((nProjId == 0 || nProjId > 1) && Unit.empty())) {
            SetError(CPLE_IllegalArg, "invalid projection " + std::to_string(nProjId) + " or unit " +
                                          std::to_string(nUnitsId));
            return 0;
        }
        Cs.NonEarth = nProjId == 0;
        Cs.Projection = nProjId;
        Cs.Unit = nProjId == 1 ? std::string() : Unit;
        Cs.Params.clear();
        if (!Cs.NonEarth)
            for (int I = 0; I < ProjectionParamCount(nProjId); ++I)
                Cs.Params.push_back(params ? params->params[I] : 0.0);
        const bool Custom = Cs.Datum == 999 || Cs.Datum == 9999;
        if (Custom)
            Cs.Ellipsoid = nEllipsoidId;
        else if (!Cs.NonEarth && nEllipsoidId >= 0 && nEllipsoidId != EllipsoidOfDatum(Cs.Datum)) {
            // Another ellipsoid than the datum's: a custom datum without shift.
            Cs.Datum = 999;
            Cs.Ellipsoid = nEllipsoidId;
            Cs.Shift = {};
        }
        return 1;
    });
}

int mitab_c_get_datum_info(mitab_projinfo projinfo, double* dDatumShiftX, double* dDatumShiftY,
                           double* dDatumShiftZ, mitab_datum_params* params)
{
    return Guarded(-1, [&] {
        if (!Given(projinfo, "projection"))
            return -1;
        const TCoordSys& Cs = projinfo->CoordSys;
        if (Cs.NonEarth) {
            SetError(CPLE_IllegalArg, "a NonEarth coordinate system has no datum");
            return -1;
        }
        std::array<double, 3> Shift = Cs.Shift;
        std::array<double, 5> Extra = Cs.DatumParams;
        if (Cs.Datum != 999 && Cs.Datum != 9999) {
            // A named datum: its shift as GDAL knows it.
            std::string Ignored;
            if (const auto Srs = SpatialRefOf(Cs, Ignored)) {
                double W[7] = {};
                if (Srs->GetTOWGS84(W, 7) == OGRERR_NONE) {
                    Shift = {W[0], W[1], W[2]};
                    Extra = {W[3], W[4], W[5], W[6], 0};
                }
                Extra[4] = Srs->GetPrimeMeridian();
            }
        }
        if (dDatumShiftX)
            *dDatumShiftX = Shift[0];
        if (dDatumShiftY)
            *dDatumShiftY = Shift[1];
        if (dDatumShiftZ)
            *dDatumShiftZ = Shift[2];
        if (params)
            std::copy(Extra.begin(), Extra.end(), params->params);
        return Cs.Datum;
    });
}

int mitab_c_set_datum_info(mitab_projinfo projinfo, double dDatumShiftX, double dDatumShiftY, double dDatumShiftZ,
                           const mitab_datum_params* params)
{
    return Guarded(0, [&] {
        if (!Given(projinfo, "projection"))
            return 0;
        TCoordSys& Cs = projinfo->CoordSys;
        const int Ellipsoid = Cs.Datum == 999 || Cs.Datum == 9999 ? Cs.Ellipsoid : EllipsoidOfDatum(Cs.Datum);
        if (Cs.NonEarth || Ellipsoid < 0) {
            SetError(CPLE_IllegalArg, "the coordinate system has no known ellipsoid for a custom datum");
            return 0;
        }
        Cs.Ellipsoid = Ellipsoid;
        Cs.Shift = {dDatumShiftX, dDatumShiftY, dDatumShiftZ};
        Cs.DatumParams = {};
        if (params)
            std::copy(params->params, params->params + 5, Cs.DatumParams.begin());
        const bool Plain = std::all_of(Cs.DatumParams.begin(), Cs.DatumParams.end(), [](double V) { return V == 0; });
        Cs.Datum = Plain ? 999 : 9999;
        return 1;
    });
}

int mitab_c_get_affine_params(mitab_projinfo projinfo, int* nAffineUnits, mitab_affine_params* params)
{
    return Guarded(0, [&] {
        if (!Given(projinfo, "projection") || !projinfo->CoordSys.HasAffine)
            return 0;
        if (nAffineUnits)
            *nAffineUnits = UnitId(projinfo->CoordSys.AffineUnit);
        if (params)
            std::copy(projinfo->CoordSys.Affine.begin(), projinfo->CoordSys.Affine.end(), params->params);
        return 1;
    });
}

int mitab_c_set_affine_params(mitab_projinfo projinfo, int nAffineUnits, const mitab_affine_params* params)
{
    return Guarded(0, [&] {
        if (!Given(projinfo, "projection") || !Given(params, "affine parameters"))
            return 0;
        const std::string Unit = UnitName(nAffineUnits);
        if (Unit.empty() || Unit == "degree") {
            SetError(CPLE_IllegalArg, "invalid affine unit " + std::to_string(nAffineUnits));
            return 0;
        }
        TCoordSys& Cs = projinfo->CoordSys;
        Cs.HasAffine = true;
        Cs.AffineUnit = Unit;
        std::copy(params->params, params->params + 6, Cs.Affine.begin());
        return 1;
    });
}

} // extern "C"
