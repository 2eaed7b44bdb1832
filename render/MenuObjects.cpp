// Menu backdrop and title, pointer and glow textures.
#include "render/MenuObjects.h"

#include <cmath>
#include <cstdio>

#include "engine3d/Objet3D.h"
#include "engine3d/Texture.h"
#include "render/BoardScene.h"
#include "render/SceneLists.h"
#include "render/Themes.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr char kMenuDirectory[] = "data/gfx/2d/";

struct MenuObjects {
  Objet3D back, backTarget, backWork;
  Objet3D logo, logoTarget, logoWork;
  Texture pointer, glow;
  int loaded = 0;
};
MenuObjects* g_menu = nullptr;

bool LoadMenuObject(Objet3D& object, const char* file) {
  if (object.Load(file)) return true;
  std::fprintf(stderr, "Couldn't load 3D Objet %s\n", file);
  return false;
}

// Both logo objects fill a 0.45-unit box, each axis on its own.
void FitLogo(MenuObjects& m) {
  float low[3], high[3], centre[3], scale[3];
  m.logo.BoundingBox(low, high);
  for (int i = 0; i < 3; ++i) {
    centre[i] = (low[i] + high[i]) * 0.5f;
    const float extent = high[i] - low[i];
    scale[i] = extent > 0 ? 0.45f / extent : 1.0f;
  }
  m.logo.Transform(centre, scale);
  m.logoTarget.Transform(centre, scale);
}

void LoadTexture(Texture& texture, const char* file) {
  const std::string path = std::string(kMenuDirectory) + file;
  if (texture.Load(path.c_str())) texture.Upload();
}

GLuint NameOf(const Texture& t) { return t.HasName() ? static_cast<GLuint>(t.glName) : 0; }

}  // namespace

int LoadMenuObjects() {
  FreeMenuObjects();
  g_menu = new MenuObjects;
  MenuObjects& m = *g_menu;
  Objet3D::SetObjectDirectory(kMenuDirectory);
  Objet3D::SetTextureDirectory(kMenuDirectory);
  SetMipMappingForLoads(0);
  bool ok = LoadMenuObject(m.back, "fondmenu.3do") && LoadMenuObject(m.backTarget, "fondmenumorph.3do") &&
            LoadMenuObject(m.logo, "logo.3do") && LoadMenuObject(m.logoTarget, "logomorph.3do");
  SetMipMappingForLoads(CurrentRenderOptions().mipMapping);
  if (!ok) return 0;
  m.backWork.CopyFrom(m.back);
  m.backWork.MorphSetup(&m.back, &m.backTarget);
  FitLogo(m);
  m.logoWork.CopyFrom(m.logo);
  m.logoWork.MorphSetup(&m.logo, &m.logoTarget);
  m.logoWork.ComputeAdjacency();
  m.logoWork.ComputeFlatNormals();
  m.logoWork.ComputeEdgeFlags(0.7071f);
  LoadTexture(m.pointer, "pointeur.png");
  LoadTexture(m.glow, "particule1.png");
  GenerateLevelListNames();
  m.loaded = 1;
  return 1;
}

void FreeMenuObjects() {
  delete g_menu;
  g_menu = nullptr;
  FreeBoardScene();
}

void DrawMenuBackground(float T) {
  if (!g_menu || !g_menu->loaded) return;
  glClear(GL_DEPTH_BUFFER_BIT);
  g_menu->backWork.Morph(static_cast<float>((std::cos(T * kPi * 0.015625) + 1.0) * 0.5));
  g_menu->backWork.Draw();
}

void DrawMenuTitle(float T) {
  if (!g_menu || !g_menu->loaded) return;
  glPushMatrix();
  glTranslatef(0, 0.15f, static_cast<float>(0.05 * std::cos(T * kPi * 0.015625)));
  glRotatef(static_cast<float>(16.0 * std::cos(T * kPi * 0.0078125)), 0, 1, 0);
  g_menu->logoWork.Morph(static_cast<float>((std::cos(T * kPi * 0.03125) + 1.0) * 0.5));
  g_menu->logoWork.Draw();
  glPopMatrix();
}

GLuint GlowTextureName() { return g_menu ? NameOf(g_menu->glow) : 0; }
GLuint PointerTextureName() { return g_menu ? NameOf(g_menu->pointer) : 0; }
