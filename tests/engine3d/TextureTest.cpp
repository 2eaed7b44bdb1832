// Image reading into upload-ready pixels: every surface layout the image
// library hands back, PNG files of each colour type, and the texture's own
// buffers. No display: nothing is uploaded.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "engine3d/GLContext.h"
#include "engine3d/Texture.h"
#include "tests/engine3d/ModelFixtures.h"
#include "tests/support/TestFiles.h"

using namespace testsupport;

namespace {

struct SurfaceHolder {
  explicit SurfaceHolder(SDL_Surface* s) : surface(s) {}
  ~SurfaceHolder() { SDL_FreeSurface(surface); }
  SDL_Surface* surface;
};

void PutPixel(SDL_Surface* s, int x, int y, uint32_t value) {
  uint8_t* at = static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
  std::memcpy(at, &value, s->format->BytesPerPixel);  // little-endian machine
}

std::vector<uint8_t> Pixel(const ImagePixels& image, int x, int y) {
  const uint8_t* p = &image.bytes[(static_cast<size_t>(y) * image.width + x) * image.bytesPerPixel];
  return std::vector<uint8_t>(p, p + image.bytesPerPixel);
}

}  // namespace

TEST(SurfacePixels, PaletteImagesBecomeRgbWithOrWithoutAColourKey) {
  // Width 3: each 8-bit row is padded to 4 bytes.
  SurfaceHolder image(SDL_CreateRGBSurface(SDL_SWSURFACE, 3, 2, 8, 0, 0, 0, 0));
  ASSERT_NE(image.surface, nullptr);
  ASSERT_EQ(image.surface->pitch, 4);
  SDL_Color colours[2] = {{10, 20, 30, 0}, {200, 100, 50, 0}};
  SDL_SetColors(image.surface, colours, 0, 2);
  image.surface->format->palette->ncolors = 2;
  const uint8_t indices[2][3] = {{0, 1, 0}, {1, 1, 7}};  // 7 lies past the palette
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) PutPixel(image.surface, x, y, indices[y][x]);
  ImagePixels out;
  ASSERT_TRUE(PixelsFromSurface(image.surface, out));
  EXPECT_EQ(out.bytesPerPixel, 3);
  EXPECT_EQ(out.bytes.size(), 18u);
  EXPECT_EQ(Pixel(out, 1, 0), (std::vector<uint8_t>{200, 100, 50}));
  EXPECT_EQ(Pixel(out, 0, 1), (std::vector<uint8_t>{200, 100, 50}));
  EXPECT_EQ(Pixel(out, 2, 1), (std::vector<uint8_t>{0, 0, 0}));

  SDL_SetColorKey(image.surface, SDL_SRCCOLORKEY, 1);
  ImagePixels keyed;
  ASSERT_TRUE(PixelsFromSurface(image.surface, keyed));
  EXPECT_EQ(keyed.bytes, out.bytes);
  EXPECT_EQ(keyed.bytesPerPixel, 3);
}

