#pragma once
// TRegion: an area of one or more rings; an area covered by an odd number of
// rings is filled, so inner rings cut holes and a ring inside a hole fills
// again.

#include "objects/CustomMapObject.h"

namespace cartova {

/// An area of rings. A ring is not closed by the library: the fill closes it
/// implicitly, the outline runs through the stored vertices only.
class TRegion : public TCustomMapObject {
public:
    TRegion() = default;

    /// Normal mode: the rings combined by exclusive-or into one device
    /// region, painted with the canvas brush, then each ring's outline. With
    /// the map's EasyDraw each ring is one filled polygon, later rings on top.
    void Draw() override;
    /// Toggles the exclusive-or highlight: prepares the canvas, then draws.
    void DrawSelection() override;
};

} // namespace cartova
