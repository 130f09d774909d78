#include "view_rows.h"

#include <gtest/gtest.h>

#include "cp932.h"

using namespace foundation;
using namespace schedule;

namespace {

INIT Plain() {
    INIT s;
    s.roku = 0;
    s.syuuNoDsp = 0;
    s.StYoubiNo = 0;
    s.wareki = 0;
    for (int w = 0; w < 7; ++w) s.YoubiTitleCol[w] = 0x100 + w;
    s.HolidayMojiCol = 0x200;
    s.uhori_color = 0x300;
    return s;
}

}  // namespace

TEST(ViewRows, Captions) {
    INIT s = Plain();
    EXPECT_EQ(MonthViewCaption(2004, 5, s), Sj("2004年 5月  月間予定表"));
    EXPECT_EQ(MonthViewCaption(812, 12, s), Sj("812年 12月  月間予定表"));
    EXPECT_EQ(YearViewCaption(2003, s), Sj("2003年 年間予定表"));
    s.wareki = 1;
    EXPECT_EQ(MonthViewCaption(2004, 5, s), Sj("平成16年 5月  月間予定表"));
    // The month view takes the era of the month's first day, the year view of 1 January.
    EXPECT_EQ(MonthViewCaption(2019, 5, s), Sj("令和1年 5月  月間予定表"));
    EXPECT_EQ(YearViewCaption(2019, s), Sj("平成31年 年間予定表"));
}

TEST(ViewRows, WhatAMemoStores) {
    const struct {
        const char* memo;
        uint8_t hasText;
        const char* text;
    } cases[] = {
        {"", 0, ""},           {" ", 0, ""},  // the filler of a cut-out box
        {" \r\n", 0, ""},                     // Enter in an empty box
        {" \r\n \r\n", 0, ""},                //
        {"　", 1, "　"},                      // a full-width blank is the user's own
        {" a ", 1, " a "},     {"@9:00 会議\r\n", 1, "@9:00 会議\r\n"},
    };
    for (const auto& c : cases) {
        uint8_t hasText = 9;
        std::string text = "old";
        StoreMemoText(Sj(c.memo), hasText, text);
        EXPECT_EQ(hasText, c.hasText) << c.memo;
        EXPECT_EQ(text, Sj(c.text)) << c.memo;
    }
}

TEST(ViewRows, NeighbouringMonthsStayInsideTheCalendar) {
    const struct {
        int y, m;
        bool prevOk;
        int py, pm;
        bool nextOk;
        int ny, nm;
    } cases[] = {
        {2004, 1, true, 2003, 12, true, 2004, 2},
        {2004, 12, true, 2004, 11, true, 2005, 1},
        {1, 1, false, 1, 1, true, 1, 2},
        {9999, 12, true, 9999, 11, false, 9999, 12},
    };
    for (const auto& c : cases) {
        int y = c.y, m = c.m;
        EXPECT_EQ(PrevMonthOf(y, m), c.prevOk);
        EXPECT_EQ(y * 100 + m, c.py * 100 + c.pm);
        y = c.y;
        m = c.m;
        EXPECT_EQ(NextMonthOf(y, m), c.nextOk);
        EXPECT_EQ(y * 100 + m, c.ny * 100 + c.nm);
    }
}

TEST(ViewRows, WheelSteps) {
    EXPECT_EQ(WheelUpPosition(100, 600), 0);
    EXPECT_EQ(WheelUpPosition(350, 600), 250);
    EXPECT_EQ(WheelDownPosition(0, 600), 100);
    EXPECT_EQ(WheelDownPosition(550, 600), 599);
    EXPECT_EQ(WheelDownPosition(0, 5), 0);  // a step of nothing
}
