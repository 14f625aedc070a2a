// Objects at the ends of the double range, fonts beyond any screen and zooms
// at the ends of their range: every pixel computation saturates, so painting,
// fitting and hit testing give sensible pixels (the sanitizers stop a test at
// any overflow or out-of-range conversion).
#include "objects/Symbol.h"
#include "objects/SymbolShapes.h"
#include "objects/Text.h"
#include "tests/support/VectorTestMap.h"

#include <limits>

namespace cartova {
namespace {

using test::CountColor;
using test::PixelOf;
using ExtremeValuesTest = test::TVectorMapFixture;

constexpr double Huge = 1e308;

TEST_F(ExtremeValuesTest, ShapesSpanningTheDoubleRangeCoverTheWindow)
{
    auto* R = Adopt(new TRectangle);
    R->SetX0(-Huge);
    R->SetY0(-Huge);
    R->SetX1(Huge);
    R->SetY1(Huge);
    R->UpdateBounds();
    QImage Image = Painted();
    EXPECT_EQ(CountColor(Image, clRed), 200 * 200) << "filled everywhere, the outline far outside";

    // A rectangle from the window's middle to 1e308 fills the lower right quarter.
    R->SetX0(100);
    R->SetY0(-Huge);
    R->SetX1(Huge);
    R->SetY1(100);
    R->UpdateBounds();
    Image = Painted();
    EXPECT_EQ(PixelOf(Image, 150, 150), clRed);
    EXPECT_EQ(PixelOf(Image, 50, 150), clWhite);
    EXPECT_EQ(PixelOf(Image, 150, 50), clWhite);
    EXPECT_EQ(PixelOf(Image, 100, 150), clBlack) << "its left edge";

    // A region and a polyline with vertices at ±1e308 are cut to the window.
    auto* G = Adopt(new TRegion);
    AddPart(G, {{-Huge, -Huge}, {Huge, -Huge}, {Huge, 50}, {-Huge, 50}});
    auto* L = Adopt(new TPolyline);
    AddPart(L, {{-Huge, 20}, {Huge, 20}});
    R->SetY1(-Huge + 1); // out of the way
    R->UpdateBounds();
    Image = Painted();
    EXPECT_EQ(PixelOf(Image, 100, 170), clRed);
    EXPECT_EQ(PixelOf(Image, 100, 100), clWhite);
    EXPECT_EQ(PixelOf(Image, 10, 180), clBlack) << "the line at y = 20";
    EXPECT_EQ(PixelOf(Image, 190, 180), clBlack);
}

TEST_F(ExtremeValuesTest, TextsFarAwayOrHugeFitABoundedFont)
{
    // A box from -1e308 to 1e307: its pixel height saturates, the fitting
    // still ends at the largest size it allows.
    auto* T = new TText;
    Layer->AddObject(T, false);
    T->SetX(-Huge);
    T->SetY(-Huge);
    T->SetWidth(1.1 * Huge);
    T->SetHeight(1.1 * Huge);
    T->SetText("far");
    EXPECT_GT(T->GetFont()->GetSize(), 200);
    EXPECT_LE(T->GetFont()->GetSize(), 4000);
    Painted();
    // The hit test of a saturated box answers for points inside the window.
    EXPECT_TRUE(T->ContainsPoint(100, 100));

    // A text wholly beyond the largest coordinate draws nothing.
    T->SetX(Huge / 2);
    T->SetY(Huge / 2);
    T->SetWidth(Huge / 4);
    T->SetHeight(Huge / 4);
    EXPECT_EQ(CountColor(Painted(), clWhite), 200 * 200);
    EXPECT_FALSE(T->ContainsPoint(100, 100));
}

TEST_F(ExtremeValuesTest, SymbolsOfHugeFontSizesOrFarAwayDrawWithinBounds)
{
    // The symbol font is missing: the shape is drawn as a vector figure whose
    // size is bounded, here far larger than the window, so it covers it.
    ASSERT_FALSE(IsFontInstalled("MapInfo Symbol"));
    auto* S = new TSymbol;
    Layer->AddObject(S, false);
    S->SetX(100);
    S->SetY(100);
    S->SetShape(34); // a filled circle
    S->GetFont()->SetName("MapInfo Symbol");
    S->GetFont()->SetColor(clRed);
    for (const int Size : {22369622, 30000000, std::numeric_limits<int>::max()}) {
        S->GetFont()->SetSize(Size);
        EXPECT_EQ(CountColor(Painted(), clRed), 200 * 200) << Size;
    }
    // A font given by a positive cell height draws at that height.
    S->GetFont()->SetHeight(20);
    QImage Image = Painted();
    EXPECT_NEAR(CountColor(Image, clRed), 3.14159 * 10 * 10, 40);

    // At the far end of the map the symbol is off the window, with or
    // without its font.
    S->GetFont()->SetSize(12);
    S->SetX(Huge);
    S->SetY(-Huge);
    S->UpdateBounds();
    EXPECT_EQ(CountColor(Painted(), clWhite), 200 * 200);
    S->GetFont()->SetName("DejaVu Sans");
    S->SetShape(65);
    EXPECT_EQ(CountColor(Painted(), clWhite), 200 * 200);
}

TEST_F(ExtremeValuesTest, ZoomsAtTheEndsOfTheirRangeKeepPixelsInRange)
{
    auto* G = Adopt(new TRegion);
    AddBox(G, 50, 50, 150, 150);
    auto* L = Adopt(new TPolyline);
    AddPart(L, {{-1000, 100}, {1000, 100}});
    for (const double Zoom : {1e-308, 5e-324, 1e308}) {
        Map.SetZoom(Zoom);
        Painted();
        int X = 0, Y = 0;
        Map.MapToScreen(150, 150, X, Y, false);
        EXPECT_LE(std::abs(X), MaxScreenCoordinate) << Zoom;
        EXPECT_LE(std::abs(Y), MaxScreenCoordinate) << Zoom;
    }
    // Back at a usual zoom the region is where it was.
    Map.SetZoom(1);
    EXPECT_EQ(PixelOf(Painted(), 100, 70), clRed);
}

TEST(ExtremeRects, WidthAndHeightSaturate)
{
    constexpr int Max = std::numeric_limits<int>::max(), Min = std::numeric_limits<int>::min();
    EXPECT_EQ((TRect{Min, Min, Max, Max}).Width(), Max);
    EXPECT_EQ((TRect{Max, Max, Min, Min}).Height(), Min);
    EXPECT_EQ((TRect{-5, 2, 7, 10}).Width(), 12);
    EXPECT_EQ((TRect{-5, 2, 7, 10}).Height(), 8);
}

} // namespace
} // namespace cartova
