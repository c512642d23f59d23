// The message boxes' answers: a Yes/No box refuses on Esc (IDCANCEL), its close box and
// Alt+F4 (SC_CLOSE) as on its No button, keeps Enter for Yes and the English button texts;
// a box with a Cancel button keeps its own answer.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "MessageBoxes.h"

using pausarium::win32::showMessageBox;

namespace {

constexpr char kCaption[] = "PausariumBoxTest";

struct Poke {
    UINT message;
    WPARAM wParam;
    bool posted;  // through the box's modal loop, as typed keys come
};
thread_local Poke poke{};
thread_local std::string yesText, noText;
thread_local bool closeItemEnabled = false;
thread_local int ticks = 0;

// Runs inside the box's modal loop: reads the box, then sends it one message. Should the box
// not close on it, it is ended with an answer no test expects, rather than hang.
void CALLBACK pokeBox(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND box = FindWindowA("#32770", kCaption);
    if (box == nullptr) return;
    if (++ticks == 1) {
        char text[32] = {};
        GetDlgItemTextA(box, IDYES, text, sizeof text);
        yesText = text;
        GetDlgItemTextA(box, IDNO, text, sizeof text);
        noText = text;
        const UINT state = GetMenuState(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND);
        closeItemEnabled = state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
        if (poke.posted) PostMessageA(box, poke.message, poke.wParam, 0);
        else SendMessageA(box, poke.message, poke.wParam, 0);
    } else if (ticks > 20) {
        KillTimer(nullptr, timer);
        EndDialog(box, 0xBAD);
    }
}

int answerTo(UINT style, UINT message, WPARAM wParam, bool posted = false) {
    poke = {message, wParam, posted};
    ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, pokeBox);
    const int answer = showMessageBox(nullptr, "Question?", kCaption, style);
    KillTimer(nullptr, timer);
    return answer;
}

}  // namespace

TEST(MessageBoxes, AYesNoBoxRefusesOnEveryWayOfClosingAndAnswersItsButtons) {
    struct Case {
        const char* what;
        UINT message;
        WPARAM wParam;
        bool posted;
        int expected;
    };
    for (const Case c : {Case{"IDCANCEL", WM_COMMAND, IDCANCEL, false, IDNO},
                         Case{"close box, Alt+F4", WM_SYSCOMMAND, SC_CLOSE, false, IDNO},
                         Case{"Esc key", WM_KEYDOWN, VK_ESCAPE, true, IDNO},
                         Case{"Enter key", WM_KEYDOWN, VK_RETURN, true, IDYES},
                         Case{"No", WM_COMMAND, IDNO, false, IDNO}}) {
        EXPECT_EQ(answerTo(MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON1, c.message, c.wParam, c.posted),
                  c.expected)
            << c.what;
        EXPECT_EQ(yesText, "&Yes") << c.what;
        EXPECT_EQ(noText, "&No") << c.what;
        EXPECT_TRUE(closeItemEnabled) << c.what;
    }
}

TEST(MessageBoxes, BoxesWithACancelKeepTheirOwnAnswer) {
    EXPECT_EQ(answerTo(MB_OKCANCEL, WM_COMMAND, IDCANCEL), IDCANCEL);
}

// A box opened while another is being made (here from a hook that sees its creation, as a
// handler run by a message sent on the way would): each keeps its own buttons and answers.
namespace {

std::string innerOk;
bool innerOpened = false;

void CALLBACK answerInnerBox(HWND, UINT, UINT_PTR, DWORD) {
    const HWND inner = FindWindowA("#32770", "PausariumInnerBox");
    if (inner == nullptr) return;
    char text[32] = {};
    GetDlgItemTextA(inner, IDOK, text, sizeof text);
    innerOk = text;
    PostMessageA(inner, WM_COMMAND, IDOK, 0);
}

LRESULT CALLBACK openInnerBox(int code, WPARAM wParam, LPARAM lParam) {
    char name[16] = {};
    if (code == HCBT_CREATEWND && !innerOpened &&
        GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) && lstrcmpA(name, "#32770") == 0) {
        innerOpened = true;
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, answerInnerBox);
        showMessageBox(nullptr, "Error", "PausariumInnerBox", MB_OK | MB_ICONERROR);
        KillTimer(nullptr, timer);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST(MessageBoxes, ABoxOpenedWhileAnotherIsMadeLeavesBothTheirButtons) {
    innerOpened = false;
    const HHOOK hook = SetWindowsHookExA(WH_CBT, openInnerBox, nullptr, GetCurrentThreadId());
    const int answer = answerTo(MB_YESNO | MB_ICONQUESTION, WM_KEYDOWN, VK_ESCAPE, true);
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(innerOpened);
    EXPECT_EQ(innerOk, "OK");
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(yesText, "&Yes");
    EXPECT_EQ(noText, "&No");
}
