#pragma once
// Loading shared libraries at run time and looking up their C entry points.

#include <string>
#include <string_view>

namespace cartova::host {

/// A loaded library; null (0) when loading failed.
using HMODULE = void*;

/// Loads a shared library by file name (searched like the dynamic linker does
/// when the name has no '/'), resolving all its symbols now and keeping them
/// local; null on failure, with the reason in GetLastLibraryError().
HMODULE LoadLibrary(std::string_view fileName);
/// The address of an exported symbol; null when the handle is null or the
/// symbol is not found.
void* GetProcAddress(HMODULE module, std::string_view name);
/// The symbol's address as a function pointer of type F, or null.
template <class F>
F GetProcAddressAs(HMODULE module, std::string_view name)
{
    return reinterpret_cast<F>(GetProcAddress(module, name));
}
/// Releases a library loaded by LoadLibrary; false when the handle is null or invalid.
bool FreeLibrary(HMODULE module);
/// The reason the last failed call of this thread failed; empty when none did.
std::string GetLastLibraryError();

} // namespace cartova::host

namespace cartova {
using host::HMODULE;
using host::LoadLibrary;
using host::GetProcAddress;
using host::GetProcAddressAs;
using host::FreeLibrary;
using host::GetLastLibraryError;
} // namespace cartova
