#pragma once
// TDataBrowser: a grid showing the attribute table of one map layer. Row r ≥ 1
// is object r − 1 of the layer, column c ≥ 1 its attribute c − 1; the fixed
// column 0 numbers the rows (in bold for selected objects) and the fixed row
// 0 names the layer's fields. Enter or a double-click selects the row's object
// on the map and brings it into view; Ctrl+Enter zooms to the selection.
// While the layer is the map's editable layer the cells can be edited and
// the typed text is stored converted to the attribute's type. The grid
// follows its layer's objects, editability and deletion through
// TDataBrowserDataLink.

#include "host/Host.h"
#include "map/DataLinks.h"

#include <memory>
#include <string>

namespace cartova {

class TCartova;
class TMapLayer;
class TCustomMapObject;
class TDataField;
class TDataBrowser;

/// The grid's observer of its layer's map: follows the browsed layer's
/// objects, selection, editability and deletion; other layers' news change
/// nothing.
class TDataBrowserDataLink : public TMapDataLink {
public:
    TDataBrowser* GetDataBrowser() const { return FDataBrowser; }
    void SetDataBrowser(TDataBrowser* Value) { FDataBrowser = Value; }
    void MapEvent(TMapDataLinkEvent Event, TObject* Obj, int Param) override;

private:
    TDataBrowser* FDataBrowser = nullptr;
};

/// The attribute grid of one layer.
class TDataBrowser : public TCustomGrid {
public:
    explicit TDataBrowser(TComponent* AOwner = nullptr);
    ~TDataBrowser() override;

    /// The layer shown, or nullptr. Showing a layer with fields sizes the grid
    /// to its objects and fields and goes to the first cell; without a layer or
    /// fields the grid is an empty 2 × 2. The grid is editable exactly while
    /// the layer is editable. The browser forgets a layer that is deleted or
    /// whose map is destroyed.
    TMapLayer* GetLayer() const { return FLayer; }
    void SetLayer(TMapLayer* Value);
    /// Whether the editor shows on the current cell at once (in edit mode).
    bool GetAlwaysShowEditor() const { return (GetOptions() & goAlwaysShowEditor) != 0; }
    void SetAlwaysShowEditor(bool Value);

    /// Selects the object of the current row on the map. With Zoom the map
    /// zooms to the selection; without it the map centres on the object
    /// unless the object lies wholly in view. Nothing without a layer with
    /// fields, or on a row without an object.
    void SelectCurrentObject(bool Zoom);
    /// Redraws one row now: its number cell and every visible data cell.
    void DrawRow(int Row);

    TDataBrowserDataLink* GetDataLink() const { return FDataLink.get(); }
    /// Takes Value over (freeing the old link) and links it to this grid and
    /// its layer's map.
    void SetDataLink(TDataBrowserDataLink* Value);

protected:
    void DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) override;
    std::string GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const std::string& Value) override;
    bool SelectCell(int ACol, int ARow) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DblClick() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TDataBrowserDataLink;

    TCartova* LayerMap() const;
    int FieldCount() const;
    /// The object of grid row ARow, or nullptr.
    TCustomMapObject* RowObject(int ARow) const;
    /// The attribute of the cell (ACol, ARow), or nullptr.
    TDataField* CellField(int ACol, int ARow) const;
    /// Row and column counts for the layer's objects and fields; Removing is
    /// an object of the layer being destroyed that it still lists.
    void SyncSize(const TCustomMapObject* Removing = nullptr);
    /// Edit mode (cell editing, editor shown) or browse mode (row selection).
    void SetEditMode(bool Editing);
    /// Forgets the layer without touching it (it or its map is gone).
    void ForgetLayer();

    TMapLayer* FLayer = nullptr;
    TCartova* FWatchedMap = nullptr;  // the map of the last layer shown
    std::unique_ptr<TDataBrowserDataLink> FDataLink;
};

} // namespace cartova
