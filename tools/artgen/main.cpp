// glyphox-artgen: writes the game's models and textures, made from code.
//
//   glyphox-artgen OUTPUT_DIR FONT_DIR [--verbose]
//
// OUTPUT_DIR becomes the game's data/gfx/ (3d/, 2d/, theme1/ ...); FONT_DIR
// holds the free fonts used for letter shapes. The output depends on nothing
// else: two runs give the same bytes.
#include <cstdio>
#include <cstring>

#include "tools/artgen/Art.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: glyphox-artgen OUTPUT_DIR FONT_DIR [--verbose]\n");
    return 2;
  }
  artgen::Output out(argv[1]);
  artgen::ArtContext context{out, argv[2]};
  context.verbose = argc > 3 && std::strcmp(argv[3], "--verbose") == 0;
  artgen::MakeCubeArt(context);
  artgen::MakeMenuArt(context);
  artgen::MakeThemes(context);
  if (out.Failed()) {
    std::fprintf(stderr, "glyphox-artgen: %s\n", out.Error().c_str());
    return 1;
  }
  if (context.verbose) std::printf("%zu files written\n", out.Files().size());
  return 0;
}
