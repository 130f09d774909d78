#include "fake_clock.h"

#include <QDateTime>
#include <QTimeZone>

class FakeTimer : public platform::Timer {
  public:
    FakeTimer(FakeClock* clock, std::shared_ptr<FakeClock::TimerState> s)
        : clock_(clock), s_(std::move(s)) {}
    ~FakeTimer() override { s_->alive = false; }
    void SetInterval(int ms) override {
        s_->interval = ms;
        s_->due = clock_->nowMs_ + ms;
    }
    int Interval() const override { return s_->interval; }
    void SetSingleShot(bool singleShot) override { s_->singleShot = singleShot; }
    void SetHandler(std::function<void()> handler) override { s_->handler = std::move(handler); }

  private:
    FakeClock* clock_;
    std::shared_ptr<FakeClock::TimerState> s_;
};

FakeClock::FakeClock() { Set(2004, 5, 1, 9, 0, 0); }

FakeClock::~FakeClock() = default;

long long FakeClock::ToEpochMs(const platform::LocalDateTime& t) {
    QDateTime dt(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second, t.msec),
                 QTimeZone::utc());
    return dt.toMSecsSinceEpoch();
}

platform::LocalDateTime FakeClock::FromEpochMs(long long ms) {
    QDateTime dt = QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc());
    platform::LocalDateTime r;
    r.year = dt.date().year();
    r.month = dt.date().month();
    r.day = dt.date().day();
    r.hour = dt.time().hour();
    r.minute = dt.time().minute();
    r.second = dt.time().second();
    r.msec = dt.time().msec();
    return r;
}

void FakeClock::Set(int year, int month, int day, int hour, int minute, int second, int msec) {
    platform::LocalDateTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    t.msec = msec;
    nowMs_ = ToEpochMs(t);
}

void FakeClock::Advance(long long ms) {
    const long long end = nowMs_ + ms;
    for (;;) {
        std::shared_ptr<TimerState> next;
        for (auto& t : timers_) {
            if (!t->alive || t->interval <= 0 || t->due > end) continue;
            if (!next || t->due < next->due) next = t;
        }
        if (!next) break;
        nowMs_ = next->due;
        if (next->singleShot)
            next->interval = 0;
        else
            next->due = nowMs_ + next->interval;
        if (next->handler) next->handler();
    }
    nowMs_ = end;
}

platform::LocalDateTime FakeClock::Now() const { return FromEpochMs(nowMs_); }

platform::LocalDateTime FakeClock::FromEpoch(long long seconds) const {
    return FromEpochMs(seconds * 1000);
}

std::unique_ptr<platform::Timer> FakeClock::CreateTimer() {
    auto s = std::make_shared<TimerState>();
    timers_.push_back(s);
    return std::make_unique<FakeTimer>(this, s);
}
