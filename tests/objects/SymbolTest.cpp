// TSymbol: the shape floor, the anchor, drawing (by font or as vector
// shapes when the symbol font is missing), the pixel hit test and predicates.
#include "objects/Symbol.h"
#include "objects/SymbolShapes.h"
#include "objects/Text.h"
#include "tests/support/VectorTestMap.h"

#include <set>

namespace cartova {
namespace {

using test::CountColor;
using test::InkBounds;

struct SymbolFixture : test::TVectorMapFixture {
    TSymbol* AddSymbol(double X, double Y, int Shape, const std::string& FontName, int Size,
                       TColor Color)
    {
        auto* S = new TSymbol;
        Layer->AddObject(S, false);
        S->SetX(X);
        S->SetY(Y);
        S->SetShape(Shape);
        S->GetFont()->SetName(FontName);
        S->GetFont()->SetSize(Size);
        S->GetFont()->SetColor(Color);
        return S;
    }
};

TEST(Symbol, ShapeFloorAnchorAndAssign)
{
    TSymbol S;
    EXPECT_EQ(S.GetShape(), 31);
    S.SetShape(10);
    EXPECT_EQ(S.GetShape(), 31);
    S.SetShape(40);
    EXPECT_EQ(S.GetShape(), 40);
    // The constructor wrote the anchor (0, 0) as vertex 0 of part 0.
    ASSERT_EQ(S.GetParts()->Count(), 1);
    EXPECT_EQ(S.GetParts()->First()->GetPoints()->Count(), 1);
    S.SetX(3);
    S.SetY(-4);
    EXPECT_EQ(S.GetX(), 3);
    EXPECT_EQ(S.GetY(), -4);
    EXPECT_EQ(S.GetParts()->First()->GetPoints()->Count(), 1);

    // Reading an emptied anchor makes the vertex (0, 0) again; writing Y on
    // an empty first part adds (0, Y).
    S.GetParts()->Clear();
    EXPECT_EQ(S.GetX(), 0);
    EXPECT_EQ(S.GetParts()->Count(), 1);
    S.GetParts()->First()->GetPoints()->Clear();
    S.SetY(7);
    EXPECT_EQ(S.GetX(), 0);
    EXPECT_EQ(S.GetY(), 7);

    TSymbol Copy;
    Copy.Assign(&S);
    EXPECT_EQ(Copy.GetShape(), 40);
    EXPECT_EQ(Copy.GetY(), 7);
}

TEST(Symbol, PredicatesWithoutAMap)
{
    TSymbol S;
    S.SetX(10);
    S.SetY(20);
    TText T;
    EXPECT_TRUE(S.ContainsPoint(1000, 1000));
    EXPECT_FALSE(T.ContainsPoint(0, 0));
    EXPECT_TRUE(S.IntersectsRect(10, 20, 30, 40)); // edge included
    EXPECT_TRUE(S.WithinRect(0, 0, 10, 20));
    EXPECT_FALSE(S.WithinRect(11, 0, 30, 40));
    EXPECT_FALSE(S.ContainsRect(0, 0, 100, 100));
    TSymbol Other;
    EXPECT_FALSE(S.Contains(&Other));
    // Intersects asks the other object at the anchor: a free symbol says yes,
    // a free text no.
    EXPECT_TRUE(S.Intersects(&Other));
    EXPECT_FALSE(S.Intersects(&T));
}

TEST_F(SymbolFixture, NewSymbolDrawsNothingYetIsDisplayed)
{
    auto* S = Layer->NewObject<TSymbol>();
    S->SetX(100);
    S->SetY(100);
    const QImage Image = Painted();
    EXPECT_EQ(CountColor(Image, clWhite), 200 * 200);
    EXPECT_TRUE(Map.GetDisplayed()->Contains(S));
}

TEST_F(SymbolFixture, HitTestUsesHalfThePointSizePlusTwoPixels)
{
    TSymbol* S = AddSymbol(100, 100, 34, "MapInfo Symbol", 12, clRed);
    // Map (x, y) is pixel (x, 200 - y): one map unit per pixel.
    EXPECT_TRUE(S->ContainsPoint(108, 100));
    EXPECT_FALSE(S->ContainsPoint(109, 100));
    EXPECT_TRUE(S->ContainsPoint(92, 92));
    EXPECT_FALSE(S->ContainsPoint(100, 90.6)); // pixel 109 below
    // The size counts, not the drawing: at 24 points the reach is 14 pixels.
    S->GetFont()->SetSize(24);
    EXPECT_TRUE(S->ContainsPoint(114, 100));
    EXPECT_FALSE(S->ContainsPoint(115, 100));
}

TEST_F(SymbolFixture, MissingSymbolFontDrawsVectorShapesInColourAndSize)
{
    ASSERT_FALSE(IsFontInstalled("MapInfo Symbol"));
    ASSERT_FALSE(IsFontInstalled("MapInfo Cartographic"));
    ASSERT_TRUE(IsFontInstalled("DejaVu Sans"));
    ASSERT_TRUE(IsFontInstalled("arial")); // an alias the font system maps on purpose

    // 24 points are 32 pixels: a filled circle 32 pixels across, red.
    TSymbol* S = AddSymbol(100, 100, 34, "MapInfo Symbol", 24, clRed);
    QImage Image = Painted();
    TRect Ink = InkBounds(Image, clWhite);
    EXPECT_NEAR(Ink.Right - Ink.Left, 32, 2);
    EXPECT_NEAR(Ink.Bottom - Ink.Top, 32, 2);
    EXPECT_NEAR((Ink.Left + Ink.Right) / 2.0, 100, 1.5);
    EXPECT_NEAR((Ink.Top + Ink.Bottom) / 2.0, 100, 1.5);
    const int Red = CountColor(Image, clRed);
    EXPECT_NEAR(Red, 3.14159 * 16 * 16, 80);
    EXPECT_EQ(Red + CountColor(Image, clWhite), 200 * 200); // one colour only

    // A hollow square keeps its middle free.
    S->SetShape(38);
    Image = Painted();
    EXPECT_EQ(test::PixelOf(Image, 100, 100), clWhite);
    EXPECT_EQ(test::PixelOf(Image, 100 - 12, 100), clRed);

    // Every code of the table draws something, and no two codes look alike.
    std::set<std::string> Seen;
    S->GetFont()->SetColor(clBlue);
    for (int Code = 32; Code <= LastSymbolShape; ++Code) {
        S->SetShape(Code);
        Image = Painted();
        const TRect R{100 - 20, 100 - 20, 100 + 20, 100 + 20};
        EXPECT_GT(200 * 200 - CountColor(Image, clWhite), 10) << "code " << Code;
        EXPECT_EQ(CountColor(Image, clWhite, R) + CountColor(Image, clBlue, R) +
                      CountColor(Image, ColorToRGB(RGB(0, 0, 127)), R),
                  40 * 40)
            << "code " << Code;
        EXPECT_TRUE(Seen.insert(test::AsciiArt(Image, R, clWhite)).second) << "code " << Code;
    }
}

TEST_F(SymbolFixture, MapSymbolsCharactersAreMapInfoSymbolsPlusOne)
{
    // The TAB reader names MapInfo's symbol 34 (a circle) character 35 of "Map Symbols".
    ASSERT_FALSE(IsFontInstalled("Map Symbols"));
    TSymbol* S = AddSymbol(100, 100, 34, "MapInfo Symbol", 24, clRed);
    const QImage Circle = Painted();
    S->GetFont()->SetName("Map Symbols");
    S->SetShape(35);
    EXPECT_EQ(test::CountDifferences(Painted(), Circle), 0);
    S->SetShape(34);
    EXPECT_GT(test::CountDifferences(Painted(), Circle), 100);
}

TEST_F(SymbolFixture, InstalledFontDrawsItsCharacter)
{
    TSymbol* S = AddSymbol(100, 100, 'A', "DejaVu Sans", 24, clBlack);
    const QImage Image = Painted();

    // The same character drawn by hand at the centred position.
    TBitmap Expected;
    test::FillBitmap(Expected, 200, 200, clWhite);
    TCanvas* C = Expected.GetCanvas();
    C->SetFont(S->GetFont());
    C->GetBrush()->SetStyle(bsClear);
    const int W = C->TextWidth("A"), H = C->TextHeight("A");
    C->TextOut(100 - W / 2, 100 - H / 2, "A");
    C->Flush();
    EXPECT_EQ(test::CountDifferences(Image, Expected.GetImage()), 0);
}

TEST_F(SymbolFixture, SelectionHighlightTogglesAndSlowModeFillsTheCell)
{
    TSymbol* S = AddSymbol(100, 100, 34, "MapInfo Symbol", 12, clRed);
    const QImage Before = test::PaintControl(Map);
    S->DrawSelection(); // on the window, until the next paint
    EXPECT_GT(test::CountDifferences(Before, Map.GetSurfaceImage()), 20);
    S->DrawSelection();
    EXPECT_EQ(test::CountDifferences(Before, Map.GetSurfaceImage()), 0);

    // In the slow mode a selected symbol's cell is filled with the pattern
    // (seen inside a ring).
    S->SetShape(40);
    S->GetFont()->SetSize(24);
    Map.SetFastSelection(false);
    S->Select();
    const QImage Slow = Painted();
    EXPECT_GT(40 * 40 - CountColor(Slow, clWhite, TRect{80, 80, 120, 120}) -
                  CountColor(Slow, clRed, TRect{80, 80, 120, 120}),
              10);
}

} // namespace
} // namespace cartova
