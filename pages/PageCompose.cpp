// The page composer's elements: tiled, stretched and placed bitmaps, soft
// boxes and shadows, and the whole-page ripple and emboss effects.
#include "pages/PageCompose.h"

#include <algorithm>
#include <cmath>

#include "base/Math.h"

namespace {

constexpr int W = kPageWidth;
constexpr int H = kPageHeight;

uint8_t* PixelAt(PageImage& image, int x, int y) { return &image[(static_cast<size_t>(y) * W + x) * 4]; }
const uint8_t* BitmapPixel(const PageBitmap& bitmap, int x, int y) {
  return &bitmap.pixels[(static_cast<size_t>(y) * bitmap.width + x) * 4];
}
bool Usable(const PageBitmap* bitmap) {
  return bitmap && bitmap->width > 0 && bitmap->height > 0 &&
         bitmap->pixels.size() >= static_cast<size_t>(bitmap->width) * bitmap->height * 4;
}
int ClampInt(int value, int low, int high) { return std::max(low, std::min(value, high)); }
double ClampDouble(double value, double low, double high) { return std::max(low, std::min(value, high)); }

// The soft-edge weight of pixel (i, j) of a w x h box with radius r: 0 at the
// corners, 1 from r pixels inside the edges (a radius of 0 gives a hard box).
float EdgeWeight(int i, int j, int w, int h, int r) {
  if (r <= 0) return 1.0f;
  float area = static_cast<float>((std::min(j + r, h - 1) - std::max(j - r, 0)) * (std::min(i + r, w - 1) - std::max(i - r, 0)));
  float twice = 2.0f * static_cast<float>(r) * static_cast<float>(r);
  return std::max(0.0f, std::min((area - twice) / twice, 1.0f));
}

// Calls paint(page x, page y, box i, box j) for the part of a w x h box at
// (x, y) that lies on the page.
template <class Paint>
void ForBoxOnPage(int x, int y, int w, int h, Paint paint) {
  int i0 = std::max(0, -x), j0 = std::max(0, -y);
  int i1 = std::min(w, W - x), j1 = std::min(h, H - y);
  for (int j = j0; j < j1; ++j)
    for (int i = i0; i < i1; ++i) paint(x + i, y + j, i, j);
}

void DarkenBox(PageImage& image, int x, int y, int w, int h, int radius) {
  ForBoxOnPage(x, y, w, h, [&](int px, int py, int i, int j) {
    float t = EdgeWeight(i, j, w, h, radius);
    float factor = 1.0f - t * t * 0.5f;
    uint8_t* p = PixelAt(image, px, py);
    for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(static_cast<float>(p[c]) * factor);
  });
}

void SetWhite(PageImage& image, int x, int y) {
  if (x < 0 || y < 0 || x >= W || y >= H) return;
  uint8_t* p = PixelAt(image, x, y);
  p[0] = p[1] = p[2] = 255;
}

void Mosaic(PageImage& image, const PageBitmap& bitmap, int ox, int oy) {
  const int bw = bitmap.width, bh = bitmap.height;
  for (int py = 0; py < H; ++py) {
    int sy = ((py + oy) % bh + bh) % bh;
    for (int px = 0; px < W; ++px) {
      int sx = ((px + ox) % bw + bw) % bw;
      std::copy_n(BitmapPixel(bitmap, sx, sy), 3, PixelAt(image, px, py));
    }
  }
}

void Stretch(PageImage& image, const PageBitmap& bitmap, int ox, int oy) {
  const int bw = bitmap.width, bh = bitmap.height;
  const float stepX = static_cast<float>(bw - 1) / static_cast<float>(W);
  const float stepY = static_cast<float>(bh - 1) / static_cast<float>(H);
  // The source columns and fractions are the same on every row.
  std::vector<int> left(W), right(W);
  std::vector<float> across(W);
  float fx = 0.0f;
  for (int px = 0; px < W; ++px, fx += stepX) {
    int column = static_cast<int>(fx) + ox;
    left[px] = ClampInt(column, 0, bw - 1);
    right[px] = ClampInt(column + 1, 0, bw - 1);
    across[px] = fx - std::trunc(fx);
  }
  float fy = 0.0f;
  for (int py = 0; py < H; ++py, fy += stepY) {
    int row = static_cast<int>(fy) + oy;
    const uint8_t* upper = BitmapPixel(bitmap, 0, ClampInt(row, 0, bh - 1));
    const uint8_t* lower = BitmapPixel(bitmap, 0, ClampInt(row + 1, 0, bh - 1));
    const float dy = fy - std::trunc(fy);
    uint8_t* p = PixelAt(image, 0, py);
    for (int px = 0; px < W; ++px, p += 4) {
      const float dx = across[px];
      const uint8_t *a = upper + left[px] * 4, *b = upper + right[px] * 4;
      const uint8_t *c = lower + left[px] * 4, *d = lower + right[px] * 4;
      for (int k = 0; k < 3; ++k) {
        int top = static_cast<int>(a[k] * (1.0f - dx) + b[k] * dx);
        int bottom = static_cast<int>(c[k] * (1.0f - dx) + d[k] * dx);
        p[k] = static_cast<uint8_t>(static_cast<int>(static_cast<float>(top) * (1.0f - dy) + static_cast<float>(bottom) * dy));
      }
    }
  }
}

void PlaceBitmap(PageImage& image, const PageBitmap& bitmap, int x, int y) {
  const int bw = bitmap.width, bh = bitmap.height;
  if (bitmap.shadow) DarkenBox(image, x + 3 * bitmap.shadowDx, y + 3 * bitmap.shadowDy, bw, bh, 6);
  ForBoxOnPage(x, y, bw, bh, [&](int px, int py, int i, int j) {
    std::copy_n(BitmapPixel(bitmap, i, j), 3, PixelAt(image, px, py));
  });
  if (bitmap.outline != 1) return;
  for (int px = x - 1; px <= x + bw; ++px) {
    SetWhite(image, px, y - 1);
    SetWhite(image, px, y + bh);
  }
  for (int py = y; py <= y + bh; ++py) {
    SetWhite(image, x - 1, py);
    SetWhite(image, x + bw, py);
  }
}

void FeatherBitmap(PageImage& image, const PageBitmap& bitmap, int x, int y) {
  const int bw = bitmap.width, bh = bitmap.height;
  const int radius = static_cast<int>(std::sqrt(static_cast<float>(bw) * bw + static_cast<float>(bh) * bh) * 0.1f);
  ForBoxOnPage(x, y, bw, bh, [&](int px, int py, int i, int j) {
    float t = EdgeWeight(i, j, bw, bh, radius);
    float a = t * t;
    const uint8_t* s = BitmapPixel(bitmap, i, j);
    uint8_t* p = PixelAt(image, px, py);
    for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(static_cast<float>(s[c]) * a + static_cast<float>(p[c]) * (1.0f - a));
  });
}

void SoftBox(PageImage& image, const PageElement& e) {
  constexpr int kRadius = 24, kShadowOffset = 16;
  if (e.w <= 0 || e.h <= 0) return;
  DarkenBox(image, e.x + kShadowOffset, e.y + kShadowOffset, e.w, e.h, kRadius);
  const float colour[3] = {static_cast<float>(e.r), static_cast<float>(e.g), static_cast<float>(e.b)};
  ForBoxOnPage(e.x, e.y, e.w, e.h, [&](int px, int py, int i, int j) {
    float t = EdgeWeight(i, j, e.w, e.h, kRadius);
    float a = t * t;
    uint8_t* p = PixelAt(image, px, py);
    for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(static_cast<float>(p[c]) * (1.0f - a) + colour[c] * a);
  });
}

// Wave heights f(x, y) for x from -1 to W and y from -1 to H. The wave is
// round about the page centre, so one quarter of the values serves all four.
class WaveField {
 public:
  WaveField(int amplitude, int frequency) : m_values(static_cast<size_t>(kHalfW + 2) * (kHalfH + 2)) {
    const double radius = std::sqrt(static_cast<double>(kHalfW) * kHalfW + static_cast<double>(kHalfH) * kHalfH);
    for (int dy = 0; dy <= kHalfH + 1; ++dy) {
      for (int dx = 0; dx <= kHalfW + 1; ++dx) {
        double t = std::min(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy) / radius, 1.0);
        m_values[static_cast<size_t>(dy) * (kHalfW + 2) + dx] = (std::sin(frequency * kPi * t) + 1.0) * 0.5 * (1.0 - t) * amplitude;
      }
    }
  }
  double At(int x, int y) const {
    return m_values[static_cast<size_t>(std::abs(y - kHalfH)) * (kHalfW + 2) + std::abs(x - kHalfW)];
  }

