// "glyphox-level solve" and "glyphox-level curve": the solver on a level
// started as "play" starts it, its answer written as play commands and
// checked by playing it through the rules, and the figures of every level of
// a set for the difficulty curve.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "puzzle/Solver.h"
#include "tools/level/PlaySession.h"

class Puzzle;
class ToolHost;

// Plays the moves from the puzzle's position: true when each was allowed and
// every word stands at the end. Adds the legal moves of every position on
// the way (the last excluded) to legalMoves when given.
bool ReplayAnswer(Puzzle& puzzle, ToolHost& host, const std::vector<SolverMove>& moves, long* legalMoves = nullptr);

// The moves as play commands, one a line: "select X Y" before the first move
// and whenever another cube rolls, then "move n|e|s|w".
void WriteAnswer(std::ostream& out, const std::vector<SolverMove>& moves);

// "moves N lower-bound L proven yes|no nodes K ms T"; N is "none" without an
// answer, L "none" when none exists.
std::string SummaryLine(const SolverResult& result, double milliseconds);

// Starts the level, plays the commands of in (when given) and solves from
// there: the answer on out, the summary on err. Returns 0 with an answer
// that the rules confirm, 1 otherwise.
int RunSolveSession(Puzzle& puzzle, ToolHost& host, const PlayOptions& options, const SolverLimits& limits,
                    std::istream* in, std::ostream& out, std::ostream& err);

// One level of the curve: the start "play --seed" deals, solved.
struct LevelFigures {
  int par = -1;           // -1: no answer
  int lowerBound = -1;
  bool proven = false;
  double branching = 0;   // legal moves per position along the answer
  int shuffle = 0;        // steps of the shuffle (the demonstration replays as many)
  long nodes = 0;
  double milliseconds = 0;
  double firstMilliseconds = -1;  // until the first answer stood, -1: none
  double finalMilliseconds = -1;  // until the answer that stands at the end was found
  bool confirmed = false;  // the answer replayed to every word formed
};
// The level set is loaded in the puzzle; the seed is handed to srand first,
// as "play --seed" does.
LevelFigures MeasureLevel(Puzzle& puzzle, ToolHost& host, int index, unsigned seed, const LevelStartOptions& start,
                          const SolverLimits& limits);

// The curve of the sets: a header, then one tab-separated line per level
// (set, level, code, words, cubes, par, lower bound, proven, branching,
// shuffle).
void WriteCurve(std::ostream& out, const std::string& setName, Puzzle& puzzle, ToolHost& host, unsigned seed,
                const LevelStartOptions& start, const SolverLimits& limits, bool header);
