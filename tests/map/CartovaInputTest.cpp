// Wheel zoom and the forwarding of real mouse and key input to the active tool.
#include "map/MapObjects.h"
#include "tests/support/InputHelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace cartova;

namespace {

struct TInputFixture : ::testing::Test {
    test::THostWindow Window{400, 200};
    TCartova Map;
    std::vector<std::string> Log;

    void SetUp() override { Window.Add(Map, 0, 0, 400, 200); }
};

class TLoggingTool : public TCustomMapTool {
public:
    explicit TLoggingTool(std::vector<std::string>& Log) : FLog(Log) {}
    void MouseDown(TMouseButton, TShiftState Shift, int X, int Y) override
    {
        FLog.push_back("tool down " + std::to_string(X) + "," + std::to_string(Y) +
                       (Shift.Contains(ssDouble) ? " double" : ""));
    }
    void MouseMove(TShiftState, int, int) override { FLog.push_back("tool move"); }
    void MouseUp(TMouseButton, TShiftState, int, int) override { FLog.push_back("tool up"); }
    void DblClick() override { FLog.push_back("tool dblclick"); }
    void KeyDown(Word& Key, TShiftState) override
    {
        FLog.push_back("tool key " + std::to_string(Key));
        Key = VK_ESCAPE; // the application then sees the changed key
    }

private:
    std::vector<std::string>& FLog;
};

} // namespace

TEST_F(TInputFixture, WheelZoomsAroundCentreCursorOrSelectionAndClampsOnlyThere)
{
    int Zooms = 0;
    Map.OnZoom = [&](TObject*) { ++Zooms; };
    test::Wheel(Map, 120, 300, 50);
    EXPECT_EQ(Map.GetZoom(), 2);
    EXPECT_EQ(Map.GetCenterX(), 0); // wmCenter keeps the centre
    EXPECT_FALSE(Map.GetInUpdate());
    EXPECT_EQ(Zooms, 1);

    Map.SetZoomType(wmCursor);
    Map.SetZoom(1);
    test::Wheel(Map, -120, 300, 50);
    EXPECT_DOUBLE_EQ(Map.GetCenterX(), 90); // the point under the cursor at zoom 1
    EXPECT_DOUBLE_EQ(Map.GetCenterY(), 45);
    EXPECT_EQ(Map.GetZoom(), 0.5);

    // The setter accepts 1000; a wheel step then goes down to MaxZoom.
    Map.SetZoomType(wmCenter);
    Map.SetZoom(1000);
    test::Wheel(Map, 120, 10, 10);
    EXPECT_EQ(Map.GetZoom(), 100);
    // With MinZoom 0 the wheel halves without limit.
    Map.SetZoom(1e-300);
    test::Wheel(Map, -120, 10, 10);
    EXPECT_EQ(Map.GetZoom(), 0.5e-300);

    Map.SetWheelMouse(false);
    test::Wheel(Map, 120, 10, 10);
    EXPECT_EQ(Map.GetZoom(), 0.5e-300);
}

TEST_F(TInputFixture, MouseReachesHostEventsFirstThenTheToolAndTakesFocus)
{
    Map.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        Log.push_back(std::string("event down") + (Map.Focused() ? " focused" : ""));
    };
    Map.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { Log.push_back("event up"); };
    Map.OnDblClick = [&](TObject*) { Log.push_back("event dblclick"); };
    TLoggingTool Tool(Log);
    Tool.SetCartova(&Map);
    Tool.SetActive(true);

    test::MouseDoubleClick(Map, Qt::LeftButton, 30, 40);
    // The pointer travels to the spot first; moves reach the tool too.
    const auto Moves = std::erase(Log, "tool move");
    EXPECT_GE(Moves, 1u);
    EXPECT_EQ(Log, (std::vector<std::string>{"event down", "tool down 30,40", "event up", "tool up",
                                             "event dblclick", "tool dblclick", "event down focused",
                                             "tool down 30,40 double", "event up", "tool up"}));
    EXPECT_TRUE(Map.Focused());

    // Without an active tool only the control's own events fire.
    Log.clear();
    Tool.SetActive(false);
    test::MouseClick(Map, Qt::LeftButton, 5, 5);
    std::erase(Log, "tool move");
    EXPECT_EQ(Log, (std::vector<std::string>{"event down focused", "event up"}));
}

TEST_F(TInputFixture, KeysReachTheToolFirstAndArrowsAndTabAreWanted)
{
    Map.OnKeyDown = [&](TObject*, Word& Key, TShiftState) {
        Log.push_back("event key " + std::to_string(Key));
    };
    TLoggingTool Tool(Log);
    Tool.SetCartova(&Map);
    Tool.SetActive(true);
    Map.SetFocus();
    test::KeyPress(Map, Qt::Key_Left);
    test::KeyPress(Map, Qt::Key_Tab);
    EXPECT_EQ(Log, (std::vector<std::string>{"tool key 37", "event key 27", "tool key 9",
                                             "event key 27"}));
}

TEST_F(TInputFixture, ResizeMarksTheMapModifiedWithoutRepainting)
{
    Map.SetModified(false);
    Map.SetBounds(0, 0, 300, 150);
    EXPECT_TRUE(Map.GetModified());
    double MX, MY;
    Map.ScreenToMap(300, 0, MX, MY);
    EXPECT_DOUBLE_EQ(MX, 180);
}
