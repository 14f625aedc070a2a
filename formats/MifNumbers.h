#pragma once
// Number scanning for MIF text: whitespace-separated decimal numbers with a
// full stop, parsed with std::from_chars (locale independent, no allocation).

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
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

/// True when the eight bytes of Chunk (first byte lowest) are all digits.
inline bool AreEightDigits(std::uint64_t Chunk)
{
    return ((Chunk & 0xF0F0F0F0F0F0F0F0) | (((Chunk + 0x0606060606060606) & 0xF0F0F0F0F0F0F0F0) >> 4)) ==
           0x3333333333333333;
}

/// The value of eight digits (first byte lowest, most significant first),
/// combined in pairs, then fours, then eights.
inline std::uint32_t EightDigitsValue(std::uint64_t Chunk)
{
    Chunk -= 0x3030303030303030;
    Chunk = Chunk * 10 + (Chunk >> 8);
    return static_cast<std::uint32_t>(((Chunk & 0x000000FF000000FF) * (100 + (1000000ULL << 32)) +
                                       ((Chunk >> 16) & 0x000000FF000000FF) * (1 + (10000ULL << 32))) >>
                                      32);
}

/// The common plain decimal "[-]digits[.digits]" at First, converted with one
/// exact division when that is correctly rounded: at most 2^53 as an integer
/// and at most 22 decimals (10^22 is the largest power of ten a double holds
/// exactly), so the result is the one from_chars gives. Returns the end of
/// the number, or nullptr when the text needs from_chars (an exponent, more
/// digits, no digits). Long runs of decimals are taken eight at a time.
inline const char* ParsePlainDecimal(const char* First, const char* Last, double& Value)
{
    static constexpr double Powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr std::uint64_t Exact = std::uint64_t(1) << 53;
    const char* P = First;
    const bool Negative = P != Last && *P == '-';
    if (Negative)
        ++P;
    // The mantissa never passes 2^53 by more than one digit's worth: once a
    // further digit would take it past, the number is not for this path.
    std::uint64_t Mantissa = 0;
    const char* Start = P;
    for (; P != Last && static_cast<unsigned char>(*P - '0') < 10; ++P) {
        if (Mantissa > Exact / 10)
            return nullptr;
        Mantissa = Mantissa * 10 + static_cast<unsigned>(*P - '0');
    }
    bool Any = P != Start;
    int Decimals = 0;
    if (P != Last && *P == '.') {
        Start = ++P;
        if constexpr (std::endian::native == std::endian::little) {
            std::uint64_t Chunk;
            while (Last - P >= 8 && (std::memcpy(&Chunk, P, 8), AreEightDigits(Chunk))) {
                if (Mantissa > Exact / 100000000)
                    return nullptr;
                Mantissa = Mantissa * 100000000 + EightDigitsValue(Chunk);
                P += 8;
            }
        }
        for (; P != Last && static_cast<unsigned char>(*P - '0') < 10; ++P) {
            if (Mantissa > Exact / 10)
                return nullptr;
            Mantissa = Mantissa * 10 + static_cast<unsigned>(*P - '0');
        }
        Any = Any || P != Start;
        if (P - Start > 22)
            return nullptr;
        Decimals = static_cast<int>(P - Start);
    }
    if (!Any || Mantissa > Exact || (P != Last && (*P == 'e' || *P == 'E')))
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
