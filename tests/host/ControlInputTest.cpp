// Controls: input translation through the peer, exceptions kept out of Qt,
// the window surface and a peer destroyed by Qt.
#include "host/Exceptions.h"
#include "host/Forms.h"
#include "tests/support/InputHelpers.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <stdexcept>
#include <string>
#include <vector>

using namespace cartova;
using namespace cartova::test;

namespace {

// Records every handler call in order.
class TRecorder : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<std::string> Log;
    std::vector<TShiftState> Shifts;
    std::vector<Word> Keys;
    std::u32string Chars;
    int WheelDelta = 0;
    TPoint WheelPos;
    unsigned DlgCode = 0;

protected:
    void MouseDown(TMouseButton B, TShiftState S, int X, int Y) override
    {
        Log.push_back("down" + std::to_string(B) + (S.Contains(ssDouble) ? "D" : "") + "@" +
                      std::to_string(X) + "," + std::to_string(Y));
        Shifts.push_back(S);
        TCustomControl::MouseDown(B, S, X, Y);
    }
    void MouseUp(TMouseButton B, TShiftState S, int X, int Y) override
    {
        Log.push_back("up" + std::to_string(B));
        Shifts.push_back(S);
        TCustomControl::MouseUp(B, S, X, Y);
    }
    void MouseMove(TShiftState S, int, int) override { Shifts.push_back(S); Log.push_back("move"); }
    void Click() override { Log.push_back("click"); }
    void DblClick() override { Log.push_back("dbl"); TCustomControl::DblClick(); }
    void KeyDown(Word& K, TShiftState S) override { Keys.push_back(K); Shifts.push_back(S); TCustomControl::KeyDown(K, S); }
    void KeyPress(TKeyChar& K) override { Chars.push_back(K); TCustomControl::KeyPress(K); }
    bool DoMouseWheel(TShiftState S, int D, TPoint P) override
    {
        WheelDelta = D;
        WheelPos = P;
        Shifts.push_back(S);
        return true;
    }
    unsigned GetDlgCode() override { return DlgCode; }
    void Paint() override
    {
        GetCanvas()->GetBrush()->SetColor(clRed);
        GetCanvas()->FillRect(Rect(0, 0, 10, 10));
    }
};

std::vector<std::string> WithoutMoves(const std::vector<std::string>& L)
{
    std::vector<std::string> out;
    for (const auto& s : L)
        if (s != "move")
            out.push_back(s);
    return out;
}

} // namespace

TEST(ControlInput, ClickAndDoubleClickOrder)
{
    THostWindow host;
    TRecorder c(nullptr);
    host.Add(c, 10, 20, 200, 100);

    MouseClick(c, Qt::LeftButton, 30, 40);
    EXPECT_EQ(WithoutMoves(c.Log), (std::vector<std::string>{"down0@30,40", "click", "up0"}));

    c.Log.clear();
    MouseDoubleClick(c, Qt::LeftButton, 30, 40);
    EXPECT_EQ(WithoutMoves(c.Log), (std::vector<std::string>{"down0@30,40", "click", "up0", "dbl",
                                                              "down0D@30,40", "up0"}));

    // A right double-click carries ssDouble but raises no DblClick.
    c.Log.clear();
    MouseDoubleClick(c, Qt::RightButton, 5, 6);
    EXPECT_EQ(WithoutMoves(c.Log),
              (std::vector<std::string>{"down1@5,6", "up1", "down1D@5,6", "up1"}));
}

TEST(ControlInput, MouseShiftStateHoldsButtonsAndModifiers)
{
    THostWindow host;
    TRecorder c(nullptr);
    host.Add(c, 0, 0, 200, 100);
    int events = 0;
    c.OnMouseDown = [&](TObject* S, TMouseButton B, TShiftState, int, int) {
        EXPECT_EQ(S, &c);
        EXPECT_EQ(B, mbLeft);
        ++events;
    };
    MousePress(c, Qt::LeftButton, 10, 10, Qt::ShiftModifier | Qt::ControlModifier);
    ASSERT_FALSE(c.Shifts.empty());
    EXPECT_EQ(c.Shifts.back(), ssShift | ssCtrl | ssLeft);
    MouseMove(c, 20, 20);
    EXPECT_TRUE(c.Shifts.back().Contains(ssLeft));
    MouseRelease(c, Qt::LeftButton, 20, 20);
    EXPECT_FALSE(c.Shifts.back().Contains(ssLeft));  // released button no longer held
    EXPECT_EQ(events, 1);
}

