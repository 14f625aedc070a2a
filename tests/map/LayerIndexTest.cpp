// The layer's index branch: the index follows the layer's objects, agrees
// with the plain scan, and painting includes objects drawn beyond their
// vertices, with and without the index.
#include "map/IndexCell.h"
#include "map/MapObjects.h"
#include "tests/support/InputHelpers.h"
#include "tests/support/MapHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace cartova;

namespace {

/// An object drawn Reach map units beyond its vertices, as a circle is.
class TWideObject : public TCustomMapObject {
public:
    double Reach = 0;
    TBounds GetExtent() const override
    {
        const TBounds B = GetBounds();
        return {B.MinX - Reach, B.MinY - Reach, B.MaxX + Reach, B.MaxY + Reach};
    }
};

TWideObject* AddWide(TMapLayer& Layer, double X, double Y, double Reach)
{
    auto* O = new TWideObject;
    O->Reach = Reach;
    O->GetParts()->Add()->GetPoints()->Add(X, Y);
    Layer.AddObject(O, false);
    return O;
}

std::vector<std::uint32_t> Sorted(const TCardinalArray& Ids)
{
    std::vector<std::uint32_t> V(Ids.begin(), Ids.end());
    std::sort(V.begin(), V.end());
    return V;
}

/// The objects an id list names.
std::vector<const TCustomMapObject*> Named(const TMapLayer& Layer, const TCardinalArray& Ids)
{
    std::vector<const TCustomMapObject*> V;
    for (auto Id : Ids)
        V.push_back(Layer.GetObjects(static_cast<int>(Id)));
    std::sort(V.begin(), V.end());
    return V;
}

} // namespace

TEST(LayerIndex, AgreesWithTheScanForEveryView)
{
    TMapLayer Layer;
    std::mt19937 Random(11);
    std::uniform_real_distribution<double> Coord(0, 1000), Size(0, 30);
    for (int I = 0; I < 1000; ++I) {
        const double X = Coord(Random), Y = Coord(Random);
        test::AddBox(&Layer, X, Y, X + Size(Random), Y + Size(Random));
    }
    // Long thin objects crossing many cells without a vertex in them.
    test::AddBox(&Layer, 0, 500, 1000, 501);
    test::AddBox(&Layer, 500, 0, 501, 1000);

    std::vector<TCellBounds> Views;
    for (int I = 0; I < 120; ++I) {
        const double X = Coord(Random) - 100, Y = Coord(Random) - 100;
        const double W = Size(Random) * (I % 3 ? 2 : 20), H = Size(Random) * (I % 4 ? 1 : 30);
        Views.push_back({X, X + W, Y, Y + H});
    }
    Views.push_back({-5000, 5000, -5000, 5000}); // encloses everything
    Views.push_back({200, 800, 400.5, 400.7});   // a strip across whole cells

    std::vector<std::vector<std::uint32_t>> Scan, ScanPaint;
    TCardinalArray Ids;
    for (const auto& V : Views) {
        Layer.GetAllIdsInRect(V, Ids);
        Scan.push_back(Sorted(Ids));
        Layer.GetPaintIdsInRect(V, Ids);
        ScanPaint.push_back(Sorted(Ids));
    }
    Layer.SetUseIndex2D(true);
    ASSERT_GT(Layer.GetIndex2D()->GetCount(), 0);
    for (std::size_t I = 0; I < Views.size(); ++I) {
        Layer.GetAllIdsInRect(Views[I], Ids);
        EXPECT_EQ(Sorted(Ids), Scan[I]) << I;
        Layer.GetPaintIdsInRect(Views[I], Ids);
        EXPECT_EQ(Sorted(Ids), ScanPaint[I]) << I;
    }
}