TEST(SurfacePixels, EveryPixelLayoutIsReadRowByRowIntoRgbOrRgba) {
  struct Case {
    const char* what;
    int width, height, bits;
    uint32_t masks[4];
    int pitch;
    std::vector<uint32_t> pixels;  // row by row
    int bytesPerPixel;
    std::vector<uint8_t> expected;
  };
  const Case cases[] = {
      {"5-6-5, padded", 3, 1, 16, {0xF800, 0x07E0, 0x001F, 0}, 8, {0xF800, 0x07FF, (16 << 11) | (32 << 5) | 8}, 3,
       {255, 0, 0, 0, 255, 255, 132, 130, 66}},
      {"4-4-4-4 keeps its alpha", 1, 1, 16, {0x0F00, 0x00F0, 0x000F, 0xF000}, 4, {0x8F05}, 4, {255, 0, 85, 136}},
      {"B, G, R in memory, rows of 15 bytes padded to 16", 5, 2, 24, {0xFF0000, 0x00FF00, 0x0000FF, 0}, 16,
       {0x000007, 0x280007, 0x500007, 0x780007, 0xA00007, 0x006407, 0x286407, 0x506407, 0x786407, 0xA06407}, 3,
       {0, 0, 7, 40, 0, 7, 80, 0, 7, 120, 0, 7, 160, 0, 7, 0, 100, 7, 40, 100, 7, 80, 100, 7, 120, 100, 7, 160, 100, 7}},
      {"32 bits with alpha", 2, 1, 32, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 8, {0, 0x80102030}, 4,
       {0, 0, 0, 0, 0x10, 0x20, 0x30, 0x80}},
      {"32 bits without alpha", 1, 1, 32, {0xFF0000, 0xFF00, 0xFF, 0}, 4, {0xFF102030}, 3, {0x10, 0x20, 0x30}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SurfaceHolder image(SDL_CreateRGBSurface(SDL_SWSURFACE, c.width, c.height, c.bits, c.masks[0], c.masks[1],
                                             c.masks[2], c.masks[3]));
    ASSERT_EQ(image.surface->pitch, c.pitch);
    for (size_t i = 0; i < c.pixels.size(); ++i)
      PutPixel(image.surface, static_cast<int>(i) % c.width, static_cast<int>(i) / c.width, c.pixels[i]);
    ImagePixels out;
    ASSERT_TRUE(PixelsFromSurface(image.surface, out));
    EXPECT_EQ(out.bytesPerPixel, c.bytesPerPixel);
    EXPECT_EQ(out.bytes, c.expected);
  }
}

TEST(SurfacePixels, UnreadableSurfacesAreRefused) {
  ImagePixels out;
  EXPECT_FALSE(PixelsFromSurface(nullptr, out));
  SurfaceHolder image(SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 24, 0xFF, 0xFF00, 0xFF0000, 0));
  image.surface->pitch = 11;  // shorter than a row
  EXPECT_FALSE(PixelsFromSurface(image.surface, out));
  image.surface->pitch = 12;
  image.surface->w = 0;
  EXPECT_FALSE(PixelsFromSurface(image.surface, out));
  image.surface->w = 4;
  EXPECT_TRUE(PixelsFromSurface(image.surface, out));
}

