// Must not compile with the configuration's include roots: the 3D engine sits
// beside it, not below it.
#include "config/Settings.h"
#include "engine3d/Objet3D.h"
