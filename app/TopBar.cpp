// The top bar and the game's text fonts.
#include "app/TopBar.h"

#include <GL/gl.h>

#include <cstdio>
#include <memory>

#include "config/Language.h"
#include "config/Settings.h"
#include "puzzle/Puzzle.h"
#include "render/Renderer.h"
#include "text/TextSystem.h"
#include "ui/MenuScreen.h"

namespace {

// Rows of the bar: the labels, then the numbers and the words 24 pixels
// apart, each centred in a box 64 pixels high.
constexpr int kNumberRow = 48;
constexpr int kWordStep = 24;
constexpr int kRowBox = 64;
// How long a notice stays, in frame units.
constexpr float kNoticeFrames = 240.0f;

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

std::string ParText(int par) { return Label(LabelKey::Par).ToUtf8() + " " + std::to_string(par); }

GLFontTrueType& TopBar::Font(int style) {
  if (style < 0 || style >= kStyles) style = kFontGameSmall;
  if (!m_fonts[style]) {
    m_fonts[style] = std::make_unique<GLFontTrueType>();
    OpenFontStyle(*m_fonts[style], style);
  }
  return *m_fonts[style];
}

void TopBar::FreeFonts() {
  for (auto& font : m_fonts) font.reset();
  m_texts = Texts();
}

void TopBar::Prepare(bool full) {
  if (full)
    for (int style = kFontGameSmall; style < kStyles; ++style) m_fonts[style].reset();
  GLFontTrueType& small = Font(kFontGameSmall);
  GLFontTrueType& number = Font(kFontGameSmallNumber);
  GLFontTrueType& found = Font(kFontGameSmallWordFound);
  Reset(small);
  Reset(number);
  Reset(found);
  m_notice = -1;
  m_noticeLeft = 0.0f;
  m_texts.level = small.AddTextW(Label(LabelKey::Level));
  m_texts.moves = small.AddTextW(Label(LabelKey::Moves));
  m_texts.words = small.AddTextW(Label(LabelKey::MessageWord));
  m_texts.levelNumber = AddNumber(number, m_puzzle.Play().levelIndex + 1);
  m_texts.moveCount = AddNumber(number, m_puzzle.Play().moveCount);
  m_texts.par = m_par >= 0 ? small.AddText(ParText(m_par).c_str()) : -1;
  m_texts.hint = small.AddTextW(Label(LabelKey::Hint));
  m_texts.note = m_note.Length() > 0 ? small.AddTextW(m_note) : -1;
  const Board& board = m_puzzle.Board();
  for (int i = 0; i < kWordSlots; ++i) {
    m_texts.word[i] = m_texts.wordFound[i] = -1;
    if (i >= static_cast<int>(board.wordCount) || i >= kMaxWords) continue;
    const LevelWord& word = board.words[i];
    const CUString text(word.text, static_cast<size_t>(word.length > 0 && word.length <= kMaxWordLength ? word.length : 0));
    m_texts.word[i] = small.AddTextW(text);
    m_texts.wordFound[i] = found.AddTextW(text);
  }
  small.Upload();
  number.Upload();
  found.Upload();
}

// Under the level number, as the par is under the move count.
constexpr int kHintTop = 96;

bool TopBar::InsideHintButton(int x, int y) const {
  const int third = static_cast<int>(m_renderer->overlay.Width() * 0.33f);
  return x > third / 4 && x < third * 3 / 4 && y > kHintTop + 12 && y < kHintTop + 52;
}

bool TopBar::InsideWordListButton(int x, int y) {
  const int h = Font(kFontGameSmall).Size();
  const int width = m_renderer->overlay.Width();
  return h < y && y < 3 * h && 2 * width / 5 < x && x < 3 * width / 5;
}

int TopBar::SetBigMessage(const CUString& text) {
  GLFontTrueType& big = Font(kFontGameBig);
  Reset(big);
  const int id = big.AddTextW(text, m_renderer ? ScreenTextWidth(m_renderer->overlay.Width()) : 0);
  big.Upload();
  return id;
}

int TopBar::AddSmallText(const char* utf8) {
  GLFontTrueType& small = Font(kFontGameSmall);
  const int id = small.AddText(utf8);
  small.Upload();
  return id;
}

void TopBar::ShowNotice(const CUString& text) {
  GLFontTrueType& small = Font(kFontGameSmall);
  m_notice = small.AddTextW(text);
  small.Upload();
  m_noticeLeft = kNoticeFrames;
}

void TopBar::Tick(float frameDelta) { m_noticeLeft = m_noticeLeft > frameDelta ? m_noticeLeft - frameDelta : 0.0f; }

int TopBar::Bottom() {
  const int words = static_cast<int>(m_puzzle.Board().wordCount);
  // The hint and the par rows are left out: they sit in the side thirds,
  // over the board's outer corners at most.
  const int lastRow = showWordList && words > 0 ? kNumberRow + kWordStep * (words - 1) : kNumberRow;
  return lastRow + (kRowBox + Font(kFontGameSmall).Size()) / 2 + 4;
}

// A dark band behind the texts, fading out downwards, so that they read over
// any scenery.
void TopBar::DrawBacking(float bottom, float left, float right) const {
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_QUADS);
  glColor4f(0.0f, 0.0f, 0.05f, 0.55f);
  glVertex2f(left, 0.0f);
  glVertex2f(right, 0.0f);
  glColor4f(0.0f, 0.0f, 0.05f, 0.0f);
  glVertex2f(right, bottom);
  glVertex2f(left, bottom);
  glEnd();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glEnable(GL_TEXTURE_2D);
}

