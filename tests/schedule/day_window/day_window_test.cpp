#include "day_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <memory>
#include <tuple>
#include <vector>

#include "cp932.h"
#include "fake_messages.h"
#include "fake_modal_runs.h"
#include "globals.h"
#include "input_wizard.h"
#include "messages.h"
#include "open_windows.h"
#include "program_test.h"
#include "read_fault.h"
#include "schedule_store.h"
#include "temp_folder.h"

using namespace foundation;
using namespace schedule;

namespace {

struct Sent {
    unsigned message;
    intptr_t w;
    intptr_t l;
    bool operator==(const Sent&) const = default;
};

class RecordingMain : public MainDispatcher {
  public:
    intptr_t Send(unsigned message, intptr_t w, intptr_t l) override {
        sent.push_back({message, w, l});
        return 0;
    }
    std::vector<Sent> sent;
};

// The page the wizard opens on, as the tag that chose it: 3, 4, else 0.
int WizardPage(const TfrTkInput& wizard) {
    const QWidget* page = wizard.PageControl1->currentWidget();
    return page == wizard.TabSheet3 ? 3 : page == wizard.TabSheet4 ? 4 : 0;
}

// Twelve year-plan blocks, month m holding texts[m] ("" = no text).
std::string YearPlanBytes(const std::vector<std::pair<int, std::string>>& texts) {
    std::string out;
    for (int m = 1; m <= 12; ++m) {
        out += "#S#!\r\n";
        for (auto& [month, text] : texts)
            if (month == m) out += text + "\r\n";
        out += "#E#!\r\n";
    }
    return out;
}

class DayWindow : public ProgramTest {
  protected:
    void SetUp() override {
        MainWnd = &main;
        DataIn(dat.Path());
        CurYear = 2004;
        CurMonth = 5;
        CurDay = 3;
        win = std::make_unique<TfrYo3>();
    }
    void TearDown() override { win.reset(); }
    QAction* A(const char* name) {
        QAction* a = win->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    void SelectRange(int start, int end) {
        QTextCursor c = win->tx_yo->textCursor();
        c.setPosition(start);
        c.setPosition(end, QTextCursor::KeepAnchor);
        win->tx_yo->setTextCursor(c);
    }
    void KeyRelease(QWidget* target, int key, Qt::KeyboardModifiers mods, bool repeat = false) {
        QKeyEvent e(QEvent::KeyRelease, key, mods, QString(), repeat);
        QApplication::sendEvent(target, &e);
    }
    void Mouse(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButton button,
               Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(local), QPointF(target->mapToGlobal(local)), button, held,
                      Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    }
    // Menu items as "name|caption|tag", "-" for separators, submenu items prefixed with ">".
    static void Walk(const QMenu* menu, const std::string& prefix, std::vector<std::string>& out) {
        for (QAction* a : menu->actions()) {
            if (a->isSeparator()) {
                out.push_back(prefix + "-");
                continue;
            }
            out.push_back(prefix + a->objectName().toStdString() + "|" + a->text().toStdString() +
                          "|" + std::to_string(a->property("Tag").toInt()));
            if (a->menu()) Walk(a->menu(), prefix + ">", out);
        }
    }

    TempFolder dat;
    RecordingMain main;
    FakeMessages messages;
    FakeModalRuns modals;
    std::unique_ptr<TfrYo3> win;
};

TEST_F(DayWindow, DesignLooksAndFrame) {
    EXPECT_EQ(win->size(), QSize(236, 183));
    // "ＭＳ Ｐゴシック", drawn in the installed family it stands for.
    EXPECT_EQ(QFontInfo(win->font()).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(win->font().pixelSize(), 12);
    EXPECT_TRUE(win->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(win->windowType(), Qt::Window) << "a tool window stays above the dialogs";
    EXPECT_EQ(win->lb->text(), U("abc"));
    EXPECT_EQ(win->tx_yo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(win->tx_yo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(frYo3, win.get());
}

TEST_F(DayWindow, LayoutRuleOnShowAndResize) {
    struct {
        QSize asked;
        QSize window;
        QRect memo;
    } const cases[] = {
        {{30, 20}, {50, 50}, {3, 12, 44, 35}},
        {{236, 183}, {236, 183}, {3, 12, 230, 168}},
        {{40, 300}, {50, 300}, {3, 12, 44, 285}},
        {{400, 49}, {400, 50}, {3, 12, 394, 35}},
    };
    win->show();
    for (auto& c : cases) {
        win->resize(c.asked);
        EXPECT_EQ(win->size(), c.window) << c.asked.width() << "x" << c.asked.height();
        EXPECT_EQ(win->tx_yo->geometry(), c.memo);
        EXPECT_EQ(win->lb->geometry(), QRect(3, 0, c.memo.width(), 20));
    }
}

TEST_F(DayWindow, ShowPlacesFromSettingsAndDeactivationWritesBack) {
    Settings.yo3_tlwh = {40, 30, 30, 20};
    win->show();
    EXPECT_EQ(win->geometry(), QRect(30, 40, 50, 50));

    win->setGeometry(110, 120, 200, 150);
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(win.get(), &deactivate);
    EXPECT_EQ(Settings.yo3_tlwh.t, 120);
    EXPECT_EQ(Settings.yo3_tlwh.l, 110);
    EXPECT_EQ(Settings.yo3_tlwh.w, 200);
    EXPECT_EQ(Settings.yo3_tlwh.h, 150);

    // The next show reopens it where it was left.
    win->hide();
    win->setGeometry(0, 0, 100, 100);
    win->show();
    EXPECT_EQ(win->geometry(), QRect(110, 120, 200, 150));
}

TEST_F(DayWindow, MenuItemsCaptionsTagsAndOrder) {
    std::vector<std::string> got;
    Walk(win->PopupMenu2, "", got);
    const std::vector<std::string> expected = {
        "mnuYoWiz|予定入力ｳｨｻﾞｰﾄﾞ(&W)|0",
        ">mnuYoWiz_hibi|日々の予定(&H)|0",
        ">mnuYoWiz_prg|ﾌﾟﾛｸﾞﾗﾑの自動実行(&P)|3",
        ">mnuYoWiz_annai|自動案内(&A)|4",
        "mnuYoSort|並び替え(&S)|0",
        "-",
        "N3|Kolvane(&H)|0",
        ">mnuNen|年間予定表(&M)|1",
        ">mnuTuki|月間予定表(&Y)|2",
        ">mnuToDo|ToDo(&T)|3",
        ">mnuMemo|メモ(&N)|4",
        ">D1|電話帳(&D)|5",
        ">mnuNiki|日記(&N)|6",
        ">-",
        ">mnuAl|ｱﾗｰﾑ設定(&A)|7",
        ">-",
        ">mnuRun|ﾌﾟﾛｸﾞﾗﾑﾗﾝﾁｬ(&P)|8",
        ">-",
        ">mnuYoteiSan|予定参照(&S)|11",
        ">-",
        ">mnuOp|環境設定(&O)|9",
        "-",
        "Y1|予定入力日の変更(&Y)|0",
        ">mnuToDay|今日へ(&T)|1",
        ">mnuTuginoHi|次の日へ(&N)|7",
        ">mnuZenZitu|前日へ(&B)|6",
        ">-",
        ">mnuZigetu|次月へ(&Z)|3",
        ">mnuZenGetu|前月へ(&E)|2",
        ">-",
        ">mnuSiteiTuki|指定日へ(&J)|8",
        "-",
        "mnuFukugen|ﾀｽｸﾄﾚｲからKolvaneを復元(&F)|0",
        "-",
        "Undo1|元に戻す(&U)|0",
        "-",
        "Cut1|切り取り(&T)|0",
        "Copy1|ｺﾋﾟｰ(&C)|0",
        "mnuAllCopy|すべて選択＆ｺﾋﾟｰ(&E)|0",
        "mnuNenCopy|年間予定へｺﾋﾟｰ(&N)|0",
        "Paste1|貼り付け(&P)|0",
        "Delete1|削除(&D)|0",
        "-",
        "SelectAll1|すべて選択(&A)|0",
        "-",
        "mnuSclBar|ｽｸﾛｰﾙﾊﾞｰを表示|0",
        "mnuRendo|Kolvaneのﾒｲﾝﾌｫｰﾑと連動する|0",
        "-",
        "Exit1|Kolvaneの終了(&X)|0",
    };
    EXPECT_EQ(got, expected);
    EXPECT_TRUE(A("mnuSclBar")->isChecked());
    EXPECT_TRUE(A("mnuRendo")->isChecked());
}

TEST_F(DayWindow, SelectionUndoAndRestoreEnabling) {
    QApplication::clipboard()->setText(QStringLiteral("t"));
    win->SetMemoText("abc");
    win->PopupMenu2Popup();
    for (const char* name : {"Cut1", "Copy1", "Delete1", "mnuNenCopy", "Undo1", "mnuFukugen"})
        EXPECT_FALSE(A(name)->isEnabled()) << name;
    for (const char* name : {"Paste1", "SelectAll1", "mnuAllCopy", "mnuYoSort"})
        EXPECT_TRUE(A(name)->isEnabled()) << name;

    SelectRange(0, 2);
    win->tx_yo->insertPlainText(QStringLiteral("x"));
    SelectRange(0, 1);
    QWidget mainWindow;  // hidden in the tray
    win->SetMainWindow(&mainWindow);
    win->PopupMenu2Popup();
    for (const char* name : {"Cut1", "Copy1", "Delete1", "mnuNenCopy", "Undo1", "mnuFukugen"})
        EXPECT_TRUE(A(name)->isEnabled()) << name;

    mainWindow.show();
    win->PopupMenu2Popup();
    EXPECT_FALSE(A("mnuFukugen")->isEnabled());
}

TEST_F(DayWindow, ProgramItemsFollowOpenWindows) {
    const char* const names[] = {"mnuNen",  "mnuTuki",     "mnuOp",   "Exit1",
                                 "mnuToDo", "mnuMemo",     "mnuNiki", "mnuAl",
                                 "mnuRun",  "mnuYoteiSan", "D1"};
    struct {
        std::vector<WindowKind> open;
        std::string enabled;  // one digit per name above
    } const cases[] = {
        {{}, "11111111111"},
        {{WindowKind::OptionsHub}, "00000000001"},
        {{WindowKind::OptionsHub, WindowKind::YearView}, "00000000001"},
        {{WindowKind::MonthView}, "01001111111"},
        {{WindowKind::YearView}, "10001111111"},
        {{WindowKind::MemoIndex}, "11001111111"},
        {{WindowKind::Launcher}, "11001111111"},
        {{WindowKind::ToDoList}, "11001111111"},
        {{WindowKind::YearView, WindowKind::MonthView}, "00001111111"},
    };
    for (auto& c : cases) {
        ResetOpenWindows();
        for (WindowKind k : c.open) SetWindowOpen(k, true);
        win->PopupMenu2Popup();
        std::string got;
        for (const char* n : names) got += A(n)->isEnabled() ? '1' : '0';
        EXPECT_EQ(got, c.enabled) << "case " << (&c - cases);
    }
}

TEST_F(DayWindow, MenuItemsSendTheirMessages) {
    struct {
        const char* item;
        Sent sent;
    } const cases[] = {
        {"mnuNen", {WM_MAIN_COMMAND, 1, 0}},
        {"mnuTuki", {WM_MAIN_COMMAND, 2, 0}},
        {"mnuToDo", {WM_MAIN_COMMAND, 3, 0}},
        {"mnuMemo", {WM_MAIN_COMMAND, 4, 0}},
        {"D1", {WM_MAIN_COMMAND, 5, 0}},
        {"mnuNiki", {WM_MAIN_COMMAND, 6, 0}},
        {"mnuAl", {WM_MAIN_COMMAND, 7, 0}},
        {"mnuRun", {WM_MAIN_COMMAND, 8, 0}},
        {"mnuOp", {WM_MAIN_COMMAND, 9, 0}},
        {"mnuYoteiSan", {WM_MAIN_COMMAND, 11, 0}},
        {"Exit1", {WM_MAIN_COMMAND, 10, 0}},
        {"mnuToDay", {WM_MAIN_NAVIGATE, 1, 0}},
        {"mnuTuginoHi", {WM_MAIN_NAVIGATE, 7, 0}},
        {"mnuZenZitu", {WM_MAIN_NAVIGATE, 6, 0}},
        {"mnuZigetu", {WM_MAIN_NAVIGATE, 3, 0}},
        {"mnuZenGetu", {WM_MAIN_NAVIGATE, 2, 0}},
        {"mnuSiteiTuki", {WM_MAIN_NAVIGATE, 8, 0}},
        {"mnuFukugen", {WM_TRAY_NOTIFY, 0, 0x203}},
    };
    for (auto& c : cases) {
        main.sent.clear();
        A(c.item)->trigger();
        EXPECT_EQ(main.sent, std::vector<Sent>{c.sent}) << c.item;
    }
}

TEST_F(DayWindow, KeysNavigateOnlyWithTheExactShiftState) {
    const auto ctrl = Qt::ControlModifier, alt = Qt::AltModifier, shift = Qt::ShiftModifier;
    struct {
        int key;
        Qt::KeyboardModifiers mods;
        bool repeat;
        int code;  // 0: nothing sent
    } const cases[] = {
        {Qt::Key_Home, ctrl, false, 1},
        {Qt::Key_Left, ctrl, false, 2},
        {Qt::Key_Right, ctrl, false, 3},
        {Qt::Key_Up, ctrl, false, 4},
        {Qt::Key_Down, ctrl, false, 5},
        {Qt::Key_Left, alt, false, 6},
        {Qt::Key_Right, alt, false, 7},
        {Qt::Key_Left, ctrl | Qt::KeypadModifier, false, 2},
        {Qt::Key_Left, ctrl | shift, false, 0},
        {Qt::Key_Right, ctrl | alt, false, 0},
        {Qt::Key_Left, Qt::NoModifier, false, 0},
        {Qt::Key_Home, alt, false, 0},
        {Qt::Key_Up, alt, false, 0},
        {Qt::Key_Left, shift, false, 0},
        {Qt::Key_Left, ctrl, true, 0},
        {Qt::Key_PageUp, ctrl, false, 0},
    };
    for (auto& c : cases) {
        main.sent.clear();
        KeyRelease(win->tx_yo, c.key, c.mods, c.repeat);
        std::vector<Sent> expected;
        if (c.code) expected.push_back({WM_MAIN_NAVIGATE, c.code, 0});
        EXPECT_EQ(main.sent, expected) << "case " << (&c - cases);
    }
}

TEST_F(DayWindow, TabLeavesTheMemoForTheMainWindow) {
    QWidget mainWindow;
    mainWindow.show();
    win->SetMainWindow(&mainWindow);
    win->SetMemoText("abc");
    win->show();
    auto activateDay = [&] {
        win->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(win.get()));
        win->tx_yo->setFocus();
    };
    activateDay();
    win->tx_yo->moveCursor(QTextCursor::End);
    QTest::keyClick(win->tx_yo, Qt::Key_Tab);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&mainWindow));
    activateDay();
    QTest::keyClick(win->tx_yo, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&mainWindow));
    EXPECT_EQ(win->MemoText(), "abc");  // no tab character typed
    activateDay();
    KeyRelease(win->tx_yo, Qt::Key_A, Qt::NoModifier);
    mainWindow.hide();  // in the tray: it stays there
    QTest::keyClick(win->tx_yo, Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), win.get());
    EXPECT_TRUE(main.sent.empty());
}

TEST_F(DayWindow, CopyToYearPlanAppendsTheSelection) {
    struct {
        const char* name;
        bool planExists;
        std::string plan;  // file bytes before
        std::string memo;
        int from, to;         // selection in the memo
        std::string written;  // file bytes after
    } const cases[] = {
        {"after text", true, YearPlanBytes({{5, "x"}}), "abc", 0, 3,
         YearPlanBytes({{5, "x\r\nabc"}})},
        {"no file", false, "", "abc", 0, 3, YearPlanBytes({{5, "abc"}})},
        {"month without text", true, YearPlanBytes({{1, "jan"}}), "zabcz", 1, 4,
         YearPlanBytes({{1, "jan"}, {5, "abc"}})},
        {"text ending in a line feed", true, YearPlanBytes({{5, "x\r\n"}}), "abc", 0, 3,
         YearPlanBytes({{5, "x\r\nabc"}})},
        {"lines of the selection", true, YearPlanBytes({{5, "x"}, {12, "dec"}}), "ab\r\ncd", 0, 5,
         YearPlanBytes({{5, "x\r\nab\r\ncd"}, {12, "dec"}})},
        {"double-byte", false, "", Sj("会議の予定"), 0, 2, YearPlanBytes({{5, Sj("会議")}})},
    };
    for (auto& c : cases) {
        TempFolder folder;
        Settings.dat_Path = folder.Path();
        if (c.planExists) {
            ASSERT_TRUE(folder.Write("2004.ne2", c.plan));
        }
        win->SetMemoText(c.memo);
        SelectRange(c.from, c.to);
        win->mnuNenCopyClick();
        EXPECT_EQ(folder.Read("2004.ne2"), c.written) << c.name;
        NEN_YOTEI months[13];
        ReadYearSchedule(2004, months);
        EXPECT_EQ(months[5].HasText, 1) << c.name;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DayWindow, CopyToYearPlanWithoutSelectionWritesNothing) {
    win->SetMemoText("abc");
    win->mnuNenCopyClick();
    EXPECT_FALSE(dat.Exists("2004.ne2"));
}

TEST_F(DayWindow, CopyToYearPlanIntoMissingFolderWarns) {
    Settings.dat_Path = dat.File("missing");
    win->SetMemoText("abc");
    SelectRange(0, 3);
    win->mnuNenCopyClick();
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], U("年間予定を格納するディレクトリが見つかりません。"));
}

