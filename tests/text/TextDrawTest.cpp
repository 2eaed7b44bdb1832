// Texts drawn from their atlas pages under the virtual display, read back
// pixel by pixel: pieces split at the page edge side by side, the gradient
// and the shadow, centring, texts that draw nothing, rebuilding the textures
// after a mode change, accented UTF-16 texts, and the menu font set-up.
#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>
#include <string>
#include <tuple>

#include "config/Settings.h"
#include "platform/Display.h"
#include "base/CUString.h"
#include "tests/support/GLFrame.h"
#include "tests/support/Image.h"
#include "tests/support/TestFiles.h"
#include "text/GLFontTrueType.h"
#include "text/TextSystem.h"

using namespace testsupport;

namespace {

constexpr int kWidth = 320, kHeight = 200;

// A white image whose alpha is alphaOf(column, row).
template <class F>
SDL_Surface* Image32(int w, int h, F alphaOf) {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      static_cast<Uint32*>(s->pixels)[y * s->pitch / 4 + x] = static_cast<Uint32>(alphaOf(x, y)) << 24 | 0xFFFFFF;
  return s;
}

template <class F>
int Add(GLFontTrueType& font, int w, int h, F alphaOf) {
  SDL_Surface* s = Image32(w, h, alphaOf);
  int id = font.AddImage(s);
  SDL_FreeSurface(s);
  return id;
}

int Solid(int, int) { return 255; }

void ExpectNear(Rgb got, int r, int g, int b, int tolerance, const std::string& where) {
  EXPECT_NEAR(got.r, r, tolerance) << where;
  EXPECT_NEAR(got.g, g, tolerance) << where;
  EXPECT_NEAR(got.b, b, tolerance) << where;
}

bool Black(Rgb p) { return p.r == 0 && p.g == 0 && p.b == 0; }

// Which pixels (x, y) are black and which are not.
void ExpectBlack(const Image& frame, std::initializer_list<std::tuple<int, int, bool>> pixels) {
  for (const auto& [x, y, black] : pixels) EXPECT_EQ(Black(frame.At(x, y)), black) << x << "," << y;
}

class TextDraw : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(InitTextSystem(), 1); }
  static void TearDownTestSuite() { QuitTextSystem(); }

  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_EQ(OpenDisplay(kWidth, kHeight), 1);
    SetUp2D();
  }
  // The 2D projection the screens draw texts in: one unit a pixel, y down.
  static void SetUp2D() {
    UsePixelProjection(kWidth, kHeight);
    Clear();
  }
  void TearDown() override {
    m_font.Close();
    CloseDisplay();
    SDL_Quit();
  }

  static void Clear() {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  static Image Frame() { return ReadFrame(kWidth, kHeight); }
  Image Drawn(int id, int x, int y, int boxWidth = 0, int boxHeight = 0, int across = 0, int down = 0) {
    Clear();
    m_font.Draw(id, x, y, boxWidth, boxHeight, across, down);
    EXPECT_EQ(CheckGLErrors(), 1);
    return Frame();
  }

  GLFontTrueType m_font;
};

std::string Face(const char* name) { return GameTreeDir() + "/data/" + name; }

// Lit rows of a rectangle of the frame.
std::vector<bool> LitRows(const Image& frame, int x, int y, int w, int h) {
  std::vector<bool> rows(h, false);
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c)
      if (!Black(frame.At(x + c, y + r))) rows[r] = true;
  return rows;
}

}  // namespace

TEST_F(TextDraw, PiecesSplitAtThePageEdgeAreDrawnSideBySide) {
  Add(m_font, 222, 20, Solid);
  // Every column of the 40-pixel text its own grey, the same on every row.
  auto columnAlpha = [](int c, int) { return 20 + c * 5; };
  const int id = Add(m_font, 40, 20, columnAlpha);
  ASSERT_NE(id, -1);
  m_font.Upload();
  Image frame = Drawn(id, 50, 30);
  // Columns 0..25 come from the end of the page's first row, 26..39 from
  // the start of the next: on screen one run from x = 50 to 89.
  for (int c = 0; c < 40; ++c)
    for (int r : {0, 9, 19}) {
      Rgb p = frame.At(50 + c, 30 + r);
      ExpectNear(p, columnAlpha(c, r), columnAlpha(c, r), columnAlpha(c, r), 1,
                 "column " + std::to_string(c) + " row " + std::to_string(r));
    }
  for (int r = 28; r < 52; ++r) ExpectBlack(frame, {{49, r, true}, {90, r, true}});
  ExpectBlack(frame, {{60, 29, true}, {60, 50, true}});
}

