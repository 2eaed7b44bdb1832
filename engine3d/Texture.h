// One OpenGL 2D texture and the pixels it is made from, and the image reading
// behind it. The pixels live from Load or Create until the upload, which frees
// them; a texture is uploaded once.
//
//   Texture t;
//   if (t.Load("data/gfx/2d/pointeur.png")) t.Upload();
//   ... glBindTexture(GL_TEXTURE_2D, t.glName) ...
//
// Without an open GL context (g_gl.open 0, as in the command-line
// tools) Upload keeps the pixels and returns 0, so models can be loaded and
// checked without a display.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <string>
#include <vector>

struct SDL_Surface;

// The process-wide mip-mapping switch: textures installed in materials while
// it is on are uploaded with mip-maps. The game sets it from its settings;
// the menu turns it off around its own objects. On at start.
void SetMipmapping(bool on);
bool Mipmapping();

// Largest width or height an image may have; bigger ones are refused.
constexpr int kMaxTextureSide = 16384;
// Largest picture in pixels (64 MB as RGBA), far above the game's own art.
constexpr int64_t kMaxImagePixels = 4096 * 4096;

// Pixels as a texture uploads them: rows from the top, no padding, R G B or
// R G B A bytes.
struct ImagePixels {
  std::vector<uint8_t> bytes;
  int width = 0;
  int height = 0;
  int bytesPerPixel = 0;  // 3 or 4
};

// Converts any surface the image library returns (palette, 16, 24 or 32 bits,
// padded rows, any channel masks) into RGB, or RGBA when the surface has an
// alpha channel or a colour key. Returns false for surfaces it cannot read
// (no pixels, a pitch shorter than a row, a size out of range).
bool PixelsFromSurface(SDL_Surface* surface, ImagePixels& out);

// The formats of the game's images: PNG textures, BMP page pictures.
enum class ImageKind { kPng, kBmp };
// Decodes an image file image of that kind only. Its size is read from the
// header first: a picture wider or taller than maxSide, or of more than
// kMaxImagePixels, is refused before anything is decoded. Reads past the end of the bytes see zeros. Null when
// unreadable or refused.
SDL_Surface* DecodeImage(const uint8_t* bytes, size_t size, ImageKind kind = ImageKind::kPng,
                         int maxSide = kMaxTextureSide);
// Decodes and converts. Returns 1, or 0 after "Couldn't load texture %s\n"
// (path names the image) or "Bad Texture format\n".
int DecodeImagePixels(const char* path, const uint8_t* bytes, size_t size, ImagePixels& out);
// Reads an image file (through NativePath) and decodes it as above.
int ReadImagePixels(const char* path, ImagePixels& out);

class Texture {
 public:
  Texture() = default;
  virtual ~Texture();
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;

  // Frees the pixels, deletes the GL texture and restores every default.
  void Reset();
  // Returns 1 or 0 (with the image reader's message).
  int Load(const char* path);
  // A zero-filled buffer of 16, 24 or 32 bits per pixel for pictures the game
  // paints itself; 16-bit pixels are 5-6-5 packed words. Other bit counts and
  // sizes allocate nothing. Returns whether a buffer exists.
  bool Create(int width, int height, int bits);
  // Returns 1 when the pixels went to GL; 0 without pixels or without context.
  // A picture larger than the driver's maximum texture size is halved until
  // it fits.
  int Upload();
  // Stores both filters and sets them at once on an existing GL texture.
  void SetFilters(GLint minification, GLint magnification);

  bool HasName() const { return glName != -1; }
  bool HasAlpha() const { return pixelFormat == GL_RGBA; }

  std::vector<uint8_t> pixels;
  int width = 0;
  int height = 0;
  int bytesPerPixel = 0;
  GLint glName = -1;
  GLint wrapS = GL_REPEAT;
  GLint wrapT = GL_REPEAT;
  GLint envMode = GL_MODULATE;
  GLenum pixelFormat = GL_RGB;
  GLint internalFormat = GL_RGB8;
  GLint minFilter = GL_LINEAR;
  GLint magFilter = GL_LINEAR;
  int mipmap = 0;
  std::string fileName;

 private:
  void SetFormats();
  void FitMaximumSize();
};
