// Number scanning of MIF text: the quick decimal path gives exactly what
// from_chars gives, and hands everything else to it.
#include "formats/MifNumbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdio>
#include <random>
#include <string>

using namespace cartova::detail;

namespace {

/// ScanDouble's value for Text, and whether it accepted it.
bool Scan(const std::string& Text, double& Value)
{
    std::string_view V = Text;
    return ScanDouble(V, Value);
}

double FromChars(const std::string& Text)
{
    double Value = 0;
    std::from_chars(Text.data(), Text.data() + Text.size(), Value);
    return Value;
}

} // namespace

TEST(MifNumbers, DecimalsReadBitForBitAsFromCharsReadsThem)
{
    std::mt19937_64 Random(5);
    std::uniform_int_distribution<int> Digits(1, 21), Decimals(0, 24);
    int Checked = 0;
    for (int I = 0; I < 200000; ++I) {
        std::string Text = (Random() & 1) ? "-" : "";
        const int Whole = Digits(Random) % 9, Fraction = Decimals(Random);
        for (int K = 0; K < Whole; ++K)
            Text += static_cast<char>('0' + Random() % 10);
        if (Whole == 0 || Fraction > 0 || Random() % 4 == 0)
            Text += '.';
        for (int K = 0; K < Fraction || (Whole == 0 && K == 0); ++K)
            Text += static_cast<char>('0' + Random() % 10);
        double Value = 0;
        ASSERT_TRUE(Scan(Text, Value)) << Text;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(Value), std::bit_cast<std::uint64_t>(FromChars(Text))) << Text;
        ++Checked;
    }
    EXPECT_EQ(Checked, 200000);
    // Coordinates as files write them, halves and the largest exact integers.
    for (const char* Text : {"-179.999999999", "0.1", "0.3", "2.675", "9007199254740992", "9007199254740993",
                             "12345678901234567890.5", "0.0000000000000000000000001", "-0", "5.", ".5", "-.5"}) {
        double Value = 0;
        ASSERT_TRUE(Scan(Text, Value)) << Text;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(Value), std::bit_cast<std::uint64_t>(FromChars(Text))) << Text;
    }
}

TEST(MifNumbers, ExponentsSignsAndEndsAreReadAsBefore)
{
    double Value = 0;
    EXPECT_TRUE(Scan("1.5e3", Value));
    EXPECT_EQ(Value, 1500);
    EXPECT_TRUE(Scan("+2.5", Value));
    EXPECT_EQ(Value, 2.5);
    EXPECT_TRUE(Scan("  -7.25,", Value));
    EXPECT_EQ(Value, -7.25);
    for (const char* Bad : {"1.2.3", "1.5x", "--1", "-", ".", "++1", "1e", "nan", "inf", "1e999", "0x10", ""})
        EXPECT_FALSE(Scan(Bad, Value)) << Bad;
}

TEST(MifNumbers, RunsOfDigitsAndWhatEndsThemReadAsFromCharsReadsThem)
{
    // What ScanDouble promises, from from_chars alone.
    const auto Reference = [](std::string_view Text, double& Value, std::size_t& Used) {
        const std::size_t Size = Text.size();
        SkipMifSpaces(Text);
        const char* First = Text.data() + (!Text.empty() && Text[0] == '+');
        const char* Last = Text.data() + Text.size();
        const auto [End, Ec] = std::from_chars(First, Last, Value);
        Used = Size - static_cast<std::size_t>(Last - End);
        return Ec == std::errc() && std::isfinite(Value) && (End == Last || IsMifSpace(*End) || *End == ',');
    };
    // Digits mostly, with the characters next to '0' and '9' in the code
    // table, signs, points and separators anywhere, so that runs of eight
    // are cut at every position.
    static constexpr char Others[] = "/:.-+ ,\te\r";
    std::mt19937_64 Random(25);
    for (int I = 0; I < 300000; ++I) {
        std::string Text;
        const int Length = 1 + static_cast<int>(Random() % 34);
        for (int K = 0; K < Length; ++K)
            Text += Random() % 12 ? static_cast<char>('0' + Random() % 10) : Others[Random() % (sizeof Others - 1)];
        double Value = 0, Expected = 0;
        std::size_t Used = 0;
        std::string_view Rest = Text;
        const bool Accepted = ScanDouble(Rest, Value);
        ASSERT_EQ(Accepted, Reference(Text, Expected, Used)) << Text;
        if (!Accepted)
            continue;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(Value), std::bit_cast<std::uint64_t>(Expected)) << Text;
        ASSERT_EQ(Text.size() - Rest.size(), Used) << Text;
    }
    // Mantissas at and past 2^53, eight decimals and more, a point after eight.
    for (const char* Text : {"90071992.54740992", "90071992.54740993", "9007199.254740993", "0.12345678",
                             "0.1234567812345678", "12345678.12345678", "0.0000000000000000000001234",
                             "1.0000000000000000000000", "99999999.99999999", "0.00000000"}) {
        double Value = 0;
        ASSERT_TRUE(Scan(Text, Value)) << Text;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(Value), std::bit_cast<std::uint64_t>(FromChars(Text))) << Text;
    }
}
