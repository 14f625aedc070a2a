// The MITAB interface against GDAL's own tools: TAB and MIF files made by
// ogr2ogr read through the interface with the counts, coordinates, values
// and styles ogrinfo reports, and ogrinfo reads the files the interface
// writes the same way the interface does.
#include "mitab.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Shell(const std::string& Command)
{
    std::string Out;
    if (std::FILE* P = popen((Command + " 2>/dev/null").c_str(), "r")) {
        char Buf[4096];
        std::size_t N;
        while ((N = std::fread(Buf, 1, sizeof Buf, P)) > 0)
            Out.append(Buf, N);
        pclose(P);
    }
    return Out;
}

std::string Folder(const std::string& Name)
{
    const std::string Dir = std::string(MITAB_TEST_OUTPUT_DIR) + "/gdal/" + Name;
    fs::remove_all(Dir);
    fs::create_directories(Dir);
    return Dir;
}

void Write(const std::string& Path, const std::string& Text)
{
    std::ofstream(Path, std::ios::binary) << Text;
}

std::string Read(const std::string& Path)
{
    std::ifstream In(Path, std::ios::binary);
    std::stringstream S;
    S << In.rdbuf();
    return S.str();
}

// A dataset or feature that is closed or destroyed at the end of its scope.
struct TDataset {
    explicit TDataset(const std::string& Path) : H(mitab_c_open(Path.c_str())) {}
    ~TDataset()
    {
        if (H)
            mitab_c_close(H);
    }
    TDataset(const TDataset&) = delete;
    TDataset& operator=(const TDataset&) = delete;
    operator mitab_handle() const { return H; }
    mitab_handle H;
};

struct TFeature {
    explicit TFeature(mitab_feature Feature) : F(Feature) {}
    ~TFeature() { mitab_c_destroy_feature(F); }
    TFeature(const TFeature&) = delete;
    TFeature& operator=(const TFeature&) = delete;
    operator mitab_feature() const { return F; }
    mitab_feature F;
};

// One feature as ogrinfo prints it.
struct TGdalFeature {
    long Fid = 0;
    std::vector<std::pair<std::string, std::string>> Values; // name, value
    std::string Style;
    std::string Wkt;
};

std::vector<TGdalFeature> OgrInfo(const std::string& Path)
{
    std::vector<TGdalFeature> Features;
    std::istringstream In(Shell("ogrinfo -al -q '" + Path + "'"));
    static const std::regex FeatureLine(R"(^OGRFeature\(.*\):(\d+)$)");
    static const std::regex FieldLine(R"(^  (\S+) \([A-Za-z0-9()]+\) = (.*)$)");
    static const std::regex WktLine(R"(^  ((MULTI)?(POINT|LINESTRING|POLYGON)|GEOMETRYCOLLECTION) .*)");
    std::smatch M;
    for (std::string Line; std::getline(In, Line);) {
        if (std::regex_match(Line, M, FeatureLine))
            Features.push_back({std::stol(M[1]), {}, {}, {}});
        else if (Features.empty())
            continue;
        else if (Line.rfind("  Style = ", 0) == 0)
            Features.back().Style = Line.substr(10);
        else if (std::regex_match(Line, M, WktLine))
            Features.back().Wkt = Line.substr(2);
        else if (std::regex_match(Line, M, FieldLine))
            Features.back().Values.emplace_back(M[1], M[2]);
    }
    return Features;
}

std::vector<double> NumbersOf(const std::string& Wkt)
{
    std::vector<double> Numbers;
    static const std::regex Number(R"(-?[0-9]+(\.[0-9]+)?(e[-+]?[0-9]+)?)");
    for (auto It = std::sregex_iterator(Wkt.begin(), Wkt.end(), Number); It != std::sregex_iterator(); ++It)
        Numbers.push_back(std::stod(It->str()));
    return Numbers;
}

// The value of a style parameter, e.g. Param(Style, "PEN", "c") = "#0000ff".
std::string Param(const std::string& Style, const std::string& Tool, const std::string& Key)
{
    const std::size_t At = Style.find(Tool + "(");
    if (At == std::string::npos)
        return {};
    const std::string Body = Style.substr(At, Style.find(')', At) - At);
    const std::regex P("[(,]" + Key + ":(\"[^\"]*\"|[^,)]*)");
    std::smatch M;
    if (!std::regex_search(Body, M, P))
        return {};
    std::string V = M[1];
    return V.size() > 1 && V.front() == '"' ? V.substr(1, V.size() - 2) : V;
}

