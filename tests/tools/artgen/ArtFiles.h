// Reading the generated art back in tests: the game tree's data/gfx/, PNG
// headers, model files, directory listings.
#pragma once

#include <string>
#include <vector>

#include "engine3d/ModelFile.h"

namespace arttest {

// build/game/data/gfx/ with the trailing slash.
std::string GfxDir();

struct PngHeader {
  bool valid = false;
  int width = 0;
  int height = 0;
  int channels = 0;  // 3 RGB, 4 RGBA, 0 anything else
};
PngHeader ReadPngHeader(const std::string& path);

bool ReadModel(const std::string& path, ModelFileData& model);

// Regular files below dir (relative paths, sorted), recursively.
std::vector<std::string> ListFiles(const std::string& dir);

// The theme directories shipped: "theme1/", "theme2/", ...
std::vector<std::string> ThemeDirs();


}  // namespace arttest
