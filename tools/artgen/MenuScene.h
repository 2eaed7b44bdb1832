// The menu's backdrop and title prepared and animated the way the game's menu
// shows them, for looking at them and testing them without the game: loaded
// from one directory with mip-mapping off, the title fitted into a 0.45-unit
// box axis by axis, both set up to morph.
#pragma once

#include <string>

#include "engine3d/Objet3D.h"

namespace artgen {

struct MenuScene {
  Objet3D back, backTarget, backWork;
  Objet3D logo, logoTarget, logoWork;

  // dir ends with a separator. False when a file does not load or a morph
  // pair does not match.
  bool Load(const std::string& dir);
  // Each draws at animation time T (frame units); the menu camera must be
  // in place.
  void DrawBackdrop(double T);
  void DrawTitle(double T);
};

// The menu camera (1.2 units back) and its single front light.
void PlaceMenuCameraAndLight();

}  // namespace artgen
