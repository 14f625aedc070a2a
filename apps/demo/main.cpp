// cartova-demo: a map built from code — regions with holes, polylines,
// rectangles and circles — shown twice, once with the fast (exclusive-or)
// selection markers and once with the slow (patterned) selection. With a
// display it opens a window; without one it writes the picture to a PNG.
#include "map/MapObjects.h"
#include "objects/Circle.h"
#include "objects/Polyline.h"
#include "objects/Rectangle.h"
#include "objects/Region.h"
#include "objects/Symbol.h"
#include "objects/Text.h"

#include "ToolsWindow.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <QWidget>

#include <cmath>
#include <cstdlib>
#include <exception>
#include <initializer_list>
#include <iostream>
#include <string>

using namespace cartova;

namespace {

constexpr int MapWidth = 600, MapHeight = 400;

void AddRing(TCustomMapObject* O, std::initializer_list<TMapPoint> Points)
{
    TMapPoints* P = O->GetParts()->Add()->GetPoints();
    for (const TMapPoint& V : Points)
        P->Add(V);
}

/// A ring approximating an ellipse around (CX, CY).
void AddEllipseRing(TCustomMapObject* O, double CX, double CY, double RX, double RY, int N)
{
    TMapPoints* P = O->GetParts()->Add()->GetPoints();
    for (int I = 0; I < N; ++I) {
        const double A = 2 * M_PI * I / N;
        P->Add(CX + RX * std::cos(A) * (1 + 0.08 * std::sin(5 * A)), CY + RY * std::sin(A));
    }
}

void Style(TCustomMapObject* O, TColor Fill, TColor Line, int Width = 1)
{
    O->GetBrush()->SetStyle(bsSolid);
    O->GetBrush()->SetColor(Fill);
    O->GetPen()->SetColor(Line);
    O->GetPen()->SetWidth(Width);
}

// ---- symbols and texts ------------------------------------------------------

/// A layer with the MapInfo symbol set (drawn as vector shapes where the
/// symbol font is not installed) and texts at 0, 30 and 90 degrees that grow
/// and shrink with the zoom.
void AddSymbolsAndTexts(TCartova& Map)
{
    TMapLayer* Layer = Map.GetLayers()->Add("", "symbols and texts");
    const TColor Colors[] = {clNavy, clRed, clGreen, clPurple, clTeal, clMaroon};
    for (int Code = 32; Code <= 67; ++Code) {
        const int I = Code - 32;
        auto* S = Layer->NewObject<TSymbol>();
        S->SetX(-165 + (I % 12) * 10);
        S->SetY(30 - (I / 12) * 12);
        S->SetShape(Code);
        S->GetFont()->SetColor(Colors[I % 6]);
        S->GetFont()->SetSize(12);
        S->UpdateBounds();
    }
    struct TDemoText { double X, Y, W, H, Angle; const char* Text; TColor Color; };
    const TDemoText Texts[] = {
        {-170, 62, 110, 16, 0, "Cartova", clBlack},
        {-40, -30, 90, 9, 30, "Thirty degrees", clNavy},
        {30, -80, 90, 10, 90, "Ninety degrees", clMaroon},
    };
    for (const TDemoText& D : Texts) {
        auto* T = Layer->NewObject<TText>();
        T->GetFont()->SetColor(D.Color); // before the text: a font change refits the box
        T->SetX(D.X);
        T->SetY(D.Y);
        T->SetAngle(D.Angle);
        T->SetText(D.Text);
        T->SetWidth(D.W);
        T->SetHeight(D.H);
        T->UpdateBounds();
    }
}

// ---- end of symbols and texts -----------------------------------------------

/// Fills Map with the demo's layers; returns the object to select.
TCustomMapObject* BuildMap(TCartova& Map)
{
    Map.SetColor(TColor(0xF5EBDC)); // a pale sea
    Map.BeginUpdate();
    TMapLayer* Areas = Map.GetLayers()->Add("", "areas");
    TMapLayer* Lines = Map.GetLayers()->Add("", "lines");
    TMapLayer* Shapes = Map.GetLayers()->Add("", "shapes");

    // An island with a lake, and an islet in the lake.
    auto* Island = Areas->NewObject<TRegion>();
    AddEllipseRing(Island, -70, 10, 90, 60, 120);
    AddEllipseRing(Island, -70, 10, 45, 28, 60);
    AddEllipseRing(Island, -70, 10, 15, 10, 24);
    Style(Island, TColor(0x7CC88F), clGreen);

    // A square field with two square holes, partly outside the view.
    auto* Field = Areas->NewObject<TRegion>();
    AddRing(Field, {{60, -85}, {200, -85}, {200, 20}, {60, 20}});
    AddRing(Field, {{80, -70}, {110, -70}, {110, -40}, {80, -40}});
    AddRing(Field, {{130, -30}, {160, -30}, {160, 0}, {130, 0}});
    Style(Field, TColor(0x5CB4E6), clOlive);

    // A river and a road.
    auto* River = Lines->NewObject<TPolyline>();
    TMapPoints* R = River->GetParts()->Add()->GetPoints();
    for (int X = -180; X <= 180; X += 4)
        R->Add(X, 55 + 12 * std::sin(X / 20.0));
    Style(River, clWhite, clBlue, 3);
    auto* Road = Lines->NewObject<TPolyline>();
    AddRing(Road, {{-170, -80}, {-60, -50}, {20, -60}, {90, 40}, {170, 85}});
    AddRing(Road, {{20, -60}, {40, -88}});
    Style(Road, clWhite, clMaroon, 2);

    // Rectangles, one with a background box under a hatch.
    auto* Depot = Shapes->NewObject<TRectangle>();
    Depot->SetX0(100);
    Depot->SetY0(45);
    Depot->SetX1(150);
    Depot->SetY1(75);
    Depot->UpdateBounds();
    Style(Depot, clSilver, clBlack, 2);
    auto* Hatched = Shapes->NewObject<TRectangle>();
    Hatched->SetX0(-20);
    Hatched->SetY0(-40);
    Hatched->SetX1(10);
    Hatched->SetY1(-75);
    Hatched->UpdateBounds();
    Style(Hatched, clTeal, clBlack);
    Hatched->GetBrush()->SetStyle(bsDiagCross);
    Hatched->SetUseBGColor(true);
    Hatched->SetBGColor(clYellow);

    // Circles; the second one is cut by the view's right edge.
    auto* Pond = Shapes->NewObject<TCircle>();
    Pond->SetX(-140);
    Pond->SetY(-55);
    Pond->SetRadius(20);
    Pond->UpdateBounds();
    Style(Pond, TColor(0xE6B45C), clNavy, 2);
    auto* Tower = Shapes->NewObject<TCircle>();
    Tower->SetX(185);
    Tower->SetY(-20);
    Tower->SetRadius(25);
    Tower->UpdateBounds();
    Style(Tower, clFuchsia, clPurple);

    AddSymbolsAndTexts(Map);
    Map.EndUpdate(true);
    return Field;
}

/// A caption over a map panel.
QWidget* Panel(QWidget* Parent, const char* Caption, TCartova& Map)
{
    auto* Box = new QWidget(Parent);
    auto* Layout = new QVBoxLayout(Box);
    Layout->addWidget(new QLabel(Caption, Box));
    auto* Host = new QWidget(Box);
    Host->setFixedSize(MapWidth, MapHeight);
    Layout->addWidget(Host);
    Map.SetParentWidget(Host);
    Map.SetBounds(0, 0, MapWidth, MapHeight);
    Map.Show();
    return Box;
}

bool Headless()
{
    const QString P = QGuiApplication::platformName();
    return P == "offscreen" || P == "minimal";
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") &&
        !std::getenv("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication App(argc, argv);
    try {
        if (argc > 1 && std::string(argv[1]) == "--tools")
            return demo::RunToolsWindow([](TCartova& Map) { BuildMap(Map); },
                                        argc > 2 ? argv[2] : "cartova-demo-tools.png");
        QWidget Window;
        Window.setWindowTitle("Cartova demo");
        auto* Row = new QHBoxLayout(&Window);
        TCartova Fast, Slow;
        Row->addWidget(Panel(&Window, "Fast selection (exclusive-or markers)", Fast));
        Row->addWidget(Panel(&Window, "Slow selection (pattern in the bitmap)", Slow));
        Fast.SetFastSelection(true);
        Slow.SetFastSelection(false);
        TCustomMapObject* FastPick = BuildMap(Fast);
        TCustomMapObject* SlowPick = BuildMap(Slow);
        Window.show();
        QApplication::processEvents();
        FastPick->Select();
        SlowPick->Select();

        if (!Headless())
            return App.exec();

        Fast.Repaint();
        Slow.Repaint();
        QImage Picture(2 * MapWidth + 30, MapHeight + 40, QImage::Format_RGB32);
        Picture.fill(Qt::white);
        QPainter P(&Picture);
        P.drawText(10, 20, "Fast selection (exclusive-or markers)");
        P.drawText(MapWidth + 20, 20, "Slow selection (pattern in the bitmap)");
        P.drawImage(10, 30, Fast.GetSurfaceImage());
        P.drawImage(MapWidth + 20, 30, Slow.GetSurfaceImage());
        P.end();
        const std::string Path =
            (argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::current().filePath("cartova-demo.png"))
                .toStdString();
        if (!Picture.save(QString::fromStdString(Path))) {
            std::cerr << "cartova-demo: cannot write " << Path << "\n";
            return 1;
        }
        std::cout << "No display: the map was written to " << Path << "\n";
        return 0;
    } catch (const std::exception& E) {
        std::cerr << "cartova-demo: " << E.what() << "\n";
        return 1;
    }
}
