// The workspace parser: text in, TWorkspace out. Keywords are found in an
// ASCII lower-cased copy of the text, which keeps every byte's position, so
// names, paths and font names are taken from the text with their own case.
#include "map/Workspace.h"

#include "formats/MifCharset.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <unordered_map>

namespace cartova {

namespace {

constexpr std::size_t npos = std::string::npos;

bool ReadNumber(std::string_view Text, double& Value)
{
    return TryStrToFloat(Text, Value) && std::isfinite(Value);
}

bool IsBlank(char C) { return C == ' ' || C == '\t' || C == '\r' || C == '\n' || C == '\f' || C == '\v'; }
bool IsWordChar(char C) { return std::isalnum(static_cast<unsigned char>(C)) || C == '_'; }
bool IsDigit(char C) { return C >= '0' && C <= '9'; }

// Whether the whole word W stands at At in S.
bool WordIs(std::string_view S, std::size_t At, std::string_view W)
{
    const std::size_t End = At + W.size();
    return S.substr(At, W.size()) == W && (At == 0 || !IsWordChar(S[At - 1])) &&
           (End >= S.size() || !IsWordChar(S[End]));
}

std::size_t SkipBlanks(std::string_view S, std::size_t At)
{
    while (At < S.size() && IsBlank(S[At]))
        ++At;
    return At;
}

} // namespace

namespace detail {

int SubStrPos(std::string_view Sub, std::string_view Text, int Start)
{
    if (Sub.empty() || Text.empty() || Start < 1 || static_cast<std::size_t>(Start) > Text.size())
        return 0;
    const std::size_t At = Text.find(Sub, static_cast<std::size_t>(Start - 1));
    return At == std::string_view::npos ? 0 : static_cast<int>(At + 1);
}

bool ParsePair(std::string_view Text, double& A, double& B)
{
    A = B = 0;
    const std::size_t Comma = Text.find(',');
    double X = 0, Y = 0;
    if (Comma == std::string_view::npos || !ReadNumber(Text.substr(0, Comma), X) ||
        !ReadNumber(Text.substr(Comma + 1), Y))
        return false;
    A = X;
    B = Y;
    return true;
}

bool ParseTriple(std::string_view Text, double& A, double& B, double& C)
{
    A = B = C = 0;
    const std::size_t First = Text.find(',');
    if (First == std::string_view::npos)
        return false;
    const std::size_t Second = Text.find(',', First + 1);
    double X = 0, Y = 0, Z = 0;
    if (Second == std::string_view::npos || !ReadNumber(Text.substr(0, First), X) ||
        !ReadNumber(Text.substr(First + 1, Second - First - 1), Y) || !ReadNumber(Text.substr(Second + 1), Z))
        return false;
    A = X;
    B = Y;
    C = Z;
    return true;
}

TColor WorkspaceColor(std::int64_t V)
{
    if (V < 0)
        throw ERangeError("Range check error: the colour " + std::to_string(V) + " is negative");
    const std::int64_t Red = std::min<std::int64_t>(255, V / 65536);
    const std::int64_t Green = std::min<std::int64_t>(255, (V % 65536) / 256);
    const std::int64_t Blue = V % 256;
    return static_cast<TColor>(Red | (Green << 8) | (Blue << 16));
}

} // namespace detail

namespace {

using detail::ParsePair;
using detail::ParseTriple;
using detail::WorkspaceColor;

// The first position at or after From where the lower-case Words follow each
// other, separated by blanks, as whole words; End is set past the last one.
std::size_t FindWords(std::string_view Lower, std::size_t From, std::initializer_list<std::string_view> Words,
                      std::size_t* End = nullptr)
{
    const std::string_view First = *Words.begin();
    for (std::size_t At = Lower.find(First, From); At != npos; At = Lower.find(First, At + 1)) {
        if (At > 0 && IsWordChar(Lower[At - 1]))
            continue;
        std::size_t P = At;
        bool Match = true;
        bool Leading = true;
        for (std::string_view W : Words) {
            if (!Leading) {
                const std::size_t Q = SkipBlanks(Lower, P);
                if (Q == P) {
                    Match = false;
                    break;
                }
                P = Q;
            }
            Leading = false;
            if (Lower.substr(P, W.size()) != W) {
                Match = false;
                break;
            }
            P += W.size();
        }
        if (Match && (P >= Lower.size() || !IsWordChar(Lower[P]))) {
            if (End)
                *End = P;
            return At;
        }
    }
    return npos;
}

// The word at At (up to a blank or one of Stops); At is moved past it.
std::string_view WordAt(std::string_view S, std::size_t& At, std::string_view Stops = {})
{
    const std::size_t Begin = At;
    while (At < S.size() && !IsBlank(S[At]) && Stops.find(S[At]) == std::string_view::npos)
        ++At;
    return S.substr(Begin, At - Begin);
}

// A number from the file as an integer: rounded, halves to even, and held
// within what any use of it can take.
std::int64_t Whole(double Value)
{
    constexpr double Limit = 1e15;
    return static_cast<std::int64_t>(Round(std::clamp(Value, -Limit, Limit)));
}

// The items of a comma-separated list whose items may be double-quoted.
std::vector<std::string> QuotedItems(std::string_view Text)
{
    std::vector<std::string> Items(1);
    bool Quoted = false;
    for (char C : Text) {
        if (C == '"')
            Quoted = !Quoted;
        else if (C == ',' && !Quoted)
            Items.emplace_back();
        else
            Items.back() += C;
    }
    for (std::string& Item : Items)
        Item = Trim(Item);
    return Items;
}

TBrushStyle BrushStyleOfPattern(std::int64_t Pattern)
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

TPenStyle PenStyleOfPattern(std::int64_t Pattern)
{
    switch (Pattern) {
    case 1: return psClear;
    case 9: return psDot;
    case 12: return psDash;
    case 14: return psDashDot;
    case 20: return psDashDotDot;
    default: return psSolid;
    }
}

// The widest pen a workspace may ask for, in pixels.
constexpr std::int64_t MaxPenWidth = 1000;

// A table opened by the workspace.
struct TOpened {
    std::string Alias;
    std::string Path;
};

// A stretch of text that concerns one layer: from "Layer N" to the next
// layer or statement.
struct TRange {
    std::size_t Begin, End;
};

class TParser {
public:
    explicit TParser(std::string_view Bytes) { Read(Bytes); }

