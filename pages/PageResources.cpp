// The fonts and bitmaps a page script names: TrueType faces opened at their
// size and style, images read and converted to RGBA, cloud pictures generated.
#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <string>

#include "base/CUString.h"
#include "base/FileAccess.h"
#include "engine3d/Texture.h"
#include "pages/Clouds.h"
#include "pages/PageScript.h"

namespace {

// Page pictures are at most a few screens; far larger files are refused.
constexpr size_t kMaxImageBytes = 64 * 1024 * 1024;
constexpr int kMaxImageSide = 4096;
// All the bitmaps of one page together: sixteen screens' worth.
constexpr size_t kMaxPagePixels = 16u * 1024u * 1024u;

int OpenFont(PageFont& font, const std::string& path) {
  font.face = TTF_OpenFont(NativePath(path.c_str()).c_str(), font.size);
  if (!font.face) {
    std::fprintf(stderr, "Couldn't open page font %s\n", path.c_str());
    return 0;
  }
  int style = font.style == 1 ? TTF_STYLE_BOLD : font.style == 2 ? TTF_STYLE_ITALIC : TTF_STYLE_NORMAL;
  TTF_SetFontStyle(font.face, style);
  return 1;
}

int ReadImage(PageBitmap& bitmap, const std::string& path) {
  std::vector<uint8_t> bytes;
  ImagePixels image;
  bool ok = ReadFileBytes(path.c_str(), kMaxImageBytes, bytes) == FileRead::kOk;
  if (ok) {
    SDL_Surface* surface = DecodeImage(bytes.data(), bytes.size(), ImageKind::kBmp, kMaxImageSide);
    ok = surface && PixelsFromSurface(surface, image);
    if (surface) SDL_FreeSurface(surface);
  }
  if (!ok) {
    std::fprintf(stderr, "Couldn't load page bitmap %s\n", path.c_str());
    return 0;
  }
  bitmap.width = image.width;
  bitmap.height = image.height;
  const size_t count = static_cast<size_t>(image.width) * image.height;
  bitmap.pixels.assign(count * 4, 0);
  for (size_t p = 0; p < count; ++p) {
    const uint8_t* source = &image.bytes[p * image.bytesPerPixel];
    uint8_t* target = &bitmap.pixels[p * 4];
    target[0] = source[0];
    target[1] = source[1];
    target[2] = source[2];
    target[3] = image.bytesPerPixel == 4 ? source[3] : 255;
  }
  return 1;
}

}  // namespace

int LoadPageResources(PageDescription& page, const char* directory) {
  int ok = 1;
  for (PageFont& font : page.fonts)
    if (!OpenFont(font, std::string(directory) + font.fileName)) ok = 0;
  size_t pixels = 0;
  for (PageBitmap& bitmap : page.bitmaps) {
    if (bitmap.kind == kBitmapClouds) {
      if (pixels + static_cast<size_t>(bitmap.width) * bitmap.height <= kMaxPagePixels)
        MakeClouds(bitmap.width, bitmap.height, bitmap.cloudColor[0], bitmap.cloudColor[1], bitmap.cloudColor[2],
                   bitmap.pixels);
    } else if (!ReadImage(bitmap, std::string(directory) + bitmap.fileName)) {
      ok = 0;
      continue;
    }
    pixels += static_cast<size_t>(bitmap.width) * bitmap.height;
    if (pixels > kMaxPagePixels) {
      std::fprintf(stderr, "Page bitmaps too large at %s\n", CUString(bitmap.name.data(), bitmap.name.size()).LowBytes().c_str());
      return 0;
    }
  }
  return ok;
}
