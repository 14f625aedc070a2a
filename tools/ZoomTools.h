#pragma once
// The zoom tools: a click zooms by two about the clicked point, a dragged
// rectangle zooms so that it fills the window (zoom in) or so that the
// window shrinks to it (zoom out).

#include "tools/PressMoveReleaseTool.h"

namespace cartova {

/// A rubber-band gesture that ends in a new zoom centred on the middle of the
/// gesture.
class TCustomZoomTool : public TCustomRectTool {
public:
    explicit TCustomZoomTool(TComponent* AOwner = nullptr);

    /// Without a map false (no event). Otherwise, when GetNewZoom differs from
    /// the map's zoom, sets it inside one map update and centres the map on
    /// the map point under the middle of the gesture, or on (0, 0) when the
    /// zoom is now exactly 1, and the result is true; an unchanged zoom leaves
    /// the view alone and gives false. Raises OnComplete in both cases.
    bool Complete() override;
    /// The zoom the gesture asks for.
    virtual double GetNewZoom() = 0;
};

/// Zooms in: a click doubles the zoom up to the map's MaxZoom; a rectangle
/// fills the window in its tighter direction, even beyond MaxZoom.
class TZoomInTool : public TCustomZoomTool {
public:
    explicit TZoomInTool(TComponent* AOwner = nullptr);
    /// 1 without a map.
    double GetNewZoom() override;
};

/// Zooms out: a click halves the zoom down to the map's MinZoom; a rectangle
/// shrinks the window to the size of its larger extent, never below MinZoom.
class TZoomOutTool : public TCustomZoomTool {
public:
    explicit TZoomOutTool(TComponent* AOwner = nullptr);
    /// 1 without a map.
    double GetNewZoom() override;
};

} // namespace cartova
