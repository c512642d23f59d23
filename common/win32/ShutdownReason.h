#pragma once
// The reason a window gives Windows for refusing to let the session end: shown on the page
// that lists the programs which hold up a log-off or shut-down (Windows Vista and later). The
// functions are looked up in user32 at run time, so that an older Windows runs the program
// without them and simply shows no reason.

#include <windows.h>

#include <string>

namespace pausarium::win32 {

// Windows-1251 text as UTF-16.
std::wstring wideFrom1251(const std::string& text);

class ShutdownReason {
public:
    using Create = BOOL(WINAPI*)(HWND, LPCWSTR);
    using Destroy = BOOL(WINAPI*)(HWND);

    // With user32's functions, or none where this Windows lacks them.
    ShutdownReason();
    // With the given pair (tests stand in for user32 here).
    ShutdownReason(Create create, Destroy destroy) : create_(create), destroy_(destroy) {}
    ~ShutdownReason() { withdraw(); }
    ShutdownReason(const ShutdownReason&) = delete;
    ShutdownReason& operator=(const ShutdownReason&) = delete;

    // False when this Windows has no such functions.
    bool available() const { return create_ != nullptr && destroy_ != nullptr; }
    // Registers `text` (Windows-1251) for `window`, replacing an earlier reason. False when
    // unavailable or refused.
    bool give(HWND window, const std::string& text);
    // Withdraws the reason, if one is registered.
    void withdraw();

private:
    Create create_ = nullptr;
    Destroy destroy_ = nullptr;
    HWND window_ = nullptr;
};

}  // namespace pausarium::win32
