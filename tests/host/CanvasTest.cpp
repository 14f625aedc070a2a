// Canvas drawing: pixel rules of the primitives, raster pen modes, brushes,
// text metrics and rotation, image copies, pixels and bad input.
#include "host/Bitmap.h"
#include "host/Canvas.h"
#include "tests/support/PixelHelpers.h"

#include <QImage>
#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace cartova;
using cartova::test::AsciiArt;
using cartova::test::CountColor;
using cartova::test::CountDifferences;
using cartova::test::FillBitmap;
using cartova::test::InkBounds;
using cartova::test::PixelOf;

namespace {

// A bitmap with a few colours so raster modes act on varied pixels.
void PaintBackdrop(TBitmap& B)
{
    FillBitmap(B, 40, 30, clWhite);
    TCanvas* C = B.GetCanvas();
    C->GetBrush()->SetColor(clTeal);
    C->FillRect(Rect(0, 0, 20, 15));
    C->GetBrush()->SetColor(RGB(200, 30, 90));
    C->FillRect(Rect(20, 15, 40, 30));
    C->GetBrush()->SetColor(clWhite);
}

} // namespace

TEST(Canvas, LineAndRectanglePixelRules)
{
    TBitmap B;
    FillBitmap(B, 20, 12, clWhite);
    TCanvas* C = B.GetCanvas();
    C->MoveTo(2, 1);
    C->LineTo(8, 1); // x = 2..7
    EXPECT_EQ(C->GetPenPos(), Point(8, 1));
    C->Rectangle(2, 4, 7, 9); // outline x = 2..6, y = 4..8
    const QImage& I = B.GetImage();
    EXPECT_EQ(InkBounds(I, clWhite), Rect(2, 1, 8, 9)) << AsciiArt(I, Rect(0, 0, 20, 12), clWhite);
    EXPECT_EQ(PixelOf(I, 7, 1), clBlack);
    EXPECT_EQ(PixelOf(I, 8, 1), clWhite) << "the end pixel of a line is not drawn";
    EXPECT_EQ(PixelOf(I, 6, 8), clBlack);
    EXPECT_EQ(PixelOf(I, 7, 8), clWhite) << "right edge exclusive";
    EXPECT_EQ(PixelOf(I, 4, 6), clWhite) << "interior filled with the white brush";

    // Polyline: each segment omits its end pixel, joints are drawn once.
    FillBitmap(B, 20, 12, clWhite);
    const TPoint Pts[] = {{1, 1}, {10, 1}, {10, 8}};
    C->Polyline(Pts, 3);
    EXPECT_EQ(CountColor(B.GetImage(), clBlack), 9 + 7);
    EXPECT_EQ(PixelOf(B, 10, 8), clWhite);

    // A clear pen fills one pixel less to the right and bottom.
    FillBitmap(B, 20, 12, clWhite);
    C->GetPen()->SetStyle(psClear);
    C->GetBrush()->SetColor(clRed);
    C->Rectangle(2, 2, 6, 6);
    EXPECT_EQ(InkBounds(B.GetImage(), clWhite), Rect(2, 2, 5, 5));
}

TEST(Canvas, XorAndNotXorRestoreEveryPixel)
{
    TBitmap B;
    PaintBackdrop(B);
    const QImage Before = B.GetImage().copy();
    TCanvas* C = B.GetCanvas();

    for (TPenMode Mode : {pmXor, pmNotXor}) {
        C->GetPen()->SetMode(Mode);
        C->GetPen()->SetColor(RGB(90, 200, 17));
        C->GetBrush()->SetStyle(bsSolid);
        C->GetBrush()->SetColor(RGB(10, 100, 250));
        const TPoint Tri[] = {{3, 3}, {35, 8}, {12, 27}};
        for (int Pass = 0; Pass < 2; ++Pass) {
            C->Rectangle(5, 5, 30, 25);
            C->Ellipse(1, 2, 38, 29);
            C->Polygon(Tri, 3);
            C->MoveTo(0, 0);
            C->LineTo(39, 29);
            if (Pass == 0) {
                EXPECT_GT(CountDifferences(Before, B.GetImage()), 100) << "mode " << Mode;
            }
        }
        EXPECT_EQ(CountDifferences(Before, B.GetImage()), 0) << "mode " << Mode;
    }

    // Not-xor with a black pen inverts exactly the pixels it touches.
    C->GetPen()->SetMode(pmNotXor);
    C->GetPen()->SetColor(clBlack);
    C->GetBrush()->SetStyle(bsClear);
    C->Rectangle(10, 10, 30, 20);
    EXPECT_EQ(PixelOf(B, 10, 10), 0xFFFFFF ^ clTeal);
    EXPECT_EQ(PixelOf(B, 29, 19), 0xFFFFFF ^ RGB(200, 30, 90));
    EXPECT_EQ(PixelOf(B, 15, 15), PixelOf(Before, 15, 15)) << "clear brush leaves the interior";
    C->Rectangle(10, 10, 30, 20);
    EXPECT_EQ(CountDifferences(Before, B.GetImage()), 0);
}

