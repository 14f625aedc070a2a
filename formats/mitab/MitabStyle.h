// MapInfo styles (pen, brush, symbol, text) and their translation to and
// from the OGR style strings GDAL's MapInfo driver reads and writes.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cartova::mitab {

// Defaults are MapInfo's for new objects: Pen (1,2,0), Brush (2,16777215,16777215),
// Symbol (35,0,12), Font ("Arial",0,0,0).
struct TPen {
    int Width = 1; // 1..7 pixels, or 10 + tenths of a point
    int Pattern = 2;
    int Color = 0;
};

struct TBrush {
    int Pattern = 2;
    int Fore = 0xFFFFFF;
    int Back = 0xFFFFFF;
    int Transparent = 0;
};

struct TSymbol {
    int No = 35;
    int Size = 12;
    int Color = 0;
    std::string Name;   // font of a font point, bitmap file of a custom point
    int CustomStyle = 0;
    double Angle = 0;   // font points
    std::string Extra;  // further SYMBOL parameters, kept as read ("bo:1")
};

enum class TTextBack { None, Box, Halo };

struct TTextStyle {
    std::string Text;
    std::string Font = "Arial";
    double Angle = 0;
    double Height = 0;
    double Width = 0;
    int Fore = 0;
    int Back = 0xFFFFFF;
    TTextBack BackMode = TTextBack::None;
    int Anchor = 1;     // OGR label anchor 1..12; its column is the justification
    int Spacing = 0;
    int LineType = 0;
    std::string Extra;  // further LABEL parameters, kept as read

    int Justification() const { return (Anchor - 1) % 3; }
    void SetJustification(int J) { Anchor = (Anchor - 1) / 3 * 3 + J + 1; }
};

// One tool of a style string: PEN(w:1px,c:#000000) is "PEN" with two parameters.
struct TStyleTool {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Params;
    const std::string* Find(std::string_view Key) const;
};

std::vector<TStyleTool> ParseStyleString(std::string_view Style);

// What a feature's style string says, tool by tool.
struct TStyles {
    bool HasPen = false, HasBrush = false, HasSymbol = false, HasLabel = false;
    TPen Pen;
    TBrush Brush;
    TSymbol Symbol;
    int SymbolClass = 1; // 1 MapInfo symbol, 2 font symbol, 3 custom bitmap
    TTextStyle Text;
};

TStyles ReadStyles(std::string_view Style);

std::string PenString(const TPen& Pen);
std::string BrushString(const TBrush& Brush);
std::string SymbolString(int Class, const TSymbol& Symbol);
std::string LabelString(const TTextStyle& Text);

// The width GDAL gives a text box: 0.6 of the height per character of the
// longest line.
double EstimatedTextWidth(const std::string& Text, double Height);

std::string FormatNumber(double Value);

} // namespace cartova::mitab
