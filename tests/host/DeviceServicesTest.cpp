// Device services: regions, focus rectangle, caret, frame controls; bitmap
// files; and a demo image of every primitive.
#include "host/Bitmap.h"
#include "host/Canvas.h"
#include "host/DeviceServices.h"
#include "host/Exceptions.h"
#include "tests/support/PixelHelpers.h"

#include <QDir>
#include <QFile>
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

TEST(DeviceServices, XorRingsPaintAHole)
{
    const TPoint Outer[] = {{2, 2}, {30, 2}, {30, 30}, {2, 30}};
    const TPoint Inner[] = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
    HRGN A = CreatePolygonRgn(Outer, 4, WINDING);
    HRGN H = CreatePolygonRgn(Inner, 4, WINDING);
    ASSERT_TRUE(A && H);
    EXPECT_EQ(CombineRgn(A, A, H, RGN_XOR), COMPLEXREGION);
    EXPECT_TRUE(DeleteObject(H));

    TBitmap B;
    FillBitmap(B, 34, 34, clWhite);
    TCanvas* C = B.GetCanvas();
    C->GetBrush()->SetColor(clGreen);
    EXPECT_TRUE(PaintRgn(C, A));
    const QImage& I = B.GetImage();
    EXPECT_EQ(PixelOf(I, 5, 5), clGreen);
    EXPECT_EQ(PixelOf(I, 15, 15), clWhite) << AsciiArt(I, Rect(0, 0, 34, 34), clWhite);
    EXPECT_EQ(PixelOf(I, 29, 29), clGreen);
    EXPECT_EQ(PixelOf(I, 30, 30), clWhite) << "right and bottom edges outside";
    EXPECT_EQ(CountColor(I, clGreen), 28 * 28 - 10 * 10);
    EXPECT_TRUE(PtInRegion(A, 5, 5));
    EXPECT_FALSE(PtInRegion(A, 15, 15));
    TRect Box;
    EXPECT_EQ(GetRgnBox(A, Box), COMPLEXREGION);
    EXPECT_EQ(Box, Rect(2, 2, 30, 30));

    // The result kinds.
    HRGN R1 = CreateRectRgn(0, 0, 10, 10), R2 = CreateRectRgn(0, 0, 10, 10);
    HRGN Out = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(Out, R1, R2, RGN_XOR), NULLREGION);
    EXPECT_EQ(CombineRgn(Out, R1, R2, RGN_OR), SIMPLEREGION);
    EXPECT_EQ(CombineRgn(Out, R1, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_EQ(CombineRgn(Out, R1, nullptr, RGN_XOR), RGN_ERROR);
    EXPECT_EQ(CombineRgn(Out, R1, R2, 99), RGN_ERROR);
    for (HRGN R : {A, R1, R2, Out})
        EXPECT_TRUE(DeleteObject(R));

    // Winding against alternate for a self-overlapping star.
    const TPoint Star[] = {{10, 0}, {16, 20}, {0, 7}, {20, 7}, {4, 20}};
    HRGN W = CreatePolygonRgn(Star, 5, WINDING), Alt = CreatePolygonRgn(Star, 5, ALTERNATE);
    EXPECT_TRUE(PtInRegion(W, 10, 10));
    EXPECT_FALSE(PtInRegion(Alt, 10, 10));
    DeleteObject(W);
    DeleteObject(Alt);
    EXPECT_EQ(CreatePolygonRgn(Star, 1, WINDING), nullptr);
    EXPECT_FALSE(DeleteObject(nullptr));
}

TEST(DeviceServices, PolyPolygonRegionIsTheExclusiveOrOfItsPolygons)
{
    // Random triangles, quadrilaterals (crossed ones too), rectangles and
    // longer rings, closed or not, overlapping and sharing corners: one
    // region of them all against the polygons' regions combined one by one.
    std::mt19937 Random(9);
    auto Coord = [&](int Range) { return static_cast<int>(Random() % static_cast<unsigned>(Range)); };
    for (int Case = 0; Case < 2000; ++Case) {
        std::vector<TPoint> Points;
        std::vector<int> Counts;
        HRGN Expected = nullptr;
        const int Polygons = 1 + Coord(7);
        for (int I = 0; I < Polygons; ++I) {
            const int X = Coord(30), Y = Coord(30);
            std::vector<TPoint> P;
            if (Coord(4) == 0) {
                const int W = 1 + Coord(6), H = 1 + Coord(6);
                P = {{X, Y}, {X + W, Y}, {X + W, Y + H}, {X, Y + H}};
            } else {
                const int N = Coord(3) == 0 ? 2 : 3 + Coord(5);
                for (int K = 0; K < N; ++K)
                    P.push_back({X + Coord(8), Y + Coord(8)});
            }
            if (Coord(2) == 0)
                P.push_back(P.front());
            Points.insert(Points.end(), P.begin(), P.end());
            Counts.push_back(static_cast<int>(P.size()));
            if (P.size() < 3)
                continue;
            HRGN One = CreatePolygonRgn(P.data(), static_cast<int>(P.size()), ALTERNATE);
            if (!Expected) {
                Expected = One;
            } else {
                CombineRgn(Expected, Expected, One, RGN_XOR);
                DeleteObject(One);
            }
        }
        HRGN Together = CreatePolyPolygonRgn(Points.data(), Counts.data(), Polygons, ALTERNATE);
        ASSERT_EQ(Together == nullptr, Expected == nullptr) << "case " << Case;
        if (Expected) {
            HRGN Difference = CreateRectRgn(0, 0, 0, 0);
            EXPECT_EQ(CombineRgn(Difference, Expected, Together, RGN_XOR), NULLREGION) << "case " << Case;
            DeleteObject(Difference);
        }
        DeleteObject(Expected);
        DeleteObject(Together);
    }
    const int NoCounts[] = {2, 1};
    const TPoint Two[] = {{0, 0}, {5, 5}, {1, 1}};
    EXPECT_EQ(CreatePolyPolygonRgn(Two, NoCounts, 2, ALTERNATE), nullptr);
    EXPECT_EQ(CreatePolyPolygonRgn(nullptr, NoCounts, 2, ALTERNATE), nullptr);
}

TEST(DeviceServices, FocusRectTogglesAndFrameControls)
{
    TBitmap B;
    FillBitmap(B, 30, 20, clWhite);
    B.GetCanvas()->GetBrush()->SetColor(clTeal);
    B.GetCanvas()->FillRect(Rect(0, 0, 15, 20));
    const QImage Before = B.GetImage().copy();
    ASSERT_TRUE(DrawFocusRect(B.GetCanvas(), Rect(3, 3, 25, 15)));
    const int Changed = CountDifferences(Before, B.GetImage());
    const int Border = 2 * 22 + 2 * 10;
    EXPECT_NEAR(Changed, Border / 2, 2) << "every other border pixel";
    EXPECT_EQ(PixelOf(B, 10, 8), PixelOf(Before, 10, 8));
    DrawFocusRect(B.GetCanvas(), Rect(3, 3, 25, 15));
    EXPECT_EQ(CountDifferences(Before, B.GetImage()), 0);

    // Check boxes: checked ones have a tick, inactive ones a grey tick.
    FillBitmap(B, 60, 20, clFuchsia);
    TCanvas* C = B.GetCanvas();
    EXPECT_TRUE(DrawFrameControl(C, Rect(0, 0, 13, 13), DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT));
    EXPECT_TRUE(DrawFrameControl(C, Rect(20, 0, 33, 13), DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_FLAT));
    EXPECT_TRUE(DrawFrameControl(C, Rect(40, 0, 53, 13), DFC_BUTTON,
                                 DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE));
    const QImage& I = B.GetImage();
    const TColor Text = ColorToRGB(clWindowText), Grey = ColorToRGB(clGrayText);
    EXPECT_EQ(CountColor(I, Text, Rect(0, 0, 13, 13)), 0);
    EXPECT_EQ(CountColor(I, Text, Rect(20, 0, 33, 13)), 21);
    EXPECT_EQ(CountColor(I, Grey, Rect(42, 2, 51, 11)), 21);
    EXPECT_EQ(InkBounds(I, clFuchsia), Rect(0, 0, 53, 13));

    FillBitmap(B, 20, 20, clFuchsia);
    EXPECT_TRUE(DrawFrameControl(C, Rect(0, 0, 13, 13), DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED | DFCS_FLAT));
    EXPECT_GT(CountColor(B.GetImage(), Text, Rect(3, 3, 10, 10)), 4);
    EXPECT_FALSE(DrawFrameControl(C, Rect(0, 0, 13, 13), DFC_MENU, 0));
}

namespace {

struct TSurface : ICaretHost {
    TBitmap Bitmap;
    int Invalidations = 0;
    TCanvas* CaretCanvas() override { return Bitmap.GetCanvas(); }
    void CaretInvalidate(const TRect&) override { ++Invalidations; }
};

} // namespace

TEST(DeviceServices, CaretShowsHidesAndMoves)
{
    TSurface S;
    FillBitmap(S.Bitmap, 30, 30, clWhite);
    const QImage Blank = S.Bitmap.GetImage().copy();
    ASSERT_TRUE(CreateCaret(&S, 0, 12));
    EXPECT_TRUE(SetCaretPos(5, 4));
    EXPECT_EQ(CountDifferences(Blank, S.Bitmap.GetImage()), 0) << "created hidden";
    ShowCaret(&S);
    EXPECT_EQ(InkBounds(S.Bitmap.GetImage(), clWhite), Rect(5, 4, 6, 16));
    SetCaretPos(9, 2);
    EXPECT_EQ(InkBounds(S.Bitmap.GetImage(), clWhite), Rect(9, 2, 10, 14));
    HideCaret(&S);
    HideCaret(&S);
    ShowCaret(&S);
    EXPECT_EQ(CountDifferences(Blank, S.Bitmap.GetImage()), 0) << "hidden twice needs two shows";
    ShowCaret(&S);
    EXPECT_EQ(CountColor(S.Bitmap.GetImage(), clBlack), 12);
    CaretBeforePaint(&S);
    EXPECT_EQ(CountDifferences(Blank, S.Bitmap.GetImage()), 0);
    CaretAfterPaint(&S);
    EXPECT_TRUE(DestroyCaret());
    EXPECT_EQ(CountDifferences(Blank, S.Bitmap.GetImage()), 0);
    EXPECT_GT(S.Invalidations, 0);
    EXPECT_FALSE(ShowCaret(&S));
    EXPECT_FALSE(SetCaretPos(1, 1));
}

TEST(DeviceServices, SelectObjectAndPolyline)
{
    TBitmap B;
    FillBitmap(B, 10, 10, clWhite);
    TCanvas* C = B.GetCanvas();
    C->GetFont()->SetName("Arial");
    C->GetFont()->SetColor(clRed);
    TLogFont L;
    GetObject(C->GetFont()->GetHandle(), L);
    L.lfHeight = -30;
    HFONT Big = CreateFontIndirect(L);
    HFONT Old = SelectObject(C, Big);
    EXPECT_EQ(C->GetFont()->GetHeight(), -30);
    EXPECT_EQ(C->GetFont()->GetColor(), clRed) << "the colour is not part of the record";
    SelectObject(C, Old);
    EXPECT_EQ(C->GetFont()->GetHeight(), -11);
    EXPECT_TRUE(DeleteObject(Big));

    const TPoint Pts[] = {{1, 1}, {8, 1}};
    EXPECT_TRUE(Polyline(C, Pts, 2));
    EXPECT_EQ(CountColor(B.GetImage(), clBlack), 7);
    EXPECT_FALSE(Polyline(C, Pts, 1));
}

TEST(Bitmap, SizeTransparencyFilesAndErrors)
{
    TBitmap B;
    EXPECT_TRUE(B.Empty());
    int Changes = 0;
    B.OnChange = [&](TObject*) { ++Changes; };
    B.SetSize(5, 3);
    EXPECT_EQ(PixelOf(B, 4, 2), clWhite);
    B.GetCanvas()->SetPixels(0, 2, clRed);
    B.SetWidth(8); // growing keeps the pixels
    EXPECT_EQ(B.GetWidth(), 8);
    EXPECT_EQ(PixelOf(B, 0, 2), clRed);
    EXPECT_EQ(PixelOf(B, 7, 2), clWhite);
    EXPECT_EQ(B.GetTransparentMode(), tmAuto);
    EXPECT_EQ(B.GetTransparentColor(), clRed) << "bottom-left pixel";
    B.SetTransparentColor(clBlue);
    EXPECT_EQ(B.GetTransparentMode(), tmFixed);
    B.SetTransparentMode(tmAuto);
    EXPECT_EQ(B.GetTransparentColor(), clRed);
    EXPECT_GE(Changes, 4);

    TBitmap Copy;
    Copy.Assign(&B);
    EXPECT_EQ(CountDifferences(Copy.GetImage(), B.GetImage()), 0);
    Copy.GetCanvas()->SetPixels(1, 1, clGreen);
    EXPECT_EQ(PixelOf(B, 1, 1), clWhite) << "the copy owns its pixels";

    const std::string Dir = CARTOVA_TEST_OUTPUT_DIR;
    QDir().mkpath(QString::fromStdString(Dir));
    for (const char* Ext : {".png", ".bmp"}) {
        const std::string Path = Dir + "/bitmap-roundtrip" + Ext;
        B.SaveToFile(Path);
        TBitmap Loaded;
        Loaded.LoadFromFile(Path);
        EXPECT_EQ(Loaded.GetWidth(), 8) << Ext;
        EXPECT_EQ(PixelOf(Loaded, 0, 2), clRed) << Ext;
    }
    TBitmap Jpeg;
    B.SaveToFile(Dir + "/bitmap-roundtrip.jpg");
    Jpeg.LoadFromFile(Dir + "/bitmap-roundtrip.jpg");
    EXPECT_EQ(Jpeg.GetHeight(), 3);

    EXPECT_THROW(B.LoadFromFile(Dir + "/no-such-file.png"), EFOpenError);
    QFile NotImage(QString::fromStdString(Dir + "/not-an-image.png"));
    ASSERT_TRUE(NotImage.open(QIODevice::WriteOnly));
    NotImage.write("this is text, not pixels");
    NotImage.close();
    try {
        B.LoadFromFile(Dir + "/not-an-image.png");
        ADD_FAILURE() << "no exception";
    } catch (const EInvalidGraphic& E) {
        EXPECT_NE(std::string(E.what()).find("not-an-image.png"), std::string::npos);
    }
    EXPECT_EQ(B.GetWidth(), 8) << "a failed load leaves the bitmap";
    EXPECT_THROW(B.LoadFromResource("no-such-glyph"), EFOpenError);
    B.SetSize(0, 4);
    EXPECT_TRUE(B.Empty());
}

TEST(Canvas, DemoOfEveryPrimitive)
{
    TBitmap B;
    FillBitmap(B, 320, 200, clWhite);
    TCanvas* C = B.GetCanvas();
    C->GetPen()->SetColor(clNavy);
    C->GetBrush()->SetColor(clAqua);
    C->Rectangle(10, 10, 70, 50);
    C->Ellipse(80, 10, 150, 50);
    const TPoint Tri[] = {{160, 50}, {190, 10}, {220, 50}};
    C->Polygon(Tri, 3);
    C->GetPen()->SetWidth(3);
    C->GetPen()->SetColor(clMaroon);
    const TPoint Zig[] = {{230, 50}, {250, 10}, {270, 50}, {290, 10}, {310, 50}};
    C->Polyline(Zig, 5);
    C->GetPen()->SetWidth(1);
    int X = 10;
    for (TPenStyle S : {psSolid, psDash, psDot, psDashDot, psDashDotDot}) {
        C->GetPen()->SetStyle(S);
        C->GetBrush()->SetStyle(bsClear);
        C->MoveTo(X, 60);
        C->LineTo(X + 50, 60);
        X += 60;
    }
    C->GetPen()->SetStyle(psSolid);
    X = 10;
    for (TBrushStyle S : {bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross}) {
        C->GetBrush()->SetStyle(S);
        C->GetBrush()->SetColor(clGreen);
        C->Rectangle(X, 70, X + 40, 100);
        X += 50;
    }
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clYellow);
    C->GetFont()->SetName("Arial");
    C->GetFont()->SetSize(12);
    C->GetFont()->SetColor(clBlack);
    C->TextOut(10, 110, "TextOut Wq");
    C->GetBrush()->SetStyle(bsClear);
    C->GetFont()->SetOrientation(900);
    C->TextOut(150, 195, "Up 90");
    C->GetFont()->SetOrientation(450);
    C->TextOut(180, 190, "Tilted 45");
    C->GetFont()->SetOrientation(0);
    TBitmap Small;
    FillBitmap(Small, 8, 8, clRed);
    Small.GetCanvas()->GetBrush()->SetColor(clBlue);
    Small.GetCanvas()->FillRect(Rect(2, 2, 6, 6));
    C->StretchDraw(Rect(10, 140, 50, 180), &Small);
    C->CopyRect(Rect(60, 140, 100, 180), C, Rect(10, 140, 50, 180));
    const TPoint Outer[] = {{260, 110}, {310, 110}, {310, 160}, {260, 160}};
    const TPoint Inner[] = {{275, 125}, {295, 125}, {295, 145}, {275, 145}};
    HRGN R = CreatePolygonRgn(Outer, 4, WINDING), H = CreatePolygonRgn(Inner, 4, WINDING);
    CombineRgn(R, R, H, RGN_XOR);
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clPurple);
    PaintRgn(C, R);
    DeleteObject(R);
    DeleteObject(H);
    DrawFocusRect(C, Rect(255, 105, 315, 165));
    DrawFrameControl(C, Rect(110, 150, 123, 163), DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    DrawFrameControl(C, Rect(130, 150, 143, 163), DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED | DFCS_FLAT);
    C->GetPen()->SetMode(pmXor);
    C->GetPen()->SetColor(clWhite);
    C->Rectangle(200, 120, 250, 190);

    const std::string Path = std::string(CARTOVA_TEST_OUTPUT_DIR) + "/canvas-demo.png";
    B.SaveToFile(Path);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Path)));
}
