// The lines glyphox-view --list prints, read back: one item per cube or arrow.
#pragma once

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace testsupport {

struct ViewerItem {
  std::string kind;  // "cube" or "arrow"
  int index = -1, x = -1, y = -1, px = -1, py = -1;
  bool isStatic = false;
};

inline std::vector<ViewerItem> ParseViewerList(const std::string& text) {
  std::vector<ViewerItem> items;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    ViewerItem item;
    char kind[16] = {};
    if (std::sscanf(line.c_str(), "{\"kind\":\"%15[a-z]\",\"index\":%d,\"square\":[%d,%d],", kind, &item.index, &item.x,
                    &item.y) != 4)
      continue;
    item.kind = kind;
    const size_t pixel = line.find("\"pixel\":[");
    if (pixel == std::string::npos || std::sscanf(line.c_str() + pixel, "\"pixel\":[%d,%d]", &item.px, &item.py) != 2)
      continue;
    item.isStatic = line.find("\"static\":1") != std::string::npos;
    items.push_back(item);
  }
  return items;
}

}  // namespace testsupport
