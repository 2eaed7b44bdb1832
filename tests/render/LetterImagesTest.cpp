// The letter images' filter and compositing, to the exact value: kernels,
// rim, tint, clipping of oversized glyphs, and both glyph placements.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "render/LetterImages.h"

namespace {

TEST(ImageFilter, KernelsSpreadOnePixelByTheirWeightsOnTheSelectedChannelsOnly) {
  const std::tuple<const FilterKernel*, int, int, int> cases[] = {
      {&kSmoothKernel, 4, 4, 170}, {&kSmoothKernel, 5, 4, 21}, {&kSmoothKernel, 3, 3, 0},  // 8 x 255 / 12, 255 / 12
      {&kRing3Kernel, 4, 4, 0},    {&kRing3Kernel, 7, 4, 255}, {&kRing3Kernel, 3, 1, 255},
      {&kRing3Kernel, 2, 2, 255},  {&kRing3Kernel, 1, 1, 0}};  // (-3, -3): the ring's corners are cut
  for (const auto& [kernel, x, y, value] : cases) {
    std::vector<uint8_t> one(9 * 9, 0);
    one[4 * 9 + 4] = 255;
    FilterImage(one.data(), 9, 9, 1, 1, *kernel);
    EXPECT_EQ(one[y * 9 + x], value) << x << "," << y;
  }
  // Alpha alone; at the image's edge the missing neighbours add nothing.
  std::vector<uint8_t> rgba(3 * 3 * 4, 0);
  for (int i = 0; i < 9; ++i) rgba[i * 4] = 12, rgba[i * 4 + 3] = 12;
  FilterImage(rgba.data(), 3, 3, 4, 1 << 3, kSmoothKernel);
  EXPECT_EQ(rgba[0], 12);          // red untouched
  EXPECT_EQ(rgba[4 * 4 + 3], 12);  // centre: (8 + 4) x 12 / 12
  EXPECT_EQ(rgba[3], 10);          // corner: (8 + 2) x 12 / 12
}

TEST(LetterImage, RimTintPlacementAndClipping) {
  struct Check {
    int x, y, channel, value;
  };
  struct Case {
    const char* what;
    uint8_t background[3];
    int glyphWidth, glyphHeight;
    float tint[3];
    LetterImageKind kind;
    std::vector<Check> checks;
  };
  const Case cases[] = {
      // Centred at (31, 31); ring 2 then smooth leave it 0, its diagonal
      // neighbour 170 and its side neighbour 63: (50 x 170 + 85 x 100) / 255.
      {"one pixel on a face", {100, 100, 100}, 1, 1, {0, 0, 0}, kCubeFaceLetter,
       {{31, 31, 0, 100}, {30, 30, 0, 66}, {31, 30, 0, 87}, {0, 0, 0, 100}}},
      // On row 59 with the wider ring, three rows above reached at 212.
      {"one pixel on the ground", {100, 100, 100}, 1, 1, {0, 0, 0}, kGroundLetter,
       {{31, 59, 0, 100}, {31, 56, 0, 58}, {31, 52, 0, 100}}},
      // Inside the glyph, tint and background half and half.
      {"tinted", {100, 50, 200}, 20, 20, {1.0f, 0.5f, 0.0f}, kCubeFaceLetter,
       {{32, 32, 0, 177}, {32, 32, 1, 88}, {32, 32, 2, 100}}},
      // Clipped to the tile: inside, the glyph's bottom row, the image's
      // edge (w = 212) and four rows below (w = 21).
      {"oversized", {10, 10, 10}, 300, 90, {1, 1, 1}, kGroundLetter,
       {{32, 30, 0, 132}, {32, 59, 2, 132}, {0, 0, 0, 111}, {32, 63, 1, 9}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> background(kLetterImageBytes);
    for (int i = 0; i < kLetterImageBytes; ++i) background[i] = c.background[i % 3];
    const std::vector<uint8_t> glyph(static_cast<size_t>(c.glyphWidth) * c.glyphHeight, 255);
    std::vector<uint8_t> out(kLetterImageBytes + 16, 0xEE);
    ComposeLetterImage(glyph.data(), c.glyphWidth, c.glyphHeight, background.data(), c.tint, c.kind, out.data());
    for (const Check& k : c.checks)
      EXPECT_EQ(out[(k.y * kLetterImageSide + k.x) * 3 + k.channel], k.value) << k.x << "," << k.y;
    for (int i = kLetterImageBytes; i < kLetterImageBytes + 16; ++i) EXPECT_EQ(out[i], 0xEE);
  }
}

}  // namespace
