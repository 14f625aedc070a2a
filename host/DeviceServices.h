#pragma once
// Device services as free functions over TCanvas: regions, fonts from
// logical-font records, polylines, the caret, the focus rectangle and frame
// controls. Handles are owned objects freed with DeleteObject.

#include "host/Canvas.h"
#include "host/Graphics.h"
#include "host/Types.h"

#include <QRegion>

#include <functional>

namespace cartova::host {

/// Base of the objects a handle refers to.
struct TGdiObject {
    virtual ~TGdiObject() = default;
};
/// A region: a set of device pixels.
struct TRegionObject : TGdiObject {
    QRegion Region;
};
/// A font description; Owner is the TFont that frees it, nullptr for a free handle.
struct TFontObject : TGdiObject {
    TLogFont LogFont;
    const TFont* Owner = nullptr;
};

using HGDIOBJ = TGdiObject*;
using HRGN = TRegionObject*;

/// Result kinds of region operations.
enum TRegionKind { RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };
/// Combination modes of CombineRgn.
enum TCombineMode { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };

// ---- regions
/// A region of the polygon's pixels (FillMode WINDING or ALTERNATE); nullptr
/// for fewer than two points. The caller frees it with DeleteObject.
HRGN CreatePolygonRgn(const TPoint* Points, int Count, int FillMode);
/// A region of several polygons together, Counts[I] points each, stored one
/// after the other in Points, each closed back to its first point: a pixel
/// is inside by FillMode over all of them (ALTERNATE: covered by an odd
/// number, so the exclusive-or of the polygons' alternate regions). Polygons
/// of fewer than three points enclose nothing and are left out; nullptr when
/// none is left. The caller frees it with DeleteObject.
HRGN CreatePolyPolygonRgn(const TPoint* Points, const int* Counts, int Count, int FillMode);
/// A rectangular region (right and bottom exclusive).
HRGN CreateRectRgn(int Left, int Top, int Right, int Bottom);
/// Dest := A op B (RGN_COPY copies A; B may be nullptr then). Returns the kind
/// of the result, RGN_ERROR for a missing handle or an unknown mode.
int CombineRgn(HRGN Dest, HRGN A, HRGN B, int Mode);
/// The region's bounding rectangle in R; returns its kind.
int GetRgnBox(HRGN Rgn, TRect& R);
bool PtInRegion(HRGN Rgn, int X, int Y);
/// Paints the region with the canvas brush, combined by the pen mode; no outline.
bool PaintRgn(HDC DC, HRGN Rgn);
/// Fills the region with Brush (copy mode).
bool FillRgn(HDC DC, HRGN Rgn, const TBrush* Brush);
/// Frees a region or a free font handle; false for nullptr or a handle a TFont owns.
bool DeleteObject(HGDIOBJ Object);

// ---- fonts
/// A free font handle for the record; the caller frees it with DeleteObject
/// or hands it to TFont::SetHandle.
HFONT CreateFontIndirect(const TLogFont& LogFont);
/// Copies the font's record into LogFont; false for nullptr.
bool GetObject(HFONT Font, TLogFont& LogFont);
/// Makes the canvas font the one the handle describes (colour kept); returns
/// the handle of the canvas font before.
HFONT SelectObject(HDC DC, HFONT Font);

// ---- lines
/// Lines through the points with the canvas pen; false without points.
bool Polyline(HDC DC, const TPoint* Points, int Count);

// ---- caret
/// Where a caret is drawn: the surface canvas of a window and a way to ask
/// for the changed area to reach the screen. Window controls implement it.
class ICaretHost {
public:
    virtual ~ICaretHost() = default;
    /// The canvas of the window's surface (nullptr when it has no window).
    virtual TCanvas* CaretCanvas() = 0;
    /// The surface changed inside R and should be shown.
    virtual void CaretInvalidate(const TRect& R) = 0;
};

/// Creates the caret of the thread for Host (a Width × Height block; a width
/// of 0 is 1 pixel, a height of 0 the text height of the host canvas's font).
/// Any old caret is destroyed. The caret starts hidden (ShowCaret once shows
/// it; each HideCaret needs one more ShowCaret) at (0, 0). It is drawn by
/// inverting the pixels, so showing and hiding restores the surface; it does
/// not blink.
bool CreateCaret(ICaretHost* Host, int Width, int Height);
bool SetCaretPos(int X, int Y);
bool GetCaretPos(TPoint& P);
/// Shows the caret (a no-op when shown); false without a caret.
bool ShowCaret(ICaretHost* Host);
/// Hides the caret; false without a caret.
bool HideCaret(ICaretHost* Host);
/// Hides and destroys the caret.
bool DestroyCaret();
/// Called by a caret host that goes away: its caret is forgotten undrawn.
void CaretHostDestroyed(ICaretHost* Host);
/// A caret host calls these around repainting its surface: the caret is
/// taken off before and drawn again after, so the exclusive-or stays exact.
void CaretBeforePaint(ICaretHost* Host);
void CaretAfterPaint(ICaretHost* Host);

// ---- USER drawing
/// The dotted focus rectangle drawn in exclusive-or: drawing it twice restores.
bool DrawFocusRect(HDC DC, const TRect& R);

constexpr unsigned DFC_CAPTION = 1, DFC_MENU = 2, DFC_SCROLL = 3, DFC_BUTTON = 4;
constexpr unsigned DFCS_BUTTONCHECK = 0x0000, DFCS_BUTTONRADIOIMAGE = 0x0001,
                   DFCS_BUTTONRADIOMASK = 0x0002, DFCS_BUTTONRADIO = 0x0004,
                   DFCS_BUTTON3STATE = 0x0008, DFCS_BUTTONPUSH = 0x0010;
constexpr unsigned DFCS_INACTIVE = 0x0100, DFCS_PUSHED = 0x0200, DFCS_CHECKED = 0x0400,
                   DFCS_FLAT = 0x4000, DFCS_MONO = 0x8000;

/// Draws a check box or radio button (DFC_BUTTON) in R: a sunken (or with
/// DFCS_FLAT a one-pixel) frame, a window-coloured face (button face when
/// DFCS_INACTIVE or DFCS_PUSHED) and, with DFCS_CHECKED, a tick or a dot in
/// window text colour (grey text colour when inactive). False for other types.
bool DrawFrameControl(HDC DC, const TRect& R, unsigned Type, unsigned State);

} // namespace cartova::host

