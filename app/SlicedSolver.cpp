#include "app/SlicedSolver.h"

#include <chrono>

void SlicedSolver::Begin(const Puzzle& puzzle, double budgetMilliseconds) {
  m_solver = std::make_unique<Solver>(puzzle);
  m_left = budgetMilliseconds;
  m_done = m_solver->Finished();
}

bool SlicedSolver::Step(double sliceMilliseconds) {
  if (!m_solver || m_done) return false;
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  double spent = 0;
  while (!m_done && spent < sliceMilliseconds && spent < m_left) {
    m_done = m_solver->Run(kSolverSliceWork);
    spent = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  }
  m_left -= spent;
  if (!m_done && m_left <= 0) {
    m_solver->Stop();
    m_done = true;
  }
  return m_done;
}
