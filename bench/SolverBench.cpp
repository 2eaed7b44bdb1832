// The solver over every shipped level at the default difficulty, dealt with
// seed 1 as "glyphox-level solve --seed 1" deals it: how many it solves, how
// long it takes, how many answers are proven shortest, and par against the
// number of rolls the demonstration's replay of the shuffle makes. Then, as
// the game deals a new start each play, how many of several deals (seeds 1
// to N, "--deals N", 8 by default) get a par within the game's budget.
#include <time.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

#include "puzzle/Puzzle.h"
#include "puzzle/Solver.h"
#include "tests/puzzle/PuzzleTestSupport.h"
#include "tools/level/SolveSession.h"
#include "tools/level/ToolHost.h"

namespace {

// Processor time of this thread: the machine is shared, and a slice is
// judged by the work it does, not by the waits of other processes.
double Now() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// As the game computes par: Run calls of a frame slice's work until 200 ms
// are spent. Returns
// the longest call (and the construction) in milliseconds; found tells
// whether an answer stood by then.
// With untilAnswered, it stops at the first answer: the par stands by then.
double LongestSlice(Puzzle& puzzle, int index, unsigned seed, bool untilAnswered, bool& found) {
  std::srand(seed);
  puzzle.StartLevel(index);
  const double start = Now();
  Solver solver(puzzle);
  double longest = Now() - start, total = longest;
  bool done = solver.Finished();
  while (!done && total < 200 && !(untilAnswered && solver.Answered())) {
    const double slice = Now();
    done = solver.Run(kSolverSliceWork);
    const double ms = Now() - slice;
    longest = std::max(longest, ms);
    total += ms;
  }
  found = (done ? solver.Result() : solver.Stop()).outcome == SolverOutcome::kSolved;
  puzzle.EndLevel();
  return longest;
}

// Loads a shipped set with its symmetric letters; its file name, or "" when
// it does not load.
std::string LoadSet(Puzzle& puzzle, const LevelSetChoice& choice) {
  if (!puzzle.LoadLevelSet(choice.path.c_str())) return "";
  puzzle.SetSymmetricLetters(choice.symmetricLetters);
  return choice.path.substr(choice.path.find_last_of('/') + 1);
}

struct Spread {
  double median = 0, worst = 0;
  int withinTwoSeconds = 0;
};

Spread SpreadOf(std::vector<double> ms) {
  Spread s;
  if (ms.empty()) return s;
  std::sort(ms.begin(), ms.end());
  s.median = ms[ms.size() / 2];
  s.worst = ms.back();
  s.withinTwoSeconds = static_cast<int>(std::count_if(ms.begin(), ms.end(), [](double t) { return t <= 2000; }));
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  int deals = 8;
  if (argc == 3 && std::string(argv[1]) == "--deals") deals = std::atoi(argv[2]);
  if (argc != 1 && (argc != 3 || deals < 1)) {
    std::fprintf(stderr, "usage: solver_bench [--deals N]\n");
    return 2;
  }
  ToolHost host;
  Puzzle puzzle(&host);
  const SolverLimits limits;
  std::vector<double> times, firsts, finals, slices;
  int parsInTime = 0;
  int levels = 0, solved = 0, proven = 0, withinTwoSeconds = 0;
  long parTotal = 0, shuffleTotal = 0;
  double ratioTotal = 0;
  for (const LevelSetChoice& choice : puzzletest::ShippedChoices()) {
    const std::string name = LoadSet(puzzle, choice);
    if (name.empty()) return 1;
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
      firsts.push_back(f.firstMilliseconds);
      finals.push_back(f.finalMilliseconds);
      parTotal += f.par;
      shuffleTotal += f.shuffle;
      if (f.shuffle > 0) ratioTotal += static_cast<double>(f.par) / f.shuffle;
    }
    std::printf("%s: %d of %zu solved\n", name.c_str(), setSolved, puzzle.LevelSet().levels.size());
    for (int i = 0; i < static_cast<int>(puzzle.LevelSet().levels.size()); ++i) {
      bool found = false;
      const double longest = LongestSlice(puzzle, i, 1, false, found);
      slices.push_back(longest);
      parsInTime += found;
    }
  }
  std::printf("solved %d of %d levels (the whole search ended within 2 s for %d), %d proven shortest\n", solved,
              levels, withinTwoSeconds, proven);
  const Spread all = SpreadOf(times), first = SpreadOf(firsts), last = SpreadOf(finals), slice = SpreadOf(slices);
  std::printf("time per level: median %.0f ms, worst %.0f ms (budget %ld nodes)\n", all.median, all.worst,
              limits.nodes);
  std::printf("time to the first answer over the solved levels: median %.0f ms, worst %.0f ms, %d within 2 s\n",
              first.median, first.worst, first.withinTwoSeconds);
  // The par stands from then on: the rest of the search only tries to prove it shortest.
  std::printf("time to the answer that stands at the end: median %.0f ms, worst %.0f ms, %d within 2 s\n",
              last.median, last.worst, last.withinTwoSeconds);
  std::printf("par against the shuffle's replay over the solved levels: %ld against %ld rolls in all, %.2f on average\n",
              parTotal, shuffleTotal, solved ? ratioTotal / solved : 0);
  std::printf("as the game computes par (200 ms in calls of %ld positions): an answer for %d of %d levels, "
              "longest call (processor time) median %.2f ms, worst %.2f ms\n",
              kSolverSliceWork, parsInTime, levels, slice.median, slice.worst);

  // Over many deals: the levels that miss a par on some deal, then totals.
  int dealsWithPar = 0, levelsOnEveryDeal = 0, worst = deals + 1;
  std::string worstLevel;
  for (const LevelSetChoice& choice : puzzletest::ShippedChoices()) {
    const std::string name = LoadSet(puzzle, choice);
    if (name.empty()) return 1;
    for (int i = 0; i < static_cast<int>(puzzle.LevelSet().levels.size()); ++i) {
      std::string missed;
      int withPar = 0;
      for (int seed = 1; seed <= deals; ++seed) {
        bool found = false;
        LongestSlice(puzzle, i, static_cast<unsigned>(seed), true, found);
        withPar += found;
        if (!found) missed += " " + std::to_string(seed);
      }
      dealsWithPar += withPar;
      levelsOnEveryDeal += withPar == deals;
      const std::string level = name + " level " + std::to_string(i + 1) + " (" +
                                std::string(reinterpret_cast<const char*>(puzzle.LevelSet().levels[i].code), kCodeLength) + ")";
      if (withPar < deals) std::printf("%s: par on %d of %d deals, none for seeds%s\n", level.c_str(), withPar, deals, missed.c_str());
      if (withPar < worst) {
        worst = withPar;
        worstLevel = level;
      }
    }
  }
  std::printf("over %d deals a level (seeds 1 to %d), as the game computes par: par on %d of %d deals, "
              "%d of %d levels on every deal, worst %s with %d\n",
              deals, deals, dealsWithPar, levels * deals, levelsOnEveryDeal, levels, worstLevel.c_str(), worst);
  return 0;
}
