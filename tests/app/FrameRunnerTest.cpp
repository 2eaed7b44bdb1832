// The frame runner and the main menu screen without a display: the clock,
// events and drawing are the test's own, so every frame can be checked.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "app/FrameClock.h"
#include "app/FrameRunner.h"
#include "app/GameState.h"
#include "app/MainLoop.h"

namespace {

// A platform of the test's own: 60 frames a second exactly, a queue of
// events, and a log of what the frame drew.
struct FakePlatform {
  uint32_t now = 1000;
  bool closed = false;
  std::deque<SDL_Event> events;
  std::vector<std::string> drawn;  // of the last frame
  std::vector<float> blacks;       // of the last frame
  int cursors = 0;                 // over all frames
  int quits = 0;
  float music = 0.0f;

  FrameHooks Hooks() {
    FrameHooks hooks;
    hooks.ticks = [this] { return now += 1000 / 60 + (now % 3 == 0 ? 1 : 0); };
    hooks.closeRequested = [this] { return closed; };
    hooks.pollEvent = [this](SDL_Event& event) {
      if (events.empty()) return false;
      event = events.front();
      events.pop_front();
      return true;
    };
    hooks.updateMusic = [this](float frameDelta) { music += frameDelta; };
    hooks.readPointer = [] {};
    hooks.drawOverlays = [this] { drawn.push_back("overlays"); };
    hooks.drawCursor = [this](int, int) {
      drawn.push_back("cursor");
      ++cursors;
    };
    hooks.drawBlack = [this](float alpha) {
      drawn.push_back("black");
      blacks.push_back(alpha);
    };
    hooks.present = [this] { drawn.push_back("present"); };
    hooks.endAfterQuit = [this] { ++quits; };
    return hooks;
  }
  void NewFrame() {
    drawn.clear();
    blacks.clear();
  }
  void Press(SDLKey key) {
    SDL_Event event = {};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    events.push_back(event);
  }
};

// A menu that records what reached it.
struct FakeMenu {
  std::vector<SDLKey> keys;
  bool mainMenu = true;
  int demonstrations = 0;
  FakePlatform* platform = nullptr;

  MenuHooks Hooks() {
    MenuHooks hooks;
    hooks.draw = [this] { platform->drawn.push_back("menu"); };
    hooks.handleEvent = [this](const SDL_Event& event) {
      keys.push_back(event.key.keysym.sym);
      return event.key.keysym.sym == SDLK_DOWN;  // moves the highlight
    };
    hooks.mainMenuCurrent = [this] { return mainMenu; };
    hooks.startDemonstration = [this] { ++demonstrations; };
    return hooks;
  }
};

class FrameRunnerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState(g_game);
    g_clock = FrameClock();
    g_clock.Start(platform.now);
    menu.platform = &platform;
  }
  FrameEnd Frame() {
    platform.NewFrame();
    return runner.Frame(screen);
  }

  FakePlatform platform;
  FakeMenu menu;
  FrameRunner runner{platform.Hooks()};
  MainMenuScreen screen{menu.Hooks()};
};

}  // namespace

TEST_F(FrameRunnerTest, TheStartFadeCountsDownAndHoldsBackInputAndTheCursor) {
  ASSERT_EQ(g_game.fadeFromBlack, 100.0f);
  platform.Press(SDLK_RETURN);
  ASSERT_EQ(Frame(), FrameEnd::kContinue);
  // Menu, overlays, then the black over it, then the present; no cursor.
  EXPECT_EQ(platform.drawn, (std::vector<std::string>{"menu", "overlays", "black", "present"}));
  EXPECT_NEAR(platform.blacks[0], 0.99f, 0.002f);
  // The key pressed during the fade was taken from the queue and dropped.
  EXPECT_TRUE(platform.events.empty());
  EXPECT_TRUE(menu.keys.empty());

  int frames = 1;
  while (g_game.fadeFromBlack > 0.0f && frames < 1000) {
    if (g_game.fadeFromBlack > 2.0f) platform.Press(SDLK_DOWN);
    Frame();
    ++frames;
    if (g_game.fadeFromBlack > 0.0f) {
      EXPECT_EQ(platform.cursors, 0) << frames;
    }
  }
  // 100 frame units at 60 frames a second: 100 frames, give or take the
  // smoothing of the clock's rounding.
  EXPECT_NEAR(frames, 100, 2);
  EXPECT_TRUE(menu.keys.empty());
  EXPECT_NEAR(platform.music, g_clock.elapsedFrames, 1e-3);

  platform.Press(SDLK_UP);
  Frame();
  EXPECT_EQ(menu.keys, std::vector<SDLKey>{SDLK_UP});
  EXPECT_EQ(platform.drawn, (std::vector<std::string>{"menu", "overlays", "cursor", "present"}));
}

