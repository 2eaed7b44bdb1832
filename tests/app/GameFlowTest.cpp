// The game's states without a display: the demonstration's replay solving
// real levels, the camera limits, the state the main loop runs, the level
// completion with the screens it runs, and the screenshot numbering.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <typeinfo>
#include <vector>

#include "app/CameraControl.h"
#include "app/CelebrationScreen.h"
#include "app/Demonstration.h"
#include "app/GameFlow.h"
#include "app/GameState.h"
#include "app/LevelStartScreen.h"
#include "app/MainLoop.h"
#include "app/PlayingScreen.h"
#include "config/Language.h"
#include "config/Settings.h"
#include "puzzle/PuzzleView.h"
#include "puzzle/Variation.h"
#include "tests/puzzle/PuzzleTestSupport.h"
#include "tests/support/TestFiles.h"

using namespace puzzletest;

namespace {

// The game's puzzle, as the shell plays it, with a recording host.
class GameFlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::srand(1);
    g_settings = Settings();
    g_moveDuration = 250;
    ResetPlayState();
    RecordShuffle(false);
    InstallPuzzleHost(&host);
    ResetGameState(g_game);
    SetModalRunner([this](Screen& screen) {
      ran.push_back(&screen);
      kinds.push_back(Describe(screen));
      return FrameEnd::kScreenFinished;
    });
  }
  void TearDown() override {
    SetModalRunner(nullptr);
    EndLevel();
    InstallPuzzleHost(nullptr);
    FreeLevelSet();
  }

  void UseLevels(const std::string& source) { GamePuzzle().UseLevelSet(LevelsFrom(source)); }

  static std::string Describe(Screen& screen) {
    if (auto* celebration = dynamic_cast<CelebrationScreen*>(&screen)) {
      switch (celebration->Kind()) {
        case Celebration::kLevelWon: return "level won";
        case Celebration::kDemonstrationWon: return "demonstration won";
        case Celebration::kGameWon: return "game won";
      }
    }
    if (dynamic_cast<LevelStartScreen*>(&screen)) return "level start";
    return "menus";  // a screen of the menus (their stubs until they land)
  }

  // One frame of rolling: the clock moves a 60th of a second.
  void Frame() {
    host.ticks += 17;
    UpdateLevel();
  }

  RecordingHost host;
  std::vector<Screen*> ran;
  std::vector<std::string> kinds;
};

// Replays the recorded shuffle through the rules, frame by frame, until it is
// over or afterFrame says the level is left; returns the frames used.
int ReplayToTheEnd(RecordingHost& host, ShuffleReplay& replay, const std::function<bool()>& afterFrame) {
  int frames = 0;
  while ((!replay.Done() || Play().moveState != kMoveStateReady) && frames < 200000) {
    replay.Step(1.0f);
    host.ticks += 17;
    UpdateLevel();
    ++frames;
    if (afterFrame && afterFrame()) break;
  }
  return frames;
}

}  // namespace

TEST_F(GameFlowTest, TheDemonstrationSolvesEachOfTheFirstFiveLevelsOfEverySet) {
  testsupport::ScopedWorkingDirectory inGame(testsupport::GameTreeDir());
  ASSERT_EQ(LoadLanguage("data/text_en.txt"), 1);
  ASSERT_GE(LevelSetCount(), 3);
  host.demonstration = true;
  int totalSteps = 0;
  for (int set = 0; set < LevelSetCount(); ++set) {
    g_settings.langLevel = set;
    ASSERT_EQ(SelectLevelSet(), 1) << "level set " << set;
    for (int level = 0; level < 5 && level < static_cast<int>(CurrentLevelSet().levelCount); ++level) {
      for (unsigned seed = 1; seed <= 3; ++seed) {
        SCOPED_TRACE("set " + std::to_string(set) + " level " + std::to_string(level) + " seed " +
                     std::to_string(seed));
        std::srand(seed);
        RecordShuffle(true);
        ASSERT_EQ(StartLevel(level), 1);
        RecordShuffle(false);
        ShuffleReplay replay;
        replay.Begin(LastShuffle(), 2);
        const int steps = replay.StepsLeft();
        totalSteps += steps;
        host.sounds.clear();
        const int frames = ReplayToTheEnd(host, replay, nullptr);
        EXPECT_EQ(CurrentBoard().formedCount, static_cast<int>(CurrentBoard().wordCount));
        EXPECT_EQ(Play().moveCount, steps);
        // Every roll waits its delay (speed 2: 8 frame units), so the replay
        // can be followed by eye.
        EXPECT_GE(frames, steps * 8);
        if (steps > 0) {
          EXPECT_NE(std::count(host.sounds.begin(), host.sounds.end(), kSoundRefuse), 0);
        }
      }
    }
  }
  // The shuffles did shuffle: there was something to replay.
  EXPECT_GT(totalSteps, 45);
}