TEST(ControlInput, WheelDeltaAndClientPosition)
{
    THostWindow host;
    TRecorder c(nullptr);
    host.Add(c, 15, 25, 200, 100);
    Wheel(c, 120, 40, 50);
    EXPECT_EQ(c.WheelDelta, 120);
    EXPECT_EQ(c.WheelPos, (TPoint{40, 50}));
    Wheel(c, -240, 1, 2, Qt::ControlModifier);
    EXPECT_EQ(c.WheelDelta, -240);
    EXPECT_EQ(c.WheelPos, (TPoint{1, 2}));
    EXPECT_EQ(c.Shifts.back(), TShiftState(ssCtrl));
}

TEST(ControlInput, VirtualKeysShiftAndCharacters)
{
    TRecorder c(nullptr);
    c.DlgCode = DLGC_WANTARROWS | DLGC_WANTTAB;
    KeyClick(c, Qt::Key_A, Qt::ShiftModifier, "A");
    KeyClick(c, Qt::Key_Return);
    KeyClick(c, Qt::Key_Escape);
    KeyClick(c, Qt::Key_Backspace);
    KeyClick(c, Qt::Key_Delete);
    KeyClick(c, Qt::Key_Left, Qt::ControlModifier);
    KeyClick(c, Qt::Key_End);
    KeyClick(c, Qt::Key_F1);
    KeyClick(c, Qt::Key_Plus, Qt::KeypadModifier, "+");
    KeyClick(c, Qt::Key_Minus, Qt::KeypadModifier, "-");
    KeyClick(c, Qt::Key_7);
    KeyClick(c, Qt::Key_Tab);
    // Modifier keys are pressed first, as on a keyboard.
    EXPECT_EQ(c.Keys, (std::vector<Word>{VK_SHIFT, 'A', VK_RETURN, VK_ESCAPE, VK_BACK, VK_DELETE, VK_CONTROL, VK_LEFT,
                                         VK_END, VK_F1, VK_ADD, VK_SUBTRACT, '7', VK_TAB}));
    EXPECT_EQ(c.Shifts[1], TShiftState(ssShift));
    EXPECT_EQ(c.Shifts[2], TShiftState());
    EXPECT_EQ(c.Shifts[7], TShiftState(ssCtrl));
    // Characters: 'A', CR, ESC, BS (Delete types none), '+', '-', '7', TAB.
    EXPECT_EQ(c.Chars, (std::u32string{U'A', 13, 27, 8, U'+', U'-', U'7', 9}));

    // A non-ASCII character arrives as one code point.
    c.Chars.clear();
    KeyClick(c, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("ж"));
    EXPECT_EQ(c.Chars, std::u32string{U'ж'});
    EXPECT_EQ(KeyCharToUtf8(U'ж'), "ж");
}

TEST(ControlInput, ArrowsAndTabMoveFocusUnlessWanted)
{
    THostWindow host;
    TRecorder a(nullptr), b(nullptr);
    host.Add(a, 0, 0, 100, 50);
    host.Add(b, 0, 60, 100, 50);
    a.SetTabStop(true);
    b.SetTabStop(true);
    a.SetFocus();
    ASSERT_TRUE(a.Focused());
    KeyClick(a, Qt::Key_Down);  // not wanted: focus moves on, no KeyDown
    EXPECT_TRUE(a.Keys.empty());
    EXPECT_TRUE(b.Focused());
    b.DlgCode = DLGC_WANTARROWS;
    KeyClick(b, Qt::Key_Down);
    EXPECT_EQ(b.Keys, std::vector<Word>{VK_DOWN});
    EXPECT_TRUE(b.Focused());
}

