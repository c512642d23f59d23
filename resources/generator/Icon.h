#pragma once
// The application icon, drawn from geometry: a red no-entry sign with a white bar on a clock
// face, inside a black ring with grey hour marks and two black clock hands.
#include <array>
#include <cstdint>
#include <vector>

namespace pausarium::resources {

inline constexpr int kIconSize = 32;

// The 16 colours of the classic Windows palette; the icon uses five of them.
enum class Colour : std::uint8_t {
  Black = 0, Maroon = 1, Green = 2, Olive = 3, Navy = 4, Purple = 5, Teal = 6, Silver = 7,
  Grey = 8, Red = 9, Lime = 10, Yellow = 11, Blue = 12, Fuchsia = 13, Aqua = 14, White = 15,
};

// One pixel: a palette colour, or transparent (outside the ring).
struct Pixel {
  Colour colour = Colour::Black;
  bool transparent = true;
};

using IconImage = std::array<std::array<Pixel, kIconSize>, kIconSize>;  // [row][column], top row first

IconImage drawIcon();

// A .ico file holding one 32 x 32 image of 4 bits per pixel with its transparency mask.
std::vector<std::uint8_t> encodeIco(const IconImage& image);

}  // namespace pausarium::resources
