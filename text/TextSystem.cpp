// The text library's start and end, font styles and the menu font.
#include "text/TextSystem.h"

#include <SDL_ttf.h>

#include <cstdio>

#include "config/Settings.h"

namespace {

constexpr int kMenuUnit = 24;

GLFontTrueType g_menuFont;
MenuTextMetrics g_menuMetrics;

}  // namespace

int InitTextSystem() {
  if (TTF_Init() < 0) {
    std::fprintf(stderr, "Couldn't initialize TTF: %s\n", TTF_GetError());
    return 0;
  }
  return 1;
}

void QuitTextSystem() {
  // Faces must be closed while the library still runs.
  g_menuFont.Close();
  if (TTF_WasInit()) TTF_Quit();
}

void ApplyFontStyleColours(GLFontTrueType& font, int style) {
  if (style < 0 || style >= kFontStyleCount) return;
  const FontStyleRecord& record = g_fontStyles[style];
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
  return font.Open(g_fontStyles[style].face, g_fontStyles[style].size);
}

const MenuTextMetrics& MenuMetrics() { return g_menuMetrics; }

void SetMenuScreenSize(int width, int height) {
  g_menuMetrics.screenWidth = width;
  g_menuMetrics.screenHeight = height;
}

int SetUpFonts(int width, int height) {
  SetMenuScreenSize(width, height);
  g_menuMetrics.unit = kMenuUnit;
  if (!OpenFontStyle(g_menuFont, kFontMenuBig)) return 0;
  g_menuMetrics.fontHeight = g_menuFont.Size();
  return 1;
}

GLFontTrueType& MenuFont() { return g_menuFont; }

void ReleaseMenuFontCache() {
  g_menuFont.ReleaseTextures();
  g_menuFont.Clear();
}

void UploadMenuFont() { g_menuFont.Upload(); }

void FreeFonts() { g_menuFont.Close(); }
