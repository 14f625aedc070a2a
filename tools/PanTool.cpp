#include "tools/PanTool.h"

#include "map/Cartova.h"
#include "map/UpdateGuard.h"

namespace cartova {

TPanTool::TPanTool(TComponent* AOwner) : TCustomZoomTool(AOwner), FBitmap(std::make_unique<TBitmap>())
{
    SetDisplayName("Pan Tool");
    SetCursor(crSizeAll);
}

TPanTool::~TPanTool() = default;

void TPanTool::MouseDown(TMouseButton Button, TShiftState, int X, int Y)
{
    TCartova* Map = GetCartova();
    if (Button != mbLeft || !Map)
        return;
    StartGesture(X, Y);
    const TRect Area = Rect(0, 0, Map->GetWidth(), Map->GetHeight());
    FBitmap->SetSize(Area.Right, Area.Bottom);
    FBitmap->GetCanvas()->CopyRect(Area, Map->GetCanvas(), Area);
}

void TPanTool::MouseMove(TShiftState Shift, int X, int Y)
{
    TCartova* Map = GetCartova();
    if (!GetDragging() || !Shift.Contains(ssLeft) || !Map)
        return;
    SetCurrentPoint(X, Y);
    const TPoint P1 = GetPressPoint();
    const int DX = X - P1.X, DY = Y - P1.Y;
    const int W = Map->GetClientWidth(), H = Map->GetClientHeight();
    TCanvas* Canvas = Map->GetCanvas();
    Canvas->GetBrush()->SetColor(Map->GetColor());
    Canvas->GetBrush()->SetStyle(bsSolid);
    if (DX > 0)
        Canvas->FillRect(Rect(0, 0, DX, H));
    if (DY > 0)
        Canvas->FillRect(Rect(0, 0, W, DY));
    if (DX < 0)
        Canvas->FillRect(Rect(W + DX, 0, W, H));
    if (DY < 0)
        Canvas->FillRect(Rect(0, H + DY, W, H));
    Canvas->Draw(DX, DY, FBitmap.get());
}

void TPanTool::MouseUp(TMouseButton Button, TShiftState, int, int)
{
    TCartova* Map = GetCartova();
    if (Button != mbLeft || !GetDragging())
        return;
    EndGesture();
    const TPoint P1 = GetPressPoint(), P2 = GetCurrentPoint();
    if (Map && P2 != P1) {
        TMapUpdateGuard Update(Map);
        const TMapPoint M2 = ScreenToMap(P2.X, P2.Y);
        const TMapPoint M1 = ScreenToMap(P1.X, P1.Y);
        Map->SetCenterX(Map->GetCenterX() - (M2.X - M1.X));
        Map->SetCenterY(Map->GetCenterY() - (M2.Y - M1.Y));
    }
    FreeSnapshot();
}

void TPanTool::Done()
{
    if (GetDragging()) {
        EndGesture();
        FreeSnapshot();
        if (TCartova* Map = GetCartova())
            Map->Invalidate();
    }
    TCustomZoomTool::Done();
}

double TPanTool::GetNewZoom()
{
    return GetCartova() ? GetCartova()->GetZoom() : 1.0;
}

void TPanTool::FreeSnapshot()
{
    FBitmap->SetSize(1, 1);
}

} // namespace cartova
