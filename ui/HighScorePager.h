// The high-score screen without its drawing: the page shown (ten levels a
// page), the three buttons Previous, Back and Next, the keys and the pointer,
// and where each text of a page stands.
//
// Per frame the screen calls PointerMoved with the pointer, then Event for each
// pending event, and acts on the result: kRebuild (page or table changed:
// build the page texts again for PageStart()), kLeave (the screen ends).
#pragma once

#include <string>

#include "ui/ScreenRect.h"
#include "ui/Scores.h"
#include "ui/UiEvent.h"

constexpr int kScoreRowsPerPage = 10;

enum HighScoreButton { kScoreButtonNone = -1, kScoreButtonPrevious = 0, kScoreButtonBack = 1, kScoreButtonNext = 2 };

enum class HighScoreAction { kNone, kRebuild, kLeave };

// Page starts: the next page unless it would pass the table's end, the
// previous one unless it would be negative.
int NextScorePage(int pageStart);
int PreviousScorePage(int pageStart);

// The button under the pointer: none above the button line (base - m / 2,
// base = trunc(H - m x 1.5) with m the menu font height), else the third of
// the screen width the pointer is in.
int ScoreButtonUnderPointer(int mouseX, int mouseY, int screenWidth, int screenHeight, int menuFontHeight);

// The highlight quad of a button: its third of the width, from
// trunc(base + m / 2) to trunc(base + 3 m / 2).
ScreenRect ScoreButtonRect(int button, int screenWidth, int screenHeight, int menuFontHeight);

class HighScorePager {
 public:
  int PageStart() const { return m_pageStart; }
  int Highlighted() const { return m_highlighted; }

  // The pointer over a button highlights it.
  void PointerMoved(int mouseX, int mouseY, int screenWidth, int screenHeight, int menuFontHeight);
  // Keys act on release: Right and Left turn the page, Enter presses the
  // highlighted button, Escape leaves, F1 resets the whole table to the
  // defaults. A button acts on a release over the button it was pressed on.
  HighScoreAction Event(const UiEvent& event, ScoreTable& table);

 private:
  HighScoreAction Press(int button);

  int m_pageStart = 0;
  int m_highlighted = kScoreButtonBack;
  int m_pointerButton = kScoreButtonNone;
  int m_pressed = kScoreButtonNone;
};

// The texts of the row of level (from 0), whose entry is record: the level
// number ("% 2d"), the holder's name and the moves ("%d", right-aligned when
// drawn).
struct ScoreRowTexts {
  std::string level;
  CUString name;
  std::string moves;
};
ScoreRowTexts ScoreRow(const ScoreTable& table, int level, int record);

// Row placement with k the line height of the small menu font: y_0 =
// (H - 20 k) / 2 + 2 k, each row 2 k below the previous one.
float ScoreRowY(int row, int screenHeight, int lineHeight);
