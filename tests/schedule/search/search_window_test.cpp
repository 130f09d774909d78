#include "search_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>

#include "cp932.h"
#include "fake_clipboard.h"
#include "fake_clock.h"
#include "fake_messages.h"
#include "globals.h"
#include "program_test.h"
#include "read_fault.h"
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

class SearchWindow : public ProgramTest {
  protected:
    void SetUp() override {
        clock.Set(2009, 3, 10, 12, 0);
        Settings.dat_Path = dat.Path();
        Settings.memo_path = memo.Path();
        BaseDir = base.Path();
        ASSERT_TRUE(dat.Write("200903.yo2", MonthBytes({{5, "会議 10:00\r\n昼食"}})));
        ASSERT_TRUE(memo.Write(Sj("買物.txt"), Sj("牛乳を買う\r\n会議室")));
        ASSERT_TRUE(memo.Write(Sj("会議録.txt"), Sj("議事")));
        ASSERT_TRUE(base.Write("todo.dat", Sj("#S#!\r\n \r\n2009/03/20\r\n会議の準備\r\n0\r\n"
                                              "社内\r\n2\r\n\r\n#E#!\r\n")));
        win = std::make_unique<TfrKensaku>();
    }
    void TearDown() override { win.reset(); }
    void Search(const char* word, const char* word2 = "") {
        win->tx_ken->setText(U(word));
        win->tx_ken2->setText(U(word2));
        win->bt_goClick();
    }
    QString Line(int i) const { return win->tx->document()->findBlockByNumber(i).text(); }

    FakeClock clock;
    FakeMessages messages;
    FakeClipboard clipboard;
    TempFolder dat, memo, base;
    std::unique_ptr<TfrKensaku> win;
};

TEST_F(SearchWindow, StartsOnThisMonthWithSchedulesTicked) {
    EXPECT_EQ(frKensaku, win.get());
    EXPECT_EQ(win->windowTitle(), U("予定の検索"));
    EXPECT_EQ(win->tx_yy->currentText(), U("2009"));
    EXPECT_EQ(win->tx_mm2->currentText(), U("3"));
    EXPECT_EQ(win->tx_yy->count(), 21);
    EXPECT_EQ(win->tx_yy->itemText(0), U("1999"));
    EXPECT_EQ(win->tx_yy->itemText(20), U("2019"));
    EXPECT_TRUE(win->cbYotei->isChecked());
    EXPECT_FALSE(win->cbToDo->isChecked());
    EXPECT_FALSE(win->chFusenMemo->isChecked());
    EXPECT_EQ(win->lb_msg->text(), U("検索結果："));
    win->show();
    EXPECT_EQ(win->focusWidget(), win->tx_ken);  // typing goes into the word box
}

TEST_F(SearchWindow, OneWordOverEveryTarget) {
    win->cbToDo->setChecked(true);
    win->chFusenMemo->setChecked(true);
    Search("会議");
    const QString expected[] = {U("メモ【会議録】"), U("メモ【買物】:会議室"),
                                U("ToDo : 会議の準備【社内】 <2009/03/20>"),
                                U("2009/ 3/ 5 :会議 10:00"), QString()};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Line(i), expected[i]) << i;
    EXPECT_EQ(win->lb_msg->text(), U("「会議」の検索結果： 4件"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(win->bt_go->isEnabled());
}

TEST_F(SearchWindow, SecondBoxAloneSearchesOneWord) {
    Search("", "会議");
    EXPECT_EQ(win->lb_msg->text(), U("「会議」の検索結果： 1件"));
    Search("会議", "昼食");
    EXPECT_EQ(win->lb_msg->text(), U("「会議」and「昼食」の検索結果： 2件"));
    EXPECT_EQ(Line(1), U("2009/ 3/ 5 :昼食"));
}

TEST_F(SearchWindow, MessagesForNoWordNoHitAndABadPeriod) {
    Search("");
    EXPECT_EQ(messages.Texts(), std::vector<QString>{U("検索条件を入力してください.")});
    messages.shown.clear();
    Search("ない言葉");
    EXPECT_EQ(messages.Texts(), std::vector<QString>{U("条件を満たすものは、ありませんでした.")});
    EXPECT_EQ(win->lb_msg->text(), U("「ない言葉」の検索結果： 0件"));

    const char* bad[][2] = {{"2009", "13"}, {"abc", "3"}, {"", "3"}};
    for (const auto& [year, month] : bad) {
        messages.shown.clear();
        win->chFusenMemo->setChecked(true);
        win->tx_yy2->setEditText(U(year));
        win->tx_mm2->setEditText(U(month));
        Search("会議");
        EXPECT_EQ(messages.Texts(),
                  std::vector<QString>{U("日付に変換できません。検索期間を確認してください。")});
        EXPECT_TRUE(win->bt_go->isEnabled());
        EXPECT_EQ(Line(0), U("メモ【会議録】"));  // found before the period was read
    }
}

TEST_F(SearchWindow, TooManyHitsAreCutAndSaidSo) {
    win->ResultCapacity = 2;
    win->chFusenMemo->setChecked(true);
    win->cbToDo->setChecked(true);
    Search("会議");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              U("検索結果が多いため全てを表示できません. 先頭から2件を表示します."));
    EXPECT_EQ(messages.shown[0].kind, platform::MsgKind::Information);
    EXPECT_EQ(win->lb_msg->text(), U("「会議」の検索結果： 4件のうち 2件を表示中"));
    EXPECT_EQ(win->tx->document()->blockCount(), 3);
}

