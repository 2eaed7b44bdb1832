// The OpenGL side of display tests: a projection of one unit a pixel and the
// frame buffer read back as a picture.
#pragma once

#include "tests/support/Image.h"

namespace testsupport {

// Projection (0, 0) top left to (width, height) bottom right, identity
// model-view, blending by source alpha: how the game's 2D screens draw.
void UsePixelProjection(int width, int height);
// The back buffer's width x height pixels from (0, 0), top row first.
Image ReadFrame(int width, int height);

}  // namespace testsupport
