#pragma once
// TCanvas: the drawing surface of bitmaps and windows, with the classic
// primitives over one QPainter.
//
// A canvas draws on a QImage it does not own (a bitmap's pixels, a window's
// surface). It opens one QPainter on the first primitive and keeps it open
// across primitives; it ends it before pixels are read (Pixels, CopyRect from
// this canvas, the owner reading the image) and whoever reallocates, resizes
// or copies the image calls Flush() first. Antialiasing is off, fonts are
// measured at 96 pixels per inch and exclusive-or pen modes use Qt's raster
// operations, so a figure drawn twice in pmXor or pmNotXor restores every
// pixel. A canvas can instead draw through a painter someone else opened
// (AttachPainter, for owner drawing inside a Qt paint handler).
//
// Coordinates follow the classic canvas: a rectangle (Left, Top, Right,
// Bottom) covers Left..Right-1 and Top..Bottom-1, and LineTo does not draw its
// end pixel. Without a device, with an empty point array or with an empty
// rectangle an operation does nothing and raises nothing.

#include "host/Bitmap.h"
#include "host/Graphics.h"
#include "host/Types.h"

#include <QBrush>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QRegion>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QImage;

namespace cartova::host {

/// How Draw, StretchDraw and CopyRect combine source S and destination D
/// (the classic raster operation codes).
using TCopyMode = std::uint32_t;
constexpr TCopyMode cmBlackness = 0x00000042;   // 0        RasterOp_ClearDestination
constexpr TCopyMode cmDstInvert = 0x00550009;   // ~D       RasterOp_NotDestination
constexpr TCopyMode cmMergeCopy = 0x00C000CA;   // S & brush; drawn as S
constexpr TCopyMode cmMergePaint = 0x00BB0226;  // ~S | D   RasterOp_NotSourceOrDestination
constexpr TCopyMode cmNotSrcCopy = 0x00330008;  // ~S       RasterOp_NotSource
constexpr TCopyMode cmNotSrcErase = 0x001100A6; // ~(S | D) RasterOp_NotSourceAndNotDestination
constexpr TCopyMode cmPatCopy = 0x00F00021;     // brush    the destination filled with the brush
constexpr TCopyMode cmPatInvert = 0x005A0049;   // brush ^ D; drawn as S
constexpr TCopyMode cmPatPaint = 0x00FB0A09;    // drawn as S
constexpr TCopyMode cmSrcAnd = 0x008800C6;      // S & D    RasterOp_SourceAndDestination
constexpr TCopyMode cmSrcCopy = 0x00CC0020;     // S        CompositionMode_Source
constexpr TCopyMode cmSrcErase = 0x00440328;    // S & ~D   RasterOp_SourceAndNotDestination
constexpr TCopyMode cmSrcInvert = 0x00660046;   // S ^ D    RasterOp_SourceXorDestination
constexpr TCopyMode cmSrcPaint = 0x00EE0086;    // S | D    RasterOp_SourceOrDestination
constexpr TCopyMode cmWhiteness = 0x00FF0062;   // 1        RasterOp_SetDestination

/// Polygon fill rules of the device services and regions.
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

/// Flags of TextRect's extended form.
enum TTextFormatFlag : unsigned {
    tfLeft = 0, tfCenter = 1, tfRight = 2, tfVerticalCenter = 4, tfBottom = 8,
    tfSingleLine = 0x20, tfNoClip = 0x100, tfEndEllipsis = 0x8000
};

/// A drawing surface with a pen, a brush, a font and a current position.
class TCanvas : public TPersistent {
public:
    /// A canvas without a device: every operation does nothing.
    TCanvas();
    /// A canvas drawing on Image (not owned; it must outlive the canvas or be
    /// detached with SetImage(nullptr)).
    explicit TCanvas(QImage* Image);
    ~TCanvas() override;