TEST_F(FrameRunnerTest, IdleTimeGrowsOnlyOnAnUntouchedMainMenu) {
  g_game.fadeFromBlack = 0.0f;
  for (int i = 0; i < 30; ++i) Frame();
  EXPECT_NEAR(g_game.idleTime, 30.0f, 0.5f);
  // A highlight move starts the count again; a key that does nothing does not.
  platform.Press(SDLK_DOWN);
  Frame();
  EXPECT_NEAR(g_game.idleTime, 1.0f, 0.1f);
  platform.Press(SDLK_x);
  Frame();
  EXPECT_NEAR(g_game.idleTime, 2.0f, 0.1f);
  // A submenu keeps it at 0 for as long as it stays.
  menu.mainMenu = false;
  for (int i = 0; i < 700; ++i) Frame();
  EXPECT_EQ(g_game.idleTime, 0.0f);
  EXPECT_EQ(menu.demonstrations, 0);
  // Back on the main menu, ten seconds untouched start the demonstration.
  menu.mainMenu = true;
  const float start = g_clock.elapsedFrames;
  for (int i = 0; i < 1000 && menu.demonstrations == 0; ++i) Frame();
  EXPECT_EQ(menu.demonstrations, 1);
  EXPECT_NEAR(g_clock.elapsedFrames - start, 601.0f, 2.0f);
  // Nothing counts while a level is played.
  g_game.idleTime = 0.0f;
  g_game.inGame = 1;
  Frame();
  EXPECT_EQ(g_game.idleTime, 0.0f);
}

TEST_F(FrameRunnerTest, QuitFadesToBlackThenShowsTheExitPageAndEnds) {
  g_game.fadeFromBlack = 0.0f;
  RequestQuit();
  ASSERT_EQ(Frame(), FrameEnd::kContinue);
  ASSERT_EQ(platform.blacks.size(), 1u);
  EXPECT_NEAR(platform.blacks[0], 0.01f, 0.002f);
  float last = platform.blacks[0];
  int frames = 1;
  while (Frame() == FrameEnd::kContinue) {
    ASSERT_LT(++frames, 1000);
    ASSERT_EQ(platform.blacks.size(), 1u);
    EXPECT_GE(platform.blacks[0], last);
    last = platform.blacks[0];
    EXPECT_EQ(platform.quits, 0);
  }
  // The last frame drawn was fully black; then the exit page, once.
  EXPECT_EQ(last, 1.0f);
  EXPECT_NEAR(frames, 100, 2);
  EXPECT_EQ(platform.quits, 1);
  EXPECT_EQ(platform.cursors, 0);
}

TEST_F(FrameRunnerTest, AClosedWindowEndsTheRunAtOnceAndRunCallsEnterAndLeave) {
  struct Counting : Screen {
    int enters = 0, updates = 0, leaves = 0, limit = 3;
    void Enter() override { ++enters; }
    void Update(float) override { ++updates; }
    void Leave() override { ++leaves; }
    bool Finished() const override { return updates >= limit; }
  } counting;
  EXPECT_EQ(runner.Run(counting), FrameEnd::kScreenFinished);
  EXPECT_EQ(counting.enters, 1);
  EXPECT_EQ(counting.updates, 3);
  EXPECT_EQ(counting.leaves, 1);

  platform.closed = true;
  counting.limit = 100;
  EXPECT_EQ(runner.Run(counting), FrameEnd::kClosed);
  EXPECT_EQ(counting.updates, 3);
  EXPECT_EQ(counting.leaves, 2);
}
