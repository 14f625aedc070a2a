// Format ("%d %s %.2f …" with arguments) and FormatFloat (by a picture).
#include "host/Exceptions.h"
#include "host/NumberText.h"
#include "host/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace cartova::host {

using namespace detail;

namespace {

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

} // namespace cartova::host