 private:
  static constexpr int kHalfW = W / 2;
  static constexpr int kHalfH = H / 2;
  std::vector<double> m_values;
};

void Ripple(PageImage& image, const PageElement& e, bool shaded) {
  const PageImage copy = image;
  const WaveField f(e.wave1, e.wave2);
  for (int py = 0; py < H; ++py) {
    uint8_t* p = PixelAt(image, 0, py);
    for (int px = 0; px < W; ++px, p += 4) {
      double dx = f.At(px + 1, py) - f.At(px - 1, py);
      double dy = f.At(px, py + 1) - f.At(px, py - 1);
      // Truncation toward zero, as the offsets are meant; clamped while
      // still a double, since a steep wave reaches far past any int.
      int sx = static_cast<int>(ClampDouble(px + dx, 0.0, W - 1));
      int sy = static_cast<int>(ClampDouble(py + dy, 0.0, H - 1));
      const uint8_t* s = &copy[(static_cast<size_t>(sy) * W + sx) * 4];
      if (!shaded) {
        p[0] = s[0];
        p[1] = s[1];
        p[2] = s[2];
        continue;
      }
      double scale = 1.0 + std::trunc(dy * e.y + dx * e.x) / 2048.0;
      for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(ClampDouble(s[c] * scale, 0.0, 255.0));
    }
  }
}

