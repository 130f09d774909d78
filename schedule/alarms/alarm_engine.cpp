#include "alarm_engine.h"

#include <algorithm>

#include "cp932.h"
#include "date_time.h"
#include "day_text.h"
#include "globals.h"
#include "paths.h"
#include "process.h"
#include "settings_record.h"
#include "sound.h"
#include "text_helpers.h"

using namespace foundation;

namespace schedule {

EVT EvtList[kMaxDayEvents + 1];
int32_t EvtCount = 0;
uint16_t EvtDay = 0;

namespace {

constexpr long long kMinutesPerDay = 24 * 60;
constexpr int kClockIntervalMs = 1000;
constexpr int kMinuteMs = 60000;

long long g_parsedDate = 0;

long long DaySerial(int year, int month, int day) {
    TDateTime d = 0;
    if (!TryEncodeDate(year, month, day, d)) return 0;
    return static_cast<long long>(d);
}

std::string ZikanPath() { return ShippedFile("zikan.wav"); }

// Up to two leading digits; the event head check has already accepted them.
int LeadingMinute(const std::string& text) {
    int value = 0;
    for (size_t i = 0; i < text.size() && i < 2; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
    }
    return value;
}

void AddEvent(const std::string& line) {
    const size_t colon = line.find(':');
    const size_t blank = line.find(' ');
    EVT& e = EvtList[++EvtCount];
    e = EVT{};
    e.Hour = static_cast<int16_t>(StrToIntZero(line.substr(1, colon - 1)));
    // Only the checked minute counts: a range "9:30-10:00" or "9:30～10:00" gives 30.
    e.Minute = static_cast<int16_t>(LeadingMinute(line.substr(colon + 1, blank - colon - 1)));
    const std::string rest = line.substr(blank + 1);
    if (!rest.empty() && rest[0] == '^') {
        e.Program = rest.substr(1);
    } else {
        e.Message = rest;
    }
}

}  // namespace

void ParseDayEvents(const std::string& text) {
    EvtCount = 0;
    EvtDay = CurDay;
    g_parsedDate = DaySerial(CurYear, CurMonth, CurDay);
    size_t start = 0;
    while (start < text.size()) {
        const size_t lf = text.find('\n', start);
        std::string line =
            text.substr(start, lf == std::string::npos ? std::string::npos : lf - start);
        // An empty piece is the end of the text.
        if (line.empty()) break;
        start = lf == std::string::npos ? text.size() : lf + 1;
        if (line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] != '@') continue;
        if (CheckAlarmLine(line)) {
            MsgBox(Sj("イベントフォーマットが異常です。(") + line + ")", 0, "");
            continue;
        }
        if (EvtCount >= kMaxDayEvents) {
            MsgBox(Sj("一日最大４８イベントをオーバーしています。"), 1, "");
            return;
        }
        AddEvent(line);
    }
}

long long ParsedEventDate() { return g_parsedDate; }

void ResetEvents() {
    for (EVT& e : EvtList) e = EVT{};
    EvtCount = 0;
    EvtDay = 0;
    g_parsedDate = 0;
}

std::string EventNoticeText(const std::string& message) { return message + Sj(" のお時間です。"); }

std::string AdvanceNoticeText(const std::string& message, int leadMinutes) {
    return message + Sj(" のお時間 ") + std::to_string(leadMinutes) + Sj("分前です。");
}

std::string AlarmNoticeText() { return Sj("アラームで設定した時間です。"); }

QString ClockCaption(const platform::LocalDateTime& t) {
    return QStringLiteral("%1:%2:%3")
        .arg(t.hour)
        .arg(t.minute, 2, 10, QLatin1Char('0'))
        .arg(t.second, 2, 10, QLatin1Char('0'));
}

long long MinuteSerial(const platform::LocalDateTime& t) {
    return DaySerial(t.year, t.month, t.day) * kMinutesPerDay + t.hour * 60 + t.minute;
}

AlarmEngine::AlarmEngine(AlarmHost& host)
    : host_(host),
      timer1_(platform::CurrentTimers().CreateTimer()),
      almTimer_(platform::CurrentTimers().CreateTimer()),
      ttTimer_(platform::CurrentTimers().CreateTimer()) {
    timer1_->SetHandler([this] { Timer1Timer(); });
    almTimer_->SetHandler([this] { alm_TimerTimer(); });
    ttTimer_->SetHandler([this] { tt_TimerTimer(); });
    timer1_->SetInterval(kClockIntervalMs);
}

AlarmEngine::~AlarmEngine() = default;

void AlarmEngine::SyncAlarmTimer() {
    if (!started_) {
        lastHandled_ = MinuteSerial(platform::CurrentClock().Now());
        eventsDone_ = lastHandled_;
        started_ = true;
    }
    Realign();
}

void AlarmEngine::ApplyAlarmDialog() {
    if (Settings.Alarms[3].OnOff == 1) ttTimer_->SetInterval(Settings.Alarms[3].Minute * kMinuteMs);
    SyncAlarmTimer();
}

void AlarmEngine::StopTimers() {
    timer1_->SetInterval(0);
    almTimer_->SetInterval(0);
    ttTimer_->SetInterval(0);
    started_ = false;
}

