// glyphox-level as a real process: headless play from commands, build and
// dump of level files, and the checks of every level of a set, including
// the shipped ones.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <sstream>

#include "tests/support/TestFiles.h"

using namespace testsupport;

namespace {

std::string Tool() { return std::string(std::getenv("GLYPHOX_BINARY_DIR")) + "/tools/level/glyphox-level"; }

struct Result {
  int status;
  std::string out;
  std::string err;
  std::vector<std::string> lines;  // of out
};

// Runs the tool with the arguments (quoted for the shell) and the input.
Result RunTool(const TempDir& dir, const std::vector<std::string>& args, const std::string& input = "") {
  WriteFile(dir / "input.txt", input);
  std::string command = "'" + Tool() + "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  command += " < '" + (dir / "input.txt") + "' 2> '" + (dir / "err.txt") + "'";
  Result result;
  result.status = RunProgram({"/bin/sh", "-c", command}, &result.out);
  result.err = ReadFile(dir / "err.txt");
  std::istringstream lines(result.out);
  std::string line;
  while (std::getline(lines, line)) result.lines.push_back(line);
  return result;
}

// The text of a JSON field in a line of "show", up to the next field.
std::string Field(const std::string& line, const std::string& name) {
  const std::string key = "\"" + name + "\":";
  size_t start = line.find(key);
  if (start == std::string::npos) return "<missing>";
  start += key.size();
  int depth = 0;
  size_t end = start;
  for (; end < line.size(); ++end) {
    const char c = line[end];
    if (c == '[' || c == '{') ++depth;
    if (c == ']' || c == '}') {
      if (depth == 0) break;
      --depth;
    }
    if (c == ',' && depth == 0) break;
  }
  return line.substr(start, end - start);
}

// Move targets depend on which cube is selected; the board without them.
std::string WithoutTargets(const std::string& cells) {
  return std::regex_replace(cells, std::regex("\\b1[6-9]\\b"), "22");
}

class LevelTool : public ::testing::Test {
 protected:
  // Builds the source into dir/levels.lvl.
  void Build(const std::string& source) {
    ASSERT_TRUE(WriteFile(dir / "levels.txt", source));
    Result built = RunTool(dir, {"build", dir / "levels.txt", Level()});
    ASSERT_EQ(built.status, 0) << built.err;
  }
  std::string Level() const { return dir / "levels.lvl"; }

  TempDir dir;
};

const char* const kCat =
    "level\ncode CATAA\nboard\n.......\n.CAT...\n.......\n.......\nword CAT 1 1 h\nend\n"
    "level\ncode LOOPX\nboard\n....\n.X..\n....\nword X 1 1 h\nend\n";

}  // namespace

