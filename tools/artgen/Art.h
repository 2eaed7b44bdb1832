// The generators of the game's art. Each writes its files below the output
// root (the game's data/gfx/), in the game's own directory layout.
#pragma once

#include <string>

#include "tools/artgen/Output.h"

namespace artgen {

struct ArtContext {
  Output& out;
  std::string fontDir;  // where the free fonts are (DejaVuSans-Bold.ttf ...)
  bool verbose = false;
};

// 3d/cube.3do and the face texture it names (2d/cube.png).
void MakeCubeArt(ArtContext& context);
// 2d/: menu background, title, highlight, pointer, glow.
void MakeMenuArt(ArtContext& context);
// theme1/ .. theme3/.
void MakeThemes(ArtContext& context);

}  // namespace artgen
