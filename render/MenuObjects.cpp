// Menu backdrop and title, pointer and glow textures.
#include "render/MenuObjects.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "base/Math.h"
#include "engine3d/Objet3D.h"
#include "engine3d/Texture.h"
#include "render/Themes.h"

namespace {

constexpr char kMenuDirectory[] = "data/gfx/2d/";

bool LoadMenuObject(Objet3D& object, const char* file) {
  if (object.Load(file)) return true;
  std::fprintf(stderr, "Couldn't load 3D Objet %s\n", file);
  return false;
}

void LoadTexture(Texture& texture, const char* file) {
  const std::string path = std::string(kMenuDirectory) + file;
  if (texture.Load(path.c_str())) texture.Upload();
}

GLuint NameOf(const Texture& t) { return t.HasName() ? static_cast<GLuint>(t.glName) : 0; }

}  // namespace

struct MenuObjects::Loaded {
  Objet3D back, backTarget, backWork;
  Objet3D logo, logoTarget, logoWork;
  Texture pointer, glow;
  int loaded = 0;

  // Both logo objects fill a 0.45-unit box, each axis on its own.
  void FitLogo() {
    float low[3], high[3], centre[3], scale[3];
    logo.BoundingBox(low, high);
    for (int i = 0; i < 3; ++i) {
      centre[i] = (low[i] + high[i]) * 0.5f;
      const float extent = high[i] - low[i];
      scale[i] = extent > 0 ? 0.45f / extent : 1.0f;
    }
    logo.Transform(centre, scale);
    logoTarget.Transform(centre, scale);
  }
};

MenuObjects::MenuObjects() = default;
MenuObjects::~MenuObjects() = default;

int MenuObjects::Load(int mipMapping) {
  Free();
  m_objects = std::make_unique<Loaded>();
  Loaded& m = *m_objects;
  Objet3D::SetObjectDirectory(kMenuDirectory);
  Objet3D::SetTextureDirectory(kMenuDirectory);
  SetMipMappingForLoads(0);
  bool ok = LoadMenuObject(m.back, "fondmenu.3do") && LoadMenuObject(m.backTarget, "fondmenumorph.3do") &&
            LoadMenuObject(m.logo, "logo.3do") && LoadMenuObject(m.logoTarget, "logomorph.3do");
  SetMipMappingForLoads(mipMapping);
  if (!ok) return 0;
  m.backWork.CopyFrom(m.back);
  m.backWork.MorphSetup(&m.back, &m.backTarget);
  m.FitLogo();
  m.logoWork.CopyFrom(m.logo);
  m.logoWork.MorphSetup(&m.logo, &m.logoTarget);
  m.logoWork.ComputeAdjacency();
  m.logoWork.ComputeFlatNormals();
  m.logoWork.ComputeEdgeFlags(0.7071f);
  LoadTexture(m.pointer, "pointeur.png");
  LoadTexture(m.glow, "particule1.png");
  m.loaded = 1;
  return 1;
}

void MenuObjects::Free() { m_objects.reset(); }

void MenuObjects::DrawBackground(float T) {
  if (!m_objects || !m_objects->loaded) return;
  glClear(GL_DEPTH_BUFFER_BIT);
  m_objects->backWork.Morph(static_cast<float>((std::cos(T * kPi * 0.015625) + 1.0) * 0.5));
  m_objects->backWork.Draw();
}

void MenuObjects::DrawTitle(float T) {
  if (!m_objects || !m_objects->loaded) return;
  glPushMatrix();
  glTranslatef(0, 0.15f, static_cast<float>(0.05 * std::cos(T * kPi * 0.015625)));
  glRotatef(static_cast<float>(16.0 * std::cos(T * kPi * 0.0078125)), 0, 1, 0);
  m_objects->logoWork.Morph(static_cast<float>((std::cos(T * kPi * 0.03125) + 1.0) * 0.5));
  m_objects->logoWork.Draw();
  glPopMatrix();
}

GLuint MenuObjects::GlowTexture() const { return m_objects ? NameOf(m_objects->glow) : 0; }
GLuint MenuObjects::PointerTexture() const { return m_objects ? NameOf(m_objects->pointer) : 0; }
