#include "puzzle/Variation.h"
#include "puzzle/PuzzleGlobals.h"

#include <cstring>

#include "base/TraceLog.h"
#include "puzzle/Board.h"
#include "puzzle/Cube.h"
#include "puzzle/Random.h"
#include "puzzle/Rules.h"
#include "puzzle/Scene.h"

int g_mixing = 0;
int g_recording = 0;
ShuffleRecord g_shuffleRecord;

namespace {

constexpr int kMixAttempts = 10;
// Bounds of the search for a start that is not already solved.
constexpr int kMaxExtraShuffles = 16;
constexpr int kHalfOfRandomRange = 16384;

// The grids as they were before the transform under way.
uint8_t g_backupCells[kGridSquares];
char16_t g_backupLetters[kGridSquares];

// Rebuilds both grids as newWidth x newHeight, square (c, r) taken from the
// backup square source(c, r).
template <typename Source>
void RebuildGrids(int newWidth, int newHeight, Source source) {
  std::memcpy(g_backupCells, g_board.cells, sizeof g_backupCells);
  std::memcpy(g_backupLetters, g_board.letters, sizeof g_backupLetters);
  std::memset(g_board.cells, 0, sizeof g_board.cells);
  std::memset(g_board.letters, 0, sizeof g_board.letters);
  for (int r = 0; r < newHeight; ++r) {
    for (int c = 0; c < newWidth; ++c) {
      int oc = 0, orow = 0;
      source(c, r, oc, orow);
      g_board.cells[Board::Index(c, r)] = g_backupCells[Board::Index(oc, orow)];
      g_board.letters[Board::Index(c, r)] = g_backupLetters[Board::Index(oc, orow)];
    }
  }
  g_board.width = static_cast<uint32_t>(newWidth);
  g_board.height = static_cast<uint32_t>(newHeight);
}

int StoredLength(const LevelWord& word) {
  return word.length < 0 ? 0 : word.length > kMaxWordLength ? kMaxWordLength : word.length;
}

// Letter i of the word at the i-th square along its direction, so that a word
// whose reading order the transform reversed reads forwards again.
void WriteWordText(const LevelWord& word) {
  for (int i = 0; i < StoredLength(word); ++i) {
    int x = WordSquareX(word, i);
    int y = WordSquareY(word, i);
    if (g_board.OnBoard(x, y)) g_board.letters[Board::Index(x, y)] = word.text[i];
  }
}

template <typename MoveWord>
void MoveWords(MoveWord move) {
  for (uint32_t w = 0; w < g_board.wordCount && w < kMaxWords; ++w) move(g_board.words[w]);
}

}  // namespace

int PickDirection(int pick) {
  static const int kDirections[4] = {North, South, West, East};
  return pick >= 0 && pick < 4 ? kDirections[pick] : -1;
}

int ReplayDirection(int pick) {
  int direction = PickDirection(pick);
  return direction < 0 ? -1 : OppositeDirection(direction);
}

int ShuffleRecord::MoveCount(int cube) const {
  int count = 0;
  for (const ShuffleStep& step : steps) count += step.cube == cube;
  return count;
}

int ShuffleRecord::Move(int cube, int k) const {
  for (const ShuffleStep& step : steps)
    if (step.cube == cube && k-- == 0) return step.pick;
  return -1;
}

void RotateBoard() {
  const int w = static_cast<int>(g_board.width), h = static_cast<int>(g_board.height);
  RebuildGrids(h, w, [h](int c, int r, int& oc, int& orow) {
    oc = r;
    orow = h - 1 - c;
  });
  MoveWords([h](LevelWord& word) {
    const int oldX = word.x;
    if (word.direction == kWordHorizontal) {
      word.direction = kWordVertical;
      word.x = h - word.y - 1;
      word.y = oldX;
    } else {
      word.direction = kWordHorizontal;
      word.x = h - StoredLength(word) - word.y;
      word.y = oldX;
      WriteWordText(word);
    }
  });
  RecomputeWallShapes();
}

void FlipBoardVertically() {
  const int w = static_cast<int>(g_board.width), h = static_cast<int>(g_board.height);
  RebuildGrids(w, h, [h](int c, int r, int& oc, int& orow) {
    oc = c;
    orow = h - 1 - r;
  });
  MoveWords([h](LevelWord& word) {
    if (word.direction == kWordHorizontal) {
      word.y = h - word.y - 1;
    } else {
      word.y = h - StoredLength(word) - word.y;
      WriteWordText(word);
    }
  });
  RecomputeWallShapes();
}

void MirrorBoard() {
  const int w = static_cast<int>(g_board.width), h = static_cast<int>(g_board.height);
  RebuildGrids(w, h, [w](int c, int r, int& oc, int& orow) {
    oc = w - 1 - c;
    orow = r;
  });
  MoveWords([w](LevelWord& word) {
    if (word.direction == kWordHorizontal) {
      word.x = w - word.x - StoredLength(word);
      WriteWordText(word);
    } else {
      word.x = w - word.x - 1;
    }
  });
  RecomputeWallShapes();
}

