// The level code entry screen without its drawing: the five letters typed,
// the cursor, and the search of the code through every level set.
//
//   SDL_EnableKeyRepeat(kCodeEntryRepeatDelay, kCodeEntryRepeatInterval);
//   CodeEntryModel entry;
//   for each event: switch (entry.Event(UiEventFrom(e))) {
//     kChanged: render the letters again; kCancel: leave with no result;
//     kSearch: CodeSearchResult found = SearchLevelCode(puzzle, entry.Code());
//              show set found.levelSet in the options' level-set entry;
//              leave, starting level found.levelIndex when found. }
#pragma once

#include <cstdint>

#include "puzzle/LevelSet.h"
#include "puzzle/Puzzle.h"
#include "ui/ScreenRect.h"
#include "ui/UiEvent.h"

constexpr int kCodeEntryRepeatDelay = 500;
constexpr int kCodeEntryRepeatInterval = 30;

enum class CodeEntryAction { kNone, kChanged, kSearch, kCancel };

class CodeEntryModel {
 public:
  CodeEntryModel();
  // A key press of a letter stores it upper case at the cursor and moves the
  // cursor right; key releases: Right moves right, Left or Backspace left
  // (within 0..4), Escape cancels, Enter searches.
  CodeEntryAction Event(const UiEvent& event);

  const uint8_t* Code() const { return m_code; }
  int Cursor() const { return m_cursor; }

 private:
  uint8_t m_code[kCodeLength];
  int m_cursor = 0;
};

// Placement with m the menu font height and x0 = (W - 5 m) / 2: letter i in a
// 24 x 24 box at (trunc(x0 + i m), trunc(H / 2)); the highlight around the
// letter under the cursor.
ScreenRect CodeLetterBox(int letter, int screenWidth, int screenHeight, int menuFontHeight);
ScreenRect CodeHighlightRect(int cursor, int screenWidth, int screenHeight, int menuFontHeight);

struct CodeSearchResult {
  bool found = false;
  int levelSet = 0;    // the set now loaded (the one that holds the code)
  int levelIndex = 0;  // in that set
};

// Looks the code up in the loaded level set first, then in every other set
// the language file names (reading their level files aside, so that the
// loaded set stays as it was when none holds the code). A code found in
// another set loads that set and sets LangLevel to it. A set whose file
// cannot be read is skipped after its message.
CodeSearchResult SearchLevelCode(Puzzle& puzzle, const uint8_t code[kCodeLength]);
