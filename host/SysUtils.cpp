#include "host/SysUtils.h"

#include "host/Exceptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace cartova::host {

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

// ------------------------------------------------- decimal digits of doubles

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

// The value rounded to `precision` significant digits.
TDecimal RoundedDecimal(double v, int precision)
{
    TDecimal d = ExactDecimal(v);
    RoundDigits(d, MaxFloatDigits, true);
    RoundDigits(d, precision, false);
    return d;
}

// The value rounded to `decimals` digits after the decimal point.
TDecimal FixedDecimal(double v, int decimals)
{
    TDecimal d = ExactDecimal(v);
    RoundDigits(d, MaxFloatDigits, true);
    RoundDigits(d, d.Exponent + decimals, false);
    return d;
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

// ------------------------------------------------------------------ floats

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

// Integer and fraction digits of a decimal rounded to a number of decimals.
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

// ----------------------------------------------------------- FormatFloat

struct TPictureSection {
    std::string_view Text;
    bool HasPlaceholders = false;
    bool Thousands = false;
    bool Scientific = false;
    int IntPlaceholders = 0;
    int MinIntDigits = 0;
    int MaxDecimals = 0;
    int MinDecimals = 0;
};

// Length of the quoted literal starting at `i` (quote included), to the closing
// quote or the end of the picture.
std::size_t QuotedLength(std::string_view p, std::size_t i)
{
    const std::size_t close = p.find(p[i], i + 1);
    return close == std::string_view::npos ? p.size() - i : close - i + 1;
}

bool IsExponentAt(std::string_view p, std::size_t i)
{
    return (p[i] == 'E' || p[i] == 'e') && i + 1 < p.size() && (p[i + 1] == '+' || p[i + 1] == '-');
}

TPictureSection AnalyseSection(std::string_view text)
{
    TPictureSection s;
    s.Text = text;
    bool afterPoint = false;
    int firstZero = -1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"' || c == '\'') {
            i += QuotedLength(text, i) - 1;
        } else if (IsExponentAt(text, i)) {
            s.Scientific = true;
            break; // the rest are exponent digits and literals
        } else if (c == '0' || c == '#') {
            s.HasPlaceholders = true;
            if (afterPoint) {
                ++s.MaxDecimals;
                if (c == '0')
                    s.MinDecimals = s.MaxDecimals;
            } else {
                if (c == '0' && firstZero < 0)
                    firstZero = s.IntPlaceholders;
                ++s.IntPlaceholders;
            }
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else if (c == ',') {
            s.Thousands = true;
        }
    }
    if (firstZero >= 0)
        s.MinIntDigits = s.IntPlaceholders - firstZero;
    return s;
}

std::vector<std::string_view> SplitSections(std::string_view p)
{
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] == '"' || p[i] == '\'')
            i += QuotedLength(p, i) - 1;
        else if (p[i] == ';') {
            sections.push_back(p.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(p.substr(start));
    return sections;
}

// Rounds |value| as the section shows it: fixed to MaxDecimals, or scientific
// with IntPlaceholders + MaxDecimals significant digits.
TDecimal RoundForSection(double value, const TPictureSection& s, int& exponent)
{
    exponent = 0;
    if (!s.Scientific)
        return FixedDecimal(std::fabs(value), s.MaxDecimals);
    const int intDigits = std::max(1, s.IntPlaceholders);
    TDecimal d = RoundedDecimal(std::fabs(value), std::min(intDigits + s.MaxDecimals, MaxFloatDigits));
    if (!d.Digits.empty()) {
        exponent = d.Exponent - intDigits;
        d.Exponent = intDigits;
    }
    return d;
}

std::string RenderSection(const TPictureSection& s, const TDecimal& d, int exponent, bool minus,
                          const TFormatSettings& fs)
{
    std::string intDigits, fracDigits;
    FixedParts(d, intDigits, fracDigits, s.MaxDecimals);
    if (intDigits == "0")
        intDigits.clear();
    if (static_cast<int>(intDigits.size()) < s.MinIntDigits)
        intDigits.insert(0, static_cast<std::size_t>(s.MinIntDigits) - intDigits.size(), '0');
    while (static_cast<int>(fracDigits.size()) > s.MinDecimals && fracDigits.back() == '0')
        fracDigits.pop_back();

    std::string out = minus ? "-" : "";
    const std::string_view p = s.Text;
    const int n = static_cast<int>(intDigits.size());
    int intIndex = 0, fracIndex = 0;
    bool afterPoint = false;
    auto emitIntDigit = [&](int j) {
        out += intDigits[static_cast<std::size_t>(j)];
        const int left = n - 1 - j;
        if (s.Thousands && left > 0 && left % 3 == 0)
            out += fs.ThousandSeparator;
    };
    for (std::size_t i = 0; i < p.size(); ++i) {
        const char c = p[i];
        if (c == '"' || c == '\'') {
            const std::size_t len = QuotedLength(p, i);
            const std::size_t inner = len >= 2 && i + len - 1 < p.size() && p[i + len - 1] == c ? len - 2 : len - 1;
            out.append(p.substr(i + 1, inner));
            i += len - 1;
        } else if (s.Scientific && IsExponentAt(p, i)) {
            std::size_t zeros = 0;
            while (i + 2 + zeros < p.size() && p[i + 2 + zeros] == '0')
                ++zeros;
            out += c;
            out += ExponentText(exponent, static_cast<int>(std::min<std::size_t>(zeros, 4)), p[i + 1] == '+');
            i += 1 + zeros;
        } else if (c == '0' || c == '#') {
            if (afterPoint) {
                if (fracIndex < static_cast<int>(fracDigits.size()))
                    out += fracDigits[static_cast<std::size_t>(fracIndex)];
                ++fracIndex;
            } else {
                // Extra leading digits go out at the first placeholder.
                const int j = intIndex - (s.IntPlaceholders - n);
                if (intIndex == 0)
                    for (int k = 0; k < j; ++k)
                        emitIntDigit(k);
                if (j >= 0)
                    emitIntDigit(j);
                ++intIndex;
            }
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
            if (!fracDigits.empty())
                out += fs.DecimalSeparator;
        } else if (c == ',') {
            // grouping is placed by digit count, not by the picture
        } else {
            out += c;
        }
    }
    return out;
}

// ------------------------------------------------------------- Format

[[noreturn]] void RaiseFormat(std::string_view fmt)
{
    throw EConvertError("Format '" + std::string(fmt) + "' invalid or incompatible with argument");
}

std::size_t CodePoints(std::string_view s)
{
    std::size_t n = 0;
    for (const char c : s)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    return n;
}

// The first `count` code points of a UTF-8 text.
std::string_view FirstCodePoints(std::string_view s, std::size_t count)
{
    std::size_t seen = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            if (seen == count)
                return s.substr(0, i);
            ++seen;
        }
    }
    return s;
}

