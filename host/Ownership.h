#pragma once
// Helpers for the owning setters of styles and lists.

#include <memory>

namespace cartova::host {

/// The owning setter: Slot takes Value over and frees what it held. A null
/// Value is replaced by a fresh default instance, so readers always find one.
template <typename T>
void ReplaceOwned(std::unique_ptr<T>& Slot, T* Value)
{
    if (Slot.get() != Value)
        Slot.reset(Value ? Value : new T);
}

} // namespace cartova::host

namespace cartova {
using host::ReplaceOwned;
} // namespace cartova
