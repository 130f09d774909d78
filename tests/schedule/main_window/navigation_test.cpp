#include "navigation.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "clock.h"
#include "cp932.h"
#include "date_caption.h"
#include "date_time.h"
#include "fake_clock.h"
#include "fake_messages.h"
#include "globals.h"
#include "messages.h"
#include "program_test.h"
#include "schedule_store.h"
#include "temp_folder.h"

using namespace foundation;
using namespace schedule;

namespace {

class FakeView : public CalendarView {
  public:
    void ApplyLayout(const MonthLayout& l) override {
        layout = l;
        ++layouts;
        for (int k = 1; k <= 31; ++k) {
            if (l.days[k - 1].down) pressed = k;
        }
    }
    void ShowDateCaption(int y, int m, const std::string& w, int d) override {
        caption = DateCaptionText(y, m, d, w);
    }
    // Typing is an assignment to text; what the window was filled with counts as unedited.
    TextTake TakeDayText(std::string& t) override {
        if (refuse) return TextTake::Refused;
        if (text == filled) return TextTake::Unedited;
        t = filled = text;
        return TextTake::Taken;
    }
    void SetDayText(const std::string& t) override {
        text = filled = t;
        ++textWrites;
    }
    void SetDayStyle(int day, const FontStyle& s) override { styles[day] = s; }
    void SetDayMark(int day, bool on) override { marks[day] = on; }
    void PressDay(int day) override { pressed = day; }
    void FocusDayText() override { ++focuses; }
    bool DayWindowVisible() const override { return visible; }
    bool AskJumpTarget(std::string& y, std::string& m) override {
        ++jumpAsks;
        if (!jumpOk) return false;
        y = jumpYear;
        m = jumpMonth;
        return true;
    }
    void ParseTodayEvents(const std::string& t) override { parsed.push_back(t); }

    MonthLayout layout;
    int layouts = 0;
    std::string caption;
    std::string text, filled;
    bool refuse = false;  // the user goes back to the text as typed
    int textWrites = 0;
    std::map<int, FontStyle> styles;
    std::map<int, bool> marks;
    int pressed = 0;
    int focuses = 0;
    bool visible = true;
    int jumpAsks = 0;
    bool jumpOk = false;
    std::string jumpYear, jumpMonth;
    std::vector<std::string> parsed;  // today's texts given to the alarms
};

struct Date {
    int y, m, d;
    bool operator==(const Date&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Date& d) {
    return os << d.y << "/" << d.m << "/" << d.d;
}

class Navigation : public ProgramTest {
  protected:
    void SetUp() override {
        Settings.dat_Path = dat.Path();
        Settings.memo_path = memo.Path();
        clock.Set(2004, 5, 3, 9, 0);
    }

    Date Current() const { return {CurYear, CurMonth, CurDay}; }
    std::string SavedDay(int y, int m, int d) {
        std::string t;
        store::ReadDay(dat.Path(), y, m, d, t);
        return t;
    }
    bool MonthFileExists(int y, int m) {
        return platform::FileExists(MonthFileName(dat.Path(), y, m));
    }
    bool FolderEmpty() {
        for (int y = 2002; y <= 2006; ++y)
            for (int m = 1; m <= 12; ++m)
                if (MonthFileExists(y, m)) return false;
        return true;
    }

