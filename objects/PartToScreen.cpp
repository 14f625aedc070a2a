#include "objects/PartToScreen.h"

#include "geometry/PolySplitter.h"
#include "objects/MapView.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace cartova {

namespace {

/// The reusable working storage of one thread: a splitter whose arrays keep
/// their capacity, and a pool of screen point buffers.
struct TScratch {
    TPolySplitter Splitter;
    std::vector<std::unique_ptr<std::vector<TPoint>>> Free;
    std::vector<std::unique_ptr<std::vector<TPoint>>> Lent;

    std::vector<TPoint>& Borrow()
    {
        if (Free.empty())
            Free.push_back(std::make_unique<std::vector<TPoint>>());
        Lent.push_back(std::move(Free.back()));
        Free.pop_back();
        Lent.back()->clear();
        return *Lent.back();
    }

    void GiveBack(const TPoint* Points)
    {
        for (std::size_t I = Lent.size(); I-- > 0;)
            if (Lent[I]->data() == Points) {
                Free.push_back(std::move(Lent[I]));
                Lent.erase(Lent.begin() + static_cast<std::ptrdiff_t>(I));
                return;
            }
    }
};

TScratch& Scratch()
{
    thread_local TScratch S;
    return S;
}

/// The visible area grown by 2 pixels on every side, in map units.
TBounds ClipBounds(const TMapView& Map)
{
    TBounds B = Map.GetViewBounds();
    int X, Y;
    Map.MapToScreen(B.MinX, B.MinY, X, Y, false);
    Map.ScreenToMap(X - 2, Y + 2, B.MinX, B.MinY);
    Map.MapToScreen(B.MaxX, B.MaxY, X, Y, false);
    Map.ScreenToMap(X + 2, Y - 2, B.MaxX, B.MaxY);
    return B;
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

/// Appends the screen point of (X, Y), dropping it under generalisation when
/// it lies within Level pixels of the last kept point on both axes.
inline void Emit(std::vector<TPoint>& Out, const TMapView& Map, double X, double Y, bool Thin,
                 int Level)
{
    TPoint S;
    Map.MapToScreen(X, Y, S.X, S.Y, false);
    if (Thin && !Out.empty()) {
        const TPoint& L = Out.back();
        if (std::abs(S.X - L.X) <= Level && std::abs(S.Y - L.Y) <= Level)
            return;
    }
    Out.push_back(S);
}

} // namespace

TPoint* PartToScreen(const TMapPoints& Points, const TMapView* Map, int& Count)
{
    Count = 0;
    if (!Map || Points.Empty())
        return nullptr;
    TScratch& S = Scratch();
    const TBounds Clip = ClipBounds(*Map);
    const bool Thin = Map->GetUseGeneralization();
    const int Level = Map->GetGeneralizationLevel();
    std::vector<TPoint>& Out = S.Borrow();
    Out.reserve(static_cast<std::size_t>(Points.Count()));

    // A part wholly inside the clip rectangle survives the four cuts
    // unchanged (points on an edge are kept), so it is converted directly.
    bool Inside = true;
    for (const TMapPoint& P : Points)
        if (!(Clip.MinX <= P.X && P.X <= Clip.MaxX && Clip.MinY <= P.Y && P.Y <= Clip.MaxY)) {
            Inside = false;
            break;
        }
    if (Inside) {
        for (const TMapPoint& P : Points)
            Emit(Out, *Map, P.X, P.Y, Thin, Level);
    } else {
        TPolySplitter& Splitter = S.Splitter;
        TPointsArray& Source = *Splitter.GetSource();
        LoadSource(Source, Points);
        const TPointEx LB = PointEx(Clip.MinX, Clip.MinY), LT = PointEx(Clip.MinX, Clip.MaxY);
        const TPointEx RT = PointEx(Clip.MaxX, Clip.MaxY), RB = PointEx(Clip.MaxX, Clip.MinY);
        // A cut that leaves nothing keeps the source as it was: the ring lies
        // wholly outside the view and yields no points.
        const bool Visible = Splitter.Split(VectorEx(LB, LT), smRight) &&
                             Splitter.Split(VectorEx(LT, RT), smBelow) &&
                             Splitter.Split(VectorEx(RT, RB), smLeft) &&
                             Splitter.Split(VectorEx(RB, LB), smAbove);
        if (Visible)
            for (const TPointEx& P : Source)
                Emit(Out, *Map, static_cast<double>(P.X), static_cast<double>(P.Y), Thin, Level);
    }
    if (Out.empty()) {
        S.Free.push_back(std::move(S.Lent.back())); // Out is the last one lent
        S.Lent.pop_back();
        return nullptr;
    }
    Count = static_cast<int>(Out.size());
    return Out.data();
}

void FreeScreenPoints(TPoint* Points, int /*Count*/)
{
    if (Points)
        Scratch().GiveBack(Points);
}

} // namespace cartova
