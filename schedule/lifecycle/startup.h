// Start-up and shutdown of the schedule book around the main window.
#pragma once

#include <QMargins>
#include <cstdint>

#include "close_host.h"
#include "settings_file.h"

class QWidget;

namespace schedule {

class TfrTavik;
class TfrYotei;
class TfrYo3;
class Tfryotei2;

class MainLifecycle : public SettingsHost, public CloseHost {
  public:
    static constexpr int kNotStarted = 0;
    static constexpr int kStarted = 1;
    static constexpr int kAbandoned = 12;

    MainLifecycle(TfrTavik& main, TfrYotei& startNotice, TfrYo3& day);

    // First show of the main window. False when the program must end at once: the settings
    // were refused or a data folder is still missing (nothing is written then).
    bool FormShow();
    // The user closed the window through the window manager (title bar, Alt+F4).
    void NoteWindowManagerClose() { closedByWmClose_ = true; }
    // Whether the close may go on; runs the shutdown work when it does.
    bool FormCloseQuery();
    // CloseHost: the main window's close, noted when it came through the window manager.
    bool MayClose(bool byWindowManager) override;
    // Shutdown work without any question; runs once, and only after a completed start. False
    // when the day's text could not be saved: nothing else is done and the program runs on.
    bool end_prc();
    // The shutdown of a termination (a signal): nobody answers, nothing may stop it, no exit
    // notice. What can be saved is saved; a month that cannot be goes to a rescue file in the
    // data folder.
    void EndForTermination();
    // The session manager asks for the data (the session may still go on): the day's text is
    // saved, nothing ends.
    void SaveForSession();

    int StartState() const { return startState_; }
    bool ClosedByWmClose() const { return closedByWmClose_; }

    // SettingsHost
    void ShowSettingsDialog() override;
    void MainWindowTopLeft(int16_t& top, int16_t& left) override;

  private:
    void PlaceMainWindow();
    void PlaceDayWindow();
    void GiveStartFocus();
    bool Shutdown(bool terminating);
    void WriteRescue();
    void ShowExitNotice();
    // Says so when the settings cannot be written; the user may try again or end without them.
    void SaveSettingsAtExit();

    TfrTavik& main_;
    TfrYotei& start_;
    TfrYo3& day_;
    QMargins mainFrame_;  // asked of the window manager once per start
    int startState_ = kNotStarted;
    bool closedByWmClose_ = false;
    bool ended_ = false;
};

// Whether the start shows the day window: one that follows the main window is hidden while
// the calendar is collapsed and while the program starts into the tray.
bool DayWindowShownAtStart(uint8_t rendo, bool collapsed, bool intoTray);

}  // namespace schedule
