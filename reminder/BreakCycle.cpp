#include "BreakCycle.h"

#include <algorithm>
#include <utility>

#include "Error.h"
#include "Regimes.h"
#include "SettingsInForce.h"
#include "Texts.h"

namespace pausarium::reminder {
namespace {

// Intervals and enabled flags as the window is designed, before FormCreate sets its own.
constexpr std::uint32_t kHideMs = 2000;
constexpr std::uint32_t kBlinkMs = 1000;
constexpr std::uint32_t kAddressHideMs = 5000;
constexpr std::uint32_t kAntiActionGamesMs = 200;

}  // namespace

std::string minutesWithEnding(std::int32_t count) {
    std::string ending;
    if (count < 5) ending = texts::kEndingFew;
    if (count < 2) ending = texts::kEndingOne;
    return texts::kMinutesWord.str() + ending;
}

BreakCycle::BreakCycle(TimerHost& timers, ReminderWindow& window, Platform& platform,
                       SoundPaths paths, std::uint32_t minuteMs)
    : timers_(timers),
      window_(window),
      platform_(platform),
      paths_(std::move(paths)),
      minuteMs_(minuteMs),
      SleepTimer(timers, "SleepTimer", 45000, false,
                 [this] { onCycleTimer(SleepTimer, &BreakCycle::SleepTimerTimer); }),
      NoticeTimer(timers, "NoticeTimer", 1000, false,
                  [this] { onCycleTimer(NoticeTimer, &BreakCycle::NoticeTimerTimer); }),
      LockTimer(timers, "LockTimer", 1000, false, [this] { onCycleTimer(LockTimer, &BreakCycle::LockTimerTimer); }),
      HideTimer(timers, "HideTimer", kHideMs, false, [this] { HideTimerTimer(); }),
      BlinkTimer(timers, "BlinkTimer", kBlinkMs, false, [this] { BlinkTimerTimer(); }),
      tmAdressHide(timers, "tmAdressHide", kAddressHideMs, true, [this] { tmAdressHideTimer(); }),
      tmAntiActionGames(timers, "tmAntiActionGames", kAntiActionGamesMs, false,
                        [this] { tmAntiActionGamesTimer(); }),
      tmIdleCheck(timers, "tmIdleCheck", minuteMs, false, [this] { tmIdleCheckTimer(); }) {}

// Each value as a policy or the user sets it. Where no policy sets the regime, an error in the
// user's own value skips those after it and the rest of start-up, and what was set before stays
// set. Where a policy sets the regime, the user must not stop its cycle with a broken value of
// their own: that value is skipped, the others are read, and its error is answered once the
// timers are armed.
std::exception_ptr BreakCycle::readSettings(RegistryBackend& backend) {
    const bool managed = policyValue(backend, Setting::RegimeType).has_value();
    SettingsInForce settings(backend);  // the user's key released on every way out
    std::exception_ptr firstError;
    auto read = [&](SettingInForce (SettingsInForce::*setting)()) -> SettingInForce {
        if (!managed) return (settings.*setting)();
        try {
            return (settings.*setting)();
        } catch (const Error&) {
            if (!firstError) firstError = std::current_exception();
            return {};
        }
    };
    if (const auto regimeType = read(&SettingsInForce::regimeType).value) {
        const Regime regime = regimeFor(*regimeType);
        state_.WorkMinutes = regime.workMinutes;
        state_.NoticeMinutes = regime.noticeMinutes;
        state_.BreakMinutes = regime.breakMinutes;
    }
    if (const auto level = read(&SettingsInForce::protectionLevel).value) state_.ProtectionLevel = *level;
    state_.IdleBreak = settings.idleBreak().value == 1;
    return firstError;
}

void BreakCycle::FormCreate(RegistryBackend& registry) {
    const std::exception_ptr ownValueError = readSettings(registry);
    platform_.setApplicationTitle(texts::kTitlePrefix.str() +
                                  std::to_string(state_.WorkMinutes + state_.NoticeMinutes) + "/" +
                                  std::to_string(state_.BreakMinutes));
    SleepTimer.setInterval(static_cast<std::uint32_t>(state_.WorkMinutes) * minuteMs_);
    NoticeTimer.setInterval(minuteMs_);
    LockTimer.setInterval(minuteMs_);
    HideTimer.setInterval(kHideMs);
    BlinkTimer.setInterval(kBlinkMs);
    SleepTimer.setEnabled(true);
    NoticeTimer.setEnabled(false);
    LockTimer.setEnabled(false);
    HideTimer.setEnabled(true);
    BlinkTimer.setEnabled(false);
    state_.MinutesLeft = state_.NoticeMinutes;
    tmIdleCheck.setEnabled(idleRuleApplies());
    // The cycle is armed: time away may now count as its break, also when a policy's cycle runs
    // in spite of a broken value of the user's own, whose error follows.
    started_ = true;
    if (ownValueError) std::rethrow_exception(ownValueError);
}

ShowGeometry BreakCycle::FormShow(int screenWidth, int screenHeight) {
    if (state_.FirstShow) {
        // Nothing is seen: zero size at the designed screen-centred place, hidden 2 s after
        // start by HideTimer (already running, so enabling it again does not restart it).
        HideTimer.setEnabled(true);
        state_.FirstShow = false;
        return {screenWidth / 2, screenHeight / 2, 0, 0};
    }
    return {0, 0, screenWidth, screenHeight};
}

bool BreakCycle::FormCloseQuery() const { return phase() != Phase::Lock; }

Phase BreakCycle::phase() const {
    if (LockTimer.enabled()) return Phase::Lock;
    if (state_.BreakOver) return Phase::KeyWait;
    if (NoticeTimer.enabled()) return Phase::Notice;
    return Phase::Work;
}

std::string BreakCycle::minutesText(const std::string& prefix) const {
    return prefix + std::to_string(state_.MinutesLeft) + minutesWithEnding(state_.MinutesLeft) +
           texts::kEllipsis.str();
}

void BreakCycle::SleepTimerTimer() {
    SleepTimer.setEnabled(false);
    NoticeTimer.setEnabled(true);
    window_.setMessageColour(kBrightGreen);
    window_.setMessageText(texts::kFirstNotice);
    window_.show();
    platform_.playSound(paths_.notice);
    HideTimer.setEnabled(true);
}

void BreakCycle::NoticeTimerTimer() {
    --state_.MinutesLeft;
    if (state_.MinutesLeft > 0) {
        window_.show();
        window_.setMessageColour(kBrightGreen);
        if (state_.MinutesLeft == 1) {
            window_.setMessageColour(kRed);
            platform_.playSound(paths_.lastNotice);
        }
        window_.setMessageText(minutesText(texts::kNoticePrefix));
        HideTimer.setEnabled(true);
        return;
    }
    // The lock begins. Its text keeps the colour the last notice left (red).
    state_.MinutesLeft = state_.BreakMinutes;
    lockStartMs_ = timers_.now();
    tmIdleCheck.setEnabled(false);
    NoticeTimer.setEnabled(false);
    LockTimer.setEnabled(true);
    BlinkTimer.setEnabled(true);
    window_.setLocked(true);
    window_.setMessageText(texts::kLocked);
    window_.show();
    platform_.playSound(paths_.sysLock);
    window_.restoreApplication();
    window_.bringToFront();
    if (isRaisedProtection(state_.ProtectionLevel)) tmAntiActionGames.setEnabled(true);
}

void BreakCycle::LockTimerTimer() {
    window_.maximise();
    window_.focus();
    --state_.MinutesLeft;
    // A tick a whole minute late or more stands for every tick missed while the program did not
    // run (the computer slept): the lock's own minutes, counted from its start, say how many
    // remain. A tick merely delayed counts as one, as usual.
    if (LockTimer.lateness() >= minuteMs_)
        state_.MinutesLeft = std::min(state_.MinutesLeft, lockTicksLeft(timers_.now()));
    if (state_.MinutesLeft > 0) return;
    breakEnds();
}

// The break is over: wait for a key, blinking on.
void BreakCycle::breakEnds() {
    state_.MinutesLeft = state_.NoticeMinutes;
    LockTimer.setEnabled(false);
    tmAntiActionGames.setEnabled(false);
    state_.BreakOver = true;
    window_.setLocked(false);
    window_.setMessageText(texts::kPressAnyKey);
    platform_.playSound(paths_.sysOpen);
}

void BreakCycle::BlinkTimerTimer() {
    window_.fitToScreen();
    window_.restoreApplication();
    state_.BlinkCount = (state_.BlinkCount + 1) % (state_.BreakOver ? 2 : 3);
    if (state_.BlinkCount != 0) {
        window_.setMessageColour(kBlack);
        return;
    }
    if (state_.BreakOver) {
        window_.setMessageColour(kBrightGreen);
        window_.setMessageText(texts::kPressAnyKey);
    } else {
        window_.setMessageColour(kRed);
        window_.setMessageText(texts::kLocked);
    }
}

void BreakCycle::HideTimerTimer() {
    HideTimer.setEnabled(false);
    window_.hide();
}

void BreakCycle::tmAntiActionGamesTimer() {
    window_.bringToFront();
    window_.focus();
}

void BreakCycle::ProcessUserInput() {
    switch (phase()) {
    case Phase::KeyWait:
        // The key wait ends: a full work period starts now.
        state_.BreakOver = false;
        BlinkTimer.setEnabled(false);
        SleepTimer.setEnabled(true);
        window_.hide();
        tmIdleCheck.setEnabled(idleRuleApplies());
        return;  // the address label stays as it is
    case Phase::Lock:
        window_.setMessageColour(kRed);
        window_.setMessageText(minutesText(texts::kRemainingPrefix));
        break;
    case Phase::Work:
    case Phase::Notice:
        break;
    }
    lbAdressMouseMove();
}

void BreakCycle::lbAdressMouseMove() {
    tmAdressHide.setEnabled(true);
    window_.setAddressColour(kBlue);
}

void BreakCycle::tmAdressHideTimer() {
    tmAdressHide.setEnabled(false);
    window_.setAddressColour(kBlack);
}

void BreakCycle::lbAdressClick() { platform_.openAddress(texts::kAuthorAddress); }

// --- time away -----------------------------------------------------------------------------

std::int64_t BreakCycle::breakMs() const { return static_cast<std::int64_t>(state_.BreakMinutes) * minuteMs_; }

bool BreakCycle::idleRuleApplies() const { return state_.IdleBreak && breakMs() > 0; }

void BreakCycle::awaySince(Away reason, std::int64_t ms) {
    if (!started_) return;
    // A second suspend: the first one's resume was lost, and this sleep begins now.
    if (reason == Away::Asleep && isAway(Away::Asleep)) forgetTheSleep();
    if (isAway(reason)) return;  // locked twice: from the first
    if (away_ == 0) awaySinceMs_ = ms;
    away_ |= static_cast<unsigned>(reason);
    sinceMs_[slot(reason)] = ms;
}

// A sleep whose resume never came: the time away goes on from the earliest reason still under
// way, and ends with it.
void BreakCycle::forgetTheSleep() {
    away_ &= ~static_cast<unsigned>(Away::Asleep);
    bool first = true;
    for (const Away other : {Away::SessionLocked, Away::SessionDisconnected}) {
        if (!isAway(other)) continue;
        if (first || sinceMs_[slot(other)] < awaySinceMs_) awaySinceMs_ = sinceMs_[slot(other)];
        first = false;
    }
}

void BreakCycle::backAt(Away reason, std::int64_t ms) {
    if (!started_) return;
    const auto bit = static_cast<unsigned>(reason);
    const bool wasAway = (away_ & bit) != 0;
    away_ &= ~bit;
    if (wasAway && away_ == 0 && breakMs() > 0 && ms - awaySinceMs_ >= breakMs()) {
        timeAwayWasTheBreak();
        return;
    }
    // A resume, whatever came before it, may follow a sleep that the lock's ticks did not see.
    if (reason == Away::Asleep) keepTheLockByTheClock(ms);
}

void BreakCycle::onCycleTimer(const PeriodicTimer& timer, void (BreakCycle::*handler)()) {
    // A whole period run on time after the suspend: the program is evidently awake, and the
    // resume's notice was lost.
    const std::int64_t periodBegan = timers_.now() - timer.lateness() - timer.interval();
    if (started_ && isAway(Away::Asleep) && timer.lateness() < minuteMs_ / 10 &&
        periodBegan > sinceMs_[slot(Away::Asleep)])
        forgetTheSleep();
    if (started_ && breakMs() > 0 && timer.lateness() >= breakMs()) {
        // The program did not run from the expiry's due time until now: that was the break.
        timeAwayWasTheBreak();
        return;
    }
    (this->*handler)();
}

void BreakCycle::tmIdleCheckTimer() {
    if (started_ && platform_.msSinceInput() >= breakMs()) timeAwayWasTheBreak();
}

// As after a key press in the key wait, and silent: whatever of the notices, the lock or the key
// wait runs stops, the window hides, and a full work period begins now.
void BreakCycle::timeAwayWasTheBreak() {
    const Phase was = phase();
    NoticeTimer.setEnabled(false);
    LockTimer.setEnabled(false);
    BlinkTimer.setEnabled(false);
    tmAntiActionGames.setEnabled(false);
    state_.BreakOver = false;
    state_.MinutesLeft = state_.NoticeMinutes;
    if (was != Phase::Work) {  // in work the window is hidden already
        HideTimer.setEnabled(false);
        if (was == Phase::Lock) window_.setLocked(false);
        window_.hide();
    }
    // Armed last: a refused timer then leaves the window hidden, never the lock's black screen.
    SleepTimer.setEnabled(false);
    SleepTimer.setEnabled(true);
    tmIdleCheck.setEnabled(idleRuleApplies());
}

// After a resume the lock is over when BreakMinutes have passed by the clock since it began;
// otherwise its next tick, late, counts what remains.
void BreakCycle::keepTheLockByTheClock(std::int64_t now) {
    if (phase() == Phase::Lock && lockTicksLeft(now) <= 0) breakEnds();
}

// The lock's ticks fall at its start plus one minute, two, ... BreakMinutes: how many of them
// are still to come at `now`. Its last tick then never comes before BreakMinutes by the clock;
// where the ticks after a late one keep the lock's phase (Wine) it comes right at its end, where
// they go on a full interval after the late one (Windows) less than a minute after it.
std::int32_t BreakCycle::lockTicksLeft(std::int64_t now) const {
    const std::int64_t passed = (now - lockStartMs_) / minuteMs_;
    return static_cast<std::int32_t>(std::max<std::int64_t>(state_.BreakMinutes - passed, 0));
}

}  // namespace pausarium::reminder
