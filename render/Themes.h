// Themes: the numbered directories "data/gfx/theme1/", "theme2/", ... each
// with its objects, textures, font and "theme.ini"; counted at start-up, one
// loaded at a time.
#pragma once

#include <string>

#include "base/ORBString.h"
#include "engine3d/Objet3D.h"
#include "engine3d/Texture.h"
#include "render/RenderOptions.h"
#include "render/Scenery.h"
#include "render/ThemeKeys.h"

class LetterImages;
class ORBConfigFile;
class SceneLights;
struct LevelSet;

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

// The objects and textures of the loaded theme.
struct ThemeResources {
  Objet3D walls[16];
  Objet3D arrow, arrowTarget, arrowWork;
  Objet3D background, floor;
  Scenery scenery;  // of background
  Material* floorMaterial = nullptr;  // the floor object's, shared
  Material* arrowOff = nullptr;
  Material* arrowOn = nullptr;
  Texture border;
  Texture marker;  // "halo2.png", under the hovered arrow
  int loaded = 0;
  int current = -1;
  ORBString directory;
};

// The engine's process-wide mip-mapping switch for the textures that
// materials load from now on.
void SetMipMappingForLoads(int on);

// Counts theme1 .. theme12 that have a "theme.ini". Returns the count when
// they are numbered 1..count without a gap, else prints the numbering error
// (or that there is none) and returns 0.
int CountThemes();
// Reads directory + "theme.ini" into values. Returns 1 or 0.
int ReadThemeValues(const char* directory, ThemeValues& values);
// Every key present and well formed replaces its value; the rest stay.
// Returns the number of keys taken.
int ApplyThemeValues(ORBConfigFile& file, ThemeValues& values);

// The themes found at start-up and the one loaded, with its values.
class Themes {
 public:
  Themes() = default;
  ~Themes() { Free(); }
  Themes(const Themes&) = delete;
  Themes& operator=(const Themes&) = delete;

  // Start-up: CountThemes. Returns 1, or 0 after its message.
  int Scan();
  int Count() const { return m_count; }
  bool Exists(int index) const { return index >= 0 && index < m_count; }
  // Loads theme index (0-based) over what is loaded: its values, objects and
  // textures; sends its lights and makes its ground letters on the way.
  // Returns 1 or 0.
  int Load(int index, const RenderOptions& options, SceneLights& lights, LetterImages& letters,
           const LevelSet& levelSet);
  void Free();
  bool Loaded() const { return resources.loaded != 0; }
  int Current() const { return resources.current; }

  ThemeValues values;
  ThemeResources resources;

 private:
  int LoadObjects(int mipMapping);
  void LoadBorderTexture(const std::string& textures, int mipMapping);

  int m_count = 0;
};
