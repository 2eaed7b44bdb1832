// The rules of play: where a cube may go, the move targets and arrows, the
// selection, undo and its cost, and when a word counts as spelled.
#include "puzzle/Cube.h"
#include "tests/puzzle/PuzzleTestSupport.h"
#include "tests/support/TestFiles.h"

using namespace puzzletest;

namespace {

class RulesTest : public PuzzleTest {
 protected:
  // A move that must be accepted, rolled to its end.
  void Move(int direction) {
    ASSERT_EQ(puzzle.MoveSelected(direction), 1) << "direction " << direction;
    FinishRoll();
  }
  void Select(int x, int y) {
    const int cube = puzzle.FindCubeAt(x, y);
    ASSERT_GE(cube, 0);
    puzzle.SelectCube(cube);
  }
  int Cell(int x, int y) { return board.cells[Board::Index(x, y)]; }
};

}  // namespace

TEST_F(RulesTest, ACubeMovesOntoFloorOrItsOwnTargetButNeverOntoWallsBlocksOrCubes) {
  UseLevels(OneLevel({"#....", ".AB.c", "....."}, {"AB 1 1 h", "C 4 1 h"}));
  StartPlain();
  EXPECT_EQ(play.selectedCube, 0);
  Select(2, 1);
  // B's targets: North, East and South; West holds A.
  EXPECT_EQ(Cell(2, 0), TARGET_NORTH);
  EXPECT_EQ(Cell(3, 1), TARGET_EAST);
  EXPECT_EQ(Cell(2, 2), TARGET_SOUTH);
  EXPECT_EQ(Cell(1, 1), CUBE);
  ASSERT_EQ(puzzle.ArrowCount(), 3);
  EXPECT_EQ(puzzle.Arrow(1).x, 3);
  EXPECT_EQ(puzzle.Arrow(1).direction, East);
  EXPECT_EQ(puzzle.Arrow(1).active, 1);
  EXPECT_EQ(puzzle.CanMove(2, 1), 1);

  EXPECT_EQ(puzzle.MoveSelected(West), 0);  // onto a cube
  Move(East);
  EXPECT_EQ(puzzle.MoveSelected(East), 0);  // onto the static block
  Select(1, 1);
  Move(North);
  EXPECT_EQ(puzzle.MoveSelected(North), 0);  // off the board
  EXPECT_EQ(puzzle.MoveSelected(West), 0);   // onto a wall
  EXPECT_EQ(host.sounds, (std::vector<int>{kSoundRoll, kSoundRoll}));
  EXPECT_EQ(play.moveCount, 2);
  EXPECT_EQ(host.lightTopBars, 2);

  // Nothing is accepted while a roll runs.
  ASSERT_EQ(puzzle.MoveSelected(South), 1);
  EXPECT_EQ(play.moveState, TARGET_SOUTH);
  EXPECT_EQ(puzzle.MoveSelected(East), 0);
  EXPECT_EQ(puzzle.Undo(), 0);
  EXPECT_EQ(play.moveCount, 3);
  FinishRoll();
  EXPECT_EQ(play.moveState, kMoveStateReady);
  EXPECT_EQ(BoardRows(), (std::vector<std::string>{"#+...", "+A+Bc", ".+..."}));
  EXPECT_EQ(puzzle.CanMove(4, 1), 0);  // static blocks never move
}

TEST_F(RulesTest, ClearTargetsPutsTheFloorBackAndSilencesTheArrows) {
  UseLevels(OneLevel({"...", ".X.", "..."}, {"X 1 1 h"}));
  StartPlain();
  ASSERT_EQ(puzzle.ArrowCount(), 4);
  EXPECT_EQ(puzzle.Arrow(0).direction, North);
  EXPECT_EQ(puzzle.Arrow(3).direction, West);
  EXPECT_EQ(puzzle.Arrow(3).x, 0);
  puzzle.ClearTargets();
  EXPECT_EQ(BoardRows(), (std::vector<std::string>{"...", ".X.", "..."}));
  EXPECT_EQ(puzzle.ArrowCount(), 0);
  for (int i = 0; i < kMaxArrows; ++i) EXPECT_EQ(puzzle.Arrow(i).active, 0);
  // A move onto plain floor is accepted as well as onto a target.
  Move(South);
  EXPECT_EQ(puzzle.CubeRecord(0).y, 2);
}

