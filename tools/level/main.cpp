// glyphox-level: builds level files from their readable source, writes the
// source back, checks every level of a file, and plays a level headless.
#include <unistd.h>

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
#include "tools/level/SolveSession.h"
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
    "                                          move n|e|s|w, undo, restart, save PATH, load PATH, show\n"
    "       glyphox-level solve FILE INDEX [the options of play] [--budget NODES]\n"
    "                                          the fewest moves that form every word, from the start\n"
    "                                          or from where play commands on standard input lead,\n"
    "                                          as play commands; a summary line on standard error\n"
    "       glyphox-level curve FILE... [--seed N] [--difficulty D] [--symmetric LETTERS] [--budget NODES]\n"
    "                                          par, lower bound, branching and shuffle of every level\n";

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

// The start options play, solve and curve share (from argv[first] on); solve
// and curve also take --budget. The seed goes to srand as it is read.
struct StartOptions {
  PlayOptions play;
  std::u16string symmetric;
  SolverLimits limits;
  unsigned seed = 1;
};

bool ReadStartOptions(int argc, char** argv, int first, bool budget, Puzzle& puzzle, StartOptions& options) {
  for (int i = first; i < argc; ++i) {
    int value;
    if (!std::strcmp(argv[i], "--seed") && i + 1 < argc && ParseInt(argv[i + 1], value)) {
      options.seed = static_cast<unsigned>(value);
      std::srand(options.seed);
      ++i;
    } else if (!std::strcmp(argv[i], "--difficulty") && i + 1 < argc && ParseInt(argv[i + 1], value) &&
               value >= 0 && value <= 2) {
      puzzle.SetDifficulty(value);
      ++i;
    } else if (!std::strcmp(argv[i], "--no-vary")) {
      options.play.start.vary = false;
    } else if (!std::strcmp(argv[i], "--no-mix")) {
      options.play.start.mix = false;
    } else if (!std::strcmp(argv[i], "--symmetric") && i + 1 < argc) {
      const CUString letters = CUString::FromUtf8(argv[++i]);
      options.symmetric.assign(letters.Data(), letters.Length());
    } else if (budget && !std::strcmp(argv[i], "--budget") && i + 1 < argc && ParseInt(argv[i + 1], value) &&
               value > 0) {
      options.limits.nodes = value;
      ++i;
    } else {
      return false;
    }
  }
  return true;
}

// play and solve: FILE INDEX and the start options.
int PlayOrSolve(int argc, char** argv, bool solve) {
  if (argc < 4) return Usage();
  ToolHost host;
  Puzzle puzzle(&host);
  StartOptions options;
  if (!ParseInt(argv[3], options.play.levelIndex) || !ReadStartOptions(argc, argv, 4, solve, puzzle, options))
    return Usage();
  if (!puzzle.LoadLevelSet(argv[2])) return 1;
  puzzle.SetSymmetricLetters(options.symmetric);
  if (!solve) return RunPlaySession(puzzle, host, options.play, std::cin, std::cout, std::cerr);
  // Commands come from a pipe or a file; a terminal gives none.
  return RunSolveSession(puzzle, host, options.play, options.limits, isatty(0) ? nullptr : &std::cin, std::cout,
                         std::cerr);
}

int Curve(int argc, char** argv) {
  int first = 2;
  while (first < argc && std::strncmp(argv[first], "--", 2) != 0) ++first;
  if (first == 2) return Usage();
  ToolHost host;
  Puzzle puzzle(&host);
  StartOptions options;
  if (!ReadStartOptions(argc, argv, first, true, puzzle, options)) return Usage();
  for (int i = 2; i < first; ++i) {
    if (!puzzle.LoadLevelSet(argv[i])) return 1;
    puzzle.SetSymmetricLetters(options.symmetric);
    std::string name = argv[i];
    name = name.substr(name.find_last_of('/') + 1);
    name = name.substr(0, name.find('.'));
    WriteCurve(std::cout, name, puzzle, host, options.seed, options.play.start, options.limits, i == 2);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "build" && argc == 4) return Build(argv[2], argv[3]);
  if (command == "dump" && argc == 3) return Dump(argv[2]);
  if (command == "check" && argc == 3) return Check(argv[2]);
  if (command == "play" || command == "solve") return PlayOrSolve(argc, argv, command == "solve");
  if (command == "curve") return Curve(argc, argv);
  return Usage();
}