TEST_F(GameFlowTest, AWonLevelRunsLevelWonNameEntryAndLevelStartAndTheLastOneGameWonAndHighScores) {
  UseLevels(OneLevel({".....", ".AB..", "....."}, {"AB 1 1 h"}, "AAAAA") +
            OneLevel({".....", ".CD..", "....."}, {"CD 1 1 h"}, "BBBBB"));
  g_game.inGame = 1;
  g_game.menuShown = 0;
  std::srand(7);
  ShuffleReplay replay;
  RecordShuffle(true);
  ASSERT_EQ(StartLevel(0), 1);
  RecordShuffle(false);
  replay.Begin(LastShuffle(), 1);
  ASSERT_GT(replay.StepsLeft(), 0);
  ReplayToTheEnd(host, replay, [] {
    CheckLevelCompletion();
    return Play().levelIndex != 0;
  });
  EXPECT_EQ(std::count(host.sounds.begin(), host.sounds.end(), kSoundLevelWon), 1);
  // No score table: no record, so no name entry.
  EXPECT_EQ(kinds, (std::vector<std::string>{"level won", "level start"}));
  EXPECT_EQ(Play().levelIndex, 1);
  EXPECT_EQ(g_game.inGame, 1);

  // The last level: game won, then the high scores, then the main menu.
  kinds.clear();
  RecordShuffle(true);
  ASSERT_EQ(StartLevel(1), 1);
  RecordShuffle(false);
  replay.Begin(LastShuffle(), 1);
  ASSERT_GT(replay.StepsLeft(), 0);
  ReplayToTheEnd(host, replay, [] {
    CheckLevelCompletion();
    return g_game.inGame == 0;
  });
  EXPECT_EQ(kinds, (std::vector<std::string>{"game won", "menus"}));
  EXPECT_EQ(g_game.inGame, 0);
  EXPECT_EQ(g_game.menuShown, 1);
  EXPECT_EQ(GameLoopScreen::State(), GameLoopState::kMenu);
}

TEST_F(GameFlowTest, TheDemonstrationEndsOnItsOwnLevelWonScreenWithoutHighScores) {
  UseLevels(OneLevel({".....", ".AB..", "....."}, {"AB 1 1 h"}));
  host.demonstration = true;
  g_game.attractMode = 1;
  g_game.menuShown = 0;
  std::srand(3);
  RecordShuffle(true);
  ASSERT_EQ(StartLevel(0), 1);
  RecordShuffle(false);
  ShuffleReplay replay;
  replay.Begin(LastShuffle(), 1);
  ASSERT_GT(replay.StepsLeft(), 0);
  ReplayToTheEnd(host, replay, [] {
    if (Play().moveState == kMoveStateReady) CheckDemonstrationWords();
    return g_game.attractMode == 0;
  });
  EXPECT_EQ(kinds, (std::vector<std::string>{"demonstration won"}));
  EXPECT_EQ(g_game.attractMode, 0);
  EXPECT_EQ(g_game.menuShown, 1);
}

