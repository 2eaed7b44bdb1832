// The slot list of the load and save screens: reading the slots, the rows drawn, the choice.
#include "ui/SlotListScreen.h"

#include "config/Language.h"
#include "config/Settings.h"
#include "text/TextSystem.h"
#include "ui/MenuScreen.h"

namespace {

// The rows and their highlight leave a fifth of the width free on each side.
constexpr float kRowMargin = 0.2f;

}  // namespace

void SlotListScreen::Enter() {
  OpenFontStyle(m_big, kFontMenuBig);
  OpenFontStyle(m_small, kFontMenuSmall);
  Refresh();
}

void SlotListScreen::Refresh() {
  ReadSaveSlots(m_menus.ThePuzzle(), m_infos);
  for (GLFontTrueType* font : {&m_big, &m_small}) {
    font->ReleaseTextures();
    font->Clear();
  }
  m_title = m_big.AddTextW(Title());
  for (int slot = 0; slot < kSaveSlotCount; ++slot) m_rows[slot] = m_small.AddTextW(SaveSlotLine(m_infos[slot]));
  m_rows[kSlotBackRow] = m_big.AddTextW(Label(LabelKey::Back));
  m_noticeText = m_notice.Length() > 0 ? m_small.AddTextW(m_notice) : -1;
  m_big.Upload();
  m_small.Upload();
}

void SlotListScreen::ShowNotice(const CUString& text) { m_notice = text; }

void SlotListScreen::Event(const SDL_Event& event) {
  if (m_list.Event(UiEventFrom(event), m_menus.ScreenHeight()) != SlotChoice::kRow) return;
  const int row = m_list.Chosen();
  if (row == kSlotBackRow || (row >= 0 && row < kSaveSlotCount && ChooseSlot(row, m_infos[row]))) Flow().Pop();
}

void SlotListScreen::Update(const FrameTime& time, const Pointer& pointer) {
  m_elapsed = time.elapsed;
  // The pointer takes the highlight when it moves, so that a pointer resting
  // on the rows leaves the keys free to choose. The first frame only learns
  // where it rests.
  const bool first = m_pointerX < 0;
  if (pointer.x == m_pointerX && pointer.y == m_pointerY) return;
  m_pointerX = pointer.x;
  m_pointerY = pointer.y;
  if (!first) m_list.PointerMoved(m_pointerY, m_menus.ScreenHeight());
}

void SlotListScreen::Draw() {
  m_menus.DrawBackdrop(m_elapsed, false);
  const int W = m_menus.ScreenWidth(), H = m_menus.ScreenHeight();
  const int left = static_cast<int>(W * kRowMargin), right = static_cast<int>(W * (1.0f - kRowMargin));
  m_menus.Begin2D();
  const int top = SlotRowY(m_list.Highlighted(), H);
  m_menus.DrawHighlight({left, top - kSlotRowHeight / 4, right, top + kSlotRowHeight + kSlotRowHeight / 4});
  m_big.Draw(m_title, 0, SlotRowY(0, H) - 2 * kSlotRowHeight, W, kSlotRowHeight, 1, 1);
  for (int row = 0; row < kSaveSlotCount; ++row)
    m_small.Draw(m_rows[row], 0, SlotRowY(row, H), W, kSlotRowHeight, 1, 1);
  m_big.Draw(m_rows[kSlotBackRow], 0, SlotRowY(kSlotBackRow, H), W, kSlotRowHeight, 1, 1);
  if (m_noticeText >= 0) m_small.Draw(m_noticeText, 0, SlotRowY(kSlotRowCount, H), W, kSlotRowHeight, 1, 1);
  m_menus.End2D();
}

void SlotListScreen::Leave() {
  m_big.Close();
  m_small.Close();
}
