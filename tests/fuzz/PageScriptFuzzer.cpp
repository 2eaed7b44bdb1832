// Fuzzes the page script reader with whole script files (UTF-16 little-endian
// bytes), the cloud generator with the sizes the scripts ask for, and the
// composer with the elements read (text needs a font file and is left out).
#include <cstddef>
#include <cstdint>
#include <string>

#include "pages/Clouds.h"
#include "pages/PageCompose.h"
#include "pages/PageScript.h"

namespace {

int FixedRandom() {
  static unsigned state = 1;
  state = state * 1103515245u + 12345u;
  return static_cast<int>((state >> 16) & 0x7FFF);
}

// Small clouds keep the run fast; sizes beyond them are the cloud generator's
// own limits, already clamped by the reader.
constexpr int kCloudPixels = 128 * 128;
// Every element redraws the whole page: a few of them cover every kind.
constexpr size_t kComposedElements = 6;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string units(size / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  std::unique_ptr<PageDescription> page = ReadPageScript(units.data(), units.size());
  for (PageBitmap& bitmap : page->bitmaps)
    if (bitmap.kind == kBitmapClouds && bitmap.width * bitmap.height <= kCloudPixels)
      MakeClouds(bitmap.width, bitmap.height, bitmap.cloudColor[0], bitmap.cloudColor[1], bitmap.cloudColor[2],
                 bitmap.pixels, FixedRandom);
  PageImage image = NewPageImage();
  for (size_t i = 0; i < page->elements.size() && i < kComposedElements; ++i)
    ComposeElement(*page, page->elements[i], image);
  return 0;
}
