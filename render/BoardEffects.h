// The board's extra effects: particle bursts over the board and cartoon
// outlines along the models' marked edges.
#pragma once

void AdvanceParticleBursts(float frameDelta);
// Additive sprites in board space (inside the mirror pass too).
void DrawParticleBursts();

// Lines along the crease and border edges of the walls, cubes and arrows, in
// the theme's outline width, colour and alpha.
void DrawOutlines(bool withCubes);
void FreeOutlineLists();
