// The letter cube: the face permutation and letter turns of each roll, and
// the slide, lift and turn of the roll animation.
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <queue>
#include <set>

#include "puzzle/Cube.h"
#include "tests/puzzle/PuzzleTestSupport.h"

using namespace puzzletest;

namespace {

// Hears the rolls of the test's own level.
struct RollCounter : RollListener {
  void RollStarted() override { ++starts; }
  void RollEnded(int direction) override { ends.push_back(direction); }
  int starts = 0;
  std::vector<int> ends;
};

// Everything the roll bookkeeping keeps about the faces: the six positions,
// then the table and the index of each slot.
using FaceState = std::array<int, 18>;

FacePositions PositionsOf(const FaceState& state) {
  return FacePositions{state[0], state[1], state[2], state[3], state[4], state[5]};
}
int TableOf(const FaceState& state, int slot) { return state[6 + slot]; }

FaceState StateOf(const Cube& cube) {
  const FacePositions& p = cube.positions;
  FaceState state = {p.upper, p.lower, p.north, p.south, p.east, p.west};
  for (int f = 0; f < 6; ++f) {
    state[6 + f] = cube.faces[f].table;
    state[12 + f] = cube.faces[f].index;
  }
  return state;
}

void SetState(Cube& cube, const FaceState& state) {
  cube.positions = PositionsOf(state);
  for (int f = 0; f < 6; ++f) {
    cube.faces[f].table = state[6 + f];
    cube.faces[f].index = state[12 + f];
  }
}

class CubeTest : public PuzzleTest {
 protected:
  void SetUp() override {
    PuzzleTest::SetUp();
    own.Attach(&host, &rolls);
    cell.level = &own;
    const char16_t letters[6] = {u'A', u'B', u'C', u'D', u'E', u'F'};
    cube.reset(Cube::Create("cube 1", &cell, letters, false));
    ASSERT_TRUE(cube);
  }

  void Roll(int direction) {
    cube->StartRoll(direction, false);
    cube->Update();
  }

  // Drives an animated roll frame by frame; returns the lift seen at each frame.
  std::vector<float> AnimatedRoll(int direction, uint32_t frameMs) {
    std::vector<float> heights;
    cube->StartRoll(direction, true);
    while (cube->moving) {
      host.ticks += frameMs;
      cube->Update();
      heights.push_back(cube->position[1]);
    }
    return heights;
  }

  RollCounter rolls;
  Level own;  // no cells: its cubes roll in place
  LevelCell cell;
  std::unique_ptr<Cube> cube;
};

}  // namespace

TEST_F(CubeTest, OneRollFromTheFirstStateInEachDirection) {
  const FaceState first = StateOf(*cube);
  struct Case {
    int direction;
    int upper;
    int turn;
  } cases[] = {{North, 1, 0}, {East, 2, 1}, {South, 4, 0}, {West, 3, 3}};
  for (const Case& c : cases) {
    SetState(*cube, first);
    Roll(c.direction);
    EXPECT_EQ(cube->positions.upper, c.upper) << "direction " << c.direction;
    EXPECT_EQ(cube->UpperTurn(), c.turn) << "direction " << c.direction;
  }
}

TEST_F(CubeTest, RollingBackOrFourTimesRestoresEveryFaceRecordFromEveryOrientation) {
  // Every orientation reachable by rolls, each with its own face state.
  std::map<FaceState, int> seen;
  std::queue<FaceState> todo;
  todo.push(StateOf(*cube));
  seen[todo.front()] = 0;
  while (!todo.empty()) {
    const FaceState state = todo.front();
    todo.pop();
    for (int d = North; d <= West; ++d) {
      SetState(*cube, state);
      Roll(d);
      const FaceState next = StateOf(*cube);
      if (seen.emplace(next, 0).second) todo.push(next);

      // Back the other way restores everything.
      Roll(OppositeDirection(d));
      EXPECT_EQ(StateOf(*cube), state) << "direction " << d;
      // Four rolls the same way do too.
      SetState(*cube, state);
      for (int i = 0; i < 4; ++i) Roll(d);
      EXPECT_EQ(StateOf(*cube), state) << "four times " << d;
    }
  }
  // 24 orientations, and the turn bookkeeping adds no other states.
  EXPECT_EQ(seen.size(), 24u);
  std::set<std::tuple<int, int, int>> orientations;
  for (const auto& entry : seen) {
    const FaceState& state = entry.first;
    const FacePositions p = PositionsOf(state);
    EXPECT_TRUE(ValidFacePositions(p));
    orientations.insert({p.upper, p.north, p.east});
    // Faces up and down use TopTurns, East and West EastWestTurns, North and
    // South NorthSouthTurns.
    EXPECT_EQ(TableOf(state, p.upper), TopTurns);
    EXPECT_EQ(TableOf(state, p.lower), TopTurns);
    EXPECT_EQ(TableOf(state, p.east), EastWestTurns);
    EXPECT_EQ(TableOf(state, p.west), EastWestTurns);
    EXPECT_EQ(TableOf(state, p.north), NorthSouthTurns);
    EXPECT_EQ(TableOf(state, p.south), NorthSouthTurns);
  }
  EXPECT_EQ(orientations.size(), 24u);
}

