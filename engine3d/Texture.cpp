#include "engine3d/Texture.h"

#include <GL/glu.h>
#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstring>

#include "engine3d/EngineMessage.h"
#include "base/FileAccess.h"
#include "engine3d/GLContext.h"
#include "engine3d/LoadSettings.h"

namespace {

// One colour channel of a packed pixel, scaled to 0..255 whatever its width.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t maximum = 0;

  explicit Channel(uint32_t channelMask) : mask(channelMask) {
    if (!mask) return;
    while (!((mask >> shift) & 1u)) ++shift;
    maximum = mask >> shift;
  }
  uint8_t Value(uint32_t pixel, uint8_t absent) const {
    if (!mask) return absent;
    uint64_t v = (pixel & mask) >> shift;
    return static_cast<uint8_t>((v * 255 + maximum / 2) / maximum);
  }
};

uint32_t RawPixel(const uint8_t* at, int bytesPerPixel) {
  switch (bytesPerPixel) {
    case 1: return at[0];
    case 2: {
      uint16_t v;
      std::memcpy(&v, at, 2);
      return v;
    }
    case 3:
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
      return at[0] | (at[1] << 8) | (static_cast<uint32_t>(at[2]) << 16);
#else
      return (static_cast<uint32_t>(at[0]) << 16) | (at[1] << 8) | at[2];
#endif
    default: {
      uint32_t v;
      std::memcpy(&v, at, 4);
      return v;
    }
  }
}

}  // namespace

bool PixelsFromSurface(SDL_Surface* surface, ImagePixels& out) {
  out = ImagePixels{};
  if (!surface || !surface->format || !surface->pixels) return false;
  const SDL_PixelFormat& format = *surface->format;
  const int inBytes = format.BytesPerPixel;
  if (surface->w <= 0 || surface->h <= 0 || surface->w > kMaxTextureSide || surface->h > kMaxTextureSide) return false;
  if (inBytes < 1 || inBytes > 4) return false;
  if (surface->pitch < surface->w * inBytes) return false;
  const SDL_Palette* palette = inBytes == 1 ? format.palette : nullptr;
  if (inBytes == 1 && (!palette || !palette->colors)) return false;

  // Images of one or three bytes a pixel become RGB: a palette image's colour
  // key is not kept (the game's own art never has one; it brings its
  // transparency as an alpha channel).
  const bool alpha = !palette && format.Amask != 0;
  out.width = surface->w;
  out.height = surface->h;
  out.bytesPerPixel = alpha ? 4 : 3;
  out.bytes.resize(static_cast<size_t>(out.width) * out.height * out.bytesPerPixel);

  const Channel red(format.Rmask), green(format.Gmask), blue(format.Bmask), opacity(format.Amask);
  const bool locked = SDL_MUSTLOCK(surface);
  if (locked && SDL_LockSurface(surface) != 0) return false;
  uint8_t* to = out.bytes.data();
  // Row by row: the surface's rows may carry padding that the upload must not see.
  for (int y = 0; y < surface->h; ++y) {
    const uint8_t* row = static_cast<const uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch;
    for (int x = 0; x < surface->w; ++x) {
      const uint32_t raw = RawPixel(row + static_cast<size_t>(x) * inBytes, inBytes);
      uint8_t a = 255;
      if (palette) {
        // Indices past a short palette read as black rather than past its end.
        SDL_Color c = raw < static_cast<uint32_t>(palette->ncolors) ? palette->colors[raw] : SDL_Color{0, 0, 0, 0};
        to[0] = c.r;
        to[1] = c.g;
        to[2] = c.b;
      } else {
        to[0] = red.Value(raw, 0);
        to[1] = green.Value(raw, 0);
        to[2] = blue.Value(raw, 0);
        a = opacity.Value(raw, 255);
      }
      if (out.bytesPerPixel == 4) to[3] = a;
      to += out.bytesPerPixel;
    }
  }
  if (locked) SDL_UnlockSurface(surface);
  return true;
}

