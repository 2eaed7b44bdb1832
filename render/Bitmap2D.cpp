// GLBitmap2D: full-screen pictures as tiles of textures.
#include "render/Bitmap2D.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine3d/GLContext.h"

#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

std::vector<uint8_t> ResampleBilinear(const std::vector<uint8_t>& rgb, int w, int h, int newWidth, int newHeight) {
  std::vector<uint8_t> out;
  if (w <= 0 || h <= 0 || newWidth <= 0 || newHeight <= 0 || rgb.size() < static_cast<size_t>(w) * h * 3) return out;
  out.resize(static_cast<size_t>(newWidth) * newHeight * 3);
  const float stepX = static_cast<float>(w) / static_cast<float>(newWidth);
  const float stepY = static_cast<float>(h) / static_cast<float>(newHeight);
  auto at = [&](int x, int y, int c) -> float { return rgb[(static_cast<size_t>(y) * w + x) * 3 + c]; };
  for (int j = 0; j < newHeight; ++j) {
    float v = static_cast<float>(j) * stepY;
    int iv = std::min(static_cast<int>(v), h - 1);
    float fv = v - static_cast<float>(iv);
    int below = iv + 1 < h ? iv + 1 : iv;
    for (int i = 0; i < newWidth; ++i) {
      float u = static_cast<float>(i) * stepX;
      int iu = std::min(static_cast<int>(u), w - 1);
      float fu = u - static_cast<float>(iu);
      int right = iu + 1 < w ? iu + 1 : iu;
      for (int c = 0; c < 3; ++c) {
        int top = static_cast<int>(at(iu, iv, c) * (1.0f - fu) + at(right, iv, c) * fu) & 0xFF;
        int bottom = static_cast<int>(at(iu, below, c) * (1.0f - fu) + at(right, below, c) * fu) & 0xFF;
        out[(static_cast<size_t>(j) * newWidth + i) * 3 + c] =
            static_cast<uint8_t>(static_cast<int>(static_cast<float>(top) * (1.0f - fv) + static_cast<float>(bottom) * fv));
      }
    }
  }
  return out;
}

GLBitmap2D::~GLBitmap2D() { Free(); }

void GLBitmap2D::GrabScreen(int w, int h) {
  if (w <= 0 || h <= 0) return;
  std::vector<uint8_t> bottomUp(static_cast<size_t>(w) * h * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  pixels.resize(bottomUp.size());
  const size_t row = static_cast<size_t>(w) * 3;
  for (int y = 0; y < h; ++y) std::memcpy(&pixels[y * row], &bottomUp[(h - 1 - y) * row], row);
  width = w;
  height = h;
}

void GLBitmap2D::SetFromRGBA(const uint8_t* rgba, int w, int h) {
  if (!rgba || w <= 0 || h <= 0) return;
  const size_t count = static_cast<size_t>(w) * h;
  pixels.resize(count * 3);
  for (size_t p = 0; p < count; ++p) std::memcpy(&pixels[p * 3], &rgba[p * 4], 3);
  width = w;
  height = h;
}

void GLBitmap2D::Resample(int newWidth, int newHeight) {
  std::vector<uint8_t> out = ResampleBilinear(pixels, width, height, newWidth, newHeight);
  if (out.empty()) return;
  pixels.swap(out);
  width = newWidth;
  height = newHeight;
  DeleteTiles();
  resampled = true;
}

int GLBitmap2D::MakeTiles(int tw, int th) {
  if (pixels.empty() || width <= 0 || height <= 0 || tw <= 0 || th <= 0) {
    std::fprintf(stderr, "GLBitmap2D : image non chargee\n");
    return 0;
  }
  DeleteTiles();
  tileWidth = tw;
  tileHeight = th;
  tilesAcross = (width + tw - 1) / tw;
  tilesDown = (height + th - 1) / th;
  tileCount = tilesAcross * tilesDown;
  textures.assign(tileCount, 0);
  glGenTextures(tileCount, textures.data());
  const GLint wrap = g_gl.extensions.edgeClamp ? GL_CLAMP_TO_EDGE : GL_CLAMP;
  std::vector<uint8_t> block(static_cast<size_t>(tw) * th * 3);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (int r = 0; r < tilesDown; ++r) {
    for (int c = 0; c < tilesAcross; ++c) {
      std::fill(block.begin(), block.end(), 0);
      const int x0 = c * tw, y0 = r * th;
      const int columns = std::min(tw, width - x0), rows = std::min(th, height - y0);
      for (int y = 0; y < rows; ++y)
        std::memcpy(&block[static_cast<size_t>(y) * tw * 3], &pixels[(static_cast<size_t>(y0 + y) * width + x0) * 3],
                    static_cast<size_t>(columns) * 3);
      glBindTexture(GL_TEXTURE_2D, textures[r * tilesAcross + c]);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
      glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, tw, th, 0, GL_RGB, GL_UNSIGNED_BYTE, block.data());
    }
  }
  return 1;
}

void GLBitmap2D::Draw(float alpha) const {
  if (textures.empty()) return;
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, width, height, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  if (alpha == 1.0f) {
    glDisable(GL_BLEND);
  } else {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
  }
  for (int r = 0; r < tilesDown; ++r) {
    for (int c = 0; c < tilesAcross; ++c) {
      glBindTexture(GL_TEXTURE_2D, textures[r * tilesAcross + c]);
      const float x0 = static_cast<float>(c * tileWidth), y0 = static_cast<float>(r * tileHeight);
      const float x1 = x0 + static_cast<float>(tileWidth), y1 = y0 + static_cast<float>(tileHeight);
      glBegin(GL_QUADS);
      glTexCoord2f(0.0f, 0.0f);
      glVertex2f(x0, y0);
      glTexCoord2f(1.0f, 0.0f);
      glVertex2f(x1, y0);
      glTexCoord2f(1.0f, 1.0f);
      glVertex2f(x1, y1);
      glTexCoord2f(0.0f, 1.0f);
      glVertex2f(x0, y1);
      glEnd();
    }
  }
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  glEnable(GL_LIGHTING);
  glDisable(GL_BLEND);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

void GLBitmap2D::DeleteTiles() {
  if (!textures.empty()) glDeleteTextures(static_cast<GLsizei>(textures.size()), textures.data());
  textures.clear();
  tilesAcross = tilesDown = tileCount = 0;
}

void GLBitmap2D::Free() {
  DeleteTiles();
  pixels.clear();
  pixels.shrink_to_fit();
  width = height = 0;
  tileWidth = tileHeight = 0;
  resampled = false;
  name[0] = 0;
}
