#include "WindowObject.h"

#include <exception>

#include "Error.h"

namespace pausarium::win32 {

void registerWindowClass(HINSTANCE instance, const WindowClass& windowClass, WNDPROC procedure) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (WNDCLASSEXA existing = wc; GetClassInfoExA(instance, windowClass.name, &existing)) return;
    wc.style = windowClass.style;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = windowClass.extraBytes;
    wc.hInstance = instance;
    wc.hIcon = windowClass.icon;
    wc.hCursor = windowClass.cursor;
    wc.hbrBackground = windowClass.background;
    wc.lpszClassName = windowClass.name;
    if (RegisterClassExA(&wc) == 0) throw Error("Error creating window class");
}

void WindowObject::registerClass(HINSTANCE instance, const WindowClass& windowClass) {
    registerWindowClass(instance, windowClass, windowProcedure);
}

LRESULT CALLBACK WindowObject::windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<WindowObject*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        created->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<WindowObject*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    try {
        return self->handleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        self->showError(error.what());
    } catch (...) {
        self->showError("Unknown error");
    }
    return 0;
}

HWND WindowObject::createWindow(DWORD exStyle, const char* className, const char* title, DWORD style,
                               RECT placement, HWND owner, HINSTANCE instance) {
    return CreateWindowExA(exStyle, className, title, style, placement.left, placement.top,
                           placement.right - placement.left, placement.bottom - placement.top, owner, nullptr,
                           instance, this);
}

}  // namespace pausarium::win32
