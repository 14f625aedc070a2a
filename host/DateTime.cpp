#include "host/DateTime.h"

#include "host/Exceptions.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace cartova::host {

namespace {

constexpr long long MSecsPerDay = 86400000;
constexpr long long UnixDateDelta = 25569; // 1899-12-30 → 1970-01-01
// 0001-01-01 and the day after 9999-12-31, as TDateTime day numbers.
constexpr double MinDateValue = -693594.0;
constexpr double MaxDateValue = 2958466.0;

// Days since 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, int m, int d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& value)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    value = static_cast<double>(DaysFromCivil(year, month, day) + UnixDateDelta);
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& value)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0 || msec > 999)
        return false;
    value = static_cast<double>(((hour * 60LL + minute) * 60 + second) * 1000 + msec) / MSecsPerDay;
    return true;
}

// A value split into its day (signed) and its time of day in milliseconds.
struct TStamp {
    long long Day = 0;
    long long MSec = 0;
};

TStamp Split(TDateTime value)
{
    if (!(value > MinDateValue && value < MaxDateValue))
        throw EConvertError("Invalid date and time value " + FloatToStr(value));
    const auto total = static_cast<long long>(std::round(std::fabs(value) * MSecsPerDay));
    TStamp s;
    s.Day = total / MSecsPerDay;
    s.MSec = total % MSecsPerDay;
    if (value < 0)
        s.Day = -s.Day;
    return s;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithNoCase(std::string_view s, std::size_t at, std::string_view prefix)
{
    if (s.size() - at < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (Lower(s[at + i]) != Lower(prefix[i]))
            return false;
    return true;
}

std::string Padded(long long v, int width)
{
    std::string s = std::to_string(v);
    if (static_cast<int>(s.size()) < width)
        s.insert(0, static_cast<std::size_t>(width) - s.size(), '0');
    return s;
}

// The length of a run of the letter at `i`, case-insensitive.
std::size_t Run(std::string_view p, std::size_t i)
{
    std::size_t n = 1;
    while (i + n < p.size() && Lower(p[i + n]) == Lower(p[i]))
        ++n;
    return n;
}

// Whether the picture from `i` on holds an am/pm, a/p or ampm specifier.
bool HasAmPm(std::string_view p, std::size_t i)
{
    for (; i < p.size(); ++i) {
        if (p[i] == '"' || p[i] == '\'') {
            const std::size_t close = p.find(p[i], i + 1);
            if (close == std::string_view::npos)
                return false;
            i = close;
        } else if (StartsWithNoCase(p, i, "am/pm") || StartsWithNoCase(p, i, "a/p") ||
                   StartsWithNoCase(p, i, "ampm")) {
            return true;
        }
    }
    return false;
}

struct TParts {
    int Year, Month, Day, Hour, Minute, Second, MSec, WeekDay;
    bool HasTime;
};

TParts Decode(TDateTime value)
{
    const TStamp s = Split(value);
    TParts p{};
    CivilFromDays(s.Day - UnixDateDelta, p.Year, p.Month, p.Day);
    p.Hour = static_cast<int>(s.MSec / 3600000);
    p.Minute = static_cast<int>(s.MSec / 60000 % 60);
    p.Second = static_cast<int>(s.MSec / 1000 % 60);
    p.MSec = static_cast<int>(s.MSec % 1000);
    p.WeekDay = static_cast<int>(((s.Day % 7) + 7 + 6) % 7); // 0 = Sunday
    p.HasTime = s.MSec != 0;
    return p;
}

void AppendFormatted(std::string& out, std::string_view p, const TParts& t, const TFormatSettings& fs, int depth)
{
    if (depth > 2)
        return; // a picture that names itself
    char lastToken = 0;
    for (std::size_t i = 0; i < p.size();) {
        const char c = Lower(p[i]);
        const std::size_t n = Run(p, i);
        switch (c) {
        case 'y':
            out += n <= 2 ? Padded(t.Year % 100, 2) : Padded(t.Year, 4);
            i += n;
            break;
        case 'm':
            if (lastToken == 'h')
                out += Padded(t.Minute, n >= 2 ? 2 : 1);
            else if (n <= 2)
                out += Padded(t.Month, static_cast<int>(n));
            else
                out += n == 3 ? fs.ShortMonthNames[t.Month - 1] : fs.LongMonthNames[t.Month - 1];
            i += n;
            break;
        case 'd':
            if (n <= 2)
                out += Padded(t.Day, static_cast<int>(n));
            else if (n == 3)
                out += fs.ShortDayNames[t.WeekDay];
            else if (n == 4)
                out += fs.LongDayNames[t.WeekDay];
            else
                AppendFormatted(out, n == 5 ? fs.ShortDateFormat : fs.LongDateFormat, t, fs, depth + 1);
            i += n;
            break;
        case 'h': {
            int hour = t.Hour;
            if (HasAmPm(p, i + n)) {
                hour %= 12;
                if (hour == 0)
                    hour = 12;
            }
            out += Padded(hour, n >= 2 ? 2 : 1);
            i += n;
            break;
        }
        case 'n':
            out += Padded(t.Minute, n >= 2 ? 2 : 1);
            i += n;
            break;
        case 's':
            out += Padded(t.Second, n >= 2 ? 2 : 1);
            i += n;
            break;
        case 'z':
            out += Padded(t.MSec, n >= 3 ? 3 : 1);
            i += n;
            break;
        case 't':
            AppendFormatted(out, n == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, t, fs, depth + 1);
            i += n;
            break;
        case 'c':
            AppendFormatted(out, fs.ShortDateFormat, t, fs, depth + 1);
            if (t.HasTime) {
                out += ' ';
                AppendFormatted(out, fs.LongTimeFormat, t, fs, depth + 1);
            }
            i += 1;
            break;
        case 'a':
            if (StartsWithNoCase(p, i, "am/pm")) {
                const std::string_view written = p.substr(i + (t.Hour < 12 ? 0 : 3), 2);
                out.append(written);
                i += 5;
            } else if (StartsWithNoCase(p, i, "a/p")) {
                out += p[i + (t.Hour < 12 ? 0 : 2)];
                i += 3;
            } else if (StartsWithNoCase(p, i, "ampm")) {
                out += t.Hour < 12 ? fs.TimeAMString : fs.TimePMString;
                i += 4;
            } else {
                out += p[i++];
            }
            break;
        case '/':
            out += fs.DateSeparator;
            ++i;
            break;
        case ':':
            out += fs.TimeSeparator;
            ++i;
            break;
        case '"':
        case '\'': {
            const std::size_t close = p.find(p[i], i + 1);
            const std::size_t end = close == std::string_view::npos ? p.size() : close;
            out.append(p.substr(i + 1, end - i - 1));
            i = end == p.size() ? end : end + 1;
            break;
        }
        default:
            out += p[i++];
            break;
        }
        if (c == 'y' || c == 'm' || c == 'd' || c == 'h' || c == 'n' || c == 's' || c == 'z')
            lastToken = c;
    }
}

// ------------------------------------------------------------ parsing

struct TScanner {
    std::string_view S;
    std::size_t I = 0;

    void Blanks()
    {
        while (I < S.size() && (S[I] == ' ' || S[I] == '\t'))
            ++I;
    }
    bool AtEnd() const { return I >= S.size(); }
    // Up to 9 decimal digits; `digits` gets how many were read.
    bool Number(int& value, int& digits)
    {
        value = 0;
        digits = 0;
        while (I < S.size() && S[I] >= '0' && S[I] <= '9') {
            if (digits == 9)
                return false;
            value = value * 10 + (S[I++] - '0');
            ++digits;
        }
        return digits > 0;
    }
    bool Char(char c)
    {
        if (I < S.size() && S[I] == c) {
            ++I;
            return true;
        }
        return false;
    }
};

int CurrentYear()
{
    int y, m, d;
    DecodeDate(Now(), y, m, d);
    return y;
}

bool ScanDate(TScanner& sc, const TFormatSettings& fs, TDateTime& value)
{
    char order = 'y';
    for (const char c : fs.ShortDateFormat) {
        const char l = Lower(c);
        if (l == 'y' || l == 'm' || l == 'd') {
            order = l;
            break;
        }
    }
    sc.Blanks();
    int n[3], digits[3], count = 0;
    if (!sc.Number(n[0], digits[0]))
        return false;
    count = 1;
    while (count < 3 && sc.Char(fs.DateSeparator)) {
        if (!sc.Number(n[count], digits[count]))
            return false;
        ++count;
    }
    if (count < 2)
        return false;
    int year, month, day, yearDigits = 4;
    if (count == 2) {
        year = CurrentYear();
        if (order == 'd') {
            day = n[0];
            month = n[1];
        } else {
            month = n[0];
            day = n[1];
        }
    } else if (order == 'y') {
        year = n[0], yearDigits = digits[0], month = n[1], day = n[2];
    } else if (order == 'm') {
        month = n[0], day = n[1], year = n[2], yearDigits = digits[2];
    } else {
        day = n[0], month = n[1], year = n[2], yearDigits = digits[2];
    }
    if (yearDigits <= 2) {
        // Two-digit years fall within the window before the current year.
        const int current = CurrentYear();
        const int window = fs.TwoDigitYearCenturyWindow;
        if (window > 0) {
            const int pivot = current - window;
            year += pivot / 100 * 100;
            if (year < pivot)
                year += 100;
        } else {
            year += current / 100 * 100;
        }
    }
    return TryEncodeDate(year, month, day, value);
}

bool ScanAmPm(TScanner& sc, const TFormatSettings& fs, int& half)
{
    half = -1;
    const std::string_view rest = sc.S.substr(sc.I);
    const std::string_view candidates[] = {fs.TimeAMString, fs.TimePMString, "AM", "PM", "A", "P"};
    for (int k = 0; k < 6; ++k) {
        if (!candidates[k].empty() && StartsWithNoCase(rest, 0, candidates[k])) {
            half = k % 2;
            sc.I += candidates[k].size();
            return true;
        }
    }
    return false;
}

bool ScanTime(TScanner& sc, const TFormatSettings& fs, TDateTime& value)
{
    sc.Blanks();
    int hour, minute = 0, second = 0, msec = 0, digits;
    if (!sc.Number(hour, digits))
        return false;
    bool hasMinute = false;
    if (sc.Char(fs.TimeSeparator)) {
        if (!sc.Number(minute, digits))
            return false;
        hasMinute = true;
        if (sc.Char(fs.TimeSeparator)) {
            if (!sc.Number(second, digits))
                return false;
            if (sc.Char(fs.DecimalSeparator) && !sc.Number(msec, digits))
                return false;
        }
    }
    sc.Blanks();
    int half;
    if (ScanAmPm(sc, fs, half)) {
        if (hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + (half == 1 ? 12 : 0);
    } else if (!hasMinute) {
        return false;
    }
    return TryEncodeTime(hour, minute, second, msec, value);
}

bool ParseDate(std::string_view text, const TFormatSettings& fs, TDateTime& value)
{
    TScanner sc{text};
    if (!ScanDate(sc, fs, value))
        return false;
    sc.Blanks();
    return sc.AtEnd();
}

bool ParseTime(std::string_view text, const TFormatSettings& fs, TDateTime& value)
{
    TScanner sc{text};
    if (!ScanTime(sc, fs, value))
        return false;
    sc.Blanks();
    return sc.AtEnd();
}

bool ParseDateTime(std::string_view text, const TFormatSettings& fs, TDateTime& value)
{
    TScanner sc{text};
    TDateTime date = 0, time = 0;
    if (!ScanDate(sc, fs, date))
        return ParseTime(text, fs, value); // a time alone is a time on day 0
    sc.Blanks();
    if (!sc.AtEnd()) {
        if (!ScanTime(sc, fs, time))
            return false;
        sc.Blanks();
        if (!sc.AtEnd())
            return false;
    }
    value = ComposeDateTime(date, time);
    return true;
}

[[noreturn]] void RaiseInvalid(std::string_view text, const char* what)
{
    throw EConvertError("'" + std::string(text) + "' is not a valid " + what);
}

} // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime v;
    if (!TryEncodeDate(year, month, day, v))
        throw EConvertError("Invalid argument to date encode");
    return v;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    const TParts p = Decode(value);
    year = p.Year;
    month = p.Month;
    day = p.Day;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec)
{
    TDateTime v;
    if (!TryEncodeTime(hour, minute, second, msec, v))
        throw EConvertError("Invalid argument to time encode");
    return v;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec)
{
    const TParts p = Decode(value);
    hour = p.Hour;
    minute = p.Minute;
    second = p.Second;
    msec = p.MSec;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time)
{
    return date < 0 ? date - std::fabs(time) : date + std::fabs(time);
}

int DayOfWeek(TDateTime value) { return Decode(value).WeekDay + 1; }

std::string FormatDateTime(std::string_view picture, TDateTime value)
{
    return FormatDateTime(picture, value, FormatSettings);
}

std::string FormatDateTime(std::string_view picture, TDateTime value, const TFormatSettings& settings)
{
    std::string out;
    AppendFormatted(out, picture.empty() ? std::string_view("c") : picture, Decode(value), settings, 0);
    return out;
}

std::string DateToStr(TDateTime value) { return FormatDateTime(FormatSettings.ShortDateFormat, value); }

std::string TimeToStr(TDateTime value) { return FormatDateTime(FormatSettings.LongTimeFormat, value); }

std::string DateTimeToStr(TDateTime value) { return FormatDateTime("c", value); }

TDateTime StrToDate(std::string_view text) { return StrToDate(text, FormatSettings); }
TDateTime StrToTime(std::string_view text) { return StrToTime(text, FormatSettings); }
TDateTime StrToDateTime(std::string_view text) { return StrToDateTime(text, FormatSettings); }

TDateTime StrToDate(std::string_view text, const TFormatSettings& settings)
{
    TDateTime v;
    if (!ParseDate(text, settings, v))
        RaiseInvalid(text, "date");
    return v;
}

TDateTime StrToTime(std::string_view text, const TFormatSettings& settings)
{
    TDateTime v;
    if (!ParseTime(text, settings, v))
        RaiseInvalid(text, "time");
    return v;
}

TDateTime StrToDateTime(std::string_view text, const TFormatSettings& settings)
{
    TDateTime v;
    if (!ParseDateTime(text, settings, v))
        RaiseInvalid(text, "date and time");
    return v;
}

bool TryStrToDate(std::string_view text, TDateTime& value) { return ParseDate(text, FormatSettings, value); }
bool TryStrToTime(std::string_view text, TDateTime& value) { return ParseTime(text, FormatSettings, value); }
bool TryStrToDateTime(std::string_view text, TDateTime& value) { return ParseDateTime(text, FormatSettings, value); }

TDateTime Now()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&t, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), static_cast<int>(ms < 0 ? 0 : ms));
}

TDateTime Date() { return std::floor(Now()); }

TDateTime Time()
{
    const TDateTime n = Now();
    return n - std::floor(n);
}

} // namespace cartova::host
