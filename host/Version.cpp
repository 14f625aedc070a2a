#include "host/Version.h"

namespace cartova::host {

std::string LibraryVersion()
{
    return CARTOVA_VERSION;
}

} // namespace cartova::host
