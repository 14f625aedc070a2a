#include "formats/MifAttributes.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace cartova {

namespace {

bool ContainsWord(const std::string& Upper, const char* Word)
{
    return Upper.find(Word) != std::string::npos;
}

} // namespace

TObjectAttribute IsObjAttrString(std::string_view Line)
{
    const std::string Upper = UpperCase(Line);
    if (ContainsWord(Upper, "SYMBOL"))
        return oaSymbol;
    if (ContainsWord(Upper, "FONT"))
        return oaFont;
    if (ContainsWord(Upper, "CENTER"))
        return oaCenter;
    if (ContainsWord(Upper, "BRUSH"))
        return oaBrush;
    if (ContainsWord(Upper, "PEN"))
        return oaPen;
    return oaNone;
}

TColor MifColorToColor(long long Value)
{
    const long long Red = std::min<long long>(255, Value / 65536) & 0xFF;
    const long long Green = std::min<long long>(255, (Value % 65536) / 256) & 0xFF;
    const long long Blue = std::min<long long>(255, Value % 256) & 0xFF;
    return static_cast<TColor>(Red + Green * 256 + Blue * 65536);
}

long long ColorToMifColor(TColor Value)
{
    const auto V = static_cast<unsigned long long>(Value);
    const long long Red = static_cast<long long>(V & 0xFF);
    const long long Green = static_cast<long long>((V >> 8) & 0xFF);
    const long long Blue = static_cast<long long>((V >> 16) & 0xFF);
    return Red * 65536 + Green * 256 + Blue;
}

int MifPenPattern(TPenStyle Style)
{
    switch (Style) {
    case psSolid: return 2;
    case psDash: return 12;
    case psDot: return 9;
    case psDashDot: return 14;
    case psDashDotDot: return 20;
    case psClear: return 1;
    default: return 2;
    }
}

int MifBrushPattern(TBrushStyle Style)
{
    switch (Style) {
    case bsClear: return 1;
    case bsHorizontal: return 3;
    case bsVertical: return 4;
    case bsFDiagonal: return 6;
    case bsBDiagonal: return 5;
    case bsCross: return 7;
    case bsDiagCross: return 8;
    default: return 2;
    }
}

TPenStyle PenStyleOfMif(int Pattern)
{
    switch (Pattern) {
    case 1: return psClear;
    case 2: return psSolid;
    case 9: return psDot;
    case 14: return psDashDot;
    case 20: return psDashDotDot;
    default: return Pattern > 2 ? psDash : psSolid;
    }
}

TBrushStyle BrushStyleOfMif(int Pattern)
{
    switch (Pattern) {
    case 1: return bsClear;
    case 3: return bsHorizontal;
    case 4: return bsVertical;
    case 5: return bsBDiagonal;
    case 6: return bsFDiagonal;
    case 7: return bsCross;
    case 8: return bsDiagCross;
    default: return bsSolid;
    }
}

int PenWidthOfMif(int Width)
{
    if (Width <= 10)
        return std::max(Width, 0);
    const double Points = (Width - 10) / 10.0;
    return std::max(1, static_cast<int>(std::lround(std::min(Points, 10000.0) * 96 / 72)));
}

int MifPenWidth(int Pixels)
{
    if (Pixels <= 7)
        return Pixels;
    return static_cast<int>(std::lround(Pixels * 72.0 / 96 * 10)) + 10;
}

int MifFontStyle(TFontStyles Style)
{
    int Bits = 0;
    if (Style & fsBold)
        Bits += 1;
    if (Style & fsItalic)
        Bits += 2;
    if (Style & fsUnderline)
        Bits += 4;
    return Bits;
}

TFontStyles FontStyleOfMif(int Bits)
{
    TFontStyles Style = 0;
    if (Bits & 1)
        Style |= fsBold;
    if (Bits & 2)
        Style |= fsItalic;
    if (Bits & 4)
        Style |= fsUnderline;
    return Style;
}

} // namespace cartova
