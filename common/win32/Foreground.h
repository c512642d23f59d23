#pragma once
// The keyboard for one window of this thread: taken from whichever program holds the
// foreground, and handed back to that program when the window goes.
//
// Windows lets a program that the user is not working in activate its windows only under the
// conditions that SetForegroundWindow documents; a timer is not one of them. So it is asked
// plainly first, and only when that leaves another thread in the foreground is this thread's
// input attached to that thread's (AttachThreadInput): it then shares that thread's active and
// focus state and may set both. The attachment lasts for one call only, is never made to a
// hung window's thread, and is always undone. No system setting changes and no hook is used.

#include <windows.h>

namespace pausarium::win32 {

// Makes `window` the foreground window with the keyboard focus. True when it then is.
bool takeForeground(HWND window);

// Who had the keyboard before `window` took it, so that it can be given back.
class ForegroundReturn {
public:
    // Notes the current foreground window as the one to give back to, unless it is `window`
    // itself or an earlier note still names an existing window.
    void note(HWND window);
    // Notes, then takes the foreground for `window`.
    bool take(HWND window);
    // When `window` holds the foreground: makes the noted window the foreground again if it
    // still exists and is visible. Forgets the note either way. Called before `window` hides,
    // while this program may still set the foreground.
    void giveBack(HWND window);

private:
    HWND previous_ = nullptr;
};

}  // namespace pausarium::win32
