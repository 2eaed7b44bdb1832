// The top bar and the game's text fonts.
#include "app/TopBar.h"

#include <GL/gl.h>

#include <cstdio>
#include <memory>

#include "app/GameState.h"
#include "config/Language.h"
#include "config/Settings.h"
#include "puzzle/PuzzleView.h"
#include "render/Overlay.h"
#include "text/TextSystem.h"

namespace {

constexpr int kGameStyles = kFontGameSmallWordFound + 1;
constexpr int kWordSlots = 16;

std::unique_ptr<GLFontTrueType> g_fonts[kGameStyles];

struct TopBarTexts {
  int level = -1;
  int moves = -1;
  int words = -1;
  int levelNumber = -1;
  int moveCount = -1;
  int word[kWordSlots];
  int wordFound[kWordSlots];
} g_bar;

void Reset(GLFontTrueType& font) {
  font.ReleaseTextures();
  font.Clear();
}

int AddNumber(GLFontTrueType& font, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "% 2d", value);
  return font.AddText(text);
}

}  // namespace

GLFontTrueType& GameFont(int style) {
  if (style < 0 || style >= kGameStyles) style = kFontGameSmall;
  if (!g_fonts[style]) {
    g_fonts[style] = std::make_unique<GLFontTrueType>();
    OpenFontStyle(*g_fonts[style], style);
  }
  return *g_fonts[style];
}

void FreeGameFonts() {
  for (auto& font : g_fonts) font.reset();
  g_bar = TopBarTexts();
}

void PrepareTopBar(bool full) {
  if (full)
    for (int style = kFontGameSmall; style < kGameStyles; ++style) g_fonts[style].reset();
  GLFontTrueType& small = GameFont(kFontGameSmall);
  GLFontTrueType& number = GameFont(kFontGameSmallNumber);
  GLFontTrueType& found = GameFont(kFontGameSmallWordFound);
  Reset(small);
  Reset(number);
  Reset(found);
  g_bar.level = small.AddTextW(Label(LabelKey::Level));
  g_bar.moves = small.AddTextW(Label(LabelKey::Moves));
  g_bar.words = small.AddTextW(Label(LabelKey::MessageWord));
  g_bar.levelNumber = AddNumber(number, Play().levelIndex + 1);
  g_bar.moveCount = AddNumber(number, Play().moveCount);
  const Board& board = CurrentBoard();
  for (int i = 0; i < kWordSlots; ++i) {
    g_bar.word[i] = g_bar.wordFound[i] = -1;
    if (i >= static_cast<int>(board.wordCount) || i >= kMaxWords) continue;
    const LevelWord& word = board.words[i];
    const CUString text(word.text, static_cast<size_t>(word.length > 0 && word.length <= kMaxWordLength ? word.length : 0));
    g_bar.word[i] = small.AddTextW(text);
    g_bar.wordFound[i] = found.AddTextW(text);
  }
  small.Upload();
  number.Upload();
  found.Upload();
}

bool InsideWordListButton(int x, int y) {
  const int h = GameFont(kFontGameSmall).Size();
  const int width = OverlayScreenWidth();
  return h < y && y < 3 * h && 2 * width / 5 < x && x < 3 * width / 5;
}

int SetBigMessage(const CUString& text) {
  GLFontTrueType& big = GameFont(kFontGameBig);
  Reset(big);
  const int id = big.AddTextW(text);
  big.Upload();
  return id;
}

int AddSmallText(const char* utf8) {
  GLFontTrueType& small = GameFont(kFontGameSmall);
  const int id = small.AddText(utf8);
  small.Upload();
  return id;
}

void DrawGameText(int style, int id, int x, int y, int width, int height) {
  if (id < 0) return;
  Begin2D();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  GameFont(style).Draw(id, x, y, width, height, 1, 1);
  End2D();
}

void DrawTopBar() {
  const int width = OverlayScreenWidth();
  const int third = static_cast<int>(width * 0.33f);
  const int right = static_cast<int>(width * 0.66f);
  Begin2D();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (InsideWordListButton(g_game.mouseX, g_game.mouseY)) {
    // The band lights up under the pointer: it is a button.
    const float h = static_cast<float>(GameFont(kFontGameSmall).Size());
    const float left = static_cast<float>((width - 256) / 2);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 0.18f);
    glBegin(GL_QUADS);
    glVertex2f(left, h * 0.5f);
    glVertex2f(left + 256.0f, h * 0.5f);
    glVertex2f(left + 256.0f, h * 3.5f);
    glVertex2f(left, h * 3.5f);
    glEnd();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
  }
  GLFontTrueType& small = GameFont(kFontGameSmall);
  GLFontTrueType& number = GameFont(kFontGameSmallNumber);
  const Board& board = CurrentBoard();
  if (g_game.showWordList) {
    for (int i = 0; i < kWordSlots && i < static_cast<int>(board.wordCount); ++i) {
      const bool formed = i < kMaxWords && board.found[i];
      if (formed)
        GameFont(kFontGameSmallWordFound).Draw(g_bar.wordFound[i], third, 48 + 24 * i, third, 64, 1, 1);
      else
        small.Draw(g_bar.word[i], third, 48 + 24 * i, third, 64, 1, 1);
      glEnable(GL_BLEND);
    }
  }
  small.Draw(g_bar.level, 0, 0, third, 64, 1, 1);
  glEnable(GL_BLEND);
  small.Draw(g_bar.moves, right, 0, third, 64, 1, 1);
  glEnable(GL_BLEND);
  small.Draw(g_bar.words, third, 0, third, 64, 1, 1);
  glEnable(GL_BLEND);
  number.Draw(g_bar.levelNumber, 0, 48, third, 64, 1, 1);
  glEnable(GL_BLEND);
  number.Draw(g_bar.moveCount, right, 48, third, 64, 1, 1);
  End2D();
}
