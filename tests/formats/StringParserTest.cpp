#include "formats/StringParserU.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace cartova;

namespace {

std::vector<std::string> Fields(const TStringParser& P)
{
    std::vector<std::string> Result;
    for (int I = 0; I < P.Count(); ++I)
        Result.push_back(P.GetItems(I)->GetRawData());
    return Result;
}

} // namespace

TEST(StringParser, FromStringYieldsOneFieldMoreThanDelimiters)
{
    TStringParser P;
    EXPECT_EQ(P.GetDelimiter(), ";");
    P.SetDelimiter(",");
    P.FromString("a,,b");
    EXPECT_EQ(Fields(P), (std::vector<std::string>{"a", "", "b"}));
    P.FromString("a,");
    EXPECT_EQ(Fields(P), (std::vector<std::string>{"a", ""}));
    P.FromString("");
    EXPECT_EQ(Fields(P), (std::vector<std::string>{""}));
    // No quoting: the quotes stay and the delimiter inside them splits.
    P.FromString("\"x,y\",2");
    EXPECT_EQ(Fields(P), (std::vector<std::string>{"\"x", "y\"", "2"}));
    // A longer delimiter is searched as a whole; an empty one never matches.
    P.SetDelimiter("::");
    P.FromString("a:b::c");
    EXPECT_EQ(Fields(P), (std::vector<std::string>{"a:b", "c"}));
    P.SetDelimiter("");
    P.FromString("a;b");
    EXPECT_EQ(Fields(P), (std::vector<std::string>{"a;b"}));
}

TEST(StringParser, ToStringJoinsWithTheWholeDelimiter)
{
    TStringParser P;
    EXPECT_EQ(P.ToString(), "");
    P.SetDelimiter(",");
    P.FromString("1,\"two\",,3.5");
    EXPECT_EQ(P.ToString(), "1,\"two\",,3.5");
    // Multi-character and empty delimiters round-trip too; no field loses a character.
    P.SetDelimiter("; ");
    P.FromString("a; b; c");
    EXPECT_EQ(P.ToString(), "a; b; c");
    P.SetDelimiter("");
    P.Add()->SetRawData("cd");
    EXPECT_EQ(P.ToString(), "abccd");
}

TEST(StringParser, ItemsPastTheEndShowAMessageAndGiveNull)
{
    TMessageRecorder Recorder;
    TStringParser P;
    P.FromString("x;y");
    EXPECT_EQ(P.GetItems(1)->GetRawData(), "y");
    EXPECT_EQ(Recorder.Count(), 0);
    EXPECT_EQ(P.GetItems(2), nullptr);
    ASSERT_EQ(Recorder.Count(), 1);
    EXPECT_EQ(Recorder.LastText(), "Error reading object properties from string!");
    EXPECT_EQ(Recorder.Messages()[0].Type, mtError);
    EXPECT_EQ(Recorder.Messages()[0].Buttons, TMsgDlgButtons(mbOK));
    EXPECT_THROW(P.GetItems(-1), EListError);
}

TEST(StringParser, TypedGettersFallBackInsteadOfRaising)
{
    TParserItem Item;
    const auto As = [&Item](const char* Text) -> TParserItem& {
        Item.SetRawData(Text);
        return Item;
    };
    EXPECT_EQ(As("42").GetAsInteger(), 42);
    EXPECT_EQ(As("4.2").GetAsInteger(), 0);
    EXPECT_EQ(As("word").GetAsInteger(), 0);
    EXPECT_DOUBLE_EQ(As("12.5").GetAsFloat(), 12.5);
    EXPECT_EQ(As("").GetAsFloat(), 0);
    EXPECT_EQ(As("1.23456").GetAsCurrency(), 12346);
    EXPECT_EQ(As("-0.5").GetAsCurrency(), -5000);
    EXPECT_EQ(As("1e300").GetAsCurrency(), 0);
    EXPECT_EQ(As("x").GetAsCurrency(), 0);
    EXPECT_TRUE(As("1").GetAsBoolean());
    EXPECT_FALSE(As("2").GetAsBoolean());
    EXPECT_FALSE(As("0").GetAsBoolean());
    EXPECT_FALSE(As("yes").GetAsBoolean());

    EXPECT_DOUBLE_EQ(As("2024-03-05").GetAsDate(), EncodeDate(2024, 3, 5));
    const TDateTime Before = Now();
    const TDateTime Fallback = As("not a date").GetAsDate();
    EXPECT_GE(Fallback, Before);
    EXPECT_LE(Fallback, Now());
    EXPECT_GT(As("25:99").GetAsTime(), 1000.0); // now, not a time of day

    Item.SetAsCurrency(12346);
    EXPECT_EQ(Item.GetRawData(), "1.2346");
    Item.SetAsBoolean(true);
    EXPECT_EQ(Item.GetRawData(), "1");
    Item.SetAsFloat(0.1);
    EXPECT_EQ(Item.GetRawData(), "0.1");
    Item.SetAsTime(EncodeTime(14, 30, 0, 0));
    EXPECT_EQ(Item.GetRawData(), "14:30:00");
}

TEST(StringParser, AssignCopiesFieldsButNotTheDelimiter)
{
    TStringParser A;
    A.SetDelimiter(",");
    A.FromString("p,q");
    TStringParser B;
    B.FromString("old;old;old");
    A.AssignTo(&B);
    EXPECT_EQ(Fields(B), (std::vector<std::string>{"p", "q"}));
    EXPECT_EQ(B.GetDelimiter(), ";");
    A.AssignTo(nullptr); // nothing happens

    TParserItem Item;
    A.GetItems(0)->AssignTo(&Item);
    EXPECT_EQ(Item.GetRawData(), "p");
    EXPECT_THROW(A.GetItems(0)->AssignTo(&B), EConvertError);
}
