#include "PeriodicTimer.h"

#include <utility>

#include "Error.h"

namespace pausarium {

PeriodicTimer::PeriodicTimer(TimerHost& host, std::string name, std::uint32_t intervalMs,
                             bool enabled, std::function<void()> onTimer)
    : host_(host), name_(std::move(name)), intervalMs_(intervalMs), onTimer_(std::move(onTimer)) {
    setEnabled(enabled);
}

PeriodicTimer::~PeriodicTimer() { host_.stopTimer(*this); }

void PeriodicTimer::arm() {
    host_.stopTimer(*this);
    armed_ = false;
    if (!running()) return;
    if (!host_.startTimer(*this, intervalMs_)) throw Error("Not enough timers available");
    armed_ = true;
    dueAt_ = host_.now() + intervalMs_;
}

void PeriodicTimer::setEnabled(bool enabled) {
    const bool refusedBefore = enabled && running() && !armed_;
    if (enabled == enabled_ && !refusedBefore) return;
    enabled_ = enabled;
    arm();
}

void PeriodicTimer::setInterval(std::uint32_t intervalMs) {
    if (intervalMs == intervalMs_) return;
    intervalMs_ = intervalMs;
    arm();
}

void PeriodicTimer::expire() {
    if (!armed_) return;
    const std::int64_t now = host_.now();
    latenessMs_ = now > dueAt_ ? now - dueAt_ : 0;
    dueAt_ = now + intervalMs_;
    // Back to 0 on every way out: a handler that raises leaves no lateness for the next caller.
    struct LatenessReset {
        std::int64_t& lateness;
        ~LatenessReset() { lateness = 0; }
    } reset{latenessMs_};
    if (onTimer_) onTimer_();
}

}  // namespace pausarium
