#include "apps/viewer/MapExtent.h"

#include "map/MapObjects.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace cartova;

namespace viewer {

bool DataExtent(const TCartova& Map, TBounds& Extent)
{
    std::vector<TCustomMapObject*> Objects;
    const TMapLayers* Layers = Map.GetLayers();
    for (int L = 0; L < Layers->Count(); ++L) {
        const TMapLayer* Layer = Layers->GetLayers(L);
        for (int I = 0; I < Layer->GetObjectCount(); ++I)
            Objects.push_back(Layer->GetObjects(I));
    }
    if (Objects.empty())
        return false;
    Extent = GatherExtent(Objects);
    return std::isfinite(Extent.MinX) && std::isfinite(Extent.MaxX) && Extent.MinX <= Extent.MaxX &&
           Extent.MinY <= Extent.MaxY;
}

void AdoptDataExtent(TCartova& Map)
{
    TBounds E;
    if (!DataExtent(Map, E) || E.MaxX <= E.MinX || E.MaxY <= E.MinY)
        return;
    TMapUpdateGuard Update(&Map);
    Map.SetMinX(E.MinX);
    Map.SetMaxX(E.MaxX);
    Map.SetMinY(E.MinY);
    Map.SetMaxY(E.MaxY);
}

void ShowWholeMap(TCartova& Map, double Fill)
{
    TBounds E;
    if (!DataExtent(Map, E))
        return;
    TMapUpdateGuard Update(&Map);
    Map.SetCenterX((E.MinX + E.MaxX) / 2);
    Map.SetCenterY((E.MinY + E.MaxY) / 2);
    const double W = E.MaxX - E.MinX, H = E.MaxY - E.MinY;
    const double Cw = std::max(1, Map.GetClientWidth()), Ch = std::max(1, Map.GetClientHeight());
    if (W <= 0 && H <= 0)
        return;
    // The map's scale is ClientWidth × Zoom / (MaxX − MinX) pixels per map unit.
    const double PixelsPerUnit = std::min(W > 0 ? Cw / W : INFINITY, H > 0 ? Ch / H : INFINITY) * Fill;
    Map.SetZoom(PixelsPerUnit * (Map.GetMaxX() - Map.GetMinX()) / Cw);
}

} // namespace viewer
