// Playing the real game with real keys and the pointer: a whole session from
// the main menu (a saved game one roll from its solution loaded, won with a
// move and an undo on the way, the record named, the next level saved and
// loaded, an option changed, quit), the last level of a set ends in the game won
// screen and the main menu, the word list toggles, F10 writes screenshots,
// the demonstration starts, stops on a key and solves its level, and level 1
// shows its par and is solved by following hints.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/Language.h"
#include "config/Settings.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/PuzzleView.h"
#include "puzzle/SavedGame.h"
#include "puzzle/Variation.h"
#include "tests/puzzle/PuzzleTestSupport.h"
#include "tests/support/GameDriver.h"
#include "tests/support/TestFiles.h"

using namespace testsupport;

namespace {

const char* const kConfig =
    "Width=800\nHeight=600\nSpeed=2\nSound=1\nMusic=1\nDifficulty=0\nReflect=1\nShadow=1\n"
    "LangLevel=1\nLang=en\n";

const char* KeyFor(int direction) {
  switch (direction) {
    case North: return "Up";
    case East: return "Right";
    case South: return "Down";
    default: return "Left";
  }
}

// A game one roll away from its solution, saved in slot 0 of a game tree,
// and what the player has to press to finish it.
struct CraftedGame {
  int tabs = 0;             // Tab presses from the selection after loading
  std::string winningKey;   // the last roll
  std::string otherKey;     // a roll that does not finish it ("" when none)
  int movesAfterPlay = 0;   // other roll, its undo, the winning roll
  int movesWinningAtOnce = 0;
  std::string nextCode;     // the following level's code ("" after the last)
  int record = 0;           // the level's entry in the score file
};

bool Craft(const std::string& gameDir, int levelSet, int level, CraftedGame& out) {
  puzzletest::RecordingHost host;
  Puzzle puzzle(&host);
  ScopedWorkingDirectory inGame(gameDir);
  puzzle.SetLevelSetChoices(puzzletest::ShippedChoices());
  if (!puzzle.SelectLevelSet(levelSet)) return false;
  if (level < 0) level = static_cast<int>(puzzle.LevelSet().levelCount) - 1;
  for (unsigned seed = 1; seed < 50; ++seed) {
    std::srand(seed);
    host.demonstration = true;
    puzzle.RecordShuffle(true);
    if (!puzzle.StartLevel(level)) return false;
    puzzle.RecordShuffle(false);
    const std::vector<ShuffleStep> steps = puzzle.LastShuffle().steps;
    if (steps.empty()) continue;
    for (size_t k = steps.size() - 1; k >= 1; --k) {
      puzzle.SelectCube(steps[k].cube);
      puzzle.MoveSelected(ReplayDirection(steps[k].pick));
      puzzletest::FinishRoll(puzzle, host);
    }
    if (puzzle.Board().formedCount == static_cast<int>(puzzle.Board().wordCount)) continue;
    const int targetX = puzzle.CubeRecord(steps[0].cube).x;
    const int targetY = puzzle.CubeRecord(steps[0].cube).y;
    const int winning = ReplayDirection(steps[0].pick);
    mkdir((gameDir + "/save").c_str(), 0755);
    const std::string path = gameDir + "/save/save00.orb";
    if (!puzzle.SaveGameFile(path.c_str())) return false;

    // What the game does with it: load, select, then the player's keys.
    if (!puzzle.LoadGameFile(path.c_str()) || !puzzle.ResumeLoadedGame()) return false;
    out.tabs = 0;
    while (!(puzzle.CubeRecord(puzzle.Play().selectedCube).x == targetX && puzzle.CubeRecord(puzzle.Play().selectedCube).y == targetY)) {
      puzzle.SelectNextMovable(true);
      if (++out.tabs > 200) return false;
    }
    out.movesWinningAtOnce = puzzle.Play().moveCount + 1;
    out.winningKey = KeyFor(winning);
    out.otherKey.clear();
    for (int i = 0; i < puzzle.ArrowCount(); ++i)
      if (puzzle.Arrow(i).active && puzzle.Arrow(i).direction != winning) out.otherKey = KeyFor(puzzle.Arrow(i).direction);
    if (!out.otherKey.empty()) {
      for (int i = 0; i < puzzle.ArrowCount(); ++i)
        if (puzzle.Arrow(i).active && KeyFor(puzzle.Arrow(i).direction) == out.otherKey) {
          puzzle.MoveSelected(puzzle.Arrow(i).direction);
          break;
        }
      puzzletest::FinishRoll(puzzle, host);
      puzzle.Undo();
      puzzletest::FinishRoll(puzzle, host);
    }
    if (!puzzle.MoveSelected(winning)) return false;
    puzzletest::FinishRoll(puzzle, host);
    if (puzzle.Board().formedCount != static_cast<int>(puzzle.Board().wordCount)) return false;
    out.movesAfterPlay = puzzle.Play().moveCount;
    const LevelSet& set = puzzle.LevelSet();
    out.record = set.RecordOf(level);
    out.nextCode.clear();
    if (level + 1 < static_cast<int>(set.levelCount))
      out.nextCode = std::string(reinterpret_cast<const char*>(set.levels[level + 1].code), kCodeLength);
    return true;
  }
  return false;
}

int32_t ScoreMoves(const std::string& file, int level) {
  const size_t at = static_cast<size_t>(level) * 25 + 21;
  if (file.size() != 1500) return -1;
  return static_cast<int32_t>(static_cast<uint8_t>(file[at]) | static_cast<uint8_t>(file[at + 1]) << 8 |
                              static_cast<uint8_t>(file[at + 2]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(file[at + 3])) << 24);
}

// Pixels of the picture's rectangle in the pale blue-white of the game's
// small texts, which the scene behind them never is.
int TextPixelsIn(const Image& image, int x0, int y0, int w, int h) {
  return image.Count(x0, y0, w, h, [](Rgb c) { return c.r > 150 && c.g > 170 && c.b > 200; });
}


// A record: the name entry takes the player's name, a key a frame.
void EnterName(const GameDriver& game, const std::vector<std::string>& keys) {
  GameDriver::Sleep(1500);
  // Only the last key of a frame counts: leave each key a few frames, even
  // on a loaded machine.
  for (int i = 0; i < 24; ++i) {
    game.Key("BackSpace");
    GameDriver::Sleep(60);
  }
  for (const std::string& key : keys) {
    game.Key(key);
    GameDriver::Sleep(250);
  }
  game.Key("Return");
}

// Loads the crafted game (slot 0) and selects the cube of its winning roll by
// Tab, the pointer away from the cubes (no hover selection). False when the
// game did not start; width and height are the window's.
bool LoadCrafted(GameDriver& game, const CraftedGame& crafted, int& width, int& height) {
  if (!game.Start({"-windowed", "-load", "0"}) || !game.WaitOutTheFade() || !game.WindowSize(width, height)) return false;
  game.MoveMouse(width / 2, height - 30);
  GameDriver::Sleep(300);
  for (int i = 0; i < crafted.tabs; ++i) game.Key("Tab");
  GameDriver::Sleep(300);
  return true;
}

}  // namespace

