// Sprites on a shown map: showing, hiding and moving over the painted window
// without a repaint, checked pixel for pixel against full repaints; the
// glyph from an image list; hit tests. The fixture's map shows units 0..200,
// one unit a pixel, y pointing up.
#include "objects/Sprite.h"
#include "tests/support/VectorTestMap.h"

using namespace cartova;
using cartova::test::CountColor;
using cartova::test::CountDifferences;
using cartova::test::FillBitmap;
using cartova::test::PixelOf;
using cartova::test::TVectorMapFixture;

namespace {

constexpr int GlyphW = 15, GlyphH = 11; // odd: the box is not w div 2 either side

struct SpriteTest : TVectorMapFixture {
    TSprite* Sprite = nullptr;

    void SetUp() override
    {
        TVectorMapFixture::SetUp();
        // A background with edges under every place the sprite goes.
        auto* Field = Adopt(new TRegion);
        AddBox(Field, 30, 30, 170, 120);
        AddBox(Field, 60, 50, 90, 150);
        auto* Road = Adopt(new TPolyline);
        AddPart(Road, {{0, 0}, {200, 200}});
        Road->GetPen()->SetColor(clGreen);
        Road->GetPen()->SetWidth(3);

        // The sprite in a layer of its own, on top.
        Sprite = new TSprite;
        Map.GetLayers()->Add("", "sprites")->AddObject(Sprite, false);
        TBitmap Glyph;
        FillBitmap(Glyph, GlyphW, GlyphH, clBlue);
        Glyph.GetCanvas()->SetPixels(0, GlyphH - 1, clFuchsia); // the transparent colour
        Glyph.GetCanvas()->SetPixels(7, 5, clFuchsia);          // a hole in the middle
        Sprite->SetGlyph(&Glyph);
    }

    /// A full repaint of the map (bitmap rebuilt, copied to the window).
    QImage Repainted()
    {
        Map.SetModified(true);
        return cartova::test::PaintControl(Map);
    }

    /// Counts the drawing operations on the window canvas while Action runs.
    template <typename TAction>
    int WindowDrawings(TAction Action)
    {
        TCanvas* Canvas = Map.GetCanvas();
        auto Previous = Canvas->OnChange;
        int Count = 0;
        Canvas->OnChange = [&](TObject* Sender) {
            ++Count;
            if (Previous)
                Previous(Sender);
        };
        Action();
        Canvas->OnChange = Previous;
        return Count;
    }
};

} // namespace

TEST_F(SpriteTest, MoveRestoresThePixelsUnderItAndDrawsOnceAtTheNewPlace)
{
    Sprite->Move(95, 100); // over the edge of the region's hole
    Repainted();
    EXPECT_EQ(Map.GetSurfacePixel(95 - 7, 100), clBlue) << "left column of the glyph";
    EXPECT_EQ(Map.GetSurfacePixel(95 + 7, 100), clBlue) << "right column of the glyph";
    EXPECT_EQ(Map.GetSurfacePixel(95, 100), clRed) << "the glyph's hole shows the region";
    EXPECT_NE(Map.GetSurfacePixel(95 - 7, 100 + 5), clBlue) << "bottom-left pixel is transparent";

    // Hide restores, Show draws (one save), and nothing else touches the window.
    const int Drawings = WindowDrawings([&] { Sprite->Move(100, 100); });
    EXPECT_EQ(Drawings, 2);
    const QImage AfterMove = Map.GetSurfaceImage();
    EXPECT_EQ(PixelOf(AfterMove, 100 - 7, 100), clBlue);
    EXPECT_EQ(PixelOf(AfterMove, 95 - 7, 100), clWhite);

    // The window after the move equals a full repaint with the sprite there.
    EXPECT_EQ(CountDifferences(AfterMove, Repainted()), 0);

    // Several moves in a row, across the diagonal road, then back into the
    // region: still what a full repaint gives.
    for (double P : {120.0, 135.0, 150.0, 40.0})
        Sprite->Move(P, P - 10);
    const QImage AfterMoves = Map.GetSurfaceImage();
    EXPECT_EQ(CountDifferences(AfterMoves, Repainted()), 0);
    EXPECT_EQ(Map.GetSurfacePixel(40 - 7, 200 - 30), clBlue);

    // Without the sprite: hiding leaves exactly the map.
    Sprite->SetVisible(false);
    const QImage Hidden = Map.GetSurfaceImage();
    EXPECT_EQ(CountColor(Hidden, clBlue), 0);
    EXPECT_EQ(CountDifferences(Hidden, Repainted()), 0);
}

