// glyphox-view from the command line: what --list reports picks back to
// itself through --pick, the picture is written, and bad options are refused.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/Image.h"
#include "tests/support/TestFiles.h"

using testsupport::RunProgram;
using testsupport::TempDir;

namespace {

std::string Viewer() { return std::string(std::getenv("GLYPHOX_BINARY_DIR")) + "/tools/view/glyphox-view"; }
std::string Levels() { return testsupport::GameTreeDir() + "/data/level/english.lvl"; }

struct Listed {
  std::string kind;
  int index = -1, x = -1, y = -1, px = -1, py = -1;
};

std::vector<Listed> ParseList(const std::string& text) {
  std::vector<Listed> items;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    Listed item;
    char kind[16] = {};
    if (std::sscanf(line.c_str(), "{\"kind\":\"%15[a-z]\",\"index\":%d,\"square\":[%d,%d],", kind, &item.index, &item.x,
                    &item.y) != 4)
      continue;
    item.kind = kind;
    const size_t pixel = line.find("\"pixel\":[");
    if (pixel == std::string::npos || std::sscanf(line.c_str() + pixel, "\"pixel\":[%d,%d]", &item.px, &item.py) != 2)
      continue;
    items.push_back(item);
  }
  return items;
}

TEST(ViewTool, WhatItListsPicksBackToItself) {
  TempDir dir;
  const std::vector<std::string> level = {Viewer(), Levels(), "0", dir / "level.bmp", "--seed", "5", "--size", "640x480"};
  std::string listed;
  std::vector<std::string> listing = level;
  listing.push_back("--list");
  ASSERT_EQ(RunProgram(listing, &listed), 0);
  const std::vector<Listed> items = ParseList(listed);
  ASSERT_GE(items.size(), 4u) << listed;
  const testsupport::Image picture = testsupport::Image::LoadBmp(dir / "level.bmp");
  EXPECT_EQ(picture.width, 640);
  EXPECT_GT(picture.CountLit(), 640 * 480 / 2);
  for (const Listed& item : items) {
    std::vector<std::string> pick = level;
    pick.push_back("--pick");
    pick.push_back(std::to_string(item.px) + "," + std::to_string(item.py));
    std::string answer;
    ASSERT_EQ(RunProgram(pick, &answer), 0);
    const std::string expected = "\"kind\":\"" + item.kind + "\",\"index\":" + std::to_string(item.index) +
                                 ",\"square\":[" + std::to_string(item.x) + "," + std::to_string(item.y) + "]";
    EXPECT_NE(answer.find(expected), std::string::npos) << answer << " for " << item.kind << " " << item.index;
  }
  std::string nothing;
  std::vector<std::string> corner = level;
  corner.insert(corner.end(), {"--pick", "1,1"});
  ASSERT_EQ(RunProgram(corner, &nothing), 0);
  EXPECT_NE(nothing.find("\"kind\":\"nothing\",\"index\":-1"), std::string::npos) << nothing;
}

TEST(ViewTool, RefusesBadOptionsAndImpossibleMoves) {
  TempDir dir;
  EXPECT_EQ(RunProgram({Viewer(), Levels(), "0", dir / "a.bmp", "--shadow", "3"}), 2);
  EXPECT_EQ(RunProgram({Viewer(), Levels(), "0", dir / "a.bmp", "--moves", "n x"}), 2);
  EXPECT_EQ(RunProgram({Viewer(), Levels(), "9999", dir / "a.bmp"}), 1);
  // Level 1 without shuffle: B E E on a row, B cannot roll East into E.
  EXPECT_EQ(RunProgram({Viewer(), Levels(), "0", dir / "a.bmp", "--no-mix", "--no-vary", "--moves", "e"}), 1);
  EXPECT_EQ(RunProgram({Viewer(), Levels(), "0", dir / "a.bmp", "--no-mix", "--no-vary", "--moves", "n s"}), 0);
}

}  // namespace
