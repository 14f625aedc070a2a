#include "tools/PressMoveReleaseTool.h"

#include "tools/RubberBand.h"

namespace cartova {

TCustomPressMoveAndReleaseTool::TCustomPressMoveAndReleaseTool(TComponent* AOwner)
    : TCustomMapTool(AOwner)
{
}

void TCustomPressMoveAndReleaseTool::StartGesture(int X, int Y)
{
    FPress = FCurrent = {X, Y};
    FDragging = true;
}

void TCustomPressMoveAndReleaseTool::MouseDown(TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button != mbLeft)
        return;
    StartGesture(X, Y);
    Draw();
}

void TCustomPressMoveAndReleaseTool::MouseMove(TShiftState Shift, int X, int Y)
{
    if (!FDragging || !Shift.Contains(ssLeft))
        return;
    Draw();
    SetCurrentPoint(X, Y);
    Draw();
}

void TCustomPressMoveAndReleaseTool::MouseUp(TMouseButton Button, TShiftState, int, int)
{
    if (Button != mbLeft || !FDragging)
        return;
    EndGesture();
    Draw();
    Complete();
}

void TCustomPressMoveAndReleaseTool::Done()
{
    if (FDragging) {
        EndGesture();
        Draw();
    }
    TCustomMapTool::Done();
}

TCustomRectTool::TCustomRectTool(TComponent* AOwner) : TCustomPressMoveAndReleaseTool(AOwner) {}

void TCustomRectTool::Draw()
{
    TRubberBand(GetCartova()).Rectangle(GetPressPoint(), GetCurrentPoint());
}

} // namespace cartova
