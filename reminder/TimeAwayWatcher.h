#pragma once
// Time away as Windows tells it to the reminder's window: the computer going to sleep and
// resuming (WM_POWERBROADCAST, which every top-level window gets), and the session locked,
// unlocked, disconnected from its console or remote desktop and connected again
// (WM_WTSSESSION_CHANGE, which only a window that asked for it gets). Each notice becomes the
// cycle's awaySince or backAt, stamped with the time the window gives, read off the clock its
// timers run on. What the time away means is the cycle's affair.

#include <windows.h>

#include <cstdint>

#include "BreakCycle.h"

namespace pausarium::reminder {

// The session's notices for one window: WTSRegisterSessionNotification and its undoing.
class SessionNotices {
public:
    // NotYet: refused because the session's services are not up yet (early at log-on).
    enum class Answer { Subscribed, Refused, NotYet };

    virtual ~SessionNotices() = default;
    // For the window's own session only.
    virtual Answer subscribe(HWND window) = 0;
    virtual void unsubscribe(HWND window) = 0;
};

// wtsapi32's, from the system directory on first use; without the DLL or its functions every
// subscription is refused.
SessionNotices& systemSessionNotices();

class TimeAwayWatcher {
public:
    explicit TimeAwayWatcher(SessionNotices& sessions) : sessions_(sessions) {}
    ~TimeAwayWatcher() { stop(); }
    TimeAwayWatcher(const TimeAwayWatcher&) = delete;
    TimeAwayWatcher& operator=(const TimeAwayWatcher&) = delete;

    // Asks for the session's notices on `window`. A refusal leaves the sleep to the power
    // notices and to the cycle's late timers.
    void watch(HWND window);
    // Asks again when the last answer was "not yet"; nothing otherwise. The window calls it at
    // its timers' expiries, so the question is repeated until the session's services are up.
    void askAgain();
    // Undoes watch; called before the window goes.
    void stop();

    // Hands a WM_POWERBROADCAST or WM_WTSSESSION_CHANGE that tells of time away to `cycle`,
    // as having come at `now`; false for every other message and code, which the window passes
    // on as usual.
    static bool onMessage(UINT message, WPARAM wParam, std::int64_t now, BreakCycle& cycle);

private:
    SessionNotices& sessions_;
    HWND watched_ = nullptr;
    HWND notYet_ = nullptr;  // the window to subscribe once the session's services are up
};

}  // namespace pausarium::reminder
