// The text library's start and end, and the fonts the shell sets up.
#pragma once

// Starts the TrueType library. Returns 1, or 0 after printing
// "Couldn't initialize TTF: %s\n".
int InitTextSystem();
void QuitTextSystem();

// Start-up: the menu font and the overlay screen size for this screen size.
int SetUpFonts(int width, int height);
// Drops the menu font's rendered texts (their atlas pages).
void ReleaseMenuFontCache();
// Uploads the menu font's pages as textures.
void UploadMenuFont();
// Closes every font the shell opened.
void FreeFonts();
