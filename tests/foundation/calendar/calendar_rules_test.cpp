#include "calendar_rules.h"

#include <gtest/gtest.h>

#include "cp932.h"
#include "fake_clock.h"

using namespace foundation;

namespace {

TDateTime At(int y, int m, int d, int h = 0, int n = 0, int s = 0, int ms = 0) {
    return EncodeDate(y, m, d) + EncodeTime(h, n, s, ms);
}

}  // namespace

TEST(CalendarRules, WeekdayOf) {
    struct Case {
        int y, m, d, w;
        const char* name;
    } cases[] = {
        {2004, 1, 1, 4, "木"},   {2000, 2, 29, 2, "火"},  {2004, 5, 1, 6, "土"},
        {2004, 5, 2, 0, "日"},   {1899, 12, 30, 6, "土"}, {1, 1, 1, 1, "月"},
        {2100, 3, 1, 1, "月"},   {9999, 12, 31, 5, "金"}, {1850, 3, 4, 1, "月"},
        {2004, 12, 31, 5, "金"}, {2003, 3, 1, 6, "土"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y << "/" << c.m << "/" << c.d);
        std::string name;
        EXPECT_EQ(WeekdayOf(c.y, c.m, c.d, name), c.w);
        EXPECT_EQ(name, Sj(c.name));
    }
}

TEST(CalendarRules, DaysInMonth) {
    struct Case {
        int y, m, days;
    } cases[] = {
        {2000, 2, 29},  {1900, 2, 28},  {2012, 2, 29}, {2003, 2, 28},  {2100, 2, 28},
        {2004, 4, 30},  {2004, 6, 30},  {2004, 9, 30}, {2004, 11, 30}, {2004, 1, 31},
        {2004, 12, 31}, {2004, 13, 31}, {2004, 0, 31},
    };
    for (const Case& c : cases) EXPECT_EQ(DaysInMonth(c.y, c.m), c.days) << c.y << "/" << c.m;
}

TEST(CalendarRules, NthWeekday) {
    struct Case {
        int y, m, n, w, day;
    } cases[] = {
        {2004, 2, 5, 1, -2}, {2004, 2, 1, 7, -1}, {2004, 2, 1, 9, -1}, {2004, 2, 1, 1, 2},
        {2004, 2, 4, 0, 22}, {2004, 2, 5, 0, 29}, {2003, 2, 5, 0, -2}, {2004, 5, 1, 6, 1},
        {2004, 5, 1, 5, 7},  {2004, 9, 3, 1, 20}, {2000, 1, 2, 1, 10}, {2004, 5, 5, 1, 31},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NthWeekday(c.y, c.m, c.n, c.w), c.day)
            << c.y << "/" << c.m << " n=" << c.n << " w=" << c.w;
    }
}

TEST(CalendarRules, WeekOfYear) {
    struct Case {
        int start, y, m, d, week;
    } cases[] = {
        {1, 2004, 1, 1, 1}, {1, 2004, 1, 3, 1}, {1, 2004, 1, 4, 2}, {1, 2004, 12, 31, 53},
        {2, 2004, 1, 4, 1}, {2, 2004, 1, 5, 2}, {5, 2004, 1, 1, 1}, {5, 2004, 1, 7, 1},
        {5, 2004, 1, 8, 2}, {1, 2003, 3, 1, 9},  // 1 January 2003 a Wednesday
        {7, 2004, 1, 1, 1}, {7, 2004, 1, 3, 1}, {7, 2004, 1, 9, 1}, {7, 2004, 1, 10, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WeekOfYear(c.start, c.y, c.m, c.d), c.week)
            << "start " << c.start << " " << c.y << "/" << c.m << "/" << c.d;
    }
}

TEST(CalendarRules, EraYearText) {
    struct Case {
        int y, m, d;
        bool ok;
        const char* text;
    } cases[] = {
        {1867, 12, 31, false, "1867"},  {1868, 1, 1, true, "明治1"},
        {1912, 7, 29, true, "明治45"},  {1912, 7, 30, true, "大正1"},
        {1926, 12, 24, true, "大正15"}, {1926, 12, 25, true, "昭和1"},
        {1989, 1, 7, true, "昭和64"},   {1989, 1, 8, true, "平成1"},
        {2004, 5, 1, true, "平成16"},   {2019, 4, 30, true, "平成31"},
        {2019, 5, 1, true, "令和1"},    {2026, 12, 8, true, "令和8"},
        {2004, 2, 30, false, "2004"},   {2004, 13, 1, false, "2004"},
        {0, 1, 1, false, "0"},          {800, 1, 1, false, "800"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y << "/" << c.m << "/" << c.d);
        std::string text;
        EXPECT_EQ(EraYearText(c.y, c.m, c.d, text), c.ok);
        EXPECT_EQ(text, Sj(c.text));
    }
}