TEST_F(RulesTest, AnUndoRollsBackWithItsFacesAndCostsTenMoves) {
  UseLevels(OneLevel({"....", ".XY.", "...."}, {"XY 1 1 h"}));
  puzzle.SetDifficulty(2);
  StartPlain();
  Select(1, 1);
  const Cube& cube = *level.cubes[0];
  const FacePositions before = cube.positions;
  const char16_t upper = cube.UpperLetter();
  Move(North);
  EXPECT_NE(cube.positions.upper, before.upper);
  host.sounds.clear();
  ASSERT_EQ(puzzle.Undo(), 1);
  EXPECT_EQ(play.moveCount, 11);
  FinishRoll();
  EXPECT_EQ(puzzle.CubeRecord(0).x, 1);
  EXPECT_EQ(puzzle.CubeRecord(0).y, 1);
  EXPECT_EQ(cube.positions, before);
  EXPECT_EQ(cube.UpperLetter(), upper);
  EXPECT_EQ(cube.UpperTurn(), 0);
  EXPECT_EQ(board.formedCount, 1);
  // The undo roll, and the word standing again is a better placement.
  EXPECT_EQ(host.sounds, (std::vector<int>{kSoundUndoRoll, kSoundBetter}));
  // Nothing left: the refusal sound, no cost.
  host.sounds.clear();
  EXPECT_EQ(puzzle.Undo(), 0);
  EXPECT_EQ(play.moveCount, 11);
  EXPECT_EQ(host.sounds, std::vector<int>{kSoundRefuse});
}

TEST_F(RulesTest, UndoRollsBackCubesThatAreNotSelectedOverTheSelectionsTargets) {
  UseLevels(OneLevel({".....", ".CAT.", "....."}, {"CAT 1 1 h"}));
  StartPlain();
  Select(1, 1);
  Move(North);
  Select(3, 1);
  Move(South);
  // A beside the two vacated squares marks both as its targets.
  Select(2, 1);
  ASSERT_EQ(Cell(3, 1), TARGET_EAST);
  ASSERT_EQ(Cell(1, 1), TARGET_WEST);
  host.sounds.clear();
  ASSERT_EQ(puzzle.Undo(), 1);
  FinishRoll();
  EXPECT_EQ(play.moveCount, 12);
  EXPECT_EQ(play.selectedCube, puzzle.FindCubeAt(3, 1));
  EXPECT_EQ(board.LetterAt(3, 1), u'T');
  ASSERT_EQ(puzzle.Undo(), 1);
  FinishRoll();
  EXPECT_EQ(play.moveCount, 22);
  EXPECT_EQ(BoardRows(), (std::vector<std::string>{".+...", "+CAT.", ".+..."}));
  EXPECT_EQ(board.formedCount, 1);
  EXPECT_EQ(host.sounds, (std::vector<int>{kSoundUndoRoll, kSoundUndoRoll, kSoundBetter}));
}

TEST_F(RulesTest, TheUndoStackKeepsTheNineNewestMoves) {
  UseLevels(OneLevel({"X...........", "............"}, {"X 0 0 h"}));
  StartPlain();
  const int moves[10] = {East, East, East, East, East, South, West, West, West, West};
  for (int direction : moves) Move(direction);
  EXPECT_EQ(puzzle.CubeRecord(0).x, 1);
  EXPECT_EQ(puzzle.CubeRecord(0).y, 1);
  for (int i = 0; i < 9; ++i) {
    ASSERT_EQ(puzzle.Undo(), 1) << "undo " << i + 1;
    FinishRoll();
  }
  // Back where the first move left it: that move can no longer be undone.
  EXPECT_EQ(puzzle.CubeRecord(0).x, 1);
  EXPECT_EQ(puzzle.CubeRecord(0).y, 0);
  host.sounds.clear();
  EXPECT_EQ(puzzle.Undo(), 0);
  EXPECT_EQ(host.sounds, std::vector<int>{kSoundRefuse});
  EXPECT_EQ(play.moveCount, 10 + 9 * 10);
}

