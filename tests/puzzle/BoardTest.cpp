// The level model: wall shapes, static letter blocks, the cube list, and the
// face letters a level gives its cubes at each difficulty.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>

#include "puzzle/Cube.h"
#include "tests/puzzle/PuzzleTestSupport.h"

using namespace puzzletest;

namespace {

// A board of the given rows ('#' wall, anything else floor) with every wall
// shape recomputed.
void WallBoard(Board& board, const std::vector<std::string>& rows) {
  std::memset(&board, 0, sizeof board);
  board.height = static_cast<uint32_t>(rows.size());
  board.width = static_cast<uint32_t>(rows[0].size());
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t x = 0; x < rows[y].size(); ++x)
      board.cells[Board::Index(x, y)] = rows[y][x] == '#' ? static_cast<uint8_t>(kWallInside) : static_cast<uint8_t>(FLOOR);
  RecomputeWallShapes(board);
}

class BoardTest : public PuzzleTest {};

}  // namespace

TEST_F(BoardTest, EveryWallContinuesTowardsExactlyItsWallNeighbours) {
  std::srand(7);
  Board walls;
  for (int round = 0; round < 50; ++round) {
    std::vector<std::string> rows(6 + round % 5, std::string(4 + round % 7, '.'));
    for (std::string& row : rows)
      for (char& c : row) c = std::rand() % 2 ? '#' : '.';
    WallBoard(walls, rows);
    for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
      for (int x = 0; x < static_cast<int>(rows[0].size()); ++x) {
        if (rows[y][x] != '#') continue;
        for (int d = North; d <= West; ++d) {
          const int nx = x + DirectionDx(d), ny = y + DirectionDy(d);
          const bool wallThere = walls.OnBoard(nx, ny) && rows[ny][nx] == '#';
          EXPECT_EQ(WallContinues(walls.CellAt(x, y), d), wallThere) << "round " << round << " at " << x << "," << y;
        }
      }
    }
  }
}

TEST_F(BoardTest, WallsStopAtAStaticBlockWhichKeepsCodeZero) {
  Board b;
  SetUpBoard(b, LevelsFrom(OneLevel({"#####", "#.#..", "#a#.B", "#####"}, {"B 4 2 h"})).levels[0]);
  CountWordLengths(b);
  CopySolution(b);
  // Before: the static block is part of the wall, which runs through it.
  EXPECT_EQ(b.CellAt(1, 2), kWallNorthClose);
  EXPECT_EQ(b.CellAt(0, 2), kWallWestClose);
  EXPECT_TRUE(b.IsStaticBlock(1, 2));
  IsolateStaticBlocks(b);
  EXPECT_EQ(b.CellAt(1, 2), kWallAlone);
  EXPECT_TRUE(b.IsStaticBlock(1, 2));
  // Its neighbours, diagonals included, no longer continue towards it.
  const int neighbours[][3] = {{0, 2, kWallVertical},  {1, 3, kWallHorizontal}, {2, 2, kWallVertical},
                               {1, 0, kWallHorizontal}, {0, 3, kWallNorthEast},  {2, 1, kWallVertical},
                               {2, 3, kWallSouthClose}};
  for (const auto& n : neighbours) EXPECT_EQ(b.CellAt(n[0], n[1]), n[2]) << n[0] << "," << n[1];
  // A plain wall without a letter is no static block.
  EXPECT_FALSE(b.IsStaticBlock(2, 2));
}