TEST(ImageFiles, EachPngColourTypeLoadsAsRgbOrRgba) {
  TempDir dir;
  const std::vector<uint8_t> palette = {255, 0, 0, 0, 0, 255, 9, 9, 9};
  ASSERT_TRUE(fixtures::WritePalettePng(dir / "palette.png", 3, 1, palette, {0, 1, 2}));
  ASSERT_TRUE(fixtures::WritePalettePng(dir / "keyed.png", 3, 1, palette, {0, 1, 2}, 1));
  ASSERT_TRUE(fixtures::WritePng(dir / "grey.png", 2, 1, 1, {0, 200}));
  ASSERT_TRUE(fixtures::WritePng(dir / "greyalpha.png", 1, 1, 2, {50, 60}));
  ASSERT_TRUE(fixtures::WritePng(dir / "rgba.png", 3, 1, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  const std::tuple<const char*, int, std::vector<uint8_t>> cases[] = {
      {"palette.png", 3, palette}, {"keyed.png", 3, palette}, {"grey.png", 3, {0, 0, 0, 200, 200, 200}},
      {"greyalpha.png", 4, {50, 50, 50, 60}}, {"rgba.png", 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}};
  for (const auto& [file, bytesPerPixel, bytes] : cases) {
    ImagePixels out;
    ASSERT_EQ(ReadImagePixels((dir / file).c_str(), out), 1) << file;
    EXPECT_EQ(out.bytesPerPixel, bytesPerPixel) << file;
    EXPECT_EQ(out.bytes, bytes) << file;
  }
}

// Only PNG is a texture, whatever the name says, and a picture too large
// is refused from its header, before the decoder allocates it.
TEST(ImageFiles, TexturesArePngOfAReasonableSizeOnly) {
  TempDir dir;
  const std::string gif("GIF89a\x01\0\x01\0\x80\0\0\0\0\0\xff\xff\xff!\xf9\x04\x01\0\0\0\0,\0\0\0\0\x01\0\x01\0\0\x02\x02D\x01\0;",
                        43);
  ASSERT_TRUE(WriteFile(dir / "gif.png", gif));
  ASSERT_TRUE(fixtures::WritePng(dir / "huge.png", 4100, 4100, 1, std::vector<uint8_t>(4100 * 4100, 7)));
  ASSERT_TRUE(fixtures::WritePng(dir / "fine.png", 4, 4, 1, std::vector<uint8_t>(16, 7)));
  ImagePixels out;
  CapturedStream err(2);
  EXPECT_EQ(ReadImagePixels((dir / "gif.png").c_str(), out), 0);
  EXPECT_EQ(ReadImagePixels((dir / "huge.png").c_str(), out), 0);
  EXPECT_EQ(ReadImagePixels((dir / "fine.png").c_str(), out), 1);
  // Page pictures are BMP, and only BMP.
  const std::string png = ReadFile(dir / "fine.png");
  EXPECT_EQ(DecodeImage(reinterpret_cast<const uint8_t*>(png.data()), png.size(), ImageKind::kBmp), nullptr);
}

TEST(ImageFiles, UnreadableFilesGiveTheTextureMessage) {
  TempDir dir;
  ASSERT_TRUE(WriteFile(dir / "junk.png", "not an image at all"));
  Texture texture;
  CapturedStream err(2);
  EXPECT_EQ(texture.Load((dir / "junk.png").c_str()), 0);
  EXPECT_EQ(texture.Load("data\\gfx\\2d\\none.png"), 0);
  EXPECT_EQ(err.Text(), "Couldn't load texture " + dir.Path() + "/junk.png\nCouldn't load texture data\\gfx\\2d\\none.png\n");
  EXPECT_TRUE(texture.pixels.empty());
}

TEST(Textures, BackslashPathsAreNativeAndPixelsWaitForAContext) {
  TempDir dir;
  ASSERT_TRUE(fixtures::WritePng(dir / "a.png", 2, 2, 4, fixtures::Solid(2, 2, {1, 2, 3, 4})));
  Texture texture;
  const std::string windowsStyle = dir.Path() + "\\a.png";
  ASSERT_EQ(texture.Load(windowsStyle.c_str()), 1);
  EXPECT_EQ(texture.fileName, windowsStyle);
  EXPECT_TRUE(texture.HasAlpha());
  // Without a GL context the pixels wait for a later upload.
  ASSERT_EQ(g_gl.open, 0);
  EXPECT_EQ(texture.Upload(), 0);
  EXPECT_EQ(texture.pixels.size(), 16u);
}

TEST(ImageFiles, TruncatedImagesFailWithoutHanging) {
  TempDir dir;
  const std::vector<uint8_t> palette = {255, 0, 0, 0, 0, 255, 9, 9, 9};
  std::vector<uint8_t> indices(16 * 16);
  for (size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<uint8_t>(i % 3);
  ASSERT_TRUE(fixtures::WritePalettePng(dir / "whole.png", 16, 16, palette, indices, 1));
  const std::string file = ReadFile(dir / "whole.png");
  const std::vector<uint8_t> bytes(file.begin(), file.end());
  // Every cut ends in a failure (or, near the end, a picture): never a hang.
  int refused = 0;
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    ImagePixels out;
    CapturedStream err(2);
    if (!DecodeImagePixels("cut.png", bytes.data(), cut, out)) ++refused;
  }
  EXPECT_GT(refused, static_cast<int>(bytes.size()) / 2);
  ImagePixels whole;
  ASSERT_EQ(DecodeImagePixels("whole.png", bytes.data(), bytes.size(), whole), 1);
  EXPECT_EQ(whole.width, 16);
}
