// The solver: the fewest moves that form every word of a level from any
// position, by the game's own rules (the cubes' 24 face states, walls, static
// letter blocks, words read upright along a row or down a column from their
// anchor, wherever they stand).
//
// It reads the position once from a const Puzzle whose cubes stand still and
// searches on a compact copy of its own (each movable cube as its square and
// face state), so it never changes the game. The search is in stages that a
// caller may spread over frames: distance tables for a lone cube, a first
// answer made square by square (a square other cubes must still cross after
// them, the deepest inside the words first; never one that shuts another off,
// unless a cube can first roll to the side that lacks it; when that finds
// nothing, again after rolling the wrong cubes off the words, in the plain
// order, then with them parked as far as they go, in the first order and in
// the plain one), a guided search towards the few word placements that cost
// least, when nothing is found yet a fallback placing one cube at a time, then
// A* with a lower bound that never overestimates, which proves the answer
// shortest when it runs out of positions below it. A position already seen
// costs nothing again (a table keyed by a hash of the position). The node and
// memory budgets bound it; when they end, the best answer found so far stands.
//
//   Solver solver(puzzle);                 // the position as it stands
//   while (!solver.Run(500)) ...           // or solver.Solve() at once
//   const SolverResult& result = solver.Result();
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

class Puzzle;

// One move of an answer: the cube standing on (x, y) rolls in the direction.
struct SolverMove {
  int x;
  int y;
  int direction;  // Direction
};

// Work per Run call for a caller that looks at its clock between calls (a
// frame's slice): under a millisecond even where positions cost most.
constexpr long kSolverSliceWork = 25;

struct SolverLimits {
  long nodes = 300000;                  // positions generated, all stages together
  size_t memoryBytes = size_t{192} << 20;  // positions kept, tables and lists
};

enum class SolverOutcome {
  kSearching,     // Run has more to do
  kSolved,        // the moves form every word
  kUnsolvable,    // proven: no sequence of moves forms every word
  kNothingFound,  // the budget ended before any answer (or the position is not one a search can read)
};

struct SolverResult {
  SolverOutcome outcome = SolverOutcome::kSearching;
  std::vector<SolverMove> moves;
  int lowerBound = 0;   // no answer has fewer moves (-1 when none exists)
  bool proven = false;  // the moves are a shortest answer, or no answer exists
  long nodes = 0;       // positions generated
};

class Solver {
 public:
  // Reads the position of the puzzle's running level. A roll under way, or a
  // cube whose faces are not one of a cube's 24 states, gives kNothingFound.
  explicit Solver(const Puzzle& puzzle, const SolverLimits& limits = SolverLimits());
  ~Solver();
  Solver(const Solver&) = delete;
  Solver& operator=(const Solver&) = delete;

  // Searches on for about `work` more positions (making a distance table
  // counts as a few); returns true once the result is final.
  bool Run(long work);
  // Runs to the end of the search or its budget.
  const SolverResult& Solve();
  // Ends the search now (a time budget spent): the best answer found so far
  // stands, unproven unless the search had ended anyway.
  const SolverResult& Stop();
  bool Finished() const;
  // Whether some answer stands already (the search may still shorten it).
  bool Answered() const;
  // The moves of the answer standing so far (-1 before the first).
  int AnswerMoves() const;
  const SolverResult& Result() const;

 private:
  struct Search;
  std::unique_ptr<Search> m_search;
};
