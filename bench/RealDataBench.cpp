// Painting and loading figures on real world data, each beside GDAL on the
// same geometry and view in the same run:
//   dcw world and Europe views, gshhg_low coastlines, 1:50 m countries
//   (render at 1920 x 1080: fill + 1 px outline, lines 1 px), the load of
//   dcw.mif, and the index build of 10^6 small objects (synthetic, no peer).
// For each render it prints the median paint time (aliased and antialiased),
// GDAL's rasteriser time, the ratio, and the fidelity of the generalised
// picture: pixels drawn in the ungeneralised picture with no drawn pixel
// within one pixel in the generalised one (lost), and the reverse (added), in
// % of the drawn pixels.
//
// Usage: bench_RealDataBench DATA_DIR [--runs N] [--only NAME] [--no-gdal]
//                            [--gdal-load] [--save DIR] [--cpu]
// --cpu gives processor time of the process instead of wall time.
// DATA_DIR holds dcw.mif, gshhg_low.mif and countries50.mif (bench/README.md
// says how to make them). GDAL reading dcw.mif takes minutes: it runs once,
// and only with --gdal-load.
#include "formats/SimpleMIFFormatProvider.h"
#include "map/MapObjects.h"
#include "objects/Polyline.h"
#include "objects/Region.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#ifdef CARTOVA_HAVE_GDAL
#include <cpl_error.h>
#include <gdal.h>
#include <gdal_alg.h>
#include <ogr_api.h>
#endif

using namespace cartova;

namespace {

constexpr int Width = 1920, Height = 1080;

struct TOptions {
    std::string Dir;
    int Runs = 5;
    std::string Only;
    bool Gdal = true;
    bool GdalLoad = false;
    std::string Save;
};

double Median(std::vector<double> V)
{
    std::sort(V.begin(), V.end());
    return V.empty() ? 0 : V[V.size() / 2];
}

/// Whether figures are the process's processor time rather than wall time:
/// steadier on a machine shared with other work.
bool CpuTime = false;

double ProcessMillis()
{
    timespec T{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &T);
    return static_cast<double>(T.tv_sec) * 1e3 + static_cast<double>(T.tv_nsec) / 1e6;
}

double Millis(const std::function<void()>& Fn)
{
    if (CpuTime) {
        const double S = ProcessMillis();
        Fn();
        return ProcessMillis() - S;
    }
    const auto S = std::chrono::steady_clock::now();
    Fn();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - S).count();
}

/// Median of Runs timings after one warm-up run.
double MedianMillis(int Runs, const std::function<void()>& Fn)
{
    Fn();
    std::vector<double> T;
    for (int I = 0; I < Runs; ++I)
        T.push_back(Millis(Fn));
    return Median(T);
}

/// A map box shown across the whole image: the map's centre and zoom for it
/// (the map's extent is the default -180..180, so zoom 1 shows 360 units
/// across the width).
struct TView {
    const char* Name;
    double MinX, MinY, MaxX, MaxY;
};

constexpr TView World{"full extent", -180, -98.75, 180, 103.75};
constexpr TView Europe{"Europe", 0, 37.875, 36, 58.125};

void ShowView(TCartova& Map, const TView& V)
{
    Map.SetCenterX((V.MinX + V.MaxX) / 2);
    Map.SetCenterY((V.MinY + V.MaxY) / 2);
    Map.SetZoom((Map.GetMaxX() - Map.GetMinX()) / (V.MaxX - V.MinX));
}

QImage Paint(TCartova& Map)
{
    Map.SetModified(true);
    Map.PaintMapToBitmap();
    TBitmap Bitmap;
    Map.AssignToBitmap(&Bitmap);
    return Bitmap.GetImage().convertToFormat(QImage::Format_RGB32);
}

/// Lost and added pixels of Generalised against Plain, each pixel that
/// differs from the background counting as drawn; in % of Plain's drawn
/// pixels.
struct TFidelity {
    long long Drawn = 0, Lost = 0, Added = 0;
    double Percent() const { return Drawn ? 100.0 * static_cast<double>(Lost + Added) / static_cast<double>(Drawn) : 0; }
};

