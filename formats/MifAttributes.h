#pragma once
// MIF style clauses and their values: the clause kinds (TObjectAttribute),
// the classification of a clause line, colour conversion between host and
// MIF colours, and the host-style to MIF-pattern tables used by the writer.

#include "host/Host.h"

#include <string_view>

namespace cartova {

/// The kind of style clause a line holds, in this order from 0.
enum TObjectAttribute { oaNone, oaPen, oaBrush, oaCenter, oaFont, oaSymbol };

/// Classifies a clause line by the words it contains (case ignored):
/// SYMBOL, else FONT, else CENTER, else BRUSH, else PEN, else oaNone.
TObjectAttribute IsObjAttrString(std::string_view Line);

/// MIF colour (red × 65536 + green × 256 + blue) to a host colour; each
/// component is clamped to 255.
TColor MifColorToColor(long long Value);
/// Host colour to MIF colour; the high byte (system colours) is ignored.
long long ColorToMifColor(TColor Value);

/// MIF line pattern of a host pen style (solid 2, dash 12, dot 9, dash-dot
/// 14, dash-dot-dot 20, clear 1, any other 2).
int MifPenPattern(TPenStyle Style);
/// MIF fill pattern of a host brush style (clear 1, horizontal 3, vertical 4,
/// forward diagonal 6, backward diagonal 5, cross 7, diagonal cross 8, any other 2).
int MifBrushPattern(TBrushStyle Style);
/// MIF font style bits: bold 1, italic 2, underline 4 (strike-out not written).
int MifFontStyle(TFontStyles Style);
/// Host font styles of MIF style bits (bold 1, italic 2, underline 4).
TFontStyles FontStyleOfMif(int Bits);

} // namespace cartova
