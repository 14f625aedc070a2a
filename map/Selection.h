#pragma once
// TMapObjectsList, a non-owning list of map objects with its map (the map's
// displayed-objects list is one), and TSelection, the map's selection.

#include "host/Host.h"

namespace cartova {

class TCartova;
class TCustomMapObject;
class TMapLayer;

/// A list of references to map objects; reading an index out of range gives
/// nullptr instead of an error.
class TMapObjectsList : public TList<TCustomMapObject> {
public:
    explicit TMapObjectsList(TCartova* AMap = nullptr) : FMap(AMap) {}

    TCartova* GetMap() const { return FMap; }
    void SetMap(TCartova* Value) { FMap = Value; }
    /// Object Index, or nullptr outside 0..Count-1.
    TCustomMapObject* GetItems(int Index) const
    {
        return Index < 0 || Index >= Count() ? nullptr : TList::GetItems(Index);
    }
    TCustomMapObject* operator[](int Index) const { return GetItems(Index); }

private:
    TCartova* FMap;
};

/// The selected objects of a map, in selection order; each at most once.
/// Changes raise the map's OnAddSelection/OnDelSelection, tell the data
/// links and redraw: the exclusive-or marker at once in the fast mode, a
/// rebuild of the map otherwise.
class TSelection : public TMapObjectsList {
public:
    using TMapObjectsList::TMapObjectsList;

    /// Selects MapObject (clearing the others first when Exclusive); an
    /// object already selected changes nothing.
    void Add(TCustomMapObject* MapObject, bool Exclusive);
    /// Inserts MapObject at Index without events (clearing first when Exclusive).
    void Insert(TCustomMapObject* MapObject, int Index, bool Exclusive);
    /// Deselects MapObject with its events; nothing when it is not selected.
    void Remove(TCustomMapObject* MapObject);
    /// Deselects the object at Index, raising OnDelSelection only.
    void Delete(int Index);
    /// Deselects every object, last first, with their events; without a
    /// parent window the list is emptied silently.
    void Clear() override;
    /// Deselects every object of Layer.
    void RemoveLayer(TMapLayer* Layer);
    /// Draws every marker (fast mode).
    void Paint();
    /// Centres (and, for an extent with area, zooms) the map on the selection.
    void Zoom();
};

} // namespace cartova
