// Must not compile: the puzzle's records change only through its rules, even
// for a caller holding a Puzzle that is not const.
#include "puzzle/Puzzle.h"

void Cheat(Puzzle& puzzle) { puzzle.Play().moveCount = 0; }
