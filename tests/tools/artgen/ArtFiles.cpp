#include "tests/tools/artgen/ArtFiles.h"

#include <algorithm>
#include <filesystem>

#include "tests/support/TestFiles.h"

namespace arttest {

std::string GfxDir() { return testsupport::GameTreeDir() + "/data/gfx/"; }

PngHeader ReadPngHeader(const std::string& path) {
  PngHeader header;
  std::string bytes = testsupport::ReadFile(path);
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() < 33 || bytes.compare(0, 8, reinterpret_cast<const char*>(kSignature), 8) != 0 ||
      bytes.compare(12, 4, "IHDR") != 0)
    return header;
  auto be32 = [&](size_t at) {
    return static_cast<int>((static_cast<unsigned char>(bytes[at]) << 24) | (static_cast<unsigned char>(bytes[at + 1]) << 16) |
                            (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]));
  };
  header.valid = true;
  header.width = be32(16);
  header.height = be32(20);
  int depth = static_cast<unsigned char>(bytes[24]), type = static_cast<unsigned char>(bytes[25]);
  if (depth == 8 && type == 2) header.channels = 3;
  if (depth == 8 && type == 6) header.channels = 4;
  return header;
}

bool ReadModel(const std::string& path, ModelFileData& model) {
  std::string bytes = testsupport::ReadFile(path);
  std::string error;
  return !bytes.empty() &&
         DecodeModelFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), model, error);
}

std::vector<std::string> ListFiles(const std::string& dir) {
  std::vector<std::string> files;
  std::error_code ec;
  for (auto it = std::filesystem::recursive_directory_iterator(dir, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_regular_file()) files.push_back(std::filesystem::relative(it->path(), dir).string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<std::string> ThemeDirs() {
  std::vector<std::string> dirs;
  for (int n = 1; n <= 12; ++n) {
    std::string dir = "theme" + std::to_string(n) + "/";
    if (!testsupport::FileExists(GfxDir() + dir + "theme.ini")) break;
    dirs.push_back(dir);
  }
  return dirs;
}

}  // namespace arttest
