#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "cp932.h"
#include "date_time.h"
#include "exit_notice.h"
#include "fake_clock.h"
#include "fake_messages.h"
#include "fake_sound.h"
#include "globals.h"
#include "program_test.h"
#include "start_notice.h"

using namespace foundation;
using namespace schedule;

namespace {

void Key(QWidget* target, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
         const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(target, &release);
}

class Notices : public ProgramTest {
  protected:
    void SetUp() override {
        BaseDir = "/home/u/.local/share/kolvane";
        AppDir = "/opt/kv";
        Settings.oto = 0;
        Settings.name = Sj("山田");
        CurMonth = 5;
        CurDay = 1;
        clock.Set(2004, 5, 1, 9, 0, 0);
    }

    FakeClock clock;
    FakeSound sound;
    FakeMessages messages;
};

// --- the show rules ---

struct RuleCase {
    const char* what;
    bool iniExists;
    long long secondsAgo;  // the last start or exit, before now (negative: after now)
    int ageDays;
    bool expected;
};

TEST_F(Notices, StartAndExitRulesAtTheirBoundaries) {
    const RuleCase cases[] = {
        {"exactly 3 minutes", true, 180, 0, false},
        {"3 minutes and 1 second", true, 181, 0, true},
        {"2 minutes 59 seconds", true, 179, 0, false},
        {"3 minutes 1 second ahead (clock set back)", true, -181, 0, true},
        {"a day old file, recent start", true, 10, 1, true},
        {"old file, recent start", true, 10, 7, true},
        {"file age unknown", true, 10, -1, false},
        {"never started (0)", true, 0x7fffffff, 0, true},
        {"no settings file, long ago", false, 3600, 0, false},
        {"no settings file, old", false, 3600, 5, false},
    };
    for (const auto& c : cases) {
        TDateTime last = Now() - static_cast<double>(c.secondsAgo) / 86400.0;
        if (c.secondsAgo == 0x7fffffff) last = 0;
        EXPECT_EQ(ShouldShowStartNotice(c.iniExists, last, c.ageDays), c.expected) << c.what;
        EXPECT_EQ(ShouldShowExitNotice(c.iniExists, last, c.ageDays), c.expected) << c.what;
    }
}

TEST_F(Notices, ExactlyThreeMinutesAtOddSecondsIsNotMore) {
    // Day fractions of these moments are not exact in binary; the rule must still hold.
    for (int s = 0; s < 60; ++s) {
        clock.Set(2024, 2, 29, 23, 58, s, 0);
        const TDateTime now = Now();
        clock.Advance(180000);
        EXPECT_FALSE(ShouldShowStartNotice(true, now, 0)) << s;
        EXPECT_FALSE(ShouldShowExitNotice(true, now, 0)) << s;
        clock.Advance(1000);
        EXPECT_TRUE(ShouldShowStartNotice(true, now, 0)) << s;
    }
}

TEST(ExitNoticeRules, IntervalAndCaptions) {
    EXPECT_EQ(ExitNoticeInterval(0), 60000);
    EXPECT_EQ(ExitNoticeInterval(15000), 15000);
    EXPECT_EQ(ExitNoticeInterval(1), 1);
    EXPECT_EQ(TodayNoticeCaption(5, 1), U("今日(5月1日)の予定は、"));
    EXPECT_EQ(TomorrowNoticeCaption(12, 31), U("明日(12月31日)の予定は、"));
}

// --- greeting ---

struct GreetCase {
    int hour, minute;
    const char* words;
    const char* wav;
};

const GreetCase kGreetings[] = {
    {0, 0, "こんばんは。", "yoru.wav"},        {4, 59, "こんばんは。", "yoru.wav"},
    {5, 0, "おはようございます。", "asa.wav"}, {10, 59, "おはようございます。", "asa.wav"},
    {11, 0, "こんにちは。", "hiru.wav"},       {16, 59, "こんにちは。", "hiru.wav"},
    {17, 0, "こんばんは。", "yoru.wav"},       {23, 59, "こんばんは。", "yoru.wav"},
};

TEST_F(Notices, BothNoticesGreetByTheHourAndPlayTheVoice) {
    for (const auto& c : kGreetings) {
        clock.Set(2004, 5, 1, c.hour, c.minute, 30);
        sound.async.clear();
        TfrYotei start;
        start.show();
        EXPECT_EQ(start.lb_ai->text(), U("山田さん、") + U(c.words)) << c.hour << ":" << c.minute;
        ASSERT_EQ(sound.async.size(), 1u);
        EXPECT_EQ(sound.async[0], std::string("/opt/kv/") + c.wav);
        start.done(0);

        sound.async.clear();
        Tfryotei2 exit;
        exit.show();
        EXPECT_EQ(exit.lb_ai->text(), U("山田さん、") + U(c.words));
        ASSERT_EQ(sound.async.size(), 1u);
        EXPECT_EQ(sound.async[0], std::string("/opt/kv/") + c.wav);
        exit.done(0);
    }
    EXPECT_TRUE(sound.sync.empty());
}

TEST_F(Notices, GreetingVoiceOnlyWhenSoundsAreOn) {
    const struct {
        uint8_t oto;
        size_t played;
    } cases[] = {{0, 1}, {1, 0}, {2, 1}};
    for (const auto& c : cases) {
        Settings.oto = c.oto;
        sound.async.clear();
        TfrYotei start;
        start.show();
        EXPECT_EQ(sound.async.size(), c.played) << int(c.oto);
        start.done(0);
        Tfryotei2 exit;
        exit.show();
        EXPECT_EQ(sound.async.size(), 2 * c.played) << int(c.oto);
        exit.done(0);
    }
}

TEST_F(Notices, EmptyNameStillGreets) {
    Settings.name.clear();
    clock.Set(2004, 5, 1, 20, 0, 0);
    TfrYotei start;
    start.show();
    EXPECT_EQ(start.lb_ai->text(), U("さん、こんばんは。"));
}

TEST_F(Notices, GreetingFocusesTheOkButton) {
    TfrYotei start;
    start.show();
    EXPECT_EQ(start.focusWidget(), start.bt_yes);
}

// --- the start notice ---

TEST_F(Notices, StartNoticeTextsAndFrame) {
    TfrYotei w;
    EXPECT_EQ(frYotei, &w);
    EXPECT_EQ(w.windowTitle(), U("今日の予定"));
    EXPECT_EQ(w.ti->text(), U("今日の予定は、"));
    EXPECT_EQ(w.Label1->text(), U("となっております。 よろしく御願いします。"));
    EXPECT_EQ(w.bt_yes->text(), U("了解"));
    EXPECT_TRUE(w.pic1->text().isEmpty());
    EXPECT_FALSE(w.tx_yo->isReadOnly());
    for (QLabel* l : {w.lb_ai, w.ti, w.Label1}) EXPECT_TRUE(l->font().bold());
    EXPECT_EQ(w.tx_yo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(w.tx_yo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(w.tm1->Interval(), 0);
}

TEST_F(Notices, StartNoticeTitlesTheShownDate) {
    const struct {
        int month, day;
        const char* text;
    } cases[] = {
        {5, 1, "5 月1日の予定は、"}, {12, 31, "12 月31日の予定は、"}, {1, 9, "1 月9日の予定は、"}};
    TfrYotei w;
    for (const auto& c : cases) {
        CurMonth = c.month;
        CurDay = c.day;
        w.ti->setText(U("opener's words"));
        w.show();
        EXPECT_EQ(w.ti->text(), U(c.text));
        w.done(0);
    }
}

TEST_F(Notices, MemoHoldsLfAndHandsBackCrLfCp932) {
    TfrYotei w;
    const std::string text = Sj("@9:00 会議\r\nﾃｽﾄ\r\n表示");
    w.SetMemoText(text);
    EXPECT_EQ(w.tx_yo->toPlainText(), U("@9:00 会議\nﾃｽﾄ\n表示"));
    EXPECT_EQ(w.MemoText(), text);
}

// Every way out hands the memo's text back; only the button answers O.K.
TEST_F(Notices, EveryCloseHandsTheEditedTextBack) {
    enum Way { Button, Escape, TitleBar, AutoClose };
    const struct {
        Way way;
        int result;
    } cases[] = {{Button, 1}, {Escape, 0}, {TitleBar, 0}, {AutoClose, 0}};
    for (const auto& c : cases) {
        TodayScheduleText = "stale";
        TfrYotei w;
        w.SetMemoText(Sj("予定\r\n"));
        w.tm1->SetInterval(15000);
        w.show();
        w.tx_yo->setPlainText(U("予定\n追加"));
        switch (c.way) {
            case Button:
                w.bt_yes->click();
                break;
            case Escape:
                Key(w.tx_yo, Qt::Key_Escape);
                break;
            case TitleBar:
                w.close();
                break;
            case AutoClose:
                clock.Advance(15000);
                break;
        }
        EXPECT_FALSE(w.isVisible()) << c.way;
        EXPECT_EQ(w.result(), c.result) << c.way;
        EXPECT_EQ(TodayScheduleText, Sj("予定\r\n追加")) << c.way;
        EXPECT_EQ(w.tm1->Interval(), 0) << c.way;
    }
}

TEST_F(Notices, EmptyMemoHandsBackEmptyText) {
    TodayScheduleText = "old";
    TfrYotei w;
    w.show();
    w.bt_yes->click();
    EXPECT_EQ(TodayScheduleText, "");
}

TEST_F(Notices, AutoCloseWaitsForItsTime) {
    TfrYotei w;
    w.tm1->SetInterval(15000);
    w.show();
    clock.Advance(14999);
    EXPECT_TRUE(w.isVisible());
    clock.Advance(1);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(Notices, IntervalZeroNeverClosesByItself) {
    TfrYotei w;
    w.tm1->SetInterval(0);
    w.show();
    clock.Advance(24LL * 3600 * 1000);
    EXPECT_TRUE(w.isVisible());
}

// Closed by the button before its time, the start notice must not close the next showing
// (the enlarged day view, which sets no time) with the rest of the old one.
TEST_F(Notices, LeftoverAutoCloseDoesNotCloseTheNextShowing) {
    TfrYotei w;
    w.tm1->SetInterval(15000);
    w.show();
    clock.Advance(5000);
    w.bt_yes->click();
    w.show();
    clock.Advance(60000);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.result(), 1);
}

TEST_F(Notices, ModalShowingEndsByTheTimer) {
    TfrYotei w;
    w.SetMemoText(Sj("a\r\n"));
    w.tm1->SetInterval(15000);
    QTimer::singleShot(0, [this] { clock.Advance(15000); });
    EXPECT_EQ(w.exec(), 0);
    EXPECT_EQ(TodayScheduleText, "a\r\n");
}

// --- the exit notice ---

TEST_F(Notices, ExitNoticeTextsAndFrame) {
    Tfryotei2 w;
    EXPECT_EQ(w.windowTitle(), U("今日、明日の予定"));
    EXPECT_EQ(w.Label2->text(), U("今日の予定"));
    EXPECT_EQ(w.Label3->text(), U("明日の予定"));
    EXPECT_EQ(w.Label4->text(), U("となっております。 よろしく御願いします。"));
    EXPECT_EQ(w.bt_yes->text(), U("了解"));
    for (QLabel* l : {w.lb_ai, w.Label2, w.Label3, w.Label4}) EXPECT_TRUE(l->font().bold());
    EXPECT_TRUE(w.tx_yo->isReadOnly());
    EXPECT_TRUE(w.tx_yo2->isReadOnly());
    EXPECT_EQ(w.tm1->Interval(), 0);

    w.SetToday(5, 1, Sj("今日の件\r\n"));
    w.SetTomorrow(5, 2, Sj("明日の件"));
    EXPECT_EQ(w.Label2->text(), U("今日(5月1日)の予定は、"));
    EXPECT_EQ(w.Label3->text(), U("明日(5月2日)の予定は、"));
    EXPECT_EQ(w.tx_yo->toPlainText(), U("今日の件\n"));
    EXPECT_EQ(w.tx_yo2->toPlainText(), U("明日の件"));
}

struct KeyCase {
    const char* what;
    int key;
    Qt::KeyboardModifiers mods;
    const char* text;
    bool message;
};

TEST_F(Notices, TypingInTheExitMemosShowsTheMessageAndChangesNothing) {
    const KeyCase cases[] = {
        {"letter", Qt::Key_A, Qt::NoModifier, "a", true},
        {"enter", Qt::Key_Return, Qt::NoModifier, "\r", true},
        {"backspace", Qt::Key_Backspace, Qt::NoModifier, "\b", true},
        {"delete", Qt::Key_Delete, Qt::NoModifier, "", true},
        {"paste", Qt::Key_V, Qt::ControlModifier, "\x16", true},
        {"blank", Qt::Key_Space, Qt::NoModifier, " ", true},
        {"arrow", Qt::Key_Down, Qt::NoModifier, "", false},
        {"page", Qt::Key_PageDown, Qt::NoModifier, "", false},
        {"copy", Qt::Key_C, Qt::ControlModifier, "\x03", false},
        {"shift alone", Qt::Key_Shift, Qt::ShiftModifier, "", false},
    };
    for (QPlainTextEdit* Tfryotei2::*memo : {&Tfryotei2::tx_yo, &Tfryotei2::tx_yo2}) {
        for (const auto& c : cases) {
            messages.shown.clear();
            Tfryotei2 w;
            w.SetToday(5, 1, Sj("今日\r\n"));
            w.SetTomorrow(5, 2, Sj("明日\r\n"));
            w.show();
            QPlainTextEdit* m = w.*memo;
            m->setFocus();
            Key(m, c.key, c.mods, QString::fromLatin1(c.text));
            Key(m, c.key, c.mods, QString::fromLatin1(c.text));
            if (c.message) {
                ASSERT_EQ(messages.shown.size(), 2u) << c.what;
                EXPECT_EQ(messages.shown[0].text, U("終了時に予定の入力／編集はできません。"));
                EXPECT_EQ(messages.shown[0].kind, platform::MsgKind::Information);
                EXPECT_EQ(messages.shown[0].buttons, std::vector<int>{platform::kBtnOk});
            } else {
                EXPECT_TRUE(messages.shown.empty()) << c.what;
            }
            EXPECT_EQ(w.tx_yo->toPlainText(), U("今日\n")) << c.what;
            EXPECT_EQ(w.tx_yo2->toPlainText(), U("明日\n")) << c.what;
            EXPECT_TRUE(w.isVisible()) << c.what;
        }
    }
}

TEST_F(Notices, AfterTheMessageTheOkButtonHasTheFocusAgain) {
    Tfryotei2 w;
    w.show();
    w.tx_yo->setFocus();
    Key(w.tx_yo, Qt::Key_A, Qt::NoModifier, "a");
    EXPECT_EQ(w.focusWidget(), w.bt_yes);
}

TEST_F(Notices, NoGreetingAfterTheMessageWhenTheNoticeClosedMeanwhile) {
    Tfryotei2 w;
    w.show();
    w.tm1->SetInterval(1000);
    sound.async.clear();
    messages.onShow = [this] { clock.Advance(1000); };
    Key(w.tx_yo, Qt::Key_A, Qt::NoModifier, "a");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(sound.async.empty()) << "the voice must not play for a closed notice";
}

TEST_F(Notices, ExitNoticeCloses) {
    enum Way { Button, Escape, TitleBar, AutoClose };
    const struct {
        Way way;
        int result;
    } cases[] = {{Button, 1}, {Escape, 0}, {TitleBar, 0}, {AutoClose, 0}};
    for (const auto& c : cases) {
        Tfryotei2 w;
        w.tm1->SetInterval(ExitNoticeInterval(0));
        w.show();
        switch (c.way) {
            case Button:
                w.bt_yes->click();
                break;
            case Escape:
                Key(w.tx_yo2, Qt::Key_Escape);
                break;
            case TitleBar:
                w.close();
                break;
            case AutoClose:
                clock.Advance(59999);
                EXPECT_TRUE(w.isVisible());
                clock.Advance(1);
                break;
        }
        EXPECT_FALSE(w.isVisible()) << c.way;
        EXPECT_EQ(w.result(), c.result) << c.way;
        EXPECT_EQ(w.tm1->Interval(), 0) << c.way;
    }
}

TEST_F(Notices, ExitNoticeLeavesTheHandedBackTextAlone) {
    TodayScheduleText = Sj("開始時の文");
    Tfryotei2 w;
    w.SetToday(5, 1, Sj("別の文"));
    w.show();
    w.bt_yes->click();
    EXPECT_EQ(TodayScheduleText, Sj("開始時の文"));
}

}  // namespace
