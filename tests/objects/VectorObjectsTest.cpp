// Regions, polylines, rectangles and circles: drawing checked on pixels of
// the painted bitmap, and the circle's and rectangle's hit tests.
#include "tests/support/VectorTestMap.h"

using namespace cartova;
using cartova::test::PixelOf;
using cartova::test::TVectorMapFixture;

namespace {

using RegionTest = TVectorMapFixture;
using RectangleTest = TVectorMapFixture;
using CircleDrawTest = TVectorMapFixture;

void Place(TCircle& C, double X, double Y, double R)
{
    C.SetX(X);
    C.SetY(Y);
    C.SetRadius(R);
}

} // namespace

TEST_F(RegionTest, InnerRingCutsAHoleAndARingInsideTheHoleFillsAgain)
{
    auto* R = Adopt(new TRegion);
    AddBox(R, 20, 20, 180, 180);
    AddBox(R, 60, 60, 140, 140);
    QImage Image = Painted();
    EXPECT_EQ(PixelOf(Image, 40, 100), clRed);
    EXPECT_EQ(PixelOf(Image, 100, 100), clWhite);
    EXPECT_EQ(PixelOf(Image, 140, 100), clBlack) << "the inner ring's outline";
    EXPECT_EQ(PixelOf(Image, 60, 100), clWhite) << "the outline is not closed back";
    EXPECT_EQ(PixelOf(Image, 59, 100), clRed);
    EXPECT_EQ(PixelOf(Image, 10, 100), clWhite);

    AddBox(R, 90, 90, 110, 110);
    Image = Painted();
    EXPECT_EQ(PixelOf(Image, 100, 100), clRed);
    EXPECT_EQ(PixelOf(Image, 75, 100), clWhite);
    EXPECT_EQ(PixelOf(Image, 40, 100), clRed);
}

TEST_F(RegionTest, ManyRingsFillWhereAnOddNumberOfThemCover)
{
    // Nested, overlapping and separate rings, more than a few so that they
    // are combined in several rounds.
    const double Boxes[][4] = {{10, 10, 190, 190}, {20, 20, 180, 180}, {30, 30, 170, 170}, {40, 40, 160, 160},
                               {50, 50, 150, 150}, {60, 20, 120, 100}, {100, 60, 190, 130}, {0, 150, 40, 200},
                               {160, 0, 200, 30},  {70, 70, 80, 80},   {130, 140, 180, 190}};
    auto* R = Adopt(new TRegion);
    for (const auto& B : Boxes)
        AddBox(R, B[0], B[1], B[2], B[3]);
    const QImage Image = Painted();
    // Sample between the ring edges, which all lie on multiples of 10.
    for (int PX = 5; PX < 200; PX += 10)
        for (int PY = 5; PY < 200; PY += 10) {
            const double X = PX, Y = 200 - PY;
            int Covering = 0;
            for (const auto& B : Boxes)
                Covering += B[0] < X && X < B[2] && B[1] < Y && Y < B[3];
            EXPECT_EQ(PixelOf(Image, PX, PY), Covering % 2 ? clRed : clWhite) << PX << ", " << PY;
        }
}

TEST_F(RegionTest, AStarRingFillsItsCentreBesideSmallRings)
{
    // A five-pointed star drawn in one stroke winds twice round its centre:
    // each ring is filled by winding, so the centre is inside, also when
    // small rings of the same region are filled together.
    auto* R = Adopt(new TRegion);
    AddPart(R, {{100, 190}, {160, 10}, {10, 120}, {190, 120}, {40, 10}});
    AddPart(R, {{2, 2}, {12, 2}, {7, 12}});
    AddBox(R, 180, 180, 196, 196);
    const QImage Image = Painted();
    EXPECT_EQ(PixelOf(Image, 100, 100), clRed) << "the star's centre";
    EXPECT_EQ(PixelOf(Image, 100, 30), clRed) << "a point of the star";
    EXPECT_EQ(PixelOf(Image, 7, 194), clRed) << "the triangle";
    EXPECT_EQ(PixelOf(Image, 188, 12), clRed) << "the box";
    EXPECT_EQ(PixelOf(Image, 20, 100), clWhite);
}

TEST_F(RegionTest, EasyDrawPaintsInnerRingsOnTop)
{
    auto* R = Adopt(new TRegion);
    AddBox(R, 20, 20, 180, 180);
    AddBox(R, 60, 60, 140, 140);
    Map.SetEasyDraw(true);
    QImage Image = Painted();
    EXPECT_EQ(PixelOf(Image, 40, 100), clRed);
    EXPECT_EQ(PixelOf(Image, 100, 100), clRed);
    EXPECT_EQ(PixelOf(Image, 60, 100), clBlack);

    // The outer ring's outline is covered where the inner polygon lies on
    // top of it: a ring overlapping the outer outline hides that piece.
    AddBox(R, 160, 80, 195, 120);
    Image = Painted();
    EXPECT_EQ(PixelOf(Image, 180, 100), clRed) << "outer outline painted over";
    EXPECT_EQ(PixelOf(Image, 180, 79), clBlack);
}

