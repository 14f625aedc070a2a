#include "map/Extent.h"

#include "map/UpdateGuard.h"
#include "objects/CustomMapObject.h"
#include "objects/Text.h"

#include <algorithm>
#include <cmath>

namespace cartova {

TBounds GatherExtent(const std::vector<TCustomMapObject*>& Objects)
{
    TBounds E{2147483647.0, 2147483647.0, -2147483647.0, -2147483647.0};
    for (const TCustomMapObject* Object : Objects) {
        const TParts* Parts = Object->GetParts();
        TBounds B;
        if (const auto* Text = dynamic_cast<const TText*>(Object)) {
            B = Text->GetExtent(); // the anchor and the text's box
        } else if (Parts->Count() == 1 && Parts->First()->GetPoints()->Count() == 1) {
            const TMapPoint& P = Parts->First()->GetPoints()->First();
            B = {P.X, P.Y, P.X, P.Y};
        } else {
            B = Parts->GetBounds();
        }
        E.MinX = std::min(E.MinX, B.MinX);
        E.MinY = std::min(E.MinY, B.MinY);
        E.MaxX = std::max(E.MaxX, B.MaxX);
        E.MaxY = std::max(E.MaxY, B.MaxY);
    }
    return E;
}

void ZoomMapToExtent(TCartova* Map, const TBounds& E)
{
    TMapUpdateGuard Update(Map);
    Map->SetCenterX(E.MinX + (E.MaxX - E.MinX) / 2);
    Map->SetCenterY(E.MinY + (E.MaxY - E.MinY) / 2);
    const double W = E.MaxX - E.MinX;
    const double H = E.MaxY - E.MinY;
    if (W > 0 && H > 0)
        Map->SetZoom(std::fabs(std::max((Map->GetMaxX() - Map->GetMinX()) / W,
                                        (Map->GetMaxY() - Map->GetMinY()) / H)));
}

} // namespace cartova
