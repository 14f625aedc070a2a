#pragma once
// The library's diagnostic routine. Diagnostics are discarded: the routine
// formats nothing and writes nowhere, so it costs nothing on hot paths.

namespace cartova {

/// Takes a diagnostic message and its arguments, and discards them.
template <typename... TArgs>
inline void DebugLog(const char* /*Format*/, const TArgs&... /*Args*/)
{
}

} // namespace cartova
