// Colours, pen, brush and font: values, change notification, assignment and
// the logical-font record.
#include "host/DeviceServices.h"
#include "host/Graphics.h"
#include "host/Exceptions.h"

#include <QGuiApplication>
#include <QPalette>
#include <gtest/gtest.h>

using namespace cartova;

TEST(Graphics, ColourValuesAndSystemColours)
{
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x563412);
    EXPECT_EQ(clNavy, 0x800000);
    EXPECT_EQ(clBlue, 0xFF0000);
    EXPECT_EQ(QColorToColor(QColor(255, 0, 0)), clRed);
    EXPECT_EQ(ColorToQColor(clBlue), QColor(0, 0, 255));
    EXPECT_EQ(ColorToQColor(clNone).alpha(), 0);
    EXPECT_EQ(ColorToRGB(clDefault), clDefault);

    const QPalette Pal = QGuiApplication::palette();
    EXPECT_EQ(ColorToRGB(clWindow), QColorToColor(Pal.color(QPalette::Active, QPalette::Base)));
    EXPECT_EQ(ColorToRGB(clHighlight), QColorToColor(Pal.color(QPalette::Active, QPalette::Highlight)));
    EXPECT_EQ(ColorToRGB(clBtnFace), QColorToColor(Pal.color(QPalette::Active, QPalette::Button)));
    EXPECT_EQ(ColorToRGB(clWindowText), QColorToColor(Pal.color(QPalette::Active, QPalette::Text)));
    EXPECT_GE(ColorToRGB(clBtnFace), 0) << "a system colour resolves to a plain colour";
}

TEST(Graphics, SettersNotifyOnlyOnChange)
{
    TPen Pen;
    int Calls = 0;
    Pen.OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &Pen);
        ++Calls;
    };
    Pen.SetColor(clBlack); // the default
    Pen.SetWidth(1);
    Pen.SetMode(pmCopy);
    EXPECT_EQ(Calls, 0);
    Pen.SetColor(clRed);
    Pen.SetMode(pmXor);
    Pen.SetStyle(psDot);
    EXPECT_EQ(Calls, 3);

    TFont Font;
    Calls = 0;
    Font.OnChange = [&](TObject*) { ++Calls; };
    Font.SetSize(Font.GetSize());
    EXPECT_EQ(Calls, 0);
    Font.SetStyle(fsBold | fsItalic);
    EXPECT_EQ(Calls, 1);
}

TEST(Graphics, DefaultsAndAssign)
{
    TPen Pen;
    EXPECT_EQ(Pen.GetColor(), clBlack);
    EXPECT_EQ(Pen.GetWidth(), 1);
    EXPECT_EQ(Pen.GetStyle(), psSolid);
    EXPECT_EQ(Pen.GetMode(), pmCopy);
    TBrush Brush;
    EXPECT_EQ(Brush.GetColor(), clWhite);
    EXPECT_EQ(Brush.GetStyle(), bsSolid);
    EXPECT_EQ(Brush.GetBitmap(), nullptr);

    TPen Other;
    Other.SetColor(clNavy);
    Other.SetWidth(3);
    Other.SetMode(pmNotXor);
    int Calls = 0;
    Pen.OnChange = [&](TObject*) { ++Calls; };
    Pen.Assign(&Other);
    EXPECT_TRUE(Pen == Other);
    EXPECT_EQ(Calls, 1) << "one notification for the whole assignment";
    Pen.Assign(&Other);
    EXPECT_EQ(Calls, 1);

    TFont Font, Copy;
    Font.SetName("Courier New");
    Font.SetSize(12);
    Font.SetColor(clNavy);
    Font.SetOrientation(900);
    Copy.Assign(&Font);
    EXPECT_TRUE(Copy == Font);
    EXPECT_EQ(Copy.GetName(), "Courier New");
    EXPECT_EQ(Copy.GetColor(), clNavy);

    // Styles do not assign across kinds.
    EXPECT_THROW(Pen.Assign(&Brush), EConvertError);
}

TEST(Graphics, FontSizeAndHeightAt96Dpi)
{
    TFont Font;
    Font.SetSize(12);
    EXPECT_EQ(Font.GetHeight(), -16);
    Font.SetSize(8);
    EXPECT_EQ(Font.GetHeight(), -11);
    EXPECT_EQ(Font.GetSize(), 8);
    Font.SetHeight(-20);
    EXPECT_EQ(Font.GetSize(), 15);
    EXPECT_EQ(Font.ToQFont().pixelSize(), 20);

    // A positive height is the cell height: ascent plus descent.
    Font.SetName("Arial");
    Font.SetHeight(30);
    const QFont Q = Font.ToQFont();
    EXPECT_NEAR(QFontMetrics(Q).height(), 30, 1);
}

TEST(Graphics, LogFontRoundTripAndHandles)
{
    TFont Font;
    Font.SetName("Arial");
    Font.SetSize(12);
    Font.SetStyle(fsBold | fsUnderline);
    TLogFont L = Font.GetLogFont();
    EXPECT_EQ(L.lfHeight, -16);
    EXPECT_EQ(L.lfWeight, FW_BOLD);
    EXPECT_EQ(L.lfUnderline, 1);
    EXPECT_EQ(L.lfItalic, 0);
    EXPECT_EQ(L.lfFaceName, "Arial");

    // Rotating through a record and a handle, as rotated labels do.
    TLogFont Read;
    ASSERT_TRUE(GetObject(Font.GetHandle(), Read));
    EXPECT_EQ(Read, L);
    Read.lfEscapement = 450;
    Read.lfOrientation = 450;
    HFONT Rotated = CreateFontIndirect(Read);
    Font.SetHandle(Rotated); // the font adopts the free handle
    EXPECT_EQ(Font.GetOrientation(), 450);
    EXPECT_EQ(Font.GetStyle(), fsBold | fsUnderline);
    EXPECT_FALSE(DeleteObject(Rotated)) << "an adopted handle belongs to the font";
    EXPECT_FALSE(DeleteObject(Font.GetHandle()));

    HFONT Free = CreateFontIndirect(L);
    EXPECT_TRUE(DeleteObject(Free));
}
