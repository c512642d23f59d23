#pragma once
// The black covers over the monitors other than the primary, from the lock's beginning to the
// end of the key wait: one borderless topmost window per rectangle that CoverLayout asks for.
// Each is owned by the lock window, so it has no taskbar button and Windows keeps it above the
// lock in the z-order (the lock raises a cover that another window passed all the same). A cover
// never takes the keyboard or the foreground and refuses to be minimised, maximised or moved; a
// click on it is posted to the lock as kCoverClicked, a request to close it and the question
// whether the session may end go to the lock as its own.

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "MonitorList.h"

namespace pausarium::reminder {

// The monitors as EnumDisplayMonitors and GetMonitorInfoA give them.
class Win32MonitorList final : public MonitorList {
public:
    std::optional<std::vector<Monitor>> monitors() override;

private:
    struct Known {
        HMONITOR handle;
        Monitor monitor;
    };
    std::vector<Known> known_;  // the last answer
};

// Posted to the lock window for a left click (press and release) on a cover.
inline constexpr UINT kCoverClicked = WM_APP + 1;

class MonitorCovers {
public:
    MonitorCovers(HINSTANCE instance, MonitorList& monitors);
    ~MonitorCovers();
    MonitorCovers(const MonitorCovers&) = delete;
    MonitorCovers& operator=(const MonitorCovers&) = delete;

    // The lock begins: every monitor that needs a cover gets one now.
    void begin(HWND lock);
    // Each second while the covers last: covers follow the monitors. The list is asked for only
    // while there are covers, or when the last attempt failed, or after displayChanged; with one
    // monitor nothing is asked of the system here.
    void follow();
    // The desktop's layout changed (WM_DISPLAYCHANGE): the next follow asks again.
    void displayChanged() { lookAgain_ = true; }
    // The key wait ends, or the lock window goes: every cover goes.
    void end();

    // While an error box of the lock's is open: every cover goes, so that the box can be seen
    // and dragged anywhere, and none is made, not even by a lock that begins meanwhile, until
    // resume() brings back those the lock and the key wait still want.
    void pause();
    void resume();

    bool any() const { return !covers_.empty(); }
    std::size_t count() const { return covers_.size(); }
    bool holds(HWND window) const;

private:
    class Cover;
    bool coverMonitors() noexcept;

    HINSTANCE instance_;
    MonitorList& monitors_;
    HWND lock_ = nullptr;  // while the covers last
    std::vector<std::unique_ptr<Cover>> covers_;
    bool lookAgain_ = false;
    int pauses_ = 0;  // boxes open, one inside another's loop
};

}  // namespace pausarium::reminder
