#include "startup.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cstdio>

#include "accessory_windows.h"
#include "alarm_engine.h"
#include "calendar_rules.h"
#include "cp932.h"
#include "date_time.h"
#include "day_window.h"
#include "desktop_session.h"
#include "exit_notice.h"
#include "folders.h"
#include "globals.h"
#include "installed_layout.h"
#include "main_window.h"
#include "message_box.h"
#include "modal_run.h"
#include "paths.h"
#include "rescue_file.h"
#include "schedule_store.h"
#include "sound.h"
#include "stale_temporaries.h"
#include "start_notice.h"
#include "text_helpers.h"
#include "tray.h"
#include "unreadable_files.h"
#include "window_flags.h"
#include "window_frame.h"

using namespace foundation;

namespace schedule {

MainLifecycle::MainLifecycle(TfrTavik& main, TfrYotei& startNotice, TfrYo3& day)
    : main_(main), start_(startNotice), day_(day) {
    // Tab in the day window hands the focus to the main window; its restore item is offered
    // while the main window is hidden.
    day_.SetMainWindow(&main_);
}

void MainLifecycle::ShowSettingsDialog() { Accessories().ShowSettingsDialog(); }

bool MainLifecycle::MayClose(bool byWindowManager) {
    if (byWindowManager) NoteWindowManagerClose();
    return FormCloseQuery();
}

void MainLifecycle::MainWindowTopLeft(int16_t& top, int16_t& left) {
    const QPoint p = platform::PlaceToStore(&main_, QPoint(left, top));
    top = static_cast<int16_t>(p.y());
    left = static_cast<int16_t>(p.x());
}

bool MainLifecycle::FormShow() {
    if (startState_ != kNotStarted) return true;
    main_.BecomeMainWnd();
    closedByWmClose_ = false;
    Settings.TM_TT = 15000;
    NavBusy = 0;
    MainFullHeight = main_.height();

    AppDir = platform::ShippedFilesDir();
    BaseDir = platform::DataHomeDir();
    if (!platform::MakeFolder(BaseDir)) {
        platform::MessageDlg(QStringLiteral("データを置くフォルダ[%1]を作成できません。")
                                 .arg(platform::DiskPath(BaseDir)),
                             platform::MsgKind::Error, {platform::kBtnOk});
        startState_ = kAbandoned;
        return false;
    }
    // One settings file whatever the case of its name: the one there is read and written back.
    IniPath =
        platform::JoinPath(BaseDir, platform::FindNameIgnoringCase(BaseDir, SettingsFileName()));
    Settings.tavik_tlwh.w = static_cast<int16_t>(main_.width());
    Settings.tavik_tlwh.h = static_cast<int16_t>(main_.height());
    Accessories().ClearOpenMemoTable();

    // The notice rule looks at the file as the last run left it.
    const bool iniExists = platform::FileExists(IniPath);
    const int iniAge = iniExists ? FileAgeDays(IniPath) : -1;
    if (!LoadSettings(IniPath, *this)) {
        startState_ = kAbandoned;
        return false;
    }
    const TDateTime lastStart = Settings.smm;
    main_.RegisterHotKey();
    main_.LoadLauncherPicture();
    // Taken before the tray icon appears, so a start into the tray shows it too.
    main_.LoadUserIcon();

    if (CheckFolders()) {
        ShowSettingsDialog();
        if (CheckFolders()) {
            startState_ = kAbandoned;
            return false;
        }
    }
    LoadPrgList();
    PlaceMainWindow();
    Accessories().RestoreOpenMemos();
    day_.ApplyStartSettings();
    Settings.tavik_tlwh.w = static_cast<int16_t>(main_.width());
    Settings.tavik_tlwh.h = static_cast<int16_t>(main_.height());
    // Always on top belongs to the collapsed strip at start; the views lift it later.
    if (Settings.aikon == 0 && Settings.cal_flg == 1) {
        main_.bt_calClick();
        if (Settings.zen == 1) main_.SetTopmost(true);
    }

    DecodeToday(CurYear, CurMonth, CurDay);
    // Reads the month itself.
    main_.ShowMonth(CurYear, CurMonth, CurDay);
    start_.SetMemoText(day_.MemoText());

    if (ShouldShowStartNotice(iniExists, lastStart, iniAge)) {
        if (Settings.kyou_flg == 0) {
            start_.SetPicture(main_.bt_prun->icon());
            if (!start_.MemoText().empty()) {
                if (start_.tm1) start_.tm1->SetInterval(Settings.TM_TT);
                platform::RunModal(start_);
            }
            // Only an edit made in the notice comes back: a day just shown keeps its bytes.
            day_.TakeEdit(start_.ShownText());
        }
        if (Settings.todozan > 0) Accessories().ShowToDoAlert();
    }
    if (Settings.todo_Disp_flg != 0) Accessories().ShowToDoListAtStart();

    PlaceDayWindow();
    // Last, after the collapse resized it: the frame goes where the window was placed.
    platform::PlaceFrameAt(&main_, main_.pos(), mainFrame_);
    main_.show();
    // Shown only where it belongs from the start: no activation is needed to hide it again.
    const bool intoTray = Settings.aikon == 1 && platform::TrayIcon().IsAvailable();
    if (DayWindowShownAtStart(Settings.rendo, main_.height() != MainFullHeight, intoTray))
        day_.show();
    if (!intoTray) GiveStartFocus();
    Settings.smm = Now();
    main_.Alarm().SyncAlarmTimer();
    // Nothing reads the leftovers of earlier runs: cleared once the windows are up.
    RemoveStaleTemporaries(BaseDir, Settings.dat_Path, Settings.memo_path, Settings.ni_dir);
    startState_ = kStarted;
    return true;
}

void MainLifecycle::PlaceMainWindow() {
    // The rules speak of the whole window: its frame as the window manager will draw it.
    mainFrame_ = platform::FrameExtents(&main_);
    const QSize outer = main_.size().grownBy(mainFrame_);
    const std::vector<QRect> screens = platform::ScreenRects();
    const QRect screen = screens.empty() ? QRect(0, 0, 1920, 1080) : screens.front();
    int left = Settings.tavik_tlwh.l;
    int top = Settings.tavik_tlwh.t;
    if (screen.width() - outer.width() < left) left = 0;
    if (screen.height() - outer.height() < top) top = 0;
    main_.move(platform::OntoScreens(QRect(QPoint(left, top), outer), screens));
    // The place is the program's, not the window manager's; the frame is put there when the
    // window is first shown (FormShow), after every resize of the start.
    main_.setAttribute(Qt::WA_Moved);
}

void MainLifecycle::PlaceDayWindow() {
    // Below the window with its calendar shown, even when the start collapsed it: the day
    // window is shown as the calendar is expanded, and its place is stored.
    const QRect outer(main_.pos(), QSize(main_.width(), MainFullHeight).grownBy(mainFrame_));
    TLWH& b = Settings.yo3_tlwh;
    if (b.w < 50) b.w = static_cast<int16_t>(outer.width());
    if (b.h < 50) b.h = static_cast<int16_t>(day_.height());
    // Where the main window's place is unknown, the day window's is not made up from it.
    if (!platform::WindowPlacesKnown()) return;
    // Just below the main window's frame, not below its client area.
    if (b.t < 0) b.t = static_cast<int16_t>(outer.y() + outer.height());
    if (b.l < 0) b.l = static_cast<int16_t>(outer.x());
    const QPoint at = platform::OntoScreens(
        QRect(b.l, b.t, std::max<int>(b.w, 50), std::max<int>(b.h, 50)), platform::ScreenRects());
    b.l = static_cast<int16_t>(at.x());
    b.t = static_cast<int16_t>(at.y());
}

void MainLifecycle::GiveStartFocus() {
    // Typing goes to the day's text at once; with the calendar collapsed, to the main window.
    QWidget* target = day_.isVisible() ? static_cast<QWidget*>(&day_) : &main_;
    if (!target->isVisible()) return;
    target->activateWindow();
    if (QWindow* w = target->windowHandle()) w->requestActivate();
    if (target == &day_) day_.tx_yo->setFocus(Qt::ActiveWindowFocusReason);
}

bool DayWindowShownAtStart(uint8_t rendo, bool collapsed, bool intoTray) {
    if (rendo != 0) return true;
    return !collapsed && !intoTray;
}

bool MainLifecycle::FormCloseQuery() {
    if (startState_ != kStarted || ended_) return true;
    if (closedByWmClose_ && Settings.END_CHK == 0) {
        const int answer = platform::MessageDlg(
            QStringLiteral("Kolvaneを終了すると、スケジュールの自動案内が行えません。\r\n"
                           "本当に終了してもよろしいですか？"),
            platform::MsgKind::Warning, {platform::kBtnYes, platform::kBtnNo});
        // Cleared either way: a later close from the menu must not ask again.
        closedByWmClose_ = false;
        if (answer != platform::kBtnYes) return false;
    }
    return end_prc();
}

void MainLifecycle::SaveForSession() {
    if (startState_ != kStarted || ended_) return;
    main_.SaveOnLeave();
    Accessories().SaveToDoList();
}

bool MainLifecycle::end_prc() { return Shutdown(false); }

void MainLifecycle::EndForTermination() {
    // Nobody may be there to answer: boxes go to the error output.
    platform::UnattendedMessages unattended;
    Shutdown(true);
}

bool MainLifecycle::Shutdown(bool terminating) {
    if (startState_ != kStarted || ended_) return true;
    // No tick may show, roll over or save while the shutdown runs.
    main_.Alarm().StopTimers();
    // A list that cannot be written has asked whether to go on without it; the exit goes on.
    Accessories().SaveOpenMemos();
    const bool wasTopmost = platform::IsTopMost(&main_);
    if (Settings.zen == 1) main_.SetTopmost(false);
    // The month's message has been shown; the text stays in the day window. An open to-do
    // list that cannot be saved stops the exit the same way (it has said so). A termination
    // cannot wait: what the month file did not take goes to a rescue file.
    const bool monthSaved = main_.SaveOnLeave();
    if (!monthSaved && terminating) WriteRescue();
    const bool toDoSaved = Accessories().SaveToDoList();
    if (!terminating && (!monthSaved || !toDoSaved)) {
        if (wasTopmost) main_.SetTopmost(true);
        main_.Alarm().RestartTimers();
        // An exit from the tray: the text that stays must be where the user can see it.
        if (!monthSaved && !main_.isVisible()) main_.RestoreMainWindow();
        return false;
    }
    ended_ = true;
    // Someone logging out or shutting down is not waiting for today's and tomorrow's notice
    // (which stays up to a minute); the session would kill the program before the settings.
    if (!terminating) ShowExitNotice();

    Settings.emm = Now();
    SaveSettingsAtExit();
    if (Settings.oto != 1) platform::PlaySoundSync(ShippedFile("tukare.wav"));
    return true;
}

void MainLifecycle::SaveSettingsAtExit() {
    // The user may make room or give rights and try again; the exit never hangs on it.
    store::SaveOrAskToRetry(
        IniPath, [this] { return SaveSettings(IniPath, *this); },
        QStringLiteral("設定ファイル[%1]に書き込めませんでした。\r\n"
                       "再試行しますか？ キャンセルすると、設定を保存せずに終了します。")
            .arg(platform::DiskPath(IniPath)));
}

void MainLifecycle::ShowExitNotice() {
    // Showing today and tomorrow for the exit notice must not parse the events again.
    main_.StopParsingTodayEvents();

    Tfryotei2 notice;
    notice.SetPicture(main_.bt_prun->icon());
    DecodeToday(CurYear, CurMonth, CurDay);
    // Reads the month itself.
    main_.ShowMonth(CurYear, CurMonth, CurDay);
    notice.SetToday(CurMonth, CurDay, day_.MemoText());
    DecodeTomorrow(CurYear, CurMonth, CurDay);
    LoadMonthSchedule();
    main_.ShowMonth(CurYear, CurMonth, CurDay);
    notice.SetTomorrow(CurMonth, CurDay, day_.MemoText());

    const bool iniExists = platform::FileExists(IniPath);
    const int iniAge = iniExists ? FileAgeDays(IniPath) : -1;
    if (Settings.asu_flg == 0 && ShouldShowExitNotice(iniExists, Settings.emm, iniAge)) {
        if (notice.tm1) notice.tm1->SetInterval(ExitNoticeInterval(Settings.TM_TT));
        platform::RunModal(notice);
    }
}

void MainLifecycle::WriteRescue() {
    const TDateTime now = Now();
    // A full or unwritable data folder must not take the text with it.
    std::string path;
    for (const std::string& folder : RescueFolders(BaseDir)) {
        path = WriteRescueFile(folder, CurYear, CurMonth, MonthDays, now);
        if (!path.empty()) break;
    }
    if (!path.empty()) {
        std::fprintf(stderr, "Kolvane: %s\n",
                     qPrintable(QStringLiteral("保存できなかった予定を %1 に残しました。")
                                    .arg(platform::DiskPath(path))));
    } else if (!RescueText(CurYear, CurMonth, MonthDays).empty()) {
        // Nowhere to write: the session's log is the last place the text can go.
        std::fprintf(stderr, "Kolvane:\n%s\n",
                     qPrintable(platform::FromCp932(RescueText(CurYear, CurMonth, MonthDays))));
    }
}

}  // namespace schedule
