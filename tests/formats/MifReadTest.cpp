// Reading MIF/MID pairs: the header and column types, each object kind and
// its style clauses, attribute records kept in step, charsets, errors with
// their line, and hostile input.
#include "MifTestSupport.h"

#include "formats/MifAttributes.h"

#include <charconv>
#include <cstdio>
#include <random>

using namespace cartova;
using cartova::test::MifHeader;

namespace {

using MifReadTest = test::TMifFixture;

const TMapPoints& PointsOf(TCustomMapObject* O, int Part)
{
    return *O->GetParts()->GetItems(Part)->GetPoints();
}

} // namespace

TEST_F(MifReadTest, ColumnTypesDelimiterAndValues)
{
    const std::string Mif = MifHeader("  name Char(20)\n  n Integer\n  d Decimal(10,2)\n  s SmallInt\n  f Float\n"
                                      "  born Date\n  at Time\n  stamp DateTime\n  ok Logical\n") +
                            "Point 1 2\nPoint 3 4\n";
    const std::string Mid = "\"O\"\"Brien, Jr\",5,12.50,3,1.5,20200304,123456000,20200304123456000,T\n"
                            "'it''s',-7,,,,,,,F\n";
    ASSERT_TRUE(Load(Files("types", Mif, Mid)));
    TDataFields* F = Layer->GetFields();
    ASSERT_EQ(F->Count(), 9);
    const TDataType Expected[] = {dtString, dtInteger, dtDecimal, dtSmallInt, dtFloat,
                                  dtDate,   dtTime,    dtDateTime, dtBoolean};
    for (int J = 0; J < 9; ++J)
        EXPECT_EQ(F->GetFields(J)->GetDataType(), Expected[J]) << J;
    EXPECT_EQ(F->GetFields(0)->GetSize(), 20); // declared widths are kept
    EXPECT_EQ(F->GetFields(2)->GetSize(), 10);
    ASSERT_EQ(Layer->GetObjectCount(), 2);
    // The delimiter inside quotes belongs to the value; doubled quotes are undone.
    EXPECT_EQ(Value(0, 0), "O\"Brien, Jr");
    EXPECT_EQ(Value(1, 0), "it's");
    // Numbers stay text.
    EXPECT_EQ(Layer->GetObjects(0)->GetFields()->GetFields(1)->GetValue().VarType(), varString);
    EXPECT_EQ(Value(0, 1), "5");
    EXPECT_EQ(Value(0, 2), "12.50");
    EXPECT_DOUBLE_EQ(Layer->GetObjects(0)->GetFields()->GetFields(5)->GetAsDate(), EncodeDate(2020, 3, 4));
    EXPECT_NEAR(Layer->GetObjects(0)->GetFields()->GetFields(6)->GetAsTime(), EncodeTime(12, 34, 56, 0), 1e-9);
    EXPECT_NEAR(Layer->GetObjects(0)->GetFields()->GetFields(7)->GetAsDateTime(),
                EncodeDate(2020, 3, 4) + EncodeTime(12, 34, 56, 0), 1e-8);
    EXPECT_EQ(Layer->GetObjects(0)->GetFields()->GetFields(8)->GetValue(), Variant(true));
    EXPECT_EQ(Layer->GetObjects(1)->GetFields()->GetFields(8)->GetValue(), Variant(false));
    // Empty dates stay empty.
    EXPECT_TRUE(Layer->GetObjects(1)->GetFields()->GetFields(5)->GetValue().IsEmpty());
}

TEST_F(MifReadTest, WithoutDelimiterLineRecordsSplitAtSemicolons)
{
    const std::string Mif = MifHeader("  a Char(5)\n  b Integer\n", "") + "Point 0 0\n";
    ASSERT_TRUE(Load(Files("semi", Mif, std::string("\"x,y\";7\n"))));
    EXPECT_EQ(Value(0, 0), "x,y");
    EXPECT_EQ(Value(0, 1), "7");
}

