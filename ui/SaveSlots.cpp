#include "ui/SaveSlots.h"

#include <cstdio>
#include <ctime>
#include <string>

#include "config/Language.h"
#include "puzzle/LevelSet.h"

namespace {

std::u16string Units(const CUString& text) { return std::u16string(text.Data(), text.Length()); }
std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

CUString LevelSetNameText(int levelSet) {
  // The first three sets have their own labels; the language file names the
  // sets beyond them.
  static const LabelKey kSetLabels[] = {LabelKey::Francais, LabelKey::Anglais, LabelKey::Espagnole};
  if (levelSet >= 0 && levelSet < 3) return Label(kSetLabels[levelSet]);
  return LevelSetSlot(levelSet).name;
}

}  // namespace

void ReadSaveSlots(const Puzzle& puzzle, SaveSlotInfo infos[kSaveSlotCount]) {
  for (int slot = 0; slot < kSaveSlotCount; ++slot) {
    infos[slot] = puzzle.ReadSaveSlotInfo(slot);
  }
}

CUString SaveSlotLine(const SaveSlotInfo& info) {
  switch (info.state) {
    case SlotState::kEmpty: return Label(LabelKey::Empty);
    case SlotState::kDamaged: return Label(LabelKey::SlotDamaged);
    case SlotState::kUnreadable: return Label(LabelKey::SlotUnreadable);
    case SlotState::kUsed: break;
  }
  static const LabelKey kDifficulties[] = {LabelKey::Easy, LabelKey::Normal, LabelKey::Hard};
  const std::u16string dash = u" \u2013 ";
  std::u16string line = Units(Label(LabelKey::Level)) + u' ' + Ascii(std::to_string(info.levelIndex + 1));
  line += dash + Units(LevelSetNameText(info.levelSet));
  line += dash + Units(Label(kDifficulties[info.difficulty]));
  std::u16string moves = Units(Label(LabelKey::MoveCount));
  const size_t at = moves.find(u"%d");
  if (at != std::u16string::npos) moves.replace(at, 2, Ascii(std::to_string(info.moveCount)));
  line += dash + moves;
  const std::time_t when = static_cast<std::time_t>(info.modified);
  std::tm local = {};
  char date[32];
  if (info.modified > 0 && localtime_r(&when, &local) && std::strftime(date, sizeof date, "%Y-%m-%d %H:%M", &local))
    line += dash + Ascii(date);
  return CUString(line.data(), line.size());
}

int SlotRowUnderPointer(int mouseY, int screenHeight) {
  float offset = mouseY - screenHeight * kSlotRowsTop;
  if (offset < 0) return -1;  // truncation would put the band above row 0 on it
  int row = static_cast<int>(offset / kSlotRowHeight);
  return row < kSlotRowCount ? row : -1;
}

int SlotRowY(int row, int screenHeight) { return static_cast<int>(screenHeight * kSlotRowsTop) + row * kSlotRowHeight; }

void SlotListModel::PointerMoved(int mouseY, int screenHeight) {
  int row = SlotRowUnderPointer(mouseY, screenHeight);
  if (row >= 0) m_highlighted = row;
}

SlotChoice SlotListModel::Choose(int row) {
  m_chosen = row;
  return SlotChoice::kRow;
}

SlotChoice SlotListModel::Event(const UiEvent& event, int screenHeight) {
  switch (event.kind) {
    case UiEvent::kKeyRelease:
      if (event.key == SDLK_DOWN || event.key == SDLK_KP2) m_highlighted = (m_highlighted + 1) % kSlotRowCount;
      if (event.key == SDLK_UP || event.key == SDLK_KP8)
        m_highlighted = (m_highlighted + kSlotRowCount - 1) % kSlotRowCount;
      if (IsEnterKey(event.key)) return Choose(m_highlighted);
      if (event.key == SDLK_ESCAPE) return Choose(kSlotBackRow);
      return SlotChoice::kNone;
    case UiEvent::kButtonPress:
      if (event.button == SDL_BUTTON_LEFT) m_pressed = SlotRowUnderPointer(event.y, screenHeight);
      return SlotChoice::kNone;
    case UiEvent::kButtonRelease: {
      if (event.button != SDL_BUTTON_LEFT) return SlotChoice::kNone;
      int row = SlotRowUnderPointer(event.y, screenHeight);
      int pressed = m_pressed;
      m_pressed = -1;
      if (row >= 0 && row == pressed) return Choose(row);
      return SlotChoice::kNone;
    }
    default:
      return SlotChoice::kNone;
  }
}