TEST_F(SearchWindow, AClickShowsTheDayOrTheMemo) {
    win->chFusenMemo->setChecked(true);
    win->cbToDo->setChecked(true);
    Search("会議");
    CurYear = 2000;
    win->txMouseDown(3);
    EXPECT_EQ(win->tx2->toPlainText(),
              U("【検索結果の詳細 (2009/ 3/ 5の予定)】\n会議 10:00\n昼食"));
    EXPECT_EQ(CurYear, 2009);
    EXPECT_EQ(CurMonth, 3);
    EXPECT_EQ(CurDay, 5);
    win->txMouseDown(1);
    EXPECT_EQ(win->tx2->toPlainText(), U("【検索結果の詳細 メモ:「買物」】\n\n牛乳を買う\n会議室"));
    win->txMouseDown(0);  // a name hit: an empty title
    EXPECT_EQ(win->tx2->toPlainText(), U("【検索結果の詳細 メモ:「」】\n\n議事"));
    win->txMouseDown(2);
    EXPECT_EQ(win->tx2->toPlainText(), QString());
    win->txMouseDown(1);
    win->txMouseDown(4);  // the empty last line does nothing
    EXPECT_EQ(win->tx2->toPlainText().left(9), U("【検索結果の詳細 "));
}

TEST_F(SearchWindow, AMouseClickOnTheResultPaneShowsItsLine) {
    win->resize(win->sizeHint());
    win->show();
    Search("会議");
    const QRect first = win->tx->cursorRect(QTextCursor(win->tx->document()));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(first.center()),
                      QPointF(win->tx->viewport()->mapToGlobal(first.center())), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(win->tx->viewport(), &press);
    EXPECT_EQ(win->tx2->toPlainText(),
              U("【検索結果の詳細 (2009/ 3/ 5の予定)】\n会議 10:00\n昼食"));
}

