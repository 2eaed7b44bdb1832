// What the load and save screens share: the ten slots with their one-line
// descriptions and a Back row over the menu background, chosen by pointer or
// keys. Each screen says what choosing a slot does.
#pragma once

#include "platform/Screen.h"
#include "ui/MenuScreen.h"
#include "text/GLFontTrueType.h"
#include "ui/SaveSlots.h"

class SlotListScreen : public Screen {
 public:
  explicit SlotListScreen(MenuSystem& menus) : m_menus(menus) {}

  void Enter() override;
  void Event(const SDL_Event& event) override;
  void Update(const FrameTime& time, const Pointer& pointer) override;
  int FrameRate() const override { return kMenuFrameRate; }
  void Draw() override;
  void Leave() override;

 protected:
  // The title's language label text.
  virtual const CUString& Title() const = 0;
  // A slot row was chosen; returns true when the screen ends.
  virtual bool ChooseSlot(int slot, const SaveSlotInfo& info) = 0;
  // A line under the rows: what went wrong with the last choice.
  void ShowNotice(const CUString& text);
  // The slots read again (after a choice that changed one).
  void Refresh();

  MenuSystem& m_menus;

 private:
  SaveSlotInfo m_infos[kSaveSlotCount];
  SlotListModel m_list;
  GLFontTrueType m_big, m_small;
  int m_title = -1;
  int m_rows[kSlotRowCount] = {};
  CUString m_notice;
  int m_noticeText = -1;
  int m_pointerX = -1, m_pointerY = -1;  // where the pointer was last seen
  float m_elapsed = 0.0f;
};
