#pragma once
// Dates and times as TDateTime: days since 1899-12-30 in the integral part and
// the time of day as the fraction. Before 1899-12-30 the value is negative and
// the fraction is still the time of day: -1.25 is 1899-12-29 06:00.
// Text conversions follow the process-wide FormatSettings.

#include "host/SysUtils.h"

#include <string>
#include <string_view>

namespace cartova::host {

/// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;

/// The date of a year (1..9999), month and day; raises EConvertError
/// "Invalid argument to date encode" for a date that does not exist.
TDateTime EncodeDate(int year, int month, int day);
/// Splits the date part of a value; raises EConvertError for values outside 1..9999.
void DecodeDate(TDateTime value, int& year, int& month, int& day);
/// The fraction of a day of a time; raises EConvertError
/// "Invalid argument to time encode" for hour > 23, minute/second > 59 or ms > 999.
TDateTime EncodeTime(int hour, int minute, int second, int msec);
/// Splits the time of day of a value, rounded to milliseconds.
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);
/// Joins a date and a time of day by the sign rule above.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);
/// Day of the week, 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime value);
/// Whether the year is a Gregorian leap year.
bool IsLeapYear(int year);

/// Formats by a picture: y yy yyyy, m mm mmm mmmm (minutes after h), d dd ddd dddd,
/// ddddd (short date), dddddd (long date), h hh, n nn, s ss, z zzz, t tt, c,
/// am/pm a/p ampm, '/' and ':' (the separators), and quoted literals; case-insensitive.
std::string FormatDateTime(std::string_view picture, TDateTime value);
std::string FormatDateTime(std::string_view picture, TDateTime value, const TFormatSettings& settings);
/// The date in ShortDateFormat.
std::string DateToStr(TDateTime value);
/// The time in LongTimeFormat.
std::string TimeToStr(TDateTime value);
/// Date, and the time when it is not midnight: "2024-03-05 14:30:00".
std::string DateTimeToStr(TDateTime value);

/// Parses a date whose field order follows ShortDateFormat, separated by
/// DateSeparator; a missing year is the current one, two-digit years fall in
/// the century window. Raises EConvertError "'x' is not a valid date".
TDateTime StrToDate(std::string_view text);
/// Parses hh:nn[:ss[.zzz]] with an optional AM/PM; raises EConvertError
/// "'x' is not a valid time".
TDateTime StrToTime(std::string_view text);
/// Parses a date optionally followed by a time; raises EConvertError
/// "'x' is not a valid date and time".
TDateTime StrToDateTime(std::string_view text);
bool TryStrToDate(std::string_view text, TDateTime& value);
bool TryStrToTime(std::string_view text, TDateTime& value);
bool TryStrToDateTime(std::string_view text, TDateTime& value);
TDateTime StrToDate(std::string_view text, const TFormatSettings& settings);
TDateTime StrToTime(std::string_view text, const TFormatSettings& settings);
TDateTime StrToDateTime(std::string_view text, const TFormatSettings& settings);

/// The current local date and time.
TDateTime Now();
/// Today's date (midnight).
TDateTime Date();
/// The current local time of day.
TDateTime Time();

} // namespace cartova::host

namespace cartova {
using host::TDateTime;
using host::EncodeDate;
using host::DecodeDate;
using host::EncodeTime;
using host::DecodeTime;
using host::ComposeDateTime;
using host::DayOfWeek;
using host::IsLeapYear;
using host::FormatDateTime;
using host::DateToStr;
using host::TimeToStr;
using host::DateTimeToStr;
using host::StrToDate;
using host::StrToTime;
using host::StrToDateTime;
using host::TryStrToDate;
using host::TryStrToTime;
using host::TryStrToDateTime;
using host::Now;
using host::Date;
using host::Time;
} // namespace cartova
