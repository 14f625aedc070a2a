// The fast drawing paths (parts accepted, rejected or left unclipped by their
// boxes, the view transform taken once per part, screen points shared by fill
// and outline) against the straightforward path, pixel for pixel; and the
// generalised picture against the full one on a generated archipelago.
#include "objects/PartToScreen.h"
#include "tests/support/VectorTestMap.h"

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

using namespace cartova;
using cartova::test::TVectorMapFixture;

namespace {

/// The map's view as objects see it, drawn onto a bitmap of its own; with
/// Straight it hides the linear transform, so every vertex goes through
/// MapToScreen.
class TDelegateView : public TMapView {
public:
    TDelegateView(TCartova& Map, bool Straight) : FMap(Map), FStraight(Straight)
    {
        test::FillBitmap(Bitmap, Map.GetWidth(), Map.GetHeight(), clWhite);
    }

    TCanvas* GetCanvas() override { return Bitmap.GetCanvas(); }
    TBitmap* GetSelectionPattern() const override { return FMap.GetSelectionPattern(); }
    void MapToScreen(double MX, double MY, int& X, int& Y, bool Clip) const override
    {
        FMap.MapToScreen(MX, MY, X, Y, Clip);
    }
    void ScreenToMap(int X, int Y, double& MX, double& MY) const override { FMap.ScreenToMap(X, Y, MX, MY); }
    TBounds GetViewBounds() const override { return FMap.GetViewBounds(); }
    bool GetViewTransform(TViewTransform& T) const override { return !FStraight && FMap.GetViewTransform(T); }
    bool GetShowSelection() const override { return true; }
    bool GetFastSelection() const override { return true; }
    bool GetEasyDraw() const override { return EasyDraw; }
    bool GetUseGeneralization() const override { return FMap.GetUseGeneralization(); }
    int GetGeneralizationLevel() const override { return FMap.GetGeneralizationLevel(); }
    bool IsSelected(const TCustomMapObject*) const override { return false; }
    void SelectObject(TCustomMapObject*, bool) override {}
    bool GetTextSizing() const override { return false; }
    void SetTextSizing(bool) override {}
    void DoUpdate(bool) override {}
    void DetachObject(TCustomMapObject*) override {}

    TBitmap Bitmap;
    bool EasyDraw = false;

private:
    TCartova& FMap;
    bool FStraight;
};

/// Grows every part's box over the whole plane, so that no part is accepted
/// or rejected by its box: each takes the vertex by vertex path.
void GrowBoxes(TCustomMapObject* O)
{
    for (int I = 0; I < O->GetParts()->Count(); ++I) {
        TMapPoints* P = O->GetParts()->GetItems(I)->GetPoints();
        for (const TMapPoint& Far : {TMapPoint(-1e9, -1e9), TMapPoint(1e9, 1e9)}) {
            P->Add(Far);
            P->Delete(P->Count() - 1);
        }
    }
}

/// A star shaped ring of N vertices about (X, Y) with radii between R / 2
/// and R, turning either way.
void AddStar(TCustomMapObject* O, std::mt19937& Random, double X, double Y, double R, int N, bool Clockwise)
{
    std::uniform_real_distribution<double> Radius(R / 2, R);
    TMapPoints* P = O->GetParts()->Add()->GetPoints();
    for (int I = 0; I < N; ++I) {
        const double A = 2 * std::numbers::pi * I / N * (Clockwise ? -1 : 1);
        const double Rr = Radius(Random);
        P->Add(X + Rr * std::cos(A), Y + Rr * std::sin(A));
    }
}

class FastPathTest : public TVectorMapFixture {
protected:
    /// Regions and polylines inside, outside, across the edges, with holes
    /// and tiny ones, at random.
    void AddScene(unsigned Seed)
    {
        std::mt19937 Random(Seed);
        std::uniform_real_distribution<double> Where(-120, 320), Size(0.3, 90);
        std::uniform_int_distribution<int> Vertices(3, 60);
        for (int I = 0; I < 40; ++I) {
            const double X = Where(Random), Y = Where(Random), R = Size(Random);
            if (I % 3 == 2) {
                auto* Line = new TPolyline;
                TMapPoints* P = Line->GetParts()->Add()->GetPoints();
                for (int K = Vertices(Random); K > 0; --K)
                    P->Add(X + Size(Random) - 45, Y + Size(Random) - 45);
                Adopt(Line)->GetPen()->SetColor(clBlue);
                continue;
            }
            auto* Area = new TRegion;
            AddStar(Area, Random, X, Y, R, Vertices(Random), I % 2 == 0);
            if (I % 4 == 0) // a hole, and an island in it
                AddStar(Area, Random, X, Y, R / 3, Vertices(Random), true);
            if (I % 8 == 0)
                AddStar(Area, Random, X, Y, R / 8, Vertices(Random), false);
            Adopt(Area)->GetBrush()->SetColor(static_cast<TColor>(0x0000A0 + 0x0C0C00 * (I % 8)));
        }
    }

    /// Every object of the layer drawn on a view of the map.
    QImage Draw(TDelegateView& View)
    {
        for (int I = 0; I < Layer->GetObjectCount(); ++I) {
            TCustomMapObject* O = Layer->GetObjects(I);
            O->SetMap(&View);
            O->Paint();
            O->SetMap(&Map);
        }
        View.Bitmap.GetCanvas()->Flush();
        return View.Bitmap.GetImage().copy();
    }

