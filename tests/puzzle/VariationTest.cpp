// The variation and the shuffle at a level start: every word stays readable
// under the eight turns and mirrors, and the shuffle is made of legal rolls
// that never step straight back and can be played back to the solution.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>

#include "puzzle/Cube.h"
#include "puzzle/Random.h"
#include "tests/puzzle/PuzzleTestSupport.h"

using namespace puzzletest;

namespace {

// Three horizontal and vertical words of different lengths, walls, on a
// board that is not square.
const std::vector<std::string> kMixedRows = {
    "##########",  //
    "#.SUN....#",  //
    "#......T.#",  //
    "#.#....E.#",  //
    "#......A.#",  //
    "#.GO.....#",  //
    "##########"};
const std::vector<std::string> kMixedWords = {"SUN 2 1 h", "TEA 7 2 v", "GO 2 5 h"};

std::map<char16_t, int> LetterCounts(const Board& board) {
  std::map<char16_t, int> counts;
  for (uint32_t y = 0; y < board.height; ++y)
    for (uint32_t x = 0; x < board.width; ++x)
      if (char16_t letter = board.letters[Board::Index(x, y)]) counts[letter]++;
  return counts;
}

int CountCells(const Board& board, int code) {
  int count = 0;
  for (uint32_t y = 0; y < board.height; ++y)
    for (uint32_t x = 0; x < board.width; ++x) count += board.cells[Board::Index(x, y)] == code;
  return count;
}

int CountWalls(const Board& board) {
  int count = 0;
  for (int code = 0; code < kWallShapeCount; ++code) count += CountCells(board, code);
  return count;
}

class VariationTest : public PuzzleTest {
 protected:
  void StartVariant(int variant, bool mix = false) {
    LevelStartOptions options;
    options.variant = variant;
    options.mix = mix;
    options.gentle = false;
    ASSERT_EQ(puzzle.StartLevel(0, options), 1);
  }
};

}  // namespace

TEST_F(VariationTest, EveryVariationKeepsEveryWordReadableWhereItNowStands) {
  UseLevels(OneLevel(kMixedRows, kMixedWords));
  StartVariant(0);
  const std::map<char16_t, int> letters = LetterCounts(board);
  const int walls = CountWalls(board);
  std::set<std::vector<std::string>> layouts;
  for (int variant = 0; variant < kVariationCount; ++variant) {
    StartVariant(variant);
    layouts.insert(BoardRows());
    const bool turned = variant & kVaryRotate;
    EXPECT_EQ(board.width, turned ? 7u : 10u) << variant;
    EXPECT_EQ(board.height, turned ? 10u : 7u) << variant;
    EXPECT_TRUE(WordsReadable(board)) << variant;
    EXPECT_EQ(board.formedCount, 3) << variant;
    EXPECT_EQ(LetterCounts(board), letters) << variant;
    EXPECT_EQ(CountWalls(board), walls);
    // The solution is the varied arrangement.
    EXPECT_EQ(std::memcmp(board.solution, board.letters, sizeof board.letters), 0);
  }
  // Each of the eight was applied, none put back: eight different boards.
  EXPECT_EQ(layouts.size(), 8u);
}

TEST_F(VariationTest, AStaticBlockKeepsStandingInsideItsWord) {
  UseLevels(OneLevel({"#######", "#.....#", "#.BoAT#", "#######"}, {"BOAT 2 2 h"}));
  for (int variant = 0; variant < kVariationCount; ++variant) {
    StartVariant(variant);
    const LevelWord& word = board.words[0];
    std::string kinds;
    for (int i = 0; i < 4; ++i) {
      const int x = WordSquareX(word, i);
      const int y = WordSquareY(word, i);
      kinds += board.IsStaticBlock(x, y) ? 's' : board.CellAt(x, y) == CUBE ? 'c' : '?';
    }
    // A reversed word is written again in reading order over the same
    // squares, so the block ends up second or third.
    const bool reversed = variant == kVaryMirror || variant == (kVaryRotate | kVaryFlip) ||
                          variant == (kVaryFlip | kVaryMirror) || variant == 7;
    EXPECT_EQ(kinds, reversed ? "ccsc" : "cscc") << variant;
    EXPECT_EQ(board.formedCount, 1) << variant;
  }
}

