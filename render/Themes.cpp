// Theme counting, loading, values and freeing.
#include "render/Themes.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "base/FileAccess.h"
#include "base/ORBConfigFile.h"
#include "engine3d/Material.h"
#include "engine3d/GLContext.h"
#include "puzzle/Board.h"
#include "render/BoardEffects.h"
#include "render/LetterImages.h"
#include "render/Lights.h"

ThemeValues g_themeValues;
ThemeResources g_theme;

namespace {

constexpr char kArrowOffMaterial[] = "theme_arrow_off";
constexpr char kArrowOnMaterial[] = "theme_arrow_on";

int g_themeCount = 0;
RenderOptions g_options;

// "%f" or "%f,%f,%f" with nothing after it; a malformed value changes nothing.
bool ParseFloats(const char* text, float* out, int count) {
  float v[3];
  char rest;
  const int read = count == 3 ? std::sscanf(text, "%f,%f,%f %c", &v[0], &v[1], &v[2], &rest)
                              : std::sscanf(text, "%f %c", &v[0], &rest);
  if (read != count) return false;
  for (int i = 0; i < count; ++i) out[i] = v[i];
  return true;
}

bool LoadThemeObject(Objet3D& object, const char* file) {
  if (object.Load(file)) return true;
  std::fprintf(stderr, "Couldn't load 3D Objet %s\n", file);
  return false;
}

void ScaleToSquare(Objet3D& object) {
  const float centre[3] = {0, 0, 0}, scale[3] = {kSquareSize, kSquareSize, kSquareSize};
  object.Transform(centre, scale);
}


Material* MakeArrowMaterial(const char* name, const std::string& image, float firstColour) {
  Material* material = GetOrCreateMaterial(name);
  material->SetEnvironmentTextureFromFile(image.c_str());
  for (int i = 0; i < 3; ++i) {
    material->ambient[i] = firstColour;
    material->diffuse[i] = 1.0f;
  }
  material->flags = kMaterialEnvironment;
  material->opacity = 1.0f;
  return material;
}

void LoadBorderTexture(const std::string& textures) {
  Texture& t = g_theme.border;
  if (!t.Load((textures + kBorderTexture).c_str())) return;
  t.wrapS = GL_REPEAT;
  t.wrapT = g_glExtensions.edgeClamp ? GL_CLAMP_TO_EDGE : GL_CLAMP;
  t.mipmap = g_options.mipMapping;
  t.minFilter = g_options.mipMapping ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR;
  t.magFilter = GL_LINEAR;
  t.Upload();
}

int LoadObjects() {
  for (int k = 0; k < kWallShapeCount; ++k) {
    if (!LoadThemeObject(g_theme.walls[k], kWallPieceFiles[k])) return 0;
    ScaleToSquare(g_theme.walls[k]);
    g_theme.walls[k].BuildDisplayList();
  }
  if (!LoadThemeObject(g_theme.arrow, kArrowModel) || !LoadThemeObject(g_theme.arrowTarget, kArrowMorphModel))
    return 0;
  ScaleToSquare(g_theme.arrow);
  ScaleToSquare(g_theme.arrowTarget);
  g_theme.arrowWork.CopyFrom(g_theme.arrow);
  g_theme.arrowWork.MorphSetup(&g_theme.arrow, &g_theme.arrowTarget);
  SetMipMappingForLoads(0);
  const bool background = LoadThemeObject(g_theme.background, kBackgroundModel);
  SetMipMappingForLoads(g_options.mipMapping);
  if (!background) return 0;
  g_theme.background.BuildDisplayList();
  if (!LoadThemeObject(g_theme.floor, kFloorModel)) return 0;
  Mesh3D* floorMesh = g_theme.floor.FirstMesh();
  g_theme.floorMaterial = floorMesh ? floorMesh->material : nullptr;
  if (g_theme.floorMaterial) {
    g_theme.floorMaterial->flags |= kMaterialBlended;
    g_theme.floorMaterial->blendMode = 5;
  }
  return 1;
}

}  // namespace

void SetMipMappingForLoads(int on) { SetMipmapping(on != 0); }

const char* ThemeKeyName(int key) { return key >= 0 && key < kThemeKeyCount ? kThemeKeys[key] : ""; }

void SetRenderOptions(const RenderOptions& options) { g_options = options; }
const RenderOptions& CurrentRenderOptions() { return g_options; }

