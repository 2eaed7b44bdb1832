// What every theme directory holds, and the pieces the three themes share:
// the writer for one theme directory, the arrow, the floor object, the
// sphere maps, the arrow's false shadow, the selection marker, letter-face
// tiles and the "theme.ini" values.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "tools/artgen/Art.h"
#include "tools/artgen/Mesh.h"
#include "tools/artgen/Raster.h"
#include "tools/artgen/WallArt.h"

namespace artgen {

struct ThemeValues {
  float light0Position[3], light0Ambient[3], light0Diffuse[3];
  float light1Position[3], light1Ambient[3], light1Diffuse[3];
  float shadowColor[3];
  float shadowStrength;
  float reflectStrength;
  float cartoonLineWidth;
  float cartoonColor[3];
  float cartoonAlpha;
  float groundLetterColor[3];
  std::string font;  // path from the game directory, e.g. data/DejaVuSans-Bold.ttf
};

// "theme.ini" with the keys of render/ThemeKeys.h, in their order.
std::string ThemeIniText(const ThemeValues& values);

class ThemeWriter {
 public:
  ThemeWriter(ArtContext& context, int number) : m_context(context), m_number(number) {}
  int Number() const { return m_number; }
  // Material names are shared by every loaded object, so each theme has its own.
  std::string Name(const std::string& base) const { return "t" + std::to_string(m_number) + "_" + base; }
  void Texture(const std::string& file, const Raster& image, int channels);
  void Model(const std::string& file, const ModelBuilder& model);
  void Ini(const ThemeValues& values);

 private:
  std::string Dir() const { return "theme" + std::to_string(m_number) + "/"; }
  ArtContext& m_context;
  int m_number;
};

void WriteWallPieces(ThemeWriter& theme, const WallStyle& style);
// "sol.3do" (one square whose material carries "sol.png"), the floor
// texture and the ground-letter square "echec.png".
void WriteFloor(ThemeWriter& theme, const Raster& floor, const Raster& letterSquare);

// The world around the board ("fond.3do"): a sky sphere, a ground disc below
// the board and a hazy ring that fades the ground into the horizon. Props are
// added by each theme.
struct SceneryLook {
  std::string skyTexture;     // equirectangular, horizon half way down
  std::string groundTexture;  // tiles every groundTile units
  std::string hazeTexture;    // v runs from the ground's edge out to the horizon
  double groundY = -1.2;
  double groundRadius = 14.0;
  double hazeRadius = 48.0;
  double skyRadius = 60.0;
  double groundTile = 1.5;
};
ModelBuilder BuildScenery(ThemeWriter& theme, const SceneryLook& look);
// Writes "fond.3do" (the scenery of the default look plus what addProps puts
// in) and its sky, ground and haze textures.
void WriteScenery(ThemeWriter& theme, const std::function<void(ModelBuilder&, double groundY)>& addProps,
                  const Raster& sky, const Raster& ground, const Raster& haze);
// The haze ring's texture: from the ground's colour out to the horizon's.
Raster HazeStrip(const Color& ground, const Color& horizon);

struct SphereMapLook {
  Color sky, horizon, ground, highlight;
  double gloss;  // size of the highlight, 0..1
};
Raster SphereMap(const SphereMapLook& look);
// "fleche.3do" and its breathing morph target "flechemorph.3do", the arrow's
// two sphere maps and false shadow, and the glows of a theme directory (the
// selection marker "halo2.png", "halo.png", "lettrefx.png").
void WriteArrowsAndGlows(ThemeWriter& theme, const SphereMapLook& off, const SphereMapLook& on, const Color& glow);
// The soft shadow laid under an arrow (arrow pointing to the image's left).
Raster ArrowShadow();
// Additive glow marking the hovered arrow's square.
Raster SquareHalo(const Color& color);
// A soft round glow.
Raster RoundGlow(int size, const Color& color, double falloff);

// A letter-face tile (64 x 64): a raised plate with a bevelled frame over a
// fill painted by `fill` (u, v in 0..1).
Raster FaceTile(const std::function<Color(double u, double v)>& fill, const Color& frameLight, const Color& frameDark);

// A mottled fill between two colours, for FaceTile.
std::function<Color(double, double)> Mottled(const Color& a, const Color& b, uint32_t seed);

struct FaceLook {
  std::function<Color(double, double)> fill;
  Color frameLight, frameDark;
};
// The cube face backgrounds: "objet.png" (movable cube), "objeton.png"
// (selected) and "objetoff.png" (fixed letter block).
void WriteLetterTiles(ThemeWriter& theme, const FaceLook& normal, const FaceLook& selected, const FaceLook& fixed);

}  // namespace artgen
