// The component registry and the palette that Register fills.

#include "registration/CartovaReg.h"

#include "formats/CustomFormatProvider.h"
#include "host/Host.h"
#include "tools/StdMapTools.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace cartova {
namespace {

std::vector<std::string> ClassNames(const std::string& Page)
{
    std::vector<std::string> Names;
    for (const TRegisteredComponent& C : GetRegisteredComponents(Page))
        Names.push_back(C.GetClassName());
    return Names;
}

class CartovaRegTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UnregisterComponents();
        Register();
    }
    void TearDown() override { UnregisterComponents(); }
};

TEST_F(CartovaRegTest, RegisterFillsTheThreePagesInPaletteOrder)
{
    const std::vector<std::string> Pages{"Cartova - Basic", "Cartova - Map Tools",
                                         "Cartova - Format Providers"};
    EXPECT_EQ(GetRegisteredPages(), Pages);
    EXPECT_EQ(ClassNames("Cartova - Basic"),
              (std::vector<std::string>{"TCartova", "TLayerControl", "TLayersComboBox", "TDataBrowser"}));
    EXPECT_EQ(ClassNames("Cartova - Map Tools"),
              (std::vector<std::string>{"TSelectionTool", "TZoomInTool", "TZoomOutTool", "TPanTool",
                                        "TLineTool", "TPolylineTool", "TRectTool", "TRegionTool",
                                        "TCircleTool", "TSymbolTool", "TTextTool"}));
    EXPECT_EQ(ClassNames("Cartova - Format Providers"),
              (std::vector<std::string>{"TSimpleMIFFormatProvider", "TMapInfoFormatProvider"}));

    // The abstract bases are not on the palette.
    for (const char* Abstract : {"TCustomMapTool", "TCustomPressMoveAndReleaseTool", "TCustomRectTool",
                                 "TCustomZoomTool", "TCustomMultiPointTool", "TCustomFormatProvider"})
        EXPECT_FALSE(FindRegisteredComponent(Abstract)) << Abstract;

    // Registering again changes nothing.
    Register();
    EXPECT_EQ(GetRegisteredPages(), Pages);
    EXPECT_EQ(GetRegisteredComponents("Cartova - Map Tools").size(), 11u);
}

TEST_F(CartovaRegTest, EveryClassHasItsOwnPaletteBitmapOfTheRightSize)
{
    const std::set<std::string> Large{"TCartova", "TDataBrowser", "TSimpleMIFFormatProvider",
                                      "TMapInfoFormatProvider"};
    std::vector<QImage> Seen;
    for (const std::string& Page : GetRegisteredPages()) {
        for (const TRegisteredComponent& C : GetRegisteredComponents(Page)) {
            SCOPED_TRACE(C.GetClassName());
            EXPECT_EQ(C.GetBitmapName(), UpperCase(C.GetClassName()));
            const QImage Image = C.GetPaletteBitmap();
            ASSERT_FALSE(Image.isNull());
            const int Side = Large.count(C.GetClassName()) ? 24 : 20;
            EXPECT_EQ(Image.size(), QSize(Side, Side));
            // The host's bitmap loader finds the same resource by that name.
            TBitmap Bitmap;
            Bitmap.LoadFromResource(C.GetBitmapName());
            EXPECT_EQ(Bitmap.GetWidth(), Side);

            // A picture, not a blank square, and no two classes share one.
            const QImage Rgb = Image.convertToFormat(QImage::Format_RGB32);
            std::set<QRgb> Colours;
            for (int Y = 0; Y < Rgb.height(); ++Y)
                for (int X = 0; X < Rgb.width(); ++X)
                    Colours.insert(Rgb.pixel(X, Y));
            EXPECT_GE(Colours.size(), 3u);
            for (const QImage& Other : Seen)
                EXPECT_NE(Other, Rgb);
            Seen.push_back(Rgb);

            // The icon makes the bottom-left colour transparent.
            const QImage Icon = C.GetPaletteIcon().pixmap(Side, Side).toImage();
            EXPECT_EQ(qAlpha(Icon.pixel(0, Side - 1)), 0);
            EXPECT_GT(Icon.width(), 0);
        }
    }
    EXPECT_EQ(Seen.size(), 17u);
}

