// Spatial index against the plain scan of the layer query: build time, and
// the time to answer a view covering 1 % of the layer's extent, for 10^4,
// 10^5 and 10^6 small objects. Prints medians of several runs and the
// speed-up of the index over the scan.
#include "map/IndexCell.h"
#include "map/Layers.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <vector>

using namespace cartova;

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> V)
{
    std::sort(V.begin(), V.end());
    return V[V.size() / 2];
}

template <typename F>
double Millis(F&& Run)
{
    const auto T0 = Clock::now();
    Run();
    return std::chrono::duration<double, std::milli>(Clock::now() - T0).count();
}

constexpr double Extent = 1000.0;

/// A layer of Count small boxes (0.5 % of the extent wide) spread uniformly.
std::unique_ptr<TMapLayer> MakeLayer(int Count, const std::string& FileName)
{
    auto Layer = std::make_unique<TMapLayer>();
    Layer->SetFileName(FileName); // no index file beside it: the tree is built
    std::mt19937 Random(42);
    std::uniform_real_distribution<double> Coord(0, Extent - 5);
    for (int I = 0; I < Count; ++I) {
        auto* O = new TCustomMapObject;
        TMapPoints* P = O->GetParts()->Add()->GetPoints();
        const double X = Coord(Random), Y = Coord(Random);
        P->Add(X, Y);
        P->Add(X + 5, Y);
        P->Add(X + 5, Y + 5);
        P->Add(X, Y + 5);
        Layer->AddObject(O, false);
    }
    return Layer;
}

void Run(int Count, const std::string& Dir)
{
    const std::string FileName = Dir + "/bench_layer.mif";
    std::filesystem::remove(Dir + "/bench_layer.idx");
    double CreateMs = 0;
    std::unique_ptr<TMapLayer> Layer;
    CreateMs = Millis([&] { Layer = MakeLayer(Count, FileName); });

    const int BuildRuns = Count >= 1000000 ? 3 : 5;
    std::vector<double> Build;
    for (int I = 0; I < BuildRuns; ++I)
        Build.push_back(Millis([&] { TIndexCell Index(Layer.get()); }));

    // Views of 10 % x 10 % of the extent at fixed random places.
    std::mt19937 Random(7);
    std::uniform_real_distribution<double> Place(0, Extent * 0.9);
    std::vector<TCellBounds> Views;
    for (int I = 0; I < 11; ++I) {
        const double X = Place(Random), Y = Place(Random);
        Views.push_back({X, X + Extent / 10, Y, Y + Extent / 10});
    }

    TCardinalArray Ids;
    std::vector<double> Scan, Indexed, ScanPaint, IndexedPaint;
    std::vector<int> ScanCounts;
    Layer->SetUseIndex2D(false);
    for (const auto& V : Views) {
        Scan.push_back(Millis([&] { Layer->GetAllIdsInRect(V, Ids); }));
        ScanCounts.push_back(Ids.Count());
        ScanPaint.push_back(Millis([&] { Layer->GetPaintIdsInRect(V, Ids); }));
    }
    Layer->SetUseIndex2D(true); // builds once; not part of the query times
    for (std::size_t I = 0; I < Views.size(); ++I) {
        Indexed.push_back(Millis([&] { Layer->GetAllIdsInRect(Views[I], Ids); }));
        if (Ids.Count() != ScanCounts[I]) {
            std::fprintf(stderr, "index and scan disagree: %d vs %d ids\n", Ids.Count(), ScanCounts[I]);
            std::exit(1);
        }
        IndexedPaint.push_back(Millis([&] { Layer->GetPaintIdsInRect(Views[I], Ids); }));
    }

    const double ScanMs = Median(Scan), IndexMs = Median(Indexed);
    const double ScanPaintMs = Median(ScanPaint), IndexPaintMs = Median(IndexedPaint);
    std::printf("%8d objects  create %9.1f ms  build %9.1f ms  | 1%% view (~%d ids): scan %9.3f ms  index %8.3f ms  speed-up %6.1fx"
                "  | paint query: scan %9.3f ms  index %8.3f ms  speed-up %6.1fx\n",
                Count, CreateMs, Median(Build), ScanCounts[0], ScanMs, IndexMs, ScanMs / IndexMs,
                ScanPaintMs, IndexPaintMs, ScanPaintMs / IndexPaintMs);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication App(argc, argv);
    const std::string Dir = std::filesystem::temp_directory_path().string();
    std::printf("Index vs plain scan of TMapLayer::GetAllIdsInRect (medians; build of %s runs)\n",
                "3-5");
    for (const int Count : {10000, 100000, 1000000})
        Run(Count, Dir);
    return 0;
}
