// The menu screen and the save, load and credits screens, run in the
// real game's start-up on the game's frame runner under the private X server
// and driven by real key and pointer events: what each input does, what the
// screens show and what they write.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Settings.h"
#include "puzzle/LevelSet.h"
#include "puzzle/PuzzleView.h"
#include "puzzle/Rules.h"
#include "puzzle/SavedGame.h"
#include "tests/support/GameInProcess.h"
#include "tests/support/TestFiles.h"
#include "text/TextSystem.h"
#include "ui/MenuScreen.h"
#include "ui/ModalScreens.h"
#include "ui/Options.h"
#include "ui/SaveSlots.h"
#include "ui/Scores.h"

using namespace testsupport;

namespace {

class Screens : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(GameInProcess::Start()); }
  static void TearDownTestSuite() { GameInProcess::Stop(); }
  void SetUp() override {
    sounds.clear();
    Menus().SetSoundPlayer([this](int sound) { sounds.push_back(sound); });
    Menus().ShowMainMenu();
    // Each test starts with the pointer in a corner, off every entry.
    MoveTo(4, 4)();
  }
  void TearDown() override {
    GameInProcess::Get().Runner().LeaveAll();
    Menus().SetSoundPlayer([](int) {});
  }

  static int W() { return GameInProcess::Get().ScreenWidth(); }
  static int H() { return GameInProcess::Get().ScreenHeight(); }
  // The middle of an entry of the current menu.
  static MenuSystem& Menus() { return GameInProcess::Get().Menus(); }
  static ::Puzzle& Puzzle() { return GameInProcess::Get().ThePuzzle(); }
  static int Highlighted() { return Menus().Menus().currentMenu->highlightedIndex; }

  ScreenRunner runner{GameInProcess::Get()};
  std::vector<int> sounds;
};

}  // namespace

TEST_F(Screens, TheMainMenuWalksByPointerAndKeysAndSubmenusLeaveWithEscape) {
  MenuSet& menus = Menus().Menus();
  const int difficulty = g_settings.difficulty;
  const int mainY = menus.mainMenu.y;
  auto entryY = [mainY](int item) { return mainY + item * kMenuUnit * 3 / 2 + kMenuUnit / 2; };
  Image hover, keyed;
  int highlighted = -1;
  runner.Run(std::make_unique<MainMenuScreen>(Menus()), {
      MoveTo(W() / 2, entryY(2)), MoveTo(W() / 2 + 40, entryY(2) + 4), runner.Capture(hover),
      MoveTo(10, 10), Key("Down"), [&] { highlighted = Highlighted(); }, runner.Capture(keyed),
      Key("Up"), Key("Up"), Key("Return"), Key("Down"), Key("Right"), Key("Escape"),
      MoveTo(W() / 2, entryY(0)), Click(), Key("Escape"),
  });
  EXPECT_EQ(highlighted, 3);
  // Hover (once, however the pointer rests), Down, Up, Up, take Options,
  // Down, step a choice, hover onto Game, take it.
  EXPECT_EQ(sounds, (std::vector<int>{0, 0, 0, 0, 1, 0, 1, 0, 1}));
  EXPECT_EQ(g_settings.difficulty, (difficulty + 1) % 3);
  EXPECT_EQ(menus.currentMenu, &menus.mainMenu);
  // The highlight quad stands behind the entry under the pointer, then
  // behind the one the keys chose.
  const ScreenRect onScores = MenuHighlightRect(menus.mainMenu, 2, 11, W(), Menus().Metrics().fontHeight);
  KeepShot(hover, "menu-hover");
  const int qw = onScores.x1 - onScores.x0, qh = onScores.y1 - onScores.y0;
  const testsupport::Rgb glow = hover.Mean(onScores.x0, onScores.y0, qw, qh);
  const testsupport::Rgb plain = keyed.Mean(onScores.x0, onScores.y0, qw, qh);
  EXPECT_GT(glow.r + glow.g, plain.r + plain.g + 30);
  g_settings.difficulty = difficulty;
}

