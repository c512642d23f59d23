#include "VirtualClock.h"

#include "PeriodicTimer.h"

namespace pausarium::testing {

bool VirtualClock::startTimer(PeriodicTimer& timer, std::uint32_t intervalMs) {
    if (refuse_ || refusedNames_.count(timer.name()) != 0) return false;
    armed_[&timer] = Arm{intervalMs, nowMs_ + intervalMs, nextOrder_++};
    return true;
}

void VirtualClock::stopTimer(PeriodicTimer& timer) { armed_.erase(&timer); }

const PeriodicTimer* VirtualClock::dueFirst(std::int64_t ms) const {
    const PeriodicTimer* next = nullptr;
    const Arm* best = nullptr;
    for (const auto& [timer, arm] : armed_) {
        if (arm.dueMs > ms) continue;
        if (!best || arm.dueMs < best->dueMs || (arm.dueMs == best->dueMs && arm.order < best->order)) {
            best = &arm;
            next = timer;
        }
    }
    return next;
}

void VirtualClock::suspendFor(std::int64_t ms) {
    nowMs_ += ms;
    while (const PeriodicTimer* next = dueFirst(nowMs_)) {
        Arm& arm = armed_[next];
        arm.dueMs = nowMs_ + arm.intervalMs;
        arm.order = nextOrder_++;
        const_cast<PeriodicTimer*>(next)->expire();
    }
}

void VirtualClock::advanceTo(std::int64_t ms) {
    for (;;) {
        const PeriodicTimer* next = dueFirst(ms);
        if (!next) break;
        Arm& arm = armed_[next];
        nowMs_ = arm.dueMs;
        arm.dueMs += arm.intervalMs;
        arm.order = nextOrder_++;
        const_cast<PeriodicTimer*>(next)->expire();
    }
    nowMs_ = ms;
}

}  // namespace pausarium::testing
