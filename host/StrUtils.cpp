#include "host/StrUtils.h"

#include <QString>

namespace cartova::host {

namespace {

QString ToQ(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

std::string FromQ(const QString& s)
{
    const QByteArray bytes = s.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }

} // namespace

int AnsiCompareText(std::string_view a, std::string_view b)
{
    return Sign(QString::compare(ToQ(a), ToQ(b), Qt::CaseInsensitive));
}

int AnsiCompareStr(std::string_view a, std::string_view b)
{
    return Sign(QString::compare(ToQ(a), ToQ(b), Qt::CaseSensitive));
}

bool SameText(std::string_view a, std::string_view b) { return AnsiCompareText(a, b) == 0; }

int CompareText(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(AsciiLower(a[i]));
        const auto cb = static_cast<unsigned char>(AsciiLower(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string AnsiUpperCase(std::string_view s) { return FromQ(ToQ(s).toUpper()); }

std::string AnsiLowerCase(std::string_view s) { return FromQ(ToQ(s).toLower()); }

std::string UpperCase(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        c = AsciiUpper(c);
    return r;
}

std::string LowerCase(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        c = AsciiLower(c);
    return r;
}

std::string TrimLeft(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && IsTrimmed(s[i]))
        ++i;
    return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s)
{
    std::size_t n = s.size();
    while (n > 0 && IsTrimmed(s[n - 1]))
        --n;
    return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s)
{
    std::size_t i = 0, n = s.size();
    while (i < n && IsTrimmed(s[i]))
        ++i;
    while (n > i && IsTrimmed(s[n - 1]))
        --n;
    return std::string(s.substr(i, n - i));
}

std::string AnsiQuotedStr(std::string_view s, char quote)
{
    std::string r;
    r.reserve(s.size() + 2);
    r += quote;
    for (const char c : s) {
        r += c;
        if (c == quote)
            r += quote;
    }
    r += quote;
    return r;
}

std::string QuotedStr(std::string_view s) { return AnsiQuotedStr(s, '\''); }

std::string AnsiDequotedStr(std::string_view s, char quote)
{
    if (s.empty() || s.front() != quote)
        return std::string(s);
    std::string r;
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (s[i] != quote) {
            r += s[i];
        } else if (i + 1 < s.size() && s[i + 1] == quote) {
            r += quote;
            ++i;
        } else {
            return r; // closing quote; what follows it is ignored
        }
    }
    return std::string(s); // unterminated
}

std::size_t PosEx(std::string_view sub, std::string_view s, std::size_t offset)
{
    if (sub.empty() || offset < 1 || offset > s.size())
        return 0;
    const std::size_t at = s.find(sub, offset - 1);
    return at == std::string_view::npos ? 0 : at + 1;
}

std::size_t Pos(std::string_view sub, std::string_view s) { return PosEx(sub, s, 1); }

std::string Copy(std::string_view s, long long index, long long count)
{
    if (index < 1)
        index = 1;
    if (count <= 0 || index > static_cast<long long>(s.size()))
        return {};
    const auto start = static_cast<std::size_t>(index - 1);
    return std::string(s.substr(start, static_cast<std::size_t>(count)));
}

std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          TReplaceFlags flags)
{
    if (oldPattern.empty())
        return std::string(s);
    const bool all = (flags & rfReplaceAll) != 0;
    if (flags & rfIgnoreCase) {
        // Matched on the UTF-16 text so that positions refer to the original.
        const QString text = ToQ(s), from = ToQ(oldPattern), to = ToQ(newPattern);
        QString out;
        qsizetype start = 0;
        for (;;) {
            const qsizetype at = text.indexOf(from, start, Qt::CaseInsensitive);
            if (at < 0)
                break;
            out += QStringView(text).mid(start, at - start);
            out += to;
            start = at + from.size();
            if (!all)
                break;
        }
        out += QStringView(text).mid(start);
        return FromQ(out);
    }
    std::string out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = s.find(oldPattern, start);
        if (at == std::string_view::npos)
            break;
        out.append(s.substr(start, at - start));
        out.append(newPattern);
        start = at + oldPattern.size();
        if (!all)
            break;
    }
    out.append(s.substr(start));
    return out;
}

} // namespace cartova::host
