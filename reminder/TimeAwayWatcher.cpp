#include "TimeAwayWatcher.h"

#include <wtsapi32.h>

#include "SystemLibrary.h"

namespace pausarium::reminder {
namespace {

// wtsapi32 is no KnownDLL: loaded from the system directory, at the window's creation.
win32::SystemLibrary wtsapi32("wtsapi32.dll");

class Wtsapi32SessionNotices final : public SessionNotices {
public:
    Answer subscribe(HWND window) override {
        const auto subscribeTo =
            wtsapi32.function<decltype(&WTSRegisterSessionNotification)>("WTSRegisterSessionNotification");
        if (subscribeTo == nullptr) return Answer::Refused;
        if (subscribeTo(window, NOTIFY_FOR_THIS_SESSION)) return Answer::Subscribed;
        // Before Remote Desktop Services are up (early at log-on) the call fails with this.
        return GetLastError() == RPC_S_INVALID_BINDING ? Answer::NotYet : Answer::Refused;
    }
    void unsubscribe(HWND window) override {
        if (const auto unsubscribeFrom =
                wtsapi32.function<decltype(&WTSUnRegisterSessionNotification)>("WTSUnRegisterSessionNotification"))
            unsubscribeFrom(window);
    }
};

// The computer goes to sleep or hibernates; it resumes (PBT_APMRESUMEAUTOMATIC always, then
// PBT_APMRESUMESUSPEND when a user woke it; PBT_APMRESUMECRITICAL after a suspension that sent
// no notice before it, on Windows before Vista).
bool onPower(WPARAM event, std::int64_t now, BreakCycle& cycle) {
    switch (event) {
    case PBT_APMSUSPEND: cycle.awaySince(Away::Asleep, now); return true;
    case PBT_APMRESUMEAUTOMATIC:
    case PBT_APMRESUMESUSPEND:
    case PBT_APMRESUMECRITICAL: cycle.backAt(Away::Asleep, now); return true;
    default: return false;
    }
}

bool onSession(WPARAM event, std::int64_t now, BreakCycle& cycle) {
    switch (event) {
    case WTS_SESSION_LOCK: cycle.awaySince(Away::SessionLocked, now); return true;
    case WTS_SESSION_UNLOCK: cycle.backAt(Away::SessionLocked, now); return true;
    case WTS_CONSOLE_DISCONNECT:
    case WTS_REMOTE_DISCONNECT: cycle.awaySince(Away::SessionDisconnected, now); return true;
    case WTS_CONSOLE_CONNECT:
    case WTS_REMOTE_CONNECT: cycle.backAt(Away::SessionDisconnected, now); return true;
    default: return false;
    }
}

}  // namespace

SessionNotices& systemSessionNotices() {
    static Wtsapi32SessionNotices notices;
    return notices;
}

void TimeAwayWatcher::watch(HWND window) {
    stop();
    switch (sessions_.subscribe(window)) {
    case SessionNotices::Answer::Subscribed: watched_ = window; break;
    case SessionNotices::Answer::NotYet: notYet_ = window; break;
    case SessionNotices::Answer::Refused: break;
    }
}

void TimeAwayWatcher::askAgain() {
    if (notYet_ != nullptr) watch(notYet_);
}

void TimeAwayWatcher::stop() {
    notYet_ = nullptr;
    if (watched_ == nullptr) return;
    sessions_.unsubscribe(watched_);
    watched_ = nullptr;
}

bool TimeAwayWatcher::onMessage(UINT message, WPARAM wParam, std::int64_t now, BreakCycle& cycle) {
    if (message == WM_POWERBROADCAST) return onPower(wParam, now, cycle);
    if (message == WM_WTSSESSION_CHANGE) return onSession(wParam, now, cycle);
    return false;
}

}  // namespace pausarium::reminder
