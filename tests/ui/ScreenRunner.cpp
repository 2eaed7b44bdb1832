// The in-process screen runner: the real start-up, the frame runner with steps, xdotool.
#include "tests/ui/ScreenRunner.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/GameState.h"
#include "app/Startup.h"
#include "config/Settings.h"
#include "render/Overlay.h"
#include "tests/support/GLFrame.h"
#include "text/TextSystem.h"
#include "ui/ModalScreens.h"

namespace uitest {

// X11Window.cpp: the X11 headers clash with the game's Screen.
unsigned long GameWindowId();

namespace {

std::unique_ptr<testsupport::TempDir> g_dir;
std::unique_ptr<testsupport::ScopedWorkingDirectory> g_cwd;
unsigned long g_window = 0;

}  // namespace

bool GameInProcess::Start() {
  g_dir = std::make_unique<testsupport::TempDir>();
  std::filesystem::copy(testsupport::GameTreeDir(), g_dir->Path(),
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::skip_symlinks);
  std::filesystem::remove(*g_dir / "glyphox");
  g_cwd = std::make_unique<testsupport::ScopedWorkingDirectory>(g_dir->Path());
  if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) != 0 || !InitTextSystem()) return false;
  g_settings.windowed = 1;
  // A key released during the opening emblem skips it.
  SDL_Event skip = {};
  skip.type = SDL_KEYUP;
  SDL_PushEvent(&skip);
  if (!Initialise()) return false;
  MenuActions actions;
  actions.runScreen = [](Screen& screen) { FrameRunner(GameFrameHooks()).Run(screen); };
  SetMenuActions(actions);
  g_window = GameWindowId();
  if (g_window == 0) return false;
  // Keys go to the window under the pointer.
  Xdo("mousemove --window " + std::to_string(g_window) + " 4 4");
  return true;
}

void GameInProcess::Stop() {
  Release();
  SDL_Quit();
  QuitTextSystem();
  g_cwd.reset();
  g_dir.reset();
}

const std::string& GameInProcess::Dir() { return g_dir->Path(); }

FrameEnd ScreenRunner::Run(Screen& screen, std::vector<Step> steps, int extraFrames) {
  FrameHooks hooks = GameFrameHooks();
  size_t next = 0;
  int lastStepFrame = 0;
  m_frames = 0;
  // No fade from the start-up holds the input back.
  g_game.fadeFromBlack = g_game.fadeToBlack = 0.0f;
  const auto present = hooks.present;
  hooks.present = [&, present] {
    if (m_capture) {
      *m_capture = testsupport::ReadFrame(OverlayScreenWidth(), OverlayScreenHeight());
      m_capture = nullptr;
    }
    present();
    ++m_frames;
    if (m_frames % kGap == 0 && next < steps.size() && SDL_GetTicks() >= m_waitUntil) {
      steps[next++]();
      lastStepFrame = m_frames;
    }
  };
  const auto closed = hooks.closeRequested;
  hooks.closeRequested = [&, closed] {
    return closed() || (next == steps.size() && m_frames > lastStepFrame + extraFrames);
  };
  return FrameRunner(hooks).Run(screen);
}

Step ScreenRunner::Wait(int ms) {
  return [this, ms] { m_waitUntil = SDL_GetTicks() + static_cast<uint32_t>(ms); };
}

Step ScreenRunner::Capture(testsupport::Image& into) {
  return [this, &into] { m_capture = &into; };
}

void Xdo(const std::string& arguments) {
  const std::string command = "xdotool " + arguments + " >/dev/null 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

Step Key(const std::string& keysym) {
  return [keysym] { Xdo("key --delay 20 " + keysym); };
}
Step Type(const std::string& text) {
  return [text] { Xdo("type --delay 40 '" + text + "'"); };
}
Step MoveTo(int x, int y) {
  // A change of resolution makes a new window: ask for it each time.
  return [x, y] {
    Xdo("mousemove --window " + std::to_string(GameWindowId()) + " " + std::to_string(x) + " " + std::to_string(y));
  };
}
Step Click() {
  return [] { Xdo("click 1"); };
}

void KeepShot(const testsupport::Image& image, const char* name) {
  if (const char* dir = std::getenv("GLYPHOX_SHOTS")) image.SaveBmp(std::string(dir) + "/" + name + ".bmp");
}

namespace {
bool Bright(const testsupport::Rgb& p) { return p.r + p.g + p.b > 540; }
}  // namespace

int BrightPixels(const testsupport::Image& image, int x, int y, int w, int h) {
  int count = 0;
  for (int r = y; r < y + h && r < image.height; ++r)
    for (int c = x; c < x + w && c < image.width; ++c)
      if (Bright(image.At(c, r))) ++count;
  return count;
}

int BrightWidth(const testsupport::Image& image, int y, int h) {
  int first = -1, last = -1;
  for (int c = 0; c < image.width; ++c)
    for (int r = y; r < y + h && r < image.height; ++r)
      if (Bright(image.At(c, r))) {
        if (first < 0) first = c;
        last = c;
        break;
      }
  return first < 0 ? 0 : last - first + 1;
}

}  // namespace uitest
