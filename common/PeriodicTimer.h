#pragma once
// A timer that fires every interval until disabled. Its rules:
// - enabling a disabled timer starts a full new period;
// - enabling a running timer, or setting the interval it already has, changes nothing;
// - a new interval on a running timer starts a full period of the new length;
// - an interval of 0 never fires, even while enabled.
// A refused platform timer raises Error("Not enough timers available"). The timer keeps the
// enabled flag it was given, as an assigned property does (so a refused LockTimer still counts
// as the lock running), but never fires; enabling it again asks the platform again.
// It knows when its next expiry is due on the host's clock: after the computer slept, or the
// program was stopped, an expiry comes late, once (Windows generates WM_TIMER when the queue is
// read, one for a timer however many intervals it missed), and the next one is taken to be due
// a full interval after it. Wine keeps the timer's first phase instead, so its next expiry may
// come up to an interval sooner than this says; whatever counts on dueAt errs early, not late.

#include <cstdint>
#include <functional>
#include <string>

#include "TimerHost.h"

namespace pausarium {

class PeriodicTimer {
public:
    PeriodicTimer(TimerHost& host, std::string name, std::uint32_t intervalMs, bool enabled,
                  std::function<void()> onTimer);
    ~PeriodicTimer();
    PeriodicTimer(const PeriodicTimer&) = delete;
    PeriodicTimer& operator=(const PeriodicTimer&) = delete;

    void setEnabled(bool enabled);
    void setInterval(std::uint32_t intervalMs);
    bool enabled() const { return enabled_; }
    std::uint32_t interval() const { return intervalMs_; }
    // Running: enabled with an interval that fires.
    bool running() const { return enabled_ && intervalMs_ > 0; }
    // Running on the platform: false when the platform refused the timer.
    bool armed() const { return armed_; }
    const std::string& name() const { return name_; }
    // When the next expiry is due, on the host's clock (meaningful while armed).
    std::int64_t dueAt() const { return dueAt_; }
    // How much later than due the expiry being handled came (0 outside an expiry's handler
    // or on time).
    std::int64_t lateness() const { return latenessMs_; }

    // Called by the host at each expiry.
    void expire();

private:
    void arm();

    TimerHost& host_;
    std::string name_;
    std::uint32_t intervalMs_;
    bool enabled_ = false;
    bool armed_ = false;
    std::int64_t dueAt_ = 0;
    std::int64_t latenessMs_ = 0;
    std::function<void()> onTimer_;
};

}  // namespace pausarium