    /// The fast paths and the straightforward one, pixel for pixel; returns
    /// the fast picture.
    QImage ExpectSamePixels(const char* What, bool EasyDraw = false)
    {
        TDelegateView Fast(Map, false), Straight(Map, true);
        Fast.EasyDraw = Straight.EasyDraw = EasyDraw;
        const QImage A = Draw(Fast);
        for (int I = 0; I < Layer->GetObjectCount(); ++I)
            GrowBoxes(Layer->GetObjects(I));
        const QImage B = Draw(Straight);
        EXPECT_EQ(test::CountDifferences(A, B), 0) << What;
        return A;
    }
};

} // namespace

TEST_F(FastPathTest, PartsInsideOutsideAndCrossingDrawAsTheStraightforwardPath)
{
    for (unsigned Seed = 1; Seed <= 3; ++Seed) {
        Layer->DeleteObjects();
        AddScene(Seed);
        const QImage Plain = ExpectSamePixels("plain");
        EXPECT_GT(test::CountColor(Plain, clWhite), 0);
        EXPECT_LT(test::CountColor(Plain, clWhite), 200 * 200) << "the scene shows";
        Map.SetUseGeneralization(true);
        Map.SetGeneralizationLevel(Seed % 2 + 1);
        ExpectSamePixels("generalised");
        ExpectSamePixels("simplified regions", true);
        Map.SetUseGeneralization(false);
    }
}

TEST_F(FastPathTest, ZoomedRotatedAndMovedViewsDrawAsTheStraightforwardPath)
{
    AddScene(7);
    Map.SetZoom(3.7);
    Map.SetCenterX(61.3);
    ExpectSamePixels("zoomed in");
    Map.SetZoom(0.31);
    ExpectSamePixels("zoomed out");
    Map.SetZoom(1);
    Map.RotateMap(100, 100, 33);
    ExpectSamePixels("rotated");
    Map.SetUseGeneralization(true);
    ExpectSamePixels("rotated and generalised");
}

TEST_F(FastPathTest, VerticesMovedAfterwardsAreDrawnOnceTheObjectUpdatesItsBounds)
{
    auto* Area = Adopt(new TRegion);
    AddBox(Area, 300, 300, 340, 340); // outside the view
    for (TMapPoint& P : *Area->GetParts()->First()->GetPoints()) {
        P.X -= 250;
        P.Y -= 250;
    }
    Area->UpdateBounds();
    const QImage Image = Painted();
    EXPECT_EQ(test::PixelOf(Image, 70, 130), clRed);
}

TEST_F(FastPathTest, GeneralisationKeepsEveryIslandAndCoastlineOfAnArchipelago)
{
    // Islands from a fraction of a pixel to a few pixels across, many
    // vertices each, and short wiggly coastlines.
    std::mt19937 Random(11);
    std::uniform_real_distribution<double> Where(5, 195), Size(0.2, 4);
    std::vector<TMapPoint> Centres;
    for (int I = 0; I < 150; ++I) {
        auto* Island = new TRegion;
        const TMapPoint C(Where(Random), Where(Random));
        AddStar(Island, Random, C.X, C.Y, Size(Random), 24, false);
        Adopt(Island);
        Centres.push_back(C);
    }
    for (int I = 0; I < 60; ++I) {
        auto* Coast = new TPolyline;
        TMapPoints* P = Coast->GetParts()->Add()->GetPoints();
        double X = Where(Random), Y = Where(Random);
        for (int K = 0; K < 40; ++K, X += 0.3, Y += std::sin(K) * 0.4)
            P->Add(X, Y);
        Adopt(Coast);
    }
    Map.SetUseGeneralization(false);
    const QImage Plain = Painted();
    Map.SetUseGeneralization(true);
    for (int Level = 1; Level <= 2; ++Level) {
        Map.SetGeneralizationLevel(Level);
        const QImage Thin = Painted();
        // A drawn pixel of one picture with nothing drawn within one pixel in
        // the other is lost (or added).
        auto Drawn = [](const QImage& I, int X, int Y) {
            return X >= 0 && Y >= 0 && X < 200 && Y < 200 && test::PixelOf(I, X, Y) != clWhite;
        };
        auto Near = [&](const QImage& I, int X, int Y) {
            for (int DY = -1; DY <= 1; ++DY)
                for (int DX = -1; DX <= 1; ++DX)
                    if (Drawn(I, X + DX, Y + DY))
                        return true;
            return false;
        };
        int Total = 0, Lost = 0, Added = 0;
        for (int Y = 0; Y < 200; ++Y)
            for (int X = 0; X < 200; ++X) {
                Total += Drawn(Plain, X, Y);
                Lost += Drawn(Plain, X, Y) && !Near(Thin, X, Y);
                Added += Drawn(Thin, X, Y) && !Near(Plain, X, Y);
            }
        ASSERT_GT(Total, 0);
        // At the default level the generalised picture stays within one pixel
        // of the full one almost everywhere.
        if (Level == 1) {
            EXPECT_LT(100.0 * (Lost + Added) / Total, 1.0) << Lost << " lost, " << Added << " added of " << Total;
        }
        for (const TMapPoint& C : Centres) {
            int X, Y;
            Map.MapToScreen(C.X, C.Y, X, Y, false);
            int Around = 0;
            for (int DY = -5; DY <= 5; ++DY)
                for (int DX = -5; DX <= 5; ++DX)
                    Around += Drawn(Thin, X + DX, Y + DY);
            EXPECT_GT(Around, 0) << "the island at (" << C.X << ", " << C.Y << ") is drawn, level " << Level;
        }
    }
}
