#include "formats/CustomFormatProvider.h"
#include "formats/SimpleMIFFormatProvider.h"

#include <gtest/gtest.h>

#include <memory>

using namespace cartova;

namespace {

// A second format (".tab" and ".mif") standing for the MapInfo provider.
class TTabProvider : public TCustomFormatProvider {
public:
    using TCustomFormatProvider::TCustomFormatProvider;
    std::string GetDescription() const override { return "Tab"; }
    std::string GetFilter() const override { return "Tab Files (*.tab)|*.tab"; }
    TGUID GetGUID() const override { return StringToGUID("{4AC2894A-85A3-4613-80D2-27DDCDFEA816}"); }
    bool Load(TMapLayer*, const std::string&) override { return true; }
    bool Save(TMapLayer*, const std::string&) override { return true; }
    bool CanProcessFile(const std::string& Name) const override
    {
        return HasFileExt(Name, ".mif") || HasFileExt(Name, ".tab");
    }
};

} // namespace

TEST(FormatProviders, EmptyRegistryAnswersNothing)
{
    ASSERT_NE(FormatProviders, nullptr);
    ASSERT_EQ(FormatProviders->Count(), 0);
    EXPECT_EQ(FormatProviders->GetFilter(), "");
    EXPECT_EQ(FormatProviders->GetFilterIndex(), 0);
    EXPECT_EQ(FormatProviders->FindSuitableProvider("a.mif"), nullptr);
    EXPECT_EQ(FormatProviders->GetProviderByGUID(TGUID{}), nullptr);
    EXPECT_FALSE(LoadLayerFromProviders(nullptr, "a.mif"));
}

TEST(FormatProviders, ChoiceFollowsCreationOrderAndEnabled)
{
    TComponent Owner;
    auto* Mif = new TSimpleMIFFormatProvider(&Owner);
    auto* Tab = new TTabProvider(&Owner);
    ASSERT_EQ(FormatProviders->Count(), 2);
    EXPECT_EQ(FormatProviders->GetProvider(0), Mif);
    EXPECT_FALSE(Mif->GetDefault());
    EXPECT_TRUE(Mif->GetEnabled());

    EXPECT_EQ(FormatProviders->FindSuitableProvider("/d/World.MIF"), Mif);
    EXPECT_EQ(FormatProviders->FindSuitableProvider("/d/world.Tab"), Tab);
    EXPECT_EQ(FormatProviders->FindSuitableProvider("/d/mif"), nullptr);
    EXPECT_EQ(FormatProviders->FindSuitableProvider("/d.mif/world"), nullptr);
    EXPECT_FALSE(LoadLayerFromProviders(nullptr, "x.mif")); // the simple reader answers false
    EXPECT_TRUE(SaveLayerToProviders(nullptr, "x.tab"));

    Mif->SetEnabled(false);
    EXPECT_EQ(FormatProviders->FindSuitableProvider("x.mif"), Tab);
    // A disabled provider still offers its filter.
    EXPECT_EQ(FormatProviders->GetFilter(),
              "MapInfo Interchange Format Files (*.mif)|*.mif|Tab Files (*.tab)|*.tab");
    EXPECT_EQ(FormatProviders->GetProviderByGUID(StringToGUID("{830df284-6671-4cd9-be3c-caf9b6db2e2c}")), Mif);

    delete Mif; // leaves the registry and its owner
    EXPECT_EQ(FormatProviders->Count(), 1);
    EXPECT_EQ(FormatProviders->GetProvider(0), Tab);
    EXPECT_EQ(FormatProviders->GetProviderByGUID(StringToGUID("{830DF284-6671-4CD9-BE3C-CAF9B6DB2E2C}")), nullptr);
    EXPECT_EQ(Owner.ComponentCount(), 1);
}

TEST(FormatProviders, DefaultIsExclusive)
{
    TSimpleMIFFormatProvider A, B;
    TTabProvider C;
    B.SetDefault(true);
    EXPECT_EQ(FormatProviders->GetFilterIndex(), 1);
    C.SetDefault(true);
    A.SetDefault(true); // as when a form streams several Default providers: the last wins
    EXPECT_TRUE(A.GetDefault());
    EXPECT_FALSE(B.GetDefault());
    EXPECT_FALSE(C.GetDefault());
    EXPECT_EQ(FormatProviders->GetFilterIndex(), 0);
    C.SetDefault(true);
    EXPECT_EQ(FormatProviders->GetFilterIndex(), 2);
    C.SetDefault(false);
    EXPECT_FALSE(A.GetDefault());
    EXPECT_EQ(FormatProviders->GetFilterIndex(), 0);
}

TEST(FormatProviders, SimpleMIFProviderAndAbstractBase)
{
    TSimpleMIFFormatProvider Mif;
    EXPECT_EQ(Mif.GetDescription(), "MapInfo Interchange Format (MIF) Provider (simple edition)");
    EXPECT_EQ(Mif.GetFilter(), "MapInfo Interchange Format Files (*.mif)|*.mif");
    EXPECT_EQ(GUIDToString(Mif.GetGUID()), "{830DF284-6671-4CD9-BE3C-CAF9B6DB2E2C}");

    TCustomFormatProvider Base;
    EXPECT_EQ(FormatProviders->Count(), 2);
    EXPECT_THROW(Base.GetDescription(), EAbstractError);
    EXPECT_THROW(Base.GetFilter(), EAbstractError);
    EXPECT_THROW(Base.GetGUID(), EAbstractError);
    EXPECT_THROW(Base.Load(nullptr, "a.mif"), EAbstractError);
    EXPECT_THROW(Base.Save(nullptr, "a.mif"), EAbstractError);
    EXPECT_THROW(Base.CanProcessFile("a.mif"), EAbstractError);
}

TEST(Guid, TextFormRoundTripsAndBadTextRaises)
{
    const TGUID G = StringToGUID("{4ac2894a-85A3-4613-80D2-27DDCDFEA816}");
    EXPECT_EQ(G.D1, 0x4AC2894Au);
    EXPECT_EQ(G.D2, 0x85A3u);
    EXPECT_EQ(G.D4[0], 0x80u);
    EXPECT_EQ(G.D4[7], 0x16u);
    EXPECT_EQ(GUIDToString(G), "{4AC2894A-85A3-4613-80D2-27DDCDFEA816}");
    for (const char* Bad : {"", "4AC2894A-85A3-4613-80D2-27DDCDFEA816", "{4AC2894A-85A3-4613-80D2-27DDCDFEA81G}",
                            "{4AC2894A-85A3-4613-80D227-DDCDFEA816}", "{4AC2894A-85A3-4613-80D2-27DDCDFEA816}x"})
        EXPECT_THROW(StringToGUID(Bad), EConvertError) << Bad;
}
