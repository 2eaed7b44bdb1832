// 2D drawing over the scene: the pixel-aligned 2D mode, the pointer, the
// full-screen fades and the picture of the screen captured at a level start.
//
// Each routine sets the state it needs and puts back the defaults the others
// assume (lighting, depth test and culling on, blending off, colour white).
#pragma once

#include <GL/gl.h>

#include "render/Bitmap2D.h"

class Overlay {
 public:
  // Every 2D routine draws in a screen of that size.
  Overlay(int width, int height);
  ~Overlay();
  Overlay(const Overlay&) = delete;
  Overlay& operator=(const Overlay&) = delete;

  int Width() const { return m_width; }
  int Height() const { return m_height; }

  // Begin2D saves both matrices and switches to one unit per pixel with y
  // growing downwards, blending on, depth test, culling and lighting off;
  // End2D restores. They come in pairs and do not nest.
  void Begin2D();
  void End2D() const;
  // Projection glOrtho(0, width, height, 0, -1, 1) and identity modelview.
  void ScreenOrtho() const;

  // Draws the pointer texture centred on (x + halfSize, y + halfSize): with
  // the mouse position and 16 the 32 x 32 pointer hangs from its top-left
  // corner. Nothing without a texture (0).
  void DrawCursor(GLuint pointer, int x, int y, int halfSize) const;

  // Covers the screen with (r, g, b) at opacity a.
  void Fade(float r, float g, float b, float a) const;
  // Covers the screen with black at the given opacity (0..1).
  void DrawBlackOverlay(float alpha) const { Fade(0.0f, 0.0f, 0.0f, alpha); }

  // The level-start dissolve: grabs the frame buffer at the screen size,
  // resamples it to 768 x 512 and cuts it into 256 x 256 tiles.
  void CaptureScreenForLevelStart();
  // Draws that picture over everything at the given opacity (nothing without one).
  void DrawScreenCapture(float alpha) const { m_capture.Draw(alpha); }
  void FreeScreenCapture() { m_capture.Free(); }

 private:
  int m_width;
  int m_height;
  float m_savedProjection[16] = {};
  float m_savedModelview[16] = {};
  GLBitmap2D m_capture;
};
