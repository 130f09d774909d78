#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QMenu>
#include <QTimer>
#include <algorithm>

#include "cp932.h"
#include "day_window.h"
#include "exit_gate.h"
#include "fake_clock.h"
#include "fake_messages.h"
#include "fake_sound.h"
#include "fake_tray.h"
#include "file_io.h"
#include "globals.h"
#include "hot_key_notice.h"
#include "main_window.h"
#include "messages.h"
#include "open_windows.h"
#include "paths.h"
#include "program_test.h"
#include "start_notice.h"
#include "temp_folder.h"

using namespace foundation;
using namespace schedule;

namespace {

// Records each close the main window asks about, and lets it go on.
class MainTray : public ProgramTest, public CloseHost {
  protected:
    bool MayClose(bool byWindowManager) override {
        closes.push_back(byWindowManager);
        return true;
    }
    void SetUp() override {
        BaseDir = "/base";
        AppDir = "/app";
        Settings.oto = 0;
        day = std::make_unique<TfrYo3>();
        main = std::make_unique<TfrTavik>();
        MainFullHeight = main->height();
        main->SetCloseHost(this);
        main->show();
        day->show();
    }
    void TearDown() override {
        main.reset();
        day.reset();
    }

    FakeTray tray;
    FakeSound sound;
    FakeMessages messages;
    std::unique_ptr<TfrYo3> day;
    std::unique_ptr<TfrTavik> main;
    std::vector<bool> closes;
};

TEST_F(MainTray, FirstShowAddsTheIconOnce) {
    EXPECT_TRUE(tray.shown);
    EXPECT_EQ(tray.showCount, 1);
    EXPECT_EQ(tray.tip, U("ダブルクリックで復元、マウス右ボタンでメニュー表示。"));
    EXPECT_FALSE(tray.icon.isNull());
    // Trays over D-Bus show only the menu the icon was given.
    EXPECT_EQ(tray.Menu(), main->PopupMenu1);
    ASSERT_FALSE(sound.async.empty());
    EXPECT_EQ(sound.async[0], "/app/oyobi.wav");
}

TEST_F(MainTray, TrayMouseWhileHidden) {
    struct Case {
        const char* name;
        int code;
        bool restored;
    } cases[] = {
        {"click", 0x201, true},
        {"double click", 0x203, true},
        {"middle or unknown", 0x207, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(main->HideToTray());
        EXPECT_FALSE(main->isVisible());
        EXPECT_FALSE(day->isVisible());
        EXPECT_EQ(sound.async.back(), "/app/oyobi.wav");
        sound.async.clear();
        tray.Click(c.code);
        EXPECT_EQ(main->isVisible(), c.restored);
        EXPECT_EQ(day->isVisible(), c.restored);
        EXPECT_EQ(!sound.async.empty() && sound.async.back() == "/app/goyo.wav", c.restored);
        main->RestoreMainWindow();
    }
}

TEST_F(MainTray, RightClickOpensTheMenu) {
    tray.Click(0x204);
    EXPECT_TRUE(main->PopupMenu1->isVisible());
    main->PopupMenu1->hide();
}

TEST_F(MainTray, WithoutTrayTheWindowStaysReachable) {
    tray.available = false;
    sound.async.clear();
    EXPECT_FALSE(main->HideToTray());
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(day->isVisible());
    EXPECT_TRUE(sound.async.empty());
}

TEST_F(MainTray, FollowingOffKeepsTheDayWindow) {
    Settings.rendo = 1;
    ASSERT_TRUE(main->HideToTray());
    EXPECT_TRUE(day->isVisible());
    main->RestoreMainWindow();
    EXPECT_TRUE(main->isVisible());
}

TEST_F(MainTray, SilentWhenSoundsAreOff) {
    Settings.oto = 1;
    sound.async.clear();
    main->HideToTray();
    main->RestoreMainWindow();
    EXPECT_TRUE(sound.async.empty());
}

TEST_F(MainTray, OpenStartNoticeComesFirst) {
    TfrYotei notice;
    ASSERT_TRUE(main->HideToTray());
    notice.show();
    main->RestoreMainWindow();
    EXPECT_FALSE(main->isVisible());
    notice.hide();
    main->RestoreMainWindow();
    EXPECT_TRUE(main->isVisible());
}

TEST_F(MainTray, CommandsFromOtherWindows) {
    struct Case {
        unsigned message;
        intptr_t wParam;
        intptr_t lParam;
        bool closes;
    } cases[] = {
        {WM_MAIN_COMMAND, kCmdExit, 0, true},     {WM_MAIN_COMMAND, 0, 0, false},
        {WM_MAIN_COMMAND, kCmdOptions, 0, false}, {WM_MAIN_COMMAND, 12, 0, false},
        {WM_MAIN_TOPMOST, 0, 2, false},           {WM_MAIN_NEWMEMO, 0, 1, false},
        {WM_MAIN_NEWMEMO, 0, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.message << " " << c.wParam);
        closes.clear();
        main->show();
        EXPECT_EQ(main->Send(c.message, c.wParam, c.lParam), 0);
        ASSERT_EQ(closes.size(), c.closes ? 1u : 0u);
        // Program exits never count as the title-bar close.
        if (c.closes) {
            EXPECT_FALSE(closes[0]);
        }
    }
}

TEST_F(MainTray, ExitFromTheTrayMenu) {
    main->HideToTray();
    main->PopupMenu1->findChild<QAction*>(QStringLiteral("Exit1"))->trigger();
    ASSERT_EQ(closes.size(), 1u);
    EXPECT_FALSE(closes[0]);
}

TEST(NoHotKeyNotice, ToldOnceUnlessAskedFor) {
    const QString text = U(
        "このデスクトップでは、ﾎｯﾄｷｰ(Ctrl+Shift+K)を設定できません。\r\n"
        "代わりに、デスクトップの設定でキーボードショートカットを作り、"
        "コマンド「Kolvane」を割り当ててください。そのキーで、動いているKolvaneが前面に出ます。\r\n"
        "(この案内は、次の起動からは表示しません。)");
    const struct {
        bool toldBefore;
        bool asked;
        bool said;
    } cases[] = {
        {false, false, true}, {true, false, false}, {true, true, true}, {false, true, true}};
    for (const auto& c : cases)
        EXPECT_EQ(NoHotKeyNotice('K', c.toldBefore, c.asked), c.said ? text : QString())
            << c.toldBefore << c.asked;
}

TEST_F(MainTray, HotKeyFailureIsReported) {
    // The offscreen platform has no X display to grab a key on.
    EXPECT_FALSE(main->RegisterHotKey());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, U("ﾎｯﾄｷｰの設定に失敗しました。"));
    EXPECT_EQ(messages.shown[0].kind, platform::MsgKind::Plain);
}

}  // namespace

