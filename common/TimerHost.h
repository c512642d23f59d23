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
};

}  // namespace pausarium
