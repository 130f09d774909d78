#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <memory>

#include "cp932.h"
#include "day_window.h"
#include "diary.h"
#include "fake_accessories.h"
#include "fake_clock.h"
#include "fake_folder_picker.h"
#include "fake_messages.h"
#include "fake_process.h"
#include "fake_sound.h"
#include "globals.h"
#include "main_window.h"
#include "messages.h"
#include "month_view.h"
#include "open_windows.h"
#include "opener_scope.h"
#include "paths.h"
#include "program_test.h"
#include "start_notice.h"
#include "temp_folder.h"
#include "view_memo.h"
#include "year_view.h"

using namespace foundation;
using namespace schedule;

namespace {

class RecordingHost : public OpenerHost, public MainDispatcher {
  public:
    bool SaveOnLeave() override {
        calls.push_back("save");
        return saves;
    }
    void LeaveTopmost() override { calls.push_back("leave"); }
    void ReturnTopmost() override { calls.push_back("return"); }
    intptr_t Send(unsigned message, intptr_t, intptr_t lParam) override {
        if (message == WM_MAIN_TOPMOST) calls.push_back("notes " + std::to_string(lParam));
        return 0;
    }
    std::vector<std::string> calls;
    bool saves = true;
};

using Calls = std::vector<std::string>;

}  // namespace

