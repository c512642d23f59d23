#include "UfmPausariumSetup.h"

#include <commctrl.h>

#include "ApplicationWindow.h"
#include "Error.h"
#include "MessageBoxes.h"
#include "Texts.h"

namespace pausarium::setup {

std::string modulePathOfProcess() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return std::string(buffer, n);
}

HICON applicationIcon(HINSTANCE instance) { return LoadIconA(instance, MAKEINTRESOURCEA(1)); }

namespace {

constexpr const char* kWindowClass = "TfmMainWindow";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                               WS_MAXIMIZEBOX | WS_CLIPCHILDREN;

HFONT makeFont(bool bold) {
    return CreateFontA(-design::kFontHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
}

struct WindowKind {
    const char* className;
    DWORD style;
    DWORD exStyle;
};

WindowKind kindOf(const design::Control& c) {
    using design::Kind;
    const DWORD base = WS_CHILD | WS_CLIPSIBLINGS;
    switch (c.kind) {
        case Kind::Heading: {  // read right to left where the system's locale is written so
            const DWORD reading = GetSystemMetrics(SM_MIDEASTENABLED) ? WS_EX_RTLREADING : 0;
            return {"STATIC", base | SS_CENTER | WS_GROUP, WS_EX_STATICEDGE | reading};
        }
        case Kind::Label: return {"STATIC", base | SS_CENTER | WS_GROUP, 0};
        case Kind::GroupFrame:
        case Kind::Panel:
            return {kPanelClass, base | WS_CLIPCHILDREN | ((c.bevel & design::kSingleBorder) ? WS_BORDER : 0u),
                    WS_EX_CONTROLPARENT};
        case Kind::Toggle: return {kToggleClass, base, 0};
        case Kind::Radio:
            return {"BUTTON", base | BS_RADIOBUTTON | (c.id == design::rb30_5 ? WS_GROUP : 0u), 0};
        case Kind::TrackBar:
            return {TRACKBAR_CLASSA, base | WS_TABSTOP | WS_GROUP | TBS_VERT | TBS_RIGHT | TBS_AUTOTICKS |
                                         TBS_FIXEDLENGTH | TBS_ENABLESELRANGE, 0};
        case Kind::TextBlock:
            return {"EDIT", base | ES_MULTILINE | ES_READONLY | WS_GROUP, 0};
        case Kind::PushButton: return {"BUTTON", base | BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0};
    }
    return {"STATIC", base, 0};
}

bool overlapsEarlierSibling(const design::Control& c) {
    for (const auto& other : design::kControls) {
        if (&other == &c) return false;
        if (other.parent != c.parent) continue;
        const bool apart = other.x + other.w <= c.x || c.x + c.w <= other.x ||
                           other.y + other.h <= c.y || c.y + c.h <= other.y;
        if (!apart) return true;
    }
    return false;
}

}  // namespace

TfmMainWindow::TfmMainWindow(HINSTANCE instance, HWND owner, std::string mainProgramPath)
    : instance_(instance), owner_(owner), logic_(registry_, *this, std::move(mainProgramPath)) {}

TfmMainWindow::~TfmMainWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
    for (auto& item : items_)
        if (item.brush) DeleteObject(item.brush);
    if (font_) DeleteObject(font_);
    if (boldFont_) DeleteObject(boldFont_);
}

bool TfmMainWindow::create() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    registerControlClasses(instance_);
    WNDCLASSA wc{};
    wc.lpfnWndProc = windowProcedure;
    wc.hInstance = instance_;
    wc.hIcon = applicationIcon(instance_);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kWindowClass;
    RegisterClassA(&wc);

    RECT rc{0, 0, design::kClientWidth, design::kClientHeight};
    AdjustWindowRectEx(&rc, kWindowStyle, FALSE, WS_EX_CONTROLPARENT);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    createWindow(WS_EX_CONTROLPARENT, kWindowClass, texts::kWindowCaption.c_str(), kWindowStyle,
                 RECT{x, y, x + w, y + h}, owner_, instance_);
    return hwnd_ != nullptr && !quitRequested_;
}

void TfmMainWindow::show() {
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    focusFirstTabStop();  // as a dialog opens
    UpdateWindow(hwnd_);
}

void TfmMainWindow::showError(const std::string& message) {
    win32::showStandardErrorBox(boxOwner(), texts::kApplicationTitle, message);
}

LRESULT TfmMainWindow::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            buildControls();
            mirror();
            logic_.FormCreate();
            return 0;
        case WM_COMMAND: onCommand(LOWORD(wp), HIWORD(wp)); return 0;
        case WM_VSCROLL: onVScroll(reinterpret_cast<HWND>(lp)); return 0;
        case kToggleClicked:
            logic_.userClickToggle(wp == design::sbAddToAutorun ? Toggle::Add : Toggle::Remove);
            return 0;
        case kRadioArrow: onRadioArrow(reinterpret_cast<HWND>(lp), static_cast<int>(wp)); return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
            return controlColour(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
        case WM_SYSCOMMAND:
            if ((wp & 0xFFF0) == SC_MINIMIZE && owner_) {  // the taskbar button's window hides the dialog
                ShowWindow(owner_, SW_MINIMIZE);
                return 0;
            }
            return DefWindowProcA(hwnd_, msg, wp, lp);
        case WM_CLOSE: onClose(); return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default: return DefWindowProcA(hwnd_, msg, wp, lp);
    }
}

