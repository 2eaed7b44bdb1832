#include "tests/puzzle/PuzzleTestSupport.h"

#include <cstdlib>

#include "base/CUString.h"
#include "tests/support/TestFiles.h"
#include "tools/level/LevelSource.h"

namespace puzzletest {

LevelSet LevelsFrom(const std::string& source) {
  LevelSet set;
  std::string error;
  EXPECT_TRUE(ParseLevelSource(source, set, error)) << error << "\n" << source;
  return set;
}

std::string OneLevel(const std::vector<std::string>& rows, const std::vector<std::string>& words, const char* code) {
  std::string text = "level\ncode " + std::string(code) + "\nboard\n";
  for (const std::string& row : rows) text += row + "\n";
  for (const std::string& word : words) text += "word " + word + "\n";
  return text + "end\n";
}

std::vector<LevelSetChoice> ShippedChoices() {
  const std::string dir = testsupport::GameTreeDir() + "/data/level/";
  return {{dir + "french.lvl", u"HINOSXZ"}, {dir + "english.lvl", u"HINOSXZ"}, {dir + "spanish.lvl", u"HINOSXZ"},
          {dir + "german.lvl", u"HINOSXZ"}};
}

void StartPlain(Puzzle& puzzle, int index) {
  LevelStartOptions plain;
  plain.vary = false;
  plain.mix = false;
  ASSERT_EQ(puzzle.StartLevel(index, plain), 1);
}

void FinishRoll(Puzzle& puzzle, RecordingHost& host) {
  host.ticks += static_cast<uint32_t>(puzzle.MoveDuration()) * 2;
  puzzle.UpdateLevel();
}

std::vector<std::string> BoardRows(const Puzzle& puzzle) {
  const Board& board = puzzle.Board();
  std::vector<std::string> rows;
  for (uint32_t y = 0; y < board.height; ++y) {
    std::u16string row;
    for (uint32_t x = 0; x < board.width; ++x) {
      const int code = board.cells[Board::Index(x, y)];
      const char16_t letter = board.letters[Board::Index(x, y)];
      if (letter != 0)
        row += code == CUBE ? letter : LowerCaseOf(letter);
      else
        row += IsWallCode(code) ? u'#' : IsTargetCode(code) ? u'+' : code == FLOOR ? u'.' : u'?';
    }
    rows.push_back(CUString(row.data(), row.size()).ToUtf8());
  }
  return rows;
}

void PuzzleTest::SetUp() { std::srand(1); }

}  // namespace puzzletest
