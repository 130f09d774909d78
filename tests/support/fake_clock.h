// A clock that tests set and advance; timers made by it fire in due order as time moves.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "clock.h"
#include "scoped_port.h"

class FakeClock : public platform::Clock, public platform::TimerFactory {
  public:
    FakeClock();
    ~FakeClock() override;

    void Set(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
             int msec = 0);
    // Moves time forward, firing every timer whose moment comes, in order of their moments.
    void Advance(long long ms);
    long long NowMs() const { return nowMs_; }

    platform::LocalDateTime Now() const override;
    platform::LocalDateTime FromEpoch(long long seconds) const override;
    std::unique_ptr<platform::Timer> CreateTimer() override;

    // Seconds since the epoch of a local moment (UTC is used as local time here).
    static long long ToEpochMs(const platform::LocalDateTime& t);
    static platform::LocalDateTime FromEpochMs(long long ms);

  private:
    friend class FakeTimer;
    struct TimerState {
        int interval = 0;
        bool singleShot = false;
        long long due = 0;
        std::function<void()> handler;
        bool alive = true;
    };
    std::vector<std::shared_ptr<TimerState>> timers_;
    long long nowMs_ = 0;
    platform::ScopedPort<platform::Clock> clockInPlace_{platform::SetClock, this};
    platform::ScopedPort<platform::TimerFactory> timersInPlace_{platform::SetTimers, this};
};