TEST_F(RegionTest, BackgroundColourAndSlowSelectionPattern)
{
    auto* R = Adopt(new TRegion);
    AddBox(R, 20, 20, 180, 180);
    R->GetBrush()->SetStyle(bsClear);
    R->SetUseBGColor(true);
    R->SetBGColor(clYellow);
    QImage Image = Painted();
    EXPECT_EQ(PixelOf(Image, 100, 100), clYellow);

    R->SetUseBGColor(false);
    R->GetBrush()->SetStyle(bsSolid);
    Map.SetFastSelection(false);
    R->Select();
    Image = Painted();
    // The selection pattern: blue, with transparent pixels showing the fill.
    bool Blue = false;
    for (int X = 90; X < 98; ++X)
        Blue = Blue || PixelOf(Image, X, 100) != clRed;
    EXPECT_TRUE(Blue);
    EXPECT_NE(PixelOf(Image, 100, 100), clWhite);
}

TEST_F(RegionTest, PolylineDrawsItsPathsOpen)
{
    auto* L = Adopt(new TPolyline);
    AddPart(L, {{20, 100}, {180, 100}, {180, 20}});
    AddPart(L, {{50, 150}, {60, 150}});
    const QImage Image = Painted();
    EXPECT_EQ(PixelOf(Image, 100, 100), clBlack);
    EXPECT_EQ(PixelOf(Image, 180, 150), clBlack);
    EXPECT_EQ(PixelOf(Image, 55, 50), clBlack);
    // Not closed: the diagonal back from (180, 20) to (20, 100) is missing.
    EXPECT_EQ(PixelOf(Image, 100, 140), clWhite);
    EXPECT_EQ(Map.GetDisplayed()->Count(), 1);
}

TEST_F(RectangleTest, CornersAreNormalisedAndAReversedRectangleDrawsTheSame)
{
    auto* R = Adopt(new TRectangle);
    TMapPoints& P = *R->GetParts()->First()->GetPoints();
    P[0] = {150, 150};
    P[1] = {50, 50};
    EXPECT_EQ(R->GetX0(), 50);
    EXPECT_EQ(R->GetX1(), 150);
    EXPECT_EQ(R->GetY0(), 50);
    EXPECT_EQ(R->GetY1(), 150);
    const QImage Reversed = Painted();
    EXPECT_EQ(PixelOf(Reversed, 100, 100), clRed);
    EXPECT_EQ(PixelOf(Reversed, 50, 100), clBlack);

    P[0] = {50, 50};
    P[1] = {150, 150};
    EXPECT_EQ(test::CountDifferences(Painted(), Reversed), 0);

    R->SetX0(10); // writes vertex 0 directly
    EXPECT_EQ(P[0].X, 10);
    EXPECT_EQ(R->GetExtent(), (TBounds{10, 50, 150, 150}));

    TRectangle Short;
    Short.GetParts()->First()->GetPoints()->Delete(1);
    EXPECT_EQ(Short.GetY1(), 0);
    EXPECT_EQ(Short.GetParts()->First()->GetPoints()->Count(), 2);
}

TEST_F(RectangleTest, BackgroundThenOwnStylesReplaceTheSelectionStyle)
{
    auto* R = Adopt(new TRectangle);
    R->SetX0(50);
    R->SetY0(50);
    R->SetX1(150);
    R->SetY1(150);
    R->UpdateBounds();
    R->GetBrush()->SetStyle(bsClear);
    R->SetUseBGColor(true);
    R->SetBGColor(clYellow);
    EXPECT_EQ(PixelOf(Painted(), 100, 100), clYellow);

    R->SetUseBGColor(false);
    R->GetBrush()->SetStyle(bsSolid);
    Map.SetFastSelection(false);
    R->Select();
    const QImage Image = Painted();
    EXPECT_EQ(PixelOf(Image, 100, 100), clRed);
    EXPECT_EQ(PixelOf(Image, 50, 100), clBlack);
}

