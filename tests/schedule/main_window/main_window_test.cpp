#include "main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "cp932.h"
#include "day_window.h"
#include "fake_clock.h"
#include "fake_messages.h"
#include "fake_sound.h"
#include "globals.h"
#include "messages.h"
#include "program_test.h"
#include "schedule_store.h"
#include "speed_button_vr.h"
#include "temp_folder.h"

using namespace foundation;
using namespace schedule;

namespace {

class MainWindow : public ProgramTest {
  protected:
    void SetUp() override {
        DataIn(dat.Path());
        BaseDir = "/base";
        AppDir = "/app";
        clock.Set(2004, 5, 3, 9, 0);
        day = std::make_unique<TfrYo3>();
        main = std::make_unique<TfrTavik>();
        MainFullHeight = main->height();
        main->ShowMonth(2004, 5, 3);
    }
    void TearDown() override {
        main.reset();
        day.reset();
    }
    void KeyRelease(QWidget* target, int key, Qt::KeyboardModifiers mods, bool repeat = false) {
        QKeyEvent e(QEvent::KeyRelease, key, mods, QString(), repeat);
        QApplication::sendEvent(target, &e);
    }
    QWidget* Child(const char* name) {
        return main->findChild<QWidget*>(QString::fromLatin1(name));
    }

    TempFolder dat;
    FakeClock clock;
    FakeSound sound;
    std::unique_ptr<TfrYo3> day;
    std::unique_ptr<TfrTavik> main;
};

TEST_F(MainWindow, ControlsHaveTheirPlacesAndHints) {
    EXPECT_EQ(main->size(), QSize(204, 243));
    EXPECT_EQ(main->windowTitle(), U("Kolvane32"));
    EXPECT_EQ(main->font().pixelSize(), 12);
    struct {
        const char* name;
        QRect geometry;
        const char* hint;
    } const cases[] = {
        {"bt_prun", {2, 0, 41, 49}, "プログラムランチャ"},
        {"bt_today", {42, 0, 25, 25}, "選択日の予定を拡大表示"},
        {"bt_tuki", {66, 0, 25, 25}, "月間予定の表示"},
        {"bt_nen", {90, 0, 25, 25}, "年間予定表"},
        {"bt_tel", {114, 0, 25, 25}, "電話帳"},
        {"bt_memo", {138, 0, 25, 25}, "メモ"},
        {"bt_op", {162, 0, 25, 25}, "環境設定、ヘルプ、システム情報"},
        {"bttodo", {42, 24, 25, 25}, "ToDo"},
        {"tx_time2", {66, 24, 73, 25}, "ここをクリックするとアラームの設定ができます"},
        {"bt_SysInfo", {138, 24, 25, 25}, "選択日の日記"},
        {"BitBtn1", {162, 24, 25, 25}, "予定検索"},
        {"bt_cal", {186, 0, 15, 49}, "カレンダーの表示／非表示"},
        {"Edit1", {8, 280, 73, 20}, ""},
        {"pic", {0, 8, 33, 1}, ""},
        {"sf_date", {2, 52, 199, 189}, ""},
        {"lb_0", {16, 16, 25, 17}, ""},
        {"lb_1", {40, 16, 25, 12}, ""},
        {"lb_5", {136, 16, 25, 12}, ""},
        {"lb_6", {160, 16, 25, 17}, ""},
        {"bt_1nmae", {8, 168, 25, 17}, "１年前の同じ月へ"},
        {"bt_1mae", {32, 168, 25, 17}, "前月へ"},
        {"bt_hiJamp", {56, 168, 25, 17}, "指定日に移動する"},
        {"bt_kyo", {80, 168, 41, 17}, "今日へ"},
        {"bt_maku", {120, 168, 25, 17}, "マーク日の「設定／解除」"},
        {"bt_1tugi", {144, 168, 25, 17}, "次月へ"},
        {"bt_1ntugi", {168, 168, 25, 17}, "１年後の同じ月へ"},
        // 1 May 2004 is a Saturday: 24 April opens the first row in the last column.
        {"bt_ZeDate0", {160, 32, 25, 17}, " 4月24日へ"},
        {"bt_ZeDate6", {136, 48, 25, 17}, " 4月30日へ"},
        {"bt_date0", {160, 48, 25, 17}, ""},
        {"bt_date30", {40, 128, 25, 17}, ""},
        {"bt_ZiDate0", {64, 128, 25, 17}, " 6月 1日へ"},
        {"bt_ZiDate6", {40, 144, 25, 17}, " 6月 7日へ"},
    };
    for (const auto& c : cases) {
        QWidget* w = Child(c.name);
        ASSERT_NE(w, nullptr) << c.name;
        EXPECT_EQ(w->geometry(), c.geometry) << c.name;
        EXPECT_EQ(w->toolTip(), U(c.hint)) << c.name;
    }
    // The tool buttons but the clock show their own glyphs, compiled in at the size drawn.
    for (const char* name : {"bt_prun", "bt_today", "bt_tuki", "bt_nen", "bt_tel", "bt_memo",
                             "bt_op", "bttodo", "bt_SysInfo", "BitBtn1", "bt_cal"}) {
        auto* b = qobject_cast<QToolButton*>(Child(name));
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->icon().availableSizes(), QList<QSize>{QSize(16, 16)}) << name;
    }
    EXPECT_EQ(main->tx_time2->text(), U("23:59:59"));
    EXPECT_EQ(main->sf_date->title(), U("2004/5/3(月) 憲法記念日"));
    EXPECT_EQ(day->lb->text(), U("2004/5/3(月) 憲法記念日の予定"));
    EXPECT_EQ(main->lb_[0]->text(), U("日"));
    EXPECT_EQ(main->bt_date[2]->font().pixelSize(), 19);
    EXPECT_TRUE(main->bt_date[2]->font().italic());
    EXPECT_EQ(main->bt_ZeDate[0]->font().pixelSize(), 13);
    EXPECT_TRUE(main->bt_date[2]->isChecked());
}

