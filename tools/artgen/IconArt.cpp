// The desktop icon: one letter cube of the title, seen from above and to the
// right, painted at each size of the icon theme rather than scaled down.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tools/artgen/Art.h"
#include "tools/artgen/Glyphs.h"

namespace artgen {

namespace {

// Sizes of the hicolor theme the desktop asks for most.
constexpr int kIconSizes[] = {48, 64, 128, 256};

struct Point {
  double x, y;
};

Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator*(double k, Point a) { return {k * a.x, k * a.y}; }

// A face of the cube: a parallelogram from its corner along two edges.
struct Face {
  Point origin, across, down;
  std::vector<double> Outline(double inset) const {
    Point centre = origin + 0.5 * across + 0.5 * down;
    std::vector<double> xy;
    for (Point corner : {origin, origin + across, origin + across + down, origin + down}) {
      double dx = centre.x - corner.x, dy = centre.y - corner.y;
      double length = std::sqrt(dx * dx + dy * dy);
      xy.push_back(corner.x + dx / length * inset);
      xy.push_back(corner.y + dy / length * inset);
    }
    return xy;
  }
};

// The glyph as coverage in the alpha channel, centred in a square.
Raster GlyphMask(const Font& font, unsigned codepoint, int size) {
  Raster mask(size, size, Color{1, 1, 1, 0});
  font.Draw(mask, codepoint, size * 0.78, size * 0.5, size * 0.5, 0.0, Color{1, 1, 1, 1});
  return mask;
}

// Paints the glyph onto the face as the title paints its letters: gold
// fading to amber downwards, with a dark rim so it reads at small sizes.
void LetterOnFace(Raster& image, const Face& face, const Raster& mask, double rim) {
  const double det = face.across.x * face.down.y - face.across.y * face.down.x;
  const Color rimColor = Rgb(70, 40, 15);
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      double px = x + 0.5 - face.origin.x, py = y + 0.5 - face.origin.y;
      double s = (px * face.down.y - py * face.down.x) / det;
      double t = (face.across.x * py - face.across.y * px) / det;
      if (s < 0.02 || t < 0.02 || s > 0.98 || t > 0.98) continue;
      auto coverage = [&](double ds, double dt) {
        return mask.Sample((s + ds) * mask.Width(), (t + dt) * mask.Height()).a;
      };
      double outline = 0.0;
      for (int k = 0; k < 8; ++k) {
        double angle = k * 0.7853981633974483;
        outline = std::fmax(outline, coverage(rim * std::cos(angle), rim * std::sin(angle)));
      }
      image.Blend(x, y, rimColor, outline);
      image.Blend(x, y, Mix(Rgb(255, 215, 80), Rgb(210, 105, 20), SmoothStep(0.15, 0.9, t)), coverage(0, 0));
    }
  }
}

Raster PaintIcon(const Font& font, int size) {
  const double S = size;
  Raster image(size, size, Color{0, 0, 0, 0});

  // Soft shadow on the ground below the cube.
  image.Paint([&](double u, double v, Color& px) {
    double dx = (u - 0.47) / 0.44, dy = (v - 0.90) / 0.07;
    double r = std::sqrt(dx * dx + dy * dy);
    px = Color{0, 0, 0, static_cast<float>(0.35 * SmoothStep(1.0, 0.2, r))};
  });

  // Front face square, the depth running up and to the right.
  const double edge = 0.58 * S;
  const Point depth{0.30 * S, -0.24 * S};
  const Point frontCorner{0.06 * S, 0.31 * S};
  const Face front{frontCorner, {edge, 0}, {0, edge}};
  const Face top{frontCorner + depth, {edge, 0}, -1.0 * depth};
  const Face side{frontCorner + Point{edge, 0}, depth, {0, edge}};

  const double line = std::fmax(1.0, S / 64.0);
  const Color border = Rgb(60, 42, 28);
  std::vector<double> hull = {front.origin.x, front.origin.y + edge, front.origin.x, front.origin.y,
                              top.origin.x,   top.origin.y,          top.origin.x + edge, top.origin.y,
                              side.origin.x + depth.x, side.origin.y + depth.y + edge,
                              side.origin.x, side.origin.y + edge};
  image.FillPolygon(hull, border);

  // The title's ivory blocks, lit from the upper left.
  const Color ivoryTop = Rgb(252, 242, 218), ivory = Rgb(246, 230, 196), ivoryShade = Rgb(190, 165, 125);
  image.FillPolygon(top.Outline(line), ivoryTop);
  image.FillPolygon(front.Outline(line), ivory);
  image.FillPolygon(side.Outline(line), ivoryShade);

  const int maskSize = std::max(64, size);
  const double rim = 0.035;
  LetterOnFace(image, front, GlyphMask(font, 'G', maskSize), rim);
  LetterOnFace(image, top, GlyphMask(font, 'X', maskSize), rim);
  LetterOnFace(image, side, GlyphMask(font, 'O', maskSize), rim);
  return image;
}

}  // namespace

bool MakeIcons(ArtContext& context, const std::string& name) {
  Font font;
  if (!font.Open(context.fontDir + "/DejaVuSans-Bold.ttf")) return false;
  for (int size : kIconSizes) {
    std::string dir = std::to_string(size) + "x" + std::to_string(size);
    context.out.Png(dir + "/apps/" + name + ".png", PaintIcon(font, size), 4);
  }
  return true;
}

}  // namespace artgen