TEST_F(CartovaRegTest, FactoriesCreateEachClassWithItsOwner)
{
    const int ProvidersBefore = FormatProviders->Count();
    {
        TComponent Owner(nullptr);
        int Created = 0;
        for (const std::string& Page : GetRegisteredPages()) {
            for (const TRegisteredComponent& C : GetRegisteredComponents(Page)) {
                TComponent* Component = C.Create(&Owner);
                ASSERT_NE(Component, nullptr);
                EXPECT_EQ(Component->ClassName(), C.GetClassName());
                EXPECT_EQ(Component->GetOwner(), &Owner);
                ++Created;
            }
        }
        EXPECT_EQ(Owner.ComponentCount(), Created);
        // The providers registered themselves on creation.
        EXPECT_EQ(FormatProviders->Count(), ProvidersBefore + 2);

        TComponent* Tool = CreateRegisteredComponent("tpantool", &Owner);
        EXPECT_EQ(Tool->ClassName(), "TPanTool");
    }
    // The owner freed everything, and the providers left the global registry.
    EXPECT_EQ(FormatProviders->Count(), ProvidersBefore);

    // Without an owner the caller frees the component.
    std::unique_ptr<TComponent> Free(CreateRegisteredComponent("TZoomInTool", nullptr));
    EXPECT_EQ(Free->GetOwner(), nullptr);

    try {
        CreateRegisteredComponent("TNoSuchTool", nullptr);
        FAIL() << "an unknown class was created";
    } catch (const EInvalidArgument& E) {
        EXPECT_STREQ(E.what(), "Class TNoSuchTool not found");
    }
}

TEST_F(CartovaRegTest, RegisterComponentsReplacesMovesAndRejects)
{
    UnregisterComponents();
    RegisterComponents("One", {ComponentClassOf<TPanTool>(), ComponentClassOf<TZoomInTool>()});
    RegisterComponents("Two", {ComponentClassOf<TLineTool>()});
    // Again on its own page: replaced in place.
    RegisterComponents("One", {ComponentClassOf<TPanTool>()});
    EXPECT_EQ(ClassNames("One"), (std::vector<std::string>{"TPanTool", "TZoomInTool"}));
    // On another page: moves to that page's end.
    RegisterComponents("Two", {ComponentClassOf<TPanTool>()});
    EXPECT_EQ(ClassNames("One"), (std::vector<std::string>{"TZoomInTool"}));
    EXPECT_EQ(ClassNames("Two"), (std::vector<std::string>{"TLineTool", "TPanTool"}));
    EXPECT_EQ(FindRegisteredComponent("TPANTOOL")->GetPage(), "Two");

    // A page left without classes is not listed.
    RegisterComponents("Two", {ComponentClassOf<TZoomInTool>()});
    EXPECT_EQ(GetRegisteredPages(), (std::vector<std::string>{"Two"}));
    EXPECT_TRUE(GetRegisteredComponents("One").empty());

    // A bad entry records nothing of its call.
    EXPECT_THROW(RegisterComponents("", {ComponentClassOf<TRectTool>()}), EInvalidArgument);
    EXPECT_THROW(RegisterComponents("Three", {ComponentClassOf<TRectTool>(), TComponentClass{"TNothing", {}}}),
                 EInvalidArgument);
    EXPECT_THROW(RegisterComponents("Three", {TComponentClass{"", ComponentClassOf<TRectTool>().Create}}),
                 EInvalidArgument);
    EXPECT_FALSE(FindRegisteredComponent("TRectTool"));
    EXPECT_EQ(GetRegisteredPages(), (std::vector<std::string>{"Two"}));

    // A class without a palette bitmap has a null one.
    RegisterComponents("Two", {TComponentClass{"TPlain", [](TComponent* O) { return new TComponent(O); }}});
    EXPECT_TRUE(FindRegisteredComponent("TPlain")->GetPaletteBitmap().isNull());
    EXPECT_TRUE(FindRegisteredComponent("TPlain")->GetPaletteIcon().isNull());

    UnregisterComponents("Two");
    EXPECT_TRUE(GetRegisteredPages().empty());
}

} // namespace
} // namespace cartova
