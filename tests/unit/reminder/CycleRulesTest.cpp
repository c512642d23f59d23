// The cycle's rules beyond the worked timeline: endings, input in each phase, closing, raised
// protection, and many cycles in a row.

#include <gtest/gtest.h>

#include "CycleRecorder.h"

using pausarium::reminder::minutesWithEnding;
using pausarium::reminder::Phase;
using pausarium::testing::RunningReminder;
using pausarium::testing::toUtf8;
using Log = std::vector<std::string>;

TEST(PluralEndings, FollowTheTwoThresholds) {
    for (int n : {15, 10, 6, 5}) EXPECT_EQ(toUtf8(minutesWithEnding(n)), " минут") << n;
    for (int n : {4, 3, 2}) EXPECT_EQ(toUtf8(minutesWithEnding(n)), " минуты") << n;
    for (int n : {1, 0, -3}) EXPECT_EQ(toUtf8(minutesWithEnding(n)), " минута") << n;
}

namespace {

struct Cycle : ::testing::Test {
    RunningReminder app;
    void startWith(std::uint32_t regime, std::uint32_t protection) {
        app.settings(regime, protection);
        app.start();
        app.window.take();
    }
};

}  // namespace

TEST_F(Cycle, KeyPressesInA90_15LockCountDownWithTheRightWords) {
    startWith(2, 0);
    app.advanceTo(90);  // the lock begins
    std::vector<std::string> shown;
    for (int minute = 0; minute < 15; ++minute) {
        app.advanceTo(90 + minute, 30);
        app.cycle->ProcessUserInput();
        shown.push_back(app.window.messageText);
        EXPECT_EQ(app.window.messageColour, pausarium::reminder::kRed);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "Осталось 15 минут...", "Осталось 14 минут...", "Осталось 13 минут...",
                         "Осталось 12 минут...", "Осталось 11 минут...", "Осталось 10 минут...",
                         "Осталось 9 минут...", "Осталось 8 минут...", "Осталось 7 минут...",
                         "Осталось 6 минут...", "Осталось 5 минут...", "Осталось 4 минуты...",
                         "Осталось 3 минуты...", "Осталось 2 минуты...", "Осталось 1 минута..."}));
    // None of them shortened the lock.
    EXPECT_FALSE(app.cycle->state().BreakOver);
    app.advanceTo(105);
    EXPECT_TRUE(app.cycle->state().BreakOver);
}

TEST_F(Cycle, AKeyDuringANoticeOnlyLightsTheAddress) {
    startWith(0, 0);
    app.advanceTo(28, 1);
    app.window.take();
    app.cycle->ProcessUserInput();
    EXPECT_EQ(app.window.take(), Log{"28:01 address blue"});
    EXPECT_EQ(app.cycle->state().MinutesLeft, 2);
    EXPECT_TRUE(app.cycle->noticeTimer().enabled());
    EXPECT_EQ(app.cycle->phase(), Phase::Notice);
    app.advanceTo(28, 2);
    EXPECT_EQ(app.window.take(), Log{"28:02 hide"});
    app.advanceTo(29);
    EXPECT_EQ(app.window.filtered("text").front(), "29:00 text Сохраняйтесь, осталось 1 минута...");
}

TEST_F(Cycle, AKeyDuringWorkChangesNothingButTheAddress) {
    startWith(0, 0);
    app.advanceTo(10);
    app.window.take();
    app.cycle->ProcessUserInput();
    EXPECT_EQ(app.window.take(), Log{"10:00 address blue"});
    app.advanceTo(27);
    EXPECT_EQ(app.window.filtered("Notice.wav"), Log{"27:00 sound C:\\Tools\\Sound\\Notice.wav"});
}

TEST_F(Cycle, ClosingIsRefusedExactlyDuringTheLock) {
    startWith(0, 0);
    EXPECT_TRUE(app.cycle->FormCloseQuery());
    EXPECT_EQ(app.cycle->phase(), Phase::Work);
    app.advanceTo(28);
    EXPECT_TRUE(app.cycle->FormCloseQuery());  // notices
    EXPECT_EQ(app.cycle->phase(), Phase::Notice);
    app.advanceTo(30);
    EXPECT_FALSE(app.cycle->FormCloseQuery());
    EXPECT_EQ(app.cycle->phase(), Phase::Lock);
    app.advanceTo(34, 59);
    EXPECT_FALSE(app.cycle->FormCloseQuery());
    app.advanceTo(35);
    EXPECT_TRUE(app.cycle->FormCloseQuery());  // key wait
    EXPECT_EQ(app.cycle->phase(), Phase::KeyWait);
    app.cycle->ProcessUserInput();
    EXPECT_EQ(app.cycle->phase(), Phase::Work);
}

TEST_F(Cycle, RaisedProtectionKeepsTheLockInFrontFiveTimesASecond) {
    startWith(0, 1);
    app.advanceTo(29, 59);
    EXPECT_FALSE(app.cycle->antiActionGamesTimer().enabled());
    app.advanceTo(30);
    EXPECT_TRUE(app.cycle->antiActionGamesTimer().enabled());
    app.window.take();
    app.advanceTo(30, 1);
    const Log log = app.window.take();
    const auto fronts = std::count_if(log.begin(), log.end(), [](const std::string& e) { return e.find(" front") != std::string::npos; });
    EXPECT_EQ(fronts, 5);
    EXPECT_EQ(log.front(), "30:00.200 front");
    EXPECT_EQ(log[1], "30:00.200 focus");
    app.advanceTo(35);
    EXPECT_FALSE(app.cycle->antiActionGamesTimer().enabled());
    app.window.take();
    app.advanceTo(36);
    EXPECT_EQ(app.window.filtered("front"), Log{});
}