TEST_F(MifReadTest, GeometryOfEachKind)
{
    const std::string Mif = MifHeader("") +
                            "Pline Multiple 2\n  3\n0 0\n1 1\n2 0\n  5\n0 5\n1 5\n2 5\n3 5\n4 5\n    Pen (1,2,255)\n"
                            "Region 2\n  4\n0 0\n10 0\n10 10\n0 0\n  3\n1 1\n2 1\n1 1\n"
                            "    Pen (1,2,0)\n    Brush (2,16711680,16777215)\n"
                            "Pline 2\n-1.5 +2.5\n3e2 4\n"
                            "Line 1 2 3 4\n"
                            "Rect 5 6 1 2\n"
                            "RoundRect 0 0 2 2\n  0.5\n    Pen (1,2,65280)\n"
                            "Text \"Region Point\"\n  10 20 30 25\n    Font (\"Arial\",1,0,255)\n    Angle 45\n"
                            "Text\n    \"second\"\n  1 1 2 2\n";
    ASSERT_TRUE(Load(Files("geometry", Mif)));
    ASSERT_EQ(Layer->GetObjectCount(), 8);

    auto* P = dynamic_cast<TPolyline*>(Layer->GetObjects(0));
    ASSERT_NE(P, nullptr);
    ASSERT_EQ(P->GetParts()->Count(), 2);
    EXPECT_EQ(PointsOf(P, 0).Count(), 3);
    EXPECT_EQ(PointsOf(P, 1).Count(), 5);
    EXPECT_EQ(P->GetPen()->GetColor(), MifColorToColor(255)); // blue 255 → host 0xFF0000
    EXPECT_EQ(P->GetPen()->GetColor(), static_cast<TColor>(0xFF0000));

    auto* R = dynamic_cast<TRegion*>(Layer->GetObjects(1));
    ASSERT_NE(R, nullptr);
    EXPECT_EQ(R->GetParts()->Count(), 2);
    EXPECT_EQ(R->GetBrush()->GetColor(), static_cast<TColor>(0x0000FF)); // MIF red → host red

    const TMapPoints& Signed = PointsOf(Layer->GetObjects(2), 0);
    EXPECT_EQ(Signed[0], TMapPoint(-1.5, 2.5));
    EXPECT_EQ(Signed[1], TMapPoint(300, 4));

    const TMapPoints& L = PointsOf(Layer->GetObjects(3), 0);
    ASSERT_EQ(L.Count(), 2);
    EXPECT_EQ(L[1], TMapPoint(3, 4));

    auto* Rect = dynamic_cast<TRectangle*>(Layer->GetObjects(4));
    ASSERT_NE(Rect, nullptr);
    EXPECT_EQ(Rect->GetX0(), 1);
    EXPECT_EQ(Rect->GetY1(), 6);
    EXPECT_EQ(Rect->GetBounds(), (TBounds{1, 2, 5, 6}));
    auto* Round = dynamic_cast<TRectangle*>(Layer->GetObjects(5));
    ASSERT_NE(Round, nullptr);
    EXPECT_EQ(Round->GetPen()->GetColor(), static_cast<TColor>(0x00FF00)); // the clause after the radius

    auto* T = dynamic_cast<TText*>(Layer->GetObjects(6));
    ASSERT_NE(T, nullptr);
    EXPECT_EQ(T->GetText(), "Region Point");
    EXPECT_EQ(T->GetX(), 10);
    EXPECT_EQ(T->GetY(), 20);
    EXPECT_EQ(T->GetWidth(), 20);
    EXPECT_EQ(T->GetHeight(), 5);
    EXPECT_EQ(T->GetAngle(), 45);
    EXPECT_EQ(T->GetFont()->GetName(), "Arial");
    EXPECT_TRUE(T->GetFont()->GetStyle() & fsBold);
    EXPECT_EQ(T->GetFont()->GetColor(), static_cast<TColor>(0xFF0000));
    EXPECT_EQ(dynamic_cast<TText*>(Layer->GetObjects(7))->GetText(), "second");
}

