// Text helpers: comparison, case mapping, trimming, quoting, Pos/Copy, StringReplace.
#include "host/StrUtils.h"

#include <gtest/gtest.h>

using namespace cartova;

TEST(StrUtils, ComparisonFoldsCase)
{
    EXPECT_TRUE(SameText("Streets", "STREETS"));
    EXPECT_TRUE(SameText("\xC3\x84pfel", "\xC3\xA4PFEL")); // Äpfel
    EXPECT_FALSE(SameText("abc", "abd"));
    EXPECT_LT(AnsiCompareText("apple", "Banana"), 0);
    EXPECT_GT(AnsiCompareText("b", "A"), 0);
    EXPECT_EQ(AnsiCompareText("", ""), 0);
    EXPECT_NE(AnsiCompareText(std::string("a\0b", 3), "a"), 0);
    EXPECT_EQ(CompareText("ABC", "abc"), 0);
    EXPECT_NE(CompareText("\xC3\x84", "\xC3\xA4"), 0); // ASCII folding only
}

TEST(StrUtils, CaseMapping)
{
    EXPECT_EQ(AnsiUpperCase("stra\xC3\x9F" "e"), "STRASSE");
    EXPECT_EQ(AnsiLowerCase("\xC3\x84Pfel"), "\xC3\xA4pfel");
    EXPECT_EQ(UpperCase("region \xC3\xA4"), "REGION \xC3\xA4");
    EXPECT_EQ(LowerCase("PLINE"), "pline");
}

TEST(StrUtils, TrimRemovesControlsAndSpaces)
{
    EXPECT_EQ(Trim(" \t x y \r\n"), "x y");
    EXPECT_EQ(Trim(std::string("\0a\0", 3)), "a");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim("\xC2\xA0x"), "\xC2\xA0x"); // bytes above ' ' stay
}

TEST(StrUtils, Quoting)
{
    EXPECT_EQ(QuotedStr("O'Brien"), "'O''Brien'");
    EXPECT_EQ(QuotedStr(""), "''");
    EXPECT_EQ(AnsiQuotedStr("say \"hi\"", '"'), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(AnsiDequotedStr("'O''Brien'", '\''), "O'Brien");
    EXPECT_EQ(AnsiDequotedStr("'a' rest", '\''), "a");
    EXPECT_EQ(AnsiDequotedStr("plain", '\''), "plain");
    EXPECT_EQ(AnsiDequotedStr("'open", '\''), "'open");
    EXPECT_EQ(AnsiDequotedStr("", '\''), "");
}

TEST(StrUtils, PosAndCopyAreOneBased)
{
    EXPECT_EQ(Pos("b", "abcb"), 2u);
    EXPECT_EQ(Pos("z", "abc"), 0u);
    EXPECT_EQ(Pos("", "abc"), 0u);
    EXPECT_EQ(PosEx("b", "abcb", 3), 4u);
    EXPECT_EQ(PosEx("b", "abcb", 9), 0u);
    EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Copy("abcdef", 0, 2), "ab");
    EXPECT_EQ(Copy("abcdef", 5, 100), "ef");
    EXPECT_EQ(Copy("abcdef", 7, 1), "");
    EXPECT_EQ(Copy("abcdef", 2, -1), "");
}

TEST(StrUtils, StringReplace)
{
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", 0), "a+b-c");
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", rfReplaceAll), "a+b+c");
    EXPECT_EQ(StringReplace("Pen PEN pen", "pen", "x", rfReplaceAll | rfIgnoreCase), "x x x");
    EXPECT_EQ(StringReplace("\xC3\x84pfel", "\xC3\xA4", "A", rfIgnoreCase), "Apfel");
    EXPECT_EQ(StringReplace("aaa", "a", "aa", rfReplaceAll), "aaaaaa");
    EXPECT_EQ(StringReplace("abc", "", "x", rfReplaceAll), "abc");
    EXPECT_EQ(StringReplace(std::string("a\0b", 3), std::string("\0", 1), "-", 0), "a-b");
}
