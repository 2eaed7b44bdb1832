// "glyphox-level play": a level started as the game starts it, played from
// commands on standard input, one a line; "show" prints the state as one line
// of JSON. Refused or unknown commands print a line on standard error.
#pragma once

#include <istream>
#include <ostream>

#include "puzzle/Rules.h"

class Puzzle;
class ToolHost;

// The name of a direction in "move" commands: n, e, s or w.
const char* MoveName(int direction);

struct PlayOptions {
  int levelIndex = 0;
  LevelStartOptions start;
};

// Runs the session until the input ends. The puzzle, made with the host,
// has its level set loaded. Returns 0, or 1 when the level cannot be started.
int RunPlaySession(Puzzle& puzzle, ToolHost& host, const PlayOptions& options, std::istream& in, std::ostream& out,
                   std::ostream& err);
// The commands alone, on the level the puzzle plays (restart starts it again
// with the options).
void PlayCommands(Puzzle& puzzle, ToolHost& host, const PlayOptions& options, std::istream& in, std::ostream& out,
                  std::ostream& err);
