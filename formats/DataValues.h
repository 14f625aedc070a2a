#pragma once
// TDataValues: the values of one attribute record, stored compactly. Only the
// columns that hold a value take room, each a few bytes besides its own text,
// so a record costs in proportion to what it holds, not to its schema's width.

#include "host/Core.h"

#include <cstdint>
#include <string>

namespace cartova {

class TDataValues {
public:
    /// Number of columns holding a value.
    int Count() const;
    bool IsEmpty() const { return FBytes.empty(); }
    /// The value of Column; empty (Unassigned) when it holds none. Reading the
    /// columns in ascending order takes constant time a column.
    Variant Get(int Column) const;
    /// Stores Value in Column (0 or more); an empty variant removes the value.
    /// Appending past the last column holding a value takes constant time.
    void Set(int Column, const Variant& Value);
    void Clear();
    /// Gives back the room left over from appending.
    void Shrink() { FBytes.shrink_to_fit(); }
    /// Bytes held for the values besides this object (a few values fit in it).
    std::size_t Size() const;

    /// Calls Visit(Column, Value) for each stored value, by ascending column.
    template <typename F>
    void ForEach(F&& Visit) const
    {
        std::size_t At = 0;
        std::uint32_t Column = 0;
        bool First = true;
        while (At < FBytes.size()) {
            Column = Advance(Column, First, At);
            First = false;
            Visit(static_cast<int>(Column), Decode(At));
        }
    }

    bool operator==(const TDataValues& Other) const { return FBytes == Other.FBytes; }

private:
    // Each value is the column's distance from the previous one (the first:
    // the column itself) as a base-128 number, a kind byte, then the payload:
    // nothing (null, false, true, empty text), 4 bytes (integer), 8 bytes (64-bit
    // integer, double, date) or a base-128 length and the text.
    std::uint32_t Advance(std::uint32_t Column, bool First, std::size_t& At) const;
    Variant Decode(std::size_t& At) const;
    void Skip(std::size_t& At) const;
    void Append(std::uint32_t Column, const Variant& Value);

    std::string FBytes;
    std::uint32_t FLast = 0; // the last column holding a value, when any
    // Where the last lookup stopped, so that ascending reads go on from there.
    mutable std::uint32_t FCursorColumn = 0;
    mutable std::uint32_t FCursorAt = 0;
};

} // namespace cartova
