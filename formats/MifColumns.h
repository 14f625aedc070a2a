#pragma once
// MIF column declarations ("name Char(20)", "price Decimal(12,4)") both
// ways: the field type and width of a declaration, and the declaration a
// field is written with, which keeps the file's own where it still fits.

#include "formats/DataFields.h"
#include "map/LayerFileInfo.h"

#include <string>
#include <string_view>

namespace cartova {

/// The field type of a declaration's type text: Char → dtString, Decimal,
/// Integer, SmallInt, Date, DateTime, Time, Logical → dtBoolean; Float,
/// LargeInt and unknown types → dtFloat.
TDataType MifColumnType(std::string_view TypeText);
/// The declared width, the first number in parentheses ("Decimal(12,4)" →
/// 12); 0 when there is none.
int MifColumnWidth(std::string_view TypeText);

/// The type text Field is declared with: the file's declaration of a column
/// of the same name when it still has the field's type and width (so that
/// Decimal(12,4) and LargeInt come back as read); otherwise Char(Size),
/// Decimal(9, 2), Integer, SmallInt, Float, Date, Time, DateTime, Logical.
std::string MifColumnTypeText(const TDataField& Field, const TLayerFileInfo& Info);

} // namespace cartova
