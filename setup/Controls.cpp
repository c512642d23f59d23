#include "Controls.h"

#include <commctrl.h>

#include "SetupWindowDesign.h"

namespace pausarium::setup {

COLORREF resolveColour(std::uint32_t colour) {
    if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0xFF));
    return static_cast<COLORREF>(colour);
}

namespace {

bool forwardsToTop(UINT msg) {
    switch (msg) {
        case WM_COMMAND: case WM_VSCROLL: case WM_HSCROLL: case WM_NOTIFY:
        case WM_CTLCOLORSTATIC: case WM_CTLCOLORBTN: case WM_CTLCOLOREDIT: case kToggleClicked:
            return true;
        default:
            return false;
    }
}

void paintPanel(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    const auto* look = reinterpret_cast<const PanelLook*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (look) {
        HBRUSH brush = CreateSolidBrush(resolveColour(look->background));
        FillRect(dc, &rc, brush);
        DeleteObject(brush);
        if (look->bevel & design::kGroupFrame) {
            RECT frame = rc;
            frame.top += 6;
            DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
        }
        if (look->bevel & design::kOuterLowered) DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        if (look->bevel & design::kInnerRaised) DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        char text[256];
        const int n = GetWindowTextA(hwnd, text, sizeof text);
        if (n > 0) {
            HGDIOBJ old = SelectObject(dc, look->font);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, resolveColour(look->foreground));
            DrawTextA(dc, text, n, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            SelectObject(dc, old);
        }
    }
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK panelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (forwardsToTop(msg)) return SendMessageA(GetAncestor(hwnd, GA_ROOT), msg, wp, lp);
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: paintPanel(hwnd); return 0;
        case WM_SETTEXT: {
            LRESULT r = DefWindowProcA(hwnd, msg, wp, lp);
            InvalidateRect(hwnd, nullptr, TRUE);
            return r;
        }
        default: return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

// Toggle button state: bit 0 down, bit 1 pressed (mouse held over it), bit 2 tracking.
enum : LONG_PTR { kDown = 1, kPressed = 2, kTracking = 4 };

LONG_PTR state(HWND hwnd) { return GetWindowLongPtrA(hwnd, GWLP_USERDATA); }
void setState(HWND hwnd, LONG_PTR s) {
    if (s == state(hwnd)) return;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, s);
    InvalidateRect(hwnd, nullptr, TRUE);
}

bool cursorInside(HWND hwnd, LPARAM lp) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    return PtInRect(&rc, pt) != FALSE;
}

void paintToggle(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    const LONG_PTR s = state(hwnd);
    const bool sunken = (s & kDown) || (s & kPressed);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &rc, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    char text[256];
    const int n = GetWindowTextA(hwnd, text, sizeof text);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    if (sunken) OffsetRect(&rc, 1, 1);
    DrawTextA(dc, text, n, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK toggleProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: paintToggle(hwnd); return 0;
        case WM_SETFONT: SetPropA(hwnd, "font", reinterpret_cast<HANDLE>(wp)); return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(GetPropA(hwnd, "font"));
        case WM_NCDESTROY: RemovePropA(hwnd, "font"); return 0;
        case WM_SETTEXT: {
            LRESULT r = DefWindowProcA(hwnd, msg, wp, lp);
            InvalidateRect(hwnd, nullptr, TRUE);
            return r;
        }
        case kSetDown:
            setState(hwnd, wp ? (state(hwnd) | kDown) : (state(hwnd) & ~kDown));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            SetCapture(hwnd);
            setState(hwnd, state(hwnd) | kPressed | kTracking);
            return 0;
        case WM_MOUSEMOVE:
            if (state(hwnd) & kTracking)
                setState(hwnd, cursorInside(hwnd, lp) ? (state(hwnd) | kPressed) : (state(hwnd) & ~kPressed));
            return 0;
        case WM_LBUTTONUP: {
            const bool complete = (state(hwnd) & kTracking) && cursorInside(hwnd, lp);
            setState(hwnd, state(hwnd) & ~(kPressed | kTracking));
            ReleaseCapture();
            if (complete)
                SendMessageA(GetAncestor(hwnd, GA_ROOT), kToggleClicked, GetDlgCtrlID(hwnd), 0);
            return 0;
        }
        case WM_CAPTURECHANGED:
            setState(hwnd, state(hwnd) & ~(kPressed | kTracking));
            return 0;
        default: return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

constexpr int kRadioBoxSize = 13;  // the standard radio circle at 96 dots per inch
constexpr int kRadioTextGap = 4;

void paintDisabledRadio(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
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
    char text[256];
    const int n = GetWindowTextA(hwnd, text, sizeof text);
    RECT textRect{kRadioBoxSize + kRadioTextGap, 0, rc.right, rc.bottom};
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text, n, &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK keepColourProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
    switch (msg) {
        case WM_PAINT:
            if (IsWindowEnabled(hwnd)) break;
            paintDisabledRadio(hwnd);
            return 0;
        case WM_ENABLE:
        case BM_SETCHECK: {
            const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
            InvalidateRect(hwnd, nullptr, FALSE);  // the standard control paints its own way at once
            return r;
        }
        case WM_NCDESTROY: RemoveWindowSubclass(hwnd, keepColourProc, id); break;
        default: break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
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
            return DefSubclassProc(hwnd, msg, wp, lp) | DLGC_WANTARROWS;
        case WM_KEYDOWN:
            if (const int step = arrowStep(wp)) {
                SendMessageA(GetAncestor(hwnd, GA_ROOT), kRadioArrow, static_cast<WPARAM>(step),
                             reinterpret_cast<LPARAM>(hwnd));
                return 0;
            }
            break;
        case WM_NCDESTROY: RemoveWindowSubclass(hwnd, arrowKeysProc, id); break;
        default: break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace

void reportArrowKeys(HWND radio) { SetWindowSubclass(radio, arrowKeysProc, 2, 0); }

void keepTextColourWhenDisabled(HWND radio) { SetWindowSubclass(radio, keepColourProc, 1, 0); }

void registerControlClasses(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpfnWndProc = panelProc;
    wc.lpszClassName = kPanelClass;
    RegisterClassA(&wc);
    wc.lpfnWndProc = toggleProc;
    wc.lpszClassName = kToggleClass;
    RegisterClassA(&wc);
}

void attachPanelLook(HWND panel, PanelLook* look) {
    SetWindowLongPtrA(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(look));
}

}  // namespace pausarium::setup
