#pragma once
// MID records: splitting a record line into its values and turning values
// into field values and back. Strings are double-quoted with embedded quotes
// doubled ("O""Brien"); the apostrophe form ('O''Brien') is read too. A
// delimiter inside quotes belongs to the value. Dates are YYYYMMDD, times
// HHMMSSmmm, date-times YYYYMMDDHHMMSSmmm, logical values T and F.

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
/// reusing its storage. A line with n delimiters outside quotes gives n + 1 values.
void SplitMidRecord(std::string_view Line, std::string_view Delimiter, std::vector<TMidValue>& Values);

/// Stores a MID value into Field by the field's type: text and numbers as
/// string values, dates, times and date-times as date-time doubles, logical
/// values as booleans. An empty value leaves the field as it is. Raises
/// EConvertError for a date, time or logical value that does not parse.
void StoreMidValue(TDataField& Field, const TMidValue& Value);

/// The MID text of Field's value (before charset conversion): double-quoted
/// for dtString, YYYYMMDD and the like for dates, T/F for dtBoolean, the
/// value's text otherwise; an empty value gives "" (or "\"\"" for text).
std::string MidValueText(const TDataField& Field);

/// Appends Text in double quotes with embedded double quotes doubled.
void AppendMidQuoted(std::string& Out, std::string_view Text);

} // namespace cartova
