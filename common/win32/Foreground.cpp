#include "Foreground.h"

namespace pausarium::win32 {
namespace {

// This thread's input attached to another thread's for the life of the object.
class InputAttachment {
public:
    InputAttachment(DWORD self, DWORD other)
        : self_(self), other_(other), attached_(AttachThreadInput(self, other, TRUE) != FALSE) {}
    ~InputAttachment() {
        if (attached_) AttachThreadInput(self_, other_, FALSE);
    }
    InputAttachment(const InputAttachment&) = delete;
    InputAttachment& operator=(const InputAttachment&) = delete;

private:
    DWORD self_;
    DWORD other_;
    bool attached_;
};

// The keyboard focus for `window` once it is the foreground window. A focus already inside it
// (a box's button) stays where it is.
bool focusWhenForeground(HWND window) {
    if (GetForegroundWindow() != window) return false;
    const HWND focused = GetFocus();
    if (focused != window && !IsChild(window, focused)) SetFocus(window);
    return true;
}

}  // namespace

bool takeForeground(HWND window) {
    // Asked plainly first: Windows grants it where the conditions SetForegroundWindow documents
    // hold, and then no other thread is waited on.
    SetForegroundWindow(window);
    if (focusWhenForeground(window)) return true;
    const HWND current = GetForegroundWindow();
    const DWORD self = GetCurrentThreadId();
    const DWORD holder = current != nullptr ? GetWindowThreadProcessId(current, nullptr) : 0;
    // While attached, the change of activation waits on the other thread's answers; a hung
    // thread (one that has not answered for 5 s) would stall this one, so it is not attached to.
    if (holder == 0 || holder == self || IsHungAppWindow(current)) return false;
    {
        const InputAttachment attachment(self, holder);
        SetForegroundWindow(window);
        SetFocus(window);
    }
    // Wine loses the foreground when the threads detach; asked again, now from the window's
    // own input, it keeps it. Windows keeps it with the window, and the second request
    // changes nothing.
    if (GetForegroundWindow() != window) SetForegroundWindow(window);
    return focusWhenForeground(window);
}

void ForegroundReturn::note(HWND window) {
    if (previous_ != nullptr && IsWindow(previous_)) return;
    const HWND current = GetForegroundWindow();
    previous_ = current != window ? current : nullptr;
}

bool ForegroundReturn::take(HWND window) {
    note(window);
    return takeForeground(window);
}

void ForegroundReturn::giveBack(HWND window) {
    const HWND previous = previous_;
    previous_ = nullptr;
    if (previous == nullptr || GetForegroundWindow() != window) return;
    if (IsWindow(previous) && IsWindowVisible(previous)) SetForegroundWindow(previous);
}

}  // namespace pausarium::win32
