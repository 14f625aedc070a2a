// Dates and times: encoding, the 1899-12-30 epoch, negative values, text both ways.
#include "host/DateTime.h"
#include "host/Exceptions.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

using namespace cartova;

TEST(DateTime, EncodeAndDecodeAroundTheEpoch)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1.0);
    EXPECT_EQ(EncodeDate(1900, 3, 1), 61.0);
    EXPECT_EQ(EncodeDate(2000, 2, 29), 36585.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    for (const double d : {-693593.0, -1.0, 0.0, 36585.0, 2958465.0}) {
        int y, m, day;
        DecodeDate(d, y, m, day);
        EXPECT_EQ(EncodeDate(y, m, day), d);
    }
    int h, n, s, ms;
    DecodeTime(EncodeTime(23, 59, 59, 999), h, n, s, ms);
    EXPECT_EQ((std::array{h, n, s, ms}), (std::array{23, 59, 59, 999}));
    EXPECT_EQ(DayOfWeek(0), 7); // 1899-12-30 was a Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 3)), 1);
}

TEST(DateTime, InvalidArgumentsRaise)
{
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
    EXPECT_THROW(EncodeDate(2023, 13, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(DateToStr(std::nan("")), EConvertError);
    EXPECT_THROW(DateToStr(1e12), EConvertError);
}

TEST(DateTime, NegativeValuesKeepTheTimeAsFraction)
{
    // -1.25 is one day before the epoch at 06:00, not 18:00.
    EXPECT_EQ(DateTimeToStr(-1.25), "1899-12-29 06:00:00");
    EXPECT_EQ(StrToDateTime("1899-12-29 06:00:00"), -1.25);
    EXPECT_EQ(ComposeDateTime(EncodeDate(1850, 1, 1), EncodeTime(12, 0, 0, 0)), EncodeDate(1850, 1, 1) - 0.5);
    EXPECT_EQ(DateToStr(-1.25), "1899-12-29");
}

TEST(DateTime, TextInTheDefaultFormats)
{
    EXPECT_EQ(DateToStr(0.0), "1899-12-30");
    EXPECT_EQ(TimeToStr(0.0), "00:00:00");
    EXPECT_EQ(DateTimeToStr(0.0), "1899-12-30");
    const TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 7, 250);
    EXPECT_EQ(DateTimeToStr(t), "2024-03-05 14:30:07");
    EXPECT_EQ(TimeToStr(t), "14:30:07");
    // Rounding to the millisecond may carry into the next day.
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5) + 0.9999999999), "2024-03-06");
}

TEST(DateTime, FormatDateTimePictures)
{
    const TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn:ss.zzz", t), "2024-03-05 14:07:09.045");
    EXPECT_EQ(FormatDateTime("ss:zzz", EncodeTime(0, 0, 3, 7)), "03:007");
    EXPECT_EQ(FormatDateTime("d.m.yy", t), "5.3.24");
    EXPECT_EQ(FormatDateTime("ddd dddd mmm mmmm", t), "Tue Tuesday Mar March");
    EXPECT_EQ(FormatDateTime("h:mm AM/PM", t), "2:07 PM"); // m after h is minutes
    EXPECT_EQ(FormatDateTime("hh a/p", EncodeTime(0, 0, 0, 0)), "12 a");
    EXPECT_EQ(FormatDateTime("YYYY-MM-DD", t), "2024-03-05");
    EXPECT_EQ(FormatDateTime("'yyyy' \"dd\" yyyy", t), "yyyy dd 2024");
    EXPECT_EQ(FormatDateTime("c", t), "2024-03-05 14:07:09");
}

TEST(DateTime, ParsingFollowsTheSettings)
{
    EXPECT_EQ(StrToDate("2024-03-05"), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDate(" 1899-12-30 "), 0.0);
    EXPECT_EQ(StrToTime("14:30"), EncodeTime(14, 30, 0, 0));
    EXPECT_EQ(StrToTime("14:30:07.250"), EncodeTime(14, 30, 7, 250));
    EXPECT_EQ(StrToTime("2:30 pm"), EncodeTime(14, 30, 0, 0));
    EXPECT_EQ(StrToTime("12 AM"), 0.0);
    EXPECT_EQ(StrToDateTime("2024-03-05 14:30:00"), EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0, 0));
    EXPECT_EQ(StrToDateTime("2024-03-05"), EncodeDate(2024, 3, 5));
    EXPECT_EQ(StrToDateTime("06:00"), 0.25);

    TFormatSettings fs;
    fs.ShortDateFormat = "dd.mm.yyyy";
    fs.DateSeparator = '.';
    EXPECT_EQ(StrToDate("05.03.2024", fs), EncodeDate(2024, 3, 5));
    fs.TwoDigitYearCenturyWindow = 0;
    int y, m, d;
    DecodeDate(Now(), y, m, d);
    DecodeDate(StrToDate("05.03.24", fs), y, m, d);
    EXPECT_EQ(y % 100, 24);
}

TEST(DateTime, ParseErrorsQuoteTheText)
{
    try {
        StrToDate("x");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'x' is not a valid date");
    }
    try {
        StrToTime("25:00");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'25:00' is not a valid time");
    }
    for (const char* bad : {"", "2024-02-30", "2024-03-05x", "2024", "2024--05", "13:00 PM"})
        EXPECT_THROW(StrToDateTime(bad), EConvertError) << bad;
    EXPECT_THROW(StrToDate(std::string("2024-03-05\0", 11)), EConvertError);
    TDateTime v = 1;
    EXPECT_FALSE(TryStrToDate("nope", v));
    EXPECT_EQ(v, 1);
}

TEST(DateTime, NowIsConsistent)
{
    const TDateTime before = Now();
    const TDateTime today = Date();
    EXPECT_EQ(today, std::floor(today));
    EXPECT_GE(Now(), before);
    EXPECT_GE(before, EncodeDate(2020, 1, 1));
    EXPECT_GE(Time(), 0.0);
    EXPECT_LT(Time(), 1.0);
}
