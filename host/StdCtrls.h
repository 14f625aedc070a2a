#pragma once
// List box and combo box controls over QListWidget and QComboBox. An
// owner-drawn list box paints its rows itself through DrawItem on its window
// surface (the view's viewport); Qt keeps the rows, selection and scrolling.

#include "host/Controls.h"
#include "host/StringList.h"

#include <functional>
#include <memory>
#include <string>

class QListWidget;
class QComboBox;

namespace cartova::host {

/// State flags of an owner-drawn row or cell.
enum TOwnerDrawStateFlag : unsigned {
    odSelected = 1u << 0,
    odGrayed = 1u << 1,
    odDisabled = 1u << 2,
    odChecked = 1u << 3,
    odFocused = 1u << 4,
    odDefault = 1u << 5,
};
using TOwnerDrawState = unsigned;

using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

/// A list of rows, optionally owner-drawn with a fixed row height.
/// Row i covers (0, (i − TopIndex) × ItemHeight) with the client width.
class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* AOwner = nullptr);
    ~TCustomListBox() override;

    /// The rows (text and associated object); owned by the list box.
    TStrings* GetItems() const { return FItems.get(); }
    /// Replaces the rows by a copy of Value's.
    void SetItems(const TStrings* Value);
    int Count() const;
    void Clear();

    /// The current row, or -1.
    int GetItemIndex() const;
    void SetItemIndex(int Value);
    /// The row at client point Pos; past the last row -1 when Existing, else Count.
    int ItemAtPos(const TPoint& Pos, bool Existing) const;
    /// The client rectangle of row Index (it may lie outside the client area).
    TRect ItemRect(int Index) const;
    int GetItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value);
    /// The first visible row.
    int GetTopIndex() const;
    void SetTopIndex(int Value);
    TListBoxStyle GetStyle() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);
    bool GetMultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool GetSelected(int Index) const;
    void SetSelected(int Index, bool Value);
    int GetSelCount() const;

    TDrawItemEvent OnDrawItem;

    /// The Qt list (nullptr without a window).
    QListWidget* ListWidget() const;

protected:
    /// Draws row Index in Rect on Canvas, whose brush and font are set for
    /// the state; the default raises OnDrawItem, or fills the row and writes
    /// its text at (Left + 2, Top) and a focus rectangle when odFocused.
    virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
    bool IsCustomPainted() const override { return FStyle != lbStandard; }
    bool PaintsOnEveryRequest() const override { return true; }
    void PaintWindow() override;
    unsigned GetDlgCode() override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

private:
    std::unique_ptr<TStrings> FItems;
    TListBoxStyle FStyle = lbStandard;
    int FItemHeight = 16;
    bool FMultiSelect = false;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

/// A drop-down list of items, each with an associated object.
class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* AOwner = nullptr);
    ~TCustomComboBox() override;

    TStrings* GetItems() const { return FItems.get(); }
    void SetItems(const TStrings* Value);
    int Count() const;
    void Clear();
    /// The selected item, or -1. Setting it raises no event.
    int GetItemIndex() const;
    void SetItemIndex(int Value);
    /// The text shown (the selected item's in a drop-down list).
    std::string GetComboText() const;
    void SetComboText(const std::string& Value);
    std::string GetText() const { return GetComboText(); }
    void SetText(const std::string& Value) { SetComboText(Value); }
    /// csDropDown makes the text editable; csDropDownList does not.
    TComboBoxStyle GetStyle() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    int GetDropDownCount() const;
    void SetDropDownCount(int Value);

    /// Raised when the user picks an item: OnSelect, then OnChange.
    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;

    QComboBox* ComboWidget() const;

protected:
    /// The user picked an item (raises OnSelect) / changed the text (OnChange).
    virtual void Select();
    virtual void Change();
    unsigned GetDlgCode() override { return DLGC_WANTARROWS; }

private:
    std::unique_ptr<TStrings> FItems;
    TComboBoxStyle FStyle = csDropDown;
};

} // namespace cartova::host

namespace cartova {
using host::TOwnerDrawStateFlag;
using host::odSelected;
using host::odGrayed;
using host::odDisabled;
using host::odChecked;
using host::odFocused;
using host::odDefault;
using host::TOwnerDrawState;
using host::TDrawItemEvent;
using host::TListBoxStyle;
using host::lbStandard;
using host::lbOwnerDrawFixed;
using host::lbOwnerDrawVariable;
using host::TCustomListBox;
using host::TComboBoxStyle;
using host::csDropDown;
using host::csSimple;
using host::csDropDownList;
using host::csOwnerDrawFixed;
using host::csOwnerDrawVariable;
using host::TCustomComboBox;
} // namespace cartova
