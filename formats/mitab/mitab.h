/*
 * mitab.h - the MITAB 1.7 C interface (mitab_c_*) for MapInfo TAB and MIF/MID
 * files, implemented over GDAL/OGR's "MapInfo File" driver.
 *
 * Handles
 *   mitab_handle    an open or new dataset (one TAB set or one MIF/MID pair);
 *                   freed by mitab_c_close.
 *   mitab_feature   one feature: its class, parts of vertices, styles and
 *                   attribute values; freed by mitab_c_destroy_feature.
 *                   A feature is independent of its dataset once created.
 *   mitab_projinfo  the projection of a dataset as a record that can be read,
 *                   changed and given to a new dataset; owned by the dataset
 *                   that mitab_c_get_projinfo took it from.
 *
 * Strings are UTF-8 (values of files with a declared charset are converted by
 * GDAL; "Neutral" files pass their bytes through). A returned `const char *`
 * stays valid until the next call of the same function on the same object
 * (or, for the error message, in the same thread) and until the object is
 * freed. Never NULL: a failure gives "".
 *
 * Errors: every call that fails sets the last error (number and message, per
 * thread). The operations on files (open, create, add_field, read_feature,
 * create_feature, write_feature, next_feature_id, close, set_projinfo,
 * set_quick_spatial_index_mode, load_coordsys_table) clear it when they
 * start, so after one of them mitab_c_getlasterrorno() is 0 exactly when it
 * succeeded. Getters and setters only set it; a getter that fails returns 0
 * (or "", or NULL for handles). Error numbers are GDAL's CPLE_* numbers:
 * 1 application error, 2 out of memory, 3 file I/O, 4 open failed,
 * 5 illegal argument, 6 not supported.
 *
 * The `_vb` variants copy into a caller's buffer of `l` bytes: at most l-1
 * bytes (never splitting a UTF-8 character) and a terminating NUL; they
 * return the length of the whole string, so a result >= l means the copy was
 * shortened. A NULL buffer or l <= 0 writes nothing.
 *
 * Colours are integers red * 65536 + green * 256 + blue.
 */
#ifndef MITAB_H_INCLUDED
#define MITAB_H_INCLUDED

#if defined(_WIN32)
#  if defined(MITAB_BUILDING)
#    define MITAB_API __declspec(dllexport)
#  else
#    define MITAB_API __declspec(dllimport)
#  endif
#else
#  define MITAB_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The version mitab_c_getlibversion answers: MITAB 1.7.0. */
#define MITAB_LIB_VERSION 1007000

typedef struct mitab_dataset_s *mitab_handle;
typedef struct mitab_feature_s *mitab_feature;
typedef struct mitab_projinfo_s *mitab_projinfo;

/* Feature classes (mitab_c_get_type, mitab_c_create_feature). */
enum {
    TABFC_NoGeom = 0,
    TABFC_Point = 1,       /* symbol of MapInfo's 3.0 symbol set */
    TABFC_FontPoint = 2,   /* character of a TrueType font */
    TABFC_CustomPoint = 3, /* bitmap symbol */
    TABFC_Text = 4,
    TABFC_Polyline = 5,
    TABFC_Arc = 6,
    TABFC_Region = 7,
    TABFC_Rectangle = 8,
    TABFC_Ellipse = 9,
    TABFC_MultiPoint = 10,
    TABFC_Collection = 11
};

/* Attribute field types (mitab_c_get_field_type, mitab_c_add_field). */
enum {
    TABFT_Char = 1,
    TABFT_Integer = 2,
    TABFT_SmallInt = 3,
    TABFT_Decimal = 4,
    TABFT_Float = 5,
    TABFT_Date = 6,
    TABFT_Logical = 7,
    TABFT_Time = 8,
    TABFT_DateTime = 9
};

/* Text justification, line spacing and label line type. */
enum { TABTJ_Left = 0, TABTJ_Center = 1, TABTJ_Right = 2 };
enum { TABTS_1 = 0, TABTS_1_5 = 1, TABTS_2 = 2 };
enum { TABTL_NoLine = 0, TABTL_Simple = 1, TABTL_Arrow = 2 };

/* Projection parameters: the numbers that follow the unit in a CoordSys
 * clause, in their order (origin longitude, origin latitude, standard
 * parallels, azimuth, scale factor, false easting, false northing, range, as
 * the projection uses them); unused ones are 0. */
typedef struct mitab_proj_params {
    double params[6];
} mitab_proj_params;

/* Datum parameters of a custom datum (CoordSys datum 9999): rotation about
 * X, Y and Z in arc seconds, scale correction in parts per million, prime
 * meridian in degrees. */
typedef struct mitab_datum_params {
    double params[5];
} mitab_datum_params;

