// The scene lights: two directional lights from the theme, the menu light,
// and the planar projection that flattens objects into their shadows.
#pragma once

struct ThemeValues;

// The light arrays handed to OpenGL (4 floats each; positions keep w = 0).
struct LightSet {
  float globalAmbient[4] = {0.5f, 0.5f, 0.5f, 1};
  float ambient0[4] = {0, 0, 0, 1};
  float diffuse0[4] = {1, 1, 1, 1};
  float position0[4] = {2, 2, 2, 0};
  float ambient1[4] = {0, 0, 0, 1};
  float diffuse1[4] = {0.2f, 0.2f, 0.5f, 1};
  float position1[4] = {-2, 1, 0, 0};
};

class SceneLights {
 public:
  // Right after the display mode is set: lighting model and lights 0 and 1
  // at their defaults.
  void SetUp();
  void Menu() const;
  // Copies the theme's light values into the arrays and sends them.
  void FromTheme(const ThemeValues& values);
  // Both positions again (they follow the modelview matrix in force).
  void SendPositions() const;
  // Model-view matrix to identity and the lights put back.
  void ResetModelView() const;

  LightSet values;
};

// M = (plane . light) I - light x plane, column order.
void ShadowMatrix(const float plane[4], const float light[4], float out[16]);
