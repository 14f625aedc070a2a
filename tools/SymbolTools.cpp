#include "tools/SymbolTools.h"

#include "map/Cartova.h"
#include "map/CartovaOptions.h"
#include "objects/GeoCircleRegion.h"
#include "objects/Symbol.h"
#include "tools/EditableLayer.h"

namespace cartova {

TSymbolTool::TSymbolTool(TComponent* AOwner) : TCustomMapTool(AOwner)
{
    SetDisplayName("Symbol Tool");
    SetCursor(crCross);
}

void TSymbolTool::MouseDown(TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button != mbLeft)
        return;
    if (FSwallowPress) {
        FSwallowPress = false;
        return;
    }
    FPress = {X, Y};
    Complete();
}

void TSymbolTool::DblClick()
{
    FSwallowPress = true;
    Complete();
}

bool TSymbolTool::Complete()
{
    TMapLayer* Layer = detail::EditableLayer(*this);
    if (!Layer)
        return false;
    detail::AddToLayer(Layer, CreateObjectAt(ScreenToMap(FPress.X, FPress.Y)));
    return true;
}

std::unique_ptr<TCustomMapObject> TSymbolTool::CreateObjectAt(const TMapPoint& P)
{
    auto Symbol = std::make_unique<TSymbol>();
    Symbol->SetX(P.X);
    Symbol->SetY(P.Y);
    Symbol->SetShape(GetCartova()->GetOptions()->GetDefaultSymbolShape());
    // Adopting the symbol gives it the map's default symbol font.
    return Symbol;
}

bool TSymbolTool::GetEnabled() const
{
    return TCustomMapTool::GetEnabled() && detail::EditableLayer(*this);
}

TCircleTool::TCircleTool(TComponent* AOwner) : TSymbolTool(AOwner)
{
    SetDisplayName("Circle Tool");
    SetCursor(crCross);
}

std::unique_ptr<TCustomMapObject> TCircleTool::CreateObjectAt(const TMapPoint& P)
{
    auto Circle = std::make_unique<TGeoCircle>();
    Circle->SetCenterX(P.X);
    Circle->SetCenterY(P.Y);
    return Circle;
}

} // namespace cartova
