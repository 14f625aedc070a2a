// Number formatting and parsing of the host: Format, FloatToStr, StrToFloat,
// FormatFloat, integer conversions and rounding.
#include "host/Exceptions.h"
#include "host/SysUtils.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <string>

using namespace cartova;

namespace {

// Expects `fn` to raise EConvertError whose message contains `fragment`.
template <class F>
void ExpectConvertError(F fn, const std::string& fragment)
{
    try {
        fn();
        ADD_FAILURE() << "no EConvertError, expected one mentioning " << fragment;
    } catch (const EConvertError& e) {
        EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
    }
}

// A C++ global locale whose decimal point is a comma, restored afterwards.
struct TCommaLocale {
    struct TCommaPunct : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    std::locale Saved;
    std::string SavedC;
    TCommaLocale() : Saved(std::locale::global(std::locale(std::locale::classic(), new TCommaPunct)))
    {
        SavedC = std::setlocale(LC_ALL, nullptr);
        // A comma locale of the C library, where one is installed.
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"})
            if (std::setlocale(LC_NUMERIC, name))
                break;
    }
    ~TCommaLocale()
    {
        std::locale::global(Saved);
        std::setlocale(LC_ALL, SavedC.c_str());
    }
};

} // namespace

TEST(SysUtils, FormatSpecifiersAreCaseInsensitive)
{
    EXPECT_EQ(Format("Char(%D)", 255), "Char(255)");
    EXPECT_EQ(Format("%S Char(%d)", "NAME", 10), "NAME Char(10)");
    EXPECT_EQ(Format("%.6F %.6F", 12.5, -0.1), "12.500000 -0.100000");
    EXPECT_EQ(Format("Pen (%D,%D,%D)", 1, 2, 0xFF0000), "Pen (1,2,16711680)");
    EXPECT_EQ(Format("%x %X", 255, 255), "FF FF");
    EXPECT_EQ(Format("%s", std::string("text")), "text");
    EXPECT_EQ(Format("100%%"), "100%");
    EXPECT_EQ(Format("%s=%d", {"n", 3}), "n=3");
}

TEST(SysUtils, FormatWidthPrecisionAndIndex)
{
    EXPECT_EQ(Format("[%5d]", 42), "[   42]");
    EXPECT_EQ(Format("[%-5d]", 42), "[42   ]");
    EXPECT_EQ(Format("[%.4d]", -7), "[-0007]");
    EXPECT_EQ(Format("[%.3s]", "abcdef"), "[abc]");
    EXPECT_EQ(Format("[%6s]", "\xC3\xA4"), "[     \xC3\xA4]"); // width counts characters
    EXPECT_EQ(Format("[%*d]", 4, 1), "[   1]");
    EXPECT_EQ(Format("%1:s %0:s %s", "a", "b"), "b a b");
    EXPECT_EQ(Format("%.4x", 10), "000A");
    EXPECT_EQ(Format("%u %x", -1, -1), "4294967295 FFFFFFFF");
    EXPECT_EQ(Format("%x", std::int64_t(-1)), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(Format("%d", std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

TEST(SysUtils, FormatFloatSpecifiers)
{
    EXPECT_EQ(Format("%f", 1.5), "1.50");
    EXPECT_EQ(Format("%.0f", 2.5), "3"); // halves away from zero
    EXPECT_EQ(Format("%.2f", -0.001), "0.00");
    EXPECT_EQ(Format("%e", 1234.5), "1.23450000000000E+003");
    EXPECT_EQ(Format("%.3e", -0.000123456), "-1.23E-004");
    EXPECT_EQ(Format("%g", 0.5), "0.5");
    EXPECT_EQ(Format("%n", 1234567.891), "1,234,567.89");
    EXPECT_EQ(Format("%m / %m", 1234.5, -2.0), "$1,234.50 / ($2.00)");
    EXPECT_EQ(Format("%.2f", std::nan("")), "NAN");
    EXPECT_EQ(Format("%.6F", 1e20), "100000000000000000000.000000");
}

TEST(SysUtils, FormatErrorsNameTheFormat)
{
    ExpectConvertError([] { Format("Value %d", "text"); }, "Format 'Value %d' invalid");
    ExpectConvertError([] { Format("Value %s", 3); }, "'Value %s'");
    ExpectConvertError([] { Format("%f", 3); }, "'%f'");
    ExpectConvertError([] { Format("%d %d", 1); }, "No argument for format '%d %d'");
    ExpectConvertError([] { Format("%q", 1); }, "'%q'");
    ExpectConvertError([] { Format("trailing %", 1); }, "'trailing %'");
    ExpectConvertError([] { Format("%d", true); }, "'%d'");
}

TEST(SysUtils, FloatToStrGeneralFormat)
{
    EXPECT_EQ(FloatToStr(0.0), "0");
    EXPECT_EQ(FloatToStr(-0.0), "0");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(-1.5e-7), "-1.5E-7");
    EXPECT_EQ(FloatToStr(12.5), "12.5");
    EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FloatToStr(2.0 / 3), "0.666666666666667");
    // Fixed notation up to 15 integer digits and down to 1E-4.
    EXPECT_EQ(FloatToStr(999999999999999.0), "999999999999999");
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(0.0001), "0.0001");
    EXPECT_EQ(FloatToStr(0.00001), "1E-5");
    EXPECT_EQ(FloatToStr(123456789012345678.0), "1.23456789012346E17");
    EXPECT_EQ(FloatToStr(1000000000000005.0), "1.00000000000001E15"); // the half rounds up
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::max()), "1.79769313486232E308");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::denorm_min()), "4.94065645841247E-324");
    EXPECT_EQ(FloatToStr(std::nan("")), "NAN");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
}

