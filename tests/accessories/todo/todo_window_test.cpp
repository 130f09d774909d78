// The to-do window: its columns, menus and layout file, the start-up alert against the clock,
// the commands of its menus and a close that cannot lose the items.
#include "todo_window.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <chrono>

#include "calendar_rules.h"
#include "cp932.h"
#include "fake_clock.h"
#include "fake_desktop.h"
#include "fake_messages.h"
#include "fake_modal_runs.h"
#include "globals.h"
#include "memo_editor.h"
#include "open_windows.h"
#include "program_test.h"
#include "temp_folder.h"
#include "todo_input.h"

using namespace foundation;
using namespace accessories;

namespace {

std::string Block(const char* date, const char* content, int status, const char* project,
                  int importance, const char* link) {
    return "#S#!\r\n \r\n" + std::string(date) + "\r\n" + Sj(content) + "\r\n" +
           std::to_string(status) + "\r\n" + Sj(project) + "\r\n" + std::to_string(importance) +
           "\r\n" + Sj(link) + "\r\n#E#!\r\n";
}

QStringList Cells(QTreeWidget* tree, int column) {
    QStringList out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) out << tree->topLevelItem(i)->text(column);
    return out;
}

class ToDoWindow : public ProgramTest {
  protected:
    void SetUp() override {
        BaseDir = home.Path();
        AppDir = home.Path();
        clock.Set(2004, 5, 1, 9, 0, 0);
    }
    void TearDown() override {
        delete frToDo;
        ASSERT_EQ(frToDo, nullptr);
    }
    // A normal list, shown.
    TfrToDo* Open() {
        OpenToDoWindow();
        return frToDo;
    }

    FakeClock clock;
    FakeMessages messages;
    FakeModalRuns modals;
    FakeDocuments documents;
    FakeDialogs dialogs;
    TempFolder home;
};

}  // namespace

TEST_F(ToDoWindow, ColumnsMenusAndCaption) {
    TfrToDo* w = Open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("ToDo"));
    EXPECT_TRUE(IsOpen(WindowKind::ToDoList));
    EXPECT_EQ(OpenWindow(WindowKind::ToDoList), w);
    const char* const captions[] = {"重要度", "内容",     "状態",    "目標完了日",
                                    "残日数", "ﾌﾟﾛｼﾞｪｸﾄ", "関連情報"};
    const int widths[] = {91, 217, 54, 82, 48, 100, 100};
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(w->sg1->headerItem()->text(c), U(captions[c]));
        EXPECT_EQ(w->sg1->columnWidth(c), widths[c]);
    }
    EXPECT_EQ(w->sg1->toolTip(), U("ﾀﾞﾌﾞﾙｸﾘｯｸで編集、右ﾎﾞﾀﾝでﾒﾆｭｰを表示します。"));
    QStringList bar;
    for (QAction* a : w->MainMenu1->actions()) bar << a->text();
    EXPECT_EQ(bar, (QStringList{U("閉じる(&C)"), U("修正(&E)"), U("追加(&A)"), U("削除(&D)"),
                                U("印刷(&P)")}));
    QStringList popup;
    for (QAction* a : w->PopupMenu1->actions()) popup << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(popup, (QStringList{U("関連情報を開く(&O)"), "-", U("重要度の設定"), U("状態の設定"),
                                  U("ToDo編集"), U("ToDo追加"), U("ﾌﾟﾛｼﾞｪｸﾄ名の編集"), "-",
                                  U("ToDo削除"), U("削除したToDoを参照する"), "-", U("印刷(&P)"),
                                  "-", U("ToDoを閉じる(&C)")}));
    QStringList status;
    for (QAction* a : w->mnuZyoSet->menu()->actions()) status << a->text();
    EXPECT_EQ(status, (QStringList{U("進行中"), U("保留中"), U("完了"), U("未着手")}));
    QStringList del;
    for (QAction* a : w->Delete1->menu()->actions()) del << a->text();
    EXPECT_EQ(del, (QStringList{U("ﾛｸﾞに残す"), U("削除")}));
}

