#include "startup.h"

#include <gtest/gtest.h>
#include <sys/time.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <deque>
#include <memory>

#include "cp932.h"
#include "date_time.h"
#include "day_window.h"
#include "exit_notice.h"
#include "fake_accessories.h"
#include "fake_clock.h"
#include "fake_frames.h"
#include "fake_messages.h"
#include "fake_modal_runs.h"
#include "fake_tray.h"
#include "globals.h"
#include "main_window.h"
#include "paths.h"
#include "program_test.h"
#include "read_fault.h"
#include "schedule_store.h"
#include "scoped_port.h"
#include "settings_file.h"
#include "sound.h"
#include "start_notice.h"
#include "temp_folder.h"

using namespace foundation;
using namespace schedule;

namespace {

constexpr double kMinute = 1.0 / (24 * 60);

struct NullHost : SettingsHost {
    void ShowSettingsDialog() override {}
    void MainWindowTopLeft(int16_t& top, int16_t& left) override { top = left = 0; }
};

// Records the sounds and what the settings file held when each one played.
struct RecordingSound : platform::SoundPort {
    void PlayAsync(const std::string& path) override { async.push_back(path); }
    void PlaySync(const std::string& path, int) override {
        sync.push_back(path);
        std::string bytes;
        platform::ReadWholeFile(IniPath, bytes);
        settingsAtSync.push_back(bytes);
    }
    std::vector<std::string> async, sync, settingsAtSync;
    platform::ScopedPort<platform::SoundPort> inPlace_{platform::SetSoundPort, this};
};

class Startup : public ProgramTest {
  public:
    void SetUp() override {
        setenv("KOLVANE_HOME", home.Path().c_str(), 1);
        clock.Set(2004, 5, 3, 9, 0);
        ini = home.File(SettingsFileName());
        startShown.clear();
        exitShown.clear();
        monthAtExitNotice.clear();
        messages.shown.clear();
        sound.sync.clear();
        sound.settingsAtSync.clear();
    }
    void TearDown() override {
        life.reset();
        day.reset();
        notice.reset();
        main.reset();
        unsetenv("KOLVANE_HOME");
    }

    // A settings file of an earlier run: last start and exit `minutesAgo` before now, the
    // file itself `ageDays` days old.
    void WriteSettings(double minutesAgo, int ageDays, const std::string& niDir = "") {
        DataIn(home.Path());
        Settings.ni_dir = niDir.empty() ? home.Path() : niDir;
        Settings.smm = Settings.emm = Now() - minutesAgo * kMinute;
        Settings.oto = 0;
        BaseDir = home.Path();
        NullHost host;
        ASSERT_TRUE(SaveSettings(ini, host));
        const long long sec = FakeClock::ToEpochMs(clock.Now()) / 1000 - ageDays * 86400LL;
        struct timeval times[2] = {{sec, 0}, {sec, 0}};
        ASSERT_EQ(utimes(platform::DiskPath(ini).toLocal8Bit().constData(), times), 0);
        ResetGlobals();
    }
    void WriteDay(int year, int month, int day, const char* text) {
        YOTEI days[32];
        store::LoadMonth(home.Path(), home.Path(), year, month, days);
        days[day].HasText = 1;
        days[day].Text = Sj(text);
        ASSERT_TRUE(store::SaveMonth(home.Path(), year, month, days));
    }
    void Make() {
        main = std::make_unique<TfrTavik>();
        notice = std::make_unique<TfrYotei>();
        day = std::make_unique<TfrYo3>();
        life = std::make_unique<MainLifecycle>(*main, *notice, *day);
        modals.Answer<TfrYotei>([this](TfrYotei& n) {
            startShown.push_back(n.MemoText());
            n.done(TfrYotei::kResultOk);
        });
        modals.Answer<Tfryotei2>([this](Tfryotei2& n) {
            exitShown.push_back(platform::ToCp932(n.tx_yo->toPlainText()) + "|" +
                                platform::ToCp932(n.tx_yo2->toPlainText()));
            std::string bytes;
            platform::ReadWholeFile(MonthFileName(home.Path(), 2004, 5), bytes);
            monthAtExitNotice = bytes;
        });
    }
    std::string Month() const {
        std::string bytes;
        platform::ReadWholeFile(MonthFileName(home.Path(), 2004, 5), bytes);
        return bytes;
    }

