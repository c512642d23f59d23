#include "MonitorCovers.h"

#include <windowsx.h>

#include <algorithm>

#include "WindowLayout.h"
#include "WindowObject.h"

namespace pausarium::reminder {
namespace {

constexpr char kCoverClass[] = "TMonitorCover";

RECT toRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
Rect fromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

struct Enumerated {
    HMONITOR handle;
    Rect rect;
};

struct Enumeration {
    std::vector<Enumerated> monitors;
    bool failed = false;
};

BOOL CALLBACK noteMonitor(HMONITOR monitor, HDC, LPRECT rect, LPARAM data) {
    auto& found = *reinterpret_cast<Enumeration*>(data);
    try {
        found.monitors.push_back({monitor, fromRECT(*rect)});
    } catch (...) {  // nothing is thrown into the system's enumeration
        found.failed = true;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

// The primary monitor has its corner at the origin, so a monitor made primary, or no longer
// primary, changes its rectangle: a monitor with the handle and the rectangle it had at the last
// look is still what it was. GetMonitorInfoA, which costs Wine as much as the enumeration, is
// asked only about the others.
std::optional<std::vector<Monitor>> Win32MonitorList::monitors() {
    Enumeration found;
    if (!EnumDisplayMonitors(nullptr, nullptr, noteMonitor, reinterpret_cast<LPARAM>(&found)) || found.failed)
        return std::nullopt;
    std::vector<Known> now;
    for (const Enumerated& m : found.monitors) {
        const auto same = std::find_if(known_.begin(), known_.end(), [&m](const Known& k) {
            return k.handle == m.handle && k.monitor.rect == m.rect;
        });
        if (same != known_.end()) {
            now.push_back(*same);
            continue;
        }
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (!GetMonitorInfoA(m.handle, &info)) return std::nullopt;
        now.push_back({m.handle, {fromRECT(info.rcMonitor), (info.dwFlags & MONITORINFOF_PRIMARY) != 0}});
    }
    known_ = now;
    std::vector<Monitor> list;
    for (const Known& k : now) list.push_back(k.monitor);
    return list;
}

// One cover: black through its class brush, nothing painted, no pointer.
class MonitorCovers::Cover final : public win32::WindowObject {
public:
    // handle() is null when the system refuses the window.
    Cover(HINSTANCE instance, HWND lock, const Rect& rect) : lock_(lock) {
        registerClass(instance, {kCoverClass, CS_DBLCLKS, nullptr, nullptr,
                                 static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))});
        const DWORD exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
        if (createWindow(exStyle, kCoverClass, "", WS_POPUP, toRECT(rect), lock, instance) != nullptr)
            ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    }
    ~Cover() {
        if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    }

    Rect rect() const {
        RECT r{};
        GetWindowRect(hwnd_, &r);
        return fromRECT(r);
    }
    void moveTo(const Rect& r) {
        SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT) break;
            if (GetCursor() != nullptr) SetCursor(nullptr);  // set only when it changes
            return TRUE;
        case WM_LBUTTONDOWN:
            clicks_.press(HitTarget::Message);
            SetCapture(hwnd_);
            return 0;
        case WM_LBUTTONUP: onLeftButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
        case WM_LBUTTONDBLCLK: return 0;  // a double click counts once, as on the lock
        case WM_CAPTURECHANGED: clicks_.cancel(); return 0;
        // Posted, not handled here: closing the lock, or the click ending the key wait, destroys
        // this very cover.
        case WM_CLOSE: PostMessageA(lock_, WM_CLOSE, 0, 0); return 0;
        // Minimised, maximised or moved from outside, a cover would leave its monitor free; only
        // a close request means something, the lock's.
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) PostMessageA(lock_, WM_CLOSE, 0, 0);
            return 0;
        // The session ends as the lock allows it, whichever of its windows is asked.
        case WM_QUERYENDSESSION: return SendMessageA(lock_, message, wParam, lParam);
        default: break;
        }
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }

    void onLeftButtonUp(int x, int y) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        const bool on = fromRECT(client).contains(x, y);
        const HitTarget clicked = clicks_.release(on ? HitTarget::Message : HitTarget::Nothing);
        ReleaseCapture();
        if (clicked == HitTarget::Message) PostMessageA(lock_, kCoverClicked, 0, 0);
    }

    // Nothing a cover does on a message raises an error.
    void showError(const std::string&) override {}

    HWND lock_;
    ClickTracker clicks_;
};

MonitorCovers::MonitorCovers(HINSTANCE instance, MonitorList& monitors) : instance_(instance), monitors_(monitors) {}

MonitorCovers::~MonitorCovers() = default;

void MonitorCovers::begin(HWND lock) {
    lock_ = lock;
    lookAgain_ = pauses_ > 0 || !coverMonitors();
}

void MonitorCovers::follow() {
    if (lock_ == nullptr || pauses_ > 0 || (covers_.empty() && !lookAgain_)) return;
    lookAgain_ = !coverMonitors();
}

void MonitorCovers::end() {
    covers_.clear();
    lock_ = nullptr;
    lookAgain_ = false;
}

bool MonitorCovers::holds(HWND window) const {
    return std::any_of(covers_.begin(), covers_.end(), [window](const auto& c) { return c->handle() == window; });
}

void MonitorCovers::pause() {
    ++pauses_;
    covers_.clear();
}

void MonitorCovers::resume() {
    if (pauses_ > 0) --pauses_;
    if (lock_ != nullptr && pauses_ == 0) lookAgain_ = !coverMonitors();
}

// False when the list could not be had or a cover could not be made: the lock goes on with the
// covers there are, and the next second tries again. Covers that are where they should be are
// not touched.
bool MonitorCovers::coverMonitors() noexcept {
    try {
        const auto monitors = monitors_.monitors();
        if (!monitors) return false;
        // Windows destroys a window's owned windows with it.
        std::erase_if(covers_, [](const auto& c) { return c->handle() == nullptr; });
        std::vector<Rect> current;
        for (const auto& c : covers_) current.push_back(c->rect());
        const CoverPlan plan = planCovers(current, coverRects(*monitors));
        for (const auto& move : plan.moves) covers_[move.cover]->moveTo(move.to);
        for (auto i = plan.destroys.rbegin(); i != plan.destroys.rend(); ++i)
            covers_.erase(covers_.begin() + static_cast<std::ptrdiff_t>(*i));
        bool complete = true;
        for (const Rect& r : plan.creates) {
            auto cover = std::make_unique<Cover>(instance_, lock_, r);
            if (cover->handle() == nullptr) complete = false;
            else covers_.push_back(std::move(cover));
        }
        return complete;
    } catch (...) {
        return false;
    }
}

}  // namespace pausarium::reminder