/* Affine transformation of a CoordSys clause: X' = A*X + B*Y + C,
 * Y' = D*X + E*Y + F, in params[0] .. params[5]. */
typedef struct mitab_affine_params {
    double params[6];
} mitab_affine_params;

/* ---- library ------------------------------------------------------------ */

/* MITAB_LIB_VERSION. */
MITAB_API int mitab_c_getlibversion(void);

MITAB_API int mitab_c_getlasterrorno(void);
MITAB_API const char *mitab_c_getlasterrormsg(void);
MITAB_API int mitab_c_getlasterrormsg_vb(char *errormsg, int l);

/* Loads a table of CoordSys clauses with their bounds: one clause per line,
 * "CoordSys ... Bounds (xmin, ymin) (xmax, ymax)", or a pair of lines
 * "Source = CoordSys ..." and "Destination = CoordSys ... Bounds (...) (...)"
 * that maps a clause to another. New TAB datasets created afterwards with
 * zero bounds take their bounds (and, for a Source line, their clause) from
 * it. Returns 1, or 0 when the file cannot be read. Process-wide. */
MITAB_API int mitab_c_load_coordsys_table(const char *filename);

/* ---- datasets ------------------------------------------------------------ */

/* Opens a ".tab" or ".mif" file (by extension, any case) for reading;
 * NULL when it cannot be opened. */
MITAB_API mitab_handle mitab_c_open(const char *filename);

/* Creates a dataset; mif_or_tab is "tab" or "mif" (any case). mif_projection
 * is a CoordSys clause ("CoordSys Earth Projection 1, 104", the keyword
 * CoordSys optional; NULL or "" mean "Earth Projection 1, 0"). The bounds
 * decide the precision a TAB file stores coordinates with; all four 0 mean
 * "derive them": from a Bounds part of the clause, else from the table of
 * mitab_c_load_coordsys_table, else as GDAL derives them for the projection.
 * Writing a vertex outside the bounds fails. The files are written under
 * temporary names in the target's directory and take their own names only
 * when mitab_c_close has written every one of them without error; until
 * then, and after a failed close, any older file set of that name is
 * untouched. NULL on failure. */
MITAB_API mitab_handle mitab_c_create(const char *filename, const char *mif_or_tab,
                                      const char *mif_projection, double north, double south,
                                      double east, double west);

/* Closes the dataset and frees the handle; for a new dataset writes the
 * files and puts them in place. Whether that worked is told by
 * mitab_c_getlasterrorno() (0) afterwards. */
MITAB_API void mitab_c_close(mitab_handle handle);

MITAB_API int mitab_c_get_feature_count(mitab_handle handle);

/* Feature ids: next_feature_id(handle, -1) gives the first, then each call
 * with the previous id gives the next, and -1 follows the last. */
MITAB_API int mitab_c_next_feature_id(mitab_handle handle, int last_feature_id);
MITAB_API mitab_feature mitab_c_read_feature(mitab_handle handle, int feature_id);

/* TAB datasets being created: write the spatial index in quick mode (faster
 * to write, slower to search) instead of the optimised one. Before the first
 * feature is written. Returns 1 or 0. */
MITAB_API int mitab_c_set_quick_spatial_index_mode(mitab_handle handle);

/* ---- fields -------------------------------------------------------------- */

MITAB_API int mitab_c_get_field_count(mitab_handle handle);
MITAB_API const char *mitab_c_get_field_name(mitab_handle handle, int field);
MITAB_API int mitab_c_get_field_name_vb(mitab_handle handle, int field, char *name, int l);
/* TABFT_* of the file's own declaration. */
MITAB_API int mitab_c_get_field_type(mitab_handle handle, int field);
MITAB_API int mitab_c_get_field_width(mitab_handle handle, int field);
MITAB_API int mitab_c_get_field_precision(mitab_handle handle, int field);
MITAB_API int mitab_c_is_field_indexed(mitab_handle handle, int field);
MITAB_API int mitab_c_is_field_unique(mitab_handle handle, int field);

/* Adds a field to a dataset being created, before its first feature is
 * written. width applies to Char and Decimal, precision to Decimal. A TAB
 * field marked indexed gets an index (.ind); unique is kept as a flag of the
 * dataset (TAB and MIF files have no place for it). Returns the new field's
 * index, or -1. */
MITAB_API int mitab_c_add_field(mitab_handle handle, const char *field_name, int field_type,
                                int width, int precision, int indexed, int unique);

/* ---- features ------------------------------------------------------------ */

/* A new feature of a class (TABFC_*) with the dataset's fields, all empty,
 * and MapInfo's default styles. */
