#include "ui/MenuScreen.h"

#include <GL/gl.h>


// The menus come with their own work; until then the menu screen is empty and
// its input only takes the quit event.
int LoadMenuObjects() { return 1; }
void FreeMenuObjects() {}
int BuildMenus() { return 1; }
void FreeMenus() {}
int LoadHighlightTexture() { return 1; }
void FreeHighlightTexture() {}
void PrepareMenuTexts() {}
void ReleaseMenuTexts() {}
void LayOutMenus() {}

void DrawMenuScreen() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

bool HandleMenuEvent(const SDL_Event&) { return false; }
bool MainMenuCurrent() { return true; }
