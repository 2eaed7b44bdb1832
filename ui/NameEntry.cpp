#include "ui/NameEntry.h"

#include "ui/Scores.h"

NameEntryModel::NameEntryModel(const char* text) {
  for (const char* p = text ? text : ""; *p && m_name.size() < static_cast<size_t>(kScoreNameMax); ++p)
    if (IsScoreNameCharacter(static_cast<unsigned char>(*p))) m_name += *p;
}

bool NameEntryModel::OkUnderPointer(int mouseY, int screenHeight) {
  int oy = static_cast<int>(screenHeight * 0.5 + 48);
  return oy - 16 < mouseY && mouseY < oy + 16;
}

ScreenRect NameEntryModel::OkHighlightRect(int screenWidth, int screenHeight) {
  int oy = static_cast<int>(screenHeight * 0.5 + 48);
  return {static_cast<int>(screenWidth * 0.5 - 32), oy - 16, static_cast<int>(screenWidth * 0.5 + 32), oy + 24};
}

void NameEntryModel::Event(const UiEvent& event, int screenHeight) {
  switch (event.kind) {
    case UiEvent::kKeyPress:
      m_key = event.key;
      m_character = event.character;
      break;
    case UiEvent::kKeyRelease:
      if (IsEnterKey(event.key) && !m_name.empty()) m_done = true;
      break;
    case UiEvent::kButtonPress:
      m_pressedOverOk = OkUnderPointer(event.y, screenHeight);
      break;
    case UiEvent::kButtonRelease:
      if (m_pressedOverOk && OkUnderPointer(event.y, screenHeight) && !m_name.empty()) m_done = true;
      m_pressedOverOk = false;
      break;
    default:
      break;
  }
}

bool NameEntryModel::EndFrame() {
  int key = m_key;
  int character = m_character;
  m_key = 0;
  m_character = 0;
  if (key == SDLK_BACKSPACE) {
    if (m_name.empty()) return false;
    m_name.pop_back();
    return true;
  }
  // The character arrives as UTF-16; names keep Latin-1 bytes.
  if (character <= 0 || character > 0xFF || !IsScoreNameCharacter(static_cast<unsigned>(character))) return false;
  if (m_name.size() >= static_cast<size_t>(kScoreNameMax)) return false;
  m_name += static_cast<char>(character);
  return true;
}

CUString NameEntryModel::NameLine() const {
  CUString name = ScoreNameText(m_name.c_str());
  std::u16string line(name.Data(), name.Length());
  line += u'_';
  return CUString(line.data(), line.size());
}