TEST(CameraControl, WheelDragAndHeldKeysKeepTheirLimits) {
  ResetGameState(g_game);
  // The wheel never leaves [0.2, 3.0].
  g_game.overview.zoom = 0.25f;
  WheelZoom(4);
  EXPECT_FLOAT_EQ(g_game.overview.zoom, 0.2f);
  g_game.overview.zoom = 2.95f;
  WheelZoom(5);
  EXPECT_FLOAT_EQ(g_game.overview.zoom, 3.0f);

  // Dragging: the left button turns and tilts, the right zooms, each within
  // the limits of playing or of the demonstration.
  g_game.overview = CameraView{0.0f, -60.0f, 1.0f};
  DragCamera(1, 10, 1000, kPlayingLimits);
  EXPECT_FLOAT_EQ(g_game.overview.spin, -2.0f);
  EXPECT_FLOAT_EQ(g_game.overview.tilt, -25.0f);
  DragCamera(1, 0, 1000, kDemonstrationLimits);
  EXPECT_FLOAT_EQ(g_game.overview.tilt, -20.0f);
  DragCamera(4, 0, -1000, kPlayingLimits);
  EXPECT_FLOAT_EQ(g_game.overview.zoom, 0.2f);
  DragCamera(4, 0, -1000, kDemonstrationLimits);
  EXPECT_FLOAT_EQ(g_game.overview.zoom, 0.25f);
  DragCamera(4, 0, 5000, kDemonstrationLimits);
  EXPECT_FLOAT_EQ(g_game.overview.zoom, 2.0f);

  // Page Up tests its limit before the step: it stops one step past 0.2.
  g_game.overview.zoom = 0.205f;
  HeldKeys keys = {};
  keys.pageUp = true;
  ApplyHeldKeys(keys, 1.0f);
  EXPECT_FLOAT_EQ(g_game.overview.zoom, 0.195f);
  ApplyHeldKeys(keys, 1.0f);
  EXPECT_FLOAT_EQ(g_game.overview.zoom, 0.195f);

  // W, A, S, D pan only the close view.
  keys = {};
  keys.a = true;
  ApplyHeldKeys(keys, 2.0f);
  EXPECT_FLOAT_EQ(g_game.cameraPan[0], 0.0f);
}

TEST_F(GameFlowTest, TheCloseViewPansByKeysAndEdgesAndCentresOnACube) {
  UseLevels(OneLevel({"......", "......", "...X.."}, {"X 3 2 h"}));
  StartPlain(GamePuzzle());
  UseCloseView();
  EXPECT_EQ(g_game.camera, &g_game.close);
  CentreCloseViewOn(0);
  // (width 0.5 - x - 0.5) s, (height 0.5 - y - 0.5) s
  EXPECT_FLOAT_EQ(g_game.cameraPan[0], (3.0f - 3.0f - 0.5f) * kSquareSize);
  EXPECT_FLOAT_EQ(g_game.cameraPan[2], (1.5f - 2.0f - 0.5f) * kSquareSize);

  g_game.cameraPan[0] = 0.0f;
  EdgeScroll(0, 300, 640, 480, 1.0f);  // 10 pixels in: 100 x 0.0001
  EXPECT_FLOAT_EQ(g_game.cameraPan[0], 0.01f);
  EdgeScroll(639, 300, 640, 480, 2.0f);
  EXPECT_FLOAT_EQ(g_game.cameraPan[0], 0.01f - 81 * 0.0002f);
  // The pan stops at half the board.
  g_game.cameraPan[2] = 3 * kSquareSize * 0.5f + 0.001f;
  EdgeScroll(300, 0, 640, 480, 1.0f);
  EXPECT_FLOAT_EQ(g_game.cameraPan[2], 3 * kSquareSize * 0.5f + 0.001f);

  // F5 puts the close view back; F6 the overview.
  g_game.close.zoom = 2.0f;
  ResetCurrentView();
  EXPECT_FLOAT_EQ(g_game.close.zoom, 0.5f);
  UseOverview();
  EXPECT_EQ(g_game.cameraMode, 0);
  EXPECT_EQ(g_game.camera, &g_game.overview);
}

