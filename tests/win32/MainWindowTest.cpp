// The reminder's window during the lock, driven through the operations the cycle's timers
// call: what someone else changed is put right at the next tick, and a tick that finds
// everything as it should be changes nothing. SetWindowPos is counted in this test program's
// own import table.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "ImportPatch.h"
#include "MainWindow.h"
#include "MessageBoxes.h"

using pausarium::reminder::kBlack;
using pausarium::reminder::kRed;
using pausarium::reminder::TfmMainWindow;

namespace {

using SetWindowPosFunction = BOOL(WINAPI*)(HWND, HWND, int, int, int, int, UINT);
SetWindowPosFunction realSetWindowPos = nullptr;
std::atomic<int> setWindowPosCalls{0};

BOOL WINAPI countedSetWindowPos(HWND window, HWND after, int x, int y, int cx, int cy, UINT flags) {
    ++setWindowPosCalls;
    return realSetWindowPos(window, after, x, y, cx, cy, flags);
}

bool liesAbove(HWND upper, HWND lower) {
    for (HWND w = GetWindow(lower, GW_HWNDPREV); w != nullptr; w = GetWindow(w, GW_HWNDPREV))
        if (w == upper) return true;
    return false;
}

SIZE sizeOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// A visible topmost window of another program, placed above everything without activation.
HWND coveringWindow() {
    return CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE, "STATIC", "cover", WS_POPUP, 100, 100, 300, 200,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}
void cover(HWND window) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// The lock as the cycle leaves it at its start, full screen and maximised, in the foreground.
struct Lock : ::testing::Test {
    std::string title = "Pausarium";
    TfmMainWindow window{GetModuleHandleA(nullptr), {}, title};
    HWND hwnd = window.handle();

    static void SetUpTestSuite() {
        void* const original = pausarium::test::user32Function("SetWindowPos");
        realSetWindowPos = reinterpret_cast<SetWindowPosFunction>(original);
        ASSERT_GT(pausarium::test::redirectImports(original, reinterpret_cast<void*>(&countedSetWindowPos)), 0);
    }
    void SetUp() override {
        MSG quit;  // an earlier window's end; a box's loop would end on it at once
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        window.show();  // the first show, at zero size
        window.hide();
        window.setLocked(true);
        window.show();
        window.maximise();
        window.focus();
        ASSERT_EQ(GetForegroundWindow(), hwnd);
    }
    void TearDown() override { window.setLocked(false); }

    // One second of the raised lock: a blink and five anti-action ticks.
    void tickOneSecond(int second) {
        window.fitToScreen();
        window.restoreApplication();
        window.setMessageColour(second % 3 == 0 ? kRed : kBlack);
        for (int i = 0; i < 5; ++i) {
            window.bringToFront();
            window.focus();
        }
    }
};

// What a tick run while the window's own box is open leaves.
struct Seen {
    Lock* test;
    HWND box = nullptr;
    bool boxForeground = false, focusInBox = false, boxAbove = false;
};
Seen seen{};

void CALLBACK tickWithTheBoxOpen(HWND, UINT, UINT_PTR timer, DWORD) {
    seen.box = FindWindowA("#32770", seen.test->title.c_str());
    if (seen.box == nullptr) return;
    KillTimer(nullptr, timer);
    seen.test->tickOneSecond(0);
    seen.test->window.maximise();
    seen.test->window.focus();
    seen.boxForeground = GetForegroundWindow() == seen.box;
    seen.focusInBox = IsChild(seen.box, GetFocus());
    seen.boxAbove = liesAbove(seen.box, seen.test->hwnd);
    PostMessageA(seen.box, WM_COMMAND, IDOK, 0);
}

}  // namespace

TEST_F(Lock, WhatAnotherChangedIsPutRightAtTheNextTick) {
    const SIZE screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SetWindowPos(hwnd, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    window.fitToScreen();  // the blink
    EXPECT_EQ(sizeOf(hwnd).cx, screen.cx);
    EXPECT_EQ(sizeOf(hwnd).cy, screen.cy);

    const HWND other = coveringWindow();
    cover(other);
    ASSERT_TRUE(liesAbove(other, hwnd));
    window.bringToFront();  // a tick of the raised protection
    EXPECT_TRUE(liesAbove(hwnd, other));

    cover(other);
    window.maximise();  // a minute of the normal protection
    window.focus();
    EXPECT_TRUE(liesAbove(hwnd, other));
    DestroyWindow(other);
}

TEST_F(Lock, TicksThatFindNothingChangedDoNotMoveTheWindow) {
    setWindowPosCalls = 0;
    for (int second = 0; second < 3; ++second) tickOneSecond(second);
    window.maximise();  // the minute
    window.focus();
    EXPECT_EQ(setWindowPosCalls, 0);
}

// An error box of the window's own, opened during the lock: the ticks leave it the keyboard and
// keep it above the window, so that it can be answered.
TEST_F(Lock, LeavesItsOwnOpenBoxInFrontWithTheKeyboard) {
    seen = {this};
    SetTimer(nullptr, 0, 200, tickWithTheBoxOpen);
    pausarium::win32::showStandardErrorBox(hwnd, title, "Not enough timers available");
    ASSERT_NE(seen.box, nullptr);
    EXPECT_TRUE(seen.boxForeground);
    EXPECT_TRUE(seen.focusInBox);
    EXPECT_TRUE(seen.boxAbove);
}
