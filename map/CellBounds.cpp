#include "map/CellBounds.h"

#include <algorithm>

namespace cartova {

int TCardinalArray::Add(std::uint32_t Id)
{
    if (FIds.size() == FIds.capacity())
        FIds.reserve(FIds.capacity() * 2);
    FIds.push_back(Id);
    return Count() - 1;
}

void TCardinalArray::Clear()
{
    FIds.clear();
    FIds.shrink_to_fit();
    FIds.reserve(32);
}

bool TCardinalArray::Exists(std::uint32_t Id) const
{
    return std::find(FIds.begin(), FIds.end(), Id) != FIds.end();
}

void TCardinalArray::Remove(int Index)
{
    Check(Index);
    FIds.erase(FIds.begin() + Index);
}

std::uint32_t TCardinalArray::GetItems(int Index) const
{
    Check(Index);
    return FIds[static_cast<std::size_t>(Index)];
}

void TCardinalArray::SetItems(int Index, std::uint32_t Id)
{
    Check(Index);
    FIds[static_cast<std::size_t>(Index)] = Id;
}

void TCardinalArray::Check(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError::OutOfBounds(Index);
}

} // namespace cartova
