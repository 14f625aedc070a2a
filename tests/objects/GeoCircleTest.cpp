// Geodesic circles: the region ring computed through the Gauss–Krüger plane
// and the cheap ellipse, checked on their vertices, bounds, hit tests and
// painted pixels. The fixture's map shows degrees 0..200 on both axes, one
// degree a pixel.
#include "objects/GeoCircle.h"
#include "objects/GeoCircleRegion.h"
#include "tests/support/VectorTestMap.h"

#include <cmath>

using namespace cartova;
using cartova::test::PixelOf;
using cartova::test::TVectorMapFixture;

namespace {

using GeoCircleRegionTest = TVectorMapFixture;
using GeoCircleEllipseTest = TVectorMapFixture;

const TMapPoints& Ring(const TCustomMapObject& O) { return *O.GetParts()->First()->GetPoints(); }

/// Distance in metres on a sphere of the Krasovsky ellipsoid's mean radius,
/// and the bearing in degrees clockwise from north, from (Lat0, Lon0) to
/// (Lat, Lon): an independent look at where the ring's vertices lie.
double GroundMetres(double Lat0, double Lon0, double Lat, double Lon)
{
    const double R = 6371110.0, D = M_PI / 180;
    const double A = std::pow(std::sin((Lat - Lat0) * D / 2), 2) +
                     std::cos(Lat0 * D) * std::cos(Lat * D) * std::pow(std::sin((Lon - Lon0) * D / 2), 2);
    return 2 * R * std::asin(std::sqrt(A));
}

double BearingDegrees(double Lat0, double Lon0, double Lat, double Lon)
{
    const double D = M_PI / 180;
    const double Y = std::sin((Lon - Lon0) * D) * std::cos(Lat * D);
    const double X = std::cos(Lat0 * D) * std::sin(Lat * D) -
                     std::sin(Lat0 * D) * std::cos(Lat * D) * std::cos((Lon - Lon0) * D);
    return std::atan2(Y, X) / D;
}

/// The difference of two bearings, in -180..180 degrees.
double Turn(double From, double To) { return std::remainder(To - From, 360.0); }

} // namespace

TEST(GeoCircleRegion, NewCircleIsAClosedRingOf91VerticesAroundTheOrigin)
{
    TGeoCircle C;
    EXPECT_EQ(C.GetCenterX(), 0.0);
    EXPECT_EQ(C.GetCenterY(), 0.0);
    EXPECT_EQ(C.GetRadius(), 100000.0);
    EXPECT_EQ(C.GetPieCount(), 90);
    ASSERT_EQ(C.GetParts()->Count(), 1);
    const TMapPoints& P = Ring(C);
    ASSERT_EQ(P.Count(), 91);
    EXPECT_EQ(P.Last(), P.First());
    for (int I = 0; I < 90; ++I) {
        EXPECT_NEAR(GroundMetres(0, 0, P[I].Y, P[I].X), 100000.0, 1000.0) << I;
        EXPECT_NEAR(Turn(4.0 * (I + 1), BearingDegrees(0, 0, P[I].Y, P[I].X)), 0.0, 0.5) << I;
    }
    // The box covers the ring: about ±0.9 degrees.
    const TBounds B = C.GetBounds();
    EXPECT_NEAR(B.MaxY, 0.904, 0.005);
    EXPECT_NEAR(B.MinY, -0.904, 0.005);
    EXPECT_NEAR(B.MaxX, 0.898, 0.005);
}

TEST(GeoCircleRegion, PieCountSetsTheBearingsAndRejectsZeroOrLess)
{
    TGeoCircle C;
    C.SetPieCount(4);
    const TMapPoints& P = Ring(C);
    ASSERT_EQ(P.Count(), 5);
    // Bearings on the plane's grid: off the zone's central meridian (3
    // degrees east) grid north turns a little from true north.
    const double Bearings[] = {90, 180, 270, 360};
    for (int I = 0; I < 4; ++I)
        EXPECT_NEAR(Turn(Bearings[I], BearingDegrees(0, 0, P[I].Y, P[I].X)), 0.0, 0.05) << I;
    EXPECT_GT(P[0].X, 0.8);  // east
    EXPECT_LT(P[1].Y, -0.8); // south
    EXPECT_LT(P[2].X, -0.8); // west
    EXPECT_GT(P[3].Y, 0.8);  // north
    EXPECT_EQ(P[4], P[0]);

    for (int Bad : {0, -3}) {
        EXPECT_THROW(C.SetPieCount(Bad), ERangeError);
        EXPECT_EQ(C.GetPieCount(), 4);
        ASSERT_EQ(C.GetParts()->Count(), 1);
        EXPECT_EQ(Ring(C).Count(), 5);
        EXPECT_EQ(Ring(C)[0], P[0]);
    }
}

