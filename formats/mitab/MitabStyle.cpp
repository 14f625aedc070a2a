#include "MitabStyle.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace cartova::mitab {

namespace {

// GDAL gives a text the font size 0.69 times the height of its box.
constexpr double TextSizeRatio = 0.69;

bool ParseDouble(std::string_view Text, double& Value)
{
    while (!Text.empty() && Text.front() == ' ')
        Text.remove_prefix(1);
    if (!Text.empty() && Text.front() == '+')
        Text.remove_prefix(1);
    const auto [End, Ec] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
    return Ec == std::errc() && End != Text.data() && std::isfinite(Value);
}

// A number followed by its unit: "3px", "0.69g", "12pt".
double NumberWithUnit(const std::string& Text, std::string& Unit)
{
    double Value = 0;
    std::size_t I = 0;
    while (I < Text.size() && (std::isdigit(static_cast<unsigned char>(Text[I])) || Text[I] == '.' ||
                               Text[I] == '-' || Text[I] == '+' || Text[I] == 'e' || Text[I] == 'E'))
        ++I;
    if (!ParseDouble(std::string_view(Text).substr(0, I), Value))
        Value = 0;
    Unit = Text.substr(I);
    return Value;
}

int ParseInt(std::string_view Text, int Fallback)
{
    double Value = 0;
    if (!ParseDouble(Text, Value) || Value < -2147483648.0 || Value > 2147483647.0)
        return Fallback;
    return static_cast<int>(std::lround(Value));
}

int Clamp(long Value, long Low, long High)
{
    return static_cast<int>(std::clamp(Value, Low, High));
}

// "#rrggbb" or "#rrggbbaa" to red * 65536 + green * 256 + blue.
int ParseColor(const std::string& Text, int Fallback)
{
    if (Text.size() < 7 || Text[0] != '#')
        return Fallback;
    int Value = 0;
    const auto [End, Ec] = std::from_chars(Text.data() + 1, Text.data() + 7, Value, 16);
    return Ec == std::errc() && End == Text.data() + 7 ? Value : Fallback;
}

std::string ColorString(int Color)
{
    static const char Hex[] = "0123456789abcdef";
    std::string S = "#000000";
    const unsigned V = static_cast<unsigned>(Color) & 0xFFFFFFu;
    for (int I = 0; I < 6; ++I)
        S[6 - I] = Hex[(V >> (4 * I)) & 0xF];
    return S;
}

std::string Quoted(const std::string& Text)
{
    std::string Out = "\"";
    for (const char C : Text) {
        if (C == '"' || C == '\\')
            Out += '\\';
        Out += C;
    }
    return Out + '"';
}

// The names of an "id" parameter: "mapinfo-pen-2,ogr-pen-0".
std::vector<std::string> IdNames(const std::string* Id)
{
    std::vector<std::string> Names;
    if (!Id)
        return Names;
    std::size_t Start = 0;
    while (Start <= Id->size()) {
        const std::size_t Comma = std::min(Id->find(',', Start), Id->size());
        Names.push_back(Id->substr(Start, Comma - Start));
        Start = Comma + 1;
    }
    return Names;
}

// The number after Prefix in one of the names, or -1.
int IdNumber(const std::vector<std::string>& Names, std::string_view Prefix)
{
    for (const auto& Name : Names)
        if (Name.size() > Prefix.size() && Name.compare(0, Prefix.size(), Prefix) == 0)
            return ParseInt(std::string_view(Name).substr(Prefix.size()), -1);
    return -1;
}

// OGR's generic pen and brush kinds to MapInfo patterns, for style strings
// that carry no MapInfo number.
int PenPatternOfOgr(int Kind)
{
    static const int Table[] = {2, 1, 12, 9, 13, 3, 14, 20, 5};
    return Kind >= 0 && Kind < 9 ? Table[Kind] : 2;
}

int BrushPatternOfOgr(int Kind)
{
    static const int Table[] = {2, 1, 3, 4, 6, 5, 7, 8};
    return Kind >= 0 && Kind < 8 ? Table[Kind] : 2;
}

// A parameter as it is written again: quoted when it holds separators.
std::string Param(const std::string& Key, const std::string& Value)
{
    if (Value.find_first_of(",;()\" ") != std::string::npos)
        return Key + ":" + Quoted(Value);
    return Key + ":" + Value;
}

void ReadPen(const TStyleTool& Tool, TPen& Pen)
{
    if (const auto* W = Tool.Find("w")) {
        std::string Unit;
        const double V = NumberWithUnit(*W, Unit);
        double Points = -1;
        if (Unit == "pt")
            Points = V;
        else if (Unit == "mm")
            Points = V * 72 / 25.4;
        else if (Unit == "cm")
            Points = V * 72 / 2.54;
        else if (Unit == "in")
            Points = V * 72;
        if (Points >= 0)
            Pen.Width = Clamp(10 + std::lround(Points * 10), 11, 2047);
        else
            Pen.Width = Clamp(std::lround(V), 1, 7);
    }
    if (const auto* C = Tool.Find("c"))
        Pen.Color = ParseColor(*C, Pen.Color);
    const auto Names = IdNames(Tool.Find("id"));
    if (const int N = IdNumber(Names, "mapinfo-pen-"); N > 0)
        Pen.Pattern = N;
    else if (const int K = IdNumber(Names, "ogr-pen-"); K >= 0)
        Pen.Pattern = PenPatternOfOgr(K);
}

void ReadBrush(const TStyleTool& Tool, TBrush& Brush)
{
    if (const auto* C = Tool.Find("fc"))
        Brush.Fore = ParseColor(*C, Brush.Fore);
    if (const auto* C = Tool.Find("bc"))
        Brush.Back = ParseColor(*C, Brush.Back);
    else
        Brush.Transparent = 1;
    const auto Names = IdNames(Tool.Find("id"));
    if (const int N = IdNumber(Names, "mapinfo-brush-"); N > 0)
        Brush.Pattern = N;
    else if (const int K = IdNumber(Names, "ogr-brush-"); K >= 0)
        Brush.Pattern = BrushPatternOfOgr(K);
}

void ReadSymbol(const TStyleTool& Tool, TStyles& Styles)
{
    TSymbol& S = Styles.Symbol;
    for (const auto& [Key, Value] : Tool.Params) {
        if (Key == "c")
            S.Color = ParseColor(Value, S.Color);
        else if (Key == "s") {
            std::string Unit;
            S.Size = Clamp(std::lround(NumberWithUnit(Value, Unit)), 1, 48);
        } else if (Key == "a") {
            double A = 0;
            S.Angle = ParseDouble(Value, A) ? A : 0;
        } else if (Key == "f")
            S.Name = Value;
        else if (Key != "id")
            S.Extra += (S.Extra.empty() ? "" : ",") + Param(Key, Value);
    }
    const auto Names = IdNames(Tool.Find("id"));
    const std::string_view Custom = "mapinfo-custom-sym-";
    for (const auto& Name : Names) {
        if (Name.compare(0, Custom.size(), Custom) == 0) {
            // mapinfo-custom-sym-<style>-<file name>
            const std::string Rest = Name.substr(Custom.size());
            const std::size_t Dash = Rest.find('-');
            Styles.SymbolClass = 3;
            S.CustomStyle = Dash == std::string::npos ? 0 : ParseInt(Rest.substr(0, Dash), 0);
            S.Name = Dash == std::string::npos ? Rest : Rest.substr(Dash + 1);
            return;
        }
    }
    if (const int N = IdNumber(Names, "font-sym-"); N >= 0) {
        Styles.SymbolClass = 2;
        S.No = N;
    } else if (const int M = IdNumber(Names, "mapinfo-sym-"); M >= 0) {
        Styles.SymbolClass = 1;
        S.No = M;
    }
}

void ReadLabel(const TStyleTool& Tool, TTextStyle& T)
{
    bool HasSize = false;
    for (const auto& [Key, Value] : Tool.Params) {
        double V = 0;
        if (Key == "t")
            T.Text = Value;
        else if (Key == "f")
            T.Font = Value;
        else if (Key == "a")
            T.Angle = ParseDouble(Value, V) ? V : 0;
        else if (Key == "s") {
            std::string Unit;
            T.Height = NumberWithUnit(Value, Unit) / TextSizeRatio;
            HasSize = true;
        } else if (Key == "c")
            T.Fore = ParseColor(Value, T.Fore);
        else if (Key == "b" || Key == "o") {
            if (T.BackMode == TTextBack::None) {
                T.Back = ParseColor(Value, T.Back);
                T.BackMode = Key == "b" ? TTextBack::Box : TTextBack::Halo;
            }
        } else if (Key == "p")
            T.Anchor = Clamp(ParseInt(Value, 1), 1, 12);
        else
            T.Extra += (T.Extra.empty() ? "" : ",") + Param(Key, Value);
    }
    if (HasSize)
        T.Width = EstimatedTextWidth(T.Text, T.Height);
}

} // namespace

