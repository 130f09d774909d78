#include "clock.h"

#include <QDateTime>
#include <QTimer>
#include <utility>

namespace platform {
namespace {

LocalDateTime FromQt(const QDateTime& t) {
    LocalDateTime r;
    QDate d = t.date();
    QTime tm = t.time();
    r.year = d.year();
    r.month = d.month();
    r.day = d.day();
    r.hour = tm.hour();
    r.minute = tm.minute();
    r.second = tm.second();
    r.msec = tm.msec();
    return r;
}

class SystemClockImpl final : public Clock {
  public:
    LocalDateTime Now() const override { return FromQt(QDateTime::currentDateTime()); }
    LocalDateTime FromEpoch(long long seconds) const override {
        return FromQt(QDateTime::fromSecsSinceEpoch(seconds));
    }
};

class QtTimer final : public Timer {
  public:
    QtTimer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (handler_) handler_();
        });
    }
    void SetInterval(int ms) override {
        interval_ = ms;
        timer_.stop();
        if (ms > 0) timer_.start(ms);
    }
    int Interval() const override { return interval_; }
    void SetSingleShot(bool singleShot) override { timer_.setSingleShot(singleShot); }
    void SetHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

  private:
    QTimer timer_;
    int interval_ = 0;
    std::function<void()> handler_;
};

class QtTimerFactory final : public TimerFactory {
  public:
    std::unique_ptr<Timer> CreateTimer() override { return std::make_unique<QtTimer>(); }
};

SystemClockImpl g_systemClock;
QtTimerFactory g_qtTimers;
Clock* g_clock = nullptr;
TimerFactory* g_timers = nullptr;

}  // namespace

Clock& CurrentClock() { return g_clock ? *g_clock : g_systemClock; }
Clock* SetClock(Clock* clock) { return std::exchange(g_clock, clock); }
TimerFactory& CurrentTimers() { return g_timers ? *g_timers : g_qtTimers; }
TimerFactory* SetTimers(TimerFactory* timers) { return std::exchange(g_timers, timers); }

}  // namespace platform
