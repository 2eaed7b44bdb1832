#include "text/TextSystem.h"

#include <SDL_ttf.h>

#include <cstdio>

int InitTextSystem() {
  if (TTF_Init() < 0) {
    std::fprintf(stderr, "Couldn't initialize TTF: %s\n", TTF_GetError());
    return 0;
  }
  return 1;
}

void QuitTextSystem() { TTF_Quit(); }

// The fonts themselves come with the text renderer; until then these succeed.
int SetUpFonts(int, int) { return 1; }
void ReleaseMenuFontCache() {}
void UploadMenuFont() {}
void FreeFonts() {}
