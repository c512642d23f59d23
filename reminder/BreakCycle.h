#pragma once
// The break reminder's logic: start-up from the registry, the work / notice / lock / key-wait
// cycle on seven periodic timers, input and closing rules, and the address label. It never
// touches a window itself: it drives ReminderWindow and Platform, so it runs the same on the
// real window and on a virtual clock.

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

    // Timer handlers, run by their timers; public so the window's tests can drive them.
    void SleepTimerTimer();
    void NoticeTimerTimer();
    void LockTimerTimer();
    void BlinkTimerTimer();
    void HideTimerTimer();
    void tmAntiActionGamesTimer();
    void tmAdressHideTimer();

    const CycleState& state() const { return state_; }
    const SoundPaths& paths() const { return paths_; }
    const PeriodicTimer& sleepTimer() const { return SleepTimer; }
    const PeriodicTimer& noticeTimer() const { return NoticeTimer; }
    const PeriodicTimer& lockTimer() const { return LockTimer; }
    const PeriodicTimer& hideTimer() const { return HideTimer; }
    const PeriodicTimer& blinkTimer() const { return BlinkTimer; }
    const PeriodicTimer& addressHideTimer() const { return tmAdressHide; }
    const PeriodicTimer& antiActionGamesTimer() const { return tmAntiActionGames; }

private:
    std::exception_ptr readSettings(RegistryBackend& registry);  // the deferred error, if any
    std::string minutesText(const std::string& prefix) const;

    ReminderWindow& window_;
    Platform& platform_;
    SoundPaths paths_;
    std::uint32_t minuteMs_;
    CycleState state_;

    // As designed: intervals and enabled flags before FormCreate sets them.
    PeriodicTimer SleepTimer;
    PeriodicTimer NoticeTimer;
    PeriodicTimer LockTimer;
    PeriodicTimer HideTimer;
    PeriodicTimer BlinkTimer;
    PeriodicTimer tmAdressHide;
    PeriodicTimer tmAntiActionGames;
};

// "минут" with its ending for a count: 5 and more plain, below 5 "ы", below 2 "а".
std::string minutesWithEnding(std::int32_t count);

}  // namespace pausarium::reminder
