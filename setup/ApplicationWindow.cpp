#include "ApplicationWindow.h"

namespace pausarium::setup {

namespace {

constexpr const char* kClassName = "PausariumSetupApplication";

HWND mainWindowOf(HWND application) {
    return reinterpret_cast<HWND>(GetWindowLongPtrA(application, GWLP_USERDATA));
}

// The dialog, or the message box it has open, takes the activation the taskbar gave.
void passActivationOn(HWND application) {
    HWND main = mainWindowOf(application);
    if (!main || !IsWindowVisible(main)) return;
    HWND target = GetLastActivePopup(main);
    if (IsWindowEnabled(target)) SetActiveWindow(target);
}

}  // namespace

ApplicationWindow::ApplicationWindow(HINSTANCE instance, const char* title, HICON icon) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    hwnd_ = CreateWindowExA(0, kClassName, title, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0,
                            nullptr, nullptr, instance, nullptr);
}

ApplicationWindow::~ApplicationWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void ApplicationWindow::show(HWND mainWindow) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(mainWindow));
    ShowWindow(hwnd_, SW_SHOWNA);
}

LRESULT CALLBACK ApplicationWindow::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ACTIVATE:
            if (LOWORD(wp) != WA_INACTIVE && !HIWORD(wp)) passActivationOn(hwnd);
            return 0;
        case WM_SIZE:  // the owned dialog goes and comes back with it
            if (wp == SIZE_MINIMIZED) ShowOwnedPopups(hwnd, FALSE);
            if (wp == SIZE_RESTORED) {
                ShowOwnedPopups(hwnd, TRUE);
                passActivationOn(hwnd);
            }
            return 0;
        case WM_CLOSE:  // the taskbar button's Close: the dialog closes the way its close box does
            if (HWND main = mainWindowOf(hwnd)) PostMessageA(main, WM_CLOSE, 0, 0);
            return 0;
        default: break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace pausarium::setup
