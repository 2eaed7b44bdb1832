// GLBitmap2D: a large RGB picture (a grabbed frame or a composed page) cut into
// textures of at most the driver's comfortable size and drawn over the whole
// screen, opaque or with a transparency.
//
//   GLBitmap2D picture;
//   picture.SetFromRGBA(page, 1024, 768);   // or GrabScreen(w, h), Resample(...)
//   if (!picture.MakeTiles(256, 256)) ...;  // needs a GL context
//   picture.Draw(1.0f);                     // every frame
//   picture.Free();                         // before the context goes
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <vector>

// Bilinear resampling of RGB pixels (rows from the top) from w x h to
// newWidth x newHeight; the edge pixels repeat beyond the picture.
std::vector<uint8_t> ResampleBilinear(const std::vector<uint8_t>& rgb, int w, int h, int newWidth, int newHeight);

class GLBitmap2D {
 public:
  GLBitmap2D() = default;
  virtual ~GLBitmap2D();
  GLBitmap2D(const GLBitmap2D&) = delete;
  GLBitmap2D& operator=(const GLBitmap2D&) = delete;

  // Reads the frame buffer from (0, 0), top row first, replacing the pixels.
  void GrabScreen(int w, int h);
  // Copies red, green and blue of each 4-byte pixel; alpha is dropped.
  void SetFromRGBA(const uint8_t* rgba, int w, int h);
  // Replaces the pixels by their bilinear resampling; the tiles go.
  void Resample(int newWidth, int newHeight);
  // Cuts the picture into tiles of tw x th (black beyond the picture) and
  // uploads them. Returns 0 after "GLBitmap2D : image non chargee\n" when
  // there are no pixels.
  int MakeTiles(int tw, int th);
  // Fills the screen with the picture; alpha 1 is opaque, below it blends.
  // Nothing without tiles.
  void Draw(float alpha) const;
  void DeleteTiles();
  // Deletes the tiles, frees the pixels, clears the sizes and the name.
  void Free();

  bool HasTiles() const { return !textures.empty(); }

  std::vector<uint8_t> pixels;  // RGB, rows from the top
  int width = 0;
  int height = 0;
  int tileWidth = 0;
  int tileHeight = 0;
  int tilesAcross = 0;
  int tilesDown = 0;
  int tileCount = 0;
  std::vector<GLuint> textures;  // row by row
  bool resampled = false;
  char name[1024] = {0};
};
