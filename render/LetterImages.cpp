// Letter images for cube faces and the floor, and the false-shadow texture.
#include "render/LetterImages.h"

#include <GL/glu.h>
#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "base/FileAccess.h"
#include "engine3d/GLContext.h"
#include "engine3d/Texture.h"
#include "puzzle/LevelSet.h"
#include "render/ThemeKeys.h"
#include "render/Themes.h"

namespace {

const int kSmoothWeights[] = {0, 1, 0, 1, 8, 1, 0, 1, 0};
const int kRing2Weights[] = {0, 0, 1, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 1, 0, 0};
const int kRing3Weights[] = {0, 0, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0,
                             0, 1, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 1, 1, 0, 0};

constexpr int kFaceFontSize = 55;
constexpr int kGroundFontSize = 60;
const char* const kFaceBackgrounds[3] = {kCubeFaceOffTexture, kCubeFaceTexture, kCubeFaceOnTexture};

bool EnsureTrueType() { return TTF_WasInit() || TTF_Init() == 0; }

TTF_Font* OpenThemeFont(const std::string& path, int size) {
  if (!EnsureTrueType()) return nullptr;
  TTF_Font* font = TTF_OpenFont(NativePath(path.c_str()).c_str(), size);
  if (!font) std::fprintf(stderr, "Couldn't open font %s\n", path.c_str());
  return font;
}

// The glyph's alpha, rendered blended in white. Empty for blank glyphs.
bool RenderGlyphAlpha(TTF_Font* font, char16_t letter, std::vector<uint8_t>& alpha, int& width, int& height) {
  width = height = 0;
  alpha.clear();
  const SDL_Color white = {255, 255, 255, 0};
  SDL_Surface* glyph = TTF_RenderGlyph_Blended(font, static_cast<Uint16>(letter), white);
  if (!glyph) return false;
  SDL_Surface* rgba = SDL_CreateRGBSurface(SDL_SWSURFACE, glyph->w, glyph->h, 32, 0x000000FF, 0x0000FF00,
                                           0x00FF0000, 0xFF000000);
  if (rgba) {
    SDL_SetAlpha(glyph, 0, 255);  // copy the alpha channel as it is
    SDL_BlitSurface(glyph, nullptr, rgba, nullptr);
    SDL_LockSurface(rgba);
    width = rgba->w;
    height = rgba->h;
    alpha.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
      const uint8_t* row = static_cast<const uint8_t*>(rgba->pixels) + y * rgba->pitch;
      for (int x = 0; x < width; ++x) alpha[y * width + x] = row[x * 4 + 3];
    }
    SDL_UnlockSurface(rgba);
    SDL_FreeSurface(rgba);
  }
  SDL_FreeSurface(glyph);
  return !alpha.empty();
}

// The "up" mark of a cube face: a short bar under the letter's ink, so that a
// turned letter shows it (N on its side is no Z, W upside down no M). The
// glyph is cut to its ink and the bar added below it; centring the result
// centres both.
constexpr int kInkAlpha = 64;
constexpr int kMarkGap = 4;
constexpr int kMarkThickness = 4;
constexpr int kMarkMinWidth = 12;

void AddUprightMark(std::vector<uint8_t>& alpha, int& width, int& height) {
  int left = width, right = -1, top = height, bottom = -1;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (alpha[static_cast<size_t>(y) * width + x] >= kInkAlpha) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
  if (right < 0) return;
  const int inkWidth = right - left + 1, inkHeight = bottom - top + 1;
  const int barWidth = std::max(inkWidth / 2, kMarkMinWidth);
  const int newWidth = std::max(inkWidth, barWidth), newHeight = inkHeight + kMarkGap + kMarkThickness;
  std::vector<uint8_t> marked(static_cast<size_t>(newWidth) * newHeight, 0);
  const int inkX = (newWidth - inkWidth) / 2;
  for (int y = 0; y < inkHeight; ++y)
    for (int x = 0; x < inkWidth; ++x)
      marked[static_cast<size_t>(y) * newWidth + inkX + x] = alpha[static_cast<size_t>(top + y) * width + left + x];
  const int barX = (newWidth - barWidth) / 2;
  for (int y = inkHeight + kMarkGap; y < newHeight; ++y)
    for (int x = barX; x < barX + barWidth; ++x) marked[static_cast<size_t>(y) * newWidth + x] = 255;
  alpha.swap(marked);
  width = newWidth;
  height = newHeight;
}

void MakeLetterImage(TTF_Font* font, char16_t letter, const std::vector<uint8_t>& background, const float colour[3],
                     LetterImageKind kind, uint8_t* out) {
  std::vector<uint8_t> alpha;
  int w = 0, h = 0;
  if (letter == 0 || !font || !RenderGlyphAlpha(font, letter, alpha, w, h)) {
    std::memcpy(out, background.data(), kLetterImageBytes);
    return;
  }
  if (kind == kCubeFaceLetter) AddUprightMark(alpha, w, h);
  ComposeLetterImage(alpha.data(), w, h, background.data(), colour, kind, out);
}

