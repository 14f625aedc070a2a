#pragma once
// Internal: the decimal digits of doubles and the number texts built from
// them, shared by the conversions (SysUtils.cpp) and by Format and FormatFloat
// (Format.cpp).

#include "host/SysUtils.h"

#include <cstdint>
#include <string>

namespace cartova::host::detail {

// Digits carried before the final rounding, as many as an 80-bit float holds:
// values are rounded to this many significant digits (halves to even) and then
// to the requested precision (halves away from zero).
constexpr int MaxFloatDigits = 18;

// |value| = 0.Digits × 10^Exponent; no leading or trailing zeros; zero has no digits.
struct TDecimal {
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;
};

/// The value rounded to `precision` significant digits.
TDecimal RoundedDecimal(double v, int precision);
/// The value rounded to `decimals` digits after the decimal point.
TDecimal FixedDecimal(double v, int decimals);
/// Upper-case hexadecimal digits, at least minDigits of them (at most 64).
std::string Hex(std::uint64_t value, int minDigits);
/// "NAN", "INF" or "-INF" for a value that is not finite, else nullptr.
const char* SpecialText(double value);
/// An exponent's sign (minus, or plus when alwaysSign) and at least minDigits digits.
std::string ExponentText(int exponent, int minDigits, bool alwaysSign);
/// Integer and fraction digits of a decimal rounded to a number of decimals.
void FixedParts(const TDecimal& d, std::string& intPart, std::string& fracPart, int decimals);
/// Integer digits with separator between groups of three.
std::string Group(const std::string& intPart, char separator);
/// The text of FloatToStrF.
std::string FloatText(double value, TFloatFormat format, int precision, int digits,
                      const TFormatSettings& fs);

} // namespace cartova::host::detail
