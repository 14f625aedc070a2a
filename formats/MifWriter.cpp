#include "formats/MifWriter.h"

#include "formats/MidRecord.h"
#include "formats/MifAttributes.h"
#include "formats/MifCharset.h"
#include "formats/MifColumns.h"
#include "formats/MifFilePair.h"
#include "map/Cartova.h"
#include "map/Layers.h"
#include "objects/NoGeometry.h"
#include "objects/Polyline.h"
#include "objects/Rectangle.h"
#include "objects/Region.h"
#include "objects/Symbol.h"
#include "objects/Text.h"

#include <algorithm>
#include <charconv>

namespace cartova::detail {

namespace {

constexpr const char* Eol = "\r\n";

// Appends Value in the shortest fixed-point text that reads back as the same
// double (no exponent, which not every MIF reader takes).
void AppendNumber(std::string& Out, double Value)
{
    char Buf[512]; // the longest fixed form of a double has 327 characters
    const auto R = std::to_chars(Buf, Buf + sizeof Buf, Value, std::chars_format::fixed);
    Out.append(Buf, R.ptr);
}

void AppendPoint(std::string& Out, double X, double Y)
{
    AppendNumber(Out, X);
    Out.push_back(' ');
    AppendNumber(Out, Y);
    Out += Eol;
}

// The written classes, in the order they are tested.
enum class TWritten { No, Region, Polyline, Rectangle, Text, Symbol, NoGeometry };

TWritten WrittenAs(const TCustomMapObject* O)
{
    if (dynamic_cast<const TNoGeometry*>(O))
        return TWritten::NoGeometry;
    if (dynamic_cast<const TRegion*>(O))
        return TWritten::Region;
    if (dynamic_cast<const TPolyline*>(O))
        return TWritten::Polyline;
    if (dynamic_cast<const TRectangle*>(O))
        return TWritten::Rectangle;
    if (dynamic_cast<const TText*>(O))
        return TWritten::Text;
    if (dynamic_cast<const TSymbol*>(O))
        return TWritten::Symbol;
    return TWritten::No;
}

// True when every text the files will hold can be written in Conv's charset.
bool FitsCharset(const TMapLayer& Layer, const TMifTextConverter& Conv)
{
    std::string Scratch;
    auto Fits = [&](const std::string& S) { return IsAscii(S) || Conv.FromUtf8(S, Scratch); };
    const TDataFields* Fields = Layer.GetFields();
    for (int J = 0; J < Fields->Count(); ++J)
        if (!Fits(Fields->GetFields(J)->GetName()))
            return false;
    for (int I = 0; I < Layer.GetObjectCount(); ++I) {
        const TCustomMapObject* O = Layer.GetObjects(I);
        const TWritten Kind = WrittenAs(O);
        if (Kind == TWritten::No)
            continue;
        const TDataFields* F = O->GetFields();
        for (int J = 0; J < F->Count() && J < Fields->Count(); ++J)
            if (Fields->GetColumn(J).DataType == dtString && !Fits(F->GetValue(J).AsString()))
                return false;
        if (Kind == TWritten::Text) {
            const auto* T = static_cast<const TText*>(O);
            if (!Fits(T->GetText()) || !Fits(T->GetFont()->GetName()))
                return false;
        } else if (Kind == TWritten::Symbol && !Fits(O->GetFont()->GetName())) {
            return false;
        }
    }
    return true;
}

// The charset the files are written in: the one the layer was read with (a
// layer built in code: WindowsCyrillic), or UTF-8 when a text does not fit it.
std::string ChooseCharset(const TMapLayer& Layer)
{
    const std::string& Read = Layer.GetFileInfo().Charset;
    const std::string Wanted = Read.empty() ? std::string("WindowsCyrillic") : Read;
    const TMifTextConverter Conv(Wanted);
    return FitsCharset(Layer, Conv) ? Wanted : std::string("UTF-8");
}

// The delimiter the layer was read with, unless it cannot separate quoted
// values on one line; a layer built in code: ",".
std::string ChooseDelimiter(const TMapLayer& Layer)
{
    const std::string& Read = Layer.GetFileInfo().Delimiter;
    if (Read.empty() || Read.find_first_of("\"'\r\n") != std::string::npos)
        return ",";
    return Read;
}

class TMifWriter {
public:
    TMifWriter(TMapLayer& Layer, TMifOutFile& Mif, TMifOutFile& Mid, const std::string& Charset)
        : FLayer(Layer), FMif(Mif), FMid(Mid), FConv(Charset), FCharset(Charset),
          FDelimiter(ChooseDelimiter(Layer))
    {
    }

