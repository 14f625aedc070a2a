#include "map/IndexCell.h"

#include "map/Layers.h"
#include "objects/CustomMapObject.h"
#include "objects/NoGeometry.h"
#include "objects/Polyline.h"
#include "objects/Region.h"

#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <typeinfo>
#include <unordered_set>

namespace cartova {

namespace detail {

/// A free-standing object of one four-corner ring whose predicates are the
/// base bounding-box tests: the rectangle the index tests cells and objects
/// against. One instance is reused for every rectangle of an operation.
class TRingObject : public TCustomMapObject {
public:
    TRingObject() { GetParts()->Add(); }

    /// The ring (MinX, MinY), (MaxX, MinY), (MaxX, MaxY), (MinX, MaxY) of B.
    void SetRect(const TCellBounds& B)
    {
        TMapPoints* Points = GetParts()->First()->GetPoints();
        Points->Clear();
        Points->Add(B.MinX, B.MinY);
        Points->Add(B.MaxX, B.MinY);
        Points->Add(B.MaxX, B.MaxY);
        Points->Add(B.MinX, B.MaxY);
        UpdateBounds();
    }
};

/// The ids a rectangle query has returned: a bit per object of the layer, or
/// a hash set when there is no layer to bound the ids.
class TSeenIds {
public:
    explicit TSeenIds(const TMapLayer* Layer)
    {
        if (Layer)
            FBits.assign(static_cast<std::size_t>(Layer->GetObjectCount()), false);
        FUseBits = Layer != nullptr;
    }
    /// True when Id was not seen before.
    bool Insert(std::uint32_t Id)
    {
        if (!FUseBits)
            return FSet.insert(Id).second;
        if (Id >= FBits.size() || FBits[Id])
            return false;
        FBits[Id] = true;
        return true;
    }

private:
    bool FUseBits = false;
    std::vector<bool> FBits;
    std::unordered_set<std::uint32_t> FSet;
};

/// What dividing needs of each object of a layer, gathered once for the whole
/// build so that each level reads one contiguous array instead of visiting
/// every object again. Only for objects whose predicates are the base box
/// and vertex tests (the drawn extent is the box): their tests against a
/// quadrant are decided from the boxes; any other object is asked itself.
class TBuildBoxes {
public:
    struct TEntry {
        TBounds Extent;   ///< the drawn extent (the parts' box)
        TBounds Vertices; ///< the box of the vertices as they are now
        bool Plain = false;
        bool HasVertices = false;
    };

    explicit TBuildBoxes(const TMapLayer& Layer)
    {
        FEntries.resize(static_cast<std::size_t>(Layer.GetObjectCount()));
        for (std::size_t I = 0; I < FEntries.size(); ++I) {
            const TCustomMapObject* Object = Layer.GetObjects(static_cast<int>(I));
            const std::type_info& Type = typeid(*Object);
            TEntry& E = FEntries[I];
            E.Plain = Type == typeid(TCustomMapObject) || Type == typeid(TPolyline) || Type == typeid(TRegion);
            if (!E.Plain)
                continue;
            E.Extent = Object->GetExtent();
            E.Vertices = {2147483647.0, 2147483647.0, -2147483647.0, -2147483647.0};
            const TParts& Parts = *Object->GetParts();
            for (int P = 0; P < Parts.Count(); ++P)
                for (const TMapPoint& V : *Parts.GetItems(P)->GetPoints()) {
                    E.HasVertices = true;
                    if (V.X < E.Vertices.MinX)
                        E.Vertices.MinX = V.X;
                    if (V.X > E.Vertices.MaxX)
                        E.Vertices.MaxX = V.X;
                    if (V.Y < E.Vertices.MinY)
                        E.Vertices.MinY = V.Y;
                    if (V.Y > E.Vertices.MaxY)
                        E.Vertices.MaxY = V.Y;
                }
        }
    }

