// Start-up: paths from the program's place, settings from the registry, and every way the
// settings can be missing or broken.

#include <gtest/gtest.h>

#include "CycleRecorder.h"
#include "Error.h"

using pausarium::Error;
using pausarium::layout::RootKey;
using pausarium::reminder::soundPathsFor;
using pausarium::testing::MemoryRegistry;
using pausarium::testing::RunningReminder;

namespace {

const std::string kKey = "SOFTWARE\\Pausarium";

// Starts the reminder and returns the error FormCreate raised, if any.
std::string startReporting(RunningReminder& app) {
    try {
        app.start();
    } catch (const Error& e) {
        app.window.show();  // the message loop still shows the window after the error box
        return e.what();
    }
    return "";
}

}  // namespace

TEST(SoundPaths, FollowTheProgramsDirectory) {
    const auto paths = soundPathsFor("C:\\Program Files\\Pausarium\\Pausarium.exe");
    EXPECT_EQ(paths.programDir, "C:\\Program Files\\Pausarium");
    EXPECT_EQ(paths.notice, "C:\\Program Files\\Pausarium\\Sound\\Notice.wav");
    EXPECT_EQ(paths.lastNotice, "C:\\Program Files\\Pausarium\\Sound\\LastNotice.wav");
    EXPECT_EQ(paths.sysLock, "C:\\Program Files\\Pausarium\\Sound\\SysLock.wav");
    EXPECT_EQ(paths.sysOpen, "C:\\Program Files\\Pausarium\\Sound\\SysOpen.wav");
}

TEST(SoundPaths, InADriveRootKeepTheDoubledSeparator) {
    const auto paths = soundPathsFor("C:\\Pausarium.exe");
    EXPECT_EQ(paths.programDir, "C:\\");
    EXPECT_EQ(paths.notice, "C:\\\\Sound\\Notice.wav");
}

struct StartupSettings : ::testing::TestWithParam<std::tuple<int, std::string, std::uint32_t>> {};

TEST_P(StartupSettings, EachRegimeSetsTitleWorkIntervalAndCountdown) {
    const auto& [regime, title, workMinutes] = GetParam();
    RunningReminder app;
    app.settings(static_cast<std::uint32_t>(regime), 0);
    app.start();
    EXPECT_EQ(app.window.title, title);
    EXPECT_EQ(app.cycle->sleepTimer().interval(), workMinutes * 60000u);
    EXPECT_TRUE(app.cycle->sleepTimer().enabled());
    EXPECT_EQ(app.cycle->noticeTimer().interval(), 60000u);
    EXPECT_EQ(app.cycle->lockTimer().interval(), 60000u);
    EXPECT_FALSE(app.cycle->noticeTimer().enabled());
    EXPECT_FALSE(app.cycle->lockTimer().enabled());
    EXPECT_FALSE(app.cycle->blinkTimer().enabled());
    EXPECT_TRUE(app.cycle->hideTimer().enabled());
    EXPECT_EQ(app.cycle->state().MinutesLeft, workMinutes ? 3 : 0);
}

INSTANTIATE_TEST_SUITE_P(Regimes, StartupSettings,
                         ::testing::Values(std::make_tuple(0, "Pausarium - 30/5", 27u),
                                           std::make_tuple(1, "Pausarium - 50/10", 47u),
                                           std::make_tuple(2, "Pausarium - 90/15", 87u),
                                           std::make_tuple(3, "Pausarium - 0/0", 0u),
                                           std::make_tuple(-1, "Pausarium - 0/0", 0u)));

TEST(Startup, WithoutAValidRegimeNothingEverHappens) {
    for (const bool keyPresent : {false, true}) {
        RunningReminder app;
        if (keyPresent) app.registry.createKey(RootKey::CurrentUser, kKey);
        app.start();
        EXPECT_EQ(app.window.title, "Pausarium - 0/0");
        app.advanceTo(24 * 60);
        EXPECT_EQ(app.window.take(), (std::vector<std::string>{"0:00 title Pausarium - 0/0", "0:00 show 0x0 at 512,384",
                                                               "0:02 hide", "0:05 address black"}));
        EXPECT_EQ(app.cycle->state().ProtectionLevel, 0);
    }
}

TEST(Startup, AKeyTheUserMayOnlyReadCountsAsMissing) {
    RunningReminder app;
    app.settings(2, 1);
    app.registry.denyFullAccess(RootKey::CurrentUser, kKey);
    app.start();
    EXPECT_EQ(app.window.title, "Pausarium - 0/0");
    EXPECT_EQ(app.cycle->state().ProtectionLevel, 0);
    EXPECT_EQ(app.registry.openKeyCount(), 0u);
}

TEST(Startup, ProtectionLevelIsReadAsASignedNumberEvenWithoutARegime) {
    const std::pair<std::uint32_t, std::int32_t> cases[] = {{5, 5}, {0xFFFFFFFF, -1}, {1, 1}};
    for (const auto& [stored, read] : cases) {
        RunningReminder app;
        app.registry.setDword(RootKey::CurrentUser, kKey, "ProtectionLevel", stored);
        app.start();
        EXPECT_EQ(app.cycle->state().ProtectionLevel, read);
        EXPECT_EQ(app.window.title, "Pausarium - 0/0");
    }
}

