#pragma once
// The application's own window. It has no size, so nothing of it is seen but its taskbar button,
// which carries the application title and icon; it owns the dialog, so the dialog itself keeps
// its caption off the taskbar. Minimising the dialog minimises this window (which hides the
// dialog with it), and activating or restoring it from the taskbar brings the dialog back.

#include <windows.h>

namespace pausarium::setup {

class ApplicationWindow {
public:
    ApplicationWindow(HINSTANCE instance, const char* title, HICON icon);
    ~ApplicationWindow();
    ApplicationWindow(const ApplicationWindow&) = delete;
    ApplicationWindow& operator=(const ApplicationWindow&) = delete;

    HWND handle() const { return hwnd_; }
    // The dialog it stands for on the taskbar; shown here together with the taskbar button.
    void show(HWND mainWindow);

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    HWND hwnd_ = nullptr;
};

}  // namespace pausarium::setup
