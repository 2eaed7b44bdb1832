// Fuzzes the conversion of image surfaces into texture pixels: PNG data
// decoded by the image library, and surfaces of any layout the library could
// hand back (palettes, 8 to 32 bits, padded rows, odd masks, colour keys).
#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine3d/Texture.h"

namespace {

void CheckPixels(SDL_Surface* surface) {
  ImagePixels pixels;
  if (!PixelsFromSurface(surface, pixels)) return;
  if (pixels.bytes.size() != static_cast<size_t>(pixels.width) * pixels.height * pixels.bytesPerPixel) std::abort();
}

// Header: width, height, depth code, row padding, flags, four masks, colour
// key, palette size and colours; the rest is pixel data.
void FuzzSurface(const uint8_t* data, size_t size) {
  if (size < 27) return;
  static const int kDepths[5] = {8, 15, 16, 24, 32};
  const int width = 1 + data[0] % 64, height = 1 + data[1] % 64;
  const int depth = kDepths[data[2] % 5];
  const int bytesPerPixel = (depth + 7) / 8;
  const int pitch = width * bytesPerPixel + data[3] % 8;
  const uint8_t flags = data[4];
  uint32_t masks[4], key;
  std::memcpy(masks, data + 5, 16);
  std::memcpy(&key, data + 21, 4);
  if (!(flags & 2)) masks[3] = 0;
  size_t at = 25;
  const int paletteSize = data[at++];
  std::vector<SDL_Color> palette;
  for (int i = 0; i < paletteSize && at + 3 <= size; ++i, at += 3)
    palette.push_back(SDL_Color{data[at], data[at + 1], data[at + 2], 0});
  std::vector<uint8_t> pixels(static_cast<size_t>(pitch) * height, 0);
  std::memcpy(pixels.data(), data + at, std::min(pixels.size(), size - at));

  SDL_Surface* surface = SDL_CreateRGBSurfaceFrom(pixels.data(), width, height, depth, pitch, masks[0], masks[1],
                                                  masks[2], masks[3]);
  if (!surface) return;
  if (depth == 8 && surface->format->palette) {
    if (!palette.empty()) SDL_SetColors(surface, palette.data(), 0, static_cast<int>(palette.size()));
    surface->format->palette->ncolors = static_cast<int>(palette.size());
  }
  if (flags & 1) SDL_SetColorKey(surface, SDL_SRCCOLORKEY, key);
  CheckPixels(surface);
  SDL_FreeSurface(surface);
}

}  // namespace

// PNG files (the game's textures make good seeds) go through the game's
// decoding path; anything else describes a surface. Other formats would only
// fuzz the image library's own decoders.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4 || std::memcmp(data, "\x89PNG", 4) != 0) {
    FuzzSurface(data, size);
    return 0;
  }
  SDL_Surface* image = DecodeImage(data, size);
  if (image) {
    CheckPixels(image);
    SDL_FreeSurface(image);
  }
  return 0;
}
