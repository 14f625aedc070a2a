// Fuzz target of the workspace parser: the input is parsed as a workspace's
// text. Parsing touches no file and no map; every error must end as an
// exception, never a crash or a hang.
#include "map/Workspace.h"

#include <cstdint>
#include <exception>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    try {
        const cartova::TWorkspace W =
            cartova::ParseWorkspace(std::string_view(reinterpret_cast<const char*>(Data), Size));
        for (const cartova::TWorkspaceTable& T : W.Tables)
            if (T.Number < 1 || T.Path.empty())
                __builtin_trap();
    } catch (const std::exception&) {
        // A clean error: a negative colour.
    }
    return 0;
}
