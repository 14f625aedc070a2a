#pragma once
// MID records: splitting a record line into its values and turning values
// into field values and back. Strings are double-quoted with embedded quotes
// doubled ("O""Brien"); the apostrophe form ('O''Brien') is read too. A
// delimiter or a line break inside quotes belongs to the value. Dates are
// written YYYYMMDD, times HHMMSSmmm, date-times YYYYMMDDHHMMSSmmm, logical
// values T and F.

#include "formats/DataFields.h"

#include <string>
#include <string_view>
#include <vector>

namespace cartova {

/// One value of a MID record.
struct TMidValue {
    std::string Text;    ///< the value, quotes removed and doubled quotes undone
    bool Quoted = false; ///< the value was written in quotes
};

/// Splits Line at Delimiter (an empty delimiter gives one value) into Values,
/// reusing its storage. A line with n delimiters outside quotes gives n + 1
/// values. Returns false when the text ends inside a quoted value: the record
/// goes on on the next line (a value may hold line breaks).
bool SplitMidRecord(std::string_view Line, std::string_view Delimiter, std::vector<TMidValue>& Values);

/// The quote (" or ') of a value left open at the end of Text, or 0 when
/// Text ends outside quotes, splitting as SplitMidRecord does. Quote is the
/// quote open before Text (0: Text starts a record), so a record spanning
/// lines is followed line by line without scanning it again.
char OpenMidQuote(std::string_view Text, std::string_view Delimiter, char Quote);

/// Stores a MID value into field Index of Record by the column's type: text
/// and numbers as string values, dates, times and date-times as date-time
/// doubles, logical values as booleans; an empty value leaves the field as it is. Dates are
/// read as YYYYMMDD, YYYY/MM/DD, DD/MM/YYYY or DD.MM.YYYY (also with '-'),
/// each optionally followed by a time; times as HHMMSS[mmm] or HH:MM[:SS[.fff]].
/// Returns false, and empties the field, when the text is not a value of
/// the field's type (a date, time, number or logical value that does not parse).
bool StoreMidValue(TDataFields& Record, int Index, const TMidValue& Value);

/// The MID text of Value in a column of type Type (before charset
/// conversion): double-quoted for dtString, YYYYMMDD and the like for dates,
/// T/F for dtBoolean, the value's text otherwise; an empty value gives "" (or "\"\"" for text).
std::string MidValueText(TDataType Type, const Variant& Value);

/// Appends Text in double quotes with embedded double quotes doubled.
void AppendMidQuoted(std::string& Out, std::string_view Text);

} // namespace cartova
