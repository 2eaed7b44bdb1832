// What the rules and the cube animation cost in one frame of play: the
// demonstration's replay of real levels over the puzzle alone (no drawing),
// in microseconds per frame.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/Demonstration.h"
#include "config/Language.h"
#include "config/Settings.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/PuzzleView.h"
#include "puzzle/Variation.h"
#include "tests/support/TestFiles.h"

namespace {

struct ClockHost : PuzzleHost {
  uint32_t Ticks() override { return ticks; }
  bool DemonstrationRunning() override { return true; }
  uint32_t ticks = 1000;
};

}  // namespace

int main() {
  ClockHost host;
  InstallPuzzleHost(&host);
  testsupport::ScopedWorkingDirectory inGame(testsupport::GameTreeDir());
  if (!LoadLanguage("data/text_en.txt")) return 1;
  long frames = 0;
  double microseconds = 0, worst = 0;
  for (int set = 0; set < LevelSetCount(); ++set) {
    g_settings.langLevel = set;
    if (!SelectLevelSet()) return 1;
    for (int level = 0; level < static_cast<int>(CurrentLevelSet().levelCount) && level < 20; ++level) {
      std::srand(static_cast<unsigned>(level + 1));
      RecordShuffle(true);
      if (!StartLevel(level)) return 1;
      RecordShuffle(false);
      ShuffleReplay replay;
      replay.Begin(LastShuffle(), 2);
      while (!replay.Done() || Play().moveState != kMoveStateReady) {
        const auto start = std::chrono::steady_clock::now();
        replay.Step(1.0f);
        host.ticks += 17;
        UpdateLevel();
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
  EndLevel();
  InstallPuzzleHost(nullptr);
  return 0;
}
