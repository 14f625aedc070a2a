// The `cartova` program run as users run it: info --json, render, convert
// and index on the samples, and errors with a non-zero status.
#include "tests/apps/CliSupport.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdio>
#include <filesystem>
#include <string>

using cartova::test::RunCli;

namespace {

const std::string Samples = CARTOVA_SAMPLE_DIR;
const std::string Output = CARTOVA_TEST_OUTPUT_DIR;

} // namespace

TEST(CliTest, InfoJsonDescribesTheSamples)
{
    std::string Out;
    ASSERT_EQ(RunCli("info --json " + Samples + "/countries110.mif " + Samples + "/tiny_countries50.mif", Out), 0) << Out;
    EXPECT_NE(Out.find("{\"layers\": [{\"name\": \"countries110\", \"file\": \"" + Samples +
                            "/countries110.mif\", \"coordsys\": \"CoordSys Earth Projection 1, 104\", \"charset\": "
                            "\"Neutral\", \"objects\": 177, \"classes\": {\"TRegion\": 177}, \"fields\": "
                            "[{\"name\": \"name\", \"type\": \"Char(254)\", \"declared\": \"Char(254)\"}",
                        0),
              std::string::npos)
        << Out;
    EXPECT_NE(Out.find("\"extent\": [-180, -90, 180, 83.64513]"), std::string::npos);
    EXPECT_NE(Out.find("\"classes\": {\"TSymbol\": 76}"), std::string::npos);
}

TEST(CliTest, RenderConvertAndIndex)
{
    std::string Out;
    const std::string Png = Output + "/cli-world.png";
    ASSERT_EQ(RunCli("render " + Samples + "/countries110.mif -o " + Png + " --size 400x200", Out), 0) << Out;
    QImage Image(QString::fromStdString(Png));
    ASSERT_EQ(Image.size(), QSize(400, 200));
    // Africa's continent colour (MIF 0xE8B86D) fills a good part of the picture.
    int Africa = 0;
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X)
            Africa += Image.pixelColor(X, Y) == QColor(0xE8, 0xB8, 0x6D);
    EXPECT_GT(Africa, 2000);

    const std::string Mif = Output + "/cli-converted.mif";
    std::filesystem::remove(Mif);
    ASSERT_EQ(RunCli("convert " + Samples + "/tiny_countries50.mif " + Mif, Out), 0) << Out;
    ASSERT_EQ(RunCli("info " + Mif, Out), 0);
    EXPECT_NE(Out.find("Objects: 76"), std::string::npos) << Out;

    const int IndexStatus = RunCli("index " + Mif, Out);
    if (IndexStatus == 0)
        EXPECT_TRUE(std::filesystem::exists(Output + "/cli-converted.idx")) << Out;
    else
        EXPECT_NE(Out.find("not available"), std::string::npos) << Out;
}

TEST(CliTest, ErrorsGoToStderrWithAStatus)
{
    std::string Out;
    EXPECT_NE(RunCli("info /nonexistent.mif", Out), 0);
    EXPECT_NE(Out.find("no such file"), std::string::npos);
    EXPECT_NE(RunCli("render " + Samples + "/countries110.mif", Out), 0); // no -o
    EXPECT_NE(RunCli("frobnicate", Out), 0);
    const std::string Bad = Output + "/cli-bad.mif";
    std::FILE* F = std::fopen(Bad.c_str(), "w");
    std::fputs("Data\nPoint x 1\n", F);
    std::fclose(F);
    EXPECT_NE(RunCli("info " + Bad, Out), 0);
    EXPECT_NE(Out.find(Bad + ": line 2: 'x' is not a valid floating point value"), std::string::npos) << Out;
}
