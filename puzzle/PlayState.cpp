#include "puzzle/PlayState.h"

PlayState g_play;

void ResetPlayState() { g_play = PlayState(); }
