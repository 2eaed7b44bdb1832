// The board scene: what one frame of the level on show needs from the shell.
// Renderer::DrawBoard draws it (background, floor with its ground letters,
// mirror image, shadows, walls, cubes with their glow, arrows, border,
// particle bursts and outlines).
#pragma once

#include "render/Camera.h"
#include "render/RenderOptions.h"

struct BoardFrame {
  CameraPose camera;
  float elapsedFrames = 0;  // animation clock, frame units of 1/60 s
  float slowPhase = 0;      // background turn, degrees
  float frameDelta = 1;     // frame units since the last frame
  int drawArrows = 1;
  int drawArrowHover = 1;
  int drawCubes = 1;
  int noHover = 0;
  int hoveredArrow = -1;
  // Cube i is lifted by sin((i + bobPhase) pi / 4) x 0.5 + 0.3 squares (the
  // celebration screens); negative: the cubes stand on the board.
  float bobPhase = -1.0f;
  RenderOptions options;
};
