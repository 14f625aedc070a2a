#include "geometry/PolySplitter.h"

#include <algorithm>

namespace cartova {

// ---- TPointsArray

void TPointsArray::Add(const TPointEx* Points, int Count)
{
    if (Count <= 0 || !Points)
        return;
    FPoints.insert(FPoints.end(), Points, Points + Count);
}

void TPointsArray::Clear()
{
    FPoints.clear();
    FPoints.shrink_to_fit();
}

void TPointsArray::CopyTo(TPointsArray& Dest) const
{
    if (&Dest != this)
        Dest.FPoints.assign(FPoints.begin(), FPoints.end()); // reuses Dest's storage
}

void TPointsArray::Delete(int Index)
{
    if (Index < 0 || Index >= GetCount())
        return;
    FPoints.erase(FPoints.begin() + Index);
}

bool TPointsArray::GetPoint(int Index, TPointEx& P) const
{
    if (Index < 0 || Index >= GetCount())
        return false;
    P = FPoints[static_cast<std::size_t>(Index)];
    return true;
}

void TPointsArray::SetPoint(int Index, const TPointEx& P)
{
    if (Index < 0 || Index >= GetCount())
        return;
    FPoints[static_cast<std::size_t>(Index)] = P;
}

void TPointsArray::Offset(long double DX, long double DY)
{
    for (TPointEx& P : FPoints) {
        P.X += DX;
        P.Y += DY;
    }
}

// ---- TVectorOperations

bool TVectorOperations::IsHorz() const { return FVector.P1.Y == FVector.P2.Y; }

bool TVectorOperations::IsVert() const { return FVector.P1.X == FVector.P2.X; }

bool TVectorOperations::IsAny() const { return !IsHorz() && !IsVert(); }

void TVectorOperations::GetParams(long double& A, long double& B) const
{
    const TPointEx& P1 = FVector.P1;
    const TPointEx& P2 = FVector.P2;
    if (IsHorz()) {
        A = 0.0L;
        B = P1.Y;
    } else if (IsVert()) {
        A = 0.0L;
        B = 0.0L;
    } else {
        A = (P2.Y - P1.Y) / (P2.X - P1.X);
        B = P2.Y - A * P2.X;
    }
}

long double TVectorOperations::GetParamA() const
{
    long double A, B;
    GetParams(A, B);
    return A;
}

long double TVectorOperations::GetParamB() const
{
    long double A, B;
    GetParams(A, B);
    return B;
}

bool TVectorOperations::IsPointAbove(const TPointEx& P) const
{
    return P.Y >= FVector.P1.Y && P.Y >= FVector.P2.Y;
}

bool TVectorOperations::IsPointBelow(const TPointEx& P) const
{
    return P.Y <= FVector.P1.Y && P.Y <= FVector.P2.Y;
}

bool TVectorOperations::IsPointLeft(const TPointEx& P) const
{
    return P.X <= FVector.P1.X && P.X <= FVector.P2.X;
}

bool TVectorOperations::IsPointRight(const TPointEx& P) const
{
    return P.X >= FVector.P1.X && P.X >= FVector.P2.X;
}

bool TVectorOperations::IsPointValid(const TPointEx& P, TSplitMode Mode) const
{
    switch (Mode) {
    case smAbove: return IsPointAbove(P);
    case smBelow: return IsPointBelow(P);
    case smLeft: return IsPointLeft(P);
    case smRight: return IsPointRight(P);
    }
    return false;
}

bool TVectorOperations::IsPointInsideBoundsRect(const TPointEx& P) const
{
    const TPointEx& P1 = FVector.P1;
    const TPointEx& P2 = FVector.P2;
    return std::min(P1.X, P2.X) <= P.X && P.X <= std::max(P1.X, P2.X) && std::min(P1.Y, P2.Y) <= P.Y
           && P.Y <= std::max(P1.Y, P2.Y);
}

bool TVectorOperations::IsIntersected(const TVectorEx& Segment, TPointEx& P) const
{
    const TVectorOperations S(Segment);
    const TVectorOperations& L = *this;
    // A zero-length vector is both horizontal and vertical; the tests below
    // take it as horizontal first, and two of them never cross.
    if ((L.IsHorz() && S.IsHorz()) || (L.IsVert() && S.IsVert()))
        return false;

    TPointEx Cross;
    if (L.IsHorz() && S.IsVert()) {
        Cross.X = S.FVector.P1.X;
        Cross.Y = L.FVector.P1.Y;
    } else if (L.IsVert() && S.IsHorz()) {
        Cross.X = L.FVector.P1.X;
        Cross.Y = S.FVector.P1.Y;
    } else if (L.IsHorz() || S.IsHorz()) {
        const TVectorOperations& H = L.IsHorz() ? L : S;
        const TVectorOperations& O = L.IsHorz() ? S : L;
        Cross.Y = H.FVector.P1.Y;
        // X = (Y - B) / A, measured from P2 (B = P2.Y - A * P2.X): the sum
        // rounds monotonically, so a crossing inside a near-vertical segment
        // is not pushed out of its bounds by the rounding of a large B.
        Cross.X = O.FVector.P2.X + (Cross.Y - O.FVector.P2.Y) / O.GetParamA();
    } else if (L.IsVert() || S.IsVert()) {
        const TVectorOperations& V = L.IsVert() ? L : S;
        const TVectorOperations& O = L.IsVert() ? S : L;
        Cross.X = V.FVector.P1.X;
        // Y = A * X + B, measured from P2 as above.
        Cross.Y = O.FVector.P2.Y + O.GetParamA() * (Cross.X - O.FVector.P2.X);
    } else {
        long double AL, BL, AS, BS;
        L.GetParams(AL, BL);
        S.GetParams(AS, BS);
        // Parallel (or the same) oblique lines have no single crossing.
        if (AL == AS)
            return false;
        Cross.X = (BS - BL) / (AL - AS);
        Cross.Y = AL * Cross.X + BL;
    }
    P = Cross;
    return S.IsPointInsideBoundsRect(P);
}

// ---- TPolySplitter

TPolySplitter::TPolySplitter()
    : FSource(std::make_unique<TPointsArray>()), FDestination(std::make_unique<TPointsArray>())
{
}

TPolySplitter::~TPolySplitter() = default;

void TPolySplitter::SetSource(std::unique_ptr<TPointsArray> Value)
{
    FSource = Value ? std::move(Value) : std::make_unique<TPointsArray>();
}

void TPolySplitter::SetDestination(std::unique_ptr<TPointsArray> Value)
{
    FDestination = Value ? std::move(Value) : std::make_unique<TPointsArray>();
}

void TPolySplitter::Reset()
{
    FSource->Clear();
    FDestination->Clear();
}

bool TPolySplitter::Split(const TVectorEx& Line, TSplitMode Mode)
{
    const TVectorOperations Op(Line);
    const std::vector<TPointEx>& Src = FSource->FPoints;
    std::vector<TPointEx>& Dst = FDestination->FPoints;
    Dst.clear(); // keeps the storage for chained splits

    // Against a vertical line keeping one side (or a horizontal one keeping
    // above or below), a point off the kept side lies strictly beyond the
    // line, so an edge between two such points never crosses it: only edges
    // with a kept end are tested. Long runs outside the view cost two
    // comparisons a point.
    const bool AxisCut = (Op.IsVert() && !Op.IsHorz() && (Mode == smLeft || Mode == smRight)) ||
                         (Op.IsHorz() && !Op.IsVert() && (Mode == smAbove || Mode == smBelow));
    const std::size_t N = Src.size();
    for (std::size_t i = 0; i < N; ++i) {
        const TPointEx& Cur = Src[i];
        if (Op.IsPointValid(Cur, Mode)) {
            Dst.push_back(Cur);
            continue;
        }
        const TPointEx& Prev = Src[i == 0 ? N - 1 : i - 1];
        const TPointEx& Next = Src[i + 1 == N ? 0 : i + 1];
        TPointEx Cross;
        if ((!AxisCut || Op.IsPointValid(Prev, Mode)) && Op.IsIntersected(VectorEx(Prev, Cur), Cross))
            Dst.push_back(Cross);
        if ((!AxisCut || Op.IsPointValid(Next, Mode)) && Op.IsIntersected(VectorEx(Cur, Next), Cross))
            Dst.push_back(Cross);
    }

    if (Dst.empty())
        return false;
    FDestination->CopyTo(*FSource);
    return true;
}

} // namespace cartova
