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

void activate(HWND window) {
    SetForegroundWindow(window);
    SetFocus(window);
}

}  // namespace

bool takeForeground(HWND window) {
    const HWND current = GetForegroundWindow();
    const DWORD self = GetCurrentThreadId();
    const DWORD holder = current != nullptr ? GetWindowThreadProcessId(current, nullptr) : 0;
    // While attached, the change of activation waits on the other thread's answers; a hung
    // thread (one that has not answered for 5 s) would stall this one, so it is asked without.
    if (holder == 0 || holder == self || IsHungAppWindow(current)) {
        activate(window);
    } else {
        {
            const InputAttachment attachment(self, holder);
            activate(window);
        }
        // Wine loses the foreground when the threads detach; asked again, now from the
        // window's own input, it keeps it. Windows keeps it with the window, and the second
        // request changes nothing.
        if (GetForegroundWindow() != window) activate(window);
    }
    return GetForegroundWindow() == window;
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
