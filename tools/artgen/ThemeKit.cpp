#include "tools/artgen/ThemeKit.h"

#include <cmath>
#include <cstdio>

#include "base/Math.h"
#include "tools/artgen/Random.h"
#include "tools/artgen/Shapes.h"
#include "render/ThemeKeys.h"

namespace artgen {

namespace {


std::string Triple(const float v[3]) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%.3f,%.3f,%.3f", v[0], v[1], v[2]);
  return buffer;
}

std::string Single(float v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.3f", v);
  return buffer;
}

// The arrow, pointing along -x, flat in x-z, centred in the square.
Contour ArrowOutline() {
  return Contour{{-0.46, 0.0},  {-0.02, -0.38}, {-0.11, -0.15}, {0.42, -0.15},
                 {0.42, 0.15},  {-0.11, 0.15},  {-0.02, 0.38}};
}

}  // namespace

std::string ThemeIniText(const ThemeValues& v) {
  std::string s;
  auto line = [&](ThemeKey key, const std::string& value) { s += std::string(kThemeKeys[key]) + "=" + value + "\n"; };
  line(kKeyLight0Position, Triple(v.light0Position));
  line(kKeyLight0Ambient, Triple(v.light0Ambient));
  line(kKeyLight0Diffuse, Triple(v.light0Diffuse));
  line(kKeyLight1Position, Triple(v.light1Position));
  line(kKeyLight1Ambient, Triple(v.light1Ambient));
  line(kKeyLight1Diffuse, Triple(v.light1Diffuse));
  line(kKeyShadowColor, Triple(v.shadowColor));
  line(kKeyShadowStrength, Single(v.shadowStrength));
  line(kKeyReflectStrength, Single(v.reflectStrength));
  line(kKeyCartoonLineWidth, Single(v.cartoonLineWidth));
  line(kKeyCartoonColor, Triple(v.cartoonColor));
  line(kKeyCartoonAlpha, Single(v.cartoonAlpha));
  line(kKeyGroundLetterColor, Triple(v.groundLetterColor));
  line(kKeyFont, v.font);
  return s;
}

void ThemeWriter::Texture(const std::string& file, const Raster& image, int channels) {
  m_context.out.Png(Dir() + "texture/" + file, image, channels);
}

void ThemeWriter::Model(const std::string& file, const ModelBuilder& model) {
  m_context.out.Model(Dir() + "3d/" + file, model.ToFileData());
  if (m_context.verbose) std::printf("theme%d/3d/%s: %d triangles\n", m_number, file.c_str(), model.TriangleCount());
}

void ThemeWriter::Ini(const ThemeValues& values) { m_context.out.Text(Dir() + kThemeIniFile, ThemeIniText(values)); }

void WriteWallPieces(ThemeWriter& theme, const WallStyle& style) {
  for (int shape = 0; shape < kWallShapeCount; ++shape) theme.Model(kWallPieceFiles[shape], BuildWallPiece(style, shape));
}

namespace {

void WriteArrows(ThemeWriter& theme) {
  ModelBuilder model;
  MeshBuilder& mesh = model.AddMesh("fleche", theme.Name("arrow"));
  Extrusion shape;
  shape.front = 0.07;
  shape.back = -0.07;
  shape.bevel = 0.035;
  // Outline plane x, -z; extruded along y (top towards +y).
  Placement place = [](double X, double Y, double Z) { return Vec3{X, Z, -Y}; };
  Mapping map = [](double X, double Y, double, double& u, double& v) {
    u = X + 0.5;
    v = 0.5 - Y;
  };
  ExtrudeOutline(mesh, {ArrowOutline()}, shape, place, map);
  // The game replaces this material with its sphere-mapped arrow materials;
  // its sphere map makes the loader give the mesh the smooth normals they need.
  ModelMaterial material = UnlitMaterial(theme.Name("arrow"), "");
  material.environmentTexture = kArrowOffTexture;
  model.AddMaterial(material);
  theme.Model(kArrowModel, model);

  // Breathing: the head swells and reaches forward, the tail follows a little.
  ModelBuilder morph = model;
  for (Vertex& v : morph.Meshes()[0].Vertices()) {
    double head = SmoothStep(0.1, -0.46, v.p.x);
    v.p.x = v.p.x * 1.04 - 0.05 * head;
    v.p.z = v.p.z * (1.0 + 0.12 * head);
    v.p.y = v.p.y * (1.0 + 0.15 * head);
  }
  theme.Model(kArrowMorphModel, morph);
}

}  // namespace

