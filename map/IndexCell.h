#pragma once
// TIndexCell: the quadtree spatial index of a layer. The root covers the
// layer's objects; a cell holding more than MinObjectCountPerCell ids is split
// into up to four children (lower left, upper left, upper right, lower right)
// until MaxCellLevel; leaves hold object ids (positions in the layer). The
// tree can be stored in an index file beside the layer's data file:
//
//   "Cartova Index File" (18 bytes), then the root cell record, depth first:
//   bounds MinX, MaxX, MinY, MaxY (4 doubles), id count N (int32), N ids
//   (uint32), child count M (int32), M child records; all little-endian.

#include "host/Host.h"
#include "map/CellBounds.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace cartova {

class TMapLayer;
class TCustomMapObject;

namespace detail {
class TRingObject;
class TSeenIds;
class TBuildBoxes;
} // namespace detail

/// One cell of a layer's quadtree; the root is the index itself.
class TIndexCell : public TObject {
public:
    /// A root for Layer; with a layer the tree is built (or loaded) at once.
    explicit TIndexCell(TMapLayer* ALayer = nullptr);
    /// An empty child of AParent: same layer and thresholds, one level deeper.
    explicit TIndexCell(TIndexCell* AParent);
    /// A child of AParent over Bounds that copies Ids and divides itself.
    TIndexCell(TIndexCell* AParent, const TCellBounds& Bounds, const TCardinalArray& Ids);
    ~TIndexCell() override;

    TIndexCell(const TIndexCell&) = delete;
    TIndexCell& operator=(const TIndexCell&) = delete;

    // ---- building
    /// Stores Layer; an unbuilt cell given a layer loads the layer's index
    /// file or else builds from the objects (InitRootCell, Divide). A built
    /// tree marked stale is rebuilt from the objects.
    void SetLayer(TMapLayer* Value);
    /// Empties the cell and takes every object of the layer, growing the
    /// bounds by each object's bounds and drawn extent.
    void InitRootCell();
    /// Splits a cell with too many ids into quadrant children; always true.
    bool Divide();
    /// Bounds to the empty box (min 2147483647, max −2147483647).
    void ResetBounds();
    /// Grows the bounds to cover B.
    void UpdateBounds(const TCellBounds& B);
    /// Appends Cell (owned from now on) to the children; returns its position.
    int AddChildCell(TIndexCell* Cell);
    /// Empties the ids, frees the children (last first); the cell is unbuilt.
    void Clear();
    /// Marks a built tree as no longer describing the layer's objects: the
    /// next query (or SetLayer) rebuilds it from the objects.
    void MarkStale();
    bool GetStale() const { return FStale; }
    /// True once built or loaded (and not cleared since).
    bool GetBuilt() const { return !FUnbuilt; }

    // ---- tests on this cell
    /// MinX <= X <= MaxX and MinY <= Y <= MaxY.
    bool ContainsPoint(double X, double Y) const;
    /// Whether the cell's rectangle meets B (overlap, touching included).
    bool ContainsRect(const TCellBounds& B) const;
    /// Collects the ids of this cell whose objects meet B (by the
    /// rectangle predicates or by their drawn extent); false when none.
    bool GetIdsByBounds(const TCellBounds& B, TCardinalArray& Ids) const;

    // ---- queries (ids that name no object of the layer are skipped)
    /// The ids of every leaf meeting B, each once, in leaf order.
    bool GetAllIdsInRect(const TCellBounds& B, TCardinalArray& Ids);
    /// Appends the ids of Cell's leaves meeting B that Ids does not hold yet.
    bool GetIdsInRect(const TIndexCell* Cell, const TCellBounds& B, TCardinalArray& Ids) const;
    /// The ids of every leaf containing (X, Y); an id in two such leaves
    /// comes twice.
    bool GetAllIdsAtPoint(double X, double Y, TCardinalArray& Ids);
    /// Appends the ids of Cell's leaves containing (X, Y).
    bool GetIdsAtPoint(const TIndexCell* Cell, double X, double Y, TCardinalArray& Ids) const;

    // ---- files
    /// Replaces the tree by the one in FileName; false (and an unbuilt,
    /// empty cell) when the file is missing, unreadable, not an index file,
    /// truncated or malformed.
    bool LoadFromToFile(const std::string& FileName);
    /// The same from the current position of Stream.
    bool LoadFromStream(TStream& Stream);
    /// Writes the tree to FileName through a temporary file; raises the
    /// stream errors when it cannot. True on success.
    bool SaveToFile(const std::string& FileName) const;
    /// Reads one cell record (and its children) into Cell; raises EReadError
    /// on a short or malformed record. Depth is bounded.
    void ReadIndex(TIndexCell* Cell, TStream& Stream);
    /// Writes Cell's record and its children's, depth first.
    void WriteIndex(const TIndexCell* Cell, TStream& Stream) const;
    /// The index file of Layer: its FileName with the extension ".idx".
    static std::string IndexFileName(const TMapLayer* Layer);

    // ---- properties
    TMapLayer* GetLayer() const { return FLayer; }
    TIndexCell* GetParent() const { return FParent; }
    void SetParent(TIndexCell* Value) { FParent = Value; }
    int GetLevel() const { return FLevel; }
    void SetLevel(int Value) { FLevel = Value; }
    const TCellBounds& GetBounds() const { return FBounds; }
    void SetBounds(const TCellBounds& Value) { FBounds = Value; }
    int GetMaxCellLevel() const { return FMaxCellLevel; }
    void SetMaxCellLevel(int Value) { FMaxCellLevel = Value; }
    int GetMinObjectCountPerCell() const { return FMinObjectCountPerCell; }
    void SetMinObjectCountPerCell(int Value) { FMinObjectCountPerCell = Value; }
    /// Children, in quadrant order of creation.
    TIndexCell* GetCells(int Index) const;
    int GetCount() const { return static_cast<int>(FCells.size()); }
    /// Ids held by this cell (a leaf).
    std::uint32_t GetIds(int Index) const { return FIds.GetItems(Index); }
    int GetIdsCount() const { return FIds.Count(); }

    /// Deepest nesting a loaded file may have (the root is level 0).
    static constexpr int MaxLoadDepth = 32;

private:
    /// Rebuilds from the layer's objects when marked stale.
    void Refresh();
    void Rebuild();
    /// Whether Id names an object of the layer.
    bool ValidId(std::uint32_t Id) const;
    bool CellMeets(const TIndexCell* Cell, const TCellBounds& B, detail::TRingObject& Ring) const;
    void CollectInRect(const TIndexCell* Cell, const TCellBounds& B, detail::TRingObject& Ring,
                       TCardinalArray& Ids, detail::TSeenIds& Seen) const;
    void ReadCell(TIndexCell* Cell, TStream& Stream, int Depth, std::int64_t& Left);
    /// GetIdsByBounds for Quadrant, where an object's extent counts when
    /// it meets Reach (the quadrant closed over rounding gaps at the centre).
    bool CollectIds(const TCellBounds& Quadrant, const TCellBounds& Reach,
                    TCardinalArray& Ids) const;

    TMapLayer* FLayer = nullptr;
    TIndexCell* FParent = nullptr;
    /// The objects' boxes while the tree is being divided, else nullptr.
    const detail::TBuildBoxes* FBuild = nullptr;
    TCardinalArray FIds;
    int FLevel = 0;
    int FMinObjectCountPerCell = 5;
    int FMaxCellLevel = 5;
    bool FUnbuilt = true;
    bool FStale = false;
    TCellBounds FBounds;
    std::vector<std::unique_ptr<TIndexCell>> FCells;
};

} // namespace cartova
