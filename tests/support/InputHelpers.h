#pragma once
// Test helpers for controls: a shown host window, synchronous painting with
// access to the surface pixels, and mouse, wheel and key input delivered
// through the peer the way a user's input arrives (mouse through the window
// system, so Qt itself synthesises double-clicks from the timestamps).

#include "host/Controls.h"

#include <QImage>
#include <QWidget>

#include <memory>

namespace cartova::test {

/// A shown top-level Qt window that hosts controls (SetParentWidget).
class THostWindow {
public:
    explicit THostWindow(int Width = 400, int Height = 300);
    ~THostWindow();
    QWidget* Widget() const { return FWindow.get(); }
    /// Embeds the control at the given bounds, shows it and waits for exposure.
    void Add(host::TControl& Control, int Left, int Top, int Width, int Height);

private:
    std::unique_ptr<QWidget> FWindow;
};

/// Paints the control now (Repaint) and returns its surface pixels.
QImage PaintControl(host::TWinControl& Control);

// Mouse input at client coordinates of the control. When the control sits in
// a shown window the events travel through the window system; otherwise they
// are sent to the peer as spontaneous events.
void MousePress(host::TControl& Control, Qt::MouseButton Button, int X, int Y,
                Qt::KeyboardModifiers Mods = Qt::NoModifier);
void MouseRelease(host::TControl& Control, Qt::MouseButton Button, int X, int Y,
                  Qt::KeyboardModifiers Mods = Qt::NoModifier);
void MouseClick(host::TControl& Control, Qt::MouseButton Button, int X, int Y,
                Qt::KeyboardModifiers Mods = Qt::NoModifier);
/// Two clicks within the double-click interval, as the user makes them.
void MouseDoubleClick(host::TControl& Control, Qt::MouseButton Button, int X, int Y,
                      Qt::KeyboardModifiers Mods = Qt::NoModifier);
/// Moves the pointer (buttons held by an earlier MousePress stay held).
void MouseMove(host::TControl& Control, int X, int Y);
/// A drag as the user makes it: press Button at (X1, Y1), move half way and
/// then to (X2, Y2) with the button held, release there.
void MouseDrag(host::TControl& Control, Qt::MouseButton Button, int X1, int Y1, int X2, int Y2,
               Qt::KeyboardModifiers Mods = Qt::NoModifier);
/// One wheel step of Delta (120 per notch) with the cursor at client (X, Y).
void Wheel(host::TControl& Control, int Delta, int X, int Y,
           Qt::KeyboardModifiers Mods = Qt::NoModifier);
/// Key press / release / both to the control's peer; Text defaults to the
/// character the key types.
void KeyPress(host::TControl& Control, Qt::Key Key, Qt::KeyboardModifiers Mods = Qt::NoModifier,
              const QString& Text = QString());
void KeyRelease(host::TControl& Control, Qt::Key Key, Qt::KeyboardModifiers Mods = Qt::NoModifier,
                const QString& Text = QString());
void KeyClick(host::TControl& Control, Qt::Key Key, Qt::KeyboardModifiers Mods = Qt::NoModifier,
              const QString& Text = QString());

} // namespace cartova::test
