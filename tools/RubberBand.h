#pragma once
// The rubber band the tools draw over the map while the user drags: figures
// in not-exclusive-or on the map's canvas, so drawing a figure a second time
// restores every pixel under it.

#include "host/Host.h"

namespace cartova {

class TCartova;

/// A drawing scope on the map's canvas: solid black one-pixel pen in pmNotXor
/// and a clear brush. The pen mode and brush style the canvas had are restored
/// when the scope ends (the pen stays solid, black and one pixel wide). Without a map the
/// figures draw nothing.
class TRubberBand {
public:
    explicit TRubberBand(TCartova* Map);
    ~TRubberBand();
    TRubberBand(const TRubberBand&) = delete;
    TRubberBand& operator=(const TRubberBand&) = delete;

    /// The outline of the rectangle with corners A and B (in any order).
    void Rectangle(TPoint A, TPoint B);
    /// A line from A to B (the end pixel excluded, as the canvas draws lines).
    void Line(TPoint A, TPoint B);

private:
    TCanvas* FCanvas = nullptr;
    TPenMode FPenMode = pmCopy;
    TBrushStyle FBrushStyle = bsSolid;
};

} // namespace cartova