TEST_F(DayWindow, CopyToYearPlanKeepsAnUnreadablePlan) {
    const std::string plan = YearPlanBytes({{1, "jan"}});
    ASSERT_TRUE(dat.Write("2004.ne2", plan));
    ReadFault fault;
    fault.paths = {dat.File("2004.ne2")};
    win->SetMemoText("abc");
    SelectRange(0, 3);
    win->mnuNenCopyClick();
    fault.on = false;
    EXPECT_EQ(dat.Read("2004.ne2"), plan);
    EXPECT_EQ(messages.Texts().size(), 1u);
}

TEST_F(DayWindow, WizardSavesFirstThenRestoresTheDate) {
    int calls = 0, tag = -1;
    std::string savedBeforeWizard;
    modals.Answer<TfrTkInput>([&](TfrTkInput& wizard) {
        ++calls;
        tag = WizardPage(wizard);
        ReadDaySchedule(2004, 5, 3, savedBeforeWizard);
        // The wizard moves the date while it runs.
        CurYear = 2010;
        CurMonth = 1;
        CurDay = 20;
    });
    win->TakeEdit(U("朝会\n昼会"));
    A("mnuYoWiz_prg")->trigger();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(tag, 3);
    EXPECT_EQ(savedBeforeWizard, Sj("朝会\r\n昼会"));
    EXPECT_EQ(CurYear, 2004);
    EXPECT_EQ(CurMonth, 5);
    EXPECT_EQ(CurDay, 20);                             // the day stays where the wizard left it
    EXPECT_EQ(MonthDays[3].Text, Sj("朝会\r\n昼会"));  // reloaded from the file
    EXPECT_EQ(main.sent, (std::vector<Sent>{{WM_MAIN_SHOWDATE, 2004 | (5 << 16), 20}}));
}

