// Placing texts in a font's atlas pages, without a display: where each text's
// pixels land, the cursor and its gap, new pages, refused texts, ids across
// fonts, and real TrueType renderings of UTF-8 and UTF-16 texts.
#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base/CUString.h"
#include "tests/support/TestFiles.h"
#include "text/GLFontTrueType.h"
#include "text/TextSystem.h"

using namespace testsupport;

namespace {

// A white image w x h of the library's layout (32-bit ARGB) whose alpha at
// (x, y) is PatternAlpha: every pixel can be told apart from its neighbours
// (and, with different salts, from other texts), and none is transparent.
int PatternAlpha(int x, int y, int salt = 0) { return 1 + (x * 7 + y * 13 + salt * 31) % 255; }

SDL_Surface* Pattern(int w, int h, int salt = 0) {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      static_cast<Uint32*>(s->pixels)[y * s->pitch / 4 + x] = static_cast<Uint32>(PatternAlpha(x, y, salt)) << 24 | 0xFFFFFF;
  return s;
}

Uint32 PagePixel(const GLFontTrueTypeBuffer& page, int x, int y) {
  return static_cast<const Uint32*>(page.image->pixels)[y * page.image->pitch / 4 + x];
}

std::vector<const GLFontTrueTypeBuffer*> PagesOf(const GLFontTrueType& font) {
  std::vector<const GLFontTrueTypeBuffer*> pages;
  for (const GLFontTrueTypeBuffer& page : font.Pages()) pages.push_back(&page);
  return pages;
}

const GLFontTrueTypeString* Entry(const GLFontTrueTypeBuffer& page, int id) {
  for (const GLFontTrueTypeString& text : page.texts)
    if (text.id == id) return &text;
  return nullptr;
}

// Adds a pattern image and frees it.
int AddPattern(GLFontTrueType& font, int w, int h, int salt = 0) {
  SDL_Surface* s = Pattern(w, h, salt);
  int id = font.AddImage(s);
  SDL_FreeSurface(s);
  return id;
}

std::string Face(const char* name) { return GameTreeDir() + "/data/" + name; }

class TrueTypeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(InitTextSystem(), 1); }
  static void TearDownTestSuite() { QuitTextSystem(); }
};

// The page pixel that holds column c, row r of a placed text: the text
// continues at column 0 one text height further down each time it reaches
// the page's right edge, which is where the drawing reads it.
Uint32 TextPixel(const GLFontTrueTypeBuffer& page, const GLFontTrueTypeString& text, int c, int r) {
  const int column = text.x + c;
  return PagePixel(page, column % page.size, text.y + column / page.size * text.height + r);
}

}  // namespace

TEST(Atlas, AFortyPixelTextAtColumn230FillsTheRowToItsEndAndContinuesAtColumn0) {
  GLFontTrueType font;
  // 222 pixels and the 8-pixel gap leave the cursor at x = 230.
  const int first = AddPattern(font, 222, 20);
  ASSERT_NE(first, -1);
  ASSERT_EQ(font.Pages().Count(), 1);
  const GLFontTrueTypeBuffer& page = *PagesOf(font)[0];
  EXPECT_EQ(page.cursorX, 230);
  EXPECT_EQ(page.cursorY, 0);

  const int id = AddPattern(font, 40, 20);
  ASSERT_EQ(id, first + 1);
  const GLFontTrueTypeString* text = Entry(page, id);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->x, 230);
  EXPECT_EQ(text->y, 0);
  EXPECT_EQ(text->width, 40);
  EXPECT_EQ(text->height, 20);
  EXPECT_EQ(font.TextWidth(id), 40);
  // Columns 0..25 of the text on columns 230..255 of rows 0..19, columns
  // 26..39 on columns 0..13 of rows 20..39; white where there is ink.
  for (int c = 0; c < 40; ++c)
    for (int r = 0; r < 20; ++r) {
      const int px = c < 26 ? 230 + c : c - 26, py = c < 26 ? r : 20 + r;
      Uint32 p = PagePixel(page, px, py);
      ASSERT_EQ(static_cast<int>(p >> 24), PatternAlpha(c, r)) << "column " << c << " row " << r;
      ASSERT_EQ(p & 0xFFFFFF, 0xFFFFFFu);
    }
  EXPECT_EQ(PagePixel(page, 14, 20), 0u) << "nothing past the text's last column";
  // The cursor: 8 pixels right of the last column (13), on the new row.
  EXPECT_EQ(page.cursorX, 14 + 8);
  EXPECT_EQ(page.cursorY, 20);
  EXPECT_EQ(page.rowBottom, 40);
}

