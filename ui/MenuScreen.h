// The menu screen: its 3D background and logo, the four menus, the highlight.
#pragma once

#include "render/MenuObjects.h"  // LoadMenuObjects, FreeMenuObjects

int BuildMenus();
void FreeMenus();
// Loads "data/gfx/2d/selection.png". Returns 1, or 0 after
// "Couldn't load texture %s\n".
int LoadHighlightTexture();
void FreeHighlightTexture();
// The menu screen's fixed texts (title, copyright line).
void PrepareMenuTexts();
void ReleaseMenuTexts();
// Recomputes the menu positions for the screen size.
void LayOutMenus();

void DrawMenuScreen();
// Handles the pending events on the current menu.
void HandleMenuInput();
