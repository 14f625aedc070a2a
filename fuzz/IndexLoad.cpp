// Fuzz target: the bytes are an index file. Loading must fail cleanly or give
// a tree that writes back to exactly the bytes it was read from, and every
// query on it must stay within the tree and the layer.
#include "map/IndexCell.h"
#include "map/Layers.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace cartova;

namespace {

/// A small layer of eight objects for the queries to name.
TMapLayer& FuzzLayer()
{
    static const std::unique_ptr<TMapLayer> Layer = [] {
        auto L = std::make_unique<TMapLayer>();
        for (int I = 0; I < 8; ++I) {
            auto* O = new TCustomMapObject;
            TMapPoints* P = O->GetParts()->Add()->GetPoints();
            P->Add(I, I);
            P->Add(I + 1.5, I + 0.5);
            L->AddObject(O, false);
        }
        return L;
    }();
    return *Layer;
}

/// Runs the queries; every id returned must be below Limit.
void Query(TIndexCell& Index, std::uint64_t Limit)
{
    const TCellBounds& R = Index.GetBounds();
    const TCellBounds Views[] = {R, {0, 4, 0, 4}, {-1e300, 1e300, -1e300, 1e300}, {R.MinX, R.MinX, R.MaxY, R.MaxY}};
    TCardinalArray Ids;
    for (const auto& V : Views) {
        Index.GetAllIdsInRect(V, Ids);
        for (const std::uint32_t Id : Ids)
            if (Id >= Limit)
                std::abort();
    }
    Index.GetAllIdsAtPoint((R.MinX + R.MaxX) / 2, (R.MinY + R.MaxY) / 2, Ids);
    for (const std::uint32_t Id : Ids)
        if (Id >= Limit)
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    TMemoryStream Stream;
    Stream.WriteBuffer(Data, static_cast<std::int64_t>(Size));
    Stream.SetPosition(0);
    TIndexCell Index;
    if (!Index.LoadFromStream(Stream)) {
        if (Index.GetBuilt() || Index.GetCount() != 0)
            std::abort();
        return 0;
    }
    // The tree writes back to the bytes it came from.
    const std::int64_t Used = Stream.GetPosition();
    TMemoryStream Out;
    Out.WriteBuffer("Cartova Index File", 18);
    Index.WriteIndex(&Index, Out);
    if (Out.GetSize() != Used || std::memcmp(Out.GetMemory(), Data, static_cast<std::size_t>(Used)) != 0)
        std::abort();

    Query(Index, std::uint64_t(1) << 32); // no layer: ids as stored
    TMapLayer& Layer = FuzzLayer();
    Index.SetLayer(&Layer);
    Query(Index, static_cast<std::uint64_t>(Layer.GetObjectCount()));
    Index.SetLayer(nullptr);
    return 0;
}
