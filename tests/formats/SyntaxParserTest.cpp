#include "formats/Progresser.h"
#include "formats/SyntaxParser.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace cartova;

namespace {

// "Value@Offset" of every item, in order.
std::vector<std::string> Tokens(const TSyntaxParser& P)
{
    std::vector<std::string> Result;
    for (int I = 0; I < P.Count(); ++I)
        Result.push_back(P.GetItems(I)->GetValue() + "@" + std::to_string(P.GetItems(I)->GetOffset()));
    return Result;
}

// Records the Progresser hooks' calls while alive.
struct ProgressLog {
    std::vector<std::string> Calls;
    ProgressLog()
    {
        StartProgress = [this](int Min, int Max, const std::string& C) {
            Calls.push_back("start " + std::to_string(Min) + " " + std::to_string(Max) + " " + C);
        };
        ShowProgress = [this](int P) { Calls.push_back("show " + std::to_string(P)); };
        StopProgress = [this] { Calls.push_back("stop"); };
    }
    ~ProgressLog()
    {
        StartProgress = [](int, int, const std::string&) {};
        ShowProgress = [](int) {};
        StopProgress = [] {};
    }
};

} // namespace

TEST(SyntaxParser, PenClauseTokensAndSkipChars)
{
    TSyntaxParser P;
    P.Read("Pen (1,2,0)", 7, false, true);
    EXPECT_EQ(Tokens(P), (std::vector<std::string>{"Pen@0", " @3", "(@4", "1@5", ",@6", "2@7", ",@8", "0@9", ")@10"}));
    EXPECT_EQ(P.GetItems(0)->GetLine(), 7);
    EXPECT_EQ(P.GetItems(0)->GetKind(), sikIdentifier);
    EXPECT_EQ(P.GetItems(1)->GetKind(), sikWhiteSpace);
    EXPECT_EQ(P.GetItems(2)->GetKind(), sikDelimiter);
    EXPECT_EQ(P.GetItems(3)->GetKind(), sikNumber);

    P.SetSkipChars(TSetOfChar{' ', '(', ')', ','});
    P.Read("Pen (1,2,0)", 0, false, true);
    EXPECT_EQ(Tokens(P), (std::vector<std::string>{"Pen@0", "1@5", "2@7", "0@9"}));
    // A skipped character leaves a gap that no item covers.
    EXPECT_EQ(P.ItemFromOffset(1)->GetValue(), "Pen");
    EXPECT_EQ(P.ItemFromOffset(4), nullptr);
    EXPECT_EQ(P.ItemFromOffset(9)->GetValue(), "0");
}

TEST(SyntaxParser, NumbersSplitAtTheFullStopUnlessItIsNoDelimiter)
{
    TSyntaxParser P;
    P.Read("12.5", 0, false, true);
    EXPECT_EQ(Tokens(P), (std::vector<std::string>{"12@0", ".@2", "5@3"}));
    TDelimiters D = TSyntaxParser::InitialDelimiters();
    D.Exclude('.').Exclude('+').Exclude('-');
    P.SetDelimiters(D);
    P.Read("-12.5\tx", 0, false, true);
    EXPECT_EQ(Tokens(P), (std::vector<std::string>{"-12.5@0", " @5", "x@6"}));
    EXPECT_EQ(P.GetItems(0)->GetKind(), sikNumber);
    EXPECT_EQ(P.GetItems(1)->GetKind(), sikWhiteSpace); // the tab became a space
}

TEST(SyntaxParser, QuotesAndComments)
{
    TSyntaxParser P;
    P.Read("a \"it's; x\" b 'note \"q\"", 3, false, true);
    EXPECT_EQ(Tokens(P), (std::vector<std::string>{"a@0", " @1", "\"it's; x\"@2", " @11", "b@12", " @13",
                                                   "'note \"q\"@14"}));
    EXPECT_EQ(P.GetItems(2)->GetKind(), sikString);
    EXPECT_EQ(P.GetItems(6)->GetKind(), sikComment);
    EXPECT_EQ(P.GetItems(6)->GetLine(), 3);

    // A quote ends a word; doubled quotes close one string and open the next;
    // an open string runs to the end of the line.
    P.Read("ab\"c\"\"d", 0, false, true);
    EXPECT_EQ(Tokens(P), (std::vector<std::string>{"ab@0", "\"c\"@2", "\"d@5"}));

    // Plain: quotes are delimiters and the comment marker is a delimiter.
    P.Read("x'y\"z", 0, true, true);
    EXPECT_EQ(Tokens(P), (std::vector<std::string>{"x@0", "'@1", "y@2", "\"@3", "z@4"}));

    P.SetSkipKinds(TSyntaxItemKinds{sikComment});
    P.Read("k 'gone", 0, false, true);
    EXPECT_EQ(Tokens(P), (std::vector<std::string>{"k@0", " @1"}));
}

