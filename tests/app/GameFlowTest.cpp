// The game's flow between its screens, in the real game under the private X
// server: which screen is on top after each input, from the level start to
// the main menu and through the demonstration, pause and the way out. The
// rolls run on a clock that moves a sixtieth of a second a frame.
#include <SDL.h>
#include <cxxabi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <typeinfo>
#include <vector>

#include "app/CelebrationScreen.h"
#include "app/Demonstration.h"
#include "app/LevelStartScreen.h"
#include "app/PlayingScreen.h"
#include "puzzle/PuzzleView.h"
#include "puzzle/Variation.h"
#include "render/Camera.h"
#include "tests/puzzle/PuzzleTestSupport.h"
#include "tests/support/GameInProcess.h"
#include "ui/Scores.h"

using testsupport::GameInProcess;

namespace {

class GameFlow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(GameInProcess::Start()); }
  static void TearDownTestSuite() { GameInProcess::Stop(); }
  void SetUp() override {
    game().Host().UseFixedClock(true);
    game().Flow().Push(std::make_unique<MainMenuScreen>(game().Menus()));
    game().ThePuzzle().UseLevelSet(
        puzzletest::LevelsFrom(puzzletest::OneLevel({".....", ".AB..", "....."}, {"AB 1 1 h"}, "AAAAA") +
                               puzzletest::OneLevel({".....", ".CD..", "....."}, {"CD 1 1 h"}, "BBBBB")));
    // No record to type a name for.
    for (ScoreEntry& entry : game().Scores().Table().entries) entry.moves = 1;
    std::srand(7);
  }
  void TearDown() override {
    game().Runner().LeaveAll();
    game().Host().UseFixedClock(false);
    game().ThePuzzle().RecordShuffle(false);
  }
  static Game& game() { return GameInProcess::Get(); }

  // The top screen's class, and for a celebration its kind.
  static std::string Top() {
    const Screen* top = game().Runner().Stack().Top();
    if (!top) return "none";
    if (auto* celebration = dynamic_cast<const CelebrationScreen*>(top)) {
      switch (celebration->Kind()) {
        case Celebration::kLevelWon: return "level won";
        case Celebration::kDemonstrationWon: return "demonstration won";
        case Celebration::kGameWon: return "game won";
      }
    }
    char* name = abi::__cxa_demangle(typeid(*top).name(), nullptr, nullptr, nullptr);
    std::string text = name ? name : "?";
    std::free(name);
    return text.substr(text.rfind(':') + 1);
  }
  static void Send(Uint8 type, SDLKey key = SDLK_SPACE) {
    SDL_Event event = {};
    event.type = type;
    event.key.keysym.sym = key;
    event.button.button = SDL_BUTTON_LEFT;
    SDL_PushEvent(&event);
  }
  // Frames until done() or the limit; every screen seen on top after a
  // frame, once per stay. beforeFrame runs before each frame but the first
  // with the screen on top.
  std::vector<std::string> RunUntil(const std::function<bool()>& done,
                                    const std::function<void(const std::string&)>& beforeFrame, int limit = 5000) {
    std::vector<std::string> seen;
    for (int frame = 0; frame < limit; ++frame) {
      if (frame > 0 && beforeFrame) beforeFrame(Top());
      game().Host().AdvanceFixedClock(17);
      if (!game().Runner().Frame()) break;
      const std::string top = Top();
      if (seen.empty() || seen.back() != top) seen.push_back(top);
      if (done && done()) break;
    }
    return seen;
  }
  // The recorded shuffle of the level on show, rolled back frame by frame.
  std::function<void(const std::string&)> SolveAndDismiss() {
    return [this](const std::string& top) {
      if (top == "PlayingScreen") {
        Puzzle& puzzle = game().ThePuzzle();
        if (replayed != puzzle.Play().levelIndex) {
          replay.Begin(puzzle.LastShuffle(), 1);
          replayed = puzzle.Play().levelIndex;
        }
        replay.Step(puzzle, game().Host(), 1.0f);
      } else if (top == "LevelStartScreen" || top == "level won" || top == "game won") {
        Send(SDL_KEYUP);
      } else if (top == "HighScoreScreen") {
        Send(SDL_KEYUP, SDLK_ESCAPE);
      }
    };
  }

  ShuffleReplay replay;
  int replayed = -1;
};

}  // namespace

