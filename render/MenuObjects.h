// The objects loaded once at start-up: the menu's rippling backdrop and
// title, the pointer and glow textures, and the board's display list names.
#pragma once

#include <GL/gl.h>

// Returns 1, or 0 after "Couldn't load 3D Objet %s".
int LoadMenuObjects();
void FreeMenuObjects();

// Both drawn directly every frame; T is the frame clock in frame units.
void DrawMenuBackground(float T);
void DrawMenuTitle(float T);

GLuint GlowTextureName();
GLuint PointerTextureName();
