// Objects drawn with the tools survive a save: one of each kind, drawn by
// real input, saved to MIF, read back by Cartova and by GDAL.
#include "formats/SimpleMIFFormatProvider.h"
#include "tests/support/ShellHelpers.h"
#include "tests/tools/ToolTestSupport.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace cartova;
using test::Shell;
using test::TToolMap;

namespace {


std::vector<TMapPoint> AllVertices(TCustomMapObject* O)
{
    std::vector<TMapPoint> R;
    for (int I = 0; I < O->GetParts()->Count(); ++I)
        for (const TMapPoint& P : *O->GetParts()->GetItems(I)->GetPoints())
            R.push_back(P);
    return R;
}

} // namespace

TEST_F(TToolMap, DrawnObjectsOfEveryKindSurviveAMifSave)
{
    TSimpleMIFFormatProvider Provider;
    TMessageRecorder Messages;
    TMapLayer* Drawn = Map.GetLayers()->Add("", "drawn");
    Drawn->SetEditable(true);

    TLineTool Line;
    Use(Line);
    test::MouseDrag(Map, Qt::LeftButton, 20, 30, 120, 80);
    TRectTool Rect;
    Use(Rect);
    test::MouseDrag(Map, Qt::LeftButton, 150, 20, 220, 70);
    TPolylineTool Poly;
    Use(Poly);
    test::MouseClick(Map, Qt::LeftButton, 250, 20);
    test::MouseClick(Map, Qt::LeftButton, 300, 60);
    test::MouseDoubleClick(Map, Qt::LeftButton, 380, 30);
    TRegionTool Region;
    Use(Region);
    test::MouseClick(Map, Qt::LeftButton, 30, 120);
    test::MouseClick(Map, Qt::LeftButton, 110, 110);
    test::MouseDoubleClick(Map, Qt::LeftButton, 70, 180);
    TSymbolTool Symbol;
    Use(Symbol);
    test::MouseClick(Map, Qt::LeftButton, 160, 150);
    TCircleTool Circle;
    Use(Circle);
    test::MouseClick(Map, Qt::LeftButton, 330, 150);
    TTextTool Text;
    Use(Text);
    test::MouseClick(Map, Qt::LeftButton, 250, 120);
    for (const QChar C : QString("Straße"))
        test::KeyClick(Map, Qt::Key_unknown, Qt::NoModifier, QString(C));
    test::KeyClick(Map, Qt::Key_Return);
    const std::vector<std::string> Kinds = {"TPolyline", "TRectangle", "TPolyline", "TRegion",
                                            "TSymbol",   "TGeoCircle", "TText"};
    // MIF has no rectangle of two corners nor geodesic circle: they are
    // written as their closed rings.
    const std::vector<std::string> KindsBack = {"TPolyline", "TRegion", "TPolyline", "TRegion",
                                                "TSymbol",   "TRegion", "TText"};
    ASSERT_EQ(Drawn->GetObjectCount(), static_cast<int>(Kinds.size()));

    const std::string Path = std::string(CARTOVA_TEST_OUTPUT_DIR) + "/drawn-objects.mif";
    std::filesystem::remove(Path);
    ASSERT_TRUE(Drawn->SaveToFile(Path)) << Messages.LastText();
    TMapLayer* Back = Map.GetLayers()->Add(Path, "reloaded");
    ASSERT_EQ(Back->GetObjectCount(), Drawn->GetObjectCount()) << Messages.LastText();
    for (int I = 0; I < Drawn->GetObjectCount(); ++I) {
        TCustomMapObject* A = Drawn->GetObjects(I);
        TCustomMapObject* B = Back->GetObjects(I);
        EXPECT_EQ(A->ClassName(), Kinds[I]);
        EXPECT_EQ(B->ClassName(), KindsBack[I]);
        std::vector<TMapPoint> Expected = AllVertices(A);
        if (auto* R = dynamic_cast<TRectangle*>(A))
            Expected = {{R->GetX0(), R->GetY0()}, {R->GetX1(), R->GetY0()}, {R->GetX1(), R->GetY1()},
                        {R->GetX0(), R->GetY1()}, {R->GetX0(), R->GetY0()}};
        EXPECT_EQ(AllVertices(B), Expected) << Kinds[I];
    }
    EXPECT_EQ(static_cast<TSymbol*>(Back->GetObjects(4))->GetShape(),
              Map.GetOptions()->GetDefaultSymbolShape());
    auto* T0 = static_cast<TText*>(Drawn->GetObjects(6));
    auto* T1 = static_cast<TText*>(Back->GetObjects(6));
    EXPECT_EQ(T1->GetText(), "Straße");
    EXPECT_NEAR(T1->GetWidth(), T0->GetWidth(), 1e-9);
    EXPECT_NEAR(T1->GetHeight(), T0->GetHeight(), 1e-9);

    // GDAL reads the same objects.
    const std::string Info = Shell("ogrinfo -ro -al -so " + Path);
    if (Info.empty())
        GTEST_SKIP() << "ogrinfo is not available";
    EXPECT_NE(Info.find("Feature Count: " + std::to_string(Kinds.size())), std::string::npos) << Info;
}
