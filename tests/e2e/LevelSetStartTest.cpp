// The real game and its level sets: a level set chosen beyond the language
// file's list, or a level file that cannot be read, stops the start with its
// message.
#include <gtest/gtest.h>

#include "tests/support/GameDriver.h"

using namespace testsupport;

TEST(GameLevelSets, ALangLevelBeyondTheLevelSetsStopsTheStart) {
  GameDriver game;
  game.WriteFile("config.ini", "Width=640\nHeight=480\nLang=en\nLangLevel=3\n");
  ASSERT_TRUE(game.Launch());
  EXPECT_EQ(game.WaitForExit(), 1);
  EXPECT_EQ(game.Stderr(), "Unknown language : 'en'\n");
}

TEST(GameLevelSets, AMissingOrBrokenLevelFileStopsTheStart) {
  GameDriver missing;
  missing.WriteFile("config.ini", "Width=640\nHeight=480\nLang=en\nLangLevel=2\n");
  ASSERT_TRUE(missing.RemoveFile("data/level/spanish.lvl"));
  ASSERT_TRUE(missing.Launch());
  EXPECT_EQ(missing.WaitForExit(), 1);
  EXPECT_EQ(missing.Stderr(), "Couldn't load level file data/level/spanish.lvl\n");

  GameDriver broken;
  broken.WriteFile("config.ini", "Width=640\nHeight=480\nLang=en\nLangLevel=0\n");
  broken.WriteFile("data/level/french.lvl", std::string("\x01\x00\x00\x00" "ABCDE\x1f\x01\x00" "\x16\x00\x00", 15));
  ASSERT_TRUE(broken.Launch());
  EXPECT_EQ(broken.WaitForExit(), 1);
  EXPECT_EQ(broken.Stderr(),
            "Couldn't load level file data/level/french.lvl: level 1: width 31 is not within 1..30\n");
}

TEST(GameLevelSets, EachLevelSetOfTheLanguageFileStarts) {
  for (const char* langLevel : {"0", "1", "2"}) {
    GameDriver game;
    game.WriteFile("config.ini", std::string("Width=640\nHeight=480\nLang=en\nLangLevel=") + langLevel + "\n");
    ASSERT_TRUE(game.Start()) << langLevel << ": " << game.Stderr();
    EXPECT_EQ(game.Stop(), 0);
    EXPECT_EQ(game.Stderr(), "") << langLevel;
  }
}
