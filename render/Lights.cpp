// The scene lights and the planar shadow projection.
#include "render/Lights.h"

#include <GL/gl.h>

#include <cstring>

#include "render/Themes.h"

namespace {

void SendLight(GLenum light, const float* ambient, const float* diffuse, const float* position) {
  glLightfv(light, GL_AMBIENT, ambient);
  glLightfv(light, GL_DIFFUSE, diffuse);
  glLightfv(light, GL_POSITION, position);
  glEnable(light);
}

}  // namespace

void SceneLights::SetUp() {
  values = LightSet();
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, values.globalAmbient);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
  glEnable(GL_LIGHTING);
  glDisable(GL_COLOR_MATERIAL);
  SendLight(GL_LIGHT0, values.ambient0, values.diffuse0, values.position0);
  SendLight(GL_LIGHT1, values.ambient1, values.diffuse1, values.position1);
  glClearColor(0, 0, 0, 1);
}

void SceneLights::Menu() const {
  const float position[4] = {0, 0, 2, 0}, black[4] = {0, 0, 0, 1}, white[4] = {1, 1, 1, 1};
  SendLight(GL_LIGHT0, black, white, position);
  glDisable(GL_LIGHT1);
}

void SceneLights::FromTheme(const ThemeValues& v) {
  std::memcpy(values.position0, v.light0Position, 3 * sizeof(float));
  std::memcpy(values.ambient0, v.light0Ambient, 3 * sizeof(float));
  std::memcpy(values.diffuse0, v.light0Diffuse, 3 * sizeof(float));
  std::memcpy(values.position1, v.light1Position, 3 * sizeof(float));
  std::memcpy(values.ambient1, v.light1Ambient, 3 * sizeof(float));
  std::memcpy(values.diffuse1, v.light1Diffuse, 3 * sizeof(float));
  SendLight(GL_LIGHT0, values.ambient0, values.diffuse0, values.position0);
  SendLight(GL_LIGHT1, values.ambient1, values.diffuse1, values.position1);
}

void SceneLights::SendPositions() const {
  glLightfv(GL_LIGHT0, GL_POSITION, values.position0);
  glLightfv(GL_LIGHT1, GL_POSITION, values.position1);
}

void SceneLights::ResetModelView() const {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  SendLight(GL_LIGHT0, values.ambient0, values.diffuse0, values.position0);
  SendLight(GL_LIGHT1, values.ambient1, values.diffuse1, values.position1);
}

void ShadowMatrix(const float plane[4], const float light[4], float out[16]) {
  const float dot = plane[0] * light[0] + plane[1] * light[1] + plane[2] * light[2] + plane[3] * light[3];
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 4; ++row)
      out[column * 4 + row] = (row == column ? dot : 0.0f) - light[row] * plane[column];
}
