// Files as other programs write them (tests/data/mif): styles drawn as the
// clauses say, rows without geometry, records over several lines, the
// file's own declarations kept, and a save that writes back what was read.
#include "MifTestSupport.h"

#include "formats/MifAttributes.h"
#include "tests/support/VectorTestMap.h"

using namespace cartova;
using cartova::test::ReadText;

namespace {

std::string DataFile(const std::string& Name)
{
    return std::string(CARTOVA_TEST_DATA_DIR) + "/mif/" + Name;
}

using MifRealFilesTest = test::TMifFixture;

TDataField* FieldOf(TMapLayer* Layer, int Object, int Field)
{
    return Layer->GetObjects(Object)->GetFields()->GetFields(Field);
}

} // namespace

TEST_F(MifRealFilesTest, StylesAreReadAsWrittenAndWrittenBack)
{
    ASSERT_TRUE(Load(DataFile("styles.mif"))) << Messages.LastText();
    ASSERT_EQ(Layer->GetObjectCount(), 5);
    // Brush (1,0,16777215): no fill, whatever the background.
    TCustomMapObject* Hollow = Layer->GetObjects(0);
    EXPECT_EQ(Hollow->GetBrush()->GetStyle(), bsClear);
    EXPECT_FALSE(Hollow->GetUseBGColor());
    EXPECT_EQ(Hollow->GetPen()->GetWidth(), 3);
    EXPECT_EQ(Hollow->GetPen()->GetStyle(), psSolid);
    EXPECT_EQ(Hollow->GetPen()->GetColor(), clRed);
    // Brush (3,255,16776960): blue horizontal hatch on yellow; Pen (1,1,0): no line.
    TCustomMapObject* OnYellow = Layer->GetObjects(1);
    EXPECT_EQ(OnYellow->GetBrush()->GetStyle(), bsHorizontal);
    EXPECT_EQ(OnYellow->GetBrush()->GetColor(), clBlue);
    EXPECT_TRUE(OnYellow->GetUseBGColor());
    EXPECT_EQ(OnYellow->GetBGColor(), clYellow);
    EXPECT_EQ(OnYellow->GetPen()->GetStyle(), psClear);
    // Brush (6,65280) without a background: transparent; Pen (4,12,…): dashes.
    TCustomMapObject* Transparent = Layer->GetObjects(2);
    EXPECT_EQ(Transparent->GetBrush()->GetStyle(), bsFDiagonal);
    EXPECT_FALSE(Transparent->GetUseBGColor());
    EXPECT_EQ(Transparent->GetPen()->GetStyle(), psDash);
    EXPECT_EQ(Transparent->GetPen()->GetWidth(), 4);
    EXPECT_EQ(Layer->GetObjects(3)->GetBrush()->GetStyle(), bsSolid);
    EXPECT_EQ(Layer->GetObjects(3)->GetPen()->GetStyle(), psDashDot);
    // Pen (70,9,255): 6 points are 8 pixels, dotted.
    EXPECT_EQ(Layer->GetObjects(4)->GetPen()->GetWidth(), 8);
    EXPECT_EQ(Layer->GetObjects(4)->GetPen()->GetStyle(), psDot);

    // The file uses the writer's own layout, so a save gives back the same bytes.
    const std::string Out = PathOf("styles-back.mif");
    ASSERT_TRUE(Provider.Save(Layer, Out));
    EXPECT_EQ(ReadText(Out), ReadText(DataFile("styles.mif")));
    EXPECT_EQ(ReadText(PathOf("styles-back.mid")), ReadText(DataFile("styles.mid")));
}

