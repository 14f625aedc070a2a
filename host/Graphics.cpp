#include "host/Graphics.h"

#include "host/Bitmap.h"
#include "host/DeviceServices.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <limits>

namespace cartova::host {

namespace {

// Classic values of the system colours, used when no application exists.
constexpr std::uint32_t FallbackSysColors[31] = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xE1FFFF, 0xB5B5B5, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0};

struct TPaletteRole {
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
};

// The palette role standing for each classic system colour index.
constexpr TPaletteRole SysColorRoles[31] = {
    {QPalette::Active, QPalette::Button},          // scroll bar
    {QPalette::Active, QPalette::Dark},            // desktop background
    {QPalette::Active, QPalette::Highlight},       // active caption
    {QPalette::Inactive, QPalette::Mid},           // inactive caption
    {QPalette::Active, QPalette::Window},          // menu
    {QPalette::Active, QPalette::Base},            // window
    {QPalette::Active, QPalette::Shadow},          // window frame
    {QPalette::Active, QPalette::WindowText},      // menu text
    {QPalette::Active, QPalette::Text},            // window text
    {QPalette::Active, QPalette::HighlightedText}, // caption text
    {QPalette::Active, QPalette::Window},          // active border
    {QPalette::Inactive, QPalette::Window},        // inactive border
    {QPalette::Active, QPalette::Mid},             // application workspace
    {QPalette::Active, QPalette::Highlight},       // highlight
    {QPalette::Active, QPalette::HighlightedText}, // highlight text
    {QPalette::Active, QPalette::Button},          // button face
    {QPalette::Active, QPalette::Dark},            // button shadow
    {QPalette::Disabled, QPalette::Text},          // grey text
    {QPalette::Active, QPalette::ButtonText},      // button text
    {QPalette::Inactive, QPalette::WindowText},    // inactive caption text
    {QPalette::Active, QPalette::Light},           // button highlight
    {QPalette::Active, QPalette::Shadow},          // 3D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 3D light
    {QPalette::Active, QPalette::ToolTipText},     // info text
    {QPalette::Active, QPalette::ToolTipBase},     // info background
    {QPalette::Active, QPalette::Button},          // (unused index 25)
    {QPalette::Active, QPalette::Link},            // hot light
    {QPalette::Active, QPalette::Highlight},       // gradient active caption
    {QPalette::Inactive, QPalette::Mid},           // gradient inactive caption
    {QPalette::Active, QPalette::Highlight},       // menu highlight
    {QPalette::Active, QPalette::Window},          // menu bar
};

int MulDiv(int A, int B, int C)
{
    if (C == 0)
        return -1;
    const double R = std::round(static_cast<double>(A) * B / C);
    return static_cast<int>(std::clamp(R, static_cast<double>(std::numeric_limits<int>::min()),
                                       static_cast<double>(std::numeric_limits<int>::max())));
}

} // namespace

TColor ColorToRGB(TColor Color)
{
    if ((static_cast<std::uint32_t>(Color) & 0xFF000000u) != 0x80000000u)
        return Color;
    const unsigned Index = static_cast<std::uint32_t>(Color) & 0xFFu;
    if (Index >= 31)
        return clBlack;
    if (!qGuiApp)
        return static_cast<TColor>(FallbackSysColors[Index]);
    const TPaletteRole& R = SysColorRoles[Index];
    return QColorToColor(QGuiApplication::palette().color(R.Group, R.Role));
}

QColor ColorToQColor(TColor Color)
{
    if (Color == clNone || Color == clDefault)
        return QColor(0, 0, 0, 0);
    const TColor C = ColorToRGB(Color);
    return QColor(GetRValue(C), GetGValue(C), GetBValue(C));
}

TColor QColorToColor(const QColor& Color)
{
    return RGB(Color.red(), Color.green(), Color.blue());
}

// ---------------------------------------------------------------- base

void TGraphicsObject::Changed()
{
    ++FChangeCount;
    if (OnChange)
        OnChange(this);
}

// ------------------------------------------------------------------ pen

void TPen::SetColor(TColor Value)
{
    if (FColor != Value) {
        FColor = Value;
        Changed();
    }
}

