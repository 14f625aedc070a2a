#include "objects/Region.h"

#include "host/DebugLog.h"
#include "objects/PartToScreen.h"

#include <vector>

namespace cartova {

namespace {

void TraceCombineResult(int Kind)
{
    switch (Kind) {
    case RGN_ERROR: DebugLog("No region is created."); break;
    case NULLREGION: DebugLog("The region is empty."); break;
    case SIMPLEREGION: DebugLog("The region is a single rectangle."); break;
    default: DebugLog("The region is more than a single rectangle."); break;
    }
}

/// The device regions of an object's rings, freed when it leaves scope.
struct TRingRegions {
    std::vector<HRGN> Rgns;
    ~TRingRegions()
    {
        for (HRGN Rgn : Rgns)
            DeleteObject(Rgn);
    }

    /// Combines every ring by exclusive-or (an area covered by an odd number
    /// of rings is inside) into the first region and returns it, or nullptr
    /// without rings. Rings are combined in pairs, then pairs of pairs, so
    /// that an object of many islands copies each ring's rectangles a few
    /// times instead of once for every ring after it; the order of an
    /// exclusive-or does not change its pixels.
    HRGN Combine()
    {
        for (std::size_t Step = 1; Step < Rgns.size(); Step *= 2)
            for (std::size_t I = 0; I + Step < Rgns.size(); I += 2 * Step) {
                TraceCombineResult(CombineRgn(Rgns[I], Rgns[I], Rgns[I + Step], RGN_XOR));
                DeleteObject(Rgns[I + Step]);
                Rgns[I + Step] = nullptr;
            }
        return Rgns.empty() ? nullptr : Rgns.front();
    }
};

} // namespace

void TRegion::Draw()
{
    TMapView* Map = GetMap();
    TParts* Parts = GetParts();
    if (!Map || Parts->Count() == 0)
        return;
    TCanvas* Canvas = Map->GetCanvas();
    // Every part's screen points once, for fill and outline.
    const TScreenParts Screen(*Parts, Map);

    if (Map->GetEasyDraw()) {
        for (int I = 0; I < Screen.Count(); ++I)
            Canvas->Polygon(Screen.Points(I), Screen.Count(I));
        return;
    }

    // One device region for the object. Fewer than three points enclose no
    // pixel. A ring of at most four corners never winds twice round a point,
    // so its own (winding) region is its alternate one, and the exclusive-or
    // of such rings is one alternate region of them all: small islands, most
    // rings of a detailed layer at small scales, make one region together.
    TRingRegions Rings;
    Rings.Rgns.reserve(static_cast<std::size_t>(Screen.Count()) + 1);
    std::vector<TPoint> Small;
    std::vector<int> SmallCounts;
    for (int I = 0; I < Screen.Count(); ++I) {
        const int N = Screen.Count(I);
        const TPoint* P = Screen.Points(I);
        if (N < 3)
            continue;
        if (N <= 4 || (N == 5 && P[4] == P[0])) {
            Small.insert(Small.end(), P, P + N);
            SmallCounts.push_back(N);
        } else if (HRGN Ring = CreatePolygonRgn(P, N, WINDING)) {
            Rings.Rgns.push_back(Ring);
        } else {
            DebugLog("Error Create RGN");
        }
    }
    if (!SmallCounts.empty())
        if (HRGN Together = CreatePolyPolygonRgn(Small.data(), SmallCounts.data(),
                                                 static_cast<int>(SmallCounts.size()), ALTERNATE))
            Rings.Rgns.push_back(Together);

    if (HRGN Combined = Rings.Combine()) {
        TBrush* Brush = Canvas->GetBrush();
        TPen* Pen = Canvas->GetPen();
        if (GetUseBGColor()) {
            const TColor OldColor = Brush->GetColor();
            const TBrushStyle OldStyle = Brush->GetStyle();
            const TPenStyle OldPenStyle = Pen->GetStyle();
            Brush->SetColor(GetBGColor());
            Brush->SetStyle(bsSolid);
            Pen->SetStyle(psClear);
            PaintRgn(Canvas->GetHandle(), Combined);
            Brush->SetColor(OldColor);
            Brush->SetStyle(OldStyle);
            Pen->SetStyle(OldPenStyle);
        }
        if (GetSelected() && !Map->GetFastSelection()) {
            Brush->SetStyle(bsSolid);
            Brush->SetBitmap(Map->GetSelectionPattern());
            Pen->SetMode(pmCopy);
        }
        PaintRgn(Canvas->GetHandle(), Combined);
    }

    // The outline through the stored vertices, not closed back: the path of
    // a move to the first point and lines to the others, drawn as one
    // primitive so that joints are not drawn twice in exclusive-or mode.
    if (Screen.Empty())
        return;
    Canvas->PolyPolyline(Screen.AllPoints(), Screen.Counts(), Screen.Count());
    const int Last = Screen.Count() - 1;
    Canvas->SetPenPos(Screen.Points(Last)[Screen.Count(Last) - 1]);
}

void TRegion::DrawSelection()
{
    if (!GetMap() || !GetMap()->GetShowSelection())
        return;
    TCustomMapObject::DrawSelection();
    Draw();
}

} // namespace cartova