TEST(Canvas, OtherPenModes)
{
    TBitmap B;
    FillBitmap(B, 4, 4, RGB(0x0F, 0xF0, 0x55));
    TCanvas* C = B.GetCanvas();
    C->GetPen()->SetColor(RGB(0x33, 0x33, 0x33));
    const TColor D = RGB(0x0F, 0xF0, 0x55), P = RGB(0x33, 0x33, 0x33);
    struct Case { TPenMode Mode; TColor Expected; };
    for (const Case& K : {Case{pmMerge, P | D}, Case{pmMask, P & D}, Case{pmNot, ~D & 0xFFFFFF},
                          Case{pmBlack, 0}, Case{pmWhite, 0xFFFFFF}, Case{pmNop, D},
                          Case{pmNotCopy, ~P & 0xFFFFFF}, Case{pmMaskPenNot, P & ~D & 0xFFFFFF}}) {
        FillBitmap(B, 4, 4, D);
        C->GetPen()->SetMode(K.Mode);
        C->MoveTo(0, 1);
        C->LineTo(4, 1);
        EXPECT_EQ(PixelOf(B, 2, 1), K.Expected) << "mode " << K.Mode;
        EXPECT_EQ(PixelOf(B, 2, 2), D);
    }
}

TEST(Canvas, HatchBrushDrawsOnlyItsLines)
{
    TBitmap B;
    PaintBackdrop(B);
    const QImage Before = B.GetImage().copy();
    TCanvas* C = B.GetCanvas();
    C->GetBrush()->SetColor(clBlue);
    for (TBrushStyle Style : {bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross}) {
        PaintBackdrop(B);
        C->GetBrush()->SetColor(clBlue);
        C->GetBrush()->SetStyle(Style);
        C->FillRect(Rect(0, 0, 40, 30));
        const QImage& I = B.GetImage();
        int Lines = 0, Kept = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) {
                const TColor P = PixelOf(I, x, y);
                if (P == clBlue)
                    ++Lines;
                else if (P == PixelOf(Before, x, y))
                    ++Kept;
            }
        EXPECT_EQ(Lines + Kept, 40 * 30) << "style " << Style;
        EXPECT_GT(Lines, 40 * 30 / 16) << "style " << Style;
        EXPECT_GT(Kept, 40 * 30 / 2) << "style " << Style;
    }
    // Horizontal hatch: whole rows of the line colour, the rows between untouched.
    PaintBackdrop(B);
    C->GetBrush()->SetStyle(bsHorizontal);
    C->GetBrush()->SetColor(clBlue);
    C->FillRect(Rect(0, 0, 40, 30));
    int FullRows = 0;
    for (int y = 0; y < 30; ++y)
        FullRows += CountColor(B.GetImage(), clBlue, Rect(0, y, 40, y + 1)) == 40;
    EXPECT_GE(FullRows, 3);
    EXPECT_LE(FullRows, 4);
}

TEST(Canvas, PatternBitmapWithTransparentPixels)
{
    // The selection pattern: blue with a transparent pixel at odd x and odd y.
    TBitmap Pattern;
    Pattern.SetSize(8, 8);
    Pattern.SetTransparent(true);
    Pattern.SetTransparentMode(tmAuto);
    Pattern.SetTransparentColor(clDefault);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            Pattern.GetCanvas()->SetPixels(x, y, (x % 2 && y % 2) ? clDefault : clBlue);
    EXPECT_EQ(Pattern.GetCanvas()->GetPixels(1, 1), clDefault);
    EXPECT_EQ(Pattern.GetCanvas()->GetPixels(0, 1), clBlue);

    TBitmap B;
    FillBitmap(B, 24, 16, clYellow);
    TCanvas* C = B.GetCanvas();
    C->GetBrush()->SetBitmap(&Pattern);
    C->GetPen()->SetStyle(psClear);
    C->Rectangle(0, 0, 25, 17); // clear pen: fills 0..23 by 0..15
    const QImage& I = B.GetImage();
    EXPECT_EQ(CountColor(I, clYellow), 12 * 8) << AsciiArt(I, Rect(0, 0, 24, 16), clBlue);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x)
            ASSERT_EQ(PixelOf(I, x, y), (x % 2 && y % 2) ? clYellow : clBlue) << x << "," << y;
    C->GetBrush()->SetBitmap(nullptr);
}

