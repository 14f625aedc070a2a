#pragma once
// The control classes over Qt: TControl → TWinControl → TCustomControl. Each
// control owns a Qt peer widget, created with the control and destroyed with
// it; when Qt destroys the peer first (its parent widget was deleted) the
// control has no window from then on and every operation on the window does
// nothing.
//
// Window surface: a windowed control draws on a persistent image of its
// client size. A paint request (Invalidate, resizing, first show) calls
// EraseBackground and then the control's paint handler on that image, and
// the image is copied to the screen; drawing on Canvas outside a paint
// request lands on the image and schedules a copy to the screen (not a new
// Paint), so direct drawing and exclusive-or markers behave as on a classic
// window canvas. Update/Repaint/Refresh paint synchronously, without an
// event loop.
//
// Input is translated once in the peer (see Input.h for the vocabulary):
//   * Qt's left/right/middle buttons → mbLeft/mbRight/mbMiddle; other buttons
//     are ignored. Shift state: Shift/Ctrl/Alt modifiers → ssShift/ssCtrl/ssAlt,
//     buttons held at the time of the event → ssLeft/ssRight/ssMiddle (so a
//     release no longer holds its own button).
//   * A click is press → MouseDown, release → Click (left button, released
//     inside the client area) → MouseUp. A left double-click is press,
//     release, DblClick, MouseDown with ssDouble, release; a right or middle
//     double press gives MouseDown with ssDouble without DblClick.
//   * Wheel: WheelDelta is Qt's vertical angle delta (120 per notch, positive
//     away from the user); MousePos is the cursor in client coordinates.
//   * Keys: KeyDown/KeyUp receive virtual-key codes (Qt::Key_A.. → 'A'..,
//     digits → '0'.., keypad digits → VK_NUMPAD0.., keypad + - * / . →
//     VK_ADD/VK_SUBTRACT/VK_MULTIPLY/VK_DIVIDE/VK_DECIMAL, shifted US symbols
//     → their unshifted key's code, F1..F24 → 112..135); after KeyDown each
//     typed character goes to KeyPress as a Unicode code point (Backspace 8,
//     Tab 9, Return/Enter 13, Escape 27; Delete types nothing).
//   * Tab, Backtab and the arrows reach KeyDown only when GetDlgCode asks for
//     them (DLGC_WANTTAB / DLGC_WANTARROWS / DLGC_WANTALLKEYS); otherwise
//     they move the focus among the peer's siblings as in a dialog.
// No exception leaves a peer's event handler: each is handed to
// Application->HandleException.
//
// Cursors (TCursor → Qt::CursorShape): crDefault 0 → the parent's cursor
// (unset), crNone -1 → BlankCursor, crArrow -2 → ArrowCursor, crCross -3 →
// CrossCursor, crIBeam -4 → IBeamCursor, crSizeNESW -6 → SizeBDiagCursor,
// crSizeNS -7 → SizeVerCursor, crSizeNWSE -8 → SizeFDiagCursor, crSizeWE -9 →
// SizeHorCursor, crUpArrow -10 → UpArrowCursor, crHourGlass -11 and crSQLWait
// -17 → WaitCursor, crDrag -12 → DragMoveCursor, crNoDrop -13 and crNo -18 →
// ForbiddenCursor, crHSplit -14 → SplitHCursor, crVSplit -15 → SplitVCursor,
// crMultiDrag -16 → DragCopyCursor, crAppStart -19 → BusyCursor, crHelp -20 →
// WhatsThisCursor, crHandPoint -21 → PointingHandCursor, crSizeAll -22 →
// SizeAllCursor; positive identifiers are the cursors registered with
// Screen->SetCursors (unknown ones give the arrow).

#include "host/Canvas.h"
#include "host/Classes.h"
#include "host/Graphics.h"
#include "host/Input.h"
#include "host/Types.h"

#include <QCursor>
#include <QImage>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace cartova::host {

namespace detail {
class TPeerDispatch;
struct TPeerLink;
} // namespace detail

class TWinControl;

/// How a control places itself in its parent's client area when the parent
/// is resized (siblings do not stack: each is placed against the whole area).
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

