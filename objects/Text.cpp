#include "objects/Text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace cartova {

namespace {

/// Largest font size the fitting reaches, and the most single steps it takes
/// in one direction: the loops end even for a font whose metrics do not
/// follow its size.
constexpr int MaxFitSize = 4000;
constexpr int MaxFitSteps = 400;

/// Rounds to the nearest integer, halves to even; non-finite values give 0
/// and the result stays within the fitting's size range.
int RoundSize(double Value)
{
    if (!std::isfinite(Value))
        return 0;
    return static_cast<int>(std::nearbyint(std::clamp(Value, -1.0e6, 1.0e6)));
}

/// Sets the map's text-sizing flag for a scope and restores its value after.
class TTextSizingScope {
public:
    explicit TTextSizingScope(TMapView* Map) : FMap(Map), FOld(Map->GetTextSizing())
    {
        FMap->SetTextSizing(true);
    }
    ~TTextSizingScope() { FMap->SetTextSizing(FOld); }
    TTextSizingScope(const TTextSizingScope&) = delete;
    TTextSizingScope& operator=(const TTextSizingScope&) = delete;

private:
    TMapView* FMap;
    bool FOld;
};

} // namespace

namespace detail {
int TextStartSize(int BoxHeight)
{
    return std::max(2, std::min(200, RoundSize(BoxHeight / 1.48)));
}
} // namespace detail

TText::TText()
{
    GetFont()->OnChange = [this](TObject*) { FontChanged(); };
}

TText::~TText()
{
    GetFont()->OnChange = nullptr;
}

void TText::SetFont(TFont* Value)
{
    GetFont()->OnChange = nullptr;
    TSymbol::SetFont(Value);
    GetFont()->OnChange = [this](TObject*) { FontChanged(); };
}

void TText::Assign(const TPersistent* Source)
{
    FAssigning = true;
    try {
        TSymbol::Assign(Source);
    } catch (...) {
        FAssigning = false;
        throw;
    }
    FAssigning = false;
    if (const auto* Other = dynamic_cast<const TText*>(Source)) {
        FText = Other->FText;
        FAngle = Other->FAngle;
        FWidth = Other->FWidth;
        FHeight = Other->FHeight;
        FFreezeFontSize = Other->FFreezeFontSize;
        FMinShowTextSize = Other->FMinShowTextSize;
    }
}

void TText::SetText(const std::string& Value)
{
    FText = Value;
    RecalcTextSize();
}

void TText::SetWidth(double Value)
{
    FWidth = Value;
    RecalcTextSize();
}

void TText::SetHeight(double Value)
{
    FHeight = Value;
    RecalcTextSize();
}

void TText::SetFreezeFontSize(bool Value)
{
    FFreezeFontSize = Value;
    if (Value && GetMap())
        GetMap()->DoUpdate(true);
}

void TText::SetMinShowTextSize(int Value)
{
    if (Value < 4)
        return;
    FMinShowTextSize = Value;
    if (GetMap())
        GetMap()->DoUpdate(true);
}

namespace {

/// The box corners in map units: upper-left, upper-right, lower-right,
/// lower-left of the box turned by Angle degrees about its upper-left corner.
std::array<TMapPoint, 4> BoxCorners(double X, double Y, double W, double H, double Angle)
{
    const double A = Angle * std::numbers::pi / 180;
    const double B = -A;
    const double Theta = std::atan2(H, W);
    const double D = std::sqrt(W * W + H * H);
    return {{
        {X, Y + H},
        {X + W * std::cos(A), Y + H + W * std::sin(A)},
        {X + D * std::cos(B + Theta), Y + H - D * std::sin(B + Theta)},
        {X - H * std::sin(B), Y + H - H * std::cos(B)},
    }};
}

} // namespace

TBounds TText::GetExtent() const
{
    TBounds R{GetX(), GetY(), GetX(), GetY()};
    if (!(FWidth > 0) || !(FHeight > 0))
        return R;
    for (const TMapPoint& P : BoxCorners(GetX(), GetY(), FWidth, FHeight, FAngle)) {
        R.MinX = std::min(R.MinX, P.X);
        R.MinY = std::min(R.MinY, P.Y);
        R.MaxX = std::max(R.MaxX, P.X);
        R.MaxY = std::max(R.MaxY, P.Y);
    }
    return R;
}

