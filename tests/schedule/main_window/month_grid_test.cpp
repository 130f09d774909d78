#include "month_grid.h"

#include <gtest/gtest.h>

#include "cp932.h"
#include "date_time.h"

using namespace foundation;
using namespace schedule;

namespace {

struct GridFixture : ::testing::Test {
    INIT settings;
    YOTEI days[32];
    void SetUp() override {
        for (int w = 0; w < 7; ++w) settings.YoubiTitleCol[w] = 0x10 + w;
        settings.HolidayMojiCol = 0x100;
        settings.uhori_color = 0x200;
        settings.yoAruDsp = 0;
    }
    // Position of the n-th placed cell counted from the grid's first cell.
    static int LeftAt(int p) { return 16 + 24 * (p % 7); }
    static int TopAt(int p) { return 32 + 16 * (p / 7); }
};

struct StartCase {
    int year, month, weekdayOfFirst, daysInMonth;
};

class MonthStarts : public GridFixture, public ::testing::WithParamInterface<StartCase> {};

TEST_P(MonthStarts, CellsFollowTheFirstWeekday) {
    const StartCase c = GetParam();
    for (int start = 0; start < 2; ++start) {
        settings.StYoubiNo = start;
        MonthLayout l = LayOutMonth(c.year, c.month, 1, days, settings);
        int column = c.weekdayOfFirst - start;
        if (column < 0) column += 7;
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(l.prev[i].left, LeftAt(column + i)) << c.month << " prev " << i;
            EXPECT_EQ(l.prev[i].top, TopAt(column + i)) << c.month << " prev " << i;
        }
        for (int k = 1; k <= 31; ++k) {
            const CellLayout& d = l.days[k - 1];
            EXPECT_EQ(d.visible, k <= c.daysInMonth) << c.month << " day " << k;
            EXPECT_EQ(d.tag, k - 1);
            if (!d.visible) continue;
            EXPECT_EQ(d.left, LeftAt(column + 6 + k)) << c.month << " day " << k;
            EXPECT_EQ(d.top, TopAt(column + 6 + k)) << c.month << " day " << k;
            EXPECT_EQ(d.caption, std::to_string(k));
            EXPECT_TRUE(d.hint.empty());
        }
        // The next month's cells follow the last day directly.
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(l.next[i].left, LeftAt(column + 7 + c.daysInMonth + i));
            EXPECT_EQ(l.next[i].top, TopAt(column + 7 + c.daysInMonth + i));
            EXPECT_EQ(l.next[i].caption, std::to_string(i + 1));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWeekday, MonthStarts,
                         ::testing::Values(StartCase{2004, 2, 0, 29}, StartCase{2004, 3, 1, 31},
                                           StartCase{2004, 6, 2, 30}, StartCase{2004, 9, 3, 30},
                                           StartCase{2004, 1, 4, 31}, StartCase{2004, 10, 5, 31},
                                           StartCase{2004, 5, 6, 31}, StartCase{2003, 2, 6, 28},
                                           StartCase{2004, 4, 4, 30}));

TEST_F(GridFixture, FirstOnFirstWeekdayOpensTheSecondRow) {
    MonthLayout l = LayOutMonth(2004, 2, 1, days, settings);  // Sunday the 1st
    EXPECT_EQ(l.prev[0].left, 16);
    EXPECT_EQ(l.prev[6].left, 160);
    EXPECT_EQ(l.prev[6].top, 32);
    EXPECT_EQ(l.days[0].left, 16);
    EXPECT_EQ(l.days[0].top, 48);
}

TEST_F(GridFixture, ThirtyOneDaysFromTheLastColumnUseEightRows) {
    MonthLayout l = LayOutMonth(2004, 5, 1, days, settings);  // Saturday the 1st
    EXPECT_EQ(l.days[30].top, 128);
    EXPECT_EQ(l.next[6].top, 144);
    EXPECT_EQ(l.next[6].left, 16 + 24);
    EXPECT_LT(l.next[6].top + grid::kCellHeight, 168 + 1);  // above the navigation row
}

TEST_F(GridFixture, HeaderFollowsTheFirstWeekday) {
    const char* const sunday[7] = {"日", "月", "火", "水", "木", "金", "土"};
    const char* const monday[7] = {"月", "火", "水", "木", "金", "土", "日"};
    settings.StYoubiNo = 0;
    MonthLayout a = LayOutMonth(2004, 5, 1, days, settings);
    settings.StYoubiNo = 1;
    MonthLayout b = LayOutMonth(2004, 5, 1, days, settings);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(a.header[i].caption, Sj(sunday[i]));
        EXPECT_EQ(a.header[i].color, 0x10u + i);
        EXPECT_EQ(b.header[i].caption, Sj(monday[i]));
        EXPECT_EQ(b.header[i].color, 0x10u + (i + 1) % 7);
    }
    // Sunday's cells move to the last column.
    EXPECT_EQ(b.days[1].left, 160);  // 2 May 2004 is a Sunday
}

