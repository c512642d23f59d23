#pragma once
// What the break cycle asks of the platform: the reminder window's operations, sound, the
// shell and the application title. The real window implements them over Win32; tests record
// them on a virtual clock.

#include <cstdint>
#include <string>

namespace pausarium::reminder {

// The platform's packed colour value, 0x00BBGGRR.
using Colour = std::uint32_t;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kBrightGreen = 0x00FF00;
inline constexpr Colour kBlue = 0xFF0000;
inline constexpr Colour kBlack = 0x000000;

class ReminderWindow {
public:
    virtual ~ReminderWindow() = default;
    // Visible (running FormShow's geometry when it was hidden) and raised to the top.
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual void setMessageText(const std::string& text) = 0;
    virtual void setMessageColour(Colour colour) = 0;
    virtual void setAddressColour(Colour colour) = 0;
    // Width and height := the primary screen's, position unchanged.
    virtual void fitToScreen() = 0;
    // Into the maximised state; nothing when it is maximised already.
    virtual void maximise() = 0;
    virtual void bringToFront() = 0;
    // Keyboard focus, unless the window is the active window already.
    virtual void focus() = 0;
    // When the program is minimised: restore it, topmost again; otherwise nothing.
    virtual void restoreApplication() = 0;
    // The lock begins (true, before its show) or ends (false). The lock's show takes the
    // keyboard from whichever program has it, as focus does; while the lock runs, the window
    // tells the platform why it refuses to let the session end.
    virtual void setLocked(bool locked) = 0;
};

class Platform {
public:
    virtual ~Platform() = default;
    // Asynchronous; a missing file is the platform's concern, nothing is reported.
    virtual void playSound(const std::string& path) = 0;
    // Hands an address to the shell with the verb "open"; the result is not used.
    virtual void openAddress(const std::string& address) = 0;
    virtual void setApplicationTitle(const std::string& title) = 0;
    // How long ago the user's last keyboard or mouse input was, in milliseconds (for any
    // program of the session, not only this one's window).
    virtual std::int64_t msSinceInput() = 0;
};

}  // namespace pausarium::reminder
