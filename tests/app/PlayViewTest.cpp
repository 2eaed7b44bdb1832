// The game's pieces that need no display: the demonstration's replay solving
// the shipped levels through the rules, the cameras' limits, and the
// screenshot numbering.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/Demonstration.h"
#include "app/Game.h"
#include "app/PlayView.h"
#include "config/Language.h"
#include "config/Settings.h"
#include "puzzle/Variation.h"
#include "tests/puzzle/PuzzleTestSupport.h"
#include "tests/support/TestFiles.h"

using namespace puzzletest;

namespace {

class PlayViewTest : public PuzzleTest {
 protected:
  // Replays the recorded shuffle through the rules, frame by frame, until it
  // is over; returns the frames used.
  int ReplayToTheEnd(ShuffleReplay& replay) {
    int frames = 0;
    while ((!replay.Done() || play.moveState != kMoveStateReady) && frames < 200000) {
      replay.Step(puzzle, host, 1.0f);
      host.ticks += 17;
      puzzle.UpdateLevel();
      ++frames;
    }
    return frames;
  }
};

Pointer Dragged(int buttons, int dx, int dy) {
  Pointer pointer;
  pointer.buttons = buttons;
  pointer.dx = dx;
  pointer.dy = dy;
  return pointer;
}

}  // namespace

TEST_F(PlayViewTest, TheDemonstrationSolvesEachOfTheFirstFiveLevelsOfEverySet) {
  testsupport::ScopedWorkingDirectory inGame(testsupport::GameTreeDir());
  ASSERT_EQ(LoadLanguage("data/text_en.txt"), 1);
  ASSERT_GE(LevelSetCount(), 3);
  host.demonstration = true;
  int totalSteps = 0;
  puzzle.SetLevelSetChoices(ShippedChoices());
  for (int set = 0; set < LevelSetCount(); ++set) {
    ASSERT_EQ(puzzle.SelectLevelSet(set), 1) << "level set " << set;
    for (int level = 0; level < 5 && level < static_cast<int>(puzzle.LevelSet().levelCount); ++level) {
      for (unsigned seed = 1; seed <= 3; ++seed) {
        SCOPED_TRACE("set " + std::to_string(set) + " level " + std::to_string(level) + " seed " +
                     std::to_string(seed));
        std::srand(seed);
        puzzle.RecordShuffle(true);
        ASSERT_EQ(puzzle.StartLevel(level), 1);
        puzzle.RecordShuffle(false);
        ShuffleReplay replay;
        replay.Begin(puzzle.LastShuffle(), 2);
        const int steps = replay.StepsLeft();
        totalSteps += steps;
        host.sounds.clear();
        const int frames = ReplayToTheEnd(replay);
        EXPECT_EQ(board.formedCount, static_cast<int>(board.wordCount));
        EXPECT_EQ(play.moveCount, steps);
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

TEST_F(PlayViewTest, TheCamerasKeepTheirLimitsAndOnlyTheCloseViewPans) {
  UseLevels(OneLevel({"......", "......", "...X.."}, {"X 3 2 h"}));
  StartPlain();
  PlayView view(puzzle);
  view.FitToBoard();
  // The wheel never leaves [0.2, 3.0].
  for (int notch = 0; notch < 100; ++notch) view.WheelZoom(SDL_BUTTON_WHEELUP);
  EXPECT_FLOAT_EQ(view.Current().zoom, 0.2f);
  for (int notch = 0; notch < 100; ++notch) view.WheelZoom(SDL_BUTTON_WHEELDOWN);
  EXPECT_FLOAT_EQ(view.Current().zoom, 3.0f);
  // Dragging: the left button tilts, the right zooms, each within the limits
  // of playing or of the demonstration.
  view.Drag(Dragged(1, 0, 1000), kPlayingLimits);
  EXPECT_FLOAT_EQ(view.Current().tilt, -25.0f);
  view.Drag(Dragged(1, 0, 1000), kDemonstrationLimits);
  EXPECT_FLOAT_EQ(view.Current().tilt, -20.0f);
  view.Drag(Dragged(4, 0, -1000), kDemonstrationLimits);
  EXPECT_FLOAT_EQ(view.Current().zoom, 0.25f);
  // Page Up tests its limit before the step: it stops at most one step
  // past 0.2.
  HeldKeys keys = {};
  keys.pageUp = true;
  for (int frame = 0; frame < 10; ++frame) view.ApplyHeldKeys(keys, 1.0f);
  EXPECT_LE(view.Current().zoom, 0.2f + 1e-5f);
  EXPECT_GT(view.Current().zoom, 0.2f - 0.01f - 1e-5f);

  // W, A, S, D and the edges pan only the close view, and never past half
  // the board.
  keys = {};
  keys.a = true;
  view.ApplyHeldKeys(keys, 2.0f);
  Pointer atLeftEdge;
  view.EdgeScroll(atLeftEdge, 640, 480, 1.0f);
  EXPECT_EQ(view.Pose().pan[0], 0.0f);
  view.UseCloseView();
  for (int frame = 0; frame < 1000; ++frame) view.ApplyHeldKeys(keys, 1.0f);
  EXPECT_LE(view.Pose().pan[0], 6 * kSquareSize * 0.5f + 0.005f);
  EXPECT_GT(view.Pose().pan[0], 6 * kSquareSize * 0.5f - 0.005f);

  // F5 puts the close view back; the overview keeps what was done to it.
  view.ResetCurrentView();
  EXPECT_FLOAT_EQ(view.Current().zoom, kCloseDefaults.zoom);
  view.UseOverview();
  EXPECT_FLOAT_EQ(view.Current().tilt, -20.0f);
  view.ResetCurrentView();
  EXPECT_FLOAT_EQ(view.Current().zoom, CameraDistanceFor(6, 3));
}

// Numbered on from the highest number there, so that the first F10 of a run
// never replaces a picture of an earlier one.
TEST(Screenshots, AreNumberedOnFromTheHighestInTheCaptureDirectory) {
  testsupport::TempDir dir;
  testsupport::ScopedWorkingDirectory cwd(dir.Path());
  std::snprintf(g_settings.gamePath, sizeof g_settings.gamePath, "%s", "./");
  Game game{LaunchOptions()};
  EXPECT_EQ(game.NextScreenshotPath(), "./capture\\ScreenShot00.bmp");
  mkdir("capture", 0777);
  for (const char* name : {"ScreenShot00.bmp", "ScreenShot07.bmp", "ScreenShot99.bmp.tmp1", "ScreenShotX.bmp"})
    testsupport::WriteFile(std::string("capture/") + name, "BM");
  EXPECT_EQ(game.NextScreenshotPath(), "./capture\\ScreenShot08.bmp");
  testsupport::WriteFile("capture/ScreenShot99.bmp", "BM");
  EXPECT_EQ(game.NextScreenshotPath(), "./capture\\ScreenShot100.bmp");
}
