#pragma once
// Process-wide progress hooks for long text operations (the syntax parser's
// whole-text reads and packing). Each is a do-nothing procedure until an
// application assigns its own; assigning an empty function also silences it.

#include <functional>
#include <string>

namespace cartova {

using TStartProgressProc = std::function<void(int Min, int Max, const std::string& Caption)>;
using TShowProgressProc = std::function<void(int Position)>;
using TStopProgressProc = std::function<void()>;

/// Called once before a long operation with the range of positions to come.
extern TStartProgressProc StartProgress;
/// Called with each position reached.
extern TShowProgressProc ShowProgress;
/// Called once when the operation ends, also when it ends by an exception.
extern TStopProgressProc StopProgress;

namespace detail {
/// Call the hooks, doing nothing when one has been set to an empty function.
void CallStartProgress(int Min, int Max, const std::string& Caption);
void CallShowProgress(int Position);
void CallStopProgress();
} // namespace detail

} // namespace cartova