TEST(Atlas, TheGapNeverTakesTheCursorPastColumn255AndTransparentPixelsStayBlack) {
  GLFontTrueType font;
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 250, 10, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
  // Transparent but coloured: the page keeps alpha 0 and black.
  SDL_FillRect(s, nullptr, 0x00FF8040);
  ASSERT_NE(font.AddImage(s), -1);
  SDL_FreeSurface(s);
  const GLFontTrueTypeBuffer& page = *PagesOf(font)[0];
  EXPECT_EQ(page.cursorX, 255);
  EXPECT_EQ(PagePixel(page, 100, 5), 0u);
  // A text of zero width only moves the cursor (here not at all).
  SDL_Surface* empty = SDL_CreateRGBSurface(SDL_SWSURFACE, 0, 10, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
  ASSERT_NE(font.AddImage(empty), -1);
  SDL_FreeSurface(empty);
  EXPECT_EQ(page.cursorX, 255);
  // A text ending on column 255 leaves the cursor at 8 on the next row.
  GLFontTrueType other;
  AddPattern(other, 248, 12);  // 248 + 8 is held at 255
  const GLFontTrueTypeBuffer& second = *PagesOf(other)[0];
  EXPECT_EQ(second.cursorX, 255);
  AddPattern(other, 1, 12);
  EXPECT_EQ(second.cursorX, 8);
  EXPECT_EQ(second.cursorY, 12);
}

TEST(Atlas, ATextWithoutRoomStartsANewPageAndRow255IsNeverUsed) {
  GLFontTrueType font;
  // 255 rows fit an empty page: rows 0..254.
  ASSERT_NE(AddPattern(font, 10, 255), -1);
  const GLFontTrueTypeBuffer& first = *PagesOf(font)[0];
  EXPECT_EQ(first.rowBottom, 255);
  for (int x = 0; x < 256; ++x) EXPECT_EQ(PagePixel(first, x, 255), 0u);
  // Beside it, from x = 18, a text 250 wide would take a second row.
  const int id = AddPattern(font, 250, 255);
  ASSERT_NE(id, -1);
  ASSERT_EQ(font.Pages().Count(), 2);
  const GLFontTrueTypeString* text = Entry(*PagesOf(font)[1], id);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->x, 0);
  EXPECT_EQ(text->y, 0);
  // The cursor stops at column 255, which still takes a one-pixel text.
  const int narrow = AddPattern(font, 1, 255);
  ASSERT_EQ(font.Pages().Count(), 2);
  const GLFontTrueTypeString* last = Entry(*PagesOf(font)[1], narrow);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->x, 255);
}

