// The load and save screens' slot lines from real slot files, and their rows.
#include <gtest/gtest.h>

#include <utime.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>

#include "config/Language.h"
#include "config/Settings.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/LevelSetChoices.h"
#include "ui/SaveSlots.h"

namespace {

// A whole slot file: a one-square board of no words and no cubes.
std::string Game(int32_t level, int32_t difficulty, int32_t set) {
  SavedGame game;
  game.levelIndex = level, game.difficulty = difficulty, game.levelSet = set, game.moveCount = 5;
  game.board.width = game.board.height = 1;
  const std::vector<uint8_t> bytes = EncodeSavedGame(game);
  return std::string(bytes.begin(), bytes.end());
}

class SaveSlots : public ::testing::Test {
 protected:
  void SetUp() override {
    uitest::LoadShippedLanguage("en");
    setenv("TZ", "UTC", 1);
    tzset();
  }
  std::string SlotFile(int slot) { return game.Dir() / ("save/save0" + std::to_string(slot) + ".orb"); }
  std::vector<std::string> Lines() {
    // Every slot file dated 2026-12-08 14:05 UTC.
    const utimbuf when{1796738700, 1796738700};
    for (int slot = 0; slot < kSaveSlotCount; ++slot) utime(SlotFile(slot).c_str(), &when);
    SaveSlotInfo infos[kSaveSlotCount];
    Puzzle puzzle;
    puzzle.SetGamePath(g_settings.gamePath);
    puzzle.SetLevelSetChoices(LevelSetChoicesOfLanguage());
    ReadSaveSlots(puzzle, infos);
    std::vector<std::string> lines;
    for (const SaveSlotInfo& info : infos) lines.push_back(SaveSlotLine(info).ToUtf8());
    return lines;
  }
  uitest::ScopedGameDirectory game;
};

TEST_F(SaveSlots, OnlySlotSevenHoldsAGame) {
  // The slot path is "<game dir>save\save07.orb": the backslashes become '/'
  // where the file is opened.
  ASSERT_TRUE(testsupport::WriteFile(SlotFile(7), Game(0, 2, 1)));
  std::vector<std::string> lines = Lines();
  for (int slot = 0; slot < kSaveSlotCount; ++slot)
    EXPECT_EQ(lines[slot], slot == 7 ? "Level 1 – English – Hard – 5 moves – 2026-12-08 14:05" : "Empty") << slot;
}

// Only a file that loads shows as a game; a file that is no game the game
// can load shows as damaged, one it cannot read as unreadable (not as
// "Empty", which invites an overwrite).
TEST_F(SaveSlots, SlotsThatHoldNoGameShowAsDamagedOrUnreadableWithAMessage) {
  const std::string files[] = {
      Game(41, 0, 2), Game(3, 3, 0) /* difficulty */, Game(3, 1, LevelSetCount()) /* no such set */,
      Game(-1, 1, 0), Game(3, 1, -7), Game(3, 1, 0).substr(0, 11), Game(99, 1, 0),
      Game(3, 1, 0).substr(0, 30) /* a whole header, the board cut */};
  for (int slot = 0; slot < 8; ++slot) ASSERT_TRUE(testsupport::WriteFile(SlotFile(slot), files[slot]));
  ASSERT_EQ(mkdir(SlotFile(8).c_str(), 0777), 0);
  testsupport::CapturedStream err(2);
  std::vector<std::string> lines = Lines();
  std::string text = err.Text();
  EXPECT_EQ(lines, (std::vector<std::string>{"Level 42 – Spanish – Easy – 5 moves – 2026-12-08 14:05", "Damaged",
                                             "Damaged", "Damaged", "Damaged", "Damaged",
                                             "Level 100 – French – Normal – 5 moves – 2026-12-08 14:05", "Damaged",
                                             "Unreadable", "Empty"}));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7) << text;
  EXPECT_NE(text.find("Save slot 1 "), std::string::npos) << text;
}

TEST(SaveSlotRows, PointerAndKeysChooseARow) {
  // Rows start at 20% of 600 = 120 and are 32 high; row 10 is Back.
  EXPECT_EQ(SlotRowUnderPointer(119, 600), -1);
  EXPECT_EQ(SlotRowUnderPointer(120, 600), 0);
  EXPECT_EQ(SlotRowUnderPointer(151, 600), 0);
  EXPECT_EQ(SlotRowUnderPointer(152, 600), 1);
  EXPECT_EQ(SlotRowUnderPointer(120 + 32 * 10 + 5, 600), kSlotBackRow);
  EXPECT_EQ(SlotRowUnderPointer(120 + 32 * 11, 600), -1);
  EXPECT_EQ(SlotRowY(3, 600), 216);

  SlotListModel list;
  EXPECT_EQ(list.Highlighted(), 0);
  list.PointerMoved(200, 600);
  EXPECT_EQ(list.Highlighted(), 2);
  list.PointerMoved(20, 600);  // off the rows: the highlight stays
  EXPECT_EQ(list.Highlighted(), 2);
  list.Event(UiEvent::KeyRelease(SDLK_UP), 600);
  list.Event(UiEvent::KeyRelease(SDLK_UP), 600);
  list.Event(UiEvent::KeyRelease(SDLK_UP), 600);
  EXPECT_EQ(list.Highlighted(), kSlotBackRow);  // wrapped
  EXPECT_EQ(list.Event(UiEvent::KeyRelease(SDLK_RETURN), 600), SlotChoice::kRow);
  EXPECT_EQ(list.Chosen(), kSlotBackRow);
  // A release over another row than the press chooses nothing.
  EXPECT_EQ(list.Event(UiEvent::ButtonPress(SDL_BUTTON_LEFT, 10, 130), 600), SlotChoice::kNone);
  EXPECT_EQ(list.Event(UiEvent::ButtonRelease(SDL_BUTTON_LEFT, 10, 170), 600), SlotChoice::kNone);
  list.Event(UiEvent::ButtonPress(SDL_BUTTON_LEFT, 10, 365), 600);
  EXPECT_EQ(list.Event(UiEvent::ButtonRelease(SDL_BUTTON_LEFT, 10, 370), 600), SlotChoice::kRow);
  EXPECT_EQ(list.Chosen(), 7);
  EXPECT_EQ(list.Event(UiEvent::KeyRelease(SDLK_ESCAPE), 600), SlotChoice::kRow);
  EXPECT_EQ(list.Chosen(), kSlotBackRow);
}

}  // namespace