const std::string* TStyleTool::Find(std::string_view Key) const
{
    for (const auto& P : Params)
        if (P.first == Key)
            return &P.second;
    return nullptr;
}

std::vector<TStyleTool> ParseStyleString(std::string_view Style)
{
    std::vector<TStyleTool> Tools;
    std::size_t I = 0;
    const auto SkipBlanks = [&] {
        while (I < Style.size() && (Style[I] == ' ' || Style[I] == ';'))
            ++I;
    };
    while (true) {
        SkipBlanks();
        if (I >= Style.size())
            break;
        TStyleTool Tool;
        while (I < Style.size() && Style[I] != '(' && Style[I] != ';')
            Tool.Name += static_cast<char>(std::toupper(static_cast<unsigned char>(Style[I++])));
        if (I >= Style.size() || Style[I] != '(') {
            Tools.push_back(std::move(Tool));
            continue;
        }
        ++I;
        // key:value pairs up to the closing parenthesis; values may be quoted
        // with backslash escapes.
        while (I < Style.size() && Style[I] != ')') {
            std::string Key, Value;
            while (I < Style.size() && Style[I] == ' ')
                ++I;
            while (I < Style.size() && Style[I] != ':' && Style[I] != ',' && Style[I] != ')')
                Key += Style[I++];
            if (I < Style.size() && Style[I] == ':') {
                ++I;
                if (I < Style.size() && Style[I] == '"') {
                    ++I;
                    while (I < Style.size() && Style[I] != '"') {
                        if (Style[I] == '\\' && I + 1 < Style.size())
                            ++I;
                        Value += Style[I++];
                    }
                    if (I < Style.size())
                        ++I;
                }
                while (I < Style.size() && Style[I] != ',' && Style[I] != ')')
                    Value += Style[I++];
            }
            if (!Key.empty())
                Tool.Params.emplace_back(std::move(Key), std::move(Value));
            if (I < Style.size() && Style[I] == ',')
                ++I;
        }
        if (I < Style.size())
            ++I;
        Tools.push_back(std::move(Tool));
    }
    return Tools;
}

