// The board scene: one frame of the level on show (background, floor with
// its ground letters, mirror image, shadows, walls, cubes with their glow,
// arrows, border, particle bursts and outlines), and the scene's side of a
// level start.
#pragma once

#include "render/Camera.h"
#include "render/RenderOptions.h"

// What a board frame needs from the shell.
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
  RenderOptions options;
};

// Level start: lists emptied; after the cube list, walls and display lists.
void ClearBoardScene();
void BeginBoardScene();
void EndBoardScene();

// Places the camera and draws one frame (the projection must be set). The
// caller advances the puzzle (Level::Update) afterwards.
void DrawBoard(const BoardFrame& frame);

// A burst of sparks over the board: when a word is formed, when a level is won.
void StartParticleBurst();
void ClearParticleBursts();
int ActiveParticleBursts();

// Every GL object of the scene that is not the theme's (display list names,
// outlines, glow texture, cube model).
void FreeBoardScene();
