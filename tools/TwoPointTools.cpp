#include "tools/TwoPointTools.h"

#include "objects/Polyline.h"
#include "objects/Rectangle.h"
#include "tools/EditableLayer.h"
#include "tools/RubberBand.h"

namespace cartova {

TLineTool::TLineTool(TComponent* AOwner) : TCustomPressMoveAndReleaseTool(AOwner)
{
    SetDisplayName("Line Tool");
    SetCursor(crCross);
}

void TLineTool::Draw()
{
    TRubberBand(GetCartova()).Line(GetPressPoint(), GetCurrentPoint());
}

bool TLineTool::Complete()
{
    TMapLayer* Layer = detail::EditableLayer(*this);
    const TPoint P1 = GetPressPoint(), P2 = GetCurrentPoint();
    if (!Layer || P1 == P2)
        return false;
    auto Line = std::make_unique<TPolyline>();
    TMapPoints* Points = Line->GetParts()->Add()->GetPoints();
    Points->Add(ScreenToMap(P1.X, P1.Y));
    Points->Add(ScreenToMap(P2.X, P2.Y));
    detail::AddToLayer(Layer, std::move(Line));
    return true;
}

bool TLineTool::GetEnabled() const
{
    return TCustomPressMoveAndReleaseTool::GetEnabled() && detail::EditableLayer(*this);
}

TRectTool::TRectTool(TComponent* AOwner) : TCustomRectTool(AOwner)
{
    SetDisplayName("Rectangle Tool");
    SetCursor(crCross);
}

bool TRectTool::Complete()
{
    TMapLayer* Layer = detail::EditableLayer(*this);
    const TPoint P1 = GetPressPoint(), P2 = GetCurrentPoint();
    // A rectangle without width or height would be invisible.
    if (!Layer || P1.X == P2.X || P1.Y == P2.Y)
        return false;
    const TMapPoint M1 = ScreenToMap(P1.X, P1.Y), M2 = ScreenToMap(P2.X, P2.Y);
    auto Rect = std::make_unique<TRectangle>();
    Rect->SetX0(M1.X);
    Rect->SetY0(M1.Y);
    Rect->SetX1(M2.X);
    Rect->SetY1(M2.Y);
    detail::AddToLayer(Layer, std::move(Rect));
    return true;
}

bool TRectTool::GetEnabled() const
{
    return TCustomRectTool::GetEnabled() && detail::EditableLayer(*this);
}

} // namespace cartova
