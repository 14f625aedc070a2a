#pragma once
// The MIF/MID reader behind TSimpleMIFFormatProvider::Load. It streams the
// MIF file line by line (header, column list, one block per object with its
// style clauses) and takes one MID record per object of the Data section.

#include "formats/MidRecord.h"
#include "formats/MifCharset.h"
#include "formats/MifLineReader.h"
#include "formats/SyntaxParser.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace cartova {

class TMapLayer;
class TCartova;
class TCustomMapObject;
class TParts;
class TText;

namespace detail {

/// The object kinds of the Data section (the first word of a line).
enum class TMifObjectKind {
    None, Region, Pline, Point, Line, Text, Rect, RoundRect,
    Ellipse, Arc, Multipoint, Collection, NoGeometry
};

/// The kind an upper-cased first word starts, or TMifObjectKind::None.
TMifObjectKind MifObjectKindOf(std::string_view UpperWord);
/// The leading keyword of Line (its first run of letters), upper-cased.
std::string MifKeyword(std::string_view Line);

/// Reads one MIF/MID pair into a layer. Errors are raised as exceptions; the
/// caller reports them with LineNumber().
class TMifReader {
public:
    TMifReader(TMapLayer& Layer, const std::string& FileName);
    ~TMifReader();

    /// Opens the MIF file and the MID file beside it, when there is one;
    /// raises EFOpenError when either cannot be opened (a missing MID is no
    /// error, an existing one that cannot be read is).
    void Open();
    /// Reads the whole file; raises on the first error.
    void Run();
    /// Number of the MIF line last read, from 1.
    long long LineNumber() const { return FMif.LineCount(); }
    /// The values that could not be read (and were left empty), with their
    /// MID line and column, as one message; "" when every value was read.
    std::string WarningText() const;

private:
    /// The next MIF line into FLine and FRest; false (both empty) at the end.
    bool NextLine()
    {
        // By value: the two views are stored from registers, never copied
        // from one to the other through memory.
        const std::string_view Line = FMif.NextLine();
        FLine = Line;
        FRest = Line;
        return Line.data() != nullptr;
    }
    void SkipRestOfLine() { FRest = {}; }
    bool ReadDouble(double& Value);
    bool ReadCount(long long& Value);
    void ReadHeaderLine(const std::string& Word);
    /// Keeps the CoordSys clause with the lines that continue it; true when
    /// the line after it is the current line.
    bool ReadCoordSys();
    /// The header has ended: the layer keeps its charset and delimiter.
    void EnterData();
    void ReadColumns();
    void ReadMidRecord();
    bool Split(std::string_view Record);
    void AssignRecord(TCustomMapObject* Object);
    bool ReadObject(TMifObjectKind Kind);
    bool ReadPoints(TParts* Parts, long long Count);
    bool ReadRegion(TParts* Parts);
    bool ReadPline(TParts* Parts);
    void ReadText(TText* Text);
    bool ReadClauses(TCustomMapObject* Object);
    void Tokenize(std::string_view Line);
    const std::string& Token(int Index) const;
    std::string Unquoted(const std::string& Token) const;
    std::string ToUtf8(std::string_view Text) const;

    TMapLayer& FLayer;
    TCartova* FMap;
    std::string FFileName;
    TMifLineReader FMif;
    TMifLineReader FMid;
    std::string_view FLine;
    std::string_view FRest;
    std::string FMidName;
    std::string FDelimiter = ";";
    std::string FCharset = "Neutral";
    std::unique_ptr<TMifTextConverter> FConverter;
    TSyntaxParser FParser;
    std::vector<TMidValue> FValues;
    std::string FRecord;           // a record spanning several MID lines
    long long FRecordLine = 0;     // the MID line the current record starts on
    std::vector<std::string> FWarnings;
    long long FWarningCount = 0;
    bool FInData = false;
    long long FCollectionParts = 0;
};

/// Load with the provider's contract: messages through the host's handler,
/// the map's update and progress events around the read, the result.
bool LoadMif(TMapLayer& Layer, const std::string& FileName);

} // namespace detail
} // namespace cartova
