// Time away as the break, regime 30/5 (27 work, 3 notice, 5 break minutes): the computer asleep,
// the session locked or disconnected, the program stopped with no notice at all (its timers
// come late), and with IdleBreak no input. A sleep is the virtual clock suspended: no timer fires
// until the wake, and then each overdue one fires once.

#include <gtest/gtest.h>

#include "CycleRecorder.h"
#include "Error.h"
#include "InputClock.h"

using pausarium::layout::RootKey;
using pausarium::reminder::Away;
using pausarium::reminder::Phase;
using pausarium::testing::RunningReminder;
using Log = std::vector<std::string>;

namespace {

constexpr std::int64_t kMinute = 60000;
std::int64_t at(int minutes, int seconds = 0) { return RunningReminder::at(minutes, seconds); }

struct TimeAway : ::testing::Test {
    std::unique_ptr<RunningReminder> app = std::make_unique<RunningReminder>();

    void startWith(std::uint32_t regime, bool idleBreak = false) {
        app->settings(regime, 0);
        if (idleBreak) app->registry.setDword(RootKey::CurrentUser, "SOFTWARE\\Pausarium", "IdleBreak", 1);
        app->start();
        app->advanceTo(0, 10);
        app->window.take();
    }
    // Away for `length` ms of a session lock (the program runs on) ending at `end`.
    void sessionAway(Away reason, std::int64_t end, std::int64_t length) {
        app->clock.advanceTo(end - length);
        app->cycle->awaySince(reason, app->clock.now());
        app->clock.advanceTo(end);
        app->cycle->backAt(reason, end);
    }
    // Asleep from `start` for `length` ms: the program is stopped in between.
    void asleep(std::int64_t start, std::int64_t length) {
        app->clock.advanceTo(start);
        app->cycle->awaySince(Away::Asleep, start);
        app->clock.suspendFor(length);
        app->cycle->backAt(Away::Asleep, app->clock.now());
    }
    // From now on: nothing seen or heard for a full work period, then the first notice.
    void expectFullWorkPeriodFromNow(const std::string& where) {
        const std::int64_t from = app->clock.now();
        app->window.take();
        EXPECT_EQ(app->cycle->phase(), Phase::Work) << where;
        EXPECT_FALSE(app->window.visible()) << where;
        EXPECT_EQ(app->cycle->state().MinutesLeft, 3) << where;
        app->clock.advanceTo(from + 27 * kMinute - 1);
        EXPECT_EQ(app->window.take(), Log{}) << where;
        app->clock.advanceTo(from + 27 * kMinute);
        EXPECT_EQ(app->window.filtered("Notice.wav").size(), 1u) << where;
    }
};

}  // namespace

TEST_F(TimeAway, OfABreakOrMoreEndingInAnyPhaseStartsAFullWorkPeriodSilently) {
    struct Case {
        const char* phase;
        std::int64_t end;
        Log ending;  // what the window is told when the time away ends
    };
    const Case cases[] = {{"work", at(20), {}},
                          {"notices", at(28, 30), {"hide"}},
                          {"lock", at(32), {"unlock", "hide"}},
                          {"key wait", at(50), {"hide"}}};
    for (const Away reason : {Away::SessionLocked, Away::SessionDisconnected}) {
        for (const Case& c : cases) {
            app = std::make_unique<RunningReminder>();  // a fresh reminder for each case
            startWith(0);
            app->clock.advanceTo(c.end - 5 * kMinute);
            app->cycle->awaySince(reason, app->clock.now());
            app->clock.advanceTo(c.end);  // the program runs on
            app->window.take();
            app->cycle->backAt(reason, c.end);
            Log expected;
            for (const auto& what : c.ending) expected.push_back(pausarium::testing::clockText(c.end) + " " + what);
            EXPECT_EQ(app->window.take(), expected) << c.phase;
            expectFullWorkPeriodFromNow(c.phase);
        }
    }
}

