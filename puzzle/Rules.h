// The rule book of a level: starting it, selecting a cube and where it may
// go, moves and undo, and recognising words.
//
// The shell calls StartLevel (restart is StartLevel(levelIndex)), then per
// input SelectCube / SelectNextMovable / MoveSelected / Undo while
// g_play.moveState is kMoveStateReady, and compares g_board.formedCount with
// g_play.lastWordsFormed each frame. A move only starts a roll; the roll-end
// hook (run from Level::Update) finishes it and checks the words.
#pragma once

#include <cstdint>

class Cube;

// The move under way: the selected cube's square (also read by the input and
// the renderer), where it goes, and the letter it carries away.
struct MoveRecord {
  int cursorX;
  int cursorY;
  int destinationX;
  int destinationY;
  char16_t movingLetter;
};

// The undo history: at most nine moves; pushing onto a full stack drops the
// oldest. Each record is a cube index and the move's code 16 + direction.
struct UndoRecord {
  int cube;
  int code;
};
constexpr int kUndoDepth = 9;
struct UndoStack {
  UndoRecord records[kUndoDepth];
  int count = 0;

  void Push(UndoRecord record);
  bool Pop(UndoRecord& record);
  void Clear() { count = 0; }
};

// The move arrows around the selected cube, for the renderer and picking:
// the target square and the direction that reaches it. ShowTargets adds them
// in the order North, East, South, West; ClearTargets makes them inactive.
struct ArrowRecord {
  int x;
  int y;
  int direction;
  int active;
};
constexpr int kMaxArrows = 4;

struct LevelStartOptions {
  bool vary = true;  // the turn and mirror of the board
  int variant = -1;  // which one (VariationBits), -1 for a random one
  bool mix = true;   // the shuffle of the cubes
};

// Starts (or restarts) level index of the loaded set. Returns 1, or 0 after
// printing why (no such level, out of memory).
int StartLevel(int index, const LevelStartOptions& options = LevelStartOptions());
// Deletes the level's cubes (their looks go back through the host), so the
// renderer's theme and materials can be freed after it.
void EndLevel();
// Once per frame: advances the roll under way by the host's clock (the roll
// end finishes the move and checks the words).
void UpdateLevel();

// 1 when (x, y) holds a movable cube with at least one free neighbour.
int CanMove(int x, int y);
// The first cube in list order that can move, 0 when none can.
int FirstMovableCube();
void ClearTargets();
void ShowTargets(int x, int y);
void SelectCube(int i);
// Steps the selection cyclically to the next (or previous) cube that can
// move; after a full cycle without one the selection stays.
void SelectNextMovable(bool forward);
// One move of the selected cube. Returns 1 when a roll started, 0 when the
// move is not allowed (nothing happens, no sound).
int MoveSelected(int direction);
// Rolls the newest recorded move back (costs ten moves). Returns 0 and plays
// the refusal sound when there is nothing to undo; 0 silently while a roll
// runs.
int Undo();

// Recomputes found flags, lit flags, placement score and in-place flags.
// Returns the number of words spelled on the board.
int CheckWords();
// 1 when the cube's upper letter stands upright (or is turned by a half turn
// and reads the same that way in the level set's font).
int IsUpright(const Cube& cube);
// The first square, row by row, that is a cube carrying letter or a static
// letter block. Returns false when there is none.
bool FindAnchor(char16_t letter, int& x, int& y);

// The roll hooks; both do nothing while the shuffle runs.
void OnRollStart();
void OnRollEnd(int direction);
