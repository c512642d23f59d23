// A platform that refuses timers: where each refusal leaves the break reminder. An error of the
// window's design or of its first show escapes to the main routine (which ends the program); an
// error of a handler ends that handler, and the program goes on in the state the handler left.

#include <gtest/gtest.h>

#include "CycleRecorder.h"
#include "Error.h"

using pausarium::Error;
using pausarium::layout::RootKey;
using pausarium::testing::RunningReminder;
using Log = std::vector<std::string>;

namespace {

template <class Action>
std::string errorOf(Action action) {
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    return "(no error)";
}

const std::string kRefused = "Not enough timers available";

}  // namespace

TEST(RefusedTimers, ARefusedAddressTimerFailsTheWindowsDesign) {
    RunningReminder app;
    app.clock.refuseTimer("tmAdressHide");
    EXPECT_EQ(errorOf([&] { app.create(); }), kRefused);
    EXPECT_EQ(app.cycle, nullptr);
}

TEST(RefusedTimers, ARefusalAtTheFirstShowEscapesTheMessageLoop) {
    RunningReminder app;
    app.registry.setString(RootKey::CurrentUser, "SOFTWARE\\Pausarium", "RegimeType", "1");
    app.create();
    EXPECT_EQ(errorOf([&] { app.cycle->FormCreate(app.registry); }), "Invalid data type for 'RegimeType'");
    app.clock.refuseTimer("HideTimer");
    EXPECT_EQ(errorOf([&] { app.window.show(); }), kRefused);
}

TEST(RefusedTimers, ARefusalInFormCreateSkipsTheRestAndTheFirstShowStillHides) {
    RunningReminder app;
    app.settings(1, 0);
    app.create();
    app.clock.refuseTimer("HideTimer");
    EXPECT_EQ(errorOf([&] { app.cycle->FormCreate(app.registry); }), kRefused);
    EXPECT_EQ(app.cycle->state().MinutesLeft, 0);  // the last step was skipped
    app.clock.refuseTimer("HideTimer", false);
    app.window.show();  // asks for HideTimer again
    app.advanceTo(0, 10);
    EXPECT_EQ(app.window.take(), (Log{"0:00 title Pausarium - 50/10", "0:00 show 0x0 at 512,384", "0:02 hide",
                                      "0:05 address black"}));
    EXPECT_TRUE(app.cycle->FormCloseQuery());
}

TEST(RefusedTimers, ARefusedLockTimerStillRefusesClosing) {
    RunningReminder app;
    app.settings(0, 1);
    app.start();
    app.advanceTo(29, 59);
    app.window.take();
    app.clock.refuseTimer("LockTimer");
    EXPECT_EQ(errorOf([&] { app.advanceTo(30); }), kRefused);
    // The lock counts as begun: closing and log-off are refused, while the rest of the handler
    // (text, show, sound, keep-on-top) was skipped and no timer will end it.
    EXPECT_TRUE(app.cycle->lockTimer().enabled());
    EXPECT_FALSE(app.cycle->FormCloseQuery());
    EXPECT_FALSE(app.cycle->noticeTimer().enabled());
    EXPECT_FALSE(app.cycle->blinkTimer().enabled());
    EXPECT_FALSE(app.cycle->antiActionGamesTimer().enabled());
    app.advanceTo(120);
    EXPECT_EQ(app.window.take(), Log{});
    EXPECT_FALSE(app.cycle->FormCloseQuery());
}

TEST(RefusedTimers, ARefusedBlinkTimerLeavesALockThatStillEnds) {
    RunningReminder app;
    app.settings(0, 0);
    app.start();
    app.advanceTo(29, 59);
    app.clock.refuseTimer("BlinkTimer");
    EXPECT_EQ(errorOf([&] { app.advanceTo(30); }), kRefused);
    EXPECT_FALSE(app.cycle->FormCloseQuery());
    app.advanceTo(35);  // the lock ends on time, maximised every minute
    EXPECT_TRUE(app.cycle->FormCloseQuery());
    EXPECT_TRUE(app.cycle->state().BreakOver);
    app.clock.refuseTimer("BlinkTimer", false);
    app.cycle->ProcessUserInput();  // the key wait ends as ever
    EXPECT_FALSE(app.cycle->state().BreakOver);
    EXPECT_TRUE(app.clock.isArmed(app.cycle->sleepTimer()));
}