TEST_F(GridFixture, ColourPrecedence) {
    days[3].UserHoliday = 1;   // 憲法記念日 and a user holiday
    days[11].UserHoliday = 1;  // a plain Tuesday
    MonthLayout l = LayOutMonth(2004, 5, 1, days, settings);
    struct {
        int day;
        uint32_t color;
    } const cases[] = {
        {1, 0x16},   // Saturday
        {2, 0x10},   // Sunday
        {3, 0x200},  // user holiday beats national holiday
        {5, 0x100},  // こどもの日 on a Wednesday
        {6, 0x14},   // Thursday
        {11, 0x200},
    };
    for (auto& c : cases) EXPECT_EQ(l.days[c.day - 1].color, c.color) << c.day;

    MonthLayout jan = LayOutMonth(2006, 1, 1, days, settings);
    EXPECT_EQ(jan.days[1].color, 0x100u);  // substitute holiday after Sunday 1 January 2006
}

TEST_F(GridFixture, HintsAndTagsOfNeighbourCells) {
    MonthLayout l = LayOutMonth(2004, 5, 3, days, settings);
    EXPECT_EQ(l.prev[0].hint, Sj(" 4月24日へ"));
    EXPECT_EQ(l.prev[6].hint, Sj(" 4月30日へ"));
    EXPECT_EQ(l.prev[0].caption, "24");
    EXPECT_EQ(l.next[0].hint, Sj(" 6月 1日へ"));
    EXPECT_EQ(l.next[6].hint, Sj(" 6月 7日へ"));
    EXPECT_EQ(l.prev[0].tag, static_cast<int>(EncodeDate(2004, 4, 24)));
    EXPECT_EQ(l.next[6].tag, static_cast<int>(EncodeDate(2004, 6, 7)));

    MonthLayout dec = LayOutMonth(2004, 12, 1, days, settings);
    EXPECT_EQ(dec.next[0].hint, Sj(" 1月 1日へ"));
    EXPECT_EQ(dec.next[0].tag, static_cast<int>(EncodeDate(2005, 1, 1)));
    MonthLayout jan = LayOutMonth(2005, 1, 1, days, settings);
    EXPECT_EQ(jan.prev[0].hint, Sj("12月25日へ"));
    EXPECT_EQ(jan.prev[6].tag, static_cast<int>(EncodeDate(2004, 12, 31)));
    MonthLayout mar = LayOutMonth(2004, 3, 1, days, settings);
    EXPECT_EQ(mar.prev[6].hint, Sj(" 2月29日へ"));
}

TEST_F(GridFixture, MarksDownCellAndStyles) {
    days[4].Mark = 2;  // any non-zero mark counts
    days[5].Mark = 1;
    days[7].HasText = 1;
    settings.yoAruDsp = 1;
    MonthLayout l = LayOutMonth(2004, 5, 8, days, settings);
    EXPECT_TRUE(l.days[3].marked);
    EXPECT_TRUE(l.days[4].marked);
    EXPECT_FALSE(l.days[6].marked);
    for (int k = 1; k <= 31; ++k) EXPECT_EQ(l.days[k - 1].down, k == 8) << k;
    EXPECT_EQ(l.days[6].style, (FontStyle{false, true, true}));
    EXPECT_EQ(l.days[5].style, (FontStyle{false, true, false}));
}

TEST(DayFontStyle, ByTextAndSetting) {
    struct {
        uint8_t hasText;
        int yoAruDsp;
        FontStyle style;
    } const cases[] = {
        {0, 0, {false, true, false}}, {0, 2, {false, true, false}}, {2, 0, {false, true, false}},
        {1, 0, {true, true, false}},  {1, 1, {false, true, true}},  {1, 2, {true, true, true}},
        {1, 255, {true, true, true}},
    };
    for (auto& c : cases) {
        EXPECT_EQ(DayFontStyle(c.hasText, c.yoAruDsp), c.style) << int(c.hasText) << c.yoAruDsp;
    }
}

}  // namespace
