#include "tools/SelectionTool.h"

#include "map/Cartova.h"
#include "map/Layers.h"

namespace cartova {

TSelectionTool::TSelectionTool(TComponent* AOwner) : TCustomMapTool(AOwner)
{
    SetDisplayName("Selection Tool");
    SetCursor(crDefault);
}

void TSelectionTool::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCartova* Map = GetCartova();
    if (Button != mbLeft || !Map)
        return;
    const TMapPoint P = ScreenToMap(X, Y);
    const int Deepest = Map->GetLayers()->Count() - 1;
    if (Shift.Contains(ssCtrl) && Map->GetCtrlClickCount() < Deepest)
        Map->SetCtrlClickCount(Map->GetCtrlClickCount() + 1);
    else
        Map->SetCtrlClickCount(0);
    Map->SelectObjectAt(P.X, P.Y, !Shift.Contains(ssShift));
    Complete();
}

} // namespace cartova
