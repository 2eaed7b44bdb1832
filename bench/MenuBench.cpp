// Benchmark of the menu screen: the real start-up in a copy of the game tree
// on a virtual display, then the main menu and the Options menu drawn and
// presented with no frame cap; prints frames per second and the milliseconds
// per frame (the goal is 100 frames a second or more at 1024 x 768), and
// the same for the 3D background and logo alone.
//
//   menu_bench [width height [frames]], default 1024 768 600
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "app/Game.h"
#include "platform/Display.h"
#include "platform/FrameClock.h"
#include "config/Settings.h"
#include "render/Renderer.h"
#include "tests/support/TestFiles.h"
#include "tests/support/VirtualDisplay.h"
#include "text/TextSystem.h"
#include "ui/MenuScreen.h"
#include "ui/Menus.h"

namespace {

using Clock = std::chrono::steady_clock;

// A whole menu frame, or only its 3D background and logo (what the menus'
// own texts and highlight cost is the difference).
void Bench(MenuSystem& menus, const char* name, int frames, bool backdropOnly = false) {
  const Renderer& renderer = menus.TheRenderer();
  double total = 0, least = 1e9, most = 0;
  const std::clock_t cpuStart = std::clock();
  FrameClock clock;
  clock.Start(SDL_GetTicks());
  for (int i = 0; i < frames; ++i) {
    const Clock::time_point start = Clock::now();
    clock.Tick(SDL_GetTicks());
    clock.Advance();
    if (backdropOnly)
      menus.DrawBackdrop(clock.elapsedFrames, true);
    else
      menus.Draw(clock.elapsedFrames);
    renderer.DrawCursor(renderer.Width() / 2, renderer.Height() / 2, 16);
    PresentFrame();
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    total += ms;
    least = std::min(least, ms);
    most = std::max(most, ms);
  }
  const double cpu = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  std::printf("%s at %dx%d: %d frames in %.2f s, %.1f frames per second; ms per frame min %.2f avg %.2f max %.2f "
              "(processor %.2f ms a frame)\n",
              name, renderer.Width(), renderer.Height(), frames, total / 1000.0, frames * 1000.0 / total, least,
              total / frames, most, cpu / frames);
}

}  // namespace

int main(int argc, char** argv) {
  const int width = argc > 2 ? std::atoi(argv[1]) : 1024;
  const int height = argc > 2 ? std::atoi(argv[2]) : 768;
  const int frames = argc > 3 ? std::atoi(argv[3]) : 600;
  testsupport::VirtualDisplay display;
  if (!display.Start(width, height)) {
    std::fprintf(stderr, "menu_bench: no virtual display\n");
    return 1;
  }
  testsupport::TempDir dir;
  namespace fs = std::filesystem;
  fs::copy(testsupport::GameTreeDir(), dir.Path(), fs::copy_options::recursive | fs::copy_options::skip_symlinks);
  fs::remove(dir / "glyphox");
  testsupport::WriteFile(dir / "config.ini", "Width=" + std::to_string(width) + "\nHeight=" + std::to_string(height) +
                                                 "\nSpeed=8\nSound=0\nMusic=0\nReflect=1\nShadow=2\nLangLevel=1\nLang=en\n");
  testsupport::ScopedWorkingDirectory inGame(dir.Path());
  if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) != 0 || !InitTextSystem()) return 1;
  SDL_Event skip = {};
  skip.type = SDL_KEYUP;
  SDL_PushEvent(&skip);  // skips the opening emblem
  int status = 1;
  LaunchOptions options;
  options.windowed = true;
  options.uncapped = true;
  Game game(options);
  if (game.Initialise()) {
    MenuSystem& menus = game.Menus();
    Bench(menus, "main menu", frames);
    Bench(menus, "background and logo only", frames, true);
    SetCurrentMenu(menus.Menus(), menus.Menus().optionsMenu);
    Bench(menus, "options menu", frames);
    status = 0;
  }
  game.Release();
  SDL_Quit();
  QuitTextSystem();
  return status;
}