namespace {

// A read-only stream over bytes in memory. Reads past the end are filled with
// zeros: the image library's PNG reader ignores short reads, and on a
// truncated file would otherwise parse stale bytes again and again forever.
struct MemoryStream {
  const uint8_t* bytes;
  size_t size;
  size_t at;
};

MemoryStream& StreamOf(SDL_RWops* stream) { return *static_cast<MemoryStream*>(stream->hidden.unknown.data1); }

int StreamSeek(SDL_RWops* stream, int offset, int whence) {
  MemoryStream& m = StreamOf(stream);
  long long position = offset;
  if (whence == RW_SEEK_CUR) position += static_cast<long long>(m.at);
  if (whence == RW_SEEK_END) position += static_cast<long long>(m.size);
  if (position < 0) position = 0;
  if (position > static_cast<long long>(m.size)) position = static_cast<long long>(m.size);
  m.at = static_cast<size_t>(position);
  return static_cast<int>(m.at);
}

int StreamRead(SDL_RWops* stream, void* to, int size, int count) {
  if (size <= 0 || count <= 0) return 0;
  MemoryStream& m = StreamOf(stream);
  const size_t wanted = static_cast<size_t>(size) * static_cast<size_t>(count);
  const size_t got = std::min(wanted, m.size - m.at);
  if (got > 0) std::memcpy(to, m.bytes + m.at, got);
  std::memset(static_cast<uint8_t*>(to) + got, 0, wanted - got);
  m.at += got;
  return static_cast<int>(got / static_cast<size_t>(size));
}

int StreamWrite(SDL_RWops*, const void*, int, int) { return -1; }
int StreamClose(SDL_RWops*) { return 0; }

// Larger files are no texture of the game.
constexpr size_t kMaxImageFileBytes = 64u << 20;

}  // namespace

namespace {

uint32_t BigEndian32(const uint8_t* at) {
  return (static_cast<uint32_t>(at[0]) << 24) | (static_cast<uint32_t>(at[1]) << 16) | (at[2] << 8) | at[3];
}
int32_t LittleEndian32(const uint8_t* at) {
  return static_cast<int32_t>(at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<uint32_t>(at[3]) << 24));
}

// The picture's size as its header gives it, so that a small file cannot
// make the decoder allocate a huge picture. False when the bytes are not of
// that kind.
bool HeaderSize(const uint8_t* bytes, size_t size, ImageKind kind, int64_t& width, int64_t& height) {
  if (kind == ImageKind::kPng) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size < 24 || std::memcmp(bytes, kSignature, 8) != 0 || std::memcmp(bytes + 12, "IHDR", 4) != 0) return false;
    width = BigEndian32(bytes + 16), height = BigEndian32(bytes + 20);
    return true;
  }
  if (size < 26 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  if (LittleEndian32(bytes + 14) == 12) {  // the oldest header: 16-bit sizes
    width = bytes[18] | (bytes[19] << 8), height = bytes[20] | (bytes[21] << 8);
  } else {
    width = LittleEndian32(bytes + 18), height = LittleEndian32(bytes + 22);
    if (height < 0) height = -height;  // rows stored top down
  }
  return true;
}

}  // namespace

SDL_Surface* DecodeImage(const uint8_t* bytes, size_t size, ImageKind kind, int maxSide) {
  int64_t width = 0, height = 0;
  if (!bytes || !HeaderSize(bytes, size, kind, width, height) || width < 1 || height < 1 || width > maxSide ||
      height > maxSide || width * height > kMaxImagePixels)
    return nullptr;
  MemoryStream memory = {bytes, size, 0};
  SDL_RWops stream = {};
  stream.seek = StreamSeek;
  stream.read = StreamRead;
  stream.write = StreamWrite;
  stream.close = StreamClose;
  stream.hidden.unknown.data1 = &memory;
  // Only the decoder of that kind: a file of another format under the name
  // is refused, not decoded by whatever reader recognises it.
  return kind == ImageKind::kPng ? IMG_LoadPNG_RW(&stream) : IMG_LoadBMP_RW(&stream);
}

int DecodeImagePixels(const char* path, const uint8_t* bytes, size_t size, ImagePixels& out) {
  SDL_Surface* image = DecodeImage(bytes, size);
  if (!image) {
    EngineMessage("Couldn't load texture %s\n", path);
    return 0;
  }
  bool ok = PixelsFromSurface(image, out);
  SDL_FreeSurface(image);
  if (!ok) {
    EngineMessage("Bad Texture format\n");
    return 0;
  }
  return 1;
}

