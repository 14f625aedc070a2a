#pragma once
// Cutting a closed ring of points with a straight line, keeping the part on
// one side. The map clips every ring to its window with four such cuts, one
// per window edge. Everything works in extended precision (long double).
//
// Comparisons are exact (no tolerance) and a point on the line counts as
// being on the kept side. Y grows upwards, so "above" is the side of larger Y.

#include "host/Core.h"
#include "host/Graphics.h"

#include <memory>
#include <vector>

namespace cartova::host {
class TCanvas;
} // namespace cartova::host

namespace cartova {

using host::TCanvas;

/// A point in extended precision.
struct TPointEx {
    long double X = 0.0L;
    long double Y = 0.0L;
    friend bool operator==(const TPointEx&, const TPointEx&) = default;
};

/// A directed line through P1 and P2, or the segment from P1 to P2.
struct TVectorEx {
    TPointEx P1;
    TPointEx P2;
    friend bool operator==(const TVectorEx&, const TVectorEx&) = default;
};

/// Point storage seen as a plain array.
using TPointsEx = TPointEx[];
using PPointsEx = TPointEx*;

/// Which side of the split line survives.
enum TSplitMode { smAbove = 0, smBelow = 1, smLeft = 2, smRight = 3 };

inline TPointEx PointEx(long double X, long double Y) { return {X, Y}; }
inline TVectorEx VectorEx(const TPointEx& P1, const TPointEx& P2) { return {P1, P2}; }

/// A growable, contiguous array of extended points (amortised growth).
class TPointsArray : public TObject {
public:
    TPointsArray() = default;

    int GetCount() const { return static_cast<int>(FPoints.size()); }
    int Count() const { return GetCount(); }
    /// The points as one block of GetCount() values (nullptr when empty).
    PPointsEx GetPoints() { return FPoints.empty() ? nullptr : FPoints.data(); }
    const TPointEx* GetPoints() const { return FPoints.empty() ? nullptr : FPoints.data(); }

    /// Appends P.
    void Add(const TPointEx& P) { FPoints.push_back(P); }
    /// Appends PointEx(X, Y).
    void Add(long double X, long double Y) { FPoints.push_back({X, Y}); }
    /// Appends the first Count points of Points; Count <= 0 does nothing.
    void Add(const TPointEx* Points, int Count);
    /// Removes every point and releases the storage.
    void Clear();
    /// Replaces Dest's points with a copy of these.
    void CopyTo(TPointsArray& Dest) const;
    void CopyTo(TPointsArray* Dest) const { CopyTo(*Dest); }
    /// Replaces Dest with a copy of the points.
    void CopyTo(std::vector<TPointEx>& Dest) const { Dest.assign(FPoints.begin(), FPoints.end()); }
    /// Removes point Index, the following ones moving down; ignored when Index
    /// lies outside 0..Count-1.
    void Delete(int Index);
    /// Reads point Index into P and returns true; outside 0..Count-1 leaves P
    /// unchanged and returns false.
    bool GetPoint(int Index, TPointEx& P) const;
    /// Replaces point Index; ignored outside 0..Count-1.
    void SetPoint(int Index, const TPointEx& P);
    /// Adds DX to every X and DY to every Y.
    void Offset(long double DX, long double DY);

    auto begin() const { return FPoints.begin(); }
    auto end() const { return FPoints.end(); }

private:
    friend class TPolySplitter;
    std::vector<TPointEx> FPoints;
};

/// Questions on one line (or segment) P1 -> P2.
class TVectorOperations : public TObject {
public:
    TVectorOperations() = default;
    explicit TVectorOperations(const TVectorEx& V) : FVector(V) {}

    void SetVector(const TVectorEx& V) { FVector = V; }
    const TVectorEx& GetVector() const { return FVector; }

    /// P1.Y = P2.Y.
    bool IsHorz() const;
    /// P1.X = P2.X.
    bool IsVert() const;
    /// Neither horizontal nor vertical (oblique).
    bool IsAny() const;
    /// The line as Y = A·X + B; horizontal: A = 0, B = P1.Y; vertical: A = B = 0.
    void GetParams(long double& A, long double& B) const;
    long double GetParamA() const;
    long double GetParamB() const;

    /// P.Y >= both Y of the vector.
    bool IsPointAbove(const TPointEx& P) const;
    /// P.Y <= both Y of the vector.
    bool IsPointBelow(const TPointEx& P) const;
    /// P.X <= both X of the vector.
    bool IsPointLeft(const TPointEx& P) const;
    /// P.X >= both X of the vector.
    bool IsPointRight(const TPointEx& P) const;
    /// The predicate of Mode: smAbove, smBelow, smLeft or smRight.
    bool IsPointValid(const TPointEx& P, TSplitMode Mode) const;
    /// P lies in the vector's bounding rectangle, edges included.
    bool IsPointInsideBoundsRect(const TPointEx& P) const;
    /// Crossing of this (infinite) line with Segment: writes the crossing of
    /// the two lines to P and returns whether it lies within Segment's
    /// bounds. Parallel lines (and a line with itself) have no crossing:
    /// false, P untouched.
    bool IsIntersected(const TVectorEx& Segment, TPointEx& P) const;

private:
    TVectorEx FVector;
};

/// Cuts the ring in Source by a line. Owns its two arrays.
class TPolySplitter : public TObject {
public:
    TPolySplitter();
    ~TPolySplitter() override;

    /// The ring to cut; after a successful Split, the result.
    TPointsArray* GetSource() const { return FSource.get(); }
    /// The working array of the last Split.
    TPointsArray* GetDestination() const { return FDestination.get(); }
    /// Replace an array: the splitter takes Value over and frees the old
    /// one; a null Value becomes a new empty array.
    void SetSource(std::unique_ptr<TPointsArray> Value);
    void SetDestination(std::unique_ptr<TPointsArray> Value);

    /// Clears the source and the destination.
    void Reset();
    /// Keeps the side Mode of Line of the closed ring in Source. True when
    /// anything is left, Source then holding the result; false leaves Source
    /// as it was.
    bool Split(const TVectorEx& Line, TSplitMode Mode);

private:
    std::unique_ptr<TPointsArray> FSource;
    std::unique_ptr<TPointsArray> FDestination;
};

/// Pen colour := Color; the small circle (RX-2, RY-2, RX+3, RY+3) around P
/// rounded to pixels (halves to even). A null canvas draws nothing.
void DrawPoint(TCanvas* Canvas, const TPointEx& P, TColor Color);
/// Pen colour := Color; every point as DrawPoint (AsPoints) or the closed
/// outline through the rounded points. An empty array draws nothing.
void DrawPoints(TCanvas* Canvas, const TPointsArray& Points, TColor Color, bool AsPoints);
inline void DrawPoints(TCanvas* Canvas, const TPointsArray* Points, TColor Color, bool AsPoints)
{
    if (Points)
        DrawPoints(Canvas, *Points, Color, AsPoints);
}

} // namespace cartova