    void Run()
    {
        WriteHeader();
        for (int I = 0; I < FLayer.GetObjectCount(); ++I) {
            TCustomMapObject* O = FLayer.GetObjects(I);
            const TWritten Kind = WrittenAs(O);
            if (Kind == TWritten::No) {
                FLayer.GetFileInfo().Unsaved.AddClass(O->ClassName());
                continue; // neither geometry nor record: both files stay in step
            }
            WriteRecord(O);
            WriteObject(O, Kind);
            FMif.FlushIfFull();
            FMid.FlushIfFull();
        }
    }

private:
    std::string Encoded(const std::string& Text) const
    {
        std::string Out;
        if (!FConv.FromUtf8(Text, Out))
            Out = Text; // cannot happen: the charset was chosen to fit every text
        return Out;
    }

    void Line(const std::string& Text)
    {
        FMif.Buffer() += Text;
        FMif.Buffer() += Eol;
    }

    void WriteHeader()
    {
        const TDataFields* Fields = FLayer.GetFields();
        Line("Version 300");
        Line("Charset \"" + FCharset + "\"");
        Line("Delimiter \"" + FDelimiter + "\"");
        // The clause as read, line by line.
        const std::string& CoordSys = FLayer.GetCoordSys();
        if (CoordSys.empty())
            Line("CoordSys Earth Projection 1, 0");
        for (std::size_t Start = 0; Start < CoordSys.size();) {
            const std::size_t End = std::min(CoordSys.find('\n', Start), CoordSys.size());
            Line(CoordSys.substr(Start, End - Start));
            Start = End + 1;
        }
        Line(Format("Columns %d", Fields->Count()));
        for (int J = 0; J < Fields->Count(); ++J) {
            const TDataField& F = *Fields->GetFields(J);
            Line("  " + Encoded(F.GetName() + " " + MifColumnTypeText(F, FLayer.GetFileInfo())));
        }
        Line("Data");
    }

    void WriteRecord(const TCustomMapObject* O)
    {
        std::string& Out = FMid.Buffer();
        const TDataFields* Schema = FLayer.GetFields();
        const TDataFields* F = O->GetFields();
        for (int J = 0; J < Schema->Count(); ++J) {
            if (J > 0)
                Out += FDelimiter;
            const TDataType Type = Schema->GetColumn(J).DataType;
            if (J >= F->Count()) {
                if (Type == dtString)
                    Out += "\"\"";
                continue;
            }
            // The object's value written as the schema's column type.
            Out += Encoded(MidValueText(Type, F->GetValue(J)));
        }
        Out += Eol;
    }

    void PenClause(const TCustomMapObject* O)
    {
        const TPen* P = O->GetPen();
        Line(Format("    Pen (%D,%D,%D)", MifPenWidth(P->GetWidth()), MifPenPattern(P->GetStyle()),
                    ColorToMifColor(P->GetColor())));
    }

    // The three-value form carries the background colour: used with
    // UseBGColor, and always for "no fill" (pattern 1), as MapInfo writes it.
    void BrushClause(const TCustomMapObject* O, bool UseBGColor)
    {
        const TBrush* B = O->GetBrush();
        if (UseBGColor || B->GetStyle() == bsClear)
            Line(Format("    Brush (%D,%D,%D)", MifBrushPattern(B->GetStyle()), ColorToMifColor(B->GetColor()),
                        ColorToMifColor(O->GetBGColor())));
        else
            Line(Format("    Brush (%D,%D)", MifBrushPattern(B->GetStyle()), ColorToMifColor(B->GetColor())));
    }

    void WriteParts(const TParts* Parts)
    {
        std::string& Out = FMif.Buffer();
        for (int P = 0; P < Parts->Count(); ++P) {
            const TMapPoints* Points = Parts->GetItems(P)->GetPoints();
            Out += Format("  %D", Points->Count());
            Out += Eol;
            for (const TMapPoint& V : *Points) {
                AppendPoint(Out, V.X, V.Y);
                FMif.FlushIfFull();
            }
        }
    }

