#pragma once
// TLayerControl: an owner-drawn list with one row per layer of a map (row i
// shows layer i, the bottom layer first): the layer's name on the left and
// four switches on the right — visible, selectable, editable, automatic
// labels — that a click toggles. Dragging a row by its name moves the layer
// in the drawing order; the Delete key deletes the selected layer. The rows
// follow the map through TLayerControlDataLink.
//
// Row geometry, for the row's rectangle R = ItemRect(i):
//   name       (R.Left + 4,  R.Top,     R.Right − 72, R.Bottom)
//   switches   (R.Right − 68, R.Top,    R.Right,      R.Bottom)
//   visible    (R.Right − 70, R.Top + 1, R.Right − 56, R.Bottom − 1)
//   selectable (R.Right − 52, R.Top + 1, R.Right − 38, R.Bottom − 1)
//   editable   (R.Right − 34, R.Top + 1, R.Right − 20, R.Bottom − 1)
//   labels     (R.Right − 16, R.Top + 1, R.Right − 2,  R.Bottom − 1)

#include "host/Host.h"
#include "map/DataLinks.h"

#include <array>
#include <memory>

namespace cartova {

class TCartova;
class TMapLayer;
class TLayerControl;

/// The layer list's observer of its map: adds and removes rows as layers come
/// and go, and redraws a layer's row when one of its switches changes.
class TLayerControlDataLink : public TMapDataLink {
public:
    TLayerControl* GetLayerControl() const { return FLayerControl; }
    void SetLayerControl(TLayerControl* Value) { FLayerControl = Value; }
    void MapEvent(TMapDataLinkEvent Event, TObject* Obj, int Param) override;

private:
    TLayerControl* FLayerControl = nullptr;
};

/// The list of a map's layers with their switches.
class TLayerControl : public TCustomListBox {
public:
    explicit TLayerControl(TComponent* AOwner = nullptr);
    ~TLayerControl() override;

    /// The map whose layers are listed. Linking lists the map's layers at
    /// once, in map order; nullptr unlinks and empties the list. The control
    /// forgets a map that is destroyed.
    TCartova* GetMap() const { return FMap; }
    void SetMap(TCartova* Value);
    /// Switches drawn with the glyph bitmaps (true) or as check boxes and a
    /// radio button (false).
    bool GetGlyphs() const { return FGlyphs; }
    void SetGlyphs(bool Value);
    /// A dotted line along the bottom of each row.
    bool GetDrawHorzLines() const { return FDrawHorzLines; }
    void SetDrawHorzLines(bool Value);
    /// Dotted lines at the left edge of each switch column.
    bool GetDrawVertLines() const { return FDrawVertLines; }
    void SetDrawVertLines(bool Value);

    /// The layer of the selected row, or nullptr.
    TMapLayer* GetCurrentLayer() const;
    /// Glyph Index (0 to 7): eye, greyed eye, pencil, greyed pencil, clicking
    /// arrow, greyed arrow, label tag, greyed label tag. Raises EListError
    /// for another index.
    TBitmap* GetIndicators(int Index) const;

    /// The row a name drag started from, or −1.
    int GetCurIndex() const { return FCurIndex; }
    void SetCurIndex(int Value) { FCurIndex = Value; }

    TLayerControlDataLink* GetDataLink() const { return FDataLink.get(); }
    /// Takes Value over (freeing the old link) and links it to this control
    /// and its map.
    void SetDataLink(TLayerControlDataLink* Value);

    // The areas of a row whose rectangle is R (see the table above).
    static TRect GetNameRect(const TRect& R);
    static TRect GetIndicatorRect(const TRect& R);
    static TRect GetVisibleRect(const TRect& R);
    static TRect GetSelectableRect(const TRect& R);
    static TRect GetEditableRect(const TRect& R);
    static TRect GetAutolabelRect(const TRect& R);

    /// Redraws row Index now, with the state the next paint gives it.
    void RedrawItem(int Index);

protected:
    void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Resize() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TLayerControlDataLink;

    int LayerCount() const;
    /// One row per layer of the map, none without a map.
    void FillRows();
    /// The state the list's paint gives row Index.
    TOwnerDrawState RowState(int Index) const;
    void DrawSwitches(TCanvas* Canvas, const TRect& R, const TMapLayer* Layer);
    void DrawDottedLines(TCanvas* Canvas, const TRect& R);
    void SetDragCursor(bool Value);

    TCartova* FMap = nullptr;
    std::unique_ptr<TLayerControlDataLink> FDataLink;
    std::array<std::unique_ptr<TBitmap>, 8> FIndicators;
    bool FGlyphs = true;
    bool FDrawHorzLines = true;
    bool FDrawVertLines = false;
    int FCurIndex = -1;
    bool FHighlighted = false;  // the drag's source row is drawn highlighted
    bool FDragCursor = false;   // the screen shows the drag cursor
    int FDeletedIndex = -1;     // the row of the layer being deleted
};

} // namespace cartova