TEST_F(VariationTest, ATurnedVerticalWordIsWrittenAgainToReadLeftToRight) {
  UseLevels(OneLevel({"....", ".A..", ".B..", ".C.."}, {"ABC 1 1 v"}));
  StartVariant(kVaryRotate);
  // Turned clockwise the column would read C B A from the left.
  EXPECT_EQ(board.words[0].direction, kWordHorizontal);
  EXPECT_EQ(board.words[0].x, 0);
  EXPECT_EQ(board.words[0].y, 1);
  EXPECT_EQ(BoardRows(), (std::vector<std::string>{"+...", "ABC.", "+...", "...."}));
  EXPECT_EQ(board.solution[Board::Index(0, 1)], u'A');
  EXPECT_EQ(board.solution[Board::Index(2, 1)], u'C');
}

TEST_F(VariationTest, TheFirstDrawTurnsTheSecondFlipsTheThirdMirrors) {
  UseLevels(OneLevel(kMixedRows, kMixedWords));
  // For each layout, a seed whose three draws (upper half: apply) name it.
  for (int variant = 0; variant < kVariationCount; ++variant) {
    unsigned seed = 1;
    for (;; ++seed) {
      std::srand(seed);
      const int drawn = (RandomValue() >= 16384 ? kVaryRotate : 0) | (RandomValue() >= 16384 ? kVaryFlip : 0) |
                        (RandomValue() >= 16384 ? kVaryMirror : 0);
      if (drawn == variant) break;
    }
    std::srand(seed);
    LevelStartOptions unmixed;
    unmixed.mix = false;
    ASSERT_EQ(puzzle.StartLevel(0, unmixed), 1);
    const std::vector<std::string> random = BoardRows();
    StartVariant(variant);
    EXPECT_EQ(BoardRows(), random) << "variant " << variant << ", seed " << seed;
  }
}

TEST_F(VariationTest, AVariationThatWouldBreakACrossingWordLeavesTheBoardAsStored) {
  UseLevels(OneLevel({"......", ".CART.", "..N...", "..T..."}, {"CART 1 1 h", "ANT 2 1 v"}));
  StartVariant(0);
  const std::vector<std::string> stored = BoardRows();
  // Mirrored, CART is written again and its A moves beside the column of ANT.
  StartVariant(kVaryMirror);
  EXPECT_EQ(BoardRows(), stored);
  for (int variant = 0; variant < kVariationCount; ++variant) {
    StartVariant(variant);
    EXPECT_EQ(board.formedCount, 2) << variant;
  }
  // Turned and mirrored the board is transposed: both words keep their order.
  StartVariant(kVaryRotate | kVaryMirror);
  EXPECT_EQ(board.width, 4u);
  EXPECT_EQ(board.words[0].direction, kWordVertical);
}

TEST_F(VariationTest, ACubeInACorridorWalksForwardUntilItsDeadEnd) {
  // Three rolls leave another face up, so the start is not already solved.
  UseLevels(OneLevel({"######", "#X...#", "######"}, {"X 1 1 h"}));
  puzzle.SetDifficulty(2);
  puzzle.RecordShuffle(true);
  StartVariant(0, true);
  EXPECT_EQ(puzzle.CubeRecord(0).x, 4);
  ASSERT_EQ(puzzle.LastShuffle().steps.size(), 3u);
  for (const ShuffleStep& step : puzzle.LastShuffle().steps) EXPECT_EQ(step.pick, kPickEast);
  EXPECT_EQ(puzzle.LastShuffle().MoveCount(0), 3);
  EXPECT_EQ(puzzle.LastShuffle().Move(0, 2), kPickEast);
  EXPECT_EQ(puzzle.LastShuffle().Move(0, 3), -1);
  // The roll hooks stay quiet while mixing.
  EXPECT_TRUE(host.sounds.empty());
  EXPECT_EQ(play.moveCount, 0);
}

TEST_F(VariationTest, TheShuffleNeverStepsStraightBack) {
  UseLevels(OneLevel({"......", "......", "..Q...", "......", "......"}, {"Q 2 2 h"}));
  puzzle.RecordShuffle(true);
  for (unsigned seed = 1; seed <= 200; ++seed) {
    std::srand(seed);
    StartVariant(0, true);
    // Ten steps, then more only when those left the level solved.
    const std::vector<ShuffleStep>& steps = puzzle.LastShuffle().steps;
    ASSERT_GE(steps.size(), 10u);
    for (size_t i = 1; i < 10; ++i)
      EXPECT_NE(PickDirection(steps[i].pick), OppositeDirection(PickDirection(steps[i - 1].pick))) << "seed " << seed;
  }
}

