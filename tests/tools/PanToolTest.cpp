// The pan tool driven by real mouse input: the dragged snapshot with the
// uncovered strips, the new centre, and a gesture that ends where it began.
#include "tests/tools/ToolTestSupport.h"

using namespace cartova;
using test::TToolMap;

namespace {

struct TPan : TToolMap {
    TPanTool Pan;
    void SetUp() override
    {
        TToolMap::SetUp();
        TMapLayer* Layer = Map.GetLayers()->Add("", "boxes");
        AddFilledBox(Layer, -90, -45, 18, 36, clYellow);
        AddFilledBox(Layer, 9, -27, 72, 63, clNavy);
        Use(Pan);
    }
};

} // namespace

TEST_F(TPan, DragShowsTheShiftedSnapshotAndReleaseMovesTheCentre)
{
    EXPECT_EQ(Map.GetCursor(), crSizeAll);
    const QImage Before = Picture();
    test::MousePress(Map, Qt::LeftButton, 200, 100);
    test::MouseMove(Map, 215, 90);
    test::MouseMove(Map, 230, 80);
    EXPECT_EQ(Pan.GetBitmap()->GetWidth(), 400);
    EXPECT_EQ(Pan.GetBitmap()->GetHeight(), 200);
    // Right by 30 and up by 20: the left and bottom strips show the map's colour.
    const QImage During = Surface();
    int Wrong = 0;
    for (int Y = 0; Y < 200; ++Y)
        for (int X = 0; X < 400; ++X) {
            const TColor Expected = (X < 30 || Y >= 180) ? test::MapColor
                                                         : test::PixelOf(Before, X - 30, Y + 20);
            Wrong += test::PixelOf(During, X, Y) != Expected;
        }
    EXPECT_EQ(Wrong, 0) << test::SaveTestOutput(During, "pan-during");
    EXPECT_DOUBLE_EQ(Map.GetCenterX(), 0); // the view changes only at the release
    EXPECT_FALSE(Map.GetModified());

    test::MouseRelease(Map, Qt::LeftButton, 230, 80);
    EXPECT_DOUBLE_EQ(Map.GetCenterX(), -27);
    EXPECT_DOUBLE_EQ(Map.GetCenterY(), -18);
    EXPECT_FALSE(Map.GetInUpdate());
    EXPECT_EQ(Pan.GetBitmap()->GetWidth(), 1);
    EXPECT_EQ(Pan.GetBitmap()->GetHeight(), 1);
    // The repainted map shows what the drag showed.
    EXPECT_EQ(test::CountDifferences(Picture(), During), 0);

    // Left and down: the right and top strips are uncovered.
    const QImage Now = Picture();
    test::MousePress(Map, Qt::LeftButton, 100, 100);
    test::MouseMove(Map, 60, 125);
    const QImage Back = Surface();
    EXPECT_EQ(test::CountColor(Back, test::MapColor, Rect(360, 0, 400, 200)), 40 * 200);
    EXPECT_EQ(test::CountColor(Back, test::MapColor, Rect(0, 0, 400, 25)), 400 * 25);
    EXPECT_EQ(test::PixelOf(Back, 100, 100), test::PixelOf(Now, 140, 75));
    test::MouseRelease(Map, Qt::LeftButton, 60, 125);
    EXPECT_DOUBLE_EQ(Map.GetCenterX(), 9);
    EXPECT_DOUBLE_EQ(Map.GetCenterY(), 4.5);
}

TEST_F(TPan, ReleaseWhereItStartedChangesNothingAndFreesTheSnapshot)
{
    const QImage Before = Picture();
    int Completed = 0;
    Pan.OnComplete = [&](TCustomMapTool*) { ++Completed; };
    test::MousePress(Map, Qt::LeftButton, 200, 100);
    test::MouseMove(Map, 250, 120);
    test::MouseMove(Map, 200, 100);
    test::MouseRelease(Map, Qt::LeftButton, 200, 100);
    EXPECT_EQ(Pan.GetBitmap()->GetWidth(), 1);
    EXPECT_EQ(Pan.GetBitmap()->GetHeight(), 1);
    EXPECT_DOUBLE_EQ(Map.GetCenterX(), 0);
    EXPECT_DOUBLE_EQ(Map.GetCenterY(), 0);
    EXPECT_FALSE(Map.GetModified()); // no repaint asked for
    EXPECT_EQ(test::CountDifferences(Surface(), Before), 0);
    EXPECT_EQ(Completed, 0);

    // The other buttons do not pan.
    test::MouseDrag(Map, Qt::RightButton, 200, 100, 300, 150);
    test::MouseDrag(Map, Qt::MiddleButton, 200, 100, 300, 150);
    EXPECT_DOUBLE_EQ(Map.GetCenterX(), 0);
    EXPECT_EQ(test::CountDifferences(Surface(), Before), 0);
    // Complete is no pan: the view stays, the event is raised.
    EXPECT_FALSE(Pan.Complete());
    EXPECT_EQ(Completed, 1);
    EXPECT_EQ(Map.GetZoom(), 1);
}

TEST_F(TPan, SwitchingToolsMidDragRestoresThePicture)
{
    const QImage Before = Picture();
    TZoomInTool In;
    In.SetCartova(&Map);
    test::MousePress(Map, Qt::LeftButton, 200, 100);
    test::MouseMove(Map, 260, 130);
    EXPECT_GT(test::CountDifferences(Surface(), Before), 0);
    In.SetActive(true);
    EXPECT_EQ(Pan.GetBitmap()->GetWidth(), 1);
    EXPECT_EQ(test::CountDifferences(Picture(), Before), 0);
    EXPECT_EQ(Map.GetCursor(), crHandPoint);
    // The release belongs to no gesture of the new tool.
    test::MouseRelease(Map, Qt::LeftButton, 260, 130);
    EXPECT_EQ(Map.GetZoom(), 1);
    EXPECT_DOUBLE_EQ(Map.GetCenterX(), 0);
}
