// The real game's input from outside: hovering a cube selects it and a click
// on its arrow rolls it (where glyphox-view says they stand), Tab and
// Shift+Tab skip cubes that cannot move, the pause menu saves through the
// save screen and quits to the main menu whose Load resumes the level, and a
// code typed in lower case starts a level of another level set.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/Language.h"
#include "config/Settings.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/PuzzleView.h"
#include "puzzle/SavedGame.h"
#include "tests/puzzle/PuzzleTestSupport.h"
#include "tests/support/GameDriver.h"
#include "tests/support/TestFiles.h"
#include "tests/support/ViewerList.h"

using namespace testsupport;

namespace {

const char* const kConfig =
    "Width=800\nHeight=600\nSpeed=2\nSound=1\nMusic=1\nDifficulty=0\nReflect=1\nShadow=1\n"
    "LangLevel=1\nLang=en\n";
constexpr int kWidth = 800, kHeight = 600;
constexpr int kBarBottom = 120;  // the top bar's texts stand above this row


int BoardDifference(const Image& a, const Image& b) {
  return a.CountDifferent(b, 0, kBarBottom, kWidth, kHeight - kBarBottom);
}
// The move counter's digits, in the orange of the top bar's numbers, where
// the animated backgrounds of the themes never come: the pixels whose ink
// differs. The scenery drifting under the bar's translucent backing may turn
// a few edge pixels of unchanged digits; a new count changes dozens.
constexpr int kEdgePixels = 5;
int MovesDifference(const Image& a, const Image& b) {
  const auto ink = [](Rgb c) { return c.r > 220 && c.g > 120 && c.g < 210 && c.b < 90; };
  int count = 0;
  for (int y = 48; y < 112; ++y)
    for (int x = 600; x < 720; ++x) count += ink(a.At(x, y)) != ink(b.At(x, y));
  return count;
}



// Level index (from 0) of the English set as the game starts it with -seed,
// drawn by glyphox-view into picture, its cubes and the selection's arrows.
std::vector<ViewerItem> View(int level, int seed, const std::string& picture, const std::vector<std::string>& extra = {}) {
  std::vector<std::string> args = {std::string(std::getenv("GLYPHOX_BINARY_DIR")) + "/tools/view/glyphox-view",
                                   GameTreeDir() + "/data/level/english.lvl", std::to_string(level), picture,
                                   "--seed", std::to_string(seed), "--size", "800x600", "--list"};
  args.insert(args.end(), extra.begin(), extra.end());
  std::string text;
  if (RunProgram(args, &text) != 0) return {};
  return ParseViewerList(text);
}

// A click on entry item of a menu of count entries, which stand 36 pixels
// apart above the bottom; then the pointer leaves the entries to the keys.
void ClickEntry(const GameDriver& game, int count, int item) {
  game.MoveMouse(kWidth / 2, kHeight - (count + 1) * 36 + item * 36 + 18);
  GameDriver::Sleep(200);
  game.Click();
  GameDriver::Sleep(200);
  game.MoveMouse(5, 5);
}

std::vector<ViewerItem> Arrows(const std::vector<ViewerItem>& items) {
  std::vector<ViewerItem> arrows;
  for (const ViewerItem& item : items)
    if (item.kind == "arrow") arrows.push_back(item);
  return arrows;
}

// A saved game (slot 0) with a cube that cannot move between two that can:
// from the first, Tab must reach the third, which alone rolls towards
// forwardDirection; Shift+Tab then comes back to the first, which alone
// rolls towards backwardDirection.
struct SkippingGame {
  int forwardDirection = -1, backwardDirection = -1;
};

const char* KeyFor(int direction) {
  return direction == North ? "Up" : direction == East ? "Right" : direction == South ? "Down" : "Left";
}

}  // namespace

