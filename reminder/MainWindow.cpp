#include "MainWindow.h"

#include <windowsx.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <exception>

#include "Com.h"
#include "Error.h"
#include "InputClock.h"
#include "MessageBoxes.h"
#include "SystemLibrary.h"
#include "Texts.h"
#include "Win32Registry.h"

namespace pausarium::reminder {
namespace {

constexpr char kClassName[] = "TfmMainWindow";

// A double click's second press arrives as WM_LBUTTONDBLCLK, which is ignored: the pair counts
// as one click. The pointer is set per area on WM_SETCURSOR.
win32::WindowClass windowClass(HINSTANCE instance) {
    return {kClassName, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, LoadIconA(instance, MAKEINTRESOURCEA(1)), nullptr,
            static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))};
}

win32::Font makeFont(const design::FontDesign& font) {
    return win32::Font(CreateFontA(-font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                   font.underline ? TRUE : FALSE, FALSE, font.charset, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.face));
}

int screenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int screenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

// A visible, enabled window of this thread owned by `owner`, other than its covers: a box that
// `owner` waits on.
struct OwnedBoxSearch {
    HWND owner;
    const MonitorCovers& covers;
    HWND box;
};

BOOL CALLBACK noteOwnedBox(HWND w, LPARAM lParam) {
    auto& search = *reinterpret_cast<OwnedBoxSearch*>(lParam);
    if (GetWindow(w, GW_OWNER) != search.owner || !IsWindowVisible(w) || !IsWindowEnabled(w)) return TRUE;
    if (search.covers.holds(w)) return TRUE;
    search.box = w;
    return FALSE;
}

// Whether `above`, a window above another, covers it where raising could pass it: a visible
// window, topmost unless the other is topmost itself.
bool coversWindow(HWND above, bool otherIsTopmost) {
    if (!IsWindowVisible(above)) return false;
    return otherIsTopmost || (GetWindowLongPtrA(above, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0;
}

// The z-order from the top down to `window` and the last of its covers: whether a window other
// than the covers lies above `window`, and which covers lie below such a window.
struct WindowsAboveSearch {
    HWND window;
    bool topmost;
    const MonitorCovers& covers;
    std::size_t coversLeft;  // not met yet
    bool windowMet = false;
    bool anotherMet = false;
    bool windowCovered = false;
    std::vector<HWND> coveredCovers;
};

BOOL CALLBACK noteWindowAbove(HWND w, LPARAM lParam) {
    auto& search = *reinterpret_cast<WindowsAboveSearch*>(lParam);
    if (w == search.window) {
        search.windowMet = true;
        search.windowCovered = search.anotherMet;
    } else if (search.covers.holds(w)) {
        if (search.anotherMet) search.coveredCovers.push_back(w);
        if (search.coversLeft > 0) --search.coversLeft;
    } else if (!search.anotherMet && coversWindow(w, search.topmost)) {
        search.anotherMet = true;
    }
    return search.windowMet && search.coversLeft == 0 ? FALSE : TRUE;
}

// The band of the client area that holds the single centred message line.
constexpr int kMessageBandHalfHeight = 16;

}  // namespace

TfmMainWindow::TfmMainWindow(HINSTANCE instance, SoundPaths paths, std::string& applicationTitle,
                             MonitorList& monitors, SessionNotices& sessions)
    : paths_(std::move(paths)),
      applicationTitle_(applicationTitle),
      panelFont_(makeFont(design::kPanelFont)),
      addressFont_(makeFont(design::kAddressFont)),
      messageText_(texts::kLocked.str()),
      messageColour_(design::kPanelDesignedColour),
      addressColour_(design::kAddressDesignedColour),
      covers_(instance, monitors),
      timeAway_(sessions) {
    registerClass(instance, windowClass(instance));
    const int x = (screenWidth() - design::kDesignedClientWidth) / 2;
    const int y = (screenHeight() - design::kDesignedClientHeight) / 2;
    // The taskbar shows the window's text, so the window carries the application title.
    const RECT placement{x, y, x + design::kDesignedClientWidth, y + design::kDesignedClientHeight};
    const HWND created = createWindow(WS_EX_TOPMOST | WS_EX_APPWINDOW, kClassName, applicationTitle_.c_str(),
                                      WS_POPUP, placement, nullptr, instance);
    if (created == nullptr) {
        if (creationError_) std::rethrow_exception(creationError_);
        throw Error("Error creating window");
    }
}

TfmMainWindow::~TfmMainWindow() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

MonitorList& TfmMainWindow::systemMonitors() {
    static Win32MonitorList monitors;
    return monitors;
}

// Lowered among the ordinary windows while the box is open, so that the box can be seen. The
// covers go meanwhile and come back once the window is topmost again: a window that owns
// topmost windows is not always let into the topmost band (Wine keeps it out).
void TfmMainWindow::showError(const std::string& message) {
    constexpr UINT kZOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    covers_.pause();
    SetWindowPos(hwnd_, HWND_NOTOPMOST, 0, 0, 0, 0, kZOrderOnly);
    win32::showStandardErrorBox(hwnd_, applicationTitle_, message);
    if (hwnd_ != nullptr) SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, kZOrderOnly);
    covers_.resume();
}

