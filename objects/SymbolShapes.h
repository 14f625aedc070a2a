#pragma once
// Vector drawings of the classic MapInfo symbol set (MapInfo 3.0 compatible
// codes 31..67), used when the symbol font an object names is not installed,
// so that symbols keep their shapes instead of showing the fallback font's
// punctuation. Each shape fills a square of Size pixels centred on (CX, CY),
// in one colour.
//
// Code  shape                          Code  shape
//  31   blank (nothing drawn)           50   x cross
//  32   filled square                   51   circle with a plus cross
//  33   filled diamond                  52   circle with an x cross
//  34   filled circle                   53   small filled dot
//  35   filled five-point star          54   ring with a centre dot (bullseye)
//  36   filled triangle, point up       55   pennant flag on a pole
//  37   filled triangle, point down     56   rectangular flag on a pole
//  38   hollow square                   57   pushpin (round head on a stem)
//  39   hollow diamond                  58   filled circle inside a ring
//  40   hollow circle                   59   filled square inside a square
//  41   hollow five-point star          60   filled diamond inside a diamond
//  42   hollow triangle, point up       61   filled hexagon
//  43   hollow triangle, point down     62   hollow hexagon
//  44   filled square with a shadow     63   arrow pointing up (north)
//  45   filled diamond with a shadow    64   arrow pointing right
//  46   filled circle with a shadow     65   filled upper half circle
//  47   filled star with a shadow       66   hourglass (two triangles)
//  48   filled triangle with a shadow   67   house (square under a roof)
//  49   plus cross
// The shadow of 44..48 is the same figure offset down and right by an eighth
// of the size, in the colour darkened to half. Codes above 67 are drawn as a
// filled circle with a hollow square around it, a visible generic point.

#include "host/Host.h"

#include <string>

namespace cartova {

/// Lowest and highest code of the vector symbol table.
constexpr int FirstSymbolShape = 31;
constexpr int LastSymbolShape = 67;

/// Draws symbol Code as a vector shape of Size pixels centred on (CX, CY) in
/// Color on Canvas. The canvas's pen and brush are restored afterwards.
void DrawSymbolShape(TCanvas* Canvas, int Code, int CX, int CY, int Size, TColor Color);

/// The MapInfo symbol code a character of a symbol font stands for: the
/// "Map Symbols" font (the name the TAB reader gives MapInfo's symbols) holds
/// symbol n at character n + 1; other fonts hold it at n.
int MapInfoSymbolCode(const std::string& FontName, int Character);

/// True when a font family of this name (case-insensitive) is installed, or
/// when the font system deliberately substitutes another family for it (a
/// metric-compatible alias) rather than its default family.
bool IsFontInstalled(const std::string& Name);

} // namespace cartova
