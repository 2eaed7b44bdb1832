#include "tests/support/GLFrame.h"

#include <GL/gl.h>

#include <algorithm>
#include <vector>

namespace testsupport {

void UsePixelProjection(int width, int height) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, height, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

Image ReadFrame(int width, int height) {
  Image image;
  image.width = width;
  image.height = height;
  image.rgb.resize(static_cast<size_t>(width) * height * 3);
  std::vector<uint8_t> rows(image.rgb.size());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
  const size_t stride = static_cast<size_t>(width) * 3;
  for (int y = 0; y < height; ++y)
    std::copy(&rows[(height - 1 - y) * stride], &rows[(height - 1 - y) * stride] + stride, &image.rgb[y * stride]);
  return image;
}

}  // namespace testsupport