int Color(const std::string& Hex)
{
    return Hex.size() >= 7 ? std::stoi(Hex.substr(1, 6), nullptr, 16) : -1;
}

int IdNumber(const std::string& Style, const std::string& Prefix)
{
    const std::size_t At = Style.find(Prefix);
    return At == std::string::npos ? -1 : std::atoi(Style.c_str() + At + Prefix.size());
}

// Every feature of Path through the interface against ogrinfo's report.
void ExpectSameAsOgrInfo(const std::string& Path, int ExpectedCount)
{
    SCOPED_TRACE(Path);
    const auto Gdal = OgrInfo(Path);
    ASSERT_EQ(static_cast<int>(Gdal.size()), ExpectedCount);
    const TDataset H(Path);
    ASSERT_NE(H.H, nullptr) << mitab_c_getlasterrormsg();
    EXPECT_EQ(mitab_c_get_feature_count(H), ExpectedCount);
    std::size_t I = 0;
    for (int Id = mitab_c_next_feature_id(H, -1); Id != -1; Id = mitab_c_next_feature_id(H, Id), ++I) {
        ASSERT_LT(I, Gdal.size());
        const TGdalFeature& G = Gdal[I];
        SCOPED_TRACE("feature " + std::to_string(Id));
        EXPECT_EQ(Id, G.Fid);
        const TFeature F(mitab_c_read_feature(H, Id));
        ASSERT_NE(F.F, nullptr) << mitab_c_getlasterrormsg();

        for (int Field = 0; Field < mitab_c_get_field_count(H); ++Field) {
            std::string Expected;
            for (const auto& [Name, Value] : G.Values)
                if (Name == mitab_c_get_field_name(H, Field))
                    Expected = Value;
            EXPECT_EQ(mitab_c_get_field_as_string(F, Field), Expected) << mitab_c_get_field_name(H, Field);
        }

        std::vector<double> Vertices;
        for (int P = 0; P < mitab_c_get_parts(F); ++P)
            for (int V = 0; V < mitab_c_get_vertex_count(F, P); ++V) {
                Vertices.push_back(mitab_c_get_vertex_x(F, P, V));
                Vertices.push_back(mitab_c_get_vertex_y(F, P, V));
            }
        const auto Numbers = NumbersOf(G.Wkt);
        ASSERT_EQ(Vertices.size(), Numbers.size()) << G.Wkt;
        for (std::size_t K = 0; K < Numbers.size(); ++K)
            EXPECT_NEAR(Vertices[K], Numbers[K], 1e-6 * (1 + std::abs(Numbers[K])));

        const std::string& S = G.Style;
        switch (mitab_c_get_type(F)) {
        case TABFC_Point:
            EXPECT_EQ(mitab_c_get_symbol_no(F), IdNumber(S, "mapinfo-sym-")) << S;
            EXPECT_EQ(mitab_c_get_symbol_color(F), Color(Param(S, "SYMBOL", "c"))) << S;
            EXPECT_EQ(mitab_c_get_symbol_size(F), std::atoi(Param(S, "SYMBOL", "s").c_str())) << S;
            break;
        case TABFC_FontPoint:
            EXPECT_EQ(mitab_c_get_symbol_no(F), IdNumber(S, "font-sym-")) << S;
            EXPECT_EQ(mitab_c_get_font(F), Param(S, "SYMBOL", "f")) << S;
            EXPECT_EQ(mitab_c_get_symbol_color(F), Color(Param(S, "SYMBOL", "c"))) << S;
            break;
        case TABFC_Text:
            EXPECT_EQ(mitab_c_get_text(F), Param(S, "LABEL", "t")) << S;
            EXPECT_EQ(mitab_c_get_font(F), Param(S, "LABEL", "f")) << S;
            EXPECT_NEAR(mitab_c_get_text_angle(F), std::atof(Param(S, "LABEL", "a").c_str()), 1e-9) << S;
            EXPECT_EQ(mitab_c_get_text_fgcolor(F), Color(Param(S, "LABEL", "c"))) << S;
            break;
        case TABFC_Region:
            EXPECT_EQ(mitab_c_get_brush_pattern(F), IdNumber(S, "mapinfo-brush-")) << S;
            EXPECT_EQ(mitab_c_get_brush_fgcolor(F), Color(Param(S, "BRUSH", "fc"))) << S;
            EXPECT_EQ(mitab_c_get_brush_transparent(F), Param(S, "BRUSH", "bc").empty() ? 1 : 0) << S;
            [[fallthrough]];
        case TABFC_Polyline:
            EXPECT_EQ(mitab_c_get_pen_pattern(F), IdNumber(S, "mapinfo-pen-")) << S;
            EXPECT_EQ(mitab_c_get_pen_color(F), Color(Param(S, "PEN", "c"))) << S;
            if (Param(S, "PEN", "w").find("px") != std::string::npos) {
                EXPECT_EQ(mitab_c_get_pen_width(F), std::atoi(Param(S, "PEN", "w").c_str())) << S;
            }
            break;
        default:
            break;
        }
    }
    EXPECT_EQ(I, Gdal.size());
    EXPECT_EQ(mitab_c_getlasterrorno(), 0) << mitab_c_getlasterrormsg();
}

