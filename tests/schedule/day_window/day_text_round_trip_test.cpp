// A day text of one very long line goes from the month file through the day window and back
// byte for byte.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QStyleHints>

#include "cp932.h"
#include "day_text_memo.h"
#include "day_window.h"
#include "exit_notice.h"
#include "globals.h"
#include "program_test.h"
#include "records.h"
#include "schedule_store.h"
#include "start_notice.h"
#include "temp_folder.h"

using namespace foundation;
using namespace schedule;

namespace {

// One line of `bytes` bytes mixing full-width, half-width katakana and ASCII; a lead byte
// never ends up cut.
std::string LongLine(size_t bytes) {
    const std::string unit = Sj("あいう予定ｱｲｳ abc|\\表");
    std::string out;
    out.reserve(bytes + unit.size());
    while (out.size() < bytes) out += unit;
    return out;
}

class DayTextRoundTrip : public ProgramTest {
  protected:
    TempFolder dat;
};

TEST_F(DayTextRoundTrip, MegabyteLineThroughTheDayWindowAndBack) {
    YOTEI days[32];
    days[9].Text = LongLine(1 << 20) + "\r\n" + Sj("次の行") + "\r\n" + LongLine(5000);
    days[9].HasText = 1;
    ASSERT_TRUE(store::SaveMonth(dat.Path(), 2026, 12, days));
    const std::string before = dat.Read("202612.yo2");

    YOTEI loaded[32];
    ASSERT_TRUE(store::LoadMonth(dat.Path(), "", 2026, 12, loaded));
    ASSERT_EQ(loaded[9].Text, days[9].Text);
    TfrYo3 day;
    day.show();
    day.SetMemoText(loaded[9].Text);
    QApplication::processEvents();
    loaded[9].Text = day.MemoText();
    EXPECT_EQ(loaded[9].Text.size(), days[9].Text.size());
    EXPECT_TRUE(loaded[9].Text == days[9].Text);
    ASSERT_TRUE(store::SaveMonth(dat.Path(), 2026, 12, loaded));
    EXPECT_TRUE(dat.Read("202612.yo2") == before);
}

// The window keeps a text it already shows; any other text, even one of the same length
// that differs in one character, replaces it.
TEST_F(DayTextRoundTrip, SameTextKeptOtherTextReplaced) {
    TfrYo3 day;
    const std::string text = LongLine(4000) + "\r\n" + Sj("予定");
    day.SetMemoText(text);
    day.tx_yo->moveCursor(QTextCursor::End);
    const int end = day.tx_yo->textCursor().position();
    day.SetMemoText(text);
    EXPECT_EQ(day.tx_yo->textCursor().position(), end);  // untouched
    EXPECT_EQ(day.MemoText(), text);

    const std::string other = text.substr(0, text.size() - 2) + Sj("日");  // last character
    ASSERT_EQ(other.size(), text.size());
    day.SetMemoText(other);
    EXPECT_EQ(day.MemoText(), other);
    day.SetMemoText("");
    EXPECT_EQ(day.MemoText(), "");
    EXPECT_TRUE(day.tx_yo->toPlainText().isEmpty());
}

// A caret blinking in a line of a megabyte would lay the line out twice a second: it stays
// steady while such a day is shown, and blinks again with the next ordinary day.
TEST_F(DayTextRoundTrip, CaretSteadyOnlyWhileALongLineIsShown) {
    QStyleHints* hints = QGuiApplication::styleHints();
    const int blinking = hints->cursorFlashTime();
    ASSERT_GT(blinking, 0);
    {
        TfrYo3 day;
        day.SetMemoText(Sj("予定\r\n") + LongLine(70000));
        EXPECT_EQ(hints->cursorFlashTime(), 0);
        day.SetMemoText(Sj("予定\r\n") + LongLine(1000));
        EXPECT_EQ(hints->cursorFlashTime(), blinking);
        day.SetMemoText(LongLine(70000));
    }
    EXPECT_EQ(hints->cursorFlashTime(), blinking);  // a closed window leaves no trace
}

// The notices get the day's text while hidden; whichever way it is asked for or shown, it is
// the whole text, and a later text replaces it.
TEST_F(DayTextRoundTrip, LongLineThroughTheNotices) {
    const std::string huge = LongLine(1 << 20) + "\r\n" + Sj("末尾");
    {
        TfrYotei notice;
        notice.SetMemoText(huge);
        EXPECT_TRUE(notice.MemoText() == huge);
        notice.show();
        EXPECT_TRUE(MemoPlainText(notice.tx_yo) == huge);
        notice.done(TfrYotei::kResultNone);
        EXPECT_TRUE(TodayScheduleText == huge);
    }
    {
        TfrYotei notice;
        notice.SetMemoText(huge);
        notice.SetMemoText(Sj("短い予定"));
        EXPECT_EQ(notice.MemoText(), Sj("短い予定"));
        notice.show();
        EXPECT_EQ(MemoPlainText(notice.tx_yo), Sj("短い予定"));
        notice.done(TfrYotei::kResultNone);
    }
    {
        Tfryotei2 notice;
        notice.SetToday(12, 9, huge);
        notice.SetTomorrow(12, 10, Sj("明日"));
        notice.show();
        EXPECT_TRUE(MemoPlainText(notice.tx_yo) == huge);
        EXPECT_EQ(MemoPlainText(notice.tx_yo2), Sj("明日"));
        notice.done(Tfryotei2::kResultNone);
    }
}

}  // namespace
