#pragma once
// The link between a window and the C++ object behind it, written once. The object's window
// class has windowProcedure as its procedure and the window is made by createWindow; the object
// is stored with the window at WM_NCCREATE and forgotten at WM_NCDESTROY, and every message in
// between reaches handleMessage through one error barrier: an escaping error goes to
// showError, and the program goes on.

#include <windows.h>

#include <string>

namespace pausarium::win32 {

class WindowObject {
public:
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;

    HWND handle() const { return hwnd_; }

protected:
    WindowObject() = default;
    ~WindowObject() = default;

    static LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // CreateWindowExA with this object as the new window's (whatever base class it is in a
    // derived object); returns the window, or null.
    HWND createWindow(DWORD exStyle, const char* className, const char* title, DWORD style, RECT placement,
                      HWND owner, HINSTANCE instance);
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void showError(const std::string& message) = 0;

    HWND hwnd_ = nullptr;  // from WM_NCCREATE to WM_NCDESTROY
};

}  // namespace pausarium::win32
