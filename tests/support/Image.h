// An RGB picture read back from the screen or a file, for pixel checks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

struct Rgb {
  uint8_t r, g, b;
};

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // rows from the top, 3 bytes a pixel

  bool Empty() const { return width == 0 || height == 0; }
  Rgb At(int x, int y) const;
  // Mean colour of a rectangle (clipped to the picture).
  Rgb Mean(int x, int y, int w, int h) const;
  // Number of pixels that are not black.
  int CountLit(int threshold = 8) const;
  // Number of pixels of a rectangle (clipped) that pass the test.
  int Count(int x, int y, int w, int h, const std::function<bool(Rgb)>& test) const;
  // Number of pixels of a rectangle that differ from the other picture's by
  // more than 60 over the three channels.
  int CountDifferent(const Image& other, int x, int y, int w, int h) const;

  // 24-bit BMP, the game's own screenshot format.
  bool SaveBmp(const std::string& path) const;
  static Image LoadBmp(const std::string& path);
};

}  // namespace testsupport