void TfmMainWindow::buildControls() {
    font_ = makeFont(false);
    boldFont_ = makeFont(true);
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    items_.reserve(std::size(design::kControls));
    for (const auto& c : design::kControls) {
        items_.push_back(Item{&c, nullptr, CreateSolidBrush(resolveColour(c.background)), {}});
        createControl(items_.back());
    }
}

HWND TfmMainWindow::createControl(Item& item) {
    const auto& c = *item.design;
    const WindowKind k = kindOf(c);
    HWND parent = c.parent == design::None ? hwnd_ : find(c.parent)->hwnd;
    DWORD style = k.style | (c.hidden ? 0u : WS_VISIBLE) | (c.disabled ? WS_DISABLED : 0u);
    item.hwnd = CreateWindowExA(k.exStyle, k.className, c.text, style, c.x, c.y, c.w, c.h, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance_, nullptr);
    HFONT font = c.bold ? boldFont_ : font_;
    SendMessageA(item.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (overlapsEarlierSibling(c))  // a later row lies on top; the rest keep tab order
        SetWindowPos(item.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (c.kind == design::Kind::Panel || c.kind == design::Kind::GroupFrame) {
        item.look = PanelLook{c.bevel, c.background, c.foreground, font};
        attachPanelLook(item.hwnd, &item.look);
    }
    if (c.kind == design::Kind::Radio) reportArrowKeys(item.hwnd);
    if (c.kind == design::Kind::Radio && c.bold) keepTextColourWhenDisabled(item.hwnd);  // enabled or not
    if (c.kind == design::Kind::TrackBar) {
        SendMessageA(item.hwnd, TBM_SETRANGE, FALSE, MAKELPARAM(0, 1));
        SendMessageA(item.hwnd, TBM_SETTICFREQ, 1, 0);
        SendMessageA(item.hwnd, TBM_SETLINESIZE, 0, 5);
        SendMessageA(item.hwnd, TBM_SETPAGESIZE, 0, 8);
        SendMessageA(item.hwnd, TBM_SETTHUMBLENGTH, 30, 0);
        SendMessageA(item.hwnd, TBM_SETSEL, FALSE, MAKELPARAM(0, 0));
        SendMessageA(item.hwnd, TBM_SETPOS, TRUE, 1);
    }
    return item.hwnd;
}

TfmMainWindow::Item* TfmMainWindow::find(design::Id id) {
    for (auto& item : items_)
        if (item.design->id == id) return &item;
    return nullptr;
}

TfmMainWindow::Item* TfmMainWindow::findWindow(HWND hwnd) {
    for (auto& item : items_)
        if (item.hwnd == hwnd) return &item;
    return nullptr;
}

LRESULT TfmMainWindow::controlColour(HDC dc, HWND control) {
    Item* item = findWindow(control);
    if (!item) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    SetTextColor(dc, resolveColour(item->design->foreground));
    SetBkColor(dc, resolveColour(item->design->background));
    return reinterpret_cast<LRESULT>(item->brush);
}

void TfmMainWindow::onCommand(int id, int code) {
    if (code != BN_CLICKED || mirroring_) return;
    switch (id) {
        case design::rb30_5: logic_.checkRadio(Regime::R30_5); break;
        case design::rb50_10: logic_.checkRadio(Regime::R50_10); break;
        case design::rb90_15: logic_.checkRadio(Regime::R90_15); break;
        case design::BitBtn2: BitBtn2Click(); break;
        default: break;
    }
}

void TfmMainWindow::onVScroll(HWND control) {
    Item* track = find(design::tbPLevel);
    if (mirroring_ || !track || control != track->hwnd) return;
    logic_.trackScrolled(static_cast<int>(SendMessageA(control, TBM_GETPOS, 0, 0)));
}

// An arrow key moves to the next enabled radio of the regime group, round the ends, and chooses
// it, as a user's click on it would.
void TfmMainWindow::onRadioArrow(HWND radio, int step) {
    constexpr design::Id radios[] = {design::rb30_5, design::rb50_10, design::rb90_15};
    constexpr int count = static_cast<int>(std::size(radios));
    int at = 0;
    while (at < count && find(radios[at])->hwnd != radio) ++at;
    if (at == count) return;
    for (int n = 1; n < count; ++n) {
        const int i = ((at + step * n) % count + count) % count;
        HWND next = find(radios[i])->hwnd;
        if (!IsWindowEnabled(next)) continue;
        SetFocus(next);
        SendMessageA(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);  // keyboard use shows focus
        logic_.checkRadio(static_cast<Regime>(i));
        InvalidateRect(next, nullptr, TRUE);  // one whole repaint draws its focus frame once
        return;
    }
}

void TfmMainWindow::BitBtn2Click() { SendMessageA(hwnd_, WM_CLOSE, 0, 0); }

void TfmMainWindow::onClose() {
    logic_.FormClose();
    DestroyWindow(hwnd_);
}

// Puts the model's state on the controls; nothing the controls report meanwhile counts as a
// user gesture.
void TfmMainWindow::mirror() {
    if (items_.empty()) return;
    mirroring_ = true;
    const SetupControls& c = logic_.controls();
    auto setText = [](HWND h, const std::string& text) {
        char current[256] = {};
        GetWindowTextA(h, current, sizeof current);
        if (text != current) SetWindowTextA(h, text.c_str());
    };
    auto setEnabled = [](HWND h, bool on) {
        if ((IsWindowEnabled(h) != FALSE) != on) EnableWindow(h, on);
    };
    auto setVisible = [](HWND h, bool on) {  // the style, not IsWindowVisible: the window may be hidden yet
        const bool shown = (GetWindowLongPtrA(h, GWL_STYLE) & WS_VISIBLE) != 0;
        if (shown != on) ShowWindow(h, on ? SW_SHOWNA : SW_HIDE);
    };
    HWND add = find(design::sbAddToAutorun)->hwnd, remove = find(design::sbRemoveFromAutorun)->hwnd;
    SendMessageA(add, kSetDown, c.addDown, 0);
    SendMessageA(remove, kSetDown, c.removeDown, 0);
    setText(add, c.addCaption);
    setText(remove, c.removeCaption);
    const design::Id radios[] = {design::rb30_5, design::rb50_10, design::rb90_15};
    for (int i = 0; i < 3; ++i) {
        HWND r = find(radios[i])->hwnd;
        const bool checked = static_cast<int>(c.checked) == i;
        SendMessageA(r, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        LONG_PTR style = GetWindowLongPtrA(r, GWL_STYLE);
        SetWindowLongPtrA(r, GWL_STYLE, checked ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP)));
        setEnabled(r, c.radiosEnabled);
    }
    HWND track = find(design::tbPLevel)->hwnd;
    if (SendMessageA(track, TBM_GETPOS, 0, 0) != c.trackPosition) SendMessageA(track, TBM_SETPOS, TRUE, c.trackPosition);
    setEnabled(track, c.trackEnabled);
    setVisible(find(design::pnHigh)->hwnd, c.highVisible);
    setVisible(find(design::pnNormal)->hwnd, c.normalVisible);
    setVisible(find(design::pnNone)->hwnd, c.noneVisible);
    Item* frame = find(design::pnAutorun);
    if (frame->look.background != c.frameColour) {
        frame->look.background = c.frameColour;
        RedrawWindow(frame->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
    }
    keepFocusUsable();
    mirroring_ = false;
}

// A control disabled while it had the focus leaves the dialog with none, and then the keys
// arrive as system keys that Tab cannot move on from; the focus goes to the first tab stop.
void TfmMainWindow::keepFocusUsable() {
    if (GetActiveWindow() != hwnd_) return;
    HWND focus = GetFocus();
    if (focus && focus != hwnd_ && IsWindowEnabled(focus)) return;
    focusFirstTabStop();
}

void TfmMainWindow::focusFirstTabStop() {
    if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) SetFocus(first);
}

HWND TfmMainWindow::boxOwner() const {
    return hwnd_ && IsWindowVisible(hwnd_) ? hwnd_ : nullptr;
}

bool TfmMainWindow::fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void TfmMainWindow::showWarning(const std::string& text) {
    win32::showMessageBox(boxOwner(), text, texts::kWarningCaption, MB_OK | MB_ICONEXCLAMATION);
}

bool TfmMainWindow::askYesNo(const std::string& text) {
    return win32::showMessageBox(boxOwner(), text, texts::kWarningCaption,
                                 MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON1) == IDYES;
}

void TfmMainWindow::showSimpleMessage(const std::string& text) {
    win32::showMessageBox(boxOwner(), text, texts::kApplicationTitle, MB_OK);
}

void TfmMainWindow::requestQuit() {
    quitRequested_ = true;
    PostQuitMessage(0);
}

}  // namespace pausarium::setup

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace pausarium;
    try {
        setup::ApplicationWindow application(instance, setup::texts::kApplicationTitle.c_str(),
                                             setup::applicationIcon(instance));
        setup::TfmMainWindow window(instance, application.handle(),
                                    setup::mainProgramPathFor(setup::modulePathOfProcess()));
        if (window.create()) {
            application.show(window.handle());
            window.show();
        }
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            if (window.handle() && IsDialogMessageA(window.handle(), &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    } catch (const std::exception& e) {
        win32::showFatalErrorBox(setup::texts::kApplicationTitle, e.what());
    }
    return 0;
}