int ReadImagePixels(const char* path, ImagePixels& out) {
  std::vector<uint8_t> bytes;
  if (ReadFileBytes(path, kMaxImageFileBytes, bytes) != FileRead::kOk) {
    EngineMessage("Couldn't load texture %s\n", path);
    return 0;
  }
  return DecodeImagePixels(path, bytes.data(), bytes.size(), out);
}

void SetMipmapping(bool on) { g_loads.mipmapping = on; }
bool Mipmapping() { return g_loads.mipmapping; }

Texture::~Texture() { Reset(); }

void Texture::Reset() {
  pixels.clear();
  pixels.shrink_to_fit();
  if (glName != -1 && g_gl.open) {
    GLuint name = static_cast<GLuint>(glName);
    glDeleteTextures(1, &name);
  }
  glName = -1;
  width = height = bytesPerPixel = 0;
  wrapS = wrapT = GL_REPEAT;
  envMode = GL_MODULATE;
  pixelFormat = GL_RGB;
  internalFormat = GL_RGB8;
  minFilter = magFilter = GL_LINEAR;
  mipmap = 0;
  fileName.clear();
}

void Texture::SetFormats() {
  pixelFormat = bytesPerPixel == 4 ? GL_RGBA : GL_RGB;
  internalFormat = bytesPerPixel == 4 ? GL_RGBA8 : bytesPerPixel == 3 ? GL_RGB8 : GL_RGB5;
}

int Texture::Load(const char* path) {
  fileName = path;
  if (glName != -1 && g_gl.open) {
    GLuint name = static_cast<GLuint>(glName);
    glDeleteTextures(1, &name);
  }
  glName = -1;
  pixels.clear();
  ImagePixels image;
  if (!ReadImagePixels(path, image)) return 0;
  pixels = std::move(image.bytes);
  width = image.width;
  height = image.height;
  bytesPerPixel = image.bytesPerPixel;
  SetFormats();
  return 1;
}

bool Texture::Create(int newWidth, int newHeight, int bits) {
  pixels.clear();
  if (newWidth <= 0 || newHeight <= 0 || newWidth > kMaxTextureSide || newHeight > kMaxTextureSide) return false;
  if (bits != 16 && bits != 24 && bits != 32) return false;
  width = newWidth;
  height = newHeight;
  bytesPerPixel = bits / 8;
  pixels.assign(static_cast<size_t>(width) * height * bytesPerPixel, 0);
  SetFormats();
  return true;
}

int Texture::Upload() {
  if (pixels.empty() || !g_gl.open) return 0;
  if (glName == -1) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glName = static_cast<GLint>(name);
  }
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(glName));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapS);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, envMode);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  if (!mipmap) FitMaximumSize();  // mipmap building scales by itself
  // 16-bit pixels are packed words, not byte triples.
  const GLenum type = bytesPerPixel == 2 ? GL_UNSIGNED_SHORT_5_6_5 : GL_UNSIGNED_BYTE;
  if (mipmap)
    gluBuild2DMipmaps(GL_TEXTURE_2D, internalFormat, width, height, pixelFormat, type, pixels.data());
  else
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, pixelFormat, type, pixels.data());
  pixels.clear();
  pixels.shrink_to_fit();
  return 1;
}

void Texture::FitMaximumSize() {
  const int limit = g_gl.extensions.maxTextureSize;
  if (limit <= 0 || (width <= limit && height <= limit) || bytesPerPixel == 2) return;
  int fittedWidth = width, fittedHeight = height;
  while (fittedWidth > limit) fittedWidth = (fittedWidth + 1) / 2;
  while (fittedHeight > limit) fittedHeight = (fittedHeight + 1) / 2;
  std::vector<uint8_t> scaled(static_cast<size_t>(fittedWidth) * fittedHeight * bytesPerPixel);
  if (gluScaleImage(pixelFormat, width, height, GL_UNSIGNED_BYTE, pixels.data(), fittedWidth, fittedHeight,
                    GL_UNSIGNED_BYTE, scaled.data()) != 0)
    return;
  pixels.swap(scaled);
  width = fittedWidth;
  height = fittedHeight;
}

void Texture::SetFilters(GLint minification, GLint magnification) {
  minFilter = minification;
  magFilter = magnification;
  if (glName == -1 || !g_gl.open) return;
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(glName));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
}