namespace {

TEST_F(MainTray, MinimiseGoesToTheTrayOnlyWhenThereIsOne) {
    struct Case {
        bool trayAvailable;
        bool visibleAfter;
    } cases[] = {{true, false}, {false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.trayAvailable);
        tray.available = c.trayAvailable;
        main->showNormal();
        main->showMinimized();
        QApplication::processEvents();
        QApplication::processEvents();
        EXPECT_EQ(main->isVisible(), c.visibleAfter);
    }
}

// A window manager may iconify a modal dialog together with its owner; the main window does
// not go to the tray behind its own modal window.
TEST_F(MainTray, MinimiseBehindAModalWindowIsUndone) {
    tray.available = true;
    main->showNormal();
    QDialog dialog(main.get());
    bool visible = false, minimized = true;
    QTimer::singleShot(0, &dialog, [&] {
        main->showMinimized();
        QApplication::processEvents();
        QApplication::processEvents();
        visible = main->isVisible();
        minimized = main->isMinimized();
        dialog.reject();
    });
    dialog.exec();
    EXPECT_TRUE(visible);
    EXPECT_FALSE(minimized);
}

}  // namespace

namespace {

TEST_F(MainTray, ExitWaitsUntilTheModalWindowHasClosed) {
    FakeClock clock;
    QDialog dialog(main.get());
    size_t closesWhileOpen = 99;
    QTimer::singleShot(0, &dialog, [&] {
        main->PopupMenu1->findChild<QAction*>(QStringLiteral("Exit1"))->trigger();
        closesWhileOpen = closes.size();
        dialog.reject();
    });
    dialog.exec();
    EXPECT_EQ(closesWhileOpen, 0u);
    EXPECT_TRUE(main->Exits().Pending());
    EXPECT_TRUE(closes.empty());
    clock.Advance(ExitGate::kPollMs);
    ASSERT_EQ(closes.size(), 1u);
    EXPECT_FALSE(main->Exits().Pending());
}

TEST_F(MainTray, UrgentExitClosesTheModalWindowFirst) {
    FakeClock clock;
    QDialog dialog(main.get());
    int exits = 0;
    bool openAtExit = true;
    QTimer::singleShot(0, &dialog, [&] {
        main->Exits().Request(
            [&] {
                ++exits;
                openAtExit = dialog.isVisible();
            },
            true);
    });
    dialog.exec();
    EXPECT_EQ(exits, 0) << "not inside the dialog's own loop";
    clock.Advance(ExitGate::kPollMs);
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(openAtExit);
}

TEST_F(MainTray, OpenViewsComeForwardBeforeTheMainWindow) {
    ResetOpenWindows();
    ASSERT_TRUE(main->HideToTray());
    for (WindowKind kind : {WindowKind::OptionsHub, WindowKind::JumpDialog, WindowKind::YearView,
                            WindowKind::MonthView}) {
        SCOPED_TRACE(static_cast<int>(kind));
        QDialog view;
        view.show();
        {
            const OpenWindowScope open(kind, &view);
            main->RestoreMainWindow();
            EXPECT_FALSE(main->isVisible());
        }
        EXPECT_FALSE(IsOpen(kind));
    }
    // Views that only lower the menus (memo index, launcher, to-do) do not hold the window back.
    SetWindowOpen(WindowKind::MemoIndex, true);
    main->RestoreMainWindow();
    EXPECT_TRUE(main->isVisible());
    ResetOpenWindows();
}

TEST_F(MainTray, ActivationShowsTheDayWindowOnlyWithTheCalendar) {
    struct Case {
        int rendo;
        bool collapsed;
        bool dayVisible;
    } cases[] = {{0, true, false}, {0, false, true}, {1, true, true}, {1, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rendo << " " << c.collapsed);
        Settings.rendo = static_cast<uint8_t>(c.rendo);
        day->show();
        if ((main->height() != MainFullHeight) != c.collapsed) main->bt_calClick();
        day->show();
        main->FormActivate();
        EXPECT_EQ(day->isVisible(), c.dayVisible);
    }
    Settings.rendo = 0;
}

TEST_F(MainTray, UserIconAndPictureAreTakenOnActivation) {
    TempFolder dir;
    const std::string ico = dir.File("own.ico");
    const std::string bmp = dir.File("own.bmp");
    const std::string junk = dir.File("junk.bmp");
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(platform::DiskPath(ico), "ICO"));
    ASSERT_TRUE(image.save(platform::DiskPath(bmp), "BMP"));
    ASSERT_TRUE(dir.Write("junk.bmp", "not a picture"));
    const qint64 builtIn = main->bt_prun->icon().cacheKey();

