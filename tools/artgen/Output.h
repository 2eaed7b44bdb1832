// Where the generated files go: one root directory (the game's data/gfx/), the
// files written below it by relative path, and the first failure.
#pragma once

#include <string>
#include <vector>

#include "engine3d/ModelFile.h"
#include "tools/artgen/Raster.h"

namespace artgen {

class Output {
 public:
  explicit Output(std::string root) : m_root(std::move(root)) {}

  // PNG with 3 (RGB) or 4 (RGBA) channels.
  void Png(const std::string& relative, const Raster& image, int channels);
  void Model(const std::string& relative, const ModelFileData& model);
  void Text(const std::string& relative, const std::string& content);

  bool Failed() const { return !m_error.empty(); }
  const std::string& Error() const { return m_error; }
  const std::vector<std::string>& Files() const { return m_files; }

 private:
  std::string Prepare(const std::string& relative);
  void Fail(const std::string& message);

  std::string m_root;
  std::string m_error;
  std::vector<std::string> m_files;
};

// Encodes a PNG file image: 8 bits a channel, no time stamp, fixed
// compression, so equal pictures give equal bytes.
std::vector<unsigned char> EncodePng(const Raster& image, int channels);

}  // namespace artgen
