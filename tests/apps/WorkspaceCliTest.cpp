// `cartova` on workspaces: info lists the tables of the map window bottom
// first, render draws every layer in order with the workspace's overrides
// around its centre, missing tables are reported and skipped, and convert
// refuses a workspace.
#include "tests/apps/CliSupport.h"
#include "tests/support/WorkspaceData.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

using cartova::test::RunCli;

namespace {

std::string Folder(const std::string& Name)
{
    const std::string Dir = std::string(CARTOVA_TEST_OUTPUT_DIR) + "/wor-cli-" + Name;
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
    return Dir;
}

} // namespace

TEST(WorkspaceCliTest, InfoAndRenderATwelveLayerWorkspace)
{
    if (!cartova::test::HaveGdal())
        GTEST_SKIP() << "ogr2ogr is not installed";
    const std::string Dir = Folder("twelve");
    const std::string Wor = cartova::test::WriteTwelveLayerWorkspace(Dir + "/ws");
    ASSERT_FALSE(Wor.empty());
    const auto& T = cartova::test::WorkspaceTables();

    std::string Out;
    ASSERT_EQ(RunCli("info --json " + Wor, Out), 0) << Out;
    std::size_t At = 0;
    for (const auto& D : T) {
        const std::size_t Next = Out.find("{\"name\": \"" + std::string(D.Alias) + "\"", At);
        ASSERT_NE(Next, std::string::npos) << D.Alias << "\n" << Out;
        At = Next;
    }

    // Without --center and --zoom: the workspace's centre, every layer whole.
    const std::string Png = Dir + "/twelve.png";
    ASSERT_EQ(RunCli("render " + Wor + " -o " + Png + " --size 480x480", Out), 0) << Out;
    const QImage Image(QString::fromStdString(Png));
    ASSERT_EQ(Image.size(), QSize(480, 480));
    const double PixelsPerUnit = 480.0 / 24 * 0.98;
    for (int I = 0; I < 12; ++I) {
        // Inside square I, outside the square above it, clear of labels and outlines.
        const double Offset = (12 - I - 0.3) * PixelsPerUnit;
        const int Shown = T[I].ShownColor >= 0 ? T[I].ShownColor : T[I - 1].ShownColor;
        const QColor Pixel = Image.pixelColor(240 + static_cast<int>(Offset), 240 - static_cast<int>(Offset));
        EXPECT_EQ(Pixel.rgb() & 0xFFFFFF, static_cast<QRgb>(Shown)) << T[I].Alias;
    }

    // The centre a workspace gives moves the view.
    std::ofstream(Dir + "/ws/moved.wor", std::ios::binary)
        << "Open Table \"land.mif\" As Land\nMap From Land\nSet Map\n  Center (22, 50)\n";
    ASSERT_EQ(RunCli("render " + Dir + "/ws/moved.wor -o " + Png + " --size 480x480", Out), 0) << Out;
    const QImage Moved(QString::fromStdString(Png));
    EXPECT_EQ(Moved.pixelColor(230, 240).rgb() & 0xFFFFFF, 0xC0C0C0u); // the square's right edge at the centre
    EXPECT_EQ(Moved.pixelColor(250, 240).rgb() & 0xFFFFFF, 0xFFFFFFu);
}

TEST(WorkspaceCliTest, MissingTablesAreReportedAndSkipped)
{
    const std::string Dir = Folder("missing");
    std::ofstream(Dir + "/a.mif", std::ios::binary) << cartova::test::SquareMif(1, 255);
    std::ofstream(Dir + "/bad.mif", std::ios::binary) << "Version 300\nColumns x\n";
    const std::string Wor = Dir + "/w.wor";
    std::ofstream(Wor, std::ios::binary) << "Open Table \"C:\\Maps\\A.MIF\" As A\nOpen Table \"gone\" As Gone\n"
                                            "Open Table \"bad.mif\" As Bad\nMap From Bad, Gone, A\n";
    std::string Out;
    ASSERT_EQ(RunCli("info " + Wor, Out), 0) << Out;
    EXPECT_NE(Out.find("w.wor: table \"gone\" not found; skipped"), std::string::npos) << Out;
    EXPECT_NE(Out.find("w.wor: table \"Bad\" could not be read; skipped"), std::string::npos) << Out;
    EXPECT_NE(Out.find(Dir + "/a.mif"), std::string::npos) << Out;

    std::ofstream(Dir + "/empty.wor", std::ios::binary) << "Open Table \"gone\" As Gone\n";
    ASSERT_EQ(RunCli("info " + Dir + "/empty.wor", Out), 1) << Out;
    EXPECT_NE(Out.find("empty.wor: none of the workspace's tables could be opened"), std::string::npos) << Out;
    std::ofstream(Dir + "/negative.wor", std::ios::binary)
        << "Open Table \"a.mif\" As A\nMap From A\nSet Map\n Layer 1\n Display Global Pen (1, 2, -1)\n";
    ASSERT_EQ(RunCli("render " + Dir + "/negative.wor -o " + Dir + "/n.png", Out), 1) << Out;
    EXPECT_NE(Out.find("negative.wor: Range check error: the colour -1 is negative"), std::string::npos) << Out;
    ASSERT_EQ(RunCli("info " + Dir + "/none.wor", Out), 1) << Out;
    EXPECT_NE(Out.find("none.wor: no such file"), std::string::npos) << Out;
    ASSERT_EQ(RunCli("convert " + Wor + " " + Dir + "/out.mif", Out), 1) << Out;
    EXPECT_NE(Out.find("a workspace names several tables"), std::string::npos) << Out;
    EXPECT_FALSE(std::filesystem::exists(Dir + "/out.mif"));
}
