#pragma once
// The library's version.

#include <string>

namespace cartova::host {

/// The library's version as "major.minor.patch".
std::string LibraryVersion();

} // namespace cartova::host

namespace cartova {
using host::LibraryVersion;
}
