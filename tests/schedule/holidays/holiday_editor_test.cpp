#include "holiday_editor.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "cp932.h"
#include "fake_messages.h"
#include "globals.h"
#include "program_test.h"
#include "temp_folder.h"

using namespace foundation;
using namespace schedule;

namespace {

class HolidayEditorTest : public ProgramTest {
  protected:
    std::unique_ptr<TfrHolSet> Open(const std::string& file, int mode, int year) {
        auto e = std::make_unique<TfrHolSet>();
        e->ListFile = dir_.File(file);
        e->ListMode = static_cast<uint8_t>(mode);
        e->ListYear = static_cast<uint16_t>(year);
        e->FormShow();
        return e;
    }
    TempFolder dir_;
    FakeMessages messages_;
};

TEST_F(HolidayEditorTest, CaptionsByMode) {
    dir_.Write("2004.hol", "");
    auto holidays = Open("2004.hol", 0, 2004);
    EXPECT_EQ(holidays->windowTitle(), U("2004年ユーザー休日設定"));
    EXPECT_EQ(holidays->pa->text(), U("月,日"));
    EXPECT_TRUE(holidays->tx->isHidden());
    EXPECT_TRUE(holidays->bt_cl->isHidden());
    EXPECT_EQ(holidays->tuki->count(), 13);
    EXPECT_EQ(holidays->hi->count(), 32);
    EXPECT_EQ(holidays->hi->itemText(9), QStringLiteral(" 9"));
    auto anniversaries = Open("ukinen.txt", 1, 2004);
    EXPECT_EQ(anniversaries->windowTitle(), U("ユーザー記念日設定"));
    EXPECT_EQ(anniversaries->pa->text(), U("月,日,内容"));
    EXPECT_EQ(anniversaries->bt_input->text(), U("登録(&T)"));
    EXPECT_EQ(anniversaries->bt_del->text(), U("削除(&D)"));
}

TEST_F(HolidayEditorTest, MessagesOfRegisterAndDelete) {
    dir_.Write("ukinen.txt", " 5, 3,A\r\n");
    auto e = Open("ukinen.txt", 1, 2004);
    e->bt_inputClick();
    e->tuki->setCurrentIndex(5);
    e->hi->setCurrentIndex(3);
    e->bt_inputClick();
    e->tx->setText(U("憲法記念日"));
    messages_.answers = {platform::kBtnNo};
    e->bt_inputClick();
    e->lbo->setCurrentRow(0);
    messages_.answers = {platform::kBtnNo};
    e->bt_delClick();
    ASSERT_EQ(messages_.shown.size(), 4u);
    EXPECT_EQ(messages_.shown[0].text, U("日付が指定されていないので、登録できません。"));
    EXPECT_EQ(messages_.shown[1].text, U("内容が空なので、登録できません。"));
    EXPECT_EQ(messages_.shown[2].text,
              U("5月3日は既に設定されています。新しい内容に置き換えますか？"));
    EXPECT_EQ(messages_.shown[3].text, U("5月3日を削除してよろしいですか？"));
    EXPECT_EQ(e->lbo->count(), 1);
}

TEST_F(HolidayEditorTest, OkWritesTheSortedListAndCancelWritesNothing) {
    dir_.Write("ukinen.txt", "12,24,X\r\n");
    {
        auto e = Open("ukinen.txt", 1, 2003);
        e->tuki->setCurrentIndex(2);
        e->hi->setCurrentIndex(31);
        e->tx->setText(U("閏日,家族"));
        e->bt_inputClick();
        EXPECT_EQ(e->hi->currentIndex(), 29);
        e->reject();
    }
    EXPECT_EQ(dir_.Read("ukinen.txt"), "12,24,X\r\n");
    auto e = Open("ukinen.txt", 1, 2003);
    e->tuki->setCurrentIndex(2);
    e->hi->setCurrentIndex(29);
    e->tx->setText(U("閏日,家族"));
    e->bt_inputClick();
    e->bt_okClick();
    EXPECT_TRUE(e->Saved());
    EXPECT_EQ(dir_.Read("ukinen.txt"), " 2,29," + Sj("閏日,家族") + "\r\n12,24,X\r\n");
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(HolidayEditorTest, PickingFillsTheBoxes) {
    dir_.Write("ukinen.txt", " 1, 1," + Sj("初詣,家族") + "\r\n");
    auto e = Open("ukinen.txt", 1, 2004);
    e->lbo->setCurrentRow(0);
    e->lboClick();
    EXPECT_EQ(e->tuki->currentIndex(), 1);
    EXPECT_EQ(e->hi->currentIndex(), 1);
    EXPECT_EQ(e->tx->text(), U("初詣,家族"));
    EXPECT_EQ(e->List().EditIndex, 0);
    e->tukiChange();
    EXPECT_EQ(e->List().EditIndex, -1);
}

TEST_F(HolidayEditorTest, UnreadableListIsNeverReplaced) {
    QDir(QString::fromStdString(dir_.Path())).mkpath(QStringLiteral("2004.hol"));
    auto e = Open("2004.hol", 0, 2004);
    e->tuki->setCurrentIndex(5);
    e->hi->setCurrentIndex(3);
    e->bt_inputClick();
    e->bt_okClick();
    EXPECT_FALSE(e->Saved());
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(messages_.shown[0].text.endsWith(U("]を読み込めなかったので、保存できません。")));
}

TEST_F(HolidayEditorTest, FailedWriteKeepsTheWindowAndItsEntries) {
    dir_.Write("2004.hol", "");
    auto e = Open("2004.hol", 0, 2004);
    e->ListFile = dir_.File("gone/2004.hol");
    e->tuki->setCurrentIndex(5);
    e->hi->setCurrentIndex(3);
    e->bt_inputClick();
    e->bt_okClick();
    EXPECT_FALSE(e->Saved());
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(messages_.shown[0].text.endsWith(U("]に書き込めませんでした。")));
    EXPECT_EQ(e->lbo->count(), 1);
}

TEST_F(HolidayEditorTest, CalendarListsAreReadAgain) {
    Settings.memo_path = dir_.Path();
    CurYear = 2004;
    CurMonth = 5;
    MonthDays[3].Text = "kept";
    MonthDays[4].UserHoliday = 1;
    MonthDays[9].Anniversary = "old";
    dir_.Write("2004.hol", " 5, 3,\r\n");
    dir_.Write("ukinen.txt", " 5, 5,A\r\n");
    ReloadMonthHolidayLists();
    EXPECT_EQ(MonthDays[3].UserHoliday, 1);
    EXPECT_EQ(MonthDays[4].UserHoliday, 0);
    EXPECT_EQ(MonthDays[5].Anniversary, "A");
    EXPECT_EQ(MonthDays[9].Anniversary, "");
    EXPECT_EQ(MonthDays[3].Text, "kept");
}

}  // namespace
