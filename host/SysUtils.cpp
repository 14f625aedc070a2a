#include "host/SysUtils.h"

#include "host/Exceptions.h"
#include "host/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace cartova::host {

using namespace detail;

// Constructed before the library's other static objects so that their
// initialisers may already format numbers.
__attribute__((init_priority(200))) TFormatSettings FormatSettings;

namespace {

// Library start-up: number text written and read by the library always uses a
// full stop, whatever the user's locale.
struct TDecimalSeparatorStartup {
    TDecimalSeparatorStartup() { FormatSettings.DecimalSeparator = '.'; }
} const DecimalSeparatorStartup;


bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

std::string_view StripBlanks(std::string_view s, bool leading, bool trailing)
{
    while (leading && !s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (trailing && !s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// ---------------------------------------------------------------- integers

// Parses [blanks][sign](digits | $hex | 0xhex) into a magnitude; no trailing text.
bool ParseInteger(std::string_view text, bool& negative, std::uint64_t& magnitude, bool& hex)
{
    std::string_view s = StripBlanks(text, true, false);
    negative = false;
    hex = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s.front() == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty())
        return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
    hex = base == 16;
    return ec == std::errc() && end == s.data() + s.size();
}

bool ToInt64(std::string_view text, std::int64_t& value)
{
    bool negative, hex;
    std::uint64_t m;
    if (!ParseInteger(text, negative, m, hex))
        return false;
    if (hex) {
        // Hexadecimal text denotes a bit pattern: $FFFFFFFFFFFFFFFF is -1.
        value = static_cast<std::int64_t>(negative ? 0 - m : m);
        return true;
    }
    const std::uint64_t limit = negative ? std::uint64_t(1) << 63 : (std::uint64_t(1) << 63) - 1;
    if (m > limit)
        return false;
    value = negative ? static_cast<std::int64_t>(0 - m) : static_cast<std::int64_t>(m);
    return true;
}

bool ToInt32(std::string_view text, int& value)
{
    bool negative, hex;
    std::uint64_t m;
    if (!ParseInteger(text, negative, m, hex))
        return false;
    if (hex) {
        if (m > 0xFFFFFFFFu)
            return false;
        const auto bits = static_cast<std::uint32_t>(negative ? 0 - m : m);
        value = static_cast<int>(bits);
        return true;
    }
    const std::uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    if (m > limit)
        return false;
    value = negative ? static_cast<int>(-static_cast<std::int64_t>(m)) : static_cast<int>(m);
    return true;
}

[[noreturn]] void RaiseNotInteger(std::string_view text)
{
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

// ---------------------------------------------------------- StrToFloat

bool ParseFloat(std::string_view text, double& value, const TFormatSettings& fs)
{
    const std::string_view s = StripBlanks(text, true, true);
    // Rebuild the number in the form std::from_chars reads: [-]digits[.digits][e[-]digits].
    std::string clean;
    clean.reserve(s.size() + 2);
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            clean += '-';
        ++i;
    }
    // For the range check: significant integer digits, or the zeros that lead the fraction.
    std::size_t intDigits = 0, allIntDigits = 0, fracDigits = 0, leadingZeros = 0;
    bool significant = false;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        significant = significant || s[i] != '0';
        if (significant)
            ++intDigits;
        clean += s[i++];
        ++allIntDigits;
    }
    const bool hadInt = allIntDigits > 0;
    if (!hadInt)
        clean += '0';
    if (i < s.size() && s[i] == fs.DecimalSeparator) {
        ++i;
        clean += '.';
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            if (!significant && s[i] == '0')
                ++leadingZeros;
            significant = significant || s[i] != '0';
            clean += s[i++];
            ++fracDigits;
        }
        if (fracDigits == 0)
            clean += '0';
    }
    if (!hadInt && fracDigits == 0)
        return false;
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        clean += 'e';
        ++i;
        bool negativeExp = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            negativeExp = s[i] == '-';
            if (negativeExp)
                clean += '-';
            ++i;
        }
        const std::size_t start = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            exponent = std::min<long long>(exponent * 10 + (s[i] - '0'), 1000000000);
            clean += s[i++];
        }
        if (i == start)
            return false;
        if (negativeExp)
            exponent = -exponent;
    }
    if (i != s.size())
        return false;
    double v = 0;
    const auto [end, ec] = std::from_chars(clean.data(), clean.data() + clean.size(), v);
    if (ec == std::errc::result_out_of_range) {
        // Decimal magnitude: positive for overflow, negative for underflow.
        if (!significant)
            v = 0;
        else {
            const long long magnitude = exponent + (intDigits > 0 ? static_cast<long long>(intDigits)
                                                                  : -static_cast<long long>(leadingZeros));
            if (magnitude > 0)
                return false;
            v = 0;
        }
        if (!clean.empty() && clean[0] == '-')
            v = -v;
    } else if (ec != std::errc() || end != clean.data() + clean.size()) {
        return false;
    }
    value = v;
    return true;
}

} // namespace

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

std::string IntToHex(std::int64_t value, int digits) { return Hex(static_cast<std::uint64_t>(value), digits); }

int StrToInt(std::string_view text)
{
    int v;
    if (!ToInt32(text, v))
        RaiseNotInteger(text);
    return v;
}

std::int64_t StrToInt64(std::string_view text)
{
    std::int64_t v;
    if (!ToInt64(text, v))
        RaiseNotInteger(text);
    return v;
}

int StrToIntDef(std::string_view text, int fallback)
{
    int v;
    return ToInt32(text, v) ? v : fallback;
}

std::int64_t StrToInt64Def(std::string_view text, std::int64_t fallback)
{
    std::int64_t v;
    return ToInt64(text, v) ? v : fallback;
}

bool TryStrToInt(std::string_view text, int& value) { return ToInt32(text, value); }

bool TryStrToInt64(std::string_view text, std::int64_t& value) { return ToInt64(text, value); }

std::string FloatToStr(double value) { return FloatText(value, ffGeneral, 15, 0, FormatSettings); }

std::string FloatToStr(double value, const TFormatSettings& settings)
{
    return FloatText(value, ffGeneral, 15, 0, settings);
}

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits)
{
    return FloatText(value, format, precision, digits, FormatSettings);
}

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                        const TFormatSettings& settings)
{
    return FloatText(value, format, precision, digits, settings);
}

double StrToFloat(std::string_view text) { return StrToFloat(text, FormatSettings); }

double StrToFloat(std::string_view text, const TFormatSettings& settings)
{
    double v;
    if (!ParseFloat(text, v, settings))
        throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    return v;
}

double StrToFloatDef(std::string_view text, double fallback)
{
    double v;
    return ParseFloat(text, v, FormatSettings) ? v : fallback;
}

bool TryStrToFloat(std::string_view text, double& value) { return ParseFloat(text, value, FormatSettings); }

bool TryStrToFloat(std::string_view text, double& value, const TFormatSettings& settings)
{
    return ParseFloat(text, value, settings);
}

namespace {
std::int64_t ToInt64Checked(double rounded, double original)
{
    // 2^63 is exactly representable; every double below it fits in int64.
    if (!(rounded >= -9223372036854775808.0 && rounded < 9223372036854775808.0))
        throw ERangeError("Cannot convert " + FloatToStr(original) + " to a 64-bit integer");
    return static_cast<std::int64_t>(rounded);
}
} // namespace

std::int64_t Round(double value) { return ToInt64Checked(std::nearbyint(value), value); }

std::int64_t Trunc(double value) { return ToInt64Checked(std::trunc(value), value); }

} // namespace cartova::host