TEST_F(ToDoWindow, LayoutFromTheIniFileAndBackAtClose) {
    ASSERT_TRUE(home.Write("todo.ini",
                           "[TLWH]\r\nT=100\r\nL=120\r\nW=600\r\n[SG]\r\n0=50\r\n1=0\r\n2=-5\r\n"
                           "3=abc\r\n6=150\r\n"));
    TfrToDo* w = Open();
    EXPECT_EQ(w->pos(), QPoint(120, 100));
    EXPECT_EQ(w->size(), QSize(600, 109));
    EXPECT_EQ(w->ColumnWidths(), (std::array<int, 7>{50, 217, 54, 82, 48, 100, 150}));
    w->sg1->setColumnWidth(1, 222);
    w->close();
    EXPECT_EQ(frToDo, nullptr);
    EXPECT_FALSE(IsOpen(WindowKind::ToDoList));
    EXPECT_EQ(home.Read("todo.ini"),
              "[TLWH]\r\nT=100\r\nL=120\r\nW=600\r\nH=109\r\n[SG]\r\n0=50\r\n1=222\r\n2=54\r\n"
              "3=82\r\n6=150\r\n4=48\r\n5=100\r\n");
    EXPECT_FALSE(home.Exists("todo.dat")) << "nothing changed, nothing written";
}

TEST_F(ToDoWindow, ShownOnTheScreen) {
    struct Case {
        const char* ini;
        QRect shown;
    } cases[] = {
        {"[TLWH]\r\nT=-20\r\nL=-30\r\n", QRect(0, 0, 509, 109)},
        {"[TLWH]\r\nT=2000\r\nL=3000\r\n", QRect(0, 0, 509, 109)},
        {"[TLWH]\r\nT=10\r\nL=10\r\nW=5000\r\nH=40\r\n", QRect(0, 10, 4994, 40)},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(home.Write("todo.ini", c.ini));
        TfrToDo* w = Open();
        EXPECT_EQ(w->pos(), c.shown.topLeft()) << c.ini;
        EXPECT_EQ(w->width(), c.shown.width()) << c.ini;
        delete w;
    }
}

TEST_F(ToDoWindow, OpeningAgainNeverLoadsTwice) {
    ASSERT_TRUE(home.Write("todo.dat", Block("2004/05/03", "a", 0, "", 2, "")));
    TfrToDo* w = Open();
    ASSERT_EQ(w->sg1->topLevelItemCount(), 1);
    w->showMinimized();
    Open();
    EXPECT_EQ(frToDo, w);
    EXPECT_FALSE(w->isMinimized());
    EXPECT_EQ(w->sg1->topLevelItemCount(), 1);
    w->hide();
    w->show();
    EXPECT_EQ(w->sg1->topLevelItemCount(), 1);
    w->sg1ColumnClick(1);
    w->close();
    EXPECT_EQ(home.Read("todo.dat"), Block("2004/05/03", "a", 0, "", 2, ""));
}

TEST_F(ToDoWindow, RowsIconsAndBoldOverdueDays) {
    ASSERT_TRUE(home.Write("todo.dat", Block("2004/04/30", "late", 1, "p", 0, "") +
                                           Block("2004/04/01", "done", 2, "", 4, "") +
                                           Block("2004/05/01", "today", 0, "", 2, "")));
    TfrToDo* w = Open();
    EXPECT_EQ(Cells(w->sg1, 0), (QStringList{U("非常に重要"), U("重要でない"), U("普通")}));
    EXPECT_EQ(Cells(w->sg1, 3), (QStringList{"2004/04/30", "2004/04/01", "2004/05/01"}));
    EXPECT_EQ(Cells(w->sg1, 4), (QStringList{"  -1", "----", "   0"}));
    EXPECT_EQ(Cells(w->sg1, 5), (QStringList{"p", "", ""}));
    EXPECT_TRUE(w->sg1->topLevelItem(0)->font(4).bold());
    EXPECT_FALSE(w->sg1->topLevelItem(0)->font(1).bold());
    EXPECT_FALSE(w->sg1->topLevelItem(1)->font(4).bold());
    EXPECT_FALSE(w->sg1->topLevelItem(2)->font(4).bold());
    EXPECT_FALSE(w->sg1->topLevelItem(0)->icon(0).isNull());
}