TEST(GeoCircleRegion, FollowsTheGroundAwayFromTheEquatorAndAcrossTheAntimeridian)
{
    TGeoCircle C;
    C.SetCenterY(55.75);
    C.SetCenterX(37.6);
    C.SetRadius(50000);
    C.UpdateBounds();
    TBounds B = C.GetBounds();
    EXPECT_NEAR((B.MinX + B.MaxX) / 2, 37.6, 0.01);
    EXPECT_NEAR((B.MinY + B.MaxY) / 2, 55.75, 0.01);
    // Wider in degrees than high, by 1 / cos(latitude).
    EXPECT_NEAR((B.MaxX - B.MinX) / (B.MaxY - B.MinY), 1.0 / std::cos(55.75 * M_PI / 180), 0.03);
    for (const TMapPoint& V : Ring(C))
        EXPECT_NEAR(GroundMetres(55.75, 37.6, V.Y, V.X), 50000.0, 500.0);

    // A ring reaching far beyond its zone (at 60 degrees north, 1200 km is
    // some 21 degrees of longitude; a zone is 6 wide) stays round.
    C.SetCenterY(60);
    C.SetCenterX(2);
    C.SetRadius(1200000);
    for (const TMapPoint& V : Ring(C))
        EXPECT_NEAR(GroundMetres(60, 2, V.Y, V.X), 1200000.0, 15000.0) << V.X << " " << V.Y;
    C.SetCenterY(55.75);
    C.SetCenterX(37.6);
    C.SetRadius(50000);

    // A copy has the same centre, radius, vertex count and ring.
    TGeoCircle Copy;
    Copy.Assign(&C);
    EXPECT_EQ(Copy.GetCenterX(), 37.6);
    EXPECT_EQ(Copy.GetCenterY(), 55.75);
    EXPECT_EQ(Copy.GetRadius(), 50000.0);
    EXPECT_EQ(Copy.GetPieCount(), 90);
    ASSERT_EQ(Copy.GetParts()->Count(), 1);
    EXPECT_EQ(Ring(Copy)[17], Ring(C)[17]);

    // The setters leave the box to the caller: it still covers the old ring.
    C.SetCenterX(10);
    EXPECT_GE(C.GetBounds().MaxX, 38.0);
    C.UpdateBounds();
    EXPECT_LT(C.GetBounds().MaxX, 11.0);

    // East of 180 the ring continues at -180.
    C.SetCenterY(0);
    C.SetCenterX(179.5);
    C.SetRadius(100000);
    int West = 0;
    for (const TMapPoint& V : Ring(C)) {
        EXPECT_LE(V.X, 180.0);
        EXPECT_GE(V.X, -180.0);
        West += V.X < 0;
    }
    EXPECT_GT(West, 10);
    EXPECT_LT(West, 45);
}

TEST_F(GeoCircleRegionTest, IsPaintedAndHitTestedAsARegion)
{
    auto* C = Adopt(new TGeoCircle);
    C->SetCenterX(100);
    C->SetCenterY(40);
    C->SetRadius(2000000); // about 18 degrees of latitude
    C->UpdateBounds();
    const QImage Image = Painted();
    EXPECT_EQ(PixelOf(Image, 100, 160), clRed);
    EXPECT_EQ(PixelOf(Image, 100, 160 - 25), clWhite);
    EXPECT_EQ(PixelOf(Image, 100, 160 + 25), clWhite);
    EXPECT_TRUE(C->ContainsPoint(100, 40));
    EXPECT_FALSE(C->ContainsPoint(100, 70));
}

TEST(GeoCircleEllipse, CornersBeforeAndAfterTheFirstWrite)
{
    GeoCircle::TGeoCircle C;
    EXPECT_EQ(C.GetRadius(), 0.0);
    EXPECT_EQ(C.GetX(), 0.0);
    EXPECT_EQ(C.GetY(), 0.0);
    const TMapPoints& P = Ring(C);
    ASSERT_EQ(P.Count(), 4);
    EXPECT_EQ(P[0], TMapPoint(0, 0));
    EXPECT_EQ(P[1], TMapPoint(0, 1));
    EXPECT_EQ(P[2], TMapPoint(1, 1));
    EXPECT_EQ(P[3], TMapPoint(1, 0));

    // At 60 degrees north a degree of longitude is half a degree of latitude
    // on the ground: the box is about twice as wide as high.
    C.SetY(60);
    C.SetX(30);
    C.SetRadius(100000);
    const double W = P[2].X - P[0].X, H = P[2].Y - P[0].Y;
    EXPECT_NEAR(W / H, 2.0, 0.02);
    EXPECT_NEAR(H / 2, 100000.0 / 111400.0, 0.005); // a degree of latitude is ~111.4 km there
    EXPECT_EQ(P[1], TMapPoint(P[0].X, P[2].Y));
    EXPECT_EQ(P[3], TMapPoint(P[2].X, P[0].Y));
    EXPECT_NEAR((P[0].X + P[2].X) / 2, 30.0, 1e-12);

    // The box follows every write, so the index and selection find it.
    const TBounds B = C.GetBounds();
    EXPECT_EQ(B.MinX, P[0].X);
    EXPECT_EQ(B.MinY, P[0].Y);
    EXPECT_EQ(B.MaxX, P[2].X);
    EXPECT_EQ(B.MaxY, P[2].Y);
    C.SetX(-100);
    EXPECT_EQ(C.GetBounds().MaxX, P[2].X);
    EXPECT_NEAR(C.GetBounds().MaxX, -100 + W / 2, 0.01);

    GeoCircle::TGeoCircle Copy;
    Copy.Assign(&C);
    EXPECT_EQ(Copy.GetX(), -100.0);
    EXPECT_EQ(Copy.GetY(), 60.0);
    EXPECT_EQ(Copy.GetRadius(), 100000.0);
    EXPECT_EQ(Ring(Copy)[2], P[2]);

    // A missing part or missing corners are made again.
    C.GetParts()->Clear();
    C.SetRadius(50000);
    ASSERT_EQ(C.GetParts()->Count(), 1);
    EXPECT_EQ(Ring(C).Count(), 4);
}

