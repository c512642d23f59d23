// The regime 50/10 from start to the second work period's first notice, second by second:
// what the window was told, which sounds played, and when. The recorder checks the cycle's
// rules at every step on the way.

#include <gtest/gtest.h>

#include <algorithm>

#include "CycleRecorder.h"

using pausarium::testing::RunningReminder;
using Log = std::vector<std::string>;

namespace {

const std::string kSound = "sound C:\\Tools\\Sound\\";

struct WorkedTimeline : ::testing::Test {
    RunningReminder app;

    void SetUp() override {
        app.settings(1, 0);
        app.start();
    }
    Log until(int minutes, int seconds = 0) {
        app.advanceTo(minutes, seconds);
        return app.window.take();
    }
    // One blink step of the lock or the key wait at m:s.
    static Log blink(const std::string& time, const std::string& colour, const std::string& text = "") {
        Log step{time + " fit", time + " restore", time + " colour " + colour};
        if (!text.empty()) step.push_back(time + " text " + text);
        return step;
    }
    static std::string mmss(int totalSeconds) {
        const std::string seconds = std::to_string(totalSeconds % 60);
        return std::to_string(totalSeconds / 60) + ":" + (seconds.size() == 1 ? "0" : "") + seconds;
    }
};

void append(Log& log, const Log& more) { log.insert(log.end(), more.begin(), more.end()); }

}  // namespace

TEST_F(WorkedTimeline, StartsHiddenAndFadesTheAddress) {
    EXPECT_LOG(app.window.take(), (Log{"0:00 title Pausarium - 50/10", "0:00 show 0x0 at 512,384"}));
    EXPECT_LOG(until(46, 59), (Log{"0:02 hide", "0:05 address black"}));
    EXPECT_EQ(app.cycle->state().MinutesLeft, 3);
    EXPECT_EQ(app.cycle->sleepTimer().interval(), 47u * 60000u);
}

TEST_F(WorkedTimeline, RunsNoticesLockAndKeyWaitToTheNextNotice) {
    app.window.take();
    until(46, 59);

    EXPECT_LOG(until(47, 2), (Log{"47:00 colour green", "47:00 text Сохраняйтесь, пора...",
                                 "47:00 show 1024x768 at 0,0", "47:00 " + kSound + "Notice.wav", "47:02 hide"}));
    EXPECT_LOG(until(48, 2), (Log{"48:00 show 1024x768 at 0,0", "48:00 colour green",
                                 "48:00 text Сохраняйтесь, осталось 2 минуты...", "48:02 hide"}));
    EXPECT_LOG(until(49, 2), (Log{"49:00 show 1024x768 at 0,0", "49:00 colour green", "49:00 colour red",
                                 "49:00 " + kSound + "LastNotice.wav",
                                 "49:00 text Сохраняйтесь, осталось 1 минута...", "49:02 hide"}));

    // The lock: its text stands in the last notice's red, then blinks one second in three.
    Log lock{"50:00 lock", "50:00 text Система заблокирована...", "50:00 show 1024x768 at 0,0",
             "50:00 " + kSound + "SysLock.wav", "50:00 restore", "50:00 front"};
    for (int s = 50 * 60 + 1; s <= 55 * 60 + 30; ++s) {
        if (s % 60 == 0) append(lock, {mmss(s) + " maximise", mmss(s) + " focus"});
        const bool shown = (s - 50 * 60) % 3 == 0;
        append(lock, blink(mmss(s), shown ? "red" : "black", shown ? "Система заблокирована..." : ""));
    }
    EXPECT_LOG(until(55, 30), lock);
    EXPECT_TRUE(app.window.visible());
    EXPECT_FALSE(app.cycle->FormCloseQuery());

    // A key press shows the minutes left in red and lights the address up for 5 s.
    app.cycle->ProcessUserInput();
    EXPECT_LOG(app.window.take(), (Log{"55:30 colour red", "55:30 text Осталось 5 минут...", "55:30 address blue"}));
    const Log afterKey = until(59, 59);
    EXPECT_NE(std::find(afterKey.begin(), afterKey.end(), "55:35 address black"), afterKey.end());
    EXPECT_EQ(app.cycle->state().MinutesLeft, 1);

    // The break ends: the invitation blinks green one second in two; closing is allowed.
    Log end{"60:00 maximise", "60:00 focus", "60:00 unlock", "60:00 text -= нажмите любую клавишу =-",
            "60:00 " + kSound + "SysOpen.wav"};
    append(end, blink("60:00", "black"));
    for (int s = 60 * 60 + 1; s <= 60 * 60 + 30; ++s) {
        const bool shown = (s - 60 * 60) % 2 == 1;
        append(end, blink(mmss(s), shown ? "green" : "black", shown ? "-= нажмите любую клавишу =-" : ""));
    }
    EXPECT_LOG(until(60, 30), end);
    EXPECT_TRUE(app.cycle->FormCloseQuery());
    EXPECT_EQ(app.cycle->state().MinutesLeft, 3);

    // The key press ends the wait; the next work period is measured from it.
    app.cycle->ProcessUserInput();
    EXPECT_LOG(app.window.take(), Log{"60:30 hide"});
    EXPECT_LOG(until(107, 29), Log{});
    EXPECT_LOG(until(107, 30), (Log{"107:30 colour green", "107:30 text Сохраняйтесь, пора...",
                                   "107:30 show 1024x768 at 0,0", "107:30 " + kSound + "Notice.wav"}));
}
