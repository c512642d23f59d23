#pragma once
// The reminder window as designed: sizes, fonts, colours and pointers, as data. MainWindow
// builds the window from these; nothing here touches the platform.

#include <cstdint>

namespace pausarium::design {

struct FontDesign {
    const char* face;
    int height;          // character height in pixels (a negative font height for GDI)
    bool bold;
    bool underline;
    std::uint8_t charset;  // RUSSIAN_CHARSET 204, DEFAULT_CHARSET 1
};

enum class Pointer { None, Hand };

struct LabelDesign {
    int width, height;    // fixed size in pixels
    int rightMargin;      // distance of the right edge from the window's right edge
    int top;              // anchored to the top edge
};

// fmMainWindow: a borderless topmost popup on black; its designed client size is never seen.
inline constexpr int kDesignedClientWidth = 446;
inline constexpr int kDesignedClientHeight = 309;
inline constexpr std::uint32_t kWindowBackground = 0x000000;
inline constexpr Pointer kWindowPointer = Pointer::None;

// pnPanel: fills the client area, one centred line.
inline constexpr FontDesign kPanelFont{"MS Sans Serif", 11, true, false, 204};
inline constexpr std::uint32_t kPanelDesignedColour = 0x0000FF;  // red
inline constexpr Pointer kPanelPointer = Pointer::None;

// lbAdress: top right, right-aligned host name on its own black background.
inline constexpr FontDesign kAddressFont{"MS Sans Serif", 12, true, true, 1};
inline constexpr LabelDesign kAddressLabel{102, 13, 1, 0};
inline constexpr std::uint32_t kAddressDesignedColour = 0xFF0000;  // blue
inline constexpr std::uint32_t kAddressBackground = 0x000000;
inline constexpr Pointer kAddressPointer = Pointer::Hand;

}  // namespace pausarium::design
