#include "map/DataLinks.h"

#include "map/Cartova.h"

#include <vector>

namespace cartova {

TMapDataLink::~TMapDataLink()
{
    SetMap(nullptr);
}

void TMapDataLink::SetMap(TCartova* Value)
{
    if (FMap && FMap->GetDataLinks())
        FMap->GetDataLinks()->Remove(this);
    FMap = Value;
    if (FMap && FMap->GetDataLinks())
        FMap->GetDataLinks()->Add(this);
}

TMapDataLinks::~TMapDataLinks()
{
    for (TMapDataLink* Link : Items())
        if (Link->FMap == FMap)
            Link->FMap = nullptr;
}

void TMapDataLinks::TraceMapEvent(TMapDataLinkEvent Event, TObject* Obj)
{
    // A link may attach or detach links, itself included, while being told:
    // every link listed when the news came hears it once, unless it left.
    const std::vector<TMapDataLink*> Links = Items();
    for (TMapDataLink* Link : Links)
        if (Contains(Link))
            Link->MapEvent(Event, Obj, 0);
}

} // namespace cartova