TEST_F(Screens, TheSaveAndLoadScreensListTheSlotsAndUseTheChosenOne) {
  ASSERT_EQ(Puzzle().StartLevel(4), 1);
  std::remove(Puzzle().SaveSlotPath(3).c_str());
  EXPECT_TRUE(runner.Run(MakeSaveScreen(Menus()), {Key("Down"), Key("Down"), Key("Down"), Key("Return")}));
  const SaveSlotInfo info = Puzzle().ReadSaveSlotInfo(3);
  ASSERT_EQ(info.slot, 3);
  EXPECT_EQ(info.levelIndex, 4);

  Puzzle().EndLevel();
  ASSERT_EQ(Puzzle().StartLevel(2), 1);
  int loaded = 0;
  Image rows;
  const int rowY3 = SlotRowY(3, H()), rowY5 = SlotRowY(5, H());
  EXPECT_TRUE(runner.Run(MakeLoadScreen(Menus(), [&] { ++loaded; }), {
      runner.Capture(rows),
      MoveTo(W() / 2, rowY5 + 16), Click(), [&] { EXPECT_EQ(loaded, 0); },  // empty: nothing happens
      MoveTo(W() / 2, rowY3 + 16), Click()}));
  EXPECT_EQ(loaded, 1);
  EXPECT_EQ(Puzzle().Play().levelIndex, 4);
  KeepShot(rows, "load");
  // The used slot's description is far longer than "Empty".
  EXPECT_GT(BrightWidth(rows, rowY3 + 4, 24), 3 * BrightWidth(rows, rowY5 + 4, 24));
  EXPECT_GT(BrightWidth(rows, rowY5 + 4, 24), 20);
  Puzzle().EndLevel();
}

TEST_F(Screens, TheCreditsScrollAndEndOnAKey) {
  Image early, later;
  std::vector<Step> steps = {runner.Capture(early)};
  // The text rises 27 pixels a second.
  steps.push_back(runner.Wait(6000));
  steps.push_back(runner.Capture(later));
  steps.push_back(Key("space"));
  EXPECT_TRUE(runner.Run(MakeCreditsScreen(Menus()), steps));
  KeepShot(later, "credits");
  // The text came up from below the screen into the bottom quarter, where
  // the logo never reaches.
  const int band = H() / 4;
  EXPECT_LT(BrightPixels(early, 0, H() - band, W(), band), 20);
  EXPECT_GT(BrightPixels(later, 0, H() - band, W(), band), 100);
}

TEST_F(Screens, AWrongCodeKeepsTheScreenOpenWithItsMessage) {
  // A code no set holds leaves the set as it was, and the screen open with
  // its warm "Unknown code" under the letters.
  const int before = g_settings.langLevel;
  int found = -2;
  auto foundLevel = [&found](int level) { found = level; };
  Image wrong;
  EXPECT_FALSE(runner.Run(MakeCodeEntryScreen(Menus(), foundLevel), {Type("qqqqq"), Key("Return"), runner.Capture(wrong)}));
  KeepShot(wrong, "code");
  EXPECT_GT(wrong.Count(0, H() / 2, W(), H() / 2, [](Rgb c) { return c.r > 220 && c.g > 110 && c.b < 110; }), 50);
  EXPECT_EQ(found, -2);
  EXPECT_EQ(g_settings.langLevel, before);
}

TEST_F(Screens, OptionsBackAppliesThePendingResolutionAndEscapeKeepsItPending) {
  // A second size to choose from, as a display with several modes offers.
  auto rebuild = [](const std::vector<ScreenSize>& sizes) {
    Menus().ReleaseTexts();
    Menus().Build(sizes);
    Menus().PrepareTexts();
  };
  rebuild({{1024, 768}, {800, 600}});

  std::vector<std::string> sizes;
  auto note = [&] {
    sizes.push_back(std::to_string(W()) + "x" + std::to_string(H()) + " menu at " +
                    std::to_string(Menus().Menus().mainMenu.y));
  };
  Image small;
  runner.Run(std::make_unique<MainMenuScreen>(Menus()), {
      // Options > Resolution one step on, then Escape: nothing changes.
      Key("Down"), Key("Return"), Key("Down"), Key("Down"), Key("Right"), Key("Escape"), note,
      // Options > Back applies it.
      Key("Down"), Key("Return"), Key("Up"), Key("Return"), note, runner.Capture(small),
      // And back to the first size the same way.
      Key("Down"), Key("Return"), Key("Down"), Key("Down"), Key("Left"), Key("Up"), Key("Up"), Key("Up"),
      Key("Return"), note});
  EXPECT_EQ(sizes, (std::vector<std::string>{"1024x768 menu at 516", "800x600 menu at 348", "1024x768 menu at 516"}));
  // The new window shows the whole main menu, down to Quit above the
  // copyright line.
  ASSERT_EQ(small.width, 800);
  KeepShot(small, "menu-800x600");
  EXPECT_GT(BrightPixels(small, 300, 348 + 5 * 36, 200, 36), 100);
  EXPECT_GT(BrightPixels(small, 0, 576, 800, 24), 100);

  rebuild({{1024, 768}});
}