    // ---- device
    /// Draws on Image from now on (finishing the drawing on the old one).
    /// The image's resolution is set to 96 pixels per inch.
    void SetImage(QImage* Image);
    /// The image drawn on (nullptr without one). Call Flush() before reading
    /// or copying it while the canvas may still be painting.
    QImage* GetImage() const { return FImage; }
    /// Draws through Painter, which the caller began and will end, until
    /// DetachPainter; the canvas changes its state but never ends it.
    void AttachPainter(QPainter* Painter);
    void DetachPainter();
    /// The open painter with the canvas's clip applied, beginning it when
    /// needed; nullptr without a device. Pen, brush and font are set by each
    /// primitive, not here.
    QPainter* RequirePainter();
    /// True while a painter is open on the device.
    bool IsPainting() const { return FPainter != nullptr; }
    /// Ends the canvas's own painter so the image's pixels are complete.
    void Flush();
    /// Same as Flush; named as the classic handle release.
    void Release() { Flush(); }
    /// True when the canvas has an image or an attached painter.
    bool HasDevice() const { return FImage != nullptr || FExternal != nullptr; }
    /// The canvas itself serves as the device handle the device services take.
    TCanvas* GetHandle() { return this; }

    // ---- state
    TPen* GetPen() const { return FPen.get(); }
    TBrush* GetBrush() const { return FBrush.get(); }
    TFont* GetFont() const { return FFont.get(); }
    /// Copy the given style into the canvas's own (as assigning the property does).
    void SetPen(const TPen* Value);
    void SetBrush(const TBrush* Value);
    void SetFont(const TFont* Value);
    TPoint GetPenPos() const { return FPenPos; }
    void SetPenPos(const TPoint& Value) { FPenPos = Value; }
    TCopyMode GetCopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
    /// The rectangle drawing is limited to: the clip set, within the device.
    TRect GetClipRect() const;
    /// Limits drawing to Rect (within the device).
    void SetClipRect(const TRect& Value);
    /// Limits drawing to Region (device pixels).
    void SetClipRegion(const QRegion& Region);
    /// Removes the clip.
    void ResetClip();
    /// Whether lines, figures and text are drawn with antialiased edges (off
    /// initially: every primitive pixel-exact, so exclusive-or drawing
    /// toggles exactly). Region fills and images stay pixel-exact either way.
    bool GetAntialias() const { return FAntialias; }
    void SetAntialias(bool Value);

    /// Raised after each drawing operation changed the device.
    std::function<void(TObject*)> OnChange;

    // ---- lines and figures (pen and pen mode; figures filled with the brush)
    void MoveTo(int X, int Y);
    /// Line from PenPos to (X, Y), end pixel excluded; PenPos := (X, Y).
    void LineTo(int X, int Y);
    /// Lines through the points (each end pixel but the last drawn); PenPos unchanged.
    void Polyline(const TPoint* Points, int Count);
    void Polyline(const std::vector<TPoint>& Points);
    /// Parts polylines, Counts[I] points each, stored one after the other in
    /// Points: the pixels of that many Polyline calls, in fewer calls to the
    /// device. PenPos unchanged.
    void PolyPolyline(const TPoint* Points, const int* Counts, int Parts);
    /// Closed figure filled with the brush (alternate rule) and outlined.
    void Polygon(const TPoint* Points, int Count);
    void Polygon(const std::vector<TPoint>& Points);
    /// Outline covers X1..X2-1 by Y1..Y2-1; with a clear pen the fill covers
    /// X1..X2-2 by Y1..Y2-2, as on the classic canvas.
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    /// Ellipse inscribed in the rectangle (right and bottom exclusive).
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }

    // ---- brush-only fills
    /// Fills the rectangle with the brush (no pen; the pen mode is ignored).
    void FillRect(const TRect& R);
    /// A one-pixel border of the rectangle in the brush.
    void FrameRect(const TRect& R);

    // ---- text (font colour; background in the brush colour when the brush
    // style is bsSolid, else transparent; the pen mode is ignored)
    /// Text with the top-left of its cell at (X, Y), rotated about that point
    /// by the font's orientation; PenPos := (X + TextWidth, Y).
    void TextOut(int X, int Y, const std::string& Text);
    /// Text at (X, Y) clipped to R; with a solid brush R is filled first.
    void TextRect(const TRect& R, int X, int Y, const std::string& Text);
    /// Text aligned in R by TTextFormatFlag flags (single line).
    void TextRect(TRect& R, const std::string& Text, unsigned Flags);
    int TextWidth(const std::string& Text);
    int TextHeight(const std::string& Text);
    /// Advance width and cell height (ascent + descent) of the text.
    TSize TextExtent(const std::string& Text);