TEST_F(DayWindow, WizardRunsWithNavigationBusy) {
    // A midnight roll-over while the wizard holds another month must wait.
    int during = -1;
    modals.Answer<TfrTkInput>([&](TfrTkInput&) { during = NavBusy; });
    win->SetMemoText("a");
    A("mnuYoWiz_hibi")->trigger();
    EXPECT_EQ(during, 1);
    EXPECT_EQ(NavBusy, 0);
}

TEST_F(DayWindow, WizardStoresAnEmptyMemoAsNoText) {
    MonthDays[3].HasText = 1;
    MonthDays[3].Text = "old";
    int tag = -1;
    modals.Answer<TfrTkInput>([&](TfrTkInput& wizard) { tag = WizardPage(wizard); });
    win->SetMemoText("old");
    win->TakeEdit(QString());  // the user empties it
    A("mnuYoWiz_annai")->trigger();
    EXPECT_EQ(tag, 4);
    std::string day;
    ReadDaySchedule(2004, 5, 3, day);
    EXPECT_EQ(day, "");
    EXPECT_EQ(MonthDays[3].HasText, 0);
    A("mnuYoWiz_hibi")->trigger();
    EXPECT_EQ(tag, 0);
}

TEST_F(DayWindow, WizardDoesNotOpenWhenTheMonthCannotBeSaved) {
    Settings.dat_Path = dat.File("missing");
    bool opened = false;
    modals.Answer<TfrTkInput>([&](TfrTkInput&) { opened = true; });
    win->TakeEdit(U("abc"));
    A("mnuYoWiz_hibi")->trigger();
    EXPECT_FALSE(opened);
    EXPECT_TRUE(main.sent.empty());
    EXPECT_EQ(messages.Texts(),
              std::vector<QString>{U("予定を格納するディレクトリが見つかりません。")});
    EXPECT_EQ(MonthDays[3].Text, "abc");  // the edit is kept in memory
}

