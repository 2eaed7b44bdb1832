// Theme 1, "stone": a castle courtyard in the late afternoon. Limestone
// walls on a plinth under overhanging coping stones, sandstone flags, bronze
// arrows, sandstone letter tiles; round towers stand on the green hills
// below the floating board.
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


WallStyle StoneWalls(const ThemeWriter& theme) {
  WallStyle style;
  style.prefix = theme.Name("wall");
  style.materials = {LitMaterial(theme.Name("masonry"), "mur.png", 0.85f, 0.8f),
                     LitMaterial(theme.Name("coping"), "pierre.png", 0.85f, 0.8f)};
  style.halfWidth = 380;
  enum { kMasonry = 0, kCoping = 1 };
  style.profile = {
      {30, 0, kCoping},   {30, 80, kCoping},   // plinth
      {0, 110, kMasonry}, {0, 630, kMasonry},  // wall
      {45, 670, kCoping}, {45, 780, kCoping},  // coping
      {15, 815, kCoping},
  };
  style.capMaterial = kCoping;
  return style;
}

Raster Sky() {
  const int w = 512, h = 256;
  Raster image(w, h);
  const Color zenith = Rgb(70, 110, 175), high = Rgb(120, 160, 210), horizon = Rgb(250, 205, 150);
  const Color haze = Rgb(205, 185, 160), below = Rgb(120, 135, 105);
  image.Paint([&](double u, double v, Color& px) {
    double elevation = (0.5 - v) * 2.0;  // 1 at the zenith, 0 at the horizon
    Color c;
    if (elevation >= 0) {
      c = Mix(horizon, high, SmoothStep(0.0, 0.35, elevation));
      c = Mix(c, zenith, SmoothStep(0.35, 1.0, elevation));
      // Drifting cloud banks, thicker near the horizon.
      double cloud = Fbm(u * 8.0, v * 16.0, 8, 5, 301);
      double cover = SmoothStep(0.52, 0.75, cloud) * (1.0 - SmoothStep(0.15, 0.7, elevation));
      Color cloudColor = Mix(Rgb(255, 235, 215), Rgb(190, 160, 150), Fbm(u * 16.0, v * 32.0, 16, 3, 302));
      c = Mix(c, cloudColor, cover * 0.85);
      // The sun's glow to one side.
      double du = std::fmin(std::fabs(u - 0.3), 1.0 - std::fabs(u - 0.3)) * 4.0, dv = elevation - 0.12;
      double sun = std::exp(-(du * du + dv * dv * 6.0) * 3.0);
      c = Mix(c, Rgb(255, 240, 200), sun * 0.6);
    } else {
      c = Mix(haze, below, SmoothStep(0.0, 0.4, -elevation));
    }
    // Far hills on the horizon, blue with distance.
    double hill = 0.03 + 0.05 * Fbm(u * 6.0, 0.5, 6, 4, 303);
    if (elevation >= 0 && elevation < hill) c = Mix(Rgb(120, 140, 150), c, 0.25 + 0.5 * elevation / hill);
    px = c;
  });
  return image;
}

Raster Meadow() {
  const int size = 256;
  Raster image(size, size);
  image.Paint([&](double u, double v, Color& px) {
    double n = Fbm(u * 4.0, v * 4.0, 4, 5, 311);
    double patch = Fbm(u * 2.0, v * 2.0, 2, 3, 312);
    Color grass = Mix(Rgb(80, 110, 50), Rgb(125, 150, 70), n);
    Color dry = Mix(Rgb(150, 140, 85), Rgb(120, 115, 70), n);
    px = Mix(grass, dry, SmoothStep(0.55, 0.75, patch) * 0.6);
  });
  return image;
}

Raster RoofTiles() {
  const int size = 128;
  Raster image(size, size);
  image.Paint([&](double u, double v, Color& px) {
    double rows = 8.0, cols = 8.0;
    double y = v * rows, row = std::floor(y);
    double x = u * cols + (static_cast<int>(row) % 2 ? 0.5 : 0.0);
    double fx = x - std::floor(x), fy = y - row;
    double tone = Hash01(static_cast<int>(std::floor(x)) % 8, static_cast<int>(row), 321);
    Color c = Mix(Rgb(150, 60, 40), Rgb(110, 45, 35), tone);
    // Each tile rounded at its lower edge, shaded where the next row overlaps.
    double round = std::sqrt(std::fmax(0.0, 1.0 - std::pow((fx - 0.5) * 2.0, 2.0)));
    c = Scale(c, 0.7 + 0.35 * round * (1.0 - fy * 0.5));
    if (fy < 0.12) c = Scale(c, 0.6);
    px = c;
  });
  Weather(image, 0.12, 4, 322);
  return image;
}