// A MIF file with MapInfo's objects and styles, the source ogr2ogr converts.
const char* StylesMif = R"(Version 300
Charset "WindowsLatin1"
Delimiter ","
CoordSys Earth Projection 1, 104
Columns 2
  name Char(20)
  rank SmallInt
Data

Point 10 20
    Symbol (34,255,12)
Point 11 21
    Symbol (65,16711680,24,"MapInfo Cartographic",0,0)
Text
    "Rotated"
    1 2 5 3
    Font ("Arial",1,0,255)
    Angle 30
Pline Multiple 2
  2
0 0
1 1
  3
2 2
3 3
4 2
    Pen (3,9,32768)
Region 2
  5
0 0
10 0
10 10
0 10
0 0
  5
2 2
4 2
4 4
2 4
2 2
    Pen (2,2,255)
    Brush (5,65280,16777215)
Rect 20 20 25 30
    Pen (1,2,0)
    Brush (2,16711935)
)";

const char* StylesMid = "\"point\",1\n\"font point\",2\n\"text\",3\n\"polyline\",4\n\"region\",5\n\"rectangle\",6\n";

// Every field type, and text in Cyrillic.
const char* FieldsCsv = "WKT,name,count,small,amount,ratio,day,flag,at,stamp\n"
                        "\"POINT (15 45)\",Привет,1,2,3.5,4.25,2024/01/31,1,12:34:56,2024/01/31 12:34:56\n"
                        "\"POINT (16 46)\",abc,-7,3,0.125,0.001,1999/12/31,0,00:00:01,1999/12/31 23:59:59\n"
                        "\"POINT (17 47)\",,,,,,,,,\n";
const char* FieldsCsvt = "WKT,String(20),Integer,Integer(Int16),Real(10.3),Real,Date,Integer(Boolean),Time,DateTime\n";

class MitabGdalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::system("ogr2ogr --version > /dev/null 2>&1") != 0)
            GTEST_SKIP() << "ogr2ogr is not installed";
    }

    // Converts Source with ogr2ogr and returns the path of the result.
    static std::string Convert(const std::string& Dir, const std::string& Source, const std::string& Target,
                               const std::string& Options)
    {
        const std::string Out = Dir + "/" + Target;
        Shell("ogr2ogr -f 'MapInfo File' " + Options + " '" + Out + "' '" + Source + "'");
        EXPECT_TRUE(fs::exists(Out)) << "ogr2ogr did not write " << Out;
        return Out;
    }
};