TEST(RectangleHitTest, IntersectsCountsCornersAndVertices)
{
    TRectangle R;
    R.SetX0(0);
    R.SetY0(0);
    R.SetX1(10);
    R.SetY1(10);
    R.UpdateBounds();
    EXPECT_TRUE(R.IntersectsRect(5, 5, 20, 20));
    EXPECT_FALSE(R.IntersectsRect(-5, 4, 20, 6)) << "crossing without a corner inside";
    EXPECT_FALSE(R.IntersectsRect(-5, -5, 20, 20)) << "enclosing";
    EXPECT_TRUE(R.ContainsRect(1, 1, 9, 9));
    EXPECT_TRUE(R.WithinRect(0, 0, 10, 10));

    TPolyline L;
    L.GetParts()->Add()->GetPoints()->Add(20, 20);
    EXPECT_FALSE(R.Intersects(&L));
    L.GetParts()->First()->GetPoints()->Add(5, 5);
    EXPECT_TRUE(R.Intersects(&L));
    EXPECT_FALSE(R.Contains(&L));
    TPolyline Empty;
    EXPECT_FALSE(R.Intersects(&Empty));
}

TEST(CircleHitTest, IntersectionRimAndRectangles)
{
    TCircle A, Touching, Close;
    Place(A, 0, 0, 1);
    Place(Touching, 2, 0, 1);
    Place(Close, 1.999, 0, 1);
    EXPECT_FALSE(A.Intersects(&Touching));
    EXPECT_TRUE(A.Intersects(&Close));

    EXPECT_TRUE(A.ContainsPoint(1, 0));
    EXPECT_TRUE(A.ContainsPoint(0, -1));
    EXPECT_FALSE(A.ContainsPoint(1.0001, 0));

    EXPECT_TRUE(A.IntersectsRect(-0.1, -0.1, 0.1, 0.1));
    EXPECT_FALSE(A.IntersectsRect(-2, -2, 2, 2));
    EXPECT_TRUE(A.ContainsRect(-0.5, -0.5, 0.5, 0.5));
    EXPECT_FALSE(A.ContainsRect(-0.8, -0.8, 0.8, 0.8));
    EXPECT_TRUE(A.WithinRect(-1.5, -1.5, 1.5, 1.5));
    EXPECT_FALSE(A.WithinRect(-1, -1.5, 1.5, 1.5)) << "strict";

    TPolyline L;
    L.GetParts()->Add()->GetPoints()->Add(5, 5);
    EXPECT_FALSE(A.Contains(&L));
    EXPECT_FALSE(A.Intersects(&L));
    L.GetParts()->First()->GetPoints()->Add(0.5, 0.5);
    EXPECT_TRUE(A.Contains(&L));
    EXPECT_TRUE(A.Intersects(&L));
}

TEST(CircleHitTest, CentreAccessorsExtentAndAssign)
{
    TCircle C;
    C.GetParts()->Clear();
    C.SetY(4);
    EXPECT_EQ(C.GetX(), 0);
    EXPECT_EQ(C.GetY(), 4);
    C.SetX(3);
    C.SetRadius(2);
    EXPECT_EQ(C.GetExtent(), (TBounds{1, 2, 5, 6}));

    TCircle Copy;
    Copy.Assign(&C);
    EXPECT_EQ(Copy.GetRadius(), 2);
    EXPECT_EQ(Copy.GetX(), 3);
    EXPECT_EQ(Copy.GetY(), 4);
}

TEST_F(CircleDrawTest, CircleDrawsItsEllipse)
{
    auto* C = Adopt(new TCircle);
    C->SetX(100);
    C->SetY(100);
    C->SetRadius(40);
    const QImage Image = Painted();
    EXPECT_EQ(PixelOf(Image, 100, 100), clRed);
    EXPECT_EQ(PixelOf(Image, 100, 62), clRed);
    EXPECT_EQ(PixelOf(Image, 145, 100), clWhite);
    EXPECT_EQ(PixelOf(Image, 75, 75), clRed);
    EXPECT_EQ(PixelOf(Image, 65, 65), clWhite);
}

TEST_F(CircleDrawTest, PartlyVisibleCircleAndRectangleArePainted)
{
    for (const bool Indexed : {false, true}) {
        SCOPED_TRACE(Indexed ? "with the index" : "without the index");
        Layer->DeleteObjects();
        // Crosses the left edge, covering no corner of the view.
        auto* C = Adopt(new TCircle);
        C->SetX(-20);
        C->SetY(100);
        C->SetRadius(40);
        C->UpdateBounds();
        // Crosses the whole view with no view corner inside its box.
        auto* R = Adopt(new TRectangle);
        R->SetX0(-50);
        R->SetY0(20);
        R->SetX1(250);
        R->SetY1(40);
        R->UpdateBounds();
        Layer->SetUseIndex2D(Indexed);
        const QImage Image = Painted();
        EXPECT_EQ(PixelOf(Image, 10, 100), clRed) << "circle";
        EXPECT_EQ(PixelOf(Image, 100, 170), clRed) << "rectangle";
    }
}
