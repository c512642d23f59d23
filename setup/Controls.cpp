#include "Controls.h"

#include <new>
#include <string>

#include "CommonControls.h"
#include "SetupWindowDesign.h"
#include "WindowObject.h"

namespace pausarium::setup {

namespace {

bool isSystemColour(std::uint32_t colour) { return (colour & 0x80000000u) != 0; }
int systemColourIndex(std::uint32_t colour) { return static_cast<int>(colour & 0xFF); }

}  // namespace

COLORREF resolveColour(std::uint32_t colour) {
    if (isSystemColour(colour)) return GetSysColor(systemColourIndex(colour));
    return static_cast<COLORREF>(colour);
}

ColourBrush::ColourBrush(std::uint32_t colour)
    : colour_(colour), own_(isSystemColour(colour) ? nullptr : CreateSolidBrush(static_cast<COLORREF>(colour))) {}

HBRUSH ColourBrush::get() const {
    return own_.get() != nullptr ? own_.get() : GetSysColorBrush(systemColourIndex(colour_));
}

namespace {

// The window procedure of a control kind whose state is one State object, owned by the window:
// made at WM_NCCREATE from the creation data (creation fails when it cannot be made), kept in
// the window's extra bytes, deleted at WM_NCDESTROY. `handle` sees every message in between.
template <typename State, LRESULT (*handle)(HWND, State&, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK controlProcedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* state = reinterpret_cast<State*>(GetWindowLongPtrA(hwnd, 0));
    if (msg == WM_NCCREATE) {
        state = new (std::nothrow) State(*reinterpret_cast<const CREATESTRUCTA*>(lp));
        if (state == nullptr) return FALSE;
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(state));
    } else if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, 0, 0);
        delete state;
        state = nullptr;
    }
    if (state == nullptr) return DefWindowProcA(hwnd, msg, wp, lp);
    return handle(hwnd, *state, msg, wp, lp);
}

bool forwardsToTop(UINT msg) {
    switch (msg) {
        case WM_COMMAND: case WM_VSCROLL: case WM_HSCROLL: case WM_NOTIFY:
        case WM_CTLCOLORSTATIC: case WM_CTLCOLORBTN: case WM_CTLCOLOREDIT: case kToggleClicked:
            return true;
        default:
            return false;
    }
}

LRESULT setTextAndRedraw(HWND hwnd, WPARAM wp, LPARAM lp) {
    const LRESULT r = DefWindowProcA(hwnd, WM_SETTEXT, wp, lp);
    InvalidateRect(hwnd, nullptr, TRUE);
    return r;
}

// --- panel ---------------------------------------------------------------------------

struct Panel {
    PanelLook look;
    ColourBrush background;

    explicit Panel(const CREATESTRUCTA& created)
        : look(created.lpCreateParams ? *static_cast<const PanelLook*>(created.lpCreateParams) : PanelLook{}),
          background(look.background) {}
};

