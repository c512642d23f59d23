#include "ApplicationWindow.h"

#include <utility>

#include "MessageBoxes.h"

namespace pausarium::setup {

namespace {

constexpr const char* kClassName = "PausariumSetupApplication";

}  // namespace

ApplicationWindow::ApplicationWindow(HINSTANCE instance, std::string title, HICON icon) : title_(std::move(title)) {
    registerClass(instance, {kClassName, 0, icon});
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    createWindow(0, kClassName, title_.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                 RECT{x, y, x, y}, nullptr, instance);
}

ApplicationWindow::~ApplicationWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void ApplicationWindow::show(HWND mainWindow) {
    mainWindow_ = mainWindow;
    ShowWindow(hwnd_, SW_SHOWNA);
}

void ApplicationWindow::showError(const std::string& message) {
    win32::showStandardErrorBox(nullptr, title_, message);
}

// The dialog, or the message box it has open, takes the activation the taskbar gave.
void ApplicationWindow::passActivationOn() {
    if (!mainWindow_ || !IsWindowVisible(mainWindow_)) return;
    HWND target = GetLastActivePopup(mainWindow_);
    if (IsWindowEnabled(target)) SetActiveWindow(target);
}

LRESULT ApplicationWindow::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ACTIVATE:
            if (LOWORD(wp) != WA_INACTIVE && !HIWORD(wp)) passActivationOn();
            return 0;
        case WM_SIZE:  // the owned dialog goes and comes back with it
            if (wp == SIZE_MINIMIZED) ShowOwnedPopups(hwnd_, FALSE);
            if (wp == SIZE_RESTORED) {
                ShowOwnedPopups(hwnd_, TRUE);
                passActivationOn();
            }
            return 0;
        case WM_CLOSE:  // the taskbar button's Close: the dialog closes the way its close box does
            if (mainWindow_) PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
            return 0;
        default: break;
    }
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

}  // namespace pausarium::setup
