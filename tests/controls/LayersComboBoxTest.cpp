// The layer combo box: items in map order from the moment it is linked, the
// user's pick by keyboard, and items following additions, deletions, moves
// and exchanges so that the text shown names CurrentLayer.
#include "controls/LayersComboBox.h"
#include "tests/controls/ControlsTestSupport.h"

#include <QComboBox>

#include <memory>

using namespace cartova;
using namespace cartova::test;

namespace {

struct TLayerCombo : TControlsMap {
    TLayersComboBox Combo;
    int Changes = 0;

    void SetUp() override
    {
        TControlsMap::SetUp();
        ControlWindow.Add(Combo, 0, 0, 200, 24);
        Combo.OnChange = [this](TObject*) { ++Changes; };
        Combo.SetMap(&Map);
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> T;
        for (int I = 0; I < Combo.Count(); ++I)
            T.push_back(Combo.GetItems()->Get(I));
        return T;
    }
    /// Every item's object is the layer at the item's index.
    bool InMapOrder() const
    {
        if (Combo.Count() != Map.GetLayers()->Count())
            return false;
        for (int I = 0; I < Combo.Count(); ++I)
            if (Combo.GetItems()->GetObjects(I) != Map.GetLayers()->GetLayers(I))
                return false;
        return true;
    }
};

} // namespace

TEST_F(TLayerCombo, ListsTheLayersAtOnceAndTheUserPicksOneByKeyboard)
{
    EXPECT_EQ(Texts(), (std::vector<std::string>{"roads", "rivers", "towns"}));
    EXPECT_TRUE(InMapOrder());
    EXPECT_EQ(Combo.GetItemIndex(), -1);
    EXPECT_EQ(Combo.GetCurrentLayer(), nullptr);
    EXPECT_FALSE(Combo.ComboWidget()->isEditable());

    KeyClick(Combo, Qt::Key_Down);
    KeyClick(Combo, Qt::Key_Down);
    EXPECT_EQ(Combo.GetText(), "rivers");
    EXPECT_EQ(Combo.GetCurrentLayer(), Rivers);
    EXPECT_GE(Changes, 1);

    Map.GetLayers()->Add("", "parks");
    EXPECT_EQ(Texts().back(), "parks");
    EXPECT_EQ(Combo.GetText(), "rivers");
    Map.GetLayers()->Insert("", 0);
    EXPECT_TRUE(InMapOrder());
    EXPECT_EQ(Combo.GetCurrentLayer(), Rivers);  // the pick stays on its layer
    EXPECT_EQ(Combo.GetText(), "rivers");
}

TEST_F(TLayerCombo, DeletingALayerRemovesExactlyItsItem)
{
    Combo.SetItemIndex(2);
    Map.GetLayers()->Delete(1);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"roads", "towns"}));
    EXPECT_TRUE(InMapOrder());
    EXPECT_EQ(Combo.GetText(), "towns");
    EXPECT_EQ(Combo.GetCurrentLayer(), Towns);
    // The picked layer deleted: nothing is picked.
    Map.GetLayers()->Delete(1);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"roads"}));
    EXPECT_EQ(Combo.GetItemIndex(), -1);
    EXPECT_EQ(Combo.GetCurrentLayer(), nullptr);
    EXPECT_EQ(Changes, 0);
    Map.GetLayers()->Clear();
    EXPECT_EQ(Combo.Count(), 0);
}

TEST_F(TLayerCombo, MovesAndExchangesKeepTheItemsInMapOrderAndNamesAsListed)
{
    Combo.SetItemIndex(1);
    Roads->SetName("highways");  // no notification: the item keeps its text
    EXPECT_EQ(Combo.GetItems()->Get(0), "roads");

    Map.GetLayers()->Move(1, 2);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"roads", "towns", "rivers"}));
    EXPECT_TRUE(InMapOrder());
    EXPECT_EQ(Combo.GetText(), "rivers");
    EXPECT_EQ(Combo.GetCurrentLayer(), Rivers);

    Map.GetLayers()->Exchange(0, 2);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"rivers", "towns", "roads"}));
    EXPECT_TRUE(InMapOrder());
    EXPECT_EQ(Combo.GetText(), "rivers");
    EXPECT_EQ(Combo.GetCurrentLayer(), Rivers);

    // Linking again lists the names as they are now.
    Combo.SetMap(nullptr);
    EXPECT_EQ(Combo.Count(), 0);
    EXPECT_EQ(Map.GetDataLinks()->Count(), 0);
    Combo.SetMap(&Map);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"rivers", "towns", "highways"}));
}

TEST_F(TLayerCombo, ForgetsADestroyedMap)
{
    auto Other = std::make_unique<TCartova>();
    Other->GetLayers()->Add("", "one");
    Combo.SetMap(Other.get());
    EXPECT_EQ(Texts(), std::vector<std::string>{"one"});
    Other.reset();
    EXPECT_EQ(Combo.GetMap(), nullptr);
    EXPECT_EQ(Combo.Count(), 0);
    EXPECT_EQ(Combo.GetCurrentLayer(), nullptr);
}
