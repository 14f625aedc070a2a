// Loading a file as a layer: decided once, and a failed load leaves nothing
// behind and is reported once, to the caller.
#include "tests/formats/MifTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace cartova;
using namespace cartova::test;

namespace {

/// Records the layer events the map and its links raise, in order.
class TLoadEvents : public TMapDataLink {
public:
    explicit TLoadEvents(TCartova& Map)
    {
        SetMap(&Map);
        Map.OnAddLayer = [this](TObject*, TMapLayer* L) { Log.push_back("OnAddLayer " + L->GetName()); };
        Map.OnBeforeDelLayer = [this](TObject*, TMapLayer*, bool, bool&) { Log.push_back("OnBeforeDelLayer"); };
    }
    void MapEvent(TMapDataLinkEvent Event, TObject* Obj, int Param) override
    {
        TMapDataLink::MapEvent(Event, Obj, Param);
        if (Event == mdlAfterAddLayer || Event == mdlDelLayer || Event == mdlAfterDelLayer)
            Log.push_back("link " + std::to_string(Event));
    }
    std::vector<std::string> Log;
};

class LayerLoadTest : public ::testing::Test {
protected:
    ~LayerLoadTest() override
    {
        Map.OnAddLayer = nullptr;
        Map.OnBeforeDelLayer = nullptr;
    }
    std::string PathOf(const std::string& Name) const { return MifOutputDir() + "/load-" + Name; }

    TSimpleMIFFormatProvider Provider;
    TCartova Map;
    TLoadEvents Events{Map};
};

} // namespace

TEST_F(LayerLoadTest, ANameIsResolvedOnceToAnAbsoluteFileAndItsProvider)
{
    const std::string Mif = PathOf("resolve.mif");
    WriteText(Mif, "Version 300\nData\nPoint 1 2\n");
    const std::string Cwd = std::filesystem::current_path().string();
    std::filesystem::current_path(MifOutputDir());
    const TLayerSource Relative = ResolveLayerSource("load-resolve.mif");
    std::filesystem::current_path(Cwd);
    EXPECT_EQ(Relative.Kind, lsReadable);
    EXPECT_EQ(Relative.FileName, Mif);
    EXPECT_EQ(Relative.Provider, &Provider);

    EXPECT_EQ(ResolveLayerSource("").Kind, lsNoName);
    EXPECT_EQ(ResolveLayerSource(PathOf("nothing.mif")).Kind, lsMissing);
    EXPECT_EQ(ResolveLayerSource(MifOutputDir()).Kind, lsFolder);
    WriteText(PathOf("other.xyz"), "x");
    const TLayerSource Other = ResolveLayerSource(PathOf("other.xyz"));
    EXPECT_EQ(Other.Kind, lsNoProvider);
    EXPECT_EQ(Other.Provider, nullptr);

    // A resolved source loads as the name would, with the same events.
    TMapLayer* L = Map.GetLayers()->Add(Relative, "");
    EXPECT_EQ(L->GetName(), "load-resolve");
    EXPECT_EQ(L->GetFileName(), Mif);
    EXPECT_EQ(L->GetObjectCount(), 1);
    EXPECT_EQ(Events.Log, (std::vector<std::string>{"OnAddLayer load-resolve",
                                                     "link " + std::to_string(mdlAfterAddLayer)}));
}

TEST_F(LayerLoadTest, AFileThatFailsToLoadIsReportedOnceAndLeavesNothing)
{
    Map.GetLayers()->Add("", "kept");
    Events.Log.clear();
    // One good object is read before the bad line: it goes with the layer.
    const std::string Bad = PathOf("bad.mif");
    WriteText(Bad, "Version 300\nData\nPoint 1 2\nLine 0 0 1 y\n");
    TMessageRecorder Messages;
    try {
        Map.GetLayers()->Add(Bad, "bad");
        FAIL() << "no error";
    } catch (const ELayerLoadError& E) {
        EXPECT_EQ(E.GetFileName(), Bad);
        EXPECT_EQ(E.GetKind(), lsReadable);
        EXPECT_EQ(std::string(E.what()), "Cannot load \"" + Bad + "\": the file could not be read");
    }
    EXPECT_EQ(Messages.Count(), 1); // the reader's own reason, once
    EXPECT_EQ(Map.GetLayers()->Count(), 1);
    EXPECT_TRUE(Events.Log.empty()) << Events.Log.front();

    // Insert fails the same way, and so does a file no provider reads.
    EXPECT_THROW(Map.GetLayers()->Insert(Bad, 0), ELayerLoadError);
    WriteText(PathOf("other.xyz"), "x");
    try {
        Map.GetLayers()->Add(PathOf("other.xyz"), "");
        FAIL() << "no error";
    } catch (const ELayerLoadError& E) {
        EXPECT_EQ(E.GetKind(), lsNoProvider);
        EXPECT_NE(std::string(E.what()).find("no format provider reads it"), std::string::npos);
    }
    EXPECT_EQ(Map.GetLayers()->Count(), 1);
    EXPECT_EQ(Map.GetLayers()->GetLayers(0)->GetName(), "kept");
    EXPECT_TRUE(Events.Log.empty());

    // The map paints on: nothing of the failed layers is left to draw.
    Map.SetBounds(0, 0, 40, 30);
    Map.Repaint();
}

TEST_F(LayerLoadTest, AMissingFileOrAFolderStillGivesAnEmptyNamedLayer)
{
    TMapLayer* Missing = Map.GetLayers()->Add(PathOf("nothing.mif"), "missing");
    TMapLayer* Folder = Map.GetLayers()->Insert(MifOutputDir(), 0);
    EXPECT_EQ(Missing->GetObjectCount(), 0);
    EXPECT_TRUE(Missing->GetFileName().empty());
    EXPECT_EQ(Map.GetLayers()->GetLayers(0), Folder);
    const std::string After = "link " + std::to_string(mdlAfterAddLayer);
    EXPECT_EQ(Events.Log, (std::vector<std::string>{"OnAddLayer missing", After, "OnAddLayer ", After}));
}
