// A solver run a few milliseconds a frame, so that no frame waits for it,
// within a budget of time in all (the par of a level start, a hint).
#pragma once

#include <memory>

#include "puzzle/Solver.h"

class Puzzle;

class SlicedSolver {
 public:
  // Searches from the puzzle's position as it stands now (read at once).
  void Begin(const Puzzle& puzzle, double budgetMilliseconds);
  void Cancel() { m_solver.reset(); m_done = false; }
  // Searches on for at most the slice; true on the frame the result became
  // final (solved, proven unsolvable, or the budget spent).
  bool Step(double sliceMilliseconds = 4.0);
  bool Running() const { return m_solver && !m_done; }
  // The final result, null before it (or when nothing was begun).
  const SolverResult* Result() const { return m_done ? &m_solver->Result() : nullptr; }

 private:
  std::unique_ptr<Solver> m_solver;
  double m_left = 0;  // milliseconds of the budget
  bool m_done = false;
};