TEST_F(TextDraw, TheGradientRunsFromTopToBottomColourAndTheShadowSitsAtItsOffset) {
  const int id = Add(m_font, 20, 20, Solid);
  m_font.Upload();
  m_font.top[0] = 1, m_font.top[1] = 0, m_font.top[2] = 0;
  m_font.bottom[0] = 0, m_font.bottom[1] = 0, m_font.bottom[2] = 1;
  m_font.shadow[0] = 0, m_font.shadow[1] = 1, m_font.shadow[2] = 0;
  m_font.shadowOffset[0] = 3, m_font.shadowOffset[1] = 3;
  Image frame = Drawn(id, 10, 10);
  // Colours interpolated at pixel centres: row r is (r + 0.5) / 20 of the way.
  for (int r : {0, 5, 10, 19}) {
    const double t = (r + 0.5) / 20.0;
    ExpectNear(frame.At(15, 10 + r), static_cast<int>(255 * (1 - t) + 0.5), 0, static_cast<int>(255 * t + 0.5), 2,
               "row " + std::to_string(r));
  }
  // The shadow shows where the text does not cover it, in its own colour.
  ExpectNear(frame.At(31, 31), 0, 255, 0, 0, "shadow corner");
  ExpectNear(frame.At(31, 14), 0, 255, 0, 0, "shadow right edge");
  ExpectBlack(frame, {{33, 31, true}, {14, 14, false}});
  EXPECT_EQ(frame.At(14, 14).g, 0) << "the text covers its shadow";

  // Half alpha for text and shadow alike.
  m_font.alpha = 0.5f;
  frame = Drawn(id, 10, 10);
  ExpectNear(frame.At(31, 31), 0, 128, 0, 1, "half shadow");
  // Half the text over half the shadow over black, on row 5.
  const double t = 5.5 / 20.0;
  ExpectNear(frame.At(15, 15), static_cast<int>(0.5 * 255 * (1 - t)), 64, static_cast<int>(0.5 * 255 * t), 2,
             "half text over half shadow");

  // Both offsets must be non-zero for a shadow.
  m_font.alpha = 1.0f;
  m_font.shadowOffset[0] = 2, m_font.shadowOffset[1] = 0;
  ExpectBlack(Drawn(id, 10, 10), {{31, 15, true}, {30, 15, true}, {29, 15, false}});
}

TEST_F(TextDraw, CentringUsesTruncatedHalvesOfTheBox) {
  const int id = Add(m_font, 100, 20, Solid);
  m_font.Upload();
  // 100 pixels in a 301-pixel box: 100 pixels in; 20 in 51: 15 down.
  ExpectBlack(Drawn(id, 0, 40, 301, 51, 1, 1), {{99, 60, true}, {100, 60, false}, {199, 60, false}, {200, 60, true},
                                                {150, 54, true}, {150, 55, false}, {150, 74, false}, {150, 75, true}});
  // Not centred: the box is ignored.
  ExpectBlack(Drawn(id, 7, 3, 301, 51, 0, 0), {{6, 3, true}, {7, 3, false}, {7, 2, true}});
  // A box narrower than the text moves it left of x, by a half truncated
  // toward zero: (11 - 100) / 2 = -44.
  ExpectBlack(Drawn(id, 50, 3, 11, 0, 1, 0), {{5, 10, true}, {6, 10, false}});
}

TEST_F(TextDraw, NoTextUnknownIdsAndMissingTexturesDrawNothingAndTheDefaultsComeBack) {
  const int id = Add(m_font, 30, 30, Solid);
  EXPECT_EQ(Drawn(id, 10, 10).CountLit(), 0) << "not uploaded yet";
  m_font.Upload();
  EXPECT_GT(Drawn(id, 10, 10).CountLit(), 800);
  EXPECT_EQ(Drawn(-1, 10, 10).CountLit(), 0);
  EXPECT_EQ(Drawn(id + 1, 10, 10).CountLit(), 0);
  // The unknown id leaves the bound texture filtered linearly.
  GLint filter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
  EXPECT_EQ(filter, GL_LINEAR);

  Drawn(id, 10, 10);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
  EXPECT_EQ(filter, GL_LINEAR);
  glDisable(GL_LIGHTING);
}