TEST(PointerPlay, HoverSelectsACubeWhereTheViewerListsItAndAClickOnItsArrowRollsIt) {
  const int level = 2, seed = 7;
  TempDir pictures;
  const std::vector<ViewerItem> start = View(level, seed, pictures / "start.bmp");
  ASSERT_FALSE(start.empty());
  // A cube other than the selected one that can roll: the viewer shows its
  // arrows once it is selected.
  const std::vector<ViewerItem> selected = Arrows(start);
  ViewerItem chosen, arrow;
  for (const ViewerItem& cube : start) {
    if (cube.kind != "cube" || cube.isStatic) continue;
    const std::vector<ViewerItem> arrows = Arrows(
        View(level, seed, pictures / "chosen.bmp", {"--select", std::to_string(cube.x) + "," + std::to_string(cube.y)}));
    if (arrows.empty() || (!selected.empty() && arrows[0].x == selected[0].x && arrows[0].y == selected[0].y))
      continue;
    chosen = cube;
    arrow = arrows[0];
    break;
  }
  ASSERT_GE(chosen.index, 0) << "no second cube that can roll";

  GameDriver game;
  game.WriteFile("config.ini", kConfig);
  ASSERT_TRUE(game.Start({"-windowed", "-level", std::to_string(level + 1), "-seed", std::to_string(seed)}));
  ASSERT_TRUE(game.WaitForStdout("Level 3: Code ", 5000));
  ASSERT_TRUE(game.WaitOutTheFade());
  game.MoveMouse(kWidth / 2, 5);
  game.Key("Shift_L");  // ends the level start screen
  GameDriver::Sleep(800);
  const Image ready = game.Screenshot();
  game.Key("F5");  // the overview's defaults, the viewer's camera
  GameDriver::Sleep(800);
  const Image before = game.Screenshot();
  // After "Ready?" the level is seen from the overview's defaults already:
  // only the animation (glows, scenery) differs from the frame after F5.
  EXPECT_LT(BoardDifference(ready, before), kWidth * (kHeight - kBarBottom) / 50);
  // The pointer is drawn where the mouse is over the level, at both sides.
  EXPECT_GT(game.PointerPixelsAt(40, 300, 760, 300), 60);
  EXPECT_GT(game.PointerPixelsAt(760, 300, 40, 300), 60);
  game.MoveMouse(kWidth / 2, 5);
  GameDriver::Sleep(400);
  const Image viewStart = Image::LoadBmp(pictures / "start.bmp");
  const Image viewChosen = Image::LoadBmp(pictures / "chosen.bmp");
  // The game and the viewer start the level alike: the game's board is the
  // viewer's picture, not the one with the other cube selected.
  EXPECT_LT(BoardDifference(before, viewStart), BoardDifference(before, viewChosen));

  game.MoveMouse(chosen.px, chosen.py);
  GameDriver::Sleep(800);
  const Image hovered = game.Screenshot();
  EXPECT_GT(before.CountDifferent(hovered, chosen.px - 60, chosen.py - 60, 120, 120), 100);
  EXPECT_LT(BoardDifference(hovered, viewChosen), BoardDifference(hovered, viewStart));
  EXPECT_LT(MovesDifference(before, hovered), kEdgePixels);

  game.MoveMouse(arrow.px, arrow.py);
  GameDriver::Sleep(300);
  game.Click(1);
  GameDriver::Sleep(1500);
  const Image rolled = game.Screenshot();
  EXPECT_GT(MovesDifference(hovered, rolled), 20) << "the move counter changed";
  EXPECT_GT(hovered.CountDifferent(rolled, chosen.px - 40, chosen.py - 40, 80, 80), 300) << "the cube left";
  EXPECT_EQ(game.Stop(), 0);
}

