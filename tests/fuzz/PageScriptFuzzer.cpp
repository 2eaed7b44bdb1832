// Fuzzes the page script reader with whole script files (UTF-16 little-endian
// bytes), and the cloud generator with the sizes the scripts ask for.
#include <cstddef>
#include <cstdint>
#include <string>

#include "pages/Clouds.h"
#include "pages/PageScript.h"

namespace {
int FixedRandom() {
  static unsigned state = 1;
  state = state * 1103515245u + 12345u;
  return static_cast<int>((state >> 16) & 0x7FFF);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string units(size / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  std::unique_ptr<PageDescription> page = ReadPageScript(units.data(), units.size());
  std::vector<uint8_t> pixels;
  for (const PageBitmap& bitmap : page->bitmaps)
    if (bitmap.kind == kBitmapClouds && bitmap.width * bitmap.height <= 128 * 128)
      MakeClouds(bitmap.width, bitmap.height, bitmap.cloudColor[0], bitmap.cloudColor[1], bitmap.cloudColor[2], pixels,
                 FixedRandom);
  return 0;
}