TEST(OpenerScope, StepsBeforeAndAfterTheWindow) {
    const OpenerRules view{true, true, true, TopmostRule::DropWithNotes};
    const OpenerRules tray{false, false, false, TopmostRule::Drop};
    const OpenerRules plain{};
    const struct Case {
        const char* name;
        OpenerRules rules;
        uint8_t zen;
        bool saves;
        bool ready;
        Calls before, after;
        uint8_t busyInside;
        bool dateBack;
    } cases[] = {
        {"view", view, 1, true, true, {"save", "leave", "notes 2"}, {"return", "notes 2"}, 1, true},
        {"view, band off", view, 0, true, true, {"save"}, {}, 1, true},
        {"view, save failed", view, 1, false, false, {"save"}, {}, 1, false},
        {"tray", tray, 1, true, true, {"leave"}, {"return"}, 0, false},
        {"plain", plain, 1, true, true, {}, {}, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FreshGlobals fresh;
        TempFolder dat;
        Settings.dat_Path = dat.Path();
        Settings.zen = c.zen;
        RecordingHost host;
        host.saves = c.saves;
        MainWnd = &host;
        CurYear = 2004;
        CurMonth = 5;
        CurDay = 3;
        {
            OpenerScope scope(host, c.rules);
            EXPECT_EQ(scope.Ready(), c.ready);
            EXPECT_EQ(host.calls, c.before);
            EXPECT_EQ(NavBusy, c.busyInside);
            host.calls.clear();
            // The window moves the date, as the views and the search do.
            CurYear = 1999;
            CurMonth = 12;
            CurDay = 1;
        }
        EXPECT_EQ(host.calls, c.after);
        EXPECT_EQ(NavBusy, 0);
        EXPECT_EQ(CurYear, c.dateBack ? 2004 : 1999);
        EXPECT_EQ(CurDay, c.dateBack ? 3 : 1);
        MainWnd = nullptr;
    }
}

TEST(OpenerScope, ACollapsedCalendarOnlyComesBackOnce) {
    const FreshGlobals fresh;
    Settings.zen = 1;
    RecordingHost host;
    {
        OpenerScope scope(host, {false, false, true, TopmostRule::Drop});
        scope.ReturnTopmost();
        scope.ReturnTopmost();
    }
    EXPECT_EQ(host.calls, (Calls{"leave", "return"}));
    host.calls.clear();
    {
        OpenerScope scope(host, {false, false, true, TopmostRule::Drop});
        scope.StayDropped();
    }
    EXPECT_EQ(host.calls, (Calls{"leave"}));
}

// ---- diary -----------------------------------------------------------------------------

TEST(Diary, FileNames) {
    const struct {
        const char* templ;
        int y, m, d;
        const char* name;
    } cases[] = {
        {"", 2004, 5, 3, "/d/ni20040503.txt"},
        {"/t/日記.rtf", 2004, 5, 3, "/d/ni20040503.rtf"},
        {"/t/plain", 812, 12, 31, "/d/ni08121231."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DiaryFileName("/d", Sj(c.templ), c.y, c.m, c.d), Sj(c.name)) << c.name;
    }
}

class DiaryOpen : public ProgramTest {
  protected:
    void SetUp() override {
        AppDir = program.Path();
        program.Write("shiro.tx", "template\r\n");
        folder = home.Path() + Sj("/日記 帳");
        QDir().mkpath(platform::DiskPath(folder));
        Settings.ni_dir = folder;
        setenv("KOLVANE_TEXT_EDITOR", "/bin/cat", 1);
    }
    void TearDown() override { unsetenv("KOLVANE_TEXT_EDITOR"); }
    TempFolder program, home;
    std::string folder;
    FakeMessages messages;
    FakeProcesses processes;
};

TEST_F(DiaryOpen, ANewDiaryStartsFromTheTemplateAndOpensAsOneArgument) {
    ASSERT_TRUE(OpenDiary(2004, 5, 3));
    const std::string file = folder + "/ni20040503.txt";
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile(file, bytes));
    EXPECT_EQ(bytes, "template\r\n");
    ASSERT_EQ(processes.starts.size(), 1u);
    EXPECT_EQ(processes.starts[0].args, QStringList{platform::DiskPath(file)});
    // An existing diary is opened as it is.
    platform::WriteFileAtomic(file, "mine");
    ASSERT_TRUE(OpenDiary(2004, 5, 3));
    platform::ReadWholeFile(file, bytes);
    EXPECT_EQ(bytes, "mine");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DiaryOpen, WhatIsMissingIsToldAndNothingOpens) {
    const struct {
        const char* name;
        std::function<void()> arrange;
        const char* message;
    } cases[] = {
        {"folder", [&] { Settings.ni_dir = folder + "/none"; },
         "日記を格納するディレクトリが見つかりません。"},
        {"program", [&] { Settings.ni_prg = "/no/such/editor"; },
         "日記を編集するプログラムが見つかりません。"},
        {"template", [&] { Settings.ni_tmp = "/no/such/template.txt"; },
         "日記のテンプレートファイルが見つかりません。"},
        {"shipped template", [&] { std::remove(program.File("shiro.tx").c_str()); },
         "日記のテンプレートファイルが見つかりません。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Settings.ni_dir = folder;
        Settings.ni_prg = "notepad.exe";
        Settings.ni_tmp.clear();
        messages.shown.clear();
        c.arrange();
        EXPECT_FALSE(OpenDiary(2004, 5, 4));
        ASSERT_EQ(messages.Texts().size(), 1u);
        EXPECT_EQ(messages.Texts()[0], U(c.message));
        EXPECT_TRUE(processes.starts.empty());
        EXPECT_FALSE(platform::FileExists(folder + "/ni20040504.txt"));
    }
}

// ---- the main window's openers ---------------------------------------------------------

class MainOpeners : public ProgramTest {
  protected:
    void SetUp() override {
        DataIn(dat.Path());
        clock.Set(2004, 5, 3, 9, 0);
        day = std::make_unique<TfrYo3>();
        main = std::make_unique<TfrTavik>();
        MainFullHeight = main->height();
        main->BecomeMainWnd();
        main->ShowMonth(2004, 5, 10);
    }
    void TearDown() override {
        main.reset();
        day.reset();
    }
    // Runs inside the next modal window, then closes it.
    void WhileOpen(std::function<void()> inside) {
        QTimer::singleShot(0, [inside] {
            QWidget* w = QApplication::activeModalWidget();
            if (inside) inside();
            if (w) w->close();
        });
    }

    TempFolder dat;
    FakeClock clock;
    FakeSound sound;
    FakeMessages messages;
    FakeAccessories accessories;
    std::unique_ptr<TfrYo3> day;
    std::unique_ptr<TfrTavik> main;
};

TEST_F(MainOpeners, MonthViewGivesBackTheDateAndShowsWhatWasTyped) {
    day->TakeEdit(U("day ten"));
    uint8_t busyInside = 0;
    WhileOpen([&] {
        busyInside = NavBusy;
        ASSERT_TRUE(frTuki);
        EXPECT_TRUE(IsOpen(WindowKind::MonthView));
        EXPECT_EQ(frTuki->yo[10]->toPlainText(), U("day ten"));  // saved before it opened
        frTuki->yo[10]->setFocus();
        frTuki->yo[10]->moveCursor(QTextCursor::End);
        QTest::keyClicks(frTuki->yo[10], U(" more"));
        frTuki->mnuNeClick();
    });
    main->Send(WM_MAIN_COMMAND, kCmdMonthView, 0);
    EXPECT_EQ(busyInside, 1);
    EXPECT_EQ(NavBusy, 0);
    EXPECT_FALSE(frTuki);
    EXPECT_FALSE(IsOpen(WindowKind::MonthView));
    EXPECT_EQ(CurYear, 2004);
    EXPECT_EQ(CurMonth, 5);
    EXPECT_EQ(CurDay, 10);
    EXPECT_EQ(day->MemoText(), "day ten more");
    EXPECT_EQ(MonthDays[10].Text, "day ten more");
}

TEST_F(MainOpeners, YearViewGivesBackTheDateItsCalendarsMoved) {
    day->TakeEdit(U("kept"));
    uint16_t monthInside = 0;
    uint8_t busyInside = 0;
    WhileOpen([&] {
        monthInside = CurMonth;
        busyInside = NavBusy;
        EXPECT_TRUE(IsOpen(WindowKind::YearView));
        ASSERT_TRUE(frNen);
        EXPECT_EQ(frNen->windowTitle(), U("2004年 年間予定表"));
    });
    main->Send(WM_MAIN_COMMAND, kCmdYearView, 0);
    EXPECT_EQ(monthInside, 12);
    EXPECT_EQ(busyInside, 1);
    EXPECT_EQ(NavBusy, 0);
    EXPECT_EQ(CurMonth, 5);
    EXPECT_EQ(CurDay, 10);
    EXPECT_EQ(MonthDays[10].Text, "kept");
    EXPECT_EQ(day->MemoText(), "kept");
}

TEST_F(MainOpeners, AMonthThatCannotBeSavedOpensNoView) {
    QDir().mkpath(platform::DiskPath(dat.File("200405.yo2")));
    day->TakeEdit(U("unsaved"));
    main->bt_tukiClick();
    main->bt_nenClick();
    main->BitBtn1Click();
    EXPECT_EQ(messages.Texts().size(), 3u);
    EXPECT_EQ(day->MemoText(), "unsaved");
    EXPECT_EQ(NavBusy, 0);
}

TEST_F(MainOpeners, ExitClosesAnOpenViewFirst) {
    int closes = 0;
    QObject::connect(main.get(), &TfrTavik::closed, [&] { ++closes; });
    main->show();
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(frNen);
        frNen->yo[4]->setFocus();
        QTest::keyClicks(frNen->yo[4], U("plan"));
        main->Send(WM_MAIN_COMMAND, kCmdExit, 0);
    });
    main->bt_nenClick();
    EXPECT_EQ(closes, 0) << "not before the opener has given the date back";
    // Goes on as soon as the view is gone, not after some delay.
    QCoreApplication::processEvents();
    EXPECT_EQ(closes, 1);
    std::string plan;
    platform::ReadWholeFile(dat.File("2004.ne2"), plan);
    EXPECT_NE(plan.find("plan\r\n"), std::string::npos);
    EXPECT_EQ(CurMonth, 5);  // the date was given back before the exit went on
}

