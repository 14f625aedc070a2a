#pragma once
// TLayersComboBox: a drop-down list naming the layers of a map, for picking
// one (for example the layer an attribute grid shows). Item i names layer i
// of the map, with the layer as its object; its text is the layer's name at
// the time the item was made. The items follow the map's layer list through
// TLayersComboBoxDataLink and stay in the map's order, so the item shown
// always names CurrentLayer.

#include "host/Host.h"
#include "map/DataLinks.h"

#include <memory>

namespace cartova {

class TCartova;
class TMapLayer;
class TLayersComboBox;

/// The combo box's observer of its map: adds, removes and reorders items as
/// layers are added, deleted, moved and exchanged.
class TLayersComboBoxDataLink : public TMapDataLink {
public:
    TLayersComboBox* GetLayersComboBox() const { return FLayersComboBox; }
    void SetLayersComboBox(TLayersComboBox* Value) { FLayersComboBox = Value; }
    void MapEvent(TMapDataLinkEvent Event, TObject* Obj, int Param) override;

private:
    TLayersComboBox* FLayersComboBox = nullptr;
};

/// A drop-down list (the text cannot be edited) of a map's layers.
class TLayersComboBox : public TCustomComboBox {
public:
    explicit TLayersComboBox(TComponent* AOwner = nullptr);
    ~TLayersComboBox() override;

    /// The map whose layers are listed. Linking lists the map's layers at
    /// once, in map order, with none chosen; nullptr unlinks and empties the
    /// list. The combo box forgets a map that is destroyed.
    TCartova* GetMap() const { return FMap; }
    void SetMap(TCartova* Value);

    /// The layer of the chosen item, or nullptr when none is chosen.
    TMapLayer* GetCurrentLayer() const;

    TLayersComboBoxDataLink* GetDataLink() const { return FDataLink.get(); }
    /// Takes Value over (freeing the old link) and links it to this combo box
    /// and its map.
    void SetDataLink(TLayersComboBoxDataLink* Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TLayersComboBoxDataLink;

    /// One item per layer of the map, in map order.
    void FillItems();
    /// A new item for Layer at Index.
    void InsertLayer(int Index, TMapLayer* Layer);
    /// Removes Layer's item; a chosen item leaves nothing chosen.
    void RemoveLayer(const TMapLayer* Layer);
    /// Puts the items in the map's order, keeping their texts and the chosen layer.
    void Reorder();

    TCartova* FMap = nullptr;
    std::unique_ptr<TLayersComboBoxDataLink> FDataLink;
};

} // namespace cartova
