// The break reminder's main routine and window on a platform that refuses timers: the real
// Win32 path, with SetTimer refused on demand. The refusal is made in this test program's own
// import table, so the product is built and run exactly as shipped. A second thread plays the
// user: it reads each message box, checks that it stays open, and presses OK.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "ImportPatch.h"
#include "MainRoutine.h"

namespace {

// --- SetTimer, refused on demand ---------------------------------------------------------

using SetTimerFunction = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC);
SetTimerFunction realSetTimer = nullptr;
std::atomic<int> setTimerCalls{0};
std::atomic<int> refuseFrom{0};   // the first call refused; 0 refuses none
std::atomic<int> refuseUntil{0};  // the last call refused; 0 refuses all from refuseFrom on

UINT_PTR WINAPI refusableSetTimer(HWND window, UINT_PTR id, UINT ms, TIMERPROC procedure) {
    const int call = ++setTimerCalls;
    if (refuseFrom != 0 && call >= refuseFrom && (refuseUntil == 0 || call <= refuseUntil)) return 0;
    return realSetTimer(window, id, ms, procedure);
}

// --- the user ------------------------------------------------------------------------------

BOOL CALLBACK noteBox(HWND w, LPARAM out) {
    char name[16] = {};
    GetClassNameA(w, name, sizeof name);
    if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(w)) return TRUE;
    *reinterpret_cast<HWND*>(out) = w;
    return FALSE;
}

HWND boxOf(DWORD thread) {
    HWND found = nullptr;
    EnumThreadWindows(thread, noteBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string reminderWindowState() {
    const HWND w = FindWindowA("TfmMainWindow", nullptr);
    if (w == nullptr) return "none";
    return IsWindowVisible(w) ? "visible" : "hidden";
}

class User {
public:
    explicit User(DWORD programThread) : thread_(programThread) {}

    // Waits for the program's next message box and notes "caption|text|stayed|window=...",
    // where stayed tells that it was still open 0.7 s later; then presses OK.
    void answerBox() {
        HWND box = nullptr;
        for (int i = 0; i < 100 && box == nullptr; ++i, Sleep(100)) box = boxOf(thread_);
        if (box == nullptr) {
            notes.push_back("no box");
            return;
        }
        char caption[128] = {}, text[256] = {};
        GetWindowTextA(box, caption, sizeof caption);
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        const std::string window = reminderWindowState();
        Sleep(700);
        const bool stayed = IsWindow(box) && IsWindowVisible(box);
        notes.push_back(std::string(caption) + "|" + text + "|" + (stayed ? "stayed" : "closed at once") +
                        "|window=" + window);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 50 && IsWindow(box); ++i) Sleep(100);
    }
    // Notes the window's state once it has been shown (the first show) and hidden again, each
    // awaited for at most 5 s.
    void noteWindowShownAndHidden() {
        for (int i = 0; i < 50 && reminderWindowState() != "visible"; ++i) Sleep(20);
        std::string seen = "window=" + reminderWindowState();
        for (int i = 0; i < 50 && reminderWindowState() != "hidden"; ++i) Sleep(100);
        notes.push_back(seen + " then " + reminderWindowState());
    }
    void closeWindow() { PostMessageA(FindWindowA("TfmMainWindow", nullptr), WM_CLOSE, 0, 0); }
    // However the program was left: boxes answered, the window closed, the loop ended.
    void endEverything() {
        for (int i = 0; i < 20 && !finished; ++i, Sleep(100)) {
            if (const HWND box = boxOf(thread_)) PostMessageA(box, WM_COMMAND, IDOK, 0);
            if (const HWND w = FindWindowA("TfmMainWindow", nullptr)) PostMessageA(w, WM_CLOSE, 0, 0);
        }
        PostThreadMessageA(thread_, WM_QUIT, 0, 0);
    }

    std::vector<std::string> notes;
    std::atomic<bool> finished{false};  // the main routine has returned

private:
    DWORD thread_;
};

struct RefusedTimers : ::testing::Test {
    static constexpr char kSettings[] = "SOFTWARE\\Pausarium";

    void SetUp() override {
        void* const original = pausarium::test::user32Function("SetTimer");
        if (realSetTimer == nullptr) {
            realSetTimer = reinterpret_cast<SetTimerFunction>(original);
            ASSERT_GT(pausarium::test::redirectImports(original, reinterpret_cast<void*>(&refusableSetTimer)), 0);
        }
        setTimerCalls = 0;
        RegDeleteTreeA(HKEY_CURRENT_USER, kSettings);
    }
    void TearDown() override {
        refuseFrom = 0;
        refuseUntil = 0;
        RegDeleteTreeA(HKEY_CURRENT_USER, kSettings);
        RegDeleteKeyA(HKEY_CURRENT_USER, kSettings);
    }
    static void store(const char* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettings, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }

    // Runs the main routine here while `script` plays the user on another thread.
    template <class Script>
    std::vector<std::string> run(Script script) {
        User user(GetCurrentThreadId());
        std::thread player([&] {
            script(user);
            user.endEverything();
        });
        EXPECT_EQ(pausarium::reminder::runMainRoutine(GetModuleHandleA(nullptr), "C:\\Tools\\Pausarium.exe"), 0);
        user.finished = true;
        player.join();
        MSG leftover;
        while (PeekMessageA(&leftover, nullptr, 0, 0, PM_REMOVE)) {
        }
        EXPECT_EQ(reminderWindowState(), "none");
        return user.notes;
    }
};

}  // namespace

TEST_F(RefusedTimers, ARefusalWhileTheWindowIsMadeEndsTheProgramAfterTheErrorBox) {
    refuseFrom = 1;  // tmAdressHide, running from the window's creation
    const auto notes = run([](User& user) { user.answerBox(); });
    EXPECT_EQ(notes, std::vector<std::string>{"Pausarium|Not enough timers available.|stayed|window=none"});
}

TEST_F(RefusedTimers, ARefusalAtTheFirstShowIsShownUntilAnsweredAndEndsTheProgram) {
    store("RegimeType", REG_SZ, "1", 2);  // FormCreate stops before its timers
    refuseFrom = 2;                       // HideTimer, at the first show
    const auto notes = run([](User& user) {
        user.answerBox();
        user.answerBox();
    });
    EXPECT_EQ(notes, (std::vector<std::string>{"Pausarium|Invalid data type for 'RegimeType'|stayed|window=hidden",
                                               "Pausarium|Not enough timers available.|stayed|window=none"}));
}

TEST_F(RefusedTimers, ARefusalInFormCreateLeavesTheProgramResidentAndHidden) {
    const DWORD regime = 1;
    store("RegimeType", REG_DWORD, &regime, sizeof regime);
    refuseFrom = 2;  // SleepTimer, in FormCreate
    refuseUntil = 2;
    const auto notes = run([](User& user) {
        user.answerBox();
        user.noteWindowShownAndHidden();  // HideTimer, asked for by the first show, hides it 2 s later
        user.closeWindow();
    });
    EXPECT_EQ(notes, (std::vector<std::string>{"Pausarium - 50/10|Not enough timers available.|stayed|window=hidden",
                                               "window=visible then hidden"}));
}
