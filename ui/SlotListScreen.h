// What the load and save screens share: the ten slots with their one-line
// descriptions and a Back row over the menu background, chosen by pointer or
// keys. Each screen says what choosing a slot does.
#pragma once

#include "app/Screen.h"
#include "text/GLFontTrueType.h"
#include "ui/SaveSlots.h"

class SlotListScreen : public Screen {
 public:
  void Enter() override;
  void Event(const SDL_Event& event) override;
  void Update(float frameDelta) override;
  void Draw() override;
  void Leave() override;
  bool Finished() const override { return m_done; }

 protected:
  // The title's language label text.
  virtual const CUString& Title() const = 0;
  // A slot row was chosen; returns true when the screen ends.
  virtual bool ChooseSlot(int slot, const SaveSlotInfo& info) = 0;

 private:
  SaveSlotInfo m_infos[kSaveSlotCount];
  SlotListModel m_list;
  GLFontTrueType m_big, m_small;
  int m_title = -1;
  int m_rows[kSlotRowCount] = {};
  int m_pointerX = -1, m_pointerY = -1;  // where the pointer was last seen
  bool m_done = false;
};
