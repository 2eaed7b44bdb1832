// The 2D overlays: 2D mode, pointer, fades and the level-start screen capture.
#include "render/Overlay.h"

#include <GL/gl.h>

namespace {

constexpr int kCaptureWidth = 768;
constexpr int kCaptureHeight = 512;
constexpr int kCaptureTile = 256;

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

Overlay::Overlay(int width, int height) : m_width(width), m_height(height) {}
Overlay::~Overlay() = default;

void Overlay::ScreenOrtho() const {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, m_width, m_height, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void Overlay::Begin2D() {
  glGetFloatv(GL_PROJECTION_MATRIX, m_savedProjection);
  glGetFloatv(GL_MODELVIEW_MATRIX, m_savedModelview);
  ScreenOrtho();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void Overlay::End2D() const {
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(m_savedProjection);
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixf(m_savedModelview);
  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  glEnable(GL_LIGHTING);
}

void Overlay::DrawCursor(GLuint pointer, int x, int y, int halfSize) const {
  if (!pointer) return;
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
  glBindTexture(GL_TEXTURE_2D, pointer);
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

void Overlay::Fade(float r, float g, float b, float a) const {
  PushBothMatrices();
  ScreenOrtho();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glColor4f(r, g, b, a);
  const float w = static_cast<float>(m_width), h = static_cast<float>(m_height);
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

void Overlay::CaptureScreenForLevelStart() {
  m_capture.Free();
  m_capture.GrabScreen(m_width, m_height);
  m_capture.Resample(kCaptureWidth, kCaptureHeight);
  m_capture.MakeTiles(kCaptureTile, kCaptureTile);
}
