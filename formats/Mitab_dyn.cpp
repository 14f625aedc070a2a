#include "formats/Mitab_dyn.h"

#include "host/Core.h"

#include <dlfcn.h>

namespace cartova {

namespace {

// libmitab.so.1 beside the library this code is part of.
std::string DefaultLibPath()
{
    Dl_info Info{};
    if (::dladdr(reinterpret_cast<void*>(&MITAB_load), &Info) != 0 && Info.dli_fname)
        return IncludeTrailingPathDelimiter(ExtractFileDir(ExpandFileName(Info.dli_fname))) + "libmitab.so.1";
    return "libmitab.so.1";
}

#define CARTOVA_MITAB_CLEAR(Result, Name, Args) Name = nullptr;
void ClearEntryPoints()
{
    CARTOVA_MITAB_ENTRY_POINTS(CARTOVA_MITAB_CLEAR)
}
#undef CARTOVA_MITAB_CLEAR

// Binds every entry point of Library; false when one is missing.
#define CARTOVA_MITAB_BIND(Result, Name, Args) \
    Name = GetProcAddressAs<Result(*) Args>(Library, #Name); \
    Complete = Complete && Name != nullptr;
bool BindEntryPoints(HMODULE Library)
{
    bool Complete = true;
    CARTOVA_MITAB_ENTRY_POINTS(CARTOVA_MITAB_BIND)
    return Complete;
}
#undef CARTOVA_MITAB_BIND

} // namespace

std::string LibPath = DefaultLibPath();
int MITAB_LoadErr = -1;

#define CARTOVA_MITAB_DEFINE(Result, Name, Args) Result(*Name) Args = nullptr;
CARTOVA_MITAB_ENTRY_POINTS(CARTOVA_MITAB_DEFINE)
#undef CARTOVA_MITAB_DEFINE

void MITAB_load()
{
    ClearEntryPoints();
    HMODULE Library = LoadLibrary(LibPath);
    if (!Library) {
        MITAB_LoadErr = -2;
        return;
    }
    const auto Version = GetProcAddressAs<int (*)()>(Library, "mitab_c_getlibversion");
    if (!Version)
        MITAB_LoadErr = -3;
    else if (Version() != MITAB_Version)
        MITAB_LoadErr = -4;
    else if (!BindEntryPoints(Library))
        MITAB_LoadErr = -3;
    else {
        MITAB_LoadErr = 0;
        return; // a bound library stays loaded
    }
    ClearEntryPoints();
    FreeLibrary(Library);
}

bool MITAB_LibOK()
{
    return MITAB_LoadErr == 0;
}

} // namespace cartova
