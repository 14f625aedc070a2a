// `cartova convert` on files other programs wrote, checked through a peer:
// what `ogrinfo -al` reads from the converted file is what it reads from the
// original (features, values, geometry, SRS, styles); coordinates keep every
// decimal; skipped objects are reported; nothing is overwritten unasked.
#include "tests/apps/CliSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using cartova::test::RunCli;
using cartova::test::HaveGdal;
using cartova::test::RunShell;

namespace {

const std::string Data = std::string(CARTOVA_TEST_DATA_DIR) + "/mif/";
const std::string Output = CARTOVA_TEST_OUTPUT_DIR;


// `ogrinfo -al` of Path without the line naming the file; with KeepStyles
// false also without the style strings.
std::string PeerReads(const std::string& Path, bool KeepStyles = true)
{
    std::string Out;
    RunShell("ogrinfo -al " + Path, Out, false);
    std::istringstream In(Out);
    std::string Line, Kept;
    while (std::getline(In, Line))
        if (Line.rfind("INFO: Open of", 0) != 0 && (KeepStyles || Line.rfind("  Style = ", 0) != 0))
            Kept += Line + "\n";
    return Kept;
}

// The features as GeoJSON with 17 significant digits: every decimal a double holds.
std::string PeerCoordinates(const std::string& Path)
{
    std::string Out;
    RunShell("ogr2ogr -f GeoJSON -lco SIGNIFICANT_FIGURES=17 /vsistdout/ " + Path, Out, false);
    return Out;
}

// A fresh folder of the test output named Name.
std::string Folder(const std::string& Name)
{
    const std::string Dir = Output + "/convert-" + Name;
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
    return Dir;
}

class ConvertTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!HaveGdal())
            GTEST_SKIP() << "ogr2ogr is not installed";
    }

    // Converts In into a folder of its own under the same name (so the peer
    // names the layer alike); returns the new file.
    std::string Convert(const std::string& In, const std::string& Name)
    {
        const std::string Out = Folder(Name) + "/" + std::filesystem::path(In).filename().string();
        std::string Log;
        EXPECT_EQ(RunCli("convert " + In + " " + Out, Log), 0) << Log;
        return Out;
    }
};

} // namespace

TEST_F(ConvertTest, HandWrittenFilesReadTheSameThroughAPeer)
{
    for (const char* Name : {"styles", "records"}) {
        const std::string In = Data + Name + ".mif";
        const std::string Out = Convert(In, Name);
        const std::string Original = PeerReads(In);
        EXPECT_NE(Original.find("Feature Count: "), std::string::npos) << Original;
        EXPECT_EQ(PeerReads(Out), Original) << Name;
        EXPECT_EQ(PeerCoordinates(Out), PeerCoordinates(In)) << Name;
    }
    // The peer finds the projection, the row without geometry, the two-line
    // value and the declared decimals in the converted file.
    const std::string Records = PeerReads(Output + "/convert-records/records.mif");
    EXPECT_NE(Records.find("GEOGCRS"), std::string::npos) << Records;
    EXPECT_NE(Records.find("Feature Count: 4"), std::string::npos);
    EXPECT_NE(Records.find("value: Real (12.4)"), std::string::npos);
    EXPECT_NE(Records.find("name: String (12.0)"), std::string::npos);
    EXPECT_NE(Records.find("  note (String) = two\nlines; with \"quotes\"\n"), std::string::npos);
    EXPECT_NE(PeerCoordinates(Output + "/convert-records/records.mif").find("13.1234567890123, 52.987654321098702"),
              std::string::npos);
}

