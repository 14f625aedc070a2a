// Vertices, vertex lists and part collections: storage and grow-only boxes.
#include "objects/MapPoints.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

using namespace cartova;

namespace {

constexpr double Big = 2147483647.0;

void ExpectBox(const TBounds& B, double MinX, double MinY, double MaxX, double MaxY)
{
    EXPECT_EQ(B.MinX, MinX);
    EXPECT_EQ(B.MinY, MinY);
    EXPECT_EQ(B.MaxX, MaxX);
    EXPECT_EQ(B.MaxY, MaxY);
}

} // namespace

TEST(MapPoints, BoxesStartEmptyAndGrowPerPartAndPerCollection)
{
    TParts Parts;
    ExpectBox(Parts.GetBounds(), Big, Big, -Big, -Big);
    TMapPoints Fresh;
    ExpectBox(Fresh.GetBounds(), Big, Big, -Big, -Big);

    TPart* First = Parts.Add();
    ExpectBox(First->GetPoints()->GetBounds(), Big, Big, -Big, -Big);
    First->GetPoints()->Add(1, 2);
    First->GetPoints()->Add(-3, 5);
    ExpectBox(First->GetPoints()->GetBounds(), -3, 2, 1, 5);
    ExpectBox(Parts.GetBounds(), -3, 2, 1, 5);

    TPart* Second = Parts.Add();
    Second->GetPoints()->Add(7, -1);
    ExpectBox(Parts.GetBounds(), -3, -1, 7, 5);
    ExpectBox(First->GetPoints()->GetBounds(), -3, 2, 1, 5);
    ExpectBox(Second->GetPoints()->GetBounds(), 7, -1, 7, -1);

    // An inserted vertex is an added vertex: both boxes cover it.
    First->GetPoints()->Insert(0, 0, 9);
    EXPECT_EQ(First->GetPoints()->GetPoint(0), TMapPoint(0, 9));
    ExpectBox(First->GetPoints()->GetBounds(), -3, 2, 1, 9);
    EXPECT_EQ(Parts.GetMaxY(), 9);
}

TEST(MapPoints, MovingOrRemovingVerticesAndPartsNeverShrinksABox)
{
    TParts Parts;
    TMapPoints& L = *Parts.Add()->GetPoints();
    L.Add(1, 2);
    L.Add(-3, 5);
    L.GetPoint(0).X = 100;
    L[1].Y = -100;
    ExpectBox(L.GetBounds(), -3, 2, 1, 5);
    ExpectBox(Parts.GetBounds(), -3, 2, 1, 5);
    EXPECT_EQ(L.GetPoint(0).X, 100);

    L.Delete(0);
    EXPECT_EQ(L.Count(), 1);
    EXPECT_EQ(L.GetPoint(0), TMapPoint(-3, -100));
    L.Clear();
    EXPECT_EQ(L.Count(), 0);
    ExpectBox(L.GetBounds(), -3, 2, 1, 5);
    Parts.Delete(0);
    EXPECT_EQ(Parts.Count(), 0);
    ExpectBox(Parts.GetBounds(), -3, 2, 1, 5);

    // The collection box is writable and writing only stores.
    Parts.SetMinX(0);
    Parts.SetMaxY(1);
    ExpectBox(Parts.GetBounds(), 0, 2, 1, 1);
}

TEST(MapPoints, AddCopiesAndReturnsTheStoredVertex)
{
    TMapPoints A, B;
    A.Add(1, 2);
    TMapPoint& Copy = B.Add(A.GetPoint(0));
    EXPECT_NE(&Copy, &A.GetPoint(0));
    EXPECT_EQ(&Copy, &B.GetPoint(0));
    Copy.X = 50;
    EXPECT_EQ(A.GetPoint(0), TMapPoint(1, 2));
    EXPECT_EQ(A.Count(), 1);
    EXPECT_EQ(B.GetPoint(0), TMapPoint(50, 2));

    // Every add reports (X, Y, 0.0).
    std::vector<std::array<double, 3>> Seen;
    B.OnAddPoint = [&](double X, double Y, double Z) { Seen.push_back({X, Y, Z}); };
    B.Add(TMapPoint(-3, 5));
    B.Insert(1, 8, 9);
    EXPECT_EQ(Seen, (std::vector<std::array<double, 3>>{{-3, 5, 0.0}, {8, 9, 0.0}}));
}

TEST(MapPoints, BadIndicesRaiseTheListError)
{
    TMapPoints L;
    EXPECT_THROW(L.First(), EListError);
    L.Add(1, 1);
    try {
        L.GetPoint(1);
        FAIL();
    } catch (const EListError& E) {
        EXPECT_STREQ(E.what(), "List index out of bounds (1)");
    }
    EXPECT_THROW(L.GetPoint(-1), EListError);
    EXPECT_THROW(L.Delete(1), EListError);
    EXPECT_THROW(L.Insert(2, 0, 0), EListError);
    EXPECT_EQ(L.Count(), 1);
    // A refused insert adds nothing to the box either.
    ExpectBox(L.GetBounds(), 1, 1, 1, 1);

    TParts Parts;
    EXPECT_THROW(Parts.Last(), EListError);
    EXPECT_THROW(Parts.Insert(1), EListError);
}

