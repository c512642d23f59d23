// Taking the keyboard from a window of another thread (standing in for another program) and
// giving it back, on Wine's real window manager state.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "Foreground.h"
#include "ImportPatch.h"

using pausarium::win32::ForegroundReturn;
using pausarium::win32::takeForeground;

namespace {

constexpr UINT kAskFocus = WM_APP + 1;  // answers the thread's focus window

LRESULT CALLBACK testWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kAskFocus) return reinterpret_cast<LRESULT>(GetFocus());
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND makeWindow(const char* title) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = testWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PausariumForegroundTest";
    RegisterClassA(&windowClass);  // fails harmlessly when registered already
    const HWND window = CreateWindowExA(0, windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW,
                                        100, 100, 300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    return window;
}

void pump(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    for (DWORD now = GetTickCount(); now < end; now = GetTickCount()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
}

// Pumps until `window` is the foreground window (a window manager answers at its own pace);
// false when it is not within 3 s.
bool becomesForeground(HWND window) {
    for (int i = 0; i < 60 && GetForegroundWindow() != window; ++i) pump(50);
    return GetForegroundWindow() == window;
}

// AttachThreadInput, counted in this program's own import table.
using AttachFunction = BOOL(WINAPI*)(DWORD, DWORD, BOOL);
AttachFunction realAttach = nullptr;
std::atomic<int> attachCalls{0};
BOOL WINAPI countedAttach(DWORD self, DWORD other, BOOL attach) {
    ++attachCalls;
    return realAttach(self, other, attach);
}

// A window on its own thread: the program the user works in.
struct OtherProgram {
    HWND window = nullptr;
    DWORD thread = 0;
    std::thread runner;

    OtherProgram() {
        HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        runner = std::thread([this, ready] {
            thread = GetCurrentThreadId();
            window = makeWindow("other program");
            SetEvent(ready);
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
            DestroyWindow(window);
        });
        WaitForSingleObject(ready, 5000);
        CloseHandle(ready);
    }
    ~OtherProgram() {
        PostThreadMessageA(thread, WM_QUIT, 0, 0);
        runner.join();
    }
    HWND focusSeenByItsThread() const {
        return reinterpret_cast<HWND>(SendMessageA(window, kAskFocus, 0, 0));
    }
};

struct Keyboard : ::testing::Test {
    OtherProgram other;
    HWND mine = nullptr;

    void SetUp() override {
        mine = makeWindow("mine");
        pump(300);
        SetForegroundWindow(other.window);
        ASSERT_TRUE(becomesForeground(other.window));
    }
    void TearDown() override { DestroyWindow(mine); }
};

}  // namespace

TEST_F(Keyboard, IsTakenFromAnotherThreadWhoseInputIsNotLeftAttached) {
    takeForeground(mine);
    EXPECT_TRUE(becomesForeground(mine));
    EXPECT_EQ(GetFocus(), mine);
    // Attached, the two threads would share one focus; detached, the other has none.
    EXPECT_NE(other.focusSeenByItsThread(), mine);
}

TEST_F(Keyboard, GoesBackToWhoHadItWhenItStillExistsAndIsVisible) {
    ForegroundReturn handover;
    handover.take(mine);
    ASSERT_TRUE(becomesForeground(mine));
    handover.take(mine);  // a later take keeps the first note
    handover.giveBack(mine);
    EXPECT_TRUE(becomesForeground(other.window));

    handover.take(mine);
    ASSERT_TRUE(becomesForeground(mine));
    ShowWindow(other.window, SW_HIDE);
    handover.giveBack(mine);
    pump(300);
    EXPECT_EQ(GetForegroundWindow(), mine) << "a hidden window does not get the keyboard";

    ShowWindow(other.window, SW_SHOW);
    SetForegroundWindow(other.window);
    ASSERT_TRUE(becomesForeground(other.window));
    handover.note(mine);
    handover.giveBack(mine);  // the window never had the keyboard: nothing to give back
    pump(300);
    EXPECT_EQ(GetForegroundWindow(), other.window);
}

// Wine grants SetForegroundWindow to a background thread, as Windows does where the conditions
// on its page hold: asked plainly, the window gets the keyboard without waiting on the other
// thread's input.
TEST_F(Keyboard, IsAskedForPlainlyBeforeAnyAttachment) {
    if (realAttach == nullptr) {
        void* const original = pausarium::test::user32Function("AttachThreadInput");
        realAttach = reinterpret_cast<AttachFunction>(original);
        ASSERT_GT(pausarium::test::redirectImports(original, reinterpret_cast<void*>(&countedAttach)), 0);
    }
    attachCalls = 0;
    EXPECT_TRUE(takeForeground(mine));
    EXPECT_EQ(GetFocus(), mine);
    EXPECT_EQ(attachCalls, 0);
}