/// The Qt cursor a cursor identifier stands for (see the table above).
QCursor CursorToQCursor(TCursor Cursor);

/// Base of every control: a Qt peer widget, bounds, visibility, colour,
/// cursor, hint and the mouse handlers with their events.
class TControl : public TComponent {
public:
    ~TControl() override;

    // ---- window
    /// The peer widget, or nullptr when Qt destroyed it.
    QWidget* GetWidget() const;
    /// True while the peer widget exists.
    bool HandleAllocated() const;
    /// True when the peer exists and has a parent widget.
    bool HasParent() const;
    /// The parent control set with SetParent (nullptr for a foreign parent).
    TWinControl* GetParent() const { return FParent; }
    /// Places the peer inside AParent's client area (nullptr: no parent).
    virtual void SetParent(TWinControl* AParent);
    /// Places the peer inside any Qt widget, for embedding in Qt programs.
    void SetParentWidget(QWidget* AParent);

    // ---- bounds, in the parent's client coordinates
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    int GetLeft() const { return FLeft; }
    int GetTop() const { return FTop; }
    int GetWidth() const { return FWidth; }
    int GetHeight() const { return FHeight; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    TRect GetBoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    /// Size of the area the control draws in (inside frames and scroll bars).
    int GetClientWidth() const;
    int GetClientHeight() const;
    void SetClientWidth(int Value);
    void SetClientHeight(int Value);
    /// (0, 0, ClientWidth, ClientHeight).
    TRect GetClientRect() const;
    /// Converts between client and screen (global) coordinates.
    TPoint ClientToScreen(const TPoint& P) const;
    TPoint ScreenToClient(const TPoint& P) const;
    TAlign GetAlign() const { return FAlign; }
    void SetAlign(TAlign Value);

    // ---- appearance and state
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    /// True when the control and all its parents are shown.
    bool IsShowing() const;
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    TColor GetColor() const { return FColor; }
    virtual void SetColor(TColor Value);
    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    const std::string& GetHint() const { return FHint; }
    void SetHint(const std::string& Value);
    bool GetShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    const std::string& GetCaption() const { return FCaption; }
    virtual void SetCaption(const std::string& Value);
    std::string GetText() const { return FCaption; }
    void SetText(const std::string& Value) { SetCaption(Value); }

    // ---- painting
    /// Schedules a paint request for the whole client area.
    virtual void Invalidate();
    /// Runs a pending paint request now (synchronously).
    virtual void Update();
    /// Invalidate followed by Update.
    virtual void Repaint();
    void Refresh() { Repaint(); }
    /// Brings the peer to the front of its siblings.
    void BringToFront();

    // ---- published events
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TNotifyEvent OnResize;

protected:
    /// Adopts Peer (which must be a detail peer widget) as the control's window.
    TControl(TComponent* AOwner, QWidget* Peer);

    /// Mouse handlers called by the peer; the defaults raise the events.
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void Click();
    virtual void DblClick();
    /// The wheel turned by WheelDelta (120ths of a notch) with the cursor at
    /// MousePos (client coordinates). The default raises OnMouseWheel, then
    /// OnMouseWheelDown/OnMouseWheelUp when not handled; returns whether the
    /// wheel was handled (an unhandled wheel goes on to Qt, e.g. to scroll).
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    /// Called after the size changed; the default raises OnResize.
    virtual void Resize();
    /// Called when the peer goes away (Qt destroyed it, or the control ends).
    virtual void PeerDestroyed();

    /// The widget that receives input and paints (the peer or its viewport).
    QWidget* ClientWidget() const;
    /// True for a top-level window (a form), which shows without a parent.
    virtual bool IsTopLevelWindow() const { return false; }
    /// Places the control against its parent's client size per Align.
    void ApplyAlign(int ParentWidth, int ParentHeight);

private:
    friend class detail::TPeerDispatch;
    friend class TWinControl;

    detail::TPeerLink* FLink = nullptr;
    QWidget* FPeer = nullptr;
    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clBtnFace;
    TCursor FCursor = crDefault;
    std::string FHint;
    bool FShowHint = false;
    std::string FCaption;
};

/// A control with a window that takes the keyboard focus, holds child
/// controls and draws on its window surface through Canvas.
class TWinControl : public TControl {
public:
    ~TWinControl() override;

