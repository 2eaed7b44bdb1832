#include "puzzle/PuzzleView.h"

#include "puzzle/PuzzleGlobals.h"

const PlayState& Play() { return g_play; }
const Board& CurrentBoard() { return g_board; }
const LevelSet& CurrentLevelSet() { return g_levelSet; }
const Level& CurrentLevel() { return g_level; }
const MoveRecord& CurrentMove() { return g_move; }
int CubeCount() { return g_cubeCount; }
const CubeState& CubeRecord(int index) { return g_cubes[index]; }
int ArrowCount() { return g_arrowCount; }
const ArrowRecord& Arrow(int index) { return g_arrows[index]; }
