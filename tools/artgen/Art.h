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
// The desktop icon at each size of the icon theme, as SIZExSIZE/apps/NAME.png;
// false when the font cannot be read.
bool MakeIcons(ArtContext& context, const std::string& name);

}  // namespace artgen