TEST(Atlas, ATextTooLargeForAPageGetsALargerOneAndOnlyAHugeOneIsRefused) {
  GLFontTrueType font;
  AddPattern(font, 30, 30);
  {
    CapturedStream err(2);
    EXPECT_EQ(AddPattern(font, 10, 2048), -1);
    EXPECT_EQ(err.Text(), "Text of 10 x 2048 pixels does not fit a font page\n");
  }
  EXPECT_EQ(font.Pages().Count(), 1) << "a refused text leaves no empty page";
  // Six rows of 40 (240 + 0 <= 255) still fit an empty usual page; seven
  // (280) take a page of 512, in three rows of 40, read back where drawn.
  const int six = AddPattern(font, 256 * 6, 40);
  const int seven = AddPattern(font, 256 * 6 + 1, 40, 3);
  ASSERT_NE(six, -1);
  ASSERT_NE(seven, -1);
  const std::vector<const GLFontTrueTypeBuffer*> pages = PagesOf(font);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[1]->size, 256);
  EXPECT_EQ(pages[2]->size, 512);
  const GLFontTrueTypeString& text = *Entry(*pages[2], seven);
  for (int c = 0; c < text.width; c += 7)
    for (int r = 0; r < text.height; r += 3)
      ASSERT_EQ(TextPixel(*pages[2], text, c, r) >> 24, static_cast<Uint32>(PatternAlpha(c, r, 3)));
  // The next usual text starts a usual page again.
  AddPattern(font, 20, 20);
  EXPECT_EQ(PagesOf(font).back()->size, 256);
  EXPECT_EQ(font.TextWidth(seven), 1537);
  EXPECT_EQ(font.TextWidth(-1), 0);
  EXPECT_EQ(font.TextWidth(six + 1000), 0);
}

TEST(Atlas, ATextWrappingBelowATallerTextStartsARowOfItsOwn) {
  // The continued piece is drawn from one text height further down; below a
  // taller text of the same row that place is taken.
  GLFontTrueType font;
  AddPattern(font, 100, 40);
  const int id = AddPattern(font, 200, 20);  // would wrap at x = 108
  const GLFontTrueTypeBuffer& page = *PagesOf(font)[0];
  const GLFontTrueTypeString* text = Entry(page, id);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->x, 0);
  EXPECT_EQ(text->y, 40);
  // The taller text is intact.
  for (int r = 0; r < 40; ++r) ASSERT_EQ(static_cast<int>(PagePixel(page, 50, r) >> 24), PatternAlpha(50, r));
  // Equal heights wrap as usual.
  const int next = AddPattern(font, 100, 20);
  const GLFontTrueTypeString* wrapped = Entry(page, next);
  EXPECT_EQ(wrapped->x, 208);
  EXPECT_EQ(wrapped->y, 40);
  EXPECT_EQ(static_cast<int>(PagePixel(page, 0, 60) >> 24), PatternAlpha(48, 0));
}

TEST(Atlas, TextsOfAnySizeNeverOverlapAndAreReadBackWhereTheDrawingLooks) {
  GLFontTrueType font;
  std::mt19937 random(2026);
  struct Placed {
    int id, salt;
  };
  std::vector<Placed> placed;
  for (int salt = 0; salt < 1500; ++salt) {
    // Mostly short labels, some long sentences, a few tall or empty ones.
    const int w = random() % 4 == 0 ? static_cast<int>(random() % 900) : static_cast<int>(random() % 120);
    const int h = 1 + static_cast<int>(random() % (random() % 8 == 0 ? 120 : 40));
    // Every one of these fits a page of 256 or a larger one of its own.
    const int id = AddPattern(font, w, h, salt);
    ASSERT_NE(id, -1) << w << " x " << h;
    placed.push_back({id, salt});
  }
  // Which text owns each page pixel: each pixel at most one.
  std::vector<std::vector<int>> owner;
  std::vector<const GLFontTrueTypeBuffer*> pages = PagesOf(font);
  for (size_t p = 0; p < pages.size(); ++p) owner.emplace_back(pages[p]->size * pages[p]->size, -1);
  size_t next = 0;
  for (size_t p = 0; p < pages.size(); ++p) {
    for (const GLFontTrueTypeString& text : pages[p]->texts) {
      ASSERT_LT(next, placed.size());
      ASSERT_EQ(text.id, placed[next].id) << "texts are kept in order of placement";
      const int salt = placed[next++].salt;
      for (int c = 0; c < text.width; ++c) {
        const int column = text.x + c;
        const int size = pages[p]->size;
        const int px = column % size, row = text.y + column / size * text.height;
        ASSERT_LE(row + text.height, size - 1) << "text " << text.id;
        for (int r = 0; r < text.height; ++r) {
          int& who = owner[p][(row + r) * size + px];
          ASSERT_EQ(who, -1) << "text " << text.id << " over text " << who;
          who = text.id;
          ASSERT_EQ(static_cast<int>(TextPixel(*pages[p], text, c, r) >> 24), PatternAlpha(c, r, salt));
        }
      }
    }
  }
  EXPECT_EQ(next, placed.size());
  EXPECT_GT(pages.size(), 10u);
}

