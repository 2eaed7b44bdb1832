// TEXTE: text rendered at twice its size, outlined or not, averaged down with
// its gradient; and the shipped pages compose in every language without a
// message.
#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cmath>
#include <map>
#include <set>

#include "pages/PageCompose.h"
#include "tests/pages/PageTestSupport.h"
#include "tests/support/TestFiles.h"

using namespace pagetest;
using testsupport::CapturedStream;

namespace {

class PageText : public WithFonts {
 protected:
  void SetUp() override {
    font.face = TTF_OpenFont((testsupport::GameTreeDir() + "/data/DejaVuSans-Bold.ttf").c_str(), 40);
    ASSERT_NE(font.face, nullptr);
    font.name = U("F");
    font.first[0] = 250;
    font.second[0] = 50;
    font.first[1] = font.second[1] = 10;
  }
  void TearDown() override { TTF_CloseFont(font.face); }

  // The box of the pixels that differ from the grey page: {left, top, right, bottom}.
  static std::array<int, 4> Changed(const PageImage& image) {
    std::array<int, 4> box = {kPageWidth, kPageHeight, -1, -1};
    for (int y = 0; y < kPageHeight; ++y)
      for (int x = 0; x < kPageWidth; ++x)
        if (!(At(image, x, y) == Rgb{100, 100, 100}))
          box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
    return box;
  }
  static int Dark(const PageImage& image) {
    int dark = 0;
    for (size_t p = 0; p < image.size(); p += 4) dark += image[p] < 40 && image[p + 1] < 40;
    return dark;
  }

  PageImage Drawn(const char* text, int x, int y) {
    PageImage image(static_cast<size_t>(kPageWidth) * kPageHeight * 4, 100);
    DrawPageText(image, font, x, y, U(text), false);
    return image;
  }

  PageFont font;
};

// Rendered at twice the size and averaged down: the text lies at (x, y) at
// the size the font names, in many levels of its gradient; an outline of one
// collapses the edge into a black rim.
TEST_F(PageText, TextIsDrawnAtItsPlaceAndSizeWithItsGradientAndOutline) {
  int w = 0, h = 0;
  ASSERT_EQ(TTF_SizeUNICODE(font.face, reinterpret_cast<const Uint16*>(U("Glyph Ox").c_str()), &w, &h), 0);
  PageImage plain = Drawn("Glyph Ox", 40, 30);
  const std::array<int, 4> box = Changed(plain);
  EXPECT_LE(std::abs(box[0] - 40), 3);
  EXPECT_GE(box[1], 30);
  EXPECT_LE(std::abs(box[2] - (40 + w / 2)), 4) << w;
  EXPECT_LE(box[3], 30 + h / 2);
  std::set<int> reds;
  for (size_t p = 0; p < plain.size(); p += 4) reds.insert(plain[p]);
  EXPECT_GT(reds.size(), 20u) << "gradient rows and partly covered pixels give many levels";
  auto reddest = [&](int top, int bottom) {
    int most = 0;
    for (int y = top; y <= bottom; ++y)
      for (int x = box[0]; x <= box[2]; ++x) most = std::max(most, At(plain, x, y).r);
    return most;
  };
  EXPECT_GT(reddest(box[1], box[1] + 4), reddest(box[3] - 4, box[3]) + 50) << "from the first colour down to the second";
  font.outline = 1;
  PageImage outlined = Drawn("Glyph Ox", 40, 30);
  EXPECT_GT(Dark(outlined), 100) << "the rim is black";
  EXPECT_LT(Dark(plain), Dark(outlined) / 4);
}

TEST_F(PageText, ShadowModeHalvesWhatTheTextCoversAndTextsClipAtTheEdges) {
  PageImage image(static_cast<size_t>(kPageWidth) * kPageHeight * 4, 100);
  DrawPageText(image, font, 10, 10, U("I"), true);
  std::set<int> levels;
  for (size_t p = 0; p < image.size(); p += 4) levels.insert(image[p]);
  EXPECT_TRUE(levels.count(50)) << "full coverage: half the page";
  for (int v : levels) EXPECT_TRUE(v >= 50 && v <= 100) << v;
  // Partly or wholly off the page: nothing written outside, no crash.
  DrawPageText(image, font, -30, 760, U("Glyph"), false);
  DrawPageText(image, font, 1010, -10, U("Glyph"), false);
  DrawPageText(image, font, 5000, 5000, U("Glyph"), false);
}

// (Blanks and line ends inside a text are one blank as the script is read.)
TEST_F(PageText, ATextNamingNoFontDrawsNothing) {
  auto page = Parse("COMPOSITION {\nTEXTE=None (10,200) \"never drawn\"\n}");
  ASSERT_EQ(LoadPageResources(*page, (testsupport::GameTreeDir() + "/data/order/").c_str()), 1);
  for (uint8_t byte : ComposePage(*page)) ASSERT_EQ(byte, 0);
}

TEST_F(PageText, EveryShippedPageComposesInEveryLanguageWithoutAMessage) {
  const std::string dir = testsupport::GameTreeDir() + "/data/order/";
  std::map<std::string, std::set<int>> kinds;  // the element kinds of each language's pages
  for (int set : {2, 3}) {
    for (const std::string& lang : testsupport::ShippedLanguages()) {
      std::string path = dir + "scriptorder" + std::to_string(set) + "_" + lang + ".txt";
      CapturedStream err(2);
      auto page = ParsePageScript(path.c_str(), dir.c_str());
      ASSERT_TRUE(page) << path;
      PageImage image = ComposePage(*page);
      EXPECT_EQ(err.Text(), "") << path;
      EXPECT_GE(page->elements.size(), 10u) << path;
      for (const PageElement& e : page->elements) kinds[lang].insert(e.kind);
      int lit = 0;
      for (size_t p = 0; p < image.size(); p += 4) lit += image[p] + image[p + 1] + image[p + 2] > 30;
      EXPECT_GT(lit, kPageWidth * kPageHeight / 2) << path;
    }
  }
  for (const auto& [lang, used] : kinds) EXPECT_GE(used.size(), 8u) << lang << ": most element kinds";
}

}  // namespace
