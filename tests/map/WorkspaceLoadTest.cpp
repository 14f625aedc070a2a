// TCartova::LoadWOR: tables of MIF and TAB files (made by ogr2ogr) named by
// Windows paths in any case open as layers in the map window's order, with
// the workspace's switches and styles; the centre is set, the zoom and the
// existing layers stay; missing files are skipped; a missing workspace
// changes nothing.
#include "formats/MapInfoFormatProvider.h"
#include "formats/SimpleMIFFormatProvider.h"
#include "map/MapObjects.h"
#include "map/Workspace.h"
#include "objects/Region.h"
#include "objects/Text.h"
#include "tests/support/WorkspaceData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace cartova;
namespace fs = std::filesystem;

namespace {

// A MapInfo colour as a host colour (low byte red).
TColor Host(int MapInfo)
{
    return static_cast<TColor>(((MapInfo >> 16) & 0xFF) | (MapInfo & 0xFF00) | ((MapInfo & 0xFF) << 16));
}

std::string Folder(const std::string& Name)
{
    const std::string Dir = std::string(CARTOVA_TEST_OUTPUT_DIR) + "/wor-" + Name;
    fs::remove_all(Dir);
    fs::create_directories(Dir);
    return Dir;
}

void Write(const std::string& Path, const std::string& Text)
{
    fs::create_directories(fs::path(Path).parent_path());
    std::ofstream(Path, std::ios::binary) << Text;
}

class WorkspaceLoadTest : public ::testing::Test {
protected:
    TSimpleMIFFormatProvider Mif;
    TMapInfoFormatProvider Tab;
    TCartova Map;
    TMessageRecorder Messages;
};

} // namespace

TEST_F(WorkspaceLoadTest, TwelveLayersFromAMapInfoWorkspace)
{
    if (!test::HaveGdal())
        GTEST_SKIP() << "ogr2ogr is not installed";
    const std::string Wor = test::WriteTwelveLayerWorkspace(Folder("twelve"));
    ASSERT_FALSE(Wor.empty());
    TMapLayer* Before = Map.GetLayers()->Add("", "mine");
    Map.SetZoom(3);
    std::vector<std::string> Added;
    Map.OnAddLayer = [&](TObject*, TMapLayer* L) { Added.push_back(L->GetName()); };

    Map.LoadWOR(Wor);

    const auto& T = test::WorkspaceTables();
    ASSERT_EQ(Map.GetLayers()->Count(), 13);
    EXPECT_EQ(Map.GetLayers()->GetLayers(0), Before);
    EXPECT_EQ(Added.size(), 12u);
    for (int I = 0; I < 12; ++I) {
        TMapLayer* L = Map.GetLayers()->GetLayers(I + 1);
        SCOPED_TRACE(T[I].Alias);
        EXPECT_EQ(L->GetName(), T[I].Alias);
        EXPECT_EQ(fs::path(L->GetFileName()), fs::path(Wor).parent_path() / T[I].File);
        ASSERT_EQ(L->GetObjectCount(), 1);
        EXPECT_EQ(L->GetVisible(), T[I].ShownColor >= 0);
        const TColor Fill = L->GetObjects(0)->GetBrush()->GetColor();
        EXPECT_EQ(Fill, Host(T[I].ShownColor >= 0 ? T[I].ShownColor : T[I].FileColor));
        EXPECT_EQ(L->GetEditable(), I == 11);
        EXPECT_EQ(L->GetAutoLabel(), I == 11);
    }
    // Forest's pen of 30 is 2 pixels wide; Labels' brush has its white background.
    EXPECT_EQ(Map.GetLayers()->GetLayers(2)->GetObjects(0)->GetPen()->GetWidth(), 2);
    EXPECT_TRUE(Map.GetLayers()->GetLayers(11)->GetObjects(0)->GetUseBGColor());
    EXPECT_EQ(Map.GetLayers()->GetLayers(11)->GetObjects(0)->GetBGColor(), 0xFFFFFF);
    // Land gave no pen: the layer's own default pen.
    TMapLayer* Land = Map.GetLayers()->GetLayers(1);
    EXPECT_EQ(Land->GetStyle().PenColor, Land->GetDefaultPen()->GetColor());
    EXPECT_EQ(Land->GetStyle().PenWidth, Land->GetDefaultPen()->GetWidth());
    EXPECT_EQ(Map.GetCenterX(), 10);
    EXPECT_EQ(Map.GetCenterY(), 50);
    EXPECT_EQ(Map.GetZoom(), 3);
}

