// The text library's start and end, and the text styles of "data/font.ini"
// put on fonts.
//
// InitTextSystem before the first font is opened; QuitTextSystem after the
// last one is closed (faces cannot outlive the library).
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

// The width a text of the screens may take on a screen this wide (a margin
// either side): longer labels and messages are wrapped to it.
inline int ScreenTextWidth(int screenWidth) { return screenWidth - 2 * (screenWidth / 20); }
