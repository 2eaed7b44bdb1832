// The top bar every in-level screen draws (level number, move count, the
// list of words) and the game's text fonts ("FontGame*" styles). The game
// owns one for the run; its fonts belong to the GL context.
#pragma once

#include <memory>
#include <string>

#include "base/CUString.h"
#include "config/Settings.h"
#include "text/GLFontTrueType.h"

class MenuSystem;
class Puzzle;
class Renderer;

// "Par N" in the language of the game.
std::string ParText(int par);

class TopBar {
 public:
  // The bar of the puzzle's level; it draws with the renderer set.
  explicit TopBar(const Puzzle& puzzle) : m_puzzle(puzzle) {}
  void SetRenderer(Renderer* renderer) { m_renderer = renderer; }
  // The menus lend the bar their highlight for the "Words" button.
  void SetMenus(const MenuSystem* menus) { m_menus = menus; }
  TopBar(const TopBar&) = delete;
  TopBar& operator=(const TopBar&) = delete;

  // The font of a "FontGame*" style (kFontGameBig .. kFontGameSmallWordFound);
  // opened on first use, closed by FreeFonts.
  GLFontTrueType& Font(int style);
  void FreeFonts();

  // Full: reopens the small fonts first (level start, resume); light: only
  // the texts again (after every move and undo).
  void Prepare(bool full);
  // The bar, with the "Words" band lit when the pointer is over it.
  void Draw(int pointerX, int pointerY);
  // The band of the "Words" label: clicking it shows or hides the list.
  bool InsideWordListButton(int x, int y);
  // Replaces the texts of the big font with one message (-1 when it has
  // none), wrapped to the screen's text width.
  int SetBigMessage(const CUString& text);
  // A short line across the foot of the screen for a few seconds (a
  // screenshot taken, or not saved and why); Tick counts its time down.
  void ShowNotice(const CUString& text);
  void Tick(float frameDelta);
  // The lowest screen row the bar's texts reach (with the word list when it
  // is shown): the board is framed below it.
  int Bottom();
  // Adds a text to the small font next to the bar's (until the next
  // preparation).
  int AddSmallText(const char* utf8);
  // Draws a text of a game font centred in a box, with the usual blending.
  void DrawText(int style, int id, int x, int y, int width, int height);

  // The level's par beside the moves, from the next preparation (-1: none).
  void SetPar(int par) { m_par = par; }
  // A line under the hint button from the next preparation (empty: none).
  void SetNote(const CUString& note) { m_note = note; }
  // The band of the "Hint" label: clicking it asks for a hint.
  bool InsideHintButton(int x, int y) const;

  // Whether the list of the level's words is shown under the bar.
  bool showWordList = true;

 private:
  static constexpr int kStyles = kFontGameSmallWordFound + 1;
  static constexpr int kWordSlots = 16;
  struct Texts {
    int level = -1;
    int moves = -1;
    int words = -1;
    int levelNumber = -1;
    int moveCount = -1;
    int par = -1;
    int hint = -1;
    int note = -1;
    int word[kWordSlots] = {};
    int wordFound[kWordSlots] = {};
  };

  void DrawBacking(float bottom, float left, float right) const;

  const Puzzle& m_puzzle;
  Renderer* m_renderer = nullptr;
  const MenuSystem* m_menus = nullptr;
  int m_notice = -1;
  float m_noticeLeft = 0.0f;
  std::unique_ptr<GLFontTrueType> m_fonts[kStyles];
  Texts m_texts;
  int m_par = -1;
  CUString m_note;
};
