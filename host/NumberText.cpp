#include "host/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace cartova::host::detail {

namespace {

// The exact decimal expansion of a finite double.
TDecimal ExactDecimal(double v)
{
    TDecimal d;
    if (v == 0)
        return d;
    d.Negative = v < 0;
    const double a = std::fabs(v);
    int k = 0;
    const double m = std::frexp(a, &k);
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(m, 53));
    int e2 = k - 53;
    while ((mantissa & 1) == 0) {
        mantissa >>= 1;
        ++e2;
    }
    const int fractionDigits = e2 < 0 ? -e2 : 0;
    // Up to 309 integer digits or 1074 fraction digits.
    char buf[1400];
    const auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::fixed, fractionDigits);
    int intLen = 0;
    bool inFraction = false;
    for (const char* p = buf; p != r.ptr; ++p) {
        if (*p == '.') {
            inFraction = true;
            continue;
        }
        if (!inFraction)
            ++intLen;
        d.Digits += *p;
    }
    d.Exponent = intLen;
    const std::size_t first = d.Digits.find_first_not_of('0');
    d.Digits.erase(0, first);
    d.Exponent -= static_cast<int>(first);
    d.Digits.erase(d.Digits.find_last_not_of('0') + 1);
    return d;
}

// Keeps the first `keep` digits, rounding halves to even or away from zero.
void RoundDigits(TDecimal& d, int keep, bool halfEven)
{
    if (keep >= static_cast<int>(d.Digits.size()))
        return;
    if (keep < 0) {
        d.Digits.clear();
        d.Exponent = 0;
        return;
    }
    const auto at = static_cast<std::size_t>(keep);
    const char next = d.Digits[at];
    bool up;
    if (halfEven) {
        const bool rest = d.Digits.find_first_not_of('0', at + 1) != std::string::npos;
        const bool odd = at > 0 && (d.Digits[at - 1] - '0') % 2 == 1;
        up = next > '5' || (next == '5' && (rest || odd));
    } else {
        up = next >= '5';
    }
    d.Digits.resize(at);
    if (up) {
        std::size_t i = at;
        while (i > 0 && d.Digits[i - 1] == '9')
            d.Digits[--i] = '0';
        if (i == 0) {
            d.Digits.insert(d.Digits.begin(), '1');
            ++d.Exponent;
        } else {
            ++d.Digits[i - 1];
        }
    }
    d.Digits.erase(d.Digits.find_last_not_of('0') + 1);
    if (d.Digits.empty())
        d.Exponent = 0;
}

} // namespace

TDecimal RoundedDecimal(double v, int precision)
{
    TDecimal d = ExactDecimal(v);
    RoundDigits(d, MaxFloatDigits, true);
    RoundDigits(d, precision, false);
    return d;
}

TDecimal FixedDecimal(double v, int decimals)
{
    TDecimal d = ExactDecimal(v);
    RoundDigits(d, MaxFloatDigits, true);
    RoundDigits(d, d.Exponent + decimals, false);
    return d;
}

std::string Hex(std::uint64_t value, int minDigits)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, 16);
    std::string s(buf, r.ptr);
    for (char& c : s)
        if (c >= 'a' && c <= 'f')
            c = static_cast<char>(c - 'a' + 'A');
    if (minDigits > 64)
        minDigits = 64;
    if (static_cast<int>(s.size()) < minDigits)
        s.insert(0, static_cast<std::size_t>(minDigits) - s.size(), '0');
    return s;
}

const char* SpecialText(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    return nullptr;
}

std::string ExponentText(int exponent, int minDigits, bool alwaysSign)
{
    std::string s;
    if (exponent < 0)
        s += '-';
    else if (alwaysSign)
        s += '+';
    std::string d = std::to_string(exponent < 0 ? -exponent : exponent);
    if (static_cast<int>(d.size()) < minDigits)
        d.insert(0, static_cast<std::size_t>(minDigits) - d.size(), '0');
    return s + d;
}

