#include "ui/HighScorePager.h"

#include <cstdio>


int NextScorePage(int pageStart) {
  return pageStart + kScoreRowsPerPage >= kScoreLevels ? pageStart : pageStart + kScoreRowsPerPage;
}

int PreviousScorePage(int pageStart) {
  return pageStart - kScoreRowsPerPage < 0 ? pageStart : pageStart - kScoreRowsPerPage;
}

int ScoreButtonUnderPointer(int mouseX, int mouseY, int screenWidth, int screenHeight, int menuFontHeight) {
  int base = static_cast<int>(screenHeight - menuFontHeight * 1.5);
  int third = screenWidth / 3;
  if (mouseY <= base - menuFontHeight * 0.5 || third <= 0 || mouseX < 0) return kScoreButtonNone;
  int button = mouseX / third;
  return button <= kScoreButtonNext ? button : kScoreButtonNone;
}

ScreenRect ScoreButtonRect(int button, int screenWidth, int screenHeight, int menuFontHeight) {
  int base = static_cast<int>(screenHeight - menuFontHeight * 1.5);
  int third = screenWidth / 3;
  return {button * third, static_cast<int>(base + menuFontHeight * 0.5), (button + 1) * third,
          static_cast<int>(base + menuFontHeight * 1.5)};
}

void HighScorePager::PointerMoved(int mouseX, int mouseY, int screenWidth, int screenHeight, int menuFontHeight) {
  m_pointerButton = ScoreButtonUnderPointer(mouseX, mouseY, screenWidth, screenHeight, menuFontHeight);
  if (m_pointerButton != kScoreButtonNone) m_highlighted = m_pointerButton;
}

HighScoreAction HighScorePager::Press(int button) {
  int before = m_pageStart;
  switch (button) {
    case kScoreButtonPrevious:
      m_pageStart = PreviousScorePage(m_pageStart);
      break;
    case kScoreButtonBack:
      return HighScoreAction::kLeave;
    case kScoreButtonNext:
      m_pageStart = NextScorePage(m_pageStart);
      break;
    default:
      return HighScoreAction::kNone;
  }
  return m_pageStart != before ? HighScoreAction::kRebuild : HighScoreAction::kNone;
}

HighScoreAction HighScorePager::Event(const UiEvent& event, ScoreTable& table) {
  switch (event.kind) {
    case UiEvent::kKeyRelease:
      if (event.key == SDLK_RIGHT) return Press(kScoreButtonNext);
      if (event.key == SDLK_LEFT) return Press(kScoreButtonPrevious);
      if (IsEnterKey(event.key)) return Press(m_highlighted);
      if (event.key == SDLK_ESCAPE) return HighScoreAction::kLeave;
      if (event.key == SDLK_F1) {
        ResetScoreTable(table);
        return HighScoreAction::kRebuild;
      }
      return HighScoreAction::kNone;
    case UiEvent::kButtonPress:
      m_pressed = m_pointerButton;
      return HighScoreAction::kNone;
    case UiEvent::kButtonRelease:
      if (m_pointerButton != kScoreButtonNone && m_pointerButton == m_pressed) return Press(m_highlighted);
      return HighScoreAction::kNone;
    default:
      return HighScoreAction::kNone;
  }
}

ScoreRowTexts ScoreRow(const ScoreTable& table, int level, int record) {
  ScoreRowTexts texts;
  if (level < 0 || level >= kScoreLevels || record < 0 || record >= kScoreLevels) return texts;
  char number[32];
  std::snprintf(number, sizeof number, "% 2d", level + 1);
  texts.level = number;
  std::snprintf(number, sizeof number, "%d", table.entries[record].moves);
  texts.moves = number;
  texts.name = ScoreNameText(table.entries[record].name);
  return texts;
}

float ScoreRowY(int row, int screenHeight, int lineHeight) {
  return (screenHeight - 20.0f * lineHeight) * 0.5f + 2.0f * lineHeight + row * 2.0f * lineHeight;
}
