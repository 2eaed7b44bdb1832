// Helpers of the page tests: scripts from UTF-8 text, pages built by hand.
#pragma once

#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <string>

#include "base/CUString.h"
#include "pages/PageCompose.h"
#include "pages/PageScript.h"

namespace pagetest {

inline std::unique_ptr<PageDescription> Parse(const std::string& utf8) {
  CUString text = CUString::FromUtf8(utf8);
  return ReadPageScript(text.Data(), text.Length());
}

inline std::u16string U(const char* utf8) {
  CUString text = CUString::FromUtf8(utf8);
  return std::u16string(text.Data(), text.Length());
}

// A w x h bitmap of one colour.
inline PageBitmap Plain(const char* name, int w, int h, uint8_t r, uint8_t g, uint8_t b) {
  PageBitmap bitmap;
  bitmap.name = U(name);
  bitmap.kind = kBitmapFromFile;
  bitmap.width = w;
  bitmap.height = h;
  bitmap.pixels.assign(static_cast<size_t>(w) * h * 4, 0);
  for (size_t p = 0; p < bitmap.pixels.size(); p += 4) {
    bitmap.pixels[p] = r;
    bitmap.pixels[p + 1] = g;
    bitmap.pixels[p + 2] = b;
  }
  return bitmap;
}

inline PageElement Element(int kind, const char* name, int x, int y) {
  PageElement e;
  e.kind = kind;
  e.name = U(name);
  e.x = x;
  e.y = y;
  return e;
}

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
inline std::ostream& operator<<(std::ostream& out, const Rgb& c) { return out << "(" << c.r << "," << c.g << "," << c.b << ")"; }

inline Rgb At(const PageImage& image, int x, int y) {
  const uint8_t* p = &image[(static_cast<size_t>(y) * kPageWidth + x) * 4];
  return {p[0], p[1], p[2]};
}

// The TrueType library for the tests that render text.
class WithFonts : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(TTF_Init(), 0); }
  static void TearDownTestSuite() { TTF_Quit(); }
};

}  // namespace pagetest
