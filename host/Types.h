#pragma once
// Screen geometry records shared by the host layer: TPoint, TSize and TRect
// (right and bottom exclusive), with the classic rectangle arithmetic.

#include <algorithm>
#include <limits>

namespace cartova::host {

/// The largest pixel coordinate, either sign, that the library computes from
/// map coordinates: positions beyond it saturate, so sums and differences of
/// a few coordinates and extents never leave the int range.
inline constexpr int MaxScreenCoordinate = 1 << 28;

/// A pixel position.
struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

/// A pixel extent (text extents, bitmap sizes).
struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

/// A pixel rectangle; Right and Bottom lie just outside it.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    /// Right - Left and Bottom - Top, saturated to the int range.
    int Width() const { return Span(Left, Right); }
    int Height() const { return Span(Top, Bottom); }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    friend bool operator==(const TRect&, const TRect&) = default;

private:
    static int Span(int From, int To)
    {
        const long long D = static_cast<long long>(To) - From;
        return static_cast<int>(std::clamp<long long>(D, std::numeric_limits<int>::min(),
                                                      std::numeric_limits<int>::max()));
    }
};

inline TPoint Point(int X, int Y) { return {X, Y}; }
inline TRect Rect(int Left, int Top, int Right, int Bottom) { return {Left, Top, Right, Bottom}; }
/// The rectangle of the given width and height at (Left, Top).
inline TRect Bounds(int Left, int Top, int Width, int Height)
{
    return {Left, Top, Left + Width, Top + Height};
}

/// True when the rectangle holds no pixel (Right <= Left or Bottom <= Top).
inline bool IsRectEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

/// Grows R by dx on the left and right and dy on the top and bottom
/// (negative values shrink it).
inline bool InflateRect(TRect& R, int dx, int dy)
{
    R.Left -= dx;
    R.Right += dx;
    R.Top -= dy;
    R.Bottom += dy;
    return true;
}

/// Moves R by (dx, dy).
inline bool OffsetRect(TRect& R, int dx, int dy)
{
    R.Left += dx;
    R.Right += dx;
    R.Top += dy;
    R.Bottom += dy;
    return true;
}

/// True when P lies in R; the right and bottom edges are outside.
inline bool PtInRect(const TRect& R, const TPoint& P)
{
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

/// Dest := the common part of A and B; an empty result is (0, 0, 0, 0) and
/// returns false.
inline bool IntersectRect(TRect& Dest, const TRect& A, const TRect& B)
{
    TRect R{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
            std::min(A.Bottom, B.Bottom)};
    if (IsRectEmpty(R)) {
        Dest = TRect{};
        return false;
    }
    Dest = R;
    return true;
}

/// Dest := the smallest rectangle holding A and B (an empty one is ignored);
/// returns false when both are empty.
inline bool UnionRect(TRect& Dest, const TRect& A, const TRect& B)
{
    if (IsRectEmpty(A)) {
        Dest = IsRectEmpty(B) ? TRect{} : B;
        return !IsRectEmpty(B);
    }
    if (IsRectEmpty(B)) {
        Dest = A;
        return true;
    }
    Dest = {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
            std::max(A.Bottom, B.Bottom)};
    return true;
}

} // namespace cartova::host

namespace cartova {
using host::TPoint;
using host::TSize;
using host::TRect;
using host::MaxScreenCoordinate;
using host::Point;
using host::Rect;
using host::Bounds;
using host::IsRectEmpty;
using host::InflateRect;
using host::OffsetRect;
using host::PtInRect;
using host::IntersectRect;
using host::UnionRect;
} // namespace cartova
