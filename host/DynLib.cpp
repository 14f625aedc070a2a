#include "host/DynLib.h"

#include <dlfcn.h>

namespace cartova::host {

namespace {

thread_local std::string LastError;

void Fail(std::string reason) { LastError = std::move(reason); }

void FailFromDl(const char* fallback)
{
    const char* e = ::dlerror();
    Fail(e ? e : fallback);
}

} // namespace

HMODULE LoadLibrary(std::string_view fileName)
{
    // An empty name would return the program itself.
    if (fileName.empty() || fileName.find('\0') != std::string_view::npos) {
        Fail("Invalid library name");
        return nullptr;
    }
    const std::string name(fileName);
    ::dlerror();
    void* handle = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        FailFromDl("Cannot load library");
    return handle;
}

void* GetProcAddress(HMODULE module, std::string_view name)
{
    // A null handle would search the global scope.
    if (!module || name.empty() || name.find('\0') != std::string_view::npos) {
        Fail(module ? "Invalid symbol name" : "Invalid library handle");
        return nullptr;
    }
    const std::string symbol(name);
    ::dlerror();
    void* address = ::dlsym(module, symbol.c_str());
    if (!address)
        FailFromDl("Symbol not found");
    return address;
}

bool FreeLibrary(HMODULE module)
{
    if (!module) {
        Fail("Invalid library handle");
        return false;
    }
    ::dlerror();
    if (::dlclose(module) != 0) {
        FailFromDl("Cannot free library");
        return false;
    }
    return true;
}

std::string GetLastLibraryError() { return LastError; }

} // namespace cartova::host
