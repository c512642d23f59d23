// The lock's covers over the other monitors, on a monitor list the test gives the real window:
// where they lie, how they follow monitors that come and go, what kind of window they are, and
// that a click or a close on them is the lock's. CreateWindowExA can be refused for covers in
// this test program's own import table.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "ImportPatch.h"
#include "MainWindow.h"

using namespace pausarium::reminder;

namespace {

struct TestMonitors final : MonitorList {
    std::optional<std::vector<Monitor>> list;
    int asked = 0;
    std::optional<std::vector<Monitor>> monitors() override {
        ++asked;
        return list;
    }
};

using CreateWindowFunction = HWND(WINAPI*)(DWORD, LPCSTR, LPCSTR, DWORD, int, int, int, int, HWND, HMENU,
                                           HINSTANCE, LPVOID);
CreateWindowFunction realCreateWindow = nullptr;
bool refuseCovers = false;

HWND WINAPI refusableCreateWindow(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int cx,
                                  int cy, HWND owner, HMENU menu, HINSTANCE instance, LPVOID parameter) {
    const bool cover = HIWORD(reinterpret_cast<ULONG_PTR>(className)) != 0 && lstrcmpA(className, "TMonitorCover") == 0;
    if (refuseCovers && cover) return nullptr;
    return realCreateWindow(exStyle, className, title, style, x, y, cx, cy, owner, menu, instance, parameter);
}

BOOL CALLBACK noteCover(HWND w, LPARAM out) {
    char name[32] = {};
    GetClassNameA(w, name, sizeof name);
    if (lstrcmpA(name, "TMonitorCover") == 0) reinterpret_cast<std::vector<HWND>*>(out)->push_back(w);
    return TRUE;
}

std::vector<HWND> covers() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), noteCover, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<Rect> sorted(std::vector<Rect> rects) {
    std::sort(rects.begin(), rects.end(), [](const Rect& a, const Rect& b) {
        return std::tie(a.left, a.top, a.right, a.bottom) < std::tie(b.left, b.top, b.right, b.bottom);
    });
    return rects;
}

// Where the visible covers lie.
std::vector<Rect> covered() {
    std::vector<Rect> found;
    for (HWND c : covers()) {
        RECT r{};
        GetWindowRect(c, &r);
        if (IsWindowVisible(c)) found.push_back({r.left, r.top, r.right, r.bottom});
    }
    return sorted(found);
}

// The messages of one kind posted so far, and those they post in turn; the cycle's timers wait.
void dispatchPosted(UINT kind) {
    MSG message;
    while (PeekMessageA(&message, nullptr, kind, kind, PM_REMOVE)) DispatchMessageA(&message);
}

bool liesAbove(HWND upper, HWND lower) {
    for (HWND w = GetWindow(lower, GW_HWNDPREV); w != nullptr; w = GetWindow(w, GW_HWNDPREV))
        if (w == upper) return true;
    return false;
}

struct CoveredLock : ::testing::Test {
    const int cx = GetSystemMetrics(SM_CXSCREEN);
    const int cy = GetSystemMetrics(SM_CYSCREEN);
    const Rect primary{0, 0, cx, cy};
    const Rect left{-800, 0, 0, 600};               // left of the primary
    const Rect portrait{cx, -200, cx + 768, cy};   // right of it, taller, reaching above
    const Rect above{0, -600, 800, 0};

    TestMonitors monitors;
    std::string title = "Pausarium";
    std::unique_ptr<TfmMainWindow> owned = std::make_unique<TfmMainWindow>(GetModuleHandleA(nullptr),
                                                                           SoundPaths{}, title, monitors);
    TfmMainWindow& window = *owned;
    HWND hwnd = window.handle();

    static void SetUpTestSuite() {
        void* const original = pausarium::test::user32Function("CreateWindowExA");
        realCreateWindow = reinterpret_cast<CreateWindowFunction>(original);
        ASSERT_GT(pausarium::test::redirectImports(original, reinterpret_cast<void*>(&refusableCreateWindow)), 0);
    }
    void SetUp() override {
        refuseCovers = false;
        window.show();  // the first show, at zero size
        window.hide();
    }
    // The window's end posts WM_QUIT, which would end the next test's message boxes at once.
    void TearDown() override {
        window.setLocked(false);
        owned.reset();
        MSG quit;
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    // The lock begins over these monitors, as the cycle begins it.
    void lock(std::vector<Monitor> list) {
        monitors.list = std::move(list);
        window.setLocked(true);
        window.show();
        window.focus();
    }
};

}  // namespace

