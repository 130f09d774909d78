// Time and timers as ports, so rules run against a fake clock in tests.
#pragma once

#include <functional>
#include <memory>

namespace platform {

struct LocalDateTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, msec = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalDateTime Now() const = 0;
    // Local time of a moment given as seconds since the epoch.
    virtual LocalDateTime FromEpoch(long long seconds) const = 0;
};

// Interval 0 = stopped; setting an interval (re)starts the timer.
class Timer {
  public:
    virtual ~Timer() = default;
    virtual void SetInterval(int ms) = 0;
    virtual int Interval() const = 0;
    virtual void SetSingleShot(bool singleShot) = 0;
    virtual void SetHandler(std::function<void()> handler) = 0;
};

class TimerFactory {
  public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<Timer> CreateTimer() = 0;
};

// The clock and timers in use. Each setter returns the one it replaces; nullptr restores the
// system's.
Clock& CurrentClock();
Clock* SetClock(Clock* clock);
TimerFactory& CurrentTimers();
TimerFactory* SetTimers(TimerFactory* timers);

}  // namespace platform
