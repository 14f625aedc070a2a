// Who frees layers and objects: the layer list owns its layers and a layer
// its objects; what is taken out is handed to the caller, freed exactly once.
#include "map/MapObjects.h"
#include "tests/support/MapHelpers.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace cartova;
using test::AddBox;

TEST(Ownership, ReplacedAndRemovedItemsGoBackToTheCaller)
{
    TCartova Map;
    TMapLayers* Layers = Map.GetLayers();
    Layers->Add("", "first");
    std::unique_ptr<TMapLayer> Old(Layers->GetLayers(0));
    auto* New = new TMapLayer;
    Layers->SetLayer(0, New); // the list owns New and hands Old back
    EXPECT_EQ(Layers->GetLayers(0), New);
    EXPECT_EQ(Layers->Count(), 1);

    TCustomMapObject* O = AddBox(New, 0, 0, 1, 1);
    AddBox(New, 2, 2, 3, 3);
    EXPECT_EQ(New->RemoveObject(O), 0);
    std::unique_ptr<TCustomMapObject> Taken(O); // the caller's now
    EXPECT_EQ(New->GetObjectCount(), 1);
    Taken.reset(); // leaves nothing behind in the layer or the map
    EXPECT_EQ(New->GetObjectCount(), 1);
    Old->SetMap(nullptr); // a layer outside the list: its map never hears of it
}

TEST(Ownership, ADeletedObjectHasLeftItsLayerWhenTheMapIsTold)
{
    TCartova Map;
    TMapLayer* L = Map.GetLayers()->Add("", "l");
    for (int I = 0; I < 3; ++I)
        AddBox(L, I, I, I + 1, I + 1);
    TCustomMapObject* Middle = L->GetObjects(1);
    std::vector<int> CountsSeen;
    Map.OnDeleteObject = [&](TObject* Sender) {
        // Every object still listed is whole.
        for (int I = 0; I < L->GetObjectCount(); ++I)
            EXPECT_NE(L->GetObjects(I), Sender);
        CountsSeen.push_back(L->GetObjectCount());
    };
    L->DeleteObject(1);
    EXPECT_EQ(CountsSeen, (std::vector<int>{2}));
    EXPECT_EQ(L->IndexOfObject(Middle), -1);
    EXPECT_THROW(L->DeleteObject(7), EListError);
    L->DeleteObjects();
    EXPECT_EQ(CountsSeen, (std::vector<int>{2, 1, 0}));
    Map.OnDeleteObject = nullptr;
}

TEST(Ownership, SubstratesTakenOutAreNotFreed)
{
    TCartova Map;
    auto* S = new TSubstrate;
    Map.GetSubstrates()->Add(S);
    Map.GetSubstrates()->Remove(S);
    EXPECT_EQ(Map.GetSubstrates()->Count(), 0);
    std::unique_ptr<TSubstrate> Mine(S); // freed here, once
    EXPECT_THROW(Map.GetSubstrates()->Remove(S), EListError);
    Map.GetSubstrates()->Add(new TSubstrate); // freed by the list
}
