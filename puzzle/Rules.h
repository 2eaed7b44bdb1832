// The records of the rule book (the rules themselves are Puzzle's members,
// see Puzzle.h): the move under way, the undo history, the move arrows and
// how a level is started.
#pragma once

#include <cstdint>

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
  bool gentle = true;  // levels 1 and 2 dealt close to solved (GentleDealMoves)
};
