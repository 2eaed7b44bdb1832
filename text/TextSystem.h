// The text library's start and end, the text styles of "data/font.ini" put on
// fonts, and the process-wide menu font the shell sets up.
//
// Order: InitTextSystem before the window opens; SetUpFonts once the window
// is open (start-up step "Init Font"); the menu screen adds its texts to
// MenuFont() and UploadMenuFont uploads them; at a display mode change
// ReleaseMenuFontCache, then the texts again and UploadMenuFont; at the end
// ReleaseMenuFontCache, FreeFonts (context still current), and after the
// video is shut down QuitTextSystem.
#pragma once

#include "text/GLFontTrueType.h"

// Starts the TrueType library. Returns 1, or 0 after printing
// "Couldn't initialize TTF: %s\n".
int InitTextSystem();
void QuitTextSystem();

// Opens font with the face and size of a text style (FontStyleIndex of
// config/Settings.h) and gives it the style's colours. Returns Open's result.
int OpenFontStyle(GLFontTrueType& font, int style);
// The style's top and bottom colours and shadow offset, alpha 1 and a black
// shadow; for styles that only lend their colours to another style's face.
void ApplyFontStyleColours(GLFontTrueType& font, int style);

// What the menus lay themselves out by.
struct MenuTextMetrics {
  int screenWidth = 0;
  int screenHeight = 0;
  int unit = 24;        // the menu unit in pixels
  int fontHeight = 0;   // the menu font's point size
};
const MenuTextMetrics& MenuMetrics();
void SetMenuScreenSize(int width, int height);

// Start-up: records the screen size and the menu unit and opens the menu font
// ("FontMenuBig"). Returns 1, or 0 after printing why.
int SetUpFonts(int width, int height);
// The menu font, process-wide (no face before SetUpFonts).
GLFontTrueType& MenuFont();
// Drops the menu font's textures and texts.
void ReleaseMenuFontCache();
// Uploads the menu font's pages as textures.
void UploadMenuFont();
// Closes the menu font.
void FreeFonts();
