#pragma once
// Event types of the map control and its layers.

#include "host/Host.h"

#include <functional>
#include <string>

namespace cartova {

class TCartova;
class TMapLayer;
class TCustomMapObject;

/// An event with only the sender (the map control).
using TMapNotifyEvent = std::function<void(TObject* Sender)>;
/// A layer was added to the map.
using TAddLayerEvent = std::function<void(TObject* Sender, TMapLayer* Layer)>;
/// A layer is about to be deleted; clearing AllowDelete vetoes it when
/// ConfirmDelete is true (the answer is ignored otherwise).
using TDelLayerEvent =
    std::function<void(TObject* Sender, TMapLayer* Layer, bool ConfirmDelete, bool& AllowDelete)>;
/// An object joined a layer of the map.
using TAddObjectEvent = std::function<void(TObject* Sender, TCustomMapObject* MapObject)>;
/// An object is about to be removed.
using TRemoveObjectEvent =
    std::function<void(TObject* Sender, TCustomMapObject* MapObject, bool AllowDelete)>;
/// An object joined or left the selection.
using TAddSelectionEvent = std::function<void(TObject* Sender, TCustomMapObject* MapObject)>;
/// Long work starts, with its progress range and a title.
using TStartProgressEvent =
    std::function<void(TObject* Sender, int Min, int Max, const std::string& Title)>;
/// Long work reached Progress.
using TShowProgressEvent = std::function<void(TObject* Sender, int Progress)>;

/// What the mouse wheel re-centres the map on before zooming.
enum TWheelMouseZoomType { wmCenter, wmCursor, wmSelected };

} // namespace cartova
