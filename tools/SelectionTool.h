#pragma once
// The selection tool: a left click selects the object under the pointer,
// Shift toggles it, and repeated Ctrl clicks reach down through the layers.

#include "tools/MapTools.h"

namespace cartova {

/// Turns left presses into the map's point selection (SelectObjectAt). Each
/// Ctrl press skips one more top layer, up to all but the bottom one, then
/// starts again from the top; a press without Ctrl starts from the top.
class TSelectionTool : public TCustomMapTool {
public:
    explicit TSelectionTool(TComponent* AOwner = nullptr);

    /// Left button: updates the map's CtrlClickCount, selects at the map
    /// point under (X, Y) (exclusively unless Shift is held), then Complete.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
};

} // namespace cartova
