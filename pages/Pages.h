// Composed information pages: page set 2 (how to play, from the main menu) and
// page set 3 (the goodbye page at exit), in the player's language.
#pragma once

#include <SDL.h>

#include <string>

#include "render/Bitmap2D.h"

// The script of a page set in a language: "data/order/scriptorder%d_%s.txt".
std::string PageScriptPath(int pageSet, const char* lang);

// The page as a modal screen: prepared on entry, faded in from black, shown
// until a key or mouse button is released, faded out and released on leaving.
struct PageScreen {
  GLBitmap2D picture;
  float fadeIn = 0.0f;   // frame units of fade-in left
  float fadeOut = 0.0f;  // frame units of fade-out left once leaving
  bool leaving = false;
  bool done = false;
};

// Composes the page of the set and cuts it into tiles. Returns 0 (nothing
// to show, nothing held) when there is no page.
int EnterPageScreen(PageScreen& screen, int pageSet);
void PageScreenEvent(PageScreen& screen, const SDL_Event& event);
void UpdatePageScreen(PageScreen& screen, float frameDelta);
void DrawPageScreen(const PageScreen& screen);
void LeavePageScreen(PageScreen& screen);

// Shows the page of the set in the language of the settings and waits for a
// key or button release. Returns 1 after the page was shown, 0 when there was
// no page (after its one message).
int ShowPage(int pageSet);
