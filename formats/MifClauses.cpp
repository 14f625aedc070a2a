// Style clauses of the MIF reader (Pen, Brush, Symbol, Font and the text
// clauses) and the provider-level load: update, progress and error report.
#include "formats/MifAttributes.h"
#include "formats/MifReader.h"
#include "map/Cartova.h"
#include "map/Layers.h"
#include "objects/Symbol.h"
#include "objects/Text.h"

namespace cartova::detail {

namespace {

/// The whole message of an exception (a host exception's text may hold NUL
/// bytes, which what() would cut), each NUL byte shown as \0.
std::string MessageOf(const std::exception& E)
{
    const auto* Host = dynamic_cast<const Exception*>(&E);
    const std::string Text = Host ? Host->GetMessage() : std::string(E.what());
    std::string Shown;
    Shown.reserve(Text.size());
    for (const char C : Text) {
        if (C == '\0')
            Shown += "\\0";
        else
            Shown += C;
    }
    return Shown;
}

/// The largest symbol or font size, in points, a file may give.
constexpr int MaxMifSize = 4000;

/// Token as a symbol or font size; raises when it lies outside 0..MaxMifSize.
int SizeOf(const std::string& Token)
{
    const int Size = StrToInt(Token);
    if (Size < 0 || Size > MaxMifSize)
        throw EConvertError(Format("'%s' is not a valid size (0 to %d points)", Token, MaxMifSize));
    return Size;
}

} // namespace

void TMifReader::Tokenize(std::string_view Line)
{
    FParser.Read(std::string(Line), static_cast<int>(LineNumber()), false, true);
}

const std::string& TMifReader::Token(int Index) const
{
    return FParser.GetItems(Index)->GetValue();
}

std::string TMifReader::Unquoted(const std::string& Token) const
{
    if (Token.size() >= 2 && Token.front() == '"' && Token.back() == '"')
        return ToUtf8(Token.substr(1, Token.size() - 2));
    return ToUtf8(Token);
}

bool TMifReader::ReadClauses(TCustomMapObject* Object)
{
    auto* Symbol = dynamic_cast<TSymbol*>(Object);
    auto* Text = dynamic_cast<TText*>(Object);
    for (;;) {
        if (!NextLine())
            return false;
        const std::string Word = MifKeyword(FLine);
        if (Word == "PEN") {
            // Pen (width, pattern, colour)
            Tokenize(FLine);
            TPen* Pen = Object->GetPen();
            Pen->SetWidth(PenWidthOfMif(StrToInt(Token(1))));
            Pen->SetStyle(PenStyleOfMif(StrToInt(Token(2))));
            Pen->SetColor(MifColorToColor(StrToInt64(Token(3))));
        } else if (Word == "BRUSH") {
            // Brush (pattern, fore colour[, back colour]); without a back
            // colour the pattern's background is transparent, and pattern 1
            // (no fill) fills nothing at all.
            Tokenize(FLine);
            const int Pattern = StrToInt(Token(1));
            TBrush* Brush = Object->GetBrush();
            Brush->SetStyle(BrushStyleOfMif(Pattern));
            Brush->SetColor(MifColorToColor(StrToInt64(Token(2))));
            const bool Back = FParser.Count() >= 4;
            if (Back)
                Object->SetBGColor(MifColorToColor(StrToInt64(Token(3))));
            Object->SetUseBGColor(Back && Pattern != 1);
        } else if (Word == "SYMBOL") {
            if (!Symbol || Text)
                continue;
            Tokenize(FLine);
            // Symbol (shape, colour, size[, "font", style, rotation]); the
            // bitmap form Symbol ("file", colour, size, style) has no shape.
            const bool Bitmap = !Token(1).empty() && Token(1).front() == '"';
            if (!Bitmap)
                Symbol->SetShape(StrToInt(Token(1)));
            Object->GetFont()->SetColor(MifColorToColor(StrToInt64(Token(2))));
            Object->GetFont()->SetSize(SizeOf(Token(3)));
            if (!Bitmap)
                Object->GetFont()->SetName(FParser.Count() >= 6 ? Unquoted(Token(4)) : "MapInfo Symbol");
        } else if (Word == "FONT") {
            if (!Text)
                continue;
            // Font ("name", style, size, colour[, background])
            Tokenize(FLine);
            TFont* Font = Object->GetFont();
            Font->SetName(Unquoted(Token(1)));
            Font->SetStyle(FontStyleOfMif(StrToInt(Token(2))));
            const int Size = SizeOf(Token(3));
            if (Size > 0)
                Font->SetSize(Size);
            Font->SetColor(MifColorToColor(StrToInt64(Token(4))));
        } else if (Word == "CENTER" || Word == "SMOOTH") {
            // nothing to keep
        } else if (Text && Word == "ANGLE") {
            Tokenize(FLine);
            Text->SetAngle(StrToFloat(Token(1)));
        } else if (Text && (Word == "JUSTIFY" || Word == "SPACING" || Word == "LABEL")) {
            // layout hints the text object does not hold
        } else {
            return true; // this line goes back to the main loop
        }
    }
}

bool LoadMif(TMapLayer& Layer, const std::string& FileName)
{
    TCartova* Map = Layer.GetMap();
    Map->BeginUpdate();
    Map->SetTextSizing(true);
    bool Opened = false;
    bool Ok = false;
    std::string Error;
    {
        TMifReader Reader(Layer, FileName);
        try {
            Reader.Open();
            Opened = true;
            Reader.Run();
            Ok = true;
        } catch (const std::exception& E) {
            Error = MessageOf(E);
        }
        if (const std::string Warning = Reader.WarningText(); !Warning.empty())
            MessageDlg(Warning, mtWarning, mbOK);
        if (!Opened)
            MessageDlg(Error, mtError, mbOK);
        else if (!Ok)
            MessageDlg(Format("Error reading mif-file at line %d with message: %s!", Reader.LineNumber(),
                              Error),
                       mtError, mbOK);
        Map->StopProgress();
        Map->EndUpdate(true);
        Map->SetTextSizing(false);
    }
    return Ok;
}

} // namespace cartova::detail