    TempFolder dat, memo;
    FakeClock clock;
    FakeView view;
    CalendarController calendar{view};
};

TEST_F(Navigation, MonthAndYearMovesKeepOrClampTheDay) {
    struct {
        Date from;
        bool (CalendarController::*move)();
        Date to;
    } const cases[] = {
        {{2004, 3, 31}, &CalendarController::PrevMonth, {2004, 2, 29}},
        {{2003, 3, 31}, &CalendarController::PrevMonth, {2003, 2, 28}},
        {{2004, 2, 29}, &CalendarController::YearForward, {2005, 2, 28}},
        {{2004, 2, 29}, &CalendarController::YearBack, {2003, 2, 28}},
        {{2004, 12, 15}, &CalendarController::NextMonth, {2005, 1, 15}},
        {{2005, 1, 15}, &CalendarController::PrevMonth, {2004, 12, 15}},
        {{2004, 1, 31}, &CalendarController::NextMonth, {2004, 2, 29}},
        {{2004, 5, 31}, &CalendarController::NextMonth, {2004, 6, 30}},
    };
    for (const auto& c : cases) {
        calendar.ShowMonth(c.from.y, c.from.m, c.from.d);
        view.text = "x";
        EXPECT_TRUE((calendar.*c.move)());
        EXPECT_EQ(Current(), c.to) << "from " << c.from;
        EXPECT_EQ(view.pressed, c.to.d);
        EXPECT_TRUE(MonthFileExists(c.from.y, c.from.m)) << "left month saved, from " << c.from;
    }
}

TEST_F(Navigation, MoveStoresTheDayTextBeforeSaving) {
    calendar.ShowMonth(2004, 3, 31);
    view.text = Sj("会議\r\n打合せ");
    int focuses = view.focuses;
    ASSERT_TRUE(calendar.PrevMonth());
    EXPECT_EQ(SavedDay(2004, 3, 31), Sj("会議\r\n打合せ"));
    EXPECT_EQ(view.text, "");  // February 29 has no text
    EXPECT_EQ(view.focuses, focuses + 1);
    EXPECT_EQ(view.caption, Sj("2004/2/29(日) "));
    // And the text comes back when the month is shown again.
    ASSERT_TRUE(calendar.NextMonth());
    EXPECT_EQ(Current(), (Date{2004, 3, 29}));
    calendar.SelectDay(31);
    EXPECT_EQ(view.text, Sj("会議\r\n打合せ"));
}

TEST_F(Navigation, DayMovesAcrossTheMonthEdgeSave) {
    calendar.ShowMonth(2004, 3, 1);
    view.text = Sj("一日");
    calendar.SelectPrevDay();  // Alt+Left on the 1st
    EXPECT_EQ(Current(), (Date{2004, 2, 29}));
    EXPECT_EQ(view.pressed, 29);
    EXPECT_EQ(SavedDay(2004, 3, 1), Sj("一日"));

    view.text = Sj("末日");
    calendar.SelectNextDay();  // Alt+Right on the last day
    EXPECT_EQ(Current(), (Date{2004, 3, 1}));
    EXPECT_EQ(SavedDay(2004, 2, 29), Sj("末日"));
    EXPECT_EQ(view.text, Sj("一日"));
}

TEST_F(Navigation, SelectingInsideTheMonthWritesNoFile) {
    calendar.ShowMonth(2004, 5, 10);
    Settings.yoAruDsp = 0;
    view.text = Sj("歯医者");
    calendar.SelectNextDay();
    EXPECT_EQ(Current(), (Date{2004, 5, 11}));
    EXPECT_EQ(view.pressed, 11);
    EXPECT_EQ(MonthDays[10].HasText, 1);
    EXPECT_EQ(MonthDays[10].Text, Sj("歯医者"));
    EXPECT_EQ(view.styles[10], (FontStyle{true, true, false}));
    EXPECT_EQ(view.caption, Sj("2004/5/11(火) "));

    view.text = "";  // an emptied day turns plain again
    calendar.SelectPrevDay();
    EXPECT_EQ(MonthDays[11].HasText, 0);
    EXPECT_EQ(view.styles[11], (FontStyle{false, true, false}));
    EXPECT_EQ(view.text, Sj("歯医者"));

    view.text = " ";  // blanks are text
    calendar.SelectDay(20);
    EXPECT_EQ(MonthDays[10].HasText, 1);
    EXPECT_EQ(MonthDays[10].Text, " ");
    EXPECT_TRUE(FolderEmpty());
}

TEST_F(Navigation, MarkToggleWritesNoFile) {
    calendar.ShowMonth(2004, 5, 10);
    calendar.ToggleMark();
    EXPECT_EQ(MonthDays[10].Mark, 1);
    EXPECT_TRUE(view.marks[10]);
    calendar.ToggleMark();
    EXPECT_EQ(MonthDays[10].Mark, 0);
    EXPECT_FALSE(view.marks[10]);
    MonthDays[10].Mark = 2;
    calendar.ToggleMark();
    EXPECT_EQ(MonthDays[10].Mark, 0);
    EXPECT_TRUE(FolderEmpty());
    // The mark reaches its file with the next save.
    calendar.ToggleMark();
    ASSERT_TRUE(calendar.NextMonth());
    std::string marks;
    ASSERT_TRUE(platform::ReadWholeFile(MarkFileName(dat.Path(), 2004, 5), marks));
    EXPECT_EQ(marks.substr(0, 27), "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    EXPECT_EQ(marks.substr(27, 3), "1\r\n");
}

TEST_F(Navigation, CalRefCountsEveryMarkAndPlainsEmptiedDays) {
    calendar.ShowMonth(2004, 5, 10);
    MonthDays[4].Mark = 2;
    MonthDays[5].HasText = 1;
    MonthDays[6].HasText = 0;
    Settings.yoAruDsp = 2;
    calendar.CalRef();
    EXPECT_TRUE(view.marks[4]);
    EXPECT_FALSE(view.marks[7]);
    EXPECT_EQ(view.styles[5], (FontStyle{true, true, true}));
    EXPECT_EQ(view.styles[6], (FontStyle{false, true, false}));
    EXPECT_EQ(view.styles.size(), 31u);
}

TEST_F(Navigation, JumpCancelWritesNothing) {
    calendar.ShowMonth(2004, 5, 31);
    view.text = Sj("未保存");
    view.jumpOk = false;
    EXPECT_FALSE(calendar.Jump());
    EXPECT_EQ(view.jumpAsks, 1);
    EXPECT_EQ(Current(), (Date{2004, 5, 31}));
    EXPECT_TRUE(FolderEmpty());
    EXPECT_EQ(view.text, Sj("未保存"));
}

TEST_F(Navigation, JumpConfirmedSavesAndClamps) {
    calendar.ShowMonth(2004, 5, 31);
    view.text = Sj("五月");
    view.jumpOk = true;
    view.jumpYear = "2005";
    view.jumpMonth = "6";
    EXPECT_TRUE(calendar.Jump());
    EXPECT_EQ(Current(), (Date{2005, 6, 30}));
    EXPECT_EQ(SavedDay(2004, 5, 31), Sj("五月"));
}

TEST_F(Navigation, JumpToNoMonthChangesNothing) {
    const std::pair<const char*, const char*> bad[] = {
        {"abc", "5"},   {"2004", "13"}, {"2004", "0"}, {"0", "5"},
        {"10000", "1"}, {"2004", ""},   {"", "5"},     {"2004", "-1"},
    };
    for (auto& [y, m] : bad) {
        calendar.ShowMonth(2004, 5, 31);
        view.text = Sj("そのまま");
        view.jumpOk = true;
        view.jumpYear = y;
        view.jumpMonth = m;
        EXPECT_FALSE(calendar.Jump()) << y << "/" << m;
        EXPECT_EQ(Current(), (Date{2004, 5, 31})) << y << "/" << m;
        EXPECT_EQ(view.text, Sj("そのまま"));
        EXPECT_TRUE(FolderEmpty()) << y << "/" << m;
    }
}

TEST_F(Navigation, NeighbourCellsMoveAcrossTheYear) {
    calendar.ShowMonth(2005, 1, 3);
    // The previous-month cell that shows 30 December.
    int tag = 0;
    for (auto& c : view.layout.prev)
        if (c.caption == "30") tag = c.tag;
    ASSERT_NE(tag, 0);
    view.text = "x";
    EXPECT_TRUE(calendar.GoToNeighbour(tag));
    EXPECT_EQ(Current(), (Date{2004, 12, 30}));
    EXPECT_TRUE(MonthFileExists(2005, 1));
    EXPECT_TRUE(calendar.GoToNeighbour(view.layout.next[1].tag));
    EXPECT_EQ(Current(), (Date{2005, 1, 2}));
}

TEST_F(Navigation, TodaySavesAndFocusesOnlyAVisibleDayWindow) {
    calendar.ShowMonth(2003, 8, 8);
    view.text = Sj("夏");
    view.visible = false;
    int focuses = view.focuses;
    EXPECT_TRUE(calendar.GoToToday());
    EXPECT_EQ(Current(), (Date{2004, 5, 3}));
    EXPECT_EQ(SavedDay(2003, 8, 8), Sj("夏"));
    EXPECT_EQ(view.focuses, focuses);
    view.visible = true;
    calendar.Navigate(kNavToday);
    EXPECT_EQ(view.focuses, focuses + 1);
}

TEST_F(Navigation, TodaysEventsAreParsedOnlyForToday) {
    const std::vector<std::string>& parsed = view.parsed;
    store::SaveMonth(dat.Path(), 2004, 5, [] {
        static YOTEI d[32];
        d[3].HasText = 1;
        d[3].Text = "@9:30 a";
        return d;
    }());
    calendar.ShowMonth(2004, 5, 2);
    EXPECT_TRUE(parsed.empty());
    calendar.ShowMonth(2004, 5, 3);
    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_EQ(parsed[0], "@9:30 a");
    calendar.SelectDay(4);
    calendar.SelectDay(3);
    EXPECT_EQ(parsed.size(), 1u);  // day selection does not parse again
}

TEST_F(Navigation, FailedSaveKeepsEverything) {
    FakeMessages messages;
    calendar.ShowMonth(2004, 3, 31);
    MonthDays[5].HasText = 1;
    MonthDays[5].Text = Sj("五日");
    Settings.dat_Path = dat.Path() + "/missing";
    struct {
        const char* label;
        std::function<bool()> move;
    } const moves[] = {
        {"prev month", [&] { return calendar.PrevMonth(); }},
        {"next month", [&] { return calendar.NextMonth(); }},
        {"year back", [&] { return calendar.YearBack(); }},
        {"year forward", [&] { return calendar.YearForward(); }},
        {"today", [&] { return calendar.GoToToday(); }},
        {"neighbour", [&] { return calendar.GoToNeighbour(view.layout.next[0].tag); }},
        {"jump",
         [&] {
             view.jumpOk = true;
             view.jumpYear = "2010";
             view.jumpMonth = "1";
             return calendar.Jump();
         }},
        {"next day across the edge",
         [&] {
             calendar.SelectNextDay();
             return CurMonth != 3;
         }},
    };
    for (const auto& m : moves) {
        view.text = Sj("編集中");
        view.pressed = 1;
        const int writes = view.textWrites;
        messages.shown.clear();
        EXPECT_FALSE(m.move()) << m.label;
        EXPECT_EQ(Current(), (Date{2004, 3, 31})) << m.label;
        EXPECT_EQ(view.text, Sj("編集中")) << m.label;
        EXPECT_EQ(view.textWrites, writes) << m.label;
        EXPECT_EQ(view.pressed, 31) << m.label;
        EXPECT_EQ(MonthDays[31].Text, Sj("編集中")) << m.label;
        EXPECT_EQ(MonthDays[5].Text, Sj("五日")) << m.label;
        ASSERT_EQ(messages.shown.size(), 1u) << m.label;
        EXPECT_EQ(messages.shown[0].text,
                  QString::fromUtf8("予定を格納するディレクトリが見つかりません。"));
    }
    // The user going back to the text as typed stops every move the same way, before any
    // file is written; selecting a day inside the month stays on the day.
    Settings.dat_Path = dat.Path();
    view.refuse = true;
    for (const auto& m : moves) {
        view.pressed = 1;
        messages.shown.clear();
        EXPECT_FALSE(m.move()) << m.label;
        EXPECT_EQ(Current(), (Date{2004, 3, 31})) << m.label;
        EXPECT_EQ(view.pressed, 31) << m.label;
        EXPECT_TRUE(messages.shown.empty()) << m.label;
    }
    view.pressed = 4;
    calendar.SelectDay(4);
    EXPECT_EQ(Current(), (Date{2004, 3, 31}));
    EXPECT_EQ(view.pressed, 31);
    EXPECT_TRUE(FolderEmpty());
    view.refuse = false;
    // Once the folder is back the edits reach the file.
    EXPECT_TRUE(calendar.PrevMonth());
    EXPECT_EQ(SavedDay(2004, 3, 31), Sj("編集中"));
    EXPECT_EQ(SavedDay(2004, 3, 5), Sj("五日"));
}

TEST_F(Navigation, MovesOutsideTheCalendarDoNothing) {
    calendar.ShowMonth(9999, 12, 5);
    EXPECT_FALSE(calendar.NextMonth());
    EXPECT_FALSE(calendar.YearForward());
    EXPECT_FALSE(calendar.GoToNeighbour(view.layout.next[0].tag));
    EXPECT_EQ(Current(), (Date{9999, 12, 5}));
    calendar.ShowMonth(1, 1, 5);
    EXPECT_FALSE(calendar.PrevMonth());
    EXPECT_FALSE(calendar.YearBack());
    EXPECT_FALSE(calendar.GoToNeighbour(view.layout.prev[0].tag));
    EXPECT_EQ(Current(), (Date{1, 1, 5}));
}

TEST_F(Navigation, ShowMonthIgnoresNoDatesAndClampsTheDay) {
    calendar.ShowMonth(2004, 2, 31);
    EXPECT_EQ(Current(), (Date{2004, 2, 29}));
    const int layouts = view.layouts;
    calendar.ShowMonth(2004, 13, 1);
    calendar.ShowMonth(0, 5, 1);
    EXPECT_EQ(view.layouts, layouts);
    EXPECT_EQ(Current(), (Date{2004, 2, 29}));
}

TEST_F(Navigation, NavigateCodes) {
    calendar.ShowMonth(2004, 5, 15);
    struct {
        int code;
        Date to;
    } const cases[] = {
        {2, {2004, 4, 15}}, {3, {2004, 5, 15}}, {4, {2003, 5, 15}},
        {5, {2004, 5, 15}}, {6, {2004, 5, 14}}, {7, {2004, 5, 15}},
        {0, {2004, 5, 15}}, {9, {2004, 5, 15}}, {1, {2004, 5, 3}},
    };
    for (auto& c : cases) {
        calendar.Navigate(c.code);
        EXPECT_EQ(Current(), c.to) << c.code;
    }
    view.jumpOk = false;
    calendar.Navigate(8);
    EXPECT_EQ(view.jumpAsks, 1);
}

TEST(KeyCommands, ExactModifiers) {
    const Qt::KeyboardModifiers C = Qt::ControlModifier, A = Qt::AltModifier, S = Qt::ShiftModifier,
                                N = Qt::NoModifier;
    struct {
        int key;
        Qt::KeyboardModifiers mods;
        int command;
    } const cases[] = {
        {Qt::Key_Home, C, kNavToday},
        {Qt::Key_Left, C, kNavPrevMonth},
        {Qt::Key_Right, C, kNavNextMonth},
        {Qt::Key_Up, C, kNavYearBack},
        {Qt::Key_Down, C, kNavYearForward},
        {Qt::Key_Left, A, kNavPrevDay},
        {Qt::Key_Right, A, kNavNextDay},
        {Qt::Key_Left, C | S, 0},
        {Qt::Key_Right, A | S, 0},
        {Qt::Key_Left, C | A, 0},
        {Qt::Key_Left, N, 0},
        {Qt::Key_Home, N, 0},
        {Qt::Key_Up, A, 0},
        {Qt::Key_Home, A, 0},
        {Qt::Key_F1, N, kKeyHelp},
        {Qt::Key_F1, C | S, kKeyHelp},
        {Qt::Key_F1, A, kKeyHelp},
        {Qt::Key_Left, C | Qt::KeypadModifier, kNavPrevMonth},
        {Qt::Key_Left, C | Qt::MetaModifier, 0},
    };
    for (auto& c : cases)
        EXPECT_EQ(KeyCommandFor(c.key, c.mods), c.command) << c.key << " " << c.mods.toInt();
}

TEST(HeaderSounds, ByColumn) {
    const char* const names[7] = {"a.wav",   "soko.wav", "a.wav", "soko.wav",
                                  "arr.wav", "soko.wav", "a.wav"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(HeaderSoundName(i), names[i]) << i;
}

}  // namespace
