// Themes: the numbered directories "data/gfx/theme1/", "theme2/", ... each
// with its objects, textures, font and "theme.ini"; counted at start-up, one
// loaded at a time.
#pragma once

#include "base/ORBString.h"
#include "engine3d/Objet3D.h"
#include "engine3d/Texture.h"
#include "render/RenderOptions.h"
#include "render/ThemeKeys.h"

class ORBConfigFile;

// The directory layout, file names and "theme.ini" keys: render/ThemeKeys.h.
constexpr const char* kThemeRoot = kThemeDirectoryBase;
const char* ThemeKeyName(int key);

struct ThemeValues {
  float light0Position[3] = {0, 0, 0};
  float light0Ambient[3] = {0, 0, 0};
  float light0Diffuse[3] = {0, 0, 0};
  float light1Position[3] = {0, 0, 0};
  float light1Ambient[3] = {0, 0, 0};
  float light1Diffuse[3] = {0, 0, 0};
  float shadowColor[3] = {0, 0, 0};
  float shadowStrength = 0;
  float reflectStrength = 0;
  float cartoonLineWidth = 0;
  float cartoonColor[3] = {0, 0, 0};
  float cartoonAlpha = 0;
  float groundLetterColor[3] = {0, 0, 0};
  ORBString font = "";
};
extern ThemeValues g_themeValues;

// The objects and textures of the loaded theme.
struct ThemeResources {
  Objet3D walls[16];
  Objet3D arrow, arrowTarget, arrowWork;
  Objet3D background, floor;
  Material* floorMaterial = nullptr;  // the floor object's, shared
  Material* arrowOff = nullptr;
  Material* arrowOn = nullptr;
  Texture border;
  Texture marker;  // "halo2.png", under the hovered arrow
  int loaded = 0;
  int current = -1;
  ORBString directory;
};
extern ThemeResources g_theme;

// The drawing choices from the shell (mip-mapping, mirror, shadows, outlines).
void SetRenderOptions(const RenderOptions& options);
const RenderOptions& CurrentRenderOptions();
// The engine's process-wide mip-mapping switch for the textures that
// materials load from now on.
void SetMipMappingForLoads(int on);

// Counts theme1 .. theme12 that have a "theme.ini". Returns 1 when they are
// numbered 1..count without a gap, else prints the numbering error and 0.
int CountThemes();
int ScanThemes();  // start-up: CountThemes
int ThemeCount();
// Frees the loaded theme and loads theme index (0-based). Returns 1 or 0.
int LoadTheme(int index);
void FreeTheme();
void FreeCurrentTheme();
// Reads directory + "theme.ini" into g_themeValues. Returns 1 or 0.
int ReadThemeValues(const char* directory);
// Every key present and well formed replaces its value; the rest stay.
// Returns the number of keys taken.
int ApplyThemeValues(ORBConfigFile& file, ThemeValues& values);