TTextPoligon TText::GetTextPolygon() const
{
    TTextPoligon Result;
    TMapView* Map = GetMap();
    if (!Map)
        return Result;
    const auto Corners = BoxCorners(GetX(), GetY(), FWidth, FHeight, FAngle);
    Result.resize(4);
    for (int I = 0; I < 4; ++I)
        Map->MapToScreen(Corners[I].X, Corners[I].Y, Result[I].X, Result[I].Y, false);
    return Result;
}

TRect TText::GetTextRect(bool /*Flag*/) const
{
    const TTextPoligon Corners = GetTextPolygon();
    if (Corners.empty())
        return TRect{0, 0, 0, 0};
    TRect R{Corners[0].X, Corners[0].Y, Corners[0].X, Corners[0].Y};
    for (const TPoint& P : Corners) {
        R.Left = std::min(R.Left, P.X);
        R.Top = std::min(R.Top, P.Y);
        R.Right = std::max(R.Right, P.X);
        R.Bottom = std::max(R.Bottom, P.Y);
    }
    return R;
}

void TText::CanvasSetAngle(TCanvas* Canvas, double Angle)
{
    // A whole number of turns changes nothing; reducing the angle keeps the
    // tenths of a degree within the record's integer range.
    const double Reduced = std::isfinite(Angle) ? std::fmod(Angle, 360.0) : 0.0;
    TLogFont LogFont;
    GetObject(Canvas->GetFont()->GetHandle(), LogFont);
    LogFont.lfEscapement = static_cast<int>(std::ceil(Reduced * 10));
    // The orientation of each character follows the line of text.
    LogFont.lfOrientation = LogFont.lfEscapement;
    Canvas->GetFont()->SetHandle(CreateFontIndirect(LogFont));
}

void TText::RecalcTextSize()
{
    TMapView* Map = GetMap();
    if (!Map || FText.empty() || !(FHeight > 0) || !(FWidth > 0))
        return;
    const TTextSizingScope Sizing(Map);
    int SX, SY, SX2, SY2;
    Map->MapToScreen(GetX(), GetY(), SX, SY, false);
    Map->MapToScreen(GetX() + FWidth, GetY() + FHeight, SX2, SY2, false);
    const int BoxH = std::max(5, std::abs(SY - SY2));
    const int BoxW = std::max(4, std::abs(SX - SX2));
    if (BoxH < 6 || BoxW < 4) {
        GetFont()->SetSize(3);
        return;
    }

    TCanvas* Canvas = Map->GetCanvas();
    TFont* CanvasFont = Canvas->GetFont();
    CanvasFont->Assign(GetFont());
    int Size = detail::TextStartSize(BoxH);
    TSize Extent{};
    const auto Measure = [&](int NewSize) {
        CanvasFont->SetSize(NewSize);
        return Canvas->TextExtent(FText);
    };
    const auto Fits = [&](const TSize& E) { return E.cx <= BoxW && E.cy <= BoxH; };
    Extent = Measure(Size);

    // A first jump by the ratio of text to box, then single steps.
    if (!Fits(Extent)) {
        const double R = std::max(double(Extent.cy) / BoxH, double(Extent.cx) / BoxW);
        if (R > 1.2) {
            Size = std::clamp(RoundSize(Size / R) + 1, 2, MaxFitSize);
            Extent = Measure(Size);
        }
    } else if (Extent.cx < BoxW && Extent.cy < BoxH) {
        const double R = std::min(double(Extent.cy) / BoxH, double(Extent.cx) / BoxW);
        if (R > 0 && R < 0.8) {
            Size = std::clamp(RoundSize(Size / R) - 2, 2, MaxFitSize);
            Extent = Measure(Size);
        }
    }

    // Too big: shrink until it fits, but not far below the smallest shown size.
    bool BelowShown = false;
    for (int Step = 0; !Fits(Extent) && Step < MaxFitSteps; ++Step) {
        --Size;
        if (Size < FMinShowTextSize - 1 || Size < 1) {
            CanvasFont->SetSize(std::max(Size, 1));
            BelowShown = true;
            break;
        }
        Extent = Measure(Size);
    }
    // Fits: grow while one size more still fits.
    if (!BelowShown && Fits(Extent)) {
        for (int Step = 0; Step < MaxFitSteps && Size < MaxFitSize; ++Step) {
            if (!Fits(Measure(Size + 1))) {
                CanvasFont->SetSize(Size);
                break;
            }
            ++Size;
        }
    }
    GetFont()->Assign(CanvasFont);
}

