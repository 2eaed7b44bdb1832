#include "tests/tools/ArtFiles.h"

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

const char* const kWallFiles[16] = {
    "mur_Blocf.3do",  "mur_Blocdgo.3do", "mur_Blochbo.3do", "mur_Blocco.3do", "mur_Blocdbo.3do", "mur_Blocbgo.3do",
    "mur_Blochdo.3do", "mur_Blochgo.3do", "mur_Blocdo.3do", "mur_Blocgo.3do",  "mur_Blocbo.3do",  "mur_Blocho.3do",
    "mur_Blocgf.3do", "mur_Blocdf.3do",  "mur_Blochf.3do", "mur_Blocbf.3do"};

// alone, horizontal, vertical, inside, south_east, south_west, north_east,
// north_west, east_open, west_open, south_open, north_open, west_close,
// east_close, north_close, south_close.
const int kWallSides[16] = {0, 2 | 8, 1 | 4, 15, 4 | 2, 4 | 8, 1 | 2, 1 | 8, 2, 8, 4, 1, 1 | 4 | 2, 1 | 4 | 8, 8 | 2 | 4, 8 | 2 | 1};

}  // namespace arttest
