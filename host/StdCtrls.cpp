#include "host/StdCtrls.h"

#include "host/ControlPeer.h"
#include "host/DeviceServices.h"
#include "host/Exceptions.h"

#include <QComboBox>
#include <QListWidget>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>

namespace cartova::host {

namespace {

constexpr int kObjectRole = Qt::UserRole + 1;

TObject* ObjectOf(const QVariant& V)
{
    return reinterpret_cast<TObject*>(V.value<quintptr>());
}

QVariant ObjectVariant(TObject* O)
{
    return QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(O));
}

// Rows of a list box: Qt items, their text and an associated object.
class TListBoxStrings final : public TStrings {
public:
    explicit TListBoxStrings(const TCustomListBox* Owner) : FOwner(Owner) {}
    int Count() const override { return W() ? W()->count() : 0; }
    std::string Get(int I) const override { return Item(I)->text().toStdString(); }
    void Put(int I, const std::string& S) override { Item(I)->setText(QString::fromStdString(S)); }
    TObject* GetObject(int I) const override { return ObjectOf(Item(I)->data(kObjectRole)); }
    void PutObject(int I, TObject* O) override { Item(I)->setData(kObjectRole, ObjectVariant(O)); }
    void Insert(int I, const std::string& S) override
    {
        if (I < 0 || I > Count())
            throw EListError::OutOfBounds(I);
        if (W())
            W()->insertItem(I, QString::fromStdString(S));
    }
    void Delete(int I) override { delete W()->takeItem(Check(I)); }
    void Clear() override
    {
        if (W())
            W()->clear();
    }

private:
    QListWidget* W() const { return FOwner->ListWidget(); }
    int Check(int I) const
    {
        if (I < 0 || I >= Count())
            throw EListError::OutOfBounds(I);
        return I;
    }
    QListWidgetItem* Item(int I) const { return W()->item(Check(I)); }
    const TCustomListBox* FOwner;
};

// Items of a combo box.
class TComboStrings final : public TStrings {
public:
    explicit TComboStrings(const TCustomComboBox* Owner) : FOwner(Owner) {}
    int Count() const override { return W() ? W()->count() : 0; }
    std::string Get(int I) const override { return W()->itemText(Check(I)).toStdString(); }
    void Put(int I, const std::string& S) override { W()->setItemText(Check(I), QString::fromStdString(S)); }
    TObject* GetObject(int I) const override { return ObjectOf(W()->itemData(Check(I), kObjectRole)); }
    void PutObject(int I, TObject* O) override { W()->setItemData(Check(I), ObjectVariant(O), kObjectRole); }
    void Insert(int I, const std::string& S) override
    {
        if (I < 0 || I > Count())
            throw EListError::OutOfBounds(I);
        if (W())
            W()->insertItem(I, QString::fromStdString(S));
    }
    void Delete(int I) override { W()->removeItem(Check(I)); }
    void Clear() override
    {
        if (W())
            W()->clear();
    }

private:
    QComboBox* W() const { return FOwner->ComboWidget(); }
    int Check(int I) const
    {
        if (I < 0 || I >= Count())
            throw EListError::OutOfBounds(I);
        return I;
    }
    const TCustomComboBox* FOwner;
};

// Fixed row height for the list's layout (its painting is ours when owner-drawn).
class TFixedHeightDelegate final : public QStyledItemDelegate {
public:
    explicit TFixedHeightDelegate(const int* Height, QObject* Parent)
        : QStyledItemDelegate(Parent), FHeight(Height)
    {
    }
    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(Option, Index);
        s.setHeight(*FHeight);
        return s;
    }

private:
    const int* FHeight;
};

} // namespace

// ------------------------------------------------------------------ TCustomListBox

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner, new detail::TPeer<QListWidget>())
{
    FItems = std::make_unique<TListBoxStrings>(this);
    QListWidget* w = ListWidget();
    w->setUniformItemSizes(true);
    w->setSpacing(0);
    w->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    w->setItemDelegate(new TFixedHeightDelegate(&FItemHeight, w));
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    w->viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox() = default;

QListWidget* TCustomListBox::ListWidget() const
{
    return static_cast<QListWidget*>(GetWidget());
}

void TCustomListBox::SetItems(const TStrings* Value)
{
    FItems->Assign(Value);
}

int TCustomListBox::Count() const { return FItems->Count(); }

void TCustomListBox::Clear() { FItems->Clear(); }

int TCustomListBox::GetItemIndex() const
{
    QListWidget* w = ListWidget();
    return w ? w->currentRow() : -1;
}

void TCustomListBox::SetItemIndex(int Value)
{
    QListWidget* w = ListWidget();
    if (!w)
        return;
    if (Value < 0 || Value >= w->count()) {
        w->setCurrentRow(-1);
        w->clearSelection();
    } else {
        w->setCurrentRow(Value);
    }
    Invalidate();
}

int TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing) const
{
    const int count = Count();
    if (PtInRect(GetClientRect(), Pos) && FItemHeight > 0) {
        const int index = GetTopIndex() + Pos.Y / FItemHeight;
        if (index < count)
            return index;
    }
    return Existing ? -1 : count;
}

TRect TCustomListBox::ItemRect(int Index) const
{
    const int top = (Index - GetTopIndex()) * FItemHeight;
    return Rect(0, top, GetClientWidth(), top + FItemHeight);
}

void TCustomListBox::SetItemHeight(int Value)
{
    if (Value <= 0 || Value == FItemHeight)
        return;
    FItemHeight = Value;
    if (QListWidget* w = ListWidget())
        w->doItemsLayout();
    Invalidate();
}

int TCustomListBox::GetTopIndex() const
{
    QListWidget* w = ListWidget();
    return w ? w->verticalScrollBar()->value() : 0;
}

