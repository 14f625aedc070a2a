#include "controls/LayerCtrl.h"

#include "controls/MapReference.h"
#include "map/Cartova.h"
#include "map/Layers.h"

namespace cartova {

namespace {

constexpr int kGlyphCount = 8;

/// Glyph Index from the library's resources, transparent in the colour of
/// its top-left pixel.
std::unique_ptr<TBitmap> LoadGlyph(int Index)
{
    auto Glyph = std::make_unique<TBitmap>();
    Glyph->LoadFromResource(IntToStr(Index));
    Glyph->SetTransparentColor(Glyph->GetCanvas()->GetPixels(0, 0));
    Glyph->SetTransparent(true);
    return Glyph;
}

/// A frame-control state bit when Flag holds.
unsigned If(bool Flag, unsigned Bit) { return Flag ? Bit : 0u; }

} // namespace

// --------------------------------------------------------- TLayerControlDataLink

void TLayerControlDataLink::MapEvent(TMapDataLinkEvent Event, TObject* Obj, int Param)
{
    TMapDataLink::MapEvent(Event, Obj, Param);
    TLayerControl* C = FLayerControl;
    if (!C || !GetMap())
        return;
    TMapLayers* Layers = GetMap()->GetLayers();
    switch (Event) {
    case mdlAfterAddLayer: {
        // A row at the layer's position keeps the selection on its layer.
        const int Index = Layers->IndexOf(static_cast<TMapLayer*>(Obj));
        C->GetItems()->Insert(Index >= 0 && Index <= C->Count() ? Index : C->Count(), "");
        break;
    }
    case mdlDelLayer: C->FDeletedIndex = Layers->IndexOf(static_cast<TMapLayer*>(Obj)); break;
    case mdlAfterDelLayer:
        if (C->Count() > 0) {
            const int Index = C->FDeletedIndex;
            C->GetItems()->Delete(Index >= 0 && Index < C->Count() ? Index : C->Count() - 1);
        }
        C->FDeletedIndex = -1;
        C->Invalidate();
        break;
    case mdlMoveLayer:
    case mdlExchangeLayer: C->Refresh(); break;
    case mdlLayerVisibleChanged:
    case mdlLayerSelectableChanged:
    case mdlLayerEditableChanged:
    case mdlLayerAutolabelChanged: C->RedrawItem(Layers->IndexOf(static_cast<TMapLayer*>(Obj))); break;
    default: break;
    }
}

// ------------------------------------------------------------------ TLayerControl

TLayerControl::TLayerControl(TComponent* AOwner)
    : TCustomListBox(AOwner), FDataLink(std::make_unique<TLayerControlDataLink>())
{
    FDataLink->SetLayerControl(this);
    SetStyle(lbOwnerDrawFixed);
    SetItemHeight(15);
    for (int I = 0; I < kGlyphCount; ++I)
        FIndicators[static_cast<size_t>(I)] = LoadGlyph(I);
}

TLayerControl::~TLayerControl()
{
    SetDragCursor(false);
    if (FDataLink)
        FDataLink->SetMap(nullptr);
}

void TLayerControl::SetMap(TCartova* Value)
{
    if (Value == FMap)
        return;
    detail::FollowMap(this, FMap, Value, FDataLink.get());
    FCurIndex = -1;
    FHighlighted = false;
    FillRows();
}

void TLayerControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomListBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMap) {
        // The map's link list has already let the link go.
        FMap = nullptr;
        FCurIndex = -1;
        FHighlighted = false;
        SetDragCursor(false);
        FillRows();
    }
}

void TLayerControl::SetDataLink(TLayerControlDataLink* Value)
{
    detail::ReplaceLink(FDataLink, Value, FMap,
                        [this](TLayerControlDataLink& L) { L.SetLayerControl(this); });
}

void TLayerControl::FillRows()
{
    Clear();
    for (int I = 0; I < LayerCount(); ++I)
        GetItems()->Add("");
    Invalidate();
}

int TLayerControl::LayerCount() const
{
    return FMap ? FMap->GetLayers()->Count() : 0;
}

void TLayerControl::SetGlyphs(bool Value)
{
    if (Value != FGlyphs) {
        FGlyphs = Value;
        Invalidate();
    }
}

void TLayerControl::SetDrawHorzLines(bool Value)
{
    if (Value != FDrawHorzLines) {
        FDrawHorzLines = Value;
        Invalidate();
    }
}

