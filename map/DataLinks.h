#pragma once
// Map data links: observers that companion controls attach to a map to hear
// of changes to its layers, objects and selection.

#include "host/Host.h"

namespace cartova {

class TCartova;

/// The notifications a map sends to its data links (ordinals 0 to 14).
enum TMapDataLinkEvent {
    mdlBeforeAddLayer,
    mdlAfterAddLayer,
    mdlBeforeDelLayer,
    mdlDelLayer,
    mdlAfterDelLayer,
    mdlMoveLayer,
    mdlExchangeLayer,
    mdlLayerVisibleChanged,
    mdlLayerSelectableChanged,
    mdlLayerEditableChanged,
    mdlLayerAutolabelChanged,
    mdlAddObject,
    mdlRemoveObject,
    mdlAddSelection,
    mdlDelSelection
};

/// An observer of one map. Companion controls derive from it and override
/// MapEvent. When the map is destroyed the link forgets it; destroying the
/// link takes it out of its map's list.
class TMapDataLink : public TPersistent {
public:
    TMapDataLink() = default;
    ~TMapDataLink() override;

    TCartova* GetMap() const { return FMap; }
    /// Leaves the old map's list and joins the end of the new map's list
    /// (setting the same map again moves the link to the end).
    void SetMap(TCartova* Value);
    /// Told of each change of the map; Obj is the layer, object or list
    /// concerned and Param is always 0. The base does nothing.
    virtual void MapEvent(TMapDataLinkEvent Event, TObject* Obj, int Param) {}
    /// Does nothing; kept for callers that expect it.
    void RemoveNotify() {}

private:
    friend class TMapDataLinks;
    TCartova* FMap = nullptr;
};

/// The links attached to one map, in attach order; it does not own them.
class TMapDataLinks : public TList<TMapDataLink> {
public:
    explicit TMapDataLinks(TCartova* AMap = nullptr) : FMap(AMap) {}
    /// Tells every listed link that its map is gone.
    ~TMapDataLinks() override;

    TCartova* GetMap() const { return FMap; }
    TMapDataLink* GetMapDataLinks(int Index) const { return GetItems(Index); }
    void SetMapDataLinks(int Index, TMapDataLink* Link) { SetItems(Index, Link); }
    /// Calls MapEvent(Event, Obj, 0) on every link from the first on.
    void TraceMapEvent(TMapDataLinkEvent Event, TObject* Obj);

private:
    TCartova* FMap;
};

} // namespace cartova
