#include "MessageBoxes.h"

#include "Error.h"

namespace pausarium::win32 {
namespace {

// The box is created and activated inside MessageBoxA; a CBT hook on this thread sees its
// activation and renames the buttons before the box is first drawn. A box can be opened while
// another is still being set up (a handler run by a message sent to the owner on the way), so
// each call keeps its own state on its stack, linked to the call it interrupted: the innermost
// box not yet activated is the one being activated. The hook is installed while any box waits.
struct PendingBox {
    bool yesNo;                  // the box asks Yes or No
    bool renamed = false;        // its buttons are renamed: it no longer waits
    PendingBox* outer = nullptr; // the call this one interrupted
};
thread_local PendingBox* innermostBox = nullptr;
thread_local HHOOK buttonTextHook = nullptr;

PendingBox* waitingBox() {
    PendingBox* box = innermostBox;
    while (box != nullptr && box->renamed) box = box->outer;
    return box;
}

void unhookWhenNoneWaits() {
    if (buttonTextHook == nullptr || waitingBox() != nullptr) return;
    UnhookWindowsHookEx(buttonTextHook);
    buttonTextHook = nullptr;
}

// A Yes/No box of Windows has no Cancel: it ignores Esc and greys out its close box and the
// system menu's Close (Alt+F4). Every one of those refuses here, as the No button does.
constexpr char kBoxProcedure[] = "PausariumBoxProcedure";

LRESULT CALLBACK refusingBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(GetPropA(box, kBoxProcedure));
    const bool cancel = (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) ||
                        (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) ||
                        message == WM_CLOSE;
    if (cancel) {
        return CallWindowProcW(previous, box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED),
                               reinterpret_cast<LPARAM>(GetDlgItem(box, IDNO)));
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropA(box, kBoxProcedure);
    }
    return CallWindowProcW(previous, box, message, wParam, lParam);
}

void refuseOnCancel(HWND box) {
    const LONG_PTR previous = GetWindowLongPtrW(box, GWLP_WNDPROC);
    if (!SetPropA(box, kBoxProcedure, reinterpret_cast<HANDLE>(previous))) return;
    SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(refusingBoxProcedure));
    EnableMenuItem(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
}

LRESULT CALLBACK renameButtons(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        const HWND box = reinterpret_cast<HWND>(wParam);
        char className[16] = {};
        GetClassNameA(box, className, sizeof className);
        PendingBox* pending = waitingBox();
        if (pending != nullptr && lstrcmpA(className, "#32770") == 0) {
            SetDlgItemTextA(box, IDOK, "OK");
            SetDlgItemTextA(box, IDYES, "&Yes");
            SetDlgItemTextA(box, IDNO, "&No");
            SetDlgItemTextA(box, IDCANCEL, "Cancel");
            if (pending->yesNo) refuseOnCancel(box);
            pending->renamed = true;
            unhookWhenNoneWaits();
            return 0;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int showMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style) {
    PendingBox pending{(style & MB_TYPEMASK) == MB_YESNO};
    pending.outer = innermostBox;
    innermostBox = &pending;
    if (buttonTextHook == nullptr)
        buttonTextHook = SetWindowsHookExA(WH_CBT, renameButtons, nullptr, GetCurrentThreadId());
    const int answer = MessageBoxA(owner, text.c_str(), caption.c_str(), style);
    pending.renamed = true;  // a box that never came waits no longer either
    innermostBox = pending.outer;
    unhookWhenNoneWaits();
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