TEST_F(TimeAway, ShorterThanTheBreakChangesNothing) {
    for (const std::int64_t end : {at(20), at(28, 30), at(32), at(50)}) {
        app = std::make_unique<RunningReminder>();
        startWith(0);
        sessionAway(Away::SessionLocked, end, 5 * kMinute - 1);
        app->advanceTo(60);
        const Log sounds = app->window.filtered("sound");
        ASSERT_EQ(sounds.size(), 4u) << end;
        EXPECT_EQ(sounds.front(), "27:00 sound C:\\Tools\\Sound\\Notice.wav");
        EXPECT_EQ(sounds.back(), "35:00 sound C:\\Tools\\Sound\\SysOpen.wav");
    }
}

TEST_F(TimeAway, ASleepOverTheWorkTimersDueTimeNeverShowsTheNotices) {
    startWith(0);
    asleep(at(20), 120 * kMinute);  // SleepTimer, due at 27:00, fires once at 140:00
    EXPECT_EQ(app->window.take(), Log{});
    expectFullWorkPeriodFromNow("after two hours asleep");
}

TEST_F(TimeAway, OverlapsLastFromTheFirstAwayToTheLastBack) {
    startWith(0);
    app->advanceTo(10);
    app->cycle->awaySince(Away::SessionLocked, at(10));
    app->advanceTo(12);
    app->cycle->awaySince(Away::Asleep, at(12));
    app->clock.suspendFor(3 * kMinute);
    app->cycle->backAt(Away::SessionLocked, at(13));  // unlocked while asleep: out of order
    app->cycle->backAt(Away::Asleep, at(15));         // 10:00 to 15:00, though neither alone was 5
    expectFullWorkPeriodFromNow("locked, then asleep");
}

TEST_F(TimeAway, NoticesOutOfOrderChangeNothing) {
    startWith(0);
    app->advanceTo(5);
    app->cycle->backAt(Away::Asleep, at(5));  // a resume with no suspend
    app->cycle->backAt(Away::SessionLocked, at(5));
    app->cycle->awaySince(Away::SessionLocked, at(8));
    app->cycle->awaySince(Away::SessionLocked, at(12));  // locked twice: from the first
    app->advanceTo(13);
    app->cycle->backAt(Away::SessionLocked, at(13));
    app->cycle->backAt(Away::SessionLocked, at(13));     // unlocked twice
    EXPECT_EQ(app->cycle->sleepTimer().dueAt(), at(40));  // restarted at 13:00, once
    app->cycle->awaySince(Away::Asleep, at(20));
    app->advanceTo(21);
    app->cycle->backAt(Away::Asleep, at(2));  // a clock gone backwards
    app->advanceTo(40);
    EXPECT_EQ(app->window.filtered("Notice.wav"), Log{"40:00 sound C:\\Tools\\Sound\\Notice.wav"});
}

TEST_F(TimeAway, ATimerABreakLateWithNoNoticeEndsTimeAwayInWorkNoticesAndLock) {
    // Stopped from 20:00: SleepTimer, due at 27:00, comes 3 min late and runs as usual ...
    startWith(0);
    app->advanceTo(20);
    app->clock.suspendFor(10 * kMinute);
    EXPECT_EQ(app->window.filtered("Notice.wav"), Log{"30:00 sound C:\\Tools\\Sound\\Notice.wav"});
    // ... 5 min late it was the break.
    for (const auto& [stop, length] : {std::pair{at(20), 12 * kMinute}, std::pair{at(28, 30), 6 * kMinute},
                                       std::pair{at(31), 6 * kMinute}}) {
        app = std::make_unique<RunningReminder>();
        startWith(0);
        app->clock.advanceTo(stop);
        app->window.take();
        app->clock.suspendFor(length);
        EXPECT_EQ(app->window.filtered("sound"), Log{}) << stop;
        expectFullWorkPeriodFromNow("stopped at " + pausarium::testing::clockText(stop));
    }
}

