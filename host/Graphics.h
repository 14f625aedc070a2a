#pragma once
// Colours and the three drawing styles: TColor, TPen, TBrush, TFont.
//
// TColor is a 32-bit value with red in the low byte (0x00BBGGRR). A value with
// the high byte 0x80 names a system colour (its low byte is the classic index)
// and resolves through the application palette. clNone and clDefault are
// markers, not colours; as a pixel value they stand for a transparent pixel.
//
// Pen modes map onto QPainter raster operations (P = pen or brush colour,
// D = destination pixel):
//   pmBlack        0            RasterOp_ClearDestination
//   pmWhite        1            RasterOp_SetDestination
//   pmNop          D            nothing is drawn
//   pmNot          ~D           RasterOp_NotDestination
//   pmCopy         P            CompositionMode_SourceOver (colours are opaque)
//   pmNotCopy      ~P           RasterOp_NotSource
//   pmMergePenNot  P | ~D       RasterOp_SourceOrNotDestination
//   pmMaskPenNot   P & ~D       RasterOp_SourceAndNotDestination
//   pmMergeNotPen  ~P | D       RasterOp_NotSourceOrDestination
//   pmMaskNotPen   ~P & D       RasterOp_NotSourceAndDestination
//   pmMerge        P | D        RasterOp_SourceOrDestination
//   pmNotMerge     ~(P | D)     RasterOp_NotSourceAndNotDestination
//   pmMask         P & D        RasterOp_SourceAndDestination
//   pmNotMask      ~(P & D)     RasterOp_NotSourceOrNotDestination
//   pmXor          P ^ D        RasterOp_SourceXorDestination
//   pmNotXor       ~(P ^ D)     RasterOp_NotSourceXorDestination
// As on the classic desktop canvas the mode applies to lines and figure
// interiors; FillRect, FrameRect, text and bitmaps are not affected.
//
// Brush styles: bsSolid → Qt::SolidPattern; bsClear → no fill; bsHorizontal →
// Qt::HorPattern; bsVertical → Qt::VerPattern; bsFDiagonal → Qt::FDiagPattern;
// bsBDiagonal → Qt::BDiagPattern; bsCross → Qt::CrossPattern; bsDiagCross →
// Qt::DiagCrossPattern. Hatches are drawn in the brush colour with a
// transparent background: the pixels between the lines stay as they were. A
// pattern Bitmap replaces the style; its transparent pixels are left alone.

#include "host/Classes.h"

#include <QColor>
#include <QFont>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace cartova::host {

class TBitmap;
struct TFontObject;
/// A font handle from CreateFontIndirect or TFont::GetHandle (DeviceServices.h).
using HFONT = TFontObject*;

// ---------------------------------------------------------------- colours

/// A colour value: 0x00BBGGRR, a system colour 0x800000nn, clNone or clDefault.
using TColor = std::int32_t;

constexpr TColor ColorValue(std::uint32_t V) { return static_cast<TColor>(V); }

constexpr TColor clSystemColor = ColorValue(0x80000000u);
constexpr TColor clScrollBar = ColorValue(0x80000000u);
constexpr TColor clBackground = ColorValue(0x80000001u);
constexpr TColor clActiveCaption = ColorValue(0x80000002u);
constexpr TColor clInactiveCaption = ColorValue(0x80000003u);
constexpr TColor clMenu = ColorValue(0x80000004u);
constexpr TColor clWindow = ColorValue(0x80000005u);
constexpr TColor clWindowFrame = ColorValue(0x80000006u);
constexpr TColor clMenuText = ColorValue(0x80000007u);
constexpr TColor clWindowText = ColorValue(0x80000008u);
constexpr TColor clCaptionText = ColorValue(0x80000009u);
constexpr TColor clActiveBorder = ColorValue(0x8000000Au);
constexpr TColor clInactiveBorder = ColorValue(0x8000000Bu);
constexpr TColor clAppWorkSpace = ColorValue(0x8000000Cu);
constexpr TColor clHighlight = ColorValue(0x8000000Du);
constexpr TColor clHighlightText = ColorValue(0x8000000Eu);
constexpr TColor clBtnFace = ColorValue(0x8000000Fu);
constexpr TColor clBtnShadow = ColorValue(0x80000010u);
constexpr TColor clGrayText = ColorValue(0x80000011u);
constexpr TColor clBtnText = ColorValue(0x80000012u);
constexpr TColor clInactiveCaptionText = ColorValue(0x80000013u);
constexpr TColor clBtnHighlight = ColorValue(0x80000014u);
constexpr TColor cl3DDkShadow = ColorValue(0x80000015u);
constexpr TColor cl3DLight = ColorValue(0x80000016u);
constexpr TColor clInfoText = ColorValue(0x80000017u);
constexpr TColor clInfoBk = ColorValue(0x80000018u);
constexpr TColor clHotLight = ColorValue(0x8000001Au);
constexpr TColor clGradientActiveCaption = ColorValue(0x8000001Bu);
constexpr TColor clGradientInactiveCaption = ColorValue(0x8000001Cu);
constexpr TColor clMenuHighlight = ColorValue(0x8000001Du);
constexpr TColor clMenuBar = ColorValue(0x8000001Eu);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
/// What Pixels returns outside the image (the classic invalid colour, -1).
constexpr TColor CLR_INVALID = ColorValue(0xFFFFFFFFu);

