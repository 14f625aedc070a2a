#include "map/Selection.h"

#include "map/Cartova.h"
#include "map/DataLinks.h"
#include "map/Extent.h"
#include "map/Layers.h"
#include "map/UpdateGuard.h"
#include "objects/CustomMapObject.h"

#include <optional>

namespace cartova {

namespace {

bool FastAndLive(const TCartova* Map)
{
    return Map->GetFastSelection() && !Map->GetInUpdate();
}

} // namespace

void TSelection::Add(TCustomMapObject* MapObject, bool Exclusive)
{
    if (!MapObject || Contains(MapObject))
        return;
    if (Exclusive)
        Clear();
    TList::Add(MapObject);
    TCartova* Map = GetMap();
    if (!Map)
        return;
    if (FastAndLive(Map))
        MapObject->DrawSelection();
    else
        Map->DoUpdate(true);
    if (Map->OnAddSelection)
        Map->OnAddSelection(Map, MapObject);
    Map->GetDataLinks()->TraceMapEvent(mdlAddSelection, MapObject);
}

void TSelection::Insert(TCustomMapObject* MapObject, int Index, bool Exclusive)
{
    if (Exclusive)
        Clear();
    TList::Insert(Index, MapObject);
    if (MapObject && GetMap() && GetMap()->GetFastSelection())
        MapObject->DrawSelection();
}

void TSelection::Delete(int Index)
{
    TCustomMapObject* MapObject = TList::GetItems(Index);
    TList::Delete(Index);
    TCartova* Map = GetMap();
    if (!Map)
        return;
    if (Map->OnDelSelection)
        Map->OnDelSelection(Map, MapObject);
    if (FastAndLive(Map))
        MapObject->DrawSelection();
    else if (!Map->GetInUpdate())
        Map->DoUpdate(true);
}

void TSelection::Remove(TCustomMapObject* MapObject)
{
    const int Index = IndexOf(MapObject);
    if (Index < 0)
        return;
    Delete(Index);
    TCartova* Map = GetMap();
    if (!Map)
        return;
    Map->GetDataLinks()->TraceMapEvent(mdlDelSelection, MapObject);
    if (Map->GetFastSelection() && Map->OnUpdate)
        Map->OnUpdate(Map);
}

void TSelection::Clear()
{
    TCartova* Map = GetMap();
    if (Map && Map->HasParent())
        for (int I = Count() - 1; I >= 0; --I)
            if (I < Count())
                Remove(TList::GetItems(I));
    TList::Clear();
}

void TSelection::RemoveLayer(TMapLayer* Layer)
{
    TCartova* Map = GetMap();
    std::optional<TMapUpdateGuard> Batch;
    if (Map && !Map->GetFastSelection())
        Batch.emplace(Map);
    for (int I = Count() - 1; I >= 0; --I) {
        if (I >= Count())
            continue;
        TCustomMapObject* MapObject = TList::GetItems(I);
        if (MapObject->GetLayer() == Layer)
            Remove(MapObject);
    }
}

void TSelection::Paint()
{
    TCartova* Map = GetMap();
    if (!Map || !Map->GetFastSelection())
        return;
    for (int I = 0; I < Count(); ++I)
        TList::GetItems(I)->DrawSelection();
}

void TSelection::Zoom()
{
    TCartova* Map = GetMap();
    if (!Map || Count() == 0)
        return;
    ZoomMapToExtent(Map, GatherExtent(Items()));
}

} // namespace cartova
