// The painting pipeline: rebuild events, update batching, the background of
// an empty map and the fast-mode selection markers.
#include "tests/support/VectorTestMap.h"

#include <string>
#include <vector>

using namespace cartova;
using cartova::test::PixelOf;
using cartova::test::TVectorMapFixture;

namespace {

using PaintPipelineTest = TVectorMapFixture;

/// Records the map's progress and paint events as text.
void Listen(TCartova& Map, std::vector<std::string>& Log)
{
    Map.OnStartProgress = [&Log](TObject*, int Min, int Max, const std::string& Title) {
        Log.push_back("start " + std::to_string(Min) + " " + std::to_string(Max) + " '" + Title + "'");
    };
    Map.OnShowProgress = [&Log](TObject*, int P) { Log.push_back("show " + std::to_string(P)); };
    Map.OnStopProgress = [&Log](TObject*) { Log.push_back("stop"); };
    Map.OnUpdate = [&Log](TObject*) { Log.push_back("update"); };
    Map.OnPaint = [&Log](TObject*) { Log.push_back("paint"); };
}

} // namespace

TEST_F(PaintPipelineTest, RebuildWithTwoLayersRaisesEventsInOrder)
{
    Map.GetLayers()->Add("", "second");
    std::vector<std::string> Log;
    Listen(Map, Log);
    Map.SetModified(true);
    test::PaintControl(Map);
    const std::vector<std::string> Expected = {"start 0 1 ''", "show 0", "show 1", "stop", "update",
                                               "paint"};
    EXPECT_EQ(Log, Expected);
    EXPECT_FALSE(Map.GetModified());
    EXPECT_FALSE(Map.GetIsBusy());

    // Without a change the next window paint only copies the bitmap.
    Log.clear();
    test::PaintControl(Map);
    EXPECT_TRUE(Log.empty());
}

TEST_F(PaintPipelineTest, NoLayersPaintsOnlyTheBackgroundAndRaisesNothing)
{
    Map.GetLayers()->Clear();
    ASSERT_EQ(Map.GetLayers()->Count(), 0);
    Map.SetColor(clAqua);
    std::vector<std::string> Log;
    Listen(Map, Log);
    Map.SetModified(true);
    const QImage Surface = test::PaintControl(Map);
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(test::CountColor(Surface, clAqua), 200 * 200);
    EXPECT_FALSE(Map.GetIsBusy());
}

TEST_F(PaintPipelineTest, PaintWhileInUpdateDrawsNothingAfterTheFirstFill)
{
    test::THostWindow Other(200, 200);
    TCartova Fresh;
    Fresh.SetColor(clWhite);
    TMapLayer* L = Fresh.GetLayers()->Add("", "l");
    auto* O = new TRegion;
    AddBox(O, -170, -80, 170, 80);
    L->AddObject(O, false);
    O->GetBrush()->SetColor(clRed);
    std::vector<std::string> Log;
    Listen(Fresh, Log);
    Fresh.BeginUpdate();
    Fresh.GetCanvas()->GetBrush()->SetColor(clLime);
    Fresh.GetCanvas()->GetBrush()->SetStyle(bsSolid);
    Other.Add(Fresh, 0, 0, 200, 200); // the first window paint
    const QImage Surface = test::PaintControl(Fresh);
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(PixelOf(Surface, 100, 100), clLime) << "only the first-paint fill";
    EXPECT_TRUE(Fresh.GetModified());

    // Changing the centre inside the batch does not repaint; ending it
    // without a repaint leaves the rebuild to the next window paint.
    Fresh.SetCenterX(10);
    Fresh.EndUpdate(false);
    EXPECT_FALSE(Fresh.GetInUpdate());
    EXPECT_EQ(PixelOf(test::PaintControl(Fresh), 100, 100), clRed);
    EXPECT_EQ(Log.size(), 5u) << "one layer: start, show, stop, update, paint";
}

TEST_F(PaintPipelineTest, OneEndUpdateEndsTwoBeginUpdates)
{
    Map.BeginUpdate();
    Map.BeginUpdate();
    EXPECT_TRUE(Map.GetInUpdate());
    Map.SetModified(false);
    Map.EndUpdate(true);
    EXPECT_FALSE(Map.GetInUpdate());
    EXPECT_TRUE(Map.GetModified());
}