TFidelity Compare(const QImage& Plain, const QImage& Generalised, QRgb Background)
{
    const int W = Plain.width(), H = Plain.height();
    auto Mask = [&](const QImage& I) {
        std::vector<unsigned char> M(static_cast<std::size_t>(W) * H);
        for (int Y = 0; Y < H; ++Y) {
            const auto* Row = reinterpret_cast<const QRgb*>(I.constScanLine(Y));
            for (int X = 0; X < W; ++X)
                M[static_cast<std::size_t>(Y) * W + X] = (Row[X] & 0xFFFFFF) != (Background & 0xFFFFFF);
        }
        return M;
    };
    const auto A = Mask(Plain), B = Mask(Generalised);
    auto Near = [&](const std::vector<unsigned char>& M, int X, int Y) {
        for (int DY = -1; DY <= 1; ++DY)
            for (int DX = -1; DX <= 1; ++DX) {
                const int NX = X + DX, NY = Y + DY;
                if (NX >= 0 && NY >= 0 && NX < W && NY < H && M[static_cast<std::size_t>(NY) * W + NX])
                    return true;
            }
        return false;
    };
    TFidelity F;
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            const std::size_t I = static_cast<std::size_t>(Y) * W + X;
            F.Drawn += A[I];
            if (A[I] && !Near(B, X, Y))
                ++F.Lost;
            if (B[I] && !Near(A, X, Y))
                ++F.Added;
        }
    return F;
}

#ifdef CARTOVA_HAVE_GDAL
/// The layer's geometry in GDAL memory layers: polygons (rings closed) and
/// their boundaries as lines for regions, line strings for polylines.
class TGdalLayer {
public:
    explicit TGdalLayer(const TMapLayer& Layer)
    {
        FData = GDALCreate(GDALGetDriverByName("Memory"), "", 0, 0, 0, GDT_Unknown, nullptr);
        FAreas = GDALDatasetCreateLayer(FData, "areas", nullptr, wkbPolygon, nullptr);
        FLines = GDALDatasetCreateLayer(FData, "lines", nullptr, wkbMultiLineString, nullptr);
        for (int O = 0; O < Layer.GetObjectCount(); ++O) {
            const TCustomMapObject* Object = Layer.GetObjects(O);
            const bool Area = dynamic_cast<const TRegion*>(Object) != nullptr;
            if (!Area && !dynamic_cast<const TPolyline*>(Object))
                continue;
            OGRGeometryH Poly = Area ? OGR_G_CreateGeometry(wkbPolygon) : nullptr;
            OGRGeometryH Lines = OGR_G_CreateGeometry(wkbMultiLineString);
            const TParts& Parts = *Object->GetParts();
            for (int P = 0; P < Parts.Count(); ++P) {
                const TMapPoints& Points = *Parts.GetItems(P)->GetPoints();
                if (Points.Count() < 2)
                    continue;
                OGRGeometryH Line = OGR_G_CreateGeometry(wkbLineString);
                for (const TMapPoint& V : Points)
                    OGR_G_AddPoint_2D(Line, V.X, V.Y);
                if (Area) {
                    OGRGeometryH Ring = OGR_G_CreateGeometry(wkbLinearRing);
                    for (const TMapPoint& V : Points)
                        OGR_G_AddPoint_2D(Ring, V.X, V.Y);
                    if (!(Points.First() == Points.Last()))
                        OGR_G_AddPoint_2D(Ring, Points.First().X, Points.First().Y);
                    OGR_G_AddGeometryDirectly(Poly, Ring);
                }
                OGR_G_AddGeometryDirectly(Lines, Line);
            }
            if (Area)
                Add(FAreas, Poly);
            Add(FLines, Lines);
            FHasAreas = FHasAreas || Area;
        }
    }
    ~TGdalLayer() { GDALClose(FData); }
    TGdalLayer(const TGdalLayer&) = delete;
    TGdalLayer& operator=(const TGdalLayer&) = delete;

