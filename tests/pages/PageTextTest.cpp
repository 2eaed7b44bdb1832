// TEXTE: text rendered at twice its size, outlined or not, averaged down with
// its gradient; checked against a model of the drawing rule, and the shipped
// pages compose in every language without a message.
#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

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

  // The expected page after drawing text over a page of grey 100, from the
  // rendered alpha: a mask framed by o, grown o times, averaged two by two.
  PageImage Expected(const std::u16string& text, int x, int y) {
    PageImage image(static_cast<size_t>(kPageWidth) * kPageHeight * 4, 100);
    SDL_Surface* s = TTF_RenderUNICODE_Blended(font.face, reinterpret_cast<const Uint16*>(text.c_str()), {255, 255, 255, 0});
    const int o = font.outline, mw = s->w + 2 * o, mh = s->h + 8 * o;
    std::vector<int> mask(mw * mh, 0);
    for (int j = 0; j < s->h; ++j)
      for (int i = 0; i < s->w; ++i) {
        Uint32 pixel = *reinterpret_cast<Uint32*>(static_cast<uint8_t*>(s->pixels) + j * s->pitch + i * 4);
        mask[(j + o) * mw + i + o] = (pixel & s->format->Amask) >> s->format->Ashift;
      }
    SDL_FreeSurface(s);
    for (int pass = 0; pass < o; ++pass) {
      std::vector<int> next(mask.size(), 0);
      for (int j = 1; j < mh - 1; ++j)
        for (int i = 1; i < mw - 1; ++i) {
          int k = j * mw + i;
          next[k] = mask[k] == 255 ? 255 : (mask[k - 1] || mask[k + 1] || mask[k - mw] || mask[k + mw]) ? 128 : 0;
        }
      mask = next;
    }
    const int ow = mw / 2, oh = mh / 2;
    for (int r = 0; r < oh; ++r)
      for (int c = 0; c < ow; ++c) {
        for (int k = 0; k < 3; ++k) {
          int sum = 0;
          for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx) {
              int v = mask[(2 * r + dy) * mw + 2 * c + dx];
              sum += v == 0 ? 100 : v == 128 ? 0 : font.first[k] + (font.second[k] - font.first[k]) * r / (oh + 1);
            }
          image[((y + r) * kPageWidth + x + c) * 4 + k] = static_cast<uint8_t>(sum / 4);
        }
      }
    return image;
  }

  PageImage Drawn(const char* text, int x, int y) {
    PageImage image(static_cast<size_t>(kPageWidth) * kPageHeight * 4, 100);
    DrawPageText(image, font, x, y, U(text), false);
    return image;
  }

  static int Differences(const PageImage& a, const PageImage& b) {
    int count = 0;
    for (size_t p = 0; p < a.size(); p += 4)
      if (a[p] != b[p] || a[p + 1] != b[p + 1] || a[p + 2] != b[p + 2]) ++count;
    return count;
  }

  PageFont font;
};

TEST_F(PageText, OutlineZeroAveragesTheSmoothEdges) {
  PageImage drawn = Drawn("Glyph Ox", 40, 30);
  EXPECT_EQ(Differences(drawn, Expected(U("Glyph Ox"), 40, 30)), 0);
  std::set<int> reds;
  for (size_t p = 0; p < drawn.size(); p += 4) reds.insert(drawn[p]);
  EXPECT_GT(reds.size(), 20u) << "gradient rows and partly covered pixels give many levels";
}

TEST_F(PageText, OutlineOneCollapsesTheEdgeIntoABlackRim) {
  font.outline = 1;
  PageImage drawn = Drawn("Glyph Ox", 40, 30);
  EXPECT_EQ(Differences(drawn, Expected(U("Glyph Ox"), 40, 30)), 0);
  int dark = 0;
  for (size_t p = 0; p < drawn.size(); p += 4)
    if (drawn[p] < 40 && drawn[p + 1] < 40) ++dark;
  EXPECT_GT(dark, 100) << "the rim is black";
  font.outline = 0;
  PageImage plain = Drawn("Glyph Ox", 40, 30);
  int plainDark = 0;
  for (size_t p = 0; p < plain.size(); p += 4)
    if (plain[p] < 40 && plain[p + 1] < 40) ++plainDark;
  EXPECT_LT(plainDark, dark / 4);
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

TEST_F(PageText, TextRunsWithSeveralBlanksDrawAsOneBlank) {
  auto page = Parse("FONTES { F {\nFICHIER = \"../DejaVuSans-Bold.ttf\"\nSIZE = 40\n}\n}\nCOMPOSITION {\n"
                    "TEXTE=F (10,10) \"two    words\"\nTEXTE=F (10,100) \"two\n   words\"\n"
                    "TEXTE=None (10,200) \"never drawn\"\n}");
  ASSERT_EQ(LoadPageResources(*page, (testsupport::GameTreeDir() + "/data/order/").c_str()), 1);
  PageImage image = ComposePage(*page);
  page->elements.resize(1);
  page->elements[0].text = U("two words");
  PageImage single = ComposePage(*page);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 400; ++x) {
      ASSERT_EQ(At(image, x, 10 + y), At(single, x, 10 + y));
      ASSERT_EQ(At(image, x, 100 + y), At(single, x, 10 + y)) << "a line end is one blank too";
      ASSERT_EQ(At(image, x, 200 + y), (Rgb{0, 0, 0})) << "a TEXTE naming no font draws nothing";
    }
}

TEST_F(PageText, AFontWithoutSizeOrFileDrawsNothing) {
  for (const char* entry : {"FICHIER = \"DejaVuSans-Bold.ttf\"\n", "SIZE = 40\n"}) {
    auto page = Parse(std::string("FONTES { F {\n") + entry + "}\n}\nCOMPOSITION { TEXTE=F (10,10) \"Glyph\" }");
    EXPECT_TRUE(page->fonts.empty());
    ASSERT_EQ(page->elements.size(), 1u);
    PageImage image = ComposePage(*page);
    for (uint8_t byte : image) ASSERT_EQ(byte, 0);
  }
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
