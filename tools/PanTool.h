#pragma once
// The pan tool: the picture follows the pointer while the left button is
// held, and the release moves the view so that the map point under the press
// ends under the release.

#include "tools/ZoomTools.h"

#include <memory>

namespace cartova {

/// Drags a snapshot of the map's window; the map's data and view stay as they
/// are until the release. Raises no OnComplete.
class TPanTool : public TCustomZoomTool {
public:
    explicit TPanTool(TComponent* AOwner = nullptr);
    ~TPanTool() override;

    /// Left button: starts the gesture and copies the map's window into the
    /// snapshot.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    /// With the left button held: draws the snapshot shifted by the drag and
    /// fills the uncovered strips with the map's Color.
    void MouseMove(TShiftState Shift, int X, int Y) override;
    /// Left button: when the pointer moved, shifts the view's centre inside
    /// one map update; in every case shrinks the snapshot to 1 × 1.
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    /// A drag in progress is dropped and the map's picture shown again.
    void Done() override;
    /// The pan never zooms: the map's current zoom (1 without a map), so
    /// Complete leaves the view alone.
    double GetNewZoom() override;

    /// The snapshot of the window taken at the press (1 × 1 outside a drag).
    TBitmap* GetBitmap() const { return FBitmap.get(); }

private:
    void FreeSnapshot();

    std::unique_ptr<TBitmap> FBitmap;
};

} // namespace cartova
