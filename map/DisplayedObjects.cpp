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

void TDisplayedObjects::Notify(TCustomMapObject* Item, TListNotification Action)
{
    if (Action == lnAdded) {
        ++FEntries[Item];
        return;
    }
    const auto It = FEntries.find(Item);
    if (It != FEntries.end() && --It->second == 0)
        FEntries.erase(It);
}

} // namespace cartova