TEST_F(VariationTest, PlayingTheRecordedShuffleBackSolvesTheLevel) {
  UseLevels(OneLevel(kMixedRows, kMixedWords));
  puzzle.RecordShuffle(true);
  for (unsigned seed = 1; seed <= 40; ++seed) {
    StartVariant(seed % kVariationCount, false);
    uint8_t stored[kGridSquares];
    std::memcpy(stored, board.cells, sizeof stored);
    std::srand(seed);
    StartVariant(seed % kVariationCount, true);
    // Shuffled: the same cubes, on squares that were free or held a cube,
    // static blocks where they stood.
    EXPECT_EQ(CountCells(board, CUBE), 8);
    for (uint32_t y = 0; y < board.height; ++y)
      for (uint32_t x = 0; x < board.width; ++x) {
        const int i = Board::Index(x, y);
        if (board.cells[i] == CUBE) {
          EXPECT_FALSE(IsWallCode(stored[i])) << "seed " << seed;
        }
        if (IsWallCode(stored[i])) {
          EXPECT_EQ(board.cells[i], stored[i]) << "seed " << seed;
        }
      }
    PlayShuffleBack();
    EXPECT_EQ(std::memcmp(board.letters, board.solution, sizeof board.letters), 0) << "seed " << seed;
    EXPECT_EQ(board.formedCount, 3) << "seed " << seed;
    for (const Cube* cube : level.cubes) {
      EXPECT_EQ(cube->positions.upper, 0) << "seed " << seed;
      EXPECT_EQ(cube->UpperTurn(), 0) << "seed " << seed;
    }
  }
}

TEST_F(VariationTest, TheRecordHoldsEveryCubeAndEveryStep) {
  // Five words of five letters: 25 cubes, more than twenty. (Five copies of
  // one word: each is read from the first A.)
  std::vector<std::string> rows(13, std::string(13, '.'));
  std::vector<std::string> words;
  for (int w = 0; w < 5; ++w) {
    rows[2 * w + 1].replace(4, 5, "ABCDE");
    words.push_back("ABCDE 4 " + std::to_string(2 * w + 1) + " h");
  }
  UseLevels(OneLevel(rows, words));
  puzzle.RecordShuffle(true);
  StartVariant(0, true);
  ASSERT_EQ(puzzle.CubeCount(), 25);
  int total = 0;
  for (int c = 0; c < puzzle.CubeCount(); ++c) total += puzzle.LastShuffle().MoveCount(c);
  EXPECT_EQ(total, static_cast<int>(puzzle.LastShuffle().steps.size()));
  EXPECT_GT(puzzle.LastShuffle().MoveCount(24), 0);
  PlayShuffleBack();
  EXPECT_EQ(board.formedCount, 5);
  EXPECT_EQ(std::memcmp(board.letters, board.solution, sizeof board.letters), 0);

  // A cube rolled onto a later word's square is shuffled again there, and
  // every one of its steps is kept.
  UseLevels(OneLevel({"#####", "#.AB#", "#####"}, {"AB 2 1 h", "A 2 1 v"}));
  StartVariant(0, true);
  EXPECT_EQ(puzzle.LastShuffle().MoveCount(1), 2);
  PlayShuffleBack();
  EXPECT_EQ(std::memcmp(board.letters, board.solution, sizeof board.letters), 0);
  puzzle.RecordShuffle(false);
  StartVariant(0, true);
  EXPECT_TRUE(puzzle.LastShuffle().steps.empty());
}

TEST_F(VariationTest, ALevelIsNeverHandedOverSolved) {
  // With every face an X, ten random rolls often end upright; in the
  // corridor every shuffle ends with the word standing, so the start rolls
  // the cube one more square. A boxed-in cube cannot help it.
  UseLevels(OneLevel({"...", ".X.", "..."}, {"X 1 1 h"}) + OneLevel({"####", "#X.#", "####"}, {"X 1 1 h"}, "BBBBB") +
            OneLevel({"###", "#X#", "###"}, {"X 1 1 h"}, "CCCCC"));
  puzzle.SetDifficulty(0);
  puzzle.RecordShuffle(true);
  for (unsigned seed = 1; seed <= 60; ++seed) {
    std::srand(seed);
    puzzle.StartLevel(seed % 2, LevelStartOptions{false, -1, true, false});
    EXPECT_EQ(board.formedCount, 0) << "seed " << seed << " level " << seed % 2;
    PlayShuffleBack();  // the record still rolls the cube home
    EXPECT_EQ(board.formedCount, 1) << "seed " << seed;
  }
  puzzle.StartLevel(2, LevelStartOptions{false, -1, true, false});
  EXPECT_EQ(board.formedCount, 1);
}
