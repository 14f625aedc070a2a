// The zoom tools driven by real mouse input: clicks, rectangles, limits, the
// rubber band's pixels and the update that is always released.
#include "tests/tools/ToolTestSupport.h"

#include <stdexcept>

using namespace cartova;
using test::TToolMap;

namespace {

struct TZoomTools : TToolMap {
    TZoomInTool In;
    TZoomOutTool Out;
    int Completed = 0;
    int Zooms = 0;

    void SetUp() override
    {
        TToolMap::SetUp();
        In.OnComplete = Out.OnComplete = [this](TCustomMapTool*) { ++Completed; };
        Map.OnZoom = [this](TObject*) { ++Zooms; };
        In.SetCartova(&Map);
        Out.SetCartova(&Map);
    }
    void ExpectView(double Zoom, double CX, double CY)
    {
        EXPECT_DOUBLE_EQ(Map.GetZoom(), Zoom);
        EXPECT_NEAR(Map.GetCenterX(), CX, 1e-9);
        EXPECT_NEAR(Map.GetCenterY(), CY, 1e-9);
    }
};

} // namespace

TEST_F(TZoomTools, ClickZoomsByTwoAboutThePointUpToMaxZoom)
{
    In.SetActive(true);
    EXPECT_EQ(Map.GetCursor(), crHandPoint);
    test::MouseClick(Map, Qt::LeftButton, 300, 50);
    ExpectView(2, 90, 45);
    EXPECT_EQ(Completed, 1);
    EXPECT_EQ(Zooms, 1);
    EXPECT_FALSE(Map.GetInUpdate());

    // At MaxZoom a click changes nothing, not even the centre, but completes.
    Map.SetMaxZoom(2);
    test::MouseClick(Map, Qt::LeftButton, 10, 10);
    ExpectView(2, 90, 45);
    EXPECT_EQ(Completed, 2);
    EXPECT_EQ(Zooms, 1);

    // Zoom out: halves about the point, never below MinZoom.
    Map.SetMinZoom(0.25);
    Out.SetActive(true);
    test::MouseClick(Map, Qt::LeftButton, 200, 100); // the centre stays
    ExpectView(1, 0, 0);
    test::MouseClick(Map, Qt::LeftButton, 20, 190);
    ExpectView(0.5, -162, -81);
    test::MouseClick(Map, Qt::LeftButton, 200, 100);
    test::MouseClick(Map, Qt::LeftButton, 100, 100);
    ExpectView(0.25, -162, -81);
    EXPECT_EQ(Completed, 6);
}

TEST_F(TZoomTools, RectangleFillsTheWindowAndMayPassMaxZoom)
{
    Map.SetMaxZoom(2);
    In.SetActive(true);
    // 100 × 50 pixels: the tighter direction is the height (200 / 50 = 4).
    test::MouseDrag(Map, Qt::LeftButton, 100, 50, 200, 100);
    ExpectView(4, -45, 22.5);
    EXPECT_EQ(Completed, 1);

    // Dragged up and left: the same rectangle, the same middle.
    Map.SetZoom(1);
    Map.SetCenterX(0);
    Map.SetCenterY(0);
    test::MouseDrag(Map, Qt::LeftButton, 200, 100, 100, 50);
    ExpectView(4, -45, 22.5);
}

TEST_F(TZoomTools, ALineAlongOneAxisIsAClickAtItsMiddle)
{
    In.SetActive(true);
    test::MouseDrag(Map, Qt::LeftButton, 100, 50, 301, 50);
    // The middle pixel truncates: 100 + 201 / 2 = 200.
    ExpectView(2, 0, 45);
    test::MouseDrag(Map, Qt::LeftButton, 300, 20, 300, 180);
    ExpectView(4, 45, 45);
}

TEST_F(TZoomTools, ZoomOutRectangleShrinksTheWindowToItButStopsAtMinZoom)
{
    Out.SetActive(true);
    Map.SetZoom(2);
    // The larger extent (100) against the client width: 100 × 2 / 400.
    test::MouseDrag(Map, Qt::LeftButton, 300, 150, 200, 120);
    ExpectView(0.5, 22.5, -15.75);
    Map.SetMinZoom(0.4);
    test::MouseDrag(Map, Qt::LeftButton, 10, 10, 30, 20);
    EXPECT_DOUBLE_EQ(Map.GetZoom(), 0.4);
}

TEST_F(TZoomTools, LandingOnZoomOneRecentresOnTheOrigin)
{
    Out.SetActive(true);
    Map.SetZoom(2);
    Map.SetCenterX(30);
    Map.SetCenterY(10);
    test::MouseClick(Map, Qt::LeftButton, 50, 50);
    ExpectView(1, 0, 0);
    // A rectangle landing on 1: 200 × 2 / 400.
    Map.SetZoom(2);
    Map.SetCenterX(30);
    test::MouseDrag(Map, Qt::LeftButton, 1, 1, 201, 21);
    ExpectView(1, 0, 0);
}

