#include "ui/SaveSlots.h"

#include <cstdio>
#include <string>

#include "config/Language.h"
#include "puzzle/LevelSet.h"

namespace {

std::u16string Units(const CUString& text) { return std::u16string(text.Data(), text.Length()); }

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
  char number[16];
  std::snprintf(number, sizeof number, " %2d - ", info.levelIndex + 1);
  std::u16string line = Units(Label(LabelKey::Level));
  for (const char* p = number; *p; ++p) line += static_cast<char16_t>(*p);
  line += Units(LevelSetNameText(info.levelSet));
  line += u" : ";
  line += Units(Label(kDifficulties[info.difficulty]));
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