TEST_F(MainOpeners, CommandsReachTheirWindows) {
    const struct {
        unsigned message;
        intptr_t w, l;
        const char* call;
    } cases[] = {
        {WM_MAIN_COMMAND, kCmdToDo, 0, "OpenToDoList"},
        {WM_MAIN_COMMAND, kCmdMemo, 0, "OpenMemoIndex"},
        {WM_MAIN_COMMAND, kCmdLauncher, 0, "OpenLauncher"},
        {WM_MAIN_COMMAND, kCmdOptions, 0, "OpenOptions"},
        {WM_MAIN_TOPMOST, 0, 2, "TopmostNotes 0 2"},
        {WM_MAIN_NEWMEMO, 0, 2, "NewMemo"},
    };
    for (const auto& c : cases) {
        accessories.calls.clear();
        main->Send(c.message, c.w, c.l);
        EXPECT_EQ(accessories.calls, std::vector<std::string>{c.call}) << c.call;
    }
}

TEST_F(MainOpeners, AMissingMemoFolderIsToldAndOpensNothing) {
    // A name with a character outside CP932 is shown as it is on disk.
    Settings.memo_path = platform::FromDiskPath(platform::DiskPath(dat.Path()) + U("/メモ é"));
    main->bt_memoClick();
    EXPECT_TRUE(accessories.calls.empty());
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0],
              U("メモを格納するフォルダ[") + platform::DiskPath(dat.Path()) +
                  U("/メモ é]が見つかりません。\r\n環境設定からメモを格納するフォルダを"
                    "再設定してください。"));
}

