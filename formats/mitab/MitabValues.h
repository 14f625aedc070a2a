// Attribute values as the interface gives and takes them.
#pragma once

#include <string>

namespace cartova::mitab {

// A value as the interface keeps it for a field type (TABFT_*): dates
// "YYYY/MM/DD", times "HH:MM:SS", date-times "YYYY/MM/DD HH:MM:SS", logicals
// "T"/"F", numbers checked and trimmed. False with a message when the text
// is not a value of that type.
bool NormaliseValue(int Type, const std::string& Text, std::string& Value, std::string& Error);

// The numeric value of a field's text (1/0 for logicals, 0 for dates and times).
double ValueAsDouble(int Type, const std::string& Value);

} // namespace cartova::mitab
