// Must not compile outside the puzzle: its records are written by the rules.
#include "puzzle/PuzzleGlobals.h"

void Cheat() { g_play.moveCount = 0; }
