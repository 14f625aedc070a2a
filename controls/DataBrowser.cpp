#include "controls/DataBrowser.h"

#include "controls/MapReference.h"
#include "formats/DataFields.h"
#include "map/Cartova.h"
#include "map/Layers.h"
#include "map/Selection.h"
#include "map/UpdateGuard.h"
#include "objects/CustomMapObject.h"

#include <algorithm>

namespace cartova {

namespace {

bool IsNumeric(TDataType Type)
{
    return Type == dtFloat || Type == dtDecimal || Type == dtInteger || Type == dtSmallInt;
}

/// Stores Text in Field converted by the field's type; dtBoolean stores nothing.
void StoreText(TDataField* Field, const std::string& Text)
{
    switch (Field->GetDataType()) {
    case dtString: Field->SetAsString(Text); break;
    case dtInteger:
    case dtSmallInt: Field->SetAsInteger(StrToInt(Text)); break;
    case dtDateTime: Field->SetAsDateTime(StrToDateTime(Text)); break;
    case dtDate: Field->SetAsDate(StrToDate(Text)); break;
    case dtTime: Field->SetAsTime(StrToTime(Text)); break;
    case dtFloat:
    case dtDecimal: Field->SetAsFloat(StrToFloat(Text)); break;
    case dtBoolean: break;
    }
}

} // namespace

// ---------------------------------------------------------- TDataBrowserDataLink

void TDataBrowserDataLink::MapEvent(TMapDataLinkEvent Event, TObject* Obj, int Param)
{
    TMapDataLink::MapEvent(Event, Obj, Param);
    TDataBrowser* B = FDataBrowser;
    if (!B || !B->FLayer)
        return;
    switch (Event) {
    case mdlDelLayer:
        // The link stays with the map: leaving its list while it is telling
        // the links would be unsafe.
        if (Obj == B->FLayer)
            B->ForgetLayer();
        break;
    case mdlLayerEditableChanged:
        if (Obj == B->FLayer)
            B->SetEditMode(B->FLayer->GetEditable());
        break;
    case mdlAddObject:
        if (Obj == B->FLayer)
            B->SyncSize();
        break;
    case mdlRemoveObject: {
        // A layer destroying all its objects has already let each one go.
        const TLayerView* Layer = static_cast<TCustomMapObject*>(Obj)->GetLayer();
        if (Layer == B->FLayer)
            B->SyncSize(static_cast<TCustomMapObject*>(Obj));
        else if (!Layer)
            B->SyncSize();
        break;
    }
    case mdlAddSelection:
    case mdlDelSelection:
        if (static_cast<TCustomMapObject*>(Obj)->GetLayer() == B->FLayer)
            B->Invalidate();
        break;
    default: break;
    }
}

// ------------------------------------------------------------------ TDataBrowser

TDataBrowser::TDataBrowser(TComponent* AOwner)
    : TCustomGrid(AOwner), FDataLink(std::make_unique<TDataBrowserDataLink>())
{
    FDataLink->SetDataBrowser(this);
    SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing | goRowSelect);
    SetDefaultRowHeight(16);
    SetDefaultColWidth(100);
    SetColCount(2);
    SetRowCount(2);
    SetFixedCols(1);
    SetFixedRows(1);
}

TDataBrowser::~TDataBrowser()
{
    if (FDataLink)
        FDataLink->SetMap(nullptr);
}

void TDataBrowser::SetDataLink(TDataBrowserDataLink* Value)
{
    detail::ReplaceLink(FDataLink, Value, FWatchedMap,
                        [this](TDataBrowserDataLink& L) { L.SetDataBrowser(this); });
}

void TDataBrowser::SetAlwaysShowEditor(bool Value)
{
    SetOptions(Value ? GetOptions() | goAlwaysShowEditor : GetOptions() & ~goAlwaysShowEditor);
}

TCartova* TDataBrowser::LayerMap() const
{
    return FLayer ? FLayer->GetMap() : nullptr;
}

int TDataBrowser::FieldCount() const
{
    return FLayer ? FLayer->GetFields()->Count() : 0;
}

TCustomMapObject* TDataBrowser::RowObject(int ARow) const
{
    if (!FLayer || ARow < 1 || ARow > FLayer->GetObjectCount())
        return nullptr;
    return FLayer->GetObjects(ARow - 1);
}

TDataField* TDataBrowser::CellField(int ACol, int ARow) const
{
    const TCustomMapObject* O = RowObject(ARow);
    if (!O || ACol < 1 || ACol > O->GetFields()->Count())
        return nullptr;
    return O->GetFields()->GetFields(ACol - 1);
}

void TDataBrowser::SetLayer(TMapLayer* Value)
{
    if (Value == FLayer)
        return;
    HideEditor();
    FLayer = Value;
    // The link follows every layer shown, so that a deleted layer is forgotten.
    detail::FollowMap(this, FWatchedMap, LayerMap(), FDataLink.get());
    SyncSize();
    if (FieldCount() > 0) {
        SetTopRow(1);
        SetLeftCol(1);
        SetCol(1);
        SetRow(1);
        GetCanvas()->SetFont(GetFont());
        SetColWidths(0, GetCanvas()->TextWidth(Format(" %D ", FLayer->GetObjectCount())));
    }
    SetEditMode(FLayer && FLayer->GetEditable());
    Invalidate();
}

void TDataBrowser::ForgetLayer()
{
    HideEditor();
    FLayer = nullptr;
    SetEditMode(false);
    SyncSize();
    Invalidate();
}

void TDataBrowser::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomGrid::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FWatchedMap) {
        // The map's layers are gone and its link list has let the link go.
        FWatchedMap = nullptr;
        ForgetLayer();
    }
}

