// Tracing splitter points and outlines on a bitmap canvas.
#include "geometry/PolySplitter.h"
#include "host/Canvas.h"

#include <gtest/gtest.h>

using namespace cartova;

TEST(PolySplitter, TracesPointsAndClosedOutlinesOnACanvas)
{
    TBitmap B;
    B.SetSize(20, 20);
    TCanvas* C = B.GetCanvas();
    C->GetBrush()->SetColor(clWhite);
    C->FillRect(Rect(0, 0, 20, 20));

    TPointsArray A;
    A.Add(2.5L, 2.5L); // rounds to (2, 2)
    A.Add(15, 2);
    A.Add(15, 15);
    DrawPoints(C, A, clRed, false);
    EXPECT_EQ(C->GetPixels(8, 2), clRed);  // first to second
    EXPECT_EQ(C->GetPixels(15, 8), clRed); // second to third
    EXPECT_EQ(C->GetPixels(9, 9), clRed);  // the closing line back to the first

    C->FillRect(Rect(0, 0, 20, 20));
    DrawPoint(C, PointEx(10.5L, 10), clBlue); // box (8, 8, 13, 13)
    EXPECT_EQ(C->GetPixels(8, 10), clBlue);
    EXPECT_EQ(C->GetPixels(12, 10), clBlue);
    EXPECT_NE(C->GetPixels(13, 10), clBlue);
    EXPECT_EQ(C->GetPen()->GetColor(), clBlue);
}