TEST(Canvas, TextExtentAndPlacement)
{
    TBitmap B;
    FillBitmap(B, 120, 60, clWhite);
    TCanvas* C = B.GetCanvas();
    C->GetFont()->SetName("Arial");
    C->GetFont()->SetSize(12);
    C->GetFont()->SetColor(clBlack);
    const TSize E = C->TextExtent("Wq");
    // Liberation Sans (metric-compatible Arial) at 16 pixels, hinted.
    EXPECT_EQ(E.cy, 17);
    EXPECT_EQ(E.cx, 24);
    EXPECT_EQ(C->TextWidth("Wq"), E.cx);
    EXPECT_EQ(C->TextHeight("Wq"), E.cy);
    EXPECT_EQ(C->TextExtent("Wq"), E) << "stable between calls";
    TCanvas Unattached;
    Unattached.GetFont()->Assign(C->GetFont());
    EXPECT_EQ(Unattached.TextExtent("Wq"), E) << "the same without a device";
    C->GetFont()->SetSize(30);
    C->GetFont()->SetSize(12);
    EXPECT_EQ(C->TextExtent("Wq"), E);
    EXPECT_GT(C->TextWidth("WqWq"), E.cx);

    // Opaque with a solid brush: the whole cell takes the brush colour.
    C->GetBrush()->SetColor(clYellow);
    C->TextOut(10, 5, "Wq");
    EXPECT_EQ(C->GetPenPos(), Point(10 + E.cx, 5));
    EXPECT_EQ(InkBounds(B.GetImage(), clWhite), Rect(10, 5, 10 + E.cx, 5 + E.cy));
    EXPECT_GT(CountColor(B.GetImage(), clBlack), 20);

    // Transparent with a clear brush: only glyph pixels change.
    FillBitmap(B, 120, 60, clWhite);
    C->GetBrush()->SetStyle(bsClear);
    C->TextOut(10, 5, "Wq");
    const TRect Ink = InkBounds(B.GetImage(), clWhite);
    EXPECT_EQ(CountColor(B.GetImage(), clYellow), 0);
    EXPECT_GE(Ink.Left, 10);
    EXPECT_GE(Ink.Top, 5);
    EXPECT_LE(Ink.Right, 10 + E.cx);
    EXPECT_LE(Ink.Bottom, 5 + E.cy);
}

TEST(Canvas, TextRotatedNinetyDegreesRunsUpwards)
{
    TBitmap B;
    FillBitmap(B, 60, 120, clWhite);
    TCanvas* C = B.GetCanvas();
    C->GetFont()->SetName("Arial");
    C->GetFont()->SetSize(12);
    C->GetFont()->SetColor(clBlack);
    C->GetFont()->SetOrientation(900);
    C->GetBrush()->SetStyle(bsClear);
    const TSize E = C->TextExtent("Wqqqq");
    C->TextOut(10, 100, "Wqqqq");
    const TRect Ink = InkBounds(B.GetImage(), clWhite);
    // The baseline runs up from (10, 100); the cell lies right of x = 10.
    EXPECT_GE(Ink.Left, 10);
    EXPECT_LE(Ink.Right, 10 + E.cy + 1);
    EXPECT_LE(Ink.Bottom, 101);
    EXPECT_GE(Ink.Top, 100 - E.cx - 1);
    EXPECT_GT(Ink.Height(), Ink.Width()) << AsciiArt(B.GetImage(), Rect(0, 0, 60, 120), clWhite);
    // The first letter (the wide W) sits at the bottom.
    const int LowerInk = CountColor(B.GetImage(), clBlack, Rect(0, 100 - E.cx / 4, 60, 101));
    EXPECT_GT(LowerInk, 0);
}

