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
    if (running() && !host_.startTimer(*this, intervalMs_)) {
        enabled_ = false;
        throw Error("Not enough timers available");
    }
}

void PeriodicTimer::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    arm();
}

void PeriodicTimer::setInterval(std::uint32_t intervalMs) {
    if (intervalMs == intervalMs_) return;
    intervalMs_ = intervalMs;
    arm();
}

void PeriodicTimer::expire() {
    if (running() && onTimer_) onTimer_();
}

}  // namespace pausarium