TEST(GameLoop, TheFlagsChooseTheStateThatGetsTheFrame) {
  struct Counting : Screen {
    void Event(const SDL_Event&) override { ++events; }
    void Update(float) override { ++updates; }
    int events = 0, updates = 0;
  };
  auto playing = std::make_unique<Counting>();
  auto demonstration = std::make_unique<Counting>();
  Counting* play = playing.get();
  Counting* demo = demonstration.get();
  int menuEvents = 0;
  MenuHooks hooks;
  hooks.draw = [] {};
  hooks.handleEvent = [&](const SDL_Event&) { return ++menuEvents, false; };
  hooks.mainMenuCurrent = [] { return false; };
  hooks.startDemonstration = [] {};
  GameLoopScreen loop(hooks, std::move(playing), std::move(demonstration));
  SDL_Event event = {};
  ResetGameState(g_game);
  loop.Event(event);  // the menu at start
  g_game.inGame = 1;
  g_game.menuShown = 0;
  loop.Event(event);
  loop.Update(1.0f);
  g_game.menuShown = 1;  // the pause menu over the level
  loop.Event(event);
  g_game.inGame = 0;
  g_game.menuShown = 0;
  g_game.attractMode = 1;
  loop.Event(event);
  loop.Update(1.0f);
  EXPECT_EQ(menuEvents, 2);
  EXPECT_EQ(play->events, 1);
  EXPECT_EQ(play->updates, 1);
  EXPECT_EQ(demo->events, 1);
  EXPECT_EQ(demo->updates, 1);
}

TEST(Screenshots, AreNumberedFromZeroInTheCaptureDirectory) {
  ResetGameState(g_game);
  std::snprintf(g_gamePath, sizeof g_gamePath, "%s", "./");
  EXPECT_EQ(NextScreenshotPath(), "./capture\\ScreenShot00.bmp");
  EXPECT_EQ(NextScreenshotPath(), "./capture\\ScreenShot01.bmp");
  g_game.screenshotNumber = 10;
  EXPECT_EQ(NextScreenshotPath(), "./capture\\ScreenShot10.bmp");
  g_game.screenshotNumber = 100;
  EXPECT_EQ(NextScreenshotPath(), "./capture\\ScreenShot100.bmp");
}

TEST(LevelScreens, EndOnTheirEventsAndTheDemonstrationsWonScreenAfterFiveSeconds) {
  ResetGameState(g_game);
  SDL_Event release = {};
  release.type = SDL_MOUSEBUTTONUP;
  SDL_Event press = {};
  press.type = SDL_MOUSEBUTTONDOWN;
  SDL_Event keyUp = {};
  keyUp.type = SDL_KEYUP;

  // The level start screen: a button release counts only after a press made
  // during the screen (the click that started the level is not one).
  LevelStartScreen start;
  start.Event(release);
  EXPECT_FALSE(start.Finished());
  start.Event(press);
  start.Event(release);
  EXPECT_TRUE(start.Finished());
  LevelStartScreen byKey;
  byKey.Event(keyUp);
  EXPECT_TRUE(byKey.Finished());

  // The pointer is hidden while the previous screen dissolves.
  g_game.levelIntroFade = 50.0f;
  EXPECT_FALSE(byKey.ShowsCursor());
  byKey.Update(60.0f);
  EXPECT_EQ(g_game.levelIntroFade, 0.0f);
  EXPECT_TRUE(byKey.ShowsCursor());

  // The celebrations wait for the player; the demonstration's ends by itself
  // after 300 frame units.
  CelebrationScreen won(Celebration::kLevelWon);
  CelebrationScreen demonstration(Celebration::kDemonstrationWon);
  for (int frame = 0; frame < 299; ++frame) {
    won.Update(1.0f);
    demonstration.Update(1.0f);
  }
  EXPECT_FALSE(demonstration.Finished());
  demonstration.Update(1.0f);
  EXPECT_TRUE(demonstration.Finished());
  won.Update(1000.0f);
  EXPECT_FALSE(won.Finished());
  won.Event(release);
  EXPECT_TRUE(won.Finished());
  // The camera circles at tilt -30.
  EXPECT_FLOAT_EQ(g_game.overview.tilt, -30.0f);
}