TEST(Canvas, StretchDrawCopyRectAndDraw)
{
    TBitmap Src;
    FillBitmap(Src, 4, 4, clRed);
    Src.GetCanvas()->SetPixels(0, 0, clBlue);

    TBitmap B;
    FillBitmap(B, 40, 30, clWhite);
    TCanvas* C = B.GetCanvas();
    C->StretchDraw(Rect(10, 6, 18, 14), &Src); // scale 2
    EXPECT_EQ(InkBounds(B.GetImage(), clWhite), Rect(10, 6, 18, 14));
    EXPECT_EQ(CountColor(B.GetImage(), clBlue), 4);
    EXPECT_EQ(PixelOf(B, 11, 7), clBlue);
    EXPECT_EQ(PixelOf(B, 12, 8), clRed);

    // CopyRect between canvases, and within one canvas with overlap.
    TBitmap D;
    FillBitmap(D, 40, 30, clWhite);
    D.GetCanvas()->CopyRect(Rect(0, 0, 8, 8), C, Rect(10, 6, 18, 14));
    EXPECT_EQ(InkBounds(D.GetImage(), clWhite), Rect(0, 0, 8, 8));
    EXPECT_EQ(PixelOf(D, 1, 1), clBlue);
    C->CopyRect(Rect(12, 8, 20, 16), C, Rect(10, 6, 18, 14));
    EXPECT_EQ(InkBounds(B.GetImage(), clWhite), Rect(10, 6, 20, 16));
    EXPECT_EQ(PixelOf(B, 13, 9), clBlue);

    // Draw honours the bitmap's transparent colour (bottom-left pixel).
    FillBitmap(B, 10, 10, clWhite);
    Src.SetTransparent(true);
    EXPECT_EQ(Src.GetTransparentColor(), clRed);
    C->Draw(3, 3, &Src);
    EXPECT_EQ(CountColor(B.GetImage(), clBlue), 1);
    EXPECT_EQ(PixelOf(B, 3, 3), clBlue);
    EXPECT_EQ(CountColor(B.GetImage(), clRed), 0);
    Src.SetTransparent(false);
    C->Draw(3, 3, &Src);
    EXPECT_EQ(CountColor(B.GetImage(), clRed), 15);
}

TEST(Canvas, PixelsAndBadInput)
{
    TBitmap B;
    FillBitmap(B, 10, 10, clWhite);
    TCanvas* C = B.GetCanvas();
    C->SetPixels(3, 4, clNavy);
    EXPECT_EQ(C->GetPixels(3, 4), clNavy);
    C->Rectangle(0, 0, 2, 2); // painter open; the read must still see it
    EXPECT_EQ(C->GetPixels(0, 0), clBlack);
    C->SetPixels(5, 5, clRed); // written through the open painter
    EXPECT_EQ(C->GetPixels(5, 5), clRed);
    EXPECT_EQ(C->GetPixels(-1, 0), CLR_INVALID);
    EXPECT_EQ(C->GetPixels(10, 3), CLR_INVALID);
    C->SetPixels(10, 3, clRed);
    C->SetPixels(-5, 3, clRed);

    const QImage Before = B.GetImage().copy();
    const std::vector<TPoint> None;
    C->Polygon(None);
    C->Polyline(None);
    C->Polygon(nullptr, 5);
    C->Rectangle(5, 5, 5, 9);
    C->Ellipse(3, 3, 3, 3);
    C->FillRect(Rect(6, 6, 2, 2));
    C->FrameRect(Rect(6, 6, 6, 6));
    C->StretchDraw(Rect(0, 0, 0, 0), &B);
    C->Draw(0, 0, nullptr);
    TBitmap Empty;
    C->Draw(0, 0, &Empty);
    C->CopyRect(Rect(0, 0, 5, 5), nullptr, Rect(0, 0, 5, 5));
    C->CopyRect(Rect(0, 0, 5, 5), Empty.GetCanvas(), Rect(0, 0, 5, 5));
    C->TextOut(0, 0, "");
    EXPECT_EQ(CountDifferences(Before, B.GetImage()), 0);

    // A canvas without a device and an empty bitmap's canvas do nothing.
    TCanvas Nowhere;
    Nowhere.Rectangle(0, 0, 10, 10);
    Nowhere.TextOut(0, 0, "x");
    EXPECT_EQ(Nowhere.GetPixels(0, 0), CLR_INVALID);
    Empty.GetCanvas()->LineTo(5, 5);
    Empty.GetCanvas()->SetPixels(0, 0, clRed);
    EXPECT_TRUE(Empty.Empty());
    EXPECT_GT(Nowhere.TextWidth("abc"), 0) << "text measures without a device";
}

