#include "objects/PartToScreen.h"

#include "geometry/PolySplitter.h"
#include "host/VectorState.h"
#include "objects/MapView.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace cartova {

namespace {

/// A pool of reusable vectors: a borrowed vector keeps its size and contents
/// when it comes back, so a paint allocates nothing once the buffers have
/// grown; the borrower decides what to clear.
template <class T>
struct TPool {
    std::vector<std::unique_ptr<std::vector<T>>> Free;
    std::vector<std::unique_ptr<std::vector<T>>> Lent;

    std::vector<T>& Borrow()
    {
        if (Free.empty())
            Free.push_back(std::make_unique<std::vector<T>>());
        Lent.push_back(std::move(Free.back()));
        Free.pop_back();
        return *Lent.back();
    }

    void GiveBack(const std::vector<T>* Block)
    {
        for (std::size_t I = Lent.size(); I-- > 0;)
            if (Lent[I].get() == Block) {
                Free.push_back(std::move(Lent[I]));
                Lent.erase(Lent.begin() + static_cast<std::ptrdiff_t>(I));
                return;
            }
    }

    void GiveBack(const T* Data)
    {
        for (std::size_t I = Lent.size(); I-- > 0;)
            if (Lent[I]->data() == Data) {
                GiveBack(Lent[I].get());
                return;
            }
    }
};

/// The reusable working storage of one thread: a splitter whose arrays keep
/// their capacity, and pools of screen point and part offset buffers.
struct TScratch {
    TPolySplitter Splitter;
    TPool<TPoint> Points;
    TPool<int> Offsets;
};

TScratch& Scratch()
{
    thread_local TScratch S;
    return S;
}

/// Loads Points into the splitter's source, reusing its storage.
void LoadSource(TPointsArray& Source, const TMapPoints& Points)
{
    const int N = Points.Count();
    const TMapPoint* P = Points.data();
    const int Keep = Source.GetCount() < N ? Source.GetCount() : N;
    for (int I = 0; I < Keep; ++I)
        Source.SetPoint(I, PointEx(P[I].X, P[I].Y));
    for (int I = Source.GetCount() - 1; I >= N; --I)
        Source.Delete(I); // the last one: no moves, storage kept
    for (int I = Keep; I < N; ++I)
        Source.Add(P[I].X, P[I].Y);
}

/// Generalisation of a converted path: a point within Level pixels of the
/// last kept one on both axes is dropped, except the part's last point, which
/// is kept unless it lands on the last kept one. So a thinned path ends where
/// the part ends; a part thinned to one pixel becomes a path of one pixel's
/// length, which a 1 pixel pen draws as that pixel, so small features do not
/// vanish.
struct TThinning {
    bool Thin;
    int Level;
};

/// Converts N points into Out (room for N) with ToScreen and thins them in
/// the same pass; returns the number of points kept. Every point is written
/// at the next free place and only kept points advance it, so after the loop
/// that place holds the last point, whether it was kept or not.
template <class TPointT, class TToScreen>
int ConvertPath(const TPointT* P, int N, TPoint* Out, TThinning Thinning, TToScreen ToScreen)
{
    if (N <= 0)
        return 0;
    if (!Thinning.Thin) {
        for (int I = 0; I < N; ++I)
            Out[I] = ToScreen(P[I]);
        return N;
    }
    const int L = Thinning.Level;
    TPoint Kept = Out[0] = ToScreen(P[0]);
    int K = 1;
    bool LastKept = true;
    for (int I = 1; I < N; ++I) {
        const TPoint Q = Out[K] = ToScreen(P[I]);
        LastKept = std::abs(Q.X - Kept.X) > L || std::abs(Q.Y - Kept.Y) > L;
        Kept = LastKept ? Q : Kept;
        K += LastKept ? 1 : 0;
    }
    if (!LastKept && !(Out[K] == Out[K - 1]))
        ++K;
    if (N > 1 && K == 1)
        Out[K++] = {Out[0].X + 1, Out[0].Y};
    return K;
}

/// The linear view transform of one map point, both axes at once where the
/// processor has SSE2. Gives RoundSaturated's pixels: the same operations in
/// the same order, halves rounded to even (the default rounding mode), NaN to
/// 0, and the result clamped to ±MaxScreenCoordinate.
class TLinearToScreen {
public:
    explicit TLinearToScreen(const TViewTransform& T) : FT(T)
    {
#if defined(__SSE2__)
        FCenter = _mm_set_pd(T.CenterY, T.CenterX);
        FScale = _mm_set_pd(-T.Scale, T.Scale);
        FHalf = _mm_set_pd(T.HalfHeight, T.HalfWidth);
#endif
    }

