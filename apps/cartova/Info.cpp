#include "apps/cartova/Commands.h"
#include "apps/cartova/MapSession.h"

#include <charconv>
#include <iostream>
#include <map>

namespace cartova::cli {

namespace {

std::string JsonString(const std::string& S)
{
    std::string Out = "\"";
    for (unsigned char C : S) {
        switch (C) {
        case '"': Out += "\\\""; break;
        case '\\': Out += "\\\\"; break;
        case '\n': Out += "\\n"; break;
        case '\r': Out += "\\r"; break;
        case '\t': Out += "\\t"; break;
        default:
            if (C < 0x20) {
                char Buf[8];
                std::snprintf(Buf, sizeof Buf, "\\u%04x", C);
                Out += Buf;
            } else {
                Out.push_back(static_cast<char>(C));
            }
        }
    }
    return Out + "\"";
}

std::string JsonNumber(double V)
{
    char Buf[64];
    const auto R = std::to_chars(Buf, Buf + sizeof Buf, V);
    return std::string(Buf, R.ptr);
}

// {"name": count, ...}
std::string JsonCounts(const std::map<std::string, int>& Counts)
{
    std::string Out = "{";
    for (const auto& [Name, Count] : Counts)
        Out += (Out.size() > 1 ? ", " : "") + JsonString(Name) + ": " + std::to_string(Count);
    return Out + "}";
}

struct TLayerInfo {
    std::string Name, File;
    int Objects = 0;
    std::map<std::string, int> Classes;
    std::vector<std::pair<std::string, std::string>> Fields;
    std::map<std::string, int> Skipped;
    bool HasExtent = false;
    TBounds Extent;
};

TLayerInfo Describe(TMapLayer* Layer)
{
    TLayerInfo I;
    I.Name = Layer->GetName();
    I.File = Layer->GetFileName();
    I.Objects = Layer->GetObjectCount();
    std::vector<TCustomMapObject*> Objects;
    for (int K = 0; K < Layer->GetObjectCount(); ++K) {
        Objects.push_back(Layer->GetObjects(K));
        ++I.Classes[Layer->GetObjects(K)->ClassName()];
    }
    I.Skipped = Layer->GetFileInfo().Skipped.Counts();
    const TDataFields* F = Layer->GetFields();
    for (int J = 0; J < F->Count(); ++J)
        I.Fields.emplace_back(F->GetFields(J)->GetName(), F->GetFields(J)->GetDataTypeName());
    if (!Objects.empty()) {
        I.Extent = GatherExtent(Objects);
        I.HasExtent = I.Extent.MinX <= I.Extent.MaxX && I.Extent.MinY <= I.Extent.MaxY;
    }
    return I;
}

void PrintJson(const std::vector<TLayerInfo>& Layers)
{
    std::string Out = "{\"layers\": [";
    for (std::size_t L = 0; L < Layers.size(); ++L) {
        const TLayerInfo& I = Layers[L];
        if (L > 0)
            Out += ", ";
        Out += "{\"name\": " + JsonString(I.Name) + ", \"file\": " + JsonString(I.File) +
               ", \"objects\": " + std::to_string(I.Objects) + ", \"classes\": " + JsonCounts(I.Classes) +
               ", \"fields\": [";
        for (std::size_t J = 0; J < I.Fields.size(); ++J)
            Out += (J ? ", " : "") + std::string("{\"name\": ") + JsonString(I.Fields[J].first) +
                   ", \"type\": " + JsonString(I.Fields[J].second) + "}";
        Out += "]";
        if (!I.Skipped.empty())
            Out += ", \"skipped\": " + JsonCounts(I.Skipped);
        if (I.HasExtent)
            Out += ", \"extent\": [" + JsonNumber(I.Extent.MinX) + ", " + JsonNumber(I.Extent.MinY) + ", " +
                   JsonNumber(I.Extent.MaxX) + ", " + JsonNumber(I.Extent.MaxY) + "]";
        Out += "}";
    }
    Out += "]}";
    std::cout << Out << "\n";
}

void PrintText(const std::vector<TLayerInfo>& Layers)
{
    for (const TLayerInfo& I : Layers) {
        std::cout << "layer " << I.Name << " (" << I.File << ")\n";
        std::cout << "  objects: " << I.Objects;
        for (const auto& [Name, Count] : I.Classes)
            std::cout << ", " << Name << " " << Count;
        std::cout << "\n  fields:";
        for (const auto& [Name, Type] : I.Fields)
            std::cout << " " << Name << " " << Type << ";";
        std::cout << "\n";
        if (!I.Skipped.empty()) {
            std::cout << "  skipped:";
            for (const auto& [Kind, Count] : I.Skipped)
                std::cout << " " << Kind << " " << Count << ";";
            std::cout << "\n";
        }
        if (I.HasExtent)
            std::cout << "  extent: " << JsonNumber(I.Extent.MinX) << " " << JsonNumber(I.Extent.MinY) << " "
                      << JsonNumber(I.Extent.MaxX) << " " << JsonNumber(I.Extent.MaxY) << "\n";
    }
}

} // namespace

int Info(const TArgs& Args)
{
    bool Json = false;
    std::vector<std::string> Files;
    for (const std::string& A : Args) {
        if (A == "--json")
            Json = true;
        else if (!A.empty() && A[0] == '-')
            return Fail("info: unknown option " + A);
        else
            Files.push_back(A);
    }
    if (Files.empty())
        return Fail("usage: cartova info FILE... [--json]");
    TMapSession Session;
    for (const std::string& F : Files)
        Session.Load(F);
    std::vector<TLayerInfo> Layers;
    TMapLayers* All = Session.Map().GetLayers();
    for (int L = 0; L < All->Count(); ++L)
        Layers.push_back(Describe(All->GetLayers(L)));
    if (Json)
        PrintJson(Layers);
    else
        PrintText(Layers);
    return 0;
}

} // namespace cartova::cli