int CountThemes() {
  bool found[kMaxThemes + 1] = {};
  int count = 0;
  for (int n = 1; n <= kMaxThemes; ++n) {
    char path[256];
    std::snprintf(path, sizeof path, "%s%d/%s", kThemeRoot, n, kThemeIniFile);
    if (FILE* file = OpenGameFile(path, "rb")) {
      std::fclose(file);
      found[n] = true;
      ++count;
    }
  }
  int numbered = 0;
  for (int n = 1; n <= count; ++n) numbered += found[n] ? 1 : 0;
  g_themeCount = count;
  if (count == 0) {
    std::fprintf(stderr, "No theme found: %s1/theme.ini is missing\n", kThemeRoot);
    return 0;
  }
  if (numbered != count) {
    std::fprintf(stderr, "Erreur, les themes doivent avoir des num\xE9ros qui se suivent !\n");
    g_themeCount = 0;
    return 0;
  }
  return 1;
}

int ScanThemes() { return CountThemes(); }
int ThemeCount() { return g_themeCount; }

int ApplyThemeValues(ORBConfigFile& file, ThemeValues& v) {
  float* const triples[kThemeKeyCount] = {v.light0Position, v.light0Ambient, v.light0Diffuse, v.light1Position,
                                          v.light1Ambient,  v.light1Diffuse, v.shadowColor,   nullptr,
                                          nullptr,          nullptr,         v.cartoonColor,  nullptr,
                                          v.groundLetterColor, nullptr};
  float* const singles[kThemeKeyCount] = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                          &v.shadowStrength, &v.reflectStrength, &v.cartoonLineWidth, nullptr,
                                          &v.cartoonAlpha, nullptr, nullptr};
  int taken = 0;
  for (int key = 0; key < kThemeKeyCount; ++key) {
    ORBString value;
    if (!file.GetValue(kThemeKeys[key], value)) continue;
    if (key == kKeyFont) {
      v.font = value;
      ++taken;
    } else if (triples[key] ? ParseFloats(value.c_str(), triples[key], 3) : ParseFloats(value.c_str(), singles[key], 1)) {
      ++taken;
    }
  }
  return taken;
}

int ReadThemeValues(const char* directory) {
  const std::string path = std::string(directory) + kThemeIniFile;
  ORBConfigFile file;
  if (!file.Load(path.c_str())) {
    std::fprintf(stderr, "Configuration File %s not found\n", path.c_str());
    return 0;
  }
  ApplyThemeValues(file, g_themeValues);
  return 1;
}

int LoadTheme(int index) {
  if (index < 0 || index >= g_themeCount) return 0;
  FreeTheme();
  SetMipMappingForLoads(g_options.mipMapping);
  char directory[256];
  std::snprintf(directory, sizeof directory, "%s%d/", kThemeRoot, index + 1);
  g_theme.directory = directory;
  g_theme.current = index;
  const std::string objects = std::string(directory) + kThemeObjectFolder, textures = std::string(directory) + kThemeTextureFolder;
  Objet3D::SetObjectDirectory(objects.c_str());
  Objet3D::SetTextureDirectory(textures.c_str());
  if (!ReadThemeValues(directory)) return 0;
  ThemeLights(g_themeValues);
  if (!LoadObjects()) return 0;
  BuildGroundLetters(directory, g_options);  // the board still shows without them
  if (g_theme.marker.Load((textures + kSelectionTexture).c_str())) g_theme.marker.Upload();
  LoadBorderTexture(textures);
  g_theme.arrowOff = MakeArrowMaterial(kArrowOffMaterial, textures + kArrowOffTexture, 0.8f);
  g_theme.arrowOn = MakeArrowMaterial(kArrowOnMaterial, textures + kArrowOnTexture, 1.0f);
  g_theme.loaded = 1;
  return 1;
}

void FreeTheme() {
  FreeOutlineLists();
  FreeGroundLetters();
  FreeFaceResources();
  g_theme.background.Free();
  g_theme.arrowWork.Free();
  g_theme.arrow.Free();
  g_theme.arrowTarget.Free();
  g_theme.floor.Free();
  for (Objet3D& wall : g_theme.walls) wall.Free();
  g_theme.floorMaterial = nullptr;
  g_theme.border.Reset();
  g_theme.marker.Reset();
  if (g_theme.arrowOff) ReleaseMaterial(g_theme.arrowOff);
  if (g_theme.arrowOn) ReleaseMaterial(g_theme.arrowOn);
  g_theme.arrowOff = g_theme.arrowOn = nullptr;
  g_theme.loaded = 0;
  g_theme.current = -1;
}

void FreeCurrentTheme() { FreeTheme(); }
