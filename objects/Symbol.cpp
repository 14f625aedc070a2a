#include "objects/Symbol.h"

#include "objects/SymbolShapes.h"

#include <QString>

#include <algorithm>
#include <cstdlib>

namespace cartova {

namespace {

/// The symbol's character as UTF-8 text (codes up to 255 are the single-byte
/// symbol font codes, read as Latin-1).
std::string ShapeText(int Shape)
{
    return QString(QChar(static_cast<char32_t>(Shape) <= 0xFFFF ? static_cast<char16_t>(Shape) : u'?'))
        .toStdString();
}

/// The largest em square, in pixels, a symbol shape is drawn at.
constexpr long long MaxShapePixels = 1 << 16;

/// The pixel size a font of Font's height (or, without one, its point size)
/// draws its em square at, within 0..MaxShapePixels.
int FontPixelSize(const TFont* Font)
{
    const long long H = Font->GetHeight();
    const long long Pixels =
        H != 0 ? std::abs(H) : (static_cast<long long>(Font->GetSize()) * host::ScreenPixelsPerInch + 36) / 72;
    return static_cast<int>(std::clamp<long long>(Pixels, 0, MaxShapePixels));
}

} // namespace

TSymbol::TSymbol()
{
    SetX(0);
    SetY(0);
}

void TSymbol::Assign(const TPersistent* Source)
{
    TCustomMapObject::Assign(Source);
    if (const auto* Other = dynamic_cast<const TSymbol*>(Source))
        FShape = Other->FShape;
}

void TSymbol::SetShape(int Value) { FShape = std::max(Value, 31); }

TMapPoint& TSymbol::Anchor() const
{
    return AnchorOrAdd(0, 0);
}

TMapPoint& TSymbol::AnchorOrAdd(double X, double Y) const
{
    TParts* Parts = GetParts();
    if (Parts->Count() == 0)
        Parts->Add();
    TMapPoints* Points = Parts->First()->GetPoints();
    if (Points->Count() == 0)
        Points->Add(X, Y);
    return Points->GetPoint(0);
}

double TSymbol::GetX() const { return Anchor().X; }
double TSymbol::GetY() const { return Anchor().Y; }

void TSymbol::SetX(double Value)
{
    AnchorOrAdd(Value, 0).X = Value;
}

void TSymbol::SetY(double Value)
{
    AnchorOrAdd(0, Value).Y = Value;
}

void TSymbol::Draw()
{
    TMapView* Map = GetMap();
    if (!Map || FShape == 31)
        return;
    Anchor();
    TCanvas* Canvas = Map->GetCanvas();
    const std::string Char = ShapeText(FShape);
    const int H = Canvas->TextHeight(Char);
    const int W = Canvas->TextWidth(Char);
    const TPoint P = GetPixels(0, 0);
    if (!Map->GetFastSelection() && GetSelected()) {
        Canvas->GetBrush()->SetBitmap(Map->GetSelectionPattern());
        Canvas->FillRect(TRect{P.X - W / 2, P.Y - H / 2, P.X + W / 2, P.Y + H / 2});
    }
    Canvas->GetBrush()->SetStyle(bsClear);
    const TFont* Font = Canvas->GetFont();
    if (IsFontInstalled(Font->GetName()))
        Canvas->TextOut(P.X - W / 2, P.Y - H / 2, Char);
    else
        DrawSymbolShape(Canvas, MapInfoSymbolCode(Font->GetName(), FShape), P.X, P.Y, FontPixelSize(Font),
                        Font->GetColor());
    Canvas->GetBrush()->SetStyle(bsSolid);
}

void TSymbol::DrawSelection()
{
    TMapView* Map = GetMap();
    if (!Map || !Map->GetShowSelection())
        return;
    TCustomMapObject::DrawSelection();
    Anchor();
    TCanvas* Canvas = Map->GetCanvas();
    const std::string Char = ShapeText(FShape);
    const int H = Canvas->TextHeight(Char);
    const int W = Canvas->TextWidth(Char);
    const TPoint P = GetPixels(0, 0);
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetPen()->SetMode(pmXor);
    Canvas->GetPen()->SetColor(GetFont()->GetColor());
    Canvas->Rectangle(P.X - W / 2, P.Y - H / 2, P.X + W / 2, P.Y + H / 2);
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetPen()->SetMode(pmCopy);
}

bool TSymbol::ContainsPoint(double PX, double PY) const
{
    TMapView* Map = GetMap();
    if (!Map)
        return true;
    int SX, SY, QX, QY;
    Map->MapToScreen(GetX(), GetY(), SX, SY, false);
    Map->MapToScreen(PX, PY, QX, QY, false);
    const int D = GetFont()->GetSize() / 2 + 2;
    return SX - D <= QX && QX <= SX + D && SY - D <= QY && QY <= SY + D;
}

bool TSymbol::Intersects(const TCustomMapObject* MapObject) const
{
    return MapObject->ContainsPoint(GetX(), GetY());
}

bool TSymbol::Contains(const TCustomMapObject* /*MapObject*/) const { return false; }

bool TSymbol::IntersectsRect(double X0, double Y0, double X1, double Y1) const
{
    return PointInRect(GetX(), GetY(), X0, Y0, X1, Y1);
}

bool TSymbol::WithinRect(double X0, double Y0, double X1, double Y1) const
{
    return PointInRect(GetX(), GetY(), X0, Y0, X1, Y1);
}

bool TSymbol::ContainsRect(double, double, double, double) const { return false; }

} // namespace cartova
