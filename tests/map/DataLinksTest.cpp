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
