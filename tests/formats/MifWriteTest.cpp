// Writing MIF/MID pairs: header lines, column declarations, records in step
// with the written objects, value forms, charsets, the failed-save guarantee
// and Cartova → Cartova round trips.
#include "MifTestSupport.h"

#include "objects/Circle.h"

#include <sys/stat.h>

using namespace cartova;
using cartova::test::ReadText;

namespace {

class MifWriteTest : public test::TMifFixture {
protected:
    std::string Save(const std::string& Name)
    {
        const std::string P = PathOf(Name + ".mif");
        EXPECT_TRUE(Provider.Save(Layer, P));
        return P;
    }
};

} // namespace

TEST_F(MifWriteTest, EmptyLayerWritesTheHeader)
{
    const std::string P = Save("empty");
    EXPECT_EQ(ReadText(P), "Version 300\r\nCharset \"WindowsCyrillic\"\r\nDelimiter \",\"\r\n"
                           "CoordSys Earth Projection 1, 0\r\nColumns 0\r\nData\r\n");
    EXPECT_EQ(ReadText(PathOf("empty.mid")), "");
    EXPECT_EQ(Layer->GetFileName(), P);
}

TEST_F(MifWriteTest, ColumnsValuesAndObjectsInStep)
{
    TDataFields* F = Layer->GetFields();
    F->Add("name", dtString, 0);
    F->Add("price", dtDecimal, 30);
    F->Add("n", dtInteger, 0);
    F->Add("born", dtDate, 0);
    F->Add("at", dtTime, 0);
    F->Add("stamp", dtDateTime, 0);
    F->Add("ok", dtBoolean, 0);
    F->Add("f", dtFloat, 0);
    F->Add("s", dtSmallInt, 0);
    auto* R = Layer->NewObject<TRectangle>();
    R->SetX0(0), R->SetY0(0), R->SetX1(2), R->SetY1(1);
    R->GetFields()->GetFields(0)->SetAsString("O'Brien \"Jr\", Esq");
    R->GetFields()->GetFields(1)->SetAsString("12.5");
    R->GetFields()->GetFields(2)->SetAsInteger(7);
    R->GetFields()->GetFields(3)->SetAsDate(EncodeDate(2020, 3, 4));
    R->GetFields()->GetFields(4)->SetAsTime(EncodeTime(12, 34, 56, 7));
    R->GetFields()->GetFields(5)->SetAsDateTime(EncodeDate(1999, 12, 31) + EncodeTime(23, 59, 59, 0));
    R->GetFields()->GetFields(6)->SetValue(Variant(true));
    auto* C = Layer->NewObject<TCircle>(); // not written: no record either
    C->GetFields()->GetFields(0)->SetAsString("circle");
    auto* S = Layer->NewObject<TSymbol>();
    S->SetX(1.23456789);
    S->SetY(-2);
    S->GetFields()->GetFields(0)->SetAsString("after");
    const std::string P = Save("columns");
    const std::string Mif = ReadText(P);
    EXPECT_NE(Mif.find("Columns 9\r\n  name Char(255)\r\n  price Decimal(9, 2)\r\n  n Integer\r\n  born Date\r\n"
                       "  at Time\r\n  stamp DateTime\r\n  ok Logical\r\n  f Float\r\n  s SmallInt\r\nData\r\n"),
              std::string::npos);
    EXPECT_NE(Mif.find("Region 1\r\n  5\r\n0 0\r\n2 0\r\n2 1\r\n0 1\r\n0 0\r\n    Pen ("), std::string::npos);
    // Coordinates in the shortest text that reads back to the same double.
    EXPECT_NE(Mif.find("Point 1.23456789 -2\r\n    Symbol (31,"), std::string::npos);
    EXPECT_NE(Mif.find(",0)\r\n"), std::string::npos); // rotation 0
    EXPECT_EQ(ReadText(PathOf("columns.mid")),
              "\"O'Brien \"\"Jr\"\", Esq\",12.5,7,20200304,123456007,19991231235959000,T,,\r\n"
              "\"after\",,,,,,,,\r\n");

    // Read back: the same types and values.
    TMapLayer* Back = Map.GetLayers()->Add(P, "back");
    ASSERT_EQ(Back->GetObjectCount(), 2);
    for (int J = 0; J < 9; ++J)
        EXPECT_EQ(Back->GetFields()->GetFields(J)->GetDataType(), F->GetFields(J)->GetDataType()) << J;
    TDataFields* B = Back->GetObjects(0)->GetFields();
    EXPECT_EQ(B->GetFields(0)->GetAsString(), "O'Brien \"Jr\", Esq");
    EXPECT_DOUBLE_EQ(B->GetFields(3)->GetAsDate(), EncodeDate(2020, 3, 4));
    EXPECT_EQ(B->GetFields(6)->GetValue(), Variant(true));
    EXPECT_EQ(Back->GetObjects(1)->GetFields()->GetFields(0)->GetAsString(), "after");
}

