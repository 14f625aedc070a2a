#pragma once
// The rectangle record of the spatial index (TCellBounds) and the growable
// array of object ids (TCardinalArray) that layer queries fill.

#include "host/Host.h"
#include "objects/MapPoints.h"

#include <cstdint>
#include <vector>

namespace cartova {

/// A rectangle in map units in the index's order: MinX, MaxX, MinY, MaxY.
struct TCellBounds {
    double MinX = 0.0;
    double MaxX = 0.0;
    double MinY = 0.0;
    double MaxY = 0.0;
    friend bool operator==(const TCellBounds&, const TCellBounds&) = default;
};

/// Reorders a TBounds (MinX, MinY, MaxX, MaxY) into a TCellBounds.
inline TCellBounds Bounds2CellBounds(const TBounds& B)
{
    return {B.MinX, B.MaxX, B.MinY, B.MaxY};
}

/// A growable array of 32-bit object ids. It starts with room for 32 ids and
/// doubles its room when full.
class TCardinalArray : public TObject {
public:
    TCardinalArray() { FIds.reserve(32); }

    /// Appends Id and returns its position.
    int Add(std::uint32_t Id);
    /// Count 0, room back to 32.
    void Clear();
    /// Becomes a copy of Source's ids.
    void Copy(const TCardinalArray& Source) { FIds = Source.FIds; }
    /// Linear search for Id.
    bool Exists(std::uint32_t Id) const;
    /// Removes the id at Index; later ids move down. Raises EListError when out of range.
    void Remove(int Index);
    int Count() const { return static_cast<int>(FIds.size()); }
    /// Id at Index; raises EListError when out of range.
    std::uint32_t GetItems(int Index) const;
    void SetItems(int Index, std::uint32_t Id);
    std::uint32_t operator[](int Index) const { return GetItems(Index); }

    auto begin() const { return FIds.begin(); }
    auto end() const { return FIds.end(); }

private:
    void Check(int Index) const;
    std::vector<std::uint32_t> FIds;
};

} // namespace cartova