void TLayerControl::SetDrawVertLines(bool Value)
{
    if (Value != FDrawVertLines) {
        FDrawVertLines = Value;
        Invalidate();
    }
}

TMapLayer* TLayerControl::GetCurrentLayer() const
{
    const int Index = GetItemIndex();
    if (Index < 0 || Index >= LayerCount())
        return nullptr;
    return FMap->GetLayers()->GetLayers(Index);
}

TBitmap* TLayerControl::GetIndicators(int Index) const
{
    if (Index < 0 || Index >= kGlyphCount)
        throw EListError::OutOfBounds(Index);
    return FIndicators[static_cast<size_t>(Index)].get();
}

// ---- geometry

TRect TLayerControl::GetNameRect(const TRect& R)
{
    return Rect(R.Left + 4, R.Top, R.Right - 72, R.Bottom);
}
TRect TLayerControl::GetIndicatorRect(const TRect& R)
{
    return Rect(R.Right - 68, R.Top, R.Right, R.Bottom);
}
TRect TLayerControl::GetVisibleRect(const TRect& R)
{
    return Rect(R.Right - 70, R.Top + 1, R.Right - 56, R.Bottom - 1);
}
TRect TLayerControl::GetSelectableRect(const TRect& R)
{
    return Rect(R.Right - 52, R.Top + 1, R.Right - 38, R.Bottom - 1);
}
TRect TLayerControl::GetEditableRect(const TRect& R)
{
    return Rect(R.Right - 34, R.Top + 1, R.Right - 20, R.Bottom - 1);
}
TRect TLayerControl::GetAutolabelRect(const TRect& R)
{
    return Rect(R.Right - 16, R.Top + 1, R.Right - 2, R.Bottom - 1);
}

// ---- drawing

TOwnerDrawState TLayerControl::RowState(int Index) const
{
    TOwnerDrawState State = 0;
    if (Index < 0 || Index >= Count())
        return State;
    if (GetSelected(Index))
        State |= odSelected;
    if (Index == GetItemIndex() && Focused())
        State |= odFocused;
    if (!GetEnabled())
        State |= odDisabled;
    return State;
}

void TLayerControl::RedrawItem(int Index)
{
    if (Index < 0 || Index >= Count())
        return;
    TCanvas* Canvas = GetCanvas();
    Canvas->SetFont(GetFont());
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(GetColor());
    DrawItem(Index, ItemRect(Index), RowState(Index));
}

void TLayerControl::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State)
{
    if (!FMap || Index < 0 || Index >= LayerCount())
        return;
    const TMapLayer* Layer = FMap->GetLayers()->GetLayers(Index);
    if (Index == FCurIndex && FHighlighted)
        State |= odChecked;
    TCanvas* Canvas = GetCanvas();
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(GetColor());
    Canvas->FillRect(GetIndicatorRect(Rect));

    if (State & odSelected) {
        Canvas->GetBrush()->SetColor(clHighlight);
        Canvas->GetFont()->SetColor(clHighlightText);
    } else {
        Canvas->GetBrush()->SetColor(GetColor());
        Canvas->GetFont()->SetColor(GetFont()->GetColor());
    }
    if (State & odChecked)
        Canvas->GetBrush()->SetColor(clBtnFace);

    DrawSwitches(Canvas, Rect, Layer);
    const TRect Name = GetNameRect(Rect);
    Canvas->TextRect(Name, Name.Left + 1, Name.Top + 1, Layer->GetName());
    DrawDottedLines(Canvas, Rect);
    if (State & odFocused)
        DrawFocusRect(Canvas, Rect);
}

