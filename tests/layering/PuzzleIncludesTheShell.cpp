// Must not compile with the puzzle's include roots: the shell is out of reach.
#include "puzzle/Board.h"
#include "app/GameState.h"
