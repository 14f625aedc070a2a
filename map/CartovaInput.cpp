// TCartova: input. Mouse input goes to the host handling first, then to the
// active tool; keys go to the active tool first. The wheel zooms.
#include "map/Cartova.h"

#include "map/Selection.h"
#include "map/UpdateGuard.h"
#include "objects/CustomMapObject.h"
#include "tools/MapTools.h"

#include <algorithm>

namespace cartova {

TCustomMapTool* TCartova::ActiveTool() const
{
    return FMapToolsManager ? FMapToolsManager->GetActiveMapTool() : nullptr;
}

void TCartova::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (CanFocus())
        SetFocus();
    if (TCustomMapTool* Tool = ActiveTool())
        Tool->MouseDown(Button, Shift, X, Y);
}

void TCartova::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (TCustomMapTool* Tool = ActiveTool())
        Tool->MouseMove(Shift, X, Y);
}

void TCartova::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (TCustomMapTool* Tool = ActiveTool())
        Tool->MouseUp(Button, Shift, X, Y);
}

void TCartova::DblClick()
{
    TCustomControl::DblClick();
    if (CanFocus())
        SetFocus();
    if (TCustomMapTool* Tool = ActiveTool())
        Tool->DblClick();
}

void TCartova::KeyDown(Word& Key, TShiftState Shift)
{
    if (TCustomMapTool* Tool = ActiveTool())
        Tool->KeyDown(Key, Shift);
    TCustomControl::KeyDown(Key, Shift);
}

void TCartova::KeyUp(Word& Key, TShiftState Shift)
{
    if (TCustomMapTool* Tool = ActiveTool())
        Tool->KeyUp(Key, Shift);
    TCustomControl::KeyUp(Key, Shift);
}

void TCartova::KeyPress(TKeyChar& Key)
{
    if (TCustomMapTool* Tool = ActiveTool())
        Tool->KeyPress(Key);
    TCustomControl::KeyPress(Key);
}

bool TCartova::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos);
    if (!FWheelMouse)
        return true;
    TMapUpdateGuard Update(this);
    if (FZoomType == wmCursor) {
        double MX, MY;
        ScreenToMap(MousePos.X, MousePos.Y, MX, MY);
        SetCenterX(MX);
        SetCenterY(MY);
    } else if (FZoomType == wmSelected && FSelection->Count() > 0) {
        const TBounds B = FSelection->GetItems(0)->GetBounds();
        SetCenterX(B.MinX + (B.MaxX - B.MinX) / 2);
        SetCenterY(B.MinY + (B.MaxY - B.MinY) / 2);
    }
    if (WheelDelta > 0)
        SetZoom(std::min(FZoom * 2, FMaxZoom));
    else
        SetZoom(std::max(FZoom / 2, FMinZoom));
    return true;
}

unsigned TCartova::GetDlgCode()
{
    return TCustomControl::GetDlgCode() | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
}

bool TCartova::EraseBackground()
{
    // Painting covers the whole client area; erasing first would only flicker.
    return true;
}

void TCartova::Resize()
{
    TCustomControl::Resize();
    FModified = true;
}

} // namespace cartova
