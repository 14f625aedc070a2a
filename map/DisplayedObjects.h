#pragma once
// TDisplayedObjects, the map's record of the objects it drew: those of the
// last bitmap rebuild and those painted since when a layer adopted them, in
// drawing order, each once.

#include "map/PointerCounts.h"
#include "map/Selection.h"

namespace cartova {

/// The displayed-objects list of a map. Besides the list operations it
/// answers in constant time whether an object is recorded, so that drawing
/// and destruction never scan it.
class TDisplayedObjects : public TMapObjectsList {
public:
    using TMapObjectsList::TMapObjectsList;

    /// Appends MapObject unless it is already recorded.
    void Record(TCustomMapObject* MapObject);
    /// Takes every entry of MapObject out; nothing when there is none.
    void Forget(const TCustomMapObject* MapObject);
    /// Empties the record; the table of entries at once rather than entry by
    /// entry.
    void Clear() override;
    /// Whether MapObject is recorded.
    bool Holds(const TCustomMapObject* MapObject) const { return FEntries.Contains(MapObject); }

protected:
    void Notify(TCustomMapObject* Item, TListNotification Action) override;

private:
    /// Entries per object: the list operations of the base may add one twice.
    TPointerCounts FEntries;
};

} // namespace cartova