    TPoint operator()(const TMapPoint& P) const
    {
#if defined(__SSE2__)
        static_assert(sizeof(TMapPoint) == 2 * sizeof(double) && offsetof(TMapPoint, Y) == sizeof(double),
                      "a map point is X then Y, loaded as one pair");
        constexpr double Limit = MaxScreenCoordinate;
        __m128d V = _mm_add_pd(FHalf, _mm_mul_pd(_mm_sub_pd(_mm_loadu_pd(&P.X), FCenter), FScale));
        V = _mm_and_pd(V, _mm_cmpord_pd(V, V));
        V = _mm_min_pd(_mm_max_pd(V, _mm_set1_pd(-Limit)), _mm_set1_pd(Limit));
        const __m128i Q = _mm_cvtpd_epi32(V);
        return {_mm_cvtsi128_si32(Q), _mm_cvtsi128_si32(_mm_srli_si128(Q, 4))};
#else
        return {FT.ToScreenX(P.X), FT.ToScreenY(P.Y)};
#endif
    }

private:
    TViewTransform FT;
#if defined(__SSE2__)
    __m128d FCenter, FScale, FHalf;
#endif
};

/// Converts N points (map or extended precision) into Out: through the
/// linear transform when the view has one, else through MapToScreen.
template <class TPointT>
int ConvertAll(const TMapView& Map, const TViewTransform* Linear, const TPointT* P, int N, TPoint* Out,
               TThinning Thinning)
{
    if constexpr (std::is_same_v<TPointT, TMapPoint>) {
        if (Linear)
            return ConvertPath(P, N, Out, Thinning, TLinearToScreen(*Linear));
    } else if (Linear) {
        const TViewTransform T = *Linear;
        return ConvertPath(P, N, Out, Thinning, [T](const TPointT& Q) {
            return TPoint{T.ToScreenX(static_cast<double>(Q.X)), T.ToScreenY(static_cast<double>(Q.Y))};
        });
    }
    return ConvertPath(P, N, Out, Thinning, [&Map](const TPointT& Q) {
        TPoint S;
        Map.MapToScreen(static_cast<double>(Q.X), static_cast<double>(Q.Y), S.X, S.Y, false);
        return S;
    });
}

/// Room for Count points from At in a buffer that only grows: a buffer taken
/// back from the pool keeps its size, so repeated paints neither allocate nor
/// clear it.
TPoint* Room(std::vector<TPoint>& Out, std::size_t At, std::size_t Count)
{
    if (Out.size() < At + Count)
        Out.resize(At + Count);
    return Out.data() + At;
}

} // namespace

TPartConverter::TPartConverter(const TMapView& Map)
    : FMap(Map),
      FLinear(Map.GetViewTransform(FTransform)),
      FThin(Map.GetUseGeneralization()),
      FLevel(Map.GetGeneralizationLevel())
{
    // Whatever drew before (Qt, an application's handler) may have left the
    // state that slows the conversion loops down several times.
    ClearUpperVectorState();
    // The clip rectangle of a linear view follows from its transform alone:
    // the one of the last view converted is kept, so the objects of one paint
    // compute it once.
    thread_local TViewTransform LastTransform{};
    thread_local TBounds LastClip{};
    thread_local bool HaveLast = false;
    if (FLinear && HaveLast && std::memcmp(&LastTransform, &FTransform, sizeof FTransform) == 0) {
        FClip = LastClip;
        return;
    }
    // The visible area grown by 2 pixels on every side, in map units.
    FClip = Map.GetViewBounds();
    int X, Y;
    Map.MapToScreen(FClip.MinX, FClip.MinY, X, Y, false);
    Map.ScreenToMap(X - 2, Y + 2, FClip.MinX, FClip.MinY);
    Map.MapToScreen(FClip.MaxX, FClip.MaxY, X, Y, false);
    Map.ScreenToMap(X + 2, Y - 2, FClip.MaxX, FClip.MaxY);
    if (FLinear) {
        LastTransform = FTransform;
        LastClip = FClip;
        HaveLast = true;
    }
}

