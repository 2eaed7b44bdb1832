// The real game, started in a fresh game directory on the virtual display and
// driven from outside: start-up, the way out through Release, and the
// start-up failures with their messages.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/support/GameDriver.h"
#include "tests/support/VirtualDisplay.h"

using namespace testsupport;

namespace {

const char* const kConfig =
    "Width=1024\n"
    "[Display]\n"
    "Height=768\n"
    "Speed=8\n"
    "Sound=1\n"
    "Lang=en\n"
    "remark without equals\n"
    "LangLevel=1\n";

// What Release writes for kConfig: the lines reversed, each line without
// "=" above the entry it preceded, the stored keys the file lacked first.
const char* const kConfigWrittenBack =
    "DetailLetter=2\nCartoon=0\nShadow=0\nReflect=0\nMusic=1\nDifficulty=0\n"
    "remark without equals\n"
    "LangLevel=1\n"
    "Lang=en\n"
    "Sound=1\n"
    "Speed=8\n"
    "[Display]\n"
    "Height=768\n"
    "Width=1024\n";

}  // namespace

TEST(GameStartup, OpensItsWindowAndWritesConfigBackOnSigterm) {
  GameDriver game;
  game.WriteFile("config.ini", kConfig);
  ASSERT_TRUE(game.Start()) << game.Stderr();
  int width = 0, height = 0;
  ASSERT_TRUE(game.WindowSize(width, height));
  EXPECT_EQ(width, 1024);
  EXPECT_EQ(height, 768);
  GameDriver::Sleep(500);
  EXPECT_TRUE(game.Running());
  EXPECT_EQ(game.Stop(), 0);
  EXPECT_EQ(game.ReadFile("config.ini"), kConfigWrittenBack);
  EXPECT_TRUE(game.Exists("save"));
  EXPECT_TRUE(game.Exists("capture"));
  EXPECT_EQ(game.Stderr(), "");
  EXPECT_NE(game.Stdout().find("--- English words english.lvl\n"), std::string::npos);
}

TEST(GameStartup, TheWindowsCloseButtonEndsTheGameThroughRelease) {
  GameDriver game;
  game.WriteFile("config.ini", kConfig);
  ASSERT_TRUE(game.Start()) << game.Stderr();
  GameDriver::Sleep(300);
  game.RequestClose();
  EXPECT_EQ(game.WaitForExit(), 0);
  EXPECT_EQ(game.ReadFile("config.ini"), kConfigWrittenBack);
}

TEST(GameStartup, TheShippedDefaultsStartAt1024x768AndSurviveARoundTrip) {
  GameDriver game;
  const std::string shipped = game.ReadFile("config.ini");
  ASSERT_TRUE(game.Start()) << game.Stderr();
  EXPECT_EQ(game.Stop(), 0);
  ASSERT_TRUE(game.Start()) << game.Stderr();
  EXPECT_EQ(game.Stop(), 0);
  // Two reversals give the shipped order back.
  EXPECT_EQ(game.ReadFile("config.ini"), shipped);
}

TEST(GameStartup, TheWindowedSwitchIsOnlyTheFirstArgumentInAnyCase) {
  GameDriver windowed;
  windowed.WriteFile("config.ini", "Width=640\nHeight=480\nLang=en\nLangLevel=1\n");
  ASSERT_TRUE(windowed.Start({"-WINDOWED"})) << windowed.Stderr();
  int width = 0, height = 0;
  ASSERT_TRUE(windowed.WindowSize(width, height));
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  EXPECT_FALSE(windowed.FullScreenShown());
  EXPECT_EQ(windowed.Stop(), 0);

  GameDriver fullScreen;
  fullScreen.WriteFile("config.ini", "Width=640\nHeight=480\nLang=en\nLangLevel=1\n");
  ASSERT_TRUE(fullScreen.Start({"-fast", "-windowed"})) << fullScreen.Stderr();
  GameDriver::Sleep(300);
  EXPECT_TRUE(fullScreen.FullScreenShown());
  EXPECT_EQ(fullScreen.Stop(), 0);
}

TEST(GameStartup, AMissingConfigFileStopsTheStartWithItsMessageAndLeavesNothingBehind) {
  GameDriver game;
  game.RemoveFile("config.ini");
  ASSERT_FALSE(game.Exists("save"));
  ASSERT_FALSE(game.Exists("capture"));
  ASSERT_TRUE(game.Launch());
  EXPECT_EQ(game.WaitForExit(), 1);
  EXPECT_EQ(game.Stderr(), "Configuration File config.ini not found\n");
  EXPECT_FALSE(game.Exists("config.ini"));
  EXPECT_FALSE(game.Exists("save"));
  EXPECT_FALSE(game.Exists("capture"));
}

