#include "apps/cartova/Arguments.h"
#include "apps/cartova/Commands.h"
#include "apps/cartova/Json.h"
#include "apps/cartova/MapSession.h"
#include "apps/cartova/Messages.h"

#include <iostream>
#include <map>
#include <sstream>

namespace cartova::cli {

namespace {

const char* const Help = R"(Usage: cartova info FILE... [--json]

Describes each layer of the FILEs: its file, coordinate system and charset,
its extent, its objects by class (and the objects the reader skipped because
Cartova has no class for their kind), and its columns with the types the file
declares. A workspace (.wor) brings the tables of its map window, bottom first.

Options:
  --json       print one JSON object instead:
                 {"layers": [{"name", "file", "coordsys", "charset", "objects",
                 "classes": {CLASS: COUNT}, "skipped": {KIND: COUNT},
                 "fields": [{"name", "type", "declared"}], "extent": [MINX,
                 MINY, MAXX, MAXY]}]}
               coordsys, charset, skipped, declared and extent are left out
               when the file has none. The JSON is always valid UTF-8: in a
               file whose charset is Neutral or not declared, each byte of a
               name that is not UTF-8 is shown as U+FFFD.
  -h, --help   print this help and exit

A file that cannot be read is reported on stderr and the other files are
still described; the exit status is 1 then.
)";

struct TField {
    std::string Name, Type, Declared;
};

struct TLayerInfo {
    std::string Name, File, CoordSys, Charset;
    int Objects = 0;
    std::map<std::string, int> Classes;
    std::vector<TField> Fields;
    TSkippedObjects Skipped;
    bool HasExtent = false;
    TBounds Extent;
};

// A CoordSys clause on one line: its lines trimmed and joined by spaces.
std::string OneLine(const std::string& Clause)
{
    std::istringstream In(Clause);
    std::string Line, Out;
    while (std::getline(In, Line))
        if (const std::string T = Trim(Line); !T.empty())
            Out += (Out.empty() ? "" : " ") + T;
    return Out;
}

TLayerInfo Describe(TMapLayer* Layer)
{
    TLayerInfo I;
    I.Name = Layer->GetName();
    I.File = Layer->GetFileName();
    I.CoordSys = OneLine(Layer->GetCoordSys());
    const TLayerFileInfo& FileInfo = Layer->GetFileInfo();
    I.Charset = FileInfo.Charset;
    I.Skipped = FileInfo.Skipped;
    I.Objects = Layer->GetObjectCount();
    std::vector<TCustomMapObject*> Objects;
    for (int K = 0; K < Layer->GetObjectCount(); ++K) {
        Objects.push_back(Layer->GetObjects(K));
        ++I.Classes[Layer->GetObjects(K)->ClassName()];
    }
    const TDataFields* F = Layer->GetFields();
    for (int J = 0; J < F->Count(); ++J) {
        const TDataField* Field = F->GetFields(J);
        const TColumnDeclaration* Declaration = FileInfo.FindColumn(Field->GetName());
        I.Fields.push_back({Field->GetName(), Field->GetDataTypeName(), Declaration ? Declaration->Type : ""});
    }
    if (!Objects.empty()) {
        I.Extent = GatherExtent(Objects);
        I.HasExtent = I.Extent.MinX <= I.Extent.MaxX && I.Extent.MinY <= I.Extent.MaxY;
    }
    return I;
}

bool HasValidUtf8(const TLayerInfo& I)
{
    bool Valid = IsValidUtf8(I.Name) && IsValidUtf8(I.File) && IsValidUtf8(I.CoordSys) && IsValidUtf8(I.Charset);
    for (const TField& F : I.Fields)
        Valid = Valid && IsValidUtf8(F.Name) && IsValidUtf8(F.Declared);
    return Valid;
}

// {"name": count, ...}
std::string JsonCounts(const std::map<std::string, int>& Counts)
{
    std::string Out = "{";
    for (const auto& [Name, Count] : Counts)
        Out += (Out.size() > 1 ? ", " : "") + JsonString(Name) + ": " + std::to_string(Count);
    return Out + "}";
}

std::string JsonLayer(const TLayerInfo& I)
{
    std::string Out = "{\"name\": " + JsonString(I.Name) + ", \"file\": " + JsonString(I.File);
    if (!I.CoordSys.empty())
        Out += ", \"coordsys\": " + JsonString(I.CoordSys);
    if (!I.Charset.empty())
        Out += ", \"charset\": " + JsonString(I.Charset);
    Out += ", \"objects\": " + std::to_string(I.Objects) + ", \"classes\": " + JsonCounts(I.Classes);
    if (!I.Skipped.Empty())
        Out += ", \"skipped\": " + JsonCounts(I.Skipped.Counts());
    Out += ", \"fields\": [";
    for (std::size_t J = 0; J < I.Fields.size(); ++J) {
        const TField& F = I.Fields[J];
        Out += (J ? ", " : "") + std::string("{\"name\": ") + JsonString(F.Name) + ", \"type\": " + JsonString(F.Type);
        if (!F.Declared.empty())
            Out += ", \"declared\": " + JsonString(F.Declared);
        Out += "}";
    }
    Out += "]";
    if (I.HasExtent)
        Out += ", \"extent\": [" + JsonNumber(I.Extent.MinX) + ", " + JsonNumber(I.Extent.MinY) + ", " +
               JsonNumber(I.Extent.MaxX) + ", " + JsonNumber(I.Extent.MaxY) + "]";
    return Out + "}";
}

// "TRegion 3, TSymbol 1"
std::string CountList(const std::map<std::string, int>& Counts)
{
    std::string Out;
    for (const auto& [Name, Count] : Counts)
        Out += (Out.empty() ? "" : ", ") + Name + " " + std::to_string(Count);
    return Out;
}

void PrintText(const TLayerInfo& I)
{
    std::cout << "Layer: " << I.Name << "\n"
              << "  File: " << I.File << "\n"
              << "  Coordinate system: " << (I.CoordSys.empty() ? "none declared" : I.CoordSys) << "\n";
    if (!I.Charset.empty())
        std::cout << "  Charset: " << I.Charset << "\n";
    if (I.HasExtent)
        std::cout << "  Extent: (" << JsonNumber(I.Extent.MinX) << ", " << JsonNumber(I.Extent.MinY) << ") - ("
                  << JsonNumber(I.Extent.MaxX) << ", " << JsonNumber(I.Extent.MaxY) << ")\n";
    else
        std::cout << "  Extent: none (no object with geometry)\n";
    std::cout << "  Objects: " << I.Objects << (I.Classes.empty() ? "" : " (" + CountList(I.Classes) + ")") << "\n";
    if (!I.Skipped.Empty())
        std::cout << "  Skipped: " << I.Skipped.Total() << " (" << I.Skipped.ToString()
                  << "), of kinds Cartova has no class for\n";
    std::cout << "  Columns: " << I.Fields.size() << "\n";
    for (const TField& F : I.Fields)
        std::cout << "    " << F.Name << ": " << (F.Declared.empty() ? F.Type : F.Declared) << "\n";
}

} // namespace

