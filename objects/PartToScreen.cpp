#include "objects/PartToScreen.h"

#include "geometry/PolySplitter.h"
#include "objects/MapView.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace cartova {

namespace {

/// A pool of reusable vectors: a borrowed vector keeps its capacity when it
/// comes back, so a paint allocates nothing once the buffers have grown.
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
        Lent.back()->clear();
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
    TPool<TScreenParts::TSpan> Spans;
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

/// Appends converted points to a buffer, thinning them under generalisation:
/// a point within Level pixels of the last kept one on both axes is dropped,
/// except the part's last point, which is kept unless it lands on the last
/// kept one. So a thinned path ends where the part ends; a part thinned to one
/// pixel becomes a path of one pixel's length, which a 1 pixel pen draws as
/// that pixel, so small features do not vanish.
class TEmitter {
public:
    TEmitter(std::vector<TPoint>& Out, bool Thin, int Level)
        : FOut(Out), FStart(Out.size()), FThin(Thin), FLevel(Level) {}

    void Add(int X, int Y)
    {
        ++FAdded;
        if (FThin) {
            if (FAdded > 1 && std::abs(X - FKept.X) <= FLevel && std::abs(Y - FKept.Y) <= FLevel) {
                FDropped = true;
                FLast = {X, Y};
                return;
            }
            FKept = {X, Y};
            FDropped = false;
        }
        FOut.push_back({X, Y});
    }

    /// Keeps the last point when it was dropped; the number of points added.
    int Finish()
    {
        if (FDropped && !(FLast == FOut.back()))
            FOut.push_back(FLast);
        if (FThin && FAdded > 1 && FOut.size() == FStart + 1)
            FOut.push_back({FOut.back().X + 1, FOut.back().Y});
        return static_cast<int>(FOut.size() - FStart);
    }

private:
    std::vector<TPoint>& FOut;
    std::size_t FStart;
    bool FThin;
    int FLevel;
    bool FDropped = false;
    TPoint FKept{}; // the last point kept
    TPoint FLast{}; // the last point dropped
    int FAdded = 0;
};

/// Converts N points (map or extended precision) into Emit: through the
/// linear transform when the view has one, else through MapToScreen.
template <class TPointT>
void ConvertAll(const TMapView& Map, const TViewTransform* Linear, const TPointT* P, int N, TEmitter& Emit)
{
    if (Linear) {
        const TViewTransform T = *Linear;
        for (int I = 0; I < N; ++I)
            Emit.Add(T.ToScreenX(static_cast<double>(P[I].X)), T.ToScreenY(static_cast<double>(P[I].Y)));
    } else {
        for (int I = 0; I < N; ++I) {
            int X, Y;
            Map.MapToScreen(static_cast<double>(P[I].X), static_cast<double>(P[I].Y), X, Y, false);
            Emit.Add(X, Y);
        }
    }
}

} // namespace

TPartConverter::TPartConverter(const TMapView& Map)
    : FMap(Map),
      FLinear(Map.GetViewTransform(FTransform)),
      FThin(Map.GetUseGeneralization()),
      FLevel(Map.GetGeneralizationLevel())
{
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

int TPartConverter::Convert(const TMapPoints& Points, std::vector<TPoint>& Out) const
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
    TEmitter Emit(Out, FThin, FLevel);
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
    if (Inside) {
        ConvertAll(FMap, FLinear ? &FTransform : nullptr, Points.data(), N, Emit);
    } else {
        TScratch& S = Scratch();
        TPolySplitter& Splitter = S.Splitter;
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
        ConvertAll(FMap, FLinear ? &FTransform : nullptr, Source.GetPoints(), Source.GetCount(), Emit);
    }
    return Emit.Finish();
}

TPoint* PartToScreen(const TMapPoints& Points, const TMapView* Map, int& Count)
{
    Count = 0;
    if (!Map || Points.Empty())
        return nullptr;
    TPool<TPoint>& Pool = Scratch().Points;
    std::vector<TPoint>& Out = Pool.Borrow();
    Count = TPartConverter(*Map).Convert(Points, Out);
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
    : FPoints(Scratch().Points.Borrow()), FSpans(Scratch().Spans.Borrow())
{
    if (!Map)
        return;
    const TPartConverter Converter(*Map);
    for (int I = 0; I < Parts.Count(); ++I) {
        const int Start = static_cast<int>(FPoints.size());
        const int N = Converter.Convert(*Parts.GetItems(I)->GetPoints(), FPoints);
        if (N > 0)
            FSpans.push_back({Start, N});
    }
}

TScreenParts::~TScreenParts()
{
    TScratch& S = Scratch();
    S.Spans.GiveBack(&FSpans);
    S.Points.GiveBack(&FPoints);
}

} // namespace cartova