    /// The entry of Id, or nullptr when Id names no object gathered.
    const TEntry* Find(std::uint32_t Id) const { return Id < FEntries.size() ? &FEntries[Id] : nullptr; }

private:
    std::vector<TEntry> FEntries;
};

} // namespace detail

namespace {

constexpr char Magic[] = "Cartova Index File";
constexpr std::int64_t MagicSize = 18;
/// Bytes of the smallest cell record: bounds, id count, child count.
constexpr std::int64_t MinCellRecord = 32 + 4 + 4;

/// Closed overlap of two rectangles; an empty box (min > max) meets nothing.
bool Meets(const TBounds& E, const TCellBounds& B)
{
    return E.MinX <= B.MaxX && B.MinX <= E.MaxX && E.MinY <= B.MaxY && B.MinY <= E.MaxY;
}

void PutU32(std::string& Out, std::uint32_t V)
{
    for (int I = 0; I < 4; ++I)
        Out.push_back(static_cast<char>((V >> (8 * I)) & 0xFF));
}

void PutDouble(std::string& Out, double D)
{
    std::uint64_t V;
    std::memcpy(&V, &D, sizeof V);
    for (int I = 0; I < 8; ++I)
        Out.push_back(static_cast<char>((V >> (8 * I)) & 0xFF));
}

std::uint32_t GetU32(const unsigned char* P)
{
    return std::uint32_t(P[0]) | std::uint32_t(P[1]) << 8 | std::uint32_t(P[2]) << 16 |
           std::uint32_t(P[3]) << 24;
}

double GetDouble(const unsigned char* P)
{
    std::uint64_t V = 0;
    for (int I = 7; I >= 0; --I)
        V = V << 8 | P[I];
    double D;
    std::memcpy(&D, &V, sizeof D);
    return D;
}

/// Reads Count bytes, counting them off Left; EReadError when they are not there.
void ReadExact(TStream& Stream, void* Buffer, std::int64_t Count, std::int64_t& Left)
{
    if (Count > Left)
        throw EReadError("Stream read error");
    Stream.ReadBuffer(Buffer, Count);
    Left -= Count;
}

std::int32_t ReadCount(TStream& Stream, std::int64_t& Left)
{
    unsigned char B[4];
    ReadExact(Stream, B, 4, Left);
    return static_cast<std::int32_t>(GetU32(B));
}

} // namespace

// ------------------------------------------------------------ construction

TIndexCell::TIndexCell(TMapLayer* ALayer)
{
    ResetBounds();
    SetLayer(ALayer);
}

TIndexCell::TIndexCell(TIndexCell* AParent) : FParent(AParent)
{
    ResetBounds();
    if (AParent) {
        FLayer = AParent->FLayer;
        FBuild = AParent->FBuild;
        FLevel = AParent->FLevel + 1;
        FMinObjectCountPerCell = AParent->FMinObjectCountPerCell;
        FMaxCellLevel = AParent->FMaxCellLevel;
    }
}

TIndexCell::TIndexCell(TIndexCell* AParent, const TCellBounds& Bounds, const TCardinalArray& Ids)
    : TIndexCell(AParent)
{
    FBounds = Bounds;
    FIds.Copy(Ids);
    Divide();
}

TIndexCell::~TIndexCell()
{
    Clear();
}

// ---------------------------------------------------------------- building

void TIndexCell::SetLayer(TMapLayer* Value)
{
    FLayer = Value;
    if (!FLayer)
        return;
    if (FUnbuilt) {
        if (!LoadFromToFile(IndexFileName(FLayer))) {
            InitRootCell();
            Divide();
        }
        FUnbuilt = false;
        FStale = false;
    } else {
        Refresh();
    }
}

void TIndexCell::MarkStale()
{
    if (!FUnbuilt)
        FStale = true;
}

void TIndexCell::Refresh()
{
    if (FStale && FLayer)
        Rebuild();
}

void TIndexCell::Rebuild()
{
    Clear();
    InitRootCell();
    Divide();
    FUnbuilt = false;
    FStale = false;
}

void TIndexCell::InitRootCell()
{
    if (!FLayer)
        return;
    ResetBounds();
    FIds.Clear();
    const int Count = FLayer->GetObjectCount();
    for (int I = 0; I < Count; ++I) {
        const TCustomMapObject* Object = FLayer->GetObjects(I);
        // A record without geometry lies nowhere; kept, it would fall into every cell.
        if (dynamic_cast<const TNoGeometry*>(Object))
            continue;
        FIds.Add(static_cast<std::uint32_t>(I));
        UpdateBounds(Bounds2CellBounds(Object->GetBounds()));
        UpdateBounds(Bounds2CellBounds(Object->GetExtent()));
    }
}

bool TIndexCell::Divide()
{
    // The boxes gathered for this division (by the first cell divided) are
    // forgotten when it ends, also when it raises.
    struct TForget {
        const detail::TBuildBoxes*& Build;
        ~TForget() { Build = nullptr; }
    } Forget{FBuild};
    if (FIds.Count() <= FMinObjectCountPerCell || FLevel >= FMaxCellLevel)
        return true;
    std::unique_ptr<detail::TBuildBoxes> Own;
    if (!FBuild && FLayer) {
        Own = std::make_unique<detail::TBuildBoxes>(*FLayer);
        FBuild = Own.get();
    }
    const TCellBounds& B = FBounds;
    const double HX = (B.MaxX - B.MinX) / 2;
    const double HY = (B.MaxY - B.MinY) / 2;
    // The inner edges of the quadrants, as computed from either side; an
    // extent falling in a rounding gap between them still reaches a child.
    const double XLo = std::min(B.MinX + HX, B.MaxX - HX), XHi = std::max(B.MinX + HX, B.MaxX - HX);
    const double YLo = std::min(B.MinY + HY, B.MaxY - HY), YHi = std::max(B.MinY + HY, B.MaxY - HY);
    const TCellBounds Quadrants[4] = {
        {B.MinX, B.MinX + HX, B.MinY, B.MinY + HY},
        {B.MinX, B.MinX + HX, B.MaxY - HY, B.MaxY},
        {B.MaxX - HX, B.MaxX, B.MaxY - HY, B.MaxY},
        {B.MaxX - HX, B.MaxX, B.MinY, B.MinY + HY},
    };
    const TCellBounds Reaches[4] = {
        {B.MinX, XHi, B.MinY, YHi},
        {B.MinX, XHi, YLo, B.MaxY},
        {XLo, B.MaxX, YLo, B.MaxY},
        {XLo, B.MaxX, B.MinY, YHi},
    };
    TCardinalArray Ids;
    for (int Q = 0; Q < 4; ++Q)
        if (CollectIds(Quadrants[Q], Reaches[Q], Ids))
            AddChildCell(new TIndexCell(this, Quadrants[Q], Ids));
    FIds.Clear();
    FUnbuilt = false;
    return true;
}

void TIndexCell::ResetBounds()
{
    FBounds.MinX = 2147483647.0;
    FBounds.MinY = 2147483647.0;
    FBounds.MaxX = -2147483647.0;
    FBounds.MaxY = -2147483647.0;
}

void TIndexCell::UpdateBounds(const TCellBounds& B)
{
    if (B.MinX < FBounds.MinX)
        FBounds.MinX = B.MinX;
    if (B.MinY < FBounds.MinY)
        FBounds.MinY = B.MinY;
    if (B.MaxX > FBounds.MaxX)
        FBounds.MaxX = B.MaxX;
    if (B.MaxY > FBounds.MaxY)
        FBounds.MaxY = B.MaxY;
}

int TIndexCell::AddChildCell(TIndexCell* Cell)
{
    FCells.emplace_back(Cell);
    return GetCount() - 1;
}

void TIndexCell::Clear()
{
    FIds.Clear();
    if (!FCells.empty()) {
        while (!FCells.empty()) {
            FCells.back()->Clear();
            FCells.pop_back();
        }
        FCells.shrink_to_fit();
        FUnbuilt = true;
    }
}

TIndexCell* TIndexCell::GetCells(int Index) const
{
    if (Index < 0 || Index >= GetCount())
        throw EListError::OutOfBounds(Index);
    return FCells[static_cast<std::size_t>(Index)].get();
}

// ------------------------------------------------------------------- tests

bool TIndexCell::ValidId(std::uint32_t Id) const
{
    return !FLayer || Id < static_cast<std::uint32_t>(FLayer->GetObjectCount());
}

bool TIndexCell::ContainsPoint(double X, double Y) const
{
    return FBounds.MinX <= X && X <= FBounds.MaxX && FBounds.MinY <= Y && Y <= FBounds.MaxY;
}

bool TIndexCell::ContainsRect(const TCellBounds& B) const
{
    detail::TRingObject Ring;
    return CellMeets(this, B, Ring);
}

bool TIndexCell::CellMeets(const TIndexCell* Cell, const TCellBounds& B,
                           detail::TRingObject& Ring) const
{
    Ring.SetRect(Cell->FBounds);
    return Ring.IntersectsRect(B.MinX, B.MinY, B.MaxX, B.MaxY) ||
           Ring.WithinRect(B.MinX, B.MinY, B.MaxX, B.MaxY);
}

bool TIndexCell::GetIdsByBounds(const TCellBounds& B, TCardinalArray& Ids) const
{
    return CollectIds(B, B, Ids);
}

bool TIndexCell::CollectIds(const TCellBounds& Quadrant, const TCellBounds& Reach,
                            TCardinalArray& Ids) const
{
    Ids.Clear();
    if (FIds.Count() == 0 || !FLayer)
        return false;
    detail::TRingObject Ring;
    Ring.SetRect(Quadrant);
    const auto Count = static_cast<std::uint32_t>(FLayer->GetObjectCount());
    for (const std::uint32_t Id : FIds) {
        if (Id >= Count)
            continue;
        if (const detail::TBuildBoxes::TEntry* E = FBuild ? FBuild->Find(Id) : nullptr; E && E->Plain) {
            if (Meets(E->Extent, Reach)) {
                Ids.Add(Id);
                continue;
            }
            // The quadrant's ring holds, or is held by, such an object only
            // when a vertex lies in the quadrant or the box covers it; neither
            // can be when the vertices' box misses the quadrant and the box
            // (its extent) misses the reach.
            if (E->HasVertices && !Meets(E->Vertices, Quadrant))
                continue;
        }
        const TCustomMapObject* Object = FLayer->GetObjects(static_cast<int>(Id));
        // The drawn extent first (cheap, and it finds objects drawn beyond
        // their vertices), then the rectangle predicates.
        if (Meets(Object->GetExtent(), Reach) || Ring.Contains(Object) || Ring.Within(Object) ||
            Ring.Intersects(Object))
            Ids.Add(Id);
    }
    return Ids.Count() > 0;
}

// ----------------------------------------------------------------- queries

bool TIndexCell::GetAllIdsInRect(const TCellBounds& B, TCardinalArray& Ids)
{
    Refresh();
    Ids.Clear();
    detail::TRingObject Ring;
    detail::TSeenIds Seen(FLayer);
    CollectInRect(this, B, Ring, Ids, Seen);
    return Ids.Count() > 0;
}

bool TIndexCell::GetIdsInRect(const TIndexCell* Cell, const TCellBounds& B,
                              TCardinalArray& Ids) const
{
    detail::TRingObject Ring;
    detail::TSeenIds Seen(FLayer);
    for (const std::uint32_t Id : Ids)
        Seen.Insert(Id);
    if (Cell)
        CollectInRect(Cell, B, Ring, Ids, Seen);
    return Ids.Count() > 0;
}

void TIndexCell::CollectInRect(const TIndexCell* Cell, const TCellBounds& B,
                               detail::TRingObject& Ring, TCardinalArray& Ids,
                               detail::TSeenIds& Seen) const
{
    if (!CellMeets(Cell, B, Ring))
        return;
    if (!Cell->FCells.empty()) {
        for (const auto& Child : Cell->FCells)
            CollectInRect(Child.get(), B, Ring, Ids, Seen);
        return;
    }
    for (const std::uint32_t Id : Cell->FIds)
        if (ValidId(Id) && Seen.Insert(Id))
            Ids.Add(Id);
}

bool TIndexCell::GetAllIdsAtPoint(double X, double Y, TCardinalArray& Ids)
{
    Refresh();
    Ids.Clear();
    return GetIdsAtPoint(this, X, Y, Ids);
}

bool TIndexCell::GetIdsAtPoint(const TIndexCell* Cell, double X, double Y,
                               TCardinalArray& Ids) const
{
    if (Cell && Cell->ContainsPoint(X, Y)) {
        if (!Cell->FCells.empty()) {
            for (const auto& Child : Cell->FCells)
                GetIdsAtPoint(Child.get(), X, Y, Ids);
        } else {
            for (const std::uint32_t Id : Cell->FIds)
                if (ValidId(Id))
                    Ids.Add(Id);
        }
    }
    return Ids.Count() > 0;
}

// ------------------------------------------------------------------- files

std::string TIndexCell::IndexFileName(const TMapLayer* Layer)
{
    return ChangeFileExt(Layer ? Layer->GetFileName() : std::string(), ".idx");
}

bool TIndexCell::SaveToFile(const std::string& FileName) const
{
    TMemoryStream Buffer;
    Buffer.WriteBuffer(Magic, MagicSize);
    WriteIndex(this, Buffer);
    QSaveFile File(QString::fromStdString(FileName));
    if (!File.open(QIODevice::WriteOnly))
        throw EFCreateError("Cannot create file \"" + FileName + "\". " +
                            File.errorString().toStdString());
    const auto Size = static_cast<qint64>(Buffer.GetSize());
    if (File.write(reinterpret_cast<const char*>(Buffer.GetMemory()), Size) != Size ||
        !File.commit())
        throw EWriteError("Stream write error");
    return true;
}

void TIndexCell::WriteIndex(const TIndexCell* Cell, TStream& Stream) const
{
    std::string Record;
    Record.reserve(static_cast<std::size_t>(MinCellRecord + 4 * Cell->FIds.Count()));
    PutDouble(Record, Cell->FBounds.MinX);
    PutDouble(Record, Cell->FBounds.MaxX);
    PutDouble(Record, Cell->FBounds.MinY);
    PutDouble(Record, Cell->FBounds.MaxY);
    PutU32(Record, static_cast<std::uint32_t>(Cell->FIds.Count()));
    for (const std::uint32_t Id : Cell->FIds)
        PutU32(Record, Id);
    PutU32(Record, static_cast<std::uint32_t>(Cell->GetCount()));
    Stream.WriteBuffer(Record.data(), static_cast<std::int64_t>(Record.size()));
    for (const auto& Child : Cell->FCells)
        WriteIndex(Child.get(), Stream);
}

bool TIndexCell::LoadFromToFile(const std::string& FileName)
{
    if (FileName.empty() || !FileExists(FileName))
        return false;
    try {
        TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
        return LoadFromStream(Stream);
    } catch (const EStreamError&) {
        return false;
    }
}

bool TIndexCell::LoadFromStream(TStream& Stream)
{
    std::int64_t Left = Stream.GetSize() - Stream.GetPosition();
    char Head[MagicSize];
    if (Left < MagicSize)
        return false;
    ReadExact(Stream, Head, MagicSize, Left);
    if (std::memcmp(Head, Magic, MagicSize) != 0)
        return false;
    Clear();
    try {
        ReadCell(this, Stream, 0, Left);
    } catch (const EStreamError&) {
        Clear();
        FIds.Clear();
        ResetBounds();
        FUnbuilt = true;
        return false;
    }
    FUnbuilt = false;
    FStale = false;
    return true;
}

void TIndexCell::ReadIndex(TIndexCell* Cell, TStream& Stream)
{
    std::int64_t Left = Stream.GetSize() - Stream.GetPosition();
    ReadCell(Cell, Stream, Cell->FLevel, Left);
}

void TIndexCell::ReadCell(TIndexCell* Cell, TStream& Stream, int Depth, std::int64_t& Left)
{
    if (Depth > MaxLoadDepth)
        throw EReadError("Stream read error");
    unsigned char B[32];
    ReadExact(Stream, B, 32, Left);
    Cell->FBounds = {GetDouble(B), GetDouble(B + 8), GetDouble(B + 16), GetDouble(B + 24)};
    const std::int32_t N = ReadCount(Stream, Left);
    // Each id takes 4 bytes, and the child count follows them.
    if (N < 0 || static_cast<std::int64_t>(N) * 4 + 4 > Left)
        throw EReadError("Stream read error");
    Cell->FIds.Clear();
    std::vector<unsigned char> Bytes(static_cast<std::size_t>(N) * 4);
    ReadExact(Stream, Bytes.data(), static_cast<std::int64_t>(Bytes.size()), Left);
    for (std::int32_t I = 0; I < N; ++I)
        Cell->FIds.Add(GetU32(Bytes.data() + 4 * static_cast<std::size_t>(I)));
    const std::int32_t M = ReadCount(Stream, Left);
    if (M < 0 || static_cast<std::int64_t>(M) * MinCellRecord > Left)
        throw EReadError("Stream read error");
    for (std::int32_t I = 0; I < M; ++I) {
        auto* Child = new TIndexCell(Cell);
        Cell->AddChildCell(Child);
        ReadCell(Child, Stream, Depth + 1, Left);
    }
}

} // namespace cartova
