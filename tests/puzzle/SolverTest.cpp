// The solver against the rules themselves: its answers replay to every word
// formed, its shortest answers are no longer than a breadth-first search
// through the game finds, its lower bound never exceeds them, it leaves the
// game as it was, and it says so when a board cannot be solved.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "puzzle/Cube.h"
#include "puzzle/Solver.h"
#include "tests/puzzle/PuzzleTestSupport.h"
#include "tools/level/SolveSession.h"
#include "tools/level/ToolHost.h"

using namespace puzzletest;

namespace {

// Every square, letter, face turn and face position of the running level.
std::string PositionKey(const Puzzle& puzzle) {
  std::string key;
  // Move targets follow the selection, which is no part of the position.
  for (std::string row : BoardRows(puzzle)) {
    for (char& c : row)
      if (c == '+') c = '.';
    key += row + "/";
  }
  for (const Cube* cube : puzzle.Level().cubes) {
    const FacePositions& p = cube->positions;
    key += std::to_string(p.upper) + std::to_string(p.north) + std::to_string(p.east);
    for (const FaceRecord& face : cube->faces) key += std::to_string(face.index);
    key += ";";
  }
  return key;
}

bool AllFormed(const Puzzle& puzzle) { return puzzle.Board().formedCount == static_cast<int>(puzzle.Board().wordCount); }

// The fewest moves to every word formed, by breadth-first search through the
// game's own moves and undo (slow, and independent of the solver); -1 when
// there is none within the depth.
int BreadthFirstShortest(Puzzle& puzzle, ToolHost& host, int depth) {
  const std::string start = PositionKey(puzzle);
  std::set<std::string> seen{start};
  std::deque<std::vector<SolverMove>> queue{{}};
  // Each path is played from the start and taken back by undo.
  while (!queue.empty()) {
    const std::vector<SolverMove> path = queue.front();
    queue.pop_front();
    for (const SolverMove& move : path) {
      puzzle.SelectCube(puzzle.FindCubeAt(move.x, move.y));
      puzzle.MoveSelected(move.direction);
      host.FinishRolls(puzzle);
    }
    if (AllFormed(puzzle)) {
      for (size_t i = 0; i < path.size(); ++i) puzzle.Undo(), host.FinishRolls(puzzle);
      return static_cast<int>(path.size());
    }
    if (static_cast<int>(path.size()) < depth) {
      for (int i = 0; i < puzzle.CubeCount(); ++i) {
        const CubeState cube = puzzle.CubeRecord(i);
        for (int d = North; d <= West; ++d) {
          puzzle.SelectCube(i);
          if (!puzzle.MoveSelected(d)) continue;
          host.FinishRolls(puzzle);
          if (seen.insert(PositionKey(puzzle)).second) {
            std::vector<SolverMove> next = path;
            next.push_back(SolverMove{cube.x, cube.y, d});
            queue.push_back(next);
          }
          puzzle.Undo();
          host.FinishRolls(puzzle);
        }
      }
    }
    for (size_t i = 0; i < path.size(); ++i) puzzle.Undo(), host.FinishRolls(puzzle);
    EXPECT_EQ(PositionKey(puzzle), start);
  }
  return -1;
}

class SolverTest : public ::testing::Test {
 protected:
  void SetUp() override { std::srand(1); }

  ToolHost host;
  Puzzle puzzle{&host};
};

}  // namespace

