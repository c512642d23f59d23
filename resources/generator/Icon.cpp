#include "Icon.h"

#include <cmath>
#include <numbers>

#include "ByteWriter.h"

namespace pausarium::resources {
namespace {

constexpr double kCentre = (kIconSize - 1) / 2.0;  // 15.5: the middle between four pixels

// Radii in pixels, measured from the centre to the middle of a pixel.
constexpr double kOuterRadius = 16.0;     // outer edge of the black ring
constexpr double kFaceRadius = 13.6;      // inner edge of the ring, edge of the white face
constexpr double kMarkInner = 10.6;       // hour marks run from here to the ring
constexpr double kSignRadius = 9.6;       // the red disc
constexpr double kBarHalfLength = 6.6;    // the white bar across the disc
constexpr double kBarHalfHeight = 2.0;

struct Hand {
  double angleDegrees;  // clockwise from twelve o'clock
  double length;
  double halfWidth;
};
constexpr Hand kHourHand{300.0, 7.0, 1.1};   // pointing at ten
constexpr Hand kMinuteHand{60.0, 11.0, 0.8};  // pointing at two

bool onHand(double x, double y, const Hand& hand) {
  const double a = hand.angleDegrees * std::numbers::pi / 180.0;
  const double dx = std::sin(a), dy = -std::cos(a);  // screen y grows downwards
  const double along = x * dx + y * dy;
  const double across = std::abs(x * dy - y * dx);
  return along >= -1.0 && along <= hand.length && across <= hand.halfWidth;
}

bool onHourMark(double x, double y, double r) {
  if (r < kMarkInner || r >= kFaceRadius) return false;
  const double angle = std::atan2(x, -y) * 180.0 / std::numbers::pi;  // clockwise from twelve
  const double nearest = std::round(angle / 30.0) * 30.0;
  const double offAxis = std::abs(r * std::sin((angle - nearest) * std::numbers::pi / 180.0));
  return offAxis <= 0.75;
}

Pixel pixelAt(int column, int row) {
  const double x = column - kCentre, y = row - kCentre;
  const double r = std::hypot(x, y);
  auto solid = [](Colour c) { return Pixel{c, false}; };
  if (r >= kOuterRadius) return Pixel{};
  if (r >= kFaceRadius) return solid(Colour::Black);
  if (onHand(x, y, kHourHand) || onHand(x, y, kMinuteHand)) return solid(Colour::Black);
  if (onHourMark(x, y, r)) return solid(Colour::Grey);
  if (std::abs(x) <= kBarHalfLength && std::abs(y) <= kBarHalfHeight) return solid(Colour::White);
  if (r < kSignRadius) return solid(Colour::Red);
  return solid(Colour::White);
}

constexpr std::array<std::array<std::uint8_t, 3>, 16> kPalette{{
    {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},
    {255, 255, 0}, {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};

}  // namespace

IconImage drawIcon() {
  IconImage image{};
  for (int row = 0; row < kIconSize; ++row)
    for (int column = 0; column < kIconSize; ++column) image[row][column] = pixelAt(column, row);
  return image;
}

std::vector<std::uint8_t> encodeIco(const IconImage& image) {
  constexpr std::uint32_t kXorBytes = kIconSize * kIconSize / 2;  // 4 bits a pixel, rows of 16 bytes
  constexpr std::uint32_t kAndBytes = kIconSize * kIconSize / 8;  // 1 bit a pixel, rows of 4 bytes
  constexpr std::uint32_t kImageBytes = 40 + 16 * 4 + kXorBytes + kAndBytes;

  ByteWriter out;
  out.u16(0).u16(1).u16(1);                                // ICONDIR: reserved, type icon, one image
  out.u8(kIconSize).u8(kIconSize).u8(16).u8(0);            // width, height, 16 colours, reserved
  out.u16(1).u16(4).u32(kImageBytes).u32(6 + 16);          // planes, bit count, size, offset
  out.u32(40).u32(kIconSize).u32(kIconSize * 2);           // BITMAPINFOHEADER; height covers both masks
  out.u16(1).u16(4).u32(0).u32(kXorBytes + kAndBytes);
  out.u32(0).u32(0).u32(16).u32(0);
  for (const auto& [r, g, b] : kPalette) out.u8(b).u8(g).u8(r).u8(0);
  for (int row = kIconSize - 1; row >= 0; --row)           // bitmaps are stored bottom-up
    for (int column = 0; column < kIconSize; column += 2) {
      auto index = [&](int c) { return image[row][c].transparent ? 0 : static_cast<int>(image[row][c].colour); };
      out.u8(static_cast<std::uint8_t>(index(column) << 4 | index(column + 1)));
    }
  for (int row = kIconSize - 1; row >= 0; --row)
    for (int column = 0; column < kIconSize; column += 8) {
      std::uint8_t bits = 0;
      for (int bit = 0; bit < 8; ++bit)
        if (image[row][column + bit].transparent) bits |= static_cast<std::uint8_t>(0x80 >> bit);
      out.u8(bits);
    }
  return out.bytes();
}

}  // namespace pausarium::resources