TEST_F(MifRealFilesTest, RecordsDeclarationsAndCoordinatesSurviveARoundTrip)
{
    ASSERT_TRUE(Load(DataFile("records.mif"))) << Messages.LastText();
    EXPECT_EQ(Messages.Count(), 0);
    ASSERT_EQ(Layer->GetObjectCount(), 4);
    // The row without geometry is an object of its own, between the two others.
    auto* None = dynamic_cast<TNoGeometry*>(Layer->GetObjects(1));
    ASSERT_NE(None, nullptr);
    EXPECT_EQ(None->GetParts()->Count(), 0);
    EXPECT_EQ(FieldOf(Layer, 1, 0)->GetAsString(), "no geometry");
    // A quoted value over two lines is one value; the next values and rows are in place.
    EXPECT_EQ(FieldOf(Layer, 1, 3)->GetAsString(), "two\nlines; with \"quotes\"");
    EXPECT_EQ(FieldOf(Layer, 2, 0)->GetAsString(), "region");
    EXPECT_EQ(FieldOf(Layer, 3, 3)->GetAsString(), "end");
    // Neutral text keeps its bytes; declared widths and decimals are kept.
    EXPECT_EQ(FieldOf(Layer, 0, 3)->GetAsString(), "Gr\xF6\xDF" "e");
    EXPECT_EQ(Layer->GetFields()->GetFields(0)->GetDataTypeName(), "Char(12)");
    EXPECT_EQ(Layer->GetFields()->GetFields(1)->GetSize(), 12);
    EXPECT_EQ(FieldOf(Layer, 0, 1)->GetAsString(), "1234567.1234");
    const TLayerFileInfo& Info = Layer->GetFileInfo();
    EXPECT_EQ(Info.Charset, "Neutral");
    EXPECT_EQ(Info.Delimiter, ";");
    ASSERT_EQ(Info.Columns.size(), 4u);
    EXPECT_EQ(Info.Columns[1].Name, "value");
    EXPECT_EQ(Info.Columns[1].Type, "Decimal(12,4)");
    // The CoordSys clause with its continuation lines, as written.
    EXPECT_EQ(Layer->GetCoordSys(), "CoordSys Earth\n  Projection 1, 104\n  Bounds (-180, -90) (180, 90)");
    auto* Point = dynamic_cast<TSymbol*>(Layer->GetObjects(0));
    ASSERT_NE(Point, nullptr);
    EXPECT_EQ(Point->GetX(), 13.1234567890123);

    const std::string Out = PathOf("records-back.mif");
    ASSERT_TRUE(Provider.Save(Layer, Out));
    EXPECT_EQ(ReadText(Out), ReadText(DataFile("records.mif")));
    EXPECT_EQ(ReadText(PathOf("records-back.mid")), ReadText(DataFile("records.mid")));

    // A text the read charset cannot hold switches the file to UTF-8.
    Layer->NewObject<TNoGeometry>()->GetFields()->GetFields(0)->SetAsString("Привет");
    Layer->GetFileInfo().Charset = "WindowsLatin1";
    ASSERT_TRUE(Provider.Save(Layer, Out));
    EXPECT_NE(ReadText(Out).find("Charset \"UTF-8\"\r\nDelimiter \";\"\r\n"), std::string::npos);
}

TEST_F(MifRealFilesTest, WhatOtherProgramsWriteIsRead)
{
    ASSERT_TRUE(Load(DataFile("others.mif"))) << Messages.LastText();
    // The Ellipse is skipped with its record and counted.
    ASSERT_EQ(Layer->GetObjectCount(), 6);
    EXPECT_EQ(Layer->GetFileInfo().Skipped.ToString(), "Ellipse 1");
    EXPECT_EQ(FieldOf(Layer, 5, 0)->GetAsString(), "text");
    // Dates in four forms, with and without a time.
    const TDateTime Day = EncodeDate(2020, 3, 4);
    for (int I = 0; I < 4; ++I) {
        EXPECT_DOUBLE_EQ(FieldOf(Layer, I, 1)->GetAsDate(), Day) << I;
        const double Seconds = I == 2 ? 0 : 56;
        EXPECT_NEAR(FieldOf(Layer, I, 2)->GetAsDateTime(), Day + EncodeTime(12, 34, 0, 0) + Seconds / 86400, 1e-8)
            << I;
    }
    EXPECT_NEAR(FieldOf(Layer, 4, 2)->GetAsDateTime(), Day + EncodeTime(12, 34, 56, 0), 1e-8);
    // A RoundRect with its radius on the corners' line; the clauses after it are its own.
    auto* Round = dynamic_cast<TRectangle*>(Layer->GetObjects(4));
    ASSERT_NE(Round, nullptr);
    EXPECT_EQ(Round->GetExtent(), (TBounds{10, 10, 20, 15}));
    EXPECT_EQ(Round->GetPen()->GetColor(), clBlue);
    EXPECT_EQ(Round->GetBrush()->GetColor(), clWhite);
    // 31/02/2020 and x1 are no values: left empty, one warning names each.
    EXPECT_TRUE(FieldOf(Layer, 4, 1)->GetValue().IsEmpty());
    EXPECT_TRUE(FieldOf(Layer, 4, 3)->GetValue().IsEmpty());
    ASSERT_EQ(Messages.Count(), 1);
    EXPECT_EQ(Messages.Messages()[0].Type, mtWarning);
    EXPECT_NE(Messages.LastText().find("2 values of"), std::string::npos) << Messages.LastText();
    EXPECT_NE(Messages.LastText().find("line 5, column 2 (day): '31/02/2020' is not a valid Date value"),
              std::string::npos)
        << Messages.LastText();
    EXPECT_NE(Messages.LastText().find("line 5, column 4 (n): 'x1' is not a valid Decimal value"), std::string::npos);
    // The text's extent, and with it the layer's, reaches over its box.
    auto* Label = dynamic_cast<TText*>(Layer->GetObjects(5));
    ASSERT_NE(Label, nullptr);
    std::vector<TCustomMapObject*> Objects{Label};
    EXPECT_EQ(GatherExtent(Objects), (TBounds{50, 50, 70, 55}));
}

