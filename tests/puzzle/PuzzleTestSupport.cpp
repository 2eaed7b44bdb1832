#include "tests/puzzle/PuzzleTestSupport.h"
#include "puzzle/PlayState.h"

#include <cstdlib>

#include "base/CUString.h"
#include "config/Language.h"
#include "config/Settings.h"
#include "puzzle/Board.h"
#include "puzzle/Cube.h"
#include "puzzle/Scene.h"
#include "puzzle/Variation.h"
#include "tools/level/LevelSource.h"

namespace puzzletest {

LevelSet LevelsFrom(const std::string& source) {
  LevelSet set;
  std::string error;
  EXPECT_TRUE(ParseLevelSource(source, set, error)) << error << "\n" << source;
  return set;
}

void UseLevels(const std::string& source) { g_levelSet = LevelsFrom(source); }

std::string OneLevel(const std::vector<std::string>& rows, const std::vector<std::string>& words, const char* code) {
  std::string text = "level\ncode " + std::string(code) + "\nboard\n";
  for (const std::string& row : rows) text += row + "\n";
  for (const std::string& word : words) text += "word " + word + "\n";
  return text + "end\n";
}

void StartPlain(int index) {
  LevelStartOptions plain;
  plain.vary = false;
  plain.mix = false;
  ASSERT_EQ(StartLevel(index, plain), 1);
}

void FinishRoll(RecordingHost& host) {
  host.ticks += static_cast<uint32_t>(g_moveDuration) * 2;
  g_level.Update();
}

std::vector<std::string> BoardRows() {
  std::vector<std::string> rows;
  for (uint32_t y = 0; y < g_board.height; ++y) {
    std::u16string row;
    for (uint32_t x = 0; x < g_board.width; ++x) {
      const int code = g_board.cells[Board::Index(x, y)];
      const char16_t letter = g_board.letters[Board::Index(x, y)];
      if (letter != 0)
        row += code == CUBE ? letter : LowerCaseOf(letter);
      else
        row += IsWallCode(code) ? u'#' : IsTargetCode(code) ? u'+' : code == FLOOR ? u'.' : u'?';
    }
    rows.push_back(CUString(row.data(), row.size()).ToUtf8());
  }
  return rows;
}

void PuzzleTest::SetUp() {
  ResetPlayState();
  g_settings = Settings();
  g_moveDuration = 250;
  for (int set = 0; set < kSymmetricSetCount; ++set) SetSymmetricLetters(set, u"");
  InstallPuzzleHost(&host);
  Cube::SetRollHooks(&OnRollStart, &OnRollEnd);
  g_recording = 0;
  std::srand(1);
}

void PuzzleTest::TearDown() {
  g_level.Clear();
  InstallPuzzleHost(nullptr);
  Cube::SetRollHooks(&OnRollStart, &OnRollEnd);
  FreeLevelSet();
}

}  // namespace puzzletest