void TLayerControl::DrawSwitches(TCanvas* Canvas, const TRect& R, const TMapLayer* Layer)
{
    const bool Visible = Layer->GetVisible(), Selectable = Layer->GetSelectable(),
               Editable = Layer->GetEditable(), AutoLabel = Layer->GetAutoLabel();
    const TRect Rects[4] = {GetVisibleRect(R), GetSelectableRect(R), GetEditableRect(R),
                            GetAutolabelRect(R)};
    if (FGlyphs) {
        // The lit glyph of a switch is the even one, its greyed form the next.
        const int Glyphs[4] = {Visible ? 0 : 1, Selectable ? 4 : 5, Editable ? 2 : 3,
                               AutoLabel ? 6 : 7};
        for (int I = 0; I < 4; ++I)
            Canvas->Draw(Rects[I].Left, Rects[I].Top, GetIndicators(Glyphs[I]));
        return;
    }
    // Drawing a frame control leaves the canvas brush alone for the name.
    const TColor Brush = Canvas->GetBrush()->GetColor();
    constexpr unsigned Check = DFCS_BUTTONCHECK | DFCS_FLAT;
    DrawFrameControl(Canvas, Rects[0], DFC_BUTTON, Check | If(Visible, DFCS_CHECKED));
    DrawFrameControl(Canvas, Rects[1], DFC_BUTTON,
                     Check | If(Selectable, DFCS_CHECKED) | If(Editable || !Visible, DFCS_INACTIVE));
    DrawFrameControl(Canvas, Rects[2], DFC_BUTTON,
                     DFCS_BUTTONRADIO | DFCS_FLAT | If(Editable && Visible, DFCS_CHECKED) |
                         If(!Visible, DFCS_INACTIVE));
    DrawFrameControl(Canvas, Rects[3], DFC_BUTTON, Check | If(AutoLabel, DFCS_CHECKED));
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(Brush);
}

void TLayerControl::DrawDottedLines(TCanvas* Canvas, const TRect& R)
{
    const TColor Pen = Canvas->GetPen()->GetColor();
    if (FDrawHorzLines)
        for (int X = R.Left; X <= R.Right; ++X)
            if (X % 2 != 0)
                Canvas->SetPixels(X, R.Bottom - 1, Pen);
    if (FDrawVertLines)
        for (const TRect& Column :
             {GetVisibleRect(R), GetSelectableRect(R), GetEditableRect(R), GetAutolabelRect(R)})
            for (int Y = Column.Top; Y <= Column.Bottom; ++Y)
                if (Y % 2 != 0)
                    Canvas->SetPixels(Column.Left, Y, Pen);
}

// ---- input

void TLayerControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomListBox::MouseDown(Button, Shift, X, Y);
    if (!FMap)
        return;
    const TPoint P{X, Y};
    const int Row = ItemAtPos(P, true);
    if (Row < 0 || Row >= LayerCount())
        return;
    FHighlighted = false;
    TMapLayer* Layer = FMap->GetLayers()->GetLayers(Row);
    const TRect R = ItemRect(Row);
    if (PtInRect(GetVisibleRect(R), P))
        Layer->SetVisible(!Layer->GetVisible());
    else if (PtInRect(GetSelectableRect(R), P))
        Layer->SetSelectable(!Layer->GetSelectable());
    else if (PtInRect(GetEditableRect(R), P))
        Layer->SetEditable(!Layer->GetEditable());
    else if (PtInRect(GetAutolabelRect(R), P))
        Layer->SetAutoLabel(!Layer->GetAutoLabel());
    else if (PtInRect(GetNameRect(R), P))
        SetCurIndex(Row);
}

void TLayerControl::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomListBox::MouseMove(Shift, X, Y);
    if (LayerCount() == 0)
        return;
    // The list moves its current row along under the held button.
    if (Shift.Contains(ssLeft) && FCurIndex >= 0 && GetItemIndex() != FCurIndex) {
        SetDragCursor(true);
        if (!FHighlighted) {
            FHighlighted = true;
            RedrawItem(FCurIndex);
        }
    } else {
        FHighlighted = false;
        SetDragCursor(false);
    }
}

void TLayerControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomListBox::MouseUp(Button, Shift, X, Y);
    SetDragCursor(false);
    const int Source = FCurIndex, Target = GetItemIndex();
    if (FHighlighted)
        Invalidate();
    FCurIndex = -1;
    FHighlighted = false;
    const int Count = LayerCount();
    if (Source < 0 || Source >= Count || Target < 0 || Target >= Count || Target == Source)
        return;
    FMap->GetLayers()->Move(Source, Target);
    Refresh();
}

void TLayerControl::KeyDown(Word& Key, TShiftState Shift)
{
    TCustomListBox::KeyDown(Key, Shift);
    const int Index = GetItemIndex();
    if (Key == VK_DELETE && Index >= 0 && Index < LayerCount())
        FMap->GetLayers()->Delete(Index);
}

void TLayerControl::Resize()
{
    TCustomListBox::Resize();
    Invalidate();
}

void TLayerControl::SetDragCursor(bool Value)
{
    if (Value == FDragCursor)
        return;
    FDragCursor = Value;
    Screen->SetCursor(Value ? crDrag : crDefault);
}

} // namespace cartova
