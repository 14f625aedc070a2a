#include "host/Grids.h"

#include "host/ControlPeer.h"
#include "host/DeviceServices.h"
#include "host/Exceptions.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace cartova::host {

namespace {

// The in-place editor: navigation keys go to the grid, the rest edit the text.
class TInplaceEdit final : public QLineEdit {
public:
    TInplaceEdit(QWidget* Parent, QWidget* Grid) : QLineEdit(Parent), FGrid(Grid) {}

protected:
    void keyPressEvent(QKeyEvent* E) override
    {
        switch (E->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            QCoreApplication::sendEvent(FGrid, E);
            return;
        default: QLineEdit::keyPressEvent(E);
        }
    }

private:
    QWidget* FGrid;
};

QAbstractScrollArea* AreaOf(const TCustomGrid* G)
{
    return static_cast<QAbstractScrollArea*>(G->GetWidget());
}

} // namespace

TCustomGrid::TCustomGrid(TComponent* AOwner)
    : TCustomControl(AOwner, new detail::TPeer<QAbstractScrollArea>())
{
    FColWidths.assign(5, FDefaultColWidth);
    FRowHeights.assign(5, FDefaultRowHeight);
    QAbstractScrollArea* area = AreaOf(this);
    area->viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QObject::connect(area->verticalScrollBar(), &QScrollBar::valueChanged, area, [this](int V) {
        if (FSyncingScroll)
            return;
        try {
            SetTopRow(V);
        } catch (...) {
            detail::TPeerDispatch::HandleException();
        }
    });
    QObject::connect(area->horizontalScrollBar(), &QScrollBar::valueChanged, area, [this](int V) {
        if (FSyncingScroll)
            return;
        try {
            SetLeftCol(V);
        } catch (...) {
            detail::TPeerDispatch::HandleException();
        }
    });
    SetColor(clWindow);
    SetTabStop(true);
    if (QWidget* w = GetWidget())
        w->setFocusPolicy(Qt::StrongFocus);
    SetBounds(0, 0, 320, 120);
    UpdateScrollBars();
}

TCustomGrid::~TCustomGrid()
{
    if (QAbstractScrollArea* area = AreaOf(this)) {
        QObject::disconnect(area->verticalScrollBar(), nullptr, area, nullptr);
        QObject::disconnect(area->horizontalScrollBar(), nullptr, area, nullptr);
    }
}

QLineEdit* TCustomGrid::InplaceEditor() const { return GetWidget() ? FEditor : nullptr; }

// ---- sizes

void TCustomGrid::SetColCount(int Value)
{
    Value = std::max(Value, 1);
    FColWidths.resize(static_cast<size_t>(Value), FDefaultColWidth);
    FFixedCols = std::min(FFixedCols, Value - 1);
    ClampCurrent();
}

void TCustomGrid::SetRowCount(int Value)
{
    Value = std::max(Value, 1);
    FRowHeights.resize(static_cast<size_t>(Value), FDefaultRowHeight);
    FFixedRows = std::min(FFixedRows, Value - 1);
    ClampCurrent();
}

void TCustomGrid::SetFixedCols(int Value)
{
    if (Value < 0 || Value >= GetColCount())
        throw EInvalidOperation("Fixed column count must be less than column count");
    FFixedCols = Value;
    ClampCurrent();
}

void TCustomGrid::SetFixedRows(int Value)
{
    if (Value < 0 || Value >= GetRowCount())
        throw EInvalidOperation("Fixed row count must be less than row count");
    FFixedRows = Value;
    ClampCurrent();
}

int TCustomGrid::GetColWidths(int Index) const
{
    if (Index < 0 || Index >= GetColCount())
        return FDefaultColWidth;
    return FColWidths[static_cast<size_t>(Index)];
}

void TCustomGrid::SetColWidths(int Index, int Value)
{
    if (Index < 0 || Index >= GetColCount())
        throw EListError::OutOfBounds(Index);
    FColWidths[static_cast<size_t>(Index)] = std::max(Value, 0);
    UpdateScrollBars();
    PlaceEditor();
    Invalidate();
}

int TCustomGrid::GetRowHeights(int Index) const
{
    if (Index < 0 || Index >= GetRowCount())
        return FDefaultRowHeight;
    return FRowHeights[static_cast<size_t>(Index)];
}

void TCustomGrid::SetRowHeights(int Index, int Value)
{
    if (Index < 0 || Index >= GetRowCount())
        throw EListError::OutOfBounds(Index);
    FRowHeights[static_cast<size_t>(Index)] = std::max(Value, 0);
    UpdateScrollBars();
    PlaceEditor();
    Invalidate();
}

