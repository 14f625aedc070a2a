// Cutting rings with lines: the point array, the line predicates and the split.
#include "geometry/PolySplitter.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <vector>

using namespace cartova;

namespace {

using Ring = std::vector<TPointEx>;

void Fill(TPolySplitter& S, std::initializer_list<TPointEx> Points)
{
    S.GetSource()->Clear();
    for (const TPointEx& P : Points)
        S.GetSource()->Add(P);
}

Ring Points(const TPointsArray& A) { return Ring(A.begin(), A.end()); }

const TPointEx Sq[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};

TVectorEx Line(long double X1, long double Y1, long double X2, long double Y2)
{
    return VectorEx(PointEx(X1, Y1), PointEx(X2, Y2));
}

long double Area(const Ring& R)
{
    long double A = 0;
    for (std::size_t i = 0; i < R.size(); ++i) {
        const TPointEx& P = R[i];
        const TPointEx& Q = R[(i + 1) % R.size()];
        A += P.X * Q.Y - Q.X * P.Y;
    }
    return A / 2;
}

} // namespace

TEST(PolySplitter, SquareCutByAHorizontalLineKeepsEitherHalf)
{
    TPolySplitter S;
    Fill(S, {Sq[0], Sq[1], Sq[2], Sq[3]});
    ASSERT_TRUE(S.Split(Line(0, 5, 10, 5), smAbove));
    EXPECT_EQ(Points(*S.GetSource()), (Ring{{0, 5}, {10, 5}, {10, 10}, {0, 10}}));

    Fill(S, {Sq[0], Sq[1], Sq[2], Sq[3]});
    ASSERT_TRUE(S.Split(Line(0, 5, 10, 5), smBelow));
    EXPECT_EQ(Points(*S.GetSource()), (Ring{{0, 0}, {10, 0}, {10, 5}, {0, 5}}));

    // A vertical line with smLeft / smRight.
    Fill(S, {Sq[0], Sq[1], Sq[2], Sq[3]});
    ASSERT_TRUE(S.Split(Line(4, 0, 4, 10), smLeft));
    EXPECT_EQ(Points(*S.GetSource()), (Ring{{0, 0}, {4, 0}, {4, 10}, {0, 10}}));
}

TEST(PolySplitter, RingsWhollyOnOneSideAreKeptOrRefused)
{
    TPolySplitter S;
    Fill(S, {Sq[0], Sq[1], Sq[2], Sq[3]});
    ASSERT_TRUE(S.Split(Line(0, -1, 10, -1), smAbove));
    EXPECT_EQ(Points(*S.GetSource()), (Ring{Sq[0], Sq[1], Sq[2], Sq[3]}));

    EXPECT_FALSE(S.Split(Line(0, 11, 10, 11), smAbove));
    EXPECT_EQ(Points(*S.GetSource()), (Ring{Sq[0], Sq[1], Sq[2], Sq[3]}));
    EXPECT_EQ(S.GetDestination()->GetCount(), 0);

    S.Reset();
    EXPECT_FALSE(S.Split(Line(0, 0, 1, 0), smAbove));
    EXPECT_EQ(S.GetSource()->GetCount(), 0);
}

TEST(PolySplitter, VerticesOnTheLineSurviveEitherModeFollowedByEqualCrossings)
{
    TPolySplitter S;
    const TVectorEx Mid = Line(0, 5, 10, 5);
    Fill(S, {{0, 5}, {5, 0}, {10, 5}, {5, 10}});
    ASSERT_TRUE(S.Split(Mid, smAbove));
    EXPECT_EQ(Points(*S.GetSource()), (Ring{{0, 5}, {0, 5}, {10, 5}, {10, 5}, {5, 10}}));

    Fill(S, {{0, 5}, {5, 0}, {10, 5}, {5, 10}});
    ASSERT_TRUE(S.Split(Mid, smBelow));
    EXPECT_EQ(Points(*S.GetSource()), (Ring{{0, 5}, {5, 0}, {10, 5}, {10, 5}, {0, 5}}));
}

