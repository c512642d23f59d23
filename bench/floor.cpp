// The floor of the footprint benchmark: the least a resident Win32 program can be. One hidden
// window, one timer of a minute and a message loop; bench/footprint.sh builds it with the
// programs' compiler and link options.

#include <windows.h>

namespace {

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "FootprintFloor";
    if (RegisterClassA(&windowClass) == 0) return 1;
    const HWND window = CreateWindowExA(0, "FootprintFloor", "Footprint floor", WS_POPUP, 0, 0, 0, 0,
                                        nullptr, nullptr, instance, nullptr);
    if (window == nullptr || SetTimer(window, 1, 60000, nullptr) == 0) return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
