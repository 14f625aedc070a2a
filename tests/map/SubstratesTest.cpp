// Substrates: images under the layers at map coordinates, and their list.
#include "tests/support/VectorTestMap.h"

#include <QImage>

using namespace cartova;
using cartova::test::PixelOf;
using cartova::test::TVectorMapFixture;

namespace {

using SubstratesTest = TVectorMapFixture;

/// A PNG of one colour in the tests' output folder.
std::string SolidImage(const std::string& Name, QColor Colour)
{
    QImage Image(10, 10, QImage::Format_RGB32);
    Image.fill(Colour);
    return test::SaveTestOutput(Image, Name);
}

} // namespace

TEST_F(SubstratesTest, ImageLiesUnderTheLayersOnItsRectangle)
{
    const std::string File = SolidImage("substrate-blue.png", Qt::blue);
    TSubstrate* S = Map.GetSubstrates()->LoadFromFile(File, 50, 50, 100, 100);
    ASSERT_EQ(Map.GetSubstrates()->Count(), 1);
    EXPECT_EQ(S->GetMap(), &Map);
    auto* R = Adopt(new TRegion);
    AddBox(R, 90, 90, 110, 110);
    const QImage Image = Painted();
    EXPECT_EQ(PixelOf(Image, 60, 60), clBlue);
    EXPECT_EQ(PixelOf(Image, 140, 140), clBlue);
    EXPECT_EQ(PixelOf(Image, 40, 100), clWhite);
    EXPECT_EQ(PixelOf(Image, 100, 100), clRed) << "layers above the substrate";
}

TEST_F(SubstratesTest, AddShowsTheImageAtOnce)
{
    const std::string File = SolidImage("substrate-green.png", Qt::green);
    test::PaintControl(Map);
    TRectangle Placement;
    Placement.SetX0(0);
    Placement.SetY0(0);
    Placement.SetX1(200);
    Placement.SetY1(200);
    Map.GetSubstrates()->LoadFromFile(File, &Placement);
    EXPECT_EQ(PixelOf(Map.GetSurfaceImage(), 100, 100), clLime);
    EXPECT_EQ(Map.GetSubstrates()->GetSubstrates(0)->GetRectangle(), &Placement);
    Map.GetSubstrates()->Clear();
    EXPECT_EQ(Map.GetSubstrates()->Count(), 0);
}

TEST_F(SubstratesTest, RemoveTakesOutWithoutFreeingAndRejectsAStranger)
{
    TSubstrates* List = Map.GetSubstrates();
    auto* Kept = new TSubstrate;
    List->Add(Kept);
    TSubstrate Stranger;
    EXPECT_THROW(List->Remove(&Stranger), EListError);
    EXPECT_EQ(List->Count(), 1);
    List->Remove(Kept);
    EXPECT_EQ(List->Count(), 0);
    delete Kept; // still alive: Remove did not free it
}

TEST_F(SubstratesTest, UnreadableImageRaisesAndAddsNothing)
{
    EXPECT_ANY_THROW(Map.GetSubstrates()->LoadFromFile("/nonexistent/image.png", 0, 0, 10, 10));
    EXPECT_EQ(Map.GetSubstrates()->Count(), 0);
}
