// The puzzle's own mutable records, for the puzzle's code, its tests and its
// tools only. Everything else reads them through PuzzleView.h and changes
// them through the rules; a target outside the puzzle that includes this
// header does not build (GLYPHOX_PUZZLE_WRITER is defined only for the
// puzzle library and the targets that drive it directly).
#pragma once

#ifndef GLYPHOX_PUZZLE_WRITER
#error "PuzzleGlobals.h is the puzzle's own; read the puzzle through puzzle/PuzzleView.h"
#endif

#include "puzzle/Board.h"
#include "puzzle/LevelSet.h"
#include "puzzle/PlayState.h"
#include "puzzle/Rules.h"
#include "puzzle/Scene.h"
#include "puzzle/Variation.h"

extern Board g_board;
// The cube list of the running level; the index is each cube's number.
extern CubeState g_cubes[kMaxCubes];
extern int g_cubeCount;
extern LevelSet g_levelSet;
extern PlayState g_play;
extern MoveRecord g_move;
extern UndoStack g_undo;
extern ArrowRecord g_arrows[kMaxArrows];
extern int g_arrowCount;
extern Level g_level;
// Set while MixLevel runs: the roll hooks do nothing then.
extern int g_mixing;
// Set by the demonstration around its StartLevel: MixLevel records its steps.
extern int g_recording;
extern ShuffleRecord g_shuffleRecord;
