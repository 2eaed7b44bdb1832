#include "ui/MenuScreen.h"

#include <GL/gl.h>

#include "app/FrameClock.h"
#include "engine3d/GLContext.h"
#include "render/Camera.h"
#include "render/Lights.h"

// The menus come with their own work; until then the menu screen is empty and
// its input only takes the quit event.
int BuildMenus() { return 1; }
void FreeMenus() {}
int LoadHighlightTexture() { return 1; }
void FreeHighlightTexture() {}
void PrepareMenuTexts() {}
void ReleaseMenuTexts() {}
void LayOutMenus() {}

void DrawMenuScreen() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  SetBoardProjection(g_screen.width, g_screen.height);
  PlaceMenuCamera();
  MenuLights();
  DrawMenuBackground(g_clock.elapsedFrames);
  DrawMenuTitle(g_clock.elapsedFrames);
}

bool HandleMenuEvent(const SDL_Event&) { return false; }
bool MainMenuCurrent() { return true; }
