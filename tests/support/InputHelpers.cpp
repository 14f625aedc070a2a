#include "tests/support/InputHelpers.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

namespace cartova::test {

namespace {

// The widget that receives the control's mouse input (the peer or its viewport).
QWidget* MouseTarget(host::TControl& C)
{
    QWidget* peer = C.GetWidget();
    if (auto* area = qobject_cast<QAbstractScrollArea*>(peer))
        return area->viewport();
    return peer;
}

QWindow* ShownWindow(QWidget* W)
{
    QWidget* top = W ? W->window() : nullptr;
    return top && top->isVisible() ? top->windowHandle() : nullptr;
}

void Mouse(QTest::MouseAction Action, host::TControl& C, Qt::MouseButton Button, int X, int Y,
           Qt::KeyboardModifiers Mods)
{
    QWidget* target = MouseTarget(C);
    if (!target)
        return;
    const host::TPoint g = C.ClientToScreen({X, Y});
    if (QWindow* win = ShownWindow(target)) {
        const QPoint inWindow = win->mapFromGlobal(QPoint(g.X, g.Y));
        QTest::mouseEvent(Action, win, Button, Mods, inWindow);
    } else {
        const QPoint local = target->mapFromGlobal(QPoint(g.X, g.Y));
        QTest::mouseEvent(Action, target, Button, Mods, local);
    }
}

} // namespace

THostWindow::THostWindow(int Width, int Height) : FWindow(std::make_unique<QWidget>())
{
    FWindow->resize(Width, Height);
    FWindow->show();
    (void)QTest::qWaitForWindowExposed(FWindow.get());
}

THostWindow::~THostWindow() = default;

void THostWindow::Add(host::TControl& Control, int Left, int Top, int Width, int Height)
{
    Control.SetParentWidget(FWindow.get());
    Control.SetBounds(Left, Top, Width, Height);
    Control.Show();
    QApplication::processEvents();
}

QImage PaintControl(host::TWinControl& Control)
{
    Control.Repaint();
    return Control.GetSurfaceImage();
}

void MousePress(host::TControl& C, Qt::MouseButton B, int X, int Y, Qt::KeyboardModifiers M)
{
    Mouse(QTest::MousePress, C, B, X, Y, M);
}

void MouseRelease(host::TControl& C, Qt::MouseButton B, int X, int Y, Qt::KeyboardModifiers M)
{
    Mouse(QTest::MouseRelease, C, B, X, Y, M);
}

void MouseClick(host::TControl& C, Qt::MouseButton B, int X, int Y, Qt::KeyboardModifiers M)
{
    Mouse(QTest::MouseClick, C, B, X, Y, M);
}

void MouseDoubleClick(host::TControl& C, Qt::MouseButton B, int X, int Y, Qt::KeyboardModifiers M)
{
    Mouse(QTest::MouseDClick, C, B, X, Y, M);
}

void MouseMove(host::TControl& C, int X, int Y)
{
    Mouse(QTest::MouseMove, C, Qt::NoButton, X, Y, Qt::NoModifier);
}

void MouseDrag(host::TControl& C, Qt::MouseButton B, int X1, int Y1, int X2, int Y2,
               Qt::KeyboardModifiers M)
{
    MousePress(C, B, X1, Y1, M);
    MouseMove(C, X1 + (X2 - X1) / 2, Y1 + (Y2 - Y1) / 2);
    MouseMove(C, X2, Y2);
    MouseRelease(C, B, X2, Y2, M);
}

void Wheel(host::TControl& C, int Delta, int X, int Y, Qt::KeyboardModifiers M)
{
    QWidget* target = MouseTarget(C);
    if (!target)
        return;
    const host::TPoint g = C.ClientToScreen({X, Y});
    const QPointF global(g.X, g.Y);
    QWheelEvent e(target->mapFromGlobal(global), global, QPoint(), QPoint(0, Delta),
                  QGuiApplication::mouseButtons(), M, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&e);
    QApplication::sendEvent(target, &e);
}

void KeyPress(host::TControl& C, Qt::Key K, Qt::KeyboardModifiers M, const QString& Text)
{
    if (QWidget* w = C.GetWidget()) {
        if (Text.isNull())
            QTest::keyPress(w, K, M);
        else
            QTest::sendKeyEvent(QTest::Press, w, K, Text, M);
    }
}

void KeyRelease(host::TControl& C, Qt::Key K, Qt::KeyboardModifiers M, const QString& Text)
{
    if (QWidget* w = C.GetWidget()) {
        if (Text.isNull())
            QTest::keyRelease(w, K, M);
        else
            QTest::sendKeyEvent(QTest::Release, w, K, Text, M);
    }
}

void KeyClick(host::TControl& C, Qt::Key K, Qt::KeyboardModifiers M, const QString& Text)
{
    KeyPress(C, K, M, Text);
    KeyRelease(C, K, M, Text);
}

} // namespace cartova::test
