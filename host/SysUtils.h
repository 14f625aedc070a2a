#pragma once
// Number formatting and parsing: Format, IntToStr/StrToInt, FloatToStr/StrToFloat,
// FormatFloat, Round and Trunc, and the process-wide format settings they read.
// Every conversion is locale independent: the separators come from the format
// settings, never from the C or C++ locale of the process.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

namespace cartova::host {

/// Separators, date/time pictures and names used by the conversions of the host.
struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '-';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "yyyy-mm-dd";
    std::string LongDateFormat = "d mmmm yyyy";
    std::string ShortTimeFormat = "hh:nn";
    std::string LongTimeFormat = "hh:nn:ss";
    std::string TimeAMString = "AM";
    std::string TimePMString = "PM";
    std::string CurrencyString = "$";
    /// 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
    int CurrencyFormat = 0;
    /// 0 "($1)", 1 "-$1", 2 "$-1", 3 "$1-", 4 "(1$)", 5 "-1$", 6 "1-$", 7 "1$-", 8 "-1 $".
    int NegCurrFormat = 0;
    int CurrencyDecimals = 2;
    /// Two-digit years are placed within this many years before the current year.
    int TwoDigitYearCenturyWindow = 50;
    std::string ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::string LongMonthNames[12] = {"January", "February", "March", "April",
                                      "May", "June", "July", "August",
                                      "September", "October", "November", "December"};
    /// Index 0 is Sunday.
    std::string ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::string LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday",
                                   "Thursday", "Friday", "Saturday"};
};

/// The process-wide settings; library start-up sets DecimalSeparator to '.'.
extern TFormatSettings FormatSettings;

/// One argument of Format: an integer, a float, a text, a character or a pointer.
/// Built implicitly from the argument; a text argument refers to the caller's
/// string, which lives until the end of the full expression.
class TVarRec {
public:
    enum class TKind { Integer, Float, Text, Pointer, Boolean };

    template <class T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool> &&
                                            !std::is_same_v<T, char>, int> = 0>
    TVarRec(T value) // NOLINT(google-explicit-constructor)
        : FKind(TKind::Integer), FNarrow(sizeof(T) <= 4), FUnsigned(std::is_unsigned_v<T>)
    {
        if constexpr (std::is_unsigned_v<T>)
            FUInt = static_cast<std::uint64_t>(value);
        else
            FInt = static_cast<std::int64_t>(value);
    }
    template <class T, std::enable_if_t<std::is_floating_point_v<T>, int> = 0>
    TVarRec(T value) : FKind(TKind::Float), FFloat(static_cast<double>(value)) {}
    TVarRec(bool value) : FKind(TKind::Boolean), FInt(value ? 1 : 0) {}
    TVarRec(char value) : FKind(TKind::Text), FChar(value), FText(&FChar, 1) {}
    TVarRec(const char* value) : FKind(TKind::Text), FText(value ? value : "") {}
    TVarRec(const std::string& value) : FKind(TKind::Text), FText(value) {}
    TVarRec(std::string_view value) : FKind(TKind::Text), FText(value) {}
    TVarRec(const void* value) : FKind(TKind::Pointer), FPointer(value) {}
    TVarRec(std::nullptr_t) : FKind(TKind::Pointer), FPointer(nullptr) {}
    TVarRec(const TVarRec& other) { *this = other; }
    TVarRec& operator=(const TVarRec& other);

    TKind Kind() const { return FKind; }
    /// Whether an integer argument came from a type of 32 bits or fewer.
    bool IsNarrow() const { return FNarrow; }
    bool IsUnsigned() const { return FUnsigned; }
    std::int64_t AsInt64() const { return FUnsigned ? static_cast<std::int64_t>(FUInt) : FInt; }
    std::uint64_t AsUInt64() const { return FUnsigned ? FUInt : static_cast<std::uint64_t>(FInt); }
    double AsDouble() const { return FFloat; }
    std::string_view AsText() const { return FText; }
    const void* AsPointer() const { return FPointer; }

private:
    TKind FKind = TKind::Integer;
    bool FNarrow = false;
    bool FUnsigned = false;
    char FChar = 0;
    std::int64_t FInt = 0;
    std::uint64_t FUInt = 0;
    double FFloat = 0;
    std::string_view FText;
    const void* FPointer = nullptr;
};

