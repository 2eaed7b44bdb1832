// The top bar every in-level screen draws (level number, move count, the
// list of words) and the game's text fonts ("FontGame*" styles).
#pragma once

#include "base/CUString.h"
#include "text/GLFontTrueType.h"

// The font of a "FontGame*" style (kFontGameBig .. kFontGameSmallWordFound);
// opened on first use, closed by FreeGameFonts.
GLFontTrueType& GameFont(int style);
void FreeGameFonts();

// Full: reopens the small fonts first (level start, resume); light: only the
// texts again (after every move and undo).
void PrepareTopBar(bool full);
void DrawTopBar();
// The band of the "Words" label: clicking it shows or hides the list.
bool InsideWordListButton(int x, int y);
// Replaces the texts of the big font with one message (-1 when it has none).
int SetBigMessage(const CUString& text);
// Adds a text to the small font next to the top bar's (until the next
// preparation).
int AddSmallText(const char* utf8);
// Draws a text of a game font centred in a box, with the usual blending.
void DrawGameText(int style, int id, int x, int y, int width, int height);
