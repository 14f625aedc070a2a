// The selection: events and notifications, point selection over painted
// layers, clearing without a window, zoom to selection.
#include "map/MapObjects.h"
#include "tests/support/MapHelpers.h"
#include "tests/support/InputHelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace cartova;
using test::AddBox;

namespace {

class TCountingLink : public TMapDataLink {
public:
    int Added = 0, Deleted = 0;
    std::vector<TObject*> Objects;
    void MapEvent(TMapDataLinkEvent Event, TObject* Obj, int) override
    {
        if (Event == mdlAddSelection)
            ++Added;
        if (Event == mdlDelSelection)
            ++Deleted;
        Objects.push_back(Obj);
    }
};

struct TShownMap : ::testing::Test {
    test::THostWindow Window{400, 200};
    TCartova Map;
    void SetUp() override { Window.Add(Map, 0, 0, 400, 200); }
    /// Paints so that the displayed list holds what is visible.
    void Paint() { test::PaintControl(Map); }
};

} // namespace

TEST_F(TShownMap, AddAndRemoveRaiseOneEventAndOneNotificationEach)
{
    TMapLayer* L = Map.GetLayers()->Add("", "l");
    TCustomMapObject* A = AddBox(L, 0, 0, 10, 10);
    TCustomMapObject* B = AddBox(L, 20, 20, 30, 30);
    TCountingLink Link;
    Link.SetMap(&Map);
    int Adds = 0, Dels = 0, Updates = 0;
    Map.OnAddSelection = [&](TObject*, TCustomMapObject*) { ++Adds; };
    Map.OnDelSelection = [&](TObject*, TCustomMapObject*) { ++Dels; };
    Map.OnUpdate = [&](TObject*) { ++Updates; };

    TSelection* S = Map.GetSelection();
    S->Add(A, false);
    S->Add(B, false);
    S->Add(A, true); // already selected: nothing, and no clearing
    EXPECT_EQ(S->Count(), 2);
    EXPECT_EQ(Adds, 2);
    EXPECT_EQ(Link.Added, 2);
    S->Remove(A);
    S->Remove(A);
    EXPECT_EQ(Dels, 1);
    EXPECT_EQ(Link.Deleted, 1);
    EXPECT_EQ(Updates, 1); // fast mode with OnUpdate assigned
    EXPECT_EQ(S->GetItems(5), nullptr); // reads out of range give nothing
    EXPECT_THROW(S->Delete(5), EListError);
    S->Clear();
    EXPECT_EQ(Dels, 2);
    EXPECT_EQ(Link.Deleted, 2);
}

TEST(Selection, ClearWithoutAParentWindowIsSilent)
{
    TCartova Map;
    TMapLayer* L = Map.GetLayers()->Add("", "l");
    TCustomMapObject* A = AddBox(L, 0, 0, 1, 1);
    Map.GetSelection()->Add(A, false);
    int Dels = 0;
    Map.OnDelSelection = [&](TObject*, TCustomMapObject*) { ++Dels; };
    Map.GetSelection()->Clear();
    EXPECT_EQ(Map.GetSelection()->Count(), 0);
    EXPECT_EQ(Dels, 0);
}

TEST_F(TShownMap, PointSelectionFollowsDrawingOrderAndCtrlClickCount)
{
    TMapLayers* Layers = Map.GetLayers();
    TMapLayer* Bottom = Layers->Add("", "bottom");
    TMapLayer* Middle = Layers->Add("", "middle");
    TMapLayer* Top = Layers->Add("", "top");
    Map.BeginUpdate(); // no immediate painting: nothing is displayed yet
    TCustomMapObject* B = AddBox(Bottom, -50, -50, 50, 50);
    TCustomMapObject* M1 = AddBox(Middle, -20, -20, 20, 20);
    AddBox(Middle, -10, -10, 10, 10); // overlaps M1, drawn after it
    TCustomMapObject* T = AddBox(Top, -5, -5, 5, 5);
    Map.EndUpdate(false);
    ASSERT_EQ(Map.GetDisplayed()->Count(), 0);
    Map.GetSelection()->Add(B, true);
    Map.SelectObjectAt(100, 80, true); // nothing displayed: the selection stays
    EXPECT_EQ(Map.GetSelection()->Count(), 1);
    Map.GetSelection()->Clear();
    EXPECT_EQ(Map.GetSelection()->Count(), 0);
    Paint();
    Map.SelectObjectAt(0, 0, true);
    EXPECT_EQ(Map.GetSelection()->GetItems(0), T);

    Map.SetCtrlClickCount(1); // the top layer is skipped; first drawn wins
    Map.SelectObjectAt(0, 0, true);
    ASSERT_EQ(Map.GetSelection()->Count(), 1);
    EXPECT_EQ(Map.GetSelection()->GetItems(0), M1);
    Map.SelectObjectAt(0, 0, false); // selected and not exclusive: toggles off
    Map.SelectObjectAt(40, 40, false);
    EXPECT_EQ(Map.GetSelection()->GetItems(0), B);
    Map.SelectObjectAt(100, 80, true); // nothing hit: cleared
    EXPECT_EQ(Map.GetSelection()->Count(), 0);

    Map.SetCtrlClickCount(0);
    Map.SelectObjectsAt(0, 0, true);
    EXPECT_EQ(Map.GetSelection()->Count(), 4);
    EXPECT_EQ(Map.GetSelection()->GetItems(0), T);
}

TEST(Selection, ZoomToASinglePointOnlyRecentres)
{
    TCartova Map;
    TMapLayer* L = Map.GetLayers()->Add("", "l");
    auto* P = L->NewObject<TCustomMapObject>();
    P->GetParts()->Add()->GetPoints()->Add(12, -7);
    Map.GetSelection()->Zoom(); // empty: nothing
    EXPECT_EQ(Map.GetCenterX(), 0);
    Map.GetSelection()->Add(P, true);
    Map.GetSelection()->Zoom();
    EXPECT_EQ(Map.GetCenterX(), 12);
    EXPECT_EQ(Map.GetCenterY(), -7);
    EXPECT_EQ(Map.GetZoom(), 1);
}
