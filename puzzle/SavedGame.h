// Saved games: ten slot files below the game directory, each holding a level
// in progress (level, difficulty, level set, move count, the running board
// and the exact state of every cube).
//
// Slot file (little endian, no padding): i32 level (its record, see
// LevelSet::RecordOf), i32 difficulty,
// i32 level set, i32 moveCount, u32 height h, u32 width w, u32 word count n,
// n word records of 204 bytes (31 UTF-16 units, u16 0, i32 x, y, length,
// direction, 31 i32 lit flags), the solution grid (w h UTF-16 units), the
// cell grid (w h bytes) and the letter grid (w h units), row by row, then
// u32 cube count m and m cube records of 180 bytes (i32 x, y; i32 slot at
// upper, lower, north, south, east, west; i32 0; per face slot i32 turn index
// and i32 turn table code; 16 float transform; float roll angle; 3 float
// position; 4 float orientation x, y, z, w).
//
// The load and save screens read the slots (Puzzle::ReadSaveSlotInfo),
// then Puzzle::SaveGame(slot), or Puzzle::LoadGame(slot) followed by
// Puzzle::ResumeLoadedGame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "puzzle/Board.h"
#include "puzzle/Cube.h"

constexpr int kSaveSlotCount = 10;
constexpr size_t kSaveHeaderBytes = 28;
constexpr size_t kSavedWordBytes = 204;
constexpr size_t kSavedCubeBytes = 180;

// What a slot holds, as the load and save screens show it.
enum class SlotState {
  kEmpty,       // no file
  kUsed,        // a game that loads
  kDamaged,     // a file that is no game the game can load
  kUnreadable,  // a file the player may not read, a directory, ...
};

struct SaveSlotInfo {
  int slot = -1;  // -1 unless the slot holds a game that loads
  SlotState state = SlotState::kEmpty;
  int levelIndex = 0;
  int difficulty = 0;
  int levelSet = 0;
  int moveCount = 0;
  int64_t modified = 0;  // the file's time, seconds since 1970
};

struct SavedCube {
  int32_t x;
  int32_t y;
  FacePositions positions;
  int32_t turnIndex[6];
  int32_t turnTable[6];  // 1 TopTurns, 2 EastWestTurns, 3 NorthSouthTurns
  float transform[16];
  float rollAngle;
  float position[3];
  float orientation[4];
};

struct SavedGame {
  int32_t levelIndex = 0;
  int32_t difficulty = 0;
  int32_t levelSet = 0;
  int32_t moveCount = 0;
  Board board = {};  // width, height, words and the three grids
  std::vector<SavedCube> cubes;
};

// Reads a slot file image into a scratch record, checking every size, count
// and index against the board's limits and the file's length. Returns false
// with a one-line reason; never reads past size.
bool DecodeSavedGame(const uint8_t* bytes, size_t size, SavedGame& game, std::string& error);
std::vector<uint8_t> EncodeSavedGame(const SavedGame& game);