// Hand-made boards: a plain start (the level as written), then the moves
// that lead to the position to solve.
TEST_F(SolverTest, FindsTheShortestAnswerOfHandMadeBoards) {
  struct Case {
    const char* name;
    std::vector<std::string> rows;
    std::vector<std::string> words;
    std::vector<SolverMove> setUp;
    int shortest;
  };
  const std::vector<Case> cases = {
      {"one cube one roll away", {".....", ".AB..", "....."}, {"AB 1 1 h"}, {{2, 1, East}}, 1},
      {"a cube that must turn by three rolls",
       {".......", "...A...", "......."},
       {"A 3 1 h"},
       {{3, 1, East}, {4, 1, East}, {5, 1, East}},
       3},
      {"a wall forcing a detour",
       {"......", ".AB...", ".###..", "......"},
       {"AB 1 1 h"},
       {{2, 1, East}, {3, 1, East}, {4, 1, South}, {4, 2, South}, {4, 3, West}, {3, 3, West}, {2, 3, West}},
       7},
      {"a static block in a word", {".....", ".AbC.", "....."}, {"ABC 1 1 h"}, {{3, 1, East}, {4, 1, South}}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    puzzle.UseLevelSet(LevelsFrom(OneLevel(c.rows, c.words)));
    StartPlain(puzzle);
    for (const SolverMove& move : c.setUp) {
      puzzle.SelectCube(puzzle.FindCubeAt(move.x, move.y));
      ASSERT_EQ(puzzle.MoveSelected(move.direction), 1);
      host.FinishRolls(puzzle);
    }
    const int shortest = BreadthFirstShortest(puzzle, host, 8);
    EXPECT_EQ(shortest, c.shortest);
    const std::string before = PositionKey(puzzle);
    Solver solver(puzzle);
    const SolverResult result = solver.Solve();
    EXPECT_EQ(PositionKey(puzzle), before) << "the solver changed the game";
    ASSERT_EQ(result.outcome, SolverOutcome::kSolved);
    EXPECT_TRUE(result.proven);
    EXPECT_EQ(static_cast<int>(result.moves.size()), shortest);
    EXPECT_LE(result.lowerBound, shortest);
    EXPECT_TRUE(ReplayAnswer(puzzle, host, result.moves));
  }
}

// In a corridor one square high a cube only turns about the corridor: moved
// one square along it (as no roll can), B can never stand upright next to A.
TEST_F(SolverTest, ReportsABoardThatCannotBeSolvedWithinItsBudget) {
  LevelSet set = LevelsFrom(OneLevel({"#####", "#AB.#", "#####"}, {"AB 1 1 h"}));
  LevelRecord& level = set.levels[0];
  std::swap(level.letters[kLayerStride + 2], level.letters[kLayerStride + 3]);
  std::swap(level.walls[kLayerStride + 2], level.walls[kLayerStride + 3]);
  puzzle.UseLevelSet(set);
  StartPlain(puzzle);
  ASSERT_EQ(BreadthFirstShortest(puzzle, host, 8), -1);
  SolverLimits limits;
  limits.nodes = 10000;
  Solver solver(puzzle, limits);
  const SolverResult& result = solver.Solve();
  EXPECT_EQ(result.outcome, SolverOutcome::kUnsolvable);
  EXPECT_TRUE(result.proven);
  EXPECT_TRUE(result.moves.empty());
  EXPECT_LE(result.nodes, limits.nodes);
}

// The first ten levels of every shipped set, dealt as the game deals them,
// and crowded boards whose two-wide corridors jam when filled square by
// square in the plain order (each within a small budget).
TEST_F(SolverTest, AnswersReplayToEveryWordFormedOnShippedLevels) {
  const std::vector<std::vector<const char*>> crowded = {{"JMTFR"}, {"FNBZQ"}, {}, {"LLSFS", "RYPXP"}};
  for (size_t set = 0; set < ShippedChoices().size(); ++set) {
    const LevelSetChoice choice = ShippedChoices()[set];
    ASSERT_TRUE(puzzle.LoadLevelSet(choice.path.c_str()));
    puzzle.SetSymmetricLetters(choice.symmetricLetters);
    std::vector<int> levels;
    for (const char* code : crowded[set]) levels.push_back(puzzle.LevelSet().FindCode(reinterpret_cast<const uint8_t*>(code)));
    for (int i = 0; i < 10; ++i) levels.push_back(i);
    for (int i : levels) {
      SCOPED_TRACE(choice.path + " level " + std::to_string(i + 1));
      std::srand(1);
      ASSERT_EQ(puzzle.StartLevel(i), 1);
      const std::string before = PositionKey(puzzle);
      SolverLimits limits;
      limits.nodes = 20000;
      Solver solver(puzzle, limits);
      const SolverResult result = solver.Solve();
      EXPECT_EQ(PositionKey(puzzle), before) << "the solver changed the game";
      ASSERT_EQ(result.outcome, SolverOutcome::kSolved);
      EXPECT_LE(result.lowerBound, static_cast<int>(result.moves.size()));
      EXPECT_TRUE(ReplayAnswer(puzzle, host, result.moves));
    }
  }
}