void TPen::SetWidth(int Value)
{
    if (Value < 0)
        Value = 0;
    if (FWidth != Value) {
        FWidth = Value;
        Changed();
    }
}

void TPen::SetStyle(TPenStyle Value)
{
    if (FStyle != Value) {
        FStyle = Value;
        Changed();
    }
}

void TPen::SetMode(TPenMode Value)
{
    if (FMode != Value) {
        FMode = Value;
        Changed();
    }
}

void TPen::Assign(const TPersistent* Source)
{
    if (const auto* P = dynamic_cast<const TPen*>(Source)) {
        if (!(*this == *P)) {
            FColor = P->FColor;
            FWidth = P->FWidth;
            FStyle = P->FStyle;
            FMode = P->FMode;
            Changed();
        }
        return;
    }
    TPersistent::Assign(Source);
}

bool operator==(const TPen& A, const TPen& B)
{
    return A.FColor == B.FColor && A.FWidth == B.FWidth && A.FStyle == B.FStyle && A.FMode == B.FMode;
}

// ---------------------------------------------------------------- brush

void TBrush::SetColor(TColor Value)
{
    if (FColor != Value) {
        FColor = Value;
        Changed();
    }
}

void TBrush::SetStyle(TBrushStyle Value)
{
    if (FStyle != Value) {
        FStyle = Value;
        Changed();
    }
}

void TBrush::SetBitmap(TBitmap* Value)
{
    if (FBitmap != Value) {
        FBitmap = Value;
        Changed();
    }
}

void TBrush::Assign(const TPersistent* Source)
{
    if (const auto* B = dynamic_cast<const TBrush*>(Source)) {
        if (!(*this == *B)) {
            FColor = B->FColor;
            FStyle = B->FStyle;
            FBitmap = B->FBitmap;
            Changed();
        }
        return;
    }
    TPersistent::Assign(Source);
}

bool operator==(const TBrush& A, const TBrush& B)
{
    return A.FColor == B.FColor && A.FStyle == B.FStyle && A.FBitmap == B.FBitmap;
}

// ----------------------------------------------------------------- font

int FontSizeToHeight(int Size) { return -MulDiv(Size, ScreenPixelsPerInch, 72); }

int FontHeightToSize(int Height) { return MulDiv(std::abs(Height), 72, ScreenPixelsPerInch); }

TFont::TFont() = default;

TFont::~TFont()
{
    delete FHandle;
    delete FRetired;
    delete FAdopted;
}

void TFont::Changed()
{
    if (FHandle) {
        delete FRetired;
        FRetired = FHandle;
        FHandle = nullptr;
    }
    TGraphicsObject::Changed();
}

void TFont::SetName(const std::string& Value)
{
    if (FName != Value) {
        FName = Value;
        Changed();
    }
}

int TFont::GetSize() const { return -MulDiv(FHeight, 72, ScreenPixelsPerInch); }

void TFont::SetSize(int Value) { SetHeight(FontSizeToHeight(Value)); }

void TFont::SetHeight(int Value)
{
    if (FHeight != Value) {
        FHeight = Value;
        Changed();
    }
}

void TFont::SetStyle(TFontStyles Value)
{
    Value &= fsBold | fsItalic | fsUnderline | fsStrikeOut;
    if (FStyle != Value) {
        FStyle = Value;
        Changed();
    }
}

void TFont::SetColor(TColor Value)
{
    if (FColor != Value) {
        FColor = Value;
        Changed();
    }
}

void TFont::SetCharset(TFontCharset Value)
{
    if (FCharset != Value) {
        FCharset = Value;
        Changed();
    }
}

void TFont::SetPitch(TFontPitch Value)
{
    if (FPitch != Value) {
        FPitch = Value;
        Changed();
    }
}

void TFont::SetOrientation(int Value)
{
    if (FOrientation != Value) {
        FOrientation = Value;
        Changed();
    }
}

