#include "objects/Polyline.h"

#include "objects/PartToScreen.h"

namespace cartova {

void TPolyline::Draw()
{
    TMapView* Map = GetMap();
    if (!Map || GetParts()->Count() == 0)
        return;
    TCanvas* Canvas = Map->GetCanvas();
    for (int I = 0; I < GetParts()->Count(); ++I) {
        const TScreenPoints Screen(*GetParts()->GetItems(I)->GetPoints(), Map);
        if (!Screen.Empty())
            Polyline(Canvas->GetHandle(), Screen.Points(), Screen.Count());
    }
}

void TPolyline::DrawSelection()
{
    if (!GetMap() || !GetMap()->GetShowSelection())
        return;
    TCustomMapObject::DrawSelection();
    Draw();
}

} // namespace cartova
