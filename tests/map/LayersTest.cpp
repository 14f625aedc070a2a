// Layers: adoption of objects, switches and their notifications, deletion,
// zoom range and search.
#include "map/MapObjects.h"
#include "tests/support/MapHelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace cartova;
using test::AddBox;

namespace {

/// Records every notification as "<event> <name of the layer or list>".
class TRecordingLink : public TMapDataLink {
public:
    std::vector<std::string> Log;
    std::vector<int> Params;
    void MapEvent(TMapDataLinkEvent Event, TObject* Obj, int Param) override
    {
        std::string What = "?";
        if (auto* L = dynamic_cast<TMapLayer*>(Obj))
            What = L->GetName();
        else if (dynamic_cast<TMapLayers*>(Obj))
            What = "layers";
        else if (dynamic_cast<TCustomMapObject*>(Obj))
            What = "object";
        Log.push_back(std::to_string(Event) + " " + What);
        Params.push_back(Param);
    }
};

} // namespace

TEST(Layers, AdoptedObjectsTakeSchemaAndMapOptionsOverEarlierStyles)
{
    TCartova Map;
    TMapLayer* Layer = Map.GetLayers()->Add("", "roads");
    Layer->GetFields()->Add("name", dtString, 0);
    Layer->GetFields()->Add("lanes", dtInteger, 0);
    Map.GetOptions()->SetUseBGColor(true);
    Map.GetOptions()->GetDefaultPen()->SetWidth(3);
    std::vector<TCustomMapObject*> Added;
    Map.OnAddObject = [&](TObject*, TCustomMapObject* O) { Added.push_back(O); };

    auto* O = new TCustomMapObject;
    O->GetPen()->SetColor(clRed);
    Layer->AddObject(O, true);
    EXPECT_EQ(O->GetMap(), &Map);
    EXPECT_EQ(O->GetLayer(), Layer);
    EXPECT_EQ(O->GetPen()->GetColor(), clBlack); // the options' pen won
    EXPECT_EQ(O->GetPen()->GetWidth(), 3);
    EXPECT_TRUE(O->GetUseBGColor());
    EXPECT_EQ(O->GetFont()->GetName(), "MapInfo Cartographic");
    ASSERT_EQ(O->GetFields()->Count(), 2);
    EXPECT_EQ(O->GetFields()->GetFields(1)->GetName(), "lanes");
    EXPECT_TRUE(Map.GetModified());
    EXPECT_EQ(Added, std::vector<TCustomMapObject*>{O});

    Layer->NewObject<TCustomMapObject>(); // NewObject raises no OnAddObject
    EXPECT_EQ(Added.size(), 1u);
    EXPECT_EQ(Layer->GetObjectCount(), 2);
    EXPECT_EQ(Layer->IndexOfObject(O), 0);
    EXPECT_THROW(Layer->GetObjects(2), EListError);
}

TEST(Layers, ZoomRangeNeedsBothBoundsAndIsInclusive)
{
    TCartova Map;
    TMapLayer* L = Map.GetLayers()->Add("", "l");
    EXPECT_TRUE(L->ValidZoom()); // 0/0: no range
    L->SetMinZoom(0.5);
    EXPECT_FALSE(L->ValidZoom()); // one bound alone is never valid
    L->SetMinZoom(1);
    L->SetMaxZoom(2);
    Map.SetZoom(2);
    EXPECT_TRUE(L->ValidZoom());
    Map.SetZoom(2.0001);
    EXPECT_FALSE(L->ValidZoom());
}

TEST(Layers, EditableIsExclusiveVisibleOnlyAndNotifiesInOrder)
{
    TCartova Map;
    TRecordingLink Link;
    Link.SetMap(&Map);
    TMapLayer* A = Map.GetLayers()->Add("", "A");
    TMapLayer* B = Map.GetLayers()->Add("", "B");
    Link.Log.clear();
    A->SetEditable(true);
    B->SetEditable(true);
    EXPECT_FALSE(A->GetEditable());
    EXPECT_TRUE(B->GetEditable());
    EXPECT_EQ(Map.GetLayers()->GetEditableLayer(), B);
    const std::string Ed = std::to_string(mdlLayerEditableChanged);
    EXPECT_EQ(Link.Log, (std::vector<std::string>{Ed + " A", Ed + " A", Ed + " B"}));

    B->SetVisible(false); // hiding clears Editable without an event of its own
    EXPECT_FALSE(B->GetEditable());
    B->SetEditable(true);
    EXPECT_FALSE(B->GetEditable()); // a hidden layer cannot become editable
    EXPECT_FALSE(B->GetSelectable());
    EXPECT_EQ(Map.GetLayers()->GetEditableLayer(), nullptr);
    for (int P : Link.Params)
        EXPECT_EQ(P, 0);
}

TEST(Layers, HidingOrMakingUnselectableRemovesTheLayersObjectsFromTheSelection)
{
    TCartova Map;
    TMapLayer* A = Map.GetLayers()->Add("", "A");
    TMapLayer* B = Map.GetLayers()->Add("", "B");
    TCustomMapObject* OA = AddBox(A, 0, 0, 1, 1);
    TCustomMapObject* OB = AddBox(B, 0, 0, 1, 1);
    Map.GetSelection()->Add(OA, false);
    Map.GetSelection()->Add(OB, false);
    A->SetVisible(false);
    EXPECT_FALSE(OA->GetSelected());
    EXPECT_TRUE(OB->GetSelected());
    B->SetSelectable(false);
    EXPECT_FALSE(OB->GetSelected());
    B->SetEditable(true); // editable forces selectable
    EXPECT_TRUE(B->GetSelectable());
}

