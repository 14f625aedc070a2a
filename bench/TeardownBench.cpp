// Freeing large collections: a region of 200 000 empty rings (what 400 KB of
// MIF can declare) against the floor of freeing as many vertex lists, and a
// layer of 200 000 symbols that were all displayed. Freeing is linear: the
// run fails when a teardown takes longer than its budget.
#include "map/MapObjects.h"
#include "objects/Region.h"
#include "objects/Symbol.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace cartova;

namespace {

constexpr int Count = 200000;
// Budgets in seconds, far above a linear teardown in a release build and far
// below the quadratic one (several seconds).
constexpr double RingsBudget = 0.5;
constexpr double LayerBudget = 1.0;

double Seconds(const std::function<void()>& Work)
{
    const auto Start = std::chrono::steady_clock::now();
    Work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    bool Ok = true;

    auto Region = std::make_unique<TRegion>();
    for (int I = 0; I < Count; ++I)
        Region->GetParts()->Add();
    const double Rings = Seconds([&] { Region.reset(); });
    std::printf("region of %d empty rings freed: %.3f s (budget %.1f s)\n", Count, Rings, RingsBudget);
    Ok = Ok && Rings <= RingsBudget;

    // The floor: freeing as many empty vertex lists held by unique pointers.
    std::vector<std::unique_ptr<TMapPoints>> Lists;
    for (int I = 0; I < Count; ++I)
        Lists.push_back(std::make_unique<TMapPoints>());
    const double Floor = Seconds([&] { Lists.clear(); });
    std::printf("floor, %d vertex lists freed: %.3f s, ratio %.1f\n", Count, Floor, Floor > 0 ? Rings / Floor : 0.0);

    // Every symbol is displayed: each one leaves the displayed list as it is freed.
    TCartova Map;
    Map.SetBounds(0, 0, 400, 300);
    TMapLayer* Layer = Map.GetLayers()->Add("", "points");
    Map.BeginUpdate();
    for (int I = 0; I < Count; ++I) {
        auto* S = Layer->NewObject<TSymbol>();
        S->SetX(-170 + (I % 1000) * 0.34);
        S->SetY(-80 + (I / 1000) * 0.8);
        S->SetShape(34);
        Map.GetDisplayed()->Add(S);
    }
    Map.EndUpdate(false);
    const double Layers = Seconds([&] { Map.GetLayers()->Delete(0); });
    std::printf("layer of %d displayed symbols deleted: %.3f s (budget %.1f s)\n", Count, Layers, LayerBudget);
    Ok = Ok && Layers <= LayerBudget;

    if (!Ok)
        std::printf("over budget\n");
    return Ok ? 0 : 1;
}
