// Periodic timers on a real window's WM_TIMER.

#include <windows.h>

#include <gtest/gtest.h>

#include "PeriodicTimer.h"
#include "Win32TimerHost.h"

using pausarium::PeriodicTimer;
using pausarium::win32::Win32TimerHost;

namespace {

Win32TimerHost* activeHost = nullptr;

LRESULT CALLBACK timerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && activeHost) {
        activeHost->onTimerMessage(wParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

struct RealTimers : ::testing::Test {
    HWND window = nullptr;

    void SetUp() override {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = timerWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "PausariumTimerTest";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "PausariumTimerTest", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 windowClass.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { DestroyWindow(window); }

    // Dispatches messages for `ms` milliseconds, sleeping in the queue between them.
    static void pump(DWORD ms) {
        const DWORD end = GetTickCount() + ms;
        for (DWORD now = GetTickCount(); now < end; now = GetTickCount()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        }
    }
};

}  // namespace

TEST_F(RealTimers, FireRepeatedlyWhileEnabledAndStopWhenDisabled) {
    Win32TimerHost host(window);
    activeHost = &host;
    int fired = 0;
    PeriodicTimer timer(host, "t", 50, true, [&] { ++fired; });
    pump(400);
    EXPECT_GE(fired, 3);
    EXPECT_LE(fired, 9);
    timer.setEnabled(false);
    const int atStop = fired;
    pump(200);
    EXPECT_EQ(fired, atStop);
    activeHost = nullptr;
}

TEST_F(RealTimers, IntervalZeroAndDestroyedTimersNeverFire) {
    Win32TimerHost host(window);
    activeHost = &host;
    int fired = 0;
    PeriodicTimer zero(host, "zero", 0, true, [&] { ++fired; });
    {
        PeriodicTimer shortLived(host, "short", 20, true, [&] { ++fired; });
    }
    pump(200);
    EXPECT_EQ(fired, 0);
    activeHost = nullptr;
}
