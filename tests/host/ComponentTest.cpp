// Component model: assignment errors, ownership trees, free notification.
#include "host/Host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace cartova;

namespace {

std::vector<std::string> Log;

class TProbe : public TComponent {
public:
    explicit TProbe(TComponent* AOwner, std::string Label) : TComponent(AOwner), FLabel(std::move(Label)) {}
    ~TProbe() override { Log.push_back("destroy " + FLabel); }
    TComponent* Watched = nullptr;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == Watched) {
            Log.push_back(FLabel + " lost its partner");
            Watched = nullptr;
        }
    }

private:
    std::string FLabel;
};

class TPlain : public TPersistent {};
class TOther : public TPersistent {};

} // namespace

TEST(Component, AssignWithoutSupportRaisesConvertErrorNamingBothClasses)
{
    TPlain A;
    TOther B;
    try {
        A.Assign(&B);
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_STREQ(E.what(), "Cannot assign a TOther to a TPlain");
    }
    EXPECT_THROW(A.Assign(nullptr), EConvertError);
    EXPECT_EQ(A.ClassName(), "TPlain");
}

TEST(Component, OwnerFreesOwnedComponentsLastFirstAndForgetsFreedOnes)
{
    Log.clear();
    {
        TProbe Owner(nullptr, "owner");
        new TProbe(&Owner, "a");
        auto* B = new TProbe(&Owner, "b");
        new TProbe(&Owner, "c");
        ASSERT_EQ(Owner.ComponentCount(), 3);
        EXPECT_EQ(B->GetComponentIndex(), 1);
        delete B;
        EXPECT_EQ(Owner.ComponentCount(), 2);
        EXPECT_THROW(Owner.GetComponents(2), EListError);
    }
    EXPECT_EQ(Log, (std::vector<std::string>{"destroy b", "destroy owner", "destroy c", "destroy a"}));
}

TEST(Component, FreeNotificationClearsPartnerReferenceBothWays)
{
    Log.clear();
    auto* Map = new TProbe(nullptr, "map");
    auto* Tool = new TProbe(nullptr, "tool");
    Tool->Watched = Map;
    Tool->FreeNotification(Map);
    delete Map;
    EXPECT_EQ(Tool->Watched, nullptr);
    EXPECT_EQ(Log, (std::vector<std::string>{"destroy map", "tool lost its partner"}));

    // After RemoveFreeNotification nothing is heard, and nothing dangles.
    auto* Map2 = new TProbe(nullptr, "map2");
    Tool->Watched = Map2;
    Tool->FreeNotification(Map2);
    Tool->RemoveFreeNotification(Map2);
    delete Tool;
    delete Map2;
}

TEST(Component, NamesAreUniqueAmongSiblingsAndFoundIgnoringCase)
{
    TComponent Owner;
    auto* A = new TComponent(&Owner);
    A->SetName("Map1");
    auto* B = new TComponent(&Owner);
    EXPECT_THROW(B->SetName("MAP1"), EInvalidArgument);
    EXPECT_THROW(B->SetName("1bad"), EInvalidArgument);
    B->SetName("Tool");
    EXPECT_EQ(Owner.FindComponent("map1"), A);
    EXPECT_EQ(Owner.FindComponent("none"), nullptr);
    A->SetTag(42);
    EXPECT_EQ(A->GetTag(), 42);
    A->BeginLoading();
    EXPECT_TRUE(A->InState(csLoading));
    A->Loaded();
    EXPECT_FALSE(A->InState(csLoading));
}
