// Read-only access to the puzzle's state for the renderer, the screens and
// the shell. Everything that changes it goes through the rules (Rules.h,
// SavedGame.h); what is returned here is only read.
#pragma once

#include "puzzle/Board.h"
#include "puzzle/LevelSet.h"
#include "puzzle/PlayState.h"
#include "puzzle/Rules.h"
#include "puzzle/Scene.h"

inline const PlayState& Play() { return g_play; }
inline const Board& CurrentBoard() { return g_board; }
inline const LevelSet& CurrentLevelSet() { return g_levelSet; }
inline const Level& CurrentLevel() { return g_level; }
inline const MoveRecord& CurrentMove() { return g_move; }
inline int CubeCount() { return g_cubeCount; }
inline const CubeState& CubeRecord(int index) { return g_cubes[index]; }
inline int ArrowCount() { return g_arrowCount; }
inline const ArrowRecord& Arrow(int index) { return g_arrows[index]; }