void WriteArrowsAndGlows(ThemeWriter& theme, const SphereMapLook& off, const SphereMapLook& on, const Color& glow) {
  WriteArrows(theme);
  theme.Texture(kArrowOffTexture, SphereMap(off), 3);
  theme.Texture(kArrowOnTexture, SphereMap(on), 3);
  theme.Texture(kArrowShadowTexture, ArrowShadow(), 4);
  theme.Texture(kSelectionTexture, SquareHalo(glow), 4);
  theme.Texture("halo.png", RoundGlow(64, Mix(glow, Color{1, 1, 1, 1}, 0.3), 1.5), 4);
  theme.Texture("lettrefx.png", RoundGlow(64, Mix(glow, Color{1, 1, 1, 1}, 0.8), 3.0), 4);
}

void WriteFloor(ThemeWriter& theme, const Raster& floor, const Raster& letterSquare) {
  ModelBuilder model;
  MeshBuilder& mesh = model.AddMesh("sol", theme.Name("floor"));
  int a = mesh.Add(Vec3{-0.5, 0, 0.5}, 0, 1), b = mesh.Add(Vec3{0.5, 0, 0.5}, 1, 1);
  int c = mesh.Add(Vec3{0.5, 0, -0.5}, 1, 0), d = mesh.Add(Vec3{-0.5, 0, -0.5}, 0, 0);
  mesh.Quad(a, b, c, d);
  // Unlit and white: the floor shows its texture as painted, like the
  // ground-letter squares drawn beside it.
  model.AddMaterial(UnlitMaterial(theme.Name("floor"), "sol.png"));
  theme.Model(kFloorModel, model);
  theme.Texture("sol.png", floor, 3);
  theme.Texture(kGroundTileTexture, letterSquare, 3);
}

void WriteScenery(ThemeWriter& theme, const std::function<void(ModelBuilder&, double)>& addProps, const Raster& sky,
                  const Raster& ground, const Raster& haze) {
  SceneryLook look;
  look.skyTexture = "ciel.png";
  look.groundTexture = "terre.png";
  look.hazeTexture = "brume.png";
  ModelBuilder background = BuildScenery(theme, look);
  addProps(background, look.groundY);
  theme.Model(kBackgroundModel, background);
  theme.Texture(look.skyTexture, sky, 3);
  theme.Texture(look.groundTexture, ground, 3);
  theme.Texture(look.hazeTexture, haze, 3);
}

Raster HazeStrip(const Color& ground, const Color& horizon) {
  Raster image(8, 64);
  image.Paint([&](double, double v, Color& px) { px = Mix(ground, horizon, SmoothStep(0.0, 0.9, v)); });
  return image;
}

std::function<Color(double, double)> Mottled(const Color& a, const Color& b, uint32_t seed) {
  return [a, b, seed](double u, double v) { return Mix(a, b, Fbm(u * 3.0, v * 3.0, 3, 4, seed)); };
}

void WriteLetterTiles(ThemeWriter& theme, const FaceLook& normal, const FaceLook& selected, const FaceLook& fixed) {
  theme.Texture(kCubeFaceTexture, FaceTile(normal.fill, normal.frameLight, normal.frameDark), 3);
  theme.Texture(kCubeFaceOnTexture, FaceTile(selected.fill, selected.frameLight, selected.frameDark), 3);
  theme.Texture(kCubeFaceOffTexture, FaceTile(fixed.fill, fixed.frameLight, fixed.frameDark), 3);
}

ModelBuilder BuildScenery(ThemeWriter& theme, const SceneryLook& look) {
  ModelBuilder model;
  MeshBuilder& sky = model.AddMesh(kSkyMesh, theme.Name("sky"));
  Sphere(sky, Vec3{0, 0, 0}, Vec3{look.skyRadius, look.skyRadius, look.skyRadius}, 12, 32, true, 1.0);
  MeshBuilder& ground = model.AddMesh(kGroundMesh, theme.Name("ground"));
  Disc(ground, look.groundY, look.groundRadius, 6, 40, look.groundTile);
  MeshBuilder& haze = model.AddMesh(kHazeMesh, theme.Name("haze"));
  const int segments = 40;
  for (int s = 0; s < segments; ++s) {
    double a0 = 2.0 * kPi * s / segments, a1 = 2.0 * kPi * (s + 1) / segments;
    auto at = [&](double a, double r) { return Vec3{r * std::sin(a), look.groundY, r * std::cos(a)}; };
    int p0 = haze.Add(at(a0, look.groundRadius), 0.5, 0.02), p1 = haze.Add(at(a1, look.groundRadius), 0.5, 0.02);
    int p2 = haze.Add(at(a1, look.hazeRadius), 0.5, 0.98), p3 = haze.Add(at(a0, look.hazeRadius), 0.5, 0.98);
    // Visible from above: counter-clockwise seen from +y.
    haze.Quad(p0, p3, p2, p1);
  }
  model.AddMaterial(UnlitMaterial(theme.Name("sky"), look.skyTexture));
  model.AddMaterial(UnlitMaterial(theme.Name("ground"), look.groundTexture));
  model.AddMaterial(UnlitMaterial(theme.Name("haze"), look.hazeTexture));
  return model;
}

