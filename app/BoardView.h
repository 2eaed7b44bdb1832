// The playing state's side of the board scene: the camera from the shell's
// presets, one board frame from the clock and the switches, picking under
// the pointer, and the sparks of a formed word or a won level.
#pragma once

#include "render/Camera.h"

// The current preset (and the pan in the close view) as the renderer's pose.
CameraPose CurrentCameraPose();
// g_game.pickKind and pickIndex := what lies under the pointer.
void PickUnderPointer();
// Draws the board (the projection for the screen, the camera placed) and
// moves the puzzle on by one frame (Level::Update). With noHover no arrow is
// highlighted.
void DrawPlayingBoard(bool noHover);
// When a word is formed and when a level is won.
void Celebrate();