// A whole session from the main menu, as in the sanitizer build it must end
// without a report: Game > Load, a roll and its undo, the winning roll, the
// record's name, the next level saved from the pause menu and loaded again
// by F2, Quit to the main menu through the high scores, an option changed,
// Quit through the goodbye page.
TEST(Playing, ASessionFromTheMenuLoadsWinsNamesTheRecordSavesLoadsChangesAnOptionAndQuits) {
  GameDriver game;
  game.WriteFile("config.ini", kConfig);
  CraftedGame crafted;
  ASSERT_TRUE(Craft(game.Dir(), 1, 2, crafted));
  ASSERT_FALSE(crafted.otherKey.empty());
  ASSERT_TRUE(game.Start() && game.WaitOutTheFade());
  int width = 0, height = 0;
  ASSERT_TRUE(game.WindowSize(width, height));
  game.MoveMouse(width / 2, height - 30);
  game.Keys({"Return", "Down", "Down", "Return"});  // Game > Load
  GameDriver::Sleep(1500);
  game.Key("Return");  // the first slot
  GameDriver::Sleep(2500);
  for (int i = 0; i < crafted.tabs; ++i) game.Key("Tab");
  GameDriver::Sleep(300);
  const int third = static_cast<int>(width * 0.33f);
  const int movesX = static_cast<int>(width * 0.66f);
  game.Key(crafted.otherKey);
  GameDriver::Sleep(1200);
  game.Key("BackSpace");  // costs ten moves: in the record below
  GameDriver::Sleep(1200);
  const Image afterUndo = game.Screenshot();
  game.Key(crafted.winningKey);
  GameDriver::Sleep(2000);
  // The level won screen holds until a key is released.
  EXPECT_EQ(game.Stdout().find("Level 4"), std::string::npos);
  const Image won = game.Screenshot();
  EXPECT_GT(afterUndo.CountDifferent(won, 0, height / 2 - 40, width, 80), 500);
  game.Key("Shift_L");
  EnterName(game, {"z", "o", "e"});
  ASSERT_TRUE(game.WaitForStdout("Level 4: Code " + crafted.nextCode, 10000)) << game.Stdout();
  GameDriver::Sleep(1500);
  game.Key("Shift_L");  // ends the level start
  GameDriver::Sleep(1000);
  game.Keys({"Escape", "Down", "Down", "Return", "Down", "Return"}, 800);  // Pause menu > Save, the second slot
  EXPECT_TRUE(GameDriver::WaitUntil([&] { return game.Exists("save/save01.orb"); }, 5000));
  GameDriver::Sleep(1000);
  game.Key("Escape");  // back to the level
  GameDriver::Sleep(1500);
  const Image saved = game.Screenshot();
  game.Keys({"Tab", "Up", "Right", "Down", "Left"}, 900);  // some of them roll
  const Image moved = game.Screenshot();
  game.Keys({"F2", "Down", "Return"}, 800);  // and loaded from it: no move made
  GameDriver::Sleep(1500);
  const int movesAfterRolls = saved.CountDifferent(moved, movesX, 48, third, 64);
  EXPECT_GT(movesAfterRolls, 20);
  EXPECT_LT(saved.CountDifferent(game.Screenshot(), movesX, 48, third, 64), movesAfterRolls / 2);
  // Pause menu > Quit, the high scores, the main menu; Options: Difficulty
  // one step on; Quit, the goodbye page.
  game.Keys({"Escape", "Down", "Down", "Down", "Return"}, 800);
  GameDriver::Sleep(2500);
  game.Key("Escape");
  GameDriver::Sleep(2500);
  const int menuTop = height - 7 * 36 + 18;
  for (const int entry : {1, -1, 5}) {
    if (entry < 0) {
      game.Keys({"Down", "Right", "Escape"}, 300);
    } else {
      game.MoveMouse(width / 2, menuTop + entry * 36);
      GameDriver::Sleep(300);
      game.Click();
      game.MoveMouse(5, 5);
    }
    GameDriver::Sleep(1500);
  }
  GameDriver::Sleep(2500);
  game.Key("Shift_L");
  EXPECT_EQ(game.WaitForExit(20000), 0);
  EXPECT_EQ(game.Stderr(), "");
  EXPECT_NE(game.ReadFile("config.ini").find("Difficulty=1\n"), std::string::npos);
  // The record (a move, an undo costing ten, the winning roll) is in the
  // score file, byte for byte where level 3 keeps it, and nowhere else.
  const std::string scores = game.ReadFile("score-english.orb");
  ASSERT_EQ(scores.size(), 1500u);
  EXPECT_EQ(ScoreMoves(scores, crafted.record), crafted.movesAfterPlay);
  EXPECT_EQ(crafted.movesAfterPlay, crafted.movesWinningAtOnce + 11);
  EXPECT_EQ(scores.substr(crafted.record * 25, 4), std::string("zoe\0", 4));
  for (int record = 0; record < 60; ++record)
    if (record != crafted.record) EXPECT_EQ(ScoreMoves(scores, record), 10000) << record;
}

