// The running board of the level being played (cell, letter and solution
// grids, words, found flags), the record of each cube the rules and the
// renderer share, and the geometry of squares and wall shapes.
//
// A level start fills the board in this order: SetUpBoard, the random
// variation, CountWordLengths, CopySolution, ClearFoundFlags,
// IsolateStaticBlocks, then the Puzzle builds its cube list (see
// Puzzle::StartLevel). Between two starts only moves change them.
#pragma once

#include "puzzle/WallShapes.h"

#include <cstdint>

// One board square is one cube wide; square (x, y) is centred at (x s, 0, y s).
constexpr float kSquareSize = 0.0625f;

constexpr int kMaxBoardSide = 30;
// The running grids are one row and one column larger than any level.
constexpr int kGridStride = 31;
constexpr int kGridSquares = kGridStride * kGridStride;
constexpr int kMaxWords = 5;
constexpr int kMaxWordLength = 31;
constexpr int kMaxCubes = 150;

// Moves, rolls, move targets and arrows share this numbering.
enum Direction : int { North = 0, East = 1, South = 2, West = 3 };
constexpr int kDirectionCount = 4;

constexpr int DirectionDx(int direction) { return direction == East ? 1 : direction == West ? -1 : 0; }
constexpr int DirectionDy(int direction) { return direction == South ? 1 : direction == North ? -1 : 0; }
constexpr int OppositeDirection(int direction) { return (direction + 2) % kDirectionCount; }

// Cell codes of the wall layer and the running cell grid. 0..15 are wall
// squares whose code is their wall shape; 16..19 mark the free squares the
// selected cube can reach (running grid only).
enum CellCode : uint8_t {
  TARGET_NORTH = 16,
  TARGET_EAST = 17,
  TARGET_SOUTH = 18,
  TARGET_WEST = 19,
  CUBE = 20,
  FLOOR = 22,
};
constexpr bool IsWallCode(int code) { return code >= 0 && code < kWallShapeCount; }
constexpr bool IsTargetCode(int code) { return code >= TARGET_NORTH && code <= TARGET_WEST; }

// The file names of the wall shapes ("alone", "horizontal", ...).
const char* WallShapeName(int shape);
// True when a wall of this shape continues towards the direction.
bool WallContinues(int shape, int direction);

constexpr int kWordVertical = 0;    // letters at y, y + 1, ... in column x
constexpr int kWordHorizontal = 1;  // letters at x, x + 1, ... on row y

struct LevelWord {
  char16_t text[kMaxWordLength];  // zero-filled; no terminator at 31 letters
  int32_t x;
  int32_t y;
  int32_t length;
  int32_t direction;
  int32_t lit[kMaxWordLength];  // per letter, recomputed by CheckWords
};

// The square of letter i of the word, along its direction.
inline int WordSquareX(const LevelWord& word, int i) { return word.x + (word.direction == kWordHorizontal ? i : 0); }
inline int WordSquareY(const LevelWord& word, int i) { return word.y + (word.direction == kWordHorizontal ? 0 : i); }

struct Board {
  uint32_t width;
  uint32_t height;
  uint8_t cells[kGridSquares];        // cell codes, row length 31
  char16_t letters[kGridSquares];     // letter of the cube standing there, 0 = none
  char16_t solution[kGridSquares];    // the letter that belongs there; fixed during play
  LevelWord words[kMaxWords];
  uint32_t wordCount;
  uint8_t found[kMaxWords];           // 1 while the word is spelled on the board
  int formedCount;                    // number of found words
  int32_t placementScore;
  int32_t previousPlacementScore;

  bool OnBoard(int x, int y) const {
    return x >= 0 && y >= 0 && x < static_cast<int>(width) && y < static_cast<int>(height);
  }
  static int Index(int x, int y) { return y * kGridStride + x; }
  // The code of a square; squares off the board read as an "alone" wall,
  // which no rule treats as free or as a cube.
  int CellAt(int x, int y) const { return OnBoard(x, y) ? static_cast<int>(cells[Index(x, y)]) : static_cast<int>(kWallAlone); }
  char16_t LetterAt(int x, int y) const { return OnBoard(x, y) ? letters[Index(x, y)] : 0; }
  // A wall square whose solution letter is not 0: an immovable cube that
  // always counts as correct.
  bool IsStaticBlock(int x, int y) const {
    return OnBoard(x, y) && IsWallCode(cells[Index(x, y)]) && solution[Index(x, y)] != 0;
  }
};


// One record per cube of the level, numbered in row-major order; the index is
// the cube's number everywhere (selection, picking, the Level's cube vector).
// The renderer keeps its own per-cube drawing data alongside, by index.
struct CubeState {
  int letterIndex;  // AlphabetIndex of the cube's letter, -1 when absent
  int32_t x;
  int32_t y;
  float fx;  // the square again, as floats (read by the close camera view)
  float fy;
  int32_t inPlace;  // static block, or its own letter upright on a square of that letter
};


struct LevelRecord;

// Copies width, height, words and the layers of the level record into the
// board (rows of 30 into rows of 31); everything else is cleared.
void SetUpBoard(Board& board, const LevelRecord& level);
// Every word's length := its letters before the first 0 (at most 31).
void CountWordLengths(Board& board);
// solution grid := letter grid.
void CopySolution(Board& board);
void ClearFoundFlags(Board& board);

// The shape of the wall square (x, y) from its neighbours' shapes.
int WallShapeFor(const Board& board, int x, int y);
// Every wall square gets the shape that continues towards exactly its wall
// neighbours (static letter blocks count as walls here).
void RecomputeWallShapes(Board& board);
// Walls next to a static letter block stop at it; the block keeps code 0.
void IsolateStaticBlocks(Board& board);

// The same shape rules on any grid of cell codes (the level record's layers,
// the level tools): cells[y * stride + x], w x h squares used.
int WallShapeAt(const uint8_t* cells, int stride, int width, int height, int x, int y);
void RecomputeWallShapes(uint8_t* cells, int stride, int width, int height);
