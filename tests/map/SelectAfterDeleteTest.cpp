// Selecting with the mouse after the selected object, or its whole layer,
// was destroyed: the map must never reach the destroyed object, and its
// record of drawn objects holds each object once.
#include "map/MapObjects.h"
#include "tests/support/InputHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace cartova;

namespace {

/// Adopts into Layer a region whose one ring is the box (X0, Y0)-(X1, Y1):
/// regions redraw themselves for their markers, as every drawn class does.
TCustomMapObject* AddBox(TMapLayer* Layer, double X0, double Y0, double X1, double Y1)
{
    auto* O = Layer->NewObject<TRegion>();
    TMapPoints* P = O->GetParts()->Add()->GetPoints();
    P->Add(X0, Y0);
    P->Add(X1, Y0);
    P->Add(X1, Y1);
    P->Add(X0, Y1);
    return O;
}

/// A tool that selects the object under a left click, as a selection tool does.
class TClickSelectTool : public TCustomMapTool {
public:
    using TCustomMapTool::TCustomMapTool;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override
    {
        if (Button != mbLeft)
            return;
        double MX, MY;
        GetCartova()->ScreenToMap(X, Y, MX, MY);
        GetCartova()->SelectObjectAt(MX, MY, !Shift.Contains(ssShift));
    }
};

struct TClickedMap : ::testing::TestWithParam<bool> {
    test::THostWindow Window{400, 200};
    TCartova Map;
    TClickSelectTool Tool;
    TMapLayer* Lower = nullptr;
    TMapLayer* Upper = nullptr;
    TCustomMapObject* Target = nullptr;

    void SetUp() override
    {
        Window.Add(Map, 0, 0, 400, 200);
        Map.SetFastSelection(GetParam());
        Lower = Map.GetLayers()->Add("", "lower");
        Upper = Map.GetLayers()->Add("", "upper");
        AddBox(Lower, -100, -50, 100, 50);
        Target = AddBox(Upper, -20, -20, 20, 20); // under the client centre
        AddBox(Upper, 100, 40, 150, 80);
        Tool.SetCartova(&Map);
        Tool.SetActive(true);
        test::PaintControl(Map);
    }

    /// A left click at the client centre, map point (0, 0).
    void ClickCentre() { test::MouseClick(Map, Qt::LeftButton, 200, 100); }

    /// Every displayed object once, and every one still in a layer.
    void ExpectDisplayedSound()
    {
        const std::vector<TCustomMapObject*>& D = Map.GetDisplayed()->Items();
        EXPECT_EQ(std::set<TCustomMapObject*>(D.begin(), D.end()).size(), D.size());
        for (TCustomMapObject* O : D) {
            bool InALayer = false;
            for (TMapLayer* L : Map.GetLayers()->Items())
                InALayer = InALayer || L->IndexOfObject(O) >= 0;
            EXPECT_TRUE(InALayer);
        }
    }
};

} // namespace

TEST_P(TClickedMap, ClickingAgainAfterTheSelectedObjectWasDeleted)
{
    ClickCentre();
    ASSERT_EQ(Map.GetSelection()->Count(), 1);
    EXPECT_EQ(Map.GetSelection()->GetItems(0), Target);
    test::PaintControl(Map); // window paints draw the markers again
    ClickCentre();           // already selected: unchanged
    test::PaintControl(Map);
    ExpectDisplayedSound();
    EXPECT_EQ(Map.GetDisplayed()->Count(), 3);

    Upper->DeleteObject(Upper->IndexOfObject(Target));
    EXPECT_EQ(Map.GetSelection()->Count(), 0);
    ExpectDisplayedSound();
    ClickCentre(); // the lower layer's object is hit now
    ASSERT_EQ(Map.GetSelection()->Count(), 1);
    EXPECT_EQ(Map.GetSelection()->GetItems(0)->GetLayer(), Lower);
    test::PaintControl(Map);
    ExpectDisplayedSound();
    EXPECT_EQ(Map.GetDisplayed()->Count(), 2);
}

TEST_P(TClickedMap, ClickingAgainAfterTheSelectedObjectsLayerWasDeleted)
{
    ClickCentre();
    ASSERT_EQ(Map.GetSelection()->GetItems(0), Target);
    test::PaintControl(Map);
    Map.GetLayers()->Delete(1);
    EXPECT_EQ(Map.GetSelection()->Count(), 0);
    ExpectDisplayedSound();
    ClickCentre();
    ASSERT_EQ(Map.GetSelection()->Count(), 1);
    EXPECT_EQ(Map.GetSelection()->GetItems(0)->GetLayer(), Lower);
    test::MouseClick(Map, Qt::LeftButton, 390, 10); // nothing there: cleared
    EXPECT_EQ(Map.GetSelection()->Count(), 0);

    Map.GetLayers()->Delete(0); // the last layer: no object is left to hit
    ExpectDisplayedSound();
    ClickCentre();
    EXPECT_EQ(Map.GetSelection()->Count(), 0);
}

TEST_P(TClickedMap, AnObjectDestroyedDirectlyLeavesNoTrace)
{
    ClickCentre();
    test::PaintControl(Map);
    delete Target; // as an application may do
    ExpectDisplayedSound();
    Map.SelectObjectsAt(0, 0, true);
    ASSERT_EQ(Map.GetSelection()->Count(), 1);
    EXPECT_EQ(Map.GetSelection()->GetItems(0)->GetLayer(), Lower);
}

INSTANTIATE_TEST_SUITE_P(FastAndSlowSelection, TClickedMap, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& I) {
                             return I.param ? "Fast" : "Slow";
                         });