TEST(GameStartup, LanguageLevelAndFontFileFailuresStopTheStartWithTheirMessages) {
  struct Case {
    const char* name;
    std::function<void(GameDriver&)> prepare;
    std::string expected;
    bool whole = true;  // else the start of the message (the font library says why)
  };
  const Case cases[] = {
      {"missing file", [](GameDriver& game) { game.WriteFile("config.ini", "Lang=xx\n"); },
       "Langage File data/text_xx.txt not found\n"},
      {"not UTF-16",
       [](GameDriver& game) { game.WriteFile("data/text_en.txt", "Game=Game\r\nOptions=Options\r\n"); },
       "data/text_en.txt : Not a Unicode UTF16 File\nLangage File data/text_en.txt not found\n"},
      {"missing key",
       [](GameDriver& game) {
         game.WriteFile("data/text_en.txt", Utf16FileContent("Game=Game\r\nOptions=Options\r\nAbout=About\r\n"));
       },
       "Couldn't read Key 'HighScores' in langage File data/text_en.txt\n"},
      {"level set beyond the list",
       [](GameDriver& game) { game.WriteFile("config.ini", "Width=640\nHeight=480\nLang=en\nLangLevel=4\n"); },
       "Unknown language : 'en'\n"},
      {"missing level file",
       [](GameDriver& game) {
         game.WriteFile("config.ini", "Width=640\nHeight=480\nLang=en\nLangLevel=2\n");
         game.RemoveFile("data/level/spanish.lvl");
       },
       "Couldn't load level file data/level/spanish.lvl: No such file or directory\n"},
      {"broken level file",
       [](GameDriver& game) {
         game.WriteFile("config.ini", "Width=640\nHeight=480\nLang=en\nLangLevel=0\n");
         game.WriteFile("data/level/french.lvl", std::string("\x01\x00\x00\x00" "ABCDE\x1f\x01\x00" "\x16\x00\x00", 15));
       },
       "Couldn't load level file data/level/french.lvl: level 1: width 31 is not within 1..30\n"},
      {"missing menu font",
       [](GameDriver& game) { game.WriteFile("data/font.ini", "[FontMenuBig]\nFont=data/missing.ttf\nSize=28\n"); },
       "Couldn't open font data/missing.ttf: ", false},
  };
  for (const Case& c : cases) {
    GameDriver game;
    c.prepare(game);
    const std::string config = game.ReadFile("config.ini");
    ASSERT_TRUE(game.Launch()) << c.name;
    EXPECT_EQ(game.WaitForExit(), 1) << c.name;
    EXPECT_EQ(c.whole ? game.Stderr() : game.Stderr().substr(0, c.expected.size()), c.expected) << c.name;
    EXPECT_EQ(game.ReadFile("config.ini"), config) << c.name << ": a failed start writes nothing";
  }
}

TEST(GameStartup, AFailedOpenGLStartLeaves640x480InConfig) {
  // A display without GLX cannot give the game an OpenGL window.
  VirtualDisplay withoutGl;
  ASSERT_TRUE(withoutGl.Start(1024, 768, /*withGlx=*/false, /*makeDefault=*/false));
  GameDriver game;
  game.WriteFile("config.ini", "Width=1024\nHeight=768\nLang=en\nLangLevel=1\n");
  game.SetEnvironment("DISPLAY", withoutGl.Name());
  ASSERT_TRUE(game.Launch());
  EXPECT_EQ(game.WaitForExit(), 1);
  EXPECT_EQ(game.Stderr(), "Couldn't initialize OpenGL\n");
  EXPECT_EQ(game.ReadFile("config.ini"), "DetailLetter=2\nCartoon=0\nShadow=0\nReflect=0\nMusic=1\nSound=1\nDifficulty=0\n"
                                        "Speed=10\nLangLevel=1\nLang=en\nHeight=480\nWidth=640\n");
}

TEST(GameStartup, EachLevelSetOfTheLanguageFileStarts) {
  for (const char* langLevel : {"0", "1", "2"}) {
    GameDriver game;
    game.WriteFile("config.ini", std::string("Width=640\nHeight=480\nLang=en\nLangLevel=") + langLevel + "\n");
    ASSERT_TRUE(game.Start()) << langLevel << ": " << game.Stderr();
    EXPECT_EQ(game.Stop(), 0);
    EXPECT_EQ(game.Stderr(), "") << langLevel;
  }
}
