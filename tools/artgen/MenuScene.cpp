#include "tools/artgen/MenuScene.h"

#include <GL/gl.h>

#include <cmath>

#include "engine3d/Texture.h"

namespace artgen {

namespace {
constexpr double kPi = 3.14159265358979323846;
}

bool MenuScene::Load(const std::string& dir) {
  Objet3D::SetObjectDirectory(dir.c_str());
  Objet3D::SetTextureDirectory(dir.c_str());
  const bool mipmapping = Mipmapping();
  SetMipmapping(false);
  bool ok = back.Load("fondmenu.3do") && backTarget.Load("fondmenumorph.3do") && logo.Load("logo.3do") &&
            logoTarget.Load("logomorph.3do");
  SetMipmapping(mipmapping);
  if (!ok) return false;
  backWork.CopyFrom(back);
  float low[3], high[3], centre[3], scale[3];
  logo.BoundingBox(low, high);
  for (int i = 0; i < 3; ++i) {
    centre[i] = (low[i] + high[i]) * 0.5f;
    scale[i] = 0.45f / (high[i] - low[i]);
  }
  logo.Transform(centre, scale);
  logoTarget.Transform(centre, scale);
  logoWork.CopyFrom(logo);
  return backWork.MorphSetup(&back, &backTarget) == 1 && logoWork.MorphSetup(&logo, &logoTarget) == 1;
}

void MenuScene::DrawBackdrop(double T) {
  glClear(GL_DEPTH_BUFFER_BIT);
  backWork.Morph(static_cast<float>((std::cos(T * kPi * 0.015625) + 1.0) * 0.5));
  backWork.Draw();
}

void MenuScene::DrawTitle(double T) {
  glPushMatrix();
  glTranslatef(0, 0.15f, static_cast<float>(0.05 * std::cos(T * kPi * 0.015625)));
  glRotatef(static_cast<float>(16.0 * std::cos(T * kPi * 0.0078125)), 0, 1, 0);
  logoWork.Morph(static_cast<float>((std::cos(T * kPi * 0.03125) + 1.0) * 0.5));
  logoWork.Draw();
  glPopMatrix();
}

void PlaceMenuCameraAndLight() {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0, 0, -1.2f);
  const float position[4] = {0, 0, 2, 0}, black[4] = {0, 0, 0, 1}, white[4] = {1, 1, 1, 1};
  const float globalAmbient[4] = {0.5f, 0.5f, 0.5f, 1.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, globalAmbient);
  glLightfv(GL_LIGHT0, GL_POSITION, position);
  glLightfv(GL_LIGHT0, GL_AMBIENT, black);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
  glEnable(GL_LIGHT0);
  glDisable(GL_LIGHT1);
  glEnable(GL_LIGHTING);
}

}  // namespace artgen
