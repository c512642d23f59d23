#pragma once
// The few control kinds of the setup window, written once: the bevelled panel (also the heading
// strips' and frames' host) and the toggle button. Both forward their children's notifications
// to the top-level window, so that one window procedure serves the whole dialog.

#include <windows.h>

#include <cstdint>
#include <string>

namespace pausarium::setup {

inline constexpr const char* kPanelClass = "PausariumPanel";
inline constexpr const char* kToggleClass = "PausariumToggle";
// Sent to the top-level window when a toggle button's click is complete; wParam: its id.
inline constexpr UINT kToggleClicked = WM_APP + 1;
inline constexpr UINT kSetDown = WM_APP + 2;  // wParam: TRUE for down; nothing fires
// Sent to the top-level window for an arrow key on a radio button; wParam: 1 for down or right,
// -1 for up or left; lParam: the radio.
inline constexpr UINT kRadioArrow = WM_APP + 3;

struct PanelLook {
    unsigned bevel = 0;
    std::uint32_t background = 0;
    std::uint32_t foreground = 0;
    HFONT font = nullptr;
};

COLORREF resolveColour(std::uint32_t colour);
void registerControlClasses(HINSTANCE instance);
// The panel keeps a pointer to `look`, which must outlive it.
void attachPanelLook(HWND panel, PanelLook* look);
// A radio button drawn, while disabled, with its text in the colour its parent's
// WM_CTLCOLORSTATIC gives instead of the system's grey; enabled it is the standard radio.
void keepTextColourWhenDisabled(HWND radio);
// A radio button that takes the arrow keys itself and reports them as kRadioArrow, so that the
// window moves through its group and chooses (the dialog manager only moves the focus).
void reportArrowKeys(HWND radio);

}  // namespace pausarium::setup
