#include "ui/CodeEntry.h"

#include <cstdio>
#include <string>

#include "config/Language.h"
#include "ui/LevelSetChoices.h"
#include "config/Settings.h"
#include "puzzle/PuzzleView.h"

CodeEntryModel::CodeEntryModel() {
  for (uint8_t& letter : m_code) letter = 'A';
}

CodeEntryAction CodeEntryModel::Event(const UiEvent& event) {
  if (event.kind == UiEvent::kKeyPress) {
    int c = event.character;
    if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
    if (c < 'A' || c > 'Z') return CodeEntryAction::kNone;
    m_code[m_cursor] = static_cast<uint8_t>(c);
    if (m_cursor < kCodeLength - 1) ++m_cursor;
    return CodeEntryAction::kChanged;
  }
  if (event.kind != UiEvent::kKeyRelease) return CodeEntryAction::kNone;
  switch (event.key) {
    case SDLK_RIGHT:
      if (m_cursor < kCodeLength - 1) ++m_cursor;
      return CodeEntryAction::kChanged;
    case SDLK_LEFT:
    case SDLK_BACKSPACE:
      if (m_cursor > 0) --m_cursor;
      return CodeEntryAction::kChanged;
    case SDLK_ESCAPE:
      return CodeEntryAction::kCancel;
    default:
      return IsEnterKey(event.key) ? CodeEntryAction::kSearch : CodeEntryAction::kNone;
  }
}

ScreenRect CodeLetterBox(int letter, int screenWidth, int screenHeight, int menuFontHeight) {
  double x0 = (screenWidth - 5.0 * menuFontHeight) * 0.5;
  int x = static_cast<int>(x0 + letter * menuFontHeight);
  int y = static_cast<int>(screenHeight * 0.5);
  return {x, y, x + 24, y + 24};
}

ScreenRect CodeHighlightRect(int cursor, int screenWidth, int screenHeight, int menuFontHeight) {
  double m = menuFontHeight;
  double x0 = (screenWidth - 5.0 * m) * 0.5;
  return {static_cast<int>(cursor * m + x0 - m * 0.5), static_cast<int>(screenHeight * 0.5 - m * 1.5),
          static_cast<int>((cursor + 1) * m + x0 + m * 0.5), static_cast<int>(screenHeight * 0.5 + m * 2.5)};
}

CodeSearchResult SearchLevelCode(Puzzle& puzzle, const uint8_t code[kCodeLength]) {
  CodeSearchResult result;
  const int current = g_settings.langLevel;
  if (puzzle.FindLevelByCode(code, result.levelIndex)) {
    result.found = true;
    result.levelSet = current;
    return result;
  }
  // The loaded set was searched; a set loaded by path (no LangLevel) is no
  // reason to skip the file LangLevel names.
  const int loaded = puzzle.LevelSet().selectedBy;
  for (int set = 0; set < LevelSetCount(); ++set) {
    if (set == loaded) continue;
    const std::string path = LevelSetPath(set);
    LevelSet other;
    std::string error;
    if (!ReadLevelSetFile(path.c_str(), other, error)) {
      std::fprintf(stderr, "Couldn't load level file %s%s%s\n", path.c_str(), error.empty() ? "" : ": ", error.c_str());
      continue;
    }
    if (puzzle.AdoptLevelSetWithCode(other, set, code, result.levelIndex)) {
      g_settings.langLevel = set;
      result.found = true;
      result.levelSet = set;
      return result;
    }
  }
  result.levelSet = current;
  return result;
}
