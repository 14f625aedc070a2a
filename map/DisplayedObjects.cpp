#include "map/DisplayedObjects.h"

namespace cartova {

void TDisplayedObjects::Record(TCustomMapObject* MapObject)
{
    if (MapObject && !Holds(MapObject))
        Add(MapObject);
}

void TDisplayedObjects::Forget(const TCustomMapObject* MapObject)
{
    while (Holds(MapObject))
        Delete(IndexOf(MapObject));
}

void TDisplayedObjects::Clear()
{
    FEntries.Clear();
    TMapObjectsList::Clear();
}

void TDisplayedObjects::Notify(TCustomMapObject* Item, TListNotification Action)
{
    if (!Item)
        return;
    if (Action == lnAdded)
        FEntries.Increment(Item);
    else
        FEntries.Decrement(Item);
}

} // namespace cartova