    void WriteObject(TCustomMapObject* O, TWritten Kind)
    {
        switch (Kind) {
        case TWritten::Region:
            Line(Format("Region %D", O->GetParts()->Count()));
            WriteParts(O->GetParts());
            PenClause(O);
            BrushClause(O, O->GetUseBGColor() && O->GetBrush()->GetStyle() != bsClear);
            break;
        case TWritten::Polyline: {
            const TParts* Parts = O->GetParts();
            if (Parts->Count() > 1) {
                Line(Format("Pline Multiple %D", Parts->Count()));
                WriteParts(Parts);
            } else {
                const int N = Parts->Count() == 1 ? Parts->GetItems(0)->GetPoints()->Count() : 0;
                Line(Format("Pline %D", N));
                if (N > 0)
                    for (const TMapPoint& V : *Parts->GetItems(0)->GetPoints())
                        AppendPoint(FMif.Buffer(), V.X, V.Y);
            }
            PenClause(O);
            break;
        }
        case TWritten::Rectangle: {
            auto* R = static_cast<TRectangle*>(O);
            const double X0 = R->GetX0(), Y0 = R->GetY0(), X1 = R->GetX1(), Y1 = R->GetY1();
            Line("Region 1");
            Line("  5");
            AppendPoint(FMif.Buffer(), X0, Y0);
            AppendPoint(FMif.Buffer(), X1, Y0);
            AppendPoint(FMif.Buffer(), X1, Y1);
            AppendPoint(FMif.Buffer(), X0, Y1);
            AppendPoint(FMif.Buffer(), X0, Y0);
            PenClause(O);
            BrushClause(O, O->GetUseBGColor());
            break;
        }
        case TWritten::Text:
            WriteText(static_cast<TText*>(O));
            break;
        case TWritten::NoGeometry:
            Line("None");
            break;
        case TWritten::Symbol: {
            auto* S = static_cast<TSymbol*>(O);
            std::string Head = "Point ";
            AppendNumber(Head, S->GetX());
            Head.push_back(' ');
            AppendNumber(Head, S->GetY());
            Line(Head);
            const TFont* F = O->GetFont();
            Line(Format("    Symbol (%D,%D,%D,\"%S\",%D,%D)", S->GetShape(), ColorToMifColor(F->GetColor()),
                        F->GetSize(), Encoded(F->GetName()), MifFontStyle(F->GetStyle()), 0));
            break;
        }
        case TWritten::No:
            break;
        }
    }

    // The label box's opposite corner: the text's own box when it has one;
    // otherwise the text's extent in the current view, measured on the map canvas.
    void TextCorner(TText* T, double& X2, double& Y2)
    {
        X2 = T->GetX() + T->GetWidth();
        Y2 = T->GetY() + T->GetHeight();
        TCartova* Map = FLayer.GetMap();
        if ((T->GetWidth() > 0 && T->GetHeight() > 0) || !Map)
            return;
        TCanvas* Canvas = Map->GetCanvas();
        Canvas->SetFont(T->GetFont());
        int SX = 0, SY = 0;
        Map->MapToScreen(T->GetX(), T->GetY(), SX, SY, false);
        SX += Canvas->TextWidth(T->GetText());
        SY += Canvas->TextHeight(T->GetText());
        Map->ScreenToMap(SX, SY, X2, Y2);
    }

    void WriteText(TText* T)
    {
        Line("Text");
        std::string Quoted = "    \"";
        for (char C : Encoded(T->GetText())) {
            if (C == '"')
                Quoted += "\"\"";
            else if (C == '\n')
                Quoted += "\\n";
            else if (C != '\r')
                Quoted.push_back(C);
        }
        Quoted.push_back('"');
        Line(Quoted);
        double X2 = 0, Y2 = 0;
        TextCorner(T, X2, Y2);
        std::string Box = "    ";
        AppendNumber(Box, T->GetX());
        Box.push_back(' ');
        AppendNumber(Box, T->GetY());
        Box.push_back(' ');
        AppendNumber(Box, X2);
        Box.push_back(' ');
        AppendNumber(Box, Y2);
        Line(Box);
        const TFont* F = T->GetFont();
        Line(Format("    Font (\"%S\",%D,%D,%D)", Encoded(F->GetName()), MifFontStyle(F->GetStyle()), F->GetSize(),
                    ColorToMifColor(F->GetColor())));
        if (T->GetAngle() != 0) {
            std::string A = "    Angle ";
            AppendNumber(A, T->GetAngle());
            Line(A);
        }
    }

    TMapLayer& FLayer;
    TMifOutFile& FMif;
    TMifOutFile& FMid;
    TMifTextConverter FConv;
    std::string FCharset;
    std::string FDelimiter;
};

} // namespace

bool SaveMif(TMapLayer& Layer, const std::string& FileName)
{
    if (!FileName.empty())
        Layer.SetFileName(FileName);
    const std::string MifName = Layer.GetFileName();
    if (MifName.empty())
        return false;
    TCartova* Map = Layer.GetMap();
    struct TProgress {
        TCartova* Map;
        ~TProgress()
        {
            if (Map)
                Map->StopProgress();
        }
    };
    TMifOutFile Mif(MifName);
    TMifOutFile Mid(ChangeFileExt(MifName, ".mid"));
    TProgress Progress{Map};
    if (Map)
        Map->StartProgress(0, 0, "Saving...");
    Layer.GetFileInfo().Unsaved.Clear();
    TMifWriter Writer(Layer, Mif, Mid, ChooseCharset(Layer));
    Writer.Run();
    Mif.Finish();
    Mid.Finish();
    return Mid.Replace() && Mif.Replace();
}

} // namespace cartova::detail