TEST_F(LevelTool, PlayRollsUndoesRefusesAndShowsTheState) {
  Build(kCat);
  Result r = RunTool(dir, {"play", Level(), "0", "--no-vary", "--no-mix"},
                 "show\nselect 3 1\nmove s\nshow\nmove n\nmove n\nundo\nshow\njump\nmove w\nselect 0 0\nshow\n");
  EXPECT_EQ(r.status, 0);
  ASSERT_EQ(r.lines.size(), 4u) << r.out;
  const std::string& start = r.lines[0];
  EXPECT_EQ(Field(start, "moves"), "0");
  EXPECT_EQ(Field(start, "formed"), "1");
  EXPECT_EQ(Field(start, "words"), "[\"CAT\"]");
  EXPECT_EQ(Field(start, "found"), "[1]");
  EXPECT_EQ(Field(start, "selected"), "0");
  EXPECT_EQ(Field(start, "width"), "7");
  EXPECT_EQ(Field(start, "height"), "4");
  EXPECT_EQ(Field(start, "cells"), "[[22,16,22,22,22,22,22],[19,20,20,20,22,22,22],[22,18,22,22,22,22,22],"
                                   "[22,22,22,22,22,22,22]]");
  EXPECT_EQ(Field(start, "cubes"),
            "[{\"x\":1,\"y\":1,\"upper\":\"C\",\"turn\":0,\"faces\":[\"C\",\"C\",\"C\",\"C\",\"C\",\"C\"],\"inPlace\":1},"
            "{\"x\":2,\"y\":1,\"upper\":\"A\",\"turn\":0,\"faces\":[\"A\",\"A\",\"A\",\"A\",\"A\",\"A\"],\"inPlace\":1},"
            "{\"x\":3,\"y\":1,\"upper\":\"T\",\"turn\":0,\"faces\":[\"T\",\"T\",\"T\",\"T\",\"T\",\"T\"],\"inPlace\":1}]");
  EXPECT_EQ(Field(start, "sounds"), "[]");

  const std::string& rolled = r.lines[1];
  EXPECT_EQ(Field(rolled, "moves"), "1");
  EXPECT_EQ(Field(rolled, "formed"), "0");
  EXPECT_EQ(Field(rolled, "selected"), "2");
  EXPECT_NE(Field(rolled, "cubes").find("{\"x\":3,\"y\":2,\"upper\":\"T\",\"turn\":0"), std::string::npos);
  EXPECT_EQ(Field(rolled, "sounds"), "[2]");

  // Back North (the word again: a better placement), North once more, and
  // the undo of that last roll (ten moves).
  const std::string& undone = r.lines[2];
  EXPECT_EQ(Field(undone, "moves"), "13");
  EXPECT_EQ(Field(undone, "formed"), "1");
  EXPECT_EQ(Field(undone, "sounds"), "[2,7,2,6,7]");
  EXPECT_EQ(r.err,
            "line 9: unknown command \"jump\"\n"
            "line 10: the selected cube cannot move w\n"
            "line 11: no cube stands on (0, 0)\n");
  EXPECT_EQ(Field(r.lines[3], "moves"), "13");
}

TEST_F(LevelTool, PlaySavesAndLoadsGamesAndRestarts) {
  Build(kCat);
  const std::string save = dir / "game.orb";
  Result r = RunTool(dir, {"play", Level(), "0", "--seed", "4", "--difficulty", "1"},
                 "tab\nmove e\nmove s\nshow\nsave " + save + "\nmove n\nrestart\nshow\nload " + save +
                     "\nshow\nload " + dir / "none.orb" + "\n");
  ASSERT_EQ(r.lines.size(), 3u) << r.out << r.err;
  EXPECT_EQ(Field(r.lines[1], "moves"), "0");
  EXPECT_EQ(Field(r.lines[2], "moves"), Field(r.lines[0], "moves"));
  EXPECT_EQ(WithoutTargets(Field(r.lines[2], "cells")), WithoutTargets(Field(r.lines[0], "cells")));
  EXPECT_EQ(Field(r.lines[2], "formed"), Field(r.lines[0], "formed"));
  EXPECT_EQ(ReadFile(save).size(), 28u + 204u + 5u * 28u + 4u + 3u * 180u);
  const std::string failed = "Couldn't load saved game " + (dir / "none.orb") + ": No such file or directory\nline 11: the game was not loaded\n";
  ASSERT_GE(r.err.size(), failed.size());
  EXPECT_EQ(r.err.substr(r.err.size() - failed.size()), failed);
}

