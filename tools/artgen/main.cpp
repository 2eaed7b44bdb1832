// glyphox-artgen: writes the game's models and textures, made from code.
//
//   glyphox-artgen OUTPUT_DIR FONT_DIR [--verbose]
//   glyphox-artgen --icons OUTPUT_DIR FONT_DIR NAME
//
// OUTPUT_DIR becomes the game's data/gfx/ (3d/, 2d/, theme1/ ...); FONT_DIR
// holds the free fonts used for letter shapes. The output depends on nothing
// else: two runs give the same bytes. --icons writes the desktop icon NAME in
// the icon theme's layout (48x48/apps/NAME.png ...) instead.
#include <cstdio>
#include <cstring>

#include "tools/artgen/Art.h"

namespace {

int Finish(const artgen::Output& out) {
  if (!out.Failed()) return 0;
  std::fprintf(stderr, "glyphox-artgen: %s\n", out.Error().c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "--icons") == 0) {
    artgen::Output out(argv[2]);
    artgen::ArtContext context{out, argv[3]};
    if (!artgen::MakeIcons(context, argv[4])) {
      std::fprintf(stderr, "glyphox-artgen: cannot read %s/DejaVuSans-Bold.ttf\n", argv[3]);
      return 1;
    }
    return Finish(out);
  }
  if (argc < 3 || argv[1][0] == '-') {
    std::fprintf(stderr,
                 "usage: glyphox-artgen OUTPUT_DIR FONT_DIR [--verbose]\n"
                 "       glyphox-artgen --icons OUTPUT_DIR FONT_DIR NAME\n");
    return 2;
  }
  artgen::Output out(argv[1]);
  artgen::ArtContext context{out, argv[2]};
  context.verbose = argc > 3 && std::strcmp(argv[3], "--verbose") == 0;
  artgen::MakeCubeArt(context);
  artgen::MakeMenuArt(context);
  artgen::MakeThemes(context);
  if (context.verbose && !out.Failed()) std::printf("%zu files written\n", out.Files().size());
  return Finish(out);
}
