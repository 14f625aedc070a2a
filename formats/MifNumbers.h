#pragma once
// Number scanning for MIF text: whitespace-separated decimal numbers with a
// full stop, parsed with std::from_chars (locale independent, no allocation).

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace cartova::detail {

/// True for the characters that separate numbers in MIF geometry.
inline bool IsMifSpace(char C)
{
    return C == ' ' || C == '\t' || C == '\r' || C == '\n' || C == '\f' || C == '\v';
}

/// Skips separators at the front of Text.
inline void SkipMifSpaces(std::string_view& Text)
{
    std::size_t I = 0;
    while (I < Text.size() && IsMifSpace(Text[I]))
        ++I;
    Text.remove_prefix(I);
}

/// Parses a finite double at the front of Text (after separators, an
/// optional '+'); on success removes it and returns true. The number must end
/// at a separator, a comma or the end of Text.
inline bool ScanDouble(std::string_view& Text, double& Value)
{
    SkipMifSpaces(Text);
    const char* First = Text.data();
    const char* Last = First + Text.size();
    if (First != Last && *First == '+')
        ++First;
    const auto [Ptr, Ec] = std::from_chars(First, Last, Value);
    if (Ec != std::errc() || !std::isfinite(Value))
        return false;
    if (Ptr != Last && !IsMifSpace(*Ptr) && *Ptr != ',')
        return false;
    Text.remove_prefix(static_cast<std::size_t>(Ptr - Text.data()));
    return true;
}

/// Parses an integer at the front of Text (after separators, an optional
/// '+'); on success removes it and returns true.
inline bool ScanInteger(std::string_view& Text, long long& Value)
{
    SkipMifSpaces(Text);
    const char* First = Text.data();
    const char* Last = First + Text.size();
    if (First != Last && *First == '+')
        ++First;
    const auto [Ptr, Ec] = std::from_chars(First, Last, Value);
    if (Ec != std::errc())
        return false;
    if (Ptr != Last && !IsMifSpace(*Ptr) && *Ptr != ',')
        return false;
    Text.remove_prefix(static_cast<std::size_t>(Ptr - Text.data()));
    return true;
}

/// The first word of Text (up to a separator), without leading separators.
inline std::string_view FirstWord(std::string_view Text)
{
    SkipMifSpaces(Text);
    std::size_t I = 0;
    while (I < Text.size() && !IsMifSpace(Text[I]))
        ++I;
    return Text.substr(0, I);
}

} // namespace cartova::detail