TEST_F(MifRealFilesTest, ContinuedCoordSysAndRecordsAtTheEdges)
{
    // A CoordSys clause with Units, Bounds and an affine part on lines of their own.
    const std::string CoordSys = "CoordSys NonEarth Units \"m\"\n"
                                 "  Affine Units \"m\", 1, 0, 10, 0, 1, 20\n"
                                 "  Bounds (0, 0) (1000, 1000)";
    std::string Mif = "Version 300\nCharset \"Neutral\"\n" + CoordSys + "\n\nColumns 2\n  a Char(30)\n  b Integer\nData\n"
                      "Point 1 1\nNONE\nPoint 2 2\n";
    // Without a Delimiter line values are split at semicolons. An
    // apostrophe-quoted value over three lines; a record whose quote never closes.
    const std::string Mid = "'one\ntwo; ''three''\nfour';1\n\"plain\";2\n\"open;3\n";
    ASSERT_TRUE(Load(Files("affine", Mif, Mid)));
    EXPECT_EQ(Layer->GetCoordSys(), CoordSys);
    EXPECT_EQ(Layer->GetFields()->Count(), 2);
    ASSERT_EQ(Layer->GetObjectCount(), 3);
    EXPECT_EQ(FieldOf(Layer, 0, 0)->GetAsString(), "one\ntwo; 'three'\nfour");
    EXPECT_EQ(FieldOf(Layer, 0, 1)->GetAsString(), "1");
    EXPECT_EQ(FieldOf(Layer, 1, 0)->GetAsString(), "plain");
    EXPECT_EQ(FieldOf(Layer, 2, 0)->GetAsString(), "open;3");
    const std::string Out = PathOf("affine-back.mif");
    ASSERT_TRUE(Provider.Save(Layer, Out));
    EXPECT_NE(ReadText(Out).find("CoordSys NonEarth Units \"m\"\r\n  Affine Units \"m\", 1, 0, 10, 0, 1, 20\r\n"
                                 "  Bounds (0, 0) (1000, 1000)\r\nColumns 2\r\n"),
              std::string::npos);
    EXPECT_NE(ReadText(Out).find(",0)\r\nNone\r\nPoint 2 2\r\n"), std::string::npos);
    EXPECT_EQ(ReadText(PathOf("affine-back.mid")), "\"one\ntwo; 'three'\nfour\";1\r\n\"plain\";2\r\n\"open;3\";\r\n");
}

TEST(MifStyleTables, PatternsAndWidthsBothWays)
{
    // Every pattern the writer uses reads back as the style it came from.
    for (TPenStyle S : {psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear})
        EXPECT_EQ(PenStyleOfMif(MifPenPattern(S)), S) << S;
    for (TBrushStyle S : {bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross})
        EXPECT_EQ(BrushStyleOfMif(MifBrushPattern(S)), S) << S;
    EXPECT_EQ(PenStyleOfMif(5), psDash); // other dash patterns
    EXPECT_EQ(BrushStyleOfMif(40), bsSolid);
    // Widths: pixels up to 7; 11 and above tenths of a point plus 10, at 96 dpi.
    EXPECT_EQ(PenWidthOfMif(1), 1);
    EXPECT_EQ(PenWidthOfMif(7), 7);
    EXPECT_EQ(PenWidthOfMif(11), 1);  // 0.1 pt, at least a pixel
    EXPECT_EQ(PenWidthOfMif(25), 2);  // 1.5 pt
    EXPECT_EQ(PenWidthOfMif(40), 4);  // 3 pt
    EXPECT_EQ(PenWidthOfMif(2147483647), PenWidthOfMif(100010));
    for (int Px = 0; Px <= 60; ++Px)
        EXPECT_EQ(PenWidthOfMif(MifPenWidth(Px)), Px) << Px;
    EXPECT_EQ(MifPenWidth(8), 70);
}

namespace {

using MifStylePaintTest = test::TVectorMapFixture;

} // namespace

TEST_F(MifStylePaintTest, PatternOneIsHollowAndHatchesAreNotSolid)
{
    TSimpleMIFFormatProvider Provider;
    ASSERT_TRUE(Provider.Load(Layer, DataFile("styles.mif")));
    Map.SetModified(true);
    const QImage Surface = test::PaintControl(Map);
    // Map (x, y) is pixel (x, 200 - y); each region spans 40 units from y 0 to 40.
    auto Inside = [](int X0) { return TRect{X0 + 6, 166, X0 + 34, 194}; };
    // Pattern 1: the inside shows the map's white, the 3-pixel red outline is there.
    EXPECT_EQ(test::CountColor(Surface, clWhite, Inside(0)), 28 * 28)
        << test::AsciiArt(Surface, TRect{0, 158, 42, 200}, clWhite);
    EXPECT_GT(test::CountColor(Surface, clRed, TRect{0, 158, 42, 200}), 3 * 80);
    // Blue hatch on yellow: both colours, no white.
    EXPECT_GE(test::CountColor(Surface, clBlue, Inside(50)), 28 * 2);
    EXPECT_GT(test::CountColor(Surface, clYellow, Inside(50)), 28 * 14);
    EXPECT_EQ(test::CountColor(Surface, clWhite, Inside(50)), 0);
    // Green hatch without a background: green lines over white.
    const int Green = test::CountColor(Surface, clLime, Inside(100));
    EXPECT_GT(Green, 28 * 2);
    EXPECT_EQ(Green + test::CountColor(Surface, clWhite, Inside(100)), 28 * 28);
    // Solid magenta.
    EXPECT_EQ(test::CountColor(Surface, clFuchsia, Inside(150)), 28 * 28);
}
