#include "tools/ZoomTools.h"

#include "map/Cartova.h"
#include "map/UpdateGuard.h"

#include <algorithm>
#include <cstdlib>

namespace cartova {

TCustomZoomTool::TCustomZoomTool(TComponent* AOwner) : TCustomRectTool(AOwner) {}

bool TCustomZoomTool::Complete()
{
    TCartova* Map = GetCartova();
    if (!Map)
        return false;
    const TPoint P1 = GetPressPoint(), P2 = GetCurrentPoint();
    // Integer division truncates towards zero, as the middle pixel should.
    const TMapPoint Middle =
        ScreenToMap(P1.X + (P2.X - P1.X) / 2, P1.Y + (P2.Y - P1.Y) / 2);
    const double NewZoom = GetNewZoom();
    const bool Changed = NewZoom != Map->GetZoom();
    if (Changed) {
        TMapUpdateGuard Update(Map);
        Map->SetZoom(NewZoom);
        const bool Home = Map->GetZoom() == 1;
        Map->SetCenterX(Home ? 0 : Middle.X);
        Map->SetCenterY(Home ? 0 : Middle.Y);
    }
    TCustomRectTool::Complete();
    return Changed;
}

TZoomInTool::TZoomInTool(TComponent* AOwner) : TCustomZoomTool(AOwner)
{
    SetDisplayName("ZoomIn Tool");
    SetCursor(crHandPoint);
}

double TZoomInTool::GetNewZoom()
{
    TCartova* Map = GetCartova();
    if (!Map)
        return 1.0;
    const TPoint P1 = GetPressPoint(), P2 = GetCurrentPoint();
    const int DX = std::abs(P2.X - P1.X), DY = std::abs(P2.Y - P1.Y);
    if (DX == 0 || DY == 0)
        return std::min(Map->GetZoom() * 2, Map->GetMaxZoom());
    return Map->GetZoom() * std::min(double(Map->GetClientHeight()) / DY,
                                     double(Map->GetClientWidth()) / DX);
}

TZoomOutTool::TZoomOutTool(TComponent* AOwner) : TCustomZoomTool(AOwner)
{
    SetDisplayName("ZoomOut Tool");
    SetCursor(crHandPoint);
}

double TZoomOutTool::GetNewZoom()
{
    TCartova* Map = GetCartova();
    if (!Map)
        return 1.0;
    const TPoint P1 = GetPressPoint(), P2 = GetCurrentPoint();
    const int D = std::max(std::abs(P2.X - P1.X), std::abs(P2.Y - P1.Y));
    if (D == 0)
        return std::max(Map->GetZoom() / 2, Map->GetMinZoom());
    return std::max(D * Map->GetZoom() / Map->GetClientWidth(), Map->GetMinZoom());
}

} // namespace cartova