// Whatever breaks off a search or the detail of a line is said; the button stays usable.
TEST_F(SearchWindow, WhatBreaksOffIsSaid) {
    win->resize(win->sizeHint());
    win->show();
    ReadFault fault;
    auto clickFirstLine = [&] {
        const QRect first = win->tx->cursorRect(QTextCursor(win->tx->document()));
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(first.center()),
                          QPointF(win->tx->viewport()->mapToGlobal(first.center())), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(win->tx->viewport(), &press);
    };
    struct {
        const char* name;
        std::function<void()> act;  // its first box breaks off
        const char* said;
    } const cases[] = {
        {"search", [&] { Search("ない言葉"); },
         "検索中にエラーが発生したため、検索を中断しました。"},
        {"detail",
         [&] {
             Search("会議");
             fault.paths.insert(dat.File("200903.yo2"));  // its box breaks off the reading
             clickFirstLine();
         },
         "検索結果の詳細を表示できませんでした。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.shown.clear();
        int boxes = 0;
        messages.onShow = [&] {
            if (boxes++ == 0) throw std::runtime_error("broken");
        };
        c.act();
        messages.onShow = nullptr;
        ASSERT_EQ(messages.shown.size(), 2u);
        EXPECT_EQ(messages.shown[1].text, U(c.said));
        EXPECT_TRUE(win->bt_go->isEnabled());
    }
}

TEST_F(SearchWindow, CopiesGoToTheClipboardInTheDesktopsForm) {
    win->mnuKenCopyClick();
    EXPECT_FALSE(clipboard.text.has_value());  // nothing to copy yet
    Search("会議");
    win->mnuKenCopy->trigger();
    EXPECT_EQ(clipboard.text, U("2009/ 3/ 5 :会議 10:00\n"));
    win->txMouseDown(0);
    win->mnuKenSyousaiCopy->trigger();
    EXPECT_EQ(clipboard.text, U("【検索結果の詳細 (2009/ 3/ 5の予定)】\n会議 10:00\n昼食"));
}

TEST_F(SearchWindow, PeriodBoxesFollowTheScheduleTick) {
    win->cbYotei->setChecked(false);
    EXPECT_FALSE(win->tx_yy->isEnabled());
    EXPECT_FALSE(win->tx_mm2->isEnabled());
    win->cbYotei->setChecked(true);
    EXPECT_TRUE(win->tx_yy2->isEnabled());
    win->tx_ken->setText(U("a"));
    win->tx_ken2->setText(U("b"));
    win->mnuKenMojiCL->trigger();
    EXPECT_TRUE(win->tx_ken->text().isEmpty());
    EXPECT_TRUE(win->tx_ken2->text().isEmpty());
}

TEST_F(SearchWindow, WritesNoFile) {
    win->chFusenMemo->setChecked(true);
    win->cbToDo->setChecked(true);
    const std::string month = dat.Read("200903.yo2");
    Search("会議");
    win->txMouseDown(3);
    EXPECT_EQ(dat.Read("200903.yo2"), month);
    EXPECT_FALSE(dat.Exists("200903.mkf"));
    EXPECT_EQ(QDir(platform::DiskPath(base.Path())).entryList({"todo.dat*"}, QDir::Files),
              QStringList{"todo.dat"});
}

// Lines shown as they come read as one list would: same text, caret and view at the top.
TEST_F(SearchWindow, LinesShownPieceByPieceReadAsOneList) {
    win->SliceMs = 0;  // every memo, to-do list and month on screen by itself
    win->chFusenMemo->setChecked(true);
    win->cbToDo->setChecked(true);
    win->tx_yy->setEditText(U("2008"));
    Search("会議");
    EXPECT_EQ(win->tx->toPlainText(), U("メモ【会議録】\nメモ【買物】:会議室\n"
                                        "ToDo : 会議の準備【社内】 <2009/03/20>\n"
                                        "2009/ 3/ 5 :会議 10:00\n"));
    EXPECT_EQ(win->tx->textCursor().position(), 0);
    EXPECT_EQ(win->lb_msg->text(), U("「会議」の検索結果： 4件"));
    EXPECT_EQ(CurYear, 2009);  // the period's last month, as the whole search leaves it
    EXPECT_EQ(CurMonth, 3);
}

// Esc or closing the window mid-search stops it: no message, and the month that was loaded
// stays loaded. A click on the button meanwhile starts nothing.
TEST_F(SearchWindow, ClosingMidSearchStopsItAndLeavesTheMonthAlone) {
    CurYear = 2000;
    CurMonth = 1;
    CurDay = 15;
    MonthDays[15].Text = "keep";
    win->SliceMs = 0;
    win->tx_mm2->setEditText(U("4"));
    win->show();
    QTimer::singleShot(0, win.get(), [this] {
        win->bt_goClick();
        win->reject();
    });
    Search("会議");
    EXPECT_FALSE(win->isVisible());
    EXPECT_EQ(win->tx->toPlainText(), U("2009/ 3/ 5 :会議 10:00\n"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(CurYear, 2000);
    EXPECT_EQ(CurMonth, 1);
    EXPECT_EQ(CurDay, 15);
    EXPECT_EQ(MonthDays[15].Text, "keep");
    EXPECT_TRUE(win->bt_go->isEnabled());
    Search("会議");  // the next search runs whole
    EXPECT_EQ(win->lb_msg->text(), U("「会議」の検索結果： 1件"));
    EXPECT_EQ(CurMonth, 4);
}

}  // namespace