// In French and in Spanish, whose messages are the longest: the game won
// message is drawn in the middle, and the record goes to that set's own
// file. An older game's score.orb becomes the French records at the first
// start; the English records stay as they were.
TEST(Playing, TheLastLevelOfASetEndsInTheGameWonScreenThenTheMainMenu) {
  const struct {
    const char* lang;
    int set;
    const char* scoreFile;
  } kCases[] = {{"fr", 0, "score-french.orb"}, {"es", 2, "score-spanish.orb"}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.lang);
    GameDriver game;
    const std::string config = kConfig;
    game.WriteFile("config.ini", config.substr(0, config.find("LangLevel")) + "LangLevel=" + std::to_string(c.set) +
                                     "\nLang=" + c.lang + "\n");
    // Records of 25 bytes: the name's 21, then the moves (5, or 10000 = 0x2710).
    std::string english, older;
    for (int level = 0; level < 60; ++level) {
      english += std::string("En", 2) + std::string(19, '\0') + std::string("\x05\0\0\0", 4);
      older += std::string(level ? "" : "Old", level ? 0 : 3) + std::string(level ? 21 : 18, '\0') +
               std::string(level ? "\x10\x27\0\0" : "\x05\0\0\0", 4);
    }
    game.WriteFile("score-english.orb", english);
    game.WriteFile("score.orb", older);
    CraftedGame crafted;
    ASSERT_TRUE(Craft(game.Dir(), c.set, -1, crafted));
    ASSERT_TRUE(crafted.nextCode.empty());
    int width = 0, height = 0;
    ASSERT_TRUE(LoadCrafted(game, crafted, width, height));
    const Image playing = game.Screenshot();
    game.Key(crafted.winningKey);
    // The record's name first (after the roll, however slowly a loaded
    // machine draws it), then the game won screen: its message's yellow
    // letters stand in the middle band.
    GameDriver::Sleep(1500);
    EnterName(game, {"a", "l"});
    GameDriver::Sleep(2000);
    const Image won = game.Screenshot();
    if (std::getenv("GLYPHOX_KEEP_TEST_DIRS")) won.SaveBmp(game.PathOf("game-won.bmp"));
    const auto yellow = [&](const Image& image) {
      return image.Count(0, height / 2 - 60, width, 120, [](Rgb c) { return c.r > 220 && c.g > 140 && c.b < 90; });
    };
    EXPECT_GT(yellow(won), yellow(playing) + 1500) << yellow(won) << " " << yellow(playing);
    EXPECT_EQ(game.Stdout().find("Demonstration"), std::string::npos);
    game.Key("Shift_L");
    // The high scores, left by Escape, then the main menu: left alone, it
    // starts the demonstration after ten seconds.
    GameDriver::Sleep(3000);
    game.Key("Escape");
    EXPECT_TRUE(game.WaitForStdout("Demonstration of level", 25000)) << game.Stdout();
    EXPECT_EQ(game.Stdout().find("Level "), std::string::npos);
    EXPECT_EQ(game.Stop(), 0);
    EXPECT_EQ(game.ReadFile("score-english.orb"), english);
    EXPECT_FALSE(game.Exists("score.orb"));
    const std::string scores = game.ReadFile(c.scoreFile);
    EXPECT_EQ(scores.substr(0, 4), std::string("Old\0", 4));
    EXPECT_EQ(scores.substr(crafted.record * 25, 3), std::string("al\0", 3));
    EXPECT_EQ(ScoreMoves(scores, crafted.record), crafted.movesWinningAtOnce);
  }
}

