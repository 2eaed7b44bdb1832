// The composer, element by element, checked pixel for pixel against values
// worked out by hand (or, for the waves, by an independent calculation).
#include <gtest/gtest.h>

#include <SDL_ttf.h>

#include <cstdlib>

#include "pages/Clouds.h"
#include "pages/PageCompose.h"
#include "tests/pages/PageTestSupport.h"
#include "tests/support/TestFiles.h"

using namespace pagetest;

namespace {

// A page description with a plain background of grey level `grey`.
std::unique_ptr<PageDescription> OnGrey(int grey) {
  auto page = std::make_unique<PageDescription>();
  page->bitmaps.push_back(Plain("grey", 1, 1, grey, grey, grey));
  page->elements.push_back(Element(kPageMosaic, "grey", 0, 0));
  return page;
}

TEST(PageCompose, AnEmptyPageIsBlackWithAlphaZero) {
  PageDescription page;
  PageImage image = ComposePage(page);
  ASSERT_EQ(image.size(), 1024u * 768u * 4u);
  for (uint8_t byte : image) ASSERT_EQ(byte, 0);
}

TEST(PageCompose, MosaicTilesThePageShiftedByItsOffset) {
  PageDescription page;
  PageBitmap tile = Plain("t", 4, 2, 0, 0, 0);
  for (int i = 0; i < 8; ++i) tile.pixels[i * 4] = static_cast<uint8_t>(10 * i);  // red = 10 (x + 4y)
  page.bitmaps.push_back(tile);
  page.elements.push_back(Element(kPageMosaic, "t", 10, 0));
  PageImage image = ComposePage(page);
  EXPECT_EQ(At(image, 0, 0).r, 20) << "offset 10 shifts the tiling 10 pixels left: (0 + 10) mod 4 = 2";
  EXPECT_EQ(At(image, 1, 1).r, 70);
  EXPECT_EQ(At(image, 1023, 767).r, 10 * (1 + 4));
  page.elements[0].x = -3;  // negative offsets wrap the same way
  EXPECT_EQ(At(ComposePage(page), 0, 0).r, 10);
}

TEST(PageCompose, EtirerStretchesWithBilinearSteps) {
  PageDescription page;
  PageBitmap ramp = Plain("r", 2, 2, 0, 0, 0);
  ramp.pixels[4] = ramp.pixels[12] = 255;  // right column red 255
  page.bitmaps.push_back(ramp);
  page.elements.push_back(Element(kPageEtirer, "r", 0, 0));
  PageImage image = ComposePage(page);
  // fx grows by 1/1024 a column: 255 x 512/1024 = 127.5, truncated.
  EXPECT_EQ(At(image, 0, 5).r, 0);
  EXPECT_EQ(At(image, 256, 5).r, 63);
  EXPECT_EQ(At(image, 512, 700).r, 127);
  EXPECT_EQ(At(image, 1023, 0).r, 254);
}

TEST(PageCompose, BitmapCopiesWithItsSoftShadowAndAFrameOnlyAtOutlineOne) {
  auto page = OnGrey(100);
  PageBitmap red = Plain("red", 40, 30, 250, 0, 0);
  red.shadow = 1;
  red.shadowDx = red.shadowDy = 5;  // the shadow box lies 15 pixels down and right
  red.outline = 1;
  page->bitmaps.push_back(red);
  page->elements.push_back(Element(kPageBitmap, "red", 100, 100));
  PageImage image = ComposePage(*page);
  EXPECT_EQ(At(image, 100, 100), (Rgb{250, 0, 0}));
  EXPECT_EQ(At(image, 139, 129), (Rgb{250, 0, 0}));
  EXPECT_EQ(At(image, 145, 135), (Rgb{50, 50, 50})) << "shadow interior: halved";
  EXPECT_EQ(At(image, 154, 144), (Rgb{100, 100, 100})) << "shadow corner: unchanged";
  for (auto [x, y] : {std::pair{99, 99}, {140, 99}, {99, 130}, {140, 130}, {120, 99}, {99, 115}})
    EXPECT_EQ(At(image, x, y), (Rgb{255, 255, 255})) << x << "," << y;
  EXPECT_EQ(At(image, 98, 98), (Rgb{100, 100, 100}));

  page->bitmaps[1].outline = 2;
  page->bitmaps[1].shadow = 0;
  image = ComposePage(*page);
  EXPECT_EQ(At(image, 99, 99), (Rgb{100, 100, 100})) << "only an outline of 1 draws a frame";
  EXPECT_EQ(At(image, 145, 135), (Rgb{100, 100, 100}));
}

TEST(PageCompose, ABitmapLargerThanThePageIsClipped) {
  PageDescription page;
  PageBitmap big = Plain("big", 1200, 900, 0, 0, 0);
  for (int y = 0; y < 900; ++y)
    for (int x = 0; x < 1200; ++x) big.pixels[(static_cast<size_t>(y) * 1200 + x) * 4] = static_cast<uint8_t>(x + y);
  big.outline = 1;
  big.shadow = 1;
  page.bitmaps.push_back(big);
  for (int kind : {kPageBitmap, kPageFBitmap}) {
    page.elements.assign(1, Element(kind, "big", -50, -60));
    PageImage image = ComposePage(page);
    EXPECT_EQ(At(image, 512, 384).r, static_cast<uint8_t>(562 + 444)) << kind;
  }
  page.elements.assign(1, Element(kPageBitmap, "big", 2000000, -2000000));
  EXPECT_EQ(At(ComposePage(page), 0, 0), (Rgb{0, 0, 0}));
}

TEST(PageCompose, FBitmapFeathersOverATenthOfItsDiagonal) {
  PageDescription page;
  page.bitmaps.push_back(Plain("f", 100, 100, 200, 0, 0));  // radius trunc(141.4 x 0.1) = 14
  page.elements.push_back(Element(kPageFBitmap, "f", 0, 0));
  PageImage image = ComposePage(page);
  EXPECT_EQ(At(image, 50, 50).r, 200);
  EXPECT_EQ(At(image, 0, 0).r, 0);
  EXPECT_EQ(At(image, 7, 50).r, 50) << "area 21 x 28: t = 0.5, a = 0.25";
  EXPECT_EQ(At(image, 14, 14).r, 200);
}

TEST(PageCompose, CarreDegradeFillsASoftBoxOverItsShadow) {
  auto page = OnGrey(255);
  PageElement box = Element(kPageCarreDegrade, "", 100, 100);
  box.w = 200;
  box.h = 100;
  box.b = 255;
  page->elements.push_back(box);
  PageImage image = ComposePage(*page);
  EXPECT_EQ(At(image, 200, 150), (Rgb{0, 0, 255}));
  EXPECT_EQ(At(image, 100, 100), (Rgb{255, 255, 255})) << "the box's corner keeps the page";
  // Shadow pixel (305, 150): box (189, 34), area 34 x 48 = 1632, t = 480 / 1152.
  EXPECT_EQ(At(image, 305, 150), (Rgb{232, 232, 232}));
  box.w = 0;
  page->elements.back() = box;
  EXPECT_EQ(At(ComposePage(*page), 305, 150), (Rgb{255, 255, 255}));
}

// A page whose colours spell each pixel's coordinates.
std::unique_ptr<PageDescription> CoordinatePage() {
  auto page = std::make_unique<PageDescription>();
  PageBitmap coded = Plain("coded", kPageWidth, kPageHeight, 0, 0, 0);
  for (int y = 0; y < kPageHeight; ++y)
    for (int x = 0; x < kPageWidth; ++x) {
      uint8_t* p = &coded.pixels[(static_cast<size_t>(y) * kPageWidth + x) * 4];
      p[0] = static_cast<uint8_t>(x & 255);
      p[1] = static_cast<uint8_t>(y & 255);
      p[2] = static_cast<uint8_t>((x >> 8) | ((y >> 8) << 2));
    }
  page->bitmaps.push_back(coded);
  page->elements.push_back(Element(kPageBitmap, "coded", 0, 0));
  return page;
}

std::pair<int, int> Source(const PageImage& image, int x, int y) {
  Rgb c = At(image, x, y);
  return {c.r | ((c.b & 3) << 8), c.g | ((c.b >> 2) << 8)};
}

TEST(PageCompose, OndeMovesEachPixelByTheSlopeOfTheWave) {
  auto page = CoordinatePage();
  PageElement wave = Element(kPageOnde, "", 0, 0);
  wave.wave1 = 300;
  wave.wave2 = 4;
  page->elements.push_back(wave);
  PageImage image = ComposePage(*page);
  // Slopes computed apart from the game (double precision): at (700, 384)
  // -3.77 across, 0 down; at (612, 484) -3.48 both ways; ...
  EXPECT_EQ(Source(image, 700, 384), std::make_pair(696, 384));
  EXPECT_EQ(Source(image, 612, 484), std::make_pair(608, 480));
  EXPECT_EQ(Source(image, 300, 200), std::make_pair(298, 198));
  EXPECT_EQ(Source(image, 560, 400), std::make_pair(561, 400));
  EXPECT_EQ(Source(image, 512, 384), std::make_pair(512, 384));
  EXPECT_EQ(Source(image, 100, 700), std::make_pair(100, 699));
  EXPECT_EQ(Source(image, 1023, 767), std::make_pair(1022, 766));
}

TEST(PageCompose, OndeOmbreeShadesBySlopeTowardsTheLight) {
  auto page = OnGrey(100);
  PageElement wave = Element(kPageOndeOmbree, "", 500, 300);
  wave.wave1 = 300;
  wave.wave2 = 4;
  page->elements.push_back(wave);
  PageImage image = ComposePage(*page);
  EXPECT_EQ(At(image, 700, 384).r, 7);
  EXPECT_EQ(At(image, 612, 484).r, 0) << "a factor below zero clamps to black";
  EXPECT_EQ(At(image, 300, 200).r, 37);
  EXPECT_EQ(At(image, 560, 400).r, 158);
  EXPECT_EQ(At(image, 512, 384).r, 100);
}

TEST(PageCompose, EmbossLightsAFlatPageByDistanceFromTheLight) {
  auto page = OnGrey(100);
  PageElement emboss = Element(kPageEmboss, "", 512, 384);
  emboss.w = 200;
  emboss.r = emboss.g = emboss.b = 1;
  page->elements.push_back(emboss);
  PageImage image = ComposePage(*page);
  EXPECT_EQ(At(image, 512, 384), (Rgb{200, 200, 200}));
  EXPECT_EQ(At(image, 612, 384), (Rgb{117, 117, 117})) << "half the radius: 150 / 255 of double";
  EXPECT_EQ(At(image, 572, 464), (Rgb{117, 117, 117}));
  EXPECT_EQ(At(image, 900, 384), (Rgb{0, 0, 0}));
}

TEST(PageClouds, TheSameSeedGivesTheSamePictureInTheColourAsked) {
  std::vector<uint8_t> a, b, c;
  std::srand(7);
  MakeClouds(96, 64, 255, 128, 0, a);
  std::srand(7);
  MakeClouds(96, 64, 255, 128, 0, b);
  std::srand(8);
  MakeClouds(96, 64, 255, 128, 0, c);
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
  int lit = 0;
  for (size_t p = 0; p < a.size(); p += 4) {
    ASSERT_EQ(a[p + 1], a[p] * 128 / 255) << "green follows red's level";
    ASSERT_EQ(a[p + 2], 0);
    ASSERT_EQ(a[p + 3], 0);
    if (a[p] > 0) ++lit;
  }
  EXPECT_GT(lit, 96 * 64 * 9 / 10) << "every point of the grid gets a value";
  for (auto [w, h] : {std::pair{1, 1}, {2, 3}, {300, 7}}) {
    MakeClouds(w, h, 255, 255, 255, a);
    EXPECT_EQ(a.size(), static_cast<size_t>(w * h * 4));
  }
}

}  // namespace
