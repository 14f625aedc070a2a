#include "host/Controls.h"

#include "host/ControlPeer.h"
#include "host/Exceptions.h"
#include "host/Forms.h"

#include <QCoreApplication>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace cartova::host {

// ------------------------------------------------------------------ cursors

QCursor CursorToQCursor(TCursor Cursor)
{
    switch (Cursor) {
    case crNone: return QCursor(Qt::BlankCursor);
    case crCross: return QCursor(Qt::CrossCursor);
    case crIBeam: return QCursor(Qt::IBeamCursor);
    case crSizeNESW: return QCursor(Qt::SizeBDiagCursor);
    case crSizeNS: return QCursor(Qt::SizeVerCursor);
    case crSizeNWSE: return QCursor(Qt::SizeFDiagCursor);
    case crSizeWE: return QCursor(Qt::SizeHorCursor);
    case crUpArrow: return QCursor(Qt::UpArrowCursor);
    case crHourGlass:
    case crSQLWait: return QCursor(Qt::WaitCursor);
    case crDrag: return QCursor(Qt::DragMoveCursor);
    case crNoDrop:
    case crNo: return QCursor(Qt::ForbiddenCursor);
    case crHSplit: return QCursor(Qt::SplitHCursor);
    case crVSplit: return QCursor(Qt::SplitVCursor);
    case crMultiDrag: return QCursor(Qt::DragCopyCursor);
    case crAppStart: return QCursor(Qt::BusyCursor);
    case crHelp: return QCursor(Qt::WhatsThisCursor);
    case crHandPoint: return QCursor(Qt::PointingHandCursor);
    case crSizeAll: return QCursor(Qt::SizeAllCursor);
    default: break;
    }
    if (Cursor > 0 && Screen->HasCursor(Cursor))
        return Screen->GetCursors(Cursor);
    return QCursor(Qt::ArrowCursor);
}

// ------------------------------------------------------------------ TControl

TControl::TControl(TComponent* AOwner, QWidget* Peer) : TComponent(AOwner), FPeer(Peer)
{
    FLink = detail::LinkOf(Peer);
    if (!FLink)
        throw EInvalidArgument("TControl: the peer is not a control peer");
    FLink->Control = this;
    FLeft = Peer->x();
    FTop = Peer->y();
    FWidth = Peer->width();
    FHeight = Peer->height();
    Peer->setAttribute(Qt::WA_NoMousePropagation);
    Peer->setMouseTracking(true);
    if (FLink->Client)
        FLink->Client->setMouseTracking(true);
}

TControl::~TControl()
{
    if (FParent)
        FParent->RemoveControl(this);
    FParent = nullptr;
    if (FPeer) {
        FLink->Control = nullptr;
        QWidget* peer = std::exchange(FPeer, nullptr);
        FLink = nullptr;
        delete peer;
    }
}

QWidget* TControl::GetWidget() const { return FPeer; }
bool TControl::HandleAllocated() const { return FPeer != nullptr; }
bool TControl::HasParent() const { return FPeer && FPeer->parentWidget(); }

QWidget* TControl::ClientWidget() const
{
    return FPeer && FLink ? FLink->Client : nullptr;
}

void TControl::PeerDestroyed()
{
    FPeer = nullptr;
    FLink = nullptr;
}

void TControl::SetParent(TWinControl* AParent)
{
    if (AParent == FParent && (!AParent || !FPeer || FPeer->parentWidget() == AParent->ClientWidget()))
        return;
    if (AParent == this)
        throw EInvalidOperation("A control cannot be its own parent");
    if (FParent)
        FParent->RemoveControl(this);
    FParent = AParent;
    if (AParent)
        AParent->InsertControl(this);
    if (!FPeer)
        return;
    QWidget* parentWidget = AParent ? AParent->ClientWidget() : nullptr;
    FPeer->setParent(parentWidget);
    FPeer->setGeometry(FLeft, FTop, FWidth, FHeight);
    if (parentWidget) {
        FPeer->setVisible(FVisible);
        ApplyAlign(parentWidget->width(), parentWidget->height());
    }
}

void TControl::SetParentWidget(QWidget* AParent)
{
    if (FParent)
        FParent->RemoveControl(this);
    FParent = nullptr;
    if (!FPeer)
        return;
    FPeer->setParent(AParent);
    FPeer->setGeometry(FLeft, FTop, FWidth, FHeight);
    if (AParent) {
        FPeer->setVisible(FVisible);
        ApplyAlign(AParent->width(), AParent->height());
    }
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    FLeft = ALeft;
    FTop = ATop;
    const bool sized = AWidth != FWidth || AHeight != FHeight;
    FWidth = AWidth;
    FHeight = AHeight;
    if (!FPeer)
        return;
    const QSize old = FPeer->size();
    FPeer->setGeometry(ALeft, ATop, AWidth, AHeight);
    if (!FPeer->isVisible() && (sized || old != FPeer->size())) {
        // A hidden widget gets its resize event only when shown; deliver it
        // now so that the viewport, the surface and Resize follow at once.
        QResizeEvent e(FPeer->size(), old);
        QCoreApplication::sendEvent(FPeer, &e);
    }
}