TEST(Startup, ARegimeStoredAsTextStopsStartUpWithTheTypeError) {
    RunningReminder app;
    app.registry.setString(RootKey::CurrentUser, kKey, "RegimeType", "1");
    app.registry.setDword(RootKey::CurrentUser, kKey, "ProtectionLevel", 1);
    EXPECT_EQ(startReporting(app), "Invalid data type for 'RegimeType'");
    // The rest of start-up was skipped: no title, the timers as designed, nothing read after.
    EXPECT_EQ(app.window.title, "");
    EXPECT_EQ(app.cycle->state().ProtectionLevel, 0);
    EXPECT_EQ(app.cycle->state().MinutesLeft, 0);
    EXPECT_FALSE(app.cycle->sleepTimer().enabled());
    EXPECT_EQ(app.registry.openKeyCount(), 0u);
    // The first show still hides the window 2 s later, and nothing follows.
    app.advanceTo(120);
    EXPECT_EQ(app.window.take(), (std::vector<std::string>{"0:00 show 0x0 at 512,384", "0:02 hide", "0:05 address black"}));
}

TEST(Startup, LongerDataGivesTheGetDataErrorAndKeepsMinutesAlreadyRead) {
    RunningReminder app;
    app.registry.setDword(RootKey::CurrentUser, kKey, "RegimeType", 0);
    app.registry.setRaw(RootKey::CurrentUser, kKey, "ProtectionLevel", {11, {1, 0, 0, 0, 0, 0, 0, 0}});
    EXPECT_EQ(startReporting(app), "Failed to get data for 'ProtectionLevel'");
    EXPECT_EQ(app.cycle->state().WorkMinutes, 27);
    EXPECT_EQ(app.cycle->state().BreakMinutes, 5);
    EXPECT_EQ(app.cycle->state().MinutesLeft, 0);
    EXPECT_FALSE(app.cycle->sleepTimer().enabled());
}

TEST(Startup, ARefusedTimerIsReportedAndTheProgramStaysIdle) {
    RunningReminder app;
    app.settings(1, 0);
    app.create();
    app.clock.refuseTimers(true);
    try {
        app.cycle->FormCreate(app.registry);
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Not enough timers available");
    }
    EXPECT_EQ(app.window.title, "Pausarium - 50/10");
    EXPECT_EQ(app.cycle->state().MinutesLeft, 0);
}

TEST(Startup, SettingsChangedWhileRunningWaitForTheNextStart) {
    RunningReminder app;
    app.settings(0, 0);
    app.start();
    app.settings(2, 1);
    app.advanceTo(27);
    EXPECT_EQ(app.window.filtered("Notice.wav"), std::vector<std::string>{"27:00 sound C:\\Tools\\Sound\\Notice.wav"});
    EXPECT_EQ(app.cycle->state().ProtectionLevel, 0);
}

// --- settings that a policy sets -------------------------------------------------------------------

const std::string kPolicy = "SOFTWARE\\Policies\\Pausarium";

// The computer's regime alone: a broken level of the user's own still gets its box, but after
// the policy's cycle was armed, so that it cannot switch the breaks off.
TEST(Startup, ABrokenOwnValueDoesNotStopAPolicysCycle) {
    RunningReminder app;
    app.registry.setDword(RootKey::LocalMachine, kPolicy, "RegimeType", 0);
    app.registry.setString(RootKey::CurrentUser, kKey, "ProtectionLevel", "x");
    EXPECT_EQ(startReporting(app), "Invalid data type for 'ProtectionLevel'");
    EXPECT_EQ(app.window.title, "Pausarium - 30/5");
    EXPECT_TRUE(app.cycle->sleepTimer().enabled());
    EXPECT_EQ(app.cycle->sleepTimer().interval(), 27 * 60000u);
    EXPECT_EQ(app.cycle->state().ProtectionLevel, 0);
    EXPECT_EQ(app.registry.openKeyCount(), 0u);
}

// A policy that sets no regime carries no cycle: a broken own value stops the start-up as it
// always has.
TEST(Startup, ABrokenOwnValueStopsTheStartUpWhenNoPolicySetsTheRegime) {
    RunningReminder app;
    app.registry.setDword(RootKey::LocalMachine, kPolicy, "IdleBreak", 0);
    app.registry.setString(RootKey::CurrentUser, kKey, "RegimeType", "x");
    EXPECT_EQ(startReporting(app), "Invalid data type for 'RegimeType'");
    EXPECT_EQ(app.window.title, "");  // not set: the rest of start-up was skipped
    EXPECT_FALSE(app.cycle->sleepTimer().enabled());
}

// A policy's level and idle rule reach the cycle over the user's own values, beside the user's
// own regime.
TEST(Startup, PolicysLevelAndIdleRuleWinOverTheUsersOwn) {
    RunningReminder app;
    app.settings(2, 0);
    app.registry.setDword(RootKey::CurrentUser, kKey, "IdleBreak", 0);
    app.registry.setDword(RootKey::LocalMachine, kPolicy, "ProtectionLevel", 1);
    app.registry.setDword(RootKey::CurrentUser, kPolicy, "IdleBreak", 1);
    app.start();
    EXPECT_EQ(app.window.title, "Pausarium - 90/15");
    EXPECT_EQ(app.cycle->state().ProtectionLevel, 1);
    EXPECT_TRUE(app.cycle->state().IdleBreak);
}