TEST_F(SpriteTest, VisibleShowsAndHidesOnlyOnAChange)
{
    Sprite->Move(100, 100);
    Repainted();
    const QImage Shown = Map.GetSurfaceImage();
    EXPECT_EQ(WindowDrawings([&] { Sprite->SetVisible(true); }), 0);
    EXPECT_EQ(CountDifferences(Map.GetSurfaceImage(), Shown), 0);

    Sprite->SetVisible(false);
    EXPECT_EQ(CountColor(Map.GetSurfaceImage(), clBlue), 0);
    EXPECT_EQ(WindowDrawings([&] { Sprite->SetVisible(false); }), 0);

    // A hidden sprite stays hidden when it moves, changes its glyph or is painted.
    EXPECT_EQ(WindowDrawings([&] {
                  Sprite->Move(50, 50);
                  Sprite->SetX(60);
                  Sprite->GlyphChanged();
              }),
              0);
    EXPECT_EQ(CountColor(Repainted(), clBlue), 0);
    EXPECT_FALSE(Sprite->IsShown());

    Sprite->SetVisible(true);
    EXPECT_EQ(Map.GetSurfacePixel(60 - 7, 150), clBlue);
    EXPECT_EQ(CountDifferences(Map.GetSurfaceImage(), Repainted()), 0);
}

TEST_F(SpriteTest, OutOfViewSpriteIsNotShownByDraw)
{
    // The anchor is 5 pixels right of the view: the glyph would reach 2
    // pixels into it, but Draw shows only sprites whose anchor is in view.
    Sprite->Move(205, 100);
    const QImage Image = Repainted();
    EXPECT_EQ(CountColor(Image, clBlue), 0);
    EXPECT_FALSE(Sprite->IsShown());

    // Back in view, the next full repaint shows it again.
    Sprite->Move(195, 100);
    EXPECT_EQ(Map.GetSurfacePixel(199, 100), clBlue);
    EXPECT_EQ(CountDifferences(Map.GetSurfaceImage(), Repainted()), 0);
    EXPECT_TRUE(Sprite->IsShown());

    // A sprite that was not shown cannot be clicked.
    Sprite->Move(205, 100);
    Repainted();
    Map.SelectObjectAt(199, 100, true);
    EXPECT_FALSE(Sprite->GetSelected());
}

TEST_F(SpriteTest, AfterTheViewChangesOldPixelsAreNotPutBack)
{
    Sprite->Move(100, 100);
    Repainted();
    // Pan: the window still shows the old picture until the next paint; a
    // hide must not paste pixels saved for the old view.
    Map.SetCenterX(110);
    const QImage BeforeHide = Map.GetSurfaceImage();
    Sprite->Hide();
    EXPECT_EQ(CountDifferences(Map.GetSurfaceImage(), BeforeHide), 0);
    // The repaint shows it at its place in the new view (10 pixels left).
    const QImage Image = Repainted();
    EXPECT_EQ(PixelOf(Image, 90 - 7, 100), clBlue);
    EXPECT_EQ(PixelOf(Image, 90 + 9, 100), clRed);
    Sprite->Move(120, 60);
    EXPECT_EQ(CountDifferences(Map.GetSurfaceImage(), Repainted()), 0);
}

