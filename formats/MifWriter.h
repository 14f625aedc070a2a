#pragma once
// The MIF/MID writer behind TSimpleMIFFormatProvider::Save.

#include <string>

namespace cartova {
class TMapLayer;
namespace detail {

/// Writes Layer as FileName (.mif) and its .mid beside it: header, columns,
/// one block per region, polyline, rectangle, text and symbol, one MID record
/// per written object. Both files replace the old pair only when both were
/// written completely; errors propagate as exceptions and leave the old pair.
bool SaveMif(TMapLayer& Layer, const std::string& FileName);

} // namespace detail
} // namespace cartova
