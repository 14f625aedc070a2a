#include "tools/EditableLayer.h"

#include "map/Cartova.h"
#include "map/Layers.h"
#include "objects/CustomMapObject.h"

namespace cartova::detail {

TMapLayer* EditableLayer(const TCustomMapTool& Tool)
{
    TCartova* Map = Tool.GetCartova();
    return Map ? Map->GetLayers()->GetEditableLayer() : nullptr;
}

TCustomMapObject* AddToLayer(TMapLayer* Layer, std::unique_ptr<TCustomMapObject> Object)
{
    Object->UpdateBounds();
    TCustomMapObject* Added = Object.get();
    Layer->AddObject(Object.release(), true);
    return Added;
}

} // namespace cartova::detail