TEST_F(TimeAway, TheLockLastsItsBreakByTheClock) {
    // Asleep 31:30 to 33:30: LockTimer comes at 33:30 instead of 32:00, for the ticks of 32:00
    // and 33:00 too; two are left, 34:30 and 35:30, rather than four: never before 35:00.
    startWith(0);
    asleep(at(31, 30), 2 * kMinute);
    EXPECT_EQ(app->cycle->state().MinutesLeft, 2);
    EXPECT_EQ(app->cycle->phase(), Phase::Lock);
    app->advanceTo(35, 30);
    EXPECT_EQ(app->window.filtered("SysOpen"), Log{"35:30 sound C:\\Tools\\Sound\\SysOpen.wav"});

    // A tick 0.6 minute late (a busy computer, a short stop) is still one minute of the lock.
    app = std::make_unique<RunningReminder>();
    startWith(0);
    app->advanceTo(30, 50);
    app->clock.suspendFor(46000);  // the tick due 31:00 comes at 31:36
    EXPECT_EQ(app->cycle->state().MinutesLeft, 4);
    app->advanceTo(36);
    EXPECT_EQ(app->window.filtered("SysOpen"), Log{"35:36 sound C:\\Tools\\Sound\\SysOpen.wav"});

    // Asleep longer than what remained, shorter than the break: the key wait at the resume.
    app = std::make_unique<RunningReminder>();
    startWith(0);
    asleep(at(33), 3 * kMinute);
    EXPECT_EQ(app->window.filtered("SysOpen"), Log{"36:00 sound C:\\Tools\\Sound\\SysOpen.wav"});
    EXPECT_EQ(app->cycle->phase(), Phase::KeyWait);
    EXPECT_TRUE(app->window.visible());

    // A resume before the late tick: the lock ends at it only when its break is over.
    app = std::make_unique<RunningReminder>();
    startWith(0);
    app->advanceTo(30, 30);
    app->clock.jumpTo(at(34, 40));
    app->cycle->backAt(Away::Asleep, at(34, 40));
    EXPECT_EQ(app->cycle->phase(), Phase::Lock);
    app->clock.jumpTo(at(35, 10));
    app->cycle->backAt(Away::Asleep, at(35, 10));
    EXPECT_EQ(app->cycle->phase(), Phase::KeyWait);
}

TEST_F(TimeAway, IdleBreakLooksOnceAMinuteOnlyInWorkAndNotices) {
    startWith(0, true);
    EXPECT_TRUE(app->cycle->idleCheckTimer().enabled());
    EXPECT_EQ(app->cycle->idleCheckTimer().interval(), 60000u);
    // Typing throughout: the usual timeline, and no look in the lock or the key wait.
    for (int s = 30; s <= 40 * 60; s += 30) {
        app->window.lastInputAt = s * 1000;
        app->advanceTo(0, s);
    }
    const Log sounds = app->window.filtered("sound");
    ASSERT_EQ(sounds.size(), 4u);
    EXPECT_EQ(sounds.front(), "27:00 sound C:\\Tools\\Sound\\Notice.wav");
    app->cycle->ProcessUserInput();  // the key wait ends at 40:00
    EXPECT_TRUE(app->cycle->idleCheckTimer().enabled());
}

TEST_F(TimeAway, IdleBreakWithNoInputPostponesTheNoticesUntilAWorkPeriodAfterTheFirstInput) {
    startWith(0, true);
    app->advanceTo(28, 30);  // no input since 0:00: the work period began afresh at each look
    EXPECT_EQ(app->window.take(), Log{});
    for (int s = 28 * 60 + 30; s <= 52 * 60; s += 30) {  // typing from 28:30 to 52:00
        app->window.lastInputAt = s * 1000;
        app->advanceTo(0, s);
    }
    app->advanceTo(55, 1);  // the last fresh start was at 28:00
    EXPECT_EQ(app->window.filtered("Notice.wav"), Log{"55:00 sound C:\\Tools\\Sound\\Notice.wav"});
    // Gone since 52:00: the notices stop at the look that finds five minutes without input.
    app->advanceTo(57);
    EXPECT_EQ(app->cycle->phase(), Phase::Work);
    EXPECT_FALSE(app->window.visible());
    EXPECT_EQ(app->cycle->sleepTimer().dueAt(), at(57 + 27));
}