namespace {

// Rolls cube i towards d and takes the roll back: whether it could.
bool CanRoll(Puzzle& puzzle, puzzletest::RecordingHost& host, int i, int d) {
  puzzle.SelectCube(i);
  if (!puzzle.MoveSelected(d)) return false;
  puzzletest::FinishRoll(puzzle, host);
  puzzle.Undo();
  puzzletest::FinishRoll(puzzle, host);
  return true;
}

bool CraftSkipping(const std::string& gameDir, SkippingGame& out) {
  puzzletest::RecordingHost host;
  Puzzle puzzle(&host);
  ScopedWorkingDirectory inGame(gameDir);
  puzzle.SetLevelSetChoices(puzzletest::ShippedChoices());
  if (!puzzle.SelectLevelSet(1)) return false;
  mkdir((gameDir + "/save").c_str(), 0755);
  const std::string path = gameDir + "/save/save00.orb";
  // What the game does with the save: load it and select the first cube that
  // can move.
  const auto load = [&] { return puzzle.LoadGameFile(path.c_str()) && puzzle.ResumeLoadedGame(); };
  const auto movable = [&puzzle](int i) { return puzzle.CanMove(puzzle.CubeRecord(i).x, puzzle.CubeRecord(i).y) != 0; };
  bool found = false;
  for (int level = 0; level < static_cast<int>(puzzle.LevelSet().levelCount) && !found; ++level)
    for (unsigned seed = 1; seed < 20 && !found; ++seed) {
      std::srand(seed);
      if (!puzzle.StartLevel(level) || !puzzle.SaveGameFile(path.c_str()) || !load()) return false;
      const int n = puzzle.CubeCount();
      if (n < 3) continue;
      const int a = puzzle.Play().selectedCube, b = (a + 1) % n, c = (a + 2) % n;
      if (movable(b) || !movable(c)) continue;
      for (int f = North; f <= West && !found; ++f) {
        if (!load() || CanRoll(puzzle, host, a, f) || !load() || !CanRoll(puzzle, host, c, f) || !load()) continue;
        puzzle.SelectNextMovable(true);
        if (puzzle.Play().selectedCube != c || !puzzle.MoveSelected(f)) continue;
        puzzletest::FinishRoll(puzzle, host);
        puzzle.SelectNextMovable(false);
        if (puzzle.Play().selectedCube != a || movable(b)) continue;
        for (int k = North; k <= West && !found; ++k)
          if (!CanRoll(puzzle, host, c, k) && CanRoll(puzzle, host, a, k)) {
            out.forwardDirection = f;
            out.backwardDirection = k;
            found = true;
          }
      }
    }
  return found;
}

}  // namespace

TEST(Keys, TabAndShiftTabSkipACubeThatCannotMove) {
  GameDriver game;
  game.WriteFile("config.ini", kConfig);
  SkippingGame crafted;
  ASSERT_TRUE(CraftSkipping(game.Dir(), crafted));
  ASSERT_TRUE(game.Start({"-windowed", "-load", "0"}));
  ASSERT_TRUE(game.WaitOutTheFade());
  game.MoveMouse(kWidth / 2, 5);  // above the board: no hover selection
  // Zoomed out by the wheel, the board keeps clear of the move counter, so
  // that only a roll changes the pixels there.
  for (int i = 0; i < 8; ++i) game.Click(5);
  GameDriver::Sleep(500);
  const Image loaded = game.Screenshot();
  game.Key("Tab");
  GameDriver::Sleep(500);
  const Image tabbed = game.Screenshot();
  EXPECT_GT(BoardDifference(loaded, tabbed), 100) << "the selection moved";
  EXPECT_LT(MovesDifference(loaded, tabbed), kEdgePixels);
  game.Key(KeyFor(crafted.forwardDirection));
  GameDriver::Sleep(1500);
  const Image forward = game.Screenshot();
  EXPECT_GT(MovesDifference(tabbed, forward), 20) << "Tab selected the cube after the one that cannot move";
  game.Key("shift+Tab");
  GameDriver::Sleep(500);
  const Image back = game.Screenshot();
  EXPECT_LT(MovesDifference(forward, back), kEdgePixels);
  game.Key(KeyFor(crafted.backwardDirection));
  GameDriver::Sleep(1500);
  EXPECT_GT(MovesDifference(back, game.Screenshot()), 20) << "Shift+Tab came back over it";
  EXPECT_EQ(game.Stop(), 0);
}