    /// Rasterises the features meeting the view into a 1920 x 1080 RGB
    /// raster: the areas filled, then every boundary and line burnt.
    double Rasterise(const TBounds& B, int Runs)
    {
        GDALDatasetH Raster = GDALCreate(GDALGetDriverByName("MEM"), "", Width, Height, 3, GDT_Byte, nullptr);
        double GT[6] = {B.MinX, (B.MaxX - B.MinX) / Width, 0, B.MaxY, 0, -(B.MaxY - B.MinY) / Height};
        GDALSetGeoTransform(Raster, GT);
        OGR_L_SetSpatialFilterRect(FAreas, B.MinX, B.MinY, B.MaxX, B.MaxY);
        OGR_L_SetSpatialFilterRect(FLines, B.MinX, B.MinY, B.MaxX, B.MaxY);
        int Bands[3] = {1, 2, 3};
        double Fill[3] = {255, 255, 128}, Outline[3] = {0, 0, 0};
        const double Ms = MedianMillis(Runs, [&] {
            if (FHasAreas)
                GDALRasterizeLayers(Raster, 3, Bands, 1, &FAreas, nullptr, nullptr, Fill, nullptr, nullptr,
                                    nullptr);
            GDALRasterizeLayers(Raster, 3, Bands, 1, &FLines, nullptr, nullptr, Outline, nullptr, nullptr,
                                nullptr);
        });
        OGR_L_SetSpatialFilter(FAreas, nullptr);
        OGR_L_SetSpatialFilter(FLines, nullptr);
        GDALClose(Raster);
        return Ms;
    }

private:
    static void Add(OGRLayerH Layer, OGRGeometryH Geometry)
    {
        OGRFeatureH F = OGR_F_Create(OGR_L_GetLayerDefn(Layer));
        OGR_F_SetGeometryDirectly(F, Geometry);
        if (OGR_L_CreateFeature(Layer, F) != OGRERR_NONE)
            std::fprintf(stderr, "GDAL: a feature was not created\n");
        OGR_F_Destroy(F);
    }

    GDALDatasetH FData = nullptr;
    OGRLayerH FAreas = nullptr, FLines = nullptr;
    bool FHasAreas = false;
};