TEST_F(MitabGdalTest, ObjectsAndStylesOfOgr2ogrFiles)
{
    const std::string Dir = Folder("styles");
    Write(Dir + "/source.mif", StylesMif);
    Write(Dir + "/source.mid", StylesMid);
    for (const std::string Target : {"styles.tab", "styles.mif"}) {
        const std::string Path = Convert(Dir, Dir + "/source.mif", Target, "");
        ExpectSameAsOgrInfo(Path, 6);

        // What the source says, through the interface.
        const TDataset H(Path);
        ASSERT_NE(H.H, nullptr);
        EXPECT_STREQ(mitab_c_get_mif_coordsys(H), "Earth Projection 1, 104");
        std::vector<std::unique_ptr<TFeature>> Features;
        for (int Id = mitab_c_next_feature_id(H, -1); Id != -1; Id = mitab_c_next_feature_id(H, Id))
            Features.push_back(std::make_unique<TFeature>(mitab_c_read_feature(H, Id)));
        ASSERT_EQ(Features.size(), 6u);
        const auto F = [&](int I) { return Features[static_cast<std::size_t>(I)]->F; };
        EXPECT_EQ(mitab_c_get_type(F(0)), TABFC_Point);
        EXPECT_EQ(mitab_c_get_symbol_no(F(0)), 34);
        EXPECT_EQ(mitab_c_get_symbol_color(F(0)), 255);
        EXPECT_EQ(mitab_c_get_type(F(1)), TABFC_FontPoint);
        EXPECT_STREQ(mitab_c_get_font(F(1)), "MapInfo Cartographic");
        EXPECT_EQ(mitab_c_get_symbol_no(F(1)), 65);
        EXPECT_EQ(mitab_c_get_symbol_size(F(1)), 24);
        EXPECT_EQ(mitab_c_get_type(F(2)), TABFC_Text);
        EXPECT_STREQ(mitab_c_get_text(F(2)), "Rotated");
        EXPECT_DOUBLE_EQ(mitab_c_get_text_angle(F(2)), 30);
        EXPECT_EQ(mitab_c_get_text_fgcolor(F(2)), 255);
        EXPECT_EQ(mitab_c_get_type(F(3)), TABFC_Polyline);
        EXPECT_EQ(mitab_c_get_parts(F(3)), 2);
        EXPECT_EQ(mitab_c_get_pen_width(F(3)), 3);
        EXPECT_EQ(mitab_c_get_pen_pattern(F(3)), 9);
        EXPECT_EQ(mitab_c_get_pen_color(F(3)), 32768);
        EXPECT_EQ(mitab_c_get_type(F(4)), TABFC_Region);
        EXPECT_EQ(mitab_c_get_parts(F(4)), 2);
        EXPECT_EQ(mitab_c_is_interior_ring(F(4), 1), 1);
        EXPECT_EQ(mitab_c_get_brush_pattern(F(4)), 5);
        EXPECT_EQ(mitab_c_get_brush_fgcolor(F(4)), 65280);
        EXPECT_EQ(mitab_c_get_brush_bgcolor(F(4)), 16777215);
        EXPECT_EQ(mitab_c_get_brush_transparent(F(4)), 0);
        EXPECT_EQ(mitab_c_get_pen_width(F(4)), 2);
        // GDAL hands a rectangle over as a closed five-point region.
        EXPECT_EQ(mitab_c_get_type(F(5)), TABFC_Region);
        EXPECT_EQ(mitab_c_get_vertex_count(F(5), 0), 5);
        EXPECT_EQ(mitab_c_get_brush_transparent(F(5)), 1);
        EXPECT_EQ(mitab_c_get_brush_fgcolor(F(5)), 16711935);
        EXPECT_STREQ(mitab_c_get_field_as_string(F(5), 0), "rectangle");
    }
}

