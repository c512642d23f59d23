#pragma once
// The few control kinds of the setup window, written once: the bevelled panel (also the heading
// strips' and frames' host) and the toggle button. Both forward their children's notifications
// to the top-level window, so that one window procedure serves the whole dialog. Each kind keeps
// all its state in one object owned by its window, and is told of changes by messages.

#include <windows.h>

#include <cstdint>

#include "Scoped.h"

namespace pausarium::setup {

inline constexpr const char* kPanelClass = "PausariumPanel";
inline constexpr const char* kToggleClass = "PausariumToggle";
// Sent to the top-level window when a toggle button's click is complete; wParam: its id.
inline constexpr UINT kToggleClicked = WM_APP + 1;
inline constexpr UINT kSetDown = WM_APP + 2;  // to a toggle; wParam: TRUE for down; nothing fires
// Sent to the top-level window for an arrow key on a radio button; wParam: 1 for down or right,
// -1 for up or left; lParam: the radio.
inline constexpr UINT kRadioArrow = WM_APP + 3;
// To a panel; wParam: its new background colour. It redraws itself and its children on a change.
inline constexpr UINT kSetBackground = WM_APP + 4;

// A design colour: 0x00BBGGRR, or a system colour index with the top bit set.
COLORREF resolveColour(std::uint32_t colour);

// A brush of a design colour: the system's own brush for a system colour, else one of its own.
class ColourBrush {
public:
    explicit ColourBrush(std::uint32_t colour);
    HBRUSH get() const;

private:
    std::uint32_t colour_;
    win32::Brush own_;
};

// A panel's look; CreateWindowExA's creation parameter of a panel, which keeps a copy.
struct PanelLook {
    unsigned bevel = 0;
    std::uint32_t background = 0;
    std::uint32_t foreground = 0;
    HFONT font = nullptr;
};

// Registers the panel and toggle classes; raises when the system refuses one.
void registerControlClasses(HINSTANCE instance);
// A radio button drawn, while disabled, with its text in the colour its parent's
// WM_CTLCOLORSTATIC gives instead of the system's grey; enabled it is the standard radio.
void keepTextColourWhenDisabled(HWND radio);
// A radio button that takes the arrow keys itself and reports them as kRadioArrow, so that the
// window moves through its group and chooses (the dialog manager only moves the focus).
void reportArrowKeys(HWND radio);

}  // namespace pausarium::setup
