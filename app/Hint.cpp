#include "app/Hint.h"

#include <cstdio>

#include "app/Game.h"
#include "config/Language.h"
#include "puzzle/Puzzle.h"

namespace {

// The search of a hint in all.
constexpr double kHintBudgetMilliseconds = 300.0;

}  // namespace

void Hint::Ask() {
  Puzzle& puzzle = m_game.ThePuzzle();
  const int moves = puzzle.Play().moveCount;
  if (puzzle.Play().moveState != kMoveStateReady || m_askedAt == moves) return;
  if (m_shownAt == moves) {
    // Asked again while it shows: its cube again, at no cost.
    if (!m_note) puzzle.SelectCube(puzzle.FindCubeAt(m_x, m_y));
    return;
  }
  m_askedAt = moves;
  m_game.HintSearch().Begin(puzzle, kHintBudgetMilliseconds);
}

void Hint::Clear() {
  m_game.HintSearch().Cancel();
  m_askedAt = m_shownAt = -1;
  m_arrow = -1;
  Note(false);
}

void Hint::Note(bool on) {
  if (m_note == on) return;
  m_note = on;
  m_game.Bar().SetNote(on ? Label(LabelKey::HintNone) : CUString());
  m_game.Bar().Prepare(false);
}

void Hint::Update() {
  Puzzle& puzzle = m_game.ThePuzzle();
  const int moves = puzzle.Play().moveCount;
  if (m_shownAt >= 0 && m_shownAt != moves) {
    // A move or an undo: the hint is spent.
    m_shownAt = -1;
    m_arrow = -1;
    Note(false);
  }
  SlicedSolver& search = m_game.HintSearch();
  if (m_askedAt >= 0 && search.Step()) {
    const SolverResult* result = search.Result();
    const bool current = m_askedAt == moves && puzzle.Play().moveState == kMoveStateReady;
    m_askedAt = -1;
    if (!current) return;
    if (!result || result->outcome != SolverOutcome::kSolved) {
      m_shownAt = moves;
      Note(true);
      std::printf("No hint\n");
    } else if (!result->moves.empty()) {
      const SolverMove& move = result->moves.front();
      puzzle.SelectCube(puzzle.FindCubeAt(move.x, move.y));
      m_x = move.x;
      m_y = move.y;
      m_direction = move.direction;
      puzzle.ChargeHint();
      m_shownAt = puzzle.Play().moveCount;
      // Authors and tests follow the hints.
      std::printf("Hint: select %d %d move %d moves %d\n", move.x, move.y, move.direction, m_shownAt);
    }
    std::fflush(stdout);
  }
  // The arrows come and go with the selection: the hint's is found again.
  m_arrow = -1;
  if (m_shownAt == moves && !m_note) {
    const CubeState& selected = puzzle.CubeRecord(puzzle.Play().selectedCube);
    for (int i = 0; i < puzzle.ArrowCount(); ++i) {
      const ArrowRecord& arrow = puzzle.Arrow(i);
      if (arrow.active && arrow.direction == m_direction && arrow.x == selected.x + DirectionDx(m_direction) &&
          arrow.y == selected.y + DirectionDy(m_direction))
        m_arrow = i;
    }
  }
}
