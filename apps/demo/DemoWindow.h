#pragma once
// What the demo's windows share: a window is shown and runs until it is
// closed, or, without a display, is drawn once into a PNG.

#include <functional>
#include <string>

class QWidget;

namespace cartova {
class TCartova;
}

namespace demo {

/// Shows Window and, once it is on the screen, calls Shown (when given). With
/// a display, runs the event loop until the window closes; without one,
/// repaints Map and writes the window to PngPath, telling so on stdout with
/// What naming the window. Returns the exit code.
int RunWindow(QWidget& Window, cartova::TCartova& Map, const std::string& PngPath,
              const std::string& What, const std::function<void()>& Shown = {});

} // namespace demo
