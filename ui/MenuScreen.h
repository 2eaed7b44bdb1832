// The menu screen: its 3D background and logo, the four menus, the highlight.
#pragma once

#include <SDL.h>

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
// Handles one input event on the current menu. Returns true when it ran a
// command or moved the highlight.
bool HandleMenuEvent(const SDL_Event& event);
// Whether the current menu is the main menu (not a submenu).
bool MainMenuCurrent();
