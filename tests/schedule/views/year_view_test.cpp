#include "year_view.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QTest>
#include <memory>

#include "cp932.h"
#include "fake_messages.h"
#include "globals.h"
#include "program_test.h"
#include "temp_folder.h"
#include "view_memo.h"

using namespace foundation;
using namespace schedule;

namespace {

std::string PlanBytes(int month, const std::string& lines) {
    std::string out;
    for (int m = 1; m <= 12; ++m)
        out += "#S#!\r\n" + (m == month ? lines : std::string()) + "#E#!\r\n";
    return out;
}

class YearView : public ProgramTest {
  protected:
    void SetUp() override { DataIn(dat.Path()); }
    void TearDown() override { view.reset(); }
    void Open(int year) {
        view = std::make_unique<TfrNen>();
        frNen = view.get();
        view->LoadYear(year);
        view->SetYearCaption();
        view->FormActivate();
        view->show();
    }
    TempFolder dat;
    FakeMessages messages;
    std::unique_ptr<TfrNen> view;
};

}  // namespace

TEST_F(YearView, RowsAndCalendars) {
    dat.Write("2004.ne2", PlanBytes(2, Sj("節分\r\n旅行\r\n")));
    Open(2004);
    EXPECT_EQ(view->windowTitle(), U("2004年 年間予定表"));
    EXPECT_EQ(view->yo[1]->height(), 20);
    EXPECT_EQ(view->yo[2]->height(), 32);
    EXPECT_EQ(view->yod[2]->height(), 32);
    EXPECT_EQ(view->yo[3]->y(), view->yo[2]->y() + 32);
    EXPECT_EQ(view->yod[1]->text(), U("  1"));
    EXPECT_EQ(view->yod[12]->text(), U("12"));
    // Four rows of three calendars right of the plan; the date is left at 1 December.
    const QGroupBox* jan = view->calendars[1]->Frame;
    const QGroupBox* feb = view->calendars[2]->Frame;
    const QGroupBox* apr = view->calendars[4]->Frame;
    EXPECT_EQ(jan->pos(), QPoint(32 + 297 + 4 + 6, 2));
    EXPECT_EQ(feb->x(), jan->x() + jan->width() + 6);
    EXPECT_EQ(apr->pos(), QPoint(jan->x(), 2 + jan->height() + 2));
    EXPECT_TRUE(view->calendars[2]->DayLabels[29]->isVisibleTo(view.get()));
    EXPECT_FALSE(view->calendars[2]->DayLabels[30]->isVisibleTo(view.get()));
    EXPECT_EQ(CurYear, 2004);
    EXPECT_EQ(CurMonth, 12);
    EXPECT_EQ(CurDay, 1);
    // A second activation builds nothing new.
    TVr_SCAL* first = view->calendars[1].get();
    view->FormActivate();
    EXPECT_EQ(view->calendars[1].get(), first);
}

TEST_F(YearView, YearMovesSaveTheEditedPlanFirst) {
    Open(2004);
    view->yo[5]->setFocus();
    view->yo[5]->textCursor().insertText(U("連休"));
    view->mnuZenClick();
    EXPECT_EQ(dat.Read("2004.ne2"), PlanBytes(5, Sj("連休\r\n")));
    EXPECT_EQ(view->windowTitle(), U("2003年 年間予定表"));
    EXPECT_EQ(view->year, 2003);
    // Nothing changed in 2003: no file appears for it.
    view->mnuZiClick();
    EXPECT_FALSE(dat.Exists("2003.ne2"));
    Settings.wareki = 1;
    view->mnuZiClick();
    EXPECT_EQ(view->windowTitle(), U("平成17年 年間予定表"));
}

TEST_F(YearView, ClosingByTheTitleBarKeepsTheEdits) {
    Open(2004);
    view->yo[1]->setFocus();
    view->yo[1]->textCursor().insertText(U("正月"));
    view->yo[3]->setFocus();
    QTest::keyClick(view->yo[3], Qt::Key_Return);  // the filler only: no text
    EXPECT_EQ(view->yo[3]->height(), 32);
    EXPECT_EQ(view->yo[4]->y(), view->yo[3]->y() + 32);
    view->close();
    EXPECT_EQ(dat.Read("2004.ne2"), PlanBytes(1, Sj("正月\r\n")));
    EXPECT_EQ(Settings.nen_tlwh.w, view->width());
}

TEST_F(YearView, AnUnreadablePlanIsNeverSavedOver) {
    const std::string path = dat.File("2004.ne2");
    ASSERT_EQ(symlink("/proc/self/mem", path.c_str()), 0);
    Open(2004);
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_TRUE(messages.Texts()[0].contains(U("を読み込めません。")));
    view->yo[2]->setFocus();
    QTest::keyClicks(view->yo[2], U("x"));
    view->mnuZiClick();
    EXPECT_EQ(view->year, 2004);  // the move stops
    messages.answers = {platform::kBtnOk, platform::kBtnYes};
    view->close();
    char target[64] = {};
    ASSERT_GT(readlink(path.c_str(), target, sizeof target - 1), 0);
    EXPECT_STREQ(target, "/proc/self/mem");
}

TEST_F(YearView, DayDetailsComeFromTheFileOnDisk) {
    std::string month;
    for (int d = 1; d <= 31; ++d)
        month += d == 3 ? Sj("#S#!\r\n@10:00 集合\r\n花見\r\n#E#!\r\n") : "#S#!\r\n#E#!\r\n";
    dat.Write("200405.yo2", month);
    dat.Write("ukinen.txt", Sj("5,3,結婚記念日\r\n"));
    Settings.roku = 1;
    Open(2004);
    view->DayMouseDown(view->calendars[5]->DayLabels[3]->property("Tag").toInt());
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0],
              U("5/3(月･大安)憲法記念日,結婚記念日 の予定\r\n\r\n@10:00 集合\r\n花見"));
}
