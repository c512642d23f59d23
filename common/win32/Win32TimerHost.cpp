#include "Win32TimerHost.h"

#include "PeriodicTimer.h"

namespace pausarium::win32 {
namespace {

UINT_PTR idOf(PeriodicTimer& timer) { return reinterpret_cast<UINT_PTR>(&timer); }

}  // namespace

Win32TimerHost::~Win32TimerHost() {
    for (UINT_PTR id : running_) KillTimer(window_, id);
}

bool Win32TimerHost::startTimer(PeriodicTimer& timer, std::uint32_t intervalMs) {
    const UINT_PTR id = idOf(timer);
    if (SetTimer(window_, id, intervalMs, nullptr) == 0) return false;
    running_.insert(id);
    return true;
}

void Win32TimerHost::stopTimer(PeriodicTimer& timer) {
    const UINT_PTR id = idOf(timer);
    if (running_.erase(id) != 0) KillTimer(window_, id);
}

std::int64_t Win32TimerHost::now() const { return static_cast<std::int64_t>(GetTickCount64()); }

void Win32TimerHost::onTimerMessage(WPARAM timerId) {
    if (running_.count(timerId) != 0) reinterpret_cast<PeriodicTimer*>(timerId)->expire();
}

}  // namespace pausarium::win32
