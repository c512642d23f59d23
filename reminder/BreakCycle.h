#pragma once
// The break reminder's logic: start-up from the registry, the work / notice / lock / key-wait
// cycle on seven periodic timers, input and closing rules, the address label, and time away
// (sleep, a locked session, the program stopped, with IdleBreak no input) as the break, with
// an eighth timer for IdleBreak. It never touches a window itself: it drives ReminderWindow and
// Platform, so it runs the same on the real window and on a virtual clock.

#include <cstdint>
#include <exception>
#include <string>

#include "PeriodicTimer.h"
#include "RegistryBackend.h"
#include "ReminderState.h"
#include "WindowOperations.h"

namespace pausarium::reminder {

// Where and how large the window is to be on a show.
struct ShowGeometry {
    int left, top, width, height;
};

// The phase of the cycle. It is not stored: it follows from the running timers and BreakOver.
enum class Phase { Work, Notice, Lock, KeyWait };

// Why nobody can be working: the computer asleep (from the suspend notice to the resume), the
// session locked, or the session disconnected from its console or remote desktop. Several may
// overlap; the time away lasts from the first to the last of them.
enum class Away : unsigned { Asleep = 1, SessionLocked = 2, SessionDisconnected = 4 };

class BreakCycle {
public:
    // `minuteMs` is one minute of the cycle: 60000, shorter in test builds.
    BreakCycle(TimerHost& timers, ReminderWindow& window, Platform& platform, SoundPaths paths,
               std::uint32_t minuteMs = 60000);
    BreakCycle(const BreakCycle&) = delete;
    BreakCycle& operator=(const BreakCycle&) = delete;

    // The window's creation handler: reads the settings and arms the cycle. Raises on a bad
    // registry value or a refused timer; the steps after the failure are then skipped, except
    // that a bad value of the user's own, while a policy sets a setting, is raised last.
    void FormCreate(RegistryBackend& registry);
    // Runs on each change from hidden to visible, before the window is drawn; answers where
    // the window goes. The first show is at zero size, centred.
    ShowGeometry FormShow(int screenWidth, int screenHeight);
    // Closing is allowed exactly when the lock does not run.
    bool FormCloseQuery() const;
    // The lock while LockTimer runs; else the key wait while BreakOver is set; else the notices
    // while NoticeTimer runs; else work (also before FormCreate and with no valid regime).
    Phase phase() const;

    // Input: every key press (after the key was consumed) and every click on the message.
    void ProcessUserInput();
    // The address label.
    void lbAdressMouseMove();
    void lbAdressClick();

    // Time away. `ms` is on the timers' clock, which counts the time asleep. Time away of at
    // least BreakMinutes that ends in any phase was the break: the notices or the lock stop, the
    // window hides and a full work period begins. Shorter time away changes nothing, except that
    // the lock never outlasts BreakMinutes by the clock. A second start of the same reason, or
    // an end without a start, is ignored; but a second suspend, or a cycle timer's whole period
    // run on time after the suspend, tells that the resume's notice was lost. Nothing of this
    // happens without a valid regime, nor before FormCreate has armed the cycle to its end.
    void awaySince(Away reason, std::int64_t ms);
    void backAt(Away reason, std::int64_t ms);
    // Whether time away is under way, by the notices of its beginning and end.
    bool away() const { return away_ != 0; }

    // Timer handlers, run by their timers; public so the window's tests can drive them.
    void SleepTimerTimer();
    void NoticeTimerTimer();
    void LockTimerTimer();
    void BlinkTimerTimer();
    void HideTimerTimer();
    void tmAntiActionGamesTimer();
    void tmAdressHideTimer();
    // Once a minute in the work phase and the notices, with IdleBreak only: a stretch with no
    // input of at least BreakMinutes starts the work period afresh, at each look while it lasts.
    void tmIdleCheckTimer();

    const CycleState& state() const { return state_; }
    const SoundPaths& paths() const { return paths_; }
    const PeriodicTimer& sleepTimer() const { return SleepTimer; }
    const PeriodicTimer& noticeTimer() const { return NoticeTimer; }
    const PeriodicTimer& lockTimer() const { return LockTimer; }
    const PeriodicTimer& hideTimer() const { return HideTimer; }
    const PeriodicTimer& blinkTimer() const { return BlinkTimer; }
    const PeriodicTimer& addressHideTimer() const { return tmAdressHide; }
    const PeriodicTimer& antiActionGamesTimer() const { return tmAntiActionGames; }
    const PeriodicTimer& idleCheckTimer() const { return tmIdleCheck; }

private:
    std::exception_ptr readSettings(RegistryBackend& registry);  // the deferred error, if any
    std::string minutesText(const std::string& prefix) const;
    void breakEnds();
    // A cycle timer's expiry: one that comes BreakMinutes late or more ends time away that was
    // the break, and its own handler does not run.
    void onCycleTimer(const PeriodicTimer& timer, void (BreakCycle::*handler)());
    std::int64_t breakMs() const;
    bool idleRuleApplies() const;
    void timeAwayWasTheBreak();
    bool isAway(Away reason) const { return (away_ & static_cast<unsigned>(reason)) != 0; }
    static int slot(Away reason) { return reason == Away::Asleep ? 0 : reason == Away::SessionLocked ? 1 : 2; }
    void forgetTheSleep();
    void keepTheLockByTheClock(std::int64_t now);
    std::int32_t lockTicksLeft(std::int64_t now) const;

    TimerHost& timers_;
    ReminderWindow& window_;
    Platform& platform_;
    SoundPaths paths_;
    std::uint32_t minuteMs_;
    CycleState state_;
    bool started_ = false;         // FormCreate armed the cycle to the end
    unsigned away_ = 0;            // the reasons of the time away under way (Away bits)
    std::int64_t awaySinceMs_ = 0;  // when the time away under way began
    std::int64_t sinceMs_[3] = {};  // when each reason under way began (by slot)
    std::int64_t lockStartMs_ = 0;  // when the lock under way began

    // As designed: intervals and enabled flags before FormCreate sets them.
    PeriodicTimer SleepTimer;
    PeriodicTimer NoticeTimer;
    PeriodicTimer LockTimer;
    PeriodicTimer HideTimer;
    PeriodicTimer BlinkTimer;
    PeriodicTimer tmAdressHide;
    PeriodicTimer tmAntiActionGames;
    PeriodicTimer tmIdleCheck;  // IdleBreak's look at the input clock
};

// "минут" with its ending for a count: 5 and more plain, below 5 "ы", below 2 "а".
std::string minutesWithEnding(std::int32_t count);

}  // namespace pausarium::reminder
