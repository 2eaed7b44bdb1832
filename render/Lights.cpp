#include "render/Lights.h"

#include <GL/gl.h>

// The theme's lights come with the renderer; until then only the matrix.
void SetUpLights() {}

void ResetModelViewAndLights() {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
