// The player's drawing choices the renderer needs, filled by the shell from
// its settings: the renderer itself never reads the settings file.
#pragma once

struct RenderOptions {
  int reflect = 0;     // mirror image in the floor
  int shadow = 0;      // 0 none, 1 false shadows under the arrows, 2 real shadows
  int cartoon = 0;     // outlines along the models' marked edges
  int mipMapping = 1;  // mip-mapped textures for themes and letter images
  // Takes the shortcuts that keep the picture: leaves out what cannot show
  // (the mirror outside the floor, cubes out of view) and draws the walls in
  // one batch. 0 draws everything, piece by piece: the picture the shortcuts
  // must keep, and the benchmarks' "before".
  int skipUnseen = 1;
};
