// The X window of the game's SDL window, apart from the game's headers (the
// X11 headers define a Screen of their own).
#include <SDL.h>
#include <SDL_syswm.h>

namespace testsupport {

unsigned long GameWindowId() {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWMInfo(&info) <= 0) return 0;
  return info.info.x11.window;
}

}  // namespace testsupport