TEST_F(DayWindow, ScrollBarAndFollowToggles) {
    win->mnuSclBarClick();
    EXPECT_EQ(Settings.scl, 0);
    EXPECT_FALSE(A("mnuSclBar")->isChecked());
    EXPECT_EQ(win->tx_yo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(win->tx_yo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    win->mnuSclBarClick();
    EXPECT_EQ(Settings.scl, 1);
    EXPECT_TRUE(A("mnuSclBar")->isChecked());
    EXPECT_EQ(win->tx_yo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    win->mnuRendoClick();
    EXPECT_EQ(Settings.rendo, 1);
    EXPECT_FALSE(A("mnuRendo")->isChecked());
    win->mnuRendoClick();
    EXPECT_EQ(Settings.rendo, 0);
    EXPECT_TRUE(A("mnuRendo")->isChecked());

    Settings.scl = 0;
    Settings.rendo = 1;
    win->ApplyStartSettings();
    EXPECT_FALSE(win->HasScrollBars());
    EXPECT_FALSE(A("mnuSclBar")->isChecked());
    EXPECT_FALSE(A("mnuRendo")->isChecked());
}

TEST_F(DayWindow, EditItems) {
    win->SetMemoText("abc\r\ndef");
    win->mnuAllCopyClick();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("abc\ndef"));
    EXPECT_FALSE(win->tx_yo->textCursor().hasSelection());

    SelectRange(1, 2);
    win->Delete1Click();
    EXPECT_EQ(win->MemoText(), "ac\r\ndef");
    win->Undo1Click();
    EXPECT_EQ(win->MemoText(), "abc\r\ndef");

    SelectRange(0, 3);
    win->Cut1Click();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("abc"));
    win->SelectAll1Click();
    win->Paste1Click();
    EXPECT_EQ(win->MemoText(), "abc");
}

TEST_F(DayWindow, PasteWithoutTextOnTheClipboardDoesNothing) {
    // Data without any format is what a vanished owner leaves behind; pasting it crashed.
    QApplication::clipboard()->setMimeData(new QMimeData);
    win->SetMemoText("abc");
    win->PopupMenu2Popup();
    EXPECT_FALSE(A("Paste1")->isEnabled());
    win->Paste1Click();
    EXPECT_EQ(win->MemoText(), "abc");

    QApplication::clipboard()->setText(QStringLiteral("x"));
    win->PopupMenu2Popup();
    EXPECT_TRUE(A("Paste1")->isEnabled());
    win->SelectAll1Click();
    win->Paste1Click();
    EXPECT_EQ(win->MemoText(), "x");
}

TEST_F(DayWindow, SortOrdersTheLinesByTime) {
    win->SetMemoText("10:00 b\r\n09:00 a");
    A("mnuYoSort")->trigger();
    EXPECT_EQ(win->MemoText().substr(0, 16), "09:00 a\r\n10:00 b");
}

TEST_F(DayWindow, LabelDragMovesAndFrameDragResizes) {
    Settings.yo3_tlwh = {100, 100, 236, 183};
    win->show();
    // The offscreen platform cannot move windows itself: the window follows the mouse.
    Mouse(win->lb, QEvent::MouseButtonPress, {20, 6}, Qt::LeftButton, Qt::LeftButton);
    QMouseEvent move(QEvent::MouseMove, QPointF(50, 46),
                     QPointF(win->lb->mapToGlobal(QPoint(50, 46))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(win->lb, &move);
    Mouse(win->lb, QEvent::MouseButtonRelease, {50, 46}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(win->geometry(), QRect(130, 140, 236, 183));

    // Bottom-right corner dragged far up and left: the window stops at 50 x 50.
    const QPoint corner(235, 182);
    Mouse(win.get(), QEvent::MouseButtonPress, corner, Qt::LeftButton, Qt::LeftButton);
    QMouseEvent shrink(QEvent::MouseMove, QPointF(corner - QPoint(500, 500)),
                       QPointF(win->mapToGlobal(corner) - QPoint(500, 500)), Qt::NoButton,
                       Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(win.get(), &shrink);
    Mouse(win.get(), QEvent::MouseButtonRelease, corner, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(win->geometry(), QRect(130, 140, 50, 50));
    EXPECT_EQ(win->tx_yo->geometry(), QRect(3, 12, 44, 35));

    // Left edge dragged left: the right edge stays.
    const QPoint left(1, 25);
    const QPoint globalLeft = win->mapToGlobal(left);
    Mouse(win.get(), QEvent::MouseButtonPress, left, Qt::LeftButton, Qt::LeftButton);
    QMouseEvent widen(QEvent::MouseMove, QPointF(left - QPoint(30, 0)),
                      QPointF(globalLeft - QPoint(30, 0)), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(win.get(), &widen);
    EXPECT_EQ(win->geometry(), QRect(100, 140, 80, 50));
}

}  // namespace