TEST_F(MifReadTest, VerticesAreReadWhateverTheirLayout)
{
    // One per line with either line end, over several lines, after blank
    // lines, with text after them, a CR inside a line, tabs and signs.
    const std::string Vertices = "1.5 2.5\r\n3\t-4\n5\n\n6\r\n\r\n 7 8 9\n+10\r11\n  12.25  \n 13\n";
    for (const std::string& Mif : {MifHeader("") + "Region 1\n  6\n" + Vertices,
                                   MifHeader("") + "Pline 6\n" + Vertices}) {
        Layer->DeleteObjects();
        ASSERT_TRUE(Load(Files("layout", Mif)));
        ASSERT_EQ(Layer->GetObjectCount(), 1);
        const TMapPoints& P = PointsOf(Layer->GetObjects(0), 0);
        ASSERT_EQ(P.Count(), 6);
        EXPECT_EQ(P[0], TMapPoint(1.5, 2.5));
        EXPECT_EQ(P[1], TMapPoint(3, -4));
        EXPECT_EQ(P[2], TMapPoint(5, 6));
        EXPECT_EQ(P[3], TMapPoint(7, 8));
        EXPECT_EQ(P[4], TMapPoint(10, 11));
        EXPECT_EQ(P[5], TMapPoint(12.25, 13));
        EXPECT_EQ(P.GetBounds(), (TBounds{1.5, -4, 12.25, 13}));
        EXPECT_EQ(Layer->GetObjects(0)->GetParts()->GetBounds(), P.GetBounds());
    }

    // A bad value on a vertex's line, or on the line after half a vertex,
    // names its line; the vertices before it stay.
    const std::vector<std::pair<std::string, int>> Bad = {
        {"3 4\n5 y\n", 11}, {"3\r\nx 4\r\n", 11}, {"3 4\n5\n\n6x\n", 13}};
    for (const auto& [Tail, Line] : Bad) {
        Layer->DeleteObjects();
        Messages.Clear();
        // The header takes 6 lines, the region 2 and the first vertex 1.
        EXPECT_FALSE(Load(Files("bad-vertex", MifHeader("") + "Region 1\n  3\n1 2\n" + Tail)));
        EXPECT_NE(Messages.LastText().find("at line " + std::to_string(Line) + " "), std::string::npos)
            << Tail << Messages.LastText();
        ASSERT_EQ(Layer->GetObjectCount(), 1);
        EXPECT_EQ(PointsOf(Layer->GetObjects(0), 0)[0], TMapPoint(1, 2));
    }

    // Lines of every length across the reader's blocks give the values
    // from_chars gives, the part's box and the object's the same.
    std::mt19937_64 Random(7);
    std::string Mif = MifHeader("") + "Region 1\n  200000\n";
    std::vector<TMapPoint> Expected;
    TBounds Box{1e9, 1e9, -1e9, -1e9};
    for (int I = 0; I < 200000; ++I) {
        char Text[64];
        const double X = static_cast<double>(Random() % 3600000000) / 1e7 - 180;
        const double Y = -static_cast<double>(Random() % 1000);
        const int N = std::snprintf(Text, sizeof Text, "%.*f%s%.*f%s", static_cast<int>(Random() % 12), X,
                                    I % 3 ? " " : "   ", static_cast<int>(Random() % 3), Y, I % 2 ? "\r\n" : "\n");
        Mif.append(Text, static_cast<std::size_t>(N));
        std::string_view Rest(Text, static_cast<std::size_t>(N));
        double PX = 0, PY = 0;
        Rest.remove_prefix(static_cast<std::size_t>(std::from_chars(Rest.data(), Rest.data() + Rest.size(), PX).ptr - Rest.data()));
        Rest.remove_prefix(Rest.find_first_not_of(' '));
        std::from_chars(Rest.data(), Rest.data() + Rest.size(), PY);
        Expected.emplace_back(PX, PY);
        Box = {std::min(Box.MinX, PX), std::min(Box.MinY, PY), std::max(Box.MaxX, PX), std::max(Box.MaxY, PY)};
    }
    ASSERT_GT(Mif.size(), 3u << 20);
    Layer->DeleteObjects();
    ASSERT_TRUE(Load(Files("blocks", Mif)));
    const TMapPoints& P = PointsOf(Layer->GetObjects(0), 0);
    ASSERT_EQ(P.Count(), 200000);
    for (int I = 0; I < P.Count(); ++I)
        ASSERT_EQ(P[I], Expected[static_cast<std::size_t>(I)]) << I;
    EXPECT_EQ(P.GetBounds(), Box);
    EXPECT_EQ(Layer->GetObjects(0)->GetParts()->GetBounds(), Box);
}

TEST_F(MifReadTest, SymbolClauses)
{
    const std::string Mif = MifHeader("") + "Point 1 2\n    Symbol (35,255,12)\n"
                                            "Point 3 4\n    Symbol (64,0,9,\"Wingdings\",0,45)\n"
                                            "Point 5 6\n    Symbol (10,0,8)\n"
                                            "Point 7 8\n    Symbol (\"pin.bmp\",255,20,0)\n";
    ASSERT_TRUE(Load(Files("symbols", Mif)));
    ASSERT_EQ(Layer->GetObjectCount(), 4);
    auto* S0 = dynamic_cast<TSymbol*>(Layer->GetObjects(0));
    EXPECT_EQ(S0->GetShape(), 35);
    EXPECT_EQ(S0->GetFont()->GetName(), "MapInfo Symbol");
    EXPECT_EQ(S0->GetFont()->GetSize(), 12);
    EXPECT_EQ(S0->GetFont()->GetColor(), static_cast<TColor>(0xFF0000));
    EXPECT_EQ(S0->GetX(), 1);
    EXPECT_EQ(S0->GetBounds(), (TBounds{1, 2, 1, 2}));
    EXPECT_EQ(dynamic_cast<TSymbol*>(Layer->GetObjects(1))->GetFont()->GetName(), "Wingdings");
    EXPECT_EQ(dynamic_cast<TSymbol*>(Layer->GetObjects(2))->GetShape(), 31);
    EXPECT_EQ(dynamic_cast<TSymbol*>(Layer->GetObjects(3))->GetFont()->GetSize(), 20);
}