TEST_F(TZoomTools, OtherButtonsAndMovesWithoutAPressDoNothing)
{
    In.SetActive(true);
    const QImage Before = Picture();
    test::MouseDrag(Map, Qt::RightButton, 100, 50, 200, 100);
    test::MouseDrag(Map, Qt::MiddleButton, 100, 50, 200, 100);
    test::MouseMove(Map, 50, 50);
    test::MouseMove(Map, 150, 150);
    EXPECT_EQ(test::CountDifferences(Surface(), Before), 0);
    ExpectView(1, 0, 0);
    EXPECT_EQ(Completed, 0);

    // A press that happened before the tool became active is no gesture of
    // the tool: its drag draws no band and its release zooms nothing.
    In.SetActive(false);
    test::MousePress(Map, Qt::LeftButton, 100, 50);
    In.SetActive(true);
    test::MouseMove(Map, 200, 100);
    EXPECT_EQ(test::CountDifferences(Surface(), Before), 0);
    test::MouseRelease(Map, Qt::LeftButton, 200, 100);
    ExpectView(1, 0, 0);
    EXPECT_EQ(Completed, 0);
}

TEST_F(TZoomTools, UpdateIsReleasedWhenAZoomHandlerThrows)
{
    std::vector<std::string> Caught;
    Application->OnException = [&](TObject*, const std::exception& E) { Caught.push_back(E.what()); };
    Map.OnZoom = [](TObject*) { throw std::runtime_error("zoom handler failed"); };
    In.SetActive(true);
    test::MouseClick(Map, Qt::LeftButton, 300, 50);
    Application->OnException = nullptr;
    EXPECT_EQ(Caught, std::vector<std::string>{"zoom handler failed"});
    EXPECT_FALSE(Map.GetInUpdate());
    EXPECT_EQ(Map.GetZoom(), 2);
    EXPECT_EQ(Completed, 0); // the error ended the completion
}

TEST_F(TZoomTools, WithoutAMapNothingHappens)
{
    TZoomInTool Loose;
    EXPECT_EQ(Loose.GetNewZoom(), 1.0);
    EXPECT_FALSE(Loose.Complete());
    TZoomOutTool LooseOut;
    EXPECT_EQ(LooseOut.GetNewZoom(), 1.0);
}

TEST_F(TToolMap, RubberBandInvertsItsOutlineAndLeavesNoPixelBehind)
{
    TMapLayer* Layer = Map.GetLayers()->Add("", "boxes");
    AddFilledBox(Layer, -100, -50, 20, 60, clYellow);
    AddFilledBox(Layer, 0, -80, 150, 10, clNavy);
    TCustomRectTool Band;
    int Completed = 0;
    Band.OnComplete = [&](TCustomMapTool*) { ++Completed; };
    Use(Band);
    const QImage Before = Picture();
    const TPenMode PenMode = Map.GetCanvas()->GetPen()->GetMode();
    const TBrushStyle BrushStyle = Map.GetCanvas()->GetBrush()->GetStyle();

    test::MousePress(Map, Qt::LeftButton, 50, 40);
    test::MouseMove(Map, 150, 120);
    test::MouseMove(Map, 120, 100);
    const QImage During = Surface();
    // Only the outline of (50, 40)-(120, 100) changed: 70 × 60 pixels round.
    EXPECT_EQ(test::CountDifferences(During, Before), 2 * 70 + 2 * 60 - 4);
    for (const TPoint P : {TPoint{50, 40}, TPoint{119, 40}, TPoint{50, 99}, TPoint{119, 70}})
        EXPECT_EQ(test::PixelOf(During, P.X, P.Y), ~test::PixelOf(Before, P.X, P.Y) & 0xFFFFFF)
            << P.X << "," << P.Y;
    EXPECT_EQ(test::PixelOf(During, 80, 70), test::PixelOf(Before, 80, 70));
    EXPECT_EQ(test::PixelOf(During, 149, 119), test::PixelOf(Before, 149, 119));
    EXPECT_EQ(Map.GetCanvas()->GetPen()->GetMode(), PenMode);
    EXPECT_EQ(Map.GetCanvas()->GetBrush()->GetStyle(), BrushStyle);

    test::MouseRelease(Map, Qt::LeftButton, 120, 100);
    EXPECT_EQ(test::CountDifferences(Surface(), Before), 0)
        << test::SaveTestOutput(Surface(), "rubber-band-after");
    EXPECT_EQ(Completed, 1);

    // Deactivated in the middle of a drag, the tool takes its band away.
    test::MousePress(Map, Qt::LeftButton, 10, 10);
    test::MouseMove(Map, 90, 60);
    EXPECT_GT(test::CountDifferences(Surface(), Before), 0);
    Band.SetActive(false);
    EXPECT_EQ(test::CountDifferences(Surface(), Before), 0);
    test::MouseRelease(Map, Qt::LeftButton, 90, 60);
    EXPECT_EQ(Completed, 1);
}