    TWorkspace Run()
    {
        ReadOpenTables();
        const std::vector<int> Order = ApplyMapFrom();
        ScanLayers();
        const int Editable = EditableLayer();
        TWorkspaceStyle Style;
        Style.Style.StyleSet = true;
        for (int Index : Order) {
            TWorkspaceTable T;
            T.Alias = FOpened[Index].Alias;
            T.Path = FOpened[Index].Path;
            T.Number = FNumbers[Index];
            ReadLayer(T, Style);
            T.Editable = T.Number == Editable;
            FResult.Tables.push_back(std::move(T));
        }
        ReadCenter();
        return std::move(FResult);
    }

private:
    void Read(std::string_view Bytes)
    {
        std::size_t LineStart = 0;
        while (LineStart < Bytes.size()) {
            std::size_t LineEnd = Bytes.find('\n', LineStart);
            if (LineEnd == npos)
                LineEnd = Bytes.size();
            const std::string Line = Trim(Bytes.substr(LineStart, LineEnd - LineStart));
            if (LowerCase(Line.substr(0, 8)) == "!charset") {
                FResult.Charset = Trim(Line.substr(8));
                break;
            }
            LineStart = LineEnd + 1;
        }
        const TMifTextConverter Converter(FResult.Charset.empty() ? std::string_view("Neutral") : FResult.Charset);
        FText = Converter.Converts() ? Converter.ToUtf8(Bytes) : std::string(Bytes);
        FLower = LowerCase(FText);
    }

    std::string_view Text() const { return FText; }
    std::string_view Lower() const { return FLower; }

    // The tables the "Open Table" statements name, in order; a repeated alias keeps its place.
    void ReadOpenTables()
    {
        std::vector<std::string> Lines;
        std::size_t At = 0;
        while (At <= FText.size()) {
            std::size_t End = FText.find('\n', At);
            if (End == npos)
                End = FText.size();
            Lines.push_back(FText.substr(At, End - At));
            At = End + 1;
        }
        for (int L = detail::FindLine(0, Lines); L >= 0; L = detail::FindLine(L + 1, Lines)) {
            TOpened T;
            if (!detail::ParseOpenTable(Lines[L], T.Alias, T.Path))
                continue;
            const auto [Entry, New] = FIndex.try_emplace(AnsiLowerCase(T.Alias), static_cast<int>(FOpened.size()));
            if (New)
                FOpened.push_back(std::move(T));
            else
                FOpened[Entry->second].Path = T.Path;
        }
        FNumbers.assign(FOpened.size(), 0);
    }