TEST_F(ToDoWindow, AlertFollowsTheDaysAndClosesByItself) {
    ASSERT_TRUE(home.Write("todo.dat", Block("2004/05/03", "in two days", 0, "", 2, "") +
                                           Block("2004/05/04", "in three days", 0, "", 2, "") +
                                           Block("2004/04/01", "done", 2, "", 2, "") +
                                           Block("2004/03/01", "held", 3, "", 2, "")));
    ASSERT_TRUE(home.Write("todo.ini", "[TLWH]\r\nT=5\r\nL=5\r\n"));
    const std::string ini = home.Read("todo.ini");
    const std::string dat = home.Read("todo.dat");
    struct Case {
        int todozan;
        QStringList shown;  // empty: no window
    } cases[] = {
        {1, {"held"}},
        {3, {"in two days", "held"}},
        {4, {"in two days", "in three days", "held"}},
    };
    for (const auto& c : cases) {
        Settings.todozan = static_cast<uint8_t>(c.todozan);
        Settings.TM_TT = 15000;
        int runs = 0;
        modals.Answer<TfrToDo>([&](TfrToDo& w) {
            ++runs;
            EXPECT_EQ(frToDo, &w);
            w.show();
            EXPECT_EQ(Cells(w.sg1, 1), c.shown);
            EXPECT_EQ(w.windowTitle(), U("完了期限が迫っている ToDo 一覧"));
            EXPECT_EQ(w.sg1->toolTip(), U("ﾘﾀｰﾝまたはｸﾘｯｸで閉じます。"));
            EXPECT_EQ(w.mnuCl->text(), U("了解(&C)"));
            EXPECT_FALSE(w.mnuTuika->isVisible());
            EXPECT_FALSE(w.mnuDl->isVisible());
            EXPECT_FALSE(w.mnuEd->isVisible());
            EXPECT_TRUE(w.Print1->isVisible());
            for (QAction* a : {w.mnuJuSet, w.mnuZyoSet, w.Edit1, w.N10, w.Delete1, w.mnuKanren})
                EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
            EXPECT_TRUE(w.mnuPrjEdit->isEnabled());
            EXPECT_TRUE(w.mnuDelToDoDisp->isEnabled());
            EXPECT_NE(w.pos(), QPoint(5, 5)) << "centred whatever the file says";
            w.sg1ColumnClick(1);
            clock.Advance(14999);
            EXPECT_TRUE(w.isVisible());
            clock.Advance(1);
            EXPECT_FALSE(w.isVisible());
        });
        ShowToDoAlertWindow();
        EXPECT_EQ(runs, 1) << c.todozan;
        EXPECT_EQ(frToDo, nullptr);
        EXPECT_FALSE(IsOpen(WindowKind::ToDoList));
    }
    EXPECT_EQ(home.Read("todo.ini"), ini) << "the alert writes nothing";
    EXPECT_EQ(home.Read("todo.dat"), dat);

    Settings.todozan = 1;
    ASSERT_TRUE(home.Write("todo.dat", Block("2004/05/02", "tomorrow", 0, "", 2, "")));
    int runs = 0;
    modals.Answer<TfrToDo>([&](TfrToDo&) { ++runs; });
    ShowToDoAlertWindow();
    EXPECT_EQ(runs, 0) << "nothing due: no window";
    EXPECT_EQ(frToDo, nullptr);
}

TEST_F(ToDoWindow, AlertClosesOnEnterOrAClickAndWithoutATimerStays) {
    ASSERT_TRUE(home.Write("todo.dat", Block("2004/05/01", "today", 0, "", 2, "")));
    Settings.todozan = 1;
    Settings.TM_TT = 0;
    modals.Answer<TfrToDo>([&](TfrToDo& w) {
        w.show();
        clock.Advance(3600 * 1000);
        EXPECT_TRUE(w.isVisible());
        QTest::mouseClick(w.sg1->viewport(), Qt::LeftButton);
        EXPECT_FALSE(w.isVisible());
    });
    ShowToDoAlertWindow();
    modals.Answer<TfrToDo>([&](TfrToDo& w) {
        w.show();
        QTest::keyClick(w.sg1, Qt::Key_Return);
        EXPECT_FALSE(w.isVisible());
    });
    ShowToDoAlertWindow();
    modals.Answer<TfrToDo>([&](TfrToDo& w) {
        w.show();
        w.mnuEdClick();  // a double click
        EXPECT_FALSE(w.isVisible());
    });
    ShowToDoAlertWindow();
}

