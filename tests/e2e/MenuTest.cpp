// The real game's menus driven from outside with real key and pointer
// events: the Options entries changed by keys and pointer are in config.ini
// when the game ends, and the submenus go back to the main menu on Escape.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/GameDriver.h"

using namespace testsupport;

namespace {

const char* const kConfig =
    "Width=1024\nHeight=768\nSpeed=8\nSound=1\nMusic=1\nDifficulty=0\nReflect=1\nShadow=1\nLangLevel=1\nLang=en\n";

// Where the menus stand at 1024 x 768: entries 36 pixels apart from
// 768 - 252 (main menu) and 768 - 432 (Options).
int MainEntryY(int item) { return 768 - 252 + item * 36 + 18; }
int OptionsEntryY(int item) { return 768 - 432 + item * 36 + 18; }

bool Has(const std::string& text, const std::string& line) { return text.find(line + "\n") != std::string::npos; }

// Bright text pixels in a band of rows around the middle of the right half,
// where the choices stand and the title logo never comes.
int ChoicePixels(const Image& shot, int y) {
  int lit = 0;
  for (int row = y - 14; row < y + 14; ++row)
    for (int x = shot.width * 11 / 16; x < shot.width * 13 / 16; ++x) {
      const Rgb p = shot.At(x, row);
      if (p.r + p.g + p.b > 540) ++lit;
    }
  return lit;
}

}  // namespace

TEST(Menus, OptionsChangedByKeysAndPointerAreInConfigIniAtExit) {
  GameDriver game;
  game.WriteFile("config.ini", kConfig);
  ASSERT_TRUE(game.Start()) << game.Stderr();
  ASSERT_TRUE(game.WaitOutTheFade());  // the fade from black holds the input back

  // The pointer is drawn where the mouse is, beside the entries.
  EXPECT_GT(game.PointerPixelsAt(100, 400, 900, 400), 60);
  EXPECT_GT(game.PointerPixelsAt(900, 400, 100, 400), 60);

  // Game submenu by keys and back by Escape.
  game.MoveMouse(5, 5);
  game.Key("Return");
  game.Key("Escape");
  // Options by the pointer: hover, then click.
  game.MoveMouse(512, MainEntryY(1));
  GameDriver::Sleep(200);
  game.Click();
  GameDriver::Sleep(200);
  // Off the entries, the keys drive: Difficulty one step on, Sound off.
  game.MoveMouse(5, 5);
  for (const char* key : {"Down", "Right", "Down", "Down", "Down", "Down", "Down", "Right"}) game.Key(key);
  GameDriver::Sleep(300);
  const Image options = game.Screenshot();
  // Music off by a click on its entry.
  game.MoveMouse(512, OptionsEntryY(7));
  GameDriver::Sleep(200);
  game.Click();
  GameDriver::Sleep(200);
  game.MoveMouse(5, 5);
  game.Key("Escape");
  GameDriver::Sleep(300);
  const Image back = game.Screenshot();
  EXPECT_EQ(game.Stop(), 0);

  const std::string config = game.ReadFile("config.ini");
  EXPECT_TRUE(Has(config, "Difficulty=1")) << config;
  EXPECT_TRUE(Has(config, "Sound=0")) << config;
  EXPECT_TRUE(Has(config, "Music=0")) << config;
  // Untouched entries keep their values; the simple shadows stay.
  EXPECT_TRUE(Has(config, "Shadow=1")) << config;
  EXPECT_TRUE(Has(config, "Reflect=1")) << config;
  EXPECT_TRUE(Has(config, "LangLevel=1")) << config;
  EXPECT_EQ(game.Stderr(), "");

  // The Options screen showed its choices in the right half; back on the
  // main menu that half is empty at the same height.
  ASSERT_FALSE(options.Empty());
  EXPECT_GT(ChoicePixels(options, OptionsEntryY(1)), 100);
  EXPECT_LT(ChoicePixels(back, OptionsEntryY(1)), 20);
}

// Pixels that differ between two shots (any channel by more than 40).
static int Changed(const Image& a, const Image& b) {
  int changed = 0;
  for (int y = 0; y < a.height; y += 4)
    for (int x = 0; x < a.width; x += 4) {
      const Rgb p = a.At(x, y), q = b.At(x, y);
      if (std::abs(p.r - q.r) > 40 || std::abs(p.g - q.g) > 40 || std::abs(p.b - q.b) > 40) ++changed;
    }
  return changed;
}

TEST(Menus, OrderShowsTheHowToPlayPageAndQuitEndsThroughTheGoodbyePage) {
  GameDriver game;
  game.WriteFile("config.ini", kConfig);
  game.RemoveFile("score-english.orb");
  ASSERT_TRUE(game.Start()) << game.Stderr();
  ASSERT_TRUE(game.WaitOutTheFade());
  game.MoveMouse(5, 5);
  GameDriver::Sleep(300);
  const Image menu = game.Screenshot();

  // Order: the how-to-play page covers the screen until a key is released.
  game.MoveMouse(512, MainEntryY(3));
  GameDriver::Sleep(200);
  game.Click();
  GameDriver::Sleep(2500);
  game.WaitOutTheFade();  // a loaded machine may still be fading the page in
  const Image page = game.Screenshot();
  EXPECT_GT(Changed(menu, page), 64 * 48 / 2) << "the page replaced the menu";
  game.Key("Shift_L");
  GameDriver::Sleep(2500);
  game.WaitOutTheFade();
  EXPECT_LT(Changed(menu, game.Screenshot()), Changed(menu, page) / 2) << "back on the menu";
  EXPECT_TRUE(game.Running());

  // Quit: fade to black, the goodbye page, and a key ends the game with 0.
  game.MoveMouse(512, MainEntryY(5));
  GameDriver::Sleep(200);
  game.Click();
  GameDriver::Sleep(4000);
  const Image goodbye = game.Screenshot();
  EXPECT_GT(Changed(menu, goodbye), 64 * 48 / 2);
  EXPECT_GT(Changed(page, goodbye), 64 * 48 / 4) << "another page than the how-to-play page";
  EXPECT_TRUE(game.Running()) << "the goodbye page stays three seconds or until a key";
  game.Key("Shift_L");
  EXPECT_EQ(game.WaitForExit(10000), 0);
  EXPECT_TRUE(Has(game.ReadFile("config.ini"), "Lang=en"));
  EXPECT_EQ(game.ReadFile("score-english.orb").size(), 1500u);
  EXPECT_EQ(game.Stderr(), "");
}
