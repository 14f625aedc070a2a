// TText: the box in map units, fitting the font to the box (and the box to a
// frozen font), rotation, drawing and hit tests.
#include "objects/Text.h"
#include "tests/support/VectorTestMap.h"

#include <cmath>

namespace cartova {
namespace {

using test::InkBounds;

struct TextFixture : test::TVectorMapFixture {
    TText* AddText(double X, double Y, double W, double H, const std::string& S)
    {
        auto* T = Layer->NewObject<TText>();
        // Set before the text: a later font change refits the box to the font.
        T->GetFont()->SetColor(clBlack);
        T->SetX(X);
        T->SetY(Y);
        T->SetText(S);
        T->SetWidth(W);
        T->SetHeight(H);
        return T;
    }

    /// The text extent of Text in Font at Size, measured on a canvas of its own.
    static TSize Extent(const TFont* Font, int Size, const std::string& Text)
    {
        TBitmap B;
        B.SetSize(1, 1);
        B.GetCanvas()->SetFont(Font);
        B.GetCanvas()->GetFont()->SetSize(Size);
        return B.GetCanvas()->TextExtent(Text);
    }
};

TEST(Text, DefaultsAndSettersThatIgnoreValues)
{
    TText T;
    EXPECT_EQ(T.GetShape(), 31);
    EXPECT_EQ(T.GetAngle(), 0);
    EXPECT_EQ(T.GetWidth(), 0);
    EXPECT_EQ(T.GetHeight(), 0);
    EXPECT_FALSE(T.GetFreezeFontSize());
    EXPECT_EQ(T.GetMinShowTextSize(), 4);
    EXPECT_TRUE(T.UsesTextFont());
    T.SetMinShowTextSize(3);
    EXPECT_EQ(T.GetMinShowTextSize(), 4);
    T.SetMinShowTextSize(9);
    EXPECT_EQ(T.GetMinShowTextSize(), 9);
    // Without a map nothing is fitted and there are no screen corners.
    T.SetText("abc");
    T.SetWidth(10);
    T.SetHeight(5);
    EXPECT_EQ(T.GetFont()->GetSize(), 8);
    EXPECT_TRUE(T.GetTextPolygon().empty());

    TText Copy;
    T.SetAngle(30);
    T.SetFreezeFontSize(true);
    Copy.Assign(&T);
    EXPECT_EQ(Copy.GetText(), "abc");
    EXPECT_EQ(Copy.GetWidth(), 10);
    EXPECT_EQ(Copy.GetHeight(), 5);
    EXPECT_EQ(Copy.GetAngle(), 30);
    EXPECT_TRUE(Copy.GetFreezeFontSize());
    EXPECT_EQ(Copy.GetMinShowTextSize(), 9);
}

TEST(Text, StartSizeIsTheBoxHeightOver148Within2To200)
{
    EXPECT_EQ(detail::TextStartSize(74), 50);
    EXPECT_EQ(detail::TextStartSize(6), 4);
    EXPECT_EQ(detail::TextStartSize(1), 2);
    EXPECT_EQ(detail::TextStartSize(296), 200);
    EXPECT_EQ(detail::TextStartSize(100000), 200);
}

TEST_F(TextFixture, LayerGivesTheDefaultTextFont)
{
    TText* T = AddText(10, 10, 50, 20, "");
    EXPECT_EQ(T->GetFont()->GetName(), "Courier New");
}

TEST_F(TextFixture, AFontSetInItsPlaceIsListenedToAsWell)
{
    TText* T = AddText(10, 10, 50, 20, "Frozen");
    T->SetFreezeFontSize(true);
    auto* Font = new TFont;
    Font->Assign(T->GetFont());
    T->SetFont(Font); // the text owns it now
    const double Before = T->GetHeight();
    Font->SetSize(Font->GetSize() * 3);
    EXPECT_GT(T->GetHeight(), Before); // the frozen font refits the box
}

TEST_F(TextFixture, LowBoxGetsSizeThreeAndIsNotDrawn)
{
    TText* T = AddText(20, 100, 150, 5, "Tiny text");
    EXPECT_EQ(T->GetFont()->GetSize(), 3);
    const QImage Image = Painted();
    EXPECT_EQ(test::CountColor(Image, clWhite), 200 * 200);
    EXPECT_FALSE(Map.GetDisplayed()->Contains(T));
    // A taller box is drawn and displayed.
    T->SetHeight(20);
    EXPECT_GE(T->GetFont()->GetSize(), 4);
    EXPECT_LT(test::CountColor(Painted(), clWhite), 200 * 200);
    EXPECT_TRUE(Map.GetDisplayed()->Contains(T));
}

TEST_F(TextFixture, FittedFontIsTheLargestThatFitsTheBox)
{
    const char* Texts[] = {"A", "Map", "Cartova text", "WWWWWWWW", "il1.,"};
    for (const char* Name : {"Courier New", "Arial", "DejaVu Serif"})
        for (const char* S : Texts)
            for (int H : {6, 9, 14, 23, 40, 74, 120, 190})
                for (int W : {5, 30, 90, 190}) {
                    TText* T = AddText(5, 5, W, H, "");
                    T->GetFont()->SetName(Name);
                    T->SetText(S);
                    const int Size = T->GetFont()->GetSize();
                    const TSize E = Extent(T->GetFont(), Size, S);
                    const TSize Bigger = Extent(T->GetFont(), Size + 1, S);
                    SCOPED_TRACE(testing::Message() << Name << " '" << S << "' box " << W << "x"
                                                    << H << " size " << Size);
                    if (Size >= T->GetMinShowTextSize()) {
                        EXPECT_LE(E.cx, W);
                        EXPECT_LE(E.cy, H);
                        EXPECT_TRUE(Bigger.cx > W || Bigger.cy > H);
                    } else {
                        // Too small to show: even the smallest shown size does not fit.
                        const TSize Shown = Extent(T->GetFont(), T->GetMinShowTextSize(), S);
                        EXPECT_TRUE(Shown.cx > W || Shown.cy > H);
                    }
                    delete T;
                }
}

TEST_F(TextFixture, HugeBoxesEndWithABoundedSize)
{
    TText* T = AddText(0, 0, 1, 1, "x");
    Map.SetZoom(5000); // the box is thousands of pixels high
    T->RecalcTextSize();
    EXPECT_GT(T->GetFont()->GetSize(), 200);
    EXPECT_LE(T->GetFont()->GetSize(), 4000);
}

TEST_F(TextFixture, CornersFollowTheAngle)
{
    TText* T = AddText(50, 50, 80, 20, "Corners");
    TTextPoligon P = T->GetTextPolygon();
    ASSERT_EQ(P.size(), 4u);
    // Upper-left, upper-right, lower-right, lower-left of the box on screen.
    EXPECT_EQ(P[0], (TPoint{50, 130}));
    EXPECT_EQ(P[1], (TPoint{130, 130}));
    EXPECT_EQ(P[2], (TPoint{130, 150}));
    EXPECT_EQ(P[3], (TPoint{50, 150}));
    EXPECT_EQ(T->GetTextRect(), (TRect{50, 130, 130, 150}));

    T->SetAngle(90);
    P = T->GetTextPolygon();
    EXPECT_EQ(P[1].X, P[0].X);
    EXPECT_EQ(P[1].Y, P[0].Y - 80); // directly above the upper-left corner
    EXPECT_EQ(P[2], (TPoint{70, 50}));
    EXPECT_EQ(P[3], (TPoint{70, 130}));
    EXPECT_EQ(T->GetTextRect(), (TRect{50, 50, 70, 130}));
    // The hit test uses that rectangle, edges included.
    EXPECT_TRUE(T->ContainsPoint(69, 149)); // pixel (69, 51)
    EXPECT_TRUE(T->ContainsPoint(50, 70));  // pixel (50, 130)
    EXPECT_FALSE(T->ContainsPoint(71, 100));
    EXPECT_FALSE(T->ContainsPoint(100, 60)); // inside the unrotated box only
}

TEST_F(TextFixture, TextWhoseAnchorIsLeftOfTheViewIsStillPainted)
{
    TText* T = AddText(-30, 100, 120, 24, "Reaching in");
    EXPECT_EQ(T->GetExtent(), (TBounds{-30, 100, 90, 124}));
    const TRect Ink = InkBounds(Painted(), clWhite);
    EXPECT_LE(Ink.Left, 1);
    EXPECT_GT(Ink.Right, 40);
    EXPECT_TRUE(Map.GetDisplayed()->Contains(T));
}

TEST_F(TextFixture, RotatedTextDrawsAlongItsAngle)
{
    TText* T = AddText(40, 60, 120, 24, "Rotated");
    TRect Ink = InkBounds(Painted(), clWhite);
    EXPECT_GT(Ink.Right - Ink.Left, 2 * (Ink.Bottom - Ink.Top));
    // Unrotated, the text sits inside its box (client rows 116..140).
    EXPECT_GE(Ink.Top, 116);
    EXPECT_LE(Ink.Bottom, 141);

    T->SetAngle(90);
    Ink = InkBounds(Painted(), clWhite);
    EXPECT_GT(Ink.Bottom - Ink.Top, 2 * (Ink.Right - Ink.Left));
    EXPECT_LE(Ink.Bottom, 117); // above the upper-left corner
    EXPECT_GE(Ink.Left, 40);
    EXPECT_LE(Ink.Right, 40 + 25);

    T->SetAngle(30);
    Ink = InkBounds(Painted(), clWhite);
    const double Slope = double(Ink.Bottom - Ink.Top) / (Ink.Right - Ink.Left);
    EXPECT_GT(Slope, 0.4);
    EXPECT_LT(Slope, 1.0);
}

TEST_F(TextFixture, ZoomingInMakesTheTextLarger)
{
    TText* T = AddText(60, 90, 80, 20, "Zoom");
    const TRect Small = InkBounds(Painted(), clWhite);
    const int SmallSize = T->GetFont()->GetSize();
    Map.SetZoom(2);
    const TRect Large = InkBounds(Painted(), clWhite);
    EXPECT_GT(T->GetFont()->GetSize(), SmallSize * 3 / 2);
    EXPECT_GT(Large.Right - Large.Left, (Small.Right - Small.Left) * 3 / 2);
    EXPECT_GT(Large.Bottom - Large.Top, (Small.Bottom - Small.Top) * 3 / 2);
    Map.SetZoom(0.25); // box 5 pixels high: not drawn
    EXPECT_EQ(test::CountColor(Painted(), clWhite), 200 * 200);
}

TEST_F(TextFixture, FrozenFontSizesTheBoxAndFontChangesRefitIt)
{
    TText* T = AddText(100, 100, 10, 10, "Frozen");
    T->GetFont()->SetSize(12);
    // The font change refitted the box to the font: 10 % wider than the text.
    const TSize E = Extent(T->GetFont(), 12, "Frozen");
    EXPECT_NEAR(T->GetWidth(), E.cx + std::nearbyint(E.cx * 0.1), 1e-9);
    EXPECT_NEAR(T->GetHeight(), E.cy + 1, 1e-9);

    T->SetFreezeFontSize(true);
    Map.SetZoom(2);
    Painted();
    EXPECT_EQ(T->GetFont()->GetSize(), 12);
    EXPECT_NEAR(T->GetWidth(), (E.cx + std::nearbyint(E.cx * 0.1)) / 2.0, 1e-9);
    EXPECT_FALSE(Map.GetTextSizing());

    // Unfrozen, the font follows the box again at the next paint.
    T->SetFreezeFontSize(false);
    Map.SetZoom(4);
    Painted();
    EXPECT_GT(T->GetFont()->GetSize(), 20);
    EXPECT_FALSE(Map.GetTextSizing());
}

TEST_F(TextFixture, BackgroundBoxAndSelectionHighlight)
{
    TText* T = AddText(20, 60, 160, 40, "Box");
    T->SetUseBGColor(true);
    T->SetBGColor(clYellow);
    const QImage Image = Painted();
    EXPECT_GT(test::CountColor(Image, clYellow, TRect{21, 101, 179, 139}), 3000);

    const QImage Before = test::PaintControl(Map);
    T->DrawSelection(); // on the window, until the next paint
    EXPECT_GT(test::CountDifferences(Before, Map.GetSurfaceImage()), 3000);
    T->DrawSelection();
    EXPECT_EQ(test::CountDifferences(Before, Map.GetSurfaceImage()), 0);
}

} // namespace
} // namespace cartova
