// Dates and times as days since 30 December 1899.
#include <gtest/gtest.h>

#include "classlib/runtime/DateTime.h"
#include "classlib/runtime/Exceptions.h"

TEST(DateTime, DayNumbers)
{
    const struct {
        int y, m, d;
        double days;
    } dates[] = {
        {1899, 12, 30, 0},   {1900, 1, 1, 2},    {1900, 3, 1, 61},        {2000, 2, 29, 36585},
        {2024, 1, 1, 45292}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
    };
    for (const auto& c : dates) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.days) << c.y << "-" << c.m << "-" << c.d;
        int y, m, d;
        DecodeDate(c.days, y, m, d);
        EXPECT_EQ(y * 10000 + m * 100 + d, c.y * 10000 + c.m * 100 + c.d);
    }
    TDateTime t;
    EXPECT_FALSE(TryEncodeDate(2023, 2, 29, t));
    EXPECT_FALSE(TryEncodeDate(0, 1, 1, t));
    EXPECT_FALSE(TryEncodeDate(2024, 13, 1, t));
    EXPECT_THROW(EncodeDate(2024, 4, 31), EConvertError);
}

TEST(DateTime, TimesOfDay)
{
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_DOUBLE_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);

    TDateTime v = ComposeDateTime(EncodeDate(2024, 7, 14), EncodeTime(23, 59, 59, 999));
    int y, mo, d, h, mi, s, ms;
    DecodeDate(v, y, mo, d);
    DecodeTime(v, h, mi, s, ms);
    EXPECT_EQ(y * 10000 + mo * 100 + d, 20240714);
    EXPECT_EQ(h * 10000000 + mi * 100000 + s * 1000 + ms, 235959999);

    // Before the epoch the fraction still reads as the time of that day.
    v = ComposeDateTime(EncodeDate(1899, 12, 29), EncodeTime(6, 0, 0, 0));
    EXPECT_DOUBLE_EQ(v, -1.25);
    DecodeDate(v, y, mo, d);
    DecodeTime(v, h, mi, s, ms);
    EXPECT_EQ(d, 29);
    EXPECT_EQ(h, 6);
}

TEST(DateTime, NowIsToday)
{
    TDateTime now = Now();
    int y, m, d;
    DecodeDate(now, y, m, d);
    EXPECT_GE(y, 2024);
    EXPECT_LE(Date(), now);
    EXPECT_LT(now - Date(), 1.0);
}
