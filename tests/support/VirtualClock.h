#pragma once
// A timer host on virtual time: advancing the clock fires every due timer in time order (ties in
// the order they were armed), each expiry at its exact virtual millisecond. A suspension (the
// computer asleep, the program stopped) lets time pass with no expiry at all; at the wake each
// overdue timer fires once, late, and is next due a full interval later: Windows does not make
// up the ticks it missed.

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "TimerHost.h"

namespace pausarium::testing {

class VirtualClock : public TimerHost {
public:
    bool startTimer(PeriodicTimer& timer, std::uint32_t intervalMs) override;
    void stopTimer(PeriodicTimer& timer) override;

    std::int64_t now() const override { return nowMs_; }
    void advanceTo(std::int64_t ms);
    void advanceBy(std::int64_t ms) { advanceTo(nowMs_ + ms); }
    // `ms` pass with no expiry; then each overdue timer fires once, in the order it was due.
    void suspendFor(std::int64_t ms);
    // The clock set back (or on) without any expiry, as a clock that jumped would.
    void jumpTo(std::int64_t ms) { nowMs_ = ms; }
    bool isArmed(const PeriodicTimer& timer) const { return armed_.count(&timer) != 0; }
    // Makes the next startTimer calls fail, as a platform out of timers does.
    void refuseTimers(bool refuse) { refuse_ = refuse; }
    // The same for one timer, by name.
    void refuseTimer(const std::string& name, bool refuse = true) {
        if (refuse) refusedNames_.insert(name);
        else refusedNames_.erase(name);
    }

private:
    // The armed timer due first at or before `ms` (ties: the first armed), or null.
    const PeriodicTimer* dueFirst(std::int64_t ms) const;

    struct Arm {
        std::uint32_t intervalMs;
        std::int64_t dueMs;
        std::uint64_t order;
    };
    std::map<const PeriodicTimer*, Arm> armed_;
    std::int64_t nowMs_ = 0;
    std::uint64_t nextOrder_ = 0;
    bool refuse_ = false;
    std::set<std::string> refusedNames_;
};

}  // namespace pausarium::testing