void TCustomGrid::SetDefaultColWidth(int Value)
{
    FDefaultColWidth = std::max(Value, 0);
    std::fill(FColWidths.begin(), FColWidths.end(), FDefaultColWidth);
    UpdateScrollBars();
    PlaceEditor();
    Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int Value)
{
    FDefaultRowHeight = std::max(Value, 0);
    std::fill(FRowHeights.begin(), FRowHeights.end(), FDefaultRowHeight);
    UpdateScrollBars();
    PlaceEditor();
    Invalidate();
}

void TCustomGrid::SetGridLineWidth(int Value)
{
    FGridLineWidth = std::max(Value, 0);
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetFixedColor(TColor Value)
{
    FFixedColor = Value;
    Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions Value)
{
    FOptions = Value;
    if (!(Value & goEditing) || (Value & goRowSelect))
        HideEditor();
    else if (Value & goAlwaysShowEditor)
        ShowEditor();
    Invalidate();
}

void TCustomGrid::ClampCurrent()
{
    FCol = std::clamp(FCol, FFixedCols, GetColCount() - 1);
    FRow = std::clamp(FRow, FFixedRows, GetRowCount() - 1);
    FTopRow = std::clamp(FTopRow, FFixedRows, MaxTopRow());
    FLeftCol = std::clamp(FLeftCol, FFixedCols, MaxLeftCol());
    UpdateScrollBars();
    PlaceEditor();
    Invalidate();
}

// ---- geometry

int TCustomGrid::ColX(int ACol) const
{
    int x = 0;
    if (ACol < FFixedCols) {
        for (int c = 0; c < ACol; ++c)
            x += GetColWidths(c) + FGridLineWidth;
        return x;
    }
    if (ACol < FLeftCol)
        return -1;
    for (int c = 0; c < FFixedCols; ++c)
        x += GetColWidths(c) + FGridLineWidth;
    for (int c = FLeftCol; c < ACol; ++c)
        x += GetColWidths(c) + FGridLineWidth;
    return x;
}

int TCustomGrid::RowY(int ARow) const
{
    int y = 0;
    if (ARow < FFixedRows) {
        for (int r = 0; r < ARow; ++r)
            y += GetRowHeights(r) + FGridLineWidth;
        return y;
    }
    if (ARow < FTopRow)
        return -1;
    for (int r = 0; r < FFixedRows; ++r)
        y += GetRowHeights(r) + FGridLineWidth;
    for (int r = FTopRow; r < ARow; ++r)
        y += GetRowHeights(r) + FGridLineWidth;
    return y;
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const
{
    if (ACol < 0 || ACol >= GetColCount() || ARow < 0 || ARow >= GetRowCount())
        return {};
    const int x = ColX(ACol), y = RowY(ARow);
    const int cw = GetClientWidth(), ch = GetClientHeight();
    if (x < 0 || y < 0 || x >= cw || y >= ch)
        return {};
    return Rect(x, y, std::min(x + GetColWidths(ACol), cw), std::min(y + GetRowHeights(ARow), ch));
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const
{
    ACol = ARow = -1;
    if (X < 0 || Y < 0 || X >= GetClientWidth() || Y >= GetClientHeight())
        return;
    auto find = [&](int pos, int fixed, int first, int count, auto size) {
        int p = 0;
        for (int i = 0; i < count; ++i) {
            if (i == fixed)
                i = std::max(first, fixed);
            if (i >= count)
                break;
            const int next = p + size(i) + FGridLineWidth;
            if (pos < next)
                return i;
            p = next;
        }
        return -1;
    };
    ACol = find(X, FFixedCols, FLeftCol, GetColCount(), [this](int i) { return GetColWidths(i); });
    ARow = find(Y, FFixedRows, FTopRow, GetRowCount(), [this](int i) { return GetRowHeights(i); });
    if (ACol < 0 || ARow < 0)
        ACol = ARow = -1;
}

int TCustomGrid::GetVisibleRowCount() const
{
    int y = 0;
    for (int r = 0; r < FFixedRows; ++r)
        y += GetRowHeights(r) + FGridLineWidth;
    int n = 0;
    for (int r = FTopRow; r < GetRowCount(); ++r) {
        y += GetRowHeights(r);
        if (y > GetClientHeight())
            break;
        y += FGridLineWidth;
        ++n;
    }
    return n;
}

int TCustomGrid::GetVisibleColCount() const
{
    int x = 0;
    for (int c = 0; c < FFixedCols; ++c)
        x += GetColWidths(c) + FGridLineWidth;
    int n = 0;
    for (int c = FLeftCol; c < GetColCount(); ++c) {
        x += GetColWidths(c);
        if (x > GetClientWidth())
            break;
        x += FGridLineWidth;
        ++n;
    }
    return n;
}

int TCustomGrid::MaxTopRow() const
{
    int avail = GetClientHeight();
    for (int r = 0; r < FFixedRows; ++r)
        avail -= GetRowHeights(r) + FGridLineWidth;
    int top = GetRowCount() - 1;
    int used = GetRowHeights(top) + FGridLineWidth;
    while (top - 1 >= FFixedRows && used + GetRowHeights(top - 1) + FGridLineWidth <= avail) {
        --top;
        used += GetRowHeights(top) + FGridLineWidth;
    }
    return std::max(top, FFixedRows);
}

int TCustomGrid::MaxLeftCol() const
{
    int avail = GetClientWidth();
    for (int c = 0; c < FFixedCols; ++c)
        avail -= GetColWidths(c) + FGridLineWidth;
    int left = GetColCount() - 1;
    int used = GetColWidths(left) + FGridLineWidth;
    while (left - 1 >= FFixedCols && used + GetColWidths(left - 1) + FGridLineWidth <= avail) {
        --left;
        used += GetColWidths(left) + FGridLineWidth;
    }
    return std::max(left, FFixedCols);
}

void TCustomGrid::SetTopRow(int Value)
{
    Value = std::clamp(Value, FFixedRows, MaxTopRow());
    if (Value == FTopRow)
        return;
    FTopRow = Value;
    UpdateScrollBars();
    PlaceEditor();
    Invalidate();
    TopLeftChanged();
}

void TCustomGrid::SetLeftCol(int Value)
{
    Value = std::clamp(Value, FFixedCols, MaxLeftCol());
    if (Value == FLeftCol)
        return;
    FLeftCol = Value;
    UpdateScrollBars();
    PlaceEditor();
    Invalidate();
    TopLeftChanged();
}

void TCustomGrid::TopLeftChanged()
{
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

void TCustomGrid::UpdateScrollBars()
{
    QAbstractScrollArea* area = AreaOf(this);
    if (!area)
        return;
    FSyncingScroll = true;
    area->verticalScrollBar()->setRange(FFixedRows, MaxTopRow());
    area->verticalScrollBar()->setPageStep(std::max(GetVisibleRowCount(), 1));
    area->verticalScrollBar()->setValue(FTopRow);
    area->horizontalScrollBar()->setRange(FFixedCols, MaxLeftCol());
    area->horizontalScrollBar()->setPageStep(std::max(GetVisibleColCount(), 1));
    area->horizontalScrollBar()->setValue(FLeftCol);
    FSyncingScroll = false;
}

void TCustomGrid::Resize()
{
    FTopRow = std::clamp(FTopRow, FFixedRows, MaxTopRow());
    FLeftCol = std::clamp(FLeftCol, FFixedCols, MaxLeftCol());
    UpdateScrollBars();
    PlaceEditor();
    TCustomControl::Resize();
}

// ---- current cell

void TCustomGrid::FocusCell(int ACol, int ARow)
{
    ACol = std::clamp(ACol, FFixedCols, GetColCount() - 1);
    ARow = std::clamp(ARow, FFixedRows, GetRowCount() - 1);
    if (ACol == FCol && ARow == FRow)
        return;
    if (!SelectCell(ACol, ARow))
        return;
    const bool editing = FEditorMode;
    HideEditor();
    FCol = ACol;
    FRow = ARow;
    // Scroll the cell into view.
    if (FRow < FTopRow)
        SetTopRow(FRow);
    else
        while (FTopRow < MaxTopRow() && FRow >= FTopRow + GetVisibleRowCount())
            SetTopRow(FTopRow + 1);
    if (!(FOptions & goRowSelect)) {
        if (FCol < FLeftCol)
            SetLeftCol(FCol);
        else
            while (FLeftCol < MaxLeftCol() && FCol >= FLeftCol + GetVisibleColCount())
                SetLeftCol(FLeftCol + 1);
    }
    Invalidate();
    if (editing || (FOptions & goAlwaysShowEditor))
        ShowEditor();
}

bool TCustomGrid::SelectCell(int ACol, int ARow)
{
    bool can = true;
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, can);
    return can;
}

std::string TCustomGrid::GetEditText(int ACol, int ARow)
{
    std::string value;
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TCustomGrid::SetEditText(int ACol, int ARow, const std::string& Value)
{
    if (OnSetEditText)
        OnSetEditText(this, ACol, ARow, Value);
}

// ---- editor

void TCustomGrid::ShowEditor()
{
    QAbstractScrollArea* area = AreaOf(this);
    if (!area || !(FOptions & goEditing) || (FOptions & goRowSelect))
        return;
    if (!FEditor) {
        FEditor = new TInplaceEdit(area->viewport(), area);
        FEditor->setFrame(false);
        QObject::connect(FEditor, &QLineEdit::textEdited, FEditor, [this](const QString& Text) {
            try {
                SetEditText(FCol, FRow, Text.toStdString());
            } catch (...) {
                detail::TPeerDispatch::HandleException();
            }
        });
    }
    FEditor->setText(QString::fromStdString(GetEditText(FCol, FRow)));
    FEditorMode = true;
    PlaceEditor();
    if (area->hasFocus() || area->isVisible())
        FEditor->setFocus();
}

void TCustomGrid::HideEditor()
{
    if (!FEditorMode)
        return;
    FEditorMode = false;
    if (FEditor && GetWidget()) {
        const bool hadFocus = FEditor->hasFocus();
        FEditor->hide();
        if (hadFocus)
            GetWidget()->setFocus();
    }
}

void TCustomGrid::PlaceEditor()
{
    if (!FEditor || !GetWidget())
        return;
    const TRect r = CellRect(FCol, FRow);
    if (!FEditorMode || IsRectEmpty(r)) {
        FEditor->hide();
        return;
    }
    FEditor->setGeometry(r.Left, r.Top, r.Width(), r.Height());
    FEditor->show();
}

// ---- painting

void TCustomGrid::Paint()
{
    TCanvas* canvas = GetCanvas();
    const int cw = GetClientWidth(), ch = GetClientHeight();
    const bool focused = GetWidget() && (GetWidget()->hasFocus() || (FEditor && FEditor->hasFocus()));
    auto paintRow = [&](int r) {
        auto paintCol = [&](int c) {
            const TRect rect = CellRect(c, r);
            if (IsRectEmpty(rect))
                return;
            TGridDrawState state = 0;
            const bool fixed = c < FFixedCols || r < FFixedRows;
            if (fixed)
                state |= gdFixed;
            else {
                if (c == FCol && r == FRow)
                    state |= gdFocused;
                if ((FOptions & goRowSelect) ? r == FRow
                                             : (c == FCol && r == FRow &&
                                                (!focused || (FOptions & goDrawFocusSelected))))
                    state |= gdSelected;
            }
            canvas->SetFont(GetFont());
            canvas->GetBrush()->SetStyle(bsSolid);
            canvas->GetBrush()->SetColor(fixed ? FFixedColor : GetColor());
            if (state & gdSelected) {
                canvas->GetBrush()->SetColor(clHighlight);
                canvas->GetFont()->SetColor(clHighlightText);
            }
            if (FDefaultDrawing)
                canvas->FillRect(rect);
            DrawCell(c, r, rect, state);
            if (FDefaultDrawing && (state & gdFocused) && focused && !(FOptions & goRowSelect) &&
                !FEditorMode)
                DrawFocusRect(canvas, rect);
        };
        for (int c = 0; c < FFixedCols; ++c)
            paintCol(c);
        for (int c = FLeftCol; c < GetColCount() && ColX(c) < cw; ++c)
            paintCol(c);
    };
    for (int r = 0; r < FFixedRows; ++r)
        paintRow(r);
    for (int r = FTopRow; r < GetRowCount() && RowY(r) < ch; ++r)
        paintRow(r);

    // Grid lines in the gaps after each cell.
    if (FGridLineWidth <= 0)
        return;
    auto line = [&](int x0, int y0, int x1, int y1, bool fixed) {
        canvas->GetBrush()->SetStyle(bsSolid);
        canvas->GetBrush()->SetColor(fixed ? clBlack : clSilver);
        canvas->FillRect(Rect(x0, y0, x1, y1));
    };
    int fixedW = 0, fixedH = 0;
    for (int c = 0; c < FFixedCols; ++c)
        fixedW += GetColWidths(c) + FGridLineWidth;
    for (int r = 0; r < FFixedRows; ++r)
        fixedH += GetRowHeights(r) + FGridLineWidth;
    int gridRight = fixedW, gridBottom = fixedH;
    for (int c = FLeftCol; c < GetColCount() && gridRight < cw; ++c)
        gridRight += GetColWidths(c) + FGridLineWidth;
    for (int r = FTopRow; r < GetRowCount() && gridBottom < ch; ++r)
        gridBottom += GetRowHeights(r) + FGridLineWidth;
    for (int c = 0; c < GetColCount(); ++c) {
        if (c >= FFixedCols && c < FLeftCol)
            continue;
        const int x = ColX(c);
        if (x < 0 || x >= cw)
            continue;
        const int gx = x + GetColWidths(c);
        if (c < FFixedCols) {
            if (FOptions & goFixedVertLine)
                line(gx, 0, gx + FGridLineWidth, gridBottom, true);
        } else {
            if (FOptions & goFixedVertLine)
                line(gx, 0, gx + FGridLineWidth, fixedH, true);
            if (FOptions & goVertLine)
                line(gx, fixedH, gx + FGridLineWidth, gridBottom, false);
        }
    }
    for (int r = 0; r < GetRowCount(); ++r) {
        if (r >= FFixedRows && r < FTopRow)
            continue;
        const int y = RowY(r);
        if (y < 0 || y >= ch)
            continue;
        const int gy = y + GetRowHeights(r);
        if (r < FFixedRows) {
            if (FOptions & goFixedHorzLine)
                line(0, gy, gridRight, gy + FGridLineWidth, true);
        } else {
            if (FOptions & goFixedHorzLine)
                line(0, gy, fixedW, gy + FGridLineWidth, true);
            if (FOptions & goHorzLine)
                line(fixedW, gy, gridRight, gy + FGridLineWidth, false);
        }
    }
}

void TCustomGrid::DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State)
{
    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow, Rect, State);
}

// ---- input

unsigned TCustomGrid::GetDlgCode()
{
    unsigned code = DLGC_WANTARROWS;
    if (FOptions & goTabs)
        code |= DLGC_WANTTAB;
    if (FOptions & goEditing)
        code |= DLGC_WANTCHARS;
    return code;
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (CanFocus() && !Focused())
        SetFocus();
    if (Button == mbLeft) {
        int c, r;
        MouseToCell(X, Y, c, r);
        if (c >= FFixedCols && r >= FFixedRows) {
            if (c == FCol && r == FRow && (FOptions & goEditing) && !Shift.Contains(ssDouble))
                ShowEditor();
            else
                FocusCell(c, r);
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    const int page = std::max(GetVisibleRowCount(), 1);
    switch (Key) {
    case VK_UP: FocusCell(FCol, FRow - 1); break;
    case VK_DOWN: FocusCell(FCol, FRow + 1); break;
    case VK_LEFT:
        if (!FEditorMode) {
            if (FOptions & goRowSelect)
                SetLeftCol(FLeftCol - 1);
            else
                FocusCell(FCol - 1, FRow);
        }
        break;
    case VK_RIGHT:
        if (!FEditorMode) {
            if (FOptions & goRowSelect)
                SetLeftCol(FLeftCol + 1);
            else
                FocusCell(FCol + 1, FRow);
        }
        break;
    case VK_PRIOR:
        SetTopRow(FTopRow - page);
        FocusCell(FCol, FRow - page);
        break;
    case VK_NEXT:
        SetTopRow(FTopRow + page);
        FocusCell(FCol, FRow + page);
        break;
    case VK_HOME:
        if (Shift.Contains(ssCtrl))
            FocusCell(FCol, FFixedRows);
        else if (!FEditorMode)
            FocusCell(FFixedCols, FRow);
        break;
    case VK_END:
        if (Shift.Contains(ssCtrl))
            FocusCell(FCol, GetRowCount() - 1);
        else if (!FEditorMode)
            FocusCell(GetColCount() - 1, FRow);
        break;
    case VK_TAB:
        if (FOptions & goTabs) {
            if (Shift.Contains(ssShift))
                FocusCell(FCol - 1, FRow);
            else
                FocusCell(FCol + 1, FRow);
        }
        break;
    case VK_F2: ShowEditor(); break;
    case VK_ESCAPE:
        if (!(FOptions & goAlwaysShowEditor))
            HideEditor();
        break;
    default: break;
    }
}

void TCustomGrid::KeyPress(TKeyChar& Key)
{
    TCustomControl::KeyPress(Key);
    if (Key >= 32 && Key != 127 && (FOptions & goEditing) && !(FOptions & goRowSelect) &&
        !FEditorMode) {
        ShowEditor();
        if (FEditor && FEditorMode) {
            const QString text = QString::fromStdString(KeyCharToUtf8(Key));
            FEditor->setText(text);
            SetEditText(FCol, FRow, text.toStdString());
        }
    }
}

} // namespace cartova::host
