#pragma once
// Input vocabulary of the controls: mouse buttons, the shift-state set,
// virtual-key codes, dialog codes and cursor identifiers, as the host names
// them. The peer widgets translate Qt's events into these once.

#include "host/Classes.h"
#include "host/Types.h"

#include <cstdint>
#include <functional>
#include <string>

namespace cartova::host {

using Word = std::uint16_t;

/// The button a mouse press or release concerns.
enum TMouseButton { mbLeft, mbRight, mbMiddle };

/// One member of a TShiftState.
enum TShiftStateFlag : unsigned {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
    ssDouble = 1u << 6,
};

/// The keys and mouse buttons held during an input event, plus ssDouble on
/// the press that completes a double-click. Test membership with
/// `Shift.Contains(ssShift)` or `(Shift & ssShift)`.
class TShiftState {
public:
    constexpr TShiftState() = default;
    constexpr TShiftState(TShiftStateFlag F) : FBits(F) {}
    constexpr static TShiftState FromBits(unsigned Bits) { TShiftState S; S.FBits = Bits; return S; }
    constexpr unsigned Bits() const { return FBits; }
    constexpr bool Contains(TShiftStateFlag F) const { return (FBits & F) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TShiftState& operator|=(TShiftState O) { FBits |= O.FBits; return *this; }
    constexpr TShiftState& Exclude(TShiftStateFlag F) { FBits &= ~unsigned(F); return *this; }
    friend constexpr TShiftState operator|(TShiftState A, TShiftState B) { return FromBits(A.FBits | B.FBits); }
    friend constexpr TShiftState operator|(TShiftStateFlag A, TShiftState B) { return FromBits(A | B.FBits); }
    friend constexpr bool operator&(TShiftState A, TShiftStateFlag F) { return A.Contains(F); }
    friend constexpr bool operator==(TShiftState, TShiftState) = default;

private:
    unsigned FBits = 0;
};

constexpr TShiftState operator|(TShiftStateFlag A, TShiftStateFlag B)
{
    return TShiftState::FromBits(unsigned(A) | unsigned(B));
}

/// A typed character: a Unicode code point (the peer splits Qt's text into
/// code points). Control characters keep their ASCII values (8, 9, 13, 27).
using TKeyChar = char32_t;
/// The UTF-8 encoding of a typed character ("" for 0 or an invalid value).
std::string KeyCharToUtf8(TKeyChar Key);

// Virtual-key codes (the host's numbering; letters and digits are their
// upper-case ASCII codes 'A'..'Z', '0'..'9').
constexpr Word VK_LBUTTON = 1, VK_RBUTTON = 2, VK_CANCEL = 3, VK_MBUTTON = 4;
constexpr Word VK_BACK = 8, VK_TAB = 9, VK_CLEAR = 12, VK_RETURN = 13;
constexpr Word VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18, VK_PAUSE = 19, VK_CAPITAL = 20;
constexpr Word VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35;
constexpr Word VK_HOME = 36, VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40;
constexpr Word VK_SELECT = 41, VK_PRINT = 42, VK_EXECUTE = 43, VK_SNAPSHOT = 44;
constexpr Word VK_INSERT = 45, VK_DELETE = 46, VK_HELP = 47;
constexpr Word VK_LWIN = 91, VK_RWIN = 92, VK_APPS = 93;
constexpr Word VK_NUMPAD0 = 96, VK_NUMPAD9 = 105, VK_MULTIPLY = 106, VK_ADD = 107;
constexpr Word VK_SEPARATOR = 108, VK_SUBTRACT = 109, VK_DECIMAL = 110, VK_DIVIDE = 111;
constexpr Word VK_F1 = 112, VK_F2 = 113, VK_F3 = 114, VK_F4 = 115, VK_F5 = 116, VK_F6 = 117;
constexpr Word VK_F7 = 118, VK_F8 = 119, VK_F9 = 120, VK_F10 = 121, VK_F11 = 122, VK_F12 = 123;
constexpr Word VK_F24 = 135, VK_NUMLOCK = 144, VK_SCROLL = 145;
constexpr Word VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD;
constexpr Word VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB;
constexpr Word VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE;

/// Dialog codes: which keys a control wants instead of the window's focus
/// navigation (see TWinControl::GetDlgCode).
constexpr unsigned DLGC_WANTARROWS = 0x0001;
constexpr unsigned DLGC_WANTTAB = 0x0002;
constexpr unsigned DLGC_WANTALLKEYS = 0x0004;
constexpr unsigned DLGC_WANTCHARS = 0x0080;

/// Cursor identifiers: the standard ones are negative, 0 is "the default",
/// positive ones are registered with Screen->SetCursors.
using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4;
constexpr TCursor crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9;
constexpr TCursor crUpArrow = -10, crHourGlass = -11, crDrag = -12, crNoDrop = -13;
constexpr TCursor crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crSQLWait = -17;
constexpr TCursor crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21;
constexpr TCursor crSizeAll = -22, crSize = -22;

/// Event signatures of the controls (Sender is the control).
using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, TKeyChar& Key)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

} // namespace cartova::host

