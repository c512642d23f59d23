#pragma once
// The application's own window. It has no size, so nothing of it is seen but its taskbar button,
// which carries the application title and icon; it owns the dialog, so the dialog itself keeps
// its caption off the taskbar. Minimising the dialog minimises this window (which hides the
// dialog with it), and activating or restoring it from the taskbar brings the dialog back.

#include <windows.h>

#include <string>

#include "WindowObject.h"

namespace pausarium::setup {

class ApplicationWindow final : public win32::WindowObject {
public:
    ApplicationWindow(HINSTANCE instance, std::string title, HICON icon);
    ~ApplicationWindow();

    // The dialog it stands for on the taskbar; shown here together with the taskbar button.
    void show(HWND mainWindow);

private:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void showError(const std::string& message) override;
    void passActivationOn();

    std::string title_;
    HWND mainWindow_ = nullptr;
};

}  // namespace pausarium::setup
