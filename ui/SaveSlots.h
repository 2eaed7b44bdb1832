// The load and save screens without their drawing: the ten slots' one-line
// descriptions and the row choice by pointer and keys.
//
// On opening a screen: ReadSaveSlots(puzzle, infos), then SaveSlotLine(infos[i]) for
// each row (and the Back row). Per frame: list.PointerMoved(mouseY, H), then
// list.Event(e, H) for each event, until it returns a row: kSlotBackRow
// leaves; a slot row saves (SaveGame) or, on the load screen, loads a used
// slot (LoadGame then ResumeLoadedGame). An empty slot on the load screen
// does nothing (SlotChoice keeps the screen open).
#pragma once

#include "base/CUString.h"
#include "puzzle/Puzzle.h"
#include "puzzle/SavedGame.h"
#include "ui/UiEvent.h"

constexpr int kSlotBackRow = kSaveSlotCount;  // the row after the ten slots
constexpr int kSlotRowCount = kSaveSlotCount + 1;
constexpr int kSlotRowHeight = 32;
constexpr float kSlotRowsTop = 0.2f;  // of the screen height

// Reads the ten slot files; the puzzle's reader has checked them as a load
// would.
void ReadSaveSlots(const Puzzle& puzzle, SaveSlotInfo infos[kSaveSlotCount]);
// "Level 1 – English – Easy – 32 moves – 2026-12-08 14:05": the level number
// (index + 1), the level set, the difficulty, the moves and the file's local
// time; Empty, Damaged or Unreadable for a slot without a game to load.
CUString SaveSlotLine(const SaveSlotInfo& info);

// The row under the pointer (0..9 slots, 10 Back), or -1 off the rows.
int SlotRowUnderPointer(int mouseY, int screenHeight);
// The top of a row on the screen.
int SlotRowY(int row, int screenHeight);

enum class SlotChoice { kNone, kRow };

class SlotListModel {
 public:
  int Highlighted() const { return m_highlighted; }
  // The row chosen by the last Event that returned kRow.
  int Chosen() const { return m_chosen; }

  // The pointer over a row highlights it; elsewhere the highlight stays.
  void PointerMoved(int mouseY, int screenHeight);
  // Up and Down move the highlight (wrapping), Enter chooses the highlighted
  // row, Escape chooses Back, a left button release over the row it was
  // pressed on chooses that row.
  SlotChoice Event(const UiEvent& event, int screenHeight);

 private:
  SlotChoice Choose(int row);

  int m_highlighted = 0;
  int m_pressed = -1;
  int m_chosen = -1;
};
