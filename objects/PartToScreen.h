#pragma once
// Conversion of parts' vertices into client pixels for drawing: the ring
// (or path) is clipped to the visible area grown by 2 pixels on every side,
// converted with the map's unclipped transform and, when the map asks for
// it, thinned by its generalisation level.
//
// A part is accepted or rejected by its box before any vertex is touched: a
// box beside the clip rectangle yields nothing, a box inside it skips the
// clipping (the points are the same). The box only grows, so it covers every
// vertex added; code that moves vertices by writing X or Y grows it again
// (TMapPoint::UpdateBounds, or the object's UpdateBounds) before drawing.
//
// The returned blocks live in a per-thread pool of reusable buffers, so a
// paint allocates nothing once the buffers have grown to the largest part.
// Every block handed out must be given back (FreeScreenPoints, or the
// owners' destructors) before the caller paints the next object; several
// blocks may be out at once.

#include "host/Host.h"
#include "objects/MapPoints.h"
#include "objects/MapView.h"

#include <vector>

namespace cartova {

/// The conversion constants of one view, taken once: clip rectangle,
/// transform, generalisation. Valid while the view does not change.
class TPartConverter {
public:
    explicit TPartConverter(const TMapView& Map);
    /// Writes the screen points of Points (clipped, converted, thinned) into
    /// Out from index At, growing Out when it is too short (it never
    /// shrinks: elements past the returned count are scratch), and returns
    /// how many were written; 0 when the part lies outside the view. Under
    /// generalisation the part's last point is kept unless it lands on the
    /// last kept point, so a part that reaches the view keeps at least one
    /// point.
    int Convert(const TMapPoints& Points, std::vector<TPoint>& Out, std::size_t At) const;

private:
    const TMapView& FMap;
    TViewTransform FTransform;
    bool FLinear;
    bool FThin;
    int FLevel;
    TBounds FClip;
};

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

/// The screen points of every part of an object, computed once and used for
/// fill and outline alike. Parts that yield nothing are left out; the points
/// of the others follow one another in one block.
class TScreenParts {
public:
    TScreenParts(const TParts& Parts, const TMapView* Map);
    ~TScreenParts();
    TScreenParts(const TScreenParts&) = delete;
    TScreenParts& operator=(const TScreenParts&) = delete;

    /// Number of parts with points.
    int Count() const { return static_cast<int>(FCounts.size()); }
    bool Empty() const { return FCounts.empty(); }
    const TPoint* Points(int Part) const { return FPoints.data() + FStarts[static_cast<std::size_t>(Part)]; }
    int Count(int Part) const { return FCounts[static_cast<std::size_t>(Part)]; }
    /// Every part's points, one part after the other, and the parts' counts
    /// (for TCanvas::PolyPolyline).
    const TPoint* AllPoints() const { return FPoints.data(); }
    const int* Counts() const { return FCounts.data(); }

private:
    std::vector<TPoint>& FPoints;
    std::vector<int>& FStarts;
    std::vector<int>& FCounts;
};

} // namespace cartova
