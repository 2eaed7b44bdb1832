// The three themes, each in its own file.
#pragma once

#include "tools/artgen/Art.h"

namespace artgen {

void MakeStoneTheme(ArtContext& context);
void MakeIceTheme(ArtContext& context);
void MakeGardenTheme(ArtContext& context);

}  // namespace artgen
