// The menu screen: its 3D background and logo, the four menus, the highlight.
//
// Start-up: BuildMenus (after the display mode list and the language file),
// LoadHighlightTexture, PrepareMenuTexts then UploadMenuFont. Per menu frame
// the main loop's screen calls HandleMenuEvent for each event and
// DrawMenuScreen once; the commands of the entries go to CurrentMenuActions().
#pragma once

#include <SDL.h>

#include <functional>

#include "render/MenuObjects.h"  // LoadMenuObjects, FreeMenuObjects
#include "ui/Menus.h"
#include "ui/ScreenRect.h"

// The key repeat the game runs with outside the text entry screens, which
// set their own and put this one back.
constexpr int kGameRepeatDelay = 2;
constexpr int kGameRepeatInterval = 1;

int BuildMenus();
void FreeMenus();
// Loads "data/gfx/2d/selection.png". Returns 1, or 0 after
// "Couldn't load texture %s\n".
int LoadHighlightTexture();
void FreeHighlightTexture();
// The menu screen's fixed texts (entry and choice labels, copyright line).
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

// The four menus of the run (the options entries show the settings).
MenuSet& GameMenus();

// The animated background of every menu-like screen, with the title logo or
// without; leaves the 3D projection in place.
void DrawMenuBackdrop(bool withTitle);
// The highlight quad over a rectangle, in the 2D overlay projection.
void DrawHighlight(const ScreenRect& rect);

// The menu's sounds go through this player (the audio's PlaySound unless
// replaced), so that tests hear which sound each input made.
void SetMenuSoundPlayer(std::function<void(int)> player);