TEST(ControlInput, ThrowingHandlersReachTheApplication)
{
    TRecorder c(nullptr);
    std::vector<std::string> caught;
    Application->OnException = [&](TObject*, const std::exception& E) { caught.push_back(E.what()); };
    c.OnKeyDown = [](TObject*, Word&, TShiftState) { throw EConvertError("bad key"); };
    c.OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) { throw std::runtime_error("bad press"); };
    KeyClick(c, Qt::Key_X);
    MousePress(c, Qt::LeftButton, 3, 3);
    MouseRelease(c, Qt::LeftButton, 3, 3);
    EXPECT_EQ(caught, (std::vector<std::string>{"bad key", "bad press"}));

    // A paint request from Qt's event loop whose handler throws something
    // that is not even a std::exception.
    THostWindow host;
    struct TThrowingPaint : TCustomControl {
        using TCustomControl::TCustomControl;
        void Paint() override { throw 42; }
    } p(nullptr);
    host.Add(p, 0, 0, 50, 50);
    p.Invalidate();
    p.GetWidget()->repaint();
    Application->OnException = nullptr;
    ASSERT_GE(caught.size(), 3u);
    EXPECT_EQ(caught.back(), "Unknown exception");

    // Without OnException the message goes through the message handler.
    TMessageRecorder messages;
    KeyClick(c, Qt::Key_X);
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.LastText(), "bad key");
    EXPECT_EQ(messages.Messages()[0].Type, mtError);
}

TEST(ControlSurface, PaintDirectDrawingAndDestroyedPeer)
{
    auto parent = std::make_unique<QWidget>();
    TRecorder c(nullptr);
    c.SetColor(clWhite);
    c.SetParentWidget(parent.get());
    c.SetBounds(0, 0, 40, 30);
    EXPECT_TRUE(c.HasParent());
    EXPECT_EQ(c.GetClientWidth(), 40);

    QImage img = PaintControl(c);
    ASSERT_EQ(img.size(), QSize(40, 30));
    EXPECT_EQ(QColor(img.pixel(5, 5)), QColor(Qt::red));       // Paint
    EXPECT_EQ(QColor(img.pixel(20, 20)), QColor(Qt::white));   // erased with Color

    // Direct drawing stays on the surface until the next paint request.
    c.GetCanvas()->SetPixels(30, 20, clBlue);
    c.Update();  // nothing invalidated: no Paint, the pixel stays
    EXPECT_EQ(c.GetSurfacePixel(30, 20), clBlue);
    c.Repaint();
    EXPECT_EQ(c.GetSurfacePixel(30, 20), clWhite);

    // Resizing follows with the surface and Resize.
    int resized = 0;
    c.OnResize = [&](TObject*) { ++resized; };
    c.SetBounds(0, 0, 60, 50);
    EXPECT_EQ(resized, 1);
    EXPECT_EQ(PaintControl(c).size(), QSize(60, 50));

    parent.reset();  // Qt deletes the peer with its parent
    EXPECT_FALSE(c.HandleAllocated());
    EXPECT_FALSE(c.HasParent());
    EXPECT_EQ(c.GetWidget(), nullptr);
    c.GetCanvas()->FillRect(Rect(0, 0, 10, 10));
    c.Repaint();
    c.SetBounds(1, 2, 3, 4);
    c.SetFocus();
    EXPECT_TRUE(PaintControl(c).isNull());
    EXPECT_EQ(c.GetSurfacePixel(0, 0), -1);
}

TEST(ControlSurface, AlignClientFollowsParentAndChildrenOutliveParent)
{
    auto parent = std::make_unique<TCustomControl>(nullptr);
    parent->SetBounds(0, 0, 100, 80);
    auto child = std::make_unique<TCustomControl>(nullptr);
    child->SetParent(parent.get());
    child->SetAlign(alClient);
    EXPECT_EQ(child->GetBoundsRect(), Rect(0, 0, 100, 80));
    parent->SetBounds(0, 0, 150, 60);
    EXPECT_EQ(child->GetBoundsRect(), Rect(0, 0, 150, 60));
    EXPECT_EQ(parent->ControlCount(), 1);
    parent.reset();
    EXPECT_TRUE(child->HandleAllocated());
    EXPECT_EQ(child->GetParent(), nullptr);
}
