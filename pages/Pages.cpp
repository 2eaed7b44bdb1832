// The page screen: a composed page shown full screen until the player lets go
// of a key or a button, with a fade in and out.
#include "pages/Pages.h"

#include <GL/gl.h>

#include <cstdio>

#include "app/Display.h"
#include "app/Events.h"
#include "app/FrameClock.h"
#include "audio/Audio.h"
#include "config/Settings.h"
#include "pages/PageCompose.h"
#include "render/Overlay.h"

namespace {

constexpr int kPageTile = 256;
constexpr float kFadeFrames = 100.0f;

}  // namespace

std::string PageScriptPath(int pageSet, const char* lang) {
  std::string path = kPageDirectory;
  int length = std::snprintf(nullptr, 0, kPageScriptNameFormat, pageSet, lang);
  std::string name(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(&name[0], name.size(), kPageScriptNameFormat, pageSet, lang);
  name.pop_back();
  return path + name;
}

int EnterPageScreen(PageScreen& screen, int pageSet) {
  std::unique_ptr<PageDescription> page = ParsePageScript(PageScriptPath(pageSet, g_settings.lang.c_str()).c_str(), kPageDirectory);
  if (!page) return 0;
  PageImage image = ComposePage(*page);
  page.reset();
  screen.picture.SetFromRGBA(image.data(), kPageWidth, kPageHeight);
  if (!screen.picture.MakeTiles(kPageTile, kPageTile)) {
    screen.picture.Free();
    return 0;
  }
  screen.fadeIn = kFadeFrames;
  screen.fadeOut = kFadeFrames;
  screen.leaving = false;
  screen.done = false;
  return 1;
}

void PageScreenEvent(PageScreen& screen, const SDL_Event& event) {
  if (event.type == SDL_KEYUP || event.type == SDL_MOUSEBUTTONUP) screen.leaving = true;
}

void UpdatePageScreen(PageScreen& screen, float frameDelta) {
  if (screen.fadeIn > 0.0f) screen.fadeIn = screen.fadeIn > frameDelta ? screen.fadeIn - frameDelta : 0.0f;
  if (!screen.leaving) return;
  // Leaving during the fade-in goes back to black from where it got to.
  if (screen.fadeIn > 0.0f) {
    screen.fadeOut = kFadeFrames - screen.fadeIn;
    screen.fadeIn = 0.0f;
  }
  screen.fadeOut -= frameDelta;
  if (screen.fadeOut <= 0.0f) screen.done = true;
}

void DrawPageScreen(const PageScreen& screen) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  screen.picture.Draw(1.0f);
  if (screen.fadeIn > 0.0f) DrawBlackOverlay(screen.fadeIn / kFadeFrames);
  if (screen.leaving) DrawBlackOverlay(1.0f - (screen.fadeOut > 0.0f ? screen.fadeOut : 0.0f) / kFadeFrames);
}

void LeavePageScreen(PageScreen& screen) { screen.picture.Free(); }

int ShowPage(int pageSet) {
  PageScreen screen;
  if (!EnterPageScreen(screen, pageSet)) return 0;
  g_clock.Start(SDL_GetTicks());
  while (!screen.done && !CloseRequested()) {
    g_clock.Tick(SDL_GetTicks());
    UpdateMusic(g_clock.frameDelta);
    SDL_Event event;
    while (PollGameEvent(&event)) PageScreenEvent(screen, event);
    UpdatePageScreen(screen, g_clock.frameDelta);
    g_clock.Advance();
    DrawPageScreen(screen);
    PresentFrame();
  }
  LeavePageScreen(screen);
  return 1;
}
