// Pictures as the art generator paints them: floating-point RGBA, rows from the
// top, with a few anti-aliased drawing operations. Converted to bytes only when
// written out as PNG.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace artgen {

struct Color {
  float r = 0, g = 0, b = 0, a = 1;
};

Color Rgb(int r, int g, int b, float a = 1.0f);
Color Mix(const Color& x, const Color& y, double t);
Color Scale(const Color& c, double k);  // RGB only
double Clamp01(double v);
double SmoothStep(double e0, double e1, double x);

class Raster {
 public:
  Raster() = default;
  Raster(int width, int height, Color fill = Color{});

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  Color& At(int x, int y) { return m_pixels[static_cast<size_t>(y) * m_width + x]; }
  const Color& At(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_width + x]; }
  // Bilinear sample at pixel coordinates, wrapping at the borders.
  Color Sample(double x, double y) const;

  // Calls fn(x, y, pixel) for every pixel, with x and y in [0, 1) at the
  // pixel centre as u = (x + 0.5) / width.
  void Paint(const std::function<void(double u, double v, Color& pixel)>& fn);

  // Composites colour c over the pixel with the given coverage (0..1).
  void Blend(int x, int y, const Color& c, double coverage);
  // Anti-aliased fill of a region given by an inside test in pixel
  // coordinates, 4 x 4 samples per pixel inside the box [x0, x1) x [y0, y1).
  void FillRegion(double x0, double y0, double x1, double y1,
                  const std::function<bool(double, double)>& inside, const Color& c);
  void FillDisc(double cx, double cy, double radius, const Color& c);
  void FillRect(double x0, double y0, double x1, double y1, const Color& c);
  // Closed polygon, even-odd rule.
  void FillPolygon(const std::vector<double>& xy, const Color& c);
  void FillRoundRect(double x0, double y0, double x1, double y1, double radius, const Color& c);

  // 3 (RGB) or 4 (RGBA) bytes a pixel, rows from the top.
  std::vector<uint8_t> Bytes(int channels) const;

 private:
  int m_width = 0;
  int m_height = 0;
  std::vector<Color> m_pixels;
};

}  // namespace artgen
