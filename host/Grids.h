#pragma once
// TCustomGrid: a grid of cells painted by the control itself (exact cell
// geometry, scrolling by whole rows and columns), with fixed rows and columns,
// an in-place editor, and DrawCell through Canvas.
//
// Geometry: fixed columns come first from x = 0, then the columns from LeftCol
// on; each cell is ColWidths[c] wide and followed by a grid line of
// GridLineWidth pixels; rows likewise from TopRow. CellRect of a cell that is
// scrolled away is empty; a partly visible cell is clipped to the client area.

#include "host/Bitmap.h"
#include "host/Controls.h"

#include <QImage>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLineEdit;

namespace cartova::host {

enum TGridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goRowMoving = 1u << 8,
    goColMoving = 1u << 9,
    goEditing = 1u << 10,
    goTabs = 1u << 11,
    goRowSelect = 1u << 12,
    goAlwaysShowEditor = 1u << 13,
    goThumbTracking = 1u << 14,
};
using TGridOptions = unsigned;

/// State flags of a cell being drawn.
enum TGridDrawStateFlag : unsigned { gdSelected = 1u << 0, gdFocused = 1u << 1, gdFixed = 1u << 2 };
using TGridDrawState = unsigned;

using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;

/// A scrolling grid of cells drawn by DrawCell.
class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* AOwner = nullptr);
    ~TCustomGrid() override;

    int GetColCount() const { return static_cast<int>(FColWidths.size()); }
    void SetColCount(int Value);
    int GetRowCount() const { return static_cast<int>(FRowHeights.size()); }
    void SetRowCount(int Value);
    int GetFixedCols() const { return FFixedCols; }
    void SetFixedCols(int Value);
    int GetFixedRows() const { return FFixedRows; }
    void SetFixedRows(int Value);
    int GetColWidths(int Index) const;
    void SetColWidths(int Index, int Value);
    int GetRowHeights(int Index) const;
    void SetRowHeights(int Index, int Value);
    int GetDefaultColWidth() const { return FDefaultColWidth; }
    /// Sets the default and every column's width.
    void SetDefaultColWidth(int Value);
    int GetDefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int Value);
    int GetGridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    TColor GetFixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    bool GetDefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value) { FDefaultDrawing = Value; }
    TGridOptions GetOptions() const { return FOptions; }
    void SetOptions(TGridOptions Value);

    /// The current cell; setting it asks SelectCell first.
    int GetCol() const { return FCol; }
    void SetCol(int Value) { FocusCell(Value, FRow); }
    int GetRow() const { return FRow; }
    void SetRow(int Value) { FocusCell(FCol, Value); }
    /// The first scrolled (non-fixed) row and column shown.
    int GetTopRow() const { return FTopRow; }
    void SetTopRow(int Value);
    int GetLeftCol() const { return FLeftCol; }
    void SetLeftCol(int Value);
    /// Number of non-fixed rows / columns wholly visible from TopRow / LeftCol.
    int GetVisibleRowCount() const;
    int GetVisibleColCount() const;

    /// The client rectangle of a cell (see above).
    TRect CellRect(int ACol, int ARow) const;
    /// The cell under client point (X, Y); (-1, -1) when none.
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;

    /// Shows the in-place editor on the current cell (with goEditing, without
    /// goRowSelect); HideEditor hides it.
    void ShowEditor();
    void HideEditor();
    bool GetEditorMode() const { return FEditorMode; }
    void SetEditorMode(bool Value) { Value ? ShowEditor() : HideEditor(); }
    /// The editor widget (nullptr before the first ShowEditor).
    QLineEdit* InplaceEditor() const;

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;
    TNotifyEvent OnTopLeftChanged;

protected:
    /// Draws a cell on Canvas (brush and font set for State; with
    /// DefaultDrawing the cell was filled first); the default raises OnDrawCell.
    virtual void DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State);
    /// Whether the current cell may move to (ACol, ARow); the default asks OnSelectCell.
    virtual bool SelectCell(int ACol, int ARow);
    /// The text the editor starts with; the default asks OnGetEditText.
    virtual std::string GetEditText(int ACol, int ARow);
    /// Called as the user edits a cell's text; the default raises OnSetEditText.
    virtual void SetEditText(int ACol, int ARow, const std::string& Value);
    /// Called after TopRow or LeftCol changed.
    virtual void TopLeftChanged();
    /// Moves the current cell (asking SelectCell) and scrolls it into view.
    void FocusCell(int ACol, int ARow);

    void Paint() override;
    bool PaintsOnEveryRequest() const override { return true; }
    unsigned GetDlgCode() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(TKeyChar& Key) override;
    void Resize() override;

private:
    int ColX(int ACol) const;
    int RowY(int ARow) const;
    int MaxTopRow() const;
    int MaxLeftCol() const;
    void UpdateScrollBars();
    void PlaceEditor();
    void ClampCurrent();

    std::vector<int> FColWidths;
    std::vector<int> FRowHeights;
    int FFixedCols = 1, FFixedRows = 1;
    int FDefaultColWidth = 64, FDefaultRowHeight = 24, FGridLineWidth = 1;
    TColor FFixedColor = clBtnFace;
    bool FDefaultDrawing = true;
    TGridOptions FOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    int FCol = 1, FRow = 1, FTopRow = 1, FLeftCol = 1;
    bool FEditorMode = false;
    bool FSyncingScroll = false;
    QLineEdit* FEditor = nullptr;
};

} // namespace cartova::host

namespace cartova {
using host::TGridOption;
using host::goFixedVertLine;
using host::goFixedHorzLine;
using host::goVertLine;
using host::goHorzLine;
using host::goRangeSelect;
using host::goDrawFocusSelected;
using host::goRowSizing;
using host::goColSizing;
using host::goRowMoving;
using host::goColMoving;
using host::goEditing;
using host::goTabs;
using host::goRowSelect;
using host::goAlwaysShowEditor;
using host::goThumbTracking;
using host::TGridOptions;
using host::TGridDrawStateFlag;
using host::gdSelected;
using host::gdFocused;
using host::gdFixed;
using host::TGridDrawState;
using host::TDrawCellEvent;
using host::TSelectCellEvent;
using host::TGetEditEvent;
using host::TSetEditEvent;
using host::TCustomGrid;
} // namespace cartova