void TText::AutoSizeText()
{
    TMapView* Map = GetMap();
    if (!Map || FText.empty())
        return;
    TCanvas* Canvas = Map->GetCanvas();
    Canvas->GetFont()->Assign(GetFont());
    const TSize Extent = Canvas->TextExtent(FText);
    int SX, SY;
    Map->MapToScreen(GetX(), GetY(), SX, SY, false);
    double MX, MY;
    Map->ScreenToMap(SX + Extent.cx + RoundSize(Extent.cx * 0.1), SY + Extent.cy + 1, MX, MY);
    // Stored directly: the box follows the font here, it must not refit it.
    FWidth = std::abs(MX - GetX());
    FHeight = std::abs(GetY() - MY);
}

void TText::Draw()
{
    TMapView* Map = GetMap();
    if (!Map)
        return;
    {
        const TTextSizingScope Sizing(Map);
        if (FFreezeFontSize)
            AutoSizeText();
        else
            RecalcTextSize();
    }
    if (!IsShown())
        return;
    int SX, SY, SX2, SY2;
    Map->MapToScreen(GetX(), GetY(), SX, SY, false);
    Map->MapToScreen(GetX() + FWidth, GetY() + FHeight, SX2, SY2, false);
    TCanvas* Canvas = Map->GetCanvas();
    Canvas->SetFont(GetFont());
    if (!Map->GetFastSelection() && GetSelected()) {
        Canvas->GetBrush()->SetBitmap(Map->GetSelectionPattern());
        Canvas->Polygon(GetTextPolygon());
    } else if (GetUseBGColor()) {
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->GetBrush()->SetColor(GetBGColor());
        Canvas->GetPen()->SetColor(GetPen()->GetColor());
        Canvas->Polygon(GetTextPolygon());
    }
    Canvas->GetBrush()->SetStyle(bsClear);
    CanvasSetAngle(Canvas, FAngle);
    Canvas->TextOut(SX, SY2, FText);
    CanvasSetAngle(Canvas, 0);
    Canvas->GetBrush()->SetStyle(bsSolid);
}

void TText::DrawSelection()
{
    TMapView* Map = GetMap();
    if (!Map || !Map->GetShowSelection())
        return;
    PrepareCanvasAtributes();
    TCanvas* Canvas = Map->GetCanvas();
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetPen()->SetMode(pmXor);
    Canvas->GetPen()->SetColor(GetFont()->GetColor());
    Canvas->GetPen()->SetStyle(psClear);
    Canvas->Polygon(GetTextPolygon());
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetPen()->SetMode(pmCopy);
    Canvas->GetPen()->SetStyle(GetPen()->GetStyle());
}

bool TText::ContainsPoint(double PX, double PY) const
{
    TMapView* Map = GetMap();
    if (!Map)
        return false;
    int QX, QY;
    Map->MapToScreen(PX, PY, QX, QY, false);
    const TRect R = GetTextRect(false);
    return R.Left <= QX && QX <= R.Right && R.Top <= QY && QY <= R.Bottom;
}

void TText::FontChanged()
{
    TMapView* Map = GetMap();
    if (FAssigning || !Map || FText.empty() || Map->GetTextSizing())
        return;
    const TTextSizingScope Sizing(Map);
    AutoSizeText();
    Map->DoUpdate(true);
}

} // namespace cartova