TEST_F(WorkspaceLoadTest, OrderSwitchesAndMissingTables)
{
    const std::string Dir = Folder("order");
    for (const char* Name : {"a", "b", "c"})
        Write(Dir + "/" + Name + ".mif", test::SquareMif(1, 0x00FF00));
    Write(Dir + "/W.wor", "Open Table \"a.mif\" As A Interactive\nOpen Table \"b.mif\" As B Interactive\n"
                          "Open Table \"c.mif\" As C Interactive\nOpen Table \"gone\" As Gone Interactive\n"
                          "Map From C, Gone, A\nSet Map\n  Center (0, 52.5)\n"
                          "Set Map\n  Layer 1\n    Display Global\n    Global Pen (8, 2, 0) Brush (2, 16711680, 0)\n"
                          "  Layer 3\n    Display Off\nSet Map Layer 1 Editable\n");
    Map.LoadWOR(Dir + "/W.wor");
    ASSERT_EQ(Map.GetLayers()->Count(), 2);
    TMapLayer* A = Map.GetLayers()->GetLayers(0);
    TMapLayer* C = Map.GetLayers()->GetLayers(1);
    EXPECT_EQ(A->GetName(), "A");
    EXPECT_EQ(C->GetName(), "C");
    EXPECT_FALSE(A->GetVisible());
    EXPECT_TRUE(C->GetEditable());
    // A MIF table takes the override too: black (the three numbers read as a
    // pair), solid, no background, pen of 1.
    const TCustomMapObject* O = C->GetObjects(0);
    EXPECT_EQ(O->GetBrush()->GetColor(), 0x000000);
    EXPECT_EQ(O->GetBrush()->GetStyle(), bsSolid);
    EXPECT_FALSE(O->GetUseBGColor());
    EXPECT_EQ(O->GetPen()->GetWidth(), 1);
    // Only one coordinate of the centre: the centre stays.
    EXPECT_EQ(Map.GetCenterX(), 0);
    EXPECT_EQ(Map.GetCenterY(), 0);

    // ApplyWorkspace reports what it skipped.
    TCartova Other;
    const TWorkspaceLoad Load = ApplyWorkspace(Other, ReadWorkspace(Dir + "/W.wor"), Dir);
    EXPECT_EQ(Load.Layers.size(), 2u);
    EXPECT_EQ(Load.Missing, std::vector<std::string>{"gone"});
}

TEST_F(WorkspaceLoadTest, AMissingOrBadWorkspaceChangesNothing)
{
    const std::string Dir = Folder("missing");
    Map.SetCenterX(1);
    EXPECT_THROW(Map.LoadWOR(Dir + "/none.wor"), EFOpenError);
    EXPECT_THROW(Map.LoadWOR(Dir), EFOpenError); // a folder
    Write(Dir + "/t.mif", test::SquareMif(1, 255));
    Write(Dir + "/neg.wor", "Open Table \"t.mif\" As T\nMap From T\nSet Map Center (5, 5)\n"
                            "Set Map\n Layer 1\n Display Global Brush (2, -255)\n");
    EXPECT_THROW(Map.LoadWOR(Dir + "/neg.wor"), ERangeError);
    EXPECT_EQ(Map.GetLayers()->Count(), 0);
    EXPECT_EQ(Map.GetCenterX(), 1);
}

TEST_F(WorkspaceLoadTest, FindingTablesOfWindowsPaths)
{
    const std::string Dir = Folder("paths");
    Write(Dir + "/Data/Sub/Roads.TAB", "x");
    Write(Dir + "/Cities.tab", "x");
    Write(Dir + "/rivers.MIF", "x");
    const std::string Roads = Dir + "/Data/Sub/Roads.TAB";
    EXPECT_EQ(FindWorkspaceTable("data\\sub\\roads", Dir), Roads);
    EXPECT_EQ(FindWorkspaceTable("C:\\DATA\\SUB\\ROADS.TAB", Dir), Roads);
    EXPECT_EQ(FindWorkspaceTable(Roads, "/nowhere"), Roads); // as given
    EXPECT_EQ(FindWorkspaceTable("\\\\server\\share\\cities", Dir), Dir + "/Cities.tab");
    EXPECT_EQ(FindWorkspaceTable("E:\\elsewhere\\CITIES.TAB", Dir), Dir + "/Cities.tab");
    EXPECT_EQ(FindWorkspaceTable("Rivers.mif", Dir), Dir + "/rivers.MIF");
    EXPECT_EQ(FindWorkspaceTable("rivers", Dir), ""); // no rivers.tab
    EXPECT_EQ(FindWorkspaceTable("data", Dir), "");   // a folder is no table
    EXPECT_EQ(FindWorkspaceTable("", Dir), "");

    // An exact match wins over one that differs in case.
    Write(Dir + "/Two/cities.tab", "x");
    Write(Dir + "/Two/CITIES.tab", "x");
    EXPECT_EQ(FindWorkspaceTable("Two\\CITIES", Dir), Dir + "/Two/CITIES.tab");
}
