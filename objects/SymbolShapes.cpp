#include "objects/SymbolShapes.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

#include <cmath>
#include <initializer_list>
#include <map>
#include <numbers>
#include <utility>
#include <vector>

namespace cartova {

namespace {

using TUnitPoint = std::pair<double, double>;

/// Draws figures given in unit coordinates (-1..1, y up) scaled to a square
/// of Size pixels centred on (CX, CY).
class TShapePainter {
public:
    TShapePainter(TCanvas* Canvas, int CX, int CY, int Size, TColor Color)
        : FCanvas(Canvas), FCX(CX), FCY(CY), FR(Size / 2.0), FColor(Color),
          FLineWidth(std::max(1, static_cast<int>(std::lround(Size / 10.0))))
    {
    }

    TPoint P(double X, double Y, double DX = 0, double DY = 0) const
    {
        return {FCX + static_cast<int>(std::lround(X * FR + DX)),
                FCY - static_cast<int>(std::lround(Y * FR - DY))};
    }

    void SetColor(TColor Color) { FColor = Color; }
    double Shift() const { return std::max(1.0, FR / 4.0); }

    void Polygon(const std::vector<TUnitPoint>& Points, bool Filled, double DX = 0, double DY = 0)
    {
        std::vector<TPoint> Pixels;
        Pixels.reserve(Points.size());
        for (const auto& [X, Y] : Points)
            Pixels.push_back(P(X, Y, DX, DY));
        Style(Filled);
        FCanvas->Polygon(Pixels);
    }

    void Circle(double X, double Y, double R, bool Filled, double DX = 0, double DY = 0)
    {
        const TPoint A = P(X - R, Y + R, DX, DY);
        const TPoint B = P(X + R, Y - R, DX, DY);
        Style(Filled);
        FCanvas->Ellipse(A.X, A.Y, B.X + 1, B.Y + 1);
    }

    void Line(double X0, double Y0, double X1, double Y1)
    {
        Style(false);
        const TPoint A = P(X0, Y0), B = P(X1, Y1);
        FCanvas->MoveTo(A.X, A.Y);
        FCanvas->LineTo(B.X, B.Y);
        FCanvas->SetPixels(B.X, B.Y, FColor); // LineTo leaves out its end pixel
    }

    void Rect(double X0, double Y0, double X1, double Y1, bool Filled)
    {
        Polygon({{X0, Y0}, {X1, Y0}, {X1, Y1}, {X0, Y1}}, Filled);
    }

private:
    void Style(bool Filled)
    {
        TPen* Pen = FCanvas->GetPen();
        Pen->SetMode(pmCopy);
        Pen->SetStyle(psSolid);
        Pen->SetColor(FColor);
        Pen->SetWidth(Filled ? 1 : FLineWidth);
        TBrush* Brush = FCanvas->GetBrush();
        Brush->SetBitmap(nullptr);
        Brush->SetColor(FColor);
        Brush->SetStyle(Filled ? bsSolid : bsClear);
    }

