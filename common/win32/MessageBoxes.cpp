#include "MessageBoxes.h"

#include "Error.h"

namespace pausarium::win32 {
namespace {

// The box is created and activated inside MessageBoxA; a CBT hook on this thread sees its
// activation and renames the buttons before the box is first drawn.
thread_local HHOOK buttonTextHook = nullptr;

LRESULT CALLBACK renameButtons(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        const HWND box = reinterpret_cast<HWND>(wParam);
        char className[16] = {};
        GetClassNameA(box, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0) {
            SetDlgItemTextA(box, IDOK, "OK");
            SetDlgItemTextA(box, IDYES, "&Yes");
            SetDlgItemTextA(box, IDNO, "&No");
            SetDlgItemTextA(box, IDCANCEL, "Cancel");
            const HHOOK hook = buttonTextHook;
            buttonTextHook = nullptr;
            UnhookWindowsHookEx(hook);
            return 0;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int showMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style) {
    if (buttonTextHook == nullptr)
        buttonTextHook = SetWindowsHookExA(WH_CBT, renameButtons, nullptr, GetCurrentThreadId());
    const int answer = MessageBoxA(owner, text.c_str(), caption.c_str(), style);
    if (buttonTextHook != nullptr) {
        UnhookWindowsHookEx(buttonTextHook);
        buttonTextHook = nullptr;
    }
    return answer;
}

void showStandardErrorBox(HWND owner, const std::string& applicationTitle, const std::string& message) {
    showMessageBox(owner, standardErrorBoxText(message), applicationTitle, MB_OK | MB_ICONERROR);
}

void showFatalErrorBox(const std::string& applicationTitle, const std::string& message) {
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    showStandardErrorBox(nullptr, applicationTitle, message);
}

}  // namespace pausarium::win32