TEST(SysUtils, StrToFloatAcceptsDecimalText)
{
    EXPECT_DOUBLE_EQ(StrToFloat("12.5"), 12.5);
    EXPECT_DOUBLE_EQ(StrToFloat("  -1.5E-7 "), -1.5e-7);
    EXPECT_DOUBLE_EQ(StrToFloat("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(StrToFloat("5."), 5.0);
    EXPECT_DOUBLE_EQ(StrToFloat("1e+3"), 1000.0);
    EXPECT_EQ(StrToFloat("1e-400"), 0.0);
    for (const double v : {0.1 + 0.2, 1e20, -1.5e-7, 123456.789, 5e-324})
        EXPECT_EQ(FloatToStr(StrToFloat(FloatToStr(v))), FloatToStr(v));
}

TEST(SysUtils, StrToFloatRejectsOtherText)
{
    ExpectConvertError([] { StrToFloat("abc"); }, "'abc' is not a valid floating point value");
    for (const char* bad : {"", " ", ".", "-", "1e", "1,5", "1.5x", "0x10", "INF", "NAN", "1e400", "1 2"})
        EXPECT_THROW(StrToFloat(bad), EConvertError) << bad;
    EXPECT_THROW(StrToFloat(std::string("1\0" "2", 3)), EConvertError);
    double v = 7;
    EXPECT_FALSE(TryStrToFloat("x", v));
    EXPECT_EQ(v, 7);
    EXPECT_EQ(StrToFloatDef("x", -1), -1);
}

TEST(SysUtils, ConversionsIgnoreTheProcessLocale)
{
    TCommaLocale comma;
    EXPECT_EQ(FloatToStr(12.5), "12.5");
    EXPECT_EQ(Format("%.6F", 1.25), "1.250000");
    EXPECT_DOUBLE_EQ(StrToFloat("12.5"), 12.5);
    EXPECT_THROW(StrToFloat("12,5"), EConvertError);
    EXPECT_EQ(FormatFloat("0.00", 3.14159), "3.14");
    EXPECT_EQ(IntToStr(1234567), "1234567");
}

TEST(SysUtils, SettingsChooseTheSeparator)
{
    EXPECT_EQ(FormatSettings.DecimalSeparator, '.');
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    fs.ThousandSeparator = '.';
    EXPECT_EQ(FloatToStr(12.5, fs), "12,5");
    EXPECT_DOUBLE_EQ(StrToFloat("12,5", fs), 12.5);
    EXPECT_THROW(StrToFloat("12.5", fs), EConvertError);
    EXPECT_EQ(Format("%n", {1234.5}, fs), "1.234,50");
}

TEST(SysUtils, FormatFloatPictures)
{
    EXPECT_EQ(FormatFloat("0.00", 1.005), "1.00"); // 1.005 is below the half
    EXPECT_EQ(FormatFloat("0.00", 0.125), "0.13");
    EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
    EXPECT_EQ(FormatFloat("0.##", 2), "2");
    EXPECT_EQ(FormatFloat("000", 7), "007");
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891), "1,234,567.89");
    EXPECT_EQ(FormatFloat("#,##0", -1234), "-1,234");
    EXPECT_EQ(FormatFloat("0.00E+00", 1234.5), "1.23E+03");
    EXPECT_EQ(FormatFloat("0.0E-0", 0.00012), "1.2E-4");
    EXPECT_EQ(FormatFloat("0.0;(0.0);\"zero\"", -2.5), "(2.5)");
    EXPECT_EQ(FormatFloat("0.0;(0.0);\"zero\"", 0.01), "zero");
    EXPECT_EQ(FormatFloat("\"x=\"0.0' m'", 2), "x=2.0 m");
    EXPECT_EQ(FormatFloat("", 0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatFloat("0.00", std::nan("")), "NAN");
}

TEST(SysUtils, IntegerConversions)
{
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(StrToInt(" 42"), 42);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    ExpectConvertError([] { StrToInt("12a"); }, "'12a' is not a valid integer value");
    for (const char* bad : {"", "-", "42 ", "1.5", "2147483648", "$", "$100000000"})
        EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
    EXPECT_THROW(StrToInt(std::string("1\0" "2", 3)), EConvertError);
    EXPECT_EQ(StrToIntDef("x", 5), 5);
    int v = 0;
    EXPECT_TRUE(TryStrToInt("+7", v));
    EXPECT_EQ(v, 7);
}

TEST(SysUtils, RoundHalvesToEvenAndTruncTowardZero)
{
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(-2.6), -3);
    EXPECT_EQ(Round(1e15 + 0.5), 1000000000000000);
    EXPECT_EQ(Trunc(-2.9), -2);
    EXPECT_EQ(Trunc(2.9), 2);
    EXPECT_THROW(Round(std::nan("")), ERangeError);
    EXPECT_THROW(Round(1e19), ERangeError);
    EXPECT_THROW(Trunc(-std::numeric_limits<double>::infinity()), ERangeError);
}
