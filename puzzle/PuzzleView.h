// What a reader of the puzzle includes (the renderer, the screens, the
// shell): a const Puzzle& gives Play(), Board(), LevelSet(), Level(), Move(),
// CubeCount(), CubeRecord(i), ArrowCount() and Arrow(i), and nothing that
// changes the puzzle.
#pragma once

#include "puzzle/Puzzle.h"
