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
