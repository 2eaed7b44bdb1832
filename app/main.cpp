// Glyphox: entry point.
#include <SDL.h>
#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/Game.h"
#include "base/TraceLog.h"
#include "puzzle/SavedGame.h"
#include "text/TextSystem.h"

namespace {

bool ReadNumber(int argc, char* argv[], int& at, long low, long high, long& value) {
  if (at + 1 >= argc) return false;
  char* end = nullptr;
  value = std::strtol(argv[at + 1], &end, 10);
  if (end == argv[at + 1] || *end != '\0' || value < low || value > high) return false;
  ++at;
  return true;
}

}  // namespace

bool ReadLaunchOptions(int argc, char* argv[], LaunchOptions& options) {
  for (int at = 1; at < argc; ++at) {
    const char* arg = argv[at];
    long value = 0;
    if (at == 1 && strcasecmp(arg, "-windowed") == 0) {
      options.windowed = true;
      continue;
    }
    if (std::strcmp(arg, "-level") == 0 && ReadNumber(argc, argv, at, 1, 100000, value)) {
      options.level = static_cast<int>(value) - 1;
    } else if (std::strcmp(arg, "-load") == 0 && ReadNumber(argc, argv, at, 0, kSaveSlotCount - 1, value)) {
      options.loadSlot = static_cast<int>(value);
    } else if (std::strcmp(arg, "-seed") == 0 && ReadNumber(argc, argv, at, 0, 0x7FFFFFFF, value)) {
      options.seeded = true;
      options.seed = static_cast<unsigned>(value);
    } else if (std::strcmp(arg, "-timedemo") == 0 && ReadNumber(argc, argv, at, 1, 100000, value)) {
      options.timedemoLevel = static_cast<int>(value) - 1;
      if (!ReadNumber(argc, argv, at, 1, 10000000, value)) return false;
      options.timedemoFrames = static_cast<int>(value);
    } else if (std::strcmp(arg, "-level") == 0 || std::strcmp(arg, "-load") == 0 || std::strcmp(arg, "-seed") == 0 ||
               std::strcmp(arg, "-timedemo") == 0) {
      std::fprintf(stderr, "Switch %s needs a number in its range\n", arg);
      return false;
    }
    // Anything else is left alone, as the game always did (only a first
    // "-windowed" ever meant something).
  }
  return true;
}

int main(int argc, char* argv[]) {
  LaunchOptions options;
  if (!ReadLaunchOptions(argc, argv, options)) {
    std::fprintf(stderr, "Usage: glyphox [-windowed] [-level N] [-load SLOT] [-seed S] [-timedemo LEVEL FRAMES]\n");
    return 1;
  }

  TraceLog::Open("gamelog.html");
  TraceLog::Write("Glyphox Deluxe");
  TraceLog::Write("Init TrueType");
  if (!InitTextSystem()) return 1;

  TraceLog::Write("Init SDL");
#ifdef _WIN32
  // The DirectX driver misbehaves with OpenGL on old systems; elsewhere the
  // variable would name a driver that does not exist.
  SDL_putenv(const_cast<char*>("SDL_VIDEODRIVER=windib"));
#endif
  // Timer and video: audio is started on its own later, and a machine without
  // a sound card must still run the game silently.
  if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) < 0) {
    std::fprintf(stderr, "Couldn't initialize SDL: %s\n", SDL_GetError());
    return 1;
  }

  int status = 1;
  {
    Game game(options);
    // A start that fails is reported as a failure: message, Release, status 1.
    if (game.Initialise()) status = game.Run();
    game.Release();
  }
  SDL_Quit();

  QuitTextSystem();
  return status;
}