TEST_F(MitabGdalTest, FieldsCharsetsAndProjectionsOfOgr2ogrFiles)
{
    const std::string Dir = Folder("fields");
    Write(Dir + "/source.csv", FieldsCsv);
    Write(Dir + "/source.csvt", FieldsCsvt);
    const std::string Source = Dir + "/source.csv";
    const std::string Csv = "-oo KEEP_GEOM_COLUMNS=NO ";
    const std::string Utf8 = Convert(Dir, Source, "utf8.tab", Csv + "-a_srs EPSG:4326");
    const std::string Cyrillic = Convert(Dir, Source, "cp1251.tab", Csv + "-a_srs EPSG:4326 -lco ENCODING=CP1251");
    const std::string Mif = Convert(Dir, Source, "cp1251.mif", Csv + "-a_srs EPSG:4326 -lco ENCODING=CP1251");
    const std::string Utm = Convert(Dir, Source, "utm.tab", Csv + "-s_srs EPSG:4326 -t_srs EPSG:32633");
    ASSERT_NE(Read(Cyrillic).find("WindowsCyrillic"), std::string::npos);
    for (const auto& Path : {Utf8, Cyrillic, Mif, Utm})
        ExpectSameAsOgrInfo(Path, 3);

    for (const auto& Path : {Utf8, Cyrillic, Mif}) {
        SCOPED_TRACE(Path);
        const TDataset H(Path);
        ASSERT_NE(H.H, nullptr);
        ASSERT_EQ(mitab_c_get_field_count(H), 9);
        const int Types[] = {TABFT_Char,    TABFT_Integer, TABFT_Integer, TABFT_Decimal, TABFT_Float,
                             TABFT_Date,    TABFT_Integer, TABFT_Time,    TABFT_DateTime};
        for (int I = 0; I < 9; ++I)
            EXPECT_EQ(mitab_c_get_field_type(H, I), Types[I]) << mitab_c_get_field_name(H, I);
        EXPECT_EQ(mitab_c_get_field_width(H, 0), 20);
        EXPECT_EQ(mitab_c_get_field_width(H, 3), 10);
        EXPECT_EQ(mitab_c_get_field_precision(H, 3), 3);
        const TFeature F(mitab_c_read_feature(H, mitab_c_next_feature_id(H, -1)));
        ASSERT_NE(F.F, nullptr);
        EXPECT_STREQ(mitab_c_get_field_as_string(F, 0), "Привет");
        EXPECT_STREQ(mitab_c_get_field_as_string(F, 3), "3.500");
        EXPECT_DOUBLE_EQ(mitab_c_get_field_as_double(F, 4), 4.25);
        EXPECT_STREQ(mitab_c_get_field_as_string(F, 5), "2024/01/31");
        EXPECT_STREQ(mitab_c_get_field_as_string(F, 7), "12:34:56");
        EXPECT_STREQ(mitab_c_get_field_as_string(F, 8), "2024/01/31 12:34:56");
    }

    const TDataset H(Utm);
    ASSERT_NE(H.H, nullptr);
    EXPECT_STREQ(mitab_c_get_mif_coordsys(H), "Earth Projection 8, 104, \"m\", 15, 0, 0.9996, 500000, 0");
}

