// Objects need nothing of a map but its narrow view: drawn, hit-tested,
// selected and destroyed against a view of the test's own over a bitmap.
#include "objects/Region.h"
#include "objects/Text.h"
#include "tests/support/PixelHelpers.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace cartova;
using cartova::test::PixelOf;

namespace {

/// A 100 × 100 pixel view of map units 0..100 (y up) over a bitmap.
class TBitmapView : public TMapView {
public:
    TBitmapView() { test::FillBitmap(Bitmap, 100, 100, clWhite); }

    TCanvas* GetCanvas() override { return Bitmap.GetCanvas(); }
    TBitmap* GetSelectionPattern() const override { return nullptr; }
    void MapToScreen(double MX, double MY, int& X, int& Y, bool) const override
    {
        X = static_cast<int>(MX);
        Y = static_cast<int>(100 - MY);
    }
    void ScreenToMap(int X, int Y, double& MX, double& MY) const override
    {
        MX = X;
        MY = 100 - Y;
    }
    TBounds GetViewBounds() const override { return {0, 0, 100, 100}; }
    bool GetShowSelection() const override { return true; }
    bool GetFastSelection() const override { return true; }
    bool GetEasyDraw() const override { return false; }
    bool GetUseGeneralization() const override { return false; }
    int GetGeneralizationLevel() const override { return 1; }
    bool IsSelected(const TCustomMapObject* O) const override { return Selected.contains(O); }
    void SelectObject(TCustomMapObject* O, bool Exclusive) override
    {
        if (Exclusive)
            Selected.clear();
        Selected.insert(O);
    }
    bool GetTextSizing() const override { return Sizing; }
    void SetTextSizing(bool Value) override { Sizing = Value; }
    void DoUpdate(bool) override { ++Updates; }
    void DetachObject(TCustomMapObject* O) override
    {
        Detached.push_back(O);
        Selected.erase(O);
    }

    TBitmap Bitmap;
    std::set<const TCustomMapObject*> Selected;
    std::vector<TCustomMapObject*> Detached;
    bool Sizing = false;
    int Updates = 0;
};

/// A layer view that only records what its objects ask of it.
class TRecordingLayer : public TLayerView {
public:
    bool GetAutoLabel() const override { return false; }
    int GetLabelFieldIndex() const override { return 0; }
    TFont* GetAutoLabelFont() const override { return nullptr; }
    TDataFields* GetFields() const override { return nullptr; }
    int RemoveObject(TCustomMapObject* O) override
    {
        Removed.push_back(O);
        return 0;
    }
    std::vector<TCustomMapObject*> Removed;
};

} // namespace

TEST(MapView, ObjectsDrawHitTestSelectAndLeaveThroughTheViewAlone)
{
    TBitmapView View;
    TRecordingLayer Layer;
    auto* R = new TRegion;
    TMapPoints* P = R->GetParts()->Add()->GetPoints();
    for (const TMapPoint& V : {TMapPoint{10, 10}, {90, 10}, {90, 90}, {10, 90}})
        P->Add(V);
    R->SetMap(&View);
    R->SetLayer(&Layer);
    R->GetBrush()->SetColor(clRed);
    R->GetPen()->SetColor(clBlack);

    EXPECT_TRUE(R->Paint());
    EXPECT_EQ(PixelOf(View.Bitmap, 50, 50), clRed);
    EXPECT_EQ(PixelOf(View.Bitmap, 5, 50), clWhite);
    EXPECT_TRUE(R->ContainsPoint(50, 50));

    R->Select();
    EXPECT_TRUE(R->GetSelected());
    R->DrawSelection(); // the exclusive-or marker turns the fill navy...
    EXPECT_EQ(PixelOf(View.Bitmap, 50, 50), clNavy);
    R->DrawSelection(); // ...and a second one restores it
    EXPECT_EQ(PixelOf(View.Bitmap, 50, 50), clRed);

    delete R; // told once to the map, then to the layer
    ASSERT_EQ(View.Detached.size(), 1u);
    EXPECT_EQ(View.Detached[0], R);
    EXPECT_EQ(Layer.Removed.size(), 1u);
    EXPECT_TRUE(View.Selected.empty());
}

TEST(MapView, ATextTooSmallToReadDoesNotShow)
{
    TBitmapView View;
    TText T;
    T.SetMap(&View);
    T.SetText("label");
    T.SetWidth(40);
    T.SetHeight(3); // 3 pixels high: fitted to size 3, below the shown 4
    EXPECT_FALSE(T.Paint());
    EXPECT_FALSE(View.Sizing) << "the sizing flag is restored";
    T.SetHeight(20);
    EXPECT_TRUE(T.Paint());
    T.SetMap(nullptr);
    EXPECT_FALSE(T.Paint()) << "without a map nothing is drawn";
}
