#include "puzzle/Scene.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "base/TraceLog.h"
#include "puzzle/Board.h"
#include "puzzle/Cube.h"
#include "puzzle/LevelSet.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/Random.h"

namespace {

constexpr int kDifficultyHalf = 1;  // spare letters on faces 1, 3, 5
constexpr int kDifficultyHard = 2;  // spare letters on faces 1..5

bool Contains(const std::vector<char16_t>& letters, char16_t letter) {
  return std::find(letters.begin(), letters.end(), letter) != letters.end();
}

}  // namespace

Item::Item(const char* itemName, int itemTag, LevelCell* createdOn) : Object(itemName, itemTag), cell(createdOn) {
  for (int i = 0; i < 16; ++i) transform[i] = (i % 5 == 0) ? 1.0f : 0.0f;
  if (cell) cell->item = this;
}

Item::~Item() {
  if (Level* level = Owner())
    if (PuzzleHost* host = level->Host()) host->ReleaseItem(*this);
  if (cell && cell->item == this) cell->item = nullptr;
}

Level* Item::Owner() const { return cell ? cell->level : nullptr; }

void Item::SetLook(int look) {
  if (look < 1 || look > 3) return;
  m_look = look;
  if (Level* level = Owner())
    if (PuzzleHost* host = level->Host()) host->SetItemLook(*this, look);
}

Level::~Level() { Clear(); }

uint32_t Level::Ticks() const { return m_host ? m_host->Ticks() : 0; }

std::vector<char16_t> UsedLetters(const Board& board) {
  std::vector<char16_t> used;
  for (uint32_t w = 0; w < board.wordCount && w < kMaxWords; ++w) {
    const LevelWord& word = board.words[w];
    for (int i = 0; i < word.length && i < kMaxWordLength; ++i)
      if (word.text[i] != 0 && !Contains(used, word.text[i])) used.push_back(word.text[i]);
  }
  return used;
}

std::vector<char16_t> SpareLetters(const std::vector<char16_t>& used, const LevelSet& set) {
  std::vector<char16_t> spares;
  for (char16_t letter = u'A'; letter <= u'Z'; ++letter)
    if (!Contains(used, letter)) spares.push_back(letter);
  if (!spares.empty()) return spares;
  // Every letter A..Z is taken: the set's other letters (accented ones) will do.
  for (int i = 0; i < set.alphabetCount; ++i)
    if (!Contains(used, set.alphabet[i])) spares.push_back(set.alphabet[i]);
  return spares;
}

void ChooseFaceLetters(char16_t letter, bool isStatic, int difficulty, const std::vector<char16_t>& spares,
                       char16_t faces[6]) {
  auto spare = [&]() -> char16_t {
    if (spares.empty()) return letter;
    return spares[static_cast<size_t>(RandomValue()) % spares.size()];
  };
  for (int f = 0; f < 6; ++f) faces[f] = letter;
  if (isStatic) return;
  if (difficulty == kDifficultyHalf) {
    for (int f : {1, 3, 5}) faces[f] = spare();
  } else if (difficulty == kDifficultyHard) {
    for (int f = 1; f < 6; ++f) faces[f] = spare();
  }
}

int Level::Build(const Board& board, int difficulty, const LevelSet& set) {
  if (cells) Clear();  // never orphan the cubes of an earlier build
  width = static_cast<int>(board.width);
  height = static_cast<int>(board.height);
  cubeCount = 0;
  const int squares = width > 0 && height > 0 ? width * height : 0;
  cells.reset(new (std::nothrow) LevelCell[squares > 0 ? squares : 1]);
  if (!cells) return 1;

  const std::vector<char16_t> spares = SpareLetters(UsedLetters(board), set);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      LevelCell& cell = cells[y * width + x];
      cell = LevelCell();
      cell.index = y * width + x;
      cell.level = this;
      char16_t letter = board.LetterAt(x, y);
      if (letter == 0) continue;
      const bool isStatic = board.CellAt(x, y) != CUBE;
      TraceLog::Write("Level : cube %d = %c", cubeCount, static_cast<char>(letter));
      if (isStatic) TraceLog::Write("Level : cube is static");
      ++cubeCount;
      ORBString cubeName;
      cubeName.Format("cube %d", cubeCount);
      char16_t faces[6];
      ChooseFaceLetters(letter, isStatic, difficulty, spares, faces);
      Cube* cube = Cube::Create(cubeName.c_str(), &cell, faces, isStatic);
      if (!cube) return 1;
      cubes.push_back(cube);
      cell.occupant = cube;
      cell.occupied = 1;
    }
  }
  return 0;
}

void Level::Clear() {
  if (cells) {
    for (int i = 0; i < width * height; ++i) {
      Item* item = cells[i].item;
      cells[i].item = nullptr;
      delete item;
    }
  }
  cells.reset();
  cubes.clear();
  cubeCount = 0;
  highlightedCube = -1;
  name = "none";
  secondName = "none";
  width = 0;
  height = 0;
}

void Level::CellPosition(int index, float& x, float& y) const {
  x = width > 0 ? static_cast<float>(index % width) : 0.0f;
  y = width > 0 ? static_cast<float>(index / width) : 0.0f;
}

LevelCell* Level::CellAt(int x, int y) const {
  if (!cells || x < 0 || y < 0 || x >= width || y >= height) return nullptr;
  return &cells[y * width + x];
}

void Level::SetCubeHighlight(int i, bool on) {
  if (Cube* cube = CubeAt(i)) cube->SetLook(on ? 2 : 1);
}

void Level::Update() {
  for (Cube* cube : cubes) cube->Update();
}
