#pragma once
// Internal to the companion controls: how a control keeps its map reference
// and its data link in step.

#include "map/Cartova.h"
#include "map/DataLinks.h"

#include <memory>

namespace cartova::detail {

/// Points Map at Value: Owner hears of Value's destruction instead of the old
/// map's, and Link moves to Value's link list.
inline void FollowMap(TComponent* Owner, TCartova*& Map, TCartova* Value, TMapDataLink* Link)
{
    if (Map != Value) {
        if (Map)
            Owner->RemoveFreeNotification(Map);
        Map = Value;
        if (Value)
            Owner->FreeNotification(Value);
    }
    if (Link->GetMap() != Value)
        Link->SetMap(Value);
}

/// Replaces the owned Link by Value (nothing for nullptr or the same link):
/// the old one leaves its map and is freed, the new one is bound to its
/// control by Bind and attached to Map.
template <class TLink, class TBind>
void ReplaceLink(std::unique_ptr<TLink>& Link, TLink* Value, TCartova* Map, TBind Bind)
{
    if (!Value || Value == Link.get())
        return;
    Link->SetMap(nullptr);
    Link.reset(Value);
    Bind(*Link);
    Link->SetMap(Map);
}

} // namespace cartova::detail
