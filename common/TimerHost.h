#pragma once
// What runs periodic timers: SetTimer on a window for the programs, a virtual clock in tests.

#include <cstdint>

namespace pausarium {

class PeriodicTimer;

class TimerHost {
public:
    virtual ~TimerHost() = default;
    // Arms `timer` afresh: its first expiry comes one full interval from now, then one every
    // interval. The host calls timer.expire() for each. False when the platform refuses.
    virtual bool startTimer(PeriodicTimer& timer, std::uint32_t intervalMs) = 0;
    virtual void stopTimer(PeriodicTimer& timer) = 0;
    // The clock the timers run on, in milliseconds from an arbitrary start. It counts the time
    // the computer sleeps (GetTickCount64), so a timer's lateness tells how long it was away.
    virtual std::int64_t now() const = 0;
};

}  // namespace pausarium