TEST_F(PaintPipelineTest, FastSelectionMarkersToggleByExclusiveOrWithoutARebuild)
{
    auto* R = Adopt(new TRegion);
    AddBox(R, 50, 50, 150, 150);
    const QImage Plain = test::PaintControl(Map);
    ASSERT_EQ(PixelOf(Plain, 100, 100), clRed);
    std::vector<std::string> Log;
    Listen(Map, Log);

    R->Select();
    QImage Marked = Map.GetSurfaceImage();
    EXPECT_EQ(PixelOf(Marked, 100, 100), clNavy) << "brush colour xor navy over red turns navy at once";
    EXPECT_EQ(PixelOf(Marked, 10, 10), clWhite);
    // Every window paint copies the bitmap and draws the marker again.
    Marked = test::PaintControl(Map);
    EXPECT_EQ(PixelOf(Marked, 100, 100), clNavy);
    TBitmap B;
    Map.AssignToBitmap(&B);
    EXPECT_EQ(PixelOf(B, 100, 100), clRed) << "markers are not part of the bitmap";

    Map.GetSelection()->Clear();
    EXPECT_EQ(test::CountDifferences(Map.GetSurfaceImage(), Plain), 0);
    for (const std::string& E : Log)
        EXPECT_NE(E.rfind("start", 0), 0u) << "no rebuild";
}

TEST_F(PaintPipelineTest, CanvasIsTheBitmapsOnlyDuringARebuild)
{
    TCanvas* During = nullptr;
    Map.OnUpdate = [&](TObject*) { During = Map.GetCanvas(); };
    Map.SetModified(true);
    test::PaintControl(Map);
    EXPECT_EQ(During, Map.GetMapCanvas());
    EXPECT_NE(Map.GetCanvas(), Map.GetMapCanvas());
}

TEST_F(PaintPipelineTest, AntialiasedBitmapSmoothsSlantedEdgesAndMarkersStillToggleExactly)
{
    auto* Line = Adopt(new TPolyline);
    AddPart(Line, {{20, 20}, {180, 60}});
    auto* R = Adopt(new TRegion);
    AddPart(R, {{40, 100}, {160, 120}, {100, 180}});
    auto Shades = [](const QImage& I) {
        int N = 0;
        for (int Y = 0; Y < I.height(); ++Y)
            for (int X = 0; X < I.width(); ++X) {
                const TColor C = PixelOf(I, X, Y);
                N += C != clWhite && C != clBlack && C != clRed;
            }
        return N;
    };
    EXPECT_EQ(Shades(Painted()), 0) << "off by default: every pixel is white, black or red";
    EXPECT_FALSE(Map.GetOptions()->GetAntialias());

    Map.GetOptions()->SetAntialias(true);
    const QImage Smooth = test::PaintControl(Map);
    EXPECT_GT(Shades(Painted()), 100) << "edges blend into what is under them";
    EXPECT_EQ(PixelOf(Smooth, 100, 67), clRed);
    // A one pixel horizontal line stays one pixel wide: through pixel centres.
    auto* Flat = Adopt(new TPolyline);
    AddPart(Flat, {{20, 190}, {180, 190}});
    const QImage WithFlat = Painted();
    EXPECT_EQ(PixelOf(WithFlat, 100, 10), clBlack);
    EXPECT_EQ(PixelOf(WithFlat, 100, 9), clWhite);
    EXPECT_EQ(PixelOf(WithFlat, 100, 11), clWhite);

    const QImage Before = test::PaintControl(Map);
    R->Select();
    EXPECT_EQ(PixelOf(Map.GetSurfaceImage(), 100, 67), clNavy);
    Map.GetSelection()->Clear();
    EXPECT_EQ(test::CountDifferences(Map.GetSurfaceImage(), Before), 0) << "the marker toggles back exactly";

    TCartovaOptions Copy;
    Copy.Assign(Map.GetOptions());
    EXPECT_TRUE(Copy.GetAntialias());
}