void TDataBrowser::SyncSize(const TCustomMapObject* Removing)
{
    const int Fields = FieldCount();
    if (Fields == 0) {
        SetColCount(2);
        SetRowCount(2);
    } else {
        int Objects = FLayer->GetObjectCount();
        if (Removing && FLayer->IndexOfObject(Removing) >= 0)
            --Objects;
        SetColCount(Fields + 1);
        SetRowCount(std::max(2, Objects + 1));
    }
    if (GetEditorMode())
        ShowEditor();  // the current cell may show another object now
    Invalidate();
}

void TDataBrowser::SetEditMode(bool Editing)
{
    if (Editing && FieldCount() > 0) {
        SetOptions((GetOptions() & ~goRowSelect) | goEditing);
        SetCol(1);
        Invalidate();
        ShowEditor();
    } else {
        HideEditor();
        SetOptions((GetOptions() & ~goEditing) | goRowSelect);
    }
}

// ---- drawing

void TDataBrowser::DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State)
{
    TCanvas* Canvas = GetCanvas();
    if (FieldCount() == 0 || FLayer->GetObjectCount() == 0 || (ACol == 0 && ARow == 0)) {
        Canvas->FillRect(Rect);
        return;
    }
    std::string Text;
    int X = Rect.Left + 1;
    if (ACol == 0) {
        const TCustomMapObject* O = RowObject(ARow);
        if (!O) {
            Canvas->FillRect(Rect);
            return;
        }
        TFont* Font = Canvas->GetFont();
        Font->SetStyle(O->GetSelected() ? Font->GetStyle() | fsBold : Font->GetStyle() & ~fsBold);
        Text = IntToStr(ARow);
    } else if (ARow == 0) {
        if (ACol <= FieldCount())
            Text = FLayer->GetFields()->GetFields(ACol - 1)->GetName();
    } else if (const TCustomMapObject* O = RowObject(ARow); O && ACol <= O->GetFields()->Count()) {
        // Read without making the record's field items: drawing keeps records compact.
        const TDataFields* Record = O->GetFields();
        try {
            Text = Record->GetAsString(ACol - 1);
        } catch (const std::exception&) {
            Text.clear();  // a value its type cannot show
        }
        if (IsNumeric(Record->GetColumn(ACol - 1).DataType))
            X = Rect.Right - Canvas->TextWidth(Text) - 1;
    }
    Canvas->TextRect(Rect, X, Rect.Top + 1, Text);
}

void TDataBrowser::DrawRow(int Row)
{
    if (Row < 0 || Row >= GetRowCount())
        return;
    TCanvas* Canvas = GetCanvas();
    const bool Highlight = (GetOptions() & goRowSelect) && Row == GetRow() && Row >= GetFixedRows();
    auto Draw = [&](int Col, TColor Brush) {
        const TRect R = CellRect(Col, Row);
        if (IsRectEmpty(R))
            return false;
        const bool Fixed = Col < GetFixedCols() || Row < GetFixedRows();
        Canvas->SetFont(GetFont());
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->GetBrush()->SetColor(Brush);
        TGridDrawState State = Fixed ? TGridDrawState(gdFixed) : 0u;
        if (Highlight && !Fixed) {
            State |= gdSelected;
            Canvas->GetBrush()->SetColor(clHighlight);
            Canvas->GetFont()->SetColor(clHighlightText);
        }
        Canvas->FillRect(R);
        DrawCell(Col, Row, R, State);
        return true;
    };
    Draw(0, GetFixedColor());
    for (int Col = GetLeftCol(); Col < GetColCount() && Draw(Col, GetColor()); ++Col) {
    }
}

// ---- editing

std::string TDataBrowser::GetEditText(int ACol, int ARow)
{
    const TCustomMapObject* O = RowObject(ARow);
    if (!O || ACol < 1 || ACol > O->GetFields()->Count())
        return {};
    try {
        return O->GetFields()->GetAsString(ACol - 1);
    } catch (const std::exception&) {
        return {};
    }
}

void TDataBrowser::SetEditText(int ACol, int ARow, const std::string& Value)
{
    TDataField* Field = CellField(ACol, ARow);
    if (!Field)
        return;
    try {
        StoreText(Field, Value);
    } catch (const std::exception&) {
        // Text that does not convert leaves the attribute as it was.
    }
}

bool TDataBrowser::SelectCell(int, int)
{
    return true;
}

// ---- input

void TDataBrowser::KeyDown(Word& Key, TShiftState Shift)
{
    TCustomGrid::KeyDown(Key, Shift);
    if (Key == VK_RETURN)
        SelectCurrentObject(Shift.Contains(ssCtrl));
}

void TDataBrowser::DblClick()
{
    TCustomGrid::DblClick();
    SelectCurrentObject(false);
}

void TDataBrowser::SelectCurrentObject(bool Zoom)
{
    TCustomMapObject* O = FieldCount() > 0 ? RowObject(GetRow()) : nullptr;
    TCartova* Map = LayerMap();
    if (!O || !Map)
        return;
    O->Select();
    if (Zoom) {
        Map->GetSelection()->Zoom();
        return;
    }
    const TBounds B = O->GetBounds();
    if (B.MinX > B.MaxX || B.MinY > B.MaxY)
        return;  // an object without geometry has no place to show
    const TBounds V = Map->GetViewBounds();
    if (B.MinX >= V.MinX && B.MaxX <= V.MaxX && B.MinY >= V.MinY && B.MaxY <= V.MaxY)
        return;
    TMapUpdateGuard Update(Map);
    Map->SetCenterX(B.MinX + (B.MaxX - B.MinX) / 2);
    Map->SetCenterY(B.MinY + (B.MaxY - B.MinY) / 2);
}

} // namespace cartova