Raster SphereMap(const SphereMapLook& look) {
  const int size = 128;
  Raster image(size, size, look.ground);
  image.Paint([&](double u, double v, Color& px) {
    double x = u * 2.0 - 1.0, y = 1.0 - v * 2.0;
    double r2 = x * x + y * y;
    if (r2 > 1.0) {
      px = Scale(look.ground, 0.5);
      return;
    }
    // The reflected direction's height for a viewer looking along -z.
    double nz = std::sqrt(1.0 - r2);
    double ry = 2.0 * nz * y;
    Color c = ry > 0 ? Mix(look.horizon, look.sky, std::pow(Clamp01(ry), 0.6))
                     : Mix(look.horizon, look.ground, std::pow(Clamp01(-ry * 1.5), 0.5));
    // A soft band at the horizon and a window-like highlight up and left.
    c = Mix(c, look.highlight, 0.35 * std::exp(-ry * ry * 60.0));
    double hx = x + 0.38, hy = y - 0.42;
    double spot = std::exp(-(hx * hx + hy * hy) / (0.02 + 0.08 * look.gloss));
    c = Mix(c, look.highlight, Clamp01(spot));
    // Darker towards the rim, as glancing reflections of a dark floor.
    c = Scale(c, 0.75 + 0.25 * nz);
    px = c;
  });
  return image;
}

Raster ArrowShadow() {
  const int size = 64;
  Raster mask(size, size, Color{0, 0, 0, 0});
  Contour outline = ArrowOutline();
  std::vector<double> xy;
  for (const Point2& p : outline) {
    xy.push_back((p.x * 1.02 + 0.5) * size);
    xy.push_back((p.y * 1.02 + 0.5) * size);
  }
  mask.FillPolygon(xy, Color{1, 1, 1, 1});
  // Soft edges: a small box blur of the coverage, twice.
  Raster out(size, size, Color{0, 0, 0, 0});
  for (int pass = 0; pass < 2; ++pass) {
    Raster src = pass == 0 ? mask : out;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        double sum = 0;
        int n = 0;
        for (int dy = -2; dy <= 2; ++dy) {
          for (int dx = -2; dx <= 2; ++dx) {
            int sx = x + dx, sy = y + dy;
            if (sx >= 0 && sy >= 0 && sx < size && sy < size) sum += src.At(sx, sy).a;
            ++n;
          }
        }
        out.At(x, y) = Color{0.05f, 0.05f, 0.08f, static_cast<float>(sum / n)};
      }
    }
  }
  return out;
}

Raster SquareHalo(const Color& color) {
  const int size = 64;
  Raster image(size, size, Color{0, 0, 0, 0});
  image.Paint([&](double u, double v, Color& px) {
    // Distance to a rounded square ring a little inside the tile's edge.
    double x = std::fabs(u - 0.5), y = std::fabs(v - 0.5);
    double r = 0.08, h = 0.38 - r;
    double dx = std::fmax(x - h, 0.0), dy = std::fmax(y - h, 0.0);
    double d = std::hypot(dx, dy) - r;
    double ring = std::exp(-d * d / 0.0012);
    double inner = d < 0 ? 0.25 * std::exp(d * 6.0) : 0.0;
    double a = Clamp01(ring + inner);
    px = Color{color.r, color.g, color.b, static_cast<float>(a)};
  });
  return image;
}

Raster RoundGlow(int size, const Color& color, double falloff) {
  Raster image(size, size, Color{0, 0, 0, 0});
  image.Paint([&](double u, double v, Color& px) {
    double x = u * 2.0 - 1.0, y = v * 2.0 - 1.0;
    double r = std::sqrt(x * x + y * y);
    double a = r >= 1.0 ? 0.0 : std::pow(1.0 - r, falloff) * (0.6 + 0.4 * std::exp(-r * r * 18.0));
    Color c = Mix(color, Color{1, 1, 1, 1}, std::exp(-r * r * 12.0));
    px = Color{c.r, c.g, c.b, static_cast<float>(Clamp01(a))};
  });
  return image;
}

Raster FaceTile(const std::function<Color(double, double)>& fill, const Color& frameLight, const Color& frameDark) {
  const int size = 64;
  Raster image(size, size);
  image.Paint([&](double u, double v, Color& px) {
    double x = u * size, y = v * size;
    double edge = std::fmin(std::fmin(x, size - x), std::fmin(y, size - y));
    Color c = fill(u, v);
    if (edge < 3.0) {
      // The outer frame: lit from the top left.
      bool lit = (x + y) < size;
      c = Mix(c, lit ? frameLight : frameDark, 0.75);
    } else if (edge < 5.0) {
      bool lit = (x + y) >= size;  // the inner step is lit the other way round
      c = Mix(c, lit ? frameLight : frameDark, 0.35);
    }
    px = c;
  });
  return image;
}

}  // namespace artgen