void Emboss(PageImage& image, const PageElement& e) {
  std::vector<int> intensity(static_cast<size_t>(W) * H);
  for (size_t i = 0; i < intensity.size(); ++i) {
    const uint8_t* p = &image[i * 4];
    intensity[i] = e.r * p[0] + e.g * p[1] + e.b * p[2];
  }
  const float radius = static_cast<float>(std::max(e.w, 1));
  // The light map of 2W x 2H, looked up where it is needed.
  auto light = [&](int i, int j) {
    float u = static_cast<float>(W / 2 - i + e.x), v = static_cast<float>(H / 2 - j + e.y);
    float t = std::min(std::sqrt(u * u + v * v) / radius, 1.0f);
    return std::min(static_cast<int>((1.0f - t) * 300.0f), 255);
  };
  for (int py = 0; py < H; ++py) {
    const int* row = &intensity[static_cast<size_t>(py) * W];
    const int* below = py + 1 < H ? row + W : nullptr;
    uint8_t* p = PixelAt(image, 0, py);
    for (int px = 0; px < W; ++px, p += 4) {
      int i0 = row[px];
      int i1 = px + 1 < W ? row[px + 1] : i0;
      int i2 = below ? below[px] : i1;
      int column = ClampInt(px + W / 2 + i1 - i0, 0, 2 * W - 1);
      int mapRow = ClampInt(py + H / 2 + i2 - i0, 0, 2 * H - 1);
      float l = static_cast<float>(light(column, mapRow)) / 255.0f;
      for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(std::min(static_cast<int>(static_cast<float>(p[c]) * 2.0f * l), 255));
    }
  }
}

void Text(PageImage& image, const PageDescription& page, const PageElement& e) {
  const PageFont* font = page.FindFont(e.name);
  if (!font || !font->face) return;
  if (font->shadow) DrawPageText(image, *font, e.x + font->shadowDx, e.y + font->shadowDy, e.text, true);
  DrawPageText(image, *font, e.x, e.y, e.text, false);
}

}  // namespace

PageImage NewPageImage() { return PageImage(static_cast<size_t>(W) * H * 4, 0); }

PageImage ComposePage(const PageDescription& page) {
  PageImage image = NewPageImage();
  for (const PageElement& e : page.elements) ComposeElement(page, e, image);
  return image;
}

void ComposeElement(const PageDescription& page, const PageElement& e, PageImage& image) {
  {
    const PageBitmap* bitmap = page.FindBitmap(e.name);
    switch (e.kind) {
      case kPageMosaic:
        if (Usable(bitmap)) Mosaic(image, *bitmap, e.x, e.y);
        break;
      case kPageEtirer:
        if (Usable(bitmap)) Stretch(image, *bitmap, e.x, e.y);
        break;
      case kPageBitmap:
        if (Usable(bitmap)) PlaceBitmap(image, *bitmap, e.x, e.y);
        break;
      case kPageFBitmap:
        if (Usable(bitmap)) FeatherBitmap(image, *bitmap, e.x, e.y);
        break;
      case kPageCarreDegrade:
        SoftBox(image, e);
        break;
      case kPageTexte:
        Text(image, page, e);
        break;
      case kPageOnde:
        Ripple(image, e, false);
        break;
      case kPageOndeOmbree:
        Ripple(image, e, true);
        break;
      case kPageEmboss:
        Emboss(image, e);
        break;
    }
  }
}
