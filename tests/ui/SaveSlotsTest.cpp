// The load and save screens' slot lines from real slot files, and their rows.
#include <gtest/gtest.h>

#include <utime.h>

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

std::string Header(int32_t level, int32_t difficulty, int32_t set) {
  std::string bytes;
  for (int32_t value : {level, difficulty, set, int32_t{5}})
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
  return bytes;
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
  ASSERT_TRUE(testsupport::WriteFile(SlotFile(7), Header(0, 2, 1)));
  std::vector<std::string> lines = Lines();
  for (int slot = 0; slot < kSaveSlotCount; ++slot)
    EXPECT_EQ(lines[slot], slot == 7 ? "Level 1 – English – Hard – 5 moves – 2026-12-08 14:05" : "Empty") << slot;
}

TEST_F(SaveSlots, HeadersOutOfRangeShowAsEmptyWithAMessage) {
  ASSERT_TRUE(testsupport::WriteFile(SlotFile(0), Header(41, 0, 2)));
  ASSERT_TRUE(testsupport::WriteFile(SlotFile(1), Header(3, 3, 0)));                // difficulty
  ASSERT_TRUE(testsupport::WriteFile(SlotFile(2), Header(3, 1, LevelSetCount())));  // no such set
  ASSERT_TRUE(testsupport::WriteFile(SlotFile(3), Header(-1, 1, 0)));
  ASSERT_TRUE(testsupport::WriteFile(SlotFile(4), Header(3, 1, -7)));
  ASSERT_TRUE(testsupport::WriteFile(SlotFile(5), Header(3, 1, 0).substr(0, 11)));  // short
  ASSERT_TRUE(testsupport::WriteFile(SlotFile(6), Header(99, 1, 0)));
  testsupport::CapturedStream err(2);
  std::vector<std::string> lines = Lines();
  std::string text = err.Text();
  EXPECT_EQ(lines[0], "Level 42 – Spanish – Easy – 5 moves – 2026-12-08 14:05");
  for (int slot = 1; slot <= 5; ++slot) EXPECT_EQ(lines[slot], "Empty") << slot;
  EXPECT_EQ(lines[6], "Level 100 – French – Normal – 5 moves – 2026-12-08 14:05");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4) << text;
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
