#include "vr_scal.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "cp932.h"
#include "globals.h"
#include "program_test.h"
#include "temp_folder.h"

using namespace foundation;

namespace {

INIT Colours(int firstWeekday) {
    INIT s;
    s.StYoubiNo = static_cast<uint8_t>(firstWeekday);
    for (int w = 0; w < 7; ++w) s.YoubiTitleCol[w] = 0x100 + w;
    s.HolidayMojiCol = 0x200;
    s.uhori_color = 0x300;
    return s;
}

// Labels of 12 x 14 pixels: cells of 14 x 16, columns 15 apart from left 2.
constexpr int kW = 12, kH = 14;
int Column(int c) { return 2 + 15 * (c - 1); }
constexpr int kFirstRowTop = 12 + 16 + 2;

}  // namespace

TEST(MiniCalendarLayout, WeekdayHeadersFollowTheFirstWeekday) {
    const struct {
        int first;
        const char* names[7];
        uint32_t colours[7];
    } cases[] = {
        {0,
         {"日", "月", "火", "水", "木", "金", "土"},
         {0x100, 0x101, 0x102, 0x103, 0x104, 0x105, 0x106}},
        {1,
         {"月", "火", "水", "木", "金", "土", "日"},
         {0x101, 0x102, 0x103, 0x104, 0x105, 0x106, 0x100}},
        {9,
         {"火", "水", "木", "金", "土", "日", "月"},
         {0x102, 0x103, 0x104, 0x105, 0x106, 0x100, 0x101}},
    };
    YOTEI days[32];
    for (const auto& c : cases) {
        const MiniCalendarLayout l = LayOutMiniMonth(2004, 5, kW, kH, days, Colours(c.first));
        for (int i = 1; i <= 7; ++i) {
            SCOPED_TRACE(testing::Message() << c.first << " column " << i);
            EXPECT_EQ(l.weekdays[i].caption, Sj(c.names[i - 1]));
            EXPECT_EQ(l.weekdays[i].color, c.colours[i - 1]);
            EXPECT_EQ(l.weekdays[i].tag, i);
            EXPECT_EQ(l.weekdays[i].left, Column(i));
            EXPECT_EQ(l.weekdays[i].top, 12);
            EXPECT_EQ(l.weekdays[i].width, 14);
            EXPECT_EQ(l.weekdays[i].height, 16);
        }
        EXPECT_EQ(l.caption, Sj("5月"));
        EXPECT_EQ(l.frameWidth, 7 * 14 + 10);
        EXPECT_EQ(l.frameHeight, 7 * 16 + 14);
    }
}

TEST(MiniCalendarLayout, DaysInWeekRows) {
    const struct {
        int y, m, first;
        int day, column, row;
        bool visible;
    } cases[] = {
        // May 2004 starts on a Saturday: last column, six rows.
        {2004, 5, 0, 1, 7, 0, true},
        {2004, 5, 0, 2, 1, 1, true},
        {2004, 5, 0, 31, 2, 5, true},
        {2004, 5, 1, 1, 6, 0, true},
        {2004, 5, 1, 3, 1, 1, true},
        // August 2004 starts on a Sunday: first column.
        {2004, 8, 0, 1, 1, 0, true},
        {2004, 8, 0, 31, 3, 4, true},
        // Leap February shows 29 days.
        {2004, 2, 0, 29, 1, 4, true},
        {2004, 2, 0, 30, 0, 0, false},
        {2003, 2, 0, 29, 0, 0, false},
    };
    YOTEI days[32];
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.y << "/" << c.m << "/" << c.day << " first " << c.first);
        const MiniCalendarLayout l = LayOutMiniMonth(c.y, c.m, kW, kH, days, Colours(c.first));
        const MiniCalendarLayout::Label& d = l.days[c.day];
        EXPECT_EQ(d.visible, c.visible);
        if (!c.visible) continue;
        EXPECT_EQ(d.left, Column(c.column));
        EXPECT_EQ(d.top, kFirstRowTop + 16 * c.row);
        EXPECT_EQ(d.width, 14);
        EXPECT_EQ(d.height, 16);
    }
}

TEST(MiniCalendarLayout, DayTextsColoursMarksAndTags) {
    YOTEI days[32];
    days[3].UserHoliday = 1;
    days[3].Mark = 1;
    days[8].Mark = 2;
    days[9].UserHoliday = 1;
    const MiniCalendarLayout l = LayOutMiniMonth(2004, 5, kW, kH, days, Colours(0));
    const struct {
        int day;
        const char* caption;
        uint32_t color;
        bool marked;
    } cases[] = {
        {1, " 1", 0x106, false}, {2, " 2", 0x100, false},  {3, " 3", 0x300, true},
        {4, " 4", 0x200, false}, {6, " 6", 0x104, false},  {8, " 8", 0x106, true},
        {9, " 9", 0x300, false}, {31, "31", 0x101, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.day);
        EXPECT_EQ(l.days[c.day].caption, c.caption);
        EXPECT_EQ(l.days[c.day].color, c.color);
        EXPECT_EQ(l.days[c.day].marked, c.marked);
    }
    EXPECT_EQ(l.days[1].tag, 38108);  // 2004/5/1 as a day number
    EXPECT_EQ(l.days[31].tag, 38138);
}

TEST(MiniCalendar, ShowingAMonthLoadsItAndMovesTheDate) {
    const FreshGlobals fresh;
    TempFolder dat;
    Settings.dat_Path = dat.Path();
    Settings.memo_path = dat.Path();
    std::string marks;
    for (int d = 1; d <= 31; ++d) marks += d == 10 ? "1\r\n" : "0\r\n";
    dat.Write("200406.mkf", marks);

    TVr_SCAL unbuilt;
    unbuilt.ShowMonth(2004, 6);
    unbuilt.SetPos(5, 5);
    EXPECT_EQ(CurYear, 0);  // nothing before Build

    QWidget window;
    TVr_SCAL cal;
    std::vector<int> pressed;
    QObject::connect(&cal, &TVr_SCAL::dayMouseDown, [&](int tag) { pressed.push_back(tag); });
    CurDay = 17;
    cal.Build(&window, 2004, 6);
    EXPECT_EQ(CurYear, 2004);
    EXPECT_EQ(CurMonth, 6);
    EXPECT_EQ(CurDay, 1);
    EXPECT_EQ(MonthDays[10].Mark, 1);
    EXPECT_EQ(cal.Days, 30);
    EXPECT_EQ(cal.Frame->title(), QString::fromUtf8("6月"));
    EXPECT_TRUE(cal.DayLabels[10]->autoFillBackground());
    EXPECT_FALSE(cal.DayLabels[11]->autoFillBackground());
    EXPECT_TRUE(cal.DayLabels[31]->isHidden());
    EXPECT_EQ(cal.Frame->width(), 7 * (cal.LabelWidth + 2) + 10);

    cal.SetPos(40, 50);
    EXPECT_EQ(cal.Frame->pos(), QPoint(40, 50));
    cal.ShowMonth(2004, 7);
    EXPECT_EQ(CurMonth, 7);
    EXPECT_FALSE(cal.DayLabels[31]->isHidden());
    EXPECT_FALSE(cal.DayLabels[10]->autoFillBackground());

    window.show();
    QTest::mouseClick(cal.DayLabels[4], Qt::RightButton);
    ASSERT_EQ(pressed.size(), 1u);
    EXPECT_EQ(pressed[0], 38172);  // 2004/7/4
}