TEST(MapPoints, PartsInsertBeforeAnIndexAndAreWiredWhereverCreated)
{
    TParts Parts;
    TPart* A = Parts.Add();
    TPart* B = Parts.Insert(0);
    EXPECT_EQ(Parts.First(), B);
    EXPECT_EQ(Parts.Last(), A);
    EXPECT_EQ(Parts.GetItems(1), A);
    B->GetPoints()->Add(4, 4);
    ExpectBox(Parts.GetBounds(), 4, 4, 4, 4);

    // A part created through the collection's item class is wired too.
    TPart* C = static_cast<TPart*>(Parts.GetItemClass()(&Parts));
    C->GetPoints()->Add(-1, 6);
    ExpectBox(Parts.GetBounds(), -1, 4, 4, 6);

    // A part moved into another collection brings its vertices into that
    // box and grows it from then on, not the old one.
    TParts Other;
    C->SetCollection(&Other);
    ExpectBox(Other.GetBounds(), -1, 6, -1, 6);
    C->GetPoints()->Add(20, 20);
    EXPECT_EQ(Parts.GetMaxX(), 4);
    ExpectBox(Other.GetBounds(), -1, 6, 20, 20);
    C->SetCollection(nullptr);
    C->GetPoints()->Add(30, 30);
    EXPECT_EQ(Other.GetMaxX(), 20);
    delete C;
}

TEST(MapPoints, PartsCopyTheirVerticesAndGrowTheTargetBox)
{
    TParts Source;
    TPart* S = Source.Add();
    S->GetPoints()->Add(1, 2);
    S->GetPoints()->Add(-3, 5);

    TParts Target;
    TPart* T = Target.Add();
    T->GetPoints()->Add(9, 9);
    T->Assign(S);
    ASSERT_EQ(T->GetPoints()->Count(), 2);
    EXPECT_EQ(T->GetPoints()->GetPoint(1), TMapPoint(-3, 5));
    EXPECT_NE(T->GetPoints()->data(), S->GetPoints()->data());
    ExpectBox(Target.GetBounds(), -3, 2, 9, 9); // grow-only: (9, 9) still covered
    T->Assign(T);
    EXPECT_EQ(T->GetPoints()->Count(), 2);

    // Writing an item, or assigning a whole collection, copies parts.
    Target.Add();
    Target.SetItems(1, S);
    EXPECT_EQ(Target.GetItems(1)->GetPoints()->Count(), 2);
    TParts Copy;
    Copy.Assign(&Target);
    ASSERT_EQ(Copy.Count(), 2);
    EXPECT_EQ(Copy.Last()->GetPoints()->GetPoint(0), TMapPoint(1, 2));
    ExpectBox(Copy.GetBounds(), -3, 2, 1, 5);
    EXPECT_EQ(S->GetPoints()->Count(), 2);

    TCollectionItem Plain;
    EXPECT_THROW(T->Assign(&Plain), EConvertError);
}

TEST(MapPoints, ReplacingAPartsListTakesItOverAndKeepsTheBoxCovering)
{
    TParts Parts;
    TPart* P = Parts.Add();
    P->GetPoints()->Add(0, 0);
    auto List = std::make_unique<TMapPoints>();
    List->Add(5, -5);
    TMapPoints* Raw = List.get();
    P->SetPoints(std::move(List));
    EXPECT_EQ(P->GetPoints(), Raw);
    ExpectBox(Parts.GetBounds(), 0, -5, 5, 0);
    Raw->Add(-8, 1);
    ExpectBox(Parts.GetBounds(), -8, -5, 5, 1);

    P->SetPoints(nullptr);
    ASSERT_NE(P->GetPoints(), nullptr);
    EXPECT_EQ(P->GetPoints()->Count(), 0);
}

TEST(MapPoints, FreeingManyPartsIsLinear)
{
    // A region of 200 000 empty rings (what a 400 KB file can declare): each
    // part freed looks at a constant number of slots to leave its collection,
    // whether the collection is cleared or destroyed.
    constexpr int Rings = 200000;
    auto Parts = std::make_unique<TParts>();
    for (int I = 0; I < Rings; ++I)
        Parts->Add();
    std::uint64_t& Steps = host::detail::RemovalSearchSteps();
    const std::uint64_t Before = Steps;
    Parts.reset();
    EXPECT_LE(Steps - Before, 2ull * Rings);

    TParts Cleared;
    for (int I = 0; I < Rings; ++I)
        Cleared.Add()->GetPoints()->Add(I, I);
    const std::uint64_t Start = Steps;
    Cleared.Clear();
    EXPECT_EQ(Cleared.Count(), 0);
    EXPECT_LE(Steps - Start, 2ull * Rings);

    // Deleting one part from the front still finds and removes it.
    TParts Some;
    for (int I = 0; I < 3; ++I)
        Some.Add()->GetPoints()->Add(I, 0);
    Some.Delete(0);
    ASSERT_EQ(Some.Count(), 2);
    EXPECT_EQ(Some.GetItems(0)->GetPoints()->First().X, 1);
}
