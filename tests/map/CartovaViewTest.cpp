// The map control's defaults, transforms, zoom setter and rotation.
#include "map/MapObjects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace cartova;

namespace {

struct TMapFixture : ::testing::Test {
    TCartova Map;
    void SetUp() override { Map.SetBounds(0, 0, 400, 200); }
};

/// A layer holding one object with one part of the given vertices.
TCustomMapObject* AddPolyObject(TCartova& Map, std::initializer_list<TMapPoint> Points);

} // namespace

TEST(CartovaDefaults, FreshControlHasTheDocumentedState)
{
    TCartova Map;
    EXPECT_EQ(Map.GetWidth(), 100);
    EXPECT_EQ(Map.GetHeight(), 100);
    EXPECT_EQ(Map.GetMinX(), -180);
    EXPECT_EQ(Map.GetMaxX(), 180);
    EXPECT_EQ(Map.GetMinY(), -90);
    EXPECT_EQ(Map.GetMaxY(), 90);
    EXPECT_EQ(Map.GetZoom(), 1.0);
    EXPECT_EQ(Map.GetMinZoom(), 0);
    EXPECT_EQ(Map.GetMaxZoom(), 100);
    EXPECT_TRUE(Map.GetWheelMouse());
    EXPECT_EQ(Map.GetZoomType(), wmCenter);
    EXPECT_TRUE(Map.GetShowSelection());
    EXPECT_TRUE(Map.GetFastSelection());
    EXPECT_TRUE(Map.GetUseGeneralization());
    EXPECT_EQ(Map.GetGeneralizationLevel(), 1);
    EXPECT_FALSE(Map.GetEasyDraw());
    EXPECT_FALSE(Map.GetModified());
    EXPECT_FALSE(Map.GetInUpdate());
    EXPECT_FALSE(Map.GetisMapRotated());
    EXPECT_EQ(Map.GetColor(), clWindow);
    EXPECT_EQ(Map.GetLayers()->GetMap(), &Map);
    EXPECT_EQ(Map.GetSelection()->GetMap(), &Map);
    EXPECT_EQ(Map.GetMapToolsManager()->GetActiveMapTool(), nullptr);
    EXPECT_EQ(Map.GetOptions()->GetDefaultSymbolShape(), 58);
    EXPECT_EQ(Map.GetOptions()->GetDefaultTextFont()->GetName(), "Courier New");
    EXPECT_EQ(Map.GetOptions()->GetDefaultSymbolFont()->GetName(), "MapInfo Cartographic");
    EXPECT_EQ(Map.GetOptions()->GetDefaultSymbolFont()->GetColor(), clNavy);
    EXPECT_FALSE(Map.GetOptions()->GetUseBGColor());
}

TEST(CartovaDefaults, SelectionPatternIsBlueWithTransparentOddPixels)
{
    TCartova Map;
    TBitmap* P = Map.GetSelectionPattern();
    ASSERT_EQ(P->GetWidth(), 8);
    ASSERT_EQ(P->GetHeight(), 8);
    EXPECT_TRUE(P->GetTransparent());
    EXPECT_EQ(P->GetTransparentMode(), tmAuto);
    for (int Y = 0; Y < 8; ++Y)
        for (int X = 0; X < 8; ++X)
            EXPECT_EQ(P->GetCanvas()->GetPixels(X, Y), (X % 2 && Y % 2) ? clDefault : clBlue)
                << X << "," << Y;
}

TEST_F(TMapFixture, ScreenAndMapCornersOfTheDefaultView)
{
    double MX, MY;
    Map.ScreenToMap(0, 0, MX, MY);
    EXPECT_DOUBLE_EQ(MX, -180);
    EXPECT_DOUBLE_EQ(MY, 90);
    Map.ScreenToMap(400, 200, MX, MY);
    EXPECT_DOUBLE_EQ(MX, 180);
    EXPECT_DOUBLE_EQ(MY, -90);
    int X, Y;
    Map.MapToScreen(0, 0, X, Y, false);
    EXPECT_EQ(X, 200);
    EXPECT_EQ(Y, 100);
    const TBounds V = Map.GetViewBounds();
    EXPECT_EQ(V, (TBounds{-180, -90, 180, 90}));

    // Odd widths use real halves: 101 pixels put the centre at 50.5.
    Map.SetBounds(0, 0, 101, 200);
    Map.ScreenToMap(0, 100, MX, MY);
    EXPECT_DOUBLE_EQ(MX, -180);
    EXPECT_DOUBLE_EQ(MY, 0);
}

TEST_F(TMapFixture, UnclippedConversionRoundsHalvesToEven)
{
    // 400 px over 360 units: scale 10/9; the centre column is 200.
    Map.SetCenterX(0);
    int X, Y;
    Map.MapToScreen(0.45, 0, X, Y, false); // 200.5 → 200
    EXPECT_EQ(X, 200);
    Map.MapToScreen(1.35, 0, X, Y, false); // 201.5 → 202
    EXPECT_EQ(X, 202);
    Map.MapToScreen(0, 0.45, X, Y, false); // 99.5 → 100
    EXPECT_EQ(Y, 100);
}

