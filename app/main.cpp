// Glyphox: entry point.
#include <SDL.h>
#include <strings.h>

#include <cstdio>

#include "app/MainLoop.h"
#include "app/Startup.h"
#include "config/TraceLog.h"
#include "config/Settings.h"
#include "text/TextSystem.h"

int main(int argc, char* argv[]) {
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

  g_settings.windowed = 0;
  if (argc > 1 && strcasecmp(argv[1], "-windowed") == 0) g_settings.windowed = 1;

  // A start that fails is reported as a failure: message, Release, status 1.
  const bool started = Initialise();
  if (started) RunMainLoop();
  Release();
  SDL_Quit();

  QuitTextSystem();
  return started ? 0 : 1;
}
