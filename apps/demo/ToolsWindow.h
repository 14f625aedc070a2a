#pragma once
// cartova-demo --tools: one map in a window with a tool bar of the map tools,
// so that a person can zoom, pan and select with the mouse, and draw lines,
// rectangles, polylines, regions, symbols, circles and texts on a layer of
// drawings.

#include <functional>
#include <string>

namespace cartova {
class TCartova;
}

namespace demo {

/// Builds the map with BuildMap and runs the window until it is closed. Without
/// a display the window is drawn once into PngPath instead. Returns the exit code.
int RunToolsWindow(const std::function<void(cartova::TCartova&)>& BuildMap,
                   const std::string& PngPath);

} // namespace demo