void SetClampAndFilters(bool mipmap) {
  const GLint clamp = g_gl.extensions.edgeClamp ? GL_CLAMP_TO_EDGE : GL_CLAMP;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, clamp);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, clamp);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, mipmap ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

void UploadSquare(GLuint name, const uint8_t* pixels, int side, bool alpha, bool mipmap) {
  glBindTexture(GL_TEXTURE_2D, name);
  SetClampAndFilters(mipmap);
  const GLenum format = alpha ? GL_RGBA : GL_RGB;
  if (mipmap)
    gluBuild2DMipmaps(GL_TEXTURE_2D, alpha ? GL_RGBA8 : GL_RGB8, side, side, format, GL_UNSIGNED_BYTE, pixels);
  else
    glTexImage2D(GL_TEXTURE_2D, 0, alpha ? GL_RGBA8 : GL_RGB8, side, side, 0, format, GL_UNSIGNED_BYTE, pixels);
}

}  // namespace

const FilterKernel kSmoothKernel = {3, 3, 12, 0, kSmoothWeights};
const FilterKernel kRing2Kernel = {5, 5, 1, 0, kRing2Weights};
const FilterKernel kRing3Kernel = {7, 7, 1, 0, kRing3Weights};

void FilterImage(uint8_t* pixels, int width, int height, int bpp, int channelMask, const FilterKernel& k) {
  if (width <= 0 || height <= 0 || k.divisor == 0) return;
  std::vector<uint8_t> source(pixels, pixels + static_cast<size_t>(width) * height * bpp);
  const int hx = k.width / 2, hy = k.height / 2;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < bpp; ++c) {
        if (!(channelMask & (1 << c))) continue;
        int sum = 0;
        for (int ky = 0; ky < k.height; ++ky) {
          const int sy = y + ky - hy;
          if (sy < 0 || sy >= height) continue;
          for (int kx = 0; kx < k.width; ++kx) {
            const int sx = x + kx - hx;
            if (sx < 0 || sx >= width) continue;
            sum += k.weights[ky * k.width + kx] * source[(static_cast<size_t>(sy) * width + sx) * bpp + c];
          }
        }
        const int value = sum / k.divisor + k.bias;
        pixels[(static_cast<size_t>(y) * width + x) * bpp + c] = static_cast<uint8_t>(std::clamp(value, 0, 255));
      }
}

void ComposeLetterImage(const uint8_t* glyphAlpha, int glyphWidth, int glyphHeight, const uint8_t* background,
                        const float colour[3], LetterImageKind kind, uint8_t* out) {
  constexpr int n = kLetterImageSide;
  std::vector<uint8_t> mask(n * n, 0), letter(n * n * 3, 0);
  const int x0 = (n - glyphWidth) / 2;
  const int y0 = kind == kCubeFaceLetter ? (n - glyphHeight) / 2 : 60 - glyphHeight;
  for (int gy = 0; gy < glyphHeight; ++gy) {
    const int y = y0 + gy;
    if (y < 0 || y >= n) continue;
    for (int gx = 0; gx < glyphWidth; ++gx) {
      const int x = x0 + gx;
      if (x < 0 || x >= n) continue;
      const uint8_t a = glyphAlpha[static_cast<size_t>(gy) * glyphWidth + gx];
      mask[y * n + x] = a;
      for (int c = 0; c < 3; ++c) letter[(y * n + x) * 3 + c] = static_cast<uint8_t>(a * colour[c]);
    }
  }
  FilterImage(mask.data(), n, n, 1, 1, kind == kCubeFaceLetter ? kRing2Kernel : kRing3Kernel);
  FilterImage(mask.data(), n, n, 1, 1, kSmoothKernel);
  for (int i = 0; i < n * n; ++i) {
    const int w = mask[i];
    for (int c = 0; c < 3; ++c) {
      const int bg = background[i * 3 + c], l = letter[i * 3 + c];
      out[i * 3 + c] = static_cast<uint8_t>((((l + bg) / 2) * w + (255 - w) * bg) / 255);
    }
  }
}

bool ReadBackgroundTile(const char* path, std::vector<uint8_t>& tile) {
  tile.assign(kLetterImageBytes, 0);
  ImagePixels image;
  if (!ReadImagePixels(path, image)) return false;
  const int w = std::min(image.width, kLetterImageSide), h = std::min(image.height, kLetterImageSide);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      std::memcpy(&tile[(y * kLetterImageSide + x) * 3], &image.bytes[(static_cast<size_t>(y) * image.width + x) * image.bytesPerPixel], 3);
  return true;
}