TEST_F(TMapFixture, ClippedConversionJudgesEachAxisAndNeverFails)
{
    int X, Y;
    Map.MapToScreen(-200, 0, X, Y, true);
    EXPECT_EQ(X, -1);
    EXPECT_EQ(Y, 100);
    Map.MapToScreen(200, 100, X, Y, true);
    EXPECT_EQ(X, 400);
    EXPECT_EQ(Y, -1);
    Map.MapToScreen(0, -100, X, Y, true);
    EXPECT_EQ(X, 200);
    EXPECT_EQ(Y, 200);
    Map.MapToScreen(180, -90, X, Y, true); // the far corner is still inside
    EXPECT_EQ(X, 400);
    EXPECT_EQ(Y, 200);

    // Values that cannot be converted give (0, 0) instead of an error.
    Map.MapToScreen(std::numeric_limits<double>::quiet_NaN(), 0, X, Y, true);
    EXPECT_EQ(X, 0);
    EXPECT_EQ(Y, 0);
    Map.MapToScreen(std::numeric_limits<double>::infinity(), 0, X, Y, true);
    EXPECT_EQ(X, 400); // right of the view, not a failure
    Map.SetMaxX(-180); // a zero span makes every conversion non-finite
    Map.MapToScreen(0, 0, X, Y, true);
    EXPECT_EQ(X, 0);
    EXPECT_EQ(Y, 0);
    Map.SetMaxX(180);
    int UX, UY;
    Map.MapToScreen(1e10, 1e10, UX, UY, false); // unclipped: saturates, no UB
    EXPECT_EQ(UX, MaxScreenCoordinate);
    EXPECT_EQ(UY, -MaxScreenCoordinate);
}

TEST_F(TMapFixture, ZoomSetterIgnoresZeroAndUnchangedValuesAndIsNotClamped)
{
    int Zooms = 0;
    Map.OnZoom = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &Map);
        ++Zooms;
    };
    Map.SetModified(false); // resizing in SetUp marked it
    Map.SetZoom(0);
    Map.SetZoom(1);
    EXPECT_EQ(Zooms, 0);
    EXPECT_FALSE(Map.GetModified());
    Map.SetZoom(1000);
    EXPECT_EQ(Map.GetZoom(), 1000);
    EXPECT_EQ(Zooms, 1);
    EXPECT_TRUE(Map.GetModified());
    double MX, MY;
    Map.ScreenToMap(400, 0, MX, MY);
    EXPECT_DOUBLE_EQ(MX, 0.18);
}

TEST_F(TMapFixture, UpdateBatchingHasNoNestingCount)
{
    Map.BeginUpdate();
    Map.BeginUpdate();
    Map.SetCenterX(10);
    EXPECT_TRUE(Map.GetModified());
    Map.EndUpdate(true);
    EXPECT_FALSE(Map.GetInUpdate());
}

namespace {

TCustomMapObject* AddPolyObject(TCartova& Map, std::initializer_list<TMapPoint> Points)
{
    TMapLayer* Layer = Map.GetLayers()->Add("", "poly");
    auto* Object = new TCustomMapObject;
    Layer->AddObject(Object, false);
    TPart* Part = Object->GetParts()->Add();
    for (const TMapPoint& P : Points)
        Part->GetPoints()->Add(P);
    return Object;
}

} // namespace

TEST_F(TMapFixture, RotationTurnsStoredCoordinatesAndBack)
{
    EXPECT_FALSE(Map.UnRotate()); // never rotated
    double RX, RY;
    Map.NormalToRotated(3, 4, RX, RY);
    EXPECT_EQ(RX, 3);
    EXPECT_EQ(RY, 4);

    TCustomMapObject* O = AddPolyObject(Map, {{10, 0}, {0, 10}});
    Map.RotateMap(0, 0, 90);
    EXPECT_TRUE(Map.GetisMapRotated());
    const TMapPoints& P = *O->GetParts()->First()->GetPoints();
    // A positive angle turns clockwise: (10, 0) goes to (0, -10).
    EXPECT_NEAR(P[0].X, 0, 1e-12);
    EXPECT_NEAR(P[0].Y, -10, 1e-12);
    EXPECT_NEAR(P[1].X, 10, 1e-12);
    EXPECT_NEAR(P[1].Y, 0, 1e-12);
    Map.RotatedToNormal(P[0].X, P[0].Y, RX, RY);
    EXPECT_NEAR(RX, 10, 1e-12);
    EXPECT_NEAR(RY, 0, 1e-12);

    Map.RotateMap(0, 0, 30); // undoes 90 first
    Map.RotateMap(0, 0, 0);
    EXPECT_FALSE(Map.GetisMapRotated());
    EXPECT_NEAR(P[0].X, 10, 1e-9);
    EXPECT_NEAR(P[0].Y, 0, 1e-9);
    EXPECT_NEAR(P[1].X, 0, 1e-9);
    EXPECT_NEAR(P[1].Y, 10, 1e-9);
    EXPECT_FALSE(Map.UnRotate());

    // Rotating about another centre keeps the centre fixed.
    Map.RotateMap(10, 0, 45);
    EXPECT_NEAR(P[0].X, 10, 1e-12);
    EXPECT_NEAR(P[0].Y, 0, 1e-12);
    EXPECT_NEAR(Map.UnRotateX(Map.RotateX(3, 7), Map.RotateY(3, 7)), 3, 1e-12);
}