namespace cartova {
using host::Word;
using host::TMouseButton;
using host::mbLeft;
using host::mbRight;
using host::mbMiddle;
using host::TShiftStateFlag;
using host::TShiftState;
using host::ssShift;
using host::ssAlt;
using host::ssCtrl;
using host::ssLeft;
using host::ssRight;
using host::ssMiddle;
using host::ssDouble;
using host::TKeyChar;
using host::KeyCharToUtf8;
using host::VK_LBUTTON;
using host::VK_RBUTTON;
using host::VK_CANCEL;
using host::VK_MBUTTON;
using host::VK_BACK;
using host::VK_TAB;
using host::VK_CLEAR;
using host::VK_RETURN;
using host::VK_SHIFT;
using host::VK_CONTROL;
using host::VK_MENU;
using host::VK_PAUSE;
using host::VK_CAPITAL;
using host::VK_ESCAPE;
using host::VK_SPACE;
using host::VK_PRIOR;
using host::VK_NEXT;
using host::VK_END;
using host::VK_HOME;
using host::VK_LEFT;
using host::VK_UP;
using host::VK_RIGHT;
using host::VK_DOWN;
using host::VK_SELECT;
using host::VK_PRINT;
using host::VK_EXECUTE;
using host::VK_SNAPSHOT;
using host::VK_INSERT;
using host::VK_DELETE;
using host::VK_HELP;
using host::VK_LWIN;
using host::VK_RWIN;
using host::VK_APPS;
using host::VK_NUMPAD0;
using host::VK_NUMPAD9;
using host::VK_MULTIPLY;
using host::VK_ADD;
using host::VK_SEPARATOR;
using host::VK_SUBTRACT;
using host::VK_DECIMAL;
using host::VK_DIVIDE;
using host::VK_F1;
using host::VK_F2;
using host::VK_F3;
using host::VK_F4;
using host::VK_F5;
using host::VK_F6;
using host::VK_F7;
using host::VK_F8;
using host::VK_F9;
using host::VK_F10;
using host::VK_F11;
using host::VK_F12;
using host::VK_F24;
using host::VK_NUMLOCK;
using host::VK_SCROLL;
using host::VK_OEM_1;
using host::VK_OEM_PLUS;
using host::VK_OEM_COMMA;
using host::VK_OEM_MINUS;
using host::VK_OEM_PERIOD;
using host::VK_OEM_2;
using host::VK_OEM_3;
using host::VK_OEM_4;
using host::VK_OEM_5;
using host::VK_OEM_6;
using host::VK_OEM_7;
using host::DLGC_WANTARROWS;
using host::DLGC_WANTTAB;
using host::DLGC_WANTALLKEYS;
using host::DLGC_WANTCHARS;
using host::TCursor;
using host::crDefault;
using host::crNone;
using host::crArrow;
using host::crCross;
using host::crIBeam;
using host::crSizeNESW;
using host::crSizeNS;
using host::crSizeNWSE;
using host::crSizeWE;
using host::crUpArrow;
using host::crHourGlass;
using host::crDrag;
using host::crNoDrop;
using host::crHSplit;
using host::crVSplit;
using host::crMultiDrag;
using host::crSQLWait;
using host::crNo;
using host::crAppStart;
using host::crHelp;
using host::crHandPoint;
using host::crSizeAll;
using host::crSize;
using host::TNotifyEvent;
using host::TMouseEvent;
using host::TMouseMoveEvent;
using host::TKeyEvent;
using host::TKeyPressEvent;
using host::TMouseWheelEvent;
using host::TMouseWheelUpDownEvent;
} // namespace cartova