// Towers on the hills: a stone drum, a band of corbels and a pointed roof.
void AddTowers(ModelBuilder& model, ThemeWriter& theme, double groundY) {
  MeshBuilder& walls = model.AddMesh("tours", theme.Name("tower"));
  MeshBuilder& roofs = model.AddMesh("toits", theme.Name("roof"));
  Random random(331);
  const int towers = 7;
  for (int i = 0; i < towers; ++i) {
    double angle = 2.0 * kPi * (i + 0.3 * random.Unit()) / towers;
    double distance = 11.0 + 6.0 * random.Unit();
    double radius = 0.55 + 0.3 * random.Unit();
    double height = 2.6 + 1.8 * random.Unit();
    Vec3 base{distance * std::sin(angle), groundY - 0.2, distance * std::cos(angle)};
    Lathe(walls, base,
          {{radius * 1.12, 0.0}, {radius, 0.35}, {radius, height}, {radius * 1.18, height + 0.08},
           {radius * 1.18, height + 0.22}, {radius * 0.95, height + 0.22}},
          12, 3.0, 0.0, height * 1.6);
    Lathe(roofs, base + Vec3{0, height + 0.2, 0},
          {{radius * 1.3, 0.0}, {radius * 0.6, radius * 1.6}, {0.0, radius * 3.4}}, 12, 3.0, 0.0, 1.5);
  }
  model.AddMaterial(LitMaterial(theme.Name("tower"), "mur.png", 0.8f, 0.75f));
  model.AddMaterial(LitMaterial(theme.Name("roof"), "toit.png", 0.8f, 0.75f));
}

}  // namespace

void MakeStoneTheme(ArtContext& context) {
  ThemeWriter theme(context, 1);

  WriteWallPieces(theme, StoneWalls(theme));
  MasonryLook masonry;
  masonry.stone = Rgb(196, 184, 160);
  masonry.stoneShade = Rgb(160, 150, 132);
  masonry.mortar = Rgb(120, 110, 95);
  theme.Texture("mur.png", Masonry(128, 128, masonry, 101), 3);
  theme.Texture("pierre.png", StoneSurface(128, Rgb(215, 205, 185), Rgb(165, 155, 140), 102), 3);
  MasonryLook edge = masonry;
  edge.rows = 2;
  edge.columns = 1;
  edge.stone = Rgb(175, 165, 145);
  theme.Texture(kBorderTexture, Masonry(64, 64, edge, 103), 3);

  WriteArrowsAndGlows(theme, {Rgb(235, 200, 140), Rgb(255, 235, 190), Rgb(90, 60, 30), Rgb(255, 250, 235), 0.5},
                      {Rgb(255, 235, 120), Rgb(255, 255, 220), Rgb(220, 140, 30), Rgb(255, 255, 255), 0.9},
                      Rgb(255, 210, 120));

  // Letter squares: dark slate inlaid in the flags, with a thin gold line.
  Raster echec = Slab(64, Rgb(85, 90, 100), Rgb(140, 145, 155), Rgb(40, 40, 48), 0.1, 112);
  echec.Paint([&](double u, double v, Color& px) {
    double e = std::fmin(std::fmin(u, 1 - u), std::fmin(v, 1 - v)) * 64.0;
    if (e > 5.0 && e < 6.5) px = Mix(px, Rgb(200, 165, 90), 0.8);
  });
  WriteFloor(theme, Slab(128, Rgb(200, 180, 145), Rgb(230, 215, 185), Rgb(120, 105, 80), 0.12, 111), echec);

  // Letter tiles: warm sandstone, gilded when selected, grey slate when fixed.
  WriteLetterTiles(theme, {Mottled(Rgb(150, 112, 72), Rgb(170, 130, 85), 121), Rgb(215, 180, 130), Rgb(80, 55, 30)},
                   {Mottled(Rgb(200, 150, 40), Rgb(225, 180, 60), 122), Rgb(255, 235, 150), Rgb(120, 80, 10)},
                   {Mottled(Rgb(80, 86, 98), Rgb(98, 104, 116), 123), Rgb(150, 155, 170), Rgb(35, 38, 45)});

  WriteScenery(theme, [&](ModelBuilder& model, double groundY) { AddTowers(model, theme, groundY); }, Sky(), Meadow(),
               HazeStrip(Rgb(104, 126, 70), Rgb(200, 185, 160)));
  theme.Texture("toit.png", RoofTiles(), 3);

  ThemeValues values{
      {0.55f, 1.0f, 0.75f},  {0.12f, 0.1f, 0.08f},  {0.62f, 0.56f, 0.46f},
      {-0.8f, 0.45f, -0.5f}, {0.0f, 0.0f, 0.0f},   {0.16f, 0.18f, 0.26f},
      {0.1f, 0.08f, 0.12f},  0.45f,                0.22f,
      2.0f,                  {0.1f, 0.07f, 0.04f}, 0.7f,
      {1.0f, 0.93f, 0.75f},  "data/DejaVuSerif-Bold.ttf"};
  theme.Ini(values);
}

}  // namespace artgen