int Info(const TArgs& Args)
{
    const TArguments A(Args, {{"--json", "", ""}});
    if (A.Help()) {
        std::cout << Help;
        return ExitSuccess;
    }
    if (A.Operands().empty())
        throw TUsageError("no FILE given: cartova info FILE... [--json]");
    const bool Json = A.Has("--json");
    int Status = ExitSuccess;
    std::vector<TLayerInfo> Layers;
    TMapSession Session;
    for (const std::string& File : A.Operands()) {
        try {
            for (TMapLayer* Layer : Session.Open(File)) {
                Layers.push_back(Describe(Layer));
                if (!Json)
                    PrintText(Layers.back());
                else if (!HasValidUtf8(Layers.back()))
                    Warn(File, "has names that are not valid UTF-8 (its charset is " +
                                   (Layers.back().Charset.empty() ? "not declared" : Layers.back().Charset) +
                                   "); the JSON shows each such byte as U+FFFD");
            }
        } catch (const TFileError& E) {
            Status = ReportError(E.what());
        }
    }
    if (Json) {
        std::string Out = "{\"layers\": [";
        for (std::size_t L = 0; L < Layers.size(); ++L)
            Out += (L ? ", " : "") + JsonLayer(Layers[L]);
        std::cout << Out << "]}\n";
    }
    return Status;
}

} // namespace cartova::cli
