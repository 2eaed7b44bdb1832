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
#include "render/LetterImages.h"
#include "render/Lights.h"

namespace {

constexpr char kArrowOffMaterial[] = "theme_arrow_off";
constexpr char kArrowOnMaterial[] = "theme_arrow_on";

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

}  // namespace

void SetMipMappingForLoads(int on) { SetMipmapping(on != 0); }

const char* ThemeKeyName(int key) { return key >= 0 && key < kThemeKeyCount ? kThemeKeys[key] : ""; }

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
  if (count == 0) {
    std::fprintf(stderr, "No theme found: %s1/theme.ini is missing\n", kThemeRoot);
    return 0;
  }
  if (numbered != count) {
    std::fprintf(stderr, "Erreur, les themes doivent avoir des num\xE9ros qui se suivent !\n");
    return 0;
  }
  return count;
}

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

int ReadThemeValues(const char* directory, ThemeValues& values) {
  const std::string path = std::string(directory) + kThemeIniFile;
  ORBConfigFile file;
  if (!file.LoadOrSay(path.c_str())) return 0;
  ApplyThemeValues(file, values);
  return 1;
}

int Themes::Scan() {
  m_count = CountThemes();
  return m_count > 0 ? 1 : 0;
}

int Themes::LoadObjects(int mipMapping) {
  ThemeResources& t = resources;
  for (int k = 0; k < kWallShapeCount; ++k) {
    if (!LoadThemeObject(t.walls[k], kWallPieceFiles[k])) return 0;
    ScaleToSquare(t.walls[k]);
    t.walls[k].BuildDisplayList();
  }
  if (!LoadThemeObject(t.arrow, kArrowModel) || !LoadThemeObject(t.arrowTarget, kArrowMorphModel)) return 0;
  ScaleToSquare(t.arrow);
  ScaleToSquare(t.arrowTarget);
  t.arrowWork.CopyFrom(t.arrow);
  t.arrowWork.MorphSetup(&t.arrow, &t.arrowTarget);
  SetMipMappingForLoads(0);
  const bool background = LoadThemeObject(t.background, kBackgroundModel);
  SetMipMappingForLoads(mipMapping);
  if (!background) return 0;
  t.scenery = PrepareScenery(t.background);
  if (!LoadThemeObject(t.floor, kFloorModel)) return 0;
  Mesh3D* floorMesh = t.floor.FirstMesh();
  t.floorMaterial = floorMesh ? floorMesh->material : nullptr;
  if (t.floorMaterial) {
    t.floorMaterial->flags |= kMaterialBlended;
    t.floorMaterial->blendMode = 5;
  }
  return 1;
}

void Themes::LoadBorderTexture(const std::string& textures, int mipMapping) {
  Texture& t = resources.border;
  if (!t.Load((textures + kBorderTexture).c_str())) return;
  t.wrapS = GL_REPEAT;
  t.wrapT = g_gl.extensions.edgeClamp ? GL_CLAMP_TO_EDGE : GL_CLAMP;
  t.mipmap = mipMapping;
  t.minFilter = mipMapping ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR;
  t.magFilter = GL_LINEAR;
  t.Upload();
}

int Themes::Load(int index, const RenderOptions& options, SceneLights& lights, LetterImages& letters,
                 const LevelSet& levelSet) {
  if (!Exists(index)) return 0;
  Free();
  SetMipMappingForLoads(options.mipMapping);
  char directory[256];
  std::snprintf(directory, sizeof directory, "%s%d/", kThemeRoot, index + 1);
  ThemeResources& t = resources;
  t.directory = directory;
  t.current = index;
  const std::string objects = std::string(directory) + kThemeObjectFolder, textures = std::string(directory) + kThemeTextureFolder;
  Objet3D::SetObjectDirectory(objects.c_str());
  Objet3D::SetTextureDirectory(textures.c_str());
  if (!ReadThemeValues(directory, values)) return 0;
  lights.FromTheme(values);
  if (!LoadObjects(options.mipMapping)) return 0;
  letters.UseTheme(directory, values);
  letters.BuildGroundLetters(levelSet, options);  // the board still shows without them
  if (t.marker.Load((textures + kSelectionTexture).c_str())) t.marker.Upload();
  LoadBorderTexture(textures, options.mipMapping);
  t.arrowOff = MakeArrowMaterial(kArrowOffMaterial, textures + kArrowOffTexture, 0.8f);
  t.arrowOn = MakeArrowMaterial(kArrowOnMaterial, textures + kArrowOnTexture, 1.0f);
  t.loaded = 1;
  return 1;
}

void Themes::Free() {
  ThemeResources& t = resources;
  t.background.Free();
  t.scenery = {};
  t.arrowWork.Free();
  t.arrow.Free();
  t.arrowTarget.Free();
  t.floor.Free();
  for (Objet3D& wall : t.walls) wall.Free();
  t.floorMaterial = nullptr;
  t.border.Reset();
  t.marker.Reset();
  if (t.arrowOff) ReleaseMaterial(t.arrowOff);
  if (t.arrowOn) ReleaseMaterial(t.arrowOn);
  t.arrowOff = t.arrowOn = nullptr;
  t.loaded = 0;
  t.current = -1;
}