void paintPanel(HWND hwnd, const Panel& panel) {
    win32::PaintScope paint(hwnd);
    const HDC dc = paint.dc();
    RECT rc;
    GetClientRect(hwnd, &rc);
    FillRect(dc, &rc, panel.background.get());
    const unsigned bevel = panel.look.bevel;
    if (bevel & design::kGroupFrame) {
        RECT frame = rc;
        frame.top += 6;
        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    }
    if (bevel & design::kOuterLowered) DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    if (bevel & design::kInnerRaised) DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    const std::string text = win32::windowText(hwnd);
    if (text.empty()) return;
    win32::Selection font(dc, panel.look.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, resolveColour(panel.look.foreground));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT panelMessage(HWND hwnd, Panel& panel, UINT msg, WPARAM wp, LPARAM lp) {
    if (forwardsToTop(msg)) return SendMessageA(GetAncestor(hwnd, GA_ROOT), msg, wp, lp);
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: paintPanel(hwnd, panel); return 0;
        case WM_SETTEXT: return setTextAndRedraw(hwnd, wp, lp);
        case kSetBackground: {
            const auto colour = static_cast<std::uint32_t>(wp);
            if (colour == panel.look.background) return 0;
            panel.look.background = colour;
            panel.background = ColourBrush(colour);
            RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
            return 0;
        }
        default: return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

// --- toggle button -------------------------------------------------------------------

struct ToggleButton {
    enum : unsigned { kDown = 1, kPressed = 2, kTracking = 4 };  // kPressed: the mouse held over it
    unsigned flags = 0;
    HFONT font = nullptr;

    explicit ToggleButton(const CREATESTRUCTA&) {}
};

void setFlags(HWND hwnd, ToggleButton& button, unsigned flags) {
    if (flags == button.flags) return;
    button.flags = flags;
    InvalidateRect(hwnd, nullptr, TRUE);
}

bool cursorInside(HWND hwnd, LPARAM lp) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    return PtInRect(&rc, pt) != FALSE;
}

void paintToggle(HWND hwnd, const ToggleButton& button) {
    win32::PaintScope paint(hwnd);
    const HDC dc = paint.dc();
    RECT rc;
    GetClientRect(hwnd, &rc);
    const bool sunken = (button.flags & (ToggleButton::kDown | ToggleButton::kPressed)) != 0;
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &rc, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    const std::string text = win32::windowText(hwnd);
    win32::Selection font(dc, button.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    if (sunken) OffsetRect(&rc, 1, 1);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT toggleMessage(HWND hwnd, ToggleButton& button, UINT msg, WPARAM wp, LPARAM lp) {
    constexpr unsigned kHeld = ToggleButton::kPressed | ToggleButton::kTracking;
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: paintToggle(hwnd, button); return 0;
        case WM_SETFONT: button.font = reinterpret_cast<HFONT>(wp); return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(button.font);
        case WM_SETTEXT: return setTextAndRedraw(hwnd, wp, lp);
        case kSetDown:
            setFlags(hwnd, button, wp ? (button.flags | ToggleButton::kDown) : (button.flags & ~ToggleButton::kDown));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            SetCapture(hwnd);
            setFlags(hwnd, button, button.flags | kHeld);
            return 0;
        case WM_MOUSEMOVE:
            if (button.flags & ToggleButton::kTracking)
                setFlags(hwnd, button, cursorInside(hwnd, lp) ? (button.flags | ToggleButton::kPressed)
                                                              : (button.flags & ~ToggleButton::kPressed));
            return 0;
        case WM_LBUTTONUP: {
            const bool complete = (button.flags & ToggleButton::kTracking) && cursorInside(hwnd, lp);
            setFlags(hwnd, button, button.flags & ~kHeld);
            ReleaseCapture();
            if (complete)
                SendMessageA(GetAncestor(hwnd, GA_ROOT), kToggleClicked, GetDlgCtrlID(hwnd), 0);
            return 0;
        }
        case WM_CAPTURECHANGED:
            setFlags(hwnd, button, button.flags & ~kHeld);
            return 0;
        default: return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

// --- radio buttons (subclassed standard buttons, no state of their own) ----------------

constexpr int kRadioBoxSize = 13;  // the standard radio circle at 96 dots per inch
constexpr int kRadioTextGap = 4;

void paintDisabledRadio(HWND hwnd) {
    win32::PaintScope paint(hwnd);
    const HDC dc = paint.dc();
    RECT rc;
    GetClientRect(hwnd, &rc);
    // The parent's colour message chooses the background brush and the text colour.
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(hwnd), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    FillRect(dc, &rc, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    const int top = (rc.bottom - kRadioBoxSize) / 2;
    RECT box{0, top, kRadioBoxSize, top + kRadioBoxSize};
    const bool checked = SendMessageA(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_INACTIVE | (checked ? DFCS_CHECKED : 0));
    const std::string text = win32::windowText(hwnd);
    RECT textRect{kRadioBoxSize + kRadioTextGap, 0, rc.right, rc.bottom};
    win32::Selection font(dc, reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

LRESULT CALLBACK keepColourProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
    switch (msg) {
        case WM_PAINT:
            if (IsWindowEnabled(hwnd)) break;
            paintDisabledRadio(hwnd);
            return 0;
        case WM_ENABLE:
        case BM_SETCHECK: {
            const LRESULT r = commonControls::defSubclassProc(hwnd, msg, wp, lp);
            InvalidateRect(hwnd, nullptr, FALSE);  // the standard control paints its own way at once
            return r;
        }
        case WM_NCDESTROY: commonControls::removeWindowSubclass(hwnd, keepColourProc, id); break;
        default: break;
    }
    return commonControls::defSubclassProc(hwnd, msg, wp, lp);
}

int arrowStep(WPARAM key) {
    switch (key) {
        case VK_DOWN: case VK_RIGHT: return 1;
        case VK_UP: case VK_LEFT: return -1;
        default: return 0;
    }
}

LRESULT CALLBACK arrowKeysProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
    switch (msg) {
        case WM_GETDLGCODE:
            return commonControls::defSubclassProc(hwnd, msg, wp, lp) | DLGC_WANTARROWS;
        case WM_KEYDOWN:
            if (const int step = arrowStep(wp)) {
                SendMessageA(GetAncestor(hwnd, GA_ROOT), kRadioArrow, static_cast<WPARAM>(step),
                             reinterpret_cast<LPARAM>(hwnd));
                return 0;
            }
            break;
        case WM_NCDESTROY: commonControls::removeWindowSubclass(hwnd, arrowKeysProc, id); break;
        default: break;
    }
    return commonControls::defSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace

void reportArrowKeys(HWND radio) { commonControls::setWindowSubclass(radio, arrowKeysProc, 2, 0); }

void keepTextColourWhenDisabled(HWND radio) { commonControls::setWindowSubclass(radio, keepColourProc, 1, 0); }

void registerControlClasses(HINSTANCE instance) {
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    constexpr int kStateBytes = sizeof(void*);
    win32::registerWindowClass(instance, {kPanelClass, 0, nullptr, arrow, nullptr, kStateBytes},
                               controlProcedure<Panel, panelMessage>);
    win32::registerWindowClass(instance, {kToggleClass, 0, nullptr, arrow, nullptr, kStateBytes},
                               controlProcedure<ToggleButton, toggleMessage>);
}

}  // namespace pausarium::setup
