#include <gtest/gtest.h>

#include <vector>

#include "Error.h"
#include "PeriodicTimer.h"
#include "VirtualClock.h"

using pausarium::Error;
using pausarium::PeriodicTimer;
using pausarium::testing::VirtualClock;

namespace {

struct TimerRules : ::testing::Test {
    VirtualClock clock;
    std::vector<std::int64_t> fired;
    PeriodicTimer timer{clock, "t", 1000, false, [this] { fired.push_back(clock.now()); }};
};

}  // namespace

TEST_F(TimerRules, FiresEveryIntervalUntilDisabled) {
    timer.setEnabled(true);
    clock.advanceTo(3500);
    timer.setEnabled(false);
    clock.advanceTo(10000);
    EXPECT_EQ(fired, (std::vector<std::int64_t>{1000, 2000, 3000}));
}

TEST_F(TimerRules, EnablingADisabledTimerStartsAFullPeriod) {
    clock.advanceTo(400);
    timer.setEnabled(true);
    clock.advanceTo(1500);
    EXPECT_EQ(fired, (std::vector<std::int64_t>{1400}));
}

TEST_F(TimerRules, EnablingARunningTimerOrRepeatingItsIntervalChangesNothing) {
    timer.setEnabled(true);
    clock.advanceTo(700);
    timer.setEnabled(true);
    timer.setInterval(1000);
    clock.advanceTo(1000);
    EXPECT_EQ(fired, (std::vector<std::int64_t>{1000}));
}

TEST_F(TimerRules, ANewIntervalOnARunningTimerStartsAFullPeriodOfIt) {
    timer.setEnabled(true);
    clock.advanceTo(700);
    timer.setInterval(500);
    clock.advanceTo(1800);
    EXPECT_EQ(fired, (std::vector<std::int64_t>{1200, 1700}));
}

TEST_F(TimerRules, IntervalZeroNeverFiresEvenWhenEnabled) {
    timer.setInterval(0);
    timer.setEnabled(true);
    clock.advanceTo(100000);
    EXPECT_TRUE(fired.empty());
    EXPECT_TRUE(timer.enabled());
    EXPECT_FALSE(timer.running());
}

TEST_F(TimerRules, AHandlerThatStopsItsOwnTimerEndsTheSeries) {
    PeriodicTimer once{clock, "once", 200, true, [&] { fired.push_back(-clock.now()); once.setEnabled(false); }};
    clock.advanceTo(1000);
    EXPECT_EQ(fired, (std::vector<std::int64_t>{-200}));
}

TEST_F(TimerRules, ATimerEnabledAsDesignedRunsFromConstruction) {
    PeriodicTimer designed{clock, "designed", 5000, true, [&] { fired.push_back(clock.now()); }};
    clock.advanceTo(5000);
    EXPECT_EQ(fired, (std::vector<std::int64_t>{5000}));
}

TEST_F(TimerRules, ARefusedPlatformTimerRaisesKeepsItsFlagAndIsAskedForAgainWhenEnabled) {
    clock.refuseTimers(true);
    try {
        timer.setEnabled(true);
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Not enough timers available");
    }
    EXPECT_TRUE(timer.enabled());
    EXPECT_FALSE(clock.isArmed(timer));
    clock.advanceTo(5000);
    EXPECT_TRUE(fired.empty());
    clock.refuseTimers(false);
    timer.setEnabled(true);
    clock.advanceTo(6000);
    EXPECT_EQ(fired, (std::vector<std::int64_t>{6000}));
}

TEST_F(TimerRules, DestroyingATimerDisarmsIt) {
    auto* temporary = new PeriodicTimer(clock, "temp", 100, true, [&] { fired.push_back(clock.now()); });
    EXPECT_TRUE(clock.isArmed(*temporary));
    delete temporary;
    clock.advanceTo(1000);
    EXPECT_TRUE(fired.empty());
}

TEST(TimerLateness, IsZeroAgainAfterAHandlerThatRaised) {
    VirtualClock clock;
    PeriodicTimer timer{clock, "t", 1000, true, [] { throw Error("handler"); }};
    EXPECT_THROW(clock.suspendFor(5000), Error);
    EXPECT_EQ(timer.lateness(), 0);
}
