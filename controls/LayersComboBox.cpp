#include "controls/LayersComboBox.h"

#include "controls/MapReference.h"
#include "map/Cartova.h"
#include "map/Layers.h"

#include <string>
#include <vector>

namespace cartova {

// ------------------------------------------------------- TLayersComboBoxDataLink

void TLayersComboBoxDataLink::MapEvent(TMapDataLinkEvent Event, TObject* Obj, int Param)
{
    TMapDataLink::MapEvent(Event, Obj, Param);
    TLayersComboBox* C = FLayersComboBox;
    if (!C || !GetMap())
        return;
    switch (Event) {
    case mdlAfterAddLayer: {
        auto* Layer = static_cast<TMapLayer*>(Obj);
        C->InsertLayer(GetMap()->GetLayers()->IndexOf(Layer), Layer);
        break;
    }
    case mdlDelLayer:
        C->RemoveLayer(static_cast<TMapLayer*>(Obj));
        C->Refresh();
        break;
    case mdlMoveLayer:
    case mdlExchangeLayer:
        C->Reorder();
        C->Refresh();
        break;
    default: break;
    }
}

// ---------------------------------------------------------------- TLayersComboBox

TLayersComboBox::TLayersComboBox(TComponent* AOwner)
    : TCustomComboBox(AOwner), FDataLink(std::make_unique<TLayersComboBoxDataLink>())
{
    FDataLink->SetLayersComboBox(this);
    SetStyle(csDropDownList);
}

TLayersComboBox::~TLayersComboBox()
{
    if (FDataLink)
        FDataLink->SetMap(nullptr);
}

void TLayersComboBox::SetMap(TCartova* Value)
{
    if (Value == FMap)
        return;
    detail::FollowMap(this, FMap, Value, FDataLink.get());
    FillItems();
}

void TLayersComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomComboBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMap) {
        // The map's link list has already let the link go.
        FMap = nullptr;
        Clear();
    }
}

void TLayersComboBox::SetDataLink(TLayersComboBoxDataLink* Value)
{
    detail::ReplaceLink(FDataLink, Value, FMap,
                        [this](TLayersComboBoxDataLink& L) { L.SetLayersComboBox(this); });
}

TMapLayer* TLayersComboBox::GetCurrentLayer() const
{
    const int Index = GetItemIndex();
    if (!FMap || Index < 0 || Index >= FMap->GetLayers()->Count())
        return nullptr;
    return FMap->GetLayers()->GetLayers(Index);
}

void TLayersComboBox::FillItems()
{
    Clear();
    if (FMap)
        for (TMapLayer* Layer : FMap->GetLayers()->Items())
            GetItems()->AddObject(Layer->GetName(), Layer);
    SetItemIndex(-1);
}

void TLayersComboBox::InsertLayer(int Index, TMapLayer* Layer)
{
    const int Current = GetItemIndex();
    if (Index < 0 || Index > Count())
        Index = Count();
    GetItems()->InsertObject(Index, Layer->GetName(), Layer);
    SetItemIndex(Current >= Index ? Current + 1 : Current);
}

void TLayersComboBox::RemoveLayer(const TMapLayer* Layer)
{
    const int Index = GetItems()->IndexOfObject(Layer);
    if (Index < 0)
        return;
    const int Current = GetItemIndex();
    GetItems()->Delete(Index);
    SetItemIndex(Current == Index ? -1 : Current > Index ? Current - 1 : Current);
}

void TLayersComboBox::Reorder()
{
    TObject* Current = GetItemIndex() >= 0 ? GetItems()->GetObjects(GetItemIndex()) : nullptr;
    std::vector<std::string> Texts;
    const std::vector<TMapLayer*>& Layers = FMap->GetLayers()->Items();
    for (TMapLayer* Layer : Layers) {
        const int Old = GetItems()->IndexOfObject(Layer);
        Texts.push_back(Old >= 0 ? GetItems()->Get(Old) : Layer->GetName());
    }
    Clear();
    for (size_t I = 0; I < Layers.size(); ++I)
        GetItems()->AddObject(Texts[I], Layers[I]);
    SetItemIndex(GetItems()->IndexOfObject(Current));
}

} // namespace cartova
