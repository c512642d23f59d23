#include "UfmPausariumSetup.h"

#include <commctrl.h>

#include "ApplicationWindow.h"
#include "ChangeableByOthers.h"
#include "CommonControls.h"
#include "Error.h"
#include "FilePaths.h"
#include "MessageBoxes.h"
#include "SystemLibrary.h"
#include "Texts.h"

namespace pausarium::setup {

HICON applicationIcon(HINSTANCE instance) { return LoadIconA(instance, MAKEINTRESOURCEA(1)); }

namespace {

constexpr const char* kWindowClass = "TfmMainWindow";
constexpr design::Id kRegimeRadios[] = {design::rb30_5, design::rb50_10, design::rb90_15};  // in Regime order
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                               WS_MAXIMIZEBOX | WS_CLIPCHILDREN;

win32::Font makeFont(bool bold) {
    return win32::Font(CreateFontA(-design::kFontHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                                   FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif"));
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
}

bool TfmMainWindow::create() {
    commonControls::initialise();
    registerControlClasses(instance_);
    registerClass(instance_, {kWindowClass, 0, applicationIcon(instance_), LoadCursor(nullptr, IDC_ARROW),
                              GetSysColorBrush(COLOR_BTNFACE)});

    RECT rc{0, 0, design::kClientWidth, design::kClientHeight};
    AdjustWindowRectEx(&rc, kWindowStyle, FALSE, WS_EX_CONTROLPARENT);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    if (!createWindow(WS_EX_CONTROLPARENT, kWindowClass, texts::kWindowCaption.c_str(), kWindowStyle,
                      RECT{x, y, x + w, y + h}, owner_, instance_))
        throw Error("Error creating window");
    return !quitRequested_;
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
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    items_.reserve(std::size(design::kControls));
    for (const auto& c : design::kControls) {
        items_.push_back(Item{&c, nullptr, ColourBrush(c.background)});
        createControl(items_.back());
    }
}

void TfmMainWindow::createControl(Item& item) {
    const auto& c = *item.design;
    const WindowKind k = kindOf(c);
    const HWND parent = c.parent == design::None ? hwnd_ : control(c.parent);
    const DWORD style = k.style | (c.hidden ? 0u : WS_VISIBLE) | (c.disabled ? WS_DISABLED : 0u);
    const HFONT font = c.bold ? boldFont_.get() : font_.get();
    const bool panel = c.kind == design::Kind::Panel || c.kind == design::Kind::GroupFrame;
    PanelLook look{c.bevel, c.background, c.foreground, font};
    item.hwnd = CreateWindowExA(k.exStyle, k.className, c.text, style, c.x, c.y, c.w, c.h, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance_,
                                panel ? &look : nullptr);
    if (item.hwnd == nullptr) throw Error("Error creating window");
    SendMessageA(item.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (overlapsEarlierSibling(c))  // a later row lies on top; the rest keep tab order
        SetWindowPos(item.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (c.kind == design::Kind::Radio) reportArrowKeys(item.hwnd);
    if (c.kind == design::Kind::Radio && c.bold) keepTextColourWhenDisabled(item.hwnd);  // enabled or not
    if (const design::TrackBarScale* scale = c.scale) {
        SendMessageA(item.hwnd, TBM_SETRANGE, FALSE, MAKELPARAM(scale->minimum, scale->maximum));
        SendMessageA(item.hwnd, TBM_SETTICFREQ, scale->tickFrequency, 0);
        SendMessageA(item.hwnd, TBM_SETLINESIZE, 0, scale->lineSize);
        SendMessageA(item.hwnd, TBM_SETPAGESIZE, 0, scale->pageSize);
        SendMessageA(item.hwnd, TBM_SETTHUMBLENGTH, scale->thumbLength, 0);
        SendMessageA(item.hwnd, TBM_SETSEL, FALSE, MAKELPARAM(scale->selectionStart, scale->selectionEnd));
        SendMessageA(item.hwnd, TBM_SETPOS, TRUE, scale->position);
    }
}

HWND TfmMainWindow::control(design::Id id) const {
    for (const auto& item : items_)
        if (item.design->id == id && item.hwnd != nullptr) return item.hwnd;
    throw Error("No control " + std::to_string(static_cast<int>(id)) + " in the window");
}

const TfmMainWindow::Item* TfmMainWindow::findWindow(HWND hwnd) const {
    for (const auto& item : items_)
        if (item.hwnd == hwnd) return &item;
    return nullptr;
}

LRESULT TfmMainWindow::controlColour(HDC dc, HWND control) {
    const Item* item = findWindow(control);
    if (!item) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    SetTextColor(dc, resolveColour(item->design->foreground));
    SetBkColor(dc, resolveColour(item->design->background));
    return reinterpret_cast<LRESULT>(item->brush.get());
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

void TfmMainWindow::onVScroll(HWND scrolled) {
    const Item* item = findWindow(scrolled);
    if (mirroring_ || !item || item->design->id != design::tbPLevel) return;
    logic_.trackScrolled(static_cast<int>(SendMessageA(scrolled, TBM_GETPOS, 0, 0)));
}

// An arrow key moves to the next enabled radio of the regime group, round the ends, and chooses
// it, as a user's click on it would.
void TfmMainWindow::onRadioArrow(HWND radio, int step) {
    constexpr int count = static_cast<int>(std::size(kRegimeRadios));
    int at = 0;
    while (at < count && control(kRegimeRadios[at]) != radio) ++at;
    if (at == count) return;
    for (int n = 1; n < count; ++n) {
        const int i = ((at + step * n) % count + count) % count;
        HWND next = control(kRegimeRadios[i]);
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
    setDown(design::sbAddToAutorun, c.addDown);
    setDown(design::sbRemoveFromAutorun, c.removeDown);
    setText(design::sbAddToAutorun, c.addCaption);
    setText(design::sbRemoveFromAutorun, c.removeCaption);
    for (int i = 0; i < 3; ++i) {
        check(kRegimeRadios[i], static_cast<int>(c.checked) == i);
        enable(kRegimeRadios[i], c.radiosEnabled);
    }
    setPosition(design::tbPLevel, c.trackPosition);
    enable(design::tbPLevel, c.trackEnabled);
    show(design::pnHigh, c.highVisible);
    show(design::pnNormal, c.normalVisible);
    show(design::pnNone, c.noneVisible);
    setBackground(design::pnAutorun, c.frameColour);
    setText(design::StaticText2, c.regimeHeading);
    setText(design::StaticText3, c.levelHeading);
    keepFocusUsable();
    mirroring_ = false;
}

void TfmMainWindow::enable(design::Id id, bool enabled) {
    const HWND h = control(id);
    if ((IsWindowEnabled(h) != FALSE) != enabled) EnableWindow(h, enabled);
}

// By the style, not IsWindowVisible: the window itself may be hidden yet.
void TfmMainWindow::show(design::Id id, bool visible) {
    const HWND h = control(id);
    const bool shown = (GetWindowLongPtrA(h, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != visible) ShowWindow(h, visible ? SW_SHOWNA : SW_HIDE);
}

// A radio button; the checked one of its group is the group's tab stop.
void TfmMainWindow::check(design::Id id, bool checked) {
    const HWND h = control(id);
    SendMessageA(h, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    const LONG_PTR style = GetWindowLongPtrA(h, GWL_STYLE);
    SetWindowLongPtrA(h, GWL_STYLE, checked ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP)));
}

void TfmMainWindow::setText(design::Id id, const std::string& text) {
    const HWND h = control(id);
    if (text != win32::windowText(h)) SetWindowTextA(h, text.c_str());
}

void TfmMainWindow::setDown(design::Id id, bool down) { SendMessageA(control(id), kSetDown, down, 0); }

void TfmMainWindow::setPosition(design::Id id, int position) {
    const HWND h = control(id);
    if (SendMessageA(h, TBM_GETPOS, 0, 0) != position) SendMessageA(h, TBM_SETPOS, TRUE, position);
}

void TfmMainWindow::setBackground(design::Id id, std::uint32_t colour) {
    SendMessageA(control(id), kSetBackground, colour, 0);
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

bool TfmMainWindow::othersMayChange(const std::string& path) {
    return changeableByOthers(directoryOf(path)) || changeableByOthers(path);
}

bool TfmMainWindow::confirmRisk(const std::string& text) {
    return win32::showMessageBox(boxOwner(), text, texts::kWarningCaption,
                                 MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES;
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
    win32::restrictDllSearch();
    try {
        setup::ApplicationWindow application(instance, setup::texts::kApplicationTitle,
                                             setup::applicationIcon(instance));
        setup::TfmMainWindow window(instance, application.handle(),
                                    setup::mainProgramPathFor(win32::modulePath()));
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
