#pragma once
// A scope that batches a map's repaints: BeginUpdate on entry and
// EndUpdate(true) on exit, also when an exception leaves the scope.

#include "map/Cartova.h"

namespace cartova {

class TMapUpdateGuard {
public:
    explicit TMapUpdateGuard(TCartova* Map) : FMap(Map)
    {
        if (FMap)
            FMap->BeginUpdate();
    }
    ~TMapUpdateGuard()
    {
        if (FMap)
            FMap->EndUpdate(true);
    }
    TMapUpdateGuard(const TMapUpdateGuard&) = delete;
    TMapUpdateGuard& operator=(const TMapUpdateGuard&) = delete;

private:
    TCartova* FMap;
};

} // namespace cartova
