#include "tools/artgen/Glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>

namespace artgen {

Font::~Font() {
  if (m_face) FT_Done_Face(m_face);
  if (m_library) FT_Done_FreeType(m_library);
}

bool Font::Open(const std::string& path) {
  if (!m_library && FT_Init_FreeType(&m_library) != 0) return false;
  if (m_face) {
    FT_Done_Face(m_face);
    m_face = nullptr;
  }
  return FT_New_Face(m_library, path.c_str(), 0, &m_face) == 0;
}

namespace {

struct OutlineWalk {
  std::vector<Contour>* contours;
  double scale;
  int steps;
  Point2 last;
};

Point2 ToPoint(const FT_Vector* v, double scale) { return Point2{v->x * scale, v->y * scale}; }

int MoveTo(const FT_Vector* to, void* user) {
  auto* w = static_cast<OutlineWalk*>(user);
  w->contours->emplace_back();
  w->last = ToPoint(to, w->scale);
  w->contours->back().push_back(w->last);
  return 0;
}

int LineTo(const FT_Vector* to, void* user) {
  auto* w = static_cast<OutlineWalk*>(user);
  w->last = ToPoint(to, w->scale);
  w->contours->back().push_back(w->last);
  return 0;
}

int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
  auto* w = static_cast<OutlineWalk*>(user);
  Point2 p0 = w->last, p1 = ToPoint(control, w->scale), p2 = ToPoint(to, w->scale);
  for (int i = 1; i <= w->steps; ++i) {
    double t = static_cast<double>(i) / w->steps, s = 1.0 - t;
    w->contours->back().push_back(
        Point2{s * s * p0.x + 2 * s * t * p1.x + t * t * p2.x, s * s * p0.y + 2 * s * t * p1.y + t * t * p2.y});
  }
  w->last = p2;
  return 0;
}

int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
  auto* w = static_cast<OutlineWalk*>(user);
  Point2 p0 = w->last, p1 = ToPoint(c1, w->scale), p2 = ToPoint(c2, w->scale), p3 = ToPoint(to, w->scale);
  for (int i = 1; i <= w->steps; ++i) {
    double t = static_cast<double>(i) / w->steps, s = 1.0 - t;
    double a = s * s * s, b = 3 * s * s * t, c = 3 * s * t * t, d = t * t * t;
    w->contours->back().push_back(
        Point2{a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
  }
  w->last = p3;
  return 0;
}

}  // namespace

bool Font::Outline(unsigned codepoint, int steps, std::vector<Contour>& contours, double& advance) const {
  contours.clear();
  if (!m_face) return false;
  if (FT_Set_Char_Size(m_face, 0, 64 * 64, 72, 72) != 0) return false;
  if (FT_Load_Char(m_face, codepoint, FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0) return false;
  if (m_face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) return false;
  OutlineWalk walk{&contours, 1.0 / (64.0 * 64.0), steps, Point2{}};
  FT_Outline_Funcs funcs{};
  funcs.move_to = MoveTo;
  funcs.line_to = LineTo;
  funcs.conic_to = ConicTo;
  funcs.cubic_to = CubicTo;
  if (FT_Outline_Decompose(&m_face->glyph->outline, &funcs, &walk) != 0) return false;
  // Closing points repeat the first one; drop them.
  for (Contour& c : contours) {
    while (c.size() > 1 && std::fabs(c.front().x - c.back().x) < 1e-9 && std::fabs(c.front().y - c.back().y) < 1e-9) {
      c.pop_back();
    }
  }
  advance = m_face->glyph->advance.x / (64.0 * 64.0);
  return true;
}

bool Font::Draw(Raster& target, unsigned codepoint, double pixelSize, double cx, double cy, double angle,
                const Color& color) const {
  if (!m_face) return false;
  if (FT_Set_Char_Size(m_face, 0, static_cast<FT_F26Dot6>(std::lround(pixelSize * 64.0)), 72, 72) != 0) return false;
  FT_Matrix matrix;
  matrix.xx = static_cast<FT_Fixed>(std::lround(std::cos(angle) * 65536.0));
  matrix.xy = static_cast<FT_Fixed>(std::lround(-std::sin(angle) * 65536.0));
  matrix.yx = static_cast<FT_Fixed>(std::lround(std::sin(angle) * 65536.0));
  matrix.yy = matrix.xx;
  FT_Set_Transform(m_face, &matrix, nullptr);
  bool ok = FT_Load_Char(m_face, codepoint, FT_LOAD_RENDER | FT_LOAD_NO_HINTING) == 0;
  FT_Set_Transform(m_face, nullptr, nullptr);
  if (!ok) return false;
  const FT_Bitmap& bitmap = m_face->glyph->bitmap;
  int w = static_cast<int>(bitmap.width), h = static_cast<int>(bitmap.rows);
  double x0 = cx - w * 0.5, y0 = cy - h * 0.5;
  int ix0 = static_cast<int>(std::lround(x0)), iy0 = static_cast<int>(std::lround(y0));
  for (int y = 0; y < h; ++y) {
    const unsigned char* row = bitmap.buffer + y * bitmap.pitch;
    for (int x = 0; x < w; ++x) {
      if (row[x]) target.Blend(ix0 + x, iy0 + y, color, row[x] / 255.0);
    }
  }
  return true;
}

}  // namespace artgen