// Writes a TAB or MIF file through the interface with the objects above.
void WriteThroughInterface(const std::string& Path, const char* Kind)
{
    // Bounds of 2000 degrees store whole degrees exactly.
    mitab_handle H = mitab_c_create(Path.c_str(), Kind, "CoordSys Earth Projection 1, 104", 1000, -1000, 1000, -1000);
    ASSERT_NE(H, nullptr) << mitab_c_getlasterrormsg();
    ASSERT_EQ(mitab_c_add_field(H, "name", TABFT_Char, 20, 0, 0, 0), 0);
    ASSERT_EQ(mitab_c_add_field(H, "amount", TABFT_Decimal, 8, 2, 0, 0), 1);
    ASSERT_EQ(mitab_c_add_field(H, "day", TABFT_Date, 0, 0, 0, 0), 2);
    const auto Add = [&](int Class, const char* Name, std::vector<std::vector<double>> Parts, auto Style) {
        mitab_feature F = mitab_c_create_feature(H, Class);
        for (std::size_t P = 0; P < Parts.size(); ++P) {
            std::vector<double> X, Y;
            for (std::size_t I = 0; I + 1 < Parts[P].size(); I += 2) {
                X.push_back(Parts[P][I]);
                Y.push_back(Parts[P][I + 1]);
            }
            EXPECT_TRUE(mitab_c_set_points(F, static_cast<int>(P), static_cast<int>(X.size()), X.data(), Y.data()));
        }
        Style(F);
        EXPECT_TRUE(mitab_c_set_field(F, 0, Name));
        EXPECT_TRUE(mitab_c_set_field(F, 1, "12.5"));
        EXPECT_TRUE(mitab_c_set_field(F, 2, "20200304"));
        EXPECT_TRUE(mitab_c_write_feature(H, F)) << mitab_c_getlasterrormsg();
        mitab_c_destroy_feature(F);
    };
    Add(TABFC_Point, "point", {{10, 20}}, [](mitab_feature F) { mitab_c_set_symbol(F, 34, 12, 255); });
    Add(TABFC_FontPoint, "font point", {{11, 21}}, [](mitab_feature F) {
        mitab_c_set_font(F, "Wingdings");
        mitab_c_set_symbol(F, 70, 16, 0xFF0000);
    });
    Add(TABFC_Text, "text", {{1, 2}}, [](mitab_feature F) {
        mitab_c_set_text(F, "Привет");
        mitab_c_set_font(F, "Arial");
        mitab_c_set_text_display(F, 45, 1, 4, 0x00FF00, 0xFFFFFF, TABTJ_Left, TABTS_1, TABTL_NoLine);
    });
    Add(TABFC_Polyline, "polyline", {{0, 0, 1, 1}, {2, 2, 3, 3, 4, 2}},
        [](mitab_feature F) { mitab_c_set_pen(F, 3, 9, 32768); });
    Add(TABFC_Region, "region", {{0, 0, 10, 0, 10, 10, 0, 10}, {2, 2, 4, 2, 4, 4, 2, 4}}, [](mitab_feature F) {
        mitab_c_set_pen(F, 2, 2, 255);
        mitab_c_set_brush(F, 65280, 0xFFFFFF, 5, 0);
    });
    Add(TABFC_Rectangle, "rectangle", {{20, 20, 25, 30}},
        [](mitab_feature F) { mitab_c_set_brush(F, 0xFF00FF, 0, 2, 1); });
    mitab_c_close(H);
    ASSERT_EQ(mitab_c_getlasterrorno(), 0) << mitab_c_getlasterrormsg();
}

TEST_F(MitabGdalTest, OgrInfoReadsWhatTheInterfaceWrites)
{
    const std::string Dir = Folder("written");
    for (const char* Kind : {"tab", "mif"}) {
        const std::string Path = Dir + "/written." + Kind;
        WriteThroughInterface(Path, Kind);
        ExpectSameAsOgrInfo(Path, 6);

        const std::string Info = Shell("ogrinfo -al '" + Path + "'");
        EXPECT_NE(Info.find("Feature Count: 6"), std::string::npos) << Info;
        EXPECT_NE(Info.find("name (String) = font point"), std::string::npos);
        EXPECT_NE(Info.find("amount (Real) = 12.50"), std::string::npos);
        EXPECT_NE(Info.find("day (Date) = 2020/03/04"), std::string::npos);
        EXPECT_NE(Info.find("POINT (10 20)"), std::string::npos);
        EXPECT_NE(Info.find("mapinfo-sym-34"), std::string::npos);
        EXPECT_NE(Info.find("font-sym-70"), std::string::npos);
        EXPECT_NE(Info.find("f:\"Wingdings\""), std::string::npos);
        EXPECT_NE(Info.find("t:\"Привет\""), std::string::npos);
        EXPECT_NE(Info.find("MULTILINESTRING ((0 0,1 1),(2 2,3 3,4 2))"), std::string::npos);
        EXPECT_NE(Info.find("mapinfo-pen-9"), std::string::npos);
        EXPECT_NE(Info.find("POLYGON ((0 0,10 0,10 10,0 10,0 0),(2 2,4 2,4 4,2 4,2 2))"), std::string::npos) << Info;
        EXPECT_NE(Info.find("POLYGON ((20 20,25 20,25 30,20 30,20 20))"), std::string::npos);
        EXPECT_NE(Info.find("BRUSH(fc:#00ff00,bc:#ffffff,id:\"mapinfo-brush-5"), std::string::npos);

        // ogr2ogr copies it into a file of its own that the interface reads alike.
        const std::string Copy = Dir + std::string("/copy.") + Kind;
        Shell("ogr2ogr -f 'MapInfo File' '" + Copy + "' '" + Path + "'");
        ExpectSameAsOgrInfo(Copy, 6);
    }
}

} // namespace