void TCustomListBox::SetTopIndex(int Value)
{
    if (QListWidget* w = ListWidget())
        w->verticalScrollBar()->setValue(Value);
    Invalidate();
}

void TCustomListBox::SetStyle(TListBoxStyle Value)
{
    FStyle = Value;
    Invalidate();
}

void TCustomListBox::SetMultiSelect(bool Value)
{
    FMultiSelect = Value;
    if (QListWidget* w = ListWidget())
        w->setSelectionMode(Value ? QAbstractItemView::ExtendedSelection
                                  : QAbstractItemView::SingleSelection);
}

bool TCustomListBox::GetSelected(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError::OutOfBounds(Index);
    return ListWidget()->item(Index)->isSelected();
}

void TCustomListBox::SetSelected(int Index, bool Value)
{
    if (Index < 0 || Index >= Count())
        throw EListError::OutOfBounds(Index);
    ListWidget()->item(Index)->setSelected(Value);
    Invalidate();
}

int TCustomListBox::GetSelCount() const
{
    QListWidget* w = ListWidget();
    return w ? static_cast<int>(w->selectedItems().size()) : 0;
}

void TCustomListBox::PaintWindow()
{
    QListWidget* w = ListWidget();
    if (!w)
        return;
    TCanvas* canvas = GetCanvas();
    const int count = w->count();
    const int current = w->currentRow();
    const bool focused = w->hasFocus();
    const int height = GetClientHeight();
    for (int i = std::max(GetTopIndex(), 0); i < count; ++i) {
        const TRect r = ItemRect(i);
        if (r.Top >= height)
            break;
        TOwnerDrawState state = 0;
        if (w->item(i)->isSelected())
            state |= odSelected;
        if (i == current && focused)
            state |= odFocused;
        if (!GetEnabled())
            state |= odDisabled;
        canvas->SetFont(GetFont());
        canvas->GetBrush()->SetStyle(bsSolid);
        canvas->GetBrush()->SetColor(GetColor());
        if (state & odSelected) {
            canvas->GetBrush()->SetColor(clHighlight);
            canvas->GetFont()->SetColor(clHighlightText);
        }
        DrawItem(i, r, state);
    }
}

void TCustomListBox::DrawItem(int Index, const TRect& R, TOwnerDrawState State)
{
    if (OnDrawItem) {
        OnDrawItem(this, Index, R, State);
        return;
    }
    TCanvas* canvas = GetCanvas();
    canvas->FillRect(R);
    if (Index < Count())
        canvas->TextOut(R.Left + 2, R.Top, FItems->Get(Index));
    if (State & odFocused)
        DrawFocusRect(canvas, R);
}

// ------------------------------------------------------------------ TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner, new detail::TPeer<QComboBox>())
{
    FItems = std::make_unique<TComboStrings>(this);
    QComboBox* w = ComboWidget();
    w->setEditable(true);
    w->setInsertPolicy(QComboBox::NoInsert);
    w->setMaxVisibleItems(8);
    QObject::connect(w, &QComboBox::activated, w, [this](int) {
        try {
            Select();
            Change();
        } catch (...) {
            detail::TPeerDispatch::HandleException();
        }
    });
    QObject::connect(w, &QComboBox::editTextChanged, w, [this](const QString&) {
        if (FStyle != csDropDown && FStyle != csSimple)
            return;
        try {
            Change();
        } catch (...) {
            detail::TPeerDispatch::HandleException();
        }
    });
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 145, 24);
}

TCustomComboBox::~TCustomComboBox()
{
    if (QComboBox* w = ComboWidget())
        QObject::disconnect(w, nullptr, w, nullptr);
}

QComboBox* TCustomComboBox::ComboWidget() const
{
    return static_cast<QComboBox*>(GetWidget());
}

void TCustomComboBox::SetItems(const TStrings* Value) { FItems->Assign(Value); }
int TCustomComboBox::Count() const { return FItems->Count(); }
void TCustomComboBox::Clear() { FItems->Clear(); }

int TCustomComboBox::GetItemIndex() const
{
    QComboBox* w = ComboWidget();
    return w ? w->currentIndex() : -1;
}

void TCustomComboBox::SetItemIndex(int Value)
{
    QComboBox* w = ComboWidget();
    if (!w)
        return;
    const QSignalBlocker block(w);
    w->setCurrentIndex(Value >= 0 && Value < w->count() ? Value : -1);
}

std::string TCustomComboBox::GetComboText() const
{
    QComboBox* w = ComboWidget();
    return w ? w->currentText().toStdString() : std::string();
}

void TCustomComboBox::SetComboText(const std::string& Value)
{
    QComboBox* w = ComboWidget();
    if (!w)
        return;
    const QSignalBlocker block(w);
    const QString text = QString::fromStdString(Value);
    if (w->isEditable())
        w->setEditText(text);
    else
        w->setCurrentIndex(w->findText(text, Qt::MatchFixedString));
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value)
{
    FStyle = Value;
    if (QComboBox* w = ComboWidget())
        w->setEditable(Value == csDropDown || Value == csSimple);
}

int TCustomComboBox::GetDropDownCount() const
{
    QComboBox* w = ComboWidget();
    return w ? w->maxVisibleItems() : 8;
}

void TCustomComboBox::SetDropDownCount(int Value)
{
    if (QComboBox* w = ComboWidget())
        w->setMaxVisibleItems(std::max(Value, 1));
}

void TCustomComboBox::Select()
{
    if (OnSelect)
        OnSelect(this);
}

void TCustomComboBox::Change()
{
    if (OnChange)
        OnChange(this);
}

} // namespace cartova::host
