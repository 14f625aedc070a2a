#pragma once
// Drawing tools of one drag: a line and a rectangle from the press point to
// the release point, added to the map's editable layer.

#include "tools/PressMoveReleaseTool.h"

namespace cartova {

/// Draws a two-point TPolyline with a rubber line while dragging.
class TLineTool : public TCustomPressMoveAndReleaseTool {
public:
    explicit TLineTool(TComponent* AOwner = nullptr);

    /// The rubber line from the press point to the current point, in
    /// not-exclusive-or; nothing without a map.
    void Draw() override;
    /// Adds a TPolyline of one part (press point, current point) to the
    /// editable layer. False without a map or an editable layer, or when the
    /// two points are the same pixel. Raises no OnComplete.
    bool Complete() override;
    /// A linked map with layers and an editable layer.
    bool GetEnabled() const override;
};

/// Draws a TRectangle with the rubber band while dragging.
class TRectTool : public TCustomRectTool {
public:
    explicit TRectTool(TComponent* AOwner = nullptr);

    /// Adds a TRectangle with corners (press point, current point) to the
    /// editable layer. False without a map or an editable layer, or when the
    /// gesture has no width or no height. Raises no OnComplete.
    bool Complete() override;
    bool GetEnabled() const override;
};

} // namespace cartova