TEST(SyntaxParser, KindOrderAndReservedWords)
{
    TSyntaxParser P;
    TStringList Words;
    Words.Add("PEN");
    P.SetReservedWords(&Words);
    Words.Clear(); // the parser keeps its own copy
    P.Read("pen Brush 3e2 \"s\"", 0, false, true);
    EXPECT_EQ(P.GetItems(0)->GetKind(), sikReservedWord);
    EXPECT_TRUE(P.GetItems(0)->Equal("Pen"));
    EXPECT_EQ(P.GetItems(2)->GetKind(), sikIdentifier);
    EXPECT_EQ(P.GetItems(4)->GetKind(), sikNumber);
    EXPECT_EQ(P.GetItems(6)->GetKind(), sikString);
    // A comment marker of two characters classifies by prefix.
    P.SetCommentsFlag("--");
    P.Add("--x", 0, 0);
    EXPECT_EQ(P.GetItems(P.Count() - 1)->GetKind(), sikComment);
    // A delimiter is a delimiter before it can be a comment or a string.
    P.SetCommentsFlag("(");
    P.Add("(", 0, 0);
    EXPECT_EQ(P.GetItems(P.Count() - 1)->GetKind(), sikDelimiter);
}

TEST(SyntaxParser, PackDropsSpacesAndComments)
{
    ProgressLog Log;
    TSyntaxParser P;
    P.Read("  ' only a comment", 0, false, true);
    P.Pack();
    EXPECT_EQ(P.Count(), 0);
    EXPECT_EQ(Log.Calls.front(), "start 0 2 Packing Data");
    EXPECT_EQ(Log.Calls.size(), 5u);
    EXPECT_EQ(Log.Calls.back(), "stop");

    // An empty comment marker marks nothing: Pack keeps the words.
    P.SetCommentsFlag("");
    P.Read("a 'b", 0, false, true);
    P.Pack();
    EXPECT_EQ(Tokens(P), (std::vector<std::string>{"a@0", "'@2", "b@3"}));
}

TEST(SyntaxParser, ReadingSeveralLines)
{
    TSyntaxParser P;
    P.Read("a", 0, false, true);
    P.Read("b c", 1, false, false);
    EXPECT_EQ(Tokens(P), (std::vector<std::string>{"a@0", "b@0", " @1", "c@2"}));
    std::string Text;
    P.Write(Text);
    EXPECT_EQ(Text, "ab c");
    EXPECT_FALSE(P.ValidIndex(-1));
    EXPECT_TRUE(P.ValidIndex(0));
    EXPECT_TRUE(P.ValidIndex(3));
    EXPECT_FALSE(P.ValidIndex(4));

    ProgressLog Log;
    TStringList Lines;
    Lines.Add("x y");
    Lines.Add("z");
    P.ReadFromStrings(Lines);
    EXPECT_EQ(Tokens(P), (std::vector<std::string>{"x@0", " @1", "y@2", "z@0"}));
    EXPECT_EQ(P.GetItems(3)->GetLine(), 1);
    EXPECT_EQ(Log.Calls, (std::vector<std::string>{"start 0 1 Reading source", "show 0", "show 1", "stop"}));

    // An empty text leaves no tokens of the previous one.
    Lines.Clear();
    P.ReadFromStrings(Lines);
    EXPECT_EQ(P.Count(), 0);

    Log.Calls.clear();
    EXPECT_THROW(P.ReadFromFile(std::string(CARTOVA_TEST_OUTPUT_DIR) + "/no/such/file.txt"), EFOpenError);
    EXPECT_TRUE(Log.Calls.empty());
    const std::string Name = std::string(CARTOVA_TEST_OUTPUT_DIR) + "/syntax_lines.txt";
    std::ofstream(Name) << "Pen (1,2,0)\nBrush (2)\n";
    P.ReadFromFile(Name);
    EXPECT_EQ(P.Count(), 14);
    EXPECT_EQ(P.GetItems(9)->GetValue(), "Brush");
    EXPECT_EQ(P.GetItems(9)->GetLine(), 1);
}

TEST(SyntaxParser, StopProgressRunsWhenReadingFails)
{
    ProgressLog Log;
    // An item class that is not a TSyntaxItem makes Add raise on the first token.
    TSyntaxParser P(CollectionItemClass<TCollectionItem>());
    TStringList Lines;
    Lines.Add("word");
    EXPECT_THROW(P.ReadFromStrings(Lines), EInvalidOperation);
    EXPECT_EQ(Log.Calls.back(), "stop");
    EXPECT_EQ(P.Count(), 0);
}
