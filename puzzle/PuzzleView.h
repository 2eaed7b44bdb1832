// Read-only access to the puzzle's state for the renderer, the screens and
// the shell. Everything that changes it goes through the rules (Rules.h,
// SavedGame.h); what is returned here is only read.
#pragma once

#include "puzzle/Board.h"
#include "puzzle/LevelSet.h"
#include "puzzle/PlayState.h"
#include "puzzle/Rules.h"
#include "puzzle/Scene.h"

const PlayState& Play();
const Board& CurrentBoard();
const LevelSet& CurrentLevelSet();
const Level& CurrentLevel();
const MoveRecord& CurrentMove();
int CubeCount();
const CubeState& CubeRecord(int index);
int ArrowCount();
const ArrowRecord& Arrow(int index);
