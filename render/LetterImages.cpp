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
#include "puzzle/PuzzleView.h"
#include "render/Themes.h"
#include "render/ThemeKeys.h"

namespace {

const int kSmoothWeights[] = {0, 1, 0, 1, 8, 1, 0, 1, 0};
const int kRing2Weights[] = {0, 0, 1, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 1, 0, 0};
const int kRing3Weights[] = {0, 0, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0,
                             0, 1, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 1, 1, 0, 0};

constexpr int kFaceFontSize = 55;
constexpr int kGroundFontSize = 60;
const char* const kFaceBackgrounds[3] = {kCubeFaceOffTexture, kCubeFaceTexture, kCubeFaceOnTexture};

struct FaceResources {
  TTF_Font* font = nullptr;
  std::vector<uint8_t> backgrounds[3];
  std::map<int, std::vector<uint8_t>> images;  // letter x 4 + kind
  bool tried = false;  // loaded, or failed once for this theme
};
FaceResources g_faces;

std::vector<GLuint> g_groundTextures;  // one per alphabet letter, then the plain tile
GLuint g_falseShadow = 0;

bool EnsureTrueType() { return TTF_WasInit() || TTF_Init() == 0; }

TTF_Font* OpenThemeFont(int size) {
  if (!EnsureTrueType()) return nullptr;
  TTF_Font* font = TTF_OpenFont(NativePath(g_themeValues.font.c_str()).c_str(), size);
  if (!font) std::fprintf(stderr, "Couldn't open font %s\n", g_themeValues.font.c_str());
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

void MakeLetterImage(TTF_Font* font, char16_t letter, const std::vector<uint8_t>& background, LetterImageKind kind,
                     uint8_t* out) {
  std::vector<uint8_t> alpha;
  int w = 0, h = 0;
  if (letter == 0 || !font || !RenderGlyphAlpha(font, letter, alpha, w, h)) {
    std::memcpy(out, background.data(), kLetterImageBytes);
    return;
  }
  ComposeLetterImage(alpha.data(), w, h, background.data(), g_themeValues.groundLetterColor, kind, out);
}

void SetClampAndFilters(bool mipmap) {
  const GLint clamp = g_glExtensions.edgeClamp ? GL_CLAMP_TO_EDGE : GL_CLAMP;
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

std::string TextureDirectoryOf(const char* themeDirectory) { return std::string(themeDirectory) + "texture/"; }

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

int LoadFaceResources() {
  FreeFaceResources();
  g_faces.tried = true;
  g_faces.font = OpenThemeFont(kFaceFontSize);
  if (!g_faces.font) return 0;
  const std::string textures = TextureDirectoryOf(g_theme.directory.c_str());
  for (int kind = 0; kind < 3; ++kind) ReadBackgroundTile((textures + kFaceBackgrounds[kind]).c_str(), g_faces.backgrounds[kind]);
  return 1;
}

void FreeFaceResources() {
  if (g_faces.font) TTF_CloseFont(g_faces.font);
  g_faces.font = nullptr;
  for (auto& b : g_faces.backgrounds) b.clear();
  g_faces.images.clear();
  g_faces.tried = false;
}

const uint8_t* FaceImage(char16_t letter, int kind) {
  kind = std::clamp(kind, 0, 2);
  if (!g_faces.tried) LoadFaceResources();
  std::vector<uint8_t>& image = g_faces.images[letter * 4 + kind];
  if (image.empty()) {
    image.resize(kLetterImageBytes);
    if (g_faces.backgrounds[kind].empty()) g_faces.backgrounds[kind].assign(kLetterImageBytes, 128);
    MakeLetterImage(g_faces.font, letter, g_faces.backgrounds[kind], kCubeFaceLetter, image.data());
  }
  return image.data();
}

int BuildGroundLetters(const char* themeDirectory, const RenderOptions& options) {
  FreeGroundLetters();
  TTF_Font* font = OpenThemeFont(kGroundFontSize);
  if (!font) return 0;
  const std::string textures = TextureDirectoryOf(themeDirectory);
  std::vector<uint8_t> tile;
  ReadBackgroundTile((textures + kGroundTileTexture).c_str(), tile);
  const int letters = CurrentLevelSet().alphabetCount;
  g_groundTextures.assign(static_cast<size_t>(letters) + 1, 0);
  glGenTextures(static_cast<GLsizei>(g_groundTextures.size()), g_groundTextures.data());
  std::vector<uint8_t> image(kLetterImageBytes);
  for (int i = 0; i < letters; ++i) {
    MakeLetterImage(font, CurrentLevelSet().alphabet[i], tile, kGroundLetter, image.data());
    UploadSquare(g_groundTextures[i], image.data(), kLetterImageSide, false, options.mipMapping != 0);
  }
  UploadSquare(g_groundTextures[letters], tile.data(), kLetterImageSide, false, options.mipMapping != 0);
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
  glGenTextures(1, &g_falseShadow);
  UploadSquare(g_falseShadow, rgba.data(), kLetterImageSide, true, options.mipMapping != 0);
  return 1;
}

void FreeGroundLetters() {
  if (!g_groundTextures.empty()) glDeleteTextures(static_cast<GLsizei>(g_groundTextures.size()), g_groundTextures.data());
  g_groundTextures.clear();
  if (g_falseShadow) glDeleteTextures(1, &g_falseShadow);
  g_falseShadow = 0;
}

GLuint GroundLetterTexture(int alphabetIndex) {
  if (g_groundTextures.empty()) return 0;
  const int plain = static_cast<int>(g_groundTextures.size()) - 1;
  return g_groundTextures[alphabetIndex >= 0 && alphabetIndex < plain ? alphabetIndex : plain];
}

GLuint FalseShadowTexture() { return g_falseShadow; }
