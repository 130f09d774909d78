// The main window: tool strip, month calendar, date caption and the moves of the selected date.
#pragma once

#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "close_host.h"
#include "fonts.h"
#include "globals.h"
#include "navigation.h"
#include "opener_scope.h"

class QButtonGroup;
class QMenu;
namespace platform {
class GlobalHotKey;
}

namespace foundation {
class TSpeedButtonVR;
}

namespace schedule {

class AlarmEngine;
class AlarmHost;
class ExitGate;

class TfrTavik : public QWidget,
                 public foundation::MainDispatcher,
                 public OpenerHost,
                 private CalendarView {
    Q_OBJECT
  public:
    // Client area and font of the window.
    static constexpr int kClientWidth = 204;
    static constexpr int kClientHeight = 243;

    explicit TfrTavik(QWidget* parent = nullptr);
    ~TfrTavik() override;

    // The fonts the window's first frame asks for beyond its own: the default font and the one
    // whose captions need characters of other fonts.
    static std::vector<platform::FontConfigWarmUp::Sample> FirstFrameFonts();

    // Makes this window the target of the private messages (MainWnd).
    void BecomeMainWnd();
    intptr_t Send(unsigned message, intptr_t wParam, intptr_t lParam) override;

    // Tool strip.
    QToolButton* bt_prun = nullptr;
    QToolButton* bt_today = nullptr;
    QToolButton* bt_tuki = nullptr;
    QToolButton* bt_nen = nullptr;
    QToolButton* bt_tel = nullptr;
    QToolButton* bt_memo = nullptr;
    QToolButton* bt_op = nullptr;
    QToolButton* bttodo = nullptr;
    QToolButton* tx_time2 = nullptr;
    QToolButton* bt_SysInfo = nullptr;
    QToolButton* BitBtn1 = nullptr;
    QToolButton* bt_cal = nullptr;
    QWidget* Edit1 = nullptr;
    QLabel* pic = nullptr;

    // Calendar.
    QGroupBox* sf_date = nullptr;
    QLabel* lb_[7] = {};
    foundation::TSpeedButtonVR* bt_ZeDate[7] = {};
    foundation::TSpeedButtonVR* bt_date[31] = {};
    foundation::TSpeedButtonVR* bt_ZiDate[7] = {};
    QToolButton* bt_1nmae = nullptr;
    QToolButton* bt_1mae = nullptr;
    QToolButton* bt_hiJamp = nullptr;
    QToolButton* bt_kyo = nullptr;
    QToolButton* bt_maku = nullptr;
    QToolButton* bt_1tugi = nullptr;
    QToolButton* bt_1ntugi = nullptr;

    CalendarController& Calendar() { return calendar_; }
    // Showing today again for the exit notice must not parse its events again.
    void StopParsingTodayEvents() { todayEventsStopped_ = true; }
    // Clock caption, chimes, alarms and today's timed events.
    AlarmEngine& Alarm() { return *alarm_; }
    void tx_time2Click();

    // Tray, hot key and restore.
    static constexpr int HotKeyId = 0x464;
    QMenu* PopupMenu1 = nullptr;
    void RestoreMainWindow();
    // Another start of the program hands over to this one: to the front, and out of the tray
    // as a double click would bring it.
    void ActivateForSecondStart();
    // Minimise: into the tray when there is one; false when the window minimises as usual.
    bool HideToTray();
    // Ctrl+Shift+Settings.HOTKEY; tells the user when the key could not be set. A desktop that
    // gives programs no key at all is told of once, unless the user has just asked for the key.
    bool RegisterHotKey(bool userAsked = false);
    void TrayNotify(int mouseCode);
    // The user's exit (tray menu, the day window's command); waits for an open modal window.
    void Exit1Click();
    ExitGate& Exits() { return *exitGate_; }
    void RemoveTrayIcon();

    // Asked before the window closes; unset: the close goes on.
    void SetCloseHost(CloseHost* host) { closeHost_ = host; }

    // The always-on-top band (Settings.zen). Leaving it lowers the window below other
    // programs' topmost windows while a dialog of ours is shown.
    void SetTopmost(bool on);
    void LeaveTopmost() override;
    void ReturnTopmost() override;

    // Activation: the day window follows the height, the user's pictures are taken again.
    void FormActivate();
    // The window and tray icon from Settings.ico_path, when that file exists.
    void LoadUserIcon();
    // The launcher picture from Settings.bmp_path, when that file exists.
    void LoadLauncherPicture();

    // Grid and day selection.
    void ShowMonth(int year, int month, int day);
    void cal_ref();
    void SetDayMark(foundation::TSpeedButtonVR* cell, bool on);
    // False when the user went back to the day's text as typed.
    bool StoreDayText();
    // StoreDayText, then the month's files; false when the month could not be saved.
    bool SaveOnLeave() override;
    void bt_date0Click(foundation::TSpeedButtonVR* cell);
    void bt_makuClick();
    void bt_calClick();
    void Edit1KeyUp(int key);

    // Moves.
    void bt_1nmaeClick();
    void bt_1maeClick();
    void bt_1tugiClick();
    void bt_1ntugiClick();
    void bt_kyoClick();
    void GoToToday();
    void sf_dateDblClick();
    void bt_ZeDate0Click(foundation::TSpeedButtonVR* cell);
    void SelectPrevDay();
    void SelectNextDay();
    // True when the key was one of the window's own.
    bool FormKeyUp(int key, Qt::KeyboardModifiers modifiers);
    void lb_0Click();
    void lb_1Click();
    void lb_4Click();

    // Openers of the other windows and programs (tool strip, tray menu, WM_MAIN_COMMAND).
    void bt_todayClick();
    void bt_tukiClick();
    void bt_nenClick();
    void bttodoClick();
    void bt_memoClick();
    void bt_telClick();
    void bt_SysInfoClick();
    void bt_prunClick();
    void mnuRunClick();
    void bt_opClick();
    void mnuOpClick();
    void BitBtn1Click();
    void mnuYoteiSanClick();
    void PopupMenu1Popup();
    // WM_MAIN_COMMAND codes 1-11; other codes do nothing.
    void RunCommand(int code);

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  signals:
    // The window closed (its close was not refused).
    void closed();

  private:
    CloseHost* closeHost_ = nullptr;
    // CalendarView
    void ApplyLayout(const MonthLayout& layout) override;
    void ShowDateCaption(int year, int month, const std::string& weekdayKanji, int day) override;
    foundation::TextTake TakeDayText(std::string& text) override;
    void SetDayText(const std::string& text) override;
    void SetDayStyle(int day, const FontStyle& style) override;
    void SetDayMark(int day, bool on) override;
    void PressDay(int day) override;
    void FocusDayText() override;
    bool DayWindowVisible() const override;
    bool AskJumpTarget(std::string& yearText, std::string& monthText) override;
    // Once the alarms run, until StopParsingTodayEvents.
    void ParseTodayEvents(const std::string& dayText) override;

    void BuildToolStrip();
    void BuildCalendar();
    void PlayHeaderSound(int column);
    bool OwnsWidget(QObject* object) const;

    void BuildTrayMenu();
    void ConnectOpeners();
    // After the month view or the search: the day window and the grid for the date given back.
    void ShowDayAfterView();
    // The icon and launcher picture after the options changed the settings.
    void ApplyOptionsPictures(const QIcon& hubIcon, const QPixmap& hubPicture);
    QPixmap LauncherPicture() const;
    // Closes open year and month views; then() runs once they have gone. Nothing runs when a
    // view stays open (its month could not be saved and the user kept it).
    void CloseViewsThen(std::function<void()> then);
    void FirstResize();
    void ShowTrayIcon();

    CalendarController calendar_;
    std::unique_ptr<AlarmHost> alarmHost_;
    std::unique_ptr<AlarmEngine> alarm_;
    bool todayEventsStopped_ = false;
    void StartAlarms();
    QButtonGroup* cells_ = nullptr;
    platform::GlobalHotKey* hotKey_ = nullptr;
    bool hotKeyAsked_ = false;
    void TellNoHotKey();
    std::unique_ptr<ExitGate> exitGate_;
    std::string iconPath_;
    std::string picturePath_;
    bool firstResize_ = true;
    bool skipRestoreSound_ = true;
    // When a click last restored the hidden window; the double click it belongs to must not
    // restore it again.
    QElapsedTimer clickRestored_;
};

}  // namespace schedule