TEST_F(ConvertTest, FilesWrittenByOgr2ogrReadTheSameThroughAPeer)
{
    const std::string Dir = Folder("gdal-source");
    const std::string Json = Dir + "/g.geojson";
    std::ofstream(Json) << R"({"type":"FeatureCollection","features":[
{"type":"Feature","properties":{"name":"first","value":1234567.1234,"note":"two\nlines"},
 "geometry":{"type":"Polygon","coordinates":[[[13.1234567890123,52.9876543210987],[13.2,52.9876543210987],[13.2,53.1],[13.1234567890123,52.9876543210987]]]}},
{"type":"Feature","properties":{"name":"no geometry","value":-0.0001,"note":"x"},"geometry":null},
{"type":"Feature","properties":{"name":"last","value":2.5,"note":"y"},"geometry":{"type":"Point","coordinates":[13.1234567890123,52.9876543210987]}}
]})";
    std::string Log;
    RunShell("ogr2ogr -f \"MapInfo File\" -dsco FORMAT=MIF -a_srs EPSG:32633 -sql \"SELECT CAST(name AS "
             "character(12)) AS name, CAST(value AS numeric(12,4)) AS value, note FROM g\" " +
                 Dir + "/mif " + Json,
             Log);
    const std::string In = Dir + "/mif/g.mif";
    ASSERT_TRUE(std::filesystem::exists(In)) << Log;
    const std::string Out = Convert(In, "gdal");
    // Symbols are written in their font form, so the point's style string differs.
    const std::string Original = PeerReads(In, false);
    EXPECT_NE(Original.find("Feature Count: 3"), std::string::npos) << Original;
    EXPECT_NE(Original.find("PROJCRS"), std::string::npos);
    EXPECT_EQ(PeerReads(Out, false), Original);
    EXPECT_EQ(PeerCoordinates(Out), PeerCoordinates(In));
}

TEST_F(ConvertTest, OtherProgramsFormsAndSkippedObjectsAreReported)
{
    const std::string In = Data + "others.mif";
    std::string Log;
    const std::string Out = Folder("others") + "/others.mif";
    ASSERT_EQ(RunCli("convert " + In + " " + Out, Log), 0) << Log;
    // The warnings: unreadable values with their line and column, the skipped Ellipse.
    EXPECT_NE(Log.find("line 5, column 2 (day): '31/02/2020' is not a valid Date value"), std::string::npos) << Log;
    EXPECT_NE(Log.find("cartova convert: warning: " + In + ": 1 object not written"), std::string::npos) << Log;
    EXPECT_NE(Log.find("(Ellipse 1)"), std::string::npos);
    ASSERT_EQ(RunCli("info --json " + In, Log), 0) << Log;
    EXPECT_NE(Log.find("\"skipped\": {\"Ellipse\": 1}"), std::string::npos) << Log;
    // The text's box counts in the extent.
    EXPECT_NE(Log.find("\"extent\": [1, 1, 70, 55]"), std::string::npos) << Log;
    ASSERT_EQ(RunCli("info " + In, Log), 0);
    EXPECT_NE(Log.find("  Skipped: 1 (Ellipse 1), of kinds Cartova has no class for\n"), std::string::npos) << Log;

    // The peer reads every date form back as the date, which it could not in the original.
    const std::string Peer = PeerReads(Out);
    EXPECT_NE(Peer.find("Feature Count: 6"), std::string::npos) << Peer;
    std::size_t Dates = 0;
    for (std::size_t At = Peer.find("day (Date) = 2020/03/04"); At != std::string::npos;
         At = Peer.find("day (Date) = 2020/03/04", At + 1))
        ++Dates;
    EXPECT_EQ(Dates, 4u) << Peer;
    EXPECT_NE(Peer.find("at (DateTime) = 2020/03/04 12:34:56"), std::string::npos);
    EXPECT_NE(Peer.find("POLYGON ((10 10,20 10,20 15,10 15,10 10))"), std::string::npos);
}

TEST(ConvertOverwriteTest, NothingIsReplacedWithoutOverwrite)
{
    const std::string Dir = Folder("overwrite");
    const std::string In = Dir + "/in.mif";
    const std::string Out = Dir + "/out.mif";
    std::filesystem::copy_file(Data + "styles.mif", In);
    std::filesystem::copy_file(Data + "styles.mid", Dir + "/in.mid");
    std::ofstream(Out) << "keep";
    std::string Log;
    EXPECT_EQ(RunCli("convert " + In + " " + Out, Log), 1);
    EXPECT_NE(Log.find(Out + ": the file exists; use --overwrite to replace it"), std::string::npos) << Log;
    EXPECT_NE(RunCli("convert " + In + " " + In, Log), 0);
    EXPECT_NE(Log.find("this is the input file; use --overwrite"), std::string::npos) << Log;
    std::ifstream Kept(Out);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(Kept), {}), "keep");

    ASSERT_EQ(RunCli("convert " + In + " " + Out + " --overwrite", Log), 0) << Log;
    ASSERT_EQ(RunCli("convert --overwrite " + In + " " + In, Log), 0) << Log;
    ASSERT_EQ(RunCli("info " + In, Log), 0) << Log;
    EXPECT_NE(Log.find("Objects: 5"), std::string::npos) << Log;
    EXPECT_NE(RunCli("convert " + In + " " + Out + " --force", Log), 0);
}