    // The opened table named Alias, ignoring case; −1 when none.
    int IndexOfAlias(std::string_view Alias) const
    {
        const auto Found = FIndex.find(AnsiLowerCase(Alias));
        return Found == FIndex.end() ? -1 : Found->second;
    }

    // The tables of the last map statement, bottom first (the
    // statement names the top layer first); every opened table, in order,
    // when there is none. The text of earlier map windows is dropped.
    std::vector<int> ApplyMapFrom()
    {
        std::vector<int> Order;
        std::size_t NamesAt = 0;
        const std::size_t First = FindWords(Lower(), 0, {"map", "from"}, &NamesAt);
        if (First == npos) {
            for (std::size_t I = 0; I < FOpened.size(); ++I) {
                Order.push_back(static_cast<int>(I));
                FNumbers[I] = static_cast<int>(FOpened.size() - I);
            }
            FSettingsFrom = 0;
            return Order;
        }
        std::size_t Last = First;
        for (std::size_t At = First, End = 0; (At = FindWords(Lower(), At + 1, {"map", "from"}, &End)) != npos;) {
            Last = At;
            NamesAt = End;
        }
        FText.erase(First, Last - First);
        FLower.erase(First, Last - First);
        NamesAt -= Last - First;
        FSettingsFrom = First;

        // Names separated by commas; the list ends at the first name no comma follows.
        std::size_t At = SkipBlanks(Lower(), NamesAt);
        for (int Number = 1; At < FText.size(); ++Number) {
            std::string_view Name;
            if (FText[At] == '"' || FText[At] == '`') {
                const std::size_t Close = FText.find(FText[At], At + 1);
                if (Close == npos)
                    break;
                Name = Text().substr(At + 1, Close - At - 1);
                At = Close + 1;
            } else {
                Name = WordAt(Text(), At, ",");
            }
            const int Index = IndexOfAlias(Trim(Name));
            if (Index >= 0 && FNumbers[Index] == 0) {
                FNumbers[Index] = Number;
                Order.push_back(Index);
            }
            At = SkipBlanks(Lower(), At);
            if (At >= FText.size() || FText[At] != ',')
                break;
            At = SkipBlanks(Lower(), At + 1);
        }
        std::reverse(Order.begin(), Order.end());
        return Order;
    }

    // The stretches of text of each layer number after the first "Set Map".
    void ScanLayers()
    {
        const std::size_t SetMap = FindWords(Lower(), FSettingsFrom, {"set", "map"});
        if (SetMap == npos)
            return;
        FSetMap = SetMap;
        std::vector<std::pair<std::size_t, std::int64_t>> Starts; // position, layer number
        for (std::size_t At = FindWords(Lower(), SetMap, {"layer"}); At != npos;
             At = FindWords(Lower(), At + 1, {"layer"})) {
            std::size_t P = SkipBlanks(Lower(), At + 5);
            if (P == At + 5 || P >= FLower.size() || !IsDigit(FLower[P]))
                continue;
            const std::size_t DigitsAt = P;
            while (P < FLower.size() && IsDigit(FLower[P]))
                ++P;
            const std::int64_t Number = P - DigitsAt > 9 ? -1 : std::stoll(FLower.substr(DigitsAt, P - DigitsAt));
            Starts.emplace_back(At, Number);
        }
        for (std::size_t I = 0; I < Starts.size(); ++I) {
            const std::size_t Begin = Starts[I].first;
            std::size_t End = I + 1 < Starts.size() ? Starts[I + 1].first : FLower.size();
            // A statement starting on a later line ends the layer's text too.
            for (std::size_t Nl = FLower.find('\n', Begin); Nl != npos && Nl < End; Nl = FLower.find('\n', Nl + 1)) {
                std::size_t P = Nl + 1;
                while (P < End && (FLower[P] == ' ' || FLower[P] == '\t'))
                    ++P;
                if (WordIs(Lower(), P, "set")) {
                    End = Nl;
                    break;
                }
            }
            if (Starts[I].second >= 0)
                FLayers[Starts[I].second].push_back({Begin, End});
        }
    }

