// The solver over every shipped level at the default difficulty, dealt with
// seed 1 as "glyphox-level solve --seed 1" deals it: how many it solves, how
// long it takes, how many answers are proven shortest, and par against the
// number of rolls the demonstration's replay of the shuffle makes.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "puzzle/Puzzle.h"
#include "tests/puzzle/PuzzleTestSupport.h"
#include "tools/level/SolveSession.h"
#include "tools/level/ToolHost.h"

int main() {
  ToolHost host;
  Puzzle puzzle(&host);
  const SolverLimits limits;
  std::vector<double> times;
  int levels = 0, solved = 0, proven = 0, withinTwoSeconds = 0;
  long parTotal = 0, shuffleTotal = 0;
  double ratioTotal = 0;
  for (const LevelSetChoice& choice : puzzletest::ShippedChoices()) {
    if (!puzzle.LoadLevelSet(choice.path.c_str())) return 1;
    puzzle.SetSymmetricLetters(choice.symmetricLetters);
    const std::string name = choice.path.substr(choice.path.find_last_of('/') + 1);
    int setSolved = 0;
    for (int i = 0; i < static_cast<int>(puzzle.LevelSet().levels.size()); ++i) {
      const LevelFigures f = MeasureLevel(puzzle, host, i, 1, LevelStartOptions(), limits);
      ++levels;
      times.push_back(f.milliseconds);
      if (!f.confirmed) {
        std::printf("%s level %d: no answer (lower bound %d, %ld nodes, %.0f ms)\n", name.c_str(), i + 1,
                    f.lowerBound, f.nodes, f.milliseconds);
        continue;
      }
      ++solved;
      ++setSolved;
      proven += f.proven;
      withinTwoSeconds += f.milliseconds <= 2000;
      parTotal += f.par;
      shuffleTotal += f.shuffle;
      if (f.shuffle > 0) ratioTotal += static_cast<double>(f.par) / f.shuffle;
    }
    std::printf("%s: %d of %zu solved\n", name.c_str(), setSolved, puzzle.LevelSet().levels.size());
  }
  std::sort(times.begin(), times.end());
  const double median = times.empty() ? 0 : times[times.size() / 2];
  std::printf("solved %d of %d levels (%d within 2 s), %d proven shortest\n", solved, levels, withinTwoSeconds, proven);
  std::printf("time per level: median %.0f ms, worst %.0f ms (budget %ld nodes)\n", median,
              times.empty() ? 0 : times.back(), limits.nodes);
  std::printf("par against the shuffle's replay over the solved levels: %ld against %ld rolls in all, %.2f on average\n",
              parTotal, shuffleTotal, solved ? ratioTotal / solved : 0);
  return 0;
}
