#include "VirtualClock.h"

#include "PeriodicTimer.h"

namespace pausarium::testing {

bool VirtualClock::startTimer(PeriodicTimer& timer, std::uint32_t intervalMs) {
    if (refuse_ || refusedNames_.count(timer.name()) != 0) return false;
    armed_[&timer] = Arm{intervalMs, nowMs_ + intervalMs, nextOrder_++};
    return true;
}

void VirtualClock::stopTimer(PeriodicTimer& timer) { armed_.erase(&timer); }

void VirtualClock::advanceTo(std::int64_t ms) {
    for (;;) {
        const PeriodicTimer* next = nullptr;
        const Arm* best = nullptr;
        for (const auto& [timer, arm] : armed_) {
            if (arm.dueMs > ms) continue;
            if (!best || arm.dueMs < best->dueMs || (arm.dueMs == best->dueMs && arm.order < best->order)) {
                best = &arm;
                next = timer;
            }
        }
        if (!next) break;
        nowMs_ = best->dueMs;
        Arm& arm = armed_[next];
        arm.dueMs += arm.intervalMs;
        arm.order = nextOrder_++;
        const_cast<PeriodicTimer*>(next)->expire();
    }
    nowMs_ = ms;
}

}  // namespace pausarium::testing
