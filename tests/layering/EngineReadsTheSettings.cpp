// Must not compile with the 3D engine's include roots: the engine is handed
// what it needs and never reads the player's settings.
#include "engine3d/Texture.h"
#include "config/Settings.h"
