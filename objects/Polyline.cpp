#include "objects/Polyline.h"

#include "objects/PartToScreen.h"

namespace cartova {

void TPolyline::Draw()
{
    TMapView* Map = GetMap();
    if (!Map || GetParts()->Count() == 0)
        return;
    TCanvas* Canvas = Map->GetCanvas();
    const TScreenParts Screen(*GetParts(), Map);
    Canvas->PolyPolyline(Screen.AllPoints(), Screen.Counts(), Screen.Count());
}

void TPolyline::DrawSelection()
{
    if (!GetMap() || !GetMap()->GetShowSelection())
        return;
    TCustomMapObject::DrawSelection();
    Draw();
}

} // namespace cartova
