// The menu's art (data/gfx/2d/): the animated backdrop, the title, the
// highlight bar, the pointer and the glow.
//
// The title is fitted by the game into a box of equal width, height and depth,
// each axis scaled on its own; so the model fills a cube of its own: the word
// GLYPHOX as a row of seven letter blocks crossed at its L by the column
// DELUXE, as in a crossword, and four small blocks floating in front of and
// behind it, which give the title its depth and make it as tall as it is
// wide. Every block carries its letter as raised glyph geometry on its front.
#include <cmath>
#include <cstdio>

#include "base/Math.h"
#include "tools/artgen/Art.h"
#include "tools/artgen/Glyphs.h"
#include "tools/artgen/Mesh.h"
#include "tools/artgen/Random.h"
#include "tools/artgen/Shapes.h"

namespace artgen {

namespace {


// ---------------------------------------------------------------- backdrop

constexpr double kSheetHalfWidth = 3.4, kSheetHalfHeight = 1.9, kSheetDepth = -1.6;
constexpr int kSheetColumns = 40, kSheetRows = 22;

// Two wave fields of the backdrop; the game blends between them.
double Wave(double x, double y, double phase) {
  return 0.13 * std::sin(1.25 * x + 0.6 * y + phase) + 0.07 * std::sin(-0.8 * x + 1.9 * y + 1.7 + phase * 1.5) +
         0.04 * std::sin(2.3 * x - 0.4 * y + phase * 0.7);
}

ModelBuilder BuildBackdrop(double phase) {
  ModelBuilder model;
  MeshBuilder& mesh = model.AddMesh("fondmenu", "menu_backdrop");
  for (int j = 0; j <= kSheetRows; ++j) {
    for (int i = 0; i <= kSheetColumns; ++i) {
      double u = static_cast<double>(i) / kSheetColumns, v = static_cast<double>(j) / kSheetRows;
      double x = (u * 2.0 - 1.0) * kSheetHalfWidth, y = (1.0 - v * 2.0) * kSheetHalfHeight;
      mesh.Add(Vec3{x, y, kSheetDepth + Wave(x, y, phase)}, u, v);
    }
  }
  const int row = kSheetColumns + 1;
  for (int j = 0; j < kSheetRows; ++j) {
    for (int i = 0; i < kSheetColumns; ++i) {
      int a = j * row + i;
      // Seen from the camera at +z: counter-clockwise with y up.
      mesh.Quad(a + row, a + row + 1, a + 1, a);
    }
  }
  ModelMaterial material = LitMaterial("menu_backdrop", "fondmenu.png", 0.95f, 0.55f);
  model.AddMaterial(material);
  return model;
}

Raster BackdropTexture(const Font& font) {
  const int w = 1024, h = 512;
  Raster image(w, h);
  image.Paint([&](double u, double v, Color& px) {
    double glow = std::exp(-((u - 0.5) * (u - 0.5) * 3.0 + (v - 0.42) * (v - 0.42) * 5.0));
    Color c = Mix(Rgb(12, 14, 40), Rgb(48, 34, 96), glow);
    double n = Fbm(u * 6.0, v * 3.0, 6, 5, 401);
    c = Mix(c, Rgb(30, 70, 120), SmoothStep(0.55, 0.8, n) * 0.45);
    px = c;
  });
  // Scattered letters of every size, faint, as if drifting in the deep.
  Random random(402);
  const char* letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (int i = 0; i < 140; ++i) {
    double x = random.Unit() * w, y = random.Unit() * h;
    double size = 18.0 + random.Unit() * random.Unit() * 90.0;
    double angle = (random.Unit() - 0.5) * 1.2;
    float alpha = static_cast<float>((0.04 + 0.1 * random.Unit()) * (1.0 - size / 120.0));
    Color c = Mix(Rgb(140, 170, 255), Rgb(230, 190, 255), random.Unit());
    c.a = alpha;
    font.Draw(image, static_cast<unsigned>(letters[random.Below(26)]), size, x, y, angle, c);
  }
  // Soft points of light.
  for (int i = 0; i < 60; ++i) {
    double x = random.Unit() * w, y = random.Unit() * h, r = 1.0 + random.Unit() * 5.0;
    Color c = Rgb(200, 220, 255, static_cast<float>(0.08 + 0.25 * random.Unit()));
    image.FillDisc(x, y, r, c);
  }
  return image;
}

// ------------------------------------------------------------------- title

constexpr double kBlockHalf = 0.46;
constexpr double kRelief = 0.12;

struct TitleBlock {
  char letter;
  double x, y, z;  // centre, one block = 1 unit
  double half;     // half the block's size
};

std::vector<TitleBlock> TitleLayout() {
  std::vector<TitleBlock> blocks;
  const char* word = "GLYPHOX";
  for (int i = 0; i < 7; ++i) blocks.push_back({word[i], i - 3.0, 0.0, 0.0, kBlockHalf});
  // The game's full name reads down through the L of the word: two letters
  // above it, three below.
  const char* column = "DELUXE";
  const int crossing = 2;            // the L of DELUXE
  const double columnX = 1.0 - 3.0;  // over the L of GLYPHOX
  for (int k = 0; k < 6; ++k) {
    if (k != crossing) blocks.push_back({column[k], columnX, crossing - static_cast<double>(k), 0.0, kBlockHalf});
  }
  // They fill the corners the two words leave empty. Depth: as far in front
  // as behind, so the box is about as deep as it is wide; the highest
  // reaches as far above the word as DELUXE reaches below it. The lowest
  // sits a little below DELUXE, far back where it looks higher than it is:
  // the box then centres the title a little higher, which keeps DELUXE
  // clear of the menu's first entry.
  blocks.push_back({'Z', 0.2, 3.16, -3.16, 0.3});
  blocks.push_back({'W', 2.4, 1.25, 1.8, 0.3});
  blocks.push_back({'A', 2.2, -1.8, 3.0, 0.3});
  blocks.push_back({'Q', -0.3, -3.5, -2.0, 0.3});
  return blocks;
}

// One block with its letter, centred on the origin, for placing.
void AddBlock(MeshBuilder& body, MeshBuilder& glyph, const Font& font, const TitleBlock& block) {
  // Each texture's right half is the lighter variant used off the main word.
  const double uOffset = (block.y == 0.0 && block.half == kBlockHalf) ? 0.0 : 0.5;
  Vec3 c{block.x, block.y, block.z};
  const double h = block.half, k = h / kBlockHalf;
  BevelBox(body, c, Vec3{h, h, h}, 0.08 * k, Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0, 1},
           uOffset + 0.03, 0.05, uOffset + 0.47, 0.95);
  std::vector<Contour> contours;
  double advance = 0;
  if (!font.Outline(static_cast<unsigned>(block.letter), 4, contours, advance) || contours.empty()) return;
  // Centre the glyph's ink box on the block's front and size its height.
  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
  for (const Contour& k : contours)
    for (const Point2& p : k) {
      minX = std::fmin(minX, p.x);
      maxX = std::fmax(maxX, p.x);
      minY = std::fmin(minY, p.y);
      maxY = std::fmax(maxY, p.y);
    }
  double scale = 0.66 * k / std::fmax(maxY - minY, (maxX - minX) * 0.9);
  double cx = (minX + maxX) * 0.5, cy = (minY + maxY) * 0.5;
  for (Contour& k : contours)
    for (Point2& p : k) p = Point2{(p.x - cx) * scale, (p.y - cy) * scale};
  Extrusion shape;
  shape.front = kRelief * k;
  shape.back = 0.0;
  shape.bevel = 0.035 * k;
  shape.backFace = false;
  Placement place = [&](double X, double Y, double Z) { return Vec3{c.x + X, c.y + Y, c.z + h + Z}; };
  Mapping map = [&](double, double Y, double Z, double& u, double& v) {
    u = uOffset + 0.25 + Z;
    v = 0.5 - Y * 0.7;
  };
  ExtrudeOutline(glyph, contours, shape, place, map);
}

ModelBuilder BuildTitle(const Font& font) {
  ModelBuilder model;
  MeshBuilder& blocks = model.AddMesh("blocs", "menu_title_block");
  // The word's letters and the others in meshes of their own, which keeps
  // each mesh small for the face-neighbour search the game runs at start-up.
  MeshBuilder& word = model.AddMesh("mot", "menu_title_letter");
  MeshBuilder& others = model.AddMesh("lettres", "menu_title_letter");
  for (const TitleBlock& block : TitleLayout()) {
    bool inWord = block.y == 0.0 && block.half == kBlockHalf;
    AddBlock(blocks, inWord ? word : others, font, block);
  }
  model.AddMaterial(LitMaterial("menu_title_block", "logobloc.png", 0.9f, 0.75f));
  model.AddMaterial(LitMaterial("menu_title_letter", "logolettre.png", 1.0f, 0.9f));
  return model;
}

// The title's life: the word's blocks bob in a travelling wave and tip a
// little, the column's blocks sway from side to side, and the floating blocks
// drift and turn.
ModelBuilder AnimateTitle(const ModelBuilder& rest) {
  ModelBuilder moved = rest;
  std::vector<TitleBlock> layout = TitleLayout();
  for (MeshBuilder& mesh : moved.Meshes()) {
    for (Vertex& v : mesh.Vertices()) {
      // The block a vertex belongs to is the one whose centre is nearest.
      const TitleBlock* owner = &layout[0];
      double best = 1e9;
      for (const TitleBlock& b : layout) {
        double d = std::fabs(v.p.x - b.x) + std::fabs(v.p.y - b.y) + std::fabs(v.p.z - b.z - b.half * 0.2);
        if (d < best) {
          best = d;
          owner = &b;
        }
      }
      Vec3 centre{owner->x, owner->y, owner->z};
      Vec3 local = v.p - centre;
      if (owner->half < kBlockHalf) {
        local = Rotate(local, Normalize(Vec3{owner->y, 1.0, owner->x}), 0.5);
        v.p = centre + local + Vec3{-0.25 * owner->x / 2.0, 0.3, 0.0};
      } else if (owner->y == 0.0) {
        double phase = owner->x * 0.9;
        local = Rotate(local, Vec3{0, 0, 1}, 0.12 * std::sin(phase + 1.0));
        v.p = centre + local + Vec3{0, 0.22 * std::sin(phase), 0.1 * std::cos(phase)};
      } else {
        double step = owner->y;
        local = Rotate(local, Vec3{0, 1, 0}, 0.15 * step / 3.0);
        v.p = centre + local + Vec3{0.1 * std::sin(step * 1.3), 0, 0.12 * std::cos(step)};
      }
    }
  }
  return moved;
}

// Left half: the word's warm ivory blocks; right half: the cooler blocks of
// the column and the floating ones.
Raster BlockTexture() {
  Raster image(128, 64);
  image.Paint([&](double u, double v, Color& px) {
    double n = Fbm(u * 6.0, v * 3.0, 6, 4, 411);
    Color top = u < 0.5 ? Rgb(250, 236, 205) : Rgb(215, 222, 235);
    Color bottom = u < 0.5 ? Rgb(225, 200, 160) : Rgb(175, 185, 205);
    px = Mix(top, bottom, v * 0.6 + n * 0.4);
  });
  return image;
}

// Left half gold, right half a deep blue, bright on the raised fronts and
// deeper down the sides.
Raster LetterTexture() {
  Raster image(128, 64);
  image.Paint([&](double u, double v, Color& px) {
    double t = SmoothStep(0.2, 0.9, v);
    px = u < 0.5 ? Mix(Rgb(255, 205, 70), Rgb(205, 100, 15), t) : Mix(Rgb(70, 110, 190), Rgb(30, 50, 110), t);
  });
  return image;
}

// ------------------------------------------------------------ 2D textures

Raster Highlight() {
  const int w = 256, h = 64;
  Raster image(w, h, Color{0, 0, 0, 0});
  image.Paint([&](double u, double v, Color& px) {
    double x = (u - 0.5) * 2.0, y = (v - 0.5) * 2.0;
    // A capsule fading out to its rounded ends and its top and bottom.
    double ends = SmoothStep(1.0, 0.75, std::fabs(x));
    double body = std::exp(-y * y * 2.2);
    double core = std::exp(-y * y * 10.0) * SmoothStep(1.0, 0.6, std::fabs(x));
    double a = Clamp01(0.55 * ends * body + 0.35 * core);
    Color c = Mix(Rgb(255, 170, 60), Rgb(255, 240, 190), core);
    px = Color{c.r, c.g, c.b, static_cast<float>(a)};
  });
  return image;
}

Raster Pointer() {
  const int size = 32;
  Raster image(size, size, Color{0, 0, 0, 0});
  // The classic arrow, its tip on the top-left pixel.
  const std::vector<double> arrow = {0.5, 0.5, 0.5, 22.0, 6.0, 17.0, 10.5, 27.0, 14.5, 25.0, 10.0, 15.5, 17.5, 15.5};
  std::vector<double> shadow;
  for (size_t i = 0; i < arrow.size(); i += 2) {
    shadow.push_back(arrow[i] + 2.0);
    shadow.push_back(arrow[i + 1] + 2.0);
  }
  image.FillPolygon(shadow, Color{0, 0, 0, 0.35f});
  image.FillPolygon(arrow, Rgb(20, 20, 40));
  // The inner fill, a pixel inside the outline.
  std::vector<double> inner = {2.0, 3.5, 2.0, 18.5, 6.6, 14.6, 11.2, 24.6, 12.4, 24.0, 7.9, 14.2, 13.9, 14.2};
  Raster fill(size, size, Color{0, 0, 0, 0});
  fill.FillPolygon(inner, Color{1, 1, 1, 1});
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double a = fill.At(x, y).a;
      if (a > 0) image.Blend(x, y, Mix(Rgb(255, 250, 235), Rgb(255, 200, 90), y / 28.0), a);
    }
  return image;
}

