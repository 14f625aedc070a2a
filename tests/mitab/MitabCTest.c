/*
 * The MITAB C interface on its own: a C program that writes TAB and MIF
 * files through the interface, reads them back and checks every value, and
 * checks the errors of bad calls. Run with a group name (see Groups below),
 * or without one for every group.
 */
#include "mitab.h"

#include <math.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <dirent.h>
#include <unistd.h>

static int Failures;

static void Fail(const char *File, int Line, const char *Format, ...)
{
    va_list Args;
    fprintf(stderr, "%s:%d: ", File, Line);
    va_start(Args, Format);
    vfprintf(stderr, Format, Args);
    va_end(Args);
    fprintf(stderr, " (last error %d: %s)\n", mitab_c_getlasterrorno(), mitab_c_getlasterrormsg());
    ++Failures;
}

#define CHECK(Cond)                                                                                \
    do {                                                                                           \
        if (!(Cond))                                                                               \
            Fail(__FILE__, __LINE__, "failed: %s", #Cond);                                         \
    } while (0)
#define CHECK_INT(A, B)                                                                            \
    do {                                                                                           \
        long long A_ = (A), B_ = (B);                                                              \
        if (A_ != B_)                                                                              \
            Fail(__FILE__, __LINE__, "%s is %lld, expected %lld", #A, A_, B_);                     \
    } while (0)
#define CHECK_NEAR(A, B, Eps)                                                                      \
    do {                                                                                           \
        double A_ = (A), B_ = (B);                                                                 \
        if (!(fabs(A_ - B_) <= (Eps)))                                                             \
            Fail(__FILE__, __LINE__, "%s is %.12g, expected %.12g", #A, A_, B_);                   \
    } while (0)
#define CHECK_STR(A, B)                                                                            \
    do {                                                                                           \
        const char *A_ = (A), *B_ = (B);                                                           \
        if (!A_ || strcmp(A_, B_) != 0)                                                            \
            Fail(__FILE__, __LINE__, "%s is \"%s\", expected \"%s\"", #A, A_ ? A_ : "(null)", B_);  \
    } while (0)
/* The call failed and said why. */
#define CHECK_ERROR(No)                                                                            \
    do {                                                                                           \
        CHECK_INT(mitab_c_getlasterrorno(), No);                                                   \
        CHECK(strlen(mitab_c_getlasterrormsg()) > 0);                                              \
    } while (0)
#define CHECK_NO_ERROR() CHECK_INT(mitab_c_getlasterrorno(), 0)

enum { IllegalArg = 5, NotSupported = 6, OpenFailed = 4 };

static char Dir[1024];

/* A fresh folder for a group under the output folder. */
static void UseFolder(const char *Name)
{
    char Command[2200];
    snprintf(Dir, sizeof Dir, "%s/%s", MITAB_TEST_OUTPUT_DIR, Name);
    snprintf(Command, sizeof Command, "rm -rf '%s' && mkdir -p '%s'", Dir, Dir);
    if (system(Command) != 0)
        Fail(__FILE__, __LINE__, "cannot make %s", Dir);
}

static const char *PathOf(const char *Name)
{
    static char Paths[4][1200];
    static int Next;
    char *P = Paths[Next++ % 4];
    snprintf(P, sizeof Paths[0], "%s/%s", Dir, Name);
    return P;
}

static int Exists(const char *Name)
{
    struct stat S;
    return stat(PathOf(Name), &S) == 0;
}

/* Entries of the folder whose names begin with Prefix. */
static int CountEntries(const char *Prefix)
{
    int N = 0;
    DIR *D = opendir(Dir);
    struct dirent *E;
    while (D && (E = readdir(D)) != NULL)
        if (strncmp(E->d_name, Prefix, strlen(Prefix)) == 0)
            ++N;
    if (D)
        closedir(D);
    return N;
}

static int SetPoints(mitab_feature F, int Part, int N, const double *XY)
{
    double X[64], Y[64];
    int I;
    for (I = 0; I < N; ++I) {
        X[I] = XY[2 * I];
        Y[I] = XY[2 * I + 1];
    }
    return mitab_c_set_points(F, Part, N, X, Y);
}

static void CheckVertices(mitab_feature F, int Part, int N, const double *XY)
{
    int I;
    CHECK_INT(mitab_c_get_vertex_count(F, Part), N);
    for (I = 0; I < N && I < mitab_c_get_vertex_count(F, Part); ++I) {
        CHECK_NEAR(mitab_c_get_vertex_x(F, Part, I), XY[2 * I], 1e-4);
        CHECK_NEAR(mitab_c_get_vertex_y(F, Part, I), XY[2 * I + 1], 1e-4);
    }
}

/* The feature with the given id, which must read. */
static mitab_feature Read(mitab_handle H, int Id)
{
    mitab_feature F = mitab_c_read_feature(H, Id);
    if (!F)
        Fail(__FILE__, __LINE__, "feature %d does not read", Id);
    return F;
}

/* ---- a dataset with every field type and feature class ----------------- */

static const char *Utm = "CoordSys Earth Projection 8, 104, \"m\", 15, 0, 0.9996, 500000, 0";

enum { FChar, FInt, FSmall, FDec, FFloat, FDate, FLogical, FTime, FDateTime, FieldCount };

static void AddFields(mitab_handle H, int IndexName)
{
    CHECK_INT(mitab_c_add_field(H, "name", TABFT_Char, 20, 0, IndexName, 1), FChar);
    CHECK_INT(mitab_c_add_field(H, "count", TABFT_Integer, 0, 0, 0, 0), FInt);
    CHECK_INT(mitab_c_add_field(H, "small", TABFT_SmallInt, 0, 0, 0, 0), FSmall);
    CHECK_INT(mitab_c_add_field(H, "amount", TABFT_Decimal, 10, 2, 0, 0), FDec);
    CHECK_INT(mitab_c_add_field(H, "ratio", TABFT_Float, 0, 0, 0, 0), FFloat);
    CHECK_INT(mitab_c_add_field(H, "day", TABFT_Date, 0, 0, 0, 0), FDate);
    CHECK_INT(mitab_c_add_field(H, "flag", TABFT_Logical, 0, 0, 0, 0), FLogical);
    CHECK_INT(mitab_c_add_field(H, "at", TABFT_Time, 0, 0, 0, 0), FTime);
    CHECK_INT(mitab_c_add_field(H, "stamp", TABFT_DateTime, 0, 0, 0, 0), FDateTime);
}

static void SetValues(mitab_feature F, const char *Name, int N)
{
    char Text[32];
    CHECK(mitab_c_set_field(F, FChar, Name));
    snprintf(Text, sizeof Text, "%d", N * 1000);
    CHECK(mitab_c_set_field(F, FInt, Text));
    snprintf(Text, sizeof Text, "%d", -N);
    CHECK(mitab_c_set_field(F, FSmall, Text));
    snprintf(Text, sizeof Text, "%d.25", N);
    CHECK(mitab_c_set_field(F, FDec, Text));
    CHECK(mitab_c_set_field(F, FFloat, "0.5"));
    CHECK(mitab_c_set_field(F, FDate, "20240229"));
    CHECK(mitab_c_set_field(F, FLogical, N % 2 ? "true" : "F"));
    CHECK(mitab_c_set_field(F, FTime, "123456"));
    CHECK(mitab_c_set_field(F, FDateTime, "2024-02-29 23:59:58"));
}

static void CheckValues(mitab_feature F, const char *Name, int N)
{
    char Text[32];
    CHECK_STR(mitab_c_get_field_as_string(F, FChar), Name);
    snprintf(Text, sizeof Text, "%d", N * 1000);
    CHECK_STR(mitab_c_get_field_as_string(F, FInt), Text);
    CHECK_NEAR(mitab_c_get_field_as_double(F, FInt), N * 1000.0, 0);
    snprintf(Text, sizeof Text, "%d", -N);
    CHECK_STR(mitab_c_get_field_as_string(F, FSmall), Text);
    snprintf(Text, sizeof Text, "%d.25", N);
    CHECK_STR(mitab_c_get_field_as_string(F, FDec), Text);
    CHECK_NEAR(mitab_c_get_field_as_double(F, FDec), N + 0.25, 1e-12);
    CHECK_NEAR(mitab_c_get_field_as_double(F, FFloat), 0.5, 0);
    CHECK_STR(mitab_c_get_field_as_string(F, FDate), "2024/02/29");
    CHECK_NEAR(mitab_c_get_field_as_double(F, FDate), 0, 0);
    CHECK_STR(mitab_c_get_field_as_string(F, FLogical), N % 2 ? "T" : "F");
    CHECK_STR(mitab_c_get_field_as_string(F, FTime), "12:34:56");
    CHECK_STR(mitab_c_get_field_as_string(F, FDateTime), "2024/02/29 23:59:58");
}

static const double Outer[] = {500000, 100, 500100, 100, 500100, 200, 500000, 200};
static const double Hole[] = {500020, 120, 500040, 120, 500040, 140, 500020, 140};
static const double Island[] = {501000, 0, 501010, 0, 501010, 10};
static const double Line1[] = {500000, 0, 500010, 10};
static const double Line2[] = {500020, 0, 500030, 10, 500040, 0};

/* Writes one feature of each class, the collection last. */
static void WriteEveryClass(mitab_handle H)
{
    mitab_feature F, Region, Line;
    const double P1[] = {500001, 1}, P2[] = {500002, 2}, P3[] = {500003, 3}, P4[] = {500004, 4};
    const double Corners[] = {500010, 10, 500000, 30}, Multi[] = {500001, 1, 500002, 2, 500003, 3};

    F = mitab_c_create_feature(H, TABFC_Point);
    CHECK(SetPoints(F, 0, 1, P1));
    CHECK(mitab_c_set_symbol(F, 34, 14, 0xFF0000));
    SetValues(F, "point", 1);
    CHECK(mitab_c_write_feature(H, F));
    mitab_c_destroy_feature(F);

    F = mitab_c_create_feature(H, TABFC_FontPoint);
    CHECK(SetPoints(F, 0, 1, P2));
    CHECK(mitab_c_set_font(F, "Wingdings"));
    CHECK(mitab_c_set_symbol(F, 70, 18, 0x00FF00));
    SetValues(F, "font point", 2);
    CHECK(mitab_c_write_feature(H, F));
    mitab_c_destroy_feature(F);

    F = mitab_c_create_feature(H, TABFC_CustomPoint);
    CHECK(SetPoints(F, 0, 1, P3));
    CHECK(mitab_c_set_font(F, "pin1-32.bmp"));
    CHECK(mitab_c_set_symbol(F, 0, 24, 0));
    SetValues(F, "custom", 3);
    CHECK(mitab_c_write_feature(H, F));
    mitab_c_destroy_feature(F);

    F = mitab_c_create_feature(H, TABFC_Text);
    CHECK(SetPoints(F, 0, 1, P4));
    CHECK(mitab_c_set_text(F, "Zürich"));
    CHECK(mitab_c_set_font(F, "Courier New"));
    CHECK(mitab_c_set_text_display(F, 30, 5, 18, 0x0000FF, 0xFFFFFF, TABTJ_Right, TABTS_2, TABTL_Arrow));
    SetValues(F, "text", 4);
    CHECK(mitab_c_write_feature(H, F));
    mitab_c_destroy_feature(F);

    F = mitab_c_create_feature(H, TABFC_Polyline);
    CHECK(SetPoints(F, 0, 2, Line1));
    CHECK(SetPoints(F, 1, 3, Line2));
    CHECK(mitab_c_set_pen(F, 3, 9, 0x123456));
    SetValues(F, "polyline", 5);
    CHECK(mitab_c_write_feature(H, F));
    mitab_c_destroy_feature(F);

    /* Rings given as outer, island, hole: the hole finds its outer ring. */
    F = mitab_c_create_feature(H, TABFC_Region);
    CHECK(SetPoints(F, 0, 4, Outer));
    CHECK(SetPoints(F, 1, 3, Island));
    CHECK(SetPoints(F, 2, 4, Hole));
    CHECK_INT(mitab_c_is_interior_ring(F, 0), 0);
    CHECK_INT(mitab_c_is_interior_ring(F, 1), 0);
    CHECK_INT(mitab_c_is_interior_ring(F, 2), 1);
    CHECK(mitab_c_set_pen(F, 2, 2, 0x0000FF));
    CHECK(mitab_c_set_brush(F, 0xFFFF00, 0x00FFFF, 7, 0));
    SetValues(F, "region", 6);
    CHECK(mitab_c_write_feature(H, F));
    mitab_c_destroy_feature(F);

    F = mitab_c_create_feature(H, TABFC_Rectangle);
    CHECK(SetPoints(F, 0, 2, Corners));
    CHECK(mitab_c_set_brush(F, 0xFF00FF, 0, 3, 1));
    SetValues(F, "rectangle", 7);
    CHECK(mitab_c_write_feature(H, F));
    mitab_c_destroy_feature(F);

    F = mitab_c_create_feature(H, TABFC_Arc);
    CHECK(mitab_c_set_arc(F, 500050, 50, 10, 5, 0, 90));
    SetValues(F, "arc", 8);
    CHECK(mitab_c_write_feature(H, F));
    mitab_c_destroy_feature(F);

    F = mitab_c_create_feature(H, TABFC_Ellipse);
    CHECK(SetPoints(F, 0, 2, Corners));
    SetValues(F, "ellipse", 9);
    CHECK(mitab_c_write_feature(H, F));
    mitab_c_destroy_feature(F);

    F = mitab_c_create_feature(H, TABFC_MultiPoint);
    CHECK(SetPoints(F, 0, 3, Multi));
    CHECK(mitab_c_set_symbol(F, 36, 10, 0x0000FF));
    SetValues(F, "multipoint", 10);
    CHECK(mitab_c_write_feature(H, F));
    mitab_c_destroy_feature(F);

    F = mitab_c_create_feature(H, TABFC_NoGeom);
    SetValues(F, "none", 11);
    CHECK(mitab_c_write_feature(H, F));
    mitab_c_destroy_feature(F);

    /* A collection of a copied region and a polyline it takes over. */
    F = mitab_c_create_feature(H, TABFC_Collection);
    CHECK(mitab_c_get_collection_region_ref(F) == NULL);
    CHECK_NO_ERROR();
    Region = mitab_c_create_feature(H, TABFC_Region);
    CHECK(SetPoints(Region, 0, 4, Outer));
    CHECK(mitab_c_set_brush(Region, 0x00FF00, 0, 2, 1));
    CHECK(mitab_c_set_collection_region(F, Region, 1));
    mitab_c_destroy_feature(Region);
    Line = mitab_c_create_feature(H, TABFC_Polyline);
    CHECK(SetPoints(Line, 0, 2, Line1));
    CHECK(mitab_c_set_collection_polyline(F, Line, 0));
    CHECK(mitab_c_get_collection_polyline_ref(F) == Line);
    CHECK_INT(mitab_c_get_vertex_count(mitab_c_get_collection_region_ref(F), 0), 4);
    CHECK(mitab_c_get_collection_multipoint_ref(F) == NULL);
    SetValues(F, "collection", 12);
    CHECK(mitab_c_write_feature(H, F));
    mitab_c_destroy_feature(F);
}

static void CheckEveryClass(mitab_handle H, int IsTab)
{
    const double P1[] = {500001, 1}, P2[] = {500002, 2}, P3[] = {500003, 3}, P4[] = {500004, 4};
    const double Rect[] = {500000, 10, 500010, 10, 500010, 30, 500000, 30, 500000, 10};
    const double Multi[] = {500001, 1, 500002, 2, 500003, 3};
    double Closed[10];
    mitab_feature F;
    int Id = mitab_c_next_feature_id(H, -1), I;

    /* GDAL stores a multipoint's points, and a collection's members, as
     * objects of their own. */
    CHECK_INT(mitab_c_get_feature_count(H), 15);
    F = Read(H, Id);
    CHECK_INT(mitab_c_get_type(F), TABFC_Point);
    CheckVertices(F, 0, 1, P1);
    CHECK_INT(mitab_c_get_symbol_no(F), 34);
    CHECK_INT(mitab_c_get_symbol_size(F), 14);
    CHECK_INT(mitab_c_get_symbol_color(F), 0xFF0000);
    CheckValues(F, "point", 1);
    mitab_c_destroy_feature(F);

    F = Read(H, Id = mitab_c_next_feature_id(H, Id));
    CHECK_INT(mitab_c_get_type(F), TABFC_FontPoint);
    CheckVertices(F, 0, 1, P2);
    CHECK_STR(mitab_c_get_font(F), "Wingdings");
    CHECK_INT(mitab_c_get_symbol_no(F), 70);
    CHECK_INT(mitab_c_get_symbol_size(F), 18);
    CHECK_INT(mitab_c_get_symbol_color(F), 0x00FF00);
    mitab_c_destroy_feature(F);

    F = Read(H, Id = mitab_c_next_feature_id(H, Id));
    CHECK_INT(mitab_c_get_type(F), TABFC_CustomPoint);
    CheckVertices(F, 0, 1, P3);
    CHECK_STR(mitab_c_get_font(F), "pin1-32.bmp");
    CHECK_INT(mitab_c_get_symbol_size(F), 24);
    mitab_c_destroy_feature(F);

    F = Read(H, Id = mitab_c_next_feature_id(H, Id));
    CHECK_INT(mitab_c_get_type(F), TABFC_Text);
    CHECK_STR(mitab_c_get_text(F), "Zürich");
    CHECK_STR(mitab_c_get_font(F), "Courier New");
    CHECK_NEAR(mitab_c_get_text_angle(F), 30, 1e-9);
    /* GDAL's MIF writer stores the box of a rotated text, which reads
     * back taller. */
    if (IsTab)
        CHECK_NEAR(mitab_c_get_text_height(F), 5, 1e-4);
    CHECK(mitab_c_get_text_width(F) > 0);
    CHECK_INT(mitab_c_get_text_fgcolor(F), 0x0000FF);
    CHECK_INT(mitab_c_get_text_justification(F), TABTJ_Right);
    /* GDAL keeps neither spacing nor label lines. */
    CHECK_INT(mitab_c_get_text_spacing(F), TABTS_1);
    CHECK_INT(mitab_c_get_text_linetype(F), TABTL_NoLine);
    if (IsTab)
        CheckVertices(F, 0, 1, P4);
    CheckValues(F, "text", 4);
    mitab_c_destroy_feature(F);

    F = Read(H, Id = mitab_c_next_feature_id(H, Id));
    CHECK_INT(mitab_c_get_type(F), TABFC_Polyline);
    CHECK_INT(mitab_c_get_parts(F), 2);
    CheckVertices(F, 0, 2, Line1);
    CheckVertices(F, 1, 3, Line2);
    CHECK_INT(mitab_c_get_pen_width(F), 3);
    CHECK_INT(mitab_c_get_pen_pattern(F), 9);
    CHECK_INT(mitab_c_get_pen_color(F), 0x123456);
    mitab_c_destroy_feature(F);

    /* The region comes back as polygons, each outer ring before its holes. */
    F = Read(H, Id = mitab_c_next_feature_id(H, Id));
    CHECK_INT(mitab_c_get_type(F), TABFC_Region);
    CHECK_INT(mitab_c_get_parts(F), 3);
    CHECK_INT(mitab_c_get_vertex_count(F, 0), 5);
    CHECK_INT(mitab_c_is_interior_ring(F, 0), 0);
    CHECK_INT(mitab_c_is_interior_ring(F, 1), 1);
    CHECK_INT(mitab_c_is_interior_ring(F, 2), 0);
    for (I = 0; I < 8; ++I)
        Closed[I] = Hole[I];
    Closed[8] = Hole[0];
    Closed[9] = Hole[1];
    CheckVertices(F, 1, 5, Closed);
    CHECK_NEAR(mitab_c_get_vertex_x(F, 2, 0), Island[0], 1e-4);
    CHECK_INT(mitab_c_get_pen_width(F), 2);
    CHECK_INT(mitab_c_get_pen_color(F), 0x0000FF);
    CHECK_INT(mitab_c_get_brush_pattern(F), 7);
    CHECK_INT(mitab_c_get_brush_fgcolor(F), 0xFFFF00);
    CHECK_INT(mitab_c_get_brush_bgcolor(F), 0x00FFFF);
    CHECK_INT(mitab_c_get_brush_transparent(F), 0);
    CheckValues(F, "region", 6);
    mitab_c_destroy_feature(F);

    /* A rectangle is stored as a closed five-point region. */
    F = Read(H, Id = mitab_c_next_feature_id(H, Id));
    CHECK_INT(mitab_c_get_type(F), TABFC_Region);
    CheckVertices(F, 0, 5, Rect);
    CHECK_INT(mitab_c_get_brush_pattern(F), 3);
    CHECK_INT(mitab_c_get_brush_transparent(F), 1);
    mitab_c_destroy_feature(F);

    /* An arc is stored as a polyline through its points. */
    F = Read(H, Id = mitab_c_next_feature_id(H, Id));
    CHECK_INT(mitab_c_get_type(F), TABFC_Polyline);
    CHECK_NEAR(mitab_c_get_vertex_x(F, 0, 0), 500060, 1e-4);
    CHECK_NEAR(mitab_c_get_vertex_y(F, 0, mitab_c_get_vertex_count(F, 0) - 1), 55, 1e-4);
    CHECK_STR(mitab_c_get_field_as_string(F, FChar), "arc");
    mitab_c_destroy_feature(F);

    F = Read(H, Id = mitab_c_next_feature_id(H, Id));
    CHECK_INT(mitab_c_get_type(F), TABFC_Region);
    CHECK(mitab_c_get_vertex_count(F, 0) > 90);
    CHECK_NEAR(mitab_c_get_vertex_x(F, 0, 0), 500010, 1e-4);
    CHECK_NEAR(mitab_c_get_vertex_y(F, 0, 0), 20, 1e-4);
    mitab_c_destroy_feature(F);

    /* The multipoint's points, each with the multipoint's values. */
    for (I = 0; I < 3; ++I) {
        F = Read(H, Id = mitab_c_next_feature_id(H, Id));
        CHECK_INT(mitab_c_get_type(F), TABFC_Point);
        CheckVertices(F, 0, 1, Multi + 2 * I);
        CHECK_INT(mitab_c_get_symbol_no(F), 36);
        CHECK_STR(mitab_c_get_field_as_string(F, FChar), "multipoint");
        mitab_c_destroy_feature(F);
    }
    F = Read(H, Id = mitab_c_next_feature_id(H, Id));
    CHECK_INT(mitab_c_get_type(F), TABFC_NoGeom);
    CHECK_INT(mitab_c_get_parts(F), 0);
    CheckValues(F, "none", 11);
    mitab_c_destroy_feature(F);

    F = Read(H, Id = mitab_c_next_feature_id(H, Id));
    CHECK_INT(mitab_c_get_type(F), TABFC_Region);
    CHECK_INT(mitab_c_get_brush_fgcolor(F), 0x00FF00);
    CHECK_STR(mitab_c_get_field_as_string(F, FChar), "collection");
    mitab_c_destroy_feature(F);
    F = Read(H, Id = mitab_c_next_feature_id(H, Id));
    CHECK_INT(mitab_c_get_type(F), TABFC_Polyline);
    CheckVertices(F, 0, 2, Line1);
    mitab_c_destroy_feature(F);
    CHECK_INT(mitab_c_next_feature_id(H, Id), -1);
    CHECK_NO_ERROR();
}

static void WriteAndRead(const char *Kind)
{
    const int IsTab = strcmp(Kind, "tab") == 0;
    const char *Name = IsTab ? "every.tab" : "every.mif";
    mitab_handle H;

    UseFolder(IsTab ? "every_tab" : "every_mif");
    H = mitab_c_create(PathOf(Name), Kind, Utm, 1000, -1000, 510000, 490000);
    CHECK(H != NULL);
    if (!H)
        return;
    AddFields(H, IsTab);
    CHECK_INT(mitab_c_get_field_count(H), FieldCount);
    CHECK_STR(mitab_c_get_field_name(H, FDec), "amount");
    CHECK_INT(mitab_c_get_field_type(H, FSmall), TABFT_SmallInt);
    CHECK_INT(mitab_c_get_field_width(H, FChar), 20);
    CHECK_INT(mitab_c_get_field_width(H, FDec), 10);
    CHECK_INT(mitab_c_get_field_precision(H, FDec), 2);
    CHECK_INT(mitab_c_is_field_indexed(H, FChar), IsTab);
    CHECK_INT(mitab_c_is_field_unique(H, FChar), 1);
    CHECK_INT(mitab_c_is_field_unique(H, FInt), 0);
    WriteEveryClass(H);
    CHECK_INT(mitab_c_get_feature_count(H), 12);
    /* Nothing is in place before the dataset is closed. */
    CHECK(!Exists(Name));
    mitab_c_close(H);
    CHECK_NO_ERROR();
    CHECK(Exists(Name));
    CHECK_INT(CountEntries(".every"), 0);
    if (IsTab)
        CHECK(Exists("every.dat") && Exists("every.map") && Exists("every.id") && Exists("every.ind"));
    else
        CHECK(Exists("every.mid"));

    H = mitab_c_open(PathOf(Name));
    CHECK(H != NULL);
    if (!H)
        return;
    CHECK_STR(mitab_c_get_mif_coordsys(H), Utm + strlen("CoordSys "));
    if (IsTab)
        CHECK_STR(mitab_c_get_extended_mif_coordsys(H),
                  "Earth Projection 8, 104, \"m\", 15, 0, 0.9996, 500000, 0 Bounds (490000, -1000) (510000, 1000)");
    CHECK_INT(mitab_c_get_field_count(H), FieldCount);
    CHECK_STR(mitab_c_get_field_name(H, FDateTime), "stamp");
    CHECK_INT(mitab_c_get_field_type(H, FChar), TABFT_Char);
    CHECK_INT(mitab_c_get_field_type(H, FDec), TABFT_Decimal);
    CHECK_INT(mitab_c_get_field_type(H, FFloat), TABFT_Float);
    CHECK_INT(mitab_c_get_field_type(H, FDate), TABFT_Date);
    CHECK_INT(mitab_c_get_field_type(H, FTime), TABFT_Time);
    CHECK_INT(mitab_c_get_field_type(H, FDateTime), TABFT_DateTime);
    /* GDAL writes SmallInt as Integer and Logical as Char(1). */
    CHECK_INT(mitab_c_get_field_type(H, FSmall), TABFT_Integer);
    CHECK_INT(mitab_c_get_field_type(H, FLogical), TABFT_Char);
    CHECK_INT(mitab_c_get_field_width(H, FChar), 20);
    CHECK_INT(mitab_c_get_field_precision(H, FDec), 2);
    CHECK_INT(mitab_c_is_field_indexed(H, FChar), IsTab);
    CHECK_INT(mitab_c_is_field_indexed(H, FInt), 0);
    CheckEveryClass(H, IsTab);
    mitab_c_close(H);
    CHECK_NO_ERROR();
}

static void GroupTab(void)
{
    WriteAndRead("tab");
}

static void GroupMif(void)
{
    WriteAndRead("mif");
}

/* ---- bad calls ---------------------------------------------------------- */

static int FeatureCountOf(const char *Path)
{
    mitab_handle H = mitab_c_open(Path);
    int N = H ? mitab_c_get_feature_count(H) : -1;
    if (H)
        mitab_c_close(H);
    return N;
}

/* Writing a feature of Class with N points (or a NULL feature for Class -1)
 * over e.tab fails for the reason Why, and so does closing; e.tab keeps its
 * one feature. */
static void Rejected(int Class, int N, const double *XY, const char *Why)
{
    const double Valid[] = {1, 1};
    mitab_handle H = mitab_c_create(PathOf("e.tab"), "tab", "Earth Projection 1, 104", 90, -90, 180, -180);
    mitab_feature F = Class < 0 ? NULL : mitab_c_create_feature(H, Class), G;
    if (F && N > 0)
        CHECK(SetPoints(F, 0, N, XY));
    CHECK_INT(mitab_c_write_feature(H, F), 0);
    CHECK_ERROR(IllegalArg);
    CHECK(strstr(mitab_c_getlasterrormsg(), Why) != NULL);
    G = mitab_c_create_feature(H, TABFC_Point);
    CHECK(SetPoints(G, 0, 1, Valid));
    CHECK_INT(mitab_c_write_feature(H, G), 0);
    mitab_c_close(H);
    CHECK_ERROR(3);
    CHECK(strstr(mitab_c_getlasterrormsg(), Why) != NULL);
    mitab_c_destroy_feature(F);
    mitab_c_destroy_feature(G);
    CHECK_INT(FeatureCountOf(PathOf("e.tab")), 1);
    CHECK_INT(CountEntries(".e."), 0);
}

static void GroupErrors(void)
{
    char Buffer[8];
    mitab_handle H;
    mitab_feature F;
    const double Two[] = {0, 0, 1, 1}, Nan[] = {0, 0, NAN, 1}, Far[] = {5000, 5000};

    UseFolder("errors");
    CHECK_INT(mitab_c_getlibversion(), 1007000);

    CHECK(mitab_c_open(NULL) == NULL);
    CHECK_ERROR(IllegalArg);
    CHECK(mitab_c_open(PathOf("none.shp")) == NULL);
    CHECK_ERROR(OpenFailed);
    CHECK(mitab_c_open(PathOf("missing.tab")) == NULL);
    CHECK(mitab_c_getlasterrorno() != 0);
    CHECK(strstr(mitab_c_getlasterrormsg(), "missing.tab") != NULL);

    /* The message copied into a small buffer is cut, and says how long it is. */
    memset(Buffer, 'x', sizeof Buffer);
    CHECK_INT(mitab_c_getlasterrormsg_vb(Buffer, 5), (int)strlen(mitab_c_getlasterrormsg()));
    CHECK_INT((int)strlen(Buffer), 4);
    CHECK(strncmp(Buffer, mitab_c_getlasterrormsg(), 4) == 0);
    CHECK(Buffer[5] == 'x');
    CHECK_INT(mitab_c_getlasterrormsg_vb(NULL, 100), (int)strlen(mitab_c_getlasterrormsg()));

    /* NULL handles fail with an error and a neutral result. */
    CHECK_INT(mitab_c_get_field_count(NULL), 0);
    CHECK_ERROR(IllegalArg);
    CHECK_STR(mitab_c_get_text(NULL), "");
    CHECK_NEAR(mitab_c_get_vertex_x(NULL, 0, 0), 0, 0);
    CHECK_INT(mitab_c_next_feature_id(NULL, -1), -1);
    CHECK_ERROR(IllegalArg);
    mitab_c_close(NULL);
    CHECK_ERROR(IllegalArg);
    mitab_c_destroy_feature(NULL);

    /* Bad arguments of create. */
    CHECK(mitab_c_create(PathOf("a.tab"), "shp", Utm, 0, 0, 0, 0) == NULL);
    CHECK_ERROR(IllegalArg);
    CHECK(mitab_c_create(PathOf("a.mif"), "tab", Utm, 0, 0, 0, 0) == NULL);
    CHECK_ERROR(IllegalArg);
    CHECK(mitab_c_create(PathOf("a.tab"), "tab", "CoordSys Earth Projection", 0, 0, 0, 0) == NULL);
    CHECK_ERROR(IllegalArg);
    CHECK(mitab_c_create(PathOf("a.tab"), "tab", "CoordSys Earth Projection 999, 104", 0, 0, 0, 0) == NULL);
    CHECK_ERROR(IllegalArg);
    CHECK(mitab_c_create(PathOf("a.tab"), "tab", "Earth Projection 1, 104 Affine Units \"m\", 1, 0, 0, 0, 1, 0",
                         0, 0, 0, 0) == NULL);
    CHECK_ERROR(NotSupported);
    CHECK(mitab_c_create(PathOf("a.tab"), "tab", Utm, 10, 10, 5, 5) == NULL);
    CHECK_ERROR(IllegalArg);
    CHECK(mitab_c_create(PathOf("no/such/folder/a.tab"), "tab", Utm, 0, 0, 0, 0) == NULL);
    CHECK_ERROR(OpenFailed);
    CHECK_INT(CountEntries(""), 2); /* ".", ".." */

    /* A dataset being written: bad fields, features and styles fail alone. */
    H = mitab_c_create(PathOf("e.tab"), "TAB", "CoordSys Earth Projection 1, 104", 90, -90, 180, -180);
    CHECK(H != NULL);
    if (!H)
        return;
    CHECK_INT(mitab_c_add_field(H, "", TABFT_Char, 10, 0, 0, 0), -1);
    CHECK_ERROR(IllegalArg);
    CHECK_INT(mitab_c_add_field(H, "c", TABFT_Char, 300, 0, 0, 0), -1);
    CHECK_ERROR(IllegalArg);
    CHECK_INT(mitab_c_add_field(H, "d", TABFT_Decimal, 5, 5, 0, 0), -1);
    CHECK_INT(mitab_c_add_field(H, "x", 42, 0, 0, 0, 0), -1);
    CHECK_INT(mitab_c_add_field(H, "c", TABFT_Char, 10, 0, 0, 0), 0);
    CHECK_INT(mitab_c_add_field(H, "C", TABFT_Integer, 0, 0, 0, 0), -1);
    CHECK_ERROR(IllegalArg);
    CHECK_INT(mitab_c_add_field(H, "n", TABFT_Integer, 0, 0, 0, 0), 1);
    CHECK_NO_ERROR();
    CHECK(mitab_c_create_feature(H, 12) == NULL);
    CHECK_ERROR(IllegalArg);
    CHECK_INT(mitab_c_next_feature_id(H, -1), -1);
    CHECK_ERROR(NotSupported);
    CHECK(mitab_c_read_feature(H, 1) == NULL);
    CHECK_ERROR(NotSupported);
    CHECK_INT(mitab_c_set_quick_spatial_index_mode(H), 0);
    CHECK_ERROR(NotSupported);

    F = mitab_c_create_feature(H, TABFC_Region);
    CHECK(SetPoints(F, 0, 2, Two));
    CHECK_INT(SetPoints(F, 2, 2, Two), 0); /* leaves a gap */
    CHECK_ERROR(IllegalArg);
    CHECK_INT(mitab_c_set_points(F, 1, 0, (double *)Two, (double *)Two), 0);
    CHECK_ERROR(IllegalArg);
    CHECK_INT(mitab_c_set_points(F, 1, 1, NULL, (double *)Two), 0);
    CHECK_ERROR(IllegalArg);
    CHECK_INT(mitab_c_set_pen(F, 8, 2, 0), 0);
    CHECK_ERROR(IllegalArg);
    CHECK_INT(mitab_c_set_pen(F, 1, 2, 0x1000000), 0);
    CHECK_INT(mitab_c_set_brush(F, -1, 0, 2, 0), 0);
    CHECK_INT(mitab_c_set_symbol(F, 35, 0, 0), 0);
    CHECK_INT(mitab_c_set_text_display(F, 0, -1, 0, 0, 0, 0, 0, 0), 0);
    CHECK_INT(mitab_c_set_text_display(F, 0, 1, 1, 0, 0, 3, 0, 0), 0);
    CHECK_INT(mitab_c_set_arc(F, 0, 0, 1, 1, 0, 90), 0); /* not an arc */
    CHECK_ERROR(IllegalArg);
    CHECK(mitab_c_get_collection_region_ref(F) == NULL);
    CHECK_ERROR(IllegalArg);
    CHECK_INT(mitab_c_set_collection_region(F, F, 1), 0);
    CHECK_INT(mitab_c_get_vertex_count(F, 5), 0);
    CHECK_ERROR(IllegalArg);
    CHECK_NEAR(mitab_c_get_vertex_y(F, 0, 2), 0, 0);
    CHECK_ERROR(IllegalArg);
    CHECK_INT(mitab_c_set_field(F, 2, "x"), 0);
    CHECK_ERROR(IllegalArg);
    CHECK_STR(mitab_c_get_field_as_string(F, -1), "");
    CHECK_ERROR(IllegalArg);
    /* The styles kept their values. */
    CHECK_INT(mitab_c_get_pen_width(F), 1);
    CHECK_INT(mitab_c_get_brush_pattern(F), 2);
    CHECK_INT(mitab_c_get_brush_fgcolor(F), 0xFFFFFF);
    CHECK_INT(mitab_c_get_symbol_no(F), 35);
    mitab_c_destroy_feature(F);

    F = mitab_c_create_feature(H, TABFC_Point);
    CHECK(SetPoints(F, 0, 1, Two));
    CHECK(mitab_c_set_field(F, 0, "kept"));
    CHECK_INT(mitab_c_write_feature(H, F), 1);
    CHECK_NO_ERROR();
    mitab_c_destroy_feature(F);
    CHECK_INT(mitab_c_add_field(H, "late", TABFT_Char, 5, 0, 0, 0), -1);
    CHECK_ERROR(NotSupported);
    mitab_c_close(H);
    CHECK_NO_ERROR();

    /* A feature that cannot be written spoils the new set: the old one stays. */
    Rejected(TABFC_Polyline, 1, Two, "two points");
    Rejected(TABFC_Polyline, 2, Nan, "finite");
    Rejected(TABFC_Point, 0, Two, "position");
    Rejected(TABFC_Point, 1, Far, "outside");
    Rejected(TABFC_Region, 2, Two, "three points");
    Rejected(-1, 0, Two, "NULL");

    H = mitab_c_open(PathOf("e.tab"));
    CHECK(H != NULL);
    if (!H)
        return;
    CHECK_INT(mitab_c_get_feature_count(H), 1);
    F = Read(H, mitab_c_next_feature_id(H, -1));
    CHECK_STR(mitab_c_get_field_as_string(F, 0), "kept");
    CHECK_STR(mitab_c_get_field_as_string(F, 1), "0"); /* TAB numbers cannot be empty */
    mitab_c_destroy_feature(F);
    CHECK_INT(mitab_c_add_field(H, "more", TABFT_Char, 5, 0, 0, 0), -1);
    CHECK_ERROR(NotSupported);
    F = mitab_c_create_feature(H, TABFC_Point);
    CHECK_INT(mitab_c_write_feature(H, F), 0);
    CHECK_ERROR(NotSupported);
    mitab_c_destroy_feature(F);
    mitab_c_close(H);
}

/* ---- values --------------------------------------------------------------- */

static void GroupValues(void)
{
    mitab_handle H;
    mitab_feature F;
    char Buffer[16];
    UseFolder("values");
    H = mitab_c_create(PathOf("v.mif"), "mif", NULL, 0, 0, 0, 0);
    CHECK(H != NULL);
    if (!H)
        return;
    CHECK_STR(mitab_c_get_mif_coordsys(H), "Earth Projection 1, 0");
    AddFields(H, 0);
    F = mitab_c_create_feature(H, TABFC_NoGeom);
    CHECK_INT(mitab_c_set_field(F, FInt, "12abc"), 0);
    CHECK_ERROR(IllegalArg);
    CHECK_INT(mitab_c_set_field(F, FInt, "4294967296"), 0);
    CHECK_INT(mitab_c_set_field(F, FSmall, "40000"), 0);
    CHECK_INT(mitab_c_set_field(F, FDec, "1,5"), 0);
    CHECK_INT(mitab_c_set_field(F, FDate, "20230229"), 0); /* not a leap year */
    CHECK_INT(mitab_c_set_field(F, FDate, "2024-13-01"), 0);
    CHECK_INT(mitab_c_set_field(F, FTime, "25:00:00"), 0);
    CHECK_INT(mitab_c_set_field(F, FLogical, "maybe"), 0);
    CHECK_INT(mitab_c_set_field(F, FDateTime, "2024/01/02"), 0);
    CHECK_ERROR(IllegalArg);
    /* Rejected values left the old ones. */
    CHECK_STR(mitab_c_get_field_as_string(F, FInt), "");

    CHECK(mitab_c_set_field(F, FInt, " -17 "));
    CHECK_STR(mitab_c_get_field_as_string(F, FInt), "-17");
    CHECK(mitab_c_set_field(F, FSmall, "+32767"));
    CHECK_STR(mitab_c_get_field_as_string(F, FSmall), "32767");
    CHECK(mitab_c_set_field(F, FDec, "-1e3"));
    CHECK_NEAR(mitab_c_get_field_as_double(F, FDec), -1000, 0);
    CHECK(mitab_c_set_field(F, FDate, "2000-02-29"));
    CHECK_STR(mitab_c_get_field_as_string(F, FDate), "2000/02/29");
    CHECK(mitab_c_set_field(F, FTime, "07:08:09.010"));
    CHECK_STR(mitab_c_get_field_as_string(F, FTime), "07:08:09.010");
    CHECK(mitab_c_set_field(F, FDateTime, "20000229070809"));
    CHECK_STR(mitab_c_get_field_as_string(F, FDateTime), "2000/02/29 07:08:09");
    CHECK(mitab_c_set_field(F, FLogical, "Y"));
    CHECK_STR(mitab_c_get_field_as_string(F, FLogical), "T");
    CHECK_NEAR(mitab_c_get_field_as_double(F, FLogical), 1, 0);
    CHECK(mitab_c_set_field(F, FChar, "  Привет, мир  "));
    CHECK_STR(mitab_c_get_field_as_string(F, FChar), "  Привет, мир  ");
    CHECK(mitab_c_set_field(F, FFloat, ""));
    CHECK_STR(mitab_c_get_field_as_string(F, FFloat), "");
    CHECK_NEAR(mitab_c_get_field_as_double(F, FFloat), 0, 0);

    /* Copies into small buffers never split a character nor overflow. */
    memset(Buffer, 'x', sizeof Buffer);
    CHECK_INT(mitab_c_get_field_as_string_vb(F, FChar, Buffer, 6), (int)strlen("  Привет, мир  "));
    CHECK_STR(Buffer, "  П");
    CHECK(Buffer[6] == 'x');
    CHECK_INT(mitab_c_get_field_as_string_vb(F, FChar, Buffer, 0), (int)strlen("  Привет, мир  "));
    CHECK_INT(mitab_c_get_field_name_vb(H, FDateTime, Buffer, sizeof Buffer), 5);
    CHECK_STR(Buffer, "stamp");
    CHECK_INT(mitab_c_get_field_name_vb(H, 99, Buffer, sizeof Buffer), 0);
    CHECK_STR(Buffer, "");
    CHECK_ERROR(IllegalArg);
    CHECK_INT(mitab_c_get_mif_coordsys_vb(H, Buffer, 7), 21);
    CHECK_STR(Buffer, "Earth ");
    CHECK(mitab_c_write_feature(H, F));
    mitab_c_destroy_feature(F);
    mitab_c_close(H);
    CHECK_NO_ERROR();

    H = mitab_c_open(PathOf("v.mif"));
    CHECK(H != NULL);
    if (!H)
        return;
    F = Read(H, mitab_c_next_feature_id(H, -1));
    CHECK_STR(mitab_c_get_field_as_string(F, FChar), "  Привет, мир  ");
    CHECK_STR(mitab_c_get_field_as_string(F, FInt), "-17");
    CHECK_STR(mitab_c_get_field_as_string(F, FDate), "2000/02/29");
    CHECK_STR(mitab_c_get_field_as_string(F, FDateTime), "2000/02/29 07:08:09");
    CHECK_STR(mitab_c_get_field_as_string(F, FFloat), "0"); /* GDAL reads empty numbers as 0 */
    /* A MIF file has the field types it declares. */
    CHECK_INT(mitab_c_get_field_type(H, FSmall), TABFT_Integer);
    mitab_c_destroy_feature(F);
    mitab_c_close(H);
}

/* ---- texts and symbols --------------------------------------------------- */

static void GroupTexts(void)
{
    mitab_handle H;
    mitab_feature F;
    char Buffer[8];
    const double P[] = {10, 20};

    UseFolder("texts");
    H = mitab_c_create(PathOf("t.tab"), "tab", "Earth Projection 1, 104", 0, 0, 0, 0);
    CHECK(H != NULL);
    if (!H)
        return;
    F = mitab_c_create_feature(H, TABFC_Text);
    CHECK_STR(mitab_c_get_font(F), "Arial");
    CHECK_INT(mitab_c_get_text_justification(F), TABTJ_Left);
    CHECK(SetPoints(F, 0, 1, P));
    CHECK(mitab_c_set_text(F, "line one\nline \"two\""));
    CHECK_INT(mitab_c_set_font(F, "Times \"New\" Roman"), 0);
    CHECK_ERROR(IllegalArg);
    CHECK(mitab_c_set_font(F, "Times New Roman"));
    CHECK(mitab_c_set_text_display(F, -45, 0.5, 2, 0xFF8000, 0x00FF00, TABTJ_Center, TABTS_1_5, TABTL_Simple));
    CHECK_NEAR(mitab_c_get_text_width(F), 2, 0);
    CHECK_INT(mitab_c_get_text_bgcolor(F), 0x00FF00);
    CHECK_INT(mitab_c_get_text_spacing(F), TABTS_1_5);
    CHECK_INT(mitab_c_get_text_linetype(F), TABTL_Simple);
    CHECK_INT(mitab_c_get_text_vb(F, Buffer, sizeof Buffer), 19);
    CHECK_STR(Buffer, "line on");
    CHECK_INT(mitab_c_get_font_vb(F, Buffer, 4), 15);
    CHECK_STR(Buffer, "Tim");
    CHECK(mitab_c_write_feature(H, F));
    mitab_c_destroy_feature(F);
    mitab_c_close(H);
    CHECK_NO_ERROR();

    H = mitab_c_open(PathOf("t.tab"));
    CHECK(H != NULL);
    if (!H)
        return;
    /* Zero bounds were derived from the CoordSys, as GDAL does for lat/long. */
    CHECK_STR(mitab_c_get_extended_mif_coordsys(H), "Earth Projection 1, 104 Bounds (-1000, -1000) (1000, 1000)");
    F = Read(H, mitab_c_next_feature_id(H, -1));
    CHECK_INT(mitab_c_get_type(F), TABFC_Text);
    CHECK_STR(mitab_c_get_text(F), "line one\nline \"two\"");
    CHECK_STR(mitab_c_get_font(F), "Times New Roman");
    /* A dataset given no fields numbers its features in a field FID. */
    CHECK_INT(mitab_c_get_field_count(H), 1);
    CHECK_STR(mitab_c_get_field_name(H, 0), "FID");
    CHECK_STR(mitab_c_get_field_as_string(F, 0), "1");
    CHECK_NEAR(mitab_c_get_text_angle(F), 315, 1e-9);
    CHECK_NEAR(mitab_c_get_text_height(F), 0.5, 1e-6);
    CHECK_INT(mitab_c_get_text_fgcolor(F), 0xFF8000);
    CHECK_INT(mitab_c_get_text_justification(F), TABTJ_Center);
    CheckVertices(F, 0, 1, P);
    mitab_c_destroy_feature(F);
    mitab_c_close(H);
}

/* ---- reading in order and at random --------------------------------------- */

/* Writes N points with "n<i>" values and returns the path. */
static const char *WritePoints(const char *Name, const char *Kind, int N, int Indexed)
{
    const char *Path = PathOf(Name);
    mitab_handle H = mitab_c_create(Path, Kind, Utm, 0, 0, 0, 0);
    int I;
    CHECK(H != NULL);
    if (!H)
        return Path;
    CHECK_INT(mitab_c_add_field(H, "name", TABFT_Char, 12, 0, Indexed, 0), 0);
    for (I = 0; I < N; ++I) {
        char Value[16];
        const double P[] = {500000.0 + I, I};
        mitab_feature F = mitab_c_create_feature(H, TABFC_Point);
        snprintf(Value, sizeof Value, "n%d", I);
        CHECK(mitab_c_set_field(F, 0, Value));
        CHECK(SetPoints(F, 0, 1, P));
        CHECK(mitab_c_write_feature(H, F));
        mitab_c_destroy_feature(F);
    }
    mitab_c_close(H);
    CHECK_NO_ERROR();
    return Path;
}

static void CheckName(mitab_handle H, int Id, const char *Name)
{
    mitab_feature F = Read(H, Id);
    if (F)
        CHECK_STR(mitab_c_get_field_as_string(F, 0), Name);
    mitab_c_destroy_feature(F);
}

static void GroupReading(void)
{
    int Pass;
    UseFolder("reading");
    for (Pass = 0; Pass < 2; ++Pass) {
        const char *Path = WritePoints(Pass ? "r.mif" : "r.tab", Pass ? "mif" : "tab", 5, 0);
        mitab_handle H = mitab_c_open(Path);
        int Ids[5], I, Id;
        CHECK(H != NULL);
        if (!H)
            return;
        CHECK_INT(mitab_c_get_feature_count(H), 5);
        for (I = 0, Id = mitab_c_next_feature_id(H, -1); Id != -1 && I < 5; Id = mitab_c_next_feature_id(H, Id))
            Ids[I++] = Id;
        CHECK_INT(I, 5);
        CHECK_INT(Id, -1);
        CHECK_NO_ERROR();
        /* Ids count from 1; reading starts again from -1. */
        CHECK_INT(Ids[0], 1);
        CHECK_INT(Ids[4], 5);
        CHECK_INT(mitab_c_next_feature_id(H, -1), 1);
        /* Any id continues after itself; random reads in between do not disturb. */
        CHECK_INT(mitab_c_next_feature_id(H, 3), 4);
        CheckName(H, 2, "n1");
        CheckName(H, 4, "n3");
        CHECK_INT(mitab_c_next_feature_id(H, 4), 5);
        CheckName(H, 5, "n4");
        CheckName(H, 1, "n0");
        CHECK_INT(mitab_c_next_feature_id(H, 5), -1);
        CHECK_INT(mitab_c_next_feature_id(H, -7), -1);
        CHECK_ERROR(IllegalArg);
        CHECK(mitab_c_read_feature(H, 6) == NULL);
        CHECK(mitab_c_getlasterrorno() != 0);
        CHECK(mitab_c_read_feature(H, -3) == NULL);
        CHECK(mitab_c_getlasterrorno() != 0);
        CHECK_INT(mitab_c_get_field_type(H, 0), TABFT_Char);
        CHECK_INT(mitab_c_get_field_type(H, 1), 0);
        CHECK_ERROR(IllegalArg);
        mitab_c_close(H);
        CHECK_NO_ERROR();
    }
}

/* ---- saves replace the old set only when complete ---------------------------- */

static void GroupSaving(void)
{
    mitab_handle H;
    mitab_feature F;
    pid_t Child;
    int Status = 0;
    const double P[] = {500001, 1};

    UseFolder("saving");
    WritePoints("s.tab", "tab", 3, 1);
    CHECK(Exists("s.ind"));

    /* While the new set is written the old one stays readable and whole. */
    H = mitab_c_create(PathOf("s.tab"), "tab", Utm, 0, 0, 0, 0);
    CHECK(H != NULL);
    if (!H)
        return;
    CHECK_INT(mitab_c_set_quick_spatial_index_mode(H), 1);
    CHECK_INT(mitab_c_add_field(H, "name", TABFT_Char, 12, 0, 0, 0), 0);
    F = mitab_c_create_feature(H, TABFC_Point);
    CHECK(SetPoints(F, 0, 1, P));
    CHECK(mitab_c_write_feature(H, F));
    mitab_c_destroy_feature(F);
    CHECK_INT(FeatureCountOf(PathOf("s.tab")), 3);
    mitab_c_close(H);
    CHECK_NO_ERROR();
    CHECK_INT(FeatureCountOf(PathOf("s.tab")), 1);
    /* The old set's index is gone with it. */
    CHECK(!Exists("s.ind"));
    CHECK_INT(CountEntries(".s."), 0);

    /* A save that runs out of space fails and leaves the old set. */
    WritePoints("s.tab", "tab", 3, 1);
    Child = fork();
    if (Child == 0) {
        struct rlimit Limit = {2048, 2048};
        int I, Failed = 0;
        signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &Limit);
        H = mitab_c_create(PathOf("s.tab"), "tab", Utm, 0, 0, 0, 0);
        if (!H)
            _exit(2);
        mitab_c_add_field(H, "name", TABFT_Char, 200, 0, 0, 0);
        for (I = 0; I < 100 && !Failed; ++I) {
            const double Q[] = {500000.0 + I, I};
            F = mitab_c_create_feature(H, TABFC_Point);
            mitab_c_set_field(F, 0, "a long value to fill the file quickly");
            SetPoints(F, 0, 1, Q);
            Failed = !mitab_c_write_feature(H, F);
            mitab_c_destroy_feature(F);
        }
        /* Whether a write or the close found it, close reports it. */
        mitab_c_close(H);
        _exit(Failed && mitab_c_getlasterrorno() != 0 ? 0 : 1);
    }
    CHECK(Child > 0);
    waitpid(Child, &Status, 0);
    CHECK(WIFEXITED(Status) && WEXITSTATUS(Status) == 0);
    CHECK_INT(FeatureCountOf(PathOf("s.tab")), 3);
    CHECK(Exists("s.ind"));
    CHECK_INT(CountEntries(".s."), 0);

    /* A name the new set cannot take fails the save before anything moves. */
    mkdir(PathOf("d.dat"), 0755);
    H = mitab_c_create(PathOf("d.tab"), "tab", Utm, 0, 0, 0, 0);
    CHECK(H != NULL);
    mitab_c_close(H);
    CHECK_ERROR(3);
    CHECK(strstr(mitab_c_getlasterrormsg(), "d.dat") != NULL);
    CHECK(!Exists("d.tab"));
    CHECK_INT(CountEntries(".d."), 0);

    /* An empty dataset is a valid set. */
    H = mitab_c_create(PathOf("empty.mif"), "mif", Utm, 0, 0, 0, 0);
    mitab_c_close(H);
    CHECK_NO_ERROR();
    CHECK_INT(FeatureCountOf(PathOf("empty.mif")), 0);
}

/* ---- coordinate systems --------------------------------------------------- */

static void GroupCoordSys(void)
{
    mitab_handle H, New;
    mitab_projinfo Info;
    mitab_proj_params Proj;
    mitab_datum_params Datum;
    mitab_affine_params Affine = {{1, 0, 10, 0, 1, 20}};
    int ProjId = -1, Ellipsoid = -1, Units = -1, AffineUnits = -1;
    double Dx = 1, Dy = 1, Dz = 1;
    FILE *Table;
    mitab_feature F;
    const double Inside[] = {500, 500}, Outside[] = {2000, 10}, Small[] = {5, -5};

    UseFolder("coordsys");
    WritePoints("utm.tab", "tab", 1, 0);
    H = mitab_c_open(PathOf("utm.tab"));
    CHECK(H != NULL);
    if (!H)
        return;
    Info = mitab_c_get_projinfo(H);
    CHECK(Info != NULL);
    CHECK_INT(mitab_c_get_projection_info(Info, &ProjId, &Ellipsoid, &Units, &Proj), 1);
    CHECK_INT(ProjId, 8);
    CHECK_INT(Ellipsoid, 28); /* WGS 84 */
    CHECK_INT(Units, 7);      /* metres */
    CHECK_NEAR(Proj.params[0], 15, 0);
    CHECK_NEAR(Proj.params[2], 0.9996, 1e-12);
    CHECK_NEAR(Proj.params[3], 500000, 0);
    CHECK_NEAR(Proj.params[5], 0, 0);
    CHECK_INT(mitab_c_get_datum_info(Info, &Dx, &Dy, &Dz, &Datum), 104);
    CHECK_NEAR(Dx + Dy + Dz, 0, 0);
    CHECK_INT(mitab_c_get_affine_params(Info, &AffineUnits, NULL), 0);

    /* A changed record gives a new dataset its projection. */
    Proj.params[0] = 21;
    CHECK_INT(mitab_c_set_projection_info(Info, 8, Ellipsoid, 7, &Proj), 1);
    Datum.params[0] = Datum.params[1] = Datum.params[2] = Datum.params[4] = 0;
    Datum.params[3] = 1.5;
    CHECK_INT(mitab_c_set_datum_info(Info, 24, -123, -94, &Datum), 1);
    CHECK_INT(mitab_c_get_datum_info(Info, &Dx, &Dy, &Dz, NULL), 9999);
    CHECK_NEAR(Dy, -123, 0);
    New = mitab_c_create(PathOf("new.tab"), "tab", NULL, 0, 0, 0, 0);
    CHECK_INT(mitab_c_set_projinfo(New, Info), 1);
    CHECK_STR(mitab_c_get_mif_coordsys(New),
              "Earth Projection 8, 9999, 28, 24, -123, -94, 0, 0, 0, 1.5, 0, \"m\", 21, 0, 0.9996, 500000, 0");
    /* An affine transformation GDAL cannot write. */
    CHECK_INT(mitab_c_set_affine_params(Info, 7, &Affine), 1);
    CHECK_INT(mitab_c_get_affine_params(Info, &AffineUnits, &Affine), 1);
    CHECK_INT(AffineUnits, 7);
    CHECK_NEAR(Affine.params[5], 20, 0);
    CHECK_INT(mitab_c_set_projinfo(New, Info), 0);
    CHECK_ERROR(NotSupported);
    CHECK_INT(mitab_c_set_projection_info(Info, 8, 28, 99, &Proj), 0);
    CHECK_ERROR(IllegalArg);
    /* GDAL reads a TAB file without objects as one without projection. */
    F = mitab_c_create_feature(New, TABFC_Point);
    CHECK(SetPoints(F, 0, 1, Inside));
    CHECK(mitab_c_write_feature(New, F));
    mitab_c_destroy_feature(F);
    mitab_c_close(New);
    CHECK_NO_ERROR();
    mitab_c_close(H);

    H = mitab_c_open(PathOf("new.tab"));
    CHECK(H != NULL);
    if (!H)
        return;
    CHECK(strstr(mitab_c_get_mif_coordsys(H), "Earth Projection 8, 9999, 28, 24, -123, -94") != NULL);
    CHECK(strstr(mitab_c_get_mif_coordsys(H), "\"m\", 21, 0, 0.9996, 500000, 0") != NULL);
    mitab_c_close(H);

    /* A table of bounds decides those of new files with zero bounds. */
    CHECK_INT(mitab_c_load_coordsys_table(PathOf("missing.txt")), 0);
    CHECK_ERROR(OpenFailed);
    Table = fopen(PathOf("bounds.txt"), "w");
    fprintf(Table, "# a comment\n%s\n", "CoordSys Earth Projection 8, 104, \"m\", 15, 0, 0.9996, 500000, 0");
    fclose(Table);
    CHECK_INT(mitab_c_load_coordsys_table(PathOf("bounds.txt")), 0);
    CHECK_ERROR(1);
    Table = fopen(PathOf("bounds.txt"), "w");
    fprintf(Table, "%s Bounds (0, 0) (1000, 1000)\n", Utm);
    fclose(Table);
    CHECK_INT(mitab_c_load_coordsys_table(PathOf("bounds.txt")), 1);
    CHECK_NO_ERROR();
    H = mitab_c_create(PathOf("table.tab"), "tab", Utm, 0, 0, 0, 0);
    F = mitab_c_create_feature(H, TABFC_Point);
    CHECK(SetPoints(F, 0, 1, Outside));
    CHECK_INT(mitab_c_write_feature(H, F), 0);
    CHECK(strstr(mitab_c_getlasterrormsg(), "outside the bounds 0,0,1000,1000") != NULL);
    mitab_c_close(H);
    CHECK_ERROR(3);
    H = mitab_c_create(PathOf("table.tab"), "tab", Utm, 0, 0, 0, 0);
    CHECK(SetPoints(F, 0, 1, Inside));
    CHECK_INT(mitab_c_write_feature(H, F), 1);
    mitab_c_destroy_feature(F);
    mitab_c_close(H);
    CHECK_NO_ERROR();
    H = mitab_c_open(PathOf("table.tab"));
    CHECK(H != NULL);
    if (!H)
        return;
    CHECK(strstr(mitab_c_get_extended_mif_coordsys(H), "Bounds (0, 0) (1000, 1000)") != NULL);
    mitab_c_close(H);

    /* Bounds in the clause count when the arguments are zero; a MIF file
     * keeps its clause's Bounds. */
    H = mitab_c_create(PathOf("clause.tab"), "tab", "CoordSys NonEarth Units \"m\" Bounds (-10, -10) (10, 10)", 0,
                       0, 0, 0);
    CHECK_INT(mitab_c_set_quick_spatial_index_mode(H), 1);
    F = mitab_c_create_feature(H, TABFC_Point);
    CHECK(SetPoints(F, 0, 1, Small));
    CHECK_INT(mitab_c_write_feature(H, F), 1);
    mitab_c_destroy_feature(F);
    mitab_c_close(H);
    H = mitab_c_open(PathOf("clause.tab"));
    CHECK(H != NULL);
    if (H) {
        CHECK_STR(mitab_c_get_extended_mif_coordsys(H), "NonEarth Units \"m\" Bounds (-10, -10) (10, 10)");
        mitab_c_close(H);
    }
    Table = fopen(PathOf("nonearth.mif"), "w");
    fprintf(Table, "Version 300\nCharset \"Neutral\"\nDelimiter \",\"\nCoordSys NonEarth Units \"km\"\n"
                   "  Bounds (0, 0) (50, 60)\nColumns 1\n  a Char(5)\nData\n\nPoint 1 2\n");
    fclose(Table);
    Table = fopen(PathOf("nonearth.mid"), "w");
    fprintf(Table, "\"x\"\n");
    fclose(Table);
    H = mitab_c_open(PathOf("nonearth.mif"));
    CHECK(H != NULL);
    if (H) {
        CHECK_STR(mitab_c_get_extended_mif_coordsys(H), "NonEarth Units \"km\" Bounds (0, 0) (50, 60)");
        Info = mitab_c_get_projinfo(H);
        CHECK_INT(mitab_c_get_projection_info(Info, &ProjId, NULL, &Units, NULL), 1);
        CHECK_INT(ProjId, 0);
        CHECK_INT(Units, 1);
        CHECK_INT(mitab_c_get_datum_info(Info, NULL, NULL, NULL, NULL), -1);
        CHECK_ERROR(IllegalArg);
        CHECK_INT(mitab_c_set_quick_spatial_index_mode(H), 0);
        CHECK_ERROR(NotSupported);
        mitab_c_close(H);
    }
}

/* ---- main ----------------------------------------------------------------- */

static const struct {
    const char *Name;
    void (*Run)(void);
} Groups[] = {{"tab", GroupTab},         {"mif", GroupMif},         {"errors", GroupErrors},
              {"values", GroupValues},   {"texts", GroupTexts},     {"reading", GroupReading},
              {"saving", GroupSaving},   {"coordsys", GroupCoordSys}};

int main(int argc, char **argv)
{
    size_t I;
    int Ran = 0;
    for (I = 0; I < sizeof Groups / sizeof Groups[0]; ++I)
        if (argc < 2 || strcmp(argv[1], Groups[I].Name) == 0) {
            Groups[I].Run();
            ++Ran;
        }
    if (Ran == 0) {
        fprintf(stderr, "unknown group %s\n", argv[1]);
        return 2;
    }
    if (Failures)
        fprintf(stderr, "%d checks failed\n", Failures);
    return Failures ? 1 : 0;
}