LetterImages::~LetterImages() { Free(); }

void LetterImages::UseTheme(const char* themeDirectory, const ThemeValues& values) {
  Free();
  m_textureDirectory = std::string(themeDirectory) + kThemeTextureFolder;
  m_font = values.font.c_str();
  for (int c = 0; c < 3; ++c) m_letterColour[c] = values.groundLetterColor[c];
}

void LetterImages::Free() {
  FreeGroundLetters();
  FreeFaceResources();
}

int LetterImages::LoadFaceResources() {
  FreeFaceResources();
  m_faceTried = true;
  m_faceFont = OpenThemeFont(m_font, kFaceFontSize);
  if (!m_faceFont) return 0;
  for (int kind = 0; kind < 3; ++kind)
    ReadBackgroundTile((m_textureDirectory + kFaceBackgrounds[kind]).c_str(), m_faceBackgrounds[kind]);
  return 1;
}

void LetterImages::FreeFaceResources() {
  if (m_faceFont) TTF_CloseFont(m_faceFont);
  m_faceFont = nullptr;
  for (auto& b : m_faceBackgrounds) b.clear();
  m_faceImages.clear();
  m_faceTried = false;
}

const uint8_t* LetterImages::FaceImage(char16_t letter, int kind) {
  kind = std::clamp(kind, 0, 2);
  if (!m_faceTried) LoadFaceResources();
  std::vector<uint8_t>& image = m_faceImages[letter * 4 + kind];
  if (image.empty()) {
    image.resize(kLetterImageBytes);
    if (m_faceBackgrounds[kind].empty()) m_faceBackgrounds[kind].assign(kLetterImageBytes, 128);
    MakeLetterImage(m_faceFont, letter, m_faceBackgrounds[kind], m_letterColour, kCubeFaceLetter, image.data());
  }
  return image.data();
}

int LetterImages::BuildGroundLetters(const LevelSet& levelSet, const RenderOptions& options) {
  FreeGroundLetters();
  TTF_Font* font = OpenThemeFont(m_font, kGroundFontSize);
  if (!font) return 0;
  const std::string& textures = m_textureDirectory;
  std::vector<uint8_t> tile;
  ReadBackgroundTile((textures + kGroundTileTexture).c_str(), tile);
  const int letters = levelSet.alphabetCount;
  m_groundTextures.assign(static_cast<size_t>(letters) + 1, 0);
  glGenTextures(static_cast<GLsizei>(m_groundTextures.size()), m_groundTextures.data());
  std::vector<uint8_t> image(kLetterImageBytes);
  for (int i = 0; i < letters; ++i) {
    MakeLetterImage(font, levelSet.alphabet[i], tile, m_letterColour, kGroundLetter, image.data());
    UploadSquare(m_groundTextures[i], image.data(), kLetterImageSide, false, options.mipMapping != 0);
  }
  UploadSquare(m_groundTextures[letters], tile.data(), kLetterImageSide, false, options.mipMapping != 0);
  TTF_CloseFont(font);

  ImagePixels shadow;
  if (!ReadImagePixels((textures + kArrowShadowTexture).c_str(), shadow)) {
    std::fprintf(stderr, "Couldn't load the arrow shadow %sshadowarrow.png\n", textures.c_str());
    return 0;
  }
  std::vector<uint8_t> rgba(kLetterImageSide * kLetterImageSide * 4, 0);
  const int w = std::min(shadow.width, kLetterImageSide), h = std::min(shadow.height, kLetterImageSide);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint8_t* p = &shadow.bytes[(static_cast<size_t>(y) * shadow.width + x) * shadow.bytesPerPixel];
      uint8_t* q = &rgba[(y * kLetterImageSide + x) * 4];
      q[0] = p[0], q[1] = p[1], q[2] = p[2], q[3] = shadow.bytesPerPixel == 4 ? p[3] : 255;
    }
  glGenTextures(1, &m_falseShadow);
  UploadSquare(m_falseShadow, rgba.data(), kLetterImageSide, true, options.mipMapping != 0);
  return 1;
}

void LetterImages::FreeGroundLetters() {
  if (!m_groundTextures.empty()) glDeleteTextures(static_cast<GLsizei>(m_groundTextures.size()), m_groundTextures.data());
  m_groundTextures.clear();
  if (m_falseShadow) glDeleteTextures(1, &m_falseShadow);
  m_falseShadow = 0;
}

GLuint LetterImages::GroundLetterTexture(int alphabetIndex) const {
  if (m_groundTextures.empty()) return 0;
  const int plain = static_cast<int>(m_groundTextures.size()) - 1;
  return m_groundTextures[alphabetIndex >= 0 && alphabetIndex < plain ? alphabetIndex : plain];
}