/// GDAL/OGR reading every feature of a file, touching every vertex.
double GdalRead(const std::string& Path)
{
    return Millis([&] {
        GDALDatasetH Ds = GDALOpenEx(Path.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
        if (!Ds)
            return;
        OGRLayerH L = GDALDatasetGetLayer(Ds, 0);
        double Sum = 0;
        std::function<void(OGRGeometryH)> Walk = [&](OGRGeometryH G) {
            for (int I = 0; I < OGR_G_GetGeometryCount(G); ++I)
                Walk(OGR_G_GetGeometryRef(G, I));
            for (int I = 0; I < OGR_G_GetPointCount(G); ++I)
                Sum += OGR_G_GetX(G, I);
        };
        while (OGRFeatureH F = OGR_L_GetNextFeature(L)) {
            if (OGRGeometryH G = OGR_F_GetGeometryRef(F))
                Walk(G);
            OGR_F_Destroy(F);
        }
        GDALClose(Ds);
        if (Sum == 12345.678)
            std::printf(" ");
    });
}
#endif

/// A map of 1920 x 1080 pixels inside a parent widget, so that it paints.
struct TBenchMap {
    QWidget Window;
    TCartova Map;
    TBenchMap()
    {
        Window.resize(Width, Height);
        Map.SetParentWidget(&Window);
        Map.SetBounds(0, 0, Width, Height);
        Map.SetColor(clWhite);
        Map.Show();
    }
};

long long VertexCount(const TMapLayer& Layer)
{
    long long N = 0;
    for (int O = 0; O < Layer.GetObjectCount(); ++O) {
        const TParts& Parts = *Layer.GetObjects(O)->GetParts();
        for (int P = 0; P < Parts.Count(); ++P)
            N += Parts.GetItems(P)->GetPoints()->Count();
    }
    return N;
}

void PrintHeader()
{
    std::printf("%-34s %10s %10s %10s %7s %9s %9s\n", "case", "cartova", "antialias", "gdal", "ratio",
                "fidelity", "(lost/added px)");
}

void RenderCase(const TOptions& O, TBenchMap& B, const std::string& Name, const TView& View)
{
    TCartova& Map = B.Map;
    ShowView(Map, View);
    Map.SetUseGeneralization(true);
    Map.GetOptions()->SetAntialias(false);
    const double Ms = MedianMillis(O.Runs, [&] {
        Map.SetModified(true);
        Map.PaintMapToBitmap();
    });
    const QImage Generalised = Paint(Map);
    Map.GetOptions()->SetAntialias(true);
    const double AntiMs = MedianMillis(O.Runs, [&] {
        Map.SetModified(true);
        Map.PaintMapToBitmap();
    });
    const QImage Smooth = Paint(Map);
    Map.GetOptions()->SetAntialias(false);
    Map.SetUseGeneralization(false);
    const QImage Plain = Paint(Map);
    Map.SetUseGeneralization(true);
    const TFidelity F = Compare(Plain, Generalised, qRgb(255, 255, 255));
    double Peer = 0;
#ifdef CARTOVA_HAVE_GDAL
    if (O.Gdal) {
        TGdalLayer Gdal(*Map.GetLayers()->GetLayers(0));
        Peer = Gdal.Rasterise(Map.GetViewBounds(), O.Runs);
    }
#endif
    std::printf("%-34s %10.1f %10.1f %10.1f %7.2f %8.2f%% (%lld/%lld of %lld)\n", Name.c_str(), Ms, AntiMs, Peer,
                Peer > 0 ? Ms / Peer : 0.0, F.Percent(), F.Lost, F.Added, F.Drawn);
    std::fflush(stdout);
    if (!O.Save.empty()) {
        std::string File = Name;
        std::replace_if(File.begin(), File.end(), [](char C) { return !std::isalnum(static_cast<unsigned char>(C)); }, '_');
        Generalised.save(QString::fromStdString(O.Save + "/" + File + ".png"));
        Plain.save(QString::fromStdString(O.Save + "/" + File + "_plain.png"));
        Smooth.save(QString::fromStdString(O.Save + "/" + File + "_antialiased.png"));
    }
}

bool Wanted(const TOptions& O, const std::string& Name) { return O.Only.empty() || Name.find(O.Only) != std::string::npos; }

/// Loads File into a new layer of Map; the load time in ms.
double Load(TCartova& Map, const std::string& File)
{
    TSimpleMIFFormatProvider Provider;
    Map.BeginUpdate();
    TMapLayer* Layer = Map.GetLayers()->Add("", std::filesystem::path(File).stem().string());
    const double Ms = Millis([&] {
        if (!Provider.Load(Layer, File))
            std::fprintf(stderr, "%s could not be loaded\n", File.c_str());
    });
    Map.EndUpdate(false);
    return Ms;
}

void FileCases(const TOptions& O, const std::string& File, const std::vector<std::pair<std::string, TView>>& Views)
{
    bool Any = false;
    for (const auto& V : Views)
        Any = Any || Wanted(O, V.first);
    if (!Any)
        return;
    const std::string Path = O.Dir + "/" + File;
    if (!std::filesystem::exists(Path)) {
        std::printf("%-34s missing: %s\n", Views.front().first.c_str(), Path.c_str());
        return;
    }
    TBenchMap B;
    Load(B.Map, Path);
    const TMapLayer& Layer = *B.Map.GetLayers()->GetLayers(0);
    std::printf("  %s: %d objects, %lld vertices\n", File.c_str(), Layer.GetObjectCount(), VertexCount(Layer));
    for (const auto& V : Views)
        if (Wanted(O, V.first))
            RenderCase(O, B, V.first, V.second);
}

void LoadCase(const TOptions& O)
{
    const std::string Name = "load dcw.mif";
    if (!Wanted(O, Name))
        return;
    const std::string Path = O.Dir + "/dcw.mif";
    std::vector<double> T;
    for (int I = 0; I < O.Runs; ++I) {
        TBenchMap B;
        T.push_back(Load(B.Map, Path));
    }
    double Peer = 0;
#ifdef CARTOVA_HAVE_GDAL
    if (O.GdalLoad)
        Peer = GdalRead(Path);
#endif
    const double Ms = Median(T);
    std::printf("%-34s %10.1f %10s %10.1f %7.3f\n", Name.c_str(), Ms, "", Peer, Peer > 0 ? Ms / Peer : 0.0);
    std::fflush(stdout);
}

/// 10^6 boxes 0.5 % of the extent wide spread uniformly; the build of the
/// index from them.
void IndexCase(const TOptions& O)
{
    const std::string Name = "index build, 10^6 small objects";
    if (!Wanted(O, Name))
        return;
    TMapLayer Layer;
    std::mt19937 Random(42);
    std::uniform_real_distribution<double> Coord(0, 995);
    for (int I = 0; I < 1000000; ++I) {
        auto* Object = new TCustomMapObject;
        TMapPoints* P = Object->GetParts()->Add()->GetPoints();
        const double X = Coord(Random), Y = Coord(Random);
        P->Add(X, Y);
        P->Add(X + 5, Y);
        P->Add(X + 5, Y + 5);
        P->Add(X, Y + 5);
        Layer.AddObject(Object, false);
    }
    std::vector<double> T;
    for (int I = 0; I < std::min(O.Runs, 3); ++I)
        T.push_back(Millis([&] { TIndexCell Index(&Layer); }));
    std::printf("%-34s %10.1f\n", Name.c_str(), Median(T));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication App(argc, argv);
    TOptions O;
    for (int I = 1; I < argc; ++I) {
        const std::string A = argv[I];
        if (A == "--runs" && I + 1 < argc)
            O.Runs = std::max(1, std::atoi(argv[++I]));
        else if (A == "--only" && I + 1 < argc)
            O.Only = argv[++I];
        else if (A == "--save" && I + 1 < argc)
            O.Save = argv[++I];
        else if (A == "--cpu")
            CpuTime = true;
        else if (A == "--no-gdal")
            O.Gdal = false;
        else if (A == "--gdal-load")
            O.GdalLoad = true;
        else if (O.Dir.empty() && A[0] != '-')
            O.Dir = A;
        else {
            std::fprintf(stderr, "usage: %s DATA_DIR [--runs N] [--only NAME] [--no-gdal] [--gdal-load] [--save DIR] [--cpu]\n",
                         argv[0]);
            return 2;
        }
    }
    if (O.Dir.empty()) {
        std::fprintf(stderr, "usage: %s DATA_DIR [--runs N] [--only NAME] [--no-gdal] [--gdal-load] [--save DIR] [--cpu]\n",
                     argv[0]);
        return 2;
    }
#ifdef CARTOVA_HAVE_GDAL
    GDALAllRegister();
    CPLSetErrorHandler(CPLQuietErrorHandler);
#endif
    std::printf("%d x %d, median of %d runs after a warm-up, %s in ms\n", Width, Height, O.Runs,
                CpuTime ? "processor times" : "times");
    PrintHeader();
    FileCases(O, "dcw.mif", {{"dcw world, full extent", World}, {"dcw, Europe view", Europe}});
    FileCases(O, "gshhg_low.mif", {{"gshhg_low coastlines, full extent", World}});
    FileCases(O, "countries50.mif", {{"countries 1:50 m, full extent", World}});
    LoadCase(O);
    IndexCase(O);
    return 0;
}
