// Letter images: a glyph of the theme's font, tinted, ringed with a soft dark
// rim and blended onto a 64 x 64 background tile of the theme. Cube faces and
// the ground letters of the floor are made from them, once per theme or cube.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "render/RenderOptions.h"

struct LevelSet;
struct ThemeValues;
typedef struct _TTF_Font TTF_Font;

constexpr int kLetterImageSide = 64;
constexpr int kLetterImageBytes = kLetterImageSide * kLetterImageSide * 3;

// width, height, divisor, bias, then width x height weights row by row.
struct FilterKernel {
  int width;
  int height;
  int divisor;
  int bias;
  const int* weights;
};
extern const FilterKernel kSmoothKernel;
extern const FilterKernel kRing2Kernel;
extern const FilterKernel kRing3Kernel;

// Replaces every channel of channelMask (bit c = channel c) of each pixel by
// clamp(sum weight x neighbour / divisor + bias, 0, 255); neighbours outside
// the image add nothing.
void FilterImage(uint8_t* pixels, int width, int height, int bytesPerPixel, int channelMask, const FilterKernel& k);

enum LetterImageKind { kCubeFaceLetter, kGroundLetter };

// The glyph's alpha (glyphWidth x glyphHeight, any size: what falls outside
// 64 x 64 is clipped) composited over the 64 x 64 RGB background.
void ComposeLetterImage(const uint8_t* glyphAlpha, int glyphWidth, int glyphHeight, const uint8_t* background,
                        const float colour[3], LetterImageKind kind, uint8_t* out);

// A 64 x 64 RGB tile from any image file: missing pixels black, extra clipped.
// Returns false (after the reader's message) when the file cannot be read.
bool ReadBackgroundTile(const char* path, std::vector<uint8_t>& tile);

// The theme's letter images: cube face images on demand (the theme's font at
// size 55 on the three backgrounds "objetoff.png" 0 static blocks,
// "objet.png" 1, "objeton.png" 2) and one ground-letter texture per alphabet
// letter from "echec.png", with the false-shadow texture from
// "shadowarrow.png". Everything goes with the theme (Free) or the object.
class LetterImages {
 public:
  LetterImages() = default;
  ~LetterImages();
  LetterImages(const LetterImages&) = delete;
  LetterImages& operator=(const LetterImages&) = delete;

  // The theme the images are made for: its directory ("data/gfx/themeN/"),
  // font and ground-letter colour. Frees what was made for the last one.
  void UseTheme(const char* themeDirectory, const ThemeValues& values);
  // The ground letters of the alphabet. Returns 1, or 0 after a message.
  int BuildGroundLetters(const LevelSet& levelSet, const RenderOptions& options);
  void Free();

  // The 64 x 64 RGB image of the letter on the background of that kind; letter
  // 0 (and a glyph the font cannot draw) gives the plain background. The images
  // are kept until the theme goes (one per letter and kind).
  const uint8_t* FaceImage(char16_t letter, int kind);
  // The ground-letter texture of an alphabet index; the plain tile for -1 or
  // an index outside the alphabet.
  GLuint GroundLetterTexture(int alphabetIndex) const;
  GLuint FalseShadowTexture() const { return m_falseShadow; }

 private:
  int LoadFaceResources();
  void FreeFaceResources();
  void FreeGroundLetters();

  std::string m_textureDirectory;
  std::string m_font;
  float m_letterColour[3] = {0, 0, 0};
  TTF_Font* m_faceFont = nullptr;
  std::vector<uint8_t> m_faceBackgrounds[3];
  std::map<int, std::vector<uint8_t>> m_faceImages;  // letter x 4 + kind
  bool m_faceTried = false;  // loaded, or failed once for this theme
  std::vector<GLuint> m_groundTextures;  // one per alphabet letter, then the plain tile
  GLuint m_falseShadow = 0;
};
