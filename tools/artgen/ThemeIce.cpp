// Theme 2, "ice": a frozen night under the aurora. Walls of blue ice under
// heaped snow, frosted floor tiles, silver arrows, frosty letter tiles; ice
// crystals rise from the snowfield below the board.
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


WallStyle IceWalls(const ThemeWriter& theme) {
  WallStyle style;
  style.prefix = theme.Name("wall");
  style.materials = {LitMaterial(theme.Name("ice"), "glace.png", 0.9f, 0.8f),
                     LitMaterial(theme.Name("snow"), "neige.png", 0.95f, 0.75f)};
  style.halfWidth = 390;
  enum { kIce = 0, kSnow = 1 };
  style.profile = {
      {0, 0, kIce},      {0, 540, kSnow},    {22, 575, kSnow},   {24, 615, kSnow},
      {2, 665, kSnow},   {-55, 712, kSnow},  {-130, 742, kSnow}, {-200, 750, kSnow},
  };
  style.capMaterial = kSnow;
  return style;
}

Raster IceBlocks() {
  const int size = 128;
  Raster image(size, size);
  image.Paint([&](double u, double v, Color& px) {
    double depth = Fbm(u * 3.0, v * 3.0, 3, 5, 201);
    Color c = Mix(Rgb(40, 110, 170), Rgb(150, 210, 240), SmoothStep(0.25, 0.8, depth));
    // Cracks along the cell borders, and frost streaks running down.
    CellSample cell = Cellular(u * 4.0, v * 4.0, 4, 202);
    double crack = SmoothStep(0.05, 0.0, cell.second - cell.nearest);
    c = Mix(c, Rgb(225, 245, 255), crack * 0.7);
    double streak = Fbm(u * 24.0, v * 2.0, 24, 3, 203);
    c = Mix(c, Rgb(200, 235, 250), SmoothStep(0.6, 0.85, streak) * 0.35);
    c = Scale(c, 0.9 + 0.2 * cell.id);
    px = c;
  });
  return image;
}

Raster Snow() {
  const int size = 128;
  Raster image(size, size);
  image.Paint([&](double u, double v, Color& px) {
    double n = Fbm(u * 4.0, v * 4.0, 4, 5, 211);
    double sparkle = Hash01(static_cast<int>(u * size), static_cast<int>(v * size), 212);
    Color c = Mix(Rgb(200, 215, 235), Rgb(250, 252, 255), SmoothStep(0.3, 0.7, n));
    if (sparkle > 0.985) c = Rgb(255, 255, 255);
    px = c;
  });
  return image;
}

Raster FrostTile(int size, const Color& deep, const Color& light, uint32_t seed) {
  Raster image(size, size);
  image.Paint([&](double u, double v, Color& px) {
    double n = Fbm(u * 3.0, v * 3.0, 3, 5, seed);
    CellSample cell = Cellular(u * 3.0, v * 3.0, 3, seed + 1);
    double crack = SmoothStep(0.035, 0.0, cell.second - cell.nearest);
    Color c = Mix(deep, light, SmoothStep(0.2, 0.8, n));
    c = Mix(c, Rgb(235, 248, 255), crack * 0.5);
    double x = u * size, y = v * size;
    double edge = std::fmin(std::fmin(x, size - x), std::fmin(y, size - y));
    // Bevelled tile edge catching the light.
    if (edge < size * 0.05) c = Mix(c, (std::fmin(x, y) <= std::fmin(size - x, size - y)) ? Rgb(235, 245, 255) : Rgb(60, 90, 130), 0.5);
    if (edge < size * 0.012) c = Rgb(50, 75, 110);
    px = c;
  });
  return image;
}

