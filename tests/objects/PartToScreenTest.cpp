// Screen points of parts: clipping to the grown view, generalisation, the
// buffers handed out.
#include "objects/PartToScreen.h"
#include "tests/support/VectorTestMap.h"

#include <random>
#include <vector>

using namespace cartova;
using cartova::test::TVectorMapFixture;

namespace {

void Fill(TMapPoints& R, std::initializer_list<TMapPoint> Points)
{
    for (const TMapPoint& P : Points)
        R.Add(P);
}

std::vector<TPoint> ToScreen(std::initializer_list<TMapPoint> Points, const TCartova& Map)
{
    TMapPoints R;
    Fill(R, Points);
    const TScreenPoints S(R, &Map);
    return {S.Points(), S.Points() + S.Count()};
}

using PartToScreenTest = TVectorMapFixture;

} // namespace

TEST_F(PartToScreenTest, RingOutsideTheViewYieldsNoPointsAndDrawsNothing)
{
    TMapPoints Outside;
    Fill(Outside, {{300, 50}, {350, 50}, {350, 90}, {300, 90}});
    int Count = -1;
    TPoint* P = PartToScreen(Outside, &Map, Count);
    EXPECT_EQ(P, nullptr);
    EXPECT_EQ(Count, 0);

    auto* Line = Adopt(new TPolyline);
    TVectorMapFixture::AddPart(Line, {{300, 50}, {350, 60}, {320, 90}});
    auto* Area = Adopt(new TRegion);
    TVectorMapFixture::AddBox(Area, -100, 250, -50, 300);
    const QImage Image = Painted();
    EXPECT_EQ(test::CountColor(Image, clWhite), 200 * 200);
}

TEST_F(PartToScreenTest, CrossingRingGetsVerticesTwoPixelsOutsideTheView)
{
    // A box from x = -50 to 50: the left side is cut at the grown left edge.
    const std::vector<TPoint> S = ToScreen({{-50, 50}, {50, 50}, {50, 150}, {-50, 150}}, Map);
    ASSERT_FALSE(S.empty());
    int AtEdge = 0;
    for (const TPoint& P : S) {
        EXPECT_GE(P.X, -2);
        if (P.X == -2)
            ++AtEdge;
    }
    EXPECT_EQ(AtEdge, 2);

    // The outline along the cut lies outside the client area: only the three
    // inner sides show.
    auto* Area = Adopt(new TRegion);
    TVectorMapFixture::AddBox(Area, -50, 50, 50, 150);
    Area->GetBrush()->SetStyle(bsClear);
    const QImage Image = Painted();
    EXPECT_EQ(test::PixelOf(Image, 0, 100), clWhite);
    EXPECT_EQ(test::PixelOf(Image, 50, 100), clBlack);
    EXPECT_EQ(test::PixelOf(Image, 20, 50), clBlack);
}

TEST_F(PartToScreenTest, GeneralisationKeepsPointsMoreThanTheLevelApart)
{
    // Screen points (0,0), (2,2), (3,1), (10,0).
    const auto Part = {TMapPoint(0, 200), TMapPoint(2, 198), TMapPoint(3, 199), TMapPoint(10, 200)};
    EXPECT_EQ(ToScreen(Part, Map).size(), 4u);

    Map.SetUseGeneralization(true);
    Map.SetGeneralizationLevel(3);
    const std::vector<TPoint> S = ToScreen(Part, Map);
    ASSERT_EQ(S.size(), 2u);
    EXPECT_EQ(S[0], Point(0, 0));
    EXPECT_EQ(S[1], Point(10, 0));
}

TEST_F(PartToScreenTest, InsideAndClippedPathsAgreeOnSharedVertices)
{
    // The same inner vertices, once in a part wholly inside the view and once
    // in a part that also reaches outside: the inner vertices convert alike.
    const std::vector<TPoint> Inside = ToScreen({{10.4, 20.6}, {150.5, 30.5}, {120.25, 170.75}}, Map);
    const std::vector<TPoint> Crossing =
        ToScreen({{10.4, 20.6}, {150.5, 30.5}, {120.25, 170.75}, {-500, 100}}, Map);
    ASSERT_EQ(Inside.size(), 3u);
    ASSERT_GE(Crossing.size(), 5u);
    for (int I = 0; I < 3; ++I) {
        int X, Y;
        const double MX[] = {10.4, 150.5, 120.25}, MY[] = {20.6, 30.5, 170.75};
        Map.MapToScreen(MX[I], MY[I], X, Y, false);
        EXPECT_EQ(Inside[I], Point(X, Y));
        EXPECT_EQ(Crossing[I], Point(X, Y));
    }
}

TEST_F(PartToScreenTest, SeveralBlocksMayBeOutAtOnce)
{
    TMapPoints A, B;
    Fill(A, {{10, 10}, {20, 10}, {20, 20}});
    Fill(B, {{100, 100}, {120, 100}});
    int CA = 0, CB = 0;
    TPoint* PA = PartToScreen(A, &Map, CA);
    TPoint* PB = PartToScreen(B, &Map, CB);
    ASSERT_NE(PA, nullptr);
    ASSERT_NE(PB, nullptr);
    EXPECT_NE(PA, PB);
    EXPECT_EQ(PA[0], Point(10, 190));
    EXPECT_EQ(PB[1], Point(120, 100));
    FreeScreenPoints(PA, CA);
    // B's block is untouched by freeing A's and by the next conversion.
    int CC = 0;
    TPoint* PC = PartToScreen(A, &Map, CC);
    EXPECT_EQ(PB[0], Point(100, 100));
    FreeScreenPoints(PB, CB);
    FreeScreenPoints(PC, CC);
    FreeScreenPoints(nullptr, 0);
    EXPECT_EQ(PartToScreen(A, nullptr, CC), nullptr);
    EXPECT_EQ(CC, 0);
}

TEST_F(PartToScreenTest, InsidePartsConvertLikeMapToScreenAtAnyZoom)
{
    // Vertices on half pixels (rounded to even), just inside the edges and
    // at random places, at zooms and centres that give long fractions.
    std::mt19937 Random(11);
    std::uniform_real_distribution<double> Unit(0.0, 1.0);
    Map.SetUseGeneralization(false);
    for (const double Zoom : {1.0, 3.0, 0.37, 7.125}) {
        Map.SetZoom(Zoom);
        Map.SetCenterX(100.3);
        Map.SetCenterY(99.7);
        const TBounds V = Map.GetViewBounds();
        TMapPoints Part;
        for (int I = 0; I < 500; ++I) {
            const double FX = I < 8 ? (I % 2) : Unit(Random), FY = I < 8 ? (I / 2 % 2) : Unit(Random);
            Part.Add(TMapPoint(V.MinX + FX * (V.MaxX - V.MinX), V.MinY + FY * (V.MaxY - V.MinY)));
        }
        for (int Px = 0; Px < 20; ++Px) {
            double MX, MY;
            Map.ScreenToMap(Px * 9, Px * 7, MX, MY);
            Part.Add(TMapPoint(MX + 0.5 / Zoom, MY - 0.5 / Zoom));
        }
        const TScreenPoints S(Part, &Map);
        ASSERT_EQ(S.Count(), Part.Count());
        for (int I = 0; I < Part.Count(); ++I) {
            int X, Y;
            Map.MapToScreen(Part[I].X, Part[I].Y, X, Y, false);
            ASSERT_EQ(S.Points()[I], Point(X, Y)) << "zoom " << Zoom << " vertex " << I;
        }
    }
}
