#include "objects/MapPoints.h"

#include <algorithm>
#include <type_traits>

namespace cartova {

static_assert(std::is_standard_layout_v<TMapPoint> && std::is_trivially_copyable_v<TMapPoint>
                  && sizeof(TMapPoint) == 2 * sizeof(double),
              "a vertex list must be usable as a plain array of (X, Y) doubles");

namespace {

// The empty box: the first vertex added sets all four bounds.
constexpr double EmptyMin = 2147483647.0;
constexpr double EmptyMax = -2147483647.0;

} // namespace

// ---- TMapPoints

TMapPoints::TMapPoints() : FMaxY(EmptyMax), FMinX(EmptyMin), FMinY(EmptyMin), FMaxX(EmptyMax) {}

TMapPoint& TMapPoints::Insert(int Index, double X, double Y)
{
    if (Index < 0 || Index > Count())
        throw EListError::OutOfBounds(Index);
    const auto At = static_cast<std::size_t>(Index);
    FItems.emplace(FItems.begin() + Index, X, Y);
    Added(FItems[At]);
    return FItems[At];
}

void TMapPoints::Delete(int Index)
{
    GetPoint(Index);
    FItems.erase(FItems.begin() + Index);
}

TMapPoint& TMapPoints::GetPoint(int Index)
{
    if (Index < 0 || Index >= Count())
        throw EListError::OutOfBounds(Index);
    return FItems[static_cast<std::size_t>(Index)];
}

const TMapPoint& TMapPoints::GetPoint(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError::OutOfBounds(Index);
    return FItems[static_cast<std::size_t>(Index)];
}

void TMapPoints::SetCapacity(int Value)
{
    const auto Wanted = static_cast<std::size_t>(std::max(Value, Count()));
    if (Wanted > FItems.capacity())
        FItems.reserve(Wanted);
    else if (Wanted < FItems.capacity())
        FItems.shrink_to_fit();
}

// ---- TPart

TPart::TPart(TCollection* ACollection) : TCollectionItem(ACollection), FPoints(std::make_unique<TMapPoints>())
{
    Wire();
}

TPart::~TPart() = default;

TParts* TPart::GetParts() const
{
    return dynamic_cast<TParts*>(GetCollection());
}

void TPart::Wire()
{
    // Looked up at every add, so a part moved to another collection (or out
    // of any) grows the box of the collection it is in at that moment.
    FPoints->OnAddPoint = [this](double X, double Y, double Z) {
        if (TParts* Parts = GetParts())
            Parts->AddPoint(X, Y, Z);
    };
}

void TPart::SetPoints(std::unique_ptr<TMapPoints> Value)
{
    if (!Value)
        Value = std::make_unique<TMapPoints>();
    if (Value == FPoints)
        return;
    FPoints = std::move(Value);
    Wire();
    if (TParts* Parts = GetParts())
        Parts->AddPoints(*FPoints);
}

void TPart::Assign(const TPersistent* Source)
{
    const auto* Other = dynamic_cast<const TPart*>(Source);
    if (!Other) {
        TCollectionItem::Assign(Source);
        return;
    }
    if (Other == this)
        return;
    const TMapPoints& From = *Other->GetPoints();
    FPoints->Clear();
    FPoints->Reserve(From.Count());
    for (const TMapPoint& P : From)
        FPoints->Add(P);
}

// ---- TParts

TParts::TParts() : TParts(CollectionItemClass<TPart>()) {}

TParts::TParts(TCollectionItemClass AItemClass)
    : TTypedCollection<TPart>(AItemClass), FMaxY(EmptyMax), FMinX(EmptyMin), FMinY(EmptyMin), FMaxX(EmptyMax)
{
}

void TParts::AddPoint(double X, double Y, double Z)
{
    FMaxX = std::max(X, FMaxX);
    FMaxY = std::max(Y, FMaxY);
    FMinX = std::min(X, FMinX);
    FMinY = std::min(Y, FMinY);
}

void TParts::AddPoints(const TMapPoints& Points)
{
    // The same comparisons as AddPoint, kept in registers over the list.
    double MinX = FMinX, MinY = FMinY, MaxX = FMaxX, MaxY = FMaxY;
    for (const TMapPoint& P : Points) {
        MaxX = std::max(P.X, MaxX);
        MaxY = std::max(P.Y, MaxY);
        MinX = std::min(P.X, MinX);
        MinY = std::min(P.Y, MinY);
    }
    FMinX = MinX;
    FMinY = MinY;
    FMaxX = MaxX;
    FMaxY = MaxY;
}

void TParts::Notify(TCollectionItem* Item, TOperation Action)
{
    TTypedCollection<TPart>::Notify(Item, Action);
    if (Action != opInsert)
        return;
    if (const auto* Part = dynamic_cast<const TPart*>(Item))
        AddPoints(*Part->GetPoints());
}

} // namespace cartova
