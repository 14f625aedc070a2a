// The selection tool driven by real mouse input: click, Shift-click, the
// Ctrl-click walk down three stacked layers, double-clicks, other buttons,
// and tool switching with the standard tools.
#include "tests/tools/ToolTestSupport.h"

#include <string>
#include <vector>

using namespace cartova;
using test::TToolMap;

namespace {

struct TSelecting : TToolMap {
    TSelectionTool Tool;
    TRectangle *Bottom = nullptr, *Middle = nullptr, *Top = nullptr, *Aside = nullptr;
    int Completed = 0;

    void SetUp() override
    {
        TToolMap::SetUp();
        // Three layers stacked over (0, 0); one more object on the top layer.
        Bottom = AddFilledBox(Map.GetLayers()->Add("", "bottom"), -30, -30, 30, 30, clYellow);
        Middle = AddFilledBox(Map.GetLayers()->Add("", "middle"), -20, -20, 20, 20, clGreen);
        TMapLayer* TopLayer = Map.GetLayers()->Add("", "top");
        Top = AddFilledBox(TopLayer, -10, -10, 10, 10, clRed);
        Aside = AddFilledBox(TopLayer, 100, 20, 140, 60, clBlue);
        Tool.OnComplete = [this](TCustomMapTool*) { ++Completed; };
        Use(Tool);
        Picture(); // the map records what it displayed
    }
    std::vector<TCustomMapObject*> Selected() const
    {
        std::vector<TCustomMapObject*> R;
        for (int I = 0; I < Map.GetSelection()->Count(); ++I)
            R.push_back(Map.GetSelection()->GetItems(I));
        return R;
    }
    using TObjects = std::vector<TCustomMapObject*>;
};

} // namespace

TEST_F(TSelecting, ClickSelectsShiftTogglesAndEmptySpaceClears)
{
    EXPECT_EQ(Map.GetCursor(), crDefault);
    test::MouseClick(Map, Qt::LeftButton, 200, 100);
    EXPECT_EQ(Selected(), TObjects{Top});
    test::MouseClick(Map, Qt::LeftButton, 335, 55, Qt::ShiftModifier); // Aside, added
    EXPECT_EQ(Selected(), (TObjects{Top, Aside}));
    test::MouseClick(Map, Qt::LeftButton, 200, 100);                   // selected: no change
    EXPECT_EQ(Selected(), (TObjects{Top, Aside}));
    test::MouseClick(Map, Qt::LeftButton, 200, 100, Qt::ShiftModifier); // toggled out
    EXPECT_EQ(Selected(), TObjects{Aside});
    test::MouseClick(Map, Qt::LeftButton, 200, 100, Qt::ShiftModifier);
    test::MouseClick(Map, Qt::LeftButton, 20, 20, Qt::ShiftModifier);   // empty spot
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(Completed, 6);
    test::MouseClick(Map, Qt::LeftButton, 335, 55);
    test::MouseClick(Map, Qt::LeftButton, 200, 100);                   // exclusive
    EXPECT_EQ(Selected(), TObjects{Top});
}

TEST_F(TSelecting, CtrlClicksWalkDownTheLayersAndWrap)
{
    std::vector<int> Counters;
    std::vector<TObjects> Picks;
    for (int I = 0; I < 4; ++I) {
        test::MouseClick(Map, Qt::LeftButton, 200, 100, Qt::ControlModifier);
        Counters.push_back(Map.GetCtrlClickCount());
        Picks.push_back(Selected());
    }
    EXPECT_EQ(Counters, (std::vector<int>{1, 2, 0, 1}));
    EXPECT_EQ(Picks, (std::vector<TObjects>{{Middle}, {Bottom}, {Top}, {Middle}}));
    // A plain click starts from the top again.
    test::MouseClick(Map, Qt::LeftButton, 200, 100);
    EXPECT_EQ(Map.GetCtrlClickCount(), 0);
    EXPECT_EQ(Selected(), TObjects{Top});
    // Skipping layers clears the selection even when nothing is hit below.
    test::MouseClick(Map, Qt::LeftButton, 335, 55, Qt::ShiftModifier);
    test::MouseClick(Map, Qt::LeftButton, 335, 55, Qt::ControlModifier);
    EXPECT_TRUE(Selected().empty());
    // The counter belongs to the map: it survives a tool switch.
    TZoomInTool In;
    In.SetCartova(&Map);
    In.SetActive(true);
    Tool.SetActive(true);
    EXPECT_EQ(Map.GetCtrlClickCount(), 1);
}