TEST_F(BoardTest, TheCubeListRunsRowByRowAndKnowsStaticBlocks) {
  UseLevels(OneLevel({".....", ".ZA..", "..#b.", "C...."}, {"ZA 1 1 h", "C 0 3 h", "B 3 2 h"}));
  StartPlain();
  ASSERT_EQ(puzzle.CubeCount(), 4);
  const int expected[4][3] = {{1, 1, 0}, {2, 1, 0}, {3, 2, 1}, {0, 3, 0}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(puzzle.CubeRecord(i).x, expected[i][0]);
    EXPECT_EQ(puzzle.CubeRecord(i).y, expected[i][1]);
    EXPECT_EQ(puzzle.CubeRecord(i).fx, static_cast<float>(expected[i][0]));
    EXPECT_EQ(puzzle.FindCubeAt(expected[i][0], expected[i][1]), i);
  }
  // The alphabet is sorted: A B C Z.
  EXPECT_EQ(puzzle.CubeRecord(0).letterIndex, 3);
  EXPECT_EQ(puzzle.CubeRecord(1).letterIndex, 0);
  EXPECT_EQ(puzzle.CubeRecord(2).letterIndex, 1);
  EXPECT_EQ(puzzle.FindCubeAt(4, 4), -1);
  // The static flag follows the cell.
  ASSERT_EQ(level.cubes.size(), 4u);
  EXPECT_EQ(level.cubes[2]->isStatic, 1);
  // Each cube stands centred on its square, half a square above the floor.
  EXPECT_FLOAT_EQ(level.cubes[3]->position[0], 0.0f);
  EXPECT_FLOAT_EQ(level.cubes[3]->position[1], kSquareSize / 2);
  EXPECT_FLOAT_EQ(level.cubes[3]->position[2], 3 * kSquareSize);
  EXPECT_EQ(level.CellAt(2, 1)->occupant, level.cubes[1]);
  puzzle.EndLevel();
  EXPECT_STREQ(level.name.c_str(), "none");
  EXPECT_EQ(level.width, 0);
  EXPECT_TRUE(level.cubes.empty());
}

TEST_F(BoardTest, FaceLettersFollowTheDifficulty) {
  UseLevels(OneLevel({"........", ".CAT....", "......o."}, {"CAT 1 1 h", "O 6 2 h"}));
  for (int difficulty = 0; difficulty <= 2; ++difficulty) {
    puzzle.SetDifficulty(difficulty);
    StartPlain();
    for (int i = 0; i < puzzle.CubeCount(); ++i) {
      const Cube& cube = *level.cubes[i];
      const char16_t own = cube.faces[0].letter;
      for (int f = 1; f < 6; ++f) {
        const char16_t letter = cube.faces[f].letter;
        const bool spareFace = !cube.isStatic && (difficulty == 2 || (difficulty == 1 && f % 2 == 1));
        if (!spareFace) {
          EXPECT_EQ(letter, own) << "difficulty " << difficulty << " cube " << i << " face " << f;
        } else {
          EXPECT_TRUE(letter >= u'A' && letter <= u'Z');
          EXPECT_TRUE(std::u16string(u"CATO").find(letter) == std::u16string::npos)
              << "a used letter on a spare face";
        }
      }
    }
  }
}

TEST_F(BoardTest, SpareLettersComeFromTheAlphabetWhenTheLevelUsesAllOfAToZ) {
  const std::string all = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string source = OneLevel({"." + all + ".", std::string(28, '.')}, {all + " 1 0 h"}, "AAAAA");
  source += OneLevel({"ÉÈ.."}, {"ÉÈ 0 0 h"}, "BBBBB");
  UseLevels(source);
  puzzle.SetDifficulty(2);
  StartPlain(0);
  std::set<char16_t> spares;
  for (const Cube* cube : level.cubes)
    for (int f = 1; f < 6; ++f) spares.insert(cube->faces[f].letter);
  EXPECT_EQ(spares, (std::set<char16_t>{u'É', u'È'}));

  // With no other letter in the whole set, each cube keeps its own letter.
  UseLevels(OneLevel({"." + all + ".", std::string(28, '.')}, {all + " 1 0 h"}));
  puzzle.SetDifficulty(1);
  StartPlain(0);
  for (const Cube* cube : level.cubes)
    for (int f = 0; f < 6; ++f) EXPECT_EQ(cube->faces[f].letter, cube->faces[0].letter);
}