MITAB_API mitab_feature mitab_c_create_feature(mitab_handle handle, int feature_type);
/* Writes a new feature; returns 1, or 0 when it was not written. A dataset
 * that failed to write a feature (a NULL one included) is not saved:
 * mitab_c_close then leaves any older file set as it was and reports. */
MITAB_API int mitab_c_write_feature(mitab_handle handle, mitab_feature feature);
MITAB_API void mitab_c_destroy_feature(mitab_feature feature);

MITAB_API int mitab_c_get_type(mitab_feature feature);

/* Attribute values. Dates read "YYYY/MM/DD", times "HH:MM:SS", date-times
 * "YYYY/MM/DD HH:MM:SS", logicals "T" or "F", empty values "". set_field
 * also takes dates as YYYYMMDD or YYYY-MM-DD and logicals as 1/0,
 * true/false, Y/N. */
MITAB_API const char *mitab_c_get_field_as_string(mitab_feature feature, int field);
MITAB_API int mitab_c_get_field_as_string_vb(mitab_feature feature, int field, char *value, int l);
MITAB_API double mitab_c_get_field_as_double(mitab_feature feature, int field);
MITAB_API int mitab_c_set_field(mitab_feature feature, int field_index, const char *field_value);

/* Geometry as parts of vertices: a point or text has one part of one vertex
 * (a text's is the origin of its box), a multipoint one part of all its
 * points, a polyline one part per section, a region one part per ring: each
 * polygon's outer ring followed by its holes (mitab_c_is_interior_ring), in
 * the order the file gives them. A collection has no parts of its own; its
 * members are reached with the _ref functions. */
MITAB_API int mitab_c_get_parts(mitab_feature feature);
MITAB_API int mitab_c_get_vertex_count(mitab_feature feature, int part);
MITAB_API double mitab_c_get_vertex_x(mitab_feature feature, int part, int vertex);
MITAB_API double mitab_c_get_vertex_y(mitab_feature feature, int part, int vertex);
MITAB_API int mitab_c_is_interior_ring(mitab_feature feature, int requestedringindex);

/* Sets part `part` (an existing one, or the next one to append) to
 * vertex_count vertices. Region rings need not repeat their first vertex.
 * Returns 1 or 0. */
MITAB_API int mitab_c_set_points(mitab_feature feature, int part, int vertex_count, double *x,
                                 double *y);
/* Makes an arc (TABFC_Arc) the part of an ellipse centred at (center_x,
 * center_y) with the given radii, from start_angle to end_angle degrees
 * counterclockwise from east; its vertices are the arc's points. */
MITAB_API int mitab_c_set_arc(mitab_feature feature, double center_x, double center_y,
                              double x_radius, double y_radius, double start_angle,
                              double end_angle);

/* Pen: width 1..7 pixels, or 11..2047 for (width - 10) tenths of a point;
 * pattern 1 (none) .. 77 (2 solid). */
MITAB_API int mitab_c_get_pen_color(mitab_feature feature);
MITAB_API int mitab_c_get_pen_pattern(mitab_feature feature);
MITAB_API int mitab_c_get_pen_width(mitab_feature feature);
MITAB_API int mitab_c_set_pen(mitab_feature feature, int width, int pattern, int color);

/* Brush: pattern 1 (none) .. 71 (2 solid); transparent 1 when the
 * background of a hatch pattern is not painted. */
MITAB_API int mitab_c_get_brush_fgcolor(mitab_feature feature);
MITAB_API int mitab_c_get_brush_bgcolor(mitab_feature feature);
MITAB_API int mitab_c_get_brush_pattern(mitab_feature feature);
MITAB_API int mitab_c_get_brush_transparent(mitab_feature feature);
MITAB_API int mitab_c_set_brush(mitab_feature feature, int fg_color, int bg_color, int pattern,
                                int transparent);

/* Font of a text or font point; the bitmap file name of a custom point. */
MITAB_API const char *mitab_c_get_font(mitab_feature feature);
MITAB_API int mitab_c_get_font_vb(mitab_feature feature, char *font, int l);
MITAB_API int mitab_c_set_font(mitab_feature feature, const char *font_name);

/* Symbols of points, font points and custom points (size in points). */
MITAB_API int mitab_c_get_symbol_no(mitab_feature feature);
MITAB_API int mitab_c_get_symbol_size(mitab_feature feature);
MITAB_API int mitab_c_get_symbol_color(mitab_feature feature);
MITAB_API int mitab_c_set_symbol(mitab_feature feature, int symbol_no, int symbol_size,
                                 int symbol_color);

/* Texts: the string (lines separated by "\n"), angle in degrees
 * counterclockwise, height and width of the text box in map units, colours,
 * TABTJ_*, TABTS_*, TABTL_*. */
