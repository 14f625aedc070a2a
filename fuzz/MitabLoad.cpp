// Fuzz target of the MITAB library's reading: the input holds the files of a
// TAB set one after another, separated by the marks below (.tab, .dat,
// .map, .id); they are written to a temporary folder and read through the
// interface, every feature with every getter. The first two parts are also
// read as a MIF/MID pair. Hostile files must end in an error result, never
// a crash.
#include "mitab.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view Mark = "\n--MITAB-NEXT-FILE--\n";

const std::string& Folder()
{
    static const std::string Dir = [] {
        char Pattern[] = "/tmp/cartova-fuzz-mitab-XXXXXX";
        const char* D = ::mkdtemp(Pattern);
        return std::string(D ? D : "/tmp");
    }();
    return Dir;
}

void Put(const std::string& Path, std::string_view Bytes)
{
    if (std::FILE* F = std::fopen(Path.c_str(), "wb")) {
        if (!Bytes.empty())
            std::fwrite(Bytes.data(), 1, Bytes.size(), F);
        std::fclose(F);
    }
}

void ReadFeature(mitab_handle H, mitab_feature F)
{
    char Buf[16];
    for (int I = 0; I < mitab_c_get_field_count(H); ++I) {
        mitab_c_get_field_as_string(F, I);
        mitab_c_get_field_as_string_vb(F, I, Buf, sizeof Buf);
        mitab_c_get_field_as_double(F, I);
    }
    for (int P = 0; P < mitab_c_get_parts(F); ++P) {
        mitab_c_is_interior_ring(F, P);
        for (int V = 0; V < mitab_c_get_vertex_count(F, P); ++V) {
            mitab_c_get_vertex_x(F, P, V);
            mitab_c_get_vertex_y(F, P, V);
        }
    }
    mitab_c_get_type(F);
    mitab_c_get_pen_width(F);
    mitab_c_get_pen_pattern(F);
    mitab_c_get_pen_color(F);
    mitab_c_get_brush_pattern(F);
    mitab_c_get_brush_fgcolor(F);
    mitab_c_get_brush_bgcolor(F);
    mitab_c_get_brush_transparent(F);
    mitab_c_get_symbol_no(F);
    mitab_c_get_symbol_size(F);
    mitab_c_get_symbol_color(F);
    mitab_c_get_font_vb(F, Buf, sizeof Buf);
    mitab_c_get_text_vb(F, Buf, sizeof Buf);
    mitab_c_get_text_angle(F);
    mitab_c_get_text_height(F);
    mitab_c_get_text_width(F);
    mitab_c_get_text_fgcolor(F);
    mitab_c_get_text_bgcolor(F);
    mitab_c_get_text_justification(F);
    mitab_c_get_text_spacing(F);
    mitab_c_get_text_linetype(F);
    for (mitab_feature M : {mitab_c_get_collection_region_ref(F), mitab_c_get_collection_polyline_ref(F),
                            mitab_c_get_collection_multipoint_ref(F)})
        if (M)
            mitab_c_get_parts(M);
}

void ReadAll(const std::string& Path)
{
    mitab_handle H = mitab_c_open(Path.c_str());
    if (!H)
        return;
    char Buf[16];
    mitab_c_get_feature_count(H);
    mitab_c_get_extended_mif_coordsys(H);
    mitab_c_get_mif_coordsys_vb(H, Buf, sizeof Buf);
    for (int I = 0; I < mitab_c_get_field_count(H); ++I) {
        mitab_c_get_field_name_vb(H, I, Buf, sizeof Buf);
        mitab_c_get_field_type(H, I);
        mitab_c_get_field_width(H, I);
        mitab_c_get_field_precision(H, I);
        mitab_c_is_field_indexed(H, I);
    }
    mitab_projinfo Info = mitab_c_get_projinfo(H);
    int Proj, Ellipsoid, Units;
    mitab_proj_params Params;
    mitab_c_get_projection_info(Info, &Proj, &Ellipsoid, &Units, &Params);
    mitab_c_get_datum_info(Info, nullptr, nullptr, nullptr, nullptr);
    // Feature ids are bounded by the file; a hostile count must not loop forever.
    int Guard = 0;
    for (int Id = mitab_c_next_feature_id(H, -1); Id != -1 && Guard < 100000;
         Id = mitab_c_next_feature_id(H, Id), ++Guard) {
        if (mitab_feature F = mitab_c_read_feature(H, Id)) {
            ReadFeature(H, F);
            mitab_c_destroy_feature(F);
        }
    }
    mitab_c_close(H);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    std::string_view Rest(reinterpret_cast<const char*>(Data), Size);
    std::string_view Parts[4];
    for (auto& Part : Parts) {
        const std::size_t At = Rest.find(Mark);
        Part = Rest.substr(0, At);
        Rest = At == std::string_view::npos ? std::string_view() : Rest.substr(At + Mark.size());
    }
    const std::string Base = Folder() + "/input";
    const char* TabSet[] = {".tab", ".dat", ".map", ".id"};
    for (int I = 0; I < 4; ++I)
        Put(Base + TabSet[I], Parts[I]);
    ReadAll(Base + ".tab");
    Put(Base + ".mif", Parts[0]);
    Put(Base + ".mid", Parts[1]);
    ReadAll(Base + ".mif");
    return 0;
}
