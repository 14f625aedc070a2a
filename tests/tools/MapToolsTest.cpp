// Tool linking and the activation protocol.
#include "map/MapObjects.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <string>
#include <vector>

using namespace cartova;

namespace {

class TRecordingTool : public TCustomMapTool {
public:
    TRecordingTool(std::vector<std::string>& Log, std::string Label)
        : FLog(Log), FLabel(std::move(Label))
    {
        OnToolStateChanged = [this](TCustomMapTool*) { FLog.push_back(FLabel + " state"); };
    }
    void Init() override
    {
        TCustomMapTool::Init();
        FLog.push_back(FLabel + " Init");
    }
    void Done() override
    {
        TCustomMapTool::Done();
        FLog.push_back(FLabel + " Done");
    }

private:
    std::vector<std::string>& FLog;
    std::string FLabel;
};

} // namespace

TEST(MapTools, SwitchingToolsRunsTheDocumentedOrder)
{
    std::vector<std::string> Log;
    TCartova Map;
    Map.OnMapToolChanged = [&](TObject*) {
        Log.push_back("map changed, active " +
                      std::to_string(Map.GetMapToolsManager()->GetActiveMapToolIndex()));
    };
    TRecordingTool A(Log, "A"), B(Log, "B");
    A.SetCursor(crHandPoint);
    A.SetCartova(&Map);
    B.SetCartova(&Map);
    A.SetActive(true);
    EXPECT_EQ(Map.GetCursor(), crHandPoint);
    Log.clear();
    B.SetActive(true);
    EXPECT_EQ(Log, (std::vector<std::string>{"B state", "map changed, active 0", "A state",
                                             "map changed, active 1", "A Done", "B Init"}));
    EXPECT_EQ(Map.GetMapToolsManager()->GetActiveMapTool(), &B);
    EXPECT_EQ(Map.GetCursor(), crDefault);
}

TEST(MapTools, UnlinkedActivationIsStoredSilentlyAndListOrderDecides)
{
    std::vector<std::string> Log;
    TCartova Map;
    TRecordingTool A(Log, "A"), B(Log, "B");
    B.SetActive(true);
    A.SetActive(true);
    EXPECT_TRUE(Log.empty());
    B.SetCartova(&Map);
    A.SetCartova(&Map);
    EXPECT_EQ(Map.GetMapToolsManager()->GetActiveMapTool(), &B);
    EXPECT_TRUE(Log.empty()); // linking runs no Init
    B.SetCartova(&Map);       // same map: nothing moves
    EXPECT_EQ(Map.GetMapToolsManager()->GetMapTools(0), &B);
    EXPECT_THROW(Map.GetMapToolsManager()->GetMapTools(2), EListError);
}

TEST(MapTools, ToolAndMapMayDieInEitherOrder)
{
    std::vector<std::string> Log;
    auto* Tool = new TRecordingTool(Log, "T");
    {
        TCartova Map;
        Tool->SetCartova(&Map);
        {
            TRecordingTool Short(Log, "S");
            Short.SetCartova(&Map);
            EXPECT_EQ(Map.GetMapToolsManager()->Count(), 2);
        }
        EXPECT_EQ(Map.GetMapToolsManager()->Count(), 1);
    }
    EXPECT_EQ(Tool->GetMapToolsManager(), nullptr);
    EXPECT_EQ(Tool->GetCartova(), nullptr);
    Tool->SetActive(true); // only stored now
    EXPECT_TRUE(Tool->GetActive());
    delete Tool;
}

TEST(MapTools, FindCartovaSearchesOwnedComponentsDepthFirst)
{
    TComponent Root;
    auto* First = new TComponent(&Root);
    auto* Inner = new TComponent(First);
    auto* Deep = new TCartova(Inner);
    new TComponent(&Root);
    EXPECT_EQ(TCustomMapTool::FindCartova(&Root), Deep);
    TComponent Empty;
    EXPECT_EQ(TCustomMapTool::FindCartova(&Empty), nullptr);
}
