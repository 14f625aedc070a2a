#include "tools/MultiPointTools.h"

#include "objects/Polyline.h"
#include "objects/Region.h"
#include "tools/EditableLayer.h"
#include "tools/RubberBand.h"

namespace cartova {

TCustomMultiPointTool::TCustomMultiPointTool(TComponent* AOwner) : TCustomMapTool(AOwner) {}

TCustomMultiPointTool::~TCustomMultiPointTool() = default;

void TCustomMultiPointTool::MouseDown(TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button != mbLeft || !GetCartova())
        return;
    if (FSwallowPress) {
        FSwallowPress = false;
        return;
    }
    const TPoint P{X, Y};
    if (FPoints.Empty()) {
        FFirst = FAnchor = FTracked = P;
    } else {
        // The segment to the new vertex stays on the screen; the figure
        // starts again from the new vertex.
        HideFigure();
        FTracked = P;
        TRubberBand(GetCartova()).Line(FAnchor, FTracked);
        FAnchor = FTracked;
    }
    FPoints.Add(ScreenToMap(X, Y));
    ShowFigure();
}

void TCustomMultiPointTool::MouseMove(TShiftState, int X, int Y)
{
    if (FPoints.Empty())
        return;
    HideFigure();
    FTracked = {X, Y};
    ShowFigure();
}

void TCustomMultiPointTool::DblClick()
{
    FSwallowPress = true;
    Complete();
}

bool TCustomMultiPointTool::Complete()
{
    HideFigure();
    const bool Created = CreateObject();
    Init();
    return Created;
}

void TCustomMultiPointTool::Cancel()
{
    HideFigure();
}

void TCustomMultiPointTool::Init()
{
    TCustomMapTool::Init();
    Clear();
}

void TCustomMultiPointTool::Done()
{
    HideFigure();
    TCustomMapTool::Done();
    Clear();
}

bool TCustomMultiPointTool::GetEnabled() const
{
    return TCustomMapTool::GetEnabled() && detail::EditableLayer(*this);
}

void TCustomMultiPointTool::ShowFigure()
{
    Draw();
    FFigureShown = true;
}

void TCustomMultiPointTool::HideFigure()
{
    if (FFigureShown) {
        Draw();
        FFigureShown = false;
    }
}

void TCustomMultiPointTool::Clear()
{
    FPoints.Clear();
    FFigureShown = false;
}

TPolylineTool::TPolylineTool(TComponent* AOwner) : TCustomMultiPointTool(AOwner)
{
    SetDisplayName("Polyline Tool");
    SetCursor(crCross);
}

void TPolylineTool::Draw()
{
    TRubberBand(GetCartova()).Line(GetAnchorPoint(), GetTrackedPoint());
}

bool TPolylineTool::CreateObject()
{
    TMapLayer* Layer = detail::EditableLayer(*this);
    if (!Layer || GetPoints().Count() < 2)
        return false;
    auto Line = std::make_unique<TPolyline>();
    TMapPoints* Points = Line->GetParts()->Add()->GetPoints();
    for (const TMapPoint& P : GetPoints())
        Points->Add(P);
    detail::AddToLayer(Layer, std::move(Line));
    return true;
}

TRegionTool::TRegionTool(TComponent* AOwner) : TCustomMultiPointTool(AOwner)
{
    SetDisplayName("Region Tool");
    SetCursor(crCross);
}

void TRegionTool::Draw()
{
    TRubberBand Band(GetCartova());
    const TPoint Anchor = GetAnchorPoint(), Tracked = GetTrackedPoint();
    Band.Line(Anchor, Tracked);
    const int N = GetPoints().Count();
    if (N > 2 || (N == 2 && Anchor.X != Tracked.X && Anchor.Y != Tracked.Y))
        Band.Line(Tracked, GetFirstPoint());
}

bool TRegionTool::CreateObject()
{
    TMapLayer* Layer = detail::EditableLayer(*this);
    if (!Layer || GetPoints().Count() < 3)
        return false;
    auto Region = std::make_unique<TRegion>();
    TMapPoints* Ring = Region->GetParts()->Add()->GetPoints();
    for (const TMapPoint& P : GetPoints())
        Ring->Add(P);
    Ring->Add(GetPoints().First());
    detail::AddToLayer(Layer, std::move(Region));
    return true;
}

} // namespace cartova
