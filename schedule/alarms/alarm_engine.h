// The clock of the main window and everything that runs on it: the clock caption, the chimes
// at :00 and :30, the daily alarm, the countdown and today's timed "@" events. No widgets: the
// main window implements AlarmHost and owns one AlarmEngine.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <string>

#include "clock.h"

namespace schedule {

// One timed event of the parsed day.
struct EVT {
    uint8_t Fired = 0;  // 1 once announced or run
    int16_t Hour = 0;
    int16_t Minute = 0;
    std::string Message;  // CP932; empty for a program event
    std::string Program;  // command line after "^"; empty otherwise
};

constexpr int kMaxDayEvents = 48;
extern EVT EvtList[kMaxDayEvents + 1];  // [1..48]
extern int32_t EvtCount;
extern uint16_t EvtDay;  // day of the month the list was parsed for

// Rebuilds EvtList from a day's text (CP932, CR LF) for CurYear/CurMonth/CurDay; malformed
// "@" lines and the 49th event are reported in message boxes.
void ParseDayEvents(const std::string& text);
// Day count (as TDateTime) of the date EvtList belongs to; 0 before the first parse.
long long ParsedEventDate();
// Empty list, no parsed date (tests).
void ResetEvents();

// Notice texts (CP932).
std::string EventNoticeText(const std::string& message);
std::string AdvanceNoticeText(const std::string& message, int leadMinutes);
std::string AlarmNoticeText();

// What the engine needs of the main window.
class AlarmHost {
  public:
    virtual ~AlarmHost() = default;
    virtual bool IsMinimized() const = 0;
    // The clock button's caption.
    virtual void SetClockCaption(const QString& caption) = 0;
    // The today move: stores and saves the day, shows today and so parses today's events.
    virtual void GoToToday() = 0;
    // A modeless notice with its text (CP932) and the sound it may repeat.
    virtual void ShowNotice(const std::string& text, const std::string& soundFile) = 0;
    // Leaving and returning to the always-on-top band around the alarm dialog (zen 1);
    // the return also puts the program's other topmost windows back on top.
    virtual void LeaveTopmost() = 0;
    virtual void ReturnTopmost() = 0;
};

class AlarmEngine {
  public:
    // Creates the three timers; the clock caption tick runs from here on.
    explicit AlarmEngine(AlarmHost& host);
    ~AlarmEngine();
    AlarmEngine(const AlarmEngine&) = delete;
    AlarmEngine& operator=(const AlarmEngine&) = delete;

    AlarmHost& Host() { return host_; }

    // Aligns the minute tick to the next full minute. The first call (and the first after
    // StopTimers) takes the present minute as handled.
    void SyncAlarmTimer();
    // After the alarm dialog's O.K: (re)starts the countdown when it is on, then aligns.
    void ApplyAlarmDialog();
    // Close query: all three timers stop.
    void StopTimers();
    // After a shutdown that could not go on: the clock and the minute tick run again (a
    // stopped countdown stays stopped).
    void RestartTimers();

    void Timer1Timer();
    void alm_TimerTimer();
    void tt_TimerTimer();

    platform::Timer& Timer1() { return *timer1_; }
    platform::Timer& alm_Timer() { return *almTimer_; }
    platform::Timer& tt_Timer() { return *ttTimer_; }

    // Minutes a late tick catches up at most.
    static constexpr long long kMaxCatchUpMinutes = 24 * 60;

  private:
    void Realign();
    void HandleClockMinute(long long minute, bool present);
    void HandleEventsThrough(long long minute);
    void FireEventsAt(int hour, int minute);

    AlarmHost& host_;
    std::unique_ptr<platform::Timer> timer1_;
    std::unique_ptr<platform::Timer> almTimer_;
    std::unique_ptr<platform::Timer> ttTimer_;
    bool started_ = false;
    bool inTick_ = false;
    long long lastHandled_ = 0;  // minute serial of the clock minute last handled
    long long eventsDone_ = 0;   // minute serial through which events were matched
};

// "h:mm:ss", the hour without a leading zero.
QString ClockCaption(const platform::LocalDateTime& t);
// Minutes since 1899-12-30 0:00 of a local time.
long long MinuteSerial(const platform::LocalDateTime& t);

}  // namespace schedule
