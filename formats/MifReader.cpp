#include "formats/MifReader.h"

#include "formats/MifAttributes.h"
#include "formats/MifColumns.h"
#include "formats/MifNumbers.h"
#include "host/VectorState.h"
#include "map/Cartova.h"
#include "map/Layers.h"
#include "objects/NoGeometry.h"
#include "objects/Polyline.h"
#include "objects/Rectangle.h"
#include "objects/Region.h"
#include "objects/Symbol.h"
#include "objects/Text.h"

#include <algorithm>
#include <cmath>

namespace cartova::detail {

namespace {

struct TKindName {
    const char* Word;
    TMifObjectKind Kind;
};

constexpr TKindName KindNames[] = {
    {"REGION", TMifObjectKind::Region},       {"PLINE", TMifObjectKind::Pline},
    {"POINT", TMifObjectKind::Point},         {"LINE", TMifObjectKind::Line},
    {"TEXT", TMifObjectKind::Text},           {"RECT", TMifObjectKind::Rect},
    {"ROUNDRECT", TMifObjectKind::RoundRect}, {"ELLIPSE", TMifObjectKind::Ellipse},
    {"ARC", TMifObjectKind::Arc},             {"MULTIPOINT", TMifObjectKind::Multipoint},
    {"COLLECTION", TMifObjectKind::Collection}, {"NONE", TMifObjectKind::NoGeometry},
};

bool IsLetter(char C)
{
    return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_';
}

// The header clauses; any other line after CoordSys continues its clause.
bool IsHeaderKeyword(const std::string& Word)
{
    static constexpr const char* Words[] = {"VERSION", "CHARSET", "DELIMITER", "UNIQUE", "INDEX",
                                            "COORDSYS", "TRANSFORM", "COLUMNS", "DATA"};
    for (const char* W : Words)
        if (Word == W)
            return true;
    return false;
}

// The name a skipped kind is counted under.
const char* SkippedKindName(TMifObjectKind Kind)
{
    switch (Kind) {
    case TMifObjectKind::Ellipse: return "Ellipse";
    case TMifObjectKind::Arc: return "Arc";
    case TMifObjectKind::Multipoint: return "Multipoint";
    default: return "Collection";
    }
}

// The most vertices reserved for a part before its vertices are read.
constexpr long long MaxReservedVertices = 1 << 20;

// The most value warnings one load lists; the rest are counted.
constexpr std::size_t MaxListedWarnings = 20;

// The text between the first and the last quote of Line, doubled quotes
// undone and \n escapes turned into line ends; the trimmed line without quotes.
std::string QuotedText(std::string_view Line)
{
    const std::size_t First = Line.find('"');
    const std::size_t Last = Line.rfind('"');
    if (First == std::string_view::npos || Last == First)
        return Trim(Line);
    const std::string_view In = Line.substr(First + 1, Last - First - 1);
    std::string Out;
    Out.reserve(In.size());
    for (std::size_t I = 0; I < In.size(); ++I) {
        if (In[I] == '"' && I + 1 < In.size() && In[I + 1] == '"') {
            Out.push_back('"');
            ++I;
        } else if (In[I] == '\\' && I + 1 < In.size() && (In[I + 1] == 'n' || In[I + 1] == '\\')) {
            Out.push_back(In[I + 1] == 'n' ? '\n' : '\\');
            ++I;
        } else {
            Out.push_back(In[I]);
        }
    }
    return Out;
}

} // namespace

TMifObjectKind MifObjectKindOf(std::string_view UpperWord)
{
    for (const auto& K : KindNames)
        if (UpperWord == K.Word)
            return K.Kind;
    return TMifObjectKind::None;
}

std::string MifKeyword(std::string_view Line)
{
    SkipMifSpaces(Line);
    std::size_t I = 0;
    while (I < Line.size() && IsLetter(Line[I]))
        ++I;
    return UpperCase(Line.substr(0, I));
}

TMifReader::TMifReader(TMapLayer& Layer, const std::string& FileName)
    : FLayer(Layer), FMap(Layer.GetMap()), FFileName(FileName),
      FConverter(std::make_unique<TMifTextConverter>("Neutral"))
{
    TDelimiters Delims = TSyntaxParser::InitialDelimiters();
    Delims.Exclude('+').Exclude('-').Exclude('.');
    FParser.SetDelimiters(Delims);
    FParser.SetSkipChars(TSetOfChar{' ', '\t', '(', ')', ','});
}

TMifReader::~TMifReader() = default;

void TMifReader::Open()
{
    if (!FMif.Open(FFileName))
        throw EFOpenError(Format("Cannot open file \"%s\": %s", FFileName, FMif.GetError()));
    const auto Exists = [](const std::string& Name) { return FileExists(Name) || DirectoryExists(Name); };
    std::string MidName = ChangeFileExt(FFileName, ".mid");
    if (!Exists(MidName) && Exists(ChangeFileExt(FFileName, ".MID")))
        MidName = ChangeFileExt(FFileName, ".MID");
    if (!Exists(MidName))
        return;
    if (!FMid.Open(MidName))
        throw EFOpenError(Format("Cannot open the MID file \"%s\": %s", MidName, FMid.GetError()));
    FMidName = MidName;
}

bool TMifReader::ReadDouble(double& Value)
{
    for (;;) {
        if (ScanDouble(FRest, Value))
            return true;
        SkipMifSpaces(FRest);
        if (!FRest.empty())
            throw EConvertError(Format("'%s' is not a valid floating point value",
                                       std::string(FirstWord(FRest))));
        if (!NextLine())
            return false;
    }
}

bool TMifReader::ReadCount(long long& Value)
{
    for (;;) {
        if (ScanInteger(FRest, Value)) {
            if (Value < 0)
                throw EConvertError(Format("'%d' is not a valid count", Value));
            return true;
        }
        SkipMifSpaces(FRest);
        if (!FRest.empty())
            throw EConvertError(Format("'%s' is not a valid integer value",
                                       std::string(FirstWord(FRest))));
        if (!NextLine())
            return false;
    }
}

std::string TMifReader::ToUtf8(std::string_view Text) const
{
    return FConverter->ToUtf8(Text);
}

void TMifReader::Run()
{
    const int Blocks = static_cast<int>(std::min<std::uint64_t>(FMif.Size() / 128, 0x7FFFFFFF));
    if (FMap)
        FMap->StartProgress(0, Blocks, "Loading file");
    bool Have = NextLine();
    while (Have) {
        if (FMap)
            FMap->ShowProgress(static_cast<int>(std::min<std::uint64_t>(FMif.Position() / 128, 0x7FFFFFFF)));
        // The progress handler may have drawn; drawing leaves the state that
        // slows number parsing down.
        ClearUpperVectorState();
        const std::string Word = MifKeyword(FLine);
        const TMifObjectKind Kind = MifObjectKindOf(Word);
        if (Kind == TMifObjectKind::None) {
            if (!FInData && Word == "COORDSYS") {
                Have = ReadCoordSys();
                continue;
            }
            if (!FInData)
                ReadHeaderLine(Word);
            Have = NextLine();
            continue;
        }
        if (!FInData)
            EnterData();
        // Skip the keyword itself; the numbers after it belong to the object.
        SkipMifSpaces(FRest);
        FRest.remove_prefix(std::min(FRest.size(), Word.size()));
        Have = ReadObject(Kind);
    }
}

void TMifReader::ReadHeaderLine(const std::string& Word)
{
    std::string_view Rest = FLine;
    SkipMifSpaces(Rest);
    Rest.remove_prefix(Word.size());
    if (Word == "DATA") {
        EnterData();
    } else if (Word == "DELIMITER") {
        std::string Text = Trim(Rest);
        if (Text.size() >= 2 && (Text.front() == '"' || Text.front() == '\''))
            Text = Text.substr(1, Text.size() - 2);
        FDelimiter = Text;
    } else if (Word == "CHARSET") {
        std::string Text = Trim(Rest);
        if (Text.size() >= 2 && Text.front() == '"')
            Text = Text.substr(1, Text.size() - 2);
        FConverter = std::make_unique<TMifTextConverter>(Text);
        FCharset = Text;
    } else if (Word == "COLUMNS") {
        ReadColumns();
    }
}

bool TMifReader::ReadCoordSys()
{
    std::string Clause = TrimRight(Trim(FLine));
    bool Have;
    while ((Have = NextLine())) {
        const std::string Word = MifKeyword(FLine);
        if (IsHeaderKeyword(Word) || MifObjectKindOf(Word) != TMifObjectKind::None)
            break;
        const std::string Line = TrimRight(std::string(FLine));
        if (!Line.empty())
            Clause += "\n" + Line;
    }
    FLayer.SetCoordSys(Clause);
    return Have;
}

void TMifReader::EnterData()
{
    FInData = true;
    TLayerFileInfo& Info = FLayer.GetFileInfo();
    Info.Charset = FCharset;
    Info.Delimiter = FDelimiter;
}

void TMifReader::ReadColumns()
{
    std::string_view Rest = FLine;
    SkipMifSpaces(Rest);
    Rest.remove_prefix(7);
    const int N = StrToInt(Trim(Rest));
    if (N < 0)
        throw EConvertError(Format("'%d' is not a valid column count", N));
    // Each declaration takes a line, a byte at least: a count the rest of the
    // file cannot hold is refused before any column is made.
    if (static_cast<std::uint64_t>(N) > FMif.Remaining())
        throw EReadError(Format("The file declares %d columns but has room for %d", N,
                                static_cast<long long>(FMif.Remaining())));
    TDataFields* Fields = FLayer.GetFields();
    Fields->Clear();
    std::vector<TColumnDeclaration>& Declared = FLayer.GetFileInfo().Columns;
    Declared.clear();
    for (int I = 0; I < N; ++I) {
        if (!NextLine())
            throw EReadError(Format("The file ends after %d of %d columns", I, N));
        const std::string Decl = ToUtf8(Trim(FLine));
        const std::size_t Space = Decl.find_first_of(" \t");
        const std::string Name = Decl.substr(0, Space);
        const std::string TypeText = Space == std::string::npos ? std::string() : Trim(Decl.substr(Space + 1));
        const TDataType Type = MifColumnType(TypeText);
        Fields->Add(Name, Type, Type == dtString || Type == dtDecimal ? MifColumnWidth(TypeText) : 0);
        Declared.push_back({Name, TypeText});
    }
}

void TMifReader::ReadMidRecord()
{
    FValues.clear();
    FRecordLine = 0;
    if (!FMid.IsOpen())
        return;
    std::string_view Line;
    if (!FMid.ReadLine(Line))
        return;
    FRecordLine = FMid.LineCount();
    // A record whose last value is still inside its quotes goes on on the
    // next line; each line is scanned once for the quote that closes it.
    if (Split(Line))
        return;
    char Quote = OpenMidQuote(Line, FDelimiter, 0);
    FRecord.assign(Line);
    while (Quote && FMid.ReadLine(Line)) {
        if (FRecord.size() + Line.size() >= TMifLineReader::MaxLineLength)
            throw EReadError(Format("The record at line %d of \"%s\" is longer than %d bytes", FRecordLine,
                                    FMidName, static_cast<long long>(TMifLineReader::MaxLineLength)));
        FRecord += '\n';
        FRecord.append(Line);
        Quote = OpenMidQuote(std::string_view(FRecord).substr(FRecord.size() - Line.size() - 1), FDelimiter, Quote);
    }
    Split(FRecord);
}

bool TMifReader::Split(std::string_view Record)
{
    if (FConverter->Converts() && !IsAscii(Record))
        return SplitMidRecord(ToUtf8(Record), FDelimiter, FValues);
    return SplitMidRecord(Record, FDelimiter, FValues);
}

void TMifReader::AssignRecord(TCustomMapObject* Object)
{
    TDataFields* Fields = Object->GetFields();
    const int N = std::min(Fields->Count(), static_cast<int>(FValues.size()));
    for (int J = 0; J < N; ++J) {
        const TMidValue& Value = FValues[static_cast<std::size_t>(J)];
        if (StoreMidValue(*Fields, J, Value))
            continue;
        if (FWarnings.size() < MaxListedWarnings) {
            const TDataField* Column = FLayer.GetFields()->GetFields(J);
            FWarnings.push_back(Format("line %d, column %d (%s): '%s' is not a valid %s value", FRecordLine, J + 1,
                                       Column->GetName(), Trim(Value.Text), Column->GetDataTypeName()));
        }
        ++FWarningCount;
    }
    Fields->Shrink();
}

std::string TMifReader::WarningText() const
{
    if (FWarningCount == 0)
        return {};
    std::string Text = Format("%d values of \"%s\" could not be read and are left empty:", FWarningCount,
                              FMidName);
    for (const std::string& W : FWarnings)
        Text += "\n" + W;
    if (FWarningCount > static_cast<long long>(FWarnings.size()))
        Text += Format("\nand %d more", FWarningCount - static_cast<long long>(FWarnings.size()));
    return Text;
}

bool TMifReader::ReadPoints(TParts* Parts, long long Count)
{
    // The vertices go into a list of their own (no handler to call per
    // vertex), which the part takes over when reading ends, also early.
    struct THandOver {
        TPart* Part;
        std::unique_ptr<TMapPoints> Points = std::make_unique<TMapPoints>();
        ~THandOver() { Part->SetPoints(std::move(Points)); }
    } Read{Parts->Add()};
    TMapPoints* Points = Read.Points.get();
    // Reserve no more than the rest of the file can hold (4 bytes a vertex at
    // least) and no more than MaxReservedVertices: a larger declared count
    // grows the list as its vertices arrive.
    const long long Room = static_cast<long long>(FMif.Remaining() / 4 + 1);
    Points->Reserve(static_cast<int>(std::min<long long>({Count, Room, MaxReservedVertices})));
    SkipRestOfLine();
    for (long long I = 0; I < Count; ++I) {
        double X = 0, Y = 0;
        // The usual vertex: both numbers on a line of their own.
        if (!NextLine())
            return false;
        std::string_view Rest = FRest;
        if (!ScanDouble(Rest, X) || !ScanDouble(Rest, Y)) {
            // Anything else (numbers over several lines, bad text) takes the
            // general path from the start of the line.
            if (!ReadDouble(X) || !ReadDouble(Y))
                return false;
        }
        SkipRestOfLine();
        Points->Add(X, Y);
    }
    return true;
}

bool TMifReader::ReadRegion(TParts* Parts)
{
    long long Polygons = 0;
    if (!ReadCount(Polygons))
        return false;
    for (long long P = 0; P < Polygons; ++P) {
        SkipRestOfLine();
        long long Count = 0;
        if (!ReadCount(Count) || !ReadPoints(Parts, Count))
            return false;
    }
    return true;
}

bool TMifReader::ReadPline(TParts* Parts)
{
    SkipMifSpaces(FRest);
    if (MifKeyword(FRest) == "MULTIPLE") {
        FRest.remove_prefix(8);
        long long Sections = 0;
        if (!ReadCount(Sections))
            return false;
        for (long long S = 0; S < Sections; ++S) {
            SkipRestOfLine();
            long long Count = 0;
            if (!ReadCount(Count) || !ReadPoints(Parts, Count))
                return false;
        }
        return true;
    }
    long long Count = 0;
    return ReadCount(Count) && ReadPoints(Parts, Count);
}

void TMifReader::ReadText(TText* Text)
{
    std::string_view StringLine = FRest;
    SkipMifSpaces(StringLine);
    if (StringLine.empty()) {
        if (!NextLine())
            return;
        StringLine = FLine;
    }
    const std::string Value = ToUtf8(QuotedText(StringLine));
    SkipRestOfLine();
    double C[4] = {0, 0, 0, 0};
    for (double& V : C)
        if (!ReadDouble(V))
            return;
    SkipRestOfLine();
    if (!std::isfinite(C[2] - C[0]) || !std::isfinite(C[3] - C[1]))
        throw EConvertError(Format("The text box %g %g %g %g is too large", C[0], C[1], C[2], C[3]));
    Text->SetX(std::min(C[0], C[2]));
    Text->SetY(std::min(C[1], C[3]));
    Text->SetWidth(std::abs(C[2] - C[0]));
    Text->SetHeight(std::abs(C[3] - C[1]));
    Text->SetText(Value);
}

bool TMifReader::ReadObject(TMifObjectKind Kind)
{
    using K = TMifObjectKind;
    // Parts of a collection belong to the collection's record.
    if (FCollectionParts > 0 && (Kind == K::Region || Kind == K::Pline || Kind == K::Multipoint)) {
        --FCollectionParts;
        return NextLine();
    }
    FCollectionParts = 0;
    ReadMidRecord();
    TCustomMapObject* Object = nullptr;
    bool More = true; // false once the file has ended inside the object
    switch (Kind) {
    case K::Region: {
        auto* R = FLayer.NewObject<TRegion>();
        AssignRecord(R);
        Object = R;
        More = ReadRegion(R->GetParts());
        break;
    }
    case K::Pline: {
        auto* P = FLayer.NewObject<TPolyline>();
        AssignRecord(P);
        Object = P;
        More = ReadPline(P->GetParts());
        break;
    }
    case K::Line: {
        auto* P = FLayer.NewObject<TPolyline>();
        AssignRecord(P);
        Object = P;
        TMapPoints* Points = P->GetParts()->Add()->GetPoints();
        double C[4] = {0, 0, 0, 0};
        for (int I = 0; I < 4 && More; ++I)
            More = ReadDouble(C[I]);
        if (More) {
            Points->Add(C[0], C[1]);
            Points->Add(C[2], C[3]);
        }
        break;
    }
    case K::Point: {
        auto* S = FLayer.NewObject<TSymbol>();
        AssignRecord(S);
        Object = S;
        double X = 0, Y = 0;
        More = ReadDouble(X) && ReadDouble(Y);
        S->SetX(X);
        S->SetY(Y);
        S->UpdateBounds();
        break;
    }
    case K::Rect:
    case K::RoundRect: {
        auto* R = FLayer.NewObject<TRectangle>();
        AssignRecord(R);
        Object = R;
        double C[4] = {0, 0, 0, 0};
        for (int I = 0; I < 4 && More; ++I)
            More = ReadDouble(C[I]);
        if (More && Kind == K::RoundRect) {
            // The radius follows the corners, on their line or the next.
            double Radius = 0;
            if (!ScanDouble(FRest, Radius)) {
                SkipRestOfLine();
                More = ReadDouble(Radius);
            }
        }
        R->SetX0(C[0]);
        R->SetY0(C[1]);
        R->SetX1(C[2]);
        R->SetY1(C[3]);
        R->UpdateBounds();
        break;
    }
    case K::Text: {
        auto* T = FLayer.NewObject<TText>();
        AssignRecord(T);
        Object = T;
        ReadText(T);
        T->UpdateBounds();
        break;
    }
    case K::NoGeometry:
        Object = FLayer.NewObject<TNoGeometry>();
        AssignRecord(Object);
        break;
    case K::Collection: {
        FLayer.GetFileInfo().Skipped.Add(SkippedKindName(Kind));
        long long Parts = 0;
        if (ReadCount(Parts))
            FCollectionParts = Parts;
        return NextLine();
    }
    default: // Ellipse, Arc, Multipoint: skipped with their record
        FLayer.GetFileInfo().Skipped.Add(SkippedKindName(Kind));
        return NextLine();
    }
    if (!More)
        return false;
    return ReadClauses(Object);
}

} // namespace cartova::detail
