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

/// The common plain decimal "[-]digits[.digits]" at First, converted with one
/// exact division when that is correctly rounded: at most 2^53 as an integer
/// and at most 22 decimals (10^22 is the largest power of ten a double holds
/// exactly), so the result is the one from_chars gives. Returns the end of
/// the number, or nullptr when the text needs from_chars (an exponent, more
/// digits, no digits).
inline const char* ParsePlainDecimal(const char* First, const char* Last, double& Value)
{
    static constexpr double Powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const char* P = First;
    const bool Negative = P != Last && *P == '-';
    if (Negative)
        ++P;
    std::uint64_t Mantissa = 0;
    int Digits = 0, Decimals = 0;
    bool Any = false;
    for (; P != Last && static_cast<unsigned char>(*P - '0') < 10; ++P, Any = true)
        if ((Mantissa = Mantissa * 10 + static_cast<unsigned>(*P - '0')) != 0 && ++Digits > 19)
            return nullptr;
    if (P != Last && *P == '.')
        for (++P; P != Last && static_cast<unsigned char>(*P - '0') < 10; ++P, ++Decimals, Any = true)
            if ((Mantissa = Mantissa * 10 + static_cast<unsigned>(*P - '0')) != 0 && ++Digits > 19)
                return nullptr;
    if (!Any || Decimals > 22 || Mantissa > (std::uint64_t(1) << 53) ||
        (P != Last && (*P == 'e' || *P == 'E')))
        return nullptr;
    const double V = static_cast<double>(Mantissa) / Powers[Decimals];
    Value = Negative ? -V : V;
    return P;
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
    const char* Ptr = ParsePlainDecimal(First, Last, Value);
    if (!Ptr) {
        const auto [End, Ec] = std::from_chars(First, Last, Value);
        if (Ec != std::errc() || !std::isfinite(Value))
            return false;
        Ptr = End;
    }
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
