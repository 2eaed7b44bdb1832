#include "tests/support/Image.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>

namespace testsupport {

Rgb Image::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return {0, 0, 0};
  const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
  return {p[0], p[1], p[2]};
}

Rgb Image::Mean(int x, int y, int w, int h) const {
  long sum[3] = {0, 0, 0};
  long count = 0;
  for (int j = std::max(0, y); j < std::min(height, y + h); ++j)
    for (int i = std::max(0, x); i < std::min(width, x + w); ++i) {
      Rgb p = At(i, j);
      sum[0] += p.r;
      sum[1] += p.g;
      sum[2] += p.b;
      ++count;
    }
  if (!count) return {0, 0, 0};
  return {static_cast<uint8_t>(sum[0] / count), static_cast<uint8_t>(sum[1] / count),
          static_cast<uint8_t>(sum[2] / count)};
}

int Image::CountLit(int threshold) const {
  int lit = 0;
  for (size_t i = 0; i + 2 < rgb.size(); i += 3)
    if (rgb[i] > threshold || rgb[i + 1] > threshold || rgb[i + 2] > threshold) ++lit;
  return lit;
}

int Image::Count(int x, int y, int w, int h, const std::function<bool(Rgb)>& test) const {
  int count = 0;
  for (int j = std::max(0, y); j < std::min(height, y + h); ++j)
    for (int i = std::max(0, x); i < std::min(width, x + w); ++i) count += test(At(i, j));
  return count;
}

int Image::CountDifferent(const Image& other, int x, int y, int w, int h) const {
  int count = 0;
  for (int j = std::max(0, y); j < std::min({height, other.height, y + h}); ++j)
    for (int i = std::max(0, x); i < std::min({width, other.width, x + w}); ++i) {
      const Rgb p = At(i, j), q = other.At(i, j);
      if (std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 60) ++count;
    }
  return count;
}

bool Image::SaveBmp(const std::string& path) const {
  if (Empty()) return false;
  SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0);
  if (!surface) return false;
  for (int y = 0; y < height; ++y)
    std::copy(&rgb[static_cast<size_t>(y) * width * 3], &rgb[static_cast<size_t>(y + 1) * width * 3],
              static_cast<uint8_t*>(surface->pixels) + y * surface->pitch);
  bool ok = SDL_SaveBMP(surface, path.c_str()) == 0;
  SDL_FreeSurface(surface);
  return ok;
}

Image Image::LoadBmp(const std::string& path) {
  Image image;
  SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
  if (!loaded) return image;
  SDL_PixelFormat format = {};
  format.BitsPerPixel = 24;
  format.BytesPerPixel = 3;
  format.Rmask = 0x0000FF;
  format.Gmask = 0x00FF00;
  format.Bmask = 0xFF0000;
  format.Gshift = 8;
  format.Bshift = 16;
  SDL_Surface* converted = SDL_ConvertSurface(loaded, &format, SDL_SWSURFACE);
  SDL_FreeSurface(loaded);
  if (!converted) return image;
  image.width = converted->w;
  image.height = converted->h;
  image.rgb.resize(static_cast<size_t>(image.width) * image.height * 3);
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* row = static_cast<const uint8_t*>(converted->pixels) + y * converted->pitch;
    std::copy(row, row + image.width * 3, &image.rgb[static_cast<size_t>(y) * image.width * 3]);
  }
  SDL_FreeSurface(converted);
  return image;
}

}  // namespace testsupport