TEST(PolySplitter, ClosedRingsWithARepeatedFirstVertexCutCleanly)
{
    // The zero-length closing edge crosses nothing, so each crossing appears once.
    TPolySplitter S;
    Fill(S, {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
    ASSERT_TRUE(S.Split(Line(0, 5, 10, 5), smAbove));
    EXPECT_EQ(Points(*S.GetSource()), (Ring{{10, 5}, {10, 10}, {0, 10}, {0, 5}}));
}

TEST(PolySplitter, FourChainedCutsClipARingToAWindow)
{
    // The window [0, 10] x [0, 10] with the edges directed as the map's clipping does.
    TPolySplitter S;
    Fill(S, {{-5, -5}, {15, -5}, {15, 15}, {-5, 15}});
    ASSERT_TRUE(S.Split(Line(0, 0, 0, 10), smRight));
    ASSERT_TRUE(S.Split(Line(0, 10, 10, 10), smBelow));
    ASSERT_TRUE(S.Split(Line(10, 10, 10, 0), smLeft));
    ASSERT_TRUE(S.Split(Line(10, 0, 0, 0), smAbove));
    const Ring R = Points(*S.GetSource());
    for (const TPointEx& P : R) {
        EXPECT_TRUE(P.X >= 0 && P.X <= 10 && P.Y >= 0 && P.Y <= 10) << P.X << "," << P.Y;
    }
    EXPECT_EQ(Area(R), 100);

    // A triangle poking out of the window's top keeps its cut edge.
    Fill(S, {{2, 2}, {8, 2}, {5, 20}});
    ASSERT_TRUE(S.Split(Line(0, 10, 10, 10), smBelow));
    const Ring T = Points(*S.GetSource());
    ASSERT_EQ(T.size(), 4u);
    EXPECT_EQ(T[2].Y, 10);
    EXPECT_EQ(T[3].Y, 10);
    EXPECT_NEAR(static_cast<double>(T[2].X), 8 - 3.0 * 8 / 18, 1e-15);
    EXPECT_NEAR(static_cast<double>(T[3].X), 2 + 3.0 * 8 / 18, 1e-15);
}

TEST(PolySplitter, AnObliqueLineKeepsPointsAtOrBeyondBothEnds)
{
    TPolySplitter S;
    Fill(S, {{0, 2}, {6, 4}, {10, 6}, {5, 9}});
    ASSERT_TRUE(S.Split(Line(0, 3, 10, 5), smAbove));
    const Ring R = Points(*S.GetSource());
    // (0, 2) and (6, 4) lie below Y = 5 and are dropped, (10, 6) and (5, 9) stay;
    // the crossings are those with the oblique line itself.
    ASSERT_GE(R.size(), 2u);
    EXPECT_NE(std::find(R.begin(), R.end(), PointEx(10, 6)), R.end());
    EXPECT_NE(std::find(R.begin(), R.end(), PointEx(5, 9)), R.end());
    EXPECT_EQ(std::find(R.begin(), R.end(), PointEx(6, 4)), R.end());
    EXPECT_EQ(std::find(R.begin(), R.end(), PointEx(0, 2)), R.end());
}

TEST(VectorOperations, CrossingsOfEveryLineKind)
{
    TVectorOperations L;
    TPointEx P{-1, -1};

    L.SetVector(Line(0, 5, 10, 5)); // horizontal
    EXPECT_FALSE(L.IsIntersected(Line(0, 0, 10, 0), P));
    EXPECT_EQ(P, PointEx(-1, -1));
    EXPECT_TRUE(L.IsIntersected(Line(3, 0, 3, 9), P));
    EXPECT_EQ(P, PointEx(3, 5));
    EXPECT_TRUE(L.IsIntersected(Line(0, 0, 4, 10), P));
    EXPECT_EQ(P, PointEx(2, 5));
    // The line is infinite, the segment is not; the crossing is still written.
    EXPECT_FALSE(L.IsIntersected(Line(0, 0, 2, 1), P));
    EXPECT_EQ(P, PointEx(10, 5));

    L.SetVector(Line(4, 0, 4, 1)); // vertical
    EXPECT_FALSE(L.IsIntersected(Line(7, 0, 7, 10), P));
    EXPECT_TRUE(L.IsIntersected(Line(0, 0, 8, 8), P));
    EXPECT_EQ(P, PointEx(4, 4));
    EXPECT_TRUE(L.IsIntersected(Line(0, 2, 9, 2), P));
    EXPECT_EQ(P, PointEx(4, 2));

    L.SetVector(Line(0, 0, 1, 1)); // oblique
    EXPECT_TRUE(L.IsIntersected(Line(0, 4, 4, 0), P));
    EXPECT_EQ(P, PointEx(2, 2));
    EXPECT_TRUE(L.IsIntersected(Line(6, 0, 6, 9), P));
    EXPECT_EQ(P, PointEx(6, 6));

    // Parallel and coincident oblique lines: no crossing, P untouched.
    P = PointEx(-1, -1);
    EXPECT_FALSE(L.IsIntersected(Line(0, 1, 5, 6), P));
    EXPECT_FALSE(L.IsIntersected(Line(2, 2, 7, 7), P));
    EXPECT_EQ(P, PointEx(-1, -1));
}

TEST(PointsArray, IndexErrorsAreIgnoredAndCopiesAreIndependent)
{
    TPointsArray A;
    const TPointEx Block[] = {{1, 1}, {2, 2}, {3, 3}};
    A.Add(Block, -4);
    A.Add(Block, 3);
    TPointEx P{9, 9};
    EXPECT_FALSE(A.GetPoint(3, P));
    EXPECT_EQ(P, PointEx(9, 9));
    A.SetPoint(3, PointEx(0, 0));
    A.Delete(-1);
    A.Delete(0);
    A.Offset(1, -1);
    EXPECT_EQ(Points(A), (Ring{{3, 1}, {4, 2}}));

    TPointsArray B;
    B.Add(7, 7);
    A.CopyTo(B);
    A.Clear();
    EXPECT_EQ(A.GetCount(), 0);
    EXPECT_EQ(Points(B), (Ring{{3, 1}, {4, 2}}));
}

TEST(PolySplitter, ReplacedArraysAreTakenOver)
{
    TPolySplitter S;
    auto Src = std::make_unique<TPointsArray>();
    for (const TPointEx& P : Sq)
        Src->Add(P);
    TPointsArray* Raw = Src.get();
    S.SetSource(std::move(Src));
    EXPECT_EQ(S.GetSource(), Raw);
    ASSERT_TRUE(S.Split(Line(0, 5, 10, 5), smAbove));
    EXPECT_EQ(Raw->GetCount(), 4);
    S.SetDestination(nullptr);
    ASSERT_NE(S.GetDestination(), nullptr);
    ASSERT_TRUE(S.Split(Line(0, 7, 10, 7), smAbove));
    EXPECT_EQ(Points(*Raw), (Ring{{0, 7}, {10, 7}, {10, 10}, {0, 10}}));
}

TEST(PolySplitter, EveryEdgeThatChangesSideGivesOneCrossingOnTheLine)
{
    // Random rings with near-vertical and near-horizontal edges against
    // axis-parallel lines: rounding must neither lose nor invent crossings.
    std::mt19937_64 Rng(7);
    std::uniform_real_distribution<double> D(-1e6, 1e6);
    int Checked = 0;
    for (int t = 0; t < 20000; ++t) {
        const bool Horz = t % 2 == 0;
        const int N = 3 + static_cast<int>(Rng() % 6);
        Ring R;
        for (int i = 0; i < N; ++i) {
            double X = D(Rng), Y = D(Rng);
            if (!R.empty() && Rng() % 3 == 0)
                (Horz ? X : Y) = static_cast<double>(Horz ? R.back().X : R.back().Y) + D(Rng) * 1e-15;
            R.push_back(PointEx(X, Y));
        }
        const double C = D(Rng);
        const TVectorEx L = Horz ? Line(0, C, 1, C) : Line(C, 0, C, 1);
        auto Side = [&](const TPointEx& P) { return (Horz ? P.Y : P.X) >= C; };
        std::size_t Kept = 0, Changes = 0;
        for (int i = 0; i < N; ++i) {
            Kept += Side(R[i]);
            Changes += Side(R[i]) != Side(R[(i + 1) % N]);
        }
        if (Kept == 0)
            continue;
        TPolySplitter S;
        for (const TPointEx& P : R)
            S.GetSource()->Add(P);
        ASSERT_TRUE(S.Split(L, Horz ? smAbove : smRight));
        ASSERT_EQ(static_cast<std::size_t>(S.GetSource()->GetCount()), Kept + Changes) << "ring " << t;
        for (const TPointEx& P : *S.GetSource())
            ASSERT_TRUE(Side(P)) << "ring " << t;
        ++Checked;
    }
    EXPECT_GT(Checked, 10000);

    // A near-vertical edge crossed just above its lower end, where the
    // intercept form Y = A*X + B loses the crossing to rounding.
    TVectorOperations Op(Line(0, -836572.5886559214, 1, -836572.5886559214));
    TPointEx P;
    EXPECT_TRUE(Op.IsIntersected(Line(-192788.30767984537, 687251.40988585376, -192788.30767984543,
                                      -836757.96770851128),
                                 P));
}

TEST(PolySplitter, AxisCutsGiveTheCrossingsOfTestingEveryEdge)
{
    // Every edge of a ring tested against the line, the way a cut is
    // defined; the splitter skips edges wholly beyond an axis-parallel line
    // and must come to the same points. Rings with long runs outside, points
    // on the line, repeated points and degenerate lines.
    auto Reference = [](const Ring& Src, const TVectorEx& L, TSplitMode Mode) {
        const TVectorOperations Op(L);
        Ring Dst;
        for (std::size_t I = 0; I < Src.size(); ++I) {
            const TPointEx& Cur = Src[I];
            if (Op.IsPointValid(Cur, Mode)) {
                Dst.push_back(Cur);
                continue;
            }
            TPointEx Cross;
            if (Op.IsIntersected(VectorEx(Src[I == 0 ? Src.size() - 1 : I - 1], Cur), Cross))
                Dst.push_back(Cross);
            if (Op.IsIntersected(VectorEx(Cur, Src[I + 1 == Src.size() ? 0 : I + 1]), Cross))
                Dst.push_back(Cross);
        }
        return Dst;
    };
    std::mt19937 Random(5);
    const TSplitMode Modes[] = {smAbove, smBelow, smLeft, smRight};
    for (int Case = 0; Case < 400; ++Case) {
        Ring Src;
        const int N = 3 + static_cast<int>(Random() % 40);
        for (int I = 0; I < N; ++I)
            Src.push_back(PointEx(static_cast<long double>(Random() % 21) - 10, static_cast<long double>(Random() % 21) - 10));
        const long double C = static_cast<long double>(Random() % 9) - 4;
        const TVectorEx Lines[] = {Line(C, -20, C, 20), Line(-20, C, 20, C), Line(C, C, C, C), Line(-5, -7, 6, 9)};
        for (const TVectorEx& L : Lines)
            for (const TSplitMode Mode : Modes) {
                TPolySplitter S;
                for (const TPointEx& P : Src)
                    S.GetSource()->Add(P);
                const Ring Expected = Reference(Src, L, Mode);
                EXPECT_EQ(S.Split(L, Mode), !Expected.empty());
                EXPECT_EQ(Points(*S.GetSource()), Expected.empty() ? Src : Expected) << "case " << Case;
            }
    }
}
