// The TEXTE element: text rendered at twice its shown size into a coverage
// mask, optionally grown into an outline, then averaged down two by two onto
// the page with a straight or wavy vertical gradient.
#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>

#include "pages/PageCompose.h"

namespace {

constexpr uint8_t kOutlineValue = 128;
// Two degrees in radians per output column: the period of the wavy gradient.
constexpr double kWaveStep = 0.03490655555555556;
constexpr int kWaveHeight = 7;

struct Mask {
  int width = 0, height = 0;
  std::vector<uint8_t> values;
  uint8_t At(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
};

// The rendered text's alpha, framed by o columns each side, o rows above and
// 7o below (room for the outline and the descent of the shadow).
bool RenderMask(const PageFont& font, const std::u16string& text, int o, Mask& mask) {
  if (text.empty()) return false;
  SDL_Color white = {255, 255, 255, 0};
  SDL_Surface* surface = TTF_RenderUNICODE_Blended(font.face, reinterpret_cast<const Uint16*>(text.c_str()), white);
  if (!surface) return false;
  const int tw = surface->w, th = surface->h;
  mask.width = tw + 2 * o;
  mask.height = th + 8 * o;
  mask.values.assign(static_cast<size_t>(mask.width) * mask.height, 0);
  SDL_LockSurface(surface);
  const SDL_PixelFormat* format = surface->format;
  for (int y = 0; y < th; ++y) {
    const uint8_t* row = static_cast<const uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch;
    for (int x = 0; x < tw; ++x) {
      uint32_t pixel;
      std::copy_n(row + static_cast<size_t>(x) * 4, 4, reinterpret_cast<uint8_t*>(&pixel));
      mask.values[static_cast<size_t>(y + o) * mask.width + x + o] = static_cast<uint8_t>((pixel & format->Amask) >> format->Ashift);
    }
  }
  SDL_UnlockSurface(surface);
  SDL_FreeSurface(surface);
  return true;
}

// One step of the outline: full coverage stays, anything touching coverage
// becomes the outline, the rest clears.
void GrowOutline(Mask& mask) {
  std::vector<uint8_t> grown(mask.values.size(), 0);
  for (int y = 1; y + 1 < mask.height; ++y) {
    for (int x = 1; x + 1 < mask.width; ++x) {
      uint8_t v = mask.At(x, y);
      bool touched = mask.At(x - 1, y) || mask.At(x + 1, y) || mask.At(x, y - 1) || mask.At(x, y + 1);
      grown[static_cast<size_t>(y) * mask.width + x] = v == 255 ? 255 : touched ? kOutlineValue : 0;
    }
  }
  mask.values.swap(grown);
}

}  // namespace

void DrawPageText(PageImage& image, const PageFont& font, int x, int y, const std::u16string& text, bool shadowMode) {
  const int o = font.outline;
  Mask mask;
  if (!font.face || !RenderMask(font, text, o, mask)) return;
  for (int pass = 0; pass < o; ++pass) GrowOutline(mask);
  const int outWidth = mask.width / 2, outHeight = mask.height / 2;
  for (int r = 0; r < outHeight; ++r) {
    const int py = y + r;
    if (py < 0 || py >= kPageHeight) continue;
    for (int c = 0; c < outWidth; ++c) {
      const int px = x + c;
      if (px < 0 || px >= kPageWidth) continue;
      int q = r;
      if (font.gradient == kGradientWavy)
        q = std::max(0, std::min(static_cast<int>(std::trunc(std::sin(c * kWaveStep) * kWaveHeight + r)), outHeight));
      uint8_t* p = &image[(static_cast<size_t>(py) * kPageWidth + px) * 4];
      int sum[3] = {0, 0, 0};
      for (int s = 0; s < 4; ++s) {
        const uint8_t v = mask.At(2 * c + (s & 1), 2 * r + (s >> 1));
        for (int k = 0; k < 3; ++k) {
          if (v == 0)
            sum[k] += p[k];
          else if (shadowMode)
            sum[k] += p[k] / 2;
          else if (v == kOutlineValue)
            sum[k] += 0;
          else
            sum[k] += font.first[k] + (font.second[k] - font.first[k]) * q / (outHeight + 1);
        }
      }
      for (int k = 0; k < 3; ++k) p[k] = static_cast<uint8_t>(sum[k] / 4);
    }
  }
}