    // ---- images (CopyMode)
    /// The bitmap with its top-left at (X, Y), skipping its transparent pixels.
    void Draw(int X, int Y, TBitmap* Graphic);
    /// The bitmap scaled (nearest pixel) into R.
    void StretchDraw(const TRect& R, TBitmap* Graphic);
    /// The Source rectangle of Canvas scaled into Dest on this canvas.
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);

    // ---- pixels
    /// The colour at (X, Y); CLR_INVALID (-1) outside the device. A
    /// transparent pixel reads as clDefault.
    TColor GetPixels(int X, int Y);
    /// Sets (X, Y) to Color (clNone and clDefault make it transparent);
    /// nothing outside the device.
    void SetPixels(int X, int Y, TColor Color);

    // ---- services for the device functions
    /// Fills Region with Brush; with UsePenMode the pen mode combines the fill.
    void FillRegion(const QRegion& Region, const TBrush& Brush, bool UsePenMode);
    /// The Qt brush TBrush stands for (pattern bitmaps included), nullptr style for bsClear.
    static QBrush MakeQBrush(const TBrush& Brush);
    /// The Qt pen TPen stands for (cosmetic one-pixel pens with the classic
    /// dash lengths; wider pens solid with round caps and joins).
    static QPen BuildQPen(const TPen& Pen);
    /// The composition mode a pen mode maps to.
    static QPainter::CompositionMode PenModeToComposition(TPenMode Mode);

private:
    bool Begin();
    void ApplyFigureState(bool Fill);
    void SetupComposition(TPenMode Mode);
    void ApplyFont();
    QPen MakeQPen() const;
    QFont CurrentQFont();
    void DrawImage(const QRect& Target, const QImage& Image, const QRect& Source);
    void DrawTextAt(int X, int Y, const QString& Text, const QRect* Clip, bool Opaque);
    void DrawPolyline(const TPoint* Points, int Count);
    /// Points in the reused device polygon.
    const QPolygon& ToPolygon(const TPoint* Points, int Count);
    void Changed();

    QImage* FImage = nullptr;
    QPainter* FExternal = nullptr;
    std::unique_ptr<QPainter> FOwnPainter;
    QPainter* FPainter = nullptr;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TFont> FFont;
    TPoint FPenPos;
    TCopyMode FCopyMode = cmSrcCopy;
    bool FHasClip = false;
    bool FAntialias = false;
    QRegion FClip;
    unsigned FFontVersion = ~0u;
    QFont FQFont;
    mutable unsigned FPenVersion = ~0u;
    mutable QPen FQPen;
    // Reused vertex buffers, so that drawing lines allocates nothing.
    QPolygon FPolygon;
    QPolygonF FPolygonF;
    QPolygon FPixels;
};

/// The device handle the device services take: the canvas.
using HDC = TCanvas*;

} // namespace cartova::host

namespace cartova {
using host::TCanvas;
using host::HDC;
using host::TCopyMode;
using host::cmBlackness;
using host::cmDstInvert;
using host::cmMergeCopy;
using host::cmMergePaint;
using host::cmNotSrcCopy;
using host::cmNotSrcErase;
using host::cmPatCopy;
using host::cmPatInvert;
using host::cmPatPaint;
using host::cmSrcAnd;
using host::cmSrcCopy;
using host::cmSrcErase;
using host::cmSrcInvert;
using host::cmSrcPaint;
using host::cmWhiteness;
using host::ALTERNATE;
using host::WINDING;
using host::TTextFormatFlag;
using host::tfLeft;
using host::tfCenter;
using host::tfRight;
using host::tfVerticalCenter;
using host::tfBottom;
using host::tfSingleLine;
using host::tfNoClip;
using host::tfEndEllipsis;
} // namespace cartova
