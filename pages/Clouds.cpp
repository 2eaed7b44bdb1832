// Cloud pictures by midpoint displacement on a (w + 1) x (h + 1) grid whose
// last row and column repeat the first, so that the picture tiles.
#include "pages/Clouds.h"

#include <algorithm>
#include <cstdlib>

namespace {

class CloudGrid {
 public:
  CloudGrid(int w, int h, int (*random)()) : m_w(w), m_h(h), m_random(random), m_values((w + 1) * (h + 1), 0) {}

  uint8_t& At(int x, int y) { return m_values[static_cast<size_t>(y) * (m_w + 1) + x]; }

  void Generate() {
    At(0, 0) = static_cast<uint8_t>(m_random() % 127 + 128);
    At(m_w, 0) = static_cast<uint8_t>(m_random() % 127 + 128);
    At(0, m_h) = At(m_w, 0);
    SplitTopRow(0, m_w);
    SplitLeftColumn(0, m_h);
    for (int x = 0; x <= m_w; ++x) At(x, m_h) = At(x, 0);
    for (int y = 0; y <= m_h; ++y) At(m_w, y) = At(0, y);
    SplitRectangle(0, 0, m_w, m_h);
  }

 private:
  static uint8_t Clamp(int value) { return static_cast<uint8_t>(std::max(0, std::min(value, 255))); }

  // The midpoint of a span of n points between two set values.
  void SetMidpoint(uint8_t& target, int a, int b, int n) {
    if (target != 0) return;
    target = Clamp((a + b) / 2 + m_random() % n - n / 2);
  }

  void SplitTopRow(int x0, int x1) {
    int n = x1 - x0 + 1;
    if (n < 3) return;
    int mid = (x0 + x1) / 2;
    SetMidpoint(At(mid, 0), At(x0, 0), At(x1, 0), n);
    SplitTopRow(x0, mid);
    SplitTopRow(mid, x1);
  }

  void SplitLeftColumn(int y0, int y1) {
    int n = y1 - y0 + 1;
    if (n < 3) return;
    int mid = (y0 + y1) / 2;
    SetMidpoint(At(0, mid), At(0, y0), At(0, y1), n);
    SplitLeftColumn(y0, mid);
    SplitLeftColumn(mid, y1);
  }

  // A rectangle with its corners set: the midpoints of its edges, its centre,
  // then the parts. A side too short to split leaves the split to the other.
  void SplitRectangle(int x0, int y0, int x1, int y1) {
    int across = x1 - x0 + 1, down = y1 - y0 + 1;
    bool splitX = across >= 3, splitY = down >= 3;
    if (!splitX && !splitY) return;
    int mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
    if (splitX) {
      SetMidpoint(At(mx, y0), At(x0, y0), At(x1, y0), across);
      SetMidpoint(At(mx, y1), At(x0, y1), At(x1, y1), across);
    }
    if (splitY) {
      SetMidpoint(At(x0, my), At(x0, y0), At(x0, y1), down);
      SetMidpoint(At(x1, my), At(x1, y0), At(x1, y1), down);
    }
    if (splitX && splitY) {
      if (At(mx, my) == 0) {
        int m = std::min(across, down);
        int average = (At(x0, y0) + At(x1, y0) + At(x0, y1) + At(x1, y1)) / 4;
        At(mx, my) = Clamp(average - m / 2 + m_random() % m);
      }
      SplitRectangle(x0, y0, mx, my);
      SplitRectangle(mx, y0, x1, my);
      SplitRectangle(x0, my, mx, y1);
      SplitRectangle(mx, my, x1, y1);
    } else if (splitX) {
      SplitRectangle(x0, y0, mx, y1);
      SplitRectangle(mx, y0, x1, y1);
    } else {
      SplitRectangle(x0, y0, x1, my);
      SplitRectangle(x0, my, x1, y1);
    }
  }

  int m_w, m_h;
  int (*m_random)();
  std::vector<uint8_t> m_values;
};

int StandardRandom() { return std::rand(); }

}  // namespace

void MakeClouds(int width, int height, int r, int g, int b, std::vector<uint8_t>& rgba, int (*random)()) {
  rgba.assign(static_cast<size_t>(width) * height * 4, 0);
  if (width <= 0 || height <= 0) return;
  CloudGrid grid(width, height, random ? random : StandardRandom);
  grid.Generate();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int v = grid.At(x, y);
      uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
      p[0] = static_cast<uint8_t>(v * r / 255);
      p[1] = static_cast<uint8_t>(v * g / 255);
      p[2] = static_cast<uint8_t>(v * b / 255);
    }
  }
}
