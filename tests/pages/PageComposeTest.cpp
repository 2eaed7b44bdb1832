// The composer, element by element, checked pixel for pixel against values
// worked out by hand (or, for the waves, by an independent calculation).
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "pages/Clouds.h"
#include "pages/PageCompose.h"
#include "tests/pages/PageTestSupport.h"

using namespace pagetest;

namespace {

// A plain background of grey level `grey` under the element.
void OnGrey(PageDescription& page, int grey, const PageElement& element) {
  page.bitmaps.push_back(Plain("grey", 1, 1, grey, grey, grey));
  page.elements.push_back(Element(kPageMosaic, "grey", 0, 0));
  page.elements.push_back(element);
}

PageElement Shape(int kind, int x, int y, int w, int h, int r, int g, int b) {
  PageElement e = Element(kind, "", x, y);
  e.w = w, e.h = h, e.r = r, e.g = g, e.b = b;
  return e;
}

PageElement Wave(int kind, int x, int y) {
  PageElement e = Element(kind, "", x, y);
  e.wave1 = 300;
  e.wave2 = 4;
  return e;
}

// The colour that spells a pixel's coordinates on the coordinate page.
Rgb Coded(int x, int y) { return {x & 255, y & 255, (x >> 8) | ((y >> 8) << 2)}; }

// A bitmap whose red is 10 (x + 4y) on a 4 x 2 tile.
void RedTile(PageDescription& page, int kind, int offset) {
  PageBitmap tile = Plain("t", 4, 2, 0, 0, 0);
  for (int i = 0; i < 8; ++i) tile.pixels[i * 4] = static_cast<uint8_t>(10 * i);
  page.bitmaps.push_back(tile);
  page.elements.push_back(Element(kind, "t", offset, 0));
}

// A red bitmap at (100, 100) on grey 100, its shadow box 15 pixels down and right.
void RedBitmap(PageDescription& page, int outline, int shadow) {
  PageBitmap red = Plain("red", 40, 30, 250, 0, 0);
  red.shadow = shadow;
  red.shadowDx = red.shadowDy = 5;
  red.outline = outline;
  OnGrey(page, 100, Element(kPageBitmap, "red", 100, 100));
  page.bitmaps.push_back(red);
}

struct Probe {
  int x, y;
  Rgb colour;
};

TEST(PageCompose, EachElementDrawsWhatItsRuleGives) {
  const Rgb white{255, 255, 255}, grey{100, 100, 100};
  const struct Case {
    const char* what;
    std::function<void(PageDescription&)> build;
    std::vector<Probe> probes;
  } cases[] = {
      {"an empty page is black", [](PageDescription&) {}, {{0, 0, {0, 0, 0}}, {1023, 767, {0, 0, 0}}}},
      // Offset 10 shifts the tiling 10 pixels left: (0 + 10) mod 4 = 2.
      {"mosaic", [](PageDescription& p) { RedTile(p, kPageMosaic, 10); },
       {{0, 0, {20, 0, 0}}, {1, 1, {70, 0, 0}}, {1023, 767, {50, 0, 0}}}},
      {"mosaic, negative offset", [](PageDescription& p) { RedTile(p, kPageMosaic, -3); }, {{0, 0, {10, 0, 0}}}},
      // fx grows by 1/1024 a column: 255 x 512/1024 = 127.5, truncated.
      {"etirer",
       [](PageDescription& p) {
         PageBitmap ramp = Plain("r", 2, 2, 0, 0, 0);
         ramp.pixels[4] = ramp.pixels[12] = 255;  // right column red 255
         p.bitmaps.push_back(ramp);
         p.elements.push_back(Element(kPageEtirer, "r", 0, 0));
       },
       {{0, 5, {0, 0, 0}}, {256, 5, {63, 0, 0}}, {512, 700, {127, 0, 0}}, {1023, 0, {254, 0, 0}}}},
      {"bitmap with soft shadow and frame", [](PageDescription& p) { RedBitmap(p, 1, 1); },
       {{100, 100, {250, 0, 0}}, {139, 129, {250, 0, 0}}, {145, 135, {50, 50, 50}} /* shadow interior: halved */,
        {154, 144, grey} /* shadow corner */, {99, 99, white}, {140, 99, white}, {99, 130, white}, {140, 130, white},
        {120, 99, white}, {99, 115, white}, {98, 98, grey}}},
      {"only an outline of 1 draws a frame", [](PageDescription& p) { RedBitmap(p, 2, 0); },
       {{99, 99, grey}, {145, 135, grey}}},
      // Radius trunc(141.4 x 0.1) = 14; at (7, 50) the area is 21 x 28: t = 0.5, a = 0.25.
      {"fbitmap feathers over a tenth of its diagonal",
       [](PageDescription& p) {
         p.bitmaps.push_back(Plain("f", 100, 100, 200, 0, 0));
         p.elements.push_back(Element(kPageFBitmap, "f", 0, 0));
       },
       {{50, 50, {200, 0, 0}}, {0, 0, {0, 0, 0}}, {7, 50, {50, 0, 0}}, {14, 14, {200, 0, 0}}}},
      // Shadow pixel (305, 150): box (189, 34), area 34 x 48 = 1632, t = 480 / 1152.
      {"carre degrade", [](PageDescription& p) { OnGrey(p, 255, Shape(kPageCarreDegrade, 100, 100, 200, 100, 0, 0, 255)); },
       {{200, 150, {0, 0, 255}}, {100, 100, white} /* the corner keeps the page */, {305, 150, {232, 232, 232}}}},
      {"carre degrade of no width", [](PageDescription& p) { OnGrey(p, 255, Shape(kPageCarreDegrade, 100, 100, 0, 100, 0, 0, 255)); },
       {{305, 150, white}}},
      // Slopes computed apart from the game (double precision): at (700, 384)
      // -3.77 across, 0 down; at (612, 484) -3.48 both ways; ...
      {"onde moves each pixel by the slope of the wave",
       [](PageDescription& p) {
         PageBitmap coded = Plain("coded", kPageWidth, kPageHeight, 0, 0, 0);
         for (int y = 0; y < kPageHeight; ++y)
           for (int x = 0; x < kPageWidth; ++x) {
             const Rgb c = Coded(x, y);
             uint8_t* pixel = &coded.pixels[(static_cast<size_t>(y) * kPageWidth + x) * 4];
             pixel[0] = c.r, pixel[1] = c.g, pixel[2] = c.b;
           }
         p.bitmaps.push_back(coded);
         p.elements.push_back(Element(kPageBitmap, "coded", 0, 0));
         p.elements.push_back(Wave(kPageOnde, 0, 0));
       },
       {{700, 384, Coded(696, 384)}, {612, 484, Coded(608, 480)}, {300, 200, Coded(298, 198)},
        {560, 400, Coded(561, 400)}, {512, 384, Coded(512, 384)}, {100, 700, Coded(100, 699)},
        {1023, 767, Coded(1022, 766)}}},
      {"onde ombree shades by the slope towards the light; below zero is black",
       [](PageDescription& p) { OnGrey(p, 100, Wave(kPageOndeOmbree, 500, 300)); },
       {{700, 384, {7, 7, 7}}, {612, 484, {0, 0, 0}}, {300, 200, {37, 37, 37}}, {560, 400, {158, 158, 158}},
        {512, 384, grey}}},
      // Half the radius: 150 / 255 of double.
      {"emboss lights a flat page by distance from the light",
       [](PageDescription& p) { OnGrey(p, 100, Shape(kPageEmboss, 512, 384, 200, 0, 1, 1, 1)); },
       {{512, 384, {200, 200, 200}}, {612, 384, {117, 117, 117}}, {572, 464, {117, 117, 117}}, {900, 384, {0, 0, 0}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PageDescription page;
    c.build(page);
    const PageImage image = ComposePage(page);
    ASSERT_EQ(image.size(), 1024u * 768u * 4u);
    for (const Probe& probe : c.probes) EXPECT_EQ(At(image, probe.x, probe.y), probe.colour) << probe.x << "," << probe.y;
  }
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
    EXPECT_EQ(At(ComposePage(page), 512, 384).r, static_cast<uint8_t>(562 + 444)) << kind;
  }
  page.elements.assign(1, Element(kPageBitmap, "big", 2000000, -2000000));
  EXPECT_EQ(At(ComposePage(page), 0, 0), (Rgb{0, 0, 0}));
}

TEST(PageClouds, TheSameSeedGivesTheSamePictureInTheColourAsked) {
  std::vector<uint8_t> a, b, c;
  for (auto [seed, into] : {std::pair{7u, &a}, {7u, &b}, {8u, &c}}) {
    std::srand(seed);
    MakeClouds(96, 64, 255, 128, 0, *into);
  }
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
  int lit = 0;
  for (size_t p = 0; p < a.size(); p += 4) {
    ASSERT_EQ(a[p + 1], a[p] * 128 / 255) << "green follows red's level";
    ASSERT_EQ(a[p + 2] + a[p + 3], 0);
    lit += a[p] > 0;
  }
  EXPECT_GT(lit, 96 * 64 * 9 / 10) << "every point of the grid gets a value";
  for (auto [w, h] : {std::pair{1, 1}, {2, 3}, {300, 7}}) {
    MakeClouds(w, h, 255, 255, 255, a);
    EXPECT_EQ(a.size(), static_cast<size_t>(w * h * 4));
  }
}

}  // namespace