    // ---- focus
    /// Gives the control the keyboard focus (and activates its window).
    void SetFocus();
    bool Focused() const;
    /// True when the control is shown, enabled and has a window.
    bool CanFocus() const;
    bool GetTabStop() const { return FTabStop; }
    void SetTabStop(bool Value);

    // ---- children
    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* GetControls(int Index) const;

    // ---- surface
    /// The canvas of the window surface (client size). Drawing on it outside
    /// a paint request schedules a screen update; without a window it draws
    /// nothing.
    TCanvas* GetCanvas();
    /// A copy of the window surface's pixels (drawing finished first); a null
    /// image without a window.
    QImage GetSurfaceImage();
    /// The surface pixel at client (X, Y) as TColor; -1 outside or without a window.
    TColor GetSurfacePixel(int X, int Y);

    /// The control's font, copied into Canvas before each paint request.
    TFont* GetFont() const { return FFont.get(); }
    void SetFont(const TFont* Value);

    void Invalidate() override;
    void Update() override;
    void Repaint() override;

    // ---- published events
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    TWinControl(TComponent* AOwner, QWidget* Peer);

    /// Key handlers called by the peer; the defaults raise the events.
    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    virtual void KeyPress(TKeyChar& Key);
    /// Focus arrived or left; the defaults raise OnEnter / OnExit.
    virtual void DoEnter();
    virtual void DoExit();
    /// Which keys the control wants instead of focus navigation: a
    /// combination of DLGC_WANTARROWS, DLGC_WANTTAB, DLGC_WANTCHARS and
    /// DLGC_WANTALLKEYS. The default wants none.
    virtual unsigned GetDlgCode();
    /// Called at each paint request before painting: the default fills the
    /// surface with Color and returns true. A control that covers every
    /// pixel itself returns true without erasing (the surface keeps its old
    /// pixels until painted over).
    virtual bool EraseBackground();
    /// True when the control paints its client area itself on the surface;
    /// false leaves painting to the Qt widget (plain list and combo boxes).
    virtual bool IsCustomPainted() const { return false; }
    /// Paints the client area on the surface; Canvas is ready.
    virtual void PaintWindow() {}
    /// True when every paint request repaints (controls whose Qt base class
    /// changes what is shown by itself, such as list boxes and grids); false
    /// when only Invalidate does and other requests copy the surface.
    virtual bool PaintsOnEveryRequest() const { return false; }
    /// True while a paint request is running.
    bool InPaint() const { return FInPaint; }
    /// Called when the client area changed size (after the surface followed).
    void Resize() override;
    void PeerDestroyed() override;

private:
    friend class detail::TPeerDispatch;
    friend class TControl;

    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    void EnsureSurface();
    void PaintSurface();
    void CanvasChanged();

    std::vector<TControl*> FControls;
    QImage FSurface;
    std::unique_ptr<TCanvas> FCanvas;
    std::unique_ptr<TFont> FFont;
    bool FNeedsPaint = true;
    bool FInPaint = false;
    bool FSurfaceFresh = false;  // painted by Update: the next paint event only copies
    bool FTabStop = false;
};

/// A windowed control that paints itself: the base of the map control.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner = nullptr);

    /// Raised by the default Paint.
    TNotifyEvent OnPaint;

protected:
    /// Constructor for subclasses that bring their own peer.
    TCustomControl(TComponent* AOwner, QWidget* Peer);

    /// Paints the client area on Canvas; the default raises OnPaint.
    virtual void Paint();
    bool IsCustomPainted() const override { return true; }
    void PaintWindow() override { Paint(); }
};

} // namespace cartova::host

namespace cartova {
using host::TAlign;
using host::alNone;
using host::alTop;
using host::alBottom;
using host::alLeft;
using host::alRight;
using host::alClient;
using host::alCustom;
using host::CursorToQCursor;
using host::TControl;
using host::TWinControl;
using host::TCustomControl;
} // namespace cartova