TEST_F(ToDoWindow, ScriptedSessionOfAddsEditsAndDeletes) {
    TfrToDo* w = Open();
    std::deque<std::function<int(TfrToDoInput&)>> script;
    modals.Answer<TfrToDoInput>([&](TfrToDoInput& d) {
        d.show();
        auto step = script.front();
        script.pop_front();
        return step(d);
    });
    auto fill = [](const char* y, const char* m, const char* dd, int importance, const char* status,
                   const char* content, const char* project, const char* link) {
        return [=](TfrToDoInput& d) {
            d.cb_yy->setCurrentText(y);
            d.cb_mm->setCurrentText(m);
            d.cb_dd->setCurrentText(dd);
            d.cb_Zyuyo->setCurrentIndex(importance);
            d.cb_zyoTai->setCurrentText(U(status));
            d.tx_todo->setText(U(content));
            d.cb_prj->setCurrentText(U(project));
            d.kanren->setText(U(link));
            d.Button1Click();
            return d.result();
        };
    };
    // Add with no selection: a double click adds too.
    script.push_back(fill("2004", " 4", "31", 1, "未着手", "見積書", "営業", "/home/u/見積.xls"));
    w->mnuTuikaClick();
    script.push_back(fill("2004", "5", "9", 2, "進行中", "", "", ""));
    w->sg1->clearSelection();
    w->mnuEdClick();
    EXPECT_EQ(Cells(w->sg1, 1), (QStringList{U("見積書"), U("内容が設定されていません。")}));
    EXPECT_EQ(Cells(w->sg1, 4), (QStringList{"   -1", "    8"}));
    EXPECT_EQ(w->Selected(), 1);

    // Edit the first: the dialog opens on its values.
    w->Select(0);
    script.push_back([](TfrToDoInput& d) {
        EXPECT_EQ(d.windowTitle(), U("ToDo の修正"));
        EXPECT_EQ(d.cb_yy->currentText(), "2004");
        EXPECT_EQ(d.cb_mm->currentText(), " 4");
        EXPECT_EQ(d.cb_dd->currentText(), "30");
        EXPECT_EQ(d.cb_Zyuyo->currentIndex(), 1);
        EXPECT_EQ(d.cb_zyoTai->currentText(), U("未着手"));
        EXPECT_EQ(d.tx_todo->text(), U("見積書"));
        EXPECT_EQ(d.cb_prj->currentText(), U("営業"));
        d.tx_todo->setText(U("見積書を送る"));
        d.Button1Click();
        return d.result();
    });
    w->mnuEdClick();
    // A cancelled edit changes nothing.
    script.push_back([](TfrToDoInput& d) {
        d.tx_todo->setText("lost");
        d.Button2->click();
        return d.result();
    });
    w->mnuEdClick();

    w->Select(1);
    w->mnuZyoSetSClick(Sj("完了"));
    w->Select(0);
    w->mnuJuSetSubClick(Sj("非常に重要"));

    EXPECT_EQ(home.Read("todo.dat"),
              Block("2004/04/30", "見積書を送る", 0, "営業", 0, "/home/u/見積.xls") +
                  Block("2004/05/09", "内容が設定されていません。", 2, "", 2, ""));
    EXPECT_EQ(home.Read("todo_prj.txt"), Sj("営業\r\n"));

    // Delete into the log, then plainly.
    messages.answers = {platform::kBtnYes};
    w->Select(0);
    w->Delete1Click(1);
    EXPECT_EQ(messages.shown.back().text, U("選択されている ToDo を削除し、ﾛｸﾞﾌｧｲﾙに記録します。"));
    EXPECT_EQ(
        home.Read("todo_log.txt"),
        Sj("重要度,内容,状態,目標完了日,残日数,ﾌﾟﾛｼﾞｪｸﾄ,関連情報,削除日\r\n"
           "非常に重要,見積書を送る,未着手,2004/04/30,   -1,営業,/home/u/見積.xls,2004/05/01\r\n"));
    messages.answers = {platform::kBtnNo};
    w->Select(0);
    w->Delete1Click(0);
    EXPECT_EQ(messages.shown.back().text, U("選択されている ToDo を削除します。"));
    EXPECT_EQ(w->sg1->topLevelItemCount(), 1);
    messages.answers = {platform::kBtnYes};
    w->Delete1Click(0);
    EXPECT_EQ(w->sg1->topLevelItemCount(), 0);
    EXPECT_EQ(home.Read("todo.dat"), "");
    w->close();
    EXPECT_EQ(home.Read("todo.dat"), "");
    EXPECT_TRUE(home.Exists("todo.ini"));
}

