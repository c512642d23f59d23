// The session's and the power's notices on the reminder's window: subscribed at its creation,
// unsubscribed before it goes, a refusal harmless; each notice of time away reaches the cycle,
// any other changes nothing.

#include <windows.h>
#include <wtsapi32.h>

#include <gtest/gtest.h>

#include <string>

#include "MainWindow.h"

using pausarium::reminder::SessionNotices;
using pausarium::reminder::TfmMainWindow;

namespace {

struct RecordedSessions : SessionNotices {
    Answer answer = Answer::Subscribed;
    HWND subscribed = nullptr;
    int asked = 0;
    HWND unsubscribed = nullptr;
    bool windowThereAtUnsubscribe = false;

    Answer subscribe(HWND window) override {
        subscribed = window;
        ++asked;
        return answer;
    }
    void unsubscribe(HWND window) override {
        unsubscribed = window;
        windowThereAtUnsubscribe = IsWindow(window) != FALSE;
    }
};

struct Notices : ::testing::Test {
    std::string title = "Pausarium";
    RecordedSessions sessions;
    std::unique_ptr<TfmMainWindow> window;

    void create() {
        window = std::make_unique<TfmMainWindow>(GetModuleHandleA(nullptr), pausarium::reminder::SoundPaths{}, title,
                                                 TfmMainWindow::systemMonitors(), sessions);
    }
    LRESULT send(UINT message, WPARAM code) { return SendMessageA(window->handle(), message, code, 1); }
    bool away() const { return window->cycle()->away(); }
};

}  // namespace

TEST_F(Notices, TheWindowSubscribesAtItsCreationAndUnsubscribesBeforeItGoes) {
    create();
    const HWND hwnd = window->handle();
    EXPECT_EQ(sessions.subscribed, hwnd);
    EXPECT_EQ(sessions.unsubscribed, nullptr);
    window.reset();
    EXPECT_EQ(sessions.unsubscribed, hwnd);
    EXPECT_TRUE(sessions.windowThereAtUnsubscribe);
}

TEST_F(Notices, ARefusedSubscriptionLeavesThePowerNoticesWorking) {
    sessions.answer = SessionNotices::Answer::Refused;
    create();
    EXPECT_EQ(send(WM_POWERBROADCAST, PBT_APMSUSPEND), TRUE);
    EXPECT_TRUE(away());
    send(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
    EXPECT_FALSE(away());
    window.reset();
    EXPECT_EQ(sessions.unsubscribed, nullptr);  // nothing to undo
}

TEST_F(Notices, ASubscriptionRefusedAsNotYetIsAskedAgainAtTheNextTimerUntilItIsDone) {
    sessions.answer = SessionNotices::Answer::NotYet;
    create();
    send(WM_TIMER, 0);
    EXPECT_EQ(sessions.asked, 2);
    sessions.answer = SessionNotices::Answer::Subscribed;
    send(WM_TIMER, 0);
    send(WM_TIMER, 0);
    EXPECT_EQ(sessions.asked, 3);
    window.reset();
    EXPECT_NE(sessions.unsubscribed, nullptr);
}

TEST_F(Notices, SleepLockAndDisconnectionReachTheCycleAndOtherCodesChangeNothing) {
    create();
    const struct {
        UINT message;
        WPARAM code;
        bool awayAfter;
    } steps[] = {
        {WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, true},
        {WM_POWERBROADCAST, PBT_APMSUSPEND, true},  // asleep while locked
        {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, true},
        {WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, true},
        {WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, false},
        {WM_WTSSESSION_CHANGE, WTS_CONSOLE_DISCONNECT, true},
        {WM_WTSSESSION_CHANGE, WTS_SESSION_LOGON, true},  // no change of presence
        {WM_WTSSESSION_CHANGE, WTS_REMOTE_CONNECT, false},
        {WM_WTSSESSION_CHANGE, WTS_REMOTE_DISCONNECT, true},
        {WM_WTSSESSION_CHANGE, WTS_CONSOLE_CONNECT, false},
        {WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, false},
        {WM_POWERBROADCAST, 0x1234, false},  // unknown
        {WM_WTSSESSION_CHANGE, 0x1234, false},
    };
    for (const auto& step : steps) {
        send(step.message, step.code);
        EXPECT_EQ(away(), step.awayAfter) << step.message << " " << step.code;
    }
}

// Windows' own subscription, from wtsapi32 in the system directory.
TEST(SystemSessionNotices, SubscribeAWindowAndUnsubscribeIt) {
    const HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    SessionNotices& sessions = pausarium::reminder::systemSessionNotices();
    EXPECT_EQ(sessions.subscribe(window), SessionNotices::Answer::Subscribed);
    sessions.unsubscribe(window);
    DestroyWindow(window);
}