/// The colour from its red, green and blue components (0..255).
constexpr TColor RGB(int R, int G, int B)
{
    return static_cast<TColor>((R & 0xFF) | ((G & 0xFF) << 8) | ((B & 0xFF) << 16));
}
constexpr int GetRValue(TColor C) { return C & 0xFF; }
constexpr int GetGValue(TColor C) { return (C >> 8) & 0xFF; }
constexpr int GetBValue(TColor C) { return (C >> 16) & 0xFF; }

/// Resolves a system colour through the application palette; other values
/// are returned unchanged.
TColor ColorToRGB(TColor Color);
/// The opaque QColor of Color (system colours resolved); clNone and clDefault
/// give a fully transparent QColor.
QColor ColorToQColor(TColor Color);
/// The TColor of a QColor's red, green and blue (alpha is dropped).
TColor QColorToColor(const QColor& Color);

// ------------------------------------------------------------ base class

/// Base of the drawing styles: change notification and a change counter
/// (the canvas re-reads a style only when its counter moved).
class TGraphicsObject : public TPersistent {
public:
    /// Raised after any property value changed (not when set to the same value).
    std::function<void(TObject*)> OnChange;

    /// Counts the changes since construction.
    unsigned GetChangeCount() const { return FChangeCount; }

protected:
    /// Bumps the change counter and raises OnChange.
    virtual void Changed();

private:
    unsigned FChangeCount = 0;
};

// ------------------------------------------------------------------ pen

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

enum TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

/// Line style: colour (black), width in pixels (1), style (solid), mode (copy).
/// A dashed or dotted style draws solid when Width is above 1, as on the
/// classic canvas; the dash gaps are left untouched.
class TPen : public TGraphicsObject {
public:
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    int GetWidth() const { return FWidth; }
    /// Width in pixels; 0 and 1 both draw one-pixel lines.
    void SetWidth(int Value);
    TPenStyle GetStyle() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    TPenMode GetMode() const { return FMode; }
    void SetMode(TPenMode Value);

    /// Copies colour, width, style and mode from another TPen.
    void Assign(const TPersistent* Source) override;
    friend bool operator==(const TPen& A, const TPen& B);

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

// ---------------------------------------------------------------- brush

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

/// Fill style: colour (white), style (solid) and an optional pattern bitmap.
/// Bitmap is a reference, as on the classic canvas: the brush never frees it
/// and the caller keeps it alive while the brush uses it.
class TBrush : public TGraphicsObject {
public:
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    TBrushStyle GetStyle() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    TBitmap* GetBitmap() const { return FBitmap; }
    /// Sets the pattern bitmap (nullptr for none); it overrides Style while set.
    void SetBitmap(TBitmap* Value);

    /// Copies colour, style and the bitmap reference from another TBrush.
    void Assign(const TPersistent* Source) override;
    friend bool operator==(const TBrush& A, const TBrush& B);

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
};

// ----------------------------------------------------------------- font

enum TFontStyle : unsigned { fsBold = 1u, fsItalic = 2u, fsUnderline = 4u, fsStrikeOut = 8u };
/// A set of TFontStyle flags.
using TFontStyles = unsigned;

enum TFontPitch { fpDefault, fpVariable, fpFixed };

using TFontCharset = std::uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset RUSSIAN_CHARSET = 204;
constexpr TFontCharset OEM_CHARSET = 255;

constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr int LF_FACESIZE = 32;

/// The logical-font record: height in pixels (negative: character height,
/// positive: cell height), escapement and orientation in tenths of a degree
/// counter-clockwise, weight 0..1000, the flags and the face name.
struct TLogFont {
    int lfHeight = 0;
    int lfWidth = 0;
    int lfEscapement = 0;
    int lfOrientation = 0;
    int lfWeight = FW_NORMAL;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = DEFAULT_CHARSET;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    std::string lfFaceName;
    friend bool operator==(const TLogFont&, const TLogFont&) = default;
};

/// Pixels per inch the fonts are measured at.
constexpr int ScreenPixelsPerInch = 96;

/// Text style: face name ("Arial"), size 8 points, style, colour
/// (clWindowText), charset, pitch and the escapement of rotated text. Size and
/// Height are one value: Height = -round(Size * 96 / 72).
class TFont : public TGraphicsObject {
public:
    TFont();
    ~TFont() override;

    const std::string& GetName() const { return FName; }
    void SetName(const std::string& Value);
    /// Size in points: -round(Height * 72 / 96), negative for a positive Height.
    int GetSize() const;
    void SetSize(int Value);
    int GetHeight() const { return FHeight; }
    /// Height in pixels: negative for the character height, positive for the
    /// cell height (ascent plus descent).
    void SetHeight(int Value);
    TFontStyles GetStyle() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    TFontCharset GetCharset() const { return FCharset; }
    void SetCharset(TFontCharset Value);
    TFontPitch GetPitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);
    /// Escapement of the text line in tenths of a degree, counter-clockwise.
    int GetOrientation() const { return FOrientation; }
    void SetOrientation(int Value);