MITAB_API const char *mitab_c_get_text(mitab_feature feature);
MITAB_API int mitab_c_get_text_vb(mitab_feature feature, char *text, int l);
MITAB_API double mitab_c_get_text_angle(mitab_feature feature);
MITAB_API double mitab_c_get_text_height(mitab_feature feature);
MITAB_API double mitab_c_get_text_width(mitab_feature feature);
MITAB_API int mitab_c_get_text_fgcolor(mitab_feature feature);
MITAB_API int mitab_c_get_text_bgcolor(mitab_feature feature);
MITAB_API int mitab_c_get_text_justification(mitab_feature feature);
MITAB_API int mitab_c_get_text_spacing(mitab_feature feature);
MITAB_API int mitab_c_get_text_linetype(mitab_feature feature);
MITAB_API int mitab_c_set_text(mitab_feature feature, const char *text);
MITAB_API int mitab_c_set_text_display(mitab_feature feature, double angle, double height,
                                       double width, int fg_color, int bg_color,
                                       int justification, int spacing, int linetype);

/* Collections: each member (a region, a polyline, a multipoint) is a feature
 * owned by the collection, valid until the collection is destroyed or the
 * member replaced; NULL when the collection has none. Setting a member
 * copies the feature's geometry and styles when make_copy is non-zero, and
 * otherwise takes the feature over (the caller must not destroy it). */
MITAB_API mitab_feature mitab_c_get_collection_region_ref(mitab_feature feature);
MITAB_API mitab_feature mitab_c_get_collection_polyline_ref(mitab_feature feature);
MITAB_API mitab_feature mitab_c_get_collection_multipoint_ref(mitab_feature feature);
MITAB_API int mitab_c_set_collection_region(mitab_feature feature, mitab_feature region,
                                            int make_copy);
MITAB_API int mitab_c_set_collection_polyline(mitab_feature feature, mitab_feature polyline,
                                              int make_copy);
MITAB_API int mitab_c_set_collection_multipoint(mitab_feature feature, mitab_feature multipoint,
                                                int make_copy);

/* ---- coordinate systems -------------------------------------------------- */

/* The dataset's CoordSys clause without the keyword ("Earth Projection 1,
 * 104"), and the same followed by its bounds (" Bounds (xmin, ymin) (xmax,
 * ymax)"). */
MITAB_API const char *mitab_c_get_mif_coordsys(mitab_handle handle);
MITAB_API int mitab_c_get_mif_coordsys_vb(mitab_handle handle, char *coordsys, int l);
MITAB_API const char *mitab_c_get_extended_mif_coordsys(mitab_handle handle);

/* The dataset's projection record, owned by the dataset. */
MITAB_API mitab_projinfo mitab_c_get_projinfo(mitab_handle handle);
/* Gives a dataset being created the projection (and bounds) of a record,
 * before fields or features are added. Returns 1 or 0. */
MITAB_API int mitab_c_set_projinfo(mitab_handle handle, mitab_projinfo projinfo);

/* Projection number, ellipsoid number, unit number (MapInfo's codes: 7 metres,
 * 13 degrees, ...) and parameters. Return 1, or 0 on failure. */
MITAB_API int mitab_c_get_projection_info(mitab_projinfo projinfo, int *nProjId,
                                          int *nEllipsoidId, int *nUnitsId,
                                          mitab_proj_params *params);
MITAB_API int mitab_c_set_projection_info(mitab_projinfo projinfo, int nProjId,
                                          int nEllipsoidId, int nUnitsId,
                                          const mitab_proj_params *params);
/* Datum shift in metres and the custom datum's parameters. Returns the
 * MapInfo datum number of the record (999 or 9999 for custom datums), or -1
 * on failure. */
MITAB_API int mitab_c_get_datum_info(mitab_projinfo projinfo, double *dDatumShiftX,
                                     double *dDatumShiftY, double *dDatumShiftZ,
                                     mitab_datum_params *params);
/* Makes the datum a custom one on the record's ellipsoid (9999, or 999 when
 * every parameter is 0). Returns 1 or 0. */
MITAB_API int mitab_c_set_datum_info(mitab_projinfo projinfo, double dDatumShiftX,
                                     double dDatumShiftY, double dDatumShiftZ,
                                     const mitab_datum_params *params);
/* Returns 1 and fills units and params when the record has an affine
 * transformation, 0 when it has none or on failure. */
MITAB_API int mitab_c_get_affine_params(mitab_projinfo projinfo, int *nAffineUnits,
                                        mitab_affine_params *params);
MITAB_API int mitab_c_set_affine_params(mitab_projinfo projinfo, int nAffineUnits,
                                        const mitab_affine_params *params);

#ifdef __cplusplus
}
#endif

#endif /* MITAB_H_INCLUDED */