    TempFolder home;
    FakeClock clock;
    FakeMessages messages;
    FakeModalRuns modals;
    FakeFrames frames;
    FakeTray tray;
    RecordingSound sound;
    FakeAccessories accessories;
    std::string ini;
    std::unique_ptr<TfrTavik> main;
    std::unique_ptr<TfrYotei> notice;
    std::unique_ptr<TfrYo3> day;
    std::unique_ptr<MainLifecycle> life;
    std::vector<std::string> startShown, exitShown;
    std::string monthAtExitNotice;
};

TEST_F(Startup, NoticesFollowTheAgeOfTheLastRun) {
    struct Case {
        const char* name;
        bool iniExists;
        double minutesAgo;
        int ageDays;
        bool notices;
    } cases[] = {
        {"no settings file", false, 0, 0, false},
        {"three minutes ago", true, 3, 0, false},
        {"four minutes ago", true, 4, 0, true},
        {"a minute ago, file a day old", true, 1, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        if (c.iniExists) WriteSettings(c.minutesAgo, c.ageDays);
        WriteDay(2004, 5, 3, "10:00 会議");
        WriteDay(2004, 5, 4, "歯医者");
        const std::string iniBefore = home.Read(SettingsFileName());
        Make();
        ASSERT_TRUE(life->FormShow());
        EXPECT_EQ(life->StartState(), MainLifecycle::kStarted);
        EXPECT_EQ(IniPath, ini);
        EXPECT_EQ(BaseDir, home.Path());
        EXPECT_EQ(startShown.size(), c.notices ? 1u : 0u);
        if (c.notices) {
            EXPECT_EQ(startShown[0], Sj("10:00 会議"));
        }
        // The day text stays in the day window after the notice.
        EXPECT_EQ(day->MemoText(), Sj("10:00 会議"));
        EXPECT_DOUBLE_EQ(Settings.smm, Now());
        EXPECT_TRUE(main->isVisible());
        EXPECT_TRUE(day->isVisible());

        day->TakeEdit(U("10:00 会議\n追加"));
        EXPECT_TRUE(life->FormCloseQuery());
        // The day's edit reached the month file before the exit notice came up.
        EXPECT_EQ(exitShown.size(), c.notices ? 1u : 0u);
        if (c.notices) {
            EXPECT_NE(monthAtExitNotice.find(Sj("追加")), std::string::npos);
            EXPECT_EQ(exitShown[0], Sj("10:00 会議\n追加|歯医者"));
        }
        EXPECT_NE(Month().find(Sj("追加")), std::string::npos);
        ASSERT_TRUE(home.Exists(SettingsFileName()));
        EXPECT_DOUBLE_EQ(Settings.emm, Now());
        // The farewell comes last, after the settings file is written.
        ASSERT_EQ(sound.sync.size(), Settings.oto != 1 ? 1u : 0u);
        if (!sound.sync.empty()) {
            EXPECT_EQ(sound.sync[0], platform::JoinPath(AppDir, "tukare.wav"));
            EXPECT_EQ(sound.settingsAtSync[0], home.Read(SettingsFileName()));
            EXPECT_NE(sound.settingsAtSync[0], iniBefore);
        }
        // A second shutdown does nothing.
        const std::string written = home.Read(SettingsFileName());
        life->end_prc();
        EXPECT_EQ(home.Read(SettingsFileName()), written);
        EXPECT_EQ(exitShown.size(), c.notices ? 1u : 0u);
    }
}

TEST_F(Startup, AbandonedStartWritesNothing) {
    struct Case {
        const char* name;
        std::function<void(Startup&)> prepare;
        size_t boxes;
    } cases[] = {
        {"diary folder missing", [](Startup& t) { t.WriteSettings(10, 0, t.home.File("missing")); },
         3},
        {"schedule folder left empty",
         [](Startup& t) {
             t.home.Write(SettingsFileName(), "[path]\r\ndat_Path=\r\n");
             t.accessories.settingsDialog = [] { Settings.dat_Path.clear(); };
         },
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        Make();
        c.prepare(*this);
        const std::string before = home.Read(SettingsFileName());
        EXPECT_FALSE(life->FormShow());
        EXPECT_EQ(life->StartState(), MainLifecycle::kAbandoned);
        ASSERT_EQ(messages.shown.size(), c.boxes);
        if (c.boxes == 3) {
            // The hot key is set before the folders are checked, as on every start.
            EXPECT_EQ(messages.shown[0].text, QString::fromUtf8("ﾎｯﾄｷｰの設定に失敗しました。"));
            EXPECT_EQ(messages.shown[1].kind, platform::MsgKind::Warning);
            EXPECT_EQ(messages.shown[2].kind, platform::MsgKind::Warning);
        }
        life->NoteWindowManagerClose();
        EXPECT_TRUE(life->FormCloseQuery());
        life->end_prc();
        EXPECT_EQ(home.Read(SettingsFileName()), before);
        EXPECT_FALSE(platform::FileExists(MonthFileName(home.Path(), 2004, 5)));
        EXPECT_TRUE(sound.sync.empty());
        EXPECT_TRUE(startShown.empty());
        EXPECT_EQ(messages.shown.size(), c.boxes);  // no exit question
    }
}

TEST_F(Startup, CloseQuestion) {
    const QString question = QString::fromUtf8(
        "Kolvaneを終了すると、スケジュールの自動案内が行えません。\r\n"
        "本当に終了してもよろしいですか？");
    struct Case {
        const char* name;
        int endChk;
        bool byWindowManager;
        int answer;
        bool asked;
        bool closes;
    } cases[] = {
        {"title bar, yes", 0, true, platform::kBtnYes, true, true},
        {"title bar, no", 0, true, platform::kBtnNo, true, false},
        {"title bar, box closed", 0, true, 0, true, false},
        {"title bar, question off", 1, true, 0, false, true},
        {"menu exit", 0, false, 0, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        WriteSettings(1, 0);
        Make();
        ASSERT_TRUE(life->FormShow());
        Settings.END_CHK = static_cast<uint8_t>(c.endChk);
        messages.shown.clear();
        messages.answers = {c.answer};
        if (c.byWindowManager) life->NoteWindowManagerClose();
        EXPECT_EQ(life->FormCloseQuery(), c.closes);
        ASSERT_EQ(messages.shown.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_EQ(messages.shown[0].text, question);
            EXPECT_EQ(messages.shown[0].kind, platform::MsgKind::Warning);
            EXPECT_EQ(messages.shown[0].buttons,
                      (std::vector<int>{platform::kBtnYes, platform::kBtnNo}));
        }
        EXPECT_EQ(sound.sync.empty(), !c.closes || Settings.oto == 1);
    }
}

TEST_F(Startup, RefusedCloseDoesNotAskAgainFromTheMenu) {
    WriteSettings(1, 0);
    Make();
    ASSERT_TRUE(life->FormShow());
    messages.shown.clear();
    messages.answers = {platform::kBtnNo};
    life->NoteWindowManagerClose();
    EXPECT_FALSE(life->FormCloseQuery());
    EXPECT_FALSE(life->ClosedByWmClose());
    EXPECT_TRUE(life->FormCloseQuery());
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(Startup, WindowsArePlacedFromTheSettings) {
    WriteSettings(1, 0);
    Make();
    ASSERT_TRUE(life->FormShow());
    const TLWH& b = Settings.yo3_tlwh;
    EXPECT_EQ(b.t, main->y() + main->height());
    EXPECT_EQ(b.l, main->x());
    EXPECT_EQ(b.w, main->width());
    EXPECT_EQ(day->geometry().top(), b.t);
    EXPECT_EQ(MainFullHeight, TfrTavik::kClientHeight);
    // Placed by the program even at (0, 0), not by the window manager.
    EXPECT_TRUE(main->testAttribute(Qt::WA_Moved));
}

TEST_F(Startup, DayWindowGoesBelowTheMainWindowsFrame) {
    // An unset place of the day window: below the frame of the main window with its calendar
    // shown, also when the start collapsed it (the day window then covered the calendar as
    // soon as it was expanded, and that place was stored for every later start).
    struct {
        uint8_t cal_flg;
        QMargins frame;
    } const cases[] = {
        {0, QMargins(1, 21, 1, 1)},  // openbox: a 20-pixel title bar and a 1-pixel border
        {1, QMargins(1, 21, 1, 1)},
        {1, QMargins(4, 27, 4, 4)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.cal_flg) << " top " << c.frame.top());
        life.reset();
        day.reset();
        notice.reset();
        main.reset();
        ResetGlobals();
        Settings.cal_flg = c.cal_flg;
        WriteSettings(1, 0);
        Make();
        frames.frame = c.frame;
        ASSERT_TRUE(life->FormShow());
        const TLWH& b = Settings.yo3_tlwh;
        // The frame at the stored place (0, 0), the client area inside it.
        EXPECT_EQ(main->geometry().topLeft(), QPoint(c.frame.left(), c.frame.top()));
        EXPECT_EQ(b.t, c.frame.top() + TfrTavik::kClientHeight + c.frame.bottom());
        EXPECT_EQ(b.l, 0);
        EXPECT_EQ(b.w, TfrTavik::kClientWidth + c.frame.left() + c.frame.right());
        if (c.cal_flg == 0) {
            EXPECT_EQ(day->geometry().top(), b.t);
        }
    }
}

TEST_F(Startup, CollapsedMainWindowKeepsItsFrameOnTheScreen) {
    // Resizing after the move made the client area land on the stored place and the title
    // bar above the screen; the next exit then stored a place higher by the frame.
    Settings.cal_flg = 1;
    WriteSettings(1, 0);
    Make();
    frames.frame = QMargins(1, 21, 1, 1);
    ASSERT_TRUE(life->FormShow());
    EXPECT_NE(main->height(), MainFullHeight) << "collapsed";
    EXPECT_EQ(main->geometry().topLeft(), QPoint(1, 21));
}

TEST_F(Startup, DayWindowAtStartFollowsTheCalendarAndTheTray) {
    struct {
        uint8_t rendo;
        bool collapsed, intoTray, shown;
    } const cases[] = {
        {0, false, false, true}, {0, true, false, false}, {0, false, true, false},
        {0, true, true, false},  {1, true, false, true},  {1, false, true, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DayWindowShownAtStart(c.rendo, c.collapsed, c.intoTray), c.shown)
            << int(c.rendo) << c.collapsed << c.intoTray;

    Settings.cal_flg = 1;
    WriteSettings(1, 0);
    Make();
    ASSERT_TRUE(life->FormShow());
    EXPECT_TRUE(main->isVisible());
    EXPECT_FALSE(day->isVisible());
}

TEST_F(Startup, DayWindowTabGoesToTheMainWindowAndRestoreWaitsForItsHiding) {
    WriteSettings(1, 0);
    Make();
    ASSERT_TRUE(life->FormShow());
    day->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(day.get()));
    day->tx_yo->setFocus();
    QTest::keyClick(day->tx_yo, Qt::Key_Tab);
    EXPECT_TRUE(QTest::qWaitForWindowActive(main.get()));
    QAction* restore = day->findChild<QAction*>(QStringLiteral("mnuFukugen"));
    ASSERT_NE(restore, nullptr);
    day->PopupMenu2Popup();
    EXPECT_FALSE(restore->isEnabled());
    main->hide();
    day->PopupMenu2Popup();
    EXPECT_TRUE(restore->isEnabled());
}

bool OnTop(QWidget& w) {
    return w.windowHandle() && (w.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
}

TEST_F(Startup, AlwaysOnTopWithTheCollapsedStripUntilTheExit) {
    struct Case {
        const char* name;
        int zen, calFlg, aikon;
        bool onTop;
    } cases[] = {
        {"collapsed, on top", 1, 1, 0, true},
        {"calendar shown", 1, 0, 0, false},
        {"started as tray icon", 1, 1, 1, false},
        {"setting off", 0, 1, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Settings.zen = static_cast<uint8_t>(c.zen);
        Settings.cal_flg = static_cast<uint8_t>(c.calFlg);
        Settings.aikon = static_cast<uint8_t>(c.aikon);
        WriteSettings(1, 0);
        Make();
        main->show();
        ASSERT_TRUE(life->FormShow());
        EXPECT_EQ(OnTop(*main), c.onTop);
        EXPECT_EQ(main->height() < MainFullHeight, c.calFlg == 1 && c.aikon == 0);
        life->end_prc();
        EXPECT_FALSE(OnTop(*main));
        TearDown();
        SetUp();
    }
}

TEST_F(Startup, LauncherPictureFromTheSettingsBeforeTheStartNotice) {
    const std::string bmp = home.File("launch.bmp");
    QImage image(30, 40, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(platform::DiskPath(bmp), "BMP"));
    Settings.bmp_path = bmp;
    WriteSettings(10, 0);
    WriteDay(2004, 5, 3, "10:00 会議");
    Make();
    QSize noticePicture;
    modals.Answer<TfrYotei>([&](TfrYotei& n) {
        const QList<QSize> sizes = n.pic1->icon().availableSizes();
        if (!sizes.isEmpty()) noticePicture = sizes[0];
        n.done(TfrYotei::kResultOk);
    });
    ASSERT_TRUE(life->FormShow());
    EXPECT_EQ(noticePicture, QSize(30, 40));
    EXPECT_FALSE(main->pic->pixmap().isNull());
}

TEST_F(Startup, ExitWhoseDayCannotBeSavedKeepsTheProgramRunning) {
    WriteSettings(10, 0);
    Make();
    ASSERT_TRUE(life->FormShow());
    const std::string iniBefore = home.Read(SettingsFileName());
    day->TakeEdit(U("書いたばかり"));
    const std::string folder = Settings.dat_Path;
    Settings.dat_Path = home.File("gone");
    messages.shown.clear();
    ASSERT_TRUE(main->HideToTray());  // the exit comes from the tray menu

    EXPECT_FALSE(life->FormCloseQuery());
    EXPECT_EQ(day->MemoText(), Sj("書いたばかり"));
    EXPECT_TRUE(main->isVisible() && day->isVisible()) << "the text that stays is shown";
    EXPECT_TRUE(exitShown.empty());
    EXPECT_TRUE(sound.sync.empty());
    EXPECT_EQ(home.Read(SettingsFileName()), iniBefore) << "nothing of the shutdown ran";
    ASSERT_EQ(messages.shown.size(), 1u);
    // The clock goes on.
    clock.Advance(2000);
    EXPECT_EQ(main->tx_time2->text(), QStringLiteral("9:00:02"));

    Settings.dat_Path = folder;
    EXPECT_TRUE(life->FormCloseQuery());
    EXPECT_NE(Month().find(Sj("書いたばかり")), std::string::npos);
    EXPECT_EQ(exitShown.size(), 1u);
}

TEST_F(Startup, ExitWaitsForAToDoListThatCannotBeSaved) {
    WriteSettings(10, 0);
    Make();
    ASSERT_TRUE(life->FormShow());
    const std::string iniBefore = home.Read(SettingsFileName());
    accessories.toDoSaves = false;
    EXPECT_FALSE(life->FormCloseQuery());
    EXPECT_TRUE(exitShown.empty());
    EXPECT_EQ(home.Read(SettingsFileName()), iniBefore) << "nothing of the shutdown ran";

    accessories.toDoSaves = true;
    accessories.calls.clear();
    EXPECT_TRUE(life->FormCloseQuery());
    EXPECT_EQ(std::count(accessories.calls.begin(), accessories.calls.end(), "SaveToDoList"), 1);
    EXPECT_EQ(exitShown.size(), 1u);
}

TEST_F(Startup, SessionSaveAlsoSavesTheToDoList) {
    WriteSettings(10, 0);
    Make();
    ASSERT_TRUE(life->FormShow());
    accessories.calls.clear();
    life->SaveForSession();
    EXPECT_EQ(accessories.calls, std::vector<std::string>{"SaveToDoList"});
}

TEST_F(Startup, SessionSaveKeepsTheProgramGoing) {
    WriteSettings(10, 0);
    Make();
    ASSERT_TRUE(life->FormShow());
    day->TakeEdit(U("途中まで"));
    life->SaveForSession();
    EXPECT_NE(Month().find(Sj("途中まで")), std::string::npos);
    EXPECT_TRUE(exitShown.empty());
    EXPECT_EQ(day->MemoText(), Sj("途中まで")) << "still today, still editable";
    // The real end later still runs the whole shutdown.
    day->TakeEdit(U("最後まで"));
    EXPECT_TRUE(life->end_prc());
    EXPECT_NE(Month().find(Sj("最後まで")), std::string::npos);
    EXPECT_EQ(exitShown.size(), 1u);
}

TEST_F(Startup, FirstExpandAfterACollapsedStartSounds) {
    Settings.cal_flg = 1;
    WriteSettings(1, 0);
    Make();
    ASSERT_TRUE(life->FormShow());
    sound.async.clear();
    main->bt_calClick();
    ASSERT_EQ(main->height(), MainFullHeight);
    ASSERT_FALSE(sound.async.empty());
    EXPECT_EQ(sound.async.back(), platform::JoinPath(AppDir, "goyo.wav"));
}

TEST_F(Startup, StartIntoTheTrayShowsTheUserIcon) {
    const std::string ico = home.File("own.ico");
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(platform::DiskPath(ico), "ICO"));
    Settings.ico_path = ico;
    Settings.aikon = 1;
    WriteSettings(1, 0);
    Make();
    ASSERT_TRUE(life->FormShow());
    ASSERT_TRUE(tray.shown);
    const QImage shown = tray.icon.pixmap(32, 32).toImage();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(QColor(shown.pixel(16, 16)), QColor(Qt::green));
}

}  // namespace

TEST_F(Startup, AccessoriesAtTheirSteps) {
    struct Case {
        const char* name;
        double minutesAgo;
        int todozan, todoDisp;
        std::vector<std::string> atStart;
    } cases[] = {
        {"alert due, list not asked for",
         10,
         3,
         0,
         {"ClearOpenMemoTable", "RestoreOpenMemos", "ShowToDoAlert"}},
        {"no alert days", 10, 0, 0, {"ClearOpenMemoTable", "RestoreOpenMemos"}},
        {"within 3 minutes: no alert",
         1,
         3,
         1,
         {"ClearOpenMemoTable", "RestoreOpenMemos", "ShowToDoListAtStart"}},
        {"alert and list",
         10,
         3,
         1,
         {"ClearOpenMemoTable", "RestoreOpenMemos", "ShowToDoAlert", "ShowToDoListAtStart"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Settings.todozan = static_cast<uint8_t>(c.todozan);
        Settings.todo_Disp_flg = static_cast<uint8_t>(c.todoDisp);
        WriteSettings(c.minutesAgo, 0);
        Make();
        ASSERT_TRUE(life->FormShow());
        EXPECT_EQ(accessories.calls, c.atStart);
        accessories.calls.clear();
        life->end_prc();
        // The open notes are listed before anything else of the shutdown can fail.
        ASSERT_FALSE(accessories.calls.empty());
        EXPECT_EQ(accessories.calls.front(), "SaveOpenMemos");
        accessories.calls.clear();
        TearDown();
        SetUp();
    }
}

TEST_F(Startup, TerminationEndsAndRescuesAMonthThatCannotBeSaved) {
    WriteSettings(10, 0);
    Make();
    ASSERT_TRUE(life->FormShow());
    day->TakeEdit(U("書いたばかり\n@9:30 会議"));
    MonthDays[20].HasText = 1;
    MonthDays[20].Text = Sj("二十日の予定");
    // A folder where the month file belongs: nothing can be written there.
    ASSERT_TRUE(QDir(platform::DiskPath(home.Path())).mkdir(QStringLiteral("200405.yo2")));
    accessories.toDoSaves = false;
    messages.shown.clear();

    life->EndForTermination();
    EXPECT_TRUE(messages.shown.empty()) << "nobody is there to answer";
    EXPECT_TRUE(exitShown.empty()) << "no notice holds up a logout";
    EXPECT_DOUBLE_EQ(Settings.emm, Now()) << "the shutdown went on to the settings";
    EXPECT_EQ(home.Read("rescue-20040503-090000.txt"),
              Sj("[2004/05/03]\r\n書いたばかり\r\n@9:30 会議\r\n\r\n"
                 "[2004/05/20]\r\n二十日の予定\r\n\r\n"));
    EXPECT_TRUE(life->end_prc()) << "ended once";
}

TEST_F(Startup, TerminationWithSavedMonthLeavesNoRescueFile) {
    WriteSettings(10, 0);
    Make();
    ASSERT_TRUE(life->FormShow());
    day->TakeEdit(U("書いたばかり"));
    life->EndForTermination();
    EXPECT_NE(Month().find(Sj("書いたばかり")), std::string::npos);
    EXPECT_EQ(QDir(platform::DiskPath(home.Path()))
                  .entryList({QStringLiteral("rescue-*")}, QDir::Files)
                  .size(),
              0);
}

TEST_F(Startup, SettingsFileInAnotherCaseIsReadAndWrittenBack) {
    WriteSettings(10, 0);
    ASSERT_TRUE(
        QFile::rename(platform::DiskPath(ini), platform::DiskPath(home.File("Kolvane32.Ini"))));
    WriteDay(2004, 5, 3, "10:00 会議");
    Make();
    ASSERT_TRUE(life->FormShow());
    EXPECT_EQ(IniPath, home.File("Kolvane32.Ini"));
    // The last run's file was read: ten minutes ago brings the start notice.
    EXPECT_EQ(startShown.size(), 1u);
    EXPECT_TRUE(life->FormCloseQuery());
    const QStringList settingsFiles =
        QDir(platform::DiskPath(home.Path()))
            .entryList({QStringLiteral("kolvane32.ini")}, QDir::Files | QDir::CaseSensitive);
    EXPECT_TRUE(settingsFiles.isEmpty());
    const QStringList all = QDir(platform::DiskPath(home.Path())).entryList(QDir::Files);
    EXPECT_EQ(all.filter(QStringLiteral("kolvane32"), Qt::CaseInsensitive)
                  .filter(QStringLiteral(".ini"), Qt::CaseInsensitive),
              QStringList{QStringLiteral("Kolvane32.Ini")});
    EXPECT_FALSE(home.Exists(SettingsFileName()));
}

TEST_F(Startup, StartMakesTheDataFolderAndSweepsStaleTemporaries) {
    WriteSettings(10, 0);
    ASSERT_TRUE(home.Write(".kolvane-save-gDaWTY.tmp", "half a save"));
    ASSERT_TRUE(home.Write("200405.yo2.gDaWTY", "the user's own"));
    const long long sec = FakeClock::ToEpochMs(clock.Now()) / 1000 - 86400;
    for (const char* name : {".kolvane-save-gDaWTY.tmp", "200405.yo2.gDaWTY"}) {
        struct timeval times[2] = {{sec, 0}, {sec, 0}};
        ASSERT_EQ(utimes(platform::DiskPath(home.File(name)).toLocal8Bit().constData(), times), 0);
    }
    Make();
    ASSERT_TRUE(life->FormShow());
    EXPECT_FALSE(home.Exists(".kolvane-save-gDaWTY.tmp"));
    EXPECT_TRUE(home.Exists("200405.yo2.gDaWTY"));

    TearDown();
    SetUp();
    const std::string fresh = home.File("new/kolvane");
    setenv("KOLVANE_HOME", fresh.c_str(), 1);
    Make();
    life->FormShow();
    EXPECT_TRUE(platform::IsFolder(fresh));
    EXPECT_EQ(BaseDir, fresh);
}

// Settings that cannot be written at exit: the user may try again or end without them, and a
// termination asks nobody. A file that could not be read at the start is never written over.
TEST_F(Startup, ExitSaysWhenTheSettingsCannotBeWritten) {
    using namespace platform;
    struct {
        const char* name;
        std::deque<int> answers;
        bool roomOnFirstBox, terminating, unreadableAtStart, saved;
    } const cases[] = {
        {"cancel", {kBtnCancel}, false, false, false, false},
        {"retry after room was made", {kBtnRetry}, true, false, false, true},
        {"retry in vain, then cancel", {kBtnRetry, kBtnCancel}, false, false, false, false},
        {"termination", {}, false, true, false, false},
        {"unreadable at the start", {kBtnOk}, false, false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteSettings(10, 0);
        ReadFault fault;
        if (c.unreadableAtStart) fault.paths.insert(ini);
        Make();
        ASSERT_TRUE(life->FormShow());
        if (c.unreadableAtStart) {
            ASSERT_FALSE(messages.shown.empty());
            EXPECT_EQ(messages.shown[0].text, FromCp932(store::UnreadableMessage(ini)));
        }
        fault.on = false;
        Settings.oto = 0;  // the farewell sound marks the end of the exit
        const std::string before = home.Read(SettingsFileName());
        TempFolder elsewhere;
        if (!c.unreadableAtStart)
            IniPath = elsewhere.File("gone/" + std::string(SettingsFileName()));
        messages.shown.clear();
        messages.answers = c.answers;
        messages.onShow = [&] {
            if (c.roomOnFirstBox) QDir().mkpath(DiskPath(elsewhere.File("gone")));
        };
        if (c.terminating) {
            life->EndForTermination();
        } else {
            EXPECT_TRUE(life->FormCloseQuery()) << "the exit goes on";
        }
        messages.onShow = nullptr;
        EXPECT_EQ(sound.sync.size(), 1u);
        if (!c.unreadableAtStart) {
            EXPECT_EQ(FileExists(IniPath), c.saved);
        }
        ASSERT_EQ(messages.shown.size(), c.answers.size());
        if (c.unreadableAtStart) {
            EXPECT_EQ(messages.shown[0].text, FromCp932(store::NotSavedOverMessage(ini)));
            EXPECT_EQ(home.Read(SettingsFileName()), before);
        } else if (!c.answers.empty()) {
            EXPECT_EQ(messages.shown[0].text,
                      QStringLiteral("設定ファイル[%1]に書き込めませんでした。\r\n再試行しますか？ "
                                     "キャンセルすると、設定を保存せずに終了します。")
                          .arg(DiskPath(IniPath)));
            EXPECT_EQ(messages.shown[0].buttons, (std::vector<int>{kBtnRetry, kBtnCancel}));
        }
        TearDown();
        SetUp();
    }
}