    // The number of the layer a "Set Map Layer N Editable" statement names; 0 when none.
    int EditableLayer() const
    {
        std::size_t End = 0;
        for (std::size_t At = FindWords(Lower(), FSettingsFrom, {"set", "map", "layer"}, &End); At != npos;
             At = FindWords(Lower(), At + 1, {"set", "map", "layer"}, &End)) {
            std::size_t P = SkipBlanks(Lower(), End);
            const std::string_view Digits = WordAt(Lower(), P);
            P = SkipBlanks(Lower(), P);
            std::string_view Word = WordAt(Lower(), P);
            if (Word != "editable")
                continue;
            P = SkipBlanks(Lower(), P);
            if (WordAt(Lower(), P) == "off")
                return 0;
            double N = 0;
            return Digits.size() <= 9 && !Digits.empty() && std::all_of(Digits.begin(), Digits.end(), IsDigit) &&
                           TryStrToFloat(Digits, N)
                       ? static_cast<int>(N)
                       : 0;
        }
        return 0;
    }

    // The word that follows the whole word Key in Range, or "" when none;
    // with Values, only an occurrence followed by one of them counts.
    std::string_view WordAfter(const TRange& R, std::string_view Key, std::size_t* KeyEnd = nullptr,
                               std::initializer_list<std::string_view> Values = {}) const
    {
        const std::string_view In = Lower().substr(0, R.End);
        std::size_t End = 0;
        for (std::size_t At = FindWords(In, R.Begin, {Key}, &End); At != npos;
             At = FindWords(In, At + 1, {Key}, &End)) {
            std::size_t P = SkipBlanks(In, End);
            const std::string_view Word = WordAt(In, P, "(");
            if (Values.size() == 0 || std::find(Values.begin(), Values.end(), Word) != Values.end()) {
                if (KeyEnd)
                    *KeyEnd = P;
                return Word;
            }
        }
        return {};
    }

    // Display, labels and style of the layer T.Number.
    void ReadLayer(TWorkspaceTable& T, TWorkspaceStyle& Style) const
    {
        const auto Found = FLayers.find(T.Number);
        if (Found == FLayers.end())
            return;
        bool DisplayRead = false, AutoRead = false;
        for (const TRange& R : Found->second) {
            std::size_t DisplayEnd = 0;
            const std::string_view Display = DisplayRead ? std::string_view() : WordAfter(R, "display", &DisplayEnd);
            if (!Display.empty()) {
                DisplayRead = true;
                if (Display == "off")
                    T.Visible = false;
                else if (Display == "global") {
                    T.Global = true;
                    // The global clause ends where the label clause starts.
                    TRange Clause{DisplayEnd, R.End};
                    if (const std::size_t Label = FindWords(Lower().substr(0, R.End), DisplayEnd, {"label"});
                        Label != npos)
                        Clause.End = Label;
                    ReadStyle(Clause, Style);
                    T.Style = Style;
                }
            }
            if (!AutoRead) {
                const std::string_view Auto = WordAfter(R, "auto", nullptr, {"on", "off"});
                if (!Auto.empty()) {
                    AutoRead = true;
                    T.AutoLabel = Auto == "on";
                }
            }
        }
    }

    // The text between the parentheses after the whole word Key in R; false when none.
    bool Clause(const TRange& R, std::string_view Key, std::string_view& Inner) const
    {
        const std::string_view In = Lower().substr(0, R.End);
        std::size_t End = 0;
        for (std::size_t At = FindWords(In, R.Begin, {Key}, &End); At != npos;
             At = FindWords(In, At + 1, {Key}, &End)) {
            const std::size_t Open = SkipBlanks(In, End);
            if (Open >= In.size() || In[Open] != '(')
                continue;
            const std::size_t Close = In.find(')', Open + 1);
            if (Close == npos)
                return false;
            Inner = Text().substr(Open + 1, Close - Open - 1);
            return true;
        }
        return false;
    }

