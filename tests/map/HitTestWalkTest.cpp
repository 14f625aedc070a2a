// The point hit test walks the layers with the walk painting uses: what was
// drawn is hit, whatever the object's class does in Draw, and the index and
// the scan give the same answer.
#include "map/MapObjects.h"
#include "tests/support/InputHelpers.h"

#include <gtest/gtest.h>

using namespace cartova;

namespace {

/// An object class of an application: its Draw paints a box of its own and
/// never calls the base.
class TStamp : public TCustomMapObject {
public:
    void Draw() override
    {
        const TPoint P = GetPixels(0, 0);
        GetMap()->GetCanvas()->FillRect(TRect{P.X - 3, P.Y - 3, P.X + 4, P.Y + 4});
    }
};

struct THitWalk : ::testing::Test {
    test::THostWindow Window{400, 200};
    TCartova Map;
    TMapLayer* Bottom = nullptr;
    TMapLayer* Top = nullptr;

    void SetUp() override
    {
        Window.Add(Map, 0, 0, 400, 200);
        Bottom = Map.GetLayers()->Add("", "bottom");
        Top = Map.GetLayers()->Add("", "top");
    }

    static TRegion* Box(TMapLayer* L, double X0, double Y0, double X1, double Y1)
    {
        auto* R = L->NewObject<TRegion>();
        TMapPoints* P = R->GetParts()->Add()->GetPoints();
        for (const TMapPoint& V : {TMapPoint{X0, Y0}, {X1, Y0}, {X1, Y1}, {X0, Y1}})
            P->Add(V);
        return R;
    }

    TCustomMapObject* Selected() const
    {
        return Map.GetSelection()->Count() == 1 ? Map.GetSelection()->GetItems(0) : nullptr;
    }
};

} // namespace

TEST_F(THitWalk, AnObjectWhoseDrawSkipsTheBaseIsStillHit)
{
    auto* S = new TStamp;
    S->GetParts()->Add()->GetPoints()->Add(10, 10);
    Top->AddObject(S, false);
    test::PaintControl(Map);
    EXPECT_EQ(Map.GetDisplayed()->Count(), 1);
    Map.SelectObjectAt(10, 10, true);
    EXPECT_EQ(Selected(), S);
}

TEST_F(THitWalk, ATextTooSmallToReadIsNotHitAndTheObjectBelowIs)
{
    TRegion* Under = Box(Bottom, -20, -20, 20, 20);
    auto* T = Top->NewObject<TText>();
    T->SetX(-10);
    T->SetY(-1);
    T->SetText("tiny");
    T->SetWidth(20);
    T->SetHeight(1); // about 1 pixel high: not shown
    test::PaintControl(Map);
    EXPECT_FALSE(Map.GetDisplayed()->Contains(T));
    Map.SelectObjectAt(0, 0, true);
    EXPECT_EQ(Selected(), Under);

    T->SetHeight(20); // readable now, after the next paint
    Map.DoUpdate(true);
    test::PaintControl(Map);
    ASSERT_TRUE(Map.GetDisplayed()->Contains(T)) << T->GetFont()->GetSize();
    Map.SelectObjectAt(0, 5, true);
    EXPECT_EQ(Selected(), T);
}

TEST_F(THitWalk, IndexAndScanHitTheSameFirstDrawnObject)
{
    TRegion* Outer = Box(Top, -30, -30, 30, 30);
    TRegion* Inner = Box(Top, -10, -10, 10, 10); // overlaps it
    for (int I = 0; I < 40; ++I)                 // enough objects for the index to divide
        Box(Top, 40 + I, 40, 41 + I, 41);
    for (const bool Indexed : {false, true}) {
        Top->SetUseIndex2D(Indexed);
        Map.DoUpdate(true);
        test::PaintControl(Map);
        Map.GetSelection()->Clear();
        // Whichever of the two the walk drew first is hit.
        const TMapObjectsList* Drawn = Map.GetDisplayed();
        ASSERT_GE(Drawn->IndexOf(Outer), 0);
        ASSERT_GE(Drawn->IndexOf(Inner), 0);
        TCustomMapObject* First = Drawn->IndexOf(Outer) < Drawn->IndexOf(Inner) ? Outer : Inner;
        Map.SelectObjectAt(0, 0, true);
        EXPECT_EQ(Selected(), First) << (Indexed ? "index" : "scan");
        Map.SelectObjectsAt(0, 0, true);
        EXPECT_EQ(Map.GetSelection()->Count(), 2);
    }
}

TEST_F(THitWalk, ALayerOutsideItsZoomRangeIsNeitherPaintedNorHit)
{
    TRegion* Under = Box(Bottom, -20, -20, 20, 20);
    Box(Top, -20, -20, 20, 20);
    Top->SetMinZoom(2);
    Top->SetMaxZoom(4);
    test::PaintControl(Map);
    EXPECT_FALSE(Top->IsPainted());
    EXPECT_EQ(Map.GetDisplayed()->Count(), 1);
    Map.SelectObjectAt(0, 0, true);
    EXPECT_EQ(Selected(), Under);
}