TEST_F(TSelecting, RightClicksAndDoubleClickDblClickDoNothingMore)
{
    test::MouseClick(Map, Qt::LeftButton, 200, 100, Qt::ControlModifier);
    ASSERT_EQ(Selected(), TObjects{Middle});
    test::MouseClick(Map, Qt::RightButton, 335, 55);
    test::MouseClick(Map, Qt::RightButton, 200, 100, Qt::ControlModifier);
    test::MouseClick(Map, Qt::MiddleButton, 20, 20);
    EXPECT_EQ(Map.GetCtrlClickCount(), 1);
    EXPECT_EQ(Selected(), TObjects{Middle});
    EXPECT_EQ(Completed, 1);

    // Each press of a double-click selects: with Ctrl the walk takes two steps.
    test::MouseDoubleClick(Map, Qt::LeftButton, 200, 100, Qt::ControlModifier);
    EXPECT_EQ(Map.GetCtrlClickCount(), 0);
    EXPECT_EQ(Selected(), TObjects{Top});
    EXPECT_EQ(Completed, 3);
    // With Shift the object goes in and out again.
    int Added = 0, Removed = 0;
    Map.OnAddSelection = [&](TObject*, TCustomMapObject*) { ++Added; };
    Map.OnDelSelection = [&](TObject*, TCustomMapObject*) { ++Removed; };
    test::MouseDoubleClick(Map, Qt::LeftButton, 335, 55, Qt::ShiftModifier);
    EXPECT_EQ(Added, 1);
    EXPECT_EQ(Removed, 1);
    EXPECT_EQ(Selected(), TObjects{Top});
}

TEST_F(TToolMap, OneLayerKeepsTheCounterAtZero)
{
    TRectangle* Only = AddFilledBox(Map.GetLayers()->Add("", "only"), -10, -10, 10, 10, clRed);
    TSelectionTool Tool;
    Use(Tool);
    Picture();
    for (int I = 0; I < 3; ++I) {
        test::MouseClick(Map, Qt::LeftButton, 200, 100, Qt::ControlModifier);
        EXPECT_EQ(Map.GetCtrlClickCount(), 0);
        ASSERT_EQ(Map.GetSelection()->Count(), 1);
        EXPECT_EQ(Map.GetSelection()->GetItems(0), Only);
    }
}

TEST_F(TToolMap, StandardToolsShowTheirNamesAndCursorsAndSwitchInOrder)
{
    TSelectionTool Select;
    TZoomInTool In;
    TZoomOutTool Out;
    TPanTool Pan;
    TCustomRectTool Rect;
    EXPECT_EQ(Rect.GetDisplayName(), "CustomMapTool");
    EXPECT_EQ(Rect.GetCursor(), crDefault);
    struct TRow { TCustomMapTool* Tool; const char* Name; TCursor Cursor; };
    const TRow Rows[] = {{&Select, "Selection Tool", crDefault},
                         {&In, "ZoomIn Tool", -21},
                         {&Out, "ZoomOut Tool", -21},
                         {&Pan, "Pan Tool", -22}};
    std::vector<std::string> Log;
    Map.OnMapToolChanged = [&](TObject*) { Log.push_back("map changed"); };
    for (const TRow& R : Rows) {
        R.Tool->SetCartova(&Map);
        R.Tool->OnToolStateChanged = [&Log, R](TCustomMapTool*) { Log.push_back(R.Name); };
    }
    for (const TRow& R : Rows) {
        R.Tool->SetActive(true);
        EXPECT_EQ(R.Tool->GetDisplayName(), R.Name);
        EXPECT_EQ(Map.GetCursor(), R.Cursor) << R.Name;
    }
    EXPECT_EQ(Log, (std::vector<std::string>{"Selection Tool", "map changed", "ZoomIn Tool",
                                             "map changed", "Selection Tool", "map changed",
                                             "ZoomOut Tool", "map changed", "ZoomIn Tool",
                                             "map changed", "Pan Tool", "map changed",
                                             "ZoomOut Tool", "map changed"}));
    EXPECT_EQ(Map.GetMapToolsManager()->GetActiveMapTool(), &Pan);
}