TEST(Atlas, IdsContinueAcrossFontsAndClearForgetsThem) {
  GLFontTrueType a, b;
  const int first = AddPattern(a, 5, 5);
  const int second = AddPattern(b, 5, 5);
  EXPECT_EQ(second, first + 1);
  a.Clear();
  EXPECT_EQ(a.Pages().Count(), 0);
  EXPECT_EQ(a.TextWidth(first), 0);
  EXPECT_EQ(AddPattern(a, 5, 5), second + 1);
  // A font without a face renders nothing.
  EXPECT_EQ(a.AddText("text"), -1);
  EXPECT_EQ(a.AddTextW(CUString(u"text")), -1);
  EXPECT_EQ(a.RenderGlyph(u'A'), nullptr);
}

TEST_F(TrueTypeTest, OpenRemembersSizeAndStyleAndAMissingFaceIsReported) {
  GLFontTrueType font;
  {
    CapturedStream err(2);
    EXPECT_EQ(font.Open("/nonexistent/face.ttf", 20), 0);
    EXPECT_EQ(err.Text().rfind("Couldn't open font /nonexistent/face.ttf", 0), 0u);
  }
  EXPECT_FALSE(font.HasFace());
  ASSERT_EQ(font.Open(Face("DejaVuSans.ttf").c_str(), 20), 1);
  EXPECT_EQ(font.Size(), 20);
  EXPECT_EQ(font.Style(), 0);
  EXPECT_EQ(font.AddText(""), -1) << "an empty text";
  const int id = font.AddText("Glyphox");
  ASSERT_NE(id, -1);
  EXPECT_GT(font.TextWidth(id), 40);
  EXPECT_GT(font.TextHeight(id), 15);
  font.Close();
  EXPECT_FALSE(font.HasFace());
  EXPECT_EQ(font.Pages().Count(), 0);
}

TEST_F(TrueTypeTest, Utf16TextsPlaceAsTheirUtf8FormsWithoutTheirByteOrderMarks) {
  GLFontTrueType font;
  ASSERT_EQ(font.Open(Face("DejaVuSans-Bold.ttf").c_str(), 28), 1);
  // The UTF-16 and UTF-8 forms of one text place the same pixels.
  const CUString accented = CUString::FromUtf8("ÉÑ été, año");
  const int wide = font.AddTextW(accented);
  const int narrow = font.AddText("ÉÑ été, año");
  ASSERT_NE(wide, -1);
  ASSERT_NE(narrow, -1);
  EXPECT_GT(font.TextWidth(wide), 100);
  ASSERT_EQ(font.TextWidth(wide), font.TextWidth(narrow));
  ASSERT_EQ(font.TextHeight(wide), font.TextHeight(narrow));
  const GLFontTrueTypeBuffer& page = *PagesOf(font)[0];
  const GLFontTrueTypeString &a = *Entry(page, wide), &b = *Entry(page, narrow);
  for (int c = 0; c < a.width; ++c)
    for (int r = 0; r < a.height; ++r) ASSERT_EQ(TextPixel(page, a, c, r), TextPixel(page, b, c, r));
  // Byte-order marks inside a text are not characters and turn nothing round.
  const int marked = font.AddTextW(CUString(u"\uFFFE\u00C9\uFEFFt\uFFFE\u00E9"));
  const int clean = font.AddTextW(CUString(u"\u00C9t\u00E9"));
  ASSERT_NE(marked, -1);
  EXPECT_EQ(font.TextWidth(marked), font.TextWidth(clean));
}