TEST_F(RulesTest, AWordSpelledBothWaysCountsOnceFromTheRow) {
  UseLevels(OneLevel({"....", ".ON.", ".N..", "...."}, {"ON 1 1 h"}));
  StartPlain();
  EXPECT_EQ(board.formedCount, 1);
  EXPECT_EQ(board.found[0], 1);
  // Row read: h = 2; the column is not read, so v stays 1.
  EXPECT_EQ(board.placementScore, 2);
  EXPECT_EQ(board.words[0].lit[0], 1);
  EXPECT_EQ(board.words[0].lit[1], 1);
  // Without the row the column spells it.
  Select(2, 1);
  Move(East);
  EXPECT_EQ(board.formedCount, 1);
  EXPECT_EQ(board.placementScore, 2);
  // Without either, nothing but the anchor is lit.
  Select(1, 2);
  Move(South);
  EXPECT_EQ(board.formedCount, 0);
  EXPECT_EQ(board.words[0].lit[0], 1);
  EXPECT_EQ(board.words[0].lit[1], 0);
  EXPECT_EQ(board.placementScore, 1);
}

TEST_F(RulesTest, AStaticBlockBeforeTheFirstLetterBecomesTheAnchor) {
  // A block as the first letter anchors the word; blocks score two.
  UseLevels(OneLevel({"......", ".cAT..", "......", "......"}, {"CAT 1 1 h"}) +
            OneLevel({"......", ".CaT..", "......"}, {"CAT 1 1 h"}, "BBBBB") +
            OneLevel({"z.....", "......", "..CAT.", "......"}, {"CAT 2 2 h"}, "CCCCC"));
  StartPlain(0);
  EXPECT_EQ(board.formedCount, 1);
  EXPECT_EQ(board.placementScore, 3);
  StartPlain(1);
  EXPECT_EQ(board.formedCount, 1);
  EXPECT_EQ(board.placementScore, 4);
  // A block anywhere before the first letter takes the anchor from it: the
  // word standing on the board is not read.
  StartPlain(2);
  int x = -1, y = -1;
  ASSERT_TRUE(puzzle.FindAnchor(u'C', x, y));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(board.formedCount, 0);
  EXPECT_EQ(board.words[0].lit[0], 1);
  EXPECT_EQ(board.words[0].lit[1], 0);
}

