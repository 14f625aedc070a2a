// `cartova render` checked on the pixels it writes: the view a --bbox,
// --center and --zoom give, the fit after --rotate, the background, and
// the image formats chosen by the output's extension, standard output too.
#include "tests/apps/CliSupport.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>

#include <string>

using cartova::test::Cartova;
using cartova::test::ReadFile;
using cartova::test::WriteFile;

namespace {

const std::string Output = CARTOVA_TEST_OUTPUT_DIR;

// CTest runs the tests of this file in parallel processes: every file a test
// writes carries the test's name.
std::string TestFile(const std::string& Name)
{
    return Output + "/render-" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" + Name;
}
const QColor Red(255, 0, 0);
const QColor White(255, 255, 255);

// A layer of one red region without an outline, the rectangle (0, 0)-(W, H).
std::string RedBox(const std::string& Name, int W, int H)
{
    const std::string Path = TestFile(Name + ".mif");
    const std::string X = std::to_string(W), Y = std::to_string(H);
    WriteFile(Path, "Version 300\nCharset \"WindowsLatin1\"\nDelimiter \",\"\nColumns 1\n  id Integer\nData\nRegion 1\n"
                    "  5\n0 0\n" + X + " 0\n" + X + " " + Y + "\n0 " + Y + "\n0 0\n    Pen (1,1,0)\n"
                    "    Brush (2,16711680)\n");
    WriteFile(TestFile(Name + ".mid"), "1\n");
    return Path;
}

// Renders File with Options into a PNG and returns the picture.
QImage Render(const std::string& File, const std::string& Options)
{
    const std::string Png = TestFile("out.png");
    std::remove(Png.c_str());
    const auto R = Cartova("render " + File + " -o " + Png + " " + Options);
    EXPECT_EQ(R.Status, 0) << Options << "\n" << R.Err;
    EXPECT_EQ(R.Err, "") << Options;
    return QImage(QString::fromStdString(Png));
}

// Whether the outermost rows and columns hold only Colour.
bool BorderIs(const QImage& Image, const QColor& Colour)
{
    for (int X = 0; X < Image.width(); ++X)
        if (Image.pixelColor(X, 0) != Colour || Image.pixelColor(X, Image.height() - 1) != Colour)
            return false;
    for (int Y = 0; Y < Image.height(); ++Y)
        if (Image.pixelColor(0, Y) != Colour || Image.pixelColor(Image.width() - 1, Y) != Colour)
            return false;
    return true;
}

} // namespace

TEST(RenderTest, BboxCenterAndZoomChooseTheView)
{
    const std::string Box = RedBox("square", 10, 10);
    // The box 0..20 × 0..10 fills a 2:1 image: the square is its left half.
    QImage I = Render(Box, "--size 200x100 --bbox 0,0,20,10");
    ASSERT_EQ(I.size(), QSize(200, 100));
    EXPECT_EQ(I.pixelColor(2, 2), Red);
    EXPECT_EQ(I.pixelColor(97, 97), Red);
    EXPECT_EQ(I.pixelColor(103, 50), White);
    EXPECT_EQ(I.pixelColor(197, 50), White);
    // A box of another shape than the image: the view holds it whole, centred.
    I = Render(Box, "--size 200x100 --bbox 0,0,10,10");
    EXPECT_EQ(I.pixelColor(100, 50), Red);
    EXPECT_EQ(I.pixelColor(60, 50), Red);
    EXPECT_EQ(I.pixelColor(40, 50), White);
    EXPECT_EQ(I.pixelColor(160, 50), White);

    // Fitted, the square fills the image but for the margin.
    I = Render(Box, "--size 100x100");
    EXPECT_FALSE(BorderIs(I, Red));
    EXPECT_TRUE(BorderIs(I, White));
    EXPECT_EQ(I.pixelColor(3, 3), Red);
    EXPECT_EQ(I.pixelColor(96, 96), Red);
    // Zoom 2 about the square's corner: the square fills the upper right quarter.
    I = Render(Box, "--size 100x100 --center 0,0 --zoom 2");
    EXPECT_EQ(I.pixelColor(75, 25), Red);
    EXPECT_EQ(I.pixelColor(25, 25), White);
    EXPECT_EQ(I.pixelColor(25, 75), White);
    EXPECT_EQ(I.pixelColor(75, 75), White);
    // The centre alone keeps the fitted scale: the square's half is 49 pixels wide.
    I = Render(Box, "--size 100x100 --center=10,10");
    EXPECT_EQ(I.pixelColor(25, 75), Red);
    EXPECT_EQ(I.pixelColor(3, 97), Red);
    EXPECT_EQ(I.pixelColor(75, 25), White);
    // The zoom alone keeps the fitted centre: at 4 the square covers the whole image.
    I = Render(Box, "--size 100x100 --zoom 4");
    EXPECT_TRUE(BorderIs(I, Red));
}

