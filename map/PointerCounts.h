#pragma once
// TPointerCounts, a count per pointer in one flat table: the displayed-objects
// record updates it for every object of every paint, where a node-based map
// allocated and freed a node per object.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cartova {

/// Counts per pointer key, open addressing with linear probing in a table of
/// a power-of-two size kept at most half full. Removing a key moves the keys
/// after it back, so lookups never meet deleted slots; clearing keeps the
/// table's storage.
class TPointerCounts {
public:
    /// Adds one to Key's count (a new key starts at one); Key is not null.
    void Increment(const void* Key);
    /// Takes one from Key's count and forgets Key at zero; nothing when Key
    /// is not counted.
    void Decrement(const void* Key);
    bool Contains(const void* Key) const { return Find(Key) != npos; }
    /// Number of keys counted.
    std::size_t Size() const { return FSize; }
    void Clear();

private:
    struct TSlot {
        const void* Key = nullptr;
        int Count = 0;
    };
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    std::size_t Home(const void* Key) const;
    std::size_t Find(const void* Key) const;
    void Rehash(std::size_t Capacity);

    std::vector<TSlot> FSlots;
    std::size_t FSize = 0;
    unsigned FBits = 0;
};

} // namespace cartova