TEST_F(MainOpeners, OptionsShowTheMonthAgainAndKeepAHotKeyThatCannotBeSet) {
    Settings.HOTKEY = 'J';
    day->TakeEdit(U("saved first"));
    struct Options : FakeAccessories {
        OptionsResult OpenOptions(QWidget*, QPoint, const QPixmap&) override {
            Settings.HOTKEY = 'K';
            Settings.StYoubiNo = 1;
            return {};
        }
    } options;
    main->bt_opClick();
    // Offscreen no key can be grabbed: the message, and the old letter stays.
    EXPECT_EQ(Settings.HOTKEY, 'J');
    ASSERT_FALSE(messages.Texts().empty());
    EXPECT_EQ(messages.Texts().back(), U("ﾎｯﾄｷｰの設定に失敗しました。"));
    EXPECT_EQ(main->lb_[0]->text(), U("月"));  // the first weekday shows at once
    std::string month;
    platform::ReadWholeFile(dat.File("200405.yo2"), month);
    EXPECT_NE(month.find("saved first"), std::string::npos);
    EXPECT_EQ(day->MemoText(), "saved first");
}

// The tray menu top to bottom as the user reads it, and what each item opens.
TEST_F(MainOpeners, TrayMenuItemsOpenWhatTheyName) {
    TempFolder program;
    AppDir = program.Path();
    for (const char* name : {"kolvane-tel", "editor"}) {
        ASSERT_TRUE(program.Write(name, "#!/bin/sh\n"));
        QFile::setPermissions(platform::DiskPath(program.File(name)),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ASSERT_TRUE(program.Write("shiro.tx", "template\r\n"));
    Settings.ni_dir = dat.Path();
    Settings.ni_prg = program.File("editor");
    FakeProcesses processes;
    FakeFolderPicker picker;
    int closes = 0;
    QObject::connect(main.get(), &TfrTavik::closed, [&] { ++closes; });
    // What an item did, as one line.
    auto happened = [&] {
        std::string what;
        for (const std::string& call : accessories.calls) what += call;
        for (const auto& s : processes.starts)
            what +=
                QFileInfo(s.args.isEmpty() ? s.program : s.args.back()).fileName().toStdString();
        for (const QString& caption : picker.captions) what += caption.toStdString();
        if (closes) what += "closed";
        accessories.calls.clear();
        processes.starts.clear();
        picker.captions.clear();
        return what;
    };
    const struct {
        const char* name;  // "": a separator
        const char* caption;
        const char* opens;  // a modal window of the program ("frTuki"), else what happened
    } items[] = {
        {"mnuTuki", "月間予定表(&M)", "frTuki"},
        {"mnuNen", "年間予定表(&Y)", "frNen"},
        {"mnuToDo", "ToDo(&T)", "OpenToDoList"},
        {"mnuMemo", "メモ(&N)", "OpenMemoIndex"},
        {"mnuTel", "電話帳(&D)", "kolvane-tel"},
        {"mnuNiki", "日記(&N)", "ni20040510.txt"},
        {"", "", ""},
        {"mnuAl", "アラーム設定(&A)", "frmAlm"},
        {"", "", ""},
        {"mnuRun", "プログラムランチャ(&P)", "OpenLauncher"},
        {"", "", ""},
        {"mnuYoteiSan", "予定参照(&S)", "他のユーザー予定の参照"},
        {"", "", ""},
        {"mnuOp", "環境設定(&O)", "OpenOptions"},
        {"", "", ""},
        {"Exit1", "Kolvaneの終了(&X)", "closed"},
    };
    main->show();
    const QList<QAction*> actions = main->PopupMenu1->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(std::size(items)));
    for (size_t i = 0; i < std::size(items); ++i) {
        SCOPED_TRACE(items[i].name);
        QAction* item = actions[static_cast<qsizetype>(i)];
        EXPECT_EQ(item->isSeparator(), items[i].name[0] == 0);
        if (item->isSeparator()) continue;
        EXPECT_EQ(item->objectName(), QString::fromLatin1(items[i].name));
        EXPECT_EQ(item->text(), U(items[i].caption));
        const bool modal = std::string(items[i].opens).rfind("fr", 0) == 0;
        QString shown;
        if (modal) WhileOpen([&] { shown = QApplication::activeModalWidget()->objectName(); });
        item->trigger();
        EXPECT_EQ(modal ? shown.toStdString() : happened(), items[i].opens);
    }
}

TEST_F(MainOpeners, TrayMenuFollowsTheOpenWindows) {
    const char* const names[] = {"mnuTuki", "mnuNen", "mnuToDo",     "mnuMemo", "mnuTel", "mnuNiki",
                                 "mnuAl",   "mnuRun", "mnuYoteiSan", "mnuOp",   "Exit1"};
    const struct {
        WindowKind open;
        const char* enabled;  // one letter per name: 1 enabled, 0 disabled
    } cases[] = {
        {WindowKind::JumpDialog, "11111111111"}, {WindowKind::OptionsHub, "00001000000"},
        {WindowKind::MonthView, "10111111100"},  {WindowKind::YearView, "01111111100"},
        {WindowKind::MemoIndex, "11111111100"},  {WindowKind::Launcher, "11111111100"},
        {WindowKind::ToDoList, "11111111100"},
    };
    for (const auto& c : cases) {
        ResetOpenWindows();
        SetWindowOpen(c.open, true);
        main->PopupMenu1Popup();
        for (int i = 0; i < 11; ++i) {
            EXPECT_EQ(main->PopupMenu1->findChild<QAction*>(names[i])->isEnabled(),
                      c.enabled[i] == '1')
                << names[i] << " with " << static_cast<int>(c.open);
        }
    }
}

TEST_F(MainOpeners, TrayMenuWindowsAreUsableAboveTheMonthView) {
    const struct {
        WindowKind kind;
        const char* item;
    } cases[] = {{WindowKind::ToDoList, "mnuToDo"}, {WindowKind::MemoIndex, "mnuMemo"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        QWidget window;  // stands for the accessory's window
        window.show();
        SetWindowOpen(c.kind, true, &window);
        bool passed = false;
        WhileOpen([&] {
            main->PopupMenu1->findChild<QAction*>(c.item)->trigger();
            passed = frTuki && window.windowHandle()->transientParent() == frTuki->windowHandle();
        });
        main->bt_tukiClick();
        EXPECT_TRUE(passed);
        EXPECT_EQ(window.windowHandle()->transientParent(), nullptr);
        SetWindowOpen(c.kind, false);
    }
}

TEST_F(MainOpeners, EnlargedDayViewReplacesTheDayText) {
    frYotei = nullptr;
    auto notice = std::make_unique<TfrYotei>();
    day->SetMemoText("small");
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(NavBusy, 1);
        EXPECT_EQ(notice->MemoText(), "small");
        notice->SetMemoText("bigger");
        notice->bt_yesClick();
    });
    main->bt_todayClick();
    EXPECT_EQ(day->MemoText(), "bigger");
    EXPECT_EQ(NavBusy, 0);
    EXPECT_FALSE(QFile::exists(platform::DiskPath(dat.File("200405.yo2"))));
}