TEST(Playing, SpaceAndTheWordsBandToggleTheListAndF10WritesNumberedScreenshots) {
  GameDriver game;
  game.WriteFile("config.ini", kConfig);
  ASSERT_TRUE(game.Start({"-windowed", "-level", "3"}));
  ASSERT_TRUE(game.WaitForStdout("Level 3: Code ", 5000));
  ASSERT_TRUE(game.WaitOutTheFade());
  int width = 0, height = 0;
  ASSERT_TRUE(game.WindowSize(width, height));
  game.MoveMouse(width / 2, height - 30);
  game.Key("Shift_L");  // ends the level start screen
  GameDriver::Sleep(800);
  const int third = static_cast<int>(width * 0.33f);
  const Image shown = game.Screenshot();
  game.Key("space");
  GameDriver::Sleep(500);
  const Image hidden = game.Screenshot();
  const int wordsShown = TextPixelsIn(shown, third, 60, third, 120);
  const int wordsHidden = TextPixelsIn(hidden, third, 60, third, 120);
  EXPECT_GT(wordsShown, wordsHidden + 30);
  // A click on the "Words" band (between one and three lines of the small
  // font) shows them again.
  game.MoveMouse(width / 2, 40);
  GameDriver::Sleep(300);
  game.Click(1);
  GameDriver::Sleep(500);
  game.MoveMouse(width / 2, height - 30);
  GameDriver::Sleep(300);
  EXPECT_GT(TextPixelsIn(game.Screenshot(), third, 60, third, 120), wordsHidden + 30);

  game.Key("F10");
  game.Key("F10");
  GameDriver::Sleep(800);
  for (const char* name : {"capture/ScreenShot00.bmp", "capture/ScreenShot01.bmp"}) {
    const std::string file = game.ReadFile(name);
    ASSERT_GT(file.size(), 54u) << name;
    EXPECT_EQ(file.substr(0, 2), "BM");
    const uint32_t size = static_cast<uint8_t>(file[2]) | static_cast<uint8_t>(file[3]) << 8 |
                          static_cast<uint8_t>(file[4]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(file[5])) << 24;
    EXPECT_EQ(size, file.size());
    const Image image = Image::LoadBmp(game.PathOf(name));
    EXPECT_EQ(image.width, width);
    EXPECT_EQ(image.height, height);
    EXPECT_GT(image.CountLit(), width * height / 2);
  }
  EXPECT_FALSE(game.Exists("capture/ScreenShot02.bmp"));
  EXPECT_EQ(game.Stop(), 0);
}