    /// The font's logical-font record (no colour).
    TLogFont GetLogFont() const;
    /// Takes name, height, style, charset, pitch and escapement from LogFont.
    void SetLogFont(const TLogFont& LogFont);
    /// A handle describing this font; owned by the font (DeleteObject ignores
    /// it). It stays valid through the next change (so SelectObject can hand
    /// back the font before) and until the font is destroyed.
    HFONT GetHandle() const;
    /// Takes the font's values from a handle. A handle from CreateFontIndirect
    /// that no font owns yet is adopted and freed by this font later.
    void SetHandle(HFONT Value);

    /// The QFont of this font at 96 pixels per inch (pixel size set).
    QFont ToQFont() const;

    /// Copies every property, the colour included, from another TFont.
    void Assign(const TPersistent* Source) override;
    friend bool operator==(const TFont& A, const TFont& B);

protected:
    void Changed() override;

private:
    std::string FName = "Arial";
    int FHeight = -11; // 8 points
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    TFontCharset FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
    int FOrientation = 0;
    mutable HFONT FHandle = nullptr;  // owned; rebuilt after a change
    HFONT FRetired = nullptr;         // owned; the handle before the last change
    HFONT FAdopted = nullptr;         // owned handle taken by SetHandle
};

/// Height in pixels of a font of Size points: -round(Size * 96 / 72).
int FontSizeToHeight(int Size);
/// Size in points of a font of Height pixels (sign ignored).
int FontHeightToSize(int Height);

} // namespace cartova::host

namespace cartova {
using host::TColor;
using host::ColorToRGB;
using host::ColorToQColor;
using host::QColorToColor;
using host::RGB;
using host::GetRValue;
using host::GetGValue;
using host::GetBValue;
using host::clScrollBar;
using host::clBackground;
using host::clActiveCaption;
using host::clInactiveCaption;
using host::clMenu;
using host::clWindow;
using host::clWindowFrame;
using host::clMenuText;
using host::clWindowText;
using host::clCaptionText;
using host::clActiveBorder;
using host::clInactiveBorder;
using host::clAppWorkSpace;
using host::clHighlight;
using host::clHighlightText;
using host::clBtnFace;
using host::clBtnShadow;
using host::clGrayText;
using host::clBtnText;
using host::clInactiveCaptionText;
using host::clBtnHighlight;
using host::cl3DDkShadow;
using host::cl3DLight;
using host::clInfoText;
using host::clInfoBk;
using host::clHotLight;
using host::clGradientActiveCaption;
using host::clGradientInactiveCaption;
using host::clMenuHighlight;
using host::clMenuBar;
using host::clBlack;
using host::clMaroon;
using host::clGreen;
using host::clOlive;
using host::clNavy;
using host::clPurple;
using host::clTeal;
using host::clGray;
using host::clSilver;
using host::clRed;
using host::clLime;
using host::clYellow;
using host::clBlue;
using host::clFuchsia;
using host::clAqua;
using host::clLtGray;
using host::clDkGray;
using host::clWhite;
using host::clMoneyGreen;
using host::clSkyBlue;
using host::clCream;
using host::clMedGray;
using host::clNone;
using host::clDefault;
using host::CLR_INVALID;
using host::TGraphicsObject;
using host::TPenStyle;
using host::psSolid;
using host::psDash;
using host::psDot;
using host::psDashDot;
using host::psDashDotDot;
using host::psClear;
using host::psInsideFrame;
using host::TPenMode;
using host::pmBlack;
using host::pmWhite;
using host::pmNop;
using host::pmNot;
using host::pmCopy;
using host::pmNotCopy;
using host::pmMergePenNot;
using host::pmMaskPenNot;
using host::pmMergeNotPen;
using host::pmMaskNotPen;
using host::pmMerge;
using host::pmNotMerge;
using host::pmMask;
using host::pmNotMask;
using host::pmXor;
using host::pmNotXor;
using host::TPen;
using host::TBrushStyle;
using host::bsSolid;
using host::bsClear;
using host::bsHorizontal;
using host::bsVertical;
using host::bsFDiagonal;
using host::bsBDiagonal;
using host::bsCross;
using host::bsDiagCross;
using host::TBrush;
using host::TFontStyle;
using host::TFontStyles;
using host::fsBold;
using host::fsItalic;
using host::fsUnderline;
using host::fsStrikeOut;
using host::TFontPitch;
using host::fpDefault;
using host::fpVariable;
using host::fpFixed;
using host::TFontCharset;
using host::ANSI_CHARSET;
using host::DEFAULT_CHARSET;
using host::SYMBOL_CHARSET;
using host::RUSSIAN_CHARSET;
using host::OEM_CHARSET;
using host::FW_NORMAL;
using host::FW_BOLD;
using host::TLogFont;
using host::TFont;
using host::HFONT;
using host::FontSizeToHeight;
using host::FontHeightToSize;
} // namespace cartova
