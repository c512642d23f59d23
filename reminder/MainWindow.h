#pragma once
// fmMainWindow, class TfmMainWindow: the break reminder's one window. A borderless topmost
// black popup that carries the message (pnPanel) and the address label (lbAdress), both
// windowless and painted here, hosts the cycle's timers and turns keys and clicks into the
// cycle's input. It is the cycle's ReminderWindow and Platform. From the lock's beginning to the
// end of the key wait it also keeps the other monitors covered (MonitorCovers). It passes the
// notices of sleep and of the session's lock on to the cycle (TimeAwayWatcher).

#include <windows.h>

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BreakCycle.h"
#include "Foreground.h"
#include "MonitorCovers.h"
#include "Scoped.h"
#include "ShutdownReason.h"
#include "TimeAwayWatcher.h"
#include "Win32TimerHost.h"
#include "WindowObject.h"
#include "WindowLayout.h"
#include "WindowOperations.h"

namespace pausarium::reminder {

class TfmMainWindow final : public ReminderWindow, public Platform, public win32::WindowObject {
public:
    // Creates the window; its creation runs FormCreate. `applicationTitle` is the program's
    // title, kept by the caller: the error boxes' caption, also after the window is gone.
    // `monitors` tells which monitors the lock's covers go over; `sessions` gives the window
    // the session's notices.
    TfmMainWindow(HINSTANCE instance, SoundPaths paths, std::string& applicationTitle,
                  MonitorList& monitors = systemMonitors(),
                  SessionNotices& sessions = systemSessionNotices());
    ~TfmMainWindow() override;
    TfmMainWindow(const TfmMainWindow&) = delete;
    TfmMainWindow& operator=(const TfmMainWindow&) = delete;

    // ReminderWindow
    void show() override;
    void hide() override;
    void setMessageText(const std::string& text) override;
    void setMessageColour(Colour colour) override;
    void setAddressColour(Colour colour) override;
    void fitToScreen() override;
    void maximise() override;
    void bringToFront() override;
    void focus() override;
    void restoreApplication() override;
    void setLocked(bool locked) override;

    // Platform
    void playSound(const std::string& path) override;
    void openAddress(const std::string& address) override;
    void setApplicationTitle(const std::string& title) override;
    std::int64_t msSinceInput() override;

    static MonitorList& systemMonitors();
    // The cycle behind the window, once the window is created.
    const BreakCycle* cycle() const { return cycle_.get(); }

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void showError(const std::string& message) override;

    bool onCreate();
    void onPaint();
    bool onSetCursor(LPARAM lParam);
    void onMouseMove(int x, int y);
    void onLeftButtonDown(int x, int y);
    void onLeftButtonUp(int x, int y);
    void onCoverClicked();
    void onClose();
    void onDestroy();

    void paint(HDC dc, const RECT& dirty);
    HWND frontWindow() const;
    struct Covered {
        bool window = false;
        std::vector<HWND> covers;  // the lock's covers that another window lies above
    };
    Covered coveredByAnother(HWND window) const;
    void raiseIfCovered(HWND window) const;
    void raise(HWND window, UINT flags) const;
    RECT clientRect() const;
    HitTarget hit(int x, int y) const;
    void invalidateMessage();
    void invalidateAddress();

    SoundPaths paths_;
    std::string& applicationTitle_;
    win32::Font panelFont_;
    win32::Font addressFont_;
    std::unique_ptr<win32::Win32TimerHost> timers_;
    std::unique_ptr<BreakCycle> cycle_;
    std::exception_ptr creationError_;  // why the window's design could not be made
    std::string messageText_;
    Colour messageColour_;
    Colour addressColour_;
    ClickTracker clicks_;
    bool locked_ = false;
    win32::ForegroundReturn keyboard_;
    MonitorCovers covers_;
    win32::ShutdownReason shutdownReason_;
    TimeAwayWatcher timeAway_;
};

}  // namespace pausarium::reminder