TEST(LayerIndex, TheIndexFollowsAddDeleteAndRemove)
{
    TMapLayer Layer;
    for (int I = 0; I < 12; ++I)
        test::AddBox(&Layer, I, 0, I + 0.5, 0.5);
    Layer.SetUseIndex2D(true);
    const TCellBounds All{-1000, 1000, -1000, 1000};
    TCardinalArray Ids;

    // Added beyond the old root: found at once.
    TCustomMapObject* Far = test::AddBox(&Layer, 500, 500, 501, 501);
    EXPECT_TRUE(Layer.GetIndex2D()->GetStale());
    EXPECT_TRUE(Layer.GetAllIdsInRect({499, 502, 499, 502}, Ids));
    EXPECT_EQ(Named(Layer, Ids), (std::vector<const TCustomMapObject*>{Far}));
    EXPECT_FALSE(Layer.GetIndex2D()->GetStale());

    // Deleting shifts later ids: the rebuilt tree names the right objects.
    TCustomMapObject* Third = Layer.GetObjects(3);
    Layer.DeleteObject(2);
    Layer.GetAllIdsInRect({2.9, 3.1, 0, 0.1}, Ids);
    EXPECT_EQ(Named(Layer, Ids), (std::vector<const TCustomMapObject*>{Third}));
    Layer.GetAllIdsInRect({499, 502, 499, 502}, Ids);
    EXPECT_EQ(Named(Layer, Ids), (std::vector<const TCustomMapObject*>{Far}));

    // Removed objects are no longer found; the index stays in range.
    const int Last = Layer.GetObjectCount() - 1;
    EXPECT_EQ(Layer.RemoveObject(Far), Last);
    Layer.GetAllIdsInRect(All, Ids);
    EXPECT_EQ(static_cast<int>(Ids.Count()), Layer.GetObjectCount());
    delete Far;

    // Changes made while the index is off are seen when it is on again.
    Layer.SetUseIndex2D(false);
    TCustomMapObject* Late = test::AddBox(&Layer, -300, -300, -299, -299);
    Layer.SetUseIndex2D(true);
    EXPECT_FALSE(Layer.GetIndex2D()->GetStale());
    Layer.GetAllIdsInRect({-301, -298, -301, -298}, Ids);
    EXPECT_EQ(Named(Layer, Ids), (std::vector<const TCustomMapObject*>{Late}));

    Layer.DeleteObjects();
    EXPECT_FALSE(Layer.GetAllIdsInRect(All, Ids));
    EXPECT_EQ(Layer.GetIndex2D()->GetCount(), 0);

    // A replaced index takes the layer when the index is in use.
    Layer.SetIndex2D(new TIndexCell);
    EXPECT_EQ(Layer.GetIndex2D()->GetLayer(), &Layer);
    EXPECT_TRUE(Layer.GetIndex2D()->GetBuilt());
}

TEST(LayerIndex, PartlyVisibleObjectsArePaintCandidates)
{
    TMapLayer Layer;
    for (int I = 0; I < 10; ++I)
        test::AddBox(&Layer, I * 10, I * 10, I * 10 + 1, I * 10 + 1);
    // Vertex outside the view (0..50 x 0..50), drawn 20 units around it.
    TWideObject* Wide = AddWide(Layer, 60, 25, 20);
    const auto WideId = static_cast<std::uint32_t>(Layer.IndexOfObject(Wide));
    const TCellBounds View{0, 50, 0, 50};
    TCardinalArray Ids;

    // The predicates (and with them the selection query) do not see it.
    Layer.GetAllIdsInRect(View, Ids);
    EXPECT_FALSE(Ids.Exists(WideId));
    Layer.GetPaintIdsInRect(View, Ids);
    EXPECT_TRUE(Ids.Exists(WideId));
    EXPECT_EQ(Sorted(Ids), (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5, WideId}));

    Layer.SetUseIndex2D(true);
    // The root covers the drawn extent, and the leaves meeting the view hold it.
    EXPECT_EQ(Layer.GetIndex2D()->GetBounds().MaxX, 91);
    Layer.GetAllIdsInRect(View, Ids);
    EXPECT_FALSE(Ids.Exists(WideId));
    Layer.GetPaintIdsInRect(View, Ids);
    EXPECT_EQ(Sorted(Ids), (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5, WideId}));
    // A view touching only the drawn rim.
    Layer.GetPaintIdsInRect({35, 40, 20, 30}, Ids);
    EXPECT_EQ(Sorted(Ids), (std::vector<std::uint32_t>{WideId}));
}

TEST(LayerIndex, PaintDrawsPartlyVisibleObjectsWithAndWithoutTheIndex)
{
    test::THostWindow Window;
    TCartova Map;
    Window.Add(Map, 0, 0, 400, 200); // view -180..180 x -90..90
    TMapLayer* Layer = Map.GetLayers()->Add("", "wide");
    for (int I = 0; I < 8; ++I)
        test::AddBox(Layer, -170 + I, 0, -169 + I, 1);
    TWideObject* Wide = AddWide(*Layer, 200, 0, 40);
    for (const bool UseIndex : {false, true}) {
        Layer->SetUseIndex2D(UseIndex);
        Map.SetModified(true);
        test::PaintControl(Map);
        EXPECT_TRUE(Map.GetDisplayed()->IndexOf(Wide) >= 0) << UseIndex;
        EXPECT_EQ(Map.GetDisplayed()->Count(), 9) << UseIndex;
    }
}