    struct Case {
        std::string ico, bmp;
        bool iconTaken, pictureTaken;
    } cases[] = {
        {dir.File("missing.ico"), dir.File("missing.bmp"), false, false},
        {junk, junk, false, false},
        {ico, bmp, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bmp);
        Settings.ico_path = c.ico;
        Settings.bmp_path = c.bmp;
        const int shows = tray.showCount;
        main->FormActivate();
        EXPECT_EQ(main->bt_prun->icon().cacheKey() != builtIn, c.pictureTaken);
        EXPECT_EQ(!main->pic->pixmap().isNull(), c.pictureTaken);
        EXPECT_EQ(!main->windowIcon().availableSizes().isEmpty(), c.iconTaken);
        EXPECT_EQ(tray.showCount, shows + (c.iconTaken ? 1 : 0)) << "the tray shows the same icon";
    }
    // Taken once; later activations leave them alone.
    const int shows = tray.showCount;
    main->FormActivate();
    EXPECT_EQ(tray.showCount, shows);
}

TEST_F(MainTray, ClickAndItsDoubleClickRestoreOnce) {
    ASSERT_TRUE(main->HideToTray());
    sound.async.clear();
    tray.Click(0x201);
    tray.Click(0x203);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(std::count(sound.async.begin(), sound.async.end(), "/app/goyo.wav"), 1);
    // A double click on the shown window still restores (and sounds).
    sound.async.clear();
    tray.Click(0x201);
    tray.Click(0x203);
    EXPECT_EQ(std::count(sound.async.begin(), sound.async.end(), "/app/goyo.wav"), 1);
}

TEST_F(MainTray, SecondStartRestoresOnlyAHiddenWindow) {
    sound.async.clear();
    main->ActivateForSecondStart();
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(sound.async.empty()) << "a shown window only comes to the front";

    ASSERT_TRUE(main->HideToTray());
    sound.async.clear();
    main->ActivateForSecondStart();
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(day->isVisible());
    EXPECT_EQ(sound.async, (std::vector<std::string>{"/app/goyo.wav"}));
}

}  // namespace
