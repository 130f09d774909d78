#include "input_wizard.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <map>
#include <memory>

#include "cp932.h"
#include "fake_clock.h"
#include "fake_desktop.h"
#include "fake_messages.h"
#include "globals.h"
#include "program_test.h"
#include "temp_folder.h"

using namespace foundation;
using namespace schedule;

namespace {

std::string MonthBytes(const std::map<int, std::string>& days) {
    std::string out;
    for (int d = 1; d <= 31; ++d) {
        out += "#S#!\r\n";
        if (auto it = days.find(d); it != days.end()) out += Sj(it->second) + "\r\n";
        out += "#E#!\r\n";
    }
    return out;
}

void Choose(QComboBox* box, const char* text) {
    const int index = box->findText(U(text));
    ASSERT_GE(index, 0) << text;
    box->setCurrentIndex(index);
}

class Wizard : public ProgramTest {
  protected:
    void SetUp() override {
        clock.Set(2026, 12, 9, 2, 0);
        DataIn(dat.Path());
        BaseDir = base.Path();
        CurYear = 2026;
        CurMonth = 12;
        CurDay = 30;
        win = std::make_unique<TfrTkInput>();
        win->FormShow();
    }
    void TearDown() override { win.reset(); }
    std::vector<QString> Said() const { return messages.Texts(); }