TEST_F(RulesTest, AColumnReadsAcrossAStaticBlockAndAFirstLetterOnNoCubeCountsAsSpelled) {
  UseLevels(OneLevel({".....", ".C...", ".a...", ".T..."}, {"CAT 1 1 v"}));
  StartPlain();
  // The row fails at once; down the column the block counts for both.
  EXPECT_EQ(board.formedCount, 1);
  EXPECT_EQ(board.placementScore, 4);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(board.words[0].lit[i], 1) << i;
  // A word whose first letter no cube carries, on a board without static
  // blocks, has no anchor: nothing lit, nothing scored, and it counts.
  UseLevels(OneLevel({".....", ".CAT.", "....."}, {"QAT 1 1 h"}));
  StartPlain();
  EXPECT_EQ(board.formedCount, 1);
  EXPECT_EQ(board.placementScore, 0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(board.words[0].lit[i], 0) << i;
}

TEST_F(RulesTest, AHalfTurnCountsOnlyForSymmetricLetters) {
  UseLevels(OneLevel({".....", ".X...", "....."}, {"X 1 1 h"}));
  StartPlain();
  Select(1, 1);
  // Around a square of four rolls the cube comes back with its letter upside down.
  for (int direction : {East, North, West, South}) Move(direction);
  const Cube& cube = *level.cubes[0];
  ASSERT_EQ(cube.UpperTurn(), 2);
  EXPECT_EQ(board.formedCount, 0);
  EXPECT_EQ(puzzle.CubeRecord(0).inPlace, 0);

  puzzle.SetSymmetricLetters(u"HINOSXZ");
  EXPECT_EQ(puzzle.CheckWords(), 1);
  EXPECT_EQ(puzzle.CubeRecord(0).inPlace, 1);
  // A quarter turn never counts.
  for (int direction : {East, North, West, South}) Move(direction);
  ASSERT_EQ(cube.UpperTurn(), 3);
  EXPECT_EQ(board.formedCount, 0);
  // The third time round the cube is as it started.
  for (int direction : {East, North, West, South}) Move(direction);
  ASSERT_EQ(cube.UpperTurn(), 0);
  EXPECT_EQ(board.formedCount, 1);
}

TEST_F(RulesTest, WithDifficultyZeroACubeIsRightAsSoonAsItsLetterIsUpright) {
  UseLevels(OneLevel({".......", ".......", "..CAT..", ".......", "......."}, {"CAT 2 2 h"}));
  const int tour[6] = {North, West, West, South, East, East};
  for (int difficulty : {0, 2}) {
    puzzle.SetDifficulty(difficulty);
    StartPlain();
    Select(2, 2);
    for (int direction : tour) Move(direction);
    // Back on its square with another face up, upright.
    const Cube& cube = *level.cubes[0];
    ASSERT_NE(cube.positions.upper, 0);
    ASSERT_EQ(cube.UpperTurn(), 0);
    EXPECT_EQ(board.formedCount, difficulty == 0 ? 1 : 0) << "difficulty " << difficulty;
    EXPECT_EQ(puzzle.CubeRecord(0).inPlace, difficulty == 0 ? 1 : 0);
  }
  // Turned, the same letter does not count.
  puzzle.SetDifficulty(0);
  StartPlain();
  Select(2, 2);
  for (int direction : {North, West, South, East}) Move(direction);
  EXPECT_NE(level.cubes[0]->UpperTurn(), 0);
  EXPECT_EQ(board.formedCount, 0);
}

TEST_F(RulesTest, TheFormedCountFallsWhenAWordIsBrokenAndBetterPlacementSounds) {
  UseLevels(OneLevel({".....", ".CAT.", "....."}, {"CAT 1 1 h"}));
  StartPlain();
  EXPECT_EQ(board.formedCount, 1);
  EXPECT_EQ(play.lastWordsFormed, 1);
  Select(3, 1);
  host.sounds.clear();
  ASSERT_EQ(puzzle.MoveSelected(South), 1);
  EXPECT_EQ(play.lastWordsFormed, 1);  // the count when the roll started
  FinishRoll();
  EXPECT_EQ(board.formedCount, 0);
  EXPECT_EQ(host.sounds, std::vector<int>{kSoundRoll});
  Move(North);
  EXPECT_EQ(play.lastWordsFormed, 0);
  EXPECT_EQ(board.formedCount, 1);
  EXPECT_EQ(host.sounds, (std::vector<int>{kSoundRoll, kSoundRoll, kSoundBetter}));
}

TEST_F(RulesTest, TabSkipsCubesThatCannotMoveInBothDirections) {
  UseLevels(OneLevel({"###....", "#B#A.C.", "###...."}, {"B 1 1 h", "A 3 1 h", "C 5 1 h"}));
  StartPlain();
  EXPECT_EQ(puzzle.CanMove(1, 1), 0);
  EXPECT_EQ(play.selectedCube, 1);  // the first cube that can move
  puzzle.SelectNextMovable(true);
  EXPECT_EQ(play.selectedCube, 2);
  puzzle.SelectNextMovable(true);
  EXPECT_EQ(play.selectedCube, 1);
  puzzle.SelectNextMovable(false);
  EXPECT_EQ(play.selectedCube, 2);
  EXPECT_EQ(level.cubes[2]->Look(), 2);
  EXPECT_EQ(level.cubes[1]->Look(), 1);

  UseLevels(OneLevel({"###", "#B#", "###"}, {"B 1 1 h"}));
  StartPlain();
  EXPECT_EQ(play.selectedCube, 0);
  puzzle.SelectNextMovable(true);
  puzzle.SelectNextMovable(false);
  EXPECT_EQ(play.selectedCube, 0);
}

TEST_F(RulesTest, StartingALevelResetsTheGameAndTheHistory) {
  UseLevels(OneLevel({".....", ".CAT.", "....."}, {"CAT 1 1 h"}) + OneLevel({"DOG.", "...."}, {"DOG 0 0 h"}, "BBBBB"));
  StartPlain(0);
  Select(2, 1);
  Move(South);
  EXPECT_EQ(play.moveCount, 1);
  EXPECT_EQ(host.captures, 1);
  StartPlain(1);
  EXPECT_EQ(play.levelIndex, 1);
  EXPECT_EQ(play.moveCount, 0);
  EXPECT_EQ(host.wordListsShown, 2);
  EXPECT_EQ(board.formedCount, 1);
  EXPECT_EQ(play.lastWordsFormed, 1);
  EXPECT_EQ(puzzle.Undo(), 0);
  EXPECT_EQ(host.fullTopBars, 2);
  // The demonstration captures no screen.
  host.demonstration = true;
  StartPlain(0);
  EXPECT_EQ(host.captures, 2);
  // A level that is not in the set is refused, and so is one whose theme the
  // host cannot load: the shell ends the game then.
  testsupport::CapturedStream err(2);
  EXPECT_EQ(puzzle.StartLevel(2), 0);
  EXPECT_EQ(err.Text(), "No level 3 in the level set\n");
  host.themeLoads = false;
  EXPECT_EQ(puzzle.StartLevel(1), 0);
}
