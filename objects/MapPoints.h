#pragma once
// Geometry storage shared by every map object: vertices (TMapPoint) in
// contiguous vertex lists (TMapPoints), one list per ring or path (TPart), the
// parts of one object (TParts), and the TBounds record that hands boxes around.
//
// Bounding boxes only grow. A new list or collection starts with
// MinX = MinY = 2147483647.0 and MaxX = MaxY = -2147483647.0 (Min > Max: the
// empty box), and every vertex added through Add or Insert extends both the
// list's box and the box of the collection that owns the part. Moving a vertex
// by writing X or Y, deleting vertices or deleting parts changes no box; the
// owning object recomputes its TParts box when it needs it exact.
//
// Removing and freeing:
// - TMapPoints stores its vertices by value in one std::vector, so Delete and
//   Clear remove vertices and free them at once; there is nothing to free
//   separately and no per-vertex allocation.
// - TParts is an owning collection: Delete(i), Clear() and destroying the
//   collection free the parts and, with each part, its vertex list.
// Copying: TPart::Assign copies another part's vertices (through Add, so the
// boxes grow as for any added vertex); therefore TParts::SetItems and the
// collection's Assign copy parts too.

#include "host/Host.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace cartova {

class TMapPoints;

/// A rectangle in map units: MinX, MinY, MaxX, MaxY. Object bounds, view
/// bounds and index cells travel in this record.
struct TBounds {
    double MinX = 0.0;
    double MinY = 0.0;
    double MaxX = 0.0;
    double MaxY = 0.0;
    friend bool operator==(const TBounds&, const TBounds&) = default;
};

/// Told of every vertex added to a vertex list: (X, Y, Z); Z is always 0.0.
using TAddPointEvent = std::function<void(double X, double Y, double Z)>;

/// One two-dimensional vertex in map units (X east, Y north). A plain value:
/// writing X or Y moves the vertex and touches no bounding box.
struct TMapPoint {
    double X = 0.0;
    double Y = 0.0;

    TMapPoint() = default;
    TMapPoint(double AX, double AY) : X(AX), Y(AY) {}

    /// Extends Points' bounding box so that it covers this vertex.
    inline void UpdateBounds(TMapPoints& Points) const;

    friend bool operator==(const TMapPoint&, const TMapPoint&) = default;
};

/// An owning, contiguous vertex list in drawing order with a grow-only box.
///
/// The vertices are stored by value in a std::vector rather than as a list of
/// pointers, so it offers the list operations that make sense for values:
/// Count, GetPoint/operator[] (EListError on a bad index), Insert, Delete,
/// Clear, First/Last, capacity control, iteration and data() for drawing.
/// A reference returned by Add, Insert or GetPoint stays valid until the list
/// changes size (or its capacity is changed), as for any C++ container.
class TMapPoints : public TObject {
public:
    /// An empty list with the empty box.
    TMapPoints();

    /// Appends (X, Y), extends the box, then calls OnAddPoint(X, Y, 0.0).
    /// Returns the stored vertex.
    TMapPoint& Add(double X, double Y)
    {
        const std::size_t Index = FItems.size();
        FItems.emplace_back(X, Y);
        Added(FItems[Index]);
        // Indexed again: the handler may have added vertices of its own.
        return FItems[Index];
    }
    /// Add(Point.X, Point.Y): the vertex is copied, never taken over.
    TMapPoint& Add(const TMapPoint& Point) { return Add(Point.X, Point.Y); }
    /// Inserts (X, Y) before Index (0..Count) and, like Add, extends the box
    /// and calls OnAddPoint. Raises EListError for an index outside 0..Count.
    TMapPoint& Insert(int Index, double X, double Y);
    /// Removes vertex Index (EListError when out of range); boxes unchanged.
    void Delete(int Index);
    /// Removes every vertex; boxes unchanged.
    void Clear() { FItems.clear(); }

    int Count() const { return static_cast<int>(FItems.size()); }
    bool Empty() const { return FItems.empty(); }
    /// Vertex Index; raises EListError when outside 0..Count-1.
    TMapPoint& GetPoint(int Index);
    const TMapPoint& GetPoint(int Index) const;
    TMapPoint& operator[](int Index) { return GetPoint(Index); }
    const TMapPoint& operator[](int Index) const { return GetPoint(Index); }
    /// The first and last vertex; EListError on an empty list.
    const TMapPoint& First() const { return GetPoint(0); }
    const TMapPoint& Last() const { return GetPoint(Count() - 1); }

    /// Room for Value vertices without reallocating.
    int GetCapacity() const { return static_cast<int>(FItems.capacity()); }
    void SetCapacity(int Value);
    void Reserve(int Value) { SetCapacity(Value); }

    auto begin() { return FItems.begin(); }
    auto end() { return FItems.end(); }
    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }
    /// The vertices as one contiguous array of Count() points.
    const TMapPoint* data() const { return FItems.data(); }
    TMapPoint* data() { return FItems.data(); }

    /// The grow-only box of every vertex ever added.
    double GetMinX() const { return FMinX; }
    double GetMinY() const { return FMinY; }
    double GetMaxX() const { return FMaxX; }
    double GetMaxY() const { return FMaxY; }
    TBounds GetBounds() const { return {FMinX, FMinY, FMaxX, FMaxY}; }

    /// Called after every Add and Insert with (X, Y, 0.0); may be empty.
    TAddPointEvent OnAddPoint;