class TFormatter {
public:
    TFormatter(std::string_view fmt, std::initializer_list<TVarRec> args, const TFormatSettings& fs)
        : FFmt(fmt), FArgs(args.begin()), FCount(args.size()), FSettings(fs) {}

    std::string Run()
    {
        std::string out;
        out.reserve(FFmt.size() + 16);
        std::size_t i = 0;
        while (i < FFmt.size()) {
            const std::size_t pct = FFmt.find('%', i);
            if (pct == std::string_view::npos) {
                out.append(FFmt.substr(i));
                break;
            }
            out.append(FFmt.substr(i, pct - i));
            i = pct + 1;
            if (i < FFmt.size() && FFmt[i] == '%') {
                out += '%';
                ++i;
                continue;
            }
            i = Specifier(i, out);
        }
        return out;
    }

private:
    const TVarRec& Next()
    {
        if (FNext >= FCount)
            throw EConvertError("No argument for format '" + std::string(FFmt) + "'");
        return FArgs[FNext++];
    }

    // A decimal number or '*' (the next argument); -1 when neither is present.
    int Number(std::size_t& i)
    {
        if (i < FFmt.size() && FFmt[i] == '*') {
            ++i;
            const TVarRec& a = Next();
            if (a.Kind() != TVarRec::TKind::Integer)
                RaiseFormat(FFmt);
            return static_cast<int>(std::clamp<std::int64_t>(a.AsInt64(), 0, 1 << 20));
        }
        if (i >= FFmt.size() || FFmt[i] < '0' || FFmt[i] > '9')
            return -1;
        std::int64_t v = 0;
        while (i < FFmt.size() && FFmt[i] >= '0' && FFmt[i] <= '9') {
            v = std::min<std::int64_t>(v * 10 + (FFmt[i] - '0'), 1 << 20);
            ++i;
        }
        return static_cast<int>(v);
    }

    std::size_t Specifier(std::size_t i, std::string& out)
    {
        bool left = false;
        int width = Number(i);
        if (i < FFmt.size() && FFmt[i] == ':') {
            // An argument index: the following specifiers continue from it.
            if (width < 0)
                RaiseFormat(FFmt);
            FNext = static_cast<std::size_t>(width);
            ++i;
            width = -1;
        }
        if (width < 0 && i < FFmt.size() && FFmt[i] == '-') {
            left = true;
            ++i;
        }
        if (width < 0)
            width = Number(i);
        int precision = -1;
        if (i < FFmt.size() && FFmt[i] == '.') {
            ++i;
            precision = Number(i);
            if (precision < 0)
                precision = 0;
        }
        if (i >= FFmt.size())
            RaiseFormat(FFmt);
        const char type = static_cast<char>(FFmt[i] >= 'A' && FFmt[i] <= 'Z' ? FFmt[i] - 'A' + 'a' : FFmt[i]);
        ++i;
        std::string text = Convert(type, precision);
        const std::size_t len = CodePoints(text);
        if (width > 0 && len < static_cast<std::size_t>(width)) {
            const std::string pad(static_cast<std::size_t>(width) - len, ' ');
            text = left ? text + pad : pad + text;
        }
        out += text;
        return i;
    }