TEST(RenderTest, RotationIsFittedSoNothingIsCutOff)
{
    // A long bar, turned upright in a wide image, fits its height.
    const std::string Bar = RedBox("bar", 100, 10);
    QImage I = Render(Bar, "--size 200x100 --rotate 90");
    EXPECT_TRUE(BorderIs(I, White));
    EXPECT_EQ(I.pixelColor(100, 3), Red);
    EXPECT_EQ(I.pixelColor(100, 96), Red);
    EXPECT_EQ(I.pixelColor(90, 50), White);
    EXPECT_EQ(I.pixelColor(110, 50), White);
    // Turned by 30 degrees it runs from the lower left to the upper right, whole.
    I = Render(Bar, "--size 200x100 --rotate -30");
    EXPECT_TRUE(BorderIs(I, White));
    EXPECT_EQ(I.pixelColor(100, 50), Red);
    EXPECT_EQ(I.pixelColor(40, 85), Red);
    EXPECT_EQ(I.pixelColor(160, 15), Red);
    EXPECT_EQ(I.pixelColor(40, 15), White);
    EXPECT_EQ(I.pixelColor(160, 85), White);
    // With a bbox, the view holds the turned box.
    I = Render(Bar, "--size 100x100 --bbox 0,0,100,10 --rotate 90");
    EXPECT_EQ(I.pixelColor(50, 1), Red);
    EXPECT_EQ(I.pixelColor(50, 98), Red);
    EXPECT_EQ(I.pixelColor(40, 50), White);
}

TEST(RenderTest, BackgroundAndImageFormats)
{
    const std::string Box = RedBox("formats", 10, 10);
    QImage I = Render(Box, "--size 100x50 --background '#336699'");
    EXPECT_EQ(I.pixelColor(2, 25), QColor(0x33, 0x66, 0x99));
    EXPECT_EQ(I.pixelColor(50, 25), Red);
    I = Render(Box, "--size 100x50 --background lightblue");
    EXPECT_EQ(I.pixelColor(2, 25), QColor(173, 216, 230));

    // The extension chooses the format, whatever its case.
    for (const auto& [Name, Magic] : {std::pair("f.jpg", std::string("\xFF\xD8\xFF")), std::pair("f.JPEG", std::string("\xFF\xD8\xFF")),
                                      std::pair("f.bmp", std::string("BM")), std::pair("f.png", std::string("\x89PNG"))}) {
        const std::string Path = TestFile(Name);
        std::remove(Path.c_str());
        const auto R = Cartova("render " + Box + " -o " + Path + " --size 40x20");
        ASSERT_EQ(R.Status, 0) << Name << R.Err;
        EXPECT_EQ(ReadFile(Path).substr(0, Magic.size()), Magic) << Name;
        EXPECT_EQ(QImage(QString::fromStdString(Path)).size(), QSize(40, 20)) << Name;
    }

    // "-" writes a PNG to stdout and nothing else.
    const auto R = Cartova("render " + Box + " -o - --size 40x20");
    ASSERT_EQ(R.Status, 0) << R.Err;
    EXPECT_EQ(R.Err, "");
    EXPECT_EQ(R.Out.substr(0, 4), "\x89PNG");
    const QImage Piped = QImage::fromData(QByteArray(R.Out.data(), static_cast<qsizetype>(R.Out.size())), "PNG");
    ASSERT_EQ(Piped.size(), QSize(40, 20));
    EXPECT_EQ(Piped.pixelColor(20, 10), Red);
}

TEST(RenderTest, AntialiasSmoothsTheSlantedOutlineOfATurnedBox)
{
    // The red box with a black outline.
    const std::string Box = TestFile("smooth.mif");
    WriteFile(Box, "Version 300\nCharset \"WindowsLatin1\"\nDelimiter \",\"\nColumns 1\n  id Integer\nData\nRegion 1\n"
                   "  5\n0 0\n10 0\n10 10\n0 10\n0 0\n    Pen (1,2,0)\n    Brush (2,16711680)\n");
    WriteFile(TestFile("smooth.mid"), "1\n");
    // Colours other than the background, the fill and the outline: blends.
    auto Blends = [](const QImage& I) {
        int N = 0;
        for (int Y = 0; Y < I.height(); ++Y)
            for (int X = 0; X < I.width(); ++X) {
                const QColor C = I.pixelColor(X, Y);
                N += C != Red && C != White && C != QColor(0, 0, 0);
            }
        return N;
    };
    EXPECT_EQ(Blends(Render(Box, "--size 100x100 --rotate 30")), 0);
    EXPECT_GT(Blends(Render(Box, "--size 100x100 --rotate 30 --antialias")), 20);
}
