// The translation of Qt input, focus, geometry and paint events into the
// controls' handlers (TPeerDispatch), shared by every peer widget type.
#include "host/ControlPeer.h"

#include "host/Forms.h"

#include <QGuiApplication>
#include <QPainter>
#include <QString>
#include <QStyleHints>

#include <algorithm>
#include <utility>

namespace cartova::host {

std::string KeyCharToUtf8(TKeyChar Key)
{
    if (Key == 0 || Key > 0x10FFFF || (Key >= 0xD800 && Key <= 0xDFFF))
        return {};
    const char32_t c[1] = {Key};
    return QString::fromUcs4(c, 1).toStdString();
}

namespace detail {

TPeerLink* LinkOf(QWidget* Peer)
{
    auto* holder = dynamic_cast<TPeerLinkHolder*>(Peer);
    return holder ? &holder->FLink : nullptr;
}

namespace {

TWinControl* WinOf(TPeerLink& L)
{
    return static_cast<TWinControl*>(L.Control);
}

bool MapButton(Qt::MouseButton B, TMouseButton& Out)
{
    switch (B) {
    case Qt::LeftButton: Out = mbLeft; return true;
    case Qt::RightButton: Out = mbRight; return true;
    case Qt::MiddleButton: Out = mbMiddle; return true;
    default: return false;
    }
}

// Runs F and keeps any exception out of Qt's event loop.
template <class F>
void Guarded(F&& Fn) noexcept
{
    try {
        Fn();
    } catch (...) {
        TPeerDispatch::HandleException();
    }
}

} // namespace

void TPeerDispatch::HandleException() noexcept
{
    Application->HandleException(std::current_exception());
}

TShiftState TPeerDispatch::ShiftOf(Qt::KeyboardModifiers Mods, Qt::MouseButtons Buttons)
{
    unsigned bits = 0;
    if (Mods & Qt::ShiftModifier) bits |= ssShift;
    if (Mods & Qt::ControlModifier) bits |= ssCtrl;
    if (Mods & Qt::AltModifier) bits |= ssAlt;
    if (Buttons & Qt::LeftButton) bits |= ssLeft;
    if (Buttons & Qt::RightButton) bits |= ssRight;
    if (Buttons & Qt::MiddleButton) bits |= ssMiddle;
    return TShiftState::FromBits(bits);
}

Word TPeerDispatch::VirtualKeyOf(int K, Qt::KeyboardModifiers Mods)
{
    const bool keypad = (Mods & Qt::KeypadModifier) != 0;
    if (keypad) {
        if (K >= Qt::Key_0 && K <= Qt::Key_9)
            return static_cast<Word>(VK_NUMPAD0 + (K - Qt::Key_0));
        switch (K) {
        case Qt::Key_Asterisk: return VK_MULTIPLY;
        case Qt::Key_Plus: return VK_ADD;
        case Qt::Key_Minus: return VK_SUBTRACT;
        case Qt::Key_Period:
        case Qt::Key_Comma: return VK_DECIMAL;
        case Qt::Key_Slash: return VK_DIVIDE;
        case Qt::Key_Enter: return VK_RETURN;
        default: break;
        }
    }
    if (K >= Qt::Key_A && K <= Qt::Key_Z)
        return static_cast<Word>('A' + (K - Qt::Key_A));
    if (K >= Qt::Key_0 && K <= Qt::Key_9)
        return static_cast<Word>('0' + (K - Qt::Key_0));
    if (K >= Qt::Key_F1 && K <= Qt::Key_F24)
        return static_cast<Word>(VK_F1 + (K - Qt::Key_F1));
    switch (K) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Clear: return VK_CLEAR;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Select: return VK_SELECT;
    case Qt::Key_Printer: return VK_PRINT;
    case Qt::Key_Execute: return VK_EXECUTE;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Help: return VK_HELP;
    case Qt::Key_Meta: return VK_LWIN;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    // shifted digits of the US layout report their key's code
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return VK_OEM_1;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return VK_OEM_PLUS;
    case Qt::Key_Comma:
    case Qt::Key_Less: return VK_OEM_COMMA;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return VK_OEM_MINUS;
    case Qt::Key_Period:
    case Qt::Key_Greater: return VK_OEM_PERIOD;
    case Qt::Key_Slash:
    case Qt::Key_Question: return VK_OEM_2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return VK_OEM_7;
    default: return 0;
    }
}

void TPeerDispatch::MousePress(TPeerLink& L, QMouseEvent* E)
{
    TMouseButton button;
    if (!L.Control || !MapButton(E->button(), button))
        return;
    const QPoint pos = E->position().toPoint();
    // Qt delivers the second press of a double-click before its double-click
    // event; recognise it here, by Qt's own rule, so that DblClick precedes
    // the press that carries ssDouble.
    const QStyleHints* hints = QGuiApplication::styleHints();
    const bool isDouble = L.LastPressButton == E->button() &&
                          E->timestamp() - L.LastPressTime <
                              static_cast<quint64>(hints->mouseDoubleClickInterval()) &&
                          (pos - L.LastPressPos).manhattanLength() <=
                              std::max(hints->mouseDoubleClickDistance(), 1) * 2;
    if (isDouble) {
        L.LastPressButton = Qt::NoButton;
        L.DoubleDelivered = true;
        MouseDoubleClick(L, E);
        return;
    }
    L.LastPressButton = E->button();
    L.LastPressTime = E->timestamp();
    L.LastPressPos = pos;
    L.DoubleDelivered = false;
    if (button == mbLeft)
        L.LeftClicked = true;
    TShiftState shift = ShiftOf(E->modifiers(), E->buttons());
    Guarded([&] { L.Control->MouseDown(button, shift, pos.x(), pos.y()); });
}

void TPeerDispatch::MouseDoubleClick(TPeerLink& L, QMouseEvent* E)
{
    TMouseButton button;
    if (!L.Control || !MapButton(E->button(), button))
        return;
    if (E->type() == QEvent::MouseButtonDblClick && L.DoubleDelivered) {
        // Already handled on the press that preceded this event.
        L.DoubleDelivered = false;
        return;
    }
    L.LastPressButton = Qt::NoButton;
    L.LeftClicked = false;
    const QPoint pos = E->position().toPoint();
    TShiftState shift = ShiftOf(E->modifiers(), E->buttons() | E->button()) | ssDouble;
    TControl* control = L.Control;
    if (button == mbLeft)
        Guarded([&] { control->DblClick(); });
    if (L.Control)
        Guarded([&] { control->MouseDown(button, shift, pos.x(), pos.y()); });
}

void TPeerDispatch::MouseRelease(TPeerLink& L, QMouseEvent* E)
{
    TMouseButton button;
    L.DoubleDelivered = false;
    if (!L.Control || !MapButton(E->button(), button))
        return;
    const QPoint pos = E->position().toPoint();
    const TShiftState shift = ShiftOf(E->modifiers(), E->buttons());
    TControl* control = L.Control;
    if (button == mbLeft && L.LeftClicked) {
        L.LeftClicked = false;
        if (L.Client && L.Client->rect().contains(pos))
            Guarded([&] { control->Click(); });
    }
    if (L.Control)
        Guarded([&] { control->MouseUp(button, shift, pos.x(), pos.y()); });
}

void TPeerDispatch::MouseMove(TPeerLink& L, QMouseEvent* E)
{
    if (!L.Control)
        return;
    const QPoint pos = E->position().toPoint();
    const TShiftState shift = ShiftOf(E->modifiers(), E->buttons());
    Guarded([&] { L.Control->MouseMove(shift, pos.x(), pos.y()); });
}

bool TPeerDispatch::Wheel(TPeerLink& L, QWheelEvent* E)
{
    if (!L.Control || E->angleDelta().y() == 0)
        return false;
    const QPoint pos = E->position().toPoint();
    const TShiftState shift = ShiftOf(E->modifiers(), E->buttons());
    bool handled = false;
    Guarded([&] { handled = L.Control->DoMouseWheel(shift, E->angleDelta().y(), {pos.x(), pos.y()}); });
    return handled;
}

Word TPeerDispatch::KeyDown(TPeerLink& L, QKeyEvent* E)
{
    Word key = VirtualKeyOf(E->key(), E->modifiers());
    if (!L.Control || key == 0)
        return key;
    const TShiftState shift = ShiftOf(E->modifiers(), Qt::NoButton);
    Guarded([&] { WinOf(L)->KeyDown(key, shift); });
    return key;
}

void TPeerDispatch::KeyChars(TPeerLink& L, QKeyEvent* E)
{
    if (!L.Control)
        return;
    std::vector<char32_t> chars;
    switch (E->key()) {
    case Qt::Key_Backspace: chars = {8}; break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: chars = {9}; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: chars = {13}; break;
    case Qt::Key_Escape: chars = {27}; break;
    case Qt::Key_Delete: break;  // the Delete key types no character
    default: {
        const QList<uint> ucs = E->text().toUcs4();
        for (uint c : ucs)
            if (c != 127)
                chars.push_back(static_cast<char32_t>(c));
    }
    }
    for (char32_t c : chars) {
        TKeyChar key = c;
        if (!L.Control)
            return;
        Guarded([&] { WinOf(L)->KeyPress(key); });
    }
}

Word TPeerDispatch::KeyUp(TPeerLink& L, QKeyEvent* E)
{
    Word key = VirtualKeyOf(E->key(), E->modifiers());
    if (!L.Control || key == 0)
        return key;
    const TShiftState shift = ShiftOf(E->modifiers(), Qt::NoButton);
    Guarded([&] { WinOf(L)->KeyUp(key, shift); });
    return key;
}

bool TPeerDispatch::WantsKey(TPeerLink& L, QKeyEvent* E)
{
    if (!L.Control)
        return false;
    unsigned mask = 0;
    switch (E->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: mask = DLGC_WANTTAB; break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: mask = DLGC_WANTARROWS; break;
    default: return true;
    }
    if (E->modifiers() & (Qt::AltModifier | Qt::ControlModifier))
        return true;
    unsigned code = 0;
    Guarded([&] { code = WinOf(L)->GetDlgCode(); });
    return (code & (mask | DLGC_WANTALLKEYS)) != 0;
}

bool TPeerDispatch::Navigate(TPeerLink& L, QKeyEvent* E)
{
    QWidget* peer = L.Peer;
    if (!peer || !peer->parentWidget())
        return false;  // nowhere to move the focus: the control gets the key
    bool next = true;
    switch (E->key()) {
    case Qt::Key_Tab: next = !(E->modifiers() & Qt::ShiftModifier); break;
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Up: next = false; break;
    case Qt::Key_Right:
    case Qt::Key_Down: next = true; break;
    default: return false;
    }
    QWidget* target = next ? peer->nextInFocusChain() : peer->previousInFocusChain();
    while (target && target != peer) {
        if (target->isVisible() && target->isEnabled() && (target->focusPolicy() & Qt::TabFocus) &&
            target->window() == peer->window()) {
            target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            break;
        }
        target = next ? target->nextInFocusChain() : target->previousInFocusChain();
    }
    E->accept();
    return true;
}

void TPeerDispatch::FocusIn(TPeerLink& L)
{
    if (L.Control)
        Guarded([&] { WinOf(L)->DoEnter(); });
}

void TPeerDispatch::FocusOut(TPeerLink& L)
{
    if (L.Control)
        Guarded([&] { WinOf(L)->DoExit(); });
}

void TPeerDispatch::Moved(TPeerLink& L)
{
    if (!L.Control || !L.Peer)
        return;
    L.Control->FLeft = L.Peer->x();
    L.Control->FTop = L.Peer->y();
}

void TPeerDispatch::Resized(TPeerLink& L)
{
    TControl* c = L.Control;
    if (!c || !L.Peer)
        return;
    c->FLeft = L.Peer->x();
    c->FTop = L.Peer->y();
    c->FWidth = L.Peer->width();
    c->FHeight = L.Peer->height();
    TWinControl* w = WinOf(L);
    const QSize client = L.Client ? L.Client->size() : QSize();
    if (!w->FSurface.isNull() && w->FSurface.size() == client)
        return;  // nothing new for the surface and Resize
    Guarded([&] {
        w->EnsureSurface();
        w->Resize();
    });
}

void TPeerDispatch::ParentResized(TPeerLink& L)
{
    if (!L.Control || !L.WatchedParent || L.Control->FAlign == alNone)
        return;
    Guarded([&] { L.Control->ApplyAlign(L.WatchedParent->width(), L.WatchedParent->height()); });
}

void TPeerDispatch::ParentChanged(TPeerLink& L)
{
    QWidget* parent = L.Peer ? L.Peer->parentWidget() : nullptr;
    if (parent == L.WatchedParent)
        return;
    if (L.WatchedParent)
        L.WatchedParent->removeEventFilter(L.Peer);
    L.WatchedParent = parent;
    if (parent)
        parent->installEventFilter(L.Peer);
}

bool TPeerDispatch::Paint(TPeerLink& L, QPaintEvent* E)
{
    if (!L.Control || !L.Client)
        return false;
    TWinControl* w = WinOf(L);
    bool custom = false;
    Guarded([&] { custom = w->IsCustomPainted(); });
    if (!custom)
        return false;
    Guarded([&] {
        const bool fresh = std::exchange(w->FSurfaceFresh, false);
        if (w->FNeedsPaint || (w->PaintsOnEveryRequest() && !fresh) ||
            w->FSurface.size() != L.Client->size())
            w->PaintSurface();
    });
    if (!L.Control)
        return true;
    if (w->FCanvas)
        w->FCanvas->Flush();
    QPainter p(L.Client);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect r = E->rect();
    p.drawImage(r, w->FSurface, r);
    return true;
}

void TPeerDispatch::Destroyed(TPeerLink& L)
{
    if (L.WatchedParent)
        L.WatchedParent->removeEventFilter(L.Peer);
    L.WatchedParent = nullptr;
    TControl* c = std::exchange(L.Control, nullptr);
    if (c)
        Guarded([&] { c->PeerDestroyed(); });
}

} // namespace detail

} // namespace cartova::host
