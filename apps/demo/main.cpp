// cartova-demo: a map built from code — regions with holes, polylines,
// rectangles and circles, geodesic circles and a moving sprite — shown twice,
// once with the fast (exclusive-or) selection markers and once with the slow
// (patterned) selection. With a display it opens a window, where the sprites
// travel along their path; without one it writes the picture to a PNG, with
// the right-hand sprite moved further along the path than the left-hand one.
// Usage: cartova-demo [PNG [FILE...]]; each FILE (.mif or .tab, read by the
// format providers) becomes a layer under the map built from code.
#include "formats/MapInfoFormatProvider.h"
#include "formats/SimpleMIFFormatProvider.h"
#include "map/MapObjects.h"
#include "objects/Circle.h"
#include "objects/GeoCircle.h"
#include "objects/GeoCircleRegion.h"
#include "objects/Polyline.h"
#include "objects/Rectangle.h"
#include "objects/Region.h"
#include "objects/Sprite.h"
#include "objects/Symbol.h"
#include "objects/Text.h"

#include "ControlsWindow.h"
#include "ToolsWindow.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <initializer_list>
#include <iostream>
#include <string>
#include <vector>

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

// ---- geodesic circles and the sprite ------------------------------------------

/// A caption of Width map units centred over (X, Y).
void AddCaption(TMapLayer* Layer, double X, double Y, double Width, const char* Text)
{
    auto* T = Layer->NewObject<TText>();
    T->GetFont()->SetColor(clBlack);
    T->SetX(X - Width / 2);
    T->SetY(Y);
    T->SetText(Text);
    T->SetWidth(Width);
    T->SetHeight(7);
    T->UpdateBounds();
}

/// Two circles of radius 1200 km at 60 degrees north: the geodesic ring
/// (computed on the ground, so twice as wide in degrees as high) and the cheap
/// ellipse beside it.
void AddGeodesicCircles(TCartova& Map)
{
    TMapLayer* Layer = Map.GetLayers()->Add("", "geodesic circles");
    auto* Ring = Layer->NewObject<TGeoCircle>();
    Ring->SetCenterY(60);
    Ring->SetCenterX(2);
    Ring->SetRadius(1200000);
    Ring->UpdateBounds();
    Style(Ring, TColor(0x66CCFF), TColor(0x0066CC), 2);
    auto* Ellipse = Layer->NewObject<GeoCircle::TGeoCircle>();
    Ellipse->SetY(60);
    Ellipse->SetX(55);
    Ellipse->SetRadius(1200000);
    Style(Ellipse, TColor(0xE0B0E0), clPurple, 2);
    AddCaption(Layer, 2, 74, 40, "geodesic circle");
    AddCaption(Layer, 55, 74, 40, "ellipse circle");
}

/// The sprite's route through the southern sea, west to east.
const std::vector<TMapPoint>& SpritePath()
{
    static const std::vector<TMapPoint> Path = {
        {-170, -100}, {-130, -92}, {-90, -104}, {-45, -96}, {-5, -106}, {30, -98}};
    return Path;
}

/// The point a fraction T (0..1) of the way along the path, by vertices.
TMapPoint PointAlong(const std::vector<TMapPoint>& Path, double T)
{
    const double S = std::clamp(T, 0.0, 1.0) * static_cast<double>(Path.size() - 1);
    const std::size_t I = std::min(static_cast<std::size_t>(S), Path.size() - 2);
    const double F = S - static_cast<double>(I);
    return {Path[I].X + (Path[I + 1].X - Path[I].X) * F, Path[I].Y + (Path[I + 1].Y - Path[I].Y) * F};
}

