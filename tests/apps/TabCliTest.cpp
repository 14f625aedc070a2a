// `cartova` on TAB files: info and render on the samples and on files
// ogr2ogr made, and convert between MIF and TAB both ways, checked through
// ogrinfo.
#include "tests/apps/CliSupport.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using cartova::test::RunCli;
using cartova::test::HaveGdal;
using cartova::test::RunShell;

namespace {

const std::string Samples = CARTOVA_SAMPLE_DIR;
const std::string Data = std::string(CARTOVA_TEST_DATA_DIR) + "/mif/";

std::string Folder(const std::string& Name)
{
    const std::string Dir = std::string(CARTOVA_TEST_OUTPUT_DIR) + "/tab-" + Name;
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
    return Dir;
}


} // namespace

TEST(TabCliTest, InfoAndRenderReadTheTabSamples)
{
    std::string Out;
    ASSERT_EQ(RunCli("info --json " + Samples + "/countries110_robinson.tab " + Samples + "/tiny_countries50.tab", Out),
              0)
        << Out;
    EXPECT_NE(Out.find("\"objects\": 177, \"classes\": {\"TRegion\": 177}"), std::string::npos) << Out;
    EXPECT_NE(Out.find("\"objects\": 76, \"classes\": {\"TSymbol\": 76}"), std::string::npos) << Out;
    EXPECT_NE(Out.find("{\"name\": \"name\", \"type\": \"Char(40)\""), std::string::npos) << Out;
    EXPECT_NE(Out.find("{\"name\": \"pop_est\", \"type\": \"Float\""), std::string::npos) << Out;
    // Robinson coordinates are metres: about 17 000 km east and west.
    EXPECT_NE(Out.find("\"extent\": [-16810130"), std::string::npos) << Out;

    const std::string Png = Folder("render") + "/robinson.png";
    ASSERT_EQ(RunCli("render " + Samples + "/countries110_robinson.tab -o " + Png + " --size 400x200", Out), 0) << Out;
    const QImage Image(QString::fromStdString(Png));
    ASSERT_EQ(Image.size(), QSize(400, 200));
    // The continents fill a good part of the picture, in their brush colours.
    int Coloured = 0;
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X) {
            const QColor C = Image.pixelColor(X, Y);
            Coloured += C.saturation() > 60;
        }
    EXPECT_GT(Coloured, 400 * 200 / 8);

    // The spatial index of a TAB file goes beside it.
    const std::string Dir = Folder("index");
    for (const char* Ext : {".tab", ".dat", ".map", ".id"})
        std::filesystem::copy_file(Samples + "/tiny_countries50" + Ext, Dir + "/tiny" + Ext);
    ASSERT_EQ(RunCli("index " + Dir + "/tiny.tab", Out), 0) << Out;
    EXPECT_NE(Out.find("(76 objects)"), std::string::npos) << Out;
    EXPECT_TRUE(std::filesystem::exists(Dir + "/tiny.idx"));
}

TEST(TabCliTest, ConvertWritesTabAndMifBothWays)
{
    if (!HaveGdal())
        GTEST_SKIP() << "ogr2ogr is not installed";
    const std::string Dir = Folder("convert");
    std::string Out;
    // A TAB file other programs wrote, read through info.
    RunShell("ogr2ogr -f 'MapInfo File' " + Dir + "/gdal.tab " + Data + "styles.mif", Out);
    ASSERT_EQ(RunCli("info --json " + Dir + "/gdal.tab", Out), 0) << Out;
    EXPECT_NE(Out.find("\"classes\": {\"TPolyline\": 1, \"TRegion\": 4}"), std::string::npos) << Out;
    EXPECT_NE(Out.find("\"extent\": [0, 0, 190, 60]"), std::string::npos) << Out;

    // MIF → TAB → MIF: ogrinfo finds the features, values and projection.
    ASSERT_EQ(RunCli("convert " + Data + "records.mif " + Dir + "/records.tab", Out), 0) << Out;
    EXPECT_NE(Out.find("wrote " + Dir + "/records.tab (4 objects)"), std::string::npos) << Out;
    ASSERT_EQ(RunCli("convert " + Dir + "/records.tab " + Dir + "/back.mif", Out), 0) << Out;
    for (const std::string File : {"records.tab", "back.mif"}) {
        RunShell("ogrinfo -al " + Dir + "/" + File, Out, false);
        EXPECT_NE(Out.find("Feature Count: 4"), std::string::npos) << File << Out;
        EXPECT_NE(Out.find("GEOGCRS"), std::string::npos) << File;
        EXPECT_NE(Out.find("value (Real) = 1234567.1234"), std::string::npos) << File << Out;
        EXPECT_NE(Out.find("note (String) = two\nlines; with \"quotes\""), std::string::npos) << File;
        EXPECT_NE(Out.find("LINESTRING (13.1 52.2,13.3 52.4)"), std::string::npos) << File << Out;
    }
    // Nothing is replaced unasked, TAB sets included.
    EXPECT_EQ(RunCli("convert " + Data + "styles.mif " + Dir + "/records.tab", Out), 1);
    EXPECT_NE(Out.find("use --overwrite"), std::string::npos) << Out;
    ASSERT_EQ(RunCli("convert --overwrite " + Data + "styles.mif " + Dir + "/records.tab", Out), 0) << Out;
    ASSERT_EQ(RunCli("info " + Dir + "/records.tab", Out), 0) << Out;
    EXPECT_NE(Out.find("Objects: 5 (TPolyline 1, TRegion 4)"), std::string::npos) << Out;
}