TEST_F(MainWindow, ShortMonthsHideTheirMissingDays) {
    main->ShowMonth(2003, 2, 10);
    EXPECT_FALSE(main->bt_date[27]->isHidden());
    EXPECT_TRUE(main->bt_date[28]->isHidden());
    EXPECT_TRUE(main->bt_date[30]->isHidden());
    main->ShowMonth(2004, 3, 10);
    EXPECT_FALSE(main->bt_date[30]->isHidden());
}

TEST_F(MainWindow, KeyboardWorksFromAnyControl) {
    KeyRelease(main->Edit1, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(CurMonth, 4);
    KeyRelease(main->bt_kyo, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(CurMonth, 4);
    KeyRelease(main.get(), Qt::Key_Right, Qt::ControlModifier, true);  // auto-repeat
    EXPECT_EQ(CurMonth, 4);
    KeyRelease(main->bt_date[5], Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(CurYear, 2005);
    KeyRelease(main.get(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(CurDay, 4);
    KeyRelease(main.get(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(CurYear, 2004);
    EXPECT_EQ(CurMonth, 5);
    EXPECT_EQ(CurDay, 3);
    // Keys of another window are not the main window's.
    KeyRelease(day->tx_yo, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(CurMonth, 5);
}

TEST_F(MainWindow, MessagesNavigateAndShowDates) {
    main->Send(WM_MAIN_SHOWDATE, 2004 + 65536 * 2, 29);
    EXPECT_EQ(CurMonth, 2);
    EXPECT_EQ(CurDay, 29);
    EXPECT_TRUE(main->bt_date[28]->isChecked());
    EXPECT_EQ(main->sf_date->title(), U("2004/2/29(日) "));
    main->Send(WM_MAIN_NAVIGATE, kNavNextMonth, 0);
    EXPECT_EQ(CurMonth, 3);
    EXPECT_EQ(main->Send(WM_MAIN_COMMAND, 12, 0), 0);
    main->BecomeMainWnd();
    EXPECT_EQ(MainWnd, static_cast<MainDispatcher*>(main.get()));
    SendToMain(WM_MAIN_NAVIGATE, kNavYearBack);
    EXPECT_EQ(CurYear, 2003);
}

TEST_F(MainWindow, CellClicksSelectAndMove) {
    day->tx_yo->insertPlainText(U("三日"));
    main->bt_date[9]->click();
    EXPECT_EQ(CurDay, 10);
    EXPECT_EQ(MonthDays[3].Text, Sj("三日"));
    EXPECT_TRUE(main->bt_date[2]->font().bold());
    EXPECT_EQ(day->MemoText(), "");
    main->bt_ZiDate[0]->click();
    EXPECT_EQ(CurMonth, 6);
    EXPECT_EQ(CurDay, 1);
    EXPECT_TRUE(main->bt_date[0]->isChecked());
}

TEST_F(MainWindow, OnlyAnEditedDayIsStoredAndNeverAltered) {
    // Second codes of characters, which read back as their first codes (FA5C, 81E0, 81CA).
    const std::string odd[] = {"\xED\x40", "\x87\x90", "a\xFA\x54", "\xEE\xF9"};
    YOTEI days[32];
    for (int k = 1; k <= 4; ++k) {
        days[k].HasText = 1;
        days[k].Text = odd[k - 1];
    }
    ASSERT_TRUE(store::SaveMonth(dat.Path(), 2004, 6, days));
    FakeMessages messages;
    main->ShowMonth(2004, 6, 1);
    for (int k = 2; k <= 5; ++k) main->bt_date[k - 1]->click();  // each shown, then left
    EXPECT_TRUE(messages.shown.empty());
    day->tx_yo->insertPlainText(U("P😀〜𠮷Q"));
    messages.answers = {platform::kBtnNo, platform::kBtnNo};
    main->bt_date[5]->click();
    EXPECT_EQ(CurDay, 5);  // back to the text as typed
    EXPECT_TRUE(main->bt_date[4]->isChecked());
    EXPECT_EQ(day->tx_yo->toPlainText(), U("P😀〜𠮷Q"));
    main->bt_1tugiClick();
    EXPECT_EQ(CurMonth, 6);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(messages.shown[1].text.contains(U("「😀」(U+1F600)　「𠮷」(U+20BB7)")));

    messages.answers = {platform::kBtnYes};
    main->bt_1tugiClick();
    EXPECT_EQ(CurMonth, 7);
    for (int k = 1; k <= 5; ++k) {
        std::string text;
        store::ReadDay(dat.Path(), 2004, 6, k, text);
        EXPECT_EQ(text, k <= 4 ? odd[k - 1] : std::string("P\x81\x60Q")) << k;
    }
}

TEST_F(MainWindow, HeaderSoundsByColumnUnlessSilent) {
    Settings.oto = 0;
    const char* const expected[7] = {"a.wav",   "soko.wav", "a.wav", "soko.wav",
                                     "arr.wav", "soko.wav", "a.wav"};
    for (int i = 0; i < 7; ++i) {
        QLabel* l = main->lb_[i];
        QPointF at(3, 3);
        QMouseEvent press(QEvent::MouseButtonPress, at, l->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, l->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(l, &press);
        QApplication::sendEvent(l, &release);
        ASSERT_EQ(sound.async.size(), size_t(i + 1));
        EXPECT_EQ(sound.async.back(), std::string("/app/") + expected[i]);
    }
    Settings.oto = 1;
    main->lb_0Click();
    EXPECT_EQ(sound.async.size(), 7u);
}

TEST_F(MainWindow, CollapseAndExpand) {
    Settings.rendo = 0;
    day->show();
    main->bt_calClick();
    EXPECT_EQ(main->height(), 51);
    EXPECT_FALSE(day->isVisible());
    main->bt_calClick();
    EXPECT_EQ(main->height(), 243);
    EXPECT_TRUE(day->isVisible());
    Settings.rendo = 1;
    main->bt_calClick();
    EXPECT_TRUE(day->isVisible());
    main->bt_calClick();
    EXPECT_EQ(main->height(), MainFullHeight);
}

TEST(MainWindowHints, ShownWhileAnyWindowOfTheProgramIsActive) {
    TfrTavik w;
    // Qt shows a window's hints only while that window is active unless it is told otherwise.
    EXPECT_TRUE(w.testAttribute(Qt::WA_AlwaysShowToolTips));
}

}  // namespace
