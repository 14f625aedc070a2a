#pragma once
// Substrates: raster images placed under the layers at map coordinates.

#include "host/Host.h"

namespace cartova {

class TCartova;

/// A raster image under the layers.
class TSubstrate : public TPersistent {
public:
    virtual void Paint() {}
};

/// The map's substrates, owned, painted in index order.
class TSubstrates : public TObjectList<TSubstrate> {
public:
    explicit TSubstrates(TCartova* AMap = nullptr) : FMap(AMap) {}
    TCartova* GetMap() const { return FMap; }
    void SetMap(TCartova* Value) { FMap = Value; }
    void Paint()
    {
        for (TSubstrate* S : *this)
            S->Paint();
    }

private:
    TCartova* FMap;
};

} // namespace cartova
