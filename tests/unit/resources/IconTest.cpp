#include <gtest/gtest.h>

#include <set>

#include "Icon.h"
#include "KeptFile.h"

using namespace pausarium::resources;

namespace {

Colour at(const IconImage& image, int column, int row) {
  EXPECT_FALSE(image[row][column].transparent) << "at " << column << "," << row;
  return image[row][column].colour;
}

TEST(Icon, KeptIconIsWhatTheGeneratorDraws) {
  const auto kept = keptFile("Pausarium.ico");
  ASSERT_FALSE(kept.empty()) << "resources/Pausarium.ico is missing";
  EXPECT_EQ(kept, encodeIco(drawIcon())) << "run the regenerate_resources target and commit the result";
}

TEST(Icon, FileHoldsOne32By32ImageOf16Colours) {
  const auto ico = encodeIco(drawIcon());
  EXPECT_EQ(readU16(ico, 2), 1);  // an icon, not a cursor
  EXPECT_EQ(readU16(ico, 4), 1);  // one image
  EXPECT_EQ(ico[6], 32);
  EXPECT_EQ(ico[7], 32);
  EXPECT_EQ(ico[8], 16);
  const std::uint32_t offset = readU32(ico, 18);
  EXPECT_EQ(readU32(ico, 14), ico.size() - offset);          // the image runs to the file's end
  EXPECT_EQ(readU32(ico, offset + 4), 32u);                  // bitmap width
  EXPECT_EQ(readU32(ico, offset + 8), 64u);                  // colour and mask heights together
  EXPECT_EQ(readU16(ico, offset + 14), 4);                   // bits per pixel
  EXPECT_EQ(ico.size(), 6u + 16 + 40 + 64 + 512 + 128);
}

TEST(Icon, CornersAreTransparentAndTheDiscIsOpaque) {
  const auto image = drawIcon();
  for (int corner : {0, 31}) {
    EXPECT_TRUE(image[corner][0].transparent);
    EXPECT_TRUE(image[corner][31].transparent);
  }
  for (int row = 2; row < 30; ++row) EXPECT_FALSE(image[row][15].transparent) << row;

  // The mask bit of the top-left pixel is set, that of the centre clear.
  const auto ico = encodeIco(image);
  const std::size_t mask = ico.size() - 128;                  // rows of 4 bytes, bottom row first
  EXPECT_NE(ico[mask + 31 * 4] & 0x80, 0);
  EXPECT_EQ(ico[mask + 16 * 4 + 1] & 0x80, 0);
}

TEST(Icon, ShowsTheSignOnAClockFace) {
  const auto image = drawIcon();
  // The black ring on all four sides.
  EXPECT_EQ(at(image, 15, 0), Colour::Black);
  EXPECT_EQ(at(image, 16, 31), Colour::Black);
  EXPECT_EQ(at(image, 0, 16), Colour::Black);
  EXPECT_EQ(at(image, 31, 15), Colour::Black);
  // Grey hour marks at twelve, three, six and nine, white face between them.
  EXPECT_EQ(at(image, 15, 4), Colour::Grey);
  EXPECT_EQ(at(image, 27, 15), Colour::Grey);
  EXPECT_EQ(at(image, 16, 27), Colour::Grey);
  EXPECT_EQ(at(image, 4, 16), Colour::Grey);
  EXPECT_EQ(at(image, 20, 4), Colour::White);
  // The red disc above and below the white bar, the bar across the middle.
  EXPECT_EQ(at(image, 15, 9), Colour::Red);
  EXPECT_EQ(at(image, 16, 22), Colour::Red);
  EXPECT_EQ(at(image, 10, 16), Colour::White);
  EXPECT_EQ(at(image, 21, 15), Colour::White);
  // Black hands from the centre towards ten and two.
  EXPECT_EQ(at(image, 15, 15), Colour::Black);
  EXPECT_EQ(at(image, 11, 13), Colour::Black);
  EXPECT_EQ(at(image, 22, 11), Colour::Black);
}

TEST(Icon, UsesOnlyTheSignsFourColours) {
  std::set<Colour> used;
  for (const auto& row : drawIcon())
    for (const Pixel& p : row)
      if (!p.transparent) used.insert(p.colour);
  EXPECT_EQ(used, (std::set<Colour>{Colour::Black, Colour::Grey, Colour::Red, Colour::White}));
}

}  // namespace