TEST_F(GameFlow, WonLevelsLeadThroughLevelStartsAndTheLastThroughGameWonAndTheHighScoresToTheMenu) {
  game().ThePuzzle().RecordShuffle(true);
  ASSERT_TRUE(game().StartAtLevel(0));
  const auto seen = RunUntil([] { return Top() == "MainMenuScreen"; }, SolveAndDismiss());
  EXPECT_EQ(seen, (std::vector<std::string>{"LevelStartScreen", "PlayingScreen", "level won", "LevelStartScreen",
                                             "PlayingScreen", "game won", "HighScoreScreen", "MainMenuScreen"}));
  EXPECT_EQ(game().Runner().Stack().Depth(), 1);
}

TEST_F(GameFlow, AfterReadyTheLevelIsSeenFromItsOverviewAndTheLevelStartWaitsForAPressOfItsOwn) {
  ASSERT_TRUE(game().StartAtLevel(1));
  RunUntil([] { return Top() == "LevelStartScreen"; }, nullptr);
  auto* start = dynamic_cast<LevelStartScreen*>(game().Runner().Stack().Top());
  ASSERT_NE(start, nullptr);
  // The pointer stays while the previous screen dissolves.
  EXPECT_TRUE(start->ShowsCursor());
  // A button release counts only after a press made during the screen (the
  // click that started the level is not one).
  Send(SDL_MOUSEBUTTONUP);
  RunUntil(nullptr, nullptr, 3);
  EXPECT_EQ(Top(), "LevelStartScreen");
  Send(SDL_MOUSEBUTTONDOWN);
  Send(SDL_MOUSEBUTTONUP);
  RunUntil(nullptr, nullptr, 3);
  ASSERT_EQ(Top(), "PlayingScreen");

  // The level start turned its own camera: the level's overview is as F5
  // leaves it.
  const CameraView& view = dynamic_cast<PlayingScreen*>(game().Runner().Stack().Top())->View().Current();
  EXPECT_EQ(view.spin, 0.0f);
  EXPECT_EQ(view.tilt, -60.0f);
  EXPECT_EQ(view.zoom, CameraDistanceFor(5, 3));
}

TEST_F(GameFlow, EscapePausesAndResumesAndThePauseMenuLeadsBackThroughTheHighScores) {
  ASSERT_TRUE(game().StartAtLevel(0));
  RunUntil([] { return Top() == "PlayingScreen"; }, [](const std::string&) { Send(SDL_KEYUP); });
  Send(SDL_KEYUP, SDLK_ESCAPE);
  RunUntil(nullptr, nullptr, 3);
  EXPECT_EQ(Top(), "PauseMenuScreen");
  Send(SDL_KEYUP, SDLK_ESCAPE);
  RunUntil(nullptr, nullptr, 3);
  EXPECT_EQ(Top(), "PlayingScreen");
  // F1 starts the level again behind its level start.
  Send(SDL_KEYUP, SDLK_F1);
  RunUntil(nullptr, nullptr, 3);
  EXPECT_EQ(Top(), "LevelStartScreen");
  Send(SDL_KEYUP);
  RunUntil(nullptr, nullptr, 3);
  // Pause > Quit (the last entry): the high scores, then the main menu.
  Send(SDL_KEYUP, SDLK_ESCAPE);
  RunUntil(nullptr, nullptr, 3);
  Send(SDL_KEYUP, SDLK_UP);
  Send(SDL_KEYUP, SDLK_RETURN);
  const auto seen = RunUntil([] { return Top() == "MainMenuScreen"; }, [](const std::string& top) {
    if (top == "HighScoreScreen") Send(SDL_KEYUP, SDLK_ESCAPE);
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"PauseMenuScreen", "HighScoreScreen", "MainMenuScreen"}));
}

TEST_F(GameFlow, TheDemonstrationEndsOnItsOwnLevelWonScreenWithoutTheHighScores) {
  game().StartDemonstrationOf(0);
  const auto seen = RunUntil([] { return Top() == "MainMenuScreen"; }, nullptr);
  EXPECT_EQ(seen, (std::vector<std::string>{"DemonstrationScreen", "demonstration won", "MainMenuScreen"}));
  // Any key gives the menu back at once.
  game().StartDemonstrationOf(1);
  RunUntil(nullptr, nullptr, 3);
  ASSERT_EQ(Top(), "DemonstrationScreen");
  Send(SDL_KEYUP);
  RunUntil(nullptr, nullptr, 3);
  EXPECT_EQ(Top(), "MainMenuScreen");
}

TEST_F(GameFlow, QuitFadesOutThroughTheGoodbyePageAndEndsTheRun) {
  game().QuitGame();
  const auto seen = RunUntil(nullptr, [](const std::string& top) {
    if (top == "GoodbyeScreen") Send(SDL_KEYUP);
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"MainMenuScreen", "GoodbyeScreen"}));
  EXPECT_EQ(game().Runner().Ended(), RunEnd::kEmpty);
}
