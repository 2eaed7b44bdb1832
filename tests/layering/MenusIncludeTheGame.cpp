// Must not compile with the menus' include roots: the game's flow sits above
// them and reaches them only through the actions it hands them.
#include "ui/MenuScreen.h"
#include "app/Game.h"
