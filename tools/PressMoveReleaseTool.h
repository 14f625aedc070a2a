#pragma once
// The press, drag and release gesture shared by the zoom, pan, line and
// rectangle tools, and its rectangle form with a rubber band.

#include "tools/MapTools.h"

namespace cartova {

/// A left-button gesture: the press point, the current point that follows the
/// pointer while the button is held, and Complete at the release. Moves and
/// releases count only after a left press on this tool; a release ends the
/// gesture. Draw, called around every change of the current point, does
/// nothing here.
class TCustomPressMoveAndReleaseTool : public TCustomMapTool {
public:
    explicit TCustomPressMoveAndReleaseTool(TComponent* AOwner = nullptr);

    /// Left button: press point and current point := (X, Y), then Draw.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    /// With the left button held: Draw (erase), current point := (X, Y), Draw.
    void MouseMove(TShiftState Shift, int X, int Y) override;
    /// Left button: Draw (erase), then Complete. The current point stays the
    /// last one reported by MouseMove.
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    /// Erases the figure of a gesture still in progress and drops the gesture.
    void Done() override;

    /// Draws the gesture's figure; drawing it twice restores the picture.
    virtual void Draw() {}

    /// Where the left button went down, in client pixels.
    TPoint GetPressPoint() const { return FPress; }
    /// The pointer's last position during the gesture, in client pixels.
    TPoint GetCurrentPoint() const { return FCurrent; }
    /// True between the left press and its release.
    bool GetDragging() const { return FDragging; }

protected:
    // The gesture state, for tools that handle the mouse themselves.
    void StartGesture(int X, int Y);
    void SetCurrentPoint(int X, int Y) { FCurrent = {X, Y}; }
    void EndGesture() { FDragging = false; }

private:
    TPoint FPress;
    TPoint FCurrent;
    bool FDragging = false;
};

/// The gesture with a rubber-band rectangle from the press point to the
/// current point; Complete is the base one (raises OnComplete).
class TCustomRectTool : public TCustomPressMoveAndReleaseTool {
public:
    explicit TCustomRectTool(TComponent* AOwner = nullptr);

    /// The band in not-exclusive-or (black one-pixel pen, no fill) on the
    /// map's canvas; nothing without a map.
    void Draw() override;
};

} // namespace cartova
