// Theme 3, "garden": a sunny formal garden. Clipped box hedges on brick
// kerbs, lawn squares with stepping stones under the letters, brass arrows,
// oak letter tiles; trees and topiary stand on the meadow below the board.
#include <cmath>

#include "base/Math.h"
#include "tools/artgen/Paint.h"
#include "tools/artgen/Random.h"
#include "tools/artgen/Shapes.h"
#include "tools/artgen/ThemeKit.h"
#include "tools/artgen/Themes.h"
#include "render/ThemeKeys.h"

namespace artgen {

namespace {


WallStyle HedgeWalls(const ThemeWriter& theme) {
  WallStyle style;
  style.prefix = theme.Name("wall");
  style.materials = {LitMaterial(theme.Name("hedge"), "haie.png", 0.85f, 0.85f),
                     LitMaterial(theme.Name("kerb"), "brique.png", 0.85f, 0.8f)};
  style.halfWidth = 385;
  enum { kHedge = 0, kKerb = 1 };
  style.profile = {
      {40, 0, kKerb},     {40, 110, kKerb},   {0, 125, kHedge},   {18, 300, kHedge},
      {18, 520, kHedge},  {-15, 610, kHedge}, {-85, 665, kHedge}, {-170, 682, kHedge},
  };
  style.capMaterial = kHedge;
  return style;
}

Raster Bricks() {
  MasonryLook look;
  look.stone = Rgb(170, 85, 55);
  look.stoneShade = Rgb(140, 65, 45);
  look.mortar = Rgb(200, 190, 170);
  look.rows = 8;
  look.columns = 4;
  look.joint = 1.5;
  look.grain = 0.2;
  return Masonry(128, 128, look, 301);
}

Raster Lawn(int size, uint32_t seed, bool stripes) {
  Raster image(size, size);
  image.Paint([&](double u, double v, Color& px) {
    double n = Fbm(u * 4.0, v * 4.0, 4, 4, seed);
    double blades = Fbm(u * 48.0, v * 12.0, 48, 2, seed + 1);
    Color c = Mix(Rgb(75, 135, 50), Rgb(110, 170, 65), n);
    // Mown stripes, one light and one dark half per square.
    if (stripes) c = Scale(c, u < 0.5 ? 1.05 : 0.95);
    c = Scale(c, 0.9 + 0.2 * blades);
    px = c;
  });
  return image;
}

Raster GardenFloor() {
  Raster image = Lawn(128, 311, true);
  image.Paint([&](double u, double v, Color& px) {
    double e = std::fmin(std::fmin(u, 1 - u), std::fmin(v, 1 - v));
    // A trimmed edge between the squares.
    if (e < 0.02) px = Scale(px, 0.62);
  });
  return image;
}

Raster SteppingStone() {
  Raster image = Lawn(64, 321, true);
  Raster stone = StoneSurface(64, Rgb(215, 205, 180), Rgb(170, 160, 140), 322);
  image.Paint([&](double u, double v, Color& px) {
    double x = std::fabs(u - 0.5), y = std::fabs(v - 0.5);
    double d = std::pow(std::pow(x, 4.0) + std::pow(y, 4.0), 0.25);  // a rounded square
    Color s = stone.At(static_cast<int>(u * 64), static_cast<int>(v * 64));
    if (d < 0.43) px = Scale(s, 1.0 - 0.25 * SmoothStep(0.38, 0.43, d));
    else if (d < 0.46) px = Scale(px, 0.6);
  });
  return image;
}

Raster SummerSky() {
  const int w = 512, h = 256;
  Raster image(w, h);
  image.Paint([&](double u, double v, Color& px) {
    double elevation = (0.5 - v) * 2.0;
    Color c;
    if (elevation >= 0) {
      c = Mix(Rgb(190, 220, 245), Rgb(60, 120, 210), SmoothStep(0.0, 0.8, elevation));
      double cloud = Fbm(u * 6.0, v * 10.0, 6, 5, 331);
      double cover = SmoothStep(0.55, 0.72, cloud) * SmoothStep(0.02, 0.15, elevation);
      double shade = Fbm(u * 12.0, v * 20.0 + 0.3, 12, 3, 332);
      c = Mix(c, Mix(Rgb(255, 255, 255), Rgb(190, 200, 215), shade * 0.8), cover);
      // Wooded hills on the horizon.
      double ridge = 0.03 + 0.06 * Fbm(u * 10.0, 0.3, 10, 5, 333);
      if (elevation < ridge) c = Mix(Rgb(70, 110, 80), Rgb(120, 150, 140), 1.0 - elevation / ridge);
    } else {
      c = Mix(Rgb(110, 150, 100), Rgb(80, 130, 60), SmoothStep(0.0, 0.3, -elevation));
    }
    px = c;
  });
  return image;
}

Raster Meadow() {
  Raster image = Lawn(256, 341, false);
  Random random(342);
  const Color flowers[4] = {Rgb(250, 240, 90), Rgb(255, 255, 255), Rgb(230, 90, 120), Rgb(170, 120, 230)};
  for (int i = 0; i < 900; ++i) {
    double x = random.Unit() * 256, y = random.Unit() * 256;
    // Flowers gather in drifts.
    if (Fbm(x / 256.0 * 3.0, y / 256.0 * 3.0, 3, 3, 343) < 0.55) continue;
    Color c = Mix(flowers[random.Below(4)], Rgb(90, 140, 60), 0.35);
    image.FillDisc(x, y, 0.6 + random.Unit() * 0.5, c);
  }
  return image;
}

Raster Bark() {
  const int size = 64;
  Raster image(size, size);
  image.Paint([&](double u, double v, Color& px) {
    double n = Fbm(u * 16.0, v * 2.0, 16, 4, 351);
    px = Mix(Rgb(70, 50, 35), Rgb(120, 90, 60), n);
  });
  return image;
}

void AddTrees(ModelBuilder& model, ThemeWriter& theme, double groundY) {
  MeshBuilder& trunks = model.AddMesh("troncs", theme.Name("bark"));
  MeshBuilder& crowns = model.AddMesh("feuillages", theme.Name("leaves"));
  Random random(361);
  const int trees = 10;
  for (int i = 0; i < trees; ++i) {
    double angle = 2.0 * kPi * (i + 0.5 * random.Unit()) / trees;
    double distance = 9.0 + 6.0 * random.Unit();
    Vec3 foot{distance * std::sin(angle), groundY - 0.05, distance * std::cos(angle)};
    double size = 1.6 + 1.2 * random.Unit();
    if (i % 3 == 2) {
      // A clipped cone of box on a short stem.
      Lathe(trunks, foot, {{0.06 * size, 0.0}, {0.05 * size, 0.35 * size}}, 6, 1.0, 0.0, 1.0);
      Lathe(crowns, foot + Vec3{0, 0.3 * size, 0},
            {{0.0, 0.0}, {0.42 * size, 0.05 * size}, {0.3 * size, 0.8 * size}, {0.14 * size, 1.4 * size},
             {0.0, 1.75 * size}},
            10, 2.0, 0.0, 2.0);
    } else {
      double h = 0.9 * size;
      Lathe(trunks, foot, {{0.1 * size, 0.0}, {0.07 * size, h}, {0.05 * size, h + 0.3 * size}}, 6, 1.0, 0.0, 2.0);
      // Two round crowns, the top one smaller.
      for (int k = 0; k < 2; ++k) {
        double r = (k == 0 ? 0.75 : 0.5) * size;
        Vec3 centre = foot + Vec3{0.1 * size * k, h + (k == 0 ? 0.35 : 0.95) * size, -0.08 * size * k};
        std::vector<Point2> profile;
        for (int j = 0; j <= 6; ++j) {
          double a = -kPi / 2 + kPi * j / 6.0;
          profile.push_back(Point2{r * std::cos(a) * (j == 0 || j == 6 ? 0.0 : 1.0), r * 0.85 * std::sin(a)});
        }
        Lathe(crowns, centre, profile, 10, 3.0, 0.0, 2.0, random.Unit());
      }
    }
  }
  ModelMaterial bark = LitMaterial(theme.Name("bark"), "ecorce.png", 0.8f, 0.8f);
  ModelMaterial leaves = LitMaterial(theme.Name("leaves"), "haie.png", 0.8f, 0.9f);
  model.AddMaterial(bark);
  model.AddMaterial(leaves);
}

}  // namespace

void MakeGardenTheme(ArtContext& context) {
  ThemeWriter theme(context, 3);

  WriteWallPieces(theme, HedgeWalls(theme));
  theme.Texture("haie.png", Foliage(128, Rgb(25, 60, 25), Rgb(50, 105, 40), Rgb(120, 175, 70), 371), 3);
  theme.Texture("brique.png", Bricks(), 3);
  theme.Texture(kBorderTexture, Bricks(), 3);

  WriteArrowsAndGlows(theme, {Rgb(230, 210, 120), Rgb(255, 245, 200), Rgb(70, 90, 40), Rgb(255, 255, 240), 0.5},
                      {Rgb(255, 180, 90), Rgb(255, 240, 200), Rgb(200, 70, 40), Rgb(255, 255, 255), 0.9},
                      Rgb(255, 240, 130));

  WriteFloor(theme, GardenFloor(), SteppingStone());

  auto oak = [](double u, double v) {
    double grain = Fbm(u * 2.0, v * 14.0, 2, 4, 381);
    double rings = 0.5 + 0.5 * std::sin((v * 9.0 + grain * 3.0) * kPi);
    return Mix(Rgb(140, 100, 58), Rgb(165, 122, 75), rings * 0.6 + grain * 0.4);
  };
  WriteLetterTiles(theme, {oak, Rgb(215, 180, 130), Rgb(80, 50, 25)},
                   {Mottled(Rgb(215, 150, 30), Rgb(235, 180, 50), 382), Rgb(255, 235, 140), Rgb(130, 80, 10)},
                   {Mottled(Rgb(150, 70, 45), Rgb(170, 85, 55), 383), Rgb(220, 150, 120), Rgb(70, 30, 20)});

  WriteScenery(theme, [&](ModelBuilder& model, double groundY) { AddTrees(model, theme, groundY); }, SummerSky(),
               Meadow(), HazeStrip(Rgb(98, 155, 58), Rgb(150, 175, 160)));
  theme.Texture("ecorce.png", Bark(), 3);

  ThemeValues values{
      {0.4f, 1.0f, 0.5f},     {0.14f, 0.14f, 0.12f}, {0.65f, 0.62f, 0.52f},
      {-0.6f, 0.6f, -0.7f},   {0.0f, 0.0f, 0.0f},    {0.15f, 0.2f, 0.3f},
      {0.05f, 0.12f, 0.04f},  0.4f,                  0.12f,
      2.0f,                   {0.05f, 0.1f, 0.02f},  0.7f,
      {1.0f, 0.97f, 0.82f},   "data/DejaVuSansMono-Bold.ttf"};
  theme.Ini(values);
}

}  // namespace artgen