TEST_F(TimeAway, IdleBreakIsOnOnlyAsADwordOfOneAndNeverAnError) {
    using pausarium::testing::MemoryRegistry;
    const std::string key = "SOFTWARE\\Pausarium";
    const std::function<void(MemoryRegistry&)> values[] = {
        [&](MemoryRegistry& r) { r.setDword(RootKey::CurrentUser, key, "IdleBreak", 0); },
        [&](MemoryRegistry& r) { r.setDword(RootKey::CurrentUser, key, "IdleBreak", 2); },
        [&](MemoryRegistry& r) { r.setString(RootKey::CurrentUser, key, "IdleBreak", "1"); },
        [&](MemoryRegistry& r) { r.setRaw(RootKey::CurrentUser, key, "IdleBreak", {4, {1, 0}}); },
        [&](MemoryRegistry& r) { r.setRaw(RootKey::CurrentUser, key, "IdleBreak", {4, {1, 0, 0, 0, 0, 0, 0, 0}}); },
        [&](MemoryRegistry& r) { r.setRaw(RootKey::CurrentUser, key, "IdleBreak", {3, {1, 0, 0, 0}}); },
    };
    for (std::size_t i = 0; i < std::size(values); ++i) {
        RunningReminder run;
        run.settings(1, 1);
        values[i](run.registry);
        run.start();  // raises nothing
        EXPECT_EQ(run.window.title, "Pausarium - 50/10") << i;
        EXPECT_EQ(run.cycle->state().ProtectionLevel, 1) << i;
        EXPECT_FALSE(run.cycle->state().IdleBreak) << i;
        EXPECT_FALSE(run.cycle->idleCheckTimer().enabled()) << i;
        EXPECT_EQ(run.registry.openKeyCount(), 0u) << i;
    }
}

TEST_F(TimeAway, WithoutAValidRegimeNothingHappens) {
    app->registry.setDword(RootKey::CurrentUser, "SOFTWARE\\Pausarium", "IdleBreak", 1);
    app->start();
    EXPECT_FALSE(app->cycle->idleCheckTimer().enabled());
    app->advanceTo(1);
    app->window.take();
    app->cycle->awaySince(Away::SessionLocked, at(1));
    app->clock.suspendFor(120 * kMinute);
    app->cycle->backAt(Away::SessionLocked, app->clock.now());
    app->cycle->backAt(Away::Asleep, app->clock.now());
    app->clock.advanceBy(24 * 60 * kMinute);
    EXPECT_EQ(app->window.take(), Log{});
    EXPECT_EQ(app->cycle->phase(), Phase::Work);
}

TEST_F(TimeAway, NeverStartsACycleTheStartUpDidNotArm) {
    app->settings(0, 0);
    app->create();
    app->clock.refuseTimer("SleepTimer");
    EXPECT_THROW(app->cycle->FormCreate(app->registry), pausarium::Error);
    app->clock.refuseTimer("SleepTimer", false);
    sessionAway(Away::SessionLocked, at(20), 10 * kMinute);
    app->clock.advanceBy(60 * kMinute);
    EXPECT_FALSE(app->clock.isArmed(app->cycle->sleepTimer()));
    EXPECT_EQ(app->window.filtered("sound"), Log{});
}

TEST(InputClock, CountsAcrossTheWrapAndTakesATickAheadAsInputNow) {
    using pausarium::reminder::msSinceInputTick;
    EXPECT_EQ(msSinceInputTick(5000, 2000), 3000);
    EXPECT_EQ(msSinceInputTick(100, 0xFFFFFF9Cu), 200);  // the counter wrapped at 2^32 between them
    EXPECT_EQ(msSinceInputTick(1000, 1500), 0);          // stamped ahead of now
    EXPECT_EQ(msSinceInputTick(0xFFFFFF9Cu, 100), 0);    // ahead, across the wrap
}

TEST_F(TimeAway, ALostResumeSpoilsNoLaterTimeAway) {
    // Its sleep is over once a notice's minute ran on time: a long session lock is the break.
    startWith(0);
    app->advanceTo(1);
    app->cycle->awaySince(Away::Asleep, at(1));  // no resume follows
    sessionAway(Away::SessionLocked, at(36), 7 * kMinute);
    EXPECT_EQ(app->window.filtered("hide").back(), "36:00 hide");
    expectFullWorkPeriodFromNow("locked after a lost resume");
    // A second suspend begins its own sleep: a short one changes nothing.
    app = std::make_unique<RunningReminder>();
    startWith(0);
    app->advanceTo(1);
    app->cycle->awaySince(Away::Asleep, at(1));
    asleep(at(20), kMinute);
    app->advanceTo(27, 30);
    EXPECT_EQ(app->window.filtered("Notice.wav"), Log{"27:00 sound C:\\Tools\\Sound\\Notice.wav"});
}
