#include "tools/level/SolveSession.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "puzzle/Puzzle.h"
#include "tools/level/ToolHost.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Rolls the cube a free square away could take, over every movable cube.
long LegalMoves(const Puzzle& puzzle) {
  long count = 0;
  const Board& board = puzzle.Board();
  for (int i = 0; i < puzzle.CubeCount(); ++i) {
    const CubeState& cube = puzzle.CubeRecord(i);
    if (board.CellAt(cube.x, cube.y) != CUBE) continue;
    for (int d = North; d <= West; ++d) {
      const int code = board.CellAt(cube.x + DirectionDx(d), cube.y + DirectionDy(d));
      count += code == FLOOR || IsTargetCode(code);
    }
  }
  return count;
}

bool AllWordsStand(const Puzzle& puzzle) {
  return puzzle.Board().formedCount == static_cast<int>(puzzle.Board().wordCount);
}

}  // namespace

bool ReplayAnswer(Puzzle& puzzle, ToolHost& host, const std::vector<SolverMove>& moves, long* legalMoves) {
  for (const SolverMove& move : moves) {
    if (legalMoves) *legalMoves += LegalMoves(puzzle);
    const int cube = puzzle.FindCubeAt(move.x, move.y);
    if (cube < 0) return false;
    puzzle.SelectCube(cube);
    if (!puzzle.MoveSelected(move.direction)) return false;
    host.FinishRolls(puzzle);
  }
  return AllWordsStand(puzzle);
}

void WriteAnswer(std::ostream& out, const std::vector<SolverMove>& moves) {
  int atX = -1, atY = -1;
  for (const SolverMove& move : moves) {
    if (move.x != atX || move.y != atY) out << "select " << move.x << " " << move.y << "\n";
    out << "move " << MoveName(move.direction) << "\n";
    atX = move.x + DirectionDx(move.direction);
    atY = move.y + DirectionDy(move.direction);
  }
  out.flush();
}

std::string SummaryLine(const SolverResult& result, double milliseconds) {
  const bool answered = result.outcome == SolverOutcome::kSolved;
  char line[160];
  std::snprintf(line, sizeof line, "moves %s lower-bound %s proven %s nodes %ld ms %.0f",
                answered ? std::to_string(result.moves.size()).c_str() : "none",
                result.lowerBound < 0 ? "none" : std::to_string(result.lowerBound).c_str(),
                result.proven ? "yes" : "no", result.nodes, milliseconds);
  return line;
}

int RunSolveSession(Puzzle& puzzle, ToolHost& host, const PlayOptions& options, const SolverLimits& limits,
                    std::istream* in, std::ostream& out, std::ostream& err) {
  if (!puzzle.StartLevel(options.levelIndex, options.start)) return 1;
  if (in) PlayCommands(puzzle, host, options, *in, out, err);
  const Clock::time_point start = Clock::now();
  Solver solver(puzzle, limits);
  const SolverResult result = solver.Solve();
  const double milliseconds = MillisecondsSince(start);
  int status = 1;
  if (result.outcome == SolverOutcome::kSolved) {
    WriteAnswer(out, result.moves);
    // The rules have the last word: an answer they refuse is a fault.
    status = ReplayAnswer(puzzle, host, result.moves) ? 0 : 1;
    if (status) err << "the answer does not form every word when played\n";
  }
  err << SummaryLine(result, milliseconds) << "\n";
  puzzle.EndLevel();
  return status;
}

LevelFigures MeasureLevel(Puzzle& puzzle, ToolHost& host, int index, unsigned seed, const LevelStartOptions& start,
                          const SolverLimits& limits) {
  LevelFigures figures;
  std::srand(seed);
  puzzle.RecordShuffle(true);
  const bool started = puzzle.StartLevel(index, start);
  puzzle.RecordShuffle(false);
  if (!started) return figures;
  figures.shuffle = static_cast<int>(puzzle.LastShuffle().steps.size());
  const Clock::time_point begin = Clock::now();
  Solver solver(puzzle, limits);
  // In steps, to see when the first answer stands and when the last one,
  // which the rest of the search only tries to prove shortest.
  constexpr long kStep = 1000;
  int standing = -1;
  bool done = false;
  while (!done) {
    done = solver.Run(kStep);
    if (solver.AnswerMoves() == standing) continue;
    standing = solver.AnswerMoves();
    figures.finalMilliseconds = MillisecondsSince(begin);
    if (figures.firstMilliseconds < 0) figures.firstMilliseconds = figures.finalMilliseconds;
  }
  const SolverResult& result = solver.Result();
  figures.milliseconds = MillisecondsSince(begin);
  if (figures.firstMilliseconds < 0 && result.outcome == SolverOutcome::kSolved)
    figures.firstMilliseconds = figures.finalMilliseconds = figures.milliseconds;
  figures.nodes = result.nodes;
  figures.lowerBound = result.lowerBound;
  figures.proven = result.proven;
  if (result.outcome == SolverOutcome::kSolved) {
    figures.par = static_cast<int>(result.moves.size());
    long legal = 0;
    figures.confirmed = ReplayAnswer(puzzle, host, result.moves, &legal);
    figures.branching = result.moves.empty() ? 0.0 : static_cast<double>(legal) / result.moves.size();
  }
  puzzle.EndLevel();
  return figures;
}

void WriteCurve(std::ostream& out, const std::string& setName, Puzzle& puzzle, ToolHost& host, unsigned seed,
                const LevelStartOptions& start, const SolverLimits& limits, bool header) {
  if (header) out << "set\tlevel\tcode\twords\tcubes\tpar\tlower_bound\tproven\tbranching\tshuffle\n";
  const LevelSet& set = puzzle.LevelSet();
  for (int i = 0; i < static_cast<int>(set.levels.size()); ++i) {
    const LevelRecord& level = set.levels[i];
    int cubes = 0;
    for (uint32_t y = 0; y < level.height; ++y)
      for (uint32_t x = 0; x < level.width; ++x) cubes += level.walls[y * kLayerStride + x] == CUBE;
    const LevelFigures f = MeasureLevel(puzzle, host, i, seed, start, limits);
    char line[200];
    std::snprintf(line, sizeof line, "%s\t%d\t%.5s\t%u\t%d\t%d\t%d\t%s\t%.2f\t%d\n", setName.c_str(), i + 1,
                  reinterpret_cast<const char*>(level.code), level.wordCount, cubes, f.confirmed ? f.par : -1,
                  f.lowerBound, f.proven ? "yes" : "no", f.branching, f.shuffle);
    out << line;
  }
  out.flush();
}
