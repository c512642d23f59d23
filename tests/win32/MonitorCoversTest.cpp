// The lock's covers over the other monitors, on a monitor list the test gives the real window:
// where they lie, how they follow monitors that come and go, what kind of window they are, that
// a click or a close on them is the lock's, and that they make way for an error box. In this test
// program's own import table CreateWindowExA can be refused for covers, and SetTimer for the
// lock window.

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

using SetTimerFunction = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC);
SetTimerFunction previousSetTimer = nullptr;  // what the import held before: another test's, or user32's
HWND refuseTimersOf = nullptr;
// The lock window's timers that a test lets expire at once, known by their intervals.
UINT_PTR hideTimer = 0;     // HideTimer, 2 s
UINT_PTR addressTimer = 0;  // tmAdressHide, 5 s

UINT_PTR WINAPI refusableSetTimer(HWND window, UINT_PTR id, UINT ms, TIMERPROC procedure) {
    if (window != nullptr && window == refuseTimersOf) return 0;
    if (window != nullptr && ms == 2000) hideTimer = id;
    if (window != nullptr && ms == 5000) addressTimer = id;
    return previousSetTimer(window, id, ms, procedure);
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

// What the window system has to say meanwhile (Wine takes the z-order from X's stacking), the
// cycle's timers aside.
void settle() {
    for (int round = 0; round < 2; ++round, Sleep(200)) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            if (message.message != WM_TIMER) DispatchMessageA(&message);
    }
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
        previousSetTimer = &SetTimer;  // read from the import slot
        ASSERT_GT(pausarium::test::redirectImports(reinterpret_cast<void*>(previousSetTimer),
                                                   reinterpret_cast<void*>(&refusableSetTimer)), 0);
    }
    static void TearDownTestSuite() {
        pausarium::test::redirectImports(reinterpret_cast<void*>(&refusableSetTimer),
                                         reinterpret_cast<void*>(previousSetTimer));
    }
    void SetUp() override {
        refuseCovers = false;
        refuseTimersOf = nullptr;
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

// What the lock's ticks leave while its error box is open.
struct BoxSeen {
    CoveredLock* test;
    HWND box = nullptr;
    std::size_t covers = 0;
    bool boxForeground = false, boxAbove = false;
};
BoxSeen boxSeen{};

BOOL CALLBACK noteBox(HWND w, LPARAM out) {
    char name[16] = {};
    GetClassNameA(w, name, sizeof name);
    if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(w)) return TRUE;
    *reinterpret_cast<HWND*>(out) = w;
    return FALSE;
}

void CALLBACK tickWithTheBoxOpen(HWND, UINT, UINT_PTR timer, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), noteBox, reinterpret_cast<LPARAM>(&boxSeen.box));
    if (boxSeen.box == nullptr) return;
    KillTimer(nullptr, timer);
    TfmMainWindow& window = boxSeen.test->window;
    window.fitToScreen();  // a blink, a raise of the raised protection, and the minute
    window.restoreApplication();
    window.bringToFront();
    window.maximise();
    window.focus();
    boxSeen.covers = covers().size();
    boxSeen.boxForeground = GetForegroundWindow() == boxSeen.box;
    boxSeen.boxAbove = liesAbove(boxSeen.box, boxSeen.test->hwnd);
    PostMessageA(boxSeen.box, WM_COMMAND, IDOK, 0);
}

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
    EXPECT_EQ(SendMessageA(cover, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);

    // A topmost window of another program over the lock and its cover: passed by the lock and
    // the cover at one raise.
    const HWND other = CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE, "STATIC", "other", WS_POPUP, 100, 100,
                                       300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    settle();
    ASSERT_TRUE(liesAbove(other, cover));
    window.bringToFront();
    settle();
    EXPECT_TRUE(liesAbove(hwnd, other));
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

// An error box of the window's own during the lock (here: a click on a cover lights the address
// up, and the system refuses its timer): the covers go while the box is open, so that it stays
// in front with the keyboard wherever it is dragged; afterwards the window and its covers are
// topmost again.
TEST_F(CoveredLock, CoversMakeWayForAnErrorBoxAndComeBackAfterIt) {
    SendMessageA(hwnd, WM_TIMER, hideTimer, 0);  // the first show's hide, which would end the covers in the box
    lock({{left, false}, {primary, true}, {portrait, false}});
    SendMessageA(hwnd, WM_TIMER, addressTimer, 0);  // the address goes dark: lighting it needs the timer again
    const HWND cover = covers().at(0);
    refuseTimersOf = hwnd;
    boxSeen = {this};
    SetTimer(nullptr, 0, 200, tickWithTheBoxOpen);
    SendMessageA(cover, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(cover, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    dispatchPosted(kCoverClicked);  // returns once the box is answered
    refuseTimersOf = nullptr;

    ASSERT_NE(boxSeen.box, nullptr);
    EXPECT_EQ(boxSeen.covers, 0u);
    EXPECT_TRUE(boxSeen.boxForeground);
    EXPECT_TRUE(boxSeen.boxAbove);
    EXPECT_TRUE(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(covered(), sorted({left, portrait}));
    for (HWND c : covers()) EXPECT_TRUE(GetWindowLongPtrA(c, GWL_EXSTYLE) & WS_EX_TOPMOST);
}