TEST(Canvas, ClipAndExternalPainter)
{
    TBitmap B;
    FillBitmap(B, 20, 20, clWhite);
    TCanvas* C = B.GetCanvas();
    C->SetClipRect(Rect(5, 5, 10, 10));
    EXPECT_EQ(C->GetClipRect(), Rect(5, 5, 10, 10));
    C->GetBrush()->SetColor(clRed);
    C->FillRect(Rect(0, 0, 20, 20));
    C->SetPixels(1, 1, clRed);
    EXPECT_EQ(InkBounds(B.GetImage(), clWhite), Rect(5, 5, 10, 10));
    C->ResetClip();
    EXPECT_EQ(C->GetClipRect(), Rect(0, 0, 20, 20));

    // Drawing through a painter owned by someone else.
    QImage Target(10, 10, QImage::Format_RGB32);
    Target.fill(Qt::white);
    {
        QPainter P(&Target);
        TCanvas Owner;
        Owner.AttachPainter(&P);
        Owner.GetPen()->SetMode(pmXor);
        Owner.GetPen()->SetColor(clWhite);
        Owner.MoveTo(0, 2);
        Owner.LineTo(10, 2);
        Owner.DetachPainter();
        EXPECT_EQ(P.compositionMode(), QPainter::CompositionMode_SourceOver) << "state restored";
    }
    EXPECT_EQ(PixelOf(Target, 4, 2), clBlack);
    EXPECT_EQ(PixelOf(Target, 4, 3), clWhite);
}

TEST(Canvas, PolyPolylineDrawsThePixelsOfOnePolylinePerPart)
{
    // Many short parts (the one-step lines that go to the device as points)
    // among longer ones, some reaching past the edges; every pen the fast
    // case does not cover is tried too.
    std::mt19937 Random(7);
    std::vector<TPoint> Points;
    std::vector<int> Counts;
    for (int Part = 0; Part < 400; ++Part) {
        const int N = Part % 5 == 0 ? 1 + static_cast<int>(Random() % 6) : 2;
        int X = static_cast<int>(Random() % 48) - 4, Y = static_cast<int>(Random() % 38) - 4;
        for (int I = 0; I < N; ++I) {
            Points.push_back(Point(X, Y));
            const int Step = N == 2 ? 1 : 6;
            X += static_cast<int>(Random() % (2 * Step + 1)) - Step;
            Y += static_cast<int>(Random() % (2 * Step + 1)) - Step;
        }
        Counts.push_back(N);
    }
    struct TPenCase {
        TPenMode Mode;
        TPenStyle Style;
        int Width;
        bool Antialias;
    };
    for (const TPenCase& Case : {TPenCase{pmCopy, psSolid, 1, false}, TPenCase{pmCopy, psSolid, 0, false},
                                 TPenCase{pmNotXor, psSolid, 1, false}, TPenCase{pmXor, psSolid, 1, false},
                                 TPenCase{pmCopy, psDot, 1, false}, TPenCase{pmCopy, psSolid, 3, false},
                                 TPenCase{pmCopy, psSolid, 1, true}}) {
        TBitmap One, All;
        PaintBackdrop(One);
        PaintBackdrop(All);
        for (TBitmap* B : {&One, &All}) {
            TCanvas* C = B->GetCanvas();
            C->SetAntialias(Case.Antialias);
            C->GetPen()->SetColor(clNavy);
            C->GetPen()->SetMode(Case.Mode);
            C->GetPen()->SetStyle(Case.Style);
            C->GetPen()->SetWidth(Case.Width);
        }
        const TPoint* P = Points.data();
        for (const int N : Counts) {
            One.GetCanvas()->Polyline(P, N);
            P += N;
        }
        All.GetCanvas()->PolyPolyline(Points.data(), Counts.data(), static_cast<int>(Counts.size()));
        EXPECT_EQ(CountDifferences(One.GetImage(), All.GetImage()), 0)
            << "mode " << Case.Mode << " style " << Case.Style << " width " << Case.Width << " antialias "
            << Case.Antialias;
    }
}