TEST_F(TextDraw, AModeChangeRebuildsTheTexturesFromTheKeptImages) {
  const int id = Add(m_font, 40, 12, [](int x, int y) { return (x + y) % 2 ? 255 : 0; });
  m_font.Upload();
  const Image before = Drawn(id, 20, 20);
  EXPECT_GT(before.CountLit(), 200);
  m_font.ReleaseTextures();
  for (const GLFontTrueTypeBuffer& page : m_font.Pages()) EXPECT_EQ(page.texture, -1);
  CloseDisplay();
  ASSERT_EQ(OpenDisplay(kWidth, kHeight), 1);
  SetUp2D();
  m_font.Upload();
  const Image after = Drawn(id, 20, 20);
  EXPECT_EQ(after.rgb, before.rgb);
}

TEST_F(TextDraw, AccentedUtf16TextsShowTheirAccents) {
  ASSERT_EQ(m_font.Open(Face("DejaVuSans-Bold.ttf").c_str(), 28), 1);
  const int plainE = m_font.AddTextW(CUString(u"E")), accentE = m_font.AddTextW(CUString(u"\u00C9"));
  const int plainN = m_font.AddTextW(CUString(u"N")), accentN = m_font.AddTextW(CUString(u"\u00D1"));
  const int phrase = m_font.AddTextW(CUString::FromUtf8("Niveau réussi ! ¡Año!"));
  for (int id : {plainE, accentE, plainN, accentN, phrase}) ASSERT_NE(id, -1);
  m_font.Upload();
  const std::pair<int, int> pairs[] = {{plainE, accentE}, {plainN, accentN}};
  for (const auto& pair : pairs) {
    const int h = m_font.TextHeight(pair.first);
    std::vector<bool> bare = LitRows(Drawn(pair.first, 10, 10), 10, 10, 40, h);
    std::vector<bool> marked = LitRows(Drawn(pair.second, 10, 10), 10, 10, 40, h);
    int accentRows = 0;
    for (int r = 0; r < h; ++r)
      if (marked[r] && !bare[r]) ++accentRows;
    EXPECT_GE(accentRows, 3) << "ink above the capital";
  }
  Image frame = Drawn(phrase, 5, 100);
  EXPECT_GT(m_font.TextWidth(phrase), 250);
  EXPECT_GT(frame.CountLit(), 1000);
}

TEST_F(TextDraw, AFontOpenedFromAStyleTakesItsFaceSizeAndColours) {
  GLFontTrueType menu;
  {
    ScopedWorkingDirectory inGame(GameTreeDir());
    for (int style = 0; style < kFontStyleCount; ++style)
      ReadFontStyle(kFontIniPath, g_settings.fontStyles[style], FontStyleSection(style));
    ASSERT_EQ(OpenFontStyle(menu, kFontMenuBig), 1);
  }
  const FontStyleRecord& style = g_settings.fontStyles[kFontMenuBig];
  EXPECT_EQ(menu.Size(), style.size);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(menu.top[i], style.top[i]);
    EXPECT_EQ(menu.bottom[i], style.bottom[i]);
    EXPECT_EQ(menu.shadow[i], 0.0f);
  }
  EXPECT_EQ(menu.alpha, 1.0f);
  EXPECT_EQ(menu.shadowOffset[0], style.shadowOffset[0]);
  EXPECT_EQ(menu.shadowOffset[1], style.shadowOffset[1]);

  const int id = menu.AddTextW(CUString(u"Jouer"));
  ASSERT_NE(id, -1);
  menu.Upload();
  Clear();
  menu.Draw(id, 0, 0, kWidth, kHeight, 1, 1);
  Image frame = Frame();
  EXPECT_GT(frame.CountLit(), 300);
  EXPECT_TRUE(Black(frame.At((kWidth - menu.TextWidth(id)) / 2 - 1, kHeight / 2)));
  menu.Close();
}