TEST(CalendarRules, FormatDateTime) {
    const TDateTime t = At(2004, 5, 1, 9, 5, 7, 89);
    struct Case {
        const char* format;
        const char* text;
    } cases[] = {
        {"yyyy/mm/dd", "2004/05/01"},
        {"yyyy/m/d", "2004/5/1"},
        {"YYYY/M/D", "2004/5/1"},
        {"yy-mm-dd_hh-nn-ss", "04-05-01_09-05-07"},
        {"y", "04"},
        {"yyy", "2004"},
        {"mm", "05"},
        {"dd", "01"},
        {"h:m", "9:5"},  // m right after h is the minute
        {"hh:mm:ss", "09:05:07"},
        {"hh dd mm", "09 01 05"},  // after d it is the month again
        {"ddd dddd", "土 土"},
        {"z zzz", "89 089"},
        {"'yyyy'/\"mm\"dd", "yyyy/mm01"},
        {"'open", "open"},
        {"yyyy年m月d日", "2004年5月1日"},  // trail bytes are no format letters
        {"ggge", "平成16"},
        {"ge/m/d", "平16/5/1"},
        {"x!", "x!"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatDateTime(Sj(c.format), t), Sj(c.text)) << c.format;
    }
}

TEST(CalendarRules, FormatDateTimeSafe) {
    struct Case {
        const char* format;
        int y, m, d;
        const char* text;
    } cases[] = {
        {"yyyy/mm/dd", 1850, 3, 4, "1850/03/04"},
        {"yyyy/mm/dd", 800, 3, 4, " 800/03/04"},
        {"yyyy/m/d", 5, 12, 24, "   5/12/24"},
        {"yy-mm-dd_hh-nn-ss", 1850, 3, 4, "50-03-04_00-00-00"},
        {"yyyy", 1900, 1, 1, "1900"},
        {"mm", 1850, 3, 4, "03"},
        {"dd", 800, 3, 4, "04"},
        {"yyyy/mm/dd", 2004, 5, 1, "2004/05/01"},
        {"yyyy年m月", 1850, 3, 4, "1850年3月"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.format << " " << c.y);
        std::string text = "old";
        FormatDateTimeSafe(Sj(c.format), text, EncodeDate(c.y, c.m, c.d));
        EXPECT_EQ(text, Sj(c.text));
    }
}

TEST(CalendarRules, DateTimeStampRoundTrip) {
    struct Case {
        TDateTime t;
        const char* text;
    } cases[] = {
        {At(2004, 5, 1, 9, 5, 7), "2004/ 5/ 1  9:05:07"},
        {At(2004, 12, 31, 23, 59, 59), "2004/12/31 23:59:59"},
        {At(2005, 1, 1), "2005/ 1/ 1  0:00:00"},
        {-1.25, "1899/12/29  6:00:00"},
        {At(800, 3, 4) - EncodeTime(12, 0, 0, 0), " 800/ 3/ 4 12:00:00"},
    };
    for (const Case& c : cases) {
        std::string text;
        DateTimeStamp(text, c.t);
        EXPECT_EQ(text, c.text);
        EXPECT_DOUBLE_EQ(StrToDateTimeStd(text), c.t) << text;
    }
}

TEST(CalendarRules, StrToDateTimeStdAccepts) {
    struct Case {
        const char* text;
        TDateTime t;
    } cases[] = {
        {"2004/5/1", At(2004, 5, 1)},
        {"2004/05/01", At(2004, 5, 1)},
        {" 2004/ 5/ 1", At(2004, 5, 1)},
        {"2004/5/1   ", At(2004, 5, 1)},
        {"2004/5/1 9:05", At(2004, 5, 1, 9, 5)},
        {"2004/5/1 23:59:59", At(2004, 5, 1, 23, 59, 59)},
        {"2004/5/1  9: 5: 7", At(2004, 5, 1, 9, 5, 7)},
        {"1/1/1", At(1, 1, 1)},
        {"9999/12/31", At(9999, 12, 31)},
        {"2000/2/29", At(2000, 2, 29)},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(StrToDateTimeStd(c.text), c.t) << c.text;
}

TEST(CalendarRules, StrToDateTimeStdRejects) {
    const char* bad[] = {
        "",
        "abc",
        "2004",
        "2004/5",
        "2004/5/",
        "2004-05-01",
        "2004/2/30",
        "1900/2/29",
        "2004/13/1",
        "2004/0/1",
        "0/1/1",
        "10000/1/1",
        "2004/5/1 24:00",
        "2004/5/1 9:60",
        "2004/5/1 9:05:60",
        "2004/5/1 9",
        "2004/5/1 9:",
        "2004/5/1x",
        "2004/5/1 9:05 x",
        "99999999999/1/1",
        "2004/+5/1",
        "2004/5/1\t9:05",
        "2004/5/1 -1:00",
    };
    for (const char* text : bad) {
        EXPECT_THROW(StrToDateTimeStd(text), EConvertError) << '"' << text << '"';
    }
}

TEST(CalendarRules, TodayAndTomorrow) {
    FakeClock clock;
    struct Case {
        int y, m, d;
        int ty, tm, td;
    } cases[] = {
        {2004, 12, 31, 2005, 1, 1},
        {2004, 2, 28, 2004, 2, 29},
        {2003, 2, 28, 2003, 3, 1},
        {2004, 5, 1, 2004, 5, 2},
    };
    for (const Case& c : cases) {
        clock.Set(c.y, c.m, c.d, 23, 59, 59, 999);
        uint16_t y = 0, m = 0, d = 0;
        DecodeToday(y, m, d);
        EXPECT_EQ(y, c.y);
        EXPECT_EQ(m, c.m);
        EXPECT_EQ(d, c.d);
        DecodeTomorrow(y, m, d);
        EXPECT_EQ(y, c.ty);
        EXPECT_EQ(m, c.tm);
        EXPECT_EQ(d, c.td);
    }
}
