#pragma once
// What the drawing tools share: the map's editable layer, which receives
// every object they create.

#include "tools/MapTools.h"

#include <memory>

namespace cartova {

class TMapLayer;
class TCustomMapObject;

namespace detail {

/// The editable layer of Tool's map, or nullptr (no map or none editable).
TMapLayer* EditableLayer(const TCustomMapTool& Tool);
/// Recomputes the object's bounds and hands it to Layer with AddObject
/// (raising OnAddObject); returns the object, now owned by the layer.
TCustomMapObject* AddToLayer(TMapLayer* Layer, std::unique_ptr<TCustomMapObject> Object);

} // namespace detail
} // namespace cartova