    FakeClock clock;
    FakeMessages messages;
    FakeDialogs dialogs;
    TempFolder dat, base;
    std::unique_ptr<TfrTkInput> win;
};

TEST_F(Wizard, OpensOnTheShownDateWithTheStartTimes) {
    EXPECT_EQ(frTkInput, win.get());
    EXPECT_EQ(win->windowTitle(), U("ｽｹｼﾞｭｰﾙ入力ｳｨｻﾞｰﾄﾞ"));
    EXPECT_FALSE(win->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(win->PageControl1->currentWidget(), win->TabSheet1);
    const std::pair<QComboBox*, const char*> shown[] = {
        {win->yy, "2026"},   {win->mm, "12"},   {win->dd, "30"},    {win->n_nichi, "0"},
        {win->hh, "9"},      {win->mi, " 0"},   {win->hh2, ""},     {win->mi2, ""},
        {win->p_yy, "2026"}, {win->p_dd, "30"}, {win->p_hh, " 9"},  {win->p_mi, " 0"},
        {win->z_yy, "2026"}, {win->z_mm, "12"}, {win->z_hh, " 9"},  {win->z_mi, " 0"},
        {win->mai_yy, ""},   {win->mai_mm, ""}, {win->mai_dai, ""}, {win->mai_youbi, ""},
        {win->mai_Tuki, ""}, {win->yo, ""},
    };
    for (const auto& [box, text] : shown) EXPECT_EQ(box->currentText(), U(text)) << text;
    EXPECT_EQ(win->yy->count(), 12);
    EXPECT_EQ(win->yy->itemText(0), U("2025"));
    EXPECT_EQ(win->yy->itemText(11), U("2036"));
    EXPECT_EQ(win->mai_Tuki->itemText(31), U("月末"));
    EXPECT_EQ(win->mai_youbi->itemText(0), U("日"));
    EXPECT_EQ(win->mai_youbi->itemText(7), U(""));
}

TEST_F(Wizard, DailyEntryOverTheYearEnd) {
    win->yo->setEditText(U("会議"));
    win->ba->setEditText(U("本社"));
    Choose(win->n_nichi, "3");
    Choose(win->hh2, "10");
    Choose(win->mi2, "30");
    win->Button2Click();
    EXPECT_EQ(Said(), std::vector<QString>{U("登録しました。")});
    EXPECT_EQ(dat.Read("202612.yo2"), MonthBytes({{30, " 9:00-10:30 会議 場所:本社\r\n"},
                                                  {31, " 9:00-10:30 会議 場所:本社\r\n"}}));
    EXPECT_EQ(dat.Read("202701.yo2"), MonthBytes({{1, " 9:00-10:30 会議 場所:本社\r\n"}}));
    EXPECT_EQ(CurYear, 2026);
    EXPECT_EQ(CurMonth, 12);
    EXPECT_EQ(CurDay, 30);
    EXPECT_EQ(win->yo->itemText(0), U("会議"));
    EXPECT_EQ(win->ba->itemText(0), U("本社"));
}

TEST_F(Wizard, ASecondEntryFollowsTheFirst) {
    ASSERT_TRUE(dat.Write("202612.yo2", MonthBytes({{30, "朝礼"}})));
    win->yo->setEditText(U("a"));
    win->Button2Click();
    win->cb_noTime->setChecked(true);
    win->yo->setEditText(U("b"));
    win->Button2Click();
    EXPECT_EQ(dat.Read("202612.yo2"), MonthBytes({{30, "朝礼\r\n 9:00-      a\r\nb\r\n"}}));
}

TEST_F(Wizard, ADayTheMonthLacksIsRefusedAndNothingWritten) {
    Choose(win->mm, "2");
    Choose(win->dd, "30");
    win->yo->setEditText(U("x"));
    win->Button2Click();
    EXPECT_EQ(Said(), std::vector<QString>{U("日, が異常です。")});
    EXPECT_FALSE(dat.Exists("202602.yo2"));
    EXPECT_EQ(win->yo->count(), 0);  // nothing remembered either
}

TEST_F(Wizard, AnEndHourOfZeroIsRefused) {
    Choose(win->hh2, " 0");
    win->Button2Click();
    EXPECT_EQ(Said(), std::vector<QString>{U("時間, が異常です。")});
    EXPECT_FALSE(dat.Exists("202612.yo2"));
}

TEST_F(Wizard, NoTimeLeavesTheTimeOutAndDisablesTheBoxes) {
    win->cb_noTime->setChecked(true);
    EXPECT_FALSE(win->hh->isEnabled());
    EXPECT_FALSE(win->mi2->isEnabled());
    win->yo->setEditText(U("休み"));
    win->Button2Click();
    EXPECT_EQ(dat.Read("202612.yo2"), MonthBytes({{30, "休み\r\n"}}));
    win->cb_noTime->setChecked(false);
    EXPECT_TRUE(win->hh->isEnabled());
}

TEST_F(Wizard, AFailedSaveSaysNothingWasRegistered) {
    Settings.dat_Path = dat.File("missing");
    Choose(win->n_nichi, "3");
    win->yo->setEditText(U("x"));
    win->Button2Click();
    EXPECT_EQ(Said(), std::vector<QString>{U("予定を格納するディレクトリが見つかりません。")});
}

TEST_F(Wizard, HistoriesAreWrittenAtCloseNewestFirst) {
    ASSERT_TRUE(base.Write("yo.txt", Sj("打合せ\r\n会議\r\n")));
    win = std::make_unique<TfrTkInput>();
    win->FormShow();
    EXPECT_EQ(win->yo->count(), 2);
    EXPECT_EQ(win->yo->currentText(), QString());
    win->yo->setEditText(U("会議"));
    win->Button2Click();
    win->Button1Click();
    EXPECT_EQ(base.Read("yo.txt"), Sj("会議\r\n打合せ\r\n"));
    EXPECT_EQ(base.Read("ken.txt"), "");
    EXPECT_FALSE(base.Exists("om_ini.ini"));
    EXPECT_EQ(win->result(), QDialog::Rejected);
}

TEST_F(Wizard, TheExportOptionsAreReadButNeverWritten) {
    const std::string options = "[x]\r\nind=999\r\n";
    ASSERT_TRUE(base.Write("om_ini.ini", options));
    win = std::make_unique<TfrTkInput>();
    win->FormShow();
    win->Button1Click();
    EXPECT_EQ(base.Read("om_ini.ini"), options);
}

TEST_F(Wizard, CtrlVRemembersTheSubjectFromEitherBox) {
    win->yo->setEditText(U("貼った"));
    win->yoKeyUp(Qt::Key_V, Qt::ControlModifier);
    win->yoKeyUp(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);  // not Ctrl alone
    win->yoKeyUp(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(win->yo->count(), 1);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_V, Qt::ControlModifier);
    QApplication::sendEvent(win->ba, &release);
    EXPECT_EQ(win->yo->count(), 2);
    EXPECT_EQ(win->ba->count(), 0);
    win->yo->setEditText(QString());
    win->yoKeyUp(Qt::Key_V, Qt::ControlModifier);  // an empty text is not kept
    EXPECT_EQ(win->yo->count(), 2);
}

TEST_F(Wizard, ClearOfTheFirstPage) {
    Choose(win->yy, "2030");
    Choose(win->hh2, "10");
    Choose(win->n_nichi, "5");
    win->yo->setEditText(U("x"));
    win->cb_noTime->setChecked(true);
    win->Button3Click();
    EXPECT_EQ(win->yy->currentText(), U("2026"));
    EXPECT_EQ(win->dd->currentText(), U("30"));
    EXPECT_EQ(win->hh->currentText(), QString());
    EXPECT_EQ(win->hh2->currentText(), QString());
    EXPECT_EQ(win->n_nichi->currentText(), U("0"));
    EXPECT_EQ(win->yo->currentText(), QString());
    EXPECT_TRUE(win->cb_noTime->isChecked());
}

TEST_F(Wizard, MonthlyRulesWriteEachMatchOnce) {
    Choose(win->mai_yy, "2027");
    Choose(win->mai_mm, "2");
    Choose(win->mai_yy2, "2027");
    Choose(win->mai_mm2, "3");
    win->ch_maiTuki->setChecked(true);
    Choose(win->mai_Tuki, "月末");
    win->ch_maiYou->setChecked(true);
    Choose(win->mai_Youbi2, "日");
    win->mai_txt->setPlainText(U("締め"));
    win->mai_bt_inClick();
    EXPECT_EQ(Said(), std::vector<QString>{U("登録しました。")});
    EXPECT_EQ(dat.Read("202702.yo2"),
              MonthBytes({{7, "締め"}, {14, "締め"}, {21, "締め"}, {28, "締め\r\n締め"}}));
    EXPECT_EQ(dat.Read("202703.yo2"),
              MonthBytes({{7, "締め"}, {14, "締め"}, {21, "締め"}, {28, "締め"}, {31, "締め"}}));

    // March to February of one year is no range: nothing more is written, yet it is confirmed.
    const std::string february = dat.Read("202702.yo2");
    Choose(win->mai_mm, "3");
    Choose(win->mai_mm2, "2");
    win->mai_bt_inClick();
    EXPECT_EQ(Said(), (std::vector<QString>{U("登録しました。"), U("登録しました。")}));
    EXPECT_EQ(dat.Read("202702.yo2"), february);
}

TEST_F(Wizard, MonthlyPageRefusesWhatIsNotSet) {
    const std::function<void()> setups[] = {
        [] {},  // nothing chosen
        [this] {
            Choose(win->mai_yy, "2027");
            Choose(win->mai_mm, "1");
            Choose(win->mai_yy2, "2027");
            Choose(win->mai_mm2, "2");
            win->mai_txt->setPlainText(U("x"));  // but no rule ticked
        },
        [this] {
            win->ch_maiDai->setChecked(true);  // n-th rule without its weekday
            Choose(win->mai_dai, "2");
        },
        [this] {
            win->ch_maiDai->setChecked(false);
            win->ch_maiYou->setChecked(true);
            Choose(win->mai_Youbi2, "月");
            win->mai_txt->clear();  // no text
        },
    };
    for (const auto& setup : setups) {
        messages.shown.clear();
        setup();
        win->mai_bt_inClick();
        EXPECT_EQ(Said(),
                  std::vector<QString>{U("設定されていない項目があるので、入力できません。")});
    }
    EXPECT_FALSE(dat.Exists("202701.yo2"));
}

TEST_F(Wizard, ProgramAndNoticePages) {
    Choose(win->p_mm, "4");
    Choose(win->p_dd, "31");
    Choose(win->p_hh, "10");
    Choose(win->p_mi, "30");
    dialogs.files.push_back(U("/usr/bin/gedit"));
    win->bt_prgSanClick();
    EXPECT_EQ(dialogs.asked, std::vector<QString>{U("プログラムファイルの参照|")});
    EXPECT_EQ(win->p_txt->text(), U("/usr/bin/gedit"));
    win->p_bt_inClick();
    EXPECT_EQ(dat.Read("202604.yo2"), MonthBytes({{30, "@10:30 ^/usr/bin/gedit"}}));

    win->z_txt->setText(U("歯医者"));
    win->z_bt_inClick();
    EXPECT_EQ(dat.Read("202612.yo2"), MonthBytes({{30, "@ 9: 0 歯医者"}}));
    EXPECT_EQ(Said(), (std::vector<QString>{U("登録しました。"), U("登録しました。")}));
}

TEST_F(Wizard, EventPagesNeedEveryChoice) {
    win->p_bt_clClick();
    EXPECT_EQ(win->p_yy->currentText(), U("2036"));
    EXPECT_EQ(win->p_mm->currentText(), QString());
    EXPECT_EQ(win->p_hh->currentText(), QString());
    win->p_txt->setText(U("x"));
    win->p_bt_inClick();
    win->z_bt_inClick();  // no text
    EXPECT_EQ(Said(),
              (std::vector<QString>{U("設定されていない項目があるので、入力できません。"),
                                    U("設定されていない項目があるので、入力できません。")}));
    win->z_bt_clClick();
    EXPECT_EQ(win->z_yy->currentText(), U("2036"));
    EXPECT_EQ(win->z_mi->currentText(), QString());
    EXPECT_EQ(win->z_txt->text(), QString());
}

TEST_F(Wizard, MonthlyClearKeepsTheMonthDayRule) {
    win->ch_maiTuki->setChecked(true);
    Choose(win->mai_Tuki, "15");
    win->ch_maiDai->setChecked(true);
    win->ch_maiYou->setChecked(true);
    Choose(win->mai_mm, "3");
    win->mai_txt->setPlainText(U("x"));
    win->mai_bt_clClick();
    EXPECT_EQ(win->mai_yy->currentText(), U("2036"));
    EXPECT_EQ(win->mai_yy2->currentText(), U("2036"));
    EXPECT_EQ(win->mai_mm->currentText(), QString());
    EXPECT_FALSE(win->ch_maiDai->isChecked());
    EXPECT_FALSE(win->ch_maiYou->isChecked());
    EXPECT_TRUE(win->ch_maiTuki->isChecked());
    EXPECT_EQ(win->mai_Tuki->currentText(), U("15"));
    EXPECT_TRUE(win->mai_txt->toPlainText().isEmpty());
}

TEST_F(Wizard, AnOldShownYearStaysChoosable) {
    CurYear = 2004;
    CurMonth = 2;
    CurDay = 29;
    win = std::make_unique<TfrTkInput>();
    win->FormShow();
    EXPECT_EQ(win->yy->currentText(), U("2004"));
    win->yo->setEditText(U("x"));
    win->Button2Click();
    EXPECT_EQ(dat.Read("200402.yo2"), MonthBytes({{29, " 9:00-      x\r\n"}}));
}

}  // namespace