Raster NightSky() {
  const int w = 512, h = 256;
  Raster image(w, h);
  const Color zenith = Rgb(8, 12, 40), horizon = Rgb(40, 60, 110), below = Rgb(170, 190, 220);
  image.Paint([&](double u, double v, Color& px) {
    double elevation = (0.5 - v) * 2.0;
    Color c;
    if (elevation >= 0) {
      c = Mix(horizon, zenith, SmoothStep(0.0, 0.7, elevation));
      // Curtains of the aurora: bright lower hems, fading upwards.
      double wave = 0.25 + 0.12 * std::sin(u * 2.0 * kPi * 3.0 + 1.3) + 0.06 * std::sin(u * 2.0 * kPi * 7.0);
      double band = elevation - wave;
      double curtain = (band > 0 ? std::exp(-band * 7.0) : std::exp(band * 40.0)) *
                       SmoothStep(0.3, 0.7, Fbm(u * 16.0, 0.2, 16, 3, 221));
      double rays = 0.6 + 0.4 * Fbm(u * 64.0, elevation * 2.0, 64, 2, 222);
      c = Mix(c, Mix(Rgb(60, 255, 160), Rgb(120, 80, 220), SmoothStep(0.0, 0.35, band)), Clamp01(curtain * rays * 0.8));
      // Stars.
      double star = Hash01(static_cast<int>(u * w), static_cast<int>(v * h), 223);
      if (star > 0.994 && elevation > 0.08) c = Mix(c, Rgb(255, 255, 240), 0.5 + 0.5 * (star - 0.994) / 0.006);
      // Mountains on the horizon, snow-lit.
      double ridge = 0.04 + 0.09 * Fbm(u * 8.0, 0.7, 8, 5, 224);
      if (elevation < ridge) c = Mix(Rgb(120, 140, 180), Rgb(60, 75, 115), Clamp01(elevation / ridge));
    } else {
      c = Mix(Rgb(120, 140, 180), below, SmoothStep(0.0, 0.3, -elevation));
    }
    px = c;
  });
  // The moon.
  image.FillDisc(w * 0.72, h * 0.2, 9.0, Rgb(245, 245, 230));
  image.FillDisc(w * 0.72 + 3.5, h * 0.2 - 2.0, 8.0, Rgb(20, 28, 62, 0.85f));
  return image;
}

Raster Snowfield() {
  const int size = 256;
  Raster image(size, size);
  image.Paint([&](double u, double v, Color& px) {
    double n = Fbm(u * 4.0, v * 4.0, 4, 5, 231);
    double drift = Fbm(u * 2.0 + v, v * 6.0, 2, 3, 232);
    Color c = Mix(Rgb(150, 170, 205), Rgb(215, 228, 245), SmoothStep(0.25, 0.75, n));
    c = Scale(c, 0.92 + 0.12 * drift);
    px = c;
  });
  return image;
}

Raster Crystal() {
  const int size = 64;
  Raster image(size, size);
  image.Paint([&](double u, double v, Color& px) {
    double n = Fbm(u * 2.0, v * 4.0, 2, 4, 241);
    Color c = Mix(Rgb(120, 200, 240), Rgb(230, 250, 255), v * 0.6 + n * 0.4);
    if (Hash01(static_cast<int>(u * 8), static_cast<int>(v * 32), 242) > 0.9) c = Mix(c, Rgb(255, 255, 255), 0.4);
    px = c;
  });
  return image;
}

