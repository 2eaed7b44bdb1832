// The letter images' filter and compositing, to the exact value: kernels,
// rim, tint, clipping of oversized glyphs, and both glyph placements.
#include <gtest/gtest.h>

#include <vector>

#include "render/LetterImages.h"

namespace {

constexpr int n = kLetterImageSide;

std::vector<uint8_t> Tile(uint8_t r, uint8_t g, uint8_t b) {
  std::vector<uint8_t> tile(kLetterImageBytes);
  for (int i = 0; i < n * n; ++i) tile[i * 3] = r, tile[i * 3 + 1] = g, tile[i * 3 + 2] = b;
  return tile;
}

const uint8_t* Pixel(const std::vector<uint8_t>& image, int x, int y) { return &image[(y * n + x) * 3]; }

TEST(ImageFilter, KernelsSpreadOnePixelByTheirWeights) {
  std::vector<uint8_t> one(9 * 9, 0);
  one[4 * 9 + 4] = 255;
  std::vector<uint8_t> smooth = one;
  FilterImage(smooth.data(), 9, 9, 1, 1, kSmoothKernel);
  EXPECT_EQ(smooth[4 * 9 + 4], 170);  // 8 x 255 / 12
  EXPECT_EQ(smooth[4 * 9 + 5], 21);   // 255 / 12
  EXPECT_EQ(smooth[3 * 9 + 3], 0);

  std::vector<uint8_t> ring = one;
  FilterImage(ring.data(), 9, 9, 1, 1, kRing3Kernel);
  EXPECT_EQ(ring[4 * 9 + 4], 0);
  EXPECT_EQ(ring[4 * 9 + 7], 255);  // three to the right
  EXPECT_EQ(ring[1 * 9 + 3], 255);  // (-1, -3)
  EXPECT_EQ(ring[2 * 9 + 2], 255);  // (-2, -2)
  EXPECT_EQ(ring[1 * 9 + 1], 0);    // (-3, -3): the ring's corners are cut
}

TEST(ImageFilter, OnlySelectedChannelsChangeAndTheEdgeAddsNothing) {
  std::vector<uint8_t> rgba(3 * 3 * 4, 0);
  for (int i = 0; i < 9; ++i) rgba[i * 4] = 12, rgba[i * 4 + 3] = 12;
  FilterImage(rgba.data(), 3, 3, 4, 1 << 3, kSmoothKernel);
  EXPECT_EQ(rgba[0], 12);              // red untouched
  EXPECT_EQ(rgba[4 * 4 + 3], 12);      // centre: (8 + 4) x 12 / 12
  EXPECT_EQ(rgba[0 * 4 + 3], 10);      // corner: (8 + 2) x 12 / 12
}

TEST(LetterImage, OnePixelGlyphGivesTheRimValues) {
  const std::vector<uint8_t> background = Tile(100, 100, 100);
  const uint8_t glyph[1] = {255};
  const float black[3] = {0, 0, 0};
  std::vector<uint8_t> out(kLetterImageBytes);
  ComposeLetterImage(glyph, 1, 1, background.data(), black, kCubeFaceLetter, out.data());
  // The glyph sits at (31, 31); ring 2 then smooth leave it 0, its diagonal
  // neighbour 170 and its side neighbour 63.
  EXPECT_EQ(Pixel(out, 31, 31)[0], 100);
  EXPECT_EQ(Pixel(out, 30, 30)[0], 66);  // (50 x 170 + 85 x 100) / 255
  EXPECT_EQ(Pixel(out, 31, 30)[0], 87);  // (50 x 63 + 192 x 100) / 255
  EXPECT_EQ(Pixel(out, 0, 0)[0], 100);

  ComposeLetterImage(glyph, 1, 1, background.data(), black, kGroundLetter, out.data());
  // Ground letters sit on row 59 and take the wider ring: (31, 56) is 3 above.
  EXPECT_EQ(Pixel(out, 31, 59)[0], 100);
  EXPECT_LT(Pixel(out, 31, 56)[0], 100);
  EXPECT_EQ(Pixel(out, 31, 52)[0], 100);
}

TEST(LetterImage, InsideTheGlyphTintAndBackgroundMixHalfAndHalf) {
  const std::vector<uint8_t> background = Tile(100, 50, 200);
  std::vector<uint8_t> glyph(20 * 20, 255);
  const float tint[3] = {1.0f, 0.5f, 0.0f};
  std::vector<uint8_t> out(kLetterImageBytes);
  ComposeLetterImage(glyph.data(), 20, 20, background.data(), tint, kCubeFaceLetter, out.data());
  const uint8_t* inside = Pixel(out, 32, 32);
  EXPECT_EQ(inside[0], 177);  // (255 + 100) / 2
  EXPECT_EQ(inside[1], 88);   // (127 + 50) / 2
  EXPECT_EQ(inside[2], 100);  // (0 + 200) / 2
}

TEST(LetterImage, OversizedGlyphIsClippedToTheTile) {
  const std::vector<uint8_t> background = Tile(10, 10, 10);
  std::vector<uint8_t> glyph(300 * 90, 255);
  const float white[3] = {1, 1, 1};
  std::vector<uint8_t> out(kLetterImageBytes + 16, 0xEE);
  ComposeLetterImage(glyph.data(), 300, 90, background.data(), white, kGroundLetter, out.data());
  EXPECT_EQ(Pixel(out, 32, 30)[0], 132);  // (255 + 10) / 2 inside
  EXPECT_EQ(Pixel(out, 32, 59)[2], 132);  // the glyph's bottom row
  EXPECT_EQ(Pixel(out, 0, 0)[0], 111);    // the image's edge adds nothing: w = 212
  EXPECT_EQ(Pixel(out, 32, 63)[1], 9);    // four rows below, w = 21: (5 x 21 + 234 x 10) / 255
  for (int i = kLetterImageBytes; i < kLetterImageBytes + 16; ++i) EXPECT_EQ(out[i], 0xEE);
}

}  // namespace
