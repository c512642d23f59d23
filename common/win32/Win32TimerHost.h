#pragma once
// Periodic timers on a window's WM_TIMER. Each timer's id is its own address, so the window
// procedure hands WM_TIMER's wParam back here and the host finds the timer again. An expiry
// that was already queued when its timer stopped is dropped.

#include <windows.h>

#include <unordered_set>

#include "TimerHost.h"

namespace pausarium::win32 {

class Win32TimerHost : public TimerHost {
public:
    explicit Win32TimerHost(HWND window) : window_(window) {}
    ~Win32TimerHost() override;
    Win32TimerHost(const Win32TimerHost&) = delete;
    Win32TimerHost& operator=(const Win32TimerHost&) = delete;

    bool startTimer(PeriodicTimer& timer, std::uint32_t intervalMs) override;
    void stopTimer(PeriodicTimer& timer) override;
    // GetTickCount64: the milliseconds since Windows started, the time asleep included.
    std::int64_t now() const override;

    // For WM_TIMER; the handler may raise.
    void onTimerMessage(WPARAM timerId);

private:
    HWND window_;
    std::unordered_set<UINT_PTR> running_;
};

}  // namespace pausarium::win32
