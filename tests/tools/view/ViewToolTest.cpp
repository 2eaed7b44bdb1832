// glyphox-view from the command line: what --list reports picks back to
// itself through --pick, the picture is written, and bad options are refused.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/Image.h"
#include "tests/support/TestFiles.h"
#include "tests/support/ViewerList.h"

using testsupport::RunProgram;
using testsupport::TempDir;
using testsupport::ParseViewerList;
using testsupport::ViewerItem;

namespace {

std::string Viewer() { return std::string(std::getenv("GLYPHOX_BINARY_DIR")) + "/tools/view/glyphox-view"; }
std::string Levels() { return testsupport::GameTreeDir() + "/data/level/english.lvl"; }

TEST(ViewTool, WhatItListsPicksBackToItself) {
  TempDir dir;
  const std::vector<std::string> level = {Viewer(), Levels(), "0", dir / "level.bmp", "--seed", "5", "--size", "640x480"};
  std::string listed;
  std::vector<std::string> listing = level;
  listing.push_back("--list");
  ASSERT_EQ(RunProgram(listing, &listed), 0);
  const std::vector<ViewerItem> items = ParseViewerList(listed);
  ASSERT_GE(items.size(), 4u) << listed;
  const testsupport::Image picture = testsupport::Image::LoadBmp(dir / "level.bmp");
  EXPECT_EQ(picture.width, 640);
  EXPECT_GT(picture.CountLit(), 640 * 480 / 2);
  for (const ViewerItem& item : items) {
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