    // The brush, pen and font of a global clause; parts it lacks keep their values.
    void ReadStyle(const TRange& R, TWorkspaceStyle& S) const
    {
        TMapStyle& M = S.Style;
        std::string_view Inner;
        if (Clause(R, "brush", Inner)) {
            double Pattern = 0, Color = 0, Back = 0;
            const bool Three = ParseTriple(Inner, Pattern, Color, Back);
            if (Three && Pattern > 0 && Color > 0 && Back > 0) {
                M.BrushBGColor = WorkspaceColor(Whole(Back));
                M.BrushUseBGColor = true;
            } else {
                // Read as a pair: a third number makes the colour unreadable, so
                // both read 0 (black, solid), as MapInfo-compatible readers expect.
                if (!ParsePair(Inner, Pattern, Color))
                    Pattern = Color = 0;
                M.BrushUseBGColor = false;
            }
            M.BrushColor = WorkspaceColor(Whole(Color));
            M.BrushStyle = static_cast<std::uint8_t>(BrushStyleOfPattern(Whole(Pattern)));
            S.HasBrush = true;
        }
        if (Clause(R, "pen", Inner)) {
            double Width = 0, Pattern = 0, Color = 0;
            ParseTriple(Inner, Width, Pattern, Color);
            std::int64_t W = Whole(Width);
            if (W > 7)
                W = std::max<std::int64_t>(1, Whole(Width / 20));
            M.PenWidth = static_cast<std::int32_t>(std::clamp<std::int64_t>(W, 1, MaxPenWidth));
            M.PenStyle = static_cast<std::uint8_t>(PenStyleOfPattern(Whole(Pattern)));
            M.PenColor = WorkspaceColor(Whole(Color));
            S.HasPen = true;
        }
        if (Clause(R, "font", Inner)) {
            const std::vector<std::string> Items = QuotedItems(Inner);
            const auto ColorOf = [&](std::size_t I) {
                double V = 0;
                return WorkspaceColor(I < Items.size() && ReadNumber(Items[I], V) ? Whole(V) : 0);
            };
            M.FontName = Items[0];
            M.FontColor = ColorOf(3);
            M.FontBGColor = Items.size() == 5 ? ColorOf(4) : 0;
            S.HasFont = true;
        }
    }

    // The centre of the first "Set Map" statement.
    void ReadCenter()
    {
        if (FSetMap == npos)
            return;
        std::string_view Inner;
        double X = 0, Y = 0;
        if (Clause({FSetMap, FLower.size()}, "center", Inner) && ParsePair(Inner, X, Y) && X != 0 && Y != 0) {
            FResult.HasCenter = true;
            FResult.CenterX = X;
            FResult.CenterY = Y;
        }
    }

    std::string FText;
    std::string FLower;
    std::vector<TOpened> FOpened;
    std::unordered_map<std::string, int> FIndex; // of FOpened by lower-case alias
    std::vector<int> FNumbers; // of FOpened: the layer number, 0 when not in the map
    std::size_t FSettingsFrom = 0;
    std::size_t FSetMap = npos;
    std::map<std::int64_t, std::vector<TRange>> FLayers;
    TWorkspace FResult;
};

} // namespace

namespace {

// The position of the opening quote of the first "Open Table" statement's
// path in the lower-cased Line; npos when none.
std::size_t OpenTableQuote(std::string_view Lower)
{
    std::size_t End = 0;
    for (std::size_t At = FindWords(Lower, 0, {"open", "table"}, &End); At != npos;
         At = FindWords(Lower, At + 1, {"open", "table"}, &End)) {
        const std::size_t Quote = SkipBlanks(Lower, End);
        if (Quote > End && Quote < Lower.size() && Lower[Quote] == '"')
            return Quote;
    }
    return npos;
}

} // namespace

namespace detail {

int FindLine(int Start, const std::vector<std::string>& Lines)
{
    for (int I = std::max(Start, 0); I < static_cast<int>(Lines.size()); ++I)
        if (OpenTableQuote(LowerCase(Lines[I])) != npos)
            return I;
    return -1;
}

bool ParseOpenTable(std::string_view Line, std::string& Alias, std::string& Path)
{
    const std::string Lower = LowerCase(Line);
    const std::size_t Quote = OpenTableQuote(Lower);
    if (Quote == npos)
        return false;
    const std::size_t Close = Lower.find('"', Quote + 1);
    if (Close == npos)
        return false;
    Path = Trim(Line.substr(Quote + 1, Close - Quote - 1));
    if (Path.empty())
        return false;
    std::size_t P = SkipBlanks(Lower, Close + 1);
    std::size_t AsEnd = P;
    if (P > Close + 1 && WordAt(Lower, AsEnd) == "as") {
        P = SkipBlanks(Lower, AsEnd);
        if (P < Line.size() && (Line[P] == '"' || Line[P] == '`')) {
            const std::size_t AliasEnd = Line.find(Line[P], P + 1);
            Alias = std::string(Line.substr(P + 1, (AliasEnd == npos ? Line.size() : AliasEnd) - P - 1));
        } else {
            Alias = std::string(WordAt(Line, P));
        }
    } else {
        Alias.clear();
    }
    if (Alias.empty()) {
        std::string Name = Path;
        std::replace(Name.begin(), Name.end(), '\\', '/');
        Alias = ChangeFileExt(ExtractFileName(Name), "");
    }
    return true;
}

} // namespace detail

TWorkspace ParseWorkspace(std::string_view Bytes)
{
    return TParser(Bytes).Run();
}

} // namespace cartova
