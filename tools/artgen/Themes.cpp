#include "tools/artgen/Themes.h"

namespace artgen {

void MakeThemes(ArtContext& context) {
  MakeStoneTheme(context);
  MakeIceTheme(context);
  MakeGardenTheme(context);
}

}  // namespace artgen