LRESULT TfmMainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return onCreate() ? 0 : -1;
    case WM_PAINT: onPaint(); return 0;
    case WM_TIMER:
        if (timers_) timers_->onTimerMessage(wParam);
        timeAway_.askAgain();  // the session's services may be up by now
        return 0;
    case WM_SETCURSOR:
        if (onSetCursor(lParam)) return TRUE;
        break;
    // Every key-down, system keys included, is consumed: no default handling follows, so
    // Alt+F4, Alt+Space and F10 do nothing else.
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (cycle_) cycle_->ProcessUserInput();
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_KEYMENU) return 0;
        break;
    case WM_MOUSEMOVE: onMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_LBUTTONDOWN: onLeftButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_LBUTTONUP: onLeftButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_LBUTTONDBLCLK: return 0;
    case WM_CAPTURECHANGED: clicks_.cancel(); return 0;
    case kCoverClicked: onCoverClicked(); return 0;
    case WM_DISPLAYCHANGE: covers_.displayChanged(); break;
    // Any power event is granted (TRUE); one that is no sleep or resume, and a session change
    // that is no lock or connection, goes on as usual.
    case WM_POWERBROADCAST:
        if (cycle_ && TimeAwayWatcher::onMessage(message, wParam, timers_->now(), *cycle_)) return TRUE;
        break;
    case WM_WTSSESSION_CHANGE:
        if (cycle_ && TimeAwayWatcher::onMessage(message, wParam, timers_->now(), *cycle_)) return 0;
        break;
    case WM_CLOSE: onClose(); return 0;
    case WM_QUERYENDSESSION: return (!cycle_ || cycle_->FormCloseQuery()) ? TRUE : FALSE;
    case WM_DESTROY: onDestroy(); return 0;
    default: break;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

// The window's design comes first: its timers, tmAdressHide running from now on. When the
// design cannot be made (the platform refuses tmAdressHide), the window is not created and the
// error goes on to the main routine. An error of FormCreate is the creation handler's own: it
// reaches the error box through the barrier, and the window lives on.
bool TfmMainWindow::onCreate() {
    try {
        timers_ = std::make_unique<win32::Win32TimerHost>(hwnd_);
        cycle_ = std::make_unique<BreakCycle>(*timers_, *this, *this, paths_, PAUSARIUM_MINUTE_MS);
    } catch (...) {
        creationError_ = std::current_exception();
        return false;
    }
    timeAway_.watch(hwnd_);
    win32::Win32Registry registry;
    cycle_->FormCreate(registry);
    return true;
}

void TfmMainWindow::onPaint() {
    win32::PaintScope scope(hwnd_);
    paint(scope.dc(), scope.dirty());
}