    TCanvas* FCanvas;
    int FCX, FCY;
    double FR;
    TColor FColor;
    int FLineWidth;
};

std::vector<TUnitPoint> Star(double Outer, double Inner)
{
    std::vector<TUnitPoint> Points;
    for (int I = 0; I < 10; ++I) {
        const double A = std::numbers::pi / 2 + I * std::numbers::pi / 5;
        const double R = (I % 2 == 0) ? Outer : Inner;
        Points.emplace_back(R * std::cos(A), R * std::sin(A) - 0.05);
    }
    return Points;
}

std::vector<TUnitPoint> Regular(int N, double R, double Start)
{
    std::vector<TUnitPoint> Points;
    for (int I = 0; I < N; ++I) {
        const double A = Start + I * 2 * std::numbers::pi / N;
        Points.emplace_back(R * std::cos(A), R * std::sin(A));
    }
    return Points;
}

const std::vector<TUnitPoint> Square = {{-0.8, -0.8}, {0.8, -0.8}, {0.8, 0.8}, {-0.8, 0.8}};
const std::vector<TUnitPoint> Diamond = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
const std::vector<TUnitPoint> TriangleUp = {{0, 0.95}, {0.95, -0.75}, {-0.95, -0.75}};
const std::vector<TUnitPoint> TriangleDown = {{0, -0.95}, {-0.95, 0.75}, {0.95, 0.75}};

TColor Darker(TColor Color)
{
    const TColor C = ColorToRGB(Color);
    return static_cast<TColor>(((GetRValue(C) / 2)) | ((GetGValue(C) / 2) << 8) |
                               ((GetBValue(C) / 2) << 16));
}

/// A figure drawn twice: its shadow, then the figure itself.
template <typename Figure>
void WithShadow(TShapePainter& S, TColor Color, Figure Draw)
{
    const double D = S.Shift();
    S.SetColor(Darker(Color));
    Draw(D);
    S.SetColor(Color);
    Draw(0.0);
}

void DrawShape(TShapePainter& S, int Code, TColor Color)
{
    switch (Code) {
    case 32: S.Polygon(Square, true); break;
    case 33: S.Polygon(Diamond, true); break;
    case 34: S.Circle(0, 0, 1.0, true); break;
    case 35: S.Polygon(Star(1.0, 0.4), true); break;
    case 36: S.Polygon(TriangleUp, true); break;
    case 37: S.Polygon(TriangleDown, true); break;
    case 38: S.Polygon(Square, false); break;
    case 39: S.Polygon(Diamond, false); break;
    case 40: S.Circle(0, 0, 0.85, false); break;
    case 41: S.Polygon(Star(1.0, 0.4), false); break;
    case 42: S.Polygon(TriangleUp, false); break;
    case 43: S.Polygon(TriangleDown, false); break;
    case 44: {
        const std::vector<TUnitPoint> Small = {{-0.7, -0.6}, {0.6, -0.6}, {0.6, 0.7}, {-0.7, 0.7}};
        WithShadow(S, Color, [&](double D) { S.Polygon(Small, true, D, D); });
        break;
    }
    case 45: {
        const std::vector<TUnitPoint> Small = {{-0.1, 0.9}, {0.8, 0}, {-0.1, -0.9}, {-1, 0}};
        WithShadow(S, Color, [&](double D) { S.Polygon(Small, true, D, D); });
        break;
    }
    case 46: WithShadow(S, Color, [&](double D) { S.Circle(-0.1, 0.1, 0.75, true, D, D); }); break;
    case 47: WithShadow(S, Color, [&](double D) { S.Polygon(Star(0.9, 0.36), true, D, D); }); break;
    case 48: {
        const std::vector<TUnitPoint> Small = {{-0.1, 0.85}, {0.75, -0.65}, {-0.95, -0.65}};
        WithShadow(S, Color, [&](double D) { S.Polygon(Small, true, D, D); });
        break;
    }
    case 49:
        S.Line(-0.9, 0, 0.9, 0);
        S.Line(0, -0.9, 0, 0.9);
        break;
    case 50:
        S.Line(-0.75, -0.75, 0.75, 0.75);
        S.Line(-0.75, 0.75, 0.75, -0.75);
        break;
    case 51:
        S.Circle(0, 0, 0.85, false);
        S.Line(-0.85, 0, 0.85, 0);
        S.Line(0, -0.85, 0, 0.85);
        break;
    case 52:
        S.Circle(0, 0, 0.85, false);
        S.Line(-0.6, -0.6, 0.6, 0.6);
        S.Line(-0.6, 0.6, 0.6, -0.6);
        break;
    case 53: S.Circle(0, 0, 0.35, true); break;
    case 54:
        S.Circle(0, 0, 0.85, false);
        S.Circle(0, 0, 0.25, true);
        break;
    case 55:
        S.Line(-0.7, -1, -0.7, 1);
        S.Polygon({{-0.7, 1}, {0.9, 0.55}, {-0.7, 0.1}}, true);
        break;
    case 56:
        S.Line(-0.7, -1, -0.7, 1);
        S.Rect(-0.7, 0.1, 0.9, 1, true);
        break;
    case 57:
        S.Line(0, -1, 0, 0.2);
        S.Circle(0, 0.5, 0.45, true);
        break;
    case 58:
        S.Circle(0, 0, 0.9, false);
        S.Circle(0, 0, 0.5, true);
        break;
    case 59:
        S.Polygon(Square, false);
        S.Rect(-0.4, -0.4, 0.4, 0.4, true);
        break;
    case 60:
        S.Polygon(Diamond, false);
        S.Polygon({{0, 0.5}, {0.5, 0}, {0, -0.5}, {-0.5, 0}}, true);
        break;
    case 61: S.Polygon(Regular(6, 0.95, 0), true); break;
    case 62: S.Polygon(Regular(6, 0.9, 0), false); break;
    case 63:
        S.Polygon({{0, 1}, {0.7, 0.2}, {0.25, 0.2}, {0.25, -1}, {-0.25, -1}, {-0.25, 0.2}, {-0.7, 0.2}},
                  true);
        break;
    case 64:
        S.Polygon({{1, 0}, {0.2, 0.7}, {0.2, 0.25}, {-1, 0.25}, {-1, -0.25}, {0.2, -0.25}, {0.2, -0.7}},
                  true);
        break;
    case 65: {
        std::vector<TUnitPoint> Half;
        for (int I = 0; I <= 12; ++I) {
            const double A = I * std::numbers::pi / 12;
            Half.emplace_back(0.9 * std::cos(A), 0.9 * std::sin(A) - 0.3);
        }
        S.Polygon(Half, true);
        break;
    }
    case 66: S.Polygon({{-0.8, 0.9}, {0.8, 0.9}, {-0.8, -0.9}, {0.8, -0.9}}, true); break;
    case 67:
        S.Polygon({{0, 1}, {0.95, 0.15}, {-0.95, 0.15}}, true);
        S.Rect(-0.65, -0.9, 0.65, 0.15, true);
        break;
    default:
        S.Polygon(Square, false);
        S.Circle(0, 0, 0.45, true);
        break;
    }
}

} // namespace

int MapInfoSymbolCode(const std::string& FontName, int Character)
{
    return SameText(FontName, "Map Symbols") ? Character - 1 : Character;
}

void DrawSymbolShape(TCanvas* Canvas, int Code, int CX, int CY, int Size, TColor Color)
{
    if (!Canvas || Code <= FirstSymbolShape || Size <= 0)
        return;
    TPen SavedPen;
    TBrush SavedBrush;
    SavedPen.Assign(Canvas->GetPen());
    SavedBrush.Assign(Canvas->GetBrush());
    const TPoint SavedPos = Canvas->GetPenPos();
    TShapePainter Painter(Canvas, CX, CY, Size, ColorToRGB(Color));
    DrawShape(Painter, Code, ColorToRGB(Color));
    Canvas->SetPen(&SavedPen);
    Canvas->SetBrush(&SavedBrush);
    Canvas->SetPenPos(SavedPos);
}

bool IsFontInstalled(const std::string& Name)
{
    // The font set does not change while the program runs; answer each name once.
    static std::map<std::string, bool> Known;
    const auto Found = Known.find(Name);
    if (Found != Known.end())
        return Found->second;
    const QString Wanted = QString::fromStdString(Name);
    bool Installed = false;
    for (const QString& Family : QFontDatabase::families())
        if (Family.compare(Wanted, Qt::CaseInsensitive) == 0) {
            Installed = true;
            break;
        }
    if (!Installed) {
        // A name the font system substitutes on purpose (Arial by its
        // metric-compatible Liberation Sans) resolves to another family than
        // a name it knows nothing of, which gets the default family.
        const QString Resolved = QFontInfo(QFont(Wanted)).family();
        const QString Default = QFontInfo(QFont(QStringLiteral("Cartova No Such Font"))).family();
        Installed = Resolved.compare(Default, Qt::CaseInsensitive) != 0;
    }
    Known.emplace(Name, Installed);
    return Installed;
}

} // namespace cartova