void TopBar::DrawText(int style, int id, int x, int y, int width, int height) {
  if (id < 0) return;
  m_renderer->overlay.Begin2D();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  Font(style).Draw(id, x, y, width, height, 1, 1);
  m_renderer->overlay.End2D();
}

void TopBar::Draw(int pointerX, int pointerY) {
  const int width = m_renderer->overlay.Width();
  const int third = static_cast<int>(width * 0.33f);
  const int right = static_cast<int>(width * 0.66f);
  m_renderer->overlay.Begin2D();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  const float numbersBottom = static_cast<float>(kNumberRow + kRowBox);
  DrawBacking(numbersBottom, 0.0f, static_cast<float>(width));
  if (showWordList && m_puzzle.Board().wordCount > 1)
    DrawBacking(static_cast<float>(Bottom() + 16), static_cast<float>(third), static_cast<float>(right));
  if (InsideWordListButton(pointerX, pointerY) && m_menus) {
    // The band glows under the pointer as the menus' entries do: it is a button.
    const int h = Font(kFontGameSmall).Size();
    const int half = Font(kFontGameSmall).TextWidth(m_texts.words) / 2 + h;
    m_menus->DrawHighlight(ScreenRect{width / 2 - half, h / 2, width / 2 + half, h * 3});
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }
  GLFontTrueType& small = Font(kFontGameSmall);
  GLFontTrueType& number = Font(kFontGameSmallNumber);
  const Board& board = m_puzzle.Board();
  if (showWordList) {
    for (int i = 0; i < kWordSlots && i < static_cast<int>(board.wordCount); ++i) {
      const bool formed = i < kMaxWords && board.found[i];
      if (formed)
        Font(kFontGameSmallWordFound).Draw(m_texts.wordFound[i], third, 48 + 24 * i, third, 64, 1, 1);
      else
        small.Draw(m_texts.word[i], third, 48 + 24 * i, third, 64, 1, 1);
      glEnable(GL_BLEND);
    }
  }
  small.Draw(m_texts.level, 0, 0, third, 64, 1, 1);
  glEnable(GL_BLEND);
  small.Draw(m_texts.moves, right, 0, third, 64, 1, 1);
  glEnable(GL_BLEND);
  small.Draw(m_texts.words, third, 0, third, 64, 1, 1);
  glEnable(GL_BLEND);
  number.Draw(m_texts.levelNumber, 0, 48, third, 64, 1, 1);
  glEnable(GL_BLEND);
  number.Draw(m_texts.moveCount, right, 48, third, 64, 1, 1);
  if (m_texts.par >= 0) {
    glEnable(GL_BLEND);
    small.Draw(m_texts.par, right, kHintTop, third, kRowBox, 1, 1);
  }
  glEnable(GL_BLEND);
  small.Draw(m_texts.hint, 0, kHintTop, third, kRowBox, 1, 1);
  if (m_texts.note >= 0) {
    glEnable(GL_BLEND);
    small.Draw(m_texts.note, 0, kHintTop + 40, third, kRowBox, 1, 1);
  }
  if (m_noticeLeft > 0.0f) {
    // Across the foot of the screen, clear of the bar, its word list and the
    // board's top rows.
    glEnable(GL_BLEND);
    const int lineHeight = 2 * small.Size();
    small.Draw(m_notice, 0, m_renderer->overlay.Height() - 2 * lineHeight, width, lineHeight, 1, 1);
  }
  m_renderer->overlay.End2D();
}