/// Formats like the host's Format: "%[index:][-][width][.precision]type" with the
/// types d u e f g n m p s x (case-insensitive), '*' for width or precision taken
/// from the arguments, and "%%". A bad specifier, a missing argument or one of the
/// wrong type raises EConvertError naming the format string.
std::string Format(std::string_view fmt, std::initializer_list<TVarRec> args);
/// Format with explicit settings (separators, currency).
std::string Format(std::string_view fmt, std::initializer_list<TVarRec> args,
                   const TFormatSettings& settings);
/// Format with the arguments written directly: Format("%d of %s", n, name).
template <class... Args>
std::string Format(std::string_view fmt, const Args&... args)
{
    return Format(fmt, std::initializer_list<TVarRec>{TVarRec(args)...});
}

/// Decimal text of an integer.
std::string IntToStr(std::int64_t value);
/// Upper-case hexadecimal text of an integer, zero-padded to at least `digits`.
std::string IntToHex(std::int64_t value, int digits);
/// Parses a 32-bit integer (leading blanks, sign, decimal or $/0x hexadecimal);
/// raises EConvertError "'x' is not a valid integer value".
int StrToInt(std::string_view text);
/// Like StrToInt for 64-bit values.
std::int64_t StrToInt64(std::string_view text);
/// StrToInt, or `fallback` when the text is not an integer.
int StrToIntDef(std::string_view text, int fallback);
/// StrToInt64, or `fallback` when the text is not an integer.
std::int64_t StrToInt64Def(std::string_view text, std::int64_t fallback);
/// StrToInt without raising: false when the text is not an integer.
bool TryStrToInt(std::string_view text, int& value);
bool TryStrToInt64(std::string_view text, std::int64_t& value);

/// The float formats of FloatToStrF.
enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

/// Shortest text of a value with 15 significant digits: fixed notation unless the
/// decimal exponent is 15 or more or below -4 ("1E20", "-1.5E-7"); "NAN", "INF", "-INF".
std::string FloatToStr(double value);
std::string FloatToStr(double value, const TFormatSettings& settings);
/// Formats a value with `precision` significant digits; `digits` is the minimum
/// exponent width for ffGeneral/ffExponent and the decimal count otherwise.
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits);
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                        const TFormatSettings& settings);
/// Formats by a picture: '0' digit, '#' optional digit, '.' decimal point,
/// ',' thousands grouping, E+/E-/e+/e- exponent, quoted literals, and up to three
/// ';'-separated sections for positive, negative and zero values.
std::string FormatFloat(std::string_view picture, double value);
std::string FormatFloat(std::string_view picture, double value, const TFormatSettings& settings);

/// Parses a decimal number with the settings' decimal separator, optional sign and
/// exponent, surrounded by optional blanks; raises EConvertError
/// "'x' is not a valid floating point value". Text for NaN or infinity is refused.
double StrToFloat(std::string_view text);
double StrToFloat(std::string_view text, const TFormatSettings& settings);
/// StrToFloat, or `fallback` when the text is not a number.
double StrToFloatDef(std::string_view text, double fallback);
/// StrToFloat without raising: false when the text is not a number.
bool TryStrToFloat(std::string_view text, double& value);
bool TryStrToFloat(std::string_view text, double& value, const TFormatSettings& settings);

/// Nearest integer, halves to even (0.5 → 0, 1.5 → 2, -2.5 → -2); raises
/// ERangeError for NaN, infinity or values outside the 64-bit range.
std::int64_t Round(double value);
/// The integer part (toward zero); raises ERangeError like Round.
std::int64_t Trunc(double value);

} // namespace cartova::host

namespace cartova {
using host::TFormatSettings;
using host::FormatSettings;
using host::TVarRec;
using host::Format;
using host::IntToStr;
using host::IntToHex;
using host::StrToInt;
using host::StrToInt64;
using host::StrToIntDef;
using host::StrToInt64Def;
using host::TryStrToInt;
using host::TryStrToInt64;
using host::TFloatFormat;
using host::ffGeneral;
using host::ffExponent;
using host::ffFixed;
using host::ffNumber;
using host::ffCurrency;
using host::FloatToStr;
using host::FloatToStrF;
using host::FormatFloat;
using host::StrToFloat;
using host::StrToFloatDef;
using host::TryStrToFloat;
using host::Round;
using host::Trunc;
} // namespace cartova