TEST_F(MifReadTest, EveryObjectConsumesItsRecordAndKeywordsStartOnlyAtTheFront)
{
    const std::string Mif = MifHeader("  id Integer\n") +
                            "Point 0 0\n"
                            "Ellipse 0 0 1 1\n    Pen (1,2,0)\n"
                            "Arc 0 0 1 1\n  0 90\n"
                            "Multipoint 2\n 1 1\n 2 2\n"
                            "Collection 2\nRegion 1\n  3\n0 0\n1 0\n0 0\nPline 2\n0 0\n1 1\n"
                            "none\n"
                            "Text\n    \"Pline 3 Region 2 Point 1 2\"\n  0 0 1 1\n"
                            "Point 9 9\n";
    const std::string Mid = "1\n2\n3\n4\n5\n6\n7\n8\n";
    ASSERT_TRUE(Load(Files("records", Mif, Mid)));
    ASSERT_EQ(Layer->GetObjectCount(), 4);
    EXPECT_EQ(Value(0, 0), "1");
    // The row without geometry keeps its record: after Ellipse, Arc, Multipoint, Collection.
    EXPECT_NE(dynamic_cast<TNoGeometry*>(Layer->GetObjects(1)), nullptr);
    EXPECT_EQ(Value(1, 0), "6");
    EXPECT_EQ(Value(2, 0), "7");
    EXPECT_EQ(Value(3, 0), "8");
    EXPECT_EQ(dynamic_cast<TSymbol*>(Layer->GetObjects(3))->GetX(), 9);
    // The kinds without a class are counted, each once.
    EXPECT_EQ(Layer->GetFileInfo().Skipped.ToString(), "Arc 1, Collection 1, Ellipse 1, Multipoint 1");
    EXPECT_EQ(Layer->GetFileInfo().Skipped.Total(), 4);
}

TEST_F(MifReadTest, CharsetsAreConvertedToUtf8)
{
    // "Привет" in CP1251, and "Größe" in CP1252.
    const std::string Cyr = "\xCF\xF0\xE8\xE2\xE5\xF2";
    std::string Mif = "Version 300\nCharset \"WindowsCyrillic\"\nDelimiter \",\"\nColumns 1\n  name Char(10)\nData\n"
                      "Point 0 0\nText \"" + Cyr + "\"\n 0 0 1 1\n";
    ASSERT_TRUE(Load(Files("cyr", Mif, "\"" + Cyr + "\"\n\"" + Cyr + "\"\n")));
    EXPECT_EQ(Value(0, 0), "Привет");
    EXPECT_EQ(dynamic_cast<TText*>(Layer->GetObjects(1))->GetText(), "Привет");

    Layer->DeleteObjects();
    Mif = "Charset \"WindowsLatin1\"\nColumns 1\n  n Char(10)\nData\nPoint 0 0\n";
    ASSERT_TRUE(Load(Files("latin", Mif, std::string("\"Gr\xF6\xDF" "e\"\n"))));
    EXPECT_EQ(Value(0, 0), "Größe");

    Layer->DeleteObjects();
    Mif = "Charset \"Neutral\"\nColumns 1\n  n Char(10)\nData\nPoint 0 0\n";
    ASSERT_TRUE(Load(Files("neutral", Mif, std::string("\"Größe\"\n"))));
    EXPECT_EQ(Value(0, 0), "Größe");
}

TEST_F(MifReadTest, CoordSysIsKeptAndLoadingTwiceAppends)
{
    const std::string Path = Files("twice", MifHeader("") + "Point 1 1\nPoint 2 2\n");
    ASSERT_TRUE(Load(Path));
    ASSERT_TRUE(Load(Path));
    EXPECT_EQ(Layer->GetObjectCount(), 4);
    EXPECT_EQ(Layer->GetCoordSys(), "CoordSys Earth Projection 1, 104");
}