TEST_F(CoveredLock, CoversLieOverEveryOtherMonitorAndFollowThem) {
    lock({{left, false}, {primary, true}, {portrait, false}});
    EXPECT_EQ(covered(), sorted({left, portrait}));
    EXPECT_EQ(GetForegroundWindow(), hwnd);  // the keyboard stays with the lock

    // One monitor unplugged and another plugged in during the lock: followed at the next fit.
    monitors.list = {{primary, true}, {portrait, false}, {above, false}};
    window.fitToScreen();
    EXPECT_EQ(covered(), sorted({portrait, above}));

    // The left monitor made primary: Windows moves the origin to it.
    const Rect oldPrimary{800, 0, 800 + cx, cy};
    const Rect newPrimary{0, 0, 800, 600};
    monitors.list = {{oldPrimary, false}, {newPrimary, true}};
    window.fitToScreen();
    EXPECT_EQ(covered(), std::vector<Rect>{oldPrimary});

    // Down to one monitor: no cover; then a second one again, which Windows announces.
    monitors.list = {{primary, true}};
    window.fitToScreen();
    EXPECT_TRUE(covers().empty());
    monitors.list = {{primary, true}, {left, false}};
    SendMessageA(hwnd, WM_DISPLAYCHANGE, 32, MAKELPARAM(cx, cy));
    window.fitToScreen();
    EXPECT_EQ(covered(), std::vector<Rect>{left});

    window.setLocked(false);  // the key wait keeps them
    window.fitToScreen();
    EXPECT_EQ(covered(), std::vector<Rect>{left});
    window.hide();  // the key wait ends
    EXPECT_TRUE(covers().empty());
}

// With one monitor the lock's ticks ask nothing more of the system than before; a list that
// cannot be had, or a cover the system refuses, is asked for again at the next second.
TEST_F(CoveredLock, TheListIsAskedForOnlyWhenThereIsSomethingToFollow) {
    lock({{primary, true}});
    EXPECT_TRUE(covers().empty());
    EXPECT_EQ(monitors.asked, 1);
    for (int second = 0; second < 3; ++second) {
        window.fitToScreen();
        window.restoreApplication();
        window.bringToFront();
        window.focus();
    }
    window.maximise();
    EXPECT_EQ(monitors.asked, 1);
    window.hide();

    monitors.asked = 0;
    monitors.list = std::nullopt;
    window.setLocked(true);
    window.show();
    window.fitToScreen();
    EXPECT_EQ(monitors.asked, 2);
    EXPECT_TRUE(IsWindowVisible(hwnd));

    monitors.list = {{primary, true}, {left, false}, {above, false}};
    refuseCovers = true;
    window.fitToScreen();
    EXPECT_TRUE(covers().empty());
    refuseCovers = false;
    window.fitToScreen();
    EXPECT_EQ(covered(), sorted({left, above}));
}

TEST_F(CoveredLock, ACoverIsABlackTopmostWindowThatNeverTakesTheKeyboard) {
    lock({{primary, true}, {left, false}});
    const std::vector<HWND> found = covers();
    ASSERT_EQ(found.size(), 1u);
    const HWND cover = found[0];
    const LONG_PTR exStyle = GetWindowLongPtrA(cover, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_NOACTIVATE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);  // not in Alt+Tab
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    EXPECT_EQ(GetWindow(cover, GW_OWNER), hwnd);  // no taskbar button of its own
    EXPECT_EQ(GetWindowLongPtrA(cover, GWL_STYLE) & (WS_POPUP | WS_CAPTION | WS_THICKFRAME), WS_POPUP);
    EXPECT_EQ(GetWindowTextLengthA(cover), 0);
    EXPECT_EQ(GetClassLongPtrA(cover, GCLP_HCURSOR), 0);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(GetClassLongPtrA(cover, GCLP_HBRBACKGROUND)), GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(SendMessageA(cover, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);

    // A topmost window of another program over the cover: passed with the lock's raise.
    const HWND other = CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE, "STATIC", "other", WS_POPUP, -700, 100,
                                       300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ASSERT_TRUE(liesAbove(other, cover));
    window.bringToFront();
    EXPECT_TRUE(liesAbove(cover, other));
    DestroyWindow(other);

    // A click on the cover is a click on the lock's message: the cycle lights the address up.
    window.setAddressColour(kBlack);
    UpdateWindow(hwnd);
    SendMessageA(cover, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(cover, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    dispatchPosted(kCoverClicked);
    RECT lit{};
    EXPECT_TRUE(GetUpdateRect(hwnd, &lit, FALSE));
    EXPECT_EQ(lit.right, cx - 1);  // the address label, top right
    EXPECT_EQ(lit.bottom, 13);
    EXPECT_EQ(GetForegroundWindow(), hwnd);

    // Closing a cover is closing the lock window (which the cycle allows outside the lock).
    PostMessageA(cover, WM_CLOSE, 0, 0);
    dispatchPosted(WM_CLOSE);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(IsWindow(cover));
}