// The window takes the keyboard for the lock's show and every focus: the lock is announced
// before its show, every focus falls inside it, and it is withdrawn when the break ends, before
// the key wait's hide gives the keyboard back.
TEST_F(Cycle, TheLockIsAnnouncedBeforeItsShowAndEndsWithTheBreak) {
    for (std::uint32_t protection : {0u, 1u}) {
        RunningReminder run;
        run.settings(0, protection);
        run.start();
        run.advanceTo(1);
        run.window.take();
        run.advanceTo(35, 1);
        run.cycle->ProcessUserInput();
        Log order;
        int focusInLock = 0, focusOutside = 0;
        bool locked = false;
        for (const std::string& entry : run.window.take()) {
            const std::string what = entry.substr(entry.find(' ') + 1);
            if (what == "lock" || what == "unlock") locked = what == "lock";
            if (what == "focus") ++(locked ? focusInLock : focusOutside);
            else if (what == "lock" || what == "unlock" || what.rfind("show", 0) == 0 || what == "hide")
                order.push_back(entry);
        }
        EXPECT_EQ(order, (Log{"27:00 show 1024x768 at 0,0", "27:02 hide", "28:00 show 1024x768 at 0,0",
                              "28:02 hide", "29:00 show 1024x768 at 0,0", "29:02 hide", "30:00 lock",
                              "30:00 show 1024x768 at 0,0", "35:00 unlock", "35:01 hide"}))
            << "protection " << protection;
        // Each minute of the lock, and five times a second at raised protection.
        if (protection == 0) EXPECT_EQ(focusInLock, 5);
        else EXPECT_GE(focusInLock, 5 * 60 * 5);
        EXPECT_EQ(focusOutside, 0);
    }
}

TEST_F(Cycle, NormalProtectionNeverRunsTheKeepOnTopTimer) {
    startWith(0, 0);
    app.advanceTo(30);
    EXPECT_FALSE(app.cycle->antiActionGamesTimer().enabled());
    app.advanceTo(35);
    EXPECT_EQ(app.window.filtered("front"), Log{"30:00 front"});
}

TEST_F(Cycle, TheKeyWaitHasNoTimeLimitAndEndsAtTheFirstInput) {
    startWith(0, 0);
    app.advanceTo(5 * 60);  // hours after the break ended
    EXPECT_TRUE(app.window.visible());
    EXPECT_TRUE(app.cycle->state().BreakOver);
    const int blinkCount = app.cycle->state().BlinkCount;
    app.window.take();
    app.cycle->ProcessUserInput();
    EXPECT_EQ(app.window.take(), Log{"300:00 hide"});
    EXPECT_FALSE(app.cycle->blinkTimer().enabled());
    EXPECT_EQ(app.cycle->state().BlinkCount, blinkCount);
    app.cycle->ProcessUserInput();  // now in the work phase
    EXPECT_EQ(app.window.take(), Log{"300:00 address blue"});
}

TEST_F(Cycle, ManyCyclesDoNotDriftEachWorkPeriodStartsAtTheKeyPress) {
    startWith(0, 0);
    std::int64_t keyPressAt = 0;
    for (int cycle = 0; cycle < 20; ++cycle) {
        const std::int64_t firstNotice = keyPressAt + 27 * 60000LL;
        app.clock.advanceTo(firstNotice - 1);
        EXPECT_FALSE(app.window.visible());
        app.window.take();
        app.clock.advanceTo(firstNotice);
        EXPECT_EQ(app.window.filtered("Notice.wav").size(), 1u) << "cycle " << cycle;
        app.clock.advanceTo(firstNotice + 8 * 60000LL + 7000 * cycle);  // the user comes back late
        ASSERT_TRUE(app.cycle->state().BreakOver);
        app.cycle->ProcessUserInput();
        keyPressAt = app.clock.now();
        EXPECT_EQ(app.cycle->state().MinutesLeft, 3);
    }
}

TEST_F(Cycle, BlinkCountCarriesOverSoTheNextLockShowsItsTextAfterTwoOrThreeSeconds) {
    startWith(0, 0);
    app.advanceTo(35, 1);  // key wait, one blink step in
    app.cycle->ProcessUserInput();
    const int carried = app.cycle->state().BlinkCount;
    const std::int64_t lockStart = app.clock.now() + 30 * 60000LL;
    app.clock.advanceTo(lockStart);
    app.window.take();
    app.clock.advanceTo(lockStart + 3000);
    const Log shown = app.window.filtered("colour red");
    ASSERT_EQ(shown.size(), 1u);
    const std::string expected = pausarium::testing::clockText(lockStart + (carried == 1 ? 2000 : 3000));
    EXPECT_EQ(shown.front(), expected + " colour red");
}

TEST_F(Cycle, TheAddressLightsUpOnMovementAndOpensOnClick) {
    startWith(0, 0);
    app.advanceTo(1);
    app.window.take();
    app.cycle->lbAdressMouseMove();
    app.advanceTo(1, 3);
    app.cycle->lbAdressMouseMove();  // still running: not restarted
    app.advanceTo(1, 5);
    app.cycle->lbAdressClick();
    EXPECT_EQ(app.window.take(), (Log{"1:00 address blue", "1:03 address blue", "1:05 address black",
                                      "1:05 open http://pausa.example/"}));
}