TEST_F(ToDoWindow, CommandsWithoutASelection) {
    ASSERT_TRUE(home.Write("todo.dat", Block("2004/05/03", "a", 0, "", 2, "http://example.com/")));
    TfrToDo* w = Open();
    const std::string before = home.Read("todo.dat");
    w->mnuJuSetSubClick(Sj("重要"));
    w->mnuZyoSetSClick(Sj("完了"));
    w->Delete1Click(1);
    EXPECT_TRUE(messages.shown.empty());
    w->mnuKanrenClick();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, U("編集する ToDo が選択されていません。"));
    EXPECT_TRUE(documents.opened.empty());
    EXPECT_EQ(home.Read("todo.dat"), before);

    w->Select(0);
    w->mnuKanrenClick();
    EXPECT_EQ(documents.opened, (std::vector<QString>{"http://example.com/"}));
    w->mnuDelToDoDispClick();
    EXPECT_EQ(documents.opened.back(), platform::DiskPath(home.File("todo_log.txt")));
}

TEST_F(ToDoWindow, DeletionStopsWhenTheLogCannotBeWritten) {
    ASSERT_TRUE(home.Write("todo.dat", Block("2004/05/03", "a", 0, "", 2, "")));
    ASSERT_TRUE(QDir().mkpath(platform::DiskPath(home.File("todo_log.txt"))));
    TfrToDo* w = Open();
    w->Select(0);
    messages.answers = {platform::kBtnYes};
    w->Delete1Click(1);
    EXPECT_EQ(messages.shown.back().text, U("削除したToDoを格納するﾛｸﾞﾌｧｲﾙが開けません。"));
    EXPECT_EQ(w->sg1->topLevelItemCount(), 1);
    EXPECT_EQ(home.Read("todo.dat"), Block("2004/05/03", "a", 0, "", 2, ""));
}

TEST_F(ToDoWindow, SortedOrderIsSavedAtCloseAndTheSelectionFollows) {
    ASSERT_TRUE(home.Write("todo.dat", Block("2004/05/03", "b", 0, "", 2, "") +
                                           Block("2004/05/02", "a", 2, "", 2, "")));
    TfrToDo* w = Open();
    w->Select(0);
    w->sg1->header()->sectionClicked(1);  // a click on the column head
    EXPECT_EQ(Cells(w->sg1, 1), (QStringList{"a", "b"}));
    EXPECT_EQ(w->Selected(), 1);
    EXPECT_TRUE(SaveOpenToDoWindow());
    EXPECT_EQ(home.Read("todo.dat"),
              Block("2004/05/02", "a", 2, "", 2, "") + Block("2004/05/03", "b", 0, "", 2, ""));
}