namespace cartova {
using host::TGdiObject;
using host::TRegionObject;
using host::TFontObject;
using host::HGDIOBJ;
using host::HRGN;
using host::TRegionKind;
using host::RGN_ERROR;
using host::NULLREGION;
using host::SIMPLEREGION;
using host::COMPLEXREGION;
using host::TCombineMode;
using host::RGN_AND;
using host::RGN_OR;
using host::RGN_XOR;
using host::RGN_DIFF;
using host::RGN_COPY;
using host::CreatePolyPolygonRgn;
using host::CreatePolygonRgn;
using host::CreateRectRgn;
using host::CombineRgn;
using host::GetRgnBox;
using host::PtInRegion;
using host::PaintRgn;
using host::FillRgn;
using host::DeleteObject;
using host::CreateFontIndirect;
using host::GetObject;
using host::SelectObject;
using host::Polyline;
using host::ICaretHost;
using host::CreateCaret;
using host::SetCaretPos;
using host::GetCaretPos;
using host::ShowCaret;
using host::HideCaret;
using host::DestroyCaret;
using host::CaretHostDestroyed;
using host::CaretBeforePaint;
using host::CaretAfterPaint;
using host::DrawFocusRect;
using host::DFC_CAPTION;
using host::DFC_MENU;
using host::DFC_SCROLL;
using host::DFC_BUTTON;
using host::DFCS_BUTTONCHECK;
using host::DFCS_BUTTONRADIOIMAGE;
using host::DFCS_BUTTONRADIOMASK;
using host::DFCS_BUTTONRADIO;
using host::DFCS_BUTTON3STATE;
using host::DFCS_BUTTONPUSH;
using host::DFCS_INACTIVE;
using host::DFCS_PUSHED;
using host::DFCS_CHECKED;
using host::DFCS_FLAT;
using host::DFCS_MONO;
using host::DrawFrameControl;
} // namespace cartova
