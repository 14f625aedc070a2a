#pragma once
// TPolyline: one or more open paths, each part one path in drawing order.

#include "objects/CustomMapObject.h"

namespace cartova {

/// Open paths drawn with the canvas pen; hit tests are the bounding-box ones.
class TPolyline : public TCustomMapObject {
public:
    TPolyline() = default;

    /// Each part, clipped and converted, as one connected polyline.
    void Draw() override;
    /// Toggles the exclusive-or highlight: prepares the canvas, then draws.
    void DrawSelection() override;
};

} // namespace cartova