// A change updates one row and a sort moves the rows; either shows what the whole list made
// anew from its rows would: texts, images, bold days, selection, focus and scroll position.
TEST_F(ToDoWindow, ChangesShowAsTheListMadeAnew) {
    std::string bytes;
    for (int i = 0; i < 40; ++i) {
        const std::string day = std::to_string(i % 10);
        const std::string date = i % 3 ? "2004/05/2" + day : "2004/04/1" + day;  // or overdue
        bytes += Block(date.c_str(), ("c" + std::to_string(100 - i)).c_str(), i % 4,
                       i % 2 ? "p" : "", i % 5, "");
    }
    ASSERT_TRUE(home.Write("todo.dat", bytes));
    TfrToDo* w = Open();
    modals.Answer<TfrToDoInput>([](TfrToDoInput& d) {
        d.show();
        d.cb_dd->setCurrentText("3");
        d.tx_todo->setText("entered");
        d.Button1Click();
        return d.result();
    });
    messages.answers = {platform::kBtnYes, platform::kBtnYes};  // the two deletions
    QScrollBar* bar = w->sg1->verticalScrollBar();
    struct View {
        std::vector<QStringList> cells;
        std::vector<qint64> icons;
        std::vector<bool> bold, selected;
        int current = -1, scroll = 0;
    };
    auto view = [&] {
        View v;
        for (int i = 0; i < w->sg1->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = w->sg1->topLevelItem(i);
            QStringList row;
            for (int c = 0; c < 7; ++c) row << item->text(c);
            v.cells.push_back(row);
            v.icons.push_back(item->icon(0).cacheKey());
            v.bold.push_back(item->font(4).bold());
            v.selected.push_back(item->isSelected());
        }
        v.current = w->sg1->indexOfTopLevelItem(w->sg1->currentItem());
        v.scroll = bar->value();
        return v;
    };
    struct Case {
        const char* name;
        int select, scroll;  // before the change; select -1: none
        std::function<void()> change;
        int selectedAfter;
    } cases[] = {
        {"overdue row done", 21, 15, [&] { w->mnuZyoSetSClick(Sj("完了")); }, 21},
        {"and back, far below the view", 21, 0, [&] { w->mnuZyoSetSClick(Sj("進行中")); }, 21},
        {"importance above the view", 2, 20, [&] { w->mnuJuSetSubClick(Sj("重要")); }, 2},
        {"edited", 30, 25, [&] { w->mnuEdClick(); }, 30},
        {"added", -1, 3, [&] { w->mnuTuikaClick(); }, 40},
        {"deleted", 12, 10, [&] { w->Delete1Click(0); }, 12},
        {"last deleted", 39, 10, [&] { w->Delete1Click(0); }, 38},
        {"sorted by content", 5, 0, [&] { w->sg1ColumnClick(1); }, 33},
        {"sorted by days", -1, 12, [&] { w->sg1ColumnClick(4); }, -1},
    };
    for (const auto& c : cases) {
        w->sg1->clearSelection();
        if (c.select >= 0) w->Select(c.select);
        bar->setValue(c.scroll);
        c.change();
        const View changed = view();
        EXPECT_EQ(w->Selected(), c.selectedAfter) << c.name;
        bar->setValue(c.scroll);
        w->Refresh(c.selectedAfter);
        const View made = view();
        EXPECT_EQ(made.scroll, changed.scroll) << c.name;
        EXPECT_EQ(made.current, changed.current) << c.name;
        EXPECT_TRUE(made.cells == changed.cells && made.icons == changed.icons &&
                    made.bold == changed.bold && made.selected == changed.selected)
            << c.name;
    }
}