/// A small boat on a magenta field (the bottom-left colour, so transparent).
void DrawBoat(TBitmap& Glyph)
{
    Glyph.SetSize(23, 17);
    TCanvas* C = Glyph.GetCanvas();
    C->GetBrush()->SetColor(clFuchsia);
    C->FillRect(Rect(0, 0, 23, 17));
    C->GetPen()->SetColor(clBlack);
    C->GetBrush()->SetColor(TColor(0x1E4B8B)); // brown hull
    C->Polygon({{1, 10}, {21, 10}, {17, 15}, {5, 15}});
    C->GetBrush()->SetColor(clWhite);
    C->Polygon({{11, 1}, {11, 9}, {19, 9}});
    C->Polygon({{10, 3}, {10, 9}, {4, 9}});
}

/// The route as a dotted line and a sprite at its start, in a layer of their own.
TSprite* AddSprite(TCartova& Map)
{
    TMapLayer* Layer = Map.GetLayers()->Add("", "sprite");
    auto* Route = Layer->NewObject<TPolyline>();
    TMapPoints* P = Route->GetParts()->Add()->GetPoints();
    for (const TMapPoint& V : SpritePath())
        P->Add(V);
    Route->GetPen()->SetColor(clGray);
    Route->GetPen()->SetStyle(psDot);
    auto* Sprite = Layer->NewObject<TSprite>();
    TBitmap Glyph;
    DrawBoat(Glyph);
    Sprite->SetGlyph(&Glyph);
    const TMapPoint Start = PointAlong(SpritePath(), 0);
    Sprite->Move(Start.X, Start.Y);
    return Sprite;
}

/// Sails the sprites to and fro along their path, a step every 40 ms.
void StartSpriteTour(QObject* Parent, std::vector<TSprite*> Sprites)
{
    auto* Timer = new QTimer(Parent);
    QObject::connect(Timer, &QTimer::timeout, Parent, [Sprites, Step = 0]() mutable {
        const int Steps = 300;
        Step = (Step + 1) % (2 * Steps);
        const double T = (Step < Steps ? Step : 2 * Steps - Step) / static_cast<double>(Steps);
        for (TSprite* S : Sprites) {
            const TMapPoint P = PointAlong(SpritePath(), T);
            S->Move(P.X, P.Y);
        }
    });
    Timer->start(40);
}

// ---- end of geodesic circles and the sprite ------------------------------------

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
    AddGeodesicCircles(Map);
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
        if (argc > 1 && std::string(argv[1]) == "--controls")
            return demo::RunControlsWindow([](TCartova& Map) { BuildMap(Map); },
                                           argc > 2 ? argv[2] : "cartova-demo-controls.png");
        QWidget Window;
        Window.setWindowTitle("Cartova demo");
        auto* Row = new QHBoxLayout(&Window);
        // The providers, in the registry's order: .mif files go to the simple
        // MIF provider, .tab files to the MapInfo provider.
        TSimpleMIFFormatProvider MifProvider;
        TMapInfoFormatProvider MapInfoProvider;
        TCartova Fast, Slow;
        Row->addWidget(Panel(&Window, "Fast selection (exclusive-or markers)", Fast));
        Row->addWidget(Panel(&Window, "Slow selection (pattern in the bitmap)", Slow));
        for (int I = 2; I < argc; ++I)
            for (TCartova* Map : {&Fast, &Slow})
                if (Map->GetLayers()->Add(ExpandFileName(argv[I]), "")->GetFileName().empty())
                    throw Exception(Format("%s: the file could not be read", argv[I]));
        Fast.SetFastSelection(true);
        Slow.SetFastSelection(false);
        TCustomMapObject* FastPick = BuildMap(Fast);
        TCustomMapObject* SlowPick = BuildMap(Slow);
        TSprite* FastSprite = AddSprite(Fast);
        TSprite* SlowSprite = AddSprite(Slow);
        Window.show();
        QApplication::processEvents();
        FastPick->Select();
        SlowPick->Select();

        if (!Headless()) {
            StartSpriteTour(&Window, {FastSprite, SlowSprite});
            return App.exec();
        }

        Fast.Repaint();
        Slow.Repaint();
        // Over the painted map, without a repaint.
        const TMapPoint Later = PointAlong(SpritePath(), 0.7);
        SlowSprite->Move(Later.X, Later.Y);
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
