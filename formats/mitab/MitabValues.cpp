#include "MitabValues.h"

#include "mitab.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace cartova::mitab {

namespace {

std::string_view Trim(std::string_view S)
{
    while (!S.empty() && std::isspace(static_cast<unsigned char>(S.front())))
        S.remove_prefix(1);
    while (!S.empty() && std::isspace(static_cast<unsigned char>(S.back())))
        S.remove_suffix(1);
    return S;
}

bool ParseNumber(std::string_view S, double& V)
{
    if (!S.empty() && S.front() == '+')
        S.remove_prefix(1);
    const auto [End, Ec] = std::from_chars(S.data(), S.data() + S.size(), V);
    return Ec == std::errc() && End == S.data() + S.size() && std::isfinite(V);
}

bool ParseInteger(std::string_view S, long long& V)
{
    if (!S.empty() && S.front() == '+')
        S.remove_prefix(1);
    const auto [End, Ec] = std::from_chars(S.data(), S.data() + S.size(), V);
    return Ec == std::errc() && End == S.data() + S.size();
}

// Takes N digits from the front of S.
bool Digits(std::string_view& S, std::size_t N, int& V)
{
    if (S.size() < N)
        return false;
    V = 0;
    for (std::size_t I = 0; I < N; ++I) {
        if (!std::isdigit(static_cast<unsigned char>(S[I])))
            return false;
        V = V * 10 + (S[I] - '0');
    }
    S.remove_prefix(N);
    return true;
}

bool Separator(std::string_view& S, std::string_view Allowed)
{
    if (!S.empty() && Allowed.find(S.front()) != std::string_view::npos) {
        S.remove_prefix(1);
        return true;
    }
    return false;
}

// YYYYMMDD, YYYY-MM-DD or YYYY/MM/DD.
bool ParseDate(std::string_view& S, std::string& Out)
{
    int Y, M, D;
    if (!Digits(S, 4, Y))
        return false;
    const bool Separated = Separator(S, "-/");
    if (!Digits(S, 2, M) || (Separated && !Separator(S, "-/")) || !Digits(S, 2, D))
        return false;
    static const int Days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (M < 1 || M > 12 || D < 1 || D > Days[M - 1])
        return false;
    if (M == 2 && D == 29 && !(Y % 4 == 0 && (Y % 100 != 0 || Y % 400 == 0)))
        return false;
    char Buf[16];
    std::snprintf(Buf, sizeof Buf, "%04d/%02d/%02d", Y, M, D);
    Out = Buf;
    return true;
}

// HH:MM:SS[.mmm] or HHMMSS[mmm].
bool ParseTime(std::string_view& S, std::string& Out)
{
    int H, M, Sec, Ms = -1;
    if (!Digits(S, 2, H))
        return false;
    const bool Separated = Separator(S, ":");
    if (!Digits(S, 2, M) || (Separated && !Separator(S, ":")) || !Digits(S, 2, Sec))
        return false;
    if (Separated ? Separator(S, ".") : !S.empty())
        if (!Digits(S, 3, Ms))
            return false;
    if (H > 23 || M > 59 || Sec > 59)
        return false;
    char Buf[16];
    if (Ms >= 0)
        std::snprintf(Buf, sizeof Buf, "%02d:%02d:%02d.%03d", H, M, Sec, Ms);
    else
        std::snprintf(Buf, sizeof Buf, "%02d:%02d:%02d", H, M, Sec);
    Out = Buf;
    return true;
}

std::string Lower(std::string_view S)
{
    std::string L(S);
    for (char& C : L)
        C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
    return L;
}

} // namespace

bool NormaliseValue(int Type, const std::string& Text, std::string& Value, std::string& Error)
{
    std::string_view S = Trim(Text);
    if (S.empty() && Type != TABFT_Char) {
        Value.clear();
        return true;
    }
    switch (Type) {
    case TABFT_Integer:
    case TABFT_SmallInt: {
        long long V = 0;
        const long long Limit = Type == TABFT_SmallInt ? 32767 : 2147483647;
        if (!ParseInteger(S, V) || V > Limit || V < -Limit - 1) {
            Error = "'" + Text + "' is not a " + (Type == TABFT_SmallInt ? "SmallInt" : "Integer") + " value";
            return false;
        }
        Value = std::to_string(V);
        return true;
    }
    case TABFT_Decimal:
    case TABFT_Float: {
        double V = 0;
        if (!ParseNumber(S, V)) {
            Error = "'" + Text + "' is not a number";
            return false;
        }
        Value = std::string(S.front() == '+' ? S.substr(1) : S);
        return true;
    }
    case TABFT_Date:
        if (!ParseDate(S, Value) || !S.empty()) {
            Error = "'" + Text + "' is not a date (YYYY/MM/DD, YYYY-MM-DD or YYYYMMDD)";
            return false;
        }
        return true;
    case TABFT_Time:
        if (!ParseTime(S, Value) || !S.empty()) {
            Error = "'" + Text + "' is not a time (HH:MM:SS or HHMMSS)";
            return false;
        }
        return true;
    case TABFT_DateTime: {
        std::string Date, Time;
        const bool Compact = S.size() >= 14 && S.find_first_not_of("0123456789") == std::string_view::npos;
        if (!ParseDate(S, Date) || !(Compact || Separator(S, " T")) || !ParseTime(S, Time) || !S.empty()) {
            Error = "'" + Text + "' is not a date and time (YYYY/MM/DD HH:MM:SS)";
            return false;
        }
        Value = Date + " " + Time;
        return true;
    }
    case TABFT_Logical: {
        const std::string L = Lower(S);
        if (L == "t" || L == "true" || L == "y" || L == "yes" || L == "1")
            Value = "T";
        else if (L == "f" || L == "false" || L == "n" || L == "no" || L == "0")
            Value = "F";
        else {
            Error = "'" + Text + "' is not a logical value (T or F)";
            return false;
        }
        return true;
    }
    default:
        Value = Text;
        return true;
    }
}

double ValueAsDouble(int Type, const std::string& Value)
{
    switch (Type) {
    case TABFT_Logical:
        return Value == "T" ? 1 : 0;
    case TABFT_Date:
    case TABFT_Time:
    case TABFT_DateTime:
        return 0;
    default: {
        // The number the text begins with, as C's atof reads it.
        const std::string_view S = Trim(Value);
        double V = 0;
        const char* Begin = S.data() + (!S.empty() && S.front() == '+');
        const auto [End, Ec] = std::from_chars(Begin, S.data() + S.size(), V);
        return Ec == std::errc() && std::isfinite(V) ? V : 0;
    }
    }
}

} // namespace cartova::mitab