TEST_F(MifWriteTest, GeometryAndStylesRoundTrip)
{
    auto* R = Layer->NewObject<TRegion>();
    for (int P = 0; P < 2; ++P) {
        TMapPoints* Pts = R->GetParts()->Add()->GetPoints();
        Pts->Add(P, 0), Pts->Add(P + 10, 0), Pts->Add(P, 10);
    }
    R->GetBrush()->SetColor(static_cast<TColor>(0x0000FF));
    R->GetPen()->SetColor(static_cast<TColor>(0x00FF00));
    auto* L = Layer->NewObject<TPolyline>();
    L->GetParts()->Add()->GetPoints()->Add(0, 0);
    L->GetParts()->Last()->GetPoints()->Add(1, 1);
    L->GetParts()->Add()->GetPoints()->Add(5, 5);
    L->GetParts()->Last()->GetPoints()->Add(6, 6);
    L->GetParts()->Last()->GetPoints()->Add(7, 5);
    auto* T = Layer->NewObject<TText>();
    T->SetX(10), T->SetY(20), T->SetWidth(30), T->SetHeight(5);
    T->SetText("Say \"Region\"");
    T->SetAngle(30);
    Layer->SetCoordSys("CoordSys Earth Projection 1, 104");
    const std::string P = Save("shapes");
    const std::string Mif = ReadText(P);
    EXPECT_NE(Mif.find("CoordSys Earth Projection 1, 104\r\n"), std::string::npos);
    EXPECT_NE(Mif.find("Region 2\r\n  3\r\n"), std::string::npos);
    EXPECT_NE(Mif.find("    Pen (1,2,65280)\r\n    Brush (2,16711680)\r\n"), std::string::npos);
    EXPECT_NE(Mif.find("Pline Multiple 2\r\n  2\r\n"), std::string::npos);

    TMapLayer* Back = Map.GetLayers()->Add(P, "back");
    ASSERT_EQ(Back->GetObjectCount(), 3);
    EXPECT_EQ(Back->GetObjects(0)->GetParts()->Count(), 2);
    EXPECT_EQ(Back->GetObjects(0)->GetBrush()->GetColor(), static_cast<TColor>(0x0000FF));
    ASSERT_EQ(Back->GetObjects(1)->GetParts()->Count(), 2);
    EXPECT_EQ(Back->GetObjects(1)->GetParts()->GetItems(1)->GetPoints()->Count(), 3);
    auto* BT = dynamic_cast<TText*>(Back->GetObjects(2));
    ASSERT_NE(BT, nullptr);
    EXPECT_EQ(BT->GetText(), "Say \"Region\"");
    EXPECT_EQ(BT->GetY(), 20);
    EXPECT_EQ(BT->GetHeight(), 5);
    EXPECT_EQ(BT->GetAngle(), 30);
    EXPECT_EQ(Back->GetCoordSys(), "CoordSys Earth Projection 1, 104");
}

TEST_F(MifWriteTest, CharsetIsCyrillicUnlessATextDoesNotFit)
{
    Layer->GetFields()->Add("name", dtString, 0);
    Layer->NewObject<TSymbol>()->GetFields()->GetFields(0)->SetAsString("Привет");
    std::string P = Save("cyr");
    EXPECT_NE(ReadText(P).find("Charset \"WindowsCyrillic\""), std::string::npos);
    EXPECT_EQ(ReadText(PathOf("cyr.mid")), "\"\xCF\xF0\xE8\xE2\xE5\xF2\"\r\n");

    Layer->NewObject<TSymbol>()->GetFields()->GetFields(0)->SetAsString("日本");
    P = Save("utf8");
    EXPECT_NE(ReadText(P).find("Charset \"UTF-8\""), std::string::npos);
    TMapLayer* Back = Map.GetLayers()->Add(P, "back");
    ASSERT_EQ(Back->GetObjectCount(), 2);
    EXPECT_EQ(Back->GetObjects(0)->GetFields()->GetFields(0)->GetAsString(), "Привет");
    EXPECT_EQ(Back->GetObjects(1)->GetFields()->GetFields(0)->GetAsString(), "日本");
}

TEST_F(MifWriteTest, FailedSaveLeavesTheOldPair)
{
    Layer->GetFields()->Add("d", dtDate, 0);
    Layer->NewObject<TSymbol>();
    const std::string P = Save("keep");
    const std::string OldMif = ReadText(P), OldMid = ReadText(PathOf("keep.mid"));
    // A date column holding text that is no date fails while writing the records.
    Layer->NewObject<TSymbol>()->GetFields()->GetFields(0)->SetAsString("not a date");
    EXPECT_ANY_THROW(Provider.Save(Layer, P));
    EXPECT_EQ(ReadText(P), OldMif);
    EXPECT_EQ(ReadText(PathOf("keep.mid")), OldMid);
    for (const auto& E : std::filesystem::directory_iterator(test::MifOutputDir()))
        EXPECT_EQ(E.path().string().find(".tmp"), std::string::npos) << E.path();
    // A folder that cannot be written: an error, nothing created.
    EXPECT_ANY_THROW(Provider.Save(Layer, "/nonexistent-folder/x.mif"));
}

TEST_F(MifWriteTest, SampleRoundTripKeepsCountsValuesAndCoordinates)
{
    TMapLayer* A = Map.GetLayers()->Add(std::string(CARTOVA_SAMPLE_DIR) + "/countries110.mif", "a");
    ASSERT_EQ(A->GetObjectCount(), 177);
    const std::string P = PathOf("countries.mif");
    ASSERT_TRUE(Provider.Save(A, P));
    TMapLayer* B = Map.GetLayers()->Add(P, "b");
    ASSERT_EQ(B->GetObjectCount(), 177);
    for (int I = 0; I < 177; I += 11) {
        EXPECT_EQ(B->GetObjects(I)->GetFields()->GetFields(0)->GetAsString(),
                  A->GetObjects(I)->GetFields()->GetFields(0)->GetAsString());
        const TMapPoint& Pa = A->GetObjects(I)->GetParts()->First()->GetPoints()->First();
        const TMapPoint& Pb = B->GetObjects(I)->GetParts()->First()->GetPoints()->First();
        EXPECT_NEAR(Pa.X, Pb.X, 5e-7);
        EXPECT_NEAR(Pa.Y, Pb.Y, 5e-7);
        EXPECT_EQ(A->GetObjects(I)->GetBrush()->GetColor(), B->GetObjects(I)->GetBrush()->GetColor());
    }
}
