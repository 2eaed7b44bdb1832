#include "puzzle/Board.h"

#include <cstring>

#include "puzzle/LevelSet.h"
#include "puzzle/Puzzle.h"

namespace {

constexpr int Bit(int direction) { return 1 << direction; }

// True when the square lies on the grid and is a wall continuing towards the
// direction.
bool NeighbourContinues(const uint8_t* cells, int stride, int width, int height, int x, int y, int towards) {
  if (x < 0 || y < 0 || x >= width || y >= height) return false;
  int code = cells[y * stride + x];
  return IsWallCode(code) && WallContinues(code, towards);
}

}  // namespace

const char* WallShapeName(int shape) { return shape >= 0 && shape < kWallShapeCount ? kWallShapeNames[shape] : ""; }

bool WallContinues(int shape, int direction) {
  return shape >= 0 && shape < kWallShapeCount && direction >= 0 && direction < kDirectionCount &&
         (kWallShapeSides[shape] & Bit(direction)) != 0;
}

int WallShapeAt(const uint8_t* cells, int stride, int width, int height, int x, int y) {
  int north = NeighbourContinues(cells, stride, width, height, x, y - 1, South);
  int south = NeighbourContinues(cells, stride, width, height, x, y + 1, North);
  int east = NeighbourContinues(cells, stride, width, height, x + 1, y, West);
  int west = NeighbourContinues(cells, stride, width, height, x - 1, y, East);
  return WallShapeForSides((west ? kSideWest : 0) | (east ? kSideEast : 0) | (south ? kSideSouth : 0) | (north ? kSideNorth : 0));
}

void RecomputeWallShapes(uint8_t* cells, int stride, int width, int height) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (IsWallCode(cells[y * stride + x])) cells[y * stride + x] = kWallInside;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (IsWallCode(cells[y * stride + x]))
        cells[y * stride + x] = static_cast<uint8_t>(WallShapeAt(cells, stride, width, height, x, y));
}

int WallShapeFor(const Board& board, int x, int y) {
  return WallShapeAt(board.cells, kGridStride, board.width, board.height, x, y);
}

void RecomputeWallShapes(Board& board) { RecomputeWallShapes(board.cells, kGridStride, board.width, board.height); }

void IsolateStaticBlocks(Board& b) {
  for (int y = 0; y < static_cast<int>(b.height); ++y) {
    for (int x = 0; x < static_cast<int>(b.width); ++x) {
      if (!b.IsStaticBlock(x, y)) continue;
      b.cells[Board::Index(x, y)] = FLOOR;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          if (dx == 0 && dy == 0) continue;
          int nx = x + dx, ny = y + dy;
          if (!b.OnBoard(nx, ny) || !IsWallCode(b.cells[Board::Index(nx, ny)])) continue;
          b.cells[Board::Index(nx, ny)] = kWallAlone;
          b.cells[Board::Index(nx, ny)] = static_cast<uint8_t>(WallShapeFor(b, nx, ny));
        }
      }
      b.cells[Board::Index(x, y)] = kWallAlone;
    }
  }
}

void SetUpBoard(Board& b, const LevelRecord& level) {
  std::memset(&b, 0, sizeof b);
  // The reader keeps every record within the grids' limits.
  b.width = level.width;
  b.height = level.height;
  b.wordCount = level.wordCount > kMaxWords ? kMaxWords : level.wordCount;
  for (uint32_t i = 0; i < b.wordCount; ++i) {
    LevelWord& word = b.words[i];
    std::memcpy(word.text, level.words[i].text, sizeof word.text);
    word.x = level.words[i].x;
    word.y = level.words[i].y;
    word.length = level.words[i].length;
    word.direction = level.words[i].direction;
  }
  for (uint32_t y = 0; y < b.height; ++y) {
    std::memcpy(&b.cells[y * kGridStride], &level.walls[y * kLayerStride], b.width);
    std::memcpy(&b.letters[y * kGridStride], &level.letters[y * kLayerStride], b.width * sizeof(char16_t));
  }
}

void CountWordLengths(Board& board) {
  for (uint32_t i = 0; i < board.wordCount; ++i) {
    LevelWord& word = board.words[i];
    int length = 0;
    while (length < kMaxWordLength && word.text[length] != 0) ++length;
    word.length = length;
  }
}

void CopySolution(Board& board) {
  for (uint32_t y = 0; y < board.height; ++y)
    std::memcpy(&board.solution[y * kGridStride], &board.letters[y * kGridStride], board.width * sizeof(char16_t));
}

void ClearFoundFlags(Board& board) {
  for (int i = 0; i < kMaxWords; ++i) board.found[i] = 0;
}

void Puzzle::BuildCubeList() {
  m_cubeCount = 0;
  for (int y = 0; y < static_cast<int>(m_board.height); ++y) {
    for (int x = 0; x < static_cast<int>(m_board.width); ++x) {
      char16_t letter = m_board.letters[::Board::Index(x, y)];
      // The readers refuse boards with more letters than the list holds.
      if (letter == 0 || m_cubeCount == kMaxCubes) continue;
      CubeState& cube = m_cubes[m_cubeCount++];
      cube.letterIndex = m_levelSet.AlphabetIndex(letter);
      cube.x = x;
      cube.y = y;
      cube.fx = static_cast<float>(x);
      cube.fy = static_cast<float>(y);
      cube.inPlace = m_board.cells[::Board::Index(x, y)] != CUBE;
    }
  }
  m_play.selectedCube = 0;
}

int Puzzle::FindCubeAt(int x, int y) const {
  for (int i = 0; i < m_cubeCount; ++i)
    if (m_cubes[i].x == x && m_cubes[i].y == y) return i;
  return -1;
}

void Puzzle::SetCubeSquare(int i, int x, int y) {
  if (i < 0 || i >= m_cubeCount) return;
  m_cubes[i].x = x;
  m_cubes[i].y = y;
  m_cubes[i].fx = static_cast<float>(x);
  m_cubes[i].fy = static_cast<float>(y);
}
