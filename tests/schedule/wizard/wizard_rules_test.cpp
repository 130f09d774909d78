#include "wizard_rules.h"

#include <gtest/gtest.h>

#include <QDate>
#include <algorithm>
#include <functional>

#include "cp932.h"

using namespace schedule;

namespace {

std::vector<std::string> Quoted(std::initializer_list<const char*> items) {
    return {items.begin(), items.end()};
}

TEST(WizardLists, HourAndMinuteItemsAsTheBoxesShowThem) {
    EXPECT_EQ(StartHourItems(),
              Quoted({"9",  "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20",
                      "21", "22", "23", " 0", " 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8"}));
    EXPECT_EQ(HourItems(),
              Quoted({" 9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20",
                      "21", "22", "23", " 0", " 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8"}));
    EXPECT_EQ(MinuteItems(),
              Quoted({" 0", " 5", "10", "15", "20", "25", "30", "35", "40", "45", "50", "55"}));
}

TEST(WizardLists, YearsFollowTheClockAndKeepTheShownYear) {
    struct Case {
        int thisYear, curYear;
        int first, last;
        size_t size;
    } cases[] = {
        {2026, 2026, 2025, 2036, 12}, {2026, 2025, 2025, 2036, 12}, {2026, 2036, 2025, 2036, 12},
        {2026, 2004, 2004, 2036, 13},  // an old month on show stays choosable
        {2026, 2040, 2025, 2040, 13},
    };
    for (const Case& c : cases) {
        const std::vector<int> years = WizardYears(c.thisYear, c.curYear);
        EXPECT_EQ(years.size(), c.size) << c.curYear;
        EXPECT_EQ(years.front(), c.first) << c.curYear;
        EXPECT_EQ(years.back(), c.last) << c.curYear;
        EXPECT_TRUE(std::is_sorted(years.begin(), years.end()));
    }
    EXPECT_EQ(WizardClearYear(2026), 2036);
}

TEST(WizardDigits, KeepsTheDigitsOfWhatever) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {" 9", "9"},
        {"2026", "2026"},
        {Sj("２０２６"), "2026"},  // full-width digits fold
        {"2a0b2c6", "2026"},
        {"abc", ""},
        {"   ", ""},
        {Sj("表5"), "5"},  // the trail byte of 表 is no digit
        {Sj("ｱ1"), "1"},
        {"-3", "3"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(DigitsOnly(in), out) << in;
}

// The fields as the boxes give them (written here in UTF-8).
DailyInput Cp932(const DailyInput& in) {
    return {Sj(in.yy), Sj(in.mm), Sj(in.dd),  Sj(in.n),
            Sj(in.hh), Sj(in.mi), Sj(in.hh2), Sj(in.mi2)};
}

struct CheckCase {
    DailyInput in;
    const char* message;  // UTF-8; "" = accepted
};

TEST(WizardDailyCheck, NamesEveryBadFieldInOrder) {
    const std::vector<int> years = WizardYears(2026, 2026);
    const DailyInput ok{"2026", "5", "3", "0", "9", " 0", "", ""};
    auto with = [&](auto change) {
        DailyInput in = ok;
        change(in);
        return in;
    };
    const CheckCase cases[] = {
        {ok, ""},
        {with([](DailyInput& i) { i.hh = i.mi = ""; }), ""},  // empty times are allowed
        {with([](DailyInput& i) {
             i.hh2 = "23";
             i.mi2 = "55";
         }),
         ""},
        {with([](DailyInput& i) { i.yy = ""; }), "nen, が異常です。"},
        {with([](DailyInput& i) { i.yy = "2024"; }), "年, が異常です。"},
        {with([](DailyInput& i) { i.yy = "2037"; }), "年, が異常です。"},
        {with([](DailyInput& i) { i.yy = "2025"; }), ""},
        {with([](DailyInput& i) { i.yy = "2036"; }), ""},
        {with([](DailyInput& i) { i.yy = "99999999999999"; }), "年, が異常です。"},
        {with([](DailyInput& i) { i.yy = "abc"; }), "nen, が異常です。"},
        {with([](DailyInput& i) { i.yy = "２０２６"; }), ""},
        {with([](DailyInput& i) { i.mm = ""; }), "月, が異常です。"},
        {with([](DailyInput& i) { i.mm = "0"; }), "月, が異常です。"},
        {with([](DailyInput& i) { i.mm = "13"; }), "月, が異常です。"},
        {with([](DailyInput& i) { i.dd = ""; }), "日, が異常です。"},
        {with([](DailyInput& i) { i.dd = "0"; }), "日, が異常です。"},
        {with([](DailyInput& i) { i.dd = "32"; }), "日, が異常です。"},
        {with([](DailyInput& i) { i.hh = "24"; }), "時間, が異常です。"},
        {with([](DailyInput& i) { i.hh = " 0"; }), ""},
        {with([](DailyInput& i) { i.mi = "60"; }), "分, が異常です。"},
        {with([](DailyInput& i) { i.hh2 = " 0"; }), "時間, が異常です。"},
        {with([](DailyInput& i) { i.hh2 = "24"; }), "時間, が異常です。"},
        {with([](DailyInput& i) { i.mi2 = "99"; }), "分, が異常です。"},
        {with([](DailyInput& i) { i.n = ""; }), "日間, が異常です。"},
        {with([](DailyInput& i) {
             i.yy = "2012";
             i.hh2 = " 0";
         }),
         "年,時間, が異常です。"},
        {DailyInput{"", "", "", "", "99", "99", "0", "99"},
         "nen,月,日,時間,分,時間,分,日間, が異常です。"},
    };
    for (const CheckCase& c : cases)
        EXPECT_EQ(CheckDailyInput(Cp932(c.in), years), Sj(c.message))
            << c.in.yy << "/" << c.in.mm << "/" << c.in.dd << " " << c.in.hh << ":" << c.in.mi
            << "-" << c.in.hh2 << ":" << c.in.mi2 << " n=" << c.in.n;
}

TEST(WizardDailyCheck, DaysPastTheMonthsEndAreRefused) {
    const std::vector<int> years = WizardYears(2026, 2026);
    struct Case {
        const char *yy, *mm, *dd;
        bool ok;
    } cases[] = {
        {"2026", "2", "28", true},  {"2026", "2", "29", false},  {"2026", "2", "30", false},
        {"2028", "2", "29", true},  {"2028", "2", "30", false},  {"2027", "2", "29", false},
        {"2026", "4", "30", true},  {"2026", "4", "31", false},  {"2026", "6", "31", false},
        {"2026", "9", "31", false}, {"2026", "11", "31", false}, {"2026", "5", "31", true},
        {"2026", "12", "31", true}, {"2026", "1", "31", true},
    };
    for (const Case& c : cases) {
        const std::string message =
            CheckDailyInput(DailyInput{c.yy, c.mm, c.dd, "0", "", "", "", ""}, years);
        EXPECT_EQ(message, c.ok ? std::string() : Sj("日, が異常です。"))
            << c.yy << "/" << c.mm << "/" << c.dd;
    }
}

TEST(WizardDailyLine, TimePartsSubjectAndPlace) {
    struct Case {
        bool noTime;
        const char *hh, *mi, *hh2, *mi2, *subject, *place, *line;
    } cases[] = {
        {false, "9", "0", "10", "30", "会議", "本社", " 9:00-10:30 会議 場所:本社\r\n"},
        {false, "9", " 0", "", "", "会議", "", " 9:00-      会議\r\n"},
        {false, "", "", "", "", "会議", "", "     -      会議\r\n"},
        {false, "13", "", "", "15", "x", "", "13:00-  :15 x\r\n"},
        {false, " 0", " 5", "23", "55", "", "", " 0:05-23:55 \r\n"},  // no subject
        {false, "", " 5", "", "", "y", "", "  :05-      y\r\n"},
        {true, "9", " 0", "10", "30", "会議", "本社", "会議 場所:本社\r\n"},
        {true, "9", " 0", "", "", "", "", "\r\n"},
        {false, "9", " 0", "", "", "", "ここ", " 9:00-       場所:ここ\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DailyEntryLine(c.noTime, c.hh, c.mi, c.hh2, c.mi2, Sj(c.subject), Sj(c.place)),
                  Sj(c.line))
            << c.line;
}

TEST(WizardEventLines, BoxTextsAsTheyStand) {
    EXPECT_EQ(ProgramEventLine("10", "30", "notepad.exe"), "@10:30 ^notepad.exe");
    EXPECT_EQ(ProgramEventLine(" 9", " 0", "/usr/bin/x"), "@ 9: 0 ^/usr/bin/x");
    EXPECT_EQ(EventLine(" 9", " 5", Sj("歯医者")), Sj("@ 9: 5 歯医者"));
    EXPECT_EQ(EventLine("23", "55", ""), "@23:55 ");
}

TEST(WizardEventDate, EveryChoiceNeededAndTheDayKeptInTheMonth) {
    struct Case {
        EventInput in;
        bool ok;
        WizardDate date;
    } cases[] = {
        {{"2026", "4", "31", "10", "30", "x"}, true, {2026, 4, 30}},
        {{"2028", "2", "31", " 9", " 0", "x"}, true, {2028, 2, 29}},
        {{"2027", "2", "30", " 9", " 0", "x"}, true, {2027, 2, 28}},
        {{"2026", "5", "3", " 9", " 0", "x"}, true, {2026, 5, 3}},
        {{"", "5", "3", " 9", " 0", "x"}, false, {}},
        {{"2026", "", "3", " 9", " 0", "x"}, false, {}},
        {{"2026", "5", "", " 9", " 0", "x"}, false, {}},
        {{"2026", "5", "3", "", " 0", "x"}, false, {}},
        {{"2026", "5", "3", " 9", "", "x"}, false, {}},
        {{"2026", "5", "3", " 9", " 0", ""}, false, {}},
    };
    for (const Case& c : cases) {
        WizardDate d;
        EXPECT_EQ(EventDate(c.in, d), c.ok) << c.in.yy << c.in.mm << c.in.dd;
        if (c.ok) {
            EXPECT_EQ(d, c.date) << c.in.dd;
        }
    }
}

TEST(WizardRepeat, FollowingCalendarDaysAcrossMonthAndYearEnds) {
    struct Case {
        WizardDate first;
        int n;
        std::vector<WizardDate> dates;
    } cases[] = {
        {{2026, 12, 30}, 3, {{2026, 12, 30}, {2026, 12, 31}, {2027, 1, 1}}},
        {{2028, 2, 27}, 4, {{2028, 2, 27}, {2028, 2, 28}, {2028, 2, 29}, {2028, 3, 1}}},
        {{2027, 2, 28}, 2, {{2027, 2, 28}, {2027, 3, 1}}},
        {{2026, 4, 30}, 2, {{2026, 4, 30}, {2026, 5, 1}}},
        {{2026, 5, 3}, 0, {{2026, 5, 3}}},
        {{2026, 5, 3}, 1, {{2026, 5, 3}}},
    };
    for (const Case& c : cases) EXPECT_EQ(RepeatDates(c.first, c.n), c.dates) << c.n;
    EXPECT_EQ(RepeatDates({2026, 1, 1}, 31).back(), (WizardDate{2026, 1, 31}));

    bool capped = true;
    EXPECT_EQ(RepeatDays("31", capped), 31);
    EXPECT_FALSE(capped);
    EXPECT_EQ(RepeatDays("32", capped), 31);
    EXPECT_TRUE(capped);
    EXPECT_EQ(RepeatDays("99999999999", capped), 31);
    EXPECT_TRUE(capped);
    EXPECT_EQ(RepeatDays("0", capped), 0);
    EXPECT_FALSE(capped);
}

// ---- Monthly rules, checked against dates computed another way ----

MonthlyInput Range(const char* yy, const char* mm, const char* yy2, const char* mm2) {
    MonthlyInput in;
    in.yy = yy;
    in.mm = mm;
    in.yy2 = yy2;
    in.mm2 = mm2;
    in.text = "x";
    return in;
}

// QDate weekdays: 1 = Monday .. 7 = Sunday.
int QtWeekday(int weekday) { return weekday == 0 ? 7 : weekday; }

std::vector<WizardDate> NthWeekdays(int y1, int m1, int y2, int m2, int n, int weekday) {
    std::vector<WizardDate> out;
    for (QDate month(y1, m1, 1); month <= QDate(y2, m2, 1); month = month.addMonths(1)) {
        int seen = 0;
        for (QDate d = month; d.month() == month.month(); d = d.addDays(1))
            if (d.dayOfWeek() == QtWeekday(weekday) && ++seen == n)
                out.push_back({d.year(), d.month(), d.day()});
    }
    return out;
}

std::vector<WizardDate> DaysWhere(int y1, int m1, int y2, int m2,
                                  const std::function<bool(const QDate&)>& pick) {
    std::vector<WizardDate> out;
    for (QDate d(y1, m1, 1); d < QDate(y2, m2, 1).addMonths(1); d = d.addDays(1))
        if (pick(d)) out.push_back({d.year(), d.month(), d.day()});
    return out;
}

TEST(WizardMonthly, NthWeekdayOverManyStarts) {
    for (int n = 1; n <= 5; ++n) {
        for (int weekday = 0; weekday <= 6; ++weekday) {
            MonthlyInput in = Range("2027", "1", "2028", "12");
            in.nth = true;
            in.dai = std::to_string(n);
            in.nthWeekday = weekday;
            EXPECT_EQ(MonthlyTargets(in), NthWeekdays(2027, 1, 2028, 12, n, weekday))
                << n << " " << weekday;
        }
    }
}

TEST(WizardMonthly, FifthFridayOnlyWhereItExists) {
    MonthlyInput in = Range("2026", "1", "2026", "12");
    in.nth = true;
    in.dai = "5";
    in.nthWeekday = 5;
    const std::vector<WizardDate> expected{
        {2026, 1, 30}, {2026, 5, 29}, {2026, 7, 31}, {2026, 10, 30}};
    EXPECT_EQ(MonthlyTargets(in), expected);
}

TEST(WizardMonthly, WeeklyEveryWeekdayOverALeapYear) {
    for (int weekday = 0; weekday <= 6; ++weekday) {
        MonthlyInput in = Range("2028", "1", "2028", "12");
        in.weekly = true;
        in.weekday = weekday;
        const auto expected = DaysWhere(
            2028, 1, 2028, 12, [&](const QDate& d) { return d.dayOfWeek() == QtWeekday(weekday); });
        EXPECT_EQ(MonthlyTargets(in), expected) << weekday;
    }
}

TEST(WizardMonthly, MonthDayAndMonthEnd) {
    struct Case {
        const char* tuki;
        const char *yy, *yy2;
        std::function<bool(const QDate&)> pick;
    } cases[] = {
        {"月末", "2028", "2029", [](const QDate& d) { return d.day() == d.daysInMonth(); }},
        {"31", "2028", "2028", [](const QDate& d) { return d.day() == 31; }},
        {"30", "2027", "2028", [](const QDate& d) { return d.day() == 30; }},
        {"29", "2027", "2028", [](const QDate& d) { return d.day() == 29; }},
        {"1", "2027", "2027", [](const QDate& d) { return d.day() == 1; }},
    };
    for (const Case& c : cases) {
        MonthlyInput in = Range(c.yy, "1", c.yy2, "12");
        in.monthDay = true;
        in.tuki = Sj(c.tuki);
        const int y1 = std::stoi(c.yy), y2 = std::stoi(c.yy2);
        EXPECT_EQ(MonthlyTargets(in), DaysWhere(y1, 1, y2, 12, c.pick)) << c.tuki;
    }
    MonthlyInput feb = Range("2028", "2", "2028", "2");
    feb.monthDay = true;
    feb.tuki = Sj("月末");
    EXPECT_EQ(MonthlyTargets(feb), (std::vector<WizardDate>{{2028, 2, 29}}));
}

TEST(WizardMonthly, RulesOnOneDayInTheirOrder) {
    // June 2026 begins on a Monday.
    ASSERT_EQ(QDate(2026, 6, 1).dayOfWeek(), 1);
    MonthlyInput in = Range("2026", "6", "2026", "6");
    in.nth = true;
    in.dai = "1";
    in.nthWeekday = 1;
    in.weekly = true;
    in.weekday = 1;
    in.monthDay = true;
    in.tuki = "1";
    const std::vector<WizardDate> expected{
        {2026, 6, 1}, {2026, 6, 1},  {2026, 6, 1},  // n-th, weekly, month day
        {2026, 6, 8}, {2026, 6, 15}, {2026, 6, 22}, {2026, 6, 29}};
    EXPECT_EQ(MonthlyTargets(in), expected);

    // The n-th rule writes its day when the month's first day is visited.
    MonthlyInput later = Range("2026", "6", "2026", "6");
    later.nth = true;
    later.dai = "2";
    later.nthWeekday = 2;  // 9 June
    later.monthDay = true;
    later.tuki = "1";
    EXPECT_EQ(MonthlyTargets(later), (std::vector<WizardDate>{{2026, 6, 9}, {2026, 6, 1}}));
}

TEST(WizardMonthly, RangesInEitherOrder) {
    struct Case {
        const char *yy, *mm, *yy2, *mm2;
        WizardDate first, last;
        size_t months;
    } cases[] = {
        {"2009", "10", "2009", "3", {}, {}, 0},  // end month earlier in the same year
        {"2026", "10", "2026", "3", {}, {}, 0},
        {"2010", "3", "2009", "11", {2009, 11, 1}, {2010, 3, 1}, 5},
        {"2009", "11", "2010", "3", {2009, 11, 1}, {2010, 3, 1}, 5},
        {"2026", "12", "2027", "1", {2026, 12, 1}, {2027, 1, 1}, 2},
        {"2026", "5", "2026", "5", {2026, 5, 1}, {2026, 5, 1}, 1},
    };
    for (const Case& c : cases) {
        MonthlyInput in = Range(c.yy, c.mm, c.yy2, c.mm2);
        in.monthDay = true;
        in.tuki = "1";
        const std::vector<WizardDate> got = MonthlyTargets(in);
        ASSERT_EQ(got.size(), c.months) << c.yy << "/" << c.mm;
        if (got.empty()) continue;
        EXPECT_EQ(got.front(), c.first);
        EXPECT_EQ(got.back(), c.last);
    }
}

TEST(WizardMonthly, WhatMustBeChosen) {
    auto base = [] {
        MonthlyInput in = Range("2026", "1", "2026", "3");
        in.weekly = true;
        in.weekday = 0;
        return in;
    };
    struct Case {
        std::function<void(MonthlyInput&)> change;
        bool complete;
    } cases[] = {
        {[](MonthlyInput&) {}, true},
        {[](MonthlyInput& i) { i.yy = ""; }, false},
        {[](MonthlyInput& i) { i.mm = ""; }, false},
        {[](MonthlyInput& i) { i.yy2 = ""; }, false},
        {[](MonthlyInput& i) { i.mm2 = ""; }, false},
        {[](MonthlyInput& i) { i.weekday = -1; }, false},
        {[](MonthlyInput& i) { i.weekly = false; }, false},  // no rule ticked
        {[](MonthlyInput& i) { i.text = ""; }, false},
        {[](MonthlyInput& i) { i.nth = true; }, false},
        {[](MonthlyInput& i) {
             i.nth = true;
             i.dai = "2";
         },
         false},
        {[](MonthlyInput& i) {
             i.nth = true;
             i.dai = "2";
             i.nthWeekday = 3;
         },
         true},
        {[](MonthlyInput& i) { i.monthDay = true; }, false},
        {[](MonthlyInput& i) {
             i.weekly = false;
             i.monthDay = true;
             i.tuki = "5";
         },
         true},
        // An unticked rule's empty boxes do not matter.
        {[](MonthlyInput& i) {
             i.dai = "";
             i.tuki = "";
         },
         true},
    };
    int row = 0;
    for (const Case& c : cases) {
        MonthlyInput in = base();
        c.change(in);
        EXPECT_EQ(MonthlyInputComplete(in), c.complete) << "row " << row;
        ++row;
    }
}

}  // namespace