int TControl::GetClientWidth() const
{
    QWidget* c = ClientWidget();
    return c ? c->width() : FWidth;
}

int TControl::GetClientHeight() const
{
    QWidget* c = ClientWidget();
    return c ? c->height() : FHeight;
}

void TControl::SetClientWidth(int Value)
{
    SetBounds(FLeft, FTop, FWidth - GetClientWidth() + Value, FHeight);
}

void TControl::SetClientHeight(int Value)
{
    SetBounds(FLeft, FTop, FWidth, FHeight - GetClientHeight() + Value);
}

TRect TControl::GetClientRect() const
{
    return Rect(0, 0, GetClientWidth(), GetClientHeight());
}

TPoint TControl::ClientToScreen(const TPoint& P) const
{
    QWidget* c = ClientWidget();
    if (!c)
        return P;
    const QPoint g = c->mapToGlobal(QPoint(P.X, P.Y));
    return {g.x(), g.y()};
}

TPoint TControl::ScreenToClient(const TPoint& P) const
{
    QWidget* c = ClientWidget();
    if (!c)
        return P;
    const QPoint l = c->mapFromGlobal(QPoint(P.X, P.Y));
    return {l.x(), l.y()};
}

void TControl::SetAlign(TAlign Value)
{
    if (Value == FAlign)
        return;
    FAlign = Value;
    if (FPeer && FPeer->parentWidget())
        ApplyAlign(FPeer->parentWidget()->width(), FPeer->parentWidget()->height());
}

void TControl::ApplyAlign(int PW, int PH)
{
    switch (FAlign) {
    case alClient: SetBounds(0, 0, PW, PH); break;
    case alTop: SetBounds(0, 0, PW, FHeight); break;
    case alBottom: SetBounds(0, PH - FHeight, PW, FHeight); break;
    case alLeft: SetBounds(0, 0, FWidth, PH); break;
    case alRight: SetBounds(PW - FWidth, 0, FWidth, PH); break;
    case alNone:
    case alCustom: break;
    }
}

void TControl::SetVisible(bool Value)
{
    FVisible = Value;
    if (FPeer && (FPeer->parentWidget() || !Value || IsTopLevelWindow()))
        FPeer->setVisible(Value);
}

bool TControl::IsShowing() const { return FPeer && FPeer->isVisible(); }

void TControl::SetEnabled(bool Value)
{
    FEnabled = Value;
    if (FPeer)
        FPeer->setEnabled(Value);
}

void TControl::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    Invalidate();
}

void TControl::SetCursor(TCursor Value)
{
    FCursor = Value;
    QWidget* c = ClientWidget();
    if (!c)
        return;
    if (Value == crDefault)
        c->unsetCursor();
    else
        c->setCursor(CursorToQCursor(Value));
}

void TControl::SetHint(const std::string& Value)
{
    FHint = Value;
    SetShowHint(FShowHint);
}

void TControl::SetShowHint(bool Value)
{
    FShowHint = Value;
    if (FPeer)
        FPeer->setToolTip(Value ? QString::fromStdString(FHint) : QString());
}

void TControl::SetCaption(const std::string& Value) { FCaption = Value; }

void TControl::Invalidate()
{
    if (QWidget* c = ClientWidget())
        c->update();
}

