// Compiles with the puzzle's include roots only: what a renderer may include.
#include "puzzle/PuzzleView.h"

int CubesOnTheBoard(const Puzzle& puzzle) { return puzzle.CubeCount(); }
