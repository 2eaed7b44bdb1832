// Letters for the art: glyph outlines (for the title's letter geometry) and
// anti-aliased glyph images (for marks painted into textures), both taken
// from the free fonts the build installs.
#pragma once

#include <string>
#include <vector>

#include "tools/artgen/Raster.h"
#include "tools/artgen/Tess.h"

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

namespace artgen {

class Font {
 public:
  Font() = default;
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  bool Open(const std::string& path);
  bool IsOpen() const { return m_face != nullptr; }

  // The glyph's outline in em units (1.0 = the em size), y up, curves
  // flattened into `steps` segments each; the advance width in em units.
  bool Outline(unsigned codepoint, int steps, std::vector<Contour>& contours, double& advance) const;

  // Paints the glyph at `pixelSize` pixels per em, rotated by `angle` radians
  // (counter-clockwise on screen), with the centre of its ink box at (cx, cy).
  bool Draw(Raster& target, unsigned codepoint, double pixelSize, double cx, double cy, double angle,
            const Color& color) const;

 private:
  FT_Library m_library = nullptr;
  FT_Face m_face = nullptr;
};

}  // namespace artgen