TEST_F(SpriteTest, GlyphFromAnImageList)
{
    Sprite->Move(100, 100);
    Repainted();
    auto Images = std::make_unique<TCustomImageList>();
    Images->SetWidth(9);
    Images->SetHeight(9);
    TBitmap Yellow, Framed;
    FillBitmap(Yellow, 9, 9, clYellow);
    Images->Add(&Yellow);
    Images->Add(&Yellow);

    // Assigning the list loads image ImageIndex (0): all yellow, and yellow
    // is its bottom-left colour, so nothing shows.
    Sprite->SetImageList(Images.get());
    EXPECT_EQ(Sprite->GetGlyph()->GetWidth(), 9);
    EXPECT_EQ(CountColor(Map.GetSurfaceImage(), clBlue), 0);
    EXPECT_EQ(CountColor(Map.GetSurfaceImage(), clYellow), 0);

    // A white frame (transparent) around an aqua square.
    Images->Delete(1);
    FillBitmap(Framed, 9, 9, clWhite);
    Framed.GetCanvas()->GetBrush()->SetColor(clAqua);
    Framed.GetCanvas()->FillRect(Rect(2, 2, 7, 7));
    Images->Add(&Framed);
    Sprite->SetImageIndex(1);
    EXPECT_EQ(CountColor(Map.GetSurfaceImage(), clAqua), 25);
    EXPECT_EQ(Map.GetSurfacePixel(100, 100), clAqua);
    EXPECT_EQ(CountDifferences(Map.GetSurfaceImage(), Repainted()), 0);

    // An index the list does not have keeps the glyph.
    Sprite->SetImageIndex(7);
    EXPECT_EQ(Map.GetSurfacePixel(100, 100), clAqua);

    // A hidden sprite stays hidden when its image changes.
    Sprite->SetVisible(false);
    Sprite->SetImageIndex(1);
    EXPECT_FALSE(Sprite->GetVisible());
    EXPECT_EQ(CountColor(Map.GetSurfaceImage(), clAqua), 0);

    // A copy shares the list and takes the glyph and visibility.
    TSprite Copy;
    Copy.Assign(Sprite);
    EXPECT_EQ(Copy.GetImageList(), Images.get());
    EXPECT_EQ(Copy.GetImageIndex(), 1);
    EXPECT_FALSE(Copy.GetVisible());
    EXPECT_EQ(Copy.GetGlyph()->GetWidth(), 9);
    EXPECT_EQ(PixelOf(*Copy.GetGlyph(), 4, 4), clAqua);

    // The sprites forget a destroyed list.
    Images.reset();
    EXPECT_EQ(Sprite->GetImageList(), nullptr);
    EXPECT_EQ(Copy.GetImageList(), nullptr);
    Sprite->SetImageIndex(1);
}

TEST_F(SpriteTest, HitTestsUseTheGlyphBoxOnScreen)
{
    Sprite->Move(100, 100);
    Repainted();
    // Glyph box: anchor ± 7 pixels across, ± 5 pixels up and down.
    EXPECT_TRUE(Sprite->ContainsPoint(100, 100));
    EXPECT_TRUE(Sprite->ContainsPoint(107, 95));
    EXPECT_FALSE(Sprite->ContainsPoint(108, 100));
    EXPECT_FALSE(Sprite->ContainsPoint(100, 106));

    EXPECT_TRUE(Sprite->WithinRect(99, 99, 101, 101));
    EXPECT_FALSE(Sprite->WithinRect(101, 90, 110, 110));
    // Only a glyph corner lies in this rectangle, the anchor does not.
    EXPECT_TRUE(Sprite->IntersectsRect(105, 103, 120, 120));
    EXPECT_FALSE(Sprite->IntersectsRect(110, 110, 120, 120));
    EXPECT_FALSE(Sprite->Contains(Sprite));
    EXPECT_FALSE(Sprite->Intersects(Sprite));
    EXPECT_FALSE(Sprite->ContainsRect(99, 99, 101, 101));

    // A click on the glyph (pixel 104, 98) selects the sprite.
    Map.SelectObjectAt(104, 102, true);
    ASSERT_EQ(Map.GetSelection()->Count(), 1);
    EXPECT_EQ(Map.GetSelection()->GetItems(0), Sprite);

    // Without a map: nothing is contained, the anchor decides the rectangle.
    TSprite Free;
    Free.SetX(5);
    Free.SetY(6);
    EXPECT_FALSE(Free.ContainsPoint(5, 6));
    EXPECT_TRUE(Free.IntersectsRect(0, 0, 10, 10));
    EXPECT_FALSE(Free.IntersectsRect(6, 0, 10, 10));
    EXPECT_EQ(Free.GetExtent(), (TBounds{5, 6, 5, 6}));
}
