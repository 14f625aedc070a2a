#pragma once
// MIF style clauses and their values: the clause kinds (TObjectAttribute),
// the classification of a clause line, colour conversion between host and
// MIF colours, and the host-style to MIF-pattern tables used by the writer.

#include "host/Core.h"
#include "host/Graphics.h"

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
/// Host pen style of a MIF line pattern, the inverse of MifPenPattern: 1 clear,
/// 2 solid, 12 dash, 9 dot, 14 dash-dot, 20 dash-dot-dot; any other dash
/// pattern draws as dashes.
TPenStyle PenStyleOfMif(int Pattern);
/// Host brush style of a MIF fill pattern, the inverse of MifBrushPattern:
/// 1 clear, 2 solid, 3..8 the hatches; other patterns fill solid.
TBrushStyle BrushStyleOfMif(int Pattern);
/// Pixels of a MIF pen width: 1..10 are pixels, 11 and above tenths of a
/// point plus 10 (at 96 pixels per inch, at least one pixel).
int PenWidthOfMif(int Width);
/// MIF pen width of a pixel width: as it is up to 7, above in tenths of a point plus 10.
int MifPenWidth(int Pixels);
/// MIF font style bits: bold 1, italic 2, underline 4 (strike-out not written).
int MifFontStyle(TFontStyles Style);
/// Host font styles of MIF style bits (bold 1, italic 2, underline 4).
TFontStyles FontStyleOfMif(int Bits);

} // namespace cartova
