#include "map/PointerCounts.h"

namespace cartova {

std::size_t TPointerCounts::Home(const void* Key) const
{
    // Fibonacci hashing: the high bits of the product mix every bit of the
    // address, also the low ones that alignment leaves at zero.
    const auto P = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(Key));
    return static_cast<std::size_t>((P * 0x9E3779B97F4A7C15ull) >> (64 - FBits));
}

std::size_t TPointerCounts::Find(const void* Key) const
{
    if (FSize == 0)
        return npos;
    const std::size_t Mask = FSlots.size() - 1;
    for (std::size_t I = Home(Key);; I = (I + 1) & Mask) {
        if (FSlots[I].Key == Key)
            return I;
        if (!FSlots[I].Key)
            return npos;
    }
}

void TPointerCounts::Rehash(std::size_t Capacity)
{
    std::vector<TSlot> Old(Capacity);
    Old.swap(FSlots);
    FBits = 0;
    while ((std::size_t{1} << FBits) < Capacity)
        ++FBits;
    const std::size_t Mask = FSlots.size() - 1;
    for (const TSlot& S : Old)
        if (S.Key) {
            std::size_t I = Home(S.Key);
            while (FSlots[I].Key)
                I = (I + 1) & Mask;
            FSlots[I] = S;
        }
}

void TPointerCounts::Increment(const void* Key)
{
    if (2 * (FSize + 1) > FSlots.size())
        Rehash(FSlots.empty() ? 64 : 2 * FSlots.size());
    const std::size_t Mask = FSlots.size() - 1;
    std::size_t I = Home(Key);
    while (FSlots[I].Key && FSlots[I].Key != Key)
        I = (I + 1) & Mask;
    if (!FSlots[I].Key) {
        FSlots[I].Key = Key;
        ++FSize;
    }
    ++FSlots[I].Count;
}

void TPointerCounts::Decrement(const void* Key)
{
    std::size_t I = Find(Key);
    if (I == npos || --FSlots[I].Count > 0)
        return;
    // Empty slot I, then move back every key of the run after it whose home
    // does not lie cyclically between I (exclusive) and its own slot.
    const std::size_t Mask = FSlots.size() - 1;
    FSlots[I] = {};
    --FSize;
    for (std::size_t J = (I + 1) & Mask; FSlots[J].Key; J = (J + 1) & Mask) {
        const std::size_t H = Home(FSlots[J].Key);
        const bool Stays = I <= J ? (I < H && H <= J) : (I < H || H <= J);
        if (!Stays) {
            FSlots[I] = FSlots[J];
            FSlots[J] = {};
            I = J;
        }
    }
}

void TPointerCounts::Clear()
{
    if (FSize == 0)
        return;
    for (TSlot& S : FSlots)
        S = {};
    FSize = 0;
}

} // namespace cartova