TEST(GeoCircleEllipse, WidthIsMeasuredInTheCentresZoneAtZoneEdges)
{
    // 42 degrees east is the edge of zones 7 and 8: a step of one arc-second
    // east of 41.9999 degrees lands in zone 8.
    GeoCircle::TGeoCircle Edge, Inside;
    for (GeoCircle::TGeoCircle* C : {&Edge, &Inside}) {
        C->SetY(50);
        C->SetRadius(10000);
    }
    Edge.SetX(41.9999);
    Inside.SetX(41.99);
    const double WEdge = Ring(Edge)[2].X - Ring(Edge)[0].X;
    const double WInside = Ring(Inside)[2].X - Ring(Inside)[0].X;
    EXPECT_NEAR(WEdge / WInside, 1.0, 1e-3);
    // The same at Greenwich, the edge of zones 60 and 1.
    Edge.SetX(-0.0001);
    Inside.SetX(-0.01);
    EXPECT_NEAR((Ring(Edge)[2].X - Ring(Edge)[0].X) / (Ring(Inside)[2].X - Ring(Inside)[0].X), 1.0, 1e-3);
}

TEST(GeoCircleEllipse, HitTests)
{
    GeoCircle::TGeoCircle C;
    C.SetY(60);
    C.SetX(30);
    C.SetRadius(100000);
    const TMapPoints& P = Ring(C);
    const double DX = (P[2].X - P[0].X) / 2, DY = (P[2].Y - P[0].Y) / 2;
    EXPECT_TRUE(C.ContainsPoint(30, 60));
    EXPECT_TRUE(C.ContainsPoint(30 + DX, 60)) << "the rim counts";
    EXPECT_TRUE(C.ContainsPoint(30, 60 - DY));
    EXPECT_FALSE(C.ContainsPoint(30 + DX * 1.01, 60));
    EXPECT_FALSE(C.ContainsPoint(30 + DX * 0.9, 60 + DY * 0.9)) << "inside the box, outside the ellipse";

    // Predicates over the corner box and the ellipse.
    EXPECT_TRUE(C.WithinRect(20, 50, 40, 70));
    EXPECT_FALSE(C.WithinRect(0, 0, 10, 10));
    EXPECT_TRUE(C.IntersectsRect(30, 60, 40, 70));
    EXPECT_FALSE(C.IntersectsRect(0, 0, 10, 10));
    EXPECT_TRUE(C.ContainsRect(29.9, 59.9, 30.1, 60.1));
    EXPECT_FALSE(C.ContainsRect(20, 50, 40, 70));

    // A zero radius gives a degenerate box that contains nothing; so do
    // fewer than four corners.
    C.SetRadius(0);
    EXPECT_FALSE(C.ContainsPoint(30, 60));
    C.SetRadius(100000);
    C.GetParts()->First()->GetPoints()->Delete(3);
    EXPECT_FALSE(C.ContainsPoint(30, 60));
}

TEST_F(GeoCircleEllipseTest, IsPaintedAsAnEllipseAndTogglesItsHighlight)
{
    auto* C = Adopt(new GeoCircle::TGeoCircle);
    C->SetY(60);
    C->SetX(100);
    C->SetRadius(1000000); // about 9 degrees high, 18 wide
    QImage Image = Painted();
    EXPECT_EQ(PixelOf(Image, 100, 140), clRed);
    EXPECT_EQ(PixelOf(Image, 115, 140), clRed);
    EXPECT_EQ(PixelOf(Image, 100, 140 - 15), clWhite);
    EXPECT_EQ(PixelOf(Image, 100, 140 + 15), clWhite);
    EXPECT_EQ(PixelOf(Image, 121, 140), clWhite);

    Map.SetShowSelection(true);
    const QImage Before = cartova::test::PaintControl(Map);
    C->DrawSelection();
    EXPECT_NE(Map.GetSurfacePixel(100, 140), clRed);
    C->DrawSelection();
    EXPECT_EQ(cartova::test::CountDifferences(Map.GetSurfaceImage(), Before), 0);
}
