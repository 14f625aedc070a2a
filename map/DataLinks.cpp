#include "map/DataLinks.h"

#include "map/Cartova.h"

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
    // Index loop: a link may detach itself (or others) while being told.
    for (int I = 0; I < Count(); ++I)
        GetItems(I)->MapEvent(Event, Obj, 0);
}

} // namespace cartova