TEST(Layers, DeleteCanBeVetoedAndTheHandlerHearsTheDestructionToo)
{
    TCartova Map;
    TRecordingLink Link;
    Link.SetMap(&Map);
    Map.GetLayers()->Add("", "keep");
    Map.GetLayers()->Add("", "gone");
    std::vector<std::string> Calls;
    bool Veto = true;
    Map.OnBeforeDelLayer = [&](TObject*, TMapLayer* L, bool Confirm, bool& Allow) {
        Calls.push_back(L->GetName() + (Confirm ? " confirm" : " destroy"));
        if (Confirm && Veto)
            Allow = false;
    };
    int After = 0;
    Map.OnAfterDelLayer = [&](TObject*) { ++After; };
    Link.Log.clear();
    Map.GetLayers()->Delete(1);
    EXPECT_EQ(Map.GetLayers()->Count(), 2);
    EXPECT_TRUE(Link.Log.empty());
    Veto = false;
    Map.GetLayers()->Delete(1);
    EXPECT_EQ(Map.GetLayers()->Count(), 1);
    EXPECT_EQ(Calls, (std::vector<std::string>{"gone confirm", "gone confirm", "gone destroy"}));
    EXPECT_EQ(After, 1);
    EXPECT_EQ(Link.Log, (std::vector<std::string>{std::to_string(mdlDelLayer) + " gone",
                                                  std::to_string(mdlAfterDelLayer) + " layers"}));
    EXPECT_THROW(Map.GetLayers()->Delete(5), EListError);
    Map.OnBeforeDelLayer = nullptr; // Calls dies before Map
}

TEST(Layers, AddInsertMoveExchangeSearch)
{
    TCartova Map;
    TRecordingLink Link;
    Link.SetMap(&Map);
    std::vector<std::string> Added;
    Map.OnAddLayer = [&](TObject*, TMapLayer* L) { Added.push_back(L->GetName()); };
    TMapLayers* Layers = Map.GetLayers();
    TMapLayer* A = Layers->Add("/no/such/file.mif", "rivers");
    EXPECT_EQ(A->GetObjectCount(), 0); // a missing file leaves an empty, named layer
    EXPECT_EQ(A->GetMap(), &Map);
    Layers->Insert("", 0);
    Layers->Add("", "Towns");
    EXPECT_EQ(Added, (std::vector<std::string>{"rivers", "", "Towns"}));
    EXPECT_EQ(Layers->Search("TOWNS"), Layers->GetLayers(2));
    EXPECT_EQ(Layers->Search("lakes"), nullptr);
    Layers->Move(2, 0);
    EXPECT_EQ(Layers->GetLayers(0)->GetName(), "Towns");
    Layers->Exchange(0, 2);
    EXPECT_EQ(Layers->GetLayers(2)->GetName(), "Towns");
    const std::string After = std::to_string(mdlAfterAddLayer);
    EXPECT_EQ(Link.Log, (std::vector<std::string>{After + " rivers", After + " ", After + " Towns",
                                                  std::to_string(mdlMoveLayer) + " Towns",
                                                  std::to_string(mdlExchangeLayer) + " layers"}));
    EXPECT_FALSE(A->LoadFromFile("/no/such/file.xyz", "")); // no provider takes it
    EXPECT_FALSE(A->SaveToFile(""));                       // no file name at all
}

TEST(Layers, ZoomToLayerCentresAndUsesTheLargerRatio)
{
    TCartova Map;
    TMapLayer* L = Map.GetLayers()->Add("", "l");
    L->Zoom();
    EXPECT_EQ(Map.GetCenterX(), 0); // no objects: centred on (0, 0)
    EXPECT_EQ(Map.GetZoom(), 1);
    AddBox(L, 10, 20, 46, 29); // 36 × 9: ratios 10 and 20
    L->Zoom();
    EXPECT_DOUBLE_EQ(Map.GetCenterX(), 28);
    EXPECT_DOUBLE_EQ(Map.GetCenterY(), 24.5);
    EXPECT_DOUBLE_EQ(Map.GetZoom(), 20);
    EXPECT_FALSE(Map.GetInUpdate());
}

TEST(Layers, EverythingCanBeDestroyedInAnyOrder)
{
    auto* Map = new TCartova;
    auto* Link = new TRecordingLink;
    Link->SetMap(Map);
    TMapLayer* L = Map->GetLayers()->Add("", "l");
    TCustomMapObject* O = AddBox(L, 0, 0, 1, 1);
    Map->GetSelection()->Add(O, true);
    delete O; // leaves selection, displayed list and layer
    EXPECT_EQ(Map->GetSelection()->Count(), 0);
    EXPECT_EQ(L->GetObjectCount(), 0);
    AddBox(L, 0, 0, 1, 1);
    Map->GetSelection()->Add(L->First(), true);
    delete Map; // the link forgets the dead map
    EXPECT_EQ(Link->GetMap(), nullptr);
    TCartova Other;
    Link->SetMap(&Other); // never touches the dead map
    EXPECT_EQ(Other.GetDataLinks()->Count(), 1);
    delete Link; // and leaves the new map's list
    EXPECT_EQ(Other.GetDataLinks()->Count(), 0);
}
