#pragma once
// Internal: the Qt peer widgets of the controls. TPeer<Base> wraps any
// QWidget class (QWidget, QListWidget, QComboBox, QAbstractScrollArea) and
// routes its events through TPeerDispatch, which translates them once into
// the controls' handlers and keeps every exception out of Qt.

#include "host/Controls.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QWheelEvent>
#include <QWidget>

#include <type_traits>

namespace cartova::host::detail {

/// The peer's link to its control, shared by every peer type.
struct TPeerLink {
    TControl* Control = nullptr;
    QWidget* Peer = nullptr;
    QWidget* Client = nullptr;     // the peer, or the viewport of a scroll area
    QWidget* WatchedParent = nullptr;
    // double-click detection
    quint64 LastPressTime = 0;
    QPoint LastPressPos;
    Qt::MouseButton LastPressButton = Qt::NoButton;
    bool DoubleDelivered = false;  // the press just handled was a double press
    bool LeftClicked = false;      // a left press awaits its release (Click)
    bool NativeInput = false;      // the Qt base class has input handling of its own
};

/// Translation of Qt events to control handlers (ControlPeer.cpp).
class TPeerDispatch {
public:
    static TShiftState ShiftOf(Qt::KeyboardModifiers Mods, Qt::MouseButtons Buttons);
    static Word VirtualKeyOf(int QtKey, Qt::KeyboardModifiers Mods);

    static void MousePress(TPeerLink& L, QMouseEvent* E);
    static void MouseRelease(TPeerLink& L, QMouseEvent* E);
    static void MouseDoubleClick(TPeerLink& L, QMouseEvent* E);
    static void MouseMove(TPeerLink& L, QMouseEvent* E);
    /// Returns true when the control handled the wheel.
    static bool Wheel(TPeerLink& L, QWheelEvent* E);
    /// KeyDown; returns the key left after the handlers (0: swallowed).
    static Word KeyDown(TPeerLink& L, QKeyEvent* E);
    static void KeyChars(TPeerLink& L, QKeyEvent* E);
    static Word KeyUp(TPeerLink& L, QKeyEvent* E);
    /// Tab/arrow keys: true when the key must go to the control rather
    /// than to focus navigation.
    static bool WantsKey(TPeerLink& L, QKeyEvent* E);
    /// An unwanted navigation key: moves the focus; true when consumed.
    static bool Navigate(TPeerLink& L, QKeyEvent* E);
    static void FocusIn(TPeerLink& L);
    static void FocusOut(TPeerLink& L);
    static void Resized(TPeerLink& L);
    static void Moved(TPeerLink& L);
    static void ParentResized(TPeerLink& L);
    static void ParentChanged(TPeerLink& L);
    /// Paints a custom-painted control; false leaves painting to Qt.
    static bool Paint(TPeerLink& L, QPaintEvent* E);
    static void Destroyed(TPeerLink& L);
    /// Hands the current exception to the application's handler.
    static void HandleException() noexcept;
};

/// The part every peer widget shares, found from a QWidget by dynamic_cast.
struct TPeerLinkHolder {
    virtual ~TPeerLinkHolder() = default;
    TPeerLink FLink;
};

/// A Qt widget of class Base acting as a control's peer.
template <class Base>
class TPeer : public Base, public TPeerLinkHolder {
public:
    template <class... Args>
    explicit TPeer(Args&&... args) : Base(std::forward<Args>(args)...)
    {
        FLink.Peer = this;
        if constexpr (std::is_base_of_v<QAbstractScrollArea, Base>)
            FLink.Client = this->viewport();
        else
            FLink.Client = this;
        FLink.NativeInput = !std::is_same_v<Base, QWidget>;
    }
    ~TPeer() override { TPeerDispatch::Destroyed(FLink); }

    TPeerLink& Link() { return FLink; }

protected:
    using TPeerLinkHolder::FLink;
    bool event(QEvent* E) override
    {
        if (FLink.Control && E->type() == QEvent::KeyPress) {
            auto* K = static_cast<QKeyEvent*>(E);
            if ((K->key() == Qt::Key_Tab || K->key() == Qt::Key_Backtab) &&
                !(K->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
                TPeerDispatch::WantsKey(FLink, K)) {
                keyPressEvent(K);
                return true;
            }
        }
        if (FLink.Control && E->type() == QEvent::ParentChange)
            TPeerDispatch::ParentChanged(FLink);
        return Base::event(E);
    }
    bool eventFilter(QObject* Watched, QEvent* E) override
    {
        if (FLink.Control && Watched == FLink.WatchedParent && E->type() == QEvent::Resize)
            TPeerDispatch::ParentResized(FLink);
        return Base::eventFilter(Watched, E);
    }
    void mousePressEvent(QMouseEvent* E) override
    {
        Base::mousePressEvent(E);
        TPeerDispatch::MousePress(FLink, E);
        E->accept();
    }
    void mouseReleaseEvent(QMouseEvent* E) override
    {
        Base::mouseReleaseEvent(E);
        TPeerDispatch::MouseRelease(FLink, E);
        E->accept();
    }
    void mouseDoubleClickEvent(QMouseEvent* E) override
    {
        Base::mouseDoubleClickEvent(E);
        TPeerDispatch::MouseDoubleClick(FLink, E);
        E->accept();
    }
    void mouseMoveEvent(QMouseEvent* E) override
    {
        Base::mouseMoveEvent(E);
        TPeerDispatch::MouseMove(FLink, E);
        E->accept();
    }
    void wheelEvent(QWheelEvent* E) override
    {
        if (TPeerDispatch::Wheel(FLink, E))
            E->accept();
        else
            Base::wheelEvent(E);
    }
    void keyPressEvent(QKeyEvent* E) override
    {
        if (!FLink.Control)
            return Base::keyPressEvent(E);
        if (!TPeerDispatch::WantsKey(FLink, E) && TPeerDispatch::Navigate(FLink, E))
            return;
        const Word Key = TPeerDispatch::KeyDown(FLink, E);
        if (Key != 0 && FLink.NativeInput)
            Base::keyPressEvent(E);
        TPeerDispatch::KeyChars(FLink, E);
        E->accept();
    }
    void keyReleaseEvent(QKeyEvent* E) override
    {
        if (!FLink.Control)
            return Base::keyReleaseEvent(E);
        const Word Key = TPeerDispatch::KeyUp(FLink, E);
        if (Key != 0 && FLink.NativeInput)
            Base::keyReleaseEvent(E);
        E->accept();
    }
    void focusInEvent(QFocusEvent* E) override
    {
        Base::focusInEvent(E);
        TPeerDispatch::FocusIn(FLink);
    }
    void focusOutEvent(QFocusEvent* E) override
    {
        Base::focusOutEvent(E);
        TPeerDispatch::FocusOut(FLink);
    }
    void resizeEvent(QResizeEvent* E) override
    {
        Base::resizeEvent(E);
        TPeerDispatch::Resized(FLink);
    }
    void moveEvent(QMoveEvent* E) override
    {
        Base::moveEvent(E);
        TPeerDispatch::Moved(FLink);
    }
    void paintEvent(QPaintEvent* E) override
    {
        if (!TPeerDispatch::Paint(FLink, E))
            Base::paintEvent(E);
    }
};

/// The link of a peer created by TPeer (nullptr for any other widget).
TPeerLink* LinkOf(QWidget* Peer);

} // namespace cartova::host::detail