TStyles ReadStyles(std::string_view Style)
{
    TStyles Styles;
    for (const auto& Tool : ParseStyleString(Style)) {
        if (Tool.Name == "PEN" && !Styles.HasPen) {
            Styles.HasPen = true;
            ReadPen(Tool, Styles.Pen);
        } else if (Tool.Name == "BRUSH" && !Styles.HasBrush) {
            Styles.HasBrush = true;
            ReadBrush(Tool, Styles.Brush);
        } else if (Tool.Name == "SYMBOL" && !Styles.HasSymbol) {
            Styles.HasSymbol = true;
            ReadSymbol(Tool, Styles);
        } else if (Tool.Name == "LABEL" && !Styles.HasLabel) {
            Styles.HasLabel = true;
            ReadLabel(Tool, Styles.Text);
        }
    }
    return Styles;
}

std::string PenString(const TPen& Pen)
{
    // GDAL stores widths of 1 to 7 pixels: a width in points becomes the
    // nearest of them at 96 pixels per inch.
    long Pixels = Pen.Width;
    if (Pen.Width > 10)
        Pixels = std::lround((Pen.Width - 10) / 10.0 * 96 / 72);
    const std::string Width = std::to_string(std::clamp(Pixels, 1L, 7L)) + "px";
    return "PEN(w:" + Width + ",c:" + ColorString(Pen.Color) + ",id:\"mapinfo-pen-" +
           std::to_string(Pen.Pattern) + "\")";
}

std::string BrushString(const TBrush& Brush)
{
    std::string S = "BRUSH(fc:" + ColorString(Brush.Fore);
    if (!Brush.Transparent)
        S += ",bc:" + ColorString(Brush.Back);
    return S + ",id:\"mapinfo-brush-" + std::to_string(Brush.Pattern) + "\")";
}

std::string SymbolString(int Class, const TSymbol& Symbol)
{
    std::string S = "SYMBOL(";
    if (Class == 2)
        S += "a:" + FormatNumber(Symbol.Angle) + ",";
    S += "c:" + ColorString(Symbol.Color) + ",s:" + std::to_string(Symbol.Size) + "pt,id:";
    if (Class == 3)
        S += Quoted("mapinfo-custom-sym-" + std::to_string(Symbol.CustomStyle) + "-" + Symbol.Name);
    else if (Class == 2)
        S += Quoted("font-sym-" + std::to_string(Symbol.No)) + ",f:" + Quoted(Symbol.Name);
    else
        S += Quoted("mapinfo-sym-" + std::to_string(Symbol.No));
    if (Class == 2 && !Symbol.Extra.empty())
        S += "," + Symbol.Extra;
    return S + ")";
}

std::string LabelString(const TTextStyle& T)
{
    std::string S = "LABEL(t:" + Quoted(T.Text) + ",a:" + FormatNumber(T.Angle) +
                    ",s:" + FormatNumber(T.Height * TextSizeRatio) + "g,c:" + ColorString(T.Fore);
    if (T.BackMode == TTextBack::Box)
        S += ",b:" + ColorString(T.Back);
    else if (T.BackMode == TTextBack::Halo)
        S += ",o:" + ColorString(T.Back);
    S += ",p:" + std::to_string(T.Anchor) + ",f:" + Quoted(T.Font);
    if (!T.Extra.empty())
        S += "," + T.Extra;
    return S + ")";
}

double EstimatedTextWidth(const std::string& Text, double Height)
{
    std::size_t Longest = 0, Line = 0;
    for (const char C : Text) {
        if (C == '\n') {
            Line = 0;
            continue;
        }
        if ((static_cast<unsigned char>(C) & 0xC0) != 0x80)
            Longest = std::max(Longest, ++Line);
    }
    return 0.6 * Height * static_cast<double>(Longest);
}

std::string FormatNumber(double Value)
{
    char Buf[64];
    const auto [End, Ec] = std::to_chars(Buf, Buf + sizeof Buf, Value, std::chars_format::general, 15);
    return Ec == std::errc() ? std::string(Buf, End) : std::string("0");
}

} // namespace cartova::mitab
