#include "puzzle/PlayState.h"

#include "puzzle/PuzzleGlobals.h"

PlayState g_play;

void ResetPlayState() { g_play = PlayState(); }

void SetGameDifficulty(int difficulty) { g_play.difficulty = difficulty; }
