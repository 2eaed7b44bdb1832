// The 2D overlays: 2D mode, pointer, fades and the level-start screen capture.
#include "render/Overlay.h"

#include <GL/gl.h>

#include <memory>

#include "engine3d/Texture.h"
#include "render/Bitmap2D.h"

namespace {

constexpr int kCaptureWidth = 768;
constexpr int kCaptureHeight = 512;
constexpr int kCaptureTile = 256;
const char* const kPointerPath = "data/gfx/2d/pointeur.png";

int g_width = 640;
int g_height = 480;
float g_savedProjection[16];
float g_savedModelview[16];
std::unique_ptr<Texture> g_pointer;
GLBitmap2D g_capture;

void PushBothMatrices() {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
}

void PopBothMatrices() {
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

}  // namespace

void SetOverlayScreenSize(int width, int height) {
  g_width = width;
  g_height = height;
}
int OverlayScreenWidth() { return g_width; }
int OverlayScreenHeight() { return g_height; }

void ScreenOrtho() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, g_width, g_height, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void Begin2D() {
  glGetFloatv(GL_PROJECTION_MATRIX, g_savedProjection);
  glGetFloatv(GL_MODELVIEW_MATRIX, g_savedModelview);
  ScreenOrtho();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void End2D() {
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(g_savedProjection);
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixf(g_savedModelview);
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  glEnable(GL_LIGHTING);
}

int LoadPointerTexture() {
  FreePointerTexture();
  auto texture = std::make_unique<Texture>();
  if (!texture->Load(kPointerPath) || !texture->Upload()) return 0;
  g_pointer = std::move(texture);
  return 1;
}

void FreePointerTexture() { g_pointer.reset(); }

void DrawCursor(int x, int y, int halfSize) {
  if (!g_pointer || !g_pointer->HasName()) return;
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_DEPTH_TEST);
  // Whichever side the last material culled, the pointer shows.
  glDisable(GL_CULL_FACE);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  PushBothMatrices();
  ScreenOrtho();
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(g_pointer->glName));
  glTranslatef(static_cast<float>(x + halfSize), static_cast<float>(y + halfSize), 0.0f);
  const float h = static_cast<float>(halfSize);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(-h, -h);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2f(h, -h);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(h, h);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(-h, h);
  glEnd();
  PopBothMatrices();
  glDisable(GL_BLEND);
  glEnable(GL_CULL_FACE);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
}

void Fade(float r, float g, float b, float a) {
  PushBothMatrices();
  ScreenOrtho();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glColor4f(r, g, b, a);
  const float w = static_cast<float>(g_width), h = static_cast<float>(g_height);
  const GLfloat corners[8] = {0.0f, 0.0f, w, 0.0f, 0.0f, h, w, h};
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, corners);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
  glDisableClientState(GL_VERTEX_ARRAY);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_LIGHTING);
  glEnable(GL_CULL_FACE);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  PopBothMatrices();
}

void DrawBlackOverlay(float alpha) { Fade(0.0f, 0.0f, 0.0f, alpha); }

void CaptureScreenForLevelStart() {
  g_capture.Free();
  g_capture.GrabScreen(g_width, g_height);
  g_capture.Resample(kCaptureWidth, kCaptureHeight);
  g_capture.MakeTiles(kCaptureTile, kCaptureTile);
}

void DrawScreenCapture(float alpha) { g_capture.Draw(alpha); }

void FreeScreenCapture() { g_capture.Free(); }
