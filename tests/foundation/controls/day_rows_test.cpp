#include "day_rows.h"

#include <gtest/gtest.h>

#include "cp932.h"

using namespace foundation;

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

YOTEI Day(const char* anniversary = "", uint8_t userHoliday = 0, uint8_t mark = 0) {
    YOTEI e;
    e.Anniversary = Sj(anniversary);
    e.UserHoliday = userHoliday;
    e.Mark = mark;
    return e;
}

}  // namespace

TEST(DayRowHeader, CaptionsAndColours) {
    struct Case {
        int y, m, d;
        uint8_t roku, week, first;
        YOTEI entry;
        const char* caption;
        uint32_t color;
        bool marked;
    } cases[] = {
        // 2004/5/3 is a Monday and a national holiday.
        {2004, 5, 3, 1, 1, 1, Day(), "5/3(月･大安･第19週)憲法記念日", 0x200, false},
        {2004, 5, 3, 0, 1, 1, Day(), "5/3(月 第19週)憲法記念日", 0x200, false},
        {2004, 5, 3, 0, 0, 1, Day("結婚記念日"), "5/3(月)憲法記念日,結婚記念日", 0x200, false},
        {2004, 5, 4, 0, 1, 1, Day(), "5/4(火)国民の休日", 0x200, false},
        {2004, 5, 6, 0, 0, 0, Day("誕生日"), "5/6(木)誕生日", 0x104, false},
        // The week number only on the first day of the user's week.
        {2004, 5, 2, 0, 1, 0, Day(), "5/2(日 第19週)", 0x100, false},
        {2004, 5, 2, 0, 1, 1, Day(), "5/2(日)", 0x100, false},
        // A first weekday read as 8 counts as Monday.
        {2004, 5, 10, 0, 1, 8, Day(), "5/10(月 第20週)", 0x101, false},
        // The user holiday colour wins over the holiday colour; the mark is the background.
        {2004, 5, 3, 0, 0, 0, Day("", 1, 1), "5/3(月)憲法記念日", 0x300, true},
        {2004, 5, 8, 0, 0, 0, Day("", 0, 7), "5/8(土)", 0x106, true},
        // Substitute holiday: 2006/1/1 was a Sunday.
        {2006, 1, 2, 0, 0, 0, Day(), "1/2(月)振替休日", 0x200, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        INIT s = Plain();
        s.roku = c.roku;
        s.syuuNoDsp = c.week;
        s.StYoubiNo = c.first;
        const DayRowHeader h = MakeDayRowHeader(c.y, c.m, c.d, c.entry, s);
        EXPECT_EQ(h.caption, Sj(c.caption));
        EXPECT_EQ(h.color, c.color);
        EXPECT_EQ(h.marked, c.marked);
    }
}

TEST(DayRows, MemoHeights) {
    const struct {
        int lines, px, height, enter;
    } cases[] = {
        {0, 12, 20, 32}, {1, 12, 20, 32}, {3, 12, 44, 56}, {5, 12, 68, 80}, {2, 13, 34, 47}};
    for (const auto& c : cases) {
        EXPECT_EQ(MemoHeight(c.lines, c.px), c.height) << c.lines;
        EXPECT_EQ(MemoHeightForEnter(c.lines, c.px), c.enter) << c.lines;
    }
}

TEST(DayRows, DayDetailsHeading) {
    INIT s = Plain();
    s.roku = 1;
    s.syuuNoDsp = 1;
    s.StYoubiNo = 1;
    EXPECT_EQ(DayDetailsHeading(2004, 5, 3, Sj("結婚記念日"), s),
              Sj("5/3(月･大安)憲法記念日,結婚記念日 の予定"));
    s.roku = 0;
    EXPECT_EQ(DayDetailsHeading(2004, 5, 6, "", s), Sj("5/6(木) の予定"));
    // Outside the rokuyo table nothing is added.
    s.roku = 1;
    EXPECT_EQ(DayDetailsHeading(2030, 5, 6, "", s), Sj("5/6(月)振替休日 の予定"));
}
