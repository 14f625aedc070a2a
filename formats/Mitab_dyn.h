#pragma once
// Mitab_dyn: the run-time binding of the MITAB library (the MITAB 1.7 C
// interface, mitab_c_*). Nothing links against the library: MITAB_load loads
// the file LibPath names and fills one procedure variable per entry point,
// named as the C function. The binding is process-wide; the library, once
// bound, is never unloaded.
//
// LibPath starts as "libmitab.so.1" in the directory libcartova was loaded
// from, where `cmake --install` (and the build tree) put Cartova's own MITAB
// library (formats/mitab). A name without '/' is searched like the system
// loader searches, never in the working directory.

#include <array>
#include <string>

namespace cartova {

/// Handles of the C interface.
using mitab_handle = void*;
using mitab_feature = void*;
using mitab_projinfo = void*;

/// Projection parameters after the CoordSys unit, in order.
using TadProjParams = std::array<double, 6>;
/// A custom datum's rotations (X, Y, Z, arc seconds), scale (ppm) and prime meridian.
using TadDatumParams = std::array<double, 5>;
/// Affine transformation A, B, C, D, E, F.
using TadAffineParams = std::array<double, 6>;

/// Feature classes.
enum TABFC : int {
    TABFC_NoGeom, TABFC_Point, TABFC_FontPoint, TABFC_CustomPoint, TABFC_Text, TABFC_Polyline,
    TABFC_Arc, TABFC_Region, TABFC_Rectangle, TABFC_Ellipse, TABFC_MultiPoint, TABFC_Collection
};
/// Field types.
enum TABFT : int {
    TABFT_Char = 1, TABFT_Integer, TABFT_SmallInt, TABFT_Decimal, TABFT_Float, TABFT_Date, TABFT_Logical,
    TABFT_Time, TABFT_DateTime
};
/// Text justification, line spacing and label line.
enum TABTJ : int { TABTJ_Left, TABTJ_Center, TABTJ_Right };
enum TABTS : int { TABTS_1, TABTS_1_5, TABTS_2 };
enum TABTL : int { TABTL_NoLine, TABTL_Simple, TABTL_Arrow };

/// The version of the interface the binding accepts (MITAB 1.7.0).
inline constexpr int MITAB_Version = 1007000;

/// The file name given to the system loader.
extern std::string LibPath;
/// -1 before any attempt; 0 bound; -2 the library did not load; -3 it lacks
/// the version entry point, or, being of the right version, any other entry
/// point; -4 it reports another version than 1007000.
extern int MITAB_LoadErr;

/// Loads LibPath and binds every entry point (each call tries again). Until
/// it succeeds every procedure variable is empty.
void MITAB_load();
/// True exactly when MITAB_LoadErr is 0.
bool MITAB_LibOK();

// Every entry point: result, name, arguments.
#define CARTOVA_MITAB_ENTRY_POINTS(X)                                                                             \
    X(int, mitab_c_getlibversion, ())                                                                             \
    X(int, mitab_c_add_field, (mitab_handle, const char*, int, int, int, int, int))                              \
    X(void, mitab_c_close, (mitab_handle))                                                                        \
    X(mitab_handle, mitab_c_create, (const char*, const char*, const char*, double, double, double, double))     \
    X(mitab_feature, mitab_c_create_feature, (mitab_handle, int))                                                 \
    X(void, mitab_c_destroy_feature, (mitab_feature))                                                             \
    X(const char*, mitab_c_getlasterrormsg, ())                                                                   \
    X(int, mitab_c_getlasterrormsg_vb, (char*, int))                                                              \
    X(int, mitab_c_getlasterrorno, ())                                                                            \
    X(int, mitab_c_get_brush_bgcolor, (mitab_feature))                                                            \
    X(int, mitab_c_get_brush_fgcolor, (mitab_feature))                                                            \
    X(int, mitab_c_get_brush_pattern, (mitab_feature))                                                            \
    X(int, mitab_c_get_brush_transparent, (mitab_feature))                                                        \
    X(const char*, mitab_c_get_extended_mif_coordsys, (mitab_handle))                                             \
    X(int, mitab_c_get_feature_count, (mitab_handle))                                                             \
    X(double, mitab_c_get_field_as_double, (mitab_feature, int))                                                  \
    X(const char*, mitab_c_get_field_as_string, (mitab_feature, int))                                             \
    X(int, mitab_c_get_field_as_string_vb, (mitab_feature, int, char*, int))                                      \
    X(int, mitab_c_get_field_count, (mitab_handle))                                                               \
    X(const char*, mitab_c_get_field_name, (mitab_handle, int))                                                   \
    X(int, mitab_c_get_field_name_vb, (mitab_handle, int, char*, int))                                            \
    X(int, mitab_c_get_field_precision, (mitab_handle, int))                                                      \
    X(int, mitab_c_get_field_type, (mitab_handle, int))                                                           \
    X(int, mitab_c_get_field_width, (mitab_handle, int))                                                          \
    X(const char*, mitab_c_get_font, (mitab_feature))                                                             \
    X(int, mitab_c_get_font_vb, (mitab_feature, char*, int))                                                      \
    X(const char*, mitab_c_get_mif_coordsys, (mitab_handle))                                                      \
    X(int, mitab_c_get_mif_coordsys_vb, (mitab_handle, char*, int))                                               \
    X(int, mitab_c_get_parts, (mitab_feature))                                                                    \
    X(int, mitab_c_get_pen_color, (mitab_feature))                                                                \
    X(int, mitab_c_get_pen_pattern, (mitab_feature))                                                              \
    X(int, mitab_c_get_pen_width, (mitab_feature))                                                                \
    X(mitab_projinfo, mitab_c_get_projinfo, (mitab_handle))                                                       \
    X(int, mitab_c_get_symbol_color, (mitab_feature))                                                             \
    X(int, mitab_c_get_symbol_no, (mitab_feature))                                                                \
    X(int, mitab_c_get_symbol_size, (mitab_feature))                                                              \
    X(const char*, mitab_c_get_text, (mitab_feature))                                                             \
    X(double, mitab_c_get_text_angle, (mitab_feature))                                                            \
    X(int, mitab_c_get_text_bgcolor, (mitab_feature))                                                             \
    X(int, mitab_c_get_text_fgcolor, (mitab_feature))                                                             \
    X(double, mitab_c_get_text_height, (mitab_feature))                                                           \
    X(int, mitab_c_get_text_justification, (mitab_feature))                                                       \
    X(int, mitab_c_get_text_linetype, (mitab_feature))                                                            \
    X(int, mitab_c_get_text_spacing, (mitab_feature))                                                             \
    X(int, mitab_c_get_text_vb, (mitab_feature, char*, int))                                                      \
    X(double, mitab_c_get_text_width, (mitab_feature))                                                            \
    X(int, mitab_c_get_type, (mitab_feature))                                                                     \
    X(int, mitab_c_get_vertex_count, (mitab_feature, int))                                                        \
    X(double, mitab_c_get_vertex_x, (mitab_feature, int, int))                                                    \
    X(double, mitab_c_get_vertex_y, (mitab_feature, int, int))                                                    \
    X(int, mitab_c_is_interior_ring, (mitab_feature, int))                                                        \
    X(int, mitab_c_load_coordsys_table, (const char*))                                                            \
    X(int, mitab_c_next_feature_id, (mitab_handle, int))                                                          \
    X(mitab_handle, mitab_c_open, (const char*))                                                                  \
    X(mitab_feature, mitab_c_read_feature, (mitab_handle, int))                                                   \
    X(int, mitab_c_set_arc, (mitab_feature, double, double, double, double, double, double))                      \
    X(int, mitab_c_set_brush, (mitab_feature, int, int, int, int))                                                \
    X(int, mitab_c_set_field, (mitab_feature, int, const char*))                                                  \
    X(int, mitab_c_set_font, (mitab_feature, const char*))                                                        \
    X(int, mitab_c_set_pen, (mitab_feature, int, int, int))                                                       \
    X(int, mitab_c_set_points, (mitab_feature, int, int, double*, double*))                                       \
    X(int, mitab_c_set_projinfo, (mitab_handle, mitab_projinfo))                                                  \
    X(int, mitab_c_set_symbol, (mitab_feature, int, int, int))                                                    \
    X(int, mitab_c_set_text, (mitab_feature, const char*))                                                        \
    X(int, mitab_c_set_text_display, (mitab_feature, double, double, double, int, int, int, int, int))            \
    X(int, mitab_c_write_feature, (mitab_handle, mitab_feature))                                                  \
    X(mitab_feature, mitab_c_get_collection_region_ref, (mitab_feature))                                          \
    X(mitab_feature, mitab_c_get_collection_polyline_ref, (mitab_feature))                                        \
    X(mitab_feature, mitab_c_get_collection_multipoint_ref, (mitab_feature))                                      \
    X(int, mitab_c_set_collection_region, (mitab_feature, mitab_feature, int))                                    \
    X(int, mitab_c_set_collection_polyline, (mitab_feature, mitab_feature, int))                                  \
    X(int, mitab_c_set_collection_multipoint, (mitab_feature, mitab_feature, int))                                \
    X(int, mitab_c_get_projection_info, (mitab_projinfo, int*, int*, int*, TadProjParams*))                       \
    X(int, mitab_c_set_projection_info, (mitab_projinfo, int, int, int, const TadProjParams*))                    \
    X(int, mitab_c_get_datum_info, (mitab_projinfo, double*, double*, double*, TadDatumParams*))                  \
    X(int, mitab_c_set_datum_info, (mitab_projinfo, double, double, double, const TadDatumParams*))               \
    X(int, mitab_c_get_affine_params, (mitab_projinfo, int*, TadAffineParams*))                                   \
    X(int, mitab_c_set_affine_params, (mitab_projinfo, int, const TadAffineParams*))                              \
    X(int, mitab_c_is_field_indexed, (mitab_handle, int))                                                         \
    X(int, mitab_c_is_field_unique, (mitab_handle, int))                                                          \
    X(int, mitab_c_set_quick_spatial_index_mode, (mitab_handle))

/// The procedure variables, one per entry point; empty until MITAB_load binds them.
#define CARTOVA_MITAB_DECLARE(Result, Name, Args) extern Result(*Name) Args;
CARTOVA_MITAB_ENTRY_POINTS(CARTOVA_MITAB_DECLARE)
#undef CARTOVA_MITAB_DECLARE

} // namespace cartova
