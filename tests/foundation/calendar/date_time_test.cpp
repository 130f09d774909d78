#include "date_time.h"

#include <gtest/gtest.h>

#include "fake_clock.h"

using namespace foundation;

TEST(DateTime, EncodeDateSerials) {
    struct Case {
        int y, m, d;
        double serial;
    } cases[] = {
        {1899, 12, 30, 0},   {1899, 12, 29, -1},   {1900, 1, 1, 2},    {2000, 2, 29, 36585},
        {2004, 5, 1, 38108}, {100, 1, 1, -657434}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
    };
    for (const Case& c : cases) {
        TDateTime t = -99;
        EXPECT_TRUE(TryEncodeDate(c.y, c.m, c.d, t));
        EXPECT_EQ(t, c.serial) << c.y << "/" << c.m << "/" << c.d;
        int y, m, d;
        DecodeDate(c.serial, y, m, d);
        EXPECT_EQ(y * 10000 + m * 100 + d, c.y * 10000 + c.m * 100 + c.d);
    }
}

TEST(DateTime, InvalidDates) {
    struct Case {
        int y, m, d;
    } cases[] = {
        {2004, 2, 30}, {1900, 2, 29}, {2003, 2, 29}, {0, 1, 1},    {10000, 1, 1},
        {2004, 0, 1},  {2004, 13, 1}, {2004, 4, 31}, {2004, 1, 0}, {-5, 1, 1},
    };
    for (const Case& c : cases) {
        TDateTime t = 7;
        EXPECT_FALSE(IsValidDate(c.y, c.m, c.d));
        EXPECT_FALSE(TryEncodeDate(c.y, c.m, c.d, t));
        EXPECT_EQ(t, 7);
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), 0);
    }
}

TEST(DateTime, DecodeEncodeRoundTripOverTheRange) {
    for (long long s = -693593; s <= 2958465; s += 997) {
        int y, m, d;
        DecodeDate(static_cast<double>(s), y, m, d);
        ASSERT_EQ(EncodeDate(y, m, d), static_cast<double>(s)) << y << "/" << m << "/" << d;
    }
}

TEST(DateTime, TimeOfDayAndNegativeValues) {
    struct Case {
        TDateTime t;
        platform::LocalDateTime at;
    } cases[] = {
        {38108 + EncodeTime(9, 5, 7, 0), {2004, 5, 1, 9, 5, 7, 0}},
        {38108 + EncodeTime(23, 59, 59, 999), {2004, 5, 1, 23, 59, 59, 999}},
        {38108.99999999999, {2004, 5, 1, 23, 59, 59, 999}},  // never the hour 24
        {-1.25, {1899, 12, 29, 6, 0, 0, 0}},
        {-0.5, {1899, 12, 30, 12, 0, 0, 0}},
        {-2.75, {1899, 12, 28, 18, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const platform::LocalDateTime r = FromDateTime(c.t);
        EXPECT_EQ(r.year * 10000 + r.month * 100 + r.day,
                  c.at.year * 10000 + c.at.month * 100 + c.at.day)
            << c.t;
        EXPECT_EQ(r.hour * 3600000 + r.minute * 60000 + r.second * 1000 + r.msec,
                  c.at.hour * 3600000 + c.at.minute * 60000 + c.at.second * 1000 + c.at.msec)
            << c.t;
    }
    EXPECT_DOUBLE_EQ(ToDateTime({1899, 12, 29, 6, 0, 0, 0}), -1.25);
    EXPECT_DOUBLE_EQ(ToDateTime({1899, 12, 28, 18, 0, 0, 0}), -2.75);
    EXPECT_DOUBLE_EQ(ToDateTime({2004, 5, 1, 12, 0, 0, 0}), 38108.5);
}

TEST(DateTime, NowAndDateFromTheClock) {
    FakeClock clock;
    clock.Set(2004, 5, 1, 18, 0, 0);
    EXPECT_DOUBLE_EQ(Now(), 38108.75);
    EXPECT_DOUBLE_EQ(Date(), 38108);
    clock.Advance(6 * 3600 * 1000);
    EXPECT_DOUBLE_EQ(Date(), 38109);
}

TEST(DateTime, WholeDaysBetweenTruncatesTowardsZero) {
    auto at = [](int y, int mo, int d, int h, int mi, int ms = 0) {
        platform::LocalDateTime t;
        t.year = y;
        t.month = mo;
        t.day = d;
        t.hour = h;
        t.minute = mi;
        t.msec = ms;
        return t;
    };
    struct Case {
        platform::LocalDateTime from, to;
        long long days;
    } cases[] = {
        {at(2004, 5, 1, 9, 0), at(2004, 5, 2, 9, 0), 1},
        {at(2004, 5, 1, 9, 0), at(2004, 5, 2, 8, 59, 999), 0},
        {at(2004, 2, 28, 0, 0), at(2004, 3, 1, 0, 0), 2},  // leap day
        {at(2003, 12, 31, 23, 0), at(2004, 1, 1, 1, 0), 0},
        {at(2004, 5, 3, 12, 0), at(2004, 5, 1, 13, 0), -1},  // backwards, towards zero
    };
    for (const auto& c : cases) EXPECT_EQ(WholeDaysBetween(c.from, c.to), c.days);
}