TEST_F(ToDoWindow, AListThatCannotBeSavedStaysOpen) {
    ASSERT_TRUE(home.Write("todo.dat", Block("2004/05/03", "b", 0, "", 2, "") +
                                           Block("2004/05/02", "a", 2, "", 2, "")));
    TfrToDo* w = Open();
    w->sg1ColumnClick(1);
    ASSERT_TRUE(QFile::remove(platform::DiskPath(home.File("todo.dat"))));
    ASSERT_TRUE(QDir().mkpath(platform::DiskPath(home.File("todo.dat"))));  // in the way
    messages.shown.clear();
    EXPECT_FALSE(SaveOpenToDoWindow());
    w->close();
    EXPECT_EQ(frToDo, w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(messages.Texts(),
              (std::vector<QString>{U("TODO が書き込めません。"), U("TODO が書き込めません。")}));
    ASSERT_TRUE(QDir(platform::DiskPath(home.File("todo.dat"))).removeRecursively());
    w->close();
    EXPECT_EQ(frToDo, nullptr);
    EXPECT_EQ(home.Read("todo.dat"),
              Block("2004/05/02", "a", 2, "", 2, "") + Block("2004/05/03", "b", 0, "", 2, ""));
}

TEST_F(ToDoWindow, DamagedStoreIsToldAtTheAlertAndKeptWhenTheListSaves) {
    const std::string damaged = Block("2004/05/03", "a", 0, "", 2, "") + "#S#!\r\n \r\nxx\r\n" +
                                Block("2004/05/04", "b", 0, "", 2, "");
    ASSERT_TRUE(home.Write("todo.dat", damaged));
    Settings.todozan = 5;
    int shown = 0;
    modals.Answer<TfrToDo>([&](TfrToDo& w) {
        ++shown;
        EXPECT_EQ(w.sg1->topLevelItemCount(), 2);
    });
    ShowToDoAlertWindow();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(
        messages.Texts(),
        std::vector<QString>{U("ToDo のﾌｧｲﾙの一部が読み込めませんでした。\r\n"
                               "読み込めた ToDo は 2 件です。\r\n"
                               "読み込めなかった部分は、元のﾌｧｲﾙのｺﾋﾟｰに残してあります。\r\n") +
                             platform::FromCp932(home.File("todo.dat.bak-20040501-0900"))});
    EXPECT_EQ(home.Read("todo.dat.bak-20040501-0900"), damaged);
    // The list that reads the same file later says nothing more and keeps both items.
    TfrToDo* w = Open();
    EXPECT_EQ(w->sg1->topLevelItemCount(), 2);
    w->close();
    EXPECT_EQ(home.Read("todo.dat"), damaged) << "unchanged: not rewritten";
    w = Open();
    w->Select(0);
    w->mnuZyoSetSClick(Sj("進行中"));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(home.Read("todo.dat.bak-20040501-0900"), damaged);
    EXPECT_EQ(home.Read("todo.dat"),
              Block("2004/05/03", "a", 1, "", 2, "") + Block("2004/05/04", "b", 0, "", 2, ""));
}

TEST_F(ToDoWindow, TenThousandItemsAndAMegabyteLine) {
    std::string bytes;
    for (int i = 0; i < 10000; ++i)
        bytes += Block("2004/05/03", std::to_string(10000 - i).c_str(), i % 4, "", i % 5, "");
    bytes += Block("2004/05/03", std::string(1 << 20, 'x').c_str(), 0, "", 2, "");
    ASSERT_TRUE(home.Write("todo.dat", bytes));
    const auto start = std::chrono::steady_clock::now();
    TfrToDo* w = Open();
    ASSERT_EQ(w->sg1->topLevelItemCount(), 10001);
    w->sg1ColumnClick(1);
    w->Select(0);
    w->mnuZyoSetSClick(Sj("完了"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(home.Read("todo.dat").size(), bytes.size());
}

TEST_F(ToDoWindow, DoubleClickEditsOrAdds) {
    ASSERT_TRUE(home.Write("todo.dat", Block("2004/05/03", "a", 0, "", 2, "")));
    TfrToDo* w = Open();
    QStringList captions;
    modals.Answer<TfrToDoInput>([&](TfrToDoInput& d) {
        captions << d.windowTitle();
        return TfrToDoInput::kResultCancel;
    });
    w->Select(0);
    QTest::mouseDClick(w->sg1->viewport(), Qt::LeftButton, {},
                       w->sg1->visualItemRect(w->sg1->topLevelItem(0)).center());
    w->sg1->clearSelection();
    QTest::mouseDClick(w->sg1->viewport(), Qt::LeftButton, {}, QPoint(5, 60));
    EXPECT_EQ(captions, (QStringList{U("ToDo の修正"), U("ToDoの新規追加")}));
}

TEST_F(ToDoWindow, EnterClosesTheNormalListToo) {
    TfrToDo* w = Open();
    // The release of an Enter pressed in another window (the alert before) is no close.
    QTest::keyRelease(w->sg1, Qt::Key_Return);
    EXPECT_EQ(frToDo, w);
    QTest::keyPress(w->sg1, Qt::Key_Return);
    EXPECT_EQ(frToDo, w) << "closes on the release";
    QTest::keyRelease(w->sg1, Qt::Key_Return);
    EXPECT_EQ(frToDo, nullptr);
}

TEST_F(ToDoWindow, ProjectNamesInTheMemoEditor) {
    ASSERT_TRUE(home.Write("todo_prj.txt", Sj("営業\r\n開発\r\n")));
    TfrToDo* w = Open();
    int runs = 0;
    modals.Answer<TfrMemo>([&](TfrMemo& m) {
        ++runs;
        m.show();
        EXPECT_EQ(m.windowTitle(), U("ﾌﾟﾛｼﾞｪｸﾄ名編集中"));
        EXPECT_EQ(m.PrjMode, 1);
        EXPECT_EQ(m.tx->toPlainText(), U("営業\n開発\n"));
        EXPECT_FALSE(m.Modified());
        m.tx->moveCursor(QTextCursor::End);
        m.tx->insertPlainText(U("総務"));
        messages.answers = {platform::kBtnYes};
        m.close();
        return m.result();
    });
    w->mnuPrjEditClick();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(home.Read("todo_prj.txt"), Sj("営業\r\n開発\r\n総務\r\n"));
}
