// The initialisation and release sequences of the real game, observed in the
// order their steps report to the start-up trace (a failed start is seen
// from outside, end to end); a change of resolution reopens the display with
// what the menus need.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Game.h"
#include "config/Settings.h"
#include "engine3d/GLContext.h"
#include "platform/Display.h"
#include "base/TraceLog.h"
#include "text/TextSystem.h"
#include "tests/support/TestFiles.h"

using namespace testsupport;

namespace {

std::vector<std::string> g_trace;
void Record(const char* message) { g_trace.push_back(message); }

const std::vector<std::string> kInitialise = {
    "InitTessel",       "Load Config file", "read font.ini", "set video mode", "Start ORB Logo", "Init Font",
    "Init Tessel 3D",   "Init ListTheme",   "Init Tessel Menu", "Init Level", "Init Scores", "Init Sound",
    "Play Music",       "Upload fonts",     "Init 3D fonts", "Init : ok"};

LaunchOptions Windowed() {
  LaunchOptions options;
  options.windowed = true;
  return options;
}

// A key released during the opening emblem skips it.
void SkipTheIntro() {
  SDL_Event skip = {};
  skip.type = SDL_KEYUP;
  SDL_PushEvent(&skip);
}

class StartupOrderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy(GameTreeDir(), dir.Path(),
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::skip_symlinks);
    std::filesystem::remove(dir / "glyphox");
    for (const char* made : {"save", "capture"}) std::filesystem::remove_all(dir / made);
    g_trace.clear();
    TraceLog::AttachSink(Record);
    ASSERT_EQ(SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO), 0) << SDL_GetError();
    InitTextSystem();
  }
  void TearDown() override {
    TraceLog::AttachSink(nullptr);
    QuitTextSystem();
    SDL_Quit();
  }

  TempDir dir;
};

}  // namespace

TEST_F(StartupOrderTest, InitialiseAndReleaseRunEveryStepInTheirOrder) {
  ScopedWorkingDirectory inGame(dir.Path());
  Game game(Windowed());
  SkipTheIntro();
  ASSERT_EQ(game.Initialise(), 1);
  EXPECT_EQ(g_trace, kInitialise);

  // A new size from the options: the display opens again, keeping the keys'
  // repeat and characters that name and code entry need.
  game.ChangeResolution(800, 600);
  int delay = 0, interval = 0;
  SDL_GetKeyRepeat(&delay, &interval);
  EXPECT_EQ(delay, 2);
  EXPECT_EQ(interval, 1);
  EXPECT_EQ(SDL_EnableUNICODE(-1), 1);
  EXPECT_EQ(g_settings.width, 800);
  EXPECT_EQ(g_settings.height, 600);
  EXPECT_EQ(game.ScreenWidth(), 800);
  EXPECT_EQ(SDL_GetVideoSurface()->h, 600);
  EXPECT_EQ(CheckGLErrors(), 1);

  g_trace.clear();
  game.Release();
  ASSERT_FALSE(g_trace.empty());
  EXPECT_EQ(g_trace.front(), "Free Tessel");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "save"));
}

TEST(StartupOrderDeathTest, AFailureAfterTheStartEndsThroughReleaseWithStatusOne) {
  // What a theme that cannot be loaded, or a failed change of resolution,
  // leads to once the game runs. The child runs as a fresh process with a
  // display of its own: its exit stops that display, not this one.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  TempDir dir;
  std::filesystem::copy(GameTreeDir(), dir.Path(),
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::skip_symlinks);
  EXPECT_EXIT(
      {
        ScopedWorkingDirectory inGame(dir.Path());
        TraceLog::AttachSink([](const char* message) { std::fprintf(stderr, "%s\n", message); });
        SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO);
        InitTextSystem();
        Game game(Windowed());
        SkipTheIntro();
        if (game.Initialise()) game.EndAfterFailure();
      },
      ::testing::ExitedWithCode(1), "Init : ok\nFree Tessel\n");
  EXPECT_TRUE(std::filesystem::exists(dir / "config.ini"));
}