    std::string Convert(char type, int precision)
    {
        switch (type) {
        case 'd':
        case 'u':
        case 'x': {
            const TVarRec& a = Next();
            if (a.Kind() != TVarRec::TKind::Integer)
                RaiseFormat(FFmt);
            std::uint64_t magnitude;
            bool negative = false;
            std::string digits;
            if (type == 'd') {
                const std::int64_t v = a.AsInt64();
                negative = !a.IsUnsigned() && v < 0;
                magnitude = negative ? 0 - static_cast<std::uint64_t>(v) : a.AsUInt64();
                digits = std::to_string(magnitude);
            } else {
                // %u and %x show the bit pattern of the argument's own width.
                magnitude = a.AsUInt64();
                if (a.IsNarrow())
                    magnitude &= 0xFFFFFFFFu;
                digits = type == 'u' ? std::to_string(magnitude) : Hex(magnitude, 0);
            }
            if (precision > 0 && static_cast<int>(digits.size()) < std::min(precision, 64))
                digits.insert(0, static_cast<std::size_t>(std::min(precision, 64)) - digits.size(), '0');
            return negative ? "-" + digits : digits;
        }
        case 'e':
        case 'f':
        case 'g':
        case 'n':
        case 'm': {
            const TVarRec& a = Next();
            double v;
            if (a.Kind() == TVarRec::TKind::Float)
                v = a.AsDouble();
            else
                RaiseFormat(FFmt);
            switch (type) {
            case 'e': return FloatText(v, ffExponent, precision < 0 ? 15 : precision, 3, FSettings);
            case 'g': return FloatText(v, ffGeneral, precision < 0 ? 15 : precision, 3, FSettings);
            case 'f': return FloatText(v, ffFixed, MaxFloatDigits, precision < 0 ? 2 : precision, FSettings);
            case 'n': return FloatText(v, ffNumber, MaxFloatDigits, precision < 0 ? 2 : precision, FSettings);
            default:
                return FloatText(v, ffCurrency, MaxFloatDigits,
                                 precision < 0 ? FSettings.CurrencyDecimals : precision, FSettings);
            }
        }
        case 's': {
            const TVarRec& a = Next();
            if (a.Kind() != TVarRec::TKind::Text)
                RaiseFormat(FFmt);
            std::string_view s = a.AsText();
            if (precision >= 0)
                s = FirstCodePoints(s, static_cast<std::size_t>(precision));
            return std::string(s);
        }
        case 'p': {
            const TVarRec& a = Next();
            if (a.Kind() != TVarRec::TKind::Pointer)
                RaiseFormat(FFmt);
            return Hex(reinterpret_cast<std::uintptr_t>(a.AsPointer()), 2 * static_cast<int>(sizeof(void*)));
        }
        default:
            RaiseFormat(FFmt);
        }
    }

    std::string_view FFmt;
    const TVarRec* FArgs;
    std::size_t FCount;
    std::size_t FNext = 0;
    const TFormatSettings& FSettings;
};

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

TVarRec& TVarRec::operator=(const TVarRec& other)
{
    FKind = other.FKind;
    FNarrow = other.FNarrow;
    FUnsigned = other.FUnsigned;
    FChar = other.FChar;
    FInt = other.FInt;
    FUInt = other.FUInt;
    FFloat = other.FFloat;
    FPointer = other.FPointer;
    // A character argument refers to its own storage.
    FText = other.FText.data() == &other.FChar ? std::string_view(&FChar, 1) : other.FText;
    return *this;
}

std::string Format(std::string_view fmt, std::initializer_list<TVarRec> args)
{
    return TFormatter(fmt, args, FormatSettings).Run();
}

std::string Format(std::string_view fmt, std::initializer_list<TVarRec> args, const TFormatSettings& settings)
{
    return TFormatter(fmt, args, settings).Run();
}

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

std::string FormatFloat(std::string_view picture, double value) { return FormatFloat(picture, value, FormatSettings); }

std::string FormatFloat(std::string_view picture, double value, const TFormatSettings& settings)
{
    if (const char* special = SpecialText(value))
        return special;
    const std::vector<std::string_view> texts = SplitSections(picture);
    const TPictureSection positive = AnalyseSection(texts[0]);
    if (texts.size() == 1 && texts[0].empty())
        return FloatText(value, ffGeneral, 15, 0, settings);

    int exponent = 0;
    TDecimal d = RoundForSection(value, positive, exponent);
    const TPictureSection* section = &positive;
    bool minus = false;
    if (d.Digits.empty()) {
        if (texts.size() >= 3 && !texts[2].empty())
            section = nullptr; // zero section, analysed below
    } else if (value < 0) {
        if (texts.size() >= 2 && !texts[1].empty())
            section = nullptr;
        else
            minus = true;
    }
    if (section)
        return RenderSection(*section, d, exponent, minus, settings);
    const TPictureSection other = AnalyseSection(d.Digits.empty() ? texts[2] : texts[1]);
    d = RoundForSection(value, other, exponent);
    return RenderSection(other, d, exponent, false, settings);
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