void TControl::Update()
{
    if (FPeer && FPeer->isVisible())
        FPeer->repaint();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::BringToFront()
{
    if (FPeer)
        FPeer->raise();
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (!handled) {
        if (WheelDelta < 0 && OnMouseWheelDown)
            OnMouseWheelDown(this, Shift, MousePos, handled);
        else if (WheelDelta > 0 && OnMouseWheelUp)
            OnMouseWheelUp(this, Shift, MousePos, handled);
    }
    return handled;
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

// ------------------------------------------------------------------ TWinControl

TWinControl::TWinControl(TComponent* AOwner, QWidget* Peer) : TControl(AOwner, Peer)
{
    FCanvas = std::make_unique<TCanvas>();
    FFont = std::make_unique<TFont>();
    FFont->OnChange = [this](TObject*) { Invalidate(); };
    FCanvas->OnChange = [this](TObject*) { CanvasChanged(); };
    Peer->setFocusPolicy(Qt::NoFocus);
}

TWinControl::~TWinControl()
{
    if (FLink)
        FLink->Control = nullptr;  // no handler runs on a half-destroyed control
    // Children keep their windows: they leave this parent first.
    while (!FControls.empty())
        FControls.back()->SetParent(nullptr);
    if (FCanvas)
        FCanvas->SetImage(nullptr);
}

void TWinControl::PeerDestroyed()
{
    if (FCanvas)
        FCanvas->SetImage(nullptr);
    FSurface = QImage();
    for (TControl* c : FControls)
        c->FParent = nullptr;
    FControls.clear();
    if (FParent)
        FParent->RemoveControl(this);
    FParent = nullptr;
    TControl::PeerDestroyed();
}

void TWinControl::SetFont(const TFont* Value)
{
    if (Value)
        FFont->Assign(Value);
}

TControl* TWinControl::GetControls(int Index) const
{
    if (Index < 0 || Index >= ControlCount())
        throw EListError::OutOfBounds(Index);
    return FControls[static_cast<size_t>(Index)];
}

void TWinControl::InsertControl(TControl* AControl)
{
    if (std::find(FControls.begin(), FControls.end(), AControl) == FControls.end())
        FControls.push_back(AControl);
}

void TWinControl::RemoveControl(TControl* AControl)
{
    FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
}

void TWinControl::SetFocus()
{
    if (!FPeer)
        return;
    if (QWidget* win = FPeer->window(); win && win->isVisible())
        win->activateWindow();
    FPeer->setFocus(Qt::OtherFocusReason);
}

bool TWinControl::Focused() const { return FPeer && FPeer->hasFocus(); }

bool TWinControl::CanFocus() const
{
    return FPeer && FPeer->isVisible() && FPeer->isEnabled();
}

void TWinControl::SetTabStop(bool Value)
{
    FTabStop = Value;
    if (!FPeer)
        return;
    if (FLink && FLink->NativeInput)
        FPeer->setFocusPolicy(Value ? Qt::StrongFocus : Qt::ClickFocus);
    else
        FPeer->setFocusPolicy(Value ? Qt::TabFocus : Qt::NoFocus);
}

void TWinControl::EnsureSurface()
{
    QWidget* c = ClientWidget();
    const QSize size = c ? c->size() : QSize();
    if (!c || size.isEmpty()) {
        FCanvas->SetImage(nullptr);
        FSurface = QImage();
        FNeedsPaint = true;
        return;
    }
    if (FSurface.size() == size)
        return;
    FCanvas->Flush();
    QImage next(size, QImage::Format_RGB32);
    next.fill(ColorToQColor(GetColor()));
    if (!FSurface.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, FSurface);
    }
    FSurface = std::move(next);
    FCanvas->SetImage(&FSurface);
    FNeedsPaint = true;
}

TCanvas* TWinControl::GetCanvas()
{
    if (FPeer && !FInPaint)
        EnsureSurface();
    return FCanvas.get();
}

void TWinControl::CanvasChanged()
{
    // Drawing outside a paint request: show the new pixels without a Paint.
    if (!FInPaint)
        if (QWidget* c = ClientWidget())
            c->update();
}

QImage TWinControl::GetSurfaceImage()
{
    if (!FPeer)
        return QImage();
    EnsureSurface();
    FCanvas->Flush();
    return FSurface.copy();
}

TColor TWinControl::GetSurfacePixel(int X, int Y)
{
    if (!FPeer)
        return -1;
    EnsureSurface();
    FCanvas->Flush();
    if (!FSurface.valid(X, Y))
        return -1;
    return QColorToColor(QColor(FSurface.pixel(X, Y)));
}

bool TWinControl::EraseBackground()
{
    TCanvas* c = FCanvas.get();
    c->GetBrush()->SetColor(GetColor());
    c->GetBrush()->SetStyle(bsSolid);
    c->FillRect(GetClientRect());
    return true;
}

void TWinControl::PaintSurface()
{
    EnsureSurface();
    FNeedsPaint = false;
    if (FSurface.isNull())
        return;
    FInPaint = true;
    struct Reset {
        TWinControl* W;
        ~Reset() { W->FInPaint = false; if (W->FCanvas) W->FCanvas->Flush(); }
    } reset{this};
    FCanvas->ResetClip();
    FCanvas->SetFont(FFont.get());
    EraseBackground();
    PaintWindow();
}

void TWinControl::Invalidate()
{
    FNeedsPaint = true;
    TControl::Invalidate();
}

void TWinControl::Update()
{
    if (!FPeer)
        return;
    if (IsCustomPainted()) {
        if (FNeedsPaint || FSurface.size() != (ClientWidget() ? ClientWidget()->size() : QSize()))
            PaintSurface();
        if (QWidget* c = ClientWidget(); c && c->isVisible()) {
            FSurfaceFresh = true;
            c->repaint();
            FSurfaceFresh = false;
        }
    } else {
        TControl::Update();
    }
}

void TWinControl::Repaint()
{
    FNeedsPaint = true;
    Update();
}

void TWinControl::Resize()
{
    for (TControl* c : std::vector<TControl*>(FControls))
        if (c->GetAlign() != alNone)
            c->ApplyAlign(GetClientWidth(), GetClientHeight());
    TControl::Resize();
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(TKeyChar& Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

unsigned TWinControl::GetDlgCode() { return 0; }

// ------------------------------------------------------------------ TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner)
    : TCustomControl(AOwner, new detail::TPeer<QWidget>())
{
}

TCustomControl::TCustomControl(TComponent* AOwner, QWidget* Peer) : TWinControl(AOwner, Peer)
{
    Peer->setAttribute(Qt::WA_OpaquePaintEvent);
    Peer->setAttribute(Qt::WA_NoSystemBackground);
    SetBounds(0, 0, 185, 41);
}

void TCustomControl::Paint()
{
    if (OnPaint)
        OnPaint(this);
}

} // namespace cartova::host
