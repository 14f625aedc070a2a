// An object without geometry on a map: it keeps its place and values in the
// layer but draws nothing, is never hit or selected, leaves the extent
// alone, and stays out of the spatial index.
#include "tests/support/VectorTestMap.h"

#include "objects/NoGeometry.h"

using namespace cartova;
using cartova::test::TVectorMapFixture;

namespace {

using NoGeometryTest = TVectorMapFixture;

} // namespace

TEST_F(NoGeometryTest, DrawsNothingAndHitsNothing)
{
    Layer->GetFields()->Add("name", dtString, 0);
    auto* Record = Layer->NewObject<TNoGeometry>();
    Record->GetFields()->GetFields(0)->SetAsString("values only");
    auto* Square = Adopt(new TRegion);
    AddBox(Square, 50, 50, 150, 150);
    Square->UpdateBounds();

    for (const bool Indexed : {false, true}) {
        Layer->SetUseIndex2D(Indexed);
        Map.SetModified(true);
        const QImage Surface = test::PaintControl(Map);
        EXPECT_EQ(test::CountColor(Surface, clRed), 100 * 99) << Indexed;
        // Only the square was drawn, so only the square can be clicked.
        ASSERT_EQ(Map.GetDisplayed()->Count(), 1) << Indexed;
        EXPECT_EQ(Map.GetDisplayed()->GetItems(0), Square);
        TCardinalArray Ids;
        Layer->GetAllIdsInRect(TCellBounds{-1e9, 1e9, -1e9, 1e9}, Ids);
        ASSERT_EQ(Ids.Count(), 1) << Indexed;
        EXPECT_EQ(Ids.GetItems(0), 1u);
    }
    Map.SelectObjectsAt(100, 100, true);
    EXPECT_TRUE(Square->GetSelected());
    EXPECT_FALSE(Record->GetSelected());
    EXPECT_EQ(Record->GetFields()->GetFields(0)->GetAsString(), "values only");
    EXPECT_FALSE(Record->ContainsPoint(0, 0));
    EXPECT_FALSE(Record->WithinRect(-1e9, -1e9, 1e9, 1e9));
    EXPECT_FALSE(Record->Within(Square));
    EXPECT_FALSE(Square->Intersects(Record));
    // The layer's extent is the square's.
    EXPECT_EQ(GatherExtent({Record, Square}), (TBounds{50, 50, 150, 150}));
}

TEST_F(NoGeometryTest, ManyRecordsKeepTheIndexSmall)
{
    for (int I = 0; I < 2000; ++I)
        Layer->NewObject<TNoGeometry>();
    auto* Square = Adopt(new TRegion);
    AddBox(Square, 10, 10, 20, 20);
    Square->UpdateBounds();
    Layer->SetUseIndex2D(true);
    TCardinalArray Ids;
    ASSERT_TRUE(Layer->GetAllIdsInRect(TCellBounds{0, 200, 0, 200}, Ids));
    EXPECT_EQ(Ids.Count(), 1);
    // One object in the tree: a single leaf holding it.
    const TIndexCell* Root = Layer->GetIndex2D();
    EXPECT_EQ(Root->GetCount(), 0);
    EXPECT_EQ(Root->GetIdsCount(), 1);
}
