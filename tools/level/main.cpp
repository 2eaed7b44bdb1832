// glyphox-level: builds level files from their readable source, writes the
// source back, checks every level of a file, and plays a level headless.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "base/CUString.h"
#include "puzzle/Puzzle.h"
#include "tools/level/LevelCheck.h"
#include "tools/level/LevelSource.h"
#include "tools/level/PlaySession.h"
#include "tools/level/ToolHost.h"

namespace {

const char* const kUsage =
    "usage: glyphox-level build SOURCE OUT     compile a level source into a level file\n"
    "       glyphox-level dump FILE            print the source of a level file\n"
    "       glyphox-level check FILE           list the faults of every level (exit 1 when any)\n"
    "       glyphox-level play FILE INDEX [--seed N] [--difficulty D] [--no-vary] [--no-mix]\n"
    "                                          [--symmetric LETTERS]\n"
    "                                          play level INDEX (0 for the first) from commands on\n"
    "                                          standard input: select X Y, tab, shift-tab,\n"
    "                                          move n|e|s|w, undo, restart, save PATH, load PATH, show\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

bool ReadText(const char* path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream content;
  content << in.rdbuf();
  text = content.str();
  return true;
}

bool ParseInt(const char* text, int& value) {
  char* end = nullptr;
  long number = std::strtol(text, &end, 10);
  if (!*text || *end || number < -2147483647L || number > 2147483647L) return false;
  value = static_cast<int>(number);
  return true;
}

int Build(const char* source, const char* output) {
  std::string text, error;
  if (!ReadText(source, text)) {
    std::fprintf(stderr, "%s: can't be read\n", source);
    return 1;
  }
  LevelSet set;
  if (!ParseLevelSource(text, set, error)) {
    std::fprintf(stderr, "%s: %s\n", source, error.c_str());
    return 1;
  }
  return SaveLevelSet(set, output) ? 0 : 1;
}

bool ReadSet(const char* path, LevelSet& set) {
  std::string error;
  if (ReadLevelSetFile(path, set, error)) return true;
  std::fprintf(stderr, "%s: %s\n", path, error.empty() ? "can't be read" : error.c_str());
  return false;
}

int Dump(const char* path) {
  LevelSet set;
  if (!ReadSet(path, set)) return 1;
  std::fputs(WriteLevelSource(set).c_str(), stdout);
  return 0;
}

int Check(const char* path) {
  LevelSet set;
  if (!ReadSet(path, set)) return 1;
  std::vector<std::string> faults = CheckLevelSet(set);
  for (const std::string& fault : faults) std::printf("%s: %s\n", path, fault.c_str());
  if (faults.empty()) std::printf("%s: %u levels, no fault\n", path, set.levelCount);
  return faults.empty() ? 0 : 1;
}

int Play(int argc, char** argv) {
  if (argc < 4) return Usage();
  PlayOptions options;
  if (!ParseInt(argv[3], options.levelIndex)) return Usage();
  ToolHost host;
  Puzzle puzzle(&host);
  std::u16string symmetric;
  for (int i = 4; i < argc; ++i) {
    int value;
    if (!std::strcmp(argv[i], "--seed") && i + 1 < argc && ParseInt(argv[i + 1], value)) {
      std::srand(static_cast<unsigned>(value));
      ++i;
    } else if (!std::strcmp(argv[i], "--difficulty") && i + 1 < argc && ParseInt(argv[i + 1], value) &&
               value >= 0 && value <= 2) {
      puzzle.SetDifficulty(value);
      ++i;
    } else if (!std::strcmp(argv[i], "--no-vary")) {
      options.start.vary = false;
    } else if (!std::strcmp(argv[i], "--no-mix")) {
      options.start.mix = false;
    } else if (!std::strcmp(argv[i], "--symmetric") && i + 1 < argc) {
      const CUString letters = CUString::FromUtf8(argv[++i]);
      symmetric.assign(letters.Data(), letters.Length());
    } else {
      return Usage();
    }
  }
  if (!puzzle.LoadLevelSet(argv[2])) return 1;
  puzzle.SetSymmetricLetters(symmetric);
  return RunPlaySession(puzzle, host, options, std::cin, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "build" && argc == 4) return Build(argv[2], argv[3]);
  if (command == "dump" && argc == 3) return Dump(argv[2]);
  if (command == "check" && argc == 3) return Check(argv[2]);
  if (command == "play") return Play(argc, argv);
  return Usage();
}
