// The text library's start and end, and font styles.
#include "text/TextSystem.h"

#include <SDL_ttf.h>

#include <cstdio>

#include "config/Settings.h"

int InitTextSystem() {
  if (TTF_Init() < 0) {
    std::fprintf(stderr, "Couldn't initialize TTF: %s\n", TTF_GetError());
    return 0;
  }
  return 1;
}

void QuitTextSystem() {
  if (TTF_WasInit()) TTF_Quit();
}

void ApplyFontStyleColours(GLFontTrueType& font, int style) {
  if (style < 0 || style >= kFontStyleCount) return;
  const FontStyleRecord& record = g_settings.fontStyles[style];
  for (int i = 0; i < 3; ++i) {
    font.top[i] = record.top[i];
    font.bottom[i] = record.bottom[i];
    font.shadow[i] = 0.0f;
  }
  font.alpha = 1.0f;
  font.shadowOffset[0] = record.shadowOffset[0];
  font.shadowOffset[1] = record.shadowOffset[1];
}

int OpenFontStyle(GLFontTrueType& font, int style) {
  if (style < 0 || style >= kFontStyleCount) return 0;
  ApplyFontStyleColours(font, style);
  return font.Open(g_settings.fontStyles[style].face, g_settings.fontStyles[style].size);
}