void AlarmEngine::RestartTimers() {
    timer1_->SetInterval(kClockIntervalMs);
    SyncAlarmTimer();
}

void AlarmEngine::Realign() {
    const platform::LocalDateTime now = platform::CurrentClock().Now();
    int ms = kMinuteMs - (now.second * 1000 + now.msec);
    if (ms <= 0) ms = kMinuteMs;
    almTimer_->SetInterval(ms);
}

void AlarmEngine::Timer1Timer() {
    if (host_.IsMinimized()) return;
    host_.SetClockCaption(ClockCaption(platform::CurrentClock().Now()));
}

void AlarmEngine::alm_TimerTimer() {
    if (!started_) return;
    Realign();
    // A message box of this tick runs a nested loop; the ticks it dispatches wait for it.
    if (inTick_) return;
    inTick_ = true;
    bool rollOverTried = false;
    for (;;) {
        const long long present = MinuteSerial(platform::CurrentClock().Now());
        if (present < lastHandled_ - 1) {
            // The clock was set back: start again from here.
            lastHandled_ = present - 1;
            eventsDone_ = std::min(eventsDone_, lastHandled_);
        }
        if (present <= lastHandled_) break;  // early tick: this minute is done
        lastHandled_ = std::max(lastHandled_, present - kMaxCatchUpMinutes);
        eventsDone_ = std::max(eventsDone_, present - kMaxCatchUpMinutes);
        const long long minute = ++lastHandled_;
        HandleClockMinute(minute, minute == present);
        // Roll-over at most once a tick, so a failing save is not retried minute by minute.
        if (!rollOverTried && minute / kMinutesPerDay != ParsedEventDate() && NavBusy == 0) {
            rollOverTried = true;
            host_.GoToToday();
        }
        HandleEventsThrough(minute);
        // The shutdown may have begun while a box of this tick was open.
        if (!started_) break;
    }
    inTick_ = false;
    if (started_) Realign();
}

void AlarmEngine::HandleClockMinute(long long serial, bool present) {
    const int hour = static_cast<int>(serial % kMinutesPerDay / 60);
    const int minute = static_cast<int>(serial % 60);
    // A chime that comes late tells the wrong time; only the present minute chimes.
    if (present) {
        if (Settings.Alarms[0].OnOff == 1 && minute == 0)
            platform::PlaySoundAsync(Settings.Alarms[0].Wav);
        if (Settings.Alarms[1].OnOff == 1 && minute == 30)
            platform::PlaySoundAsync(Settings.Alarms[1].Wav);
    }
    const AlarmSlot& alarm = Settings.Alarms[2];
    if (alarm.OnOff == 1 && hour == alarm.Hour && minute == alarm.Minute) {
        const std::string wav = alarm.Wav;
        platform::PlaySoundAsync(wav);
        host_.ShowNotice(AlarmNoticeText(), wav);
    }
}

void AlarmEngine::HandleEventsThrough(long long serial) {
    while (eventsDone_ < serial) {
        const long long next = eventsDone_ + 1;
        const long long day = next / kMinutesPerDay;
        // A later day than the list's waits for the roll-over; its minutes are matched then.
        if (day > ParsedEventDate()) break;
        eventsDone_ = next;
        if (day == ParsedEventDate()) {
            FireEventsAt(static_cast<int>(next % kMinutesPerDay / 60), static_cast<int>(next % 60));
        }
    }
}

void AlarmEngine::FireEventsAt(int hour, int minute) {
    // EvtCount is read each time: a box shown here may let today be parsed again.
    for (int i = 1; i <= EvtCount && i <= kMaxDayEvents && started_; ++i) {
        EVT& e = EvtList[i];
        if (e.Fired != 0) continue;
        // Hour 24 passes the head check but is no time of day.
        if (e.Hour < 0 || e.Hour > 23 || e.Minute < 0 || e.Minute > 59) continue;
        const int lead = Settings.shirase;
        const bool advance = lead != 0 && !e.Message.empty();
        int dueHour = e.Hour, dueMinute = e.Minute;
        if (advance) AlarmLeadTime(e.Hour, e.Minute, lead, dueHour, dueMinute);
        if (dueHour != hour || dueMinute != minute) continue;
        e.Fired = 1;
        const std::string program = e.Program;
        const std::string message = e.Message;
        if (!program.empty()) {
            if (!platform::StartCommandLine(platform::FromCp932(program))) {
                MsgBox(Sj("指定されたプログラム(") + program +
                           Sj(")が見つからないので自動実行できませんでした。"),
                       48, "");
            }
            continue;
        }
        if (Settings.oto != 1) platform::PlaySoundAsync(ZikanPath());
        host_.ShowNotice(advance ? AdvanceNoticeText(message, lead) : EventNoticeText(message),
                         ZikanPath());
    }
}

void AlarmEngine::tt_TimerTimer() {
    AlarmSlot& countdown = Settings.Alarms[3];
    const std::string wav = countdown.Wav;
    platform::PlaySoundAsync(wav);
    countdown.OnOff = 0;
    ttTimer_->SetInterval(0);
    host_.ShowNotice(AlarmNoticeText(), wav);
}

}  // namespace schedule