TLogFont TFont::GetLogFont() const
{
    TLogFont L;
    L.lfHeight = FHeight;
    L.lfEscapement = FOrientation;
    L.lfOrientation = FOrientation;
    L.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
    L.lfItalic = (FStyle & fsItalic) ? 1 : 0;
    L.lfUnderline = (FStyle & fsUnderline) ? 1 : 0;
    L.lfStrikeOut = (FStyle & fsStrikeOut) ? 1 : 0;
    L.lfCharSet = FCharset;
    L.lfPitchAndFamily = FPitch == fpFixed ? 1 : FPitch == fpVariable ? 2 : 0;
    L.lfFaceName = FName.substr(0, LF_FACESIZE - 1);
    return L;
}

void TFont::SetLogFont(const TLogFont& L)
{
    TFontStyles Style = 0;
    if (L.lfWeight >= FW_BOLD)
        Style |= fsBold;
    if (L.lfItalic)
        Style |= fsItalic;
    if (L.lfUnderline)
        Style |= fsUnderline;
    if (L.lfStrikeOut)
        Style |= fsStrikeOut;
    const int PitchBits = L.lfPitchAndFamily & 3;
    const TFontPitch Pitch = PitchBits == 1 ? fpFixed : PitchBits == 2 ? fpVariable : fpDefault;
    const std::string Name = L.lfFaceName.empty() ? FName : L.lfFaceName;
    if (Name == FName && L.lfHeight == FHeight && Style == FStyle && L.lfCharSet == FCharset &&
        Pitch == FPitch && L.lfEscapement == FOrientation)
        return;
    FName = Name;
    FHeight = L.lfHeight;
    FStyle = Style;
    FCharset = L.lfCharSet;
    FPitch = Pitch;
    FOrientation = L.lfEscapement;
    Changed();
}

HFONT TFont::GetHandle() const
{
    if (!FHandle) {
        FHandle = new TFontObject;
        FHandle->LogFont = GetLogFont();
        FHandle->Owner = this;
    }
    return FHandle;
}

void TFont::SetHandle(HFONT Value)
{
    if (!Value)
        return;
    const TLogFont L = Value->LogFont;
    if (!Value->Owner) {
        delete FAdopted;
        FAdopted = Value;
        Value->Owner = this;
    }
    SetLogFont(L);
}

QFont TFont::ToQFont() const
{
    QFont F(QString::fromStdString(FName));
    F.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
    F.setHintingPreference(QFont::PreferFullHinting);
    F.setWeight((FStyle & fsBold) ? QFont::Bold : QFont::Normal);
    F.setItalic(FStyle & fsItalic);
    F.setUnderline(FStyle & fsUnderline);
    F.setStrikeOut(FStyle & fsStrikeOut);
    if (FPitch == fpFixed) {
        F.setFixedPitch(true);
        F.setStyleHint(QFont::TypeWriter, F.styleStrategy());
    }
    int Pixels = 0;
    if (FHeight < 0) {
        Pixels = -FHeight;
    } else if (FHeight > 0) {
        // A positive height is the cell height: scale from a reference size.
        QFont Ref(F);
        Ref.setPixelSize(100);
        const int Cell = QFontMetrics(Ref).height();
        Pixels = Cell > 0 ? static_cast<int>(std::lround(FHeight * 100.0 / Cell)) : FHeight;
    } else {
        Pixels = -FontSizeToHeight(8);
    }
    F.setPixelSize(std::max(1, Pixels));
    return F;
}

void TFont::Assign(const TPersistent* Source)
{
    if (const auto* F = dynamic_cast<const TFont*>(Source)) {
        if (!(*this == *F)) {
            FName = F->FName;
            FHeight = F->FHeight;
            FStyle = F->FStyle;
            FColor = F->FColor;
            FCharset = F->FCharset;
            FPitch = F->FPitch;
            FOrientation = F->FOrientation;
            Changed();
        }
        return;
    }
    TPersistent::Assign(Source);
}

bool operator==(const TFont& A, const TFont& B)
{
    return A.FName == B.FName && A.FHeight == B.FHeight && A.FStyle == B.FStyle &&
           A.FColor == B.FColor && A.FCharset == B.FCharset && A.FPitch == B.FPitch &&
           A.FOrientation == B.FOrientation;
}

} // namespace cartova::host