bool WordsReadable() {
  for (uint32_t w = 0; w < g_board.wordCount && w < kMaxWords; ++w) {
    const LevelWord& word = g_board.words[w];
    for (int i = 0; i < kMaxWordLength && word.text[i] != 0; ++i) {
      int x = WordSquareX(word, i);
      int y = WordSquareY(word, i);
      if (g_board.LetterAt(x, y) != word.text[i]) return false;
    }
  }
  return true;
}

void ApplyVariation(int variant) {
  static Board before;
  before = g_board;
  const bool readable = WordsReadable();
  if (variant & kVaryRotate) RotateBoard();
  if (variant & kVaryFlip) FlipBoardVertically();
  if (variant & kVaryMirror) MirrorBoard();
  // Rewriting a reversed word changes the letters it shares with a crossing
  // word; such a board would no longer hold its own solution.
  if (readable && !WordsReadable()) g_board = before;
}

void VaryLevel() {
  int variant = 0;
  if (RandomValue() / kHalfOfRandomRange == 1) variant |= kVaryRotate;
  if (RandomValue() / kHalfOfRandomRange == 1) variant |= kVaryFlip;
  if (RandomValue() / kHalfOfRandomRange == 1) variant |= kVaryMirror;
  ApplyVariation(variant);
}

namespace {

// One shuffle step: cube c on (cx, cy) rolls at once by the pick, recorded
// when the demonstration asks for it; (cx, cy) follows the cube.
void RollInstantly(int c, int pick, int& cx, int& cy) {
  Cube* cube = g_level.CubeAt(c);
  if (g_recording) g_shuffleRecord.steps.push_back(ShuffleStep{c, pick});
  const char16_t letter = g_board.letters[Board::Index(cx, cy)];
  g_board.cells[Board::Index(cx, cy)] = FLOOR;
  g_board.letters[Board::Index(cx, cy)] = 0;
  const int direction = PickDirection(pick);
  cube->StartRoll(direction, false);
  cube->Update();
  cx += DirectionDx(direction);
  cy += DirectionDy(direction);
  g_board.cells[Board::Index(cx, cy)] = CUBE;
  g_board.letters[Board::Index(cx, cy)] = letter;
  SetCubeSquare(c, cx, cy);
}

bool IsFloor(int x, int y) { return g_board.CellAt(x, y) == FLOOR; }

// Up to ten random rolls of cube c from where it stands, never straight back.
void ShuffleCube(int c) {
  const int width = static_cast<int>(g_board.width), height = static_cast<int>(g_board.height);
  int cx = g_cubes[c].x, cy = g_cubes[c].y, previous = -1;
  for (int attempt = 0; attempt < kMixAttempts; ++attempt) {
    int allowed[4], count = 0;
    if (previous != kPickSouth && cy > 0 && IsFloor(cx, cy - 1)) allowed[count++] = kPickNorth;
    if (previous != kPickNorth && cy + 1 < height && IsFloor(cx, cy + 1)) allowed[count++] = kPickSouth;
    if (previous != kPickEast && cx > 0 && IsFloor(cx - 1, cy)) allowed[count++] = kPickWest;
    if (previous != kPickWest && cx + 1 < width && IsFloor(cx + 1, cy)) allowed[count++] = kPickEast;
    if (count == 0) continue;
    const int pick = allowed[RandomValue() % count];
    previous = pick;
    RollInstantly(c, pick, cx, cy);
  }
}

// Every word square holding a cube, in word order, shuffles that cube.
void ShuffleWords() {
  for (uint32_t w = 0; w < g_board.wordCount && w < kMaxWords; ++w) {
    const LevelWord& word = g_board.words[w];
    for (int i = 0; i < StoredLength(word); ++i) {
      const int x = WordSquareX(word, i);
      const int y = WordSquareY(word, i);
      if (g_board.CellAt(x, y) != CUBE) continue;
      const int c = FindCubeAt(x, y);
      if (g_level.CubeAt(c)) ShuffleCube(c);
    }
  }
}

bool AllWordsStand() { return g_board.wordCount > 0 && CheckWords() == static_cast<int>(g_board.wordCount); }

}  // namespace

void RecordShuffle(bool on) { g_recording = on ? 1 : 0; }
const ShuffleRecord& LastShuffle() { return g_shuffleRecord; }

void MixLevel() {
  TraceLog::Write("MixLevel");
  g_mixing = 1;
  g_shuffleRecord.Clear();
  ShuffleWords();
  // A level handed over already solved would be won by the first roll that
  // keeps the words: shuffle every cube again, a bounded number of times.
  // The record keeps every step, so the demonstration still rolls everything
  // home.
  for (int again = 0; again < kMaxExtraShuffles && AllWordsStand(); ++again)
    for (int c = 0; c < g_cubeCount; ++c)
      if (g_level.CubeAt(c)) ShuffleCube(c);
  TraceLog::Write("MixLevel : ok");
  g_mixing = 0;
}