TEST_F(LevelTool, PlayIsRepeatableForASeedAndHonoursDifficultyAndSymmetricLetters) {
  Build(kCat);
  const std::vector<std::string> args = {"play", Level(), "0", "--seed", "11", "--difficulty", "2"};
  Result first = RunTool(dir, args, "show\ntab\nmove e\nshow\n");
  Result second = RunTool(dir, args, "show\ntab\nmove e\nshow\n");
  ASSERT_EQ(first.lines.size(), 2u);
  EXPECT_EQ(first.out, second.out);
  // ...and the seed is what makes it so: other seeds shuffle otherwise.
  int differs = 0;
  for (const char* seed : {"12", "13", "14"}) {
    std::vector<std::string> other = args;
    other[4] = seed;
    differs += RunTool(dir, other, "show\ntab\nmove e\nshow\n").out != first.out;
  }
  EXPECT_GT(differs, 0);
  // Hard: every face but the first carries another letter.
  EXPECT_NE(Field(first.lines[0], "cubes").find("\"faces\":[\"C\",\""), std::string::npos);
  EXPECT_EQ(Field(first.lines[0], "cubes").find("\"faces\":[\"C\",\"C\""), std::string::npos);

  // Round a square of four rolls the X comes back upside down: it reads only
  // when X is a symmetric letter.
  const std::string loop = "move e\nmove n\nmove w\nmove s\nshow\n";
  Result plain = RunTool(dir, {"play", Level(), "1", "--no-vary", "--no-mix"}, loop);
  Result symmetric = RunTool(dir, {"play", Level(), "1", "--no-vary", "--no-mix", "--symmetric", "HINOSXZ"}, loop);
  ASSERT_EQ(plain.lines.size(), 1u) << plain.err;
  EXPECT_NE(Field(plain.lines[0], "cubes").find("\"turn\":2"), std::string::npos);
  EXPECT_EQ(Field(plain.lines[0], "formed"), "0");
  EXPECT_EQ(Field(symmetric.lines[0], "formed"), "1");

  EXPECT_EQ(RunTool(dir, {"play", Level(), "7"}).status, 1);
  EXPECT_EQ(RunTool(dir, {"play", Level(), "0", "--speed"}).status, 2);
}

TEST_F(LevelTool, CheckListsEveryFaultOfEveryLevel) {
  Build(
      // Fine.
      "level\ncode GOODA\nboard\n.....\n.CAT.\n.....\nword CAT 1 1 h\nend\n"
      // The same code again.
      "level\ncode GOODA\nboard\n.....\n.DOG.\n.....\nword DOG 1 1 h\nend\n"
      // A static block before the first letter takes the anchor.
      "level\ncode ANCHR\nboard\nz....\n.....\n.CAT.\nword CAT 1 2 h\nend\n"
      // A code that cannot be typed, no words, and nothing can move.
      "level\ncode ab1AA\nboard\n#A#\nend\n"
      // A static block that the flipped board puts before the other word.
      "level\ncode FLIPS\nboard\n.....\n.AB..\n.....\n.Cd..\n.....\nword AB 1 1 h\nword CD 1 3 h\nend\n");
  Result r = RunTool(dir, {"check", Level()});
  EXPECT_EQ(r.status, 1);
  const std::string file = Level() + ": ";
  EXPECT_EQ(r.out,
            file + "level 2: the code GOODA is also the code of level 1\n" +
            file + "level 3: word 1 (CAT) is not spelled by the stored arrangement, read from (0, 0)\n" +
            file + "level 4: the code holds a character the code screen cannot type (letters A to Z only)\n" +
            file + "level 4: the level has no words, so it can never be won\n" +
            file + "level 4: no cube can move, so the level cannot be shuffled\n" +
            file + "level 5: word 1 (AB) is not spelled by the stored arrangement (flipped), read from (2, 1)\n");
}

// solve prints play commands that form every word when played with the same
// options, from the start the seed deals and from where commands lead.
TEST_F(LevelTool, SolvePrintsCommandsThatPlayFormsEveryWordWith) {
  Build(kCat);
  const std::vector<std::string> start = {Level(), "0", "--seed", "5", "--difficulty", "1"};
  for (const std::string& before : {std::string(), std::string("tab\nmove s\nmove e\n")}) {
    std::vector<std::string> solve = {"solve"}, play = {"play"};
    solve.insert(solve.end(), start.begin(), start.end());
    play.insert(play.end(), start.begin(), start.end());
    Result answer = RunTool(dir, solve, before);
    ASSERT_EQ(answer.status, 0) << answer.err;
    EXPECT_TRUE(std::regex_search(answer.err, std::regex("^moves [0-9]+ lower-bound [0-9]+ proven (yes|no) nodes [0-9]+ ms [0-9]+\n$")))
        << answer.err;
    Result played = RunTool(dir, play, before + answer.out + "show\n");
    ASSERT_FALSE(played.lines.empty()) << played.err;
    EXPECT_EQ(played.err, "");
    EXPECT_EQ(Field(played.lines.back(), "formed"), "1");
  }
}