int TPartConverter::Convert(const TMapPoints& Points, std::vector<TPoint>& Out, std::size_t At) const
{
    const int N = Points.Count();
    if (N == 0)
        return 0;
    // The part's box covers its vertices: a box beside the clip rectangle
    // means every vertex lies beyond one edge, where the cuts leave nothing.
    const TBounds& C = FClip;
    const TBounds B = Points.GetBounds();
    if (B.MaxX < C.MinX || B.MinX > C.MaxX || B.MaxY < C.MinY || B.MinY > C.MaxY)
        return 0;
    const TViewTransform* Linear = FLinear ? &FTransform : nullptr;
    const TThinning Thinning{FThin, FLevel};
    // A part wholly inside the clip rectangle survives the four cuts
    // unchanged (points on an edge are kept), so it is converted directly.
    bool Inside = C.MinX <= B.MinX && B.MaxX <= C.MaxX && C.MinY <= B.MinY && B.MaxY <= C.MaxY;
    if (!Inside) {
        // The box may be larger than the vertices (it only grows).
        Inside = true;
        for (const TMapPoint& P : Points)
            if (!(C.MinX <= P.X && P.X <= C.MaxX && C.MinY <= P.Y && P.Y <= C.MaxY)) {
                Inside = false;
                break;
            }
    }
    if (Inside)
        return ConvertAll(FMap, Linear, Points.data(), N, Room(Out, At, static_cast<std::size_t>(N)), Thinning);

    TPolySplitter& Splitter = Scratch().Splitter;
    TPointsArray& Source = *Splitter.GetSource();
    LoadSource(Source, Points);
    const TPointEx LB = PointEx(C.MinX, C.MinY), LT = PointEx(C.MinX, C.MaxY);
    const TPointEx RT = PointEx(C.MaxX, C.MaxY), RB = PointEx(C.MaxX, C.MinY);
    // A cut that leaves nothing keeps the source as it was: the ring lies
    // wholly outside the view and yields no points. A cut whose kept side
    // holds the whole box keeps every point as it is, so it is skipped.
    const bool Visible = (C.MinX <= B.MinX || Splitter.Split(VectorEx(LB, LT), smRight)) &&
                         (B.MaxY <= C.MaxY || Splitter.Split(VectorEx(LT, RT), smBelow)) &&
                         (B.MaxX <= C.MaxX || Splitter.Split(VectorEx(RT, RB), smLeft)) &&
                         (C.MinY <= B.MinY || Splitter.Split(VectorEx(RB, LB), smAbove));
    if (!Visible)
        return 0;
    const int M = Source.GetCount();
    return ConvertAll(FMap, Linear, Source.GetPoints(), M, Room(Out, At, static_cast<std::size_t>(M)), Thinning);
}

TPoint* PartToScreen(const TMapPoints& Points, const TMapView* Map, int& Count)
{
    Count = 0;
    if (!Map || Points.Empty())
        return nullptr;
    TPool<TPoint>& Pool = Scratch().Points;
    std::vector<TPoint>& Out = Pool.Borrow();
    Count = TPartConverter(*Map).Convert(Points, Out, 0);
    if (Count == 0) {
        Pool.GiveBack(&Out);
        return nullptr;
    }
    return Out.data();
}

void FreeScreenPoints(TPoint* Points, int /*Count*/)
{
    if (Points)
        Scratch().Points.GiveBack(Points);
}

TScreenParts::TScreenParts(const TParts& Parts, const TMapView* Map)
    : FPoints(Scratch().Points.Borrow()), FStarts(Scratch().Offsets.Borrow()), FCounts(Scratch().Offsets.Borrow())
{
    FStarts.clear();
    FCounts.clear();
    if (!Map)
        return;
    const TPartConverter Converter(*Map);
    std::size_t Used = 0;
    for (int I = 0; I < Parts.Count(); ++I) {
        const int N = Converter.Convert(*Parts.GetItems(I)->GetPoints(), FPoints, Used);
        if (N > 0) {
            FStarts.push_back(static_cast<int>(Used));
            FCounts.push_back(N);
            Used += static_cast<std::size_t>(N);
        }
    }
}

TScreenParts::~TScreenParts()
{
    TScratch& S = Scratch();
    S.Offsets.GiveBack(&FCounts);
    S.Offsets.GiveBack(&FStarts);
    S.Points.GiveBack(&FPoints);
}

} // namespace cartova
