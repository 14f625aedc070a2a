#pragma once
// cartova-demo --controls: the map with its companion controls beside it —
// the layer list with its switches, a combo box choosing the layer whose
// attributes the grid below it shows — all following the map. The selection
// tool is active, so a click on the map selects and the grid marks the row.

#include <functional>
#include <string>

namespace cartova {
class TCartova;
}

namespace demo {

/// Builds the map with BuildMap, gives its layers attribute columns and runs
/// the window until it is closed. Without a display the window is drawn once
/// into PngPath instead. Returns the exit code.
int RunControlsWindow(const std::function<void(cartova::TCartova&)>& BuildMap,
                      const std::string& PngPath);

} // namespace demo
