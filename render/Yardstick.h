// The yardstick of the frame benchmarks (the game's -timedemo and the
// viewer's --bench): a clear and one full-screen quad of a 256 x 256 texture,
// no blending, no depth. A frame of the board or the menu is told as so many
// of these, so both tools must draw the very same one.
#pragma once

#include <GL/gl.h>

class Overlay;

class YardstickQuad {
 public:
  // The GL context is current.
  YardstickQuad();
  ~YardstickQuad();
  YardstickQuad(const YardstickQuad&) = delete;
  YardstickQuad& operator=(const YardstickQuad&) = delete;

  // Clears the screen and covers all of overlay's screen with the quad.
  void Draw(Overlay& overlay) const;

 private:
  GLuint m_texture = 0;
};
