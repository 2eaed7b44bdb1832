// Must not compile with the renderer's include roots: the shell hands it the
// drawing options; it never reads the player's settings.
#include "render/BoardScene.h"
#include "config/Settings.h"