TEST_F(MifReadTest, ErrorsReportTheirLineAndKeepWhatWasRead)
{
    std::string Mif = MifHeader(""); // 6 lines
    for (int I = 7; I < 57; ++I)
        Mif += "Point " + std::to_string(I) + " 0\n";
    Mif += "Point x 0\n";          // line 57
    Mif += "Point 1 1\n";
    std::vector<std::string> Events;
    Map.OnStartProgress = [&](TObject*, int, int, const std::string& T) { Events.push_back("start " + T); };
    Map.OnStopProgress = [&](TObject*) { Events.push_back("stop"); };
    EXPECT_FALSE(Load(Files("line57", Mif)));
    ASSERT_EQ(Messages.Count(), 1);
    EXPECT_EQ(Messages.LastText().rfind("Error reading mif-file at line 57 with message: ", 0), 0u)
        << Messages.LastText();
    EXPECT_EQ(Messages.LastText().back(), '!');
    EXPECT_EQ(Layer->GetObjectCount(), 51); // the objects read so far stay, the broken one too
    EXPECT_EQ(Events, (std::vector<std::string>{"start Loading file", "stop"}));
    EXPECT_FALSE(Map.GetInUpdate());
    EXPECT_FALSE(Map.GetTextSizing());

    // A missing MIF file, a layer without a map: false and no message.
    Messages.Clear();
    EXPECT_FALSE(Load(PathOf("missing.mif")));
    TMapLayer Free;
    EXPECT_FALSE(Provider.Load(&Free, PathOf("line57.mif")));
    EXPECT_EQ(Messages.Count(), 0);
}

TEST_F(MifReadTest, TruncatedAndHostileInputEndsCleanly)
{
    // Missing trailing points: the part keeps what was read, the load succeeds.
    ASSERT_TRUE(Load(Files("short", MifHeader("") + "Region 3\n  4\n0 0\n1 0\n")));
    ASSERT_EQ(Layer->GetObjectCount(), 1);
    EXPECT_EQ(PointsOf(Layer->GetObjects(0), 0).Count(), 2);

    // Huge counts allocate nothing beyond what the file holds.
    Layer->DeleteObjects();
    ASSERT_TRUE(Load(Files("huge", MifHeader("") + "Pline 2000000000\n0 0\n1 1\n")));
    EXPECT_LE(PointsOf(Layer->GetObjects(0), 0).GetCapacity(), 16);
    EXPECT_FALSE(Load(Files("negative", MifHeader("") + "Region -5\n")));
    EXPECT_FALSE(Load(Files("column-count", "Columns 99999999\n  a Char(1)\n")));
    EXPECT_FALSE(Load(Files("nan", MifHeader("") + "Point nan 1\n")));

    // A line longer than the limit is an error, not an unbounded buffer.
    std::string Long = MifHeader("") + "Point 1 1\n    Symbol (35,0,12)";
    Long.append(17u << 20, ' ');
    Messages.Clear();
    EXPECT_FALSE(Load(Files("long", Long)));
    EXPECT_NE(Messages.LastText().find("longer than"), std::string::npos);

    // Binary garbage and a file truncated at every byte never crash.
    std::string Garbage;
    for (int I = 0; I < 4096; ++I)
        Garbage.push_back(static_cast<char>((I * 7919) & 0xFF));
    Load(Files("garbage", Garbage, Garbage));
    const std::string Full = MifHeader("  a Char(3)\n") + "Pline Multiple 2\n  2\n0 0\n1 1\n  2\n2 2\n3 3\n"
                             "    Pen (1,2,0)\nText\n \"t\"\n 0 0 1 1\n    Font (\"Arial\",0,0,0)\nPoint 1 2\n"
                             "    Symbol (35,0,12,\"Arial\",0,0)\n";
    for (std::size_t N = 0; N < Full.size(); ++N)
        Load(Files("cut", Full.substr(0, N), std::string("\"abc\"\n\"d")));
    SUCCEED();
}

TEST(MifAttributesTest, ClassificationAndColours)
{
    EXPECT_EQ(IsObjAttrString("    Pen (1,2,0)"), oaPen);
    EXPECT_EQ(IsObjAttrString("brush (2,0)"), oaBrush);
    EXPECT_EQ(IsObjAttrString("Symbol (35,0,12,\"Font\")"), oaSymbol); // SYMBOL wins over FONT
    EXPECT_EQ(IsObjAttrString("  Center 1 2"), oaCenter);
    EXPECT_EQ(IsObjAttrString("Region 1"), oaNone);
    EXPECT_EQ(MifColorToColor(0x123456), static_cast<TColor>(0x563412));
    EXPECT_EQ(MifColorToColor(255LL * 65536 * 4), static_cast<TColor>(0x0000FF)); // red clamped to 255
    EXPECT_EQ(ColorToMifColor(static_cast<TColor>(0x80563412)), 0x123456);
}