void FixedParts(const TDecimal& d, std::string& intPart, std::string& fracPart, int decimals)
{
    intPart.clear();
    fracPart.assign(static_cast<std::size_t>(decimals), '0');
    for (int i = 0; i < static_cast<int>(d.Digits.size()); ++i) {
        const int pos = d.Exponent - 1 - i; // power of ten of this digit
        if (pos >= 0) {
            if (intPart.empty())
                intPart.assign(static_cast<std::size_t>(pos) + 1, '0');
            intPart[intPart.size() - 1 - static_cast<std::size_t>(pos)] = d.Digits[static_cast<std::size_t>(i)];
        } else if (-pos <= decimals) {
            fracPart[static_cast<std::size_t>(-pos - 1)] = d.Digits[static_cast<std::size_t>(i)];
        }
    }
    if (intPart.empty())
        intPart = "0";
}

std::string Group(const std::string& intPart, char separator)
{
    std::string out;
    const std::size_t n = intPart.size();
    for (std::size_t i = 0; i < n; ++i) {
        out += intPart[i];
        const std::size_t left = n - 1 - i;
        if (left > 0 && left % 3 == 0)
            out += separator;
    }
    return out;
}

namespace {

std::string Currency(const std::string& number, bool negative, const TFormatSettings& fs)
{
    const std::string& c = fs.CurrencyString;
    if (!negative) {
        switch (fs.CurrencyFormat) {
        case 1: return number + c;
        case 2: return c + " " + number;
        case 3: return number + " " + c;
        default: return c + number;
        }
    }
    switch (fs.NegCurrFormat) {
    case 1: return "-" + c + number;
    case 2: return c + "-" + number;
    case 3: return c + number + "-";
    case 4: return "(" + number + c + ")";
    case 5: return "-" + number + c;
    case 6: return number + "-" + c;
    case 7: return number + c + "-";
    case 8: return "-" + number + " " + c;
    default: return "(" + c + number + ")";
    }
}

} // namespace

std::string FloatText(double value, TFloatFormat format, int precision, int digits,
                      const TFormatSettings& fs)
{
    if (const char* special = SpecialText(value))
        return special;
    precision = std::clamp(precision, 1, MaxFloatDigits);
    const char point = fs.DecimalSeparator;
    switch (format) {
    case ffGeneral: {
        const TDecimal d = RoundedDecimal(value, precision);
        if (d.Digits.empty())
            return "0";
        std::string s = d.Negative ? "-" : "";
        if (d.Exponent > precision || d.Exponent < -3) {
            s += d.Digits[0];
            if (d.Digits.size() > 1) {
                s += point;
                s.append(d.Digits, 1);
            }
            return s + "E" + ExponentText(d.Exponent - 1, std::clamp(digits, 0, 4), false);
        }
        if (d.Exponent <= 0) {
            s += '0';
            s += point;
            s.append(static_cast<std::size_t>(-d.Exponent), '0');
            return s + d.Digits;
        }
        const auto e = static_cast<std::size_t>(d.Exponent);
        if (d.Digits.size() <= e)
            return s + d.Digits + std::string(e - d.Digits.size(), '0');
        return s + d.Digits.substr(0, e) + point + d.Digits.substr(e);
    }
    case ffExponent: {
        const TDecimal d = RoundedDecimal(value, precision);
        std::string mantissa = d.Digits.empty() ? "0" : d.Digits;
        mantissa.resize(static_cast<std::size_t>(precision), '0');
        std::string s = d.Negative && !d.Digits.empty() ? "-" : "";
        s += mantissa[0];
        if (precision > 1) {
            s += point;
            s.append(mantissa, 1);
        }
        const int exponent = d.Digits.empty() ? 0 : d.Exponent - 1;
        return s + "E" + ExponentText(exponent, std::clamp(digits, 0, 4), true);
    }
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
        const int decimals = std::clamp(digits, 0, MaxFloatDigits);
        const TDecimal d = FixedDecimal(value, decimals);
        std::string intPart, fracPart;
        FixedParts(d, intPart, fracPart, decimals);
        if (format != ffFixed)
            intPart = Group(intPart, fs.ThousandSeparator);
        std::string number = intPart;
        if (decimals > 0)
            number += point + fracPart;
        const bool negative = d.Negative && !d.Digits.empty();
        if (format == ffCurrency)
            return Currency(number, negative, fs);
        return negative ? "-" + number : number;
    }
    }
    return {};
}

} // namespace cartova::host::detail
