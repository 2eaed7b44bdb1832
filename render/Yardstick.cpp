#include "render/Yardstick.h"

#include <cstddef>
#include <vector>

#include "render/Overlay.h"

YardstickQuad::YardstickQuad() {
  // Any busy picture: only its size and format count.
  std::vector<unsigned char> pixels(256 * 256 * 3);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>((i * 7) & 0xFF);
  glGenTextures(1, &m_texture);
  glBindTexture(GL_TEXTURE_2D, m_texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 256, 256, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
}

YardstickQuad::~YardstickQuad() { glDeleteTextures(1, &m_texture); }

void YardstickQuad::Draw(Overlay& overlay) const {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  overlay.Begin2D();
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, m_texture);
  glColor4f(1, 1, 1, 1);
  const float w = static_cast<float>(overlay.Width());
  const float h = static_cast<float>(overlay.Height());
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0), glVertex2f(0, 0);
  glTexCoord2f(1, 0), glVertex2f(w, 0);
  glTexCoord2f(1, 1), glVertex2f(w, h);
  glTexCoord2f(0, 1), glVertex2f(0, h);
  glEnd();
  overlay.End2D();
}
