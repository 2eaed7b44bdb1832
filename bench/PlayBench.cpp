// What the rules and the cube animation cost in one frame of play: the
// demonstration's replay of real levels over the puzzle alone (no drawing),
// in microseconds per frame.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/Demonstration.h"
#include "config/Language.h"
#include "config/Settings.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/Puzzle.h"
#include "puzzle/Variation.h"
#include "tests/support/TestFiles.h"
#include "ui/LevelSetChoices.h"

namespace {

struct ClockHost : PuzzleHost {
  uint32_t Ticks() override { return ticks; }
  bool DemonstrationRunning() override { return true; }
  uint32_t ticks = 1000;
};

}  // namespace

int main() {
  ClockHost host;
  Puzzle puzzle(&host);
  testsupport::ScopedWorkingDirectory inGame(testsupport::GameTreeDir());
  if (!LoadLanguage("data/text_en.txt")) return 1;
  puzzle.SetLevelSetChoices(LevelSetChoicesOfLanguage());
  long frames = 0;
  double microseconds = 0, worst = 0;
  for (int set = 0; set < LevelSetCount(); ++set) {
    if (!puzzle.SelectLevelSet(set)) return 1;
    for (int level = 0; level < static_cast<int>(puzzle.LevelSet().levelCount) && level < 20; ++level) {
      std::srand(static_cast<unsigned>(level + 1));
      puzzle.RecordShuffle(true);
      if (!puzzle.StartLevel(level)) return 1;
      puzzle.RecordShuffle(false);
      ShuffleReplay replay;
      replay.Begin(puzzle.LastShuffle(), 2);
      while (!replay.Done() || puzzle.Play().moveState != kMoveStateReady) {
        const auto start = std::chrono::steady_clock::now();
        replay.Step(puzzle, host, 1.0f);
        host.ticks += 17;
        puzzle.UpdateLevel();
        const double us =
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
        microseconds += us;
        worst = us > worst ? us : worst;
        ++frames;
      }
    }
  }
  std::printf("rules and animation: %ld frames, %.3f us per frame on average, %.1f us at most\n", frames,
              frames ? microseconds / frames : 0.0, worst);
  return 0;
}
