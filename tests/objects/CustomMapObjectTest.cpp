// The object base: defaults, bounding-box predicates, copying, labels and
// the exclusive-or highlight.
#include "map/MapObjects.h"
#include "tests/support/InputHelpers.h"
#include "tests/support/PixelHelpers.h"

#include <gtest/gtest.h>

using namespace cartova;

namespace {

TCustomMapObject* MakeBox(double X0, double Y0, double X1, double Y1)
{
    auto* O = new TCustomMapObject;
    TPart* P = O->GetParts()->Add();
    P->GetPoints()->Add(X0, Y0);
    P->GetPoints()->Add(X1, Y1);
    return O;
}

} // namespace

TEST(CustomMapObject, NewObjectIsEmptyAndItsPredicatesSayWhatEmptyMeans)
{
    TCustomMapObject O;
    EXPECT_EQ(O.GetBGColor(), clWhite);
    EXPECT_FALSE(O.GetUseBGColor());
    EXPECT_EQ(O.GetTag(), 0);
    EXPECT_EQ(O.GetParts()->Count(), 0);
    EXPECT_EQ(O.GetBounds(), (TBounds{2147483647.0, 2147483647.0, -2147483647.0, -2147483647.0}));
    std::unique_ptr<TCustomMapObject> Box(MakeBox(0, 0, 1, 1));
    EXPECT_TRUE(Box->Contains(&O));
    EXPECT_FALSE(Box->Intersects(&O));
    EXPECT_TRUE(O.WithinRect(5, 5, 6, 6));
    EXPECT_FALSE(O.GetSelected());
}

TEST(CustomMapObject, BoxPredicatesIncludeEdgesAndCrossShapedOverlaps)
{
    std::unique_ptr<TCustomMapObject> O(MakeBox(0, 0, 10, 4));
    EXPECT_TRUE(O->ContainsPoint(10, 4));
    EXPECT_FALSE(O->ContainsPoint(10.0001, 4));
    EXPECT_TRUE(O->IntersectsRect(10, 4, 20, 20)); // touches a corner only
    EXPECT_TRUE(O->IntersectsRect(3, -5, 6, 9));   // a cross: no corner inside the other
    EXPECT_FALSE(O->IntersectsRect(11, 0, 12, 4));
    EXPECT_TRUE(O->ContainsRect(1, 1, 2, 2));
    EXPECT_FALSE(O->ContainsRect(1, 1, 2, 5));
    EXPECT_TRUE(O->WithinRect(0, 0, 10, 4));
    std::unique_ptr<TCustomMapObject> Inner(MakeBox(2, 1, 3, 2));
    EXPECT_TRUE(Inner->Within(O.get()));
    EXPECT_FALSE(O->Within(Inner.get()));
}

TEST(CustomMapObject, AssignCopiesGeometryStylesAttributesAndFlags)
{
    std::unique_ptr<TCustomMapObject> Src(MakeBox(1, 2, 3, 4));
    Src->GetPen()->SetColor(clRed);
    Src->SetTag(7);
    Src->SetUseBGColor(true);
    Src->GetFields()->Add("name", dtString, 10)->SetAsString("x");
    TCartova Map;
    TMapLayer* L = Map.GetLayers()->Add("", "l");
    TCustomMapObject* Dst = L->NewObject<TCustomMapObject>();
    L->SetObjects(0, Src.get());
    EXPECT_EQ(Dst->GetLayer(), L); // the copy stays in its own layer
    EXPECT_EQ(Dst->GetBounds(), (TBounds{1, 2, 3, 4}));
    EXPECT_EQ(Dst->GetParts()->First()->GetPoints()->Count(), 2);
    EXPECT_EQ(Dst->GetPen()->GetColor(), clRed);
    EXPECT_EQ(Dst->GetTag(), 7);
    EXPECT_TRUE(Dst->GetUseBGColor());
    EXPECT_EQ(Dst->GetFields()->GetFields(0)->GetAsString(), "x");
    TPen Pen;
    EXPECT_THROW(Dst->Assign(&Pen), EConvertError);
}

TEST(CustomMapObject, UpdateBoundsIsTheOnlyWayTheBoxShrinks)
{
    std::unique_ptr<TCustomMapObject> O(MakeBox(0, 0, 10, 10));
    O->GetParts()->First()->GetPoints()->GetPoint(1).X = 5;
    EXPECT_EQ(O->GetBounds().MaxX, 10);
    O->UpdateBounds();
    EXPECT_EQ(O->GetBounds(), (TBounds{0, 0, 5, 10}));
}

TEST(CustomMapObject, LabelsOnlyForWhollyVisibleObjectsAndHighlightToggles)
{
    test::THostWindow Window(200, 100);
    TCartova Map;
    Window.Add(Map, 0, 0, 200, 100);
    Map.SetColor(clWhite);
    TMapLayer* L = Map.GetLayers()->Add("", "l");
    L->GetFields()->Add("name", dtString, 0);
    L->GetAutoLabelFont()->SetColor(clRed);
    L->GetAutoLabelFont()->SetSize(12);
    L->SetAutoLabel(true);
    TCustomMapObject* Inside = L->NewObject<TCustomMapObject>();
    Inside->GetParts()->Add()->GetPoints()->Add(-90, 0);
    Inside->GetFields()->GetFields(0)->SetAsString("WWW");
    TCustomMapObject* Partly = L->NewObject<TCustomMapObject>();
    Partly->GetParts()->Add()->GetPoints()->Add(90, 0);
    Partly->GetParts()->First()->GetPoints()->Add(500, 0); // reaches outside the view
    Partly->GetFields()->GetFields(0)->SetAsString("WWW");

    const QImage Image = test::PaintControl(Map);
    EXPECT_GT(test::CountColor(Image, clRed, Rect(0, 0, 100, 100)), 10);
    EXPECT_EQ(test::CountColor(Image, clRed, Rect(100, 0, 200, 100)), 0);

    // Writing Selected toggles the exclusive-or preparation, not the selection.
    Inside->SetSelected(false);
    EXPECT_FALSE(Inside->GetSelected());
    Inside->Select();
    EXPECT_TRUE(Inside->GetSelected());
    Partly->Select(); // exclusive
    EXPECT_FALSE(Inside->GetSelected());
}