TEST(Demonstration, StartsOnAnUntouchedMenuStopsOnAKeyAndSolvesItsLevelWhenLeftAlone) {
  GameDriver game;
  game.WriteFile("config.ini", kConfig);
  ASSERT_TRUE(game.Start());
  ASSERT_TRUE(game.WaitForStdout("Demonstration of level", 20000));
  const auto count = [&](const std::string& text) {
    const std::string out = game.Stdout();
    int n = 0;
    for (size_t at = out.find(text); at != std::string::npos; at = out.find(text, at + 1)) ++n;
    return n;
  };
  game.Key("Shift_L");
  // Back on the main menu, ten more seconds start it again; this time it is
  // left to solve its level.
  ASSERT_TRUE(GameDriver::WaitUntil([&] { return count("Demonstration of level") == 2; }, 20000)) << game.Stdout();
  EXPECT_EQ(count("Demonstration solved"), 0);
  EXPECT_TRUE(game.WaitForStdout("Demonstration solved level", 120000)) << game.Stdout();
  EXPECT_EQ(game.Stop(), 0);
}

// Level 1 as dealt by -seed 1: the level start shows its par under the code;
// H selects the next move's cube, lights its arrow and costs ten moves (once
// while it shows), and pressing the arrow key of every hint solves the level.
TEST(Playing, TheLevelStartShowsParAndFollowingHintsAloneSolvesLevelOne) {
  GameDriver game;
  game.WriteFile("config.ini", kConfig);
  ASSERT_TRUE(game.Start({"-windowed", "-level", "1", "-seed", "1"}));
  ASSERT_TRUE(game.WaitForStdout("Par ", 20000)) << game.Stdout();
  int par = 0;
  ASSERT_EQ(std::sscanf(game.Stdout().substr(game.Stdout().find("Par ")).c_str(), "Par %d", &par), 1);
  EXPECT_GT(par, 0);
  int width = 0, height = 0;
  ASSERT_TRUE(game.WindowSize(width, height));
  game.MoveMouse(width - 10, height - 10);
  ASSERT_TRUE(game.WaitOutTheFade());
  // "Par N" stands under the code in the middle of the level start.
  EXPECT_GT(TextPixelsIn(game.Screenshot(), width / 3, height / 2 + 52, width / 3, 24), 50);
  game.Key("Shift_L");
  GameDriver::Sleep(800);

  // The hints printed so far, waiting a moment for one more.
  auto hintsPrinted = [&game](size_t atLeast) {
    size_t count = 0;
    for (int wait = 0; wait < 30 && count < atLeast; ++wait) {
      const std::string out = game.Stdout();
      count = 0;
      for (size_t at = out.find("Hint: "); at != std::string::npos; at = out.find("Hint: ", at + 1)) ++count;
      if (count < atLeast) GameDriver::Sleep(100);
    }
    return count;
  };
  int hints = 0, moves = 0;
  for (; hints < 3 * par; ++hints) {
    const Image before = game.Screenshot();
    game.Key("h");
    // None comes once the level is won: it takes no keys then.
    if (hintsPrinted(hints + 1) < static_cast<size_t>(hints + 1)) break;
    const std::string out = game.Stdout();
    const std::string line = out.substr(out.rfind("Hint: "));
    int x = 0, y = 0, direction = 0, charged = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "Hint: select %d %d move %d moves %d", &x, &y, &direction, &charged), 4) << line;
    EXPECT_EQ(charged, moves + 10);
    GameDriver::Sleep(300);
    if (hints == 0) {
      // The cube and its arrow light up; a second H costs nothing more.
      EXPECT_GT(before.CountDifferent(game.Screenshot(), 0, 150, width, height - 150), 200);
      game.Key("h");
      EXPECT_EQ(hintsPrinted(2), 1u);
    }
    game.Key(KeyFor(direction));
    moves = charged + 1;
    GameDriver::Sleep(900);
  }
  EXPECT_GT(hints, 0);
  EXPECT_LT(hints, 3 * par) << "the hints did not solve the level";
  // The record's name, then the next level.
  EnterName(game, {"h"});
  EXPECT_TRUE(game.WaitForStdout("Level 2: ", 20000)) << game.Stdout();
  EXPECT_EQ(game.Stop(), 0);
}
