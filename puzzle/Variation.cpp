#include "puzzle/Variation.h"

#include <cstring>
#include <vector>

#include "base/TraceLog.h"
#include "puzzle/Board.h"
#include "puzzle/Cube.h"
#include "puzzle/Puzzle.h"
#include "puzzle/Random.h"
#include "puzzle/Scene.h"

namespace {

constexpr int kMixAttempts = 10;
// Bounds of the search for a start that is not already solved.
constexpr int kMaxExtraShuffles = 16;
constexpr int kHalfOfRandomRange = 16384;
// The difficulty a new player starts with (every face carries its letter).
constexpr int kDefaultDifficulty = 0;
constexpr int kGentleDeals[] = {3, 6};

// Rebuilds both grids as newWidth x newHeight, square (c, r) taken from the
// square source(c, r) of the grids as they were.
template <typename Source>
void RebuildGrids(Board& board, int newWidth, int newHeight, Source source) {
  uint8_t cells[kGridSquares];
  char16_t letters[kGridSquares];
  std::memcpy(cells, board.cells, sizeof cells);
  std::memcpy(letters, board.letters, sizeof letters);
  std::memset(board.cells, 0, sizeof board.cells);
  std::memset(board.letters, 0, sizeof board.letters);
  for (int r = 0; r < newHeight; ++r) {
    for (int c = 0; c < newWidth; ++c) {
      int oc = 0, orow = 0;
      source(c, r, oc, orow);
      board.cells[Board::Index(c, r)] = cells[Board::Index(oc, orow)];
      board.letters[Board::Index(c, r)] = letters[Board::Index(oc, orow)];
    }
  }
  board.width = static_cast<uint32_t>(newWidth);
  board.height = static_cast<uint32_t>(newHeight);
}

int StoredLength(const LevelWord& word) {
  return word.length < 0 ? 0 : word.length > kMaxWordLength ? kMaxWordLength : word.length;
}

// Letter i of the word at the i-th square along its direction, so that a word
// whose reading order the transform reversed reads forwards again.
void WriteWordText(Board& board, const LevelWord& word) {
  for (int i = 0; i < StoredLength(word); ++i) {
    int x = WordSquareX(word, i);
    int y = WordSquareY(word, i);
    if (board.OnBoard(x, y)) board.letters[Board::Index(x, y)] = word.text[i];
  }
}

template <typename MoveWord>
void MoveWords(Board& board, MoveWord move) {
  for (uint32_t w = 0; w < board.wordCount && w < kMaxWords; ++w) move(board.words[w]);
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

int GentleDealMoves(int levelIndex, int difficulty) {
  constexpr int kCount = static_cast<int>(sizeof kGentleDeals / sizeof kGentleDeals[0]);
  if (difficulty != kDefaultDifficulty || levelIndex < 0 || levelIndex >= kCount) return 0;
  return kGentleDeals[levelIndex];
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

void RotateBoard(Board& board) {
  const int w = static_cast<int>(board.width), h = static_cast<int>(board.height);
  RebuildGrids(board, h, w, [h](int c, int r, int& oc, int& orow) {
    oc = r;
    orow = h - 1 - c;
  });
  MoveWords(board, [&board, h](LevelWord& word) {
    const int oldX = word.x;
    if (word.direction == kWordHorizontal) {
      word.direction = kWordVertical;
      word.x = h - word.y - 1;
      word.y = oldX;
    } else {
      word.direction = kWordHorizontal;
      word.x = h - StoredLength(word) - word.y;
      word.y = oldX;
      WriteWordText(board, word);
    }
  });
  RecomputeWallShapes(board);
}

void FlipBoardVertically(Board& board) {
  const int w = static_cast<int>(board.width), h = static_cast<int>(board.height);
  RebuildGrids(board, w, h, [h](int c, int r, int& oc, int& orow) {
    oc = c;
    orow = h - 1 - r;
  });
  MoveWords(board, [&board, h](LevelWord& word) {
    if (word.direction == kWordHorizontal) {
      word.y = h - word.y - 1;
    } else {
      word.y = h - StoredLength(word) - word.y;
      WriteWordText(board, word);
    }
  });
  RecomputeWallShapes(board);
}

void MirrorBoard(Board& board) {
  const int w = static_cast<int>(board.width), h = static_cast<int>(board.height);
  RebuildGrids(board, w, h, [w](int c, int r, int& oc, int& orow) {
    oc = w - 1 - c;
    orow = r;
  });
  MoveWords(board, [&board, w](LevelWord& word) {
    if (word.direction == kWordHorizontal) {
      word.x = w - word.x - StoredLength(word);
      WriteWordText(board, word);
    } else {
      word.x = w - word.x - 1;
    }
  });
  RecomputeWallShapes(board);
}

bool WordsReadable(const Board& board) {
  for (uint32_t w = 0; w < board.wordCount && w < kMaxWords; ++w) {
    const LevelWord& word = board.words[w];
    for (int i = 0; i < kMaxWordLength && word.text[i] != 0; ++i) {
      int x = WordSquareX(word, i);
      int y = WordSquareY(word, i);
      if (board.LetterAt(x, y) != word.text[i]) return false;
    }
  }
  return true;
}

void ApplyVariation(Board& board, int variant) {
  const Board before = board;
  const bool readable = WordsReadable(board);
  if (variant & kVaryRotate) RotateBoard(board);
  if (variant & kVaryFlip) FlipBoardVertically(board);
  if (variant & kVaryMirror) MirrorBoard(board);
  // Rewriting a reversed word changes the letters it shares with a crossing
  // word; such a board would no longer hold its own solution.
  if (readable && !WordsReadable(board)) board = before;
}

void VaryLevel(Board& board) {
  int variant = 0;
  if (RandomValue() / kHalfOfRandomRange == 1) variant |= kVaryRotate;
  if (RandomValue() / kHalfOfRandomRange == 1) variant |= kVaryFlip;
  if (RandomValue() / kHalfOfRandomRange == 1) variant |= kVaryMirror;
  ApplyVariation(board, variant);
}

// One shuffle step: cube c on (cx, cy) rolls at once by the pick, recorded
// when the demonstration asks for it; (cx, cy) follows the cube.
void Puzzle::RollInstantly(int c, int pick, int& cx, int& cy) {
  Cube* cube = m_level.CubeAt(c);
  if (m_recording) m_shuffle.steps.push_back(ShuffleStep{c, pick});
  const char16_t letter = m_board.letters[::Board::Index(cx, cy)];
  m_board.cells[::Board::Index(cx, cy)] = FLOOR;
  m_board.letters[::Board::Index(cx, cy)] = 0;
  const int direction = PickDirection(pick);
  cube->StartRoll(direction, false);
  cube->Update();
  cx += DirectionDx(direction);
  cy += DirectionDy(direction);
  m_board.cells[::Board::Index(cx, cy)] = CUBE;
  m_board.letters[::Board::Index(cx, cy)] = letter;
  SetCubeSquare(c, cx, cy);
}

// Up to ten random rolls of cube c from where it stands, never straight back.
void Puzzle::ShuffleCube(int c) {
  const int width = static_cast<int>(m_board.width), height = static_cast<int>(m_board.height);
  const auto isFloor = [this](int x, int y) { return m_board.CellAt(x, y) == FLOOR; };
  int cx = m_cubes[c].x, cy = m_cubes[c].y, previous = -1;
  for (int attempt = 0; attempt < kMixAttempts; ++attempt) {
    int allowed[4], count = 0;
    if (previous != kPickSouth && cy > 0 && isFloor(cx, cy - 1)) allowed[count++] = kPickNorth;
    if (previous != kPickNorth && cy + 1 < height && isFloor(cx, cy + 1)) allowed[count++] = kPickSouth;
    if (previous != kPickEast && cx > 0 && isFloor(cx - 1, cy)) allowed[count++] = kPickWest;
    if (previous != kPickWest && cx + 1 < width && isFloor(cx + 1, cy)) allowed[count++] = kPickEast;
    if (count == 0) continue;
    const int pick = allowed[RandomValue() % count];
    previous = pick;
    RollInstantly(c, pick, cx, cy);
  }
}

void Puzzle::RecordShuffle(bool on) { m_recording = on ? 1 : 0; }

bool Puzzle::AllWordsStand() {
  return m_board.wordCount > 0 && CheckWords() == static_cast<int>(m_board.wordCount);
}

// At most `moves` random rolls over all the cubes, never one straight back
// along its own last roll; a deal that happens to be solved is rolled back
// and drawn again. Played backwards the rolls solve the level, so it never
// needs more than `moves`.
void Puzzle::DealGently(int moves) {
  const size_t recordedBefore = m_shuffle.steps.size();
  const int width = static_cast<int>(m_board.width), height = static_cast<int>(m_board.height);
  const auto isFloor = [&](int x, int y) { return x >= 0 && y >= 0 && x < width && y < height && m_board.CellAt(x, y) == FLOOR; };
  for (int attempt = 0; attempt < kMaxExtraShuffles; ++attempt) {
    std::vector<ShuffleStep> made;
    std::vector<int> previous(static_cast<size_t>(m_cubeCount), -1);
    for (int step = 0; step < moves; ++step) {
      std::vector<ShuffleStep> allowed;
      for (int c = 0; c < m_cubeCount; ++c) {
        if (!m_level.CubeAt(c)) continue;
        for (int pick = kPickNorth; pick <= kPickEast; ++pick) {
          const int direction = PickDirection(pick);
          if (previous[c] >= 0 && direction == ReplayDirection(previous[c])) continue;
          if (isFloor(m_cubes[c].x + DirectionDx(direction), m_cubes[c].y + DirectionDy(direction)))
            allowed.push_back(ShuffleStep{c, pick});
        }
      }
      if (allowed.empty()) break;
      const ShuffleStep chosen = allowed[RandomValue() % allowed.size()];
      int cx = m_cubes[chosen.cube].x, cy = m_cubes[chosen.cube].y;
      RollInstantly(chosen.cube, chosen.pick, cx, cy);
      previous[chosen.cube] = chosen.pick;
      made.push_back(chosen);
    }
    if (!AllWordsStand()) return;
    for (auto step = made.rbegin(); step != made.rend(); ++step) {
      int cx = m_cubes[step->cube].x, cy = m_cubes[step->cube].y;
      RollInstantly(step->cube, step->pick ^ 1, cx, cy);  // North/South and West/East pair up
    }
    m_shuffle.steps.resize(recordedBefore);
  }
}

void Puzzle::MixLevel(int dealLimit) {
  TraceLog::Write("MixLevel");
  m_mixing = 1;
  m_shuffle.Clear();
  if (dealLimit > 0) {
    DealGently(dealLimit);
    TraceLog::Write("MixLevel : ok");
    m_mixing = 0;
    return;
  }
  // Every word square holding a cube, in word order, shuffles that cube.
  for (uint32_t w = 0; w < m_board.wordCount && w < kMaxWords; ++w) {
    const LevelWord& word = m_board.words[w];
    for (int i = 0; i < StoredLength(word); ++i) {
      const int x = WordSquareX(word, i);
      const int y = WordSquareY(word, i);
      if (m_board.CellAt(x, y) != CUBE) continue;
      const int c = FindCubeAt(x, y);
      if (m_level.CubeAt(c)) ShuffleCube(c);
    }
  }
  // A level handed over already solved would be won by the first roll that
  // keeps the words: shuffle every cube again, a bounded number of times.
  // The record keeps every step, so the demonstration still rolls everything
  // home.
  for (int again = 0; again < kMaxExtraShuffles && AllWordsStand(); ++again)
    for (int c = 0; c < m_cubeCount; ++c)
      if (m_level.CubeAt(c)) ShuffleCube(c);
  TraceLog::Write("MixLevel : ok");
  m_mixing = 0;
}