Raster Glow() {
  const int size = 64;
  Raster image(size, size, Color{0, 0, 0, 0});
  image.Paint([&](double u, double v, Color& px) {
    double x = u * 2.0 - 1.0, y = v * 2.0 - 1.0;
    double r = std::sqrt(x * x + y * y);
    double a = r >= 1.0 ? 0.0 : std::pow(1.0 - r, 2.2) * (0.7 + 0.3 * std::exp(-r * r * 20.0));
    Color c = Mix(Rgb(255, 225, 150), Rgb(255, 255, 255), std::exp(-r * r * 10.0));
    px = Color{c.r, c.g, c.b, static_cast<float>(Clamp01(a))};
  });
  return image;
}

}  // namespace

void MakeMenuArt(ArtContext& context) {
  Font font;
  font.Open(context.fontDir + "/DejaVuSans-Bold.ttf");
  Output& out = context.out;
  ModelBuilder backdrop = BuildBackdrop(0.0), backdropMorph = BuildBackdrop(kPi * 0.8);
  out.Model("2d/fondmenu.3do", backdrop.ToFileData());
  out.Model("2d/fondmenumorph.3do", backdropMorph.ToFileData());
  out.Png("2d/fondmenu.png", BackdropTexture(font), 3);

  ModelBuilder title = BuildTitle(font);
  out.Model("2d/logo.3do", title.ToFileData());
  out.Model("2d/logomorph.3do", AnimateTitle(title).ToFileData());
  out.Png("2d/logobloc.png", BlockTexture(), 3);
  out.Png("2d/logolettre.png", LetterTexture(), 3);
  if (context.verbose) {
    std::printf("2d/fondmenu.3do: %d triangles\n2d/logo.3do: %d triangles\n", backdrop.TriangleCount(),
                title.TriangleCount());
  }

  out.Png("2d/selection.png", Highlight(), 4);
  out.Png("2d/pointeur.png", Pointer(), 4);
  out.Png("2d/particule1.png", Glow(), 4);
}

}  // namespace artgen