// pnPanel fills the client area with one centred line; lbAdress lies above it, top right, on
// its own black background.
void TfmMainWindow::paint(HDC dc, const RECT& dirty) {
    RECT client = clientRect();
    SetBkMode(dc, TRANSPARENT);
    {
        win32::Selection font(dc, panelFont_.get());
        SetTextColor(dc, messageColour_);
        DrawTextA(dc, messageText_.c_str(), static_cast<int>(messageText_.size()), &client,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    const Rect a = addressLabelRect(client.right);
    RECT label{a.left, a.top, a.right, a.bottom};
    RECT overlap;
    if (!IntersectRect(&overlap, &label, &dirty)) return;
    FillRect(dc, &label, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    win32::Selection font(dc, addressFont_.get());
    SetTextColor(dc, addressColour_);
    DrawTextA(dc, texts::kAuthorHost.c_str(), -1, &label,
              DT_RIGHT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

// The pointer is set only when it changes: WM_SETCURSOR comes with every move of the mouse.
bool TfmMainWindow::onSetCursor(LPARAM lParam) {
    if (LOWORD(lParam) != HTCLIENT) return false;
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(hwnd_, &p);
    static const HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    const HCURSOR wanted = hit(p.x, p.y) == HitTarget::Address ? hand : nullptr;
    if (GetCursor() != wanted) SetCursor(wanted);
    return true;
}

void TfmMainWindow::onMouseMove(int x, int y) {
    if (cycle_ && hit(x, y) == HitTarget::Address) cycle_->lbAdressMouseMove();
}

void TfmMainWindow::onLeftButtonDown(int x, int y) {
    clicks_.press(hit(x, y));
    SetCapture(hwnd_);
}

void TfmMainWindow::onLeftButtonUp(int x, int y) {
    const HitTarget clicked = clicks_.release(hit(x, y));
    ReleaseCapture();
    if (!cycle_) return;
    if (clicked == HitTarget::Address) cycle_->lbAdressClick();
    if (clicked == HitTarget::Message) cycle_->ProcessUserInput();  // pnPanelClick
}

// A click on a cover is a click on the message; while a box of the window's own is open the
// window is disabled and takes no clicks, nor do its covers. The cover is never activated, so
// during the lock the click hands the window the keyboard, should another program hold it.
void TfmMainWindow::onCoverClicked() {
    if (!cycle_ || !IsWindowEnabled(hwnd_)) return;
    if (locked_ && GetForegroundWindow() != hwnd_) keyboard_.take(hwnd_);
    cycle_->ProcessUserInput();  // pnPanelClick
}

void TfmMainWindow::onClose() {
    if (!cycle_ || cycle_->FormCloseQuery()) DestroyWindow(hwnd_);
}

void TfmMainWindow::onDestroy() {
    timeAway_.stop();
    covers_.end();
    cycle_.reset();   // its timers stop through the host
    timers_.reset();  // and the host kills whatever is left
    PostQuitMessage(0);
}

// A modal box of this window's (an error box) disables the window while it is open; the box
// is then what the lock keeps in front and gives the keyboard, so that it can be answered.
HWND TfmMainWindow::frontWindow() const {
    if (IsWindowEnabled(hwnd_)) return hwnd_;
    OwnedBoxSearch search{hwnd_, covers_, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), noteOwnedBox, reinterpret_cast<LPARAM>(&search));
    return search.box != nullptr ? search.box : hwnd_;
}

// Whether a visible window lies above `window` in the z-order where raising could pass it (a
// topmost window covers a window that is not topmost for good), and for the lock which of its
// covers lie below such a window. Windows keeps the covers above the lock as windows it owns;
// Wine keeps its z-order as X stacks the windows, and may leave them below it. Walking up with
// GW_HWNDPREV asks the system once for each window above; while there are covers, EnumWindows
// gets the z-order from the top in one request instead.
TfmMainWindow::Covered TfmMainWindow::coveredByAnother(HWND window) const {
    const bool topmost = (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (covers_.any()) {
        WindowsAboveSearch search{window, topmost, covers_, covers_.count(), false, false, false, {}};
        EnumWindows(noteWindowAbove, reinterpret_cast<LPARAM>(&search));
        return {search.windowCovered, std::move(search.coveredCovers)};
    }
    for (HWND above = GetWindow(window, GW_HWNDPREV); above != nullptr; above = GetWindow(above, GW_HWNDPREV))
        if (coversWindow(above, topmost)) return {true, {}};
    return {};
}

// Raises `window` to the top of the z-order in its band, with `flags` besides. For the lock with
// covers: HWND_TOPMOST, where Windows places a topmost window as at HWND_TOP and takes the
// windows it owns along either way, while Wine takes them along above other topmost windows
// only for HWND_TOPMOST, and for HWND_TOP leaves the whole group where it was; and
// SWP_NOOWNERZORDER, which concerns only the lock's owner (it has none) on Windows, and without
// which Wine moves the covers that lay above the lock along, below a window that lay above them.
void TfmMainWindow::raise(HWND window, UINT flags) const {
    const bool withCovers = window == hwnd_ && covers_.any();
    SetWindowPos(window, withCovers ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | flags | (withCovers ? SWP_NOOWNERZORDER : 0));
}

RECT TfmMainWindow::clientRect() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    return r;
}

HitTarget TfmMainWindow::hit(int x, int y) const {
    const RECT r = clientRect();
    return hitTest(r.right, r.bottom, x, y);
}

void TfmMainWindow::invalidateMessage() {
    const RECT client = clientRect();
    const int middle = client.bottom / 2;
    const RECT band{0, middle - kMessageBandHalfHeight, client.right, middle + kMessageBandHalfHeight};
    InvalidateRect(hwnd_, &band, TRUE);
}

void TfmMainWindow::invalidateAddress() {
    const Rect a = addressLabelRect(clientRect().right);
    const RECT label{a.left, a.top, a.right, a.bottom};
    InvalidateRect(hwnd_, &label, FALSE);  // the label paints its own background
}

// --- window operations ---------------------------------------------------------------

void TfmMainWindow::show() {
    const bool hidden = !IsWindowVisible(hwnd_);
    if (hidden && cycle_) {
        const ShowGeometry g = cycle_->FormShow(screenWidth(), screenHeight());
        SetWindowPos(hwnd_, nullptr, g.left, g.top, g.width, g.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    keyboard_.note(hwnd_);  // whoever has the keyboard gets it back when the window hides
    if (hidden) ShowWindow(hwnd_, SW_SHOW);
    // A notice only asks to be activated (HWND_TOP keeps a topmost window in the topmost
    // band); the lock takes the keyboard. Either goes to a box of the window's own when one
    // is open.
    const HWND front = frontWindow();
    if (GetForegroundWindow() != front || coveredByAnother(front).window)
        raise(front, 0);
    if (locked_) keyboard_.take(front);
}

void TfmMainWindow::hide() {
    keyboard_.giveBack(hwnd_);
    covers_.end();
    if (IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_HIDE);
}

void TfmMainWindow::setMessageText(const std::string& text) {
    if (text == messageText_) return;
    messageText_ = text;
    invalidateMessage();
}

void TfmMainWindow::setMessageColour(Colour colour) {
    if (colour == messageColour_) return;
    messageColour_ = colour;
    invalidateMessage();
}

void TfmMainWindow::setAddressColour(Colour colour) {
    if (colour == addressColour_) return;
    addressColour_ = colour;
    invalidateAddress();
}

// Only a window whose size someone else changed is resized: an unchanged SetWindowPos still
// sends WM_WINDOWPOSCHANGING/CHANGED, and costs Wine a round of server requests. The covers
// follow the monitors at the same second.
void TfmMainWindow::fitToScreen() {
    covers_.follow();
    const int width = screenWidth();
    const int height = screenHeight();
    RECT r{};
    GetWindowRect(hwnd_, &r);
    if (r.right - r.left == width && r.bottom - r.top == height) return;
    SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfmMainWindow::maximise() {
    if (!IsZoomed(hwnd_)) ShowWindow(hwnd_, SW_SHOWMAXIMIZED);
}

// Raised only when it is covered, and without activation: the keyboard is focus's concern.
void TfmMainWindow::bringToFront() { raiseIfCovered(frontWindow()); }

// The active window is the foreground window: the one the user is working in, whose thread
// gets the keys. While a box of the window's own is open, that box keeps them. Taking the
// foreground raises the window; a window placed above it without taking the foreground is
// passed as well.
void TfmMainWindow::focus() {
    const HWND front = frontWindow();
    if (GetForegroundWindow() != front) keyboard_.take(front);
    raiseIfCovered(front);
}

// A cover of the lock's passed by another window is raised on its own, with no owner's z-order
// to follow.
void TfmMainWindow::raiseIfCovered(HWND window) const {
    const Covered covered = coveredByAnother(window);
    if (covered.window) raise(window, SWP_NOACTIVATE);
    if (window != hwnd_) return;
    for (HWND cover : covered.covers)
        SetWindowPos(cover, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// A minimised window's owned windows are hidden with it; the covers are shown again with it.
void TfmMainWindow::restoreApplication() {
    if (!IsIconic(hwnd_)) return;
    ShowWindow(hwnd_, SW_RESTORE);
    if (covers_.any()) ShowOwnedPopups(hwnd_, TRUE);
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// While the lock runs the window refuses WM_QUERYENDSESSION; Windows shows this reason beside
// it on the page that lets the user end the session anyway.
// The covers come with the lock's beginning, before its show, and stay through the key wait.
void TfmMainWindow::setLocked(bool locked) {
    locked_ = locked;
    if (locked) covers_.begin(hwnd_);
    if (locked) shutdownReason_.give(hwnd_, texts::kLocked.str());
    else shutdownReason_.withdraw();
}

// --- platform ------------------------------------------------------------------------

// winmm and shell32 (with the DLLs they load in turn) are loaded at the first sound and the
// first click on the address, not at the start: the reminder spends most of its life hidden in
// the work phase and needs neither there. Without the DLL or the function there is no sound, or
// no browser, and the cycle goes on.

void TfmMainWindow::playSound(const std::string& path) {
    static win32::SystemLibrary winmm("winmm.dll");
    if (const auto play = winmm.function<decltype(&PlaySoundA)>("PlaySoundA"))
        play(path.c_str(), nullptr, SND_ASYNC);
}

void TfmMainWindow::openAddress(const std::string& address) {
    static win32::SystemLibrary shell32("shell32.dll");
    if (const auto open = shell32.function<decltype(&ShellExecuteA)>("ShellExecuteA")) {
        win32::initialiseCom();
        open(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOW);
    }
}

// When Windows does not tell, the user counts as present.
std::int64_t TfmMainWindow::msSinceInput() {
    LASTINPUTINFO input{sizeof input, 0};
    if (!GetLastInputInfo(&input)) return 0;
    return msSinceInputTick(GetTickCount(), input.dwTime);
}

void TfmMainWindow::setApplicationTitle(const std::string& title) {
    applicationTitle_ = title;
    if (hwnd_ != nullptr) SetWindowTextA(hwnd_, title.c_str());
}

}  // namespace pausarium::reminder
