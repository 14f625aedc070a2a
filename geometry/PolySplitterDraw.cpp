// Tracing splitter input and results on a canvas.
#include "geometry/PolySplitter.h"

#include "host/Canvas.h"

#include <climits>
#include <cmath>

namespace cartova {

namespace {

// Nearest pixel, halves to even, in the precision of the point itself.
int PixelOf(long double V)
{
    const long double R = std::nearbyint(V);
    if (!(R >= static_cast<long double>(INT_MIN) && R <= static_cast<long double>(INT_MAX)))
        throw ERangeError("Coordinate out of the pixel range");
    return static_cast<int>(R);
}

} // namespace

void DrawPoint(TCanvas* Canvas, const TPointEx& P, TColor Color)
{
    if (!Canvas)
        return;
    Canvas->GetPen()->SetColor(Color);
    const int RX = PixelOf(P.X);
    const int RY = PixelOf(P.Y);
    Canvas->Ellipse(RX - 2, RY - 2, RX + 3, RY + 3);
}

void DrawPoints(TCanvas* Canvas, const TPointsArray& Points, TColor Color, bool AsPoints)
{
    if (!Canvas)
        return;
    Canvas->GetPen()->SetColor(Color);
    if (AsPoints) {
        for (const TPointEx& P : Points)
            DrawPoint(Canvas, P, Color);
        return;
    }
    if (Points.GetCount() == 0)
        return;
    const TPointEx& First = *Points.begin();
    Canvas->MoveTo(PixelOf(First.X), PixelOf(First.Y));
    for (auto It = Points.begin() + 1; It != Points.end(); ++It)
        Canvas->LineTo(PixelOf(It->X), PixelOf(It->Y));
    Canvas->LineTo(PixelOf(First.X), PixelOf(First.Y));
}

} // namespace cartova
