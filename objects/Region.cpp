#include "objects/Region.h"

#include "host/DebugLog.h"
#include "objects/PartToScreen.h"

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

/// Frees a region handle when it leaves scope.
struct TRegionHolder {
    HRGN Rgn = nullptr;
    ~TRegionHolder() { DeleteObject(Rgn); }
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

    // One device region for the object: an area covered by an odd number of
    // rings is inside. Fewer than three points enclose no pixel.
    TRegionHolder Combined;
    for (int I = 0; I < Screen.Count(); ++I) {
        if (Screen.Count(I) < 3)
            continue;
        TRegionHolder Ring;
        Ring.Rgn = CreatePolygonRgn(Screen.Points(I), Screen.Count(I), WINDING);
        if (!Ring.Rgn) {
            DebugLog("Error Create RGN");
            continue;
        }
        if (!Combined.Rgn) {
            Combined.Rgn = Ring.Rgn;
            Ring.Rgn = nullptr;
        } else {
            TraceCombineResult(CombineRgn(Combined.Rgn, Combined.Rgn, Ring.Rgn, RGN_XOR));
        }
    }

    if (Combined.Rgn) {
        TBrush* Brush = Canvas->GetBrush();
        TPen* Pen = Canvas->GetPen();
        if (GetUseBGColor()) {
            const TColor OldColor = Brush->GetColor();
            const TBrushStyle OldStyle = Brush->GetStyle();
            const TPenStyle OldPenStyle = Pen->GetStyle();
            Brush->SetColor(GetBGColor());
            Brush->SetStyle(bsSolid);
            Pen->SetStyle(psClear);
            PaintRgn(Canvas->GetHandle(), Combined.Rgn);
            Brush->SetColor(OldColor);
            Brush->SetStyle(OldStyle);
            Pen->SetStyle(OldPenStyle);
        }
        if (GetSelected() && !Map->GetFastSelection()) {
            Brush->SetStyle(bsSolid);
            Brush->SetBitmap(Map->GetSelectionPattern());
            Pen->SetMode(pmCopy);
        }
        PaintRgn(Canvas->GetHandle(), Combined.Rgn);
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
