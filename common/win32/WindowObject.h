#pragma once
// The link between a window and the C++ object behind it, written once. The object registers
// its window class with registerClass, which gives the class windowProcedure, and makes its
// window with createWindow; the object is stored with the window at WM_NCCREATE and forgotten
// at WM_NCDESTROY, and every message in between reaches handleMessage through one error
// barrier: an escaping error goes to showError, and the program goes on.

#include <windows.h>

#include <string>

namespace pausarium::win32 {

// A window class as its program describes it; registerWindowClass adds the procedure.
struct WindowClass {
    const char* name;
    UINT style = 0;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;  // null: the window sets the pointer itself
    HBRUSH background = nullptr;
    int extraBytes = 0;        // cbWndExtra
};

// Registers the class with `procedure`, unless `instance` has a class of that name already;
// raises "Error creating window class" when the system refuses it.
void registerWindowClass(HINSTANCE instance, const WindowClass& windowClass, WNDPROC procedure);

class WindowObject {
public:
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;

    HWND handle() const { return hwnd_; }

protected:
    WindowObject() = default;
    ~WindowObject() = default;

    static LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // registerWindowClass with windowProcedure: the class of windows made by createWindow.
    static void registerClass(HINSTANCE instance, const WindowClass& windowClass);
    // CreateWindowExA with this object as the new window's (whatever base class it is in a
    // derived object); returns the window, or null.
    HWND createWindow(DWORD exStyle, const char* className, const char* title, DWORD style, RECT placement,
                      HWND owner, HINSTANCE instance);
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void showError(const std::string& message) = 0;

    HWND hwnd_ = nullptr;  // from WM_NCCREATE to WM_NCDESTROY
};

}  // namespace pausarium::win32