TEST_F(CubeTest, AWholeRollSlidesOneSquareLiftsAtMidRollAndTurnsTheTopFaceForward) {
  // 125 ms frames: 45 degrees each.
  std::vector<float> heights = AnimatedRoll(North, 125);
  ASSERT_EQ(heights.size(), 2u);
  EXPECT_NEAR(heights[0], kSquareSize / 2 + kSquareSize * (1.0f - std::sin(0.785398f)), 1e-6);
  EXPECT_NEAR(cube->position[1], kSquareSize / 2, 1e-7);
  EXPECT_NEAR(cube->position[2], -kSquareSize, 1e-7);
  EXPECT_NEAR(cube->position[0], 0.0f, 1e-9);
  // The former top face now faces North (world -z).
  EXPECT_NEAR(cube->transform[4], 0.0f, 1e-6);
  EXPECT_NEAR(cube->transform[5], 0.0f, 1e-6);
  EXPECT_NEAR(cube->transform[6], -1.0f, 1e-6);
  EXPECT_NEAR(cube->transform[14], cube->position[2], 1e-9);

  // Uneven frames East: the steps add up to one square and no lift.
  const float startX = cube->position[0];
  cube->StartRoll(East, true);
  for (uint32_t frame : {17u, 3u, 40u, 16u, 16u, 33u, 1u, 60u}) {
    host.ticks += frame;
    cube->Update();
  }
  EXPECT_TRUE(cube->moving);
  while (cube->moving) {
    host.ticks += 16;
    cube->Update();
  }
  EXPECT_NEAR(cube->position[0] - startX, kSquareSize, 1e-6);
  EXPECT_NEAR(cube->position[1], kSquareSize / 2, 1e-6);
  EXPECT_EQ(rolls.ends, (std::vector<int>{North, East}));
  EXPECT_EQ(rolls.starts, 2);
}

TEST_F(CubeTest, AFrameLongerThanTheRollOrAnInstantRollEndsItInOneUpdateExactly) {
  own.SetMoveDuration(600);
  cube->StartRoll(East, true);
  host.ticks += 5000;
  cube->Update();
  EXPECT_FALSE(cube->moving);
  EXPECT_EQ(cube->rollAngle, 0.0f);
  EXPECT_NEAR(cube->position[0], kSquareSize, 1e-7);
  EXPECT_NEAR(cube->position[1], kSquareSize / 2, 1e-7);
  EXPECT_NEAR(cube->transform[4], 1.0f, 1e-6);  // the top face points East
  EXPECT_EQ(cube->positions.upper, 2);
  // An instant roll is under way until the update that follows its start.
  cube->StartRoll(South, false);
  EXPECT_TRUE(cube->moving);
  EXPECT_EQ(rolls.ends, std::vector<int>{East});
  cube->Update();
  EXPECT_FALSE(cube->moving);
  EXPECT_EQ(rolls.ends, (std::vector<int>{East, South}));
  EXPECT_NEAR(cube->position[2], kSquareSize, 1e-6);
}

TEST_F(CubeTest, StartRollIsRefusedWhileRollingOnStaticBlocksAndWithoutDirection) {
  cube->StartRoll(North, true);
  EXPECT_EQ(rolls.starts, 1);
  cube->StartRoll(East, true);  // already rolling
  EXPECT_EQ(rolls.starts, 1);
  EXPECT_EQ(cube->rollDirection, North);
  host.ticks += 1000;
  cube->Update();

  cube->StartRoll(-1, true);
  EXPECT_EQ(rolls.starts, 1);
  EXPECT_FALSE(cube->moving);

  const char16_t letters[6] = {u'S', u'S', u'S', u'S', u'S', u'S'};
  LevelCell other;
  other.level = &own;
  std::unique_ptr<Cube> block(Cube::Create("cube 2", &other, letters, true));
  const FaceState before = StateOf(*block);
  block->StartRoll(West, false);
  block->Update();
  EXPECT_EQ(rolls.starts, 1);
  EXPECT_FALSE(block->moving);
  EXPECT_EQ(StateOf(*block), before);
}

TEST_F(CubeTest, TheRollMovesTheCubeToTheNeighbouringCellOfItsLevel) {
  UseLevels(OneLevel({"...", ".X.", "..."}, {"X 1 1 h"}));
  StartPlain();
  Cube* onBoard = level.cubes[0];
  LevelCell* from = level.CellAt(1, 1);
  ASSERT_EQ(from->occupant, onBoard);
  ASSERT_EQ(puzzle.MoveSelected(West), 1);
  FinishRoll();
  EXPECT_EQ(from->occupant, nullptr);
  EXPECT_EQ(level.CellAt(0, 1)->occupant, onBoard);
  EXPECT_EQ(onBoard->standingOn, level.CellAt(0, 1));
  // The cell it was created on still owns it.
  EXPECT_EQ(from->item, onBoard);
}