private:
    friend struct TMapPoint;
    void Added(const TMapPoint& Point)
    {
        Point.UpdateBounds(*this);
        if (OnAddPoint)
            OnAddPoint(Point.X, Point.Y, 0.0);
    }

    std::vector<TMapPoint> FItems;
    double FMaxY;
    double FMinX;
    double FMinY;
    double FMaxX;
};

inline void TMapPoint::UpdateBounds(TMapPoints& Points) const
{
    Points.FMaxX = std::max(Points.FMaxX, X);
    Points.FMaxY = std::max(Points.FMaxY, Y);
    Points.FMinX = std::min(Points.FMinX, X);
    Points.FMinY = std::min(Points.FMinY, Y);
}

class TParts;

/// One ring of an area or one path of a line: an owned vertex list whose
/// added vertices also grow the box of the TParts collection holding the part
/// (whichever collection that is at the time of the add; a part moved into a
/// collection brings its vertices into that collection's box).
class TPart : public TCollectionItem {
public:
    /// Creates the part (inside ACollection when given) with an empty list.
    explicit TPart(TCollection* ACollection = nullptr);
    ~TPart() override;

    /// The part's vertex list; never null.
    TMapPoints* GetPoints() const { return FPoints.get(); }
    /// Replaces the vertex list: the part takes Value over and frees the old
    /// list; the new list is wired to the collection and its vertices extend
    /// the collection's box. A null Value gives the part a new empty list.
    void SetPoints(std::unique_ptr<TMapPoints> Value);

    /// Copies the vertices of another TPart (adding them, so every box grows
    /// as for Add); any other source raises the host's assignment error.
    void Assign(const TPersistent* Source) override;

    /// The collection as TParts, or nullptr when the part is in none (or in
    /// a collection of another kind).
    TParts* GetParts() const;

private:
    void Wire();

    std::unique_ptr<TMapPoints> FPoints;
};

/// The parts of one map object, indexed from 0, with a grow-only box of every
/// vertex added to any of them. The box is read and written freely: writing
/// a bound stores the value and does nothing else.
class TParts : public TTypedCollection<TPart> {
public:
    /// An empty collection of TPart items with the empty box.
    TParts();
    /// The same with another item class, which must create TPart descendants.
    explicit TParts(TCollectionItemClass AItemClass);

    /// Appends a new empty part.
    TPart* Add() { return TTypedCollection<TPart>::Add(); }
    /// Inserts a new empty part before Index (0..Count; EListError otherwise).
    TPart* Insert(int Index) { return TTypedCollection<TPart>::Insert(Index); }
    /// Part Index; EListError when out of range.
    TPart* GetItems(int Index) const { return TTypedCollection<TPart>::GetItems(Index); }
    /// GetItems(0) and GetItems(Count - 1); EListError on an empty collection.
    TPart* First() const { return GetItems(0); }
    TPart* Last() const { return GetItems(Count() - 1); }

    /// The TAddPointEvent handler of the parts' lists: extends the box by
    /// (X, Y); Z is ignored.
    void AddPoint(double X, double Y, double Z);
    /// AddPoint for every vertex of Points, in order.
    void AddPoints(const TMapPoints& Points);

    double GetMinX() const { return FMinX; }
    double GetMinY() const { return FMinY; }
    double GetMaxX() const { return FMaxX; }
    double GetMaxY() const { return FMaxY; }
    void SetMinX(double Value) { FMinX = Value; }
    void SetMinY(double Value) { FMinY = Value; }
    void SetMaxX(double Value) { FMaxX = Value; }
    void SetMaxY(double Value) { FMaxY = Value; }
    /// The box as MinX, MinY, MaxX, MaxY.
    TBounds GetBounds() const { return {FMinX, FMinY, FMaxX, FMaxY}; }

protected:
    /// A part moved in from elsewhere (SetCollection) brings its vertices
    /// into the box.
    void Notify(TCollectionItem* Item, TOperation Action) override;

private:
    double FMaxY;
    double FMinX;
    double FMinY;
    double FMaxX;
};

/// True when Pred(vertex) holds for some vertex of some part, visited part by
/// part in stored order and stopping at the first hit.
template <typename TPred>
bool AnyVertexOf(const TParts& Parts, TPred Pred)
{
    for (int I = 0; I < Parts.Count(); ++I)
        for (const TMapPoint& P : *Parts.GetItems(I)->GetPoints())
            if (Pred(P))
                return true;
    return false;
}

/// True when Pred(vertex) holds for every vertex (also when there are none),
/// stopping at the first failure.
template <typename TPred>
bool AllVerticesOf(const TParts& Parts, TPred Pred)
{
    return !AnyVertexOf(Parts, [&](const TMapPoint& P) { return !Pred(P); });
}

} // namespace cartova
