// Rebuild time of the map's off-screen bitmap at 1920 x 1080 for a synthetic
// layer of about a million vertices (regions of 1000 vertices with a hole),
// at full extent and at a 1 % view, with and without generalisation and the
// spatial index; beside it GDAL's rasteriser on the same rings into an
// in-memory raster of the same size (features filtered by the view), and
// the ratio cartova / GDAL. Medians of several runs.
#include "map/MapObjects.h"
#include "objects/Region.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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
constexpr int Columns = 40, Rows = 25;           // 1000 regions
constexpr int OuterVertices = 800, HoleVertices = 200;
constexpr int Runs = 7;

using TRing = std::vector<TMapPoint>;

/// The rings of every region: a wobbly outer ring and a hole in it.
std::vector<std::vector<TRing>> MakeGeometry()
{
    std::vector<std::vector<TRing>> Regions;
    const double CW = 360.0 / Columns, CH = 180.0 / Rows;
    for (int R = 0; R < Rows; ++R)
        for (int C = 0; C < Columns; ++C) {
            const double CX = -180 + (C + 0.5) * CW, CY = -90 + (R + 0.5) * CH;
            TRing Outer, Hole;
            for (int I = 0; I < OuterVertices; ++I) {
                const double A = 2 * M_PI * I / OuterVertices;
                const double K = 0.45 * (1 + 0.1 * std::sin(7 * A + C));
                Outer.push_back({CX + CW * K * std::cos(A), CY + CH * K * std::sin(A)});
            }
            for (int I = 0; I < HoleVertices; ++I) {
                const double A = -2 * M_PI * I / HoleVertices;
                Hole.push_back({CX + CW * 0.15 * std::cos(A), CY + CH * 0.15 * std::sin(A)});
            }
            Regions.push_back({std::move(Outer), std::move(Hole)});
        }
    return Regions;
}

double Median(std::vector<double> V)
{
    std::sort(V.begin(), V.end());
    return V[V.size() / 2];
}

template <typename TFn>
double TimeMs(TFn Fn)
{
    Fn(); // warm-up
    std::vector<double> T;
    for (int I = 0; I < Runs; ++I) {
        const auto S = std::chrono::steady_clock::now();
        Fn();
        T.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - S).count());
    }
    return Median(T);
}

struct TView {
    const char* Name;
    double CX, CY, Zoom;
};

#ifdef CARTOVA_HAVE_GDAL
/// GDAL rasterising the same rings into a 1920 x 1080 in-memory raster whose
/// geotransform shows the same view as the map.
struct TGdalPeer {
    GDALDatasetH Vector = nullptr;
    OGRLayerH Layer = nullptr;

    explicit TGdalPeer(const std::vector<std::vector<TRing>>& Regions)
    {
        GDALAllRegister();
        CPLSetErrorHandler(CPLQuietErrorHandler);
        Vector = GDALCreate(GDALGetDriverByName("Memory"), "", 0, 0, 0, GDT_Unknown, nullptr);
        Layer = GDALDatasetCreateLayer(Vector, "regions", nullptr, wkbPolygon, nullptr);
        for (const auto& Rings : Regions) {
            OGRGeometryH Poly = OGR_G_CreateGeometry(wkbPolygon);
            for (const TRing& Ring : Rings) {
                OGRGeometryH R = OGR_G_CreateGeometry(wkbLinearRing);
                for (const TMapPoint& P : Ring)
                    OGR_G_AddPoint_2D(R, P.X, P.Y);
                OGR_G_AddPoint_2D(R, Ring.front().X, Ring.front().Y);
                OGR_G_AddGeometryDirectly(Poly, R);
            }
            OGRFeatureH F = OGR_F_Create(OGR_L_GetLayerDefn(Layer));
            OGR_F_SetGeometryDirectly(F, Poly);
            if (OGR_L_CreateFeature(Layer, F) != OGRERR_NONE)
                std::fprintf(stderr, "GDAL: feature not created\n");
            OGR_F_Destroy(F);
        }
    }
    ~TGdalPeer() { GDALClose(Vector); }

    double Rasterise(const TCartova& Map)
    {
        GDALDatasetH Raster =
            GDALCreate(GDALGetDriverByName("MEM"), "", Width, Height, 3, GDT_Byte, nullptr);
        const TBounds B = Map.GetViewBounds();
        double GT[6] = {B.MinX, (B.MaxX - B.MinX) / Width, 0, B.MaxY, 0, -(B.MaxY - B.MinY) / Height};
        GDALSetGeoTransform(Raster, GT);
        // Only the features meeting the view, as the map's paint query does.
        OGR_L_SetSpatialFilterRect(Layer, B.MinX, B.MinY, B.MaxX, B.MaxY);
        int Bands[3] = {1, 2, 3};
        double Burn[3] = {255, 0, 0};
        const double Ms = TimeMs([&] {
            GDALRasterizeLayers(Raster, 3, Bands, 1, &Layer, nullptr, nullptr, Burn, nullptr,
                                nullptr, nullptr);
        });
        OGR_L_SetSpatialFilter(Layer, nullptr);
        GDALClose(Raster);
        return Ms;
    }
};
#endif

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication App(argc, argv);
    QWidget Window;
    Window.resize(Width, Height);
    TCartova Map;
    Map.SetParentWidget(&Window);
    Map.SetBounds(0, 0, Width, Height);
    Map.Show();
    Window.show();
    QApplication::processEvents();

    const auto Regions = MakeGeometry();
    long Vertices = 0;
    Map.BeginUpdate();
    TMapLayer* Layer = Map.GetLayers()->Add("", "synthetic");
    for (const auto& Rings : Regions) {
        auto* R = Layer->NewObject<TRegion>();
        R->GetBrush()->SetColor(clRed);
        for (const TRing& Ring : Rings) {
            TMapPoints* P = R->GetParts()->Add()->GetPoints();
            P->Reserve(static_cast<int>(Ring.size()));
            for (const TMapPoint& V : Ring)
                P->Add(V);
            Vertices += static_cast<long>(Ring.size());
        }
    }
    Map.EndUpdate(false);
#ifdef CARTOVA_HAVE_GDAL
    TGdalPeer Gdal(Regions);
#endif
    std::printf("%d x %d, %zu regions, %ld vertices, median of %d runs (ms)\n", Width, Height,
                Regions.size(), Vertices, Runs);
    std::printf("%-12s %-8s %-6s %10s %10s %8s\n", "view", "general.", "index", "cartova", "gdal",
                "ratio");

    // The map's height shows 180 units at zoom 1 only if the aspect matches;
    // the horizontal scale rules, so the full extent is the whole width.
    const TView Views[] = {{"full extent", 0, 0, 1.0}, {"1 % view", 45, 20, 10.0}};
    for (const TView& V : Views) {
        Map.SetCenterX(V.CX);
        Map.SetCenterY(V.CY);
        Map.SetZoom(V.Zoom);
#ifdef CARTOVA_HAVE_GDAL
        const double Peer = Gdal.Rasterise(Map);
#else
        const double Peer = 0;
#endif
        for (const bool Index : {false, true})
            for (const bool General : {false, true}) {
                Layer->SetUseIndex2D(Index);
                Map.SetUseGeneralization(General);
                const double Ms = TimeMs([&] { Map.PaintMapToBitmap(); });
                std::printf("%-12s %-8s %-6s %10.1f %10.1f %8.2f\n", V.Name, General ? "on" : "off",
                            Index ? "on" : "off", Ms, Peer, Peer > 0 ? Ms / Peer : 0.0);
            }
    }
    return 0;
}