// Clusters of six-sided ice crystals leaning out from a common foot.
void AddCrystals(ModelBuilder& model, ThemeWriter& theme, double groundY) {
  MeshBuilder& mesh = model.AddMesh("cristaux", theme.Name("crystal"));
  Random random(251);
  const int clusters = 8;
  for (int i = 0; i < clusters; ++i) {
    double angle = 2.0 * kPi * (i + 0.4 * random.Unit()) / clusters;
    double distance = 10.0 + 6.0 * random.Unit();
    Vec3 foot{distance * std::sin(angle), groundY - 0.1, distance * std::cos(angle)};
    int crystals = 3 + random.Below(3);
    for (int k = 0; k < crystals; ++k) {
      double radius = 0.25 + 0.3 * random.Unit();
      double height = 1.6 + 3.0 * random.Unit() * (k == 0 ? 1.4 : 1.0);
      MeshBuilder one("crystal", mesh.Material());
      Lathe(one, Vec3{0, 0, 0},
            {{radius, 0.0}, {radius, height}, {0.0, height + radius * 2.2}}, 6, 1.0, 0.0, 1.0, random.Unit());
      // Lean it out and turn it round its foot.
      double lean = (k == 0 ? 0.1 : 0.35 + 0.35 * random.Unit());
      double turn = random.Unit() * 2.0 * kPi;
      Vec3 axis{std::cos(turn), 0, std::sin(turn)};
      for (Vertex& v : one.Vertices()) v.p = foot + Rotate(v.p, axis, lean);
      mesh.Append(one);
    }
  }
  ModelMaterial material = LitMaterial(theme.Name("crystal"), "cristal.png", 1.0f, 0.8f);
  material.shading = 1;
  model.AddMaterial(material);
}

}  // namespace

void MakeIceTheme(ArtContext& context) {
  ThemeWriter theme(context, 2);

  WriteWallPieces(theme, IceWalls(theme));
  theme.Texture("glace.png", IceBlocks(), 3);
  theme.Texture("neige.png", Snow(), 3);
  theme.Texture(kBorderTexture, IceBlocks(), 3);

  WriteArrowsAndGlows(theme, {Rgb(170, 200, 240), Rgb(230, 240, 255), Rgb(40, 50, 80), Rgb(255, 255, 255), 0.4},
                      {Rgb(120, 255, 230), Rgb(220, 255, 250), Rgb(20, 120, 140), Rgb(255, 255, 255), 0.9},
                      Rgb(120, 230, 255));

  // Letter squares: deep blue ice ringed with frost.
  Raster echec = FrostTile(64, Rgb(25, 55, 110), Rgb(60, 100, 160), 262);
  echec.Paint([&](double u, double v, Color& px) {
    double r = std::hypot(u - 0.5, v - 0.5);
    if (std::fabs(r - 0.42) < 0.018) px = Mix(px, Rgb(210, 240, 255), 0.7);
  });
  WriteFloor(theme, FrostTile(128, Rgb(110, 150, 195), Rgb(190, 215, 240), 261), echec);

  WriteLetterTiles(theme, {Mottled(Rgb(80, 120, 170), Rgb(110, 150, 195), 271), Rgb(200, 225, 250), Rgb(30, 50, 85)},
                   {Mottled(Rgb(40, 165, 200), Rgb(70, 200, 225), 272), Rgb(190, 255, 255), Rgb(10, 70, 100)},
                   {Mottled(Rgb(38, 50, 88), Rgb(52, 66, 106), 273), Rgb(120, 140, 190), Rgb(12, 16, 35)});

  WriteScenery(theme, [&](ModelBuilder& model, double groundY) { AddCrystals(model, theme, groundY); }, NightSky(),
               Snowfield(), HazeStrip(Rgb(182, 199, 227), Rgb(120, 140, 180)));
  theme.Texture("cristal.png", Crystal(), 3);

  ThemeValues values{
      {-0.4f, 1.0f, 0.6f},   {0.1f, 0.12f, 0.18f},  {0.5f, 0.58f, 0.72f},
      {0.7f, 0.5f, -0.6f},   {0.0f, 0.0f, 0.0f},    {0.25f, 0.35f, 0.3f},
      {0.02f, 0.05f, 0.15f}, 0.4f,                  0.45f,
      2.0f,                  {0.02f, 0.06f, 0.15f}, 0.7f,
      {0.94f, 0.98f, 1.0f},  "data/DejaVuSans-Bold.ttf"};
  theme.Ini(values);
}

}  // namespace artgen
