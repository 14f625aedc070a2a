// Data links: order, re-attaching, object notifications.
#include "map/MapObjects.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace cartova;

namespace {

class TNamedLink : public TMapDataLink {
public:
    TNamedLink(std::vector<std::string>& Log, std::string Name) : FLog(Log), FName(std::move(Name)) {}
    void MapEvent(TMapDataLinkEvent Event, TObject*, int Param) override
    {
        FLog.push_back(FName + ":" + std::to_string(Event) + ":" + std::to_string(Param));
    }

private:
    std::vector<std::string>& FLog;
    std::string FName;
};

} // namespace

TEST(DataLinks, LinksHearEveryNotificationInAttachOrderOnce)
{
    std::vector<std::string> Log;
    TCartova Map;
    TNamedLink First(Log, "1"), Second(Log, "2");
    First.SetMap(&Map);
    Second.SetMap(&Map);
    Second.SetMap(&Map); // same map again: moved to the end, not duplicated
    EXPECT_EQ(Map.GetDataLinks()->Count(), 2);
    First.SetMap(&Map); // now First is last
    TMapLayer* L = Map.GetLayers()->Add("", "l");
    auto* O = L->NewObject<TCustomMapObject>();
    delete O;
    const std::string Add = std::to_string(mdlAfterAddLayer), Obj = std::to_string(mdlAddObject),
                      Rem = std::to_string(mdlRemoveObject);
    EXPECT_EQ(Log, (std::vector<std::string>{"2:" + Add + ":0", "1:" + Add + ":0", "2:" + Obj + ":0",
                                             "1:" + Obj + ":0", "2:" + Rem + ":0", "1:" + Rem + ":0"}));
    EXPECT_EQ(mdlDelSelection, 14);
}

TEST(DataLinks, InsertAndClearReachTheLinksAndEveryListedLinkHearsOnce)
{
    std::vector<std::string> Log;
    TCartova Map;
    TNamedLink Link(Log, "l");
    Link.SetMap(&Map);
    Map.GetLayers()->Add("", "a");
    Map.GetLayers()->Insert("", 0);
    Map.GetLayers()->Clear();
    const std::string Add = std::to_string(mdlAfterAddLayer), Del = std::to_string(mdlDelLayer),
                      After = std::to_string(mdlAfterDelLayer);
    EXPECT_EQ(Log, (std::vector<std::string>{"l:" + Add + ":0", "l:" + Add + ":0", "l:" + Del + ":0",
                                             "l:" + After + ":0", "l:" + Del + ":0", "l:" + After + ":0"}));

    // A link that leaves while being told does not make the next one miss the news.
    class TLeavingLink : public TMapDataLink {
    public:
        void MapEvent(TMapDataLinkEvent, TObject*, int) override { SetMap(nullptr); }
    } Leaving;
    TCartova Other;
    Leaving.SetMap(&Other);
    Log.clear();
    Link.SetMap(&Other);
    Other.GetLayers()->Add("", "b");
    EXPECT_EQ(Log, (std::vector<std::string>{"l:" + Add + ":0"}));
    EXPECT_EQ(Other.GetDataLinks()->Count(), 1);
}