TEST(PauseMenu, SavesThroughTheSaveScreenQuitsToTheMainMenuAndItsLoadResumesTheLevel) {
  GameDriver game;
  game.WriteFile("config.ini", kConfig);
  game.RemoveFile("save/save03.orb");
  ASSERT_TRUE(game.Start({"-windowed", "-level", "2"}));
  ASSERT_TRUE(game.WaitForStdout("Level 2: Code ", 5000));
  ASSERT_TRUE(game.WaitOutTheFade());
  game.MoveMouse(5, 5);  // off the board and the menu entries
  game.Key("Shift_L");
  GameDriver::Sleep(800);
  game.Key("F5");  // a camera that a load gives back: the level start's turns
  GameDriver::Sleep(800);
  const Image playing = game.Screenshot();

  game.Key("Escape");
  GameDriver::Sleep(1500);
  const Image paused = game.Screenshot();
  EXPECT_GT(BoardDifference(playing, paused), 2000) << "the pause menu covers the board";
  // Save, then the fourth slot chosen by keys on the save screen.
  ClickEntry(game, 4, 2);
  GameDriver::Sleep(1500);
  game.Keys({"Down", "Down", "Down", "Return"});
  ASSERT_TRUE(GameDriver::WaitUntil([&] { return game.Exists("save/save03.orb"); }, 5000));
  EXPECT_FALSE(game.Exists("save/save00.orb"));
  GameDriver::Sleep(1500);
  // Quit goes back to the main menu through the high scores (left by
  // Escape); there Game > Load > the fourth slot brings the level back.
  ClickEntry(game, 4, 3);
  GameDriver::Sleep(3500);
  const Image scores = game.Screenshot();
  game.Key("Escape");
  GameDriver::Sleep(2500);
  const Image menu = game.Screenshot();
  EXPECT_GT(BoardDifference(playing, menu), 2000);
  EXPECT_GT(BoardDifference(paused, menu), 500) << "the main menu, not the pause menu";
  EXPECT_GT(BoardDifference(scores, menu), 500) << "the high scores came first";
  ClickEntry(game, 6, 0);
  GameDriver::Sleep(800);
  ClickEntry(game, 4, 2);
  GameDriver::Sleep(1500);
  game.Keys({"Down", "Down", "Down", "Return"});
  GameDriver::Sleep(2500);
  game.Key("F5");
  GameDriver::Sleep(800);
  const Image resumed = game.Screenshot();
  EXPECT_LT(playing.CountDifferent(resumed, 0, 0, kWidth, kHeight), BoardDifference(playing, menu) / 4);
  EXPECT_EQ(game.Stdout().find("Demonstration"), std::string::npos);
  EXPECT_EQ(game.Stop(), 0);
}

TEST(CodeEntry, ACodeTypedInLowerCaseStartsItsLevelInAnotherLevelSet) {
  GameDriver game;
  game.WriteFile("config.ini", kConfig);
  // The code of level 5 of the German set, the last, while the English set is chosen.
  std::string code;
  {
    Puzzle puzzle;
    puzzle.SetLevelSetChoices(puzzletest::ShippedChoices());
    ASSERT_TRUE(puzzle.SelectLevelSet(3));
    ASSERT_GE(puzzle.LevelSet().levelCount, 5u);
    code.assign(reinterpret_cast<const char*>(puzzle.LevelSet().levels[4].code), kCodeLength);
  }
  std::string lower;
  for (char c : code) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  ASSERT_NE(lower, code);
  ASSERT_TRUE(game.Start());
  ASSERT_TRUE(game.WaitOutTheFade());
  game.MoveMouse(5, 5);
  // Game > Code (second entry), the five letters, Enter.
  game.Keys({"Return", "Down", "Return"});
  GameDriver::Sleep(1500);
  for (char c : lower) game.Keys({std::string(1, c)}, 120);
  game.Key("Return");
  EXPECT_TRUE(game.WaitForStdout("Level 5: Code " + code, 10000)) << game.Stdout();
  EXPECT_EQ(game.Stop(), 0);
  EXPECT_NE(game.ReadFile("config.ini").find("LangLevel=3\n"), std::string::npos) << "the set switched";
}
