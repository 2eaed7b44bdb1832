// The real game's fonts step: a menu font that cannot be opened stops the
// start with its message, and Release still writes the settings back.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/GameDriver.h"

using namespace testsupport;

TEST(MenuFontStart, AMissingMenuFaceStopsTheStartWithItsMessage) {
  GameDriver game;
  game.WriteFile("config.ini", "Width=640\nHeight=480\nLang=en\n");
  game.WriteFile("data/font.ini", "[FontMenuBig]\nFont=data/missing.ttf\nSize=28\n");
  ASSERT_TRUE(game.Launch());
  game.WaitForExit();
  EXPECT_EQ(game.Stderr().rfind("Couldn't open font data/missing.ttf: ", 0), 0u) << game.Stderr();
  // A start that fails leaves config.ini as it was.
  EXPECT_EQ(game.ReadFile("config.ini"), "Width=640\nHeight=480\nLang=en\n");
}
