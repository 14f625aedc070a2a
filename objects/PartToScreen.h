#pragma once
// Conversion of one part's vertices into client pixels for drawing: the ring
// (or path) is clipped to the visible area grown by 2 pixels on every side,
// converted with the map's unclipped transform and, when the map asks for
// it, thinned by its generalisation level.
//
// The returned block lives in a per-thread pool of reusable buffers, so a
// paint allocates nothing once the buffers have grown to the largest part.
// Every block handed out must be given back with FreeScreenPoints before the
// caller paints the next object; several blocks may be out at once.

#include "host/Host.h"
#include "objects/MapPoints.h"

namespace cartova {

class TMapView;

/// The screen points of Points as drawn on Map: clipped, converted and
/// (with the map's UseGeneralization) thinned. Count receives the number of
/// points; with nothing left (the part lies outside the view, or Map is
/// null) the result is nullptr and Count 0.
TPoint* PartToScreen(const TMapPoints& Points, const TMapView* Map, int& Count);
/// Gives a block made by PartToScreen back to the pool; nullptr is ignored.
void FreeScreenPoints(TPoint* Points, int Count);

/// Owns one PartToScreen block and frees it when it goes out of scope, also
/// when drawing the part raises.
class TScreenPoints {
public:
    TScreenPoints(const TMapPoints& Points, const TMapView* Map)
        : FPoints(PartToScreen(Points, Map, FCount)) {}
    ~TScreenPoints() { FreeScreenPoints(FPoints, FCount); }
    TScreenPoints(const TScreenPoints&) = delete;
    TScreenPoints& operator=(const TScreenPoints&) = delete;

    const TPoint* Points() const { return FPoints; }
    int Count() const { return FCount; }
    bool Empty() const { return FCount == 0; }

private:
    int FCount = 0;
    TPoint* FPoints;
};

} // namespace cartova
