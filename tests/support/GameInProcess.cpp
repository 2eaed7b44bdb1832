// The game in the test's process: the real start-up, the frame runner with
// steps, xdotool.
#include "tests/support/GameInProcess.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "render/Renderer.h"
#include "tests/support/GLFrame.h"
#include "tests/support/TestFiles.h"
#include "text/TextSystem.h"

namespace testsupport {

namespace {

std::unique_ptr<TempDir> g_dir;
std::unique_ptr<ScopedWorkingDirectory> g_cwd;
std::unique_ptr<Game> g_inProcess;

}  // namespace

bool GameInProcess::Start() {
  g_dir = std::make_unique<TempDir>();
  std::filesystem::copy(GameTreeDir(), g_dir->Path(),
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::skip_symlinks);
  std::filesystem::remove(*g_dir / "glyphox");
  g_cwd = std::make_unique<ScopedWorkingDirectory>(g_dir->Path());
  if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) != 0 || !InitTextSystem()) return false;
  LaunchOptions options;
  options.windowed = true;
  g_inProcess = std::make_unique<Game>(options);
  // A key released during the opening emblem skips it.
  SDL_Event skip = {};
  skip.type = SDL_KEYUP;
  SDL_PushEvent(&skip);
  if (!g_inProcess->Initialise()) return false;
  if (GameWindowId() == 0) return false;
  // Keys go to the window under the pointer.
  Xdo("mousemove --window " + std::to_string(GameWindowId()) + " 4 4");
  return true;
}

void GameInProcess::Stop() {
  if (g_inProcess) g_inProcess->Release();
  g_inProcess.reset();
  SDL_Quit();
  QuitTextSystem();
  g_cwd.reset();
  g_dir.reset();
}

Game& GameInProcess::Get() { return *g_inProcess; }

const std::string& GameInProcess::Dir() { return g_dir->Path(); }

bool ScreenRunner::Run(std::unique_ptr<Screen> screen, std::vector<Step> steps, int extraFrames) {
  FrameRunner& runner = m_game.Runner();
  FrameHooks& hooks = runner.Hooks();
  const FrameHooks saved = hooks;
  size_t next = 0;
  int lastStepFrame = 0;
  m_frames = 0;
  hooks.present = [&](int framesPerSecond) {
    if (m_capture) {
      *m_capture = ReadFrame(m_game.ScreenWidth(), m_game.ScreenHeight());
      m_capture = nullptr;
    }
    saved.present(framesPerSecond);
    ++m_frames;
    if (m_frames % kGap == 0 && next < steps.size() && SDL_GetTicks() >= m_waitUntil) {
      steps[next++]();
      lastStepFrame = m_frames;
    }
  };
  // The frames run from where the stack stands now.
  const int depth = runner.Stack().Depth() + (screen ? 1 : 0);
  if (screen) runner.Flow().Push(std::move(screen));
  auto left = [&] { return runner.Stack().Depth() < depth && !runner.Stack().HasPending(); };
  while (runner.Frame() && !left()) {
    if (next == steps.size() && m_frames > lastStepFrame + extraFrames) break;
  }
  hooks = saved;
  return left();
}

Step ScreenRunner::Wait(int ms) {
  return [this, ms] { m_waitUntil = SDL_GetTicks() + static_cast<uint32_t>(ms); };
}

Step ScreenRunner::Capture(Image& into) {
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

void KeepShot(const Image& image, const char* name) {
  if (const char* dir = std::getenv("GLYPHOX_SHOTS")) image.SaveBmp(std::string(dir) + "/" + name + ".bmp");
}

namespace {
bool Bright(const Rgb& p) { return p.r + p.g + p.b > 540; }
}  // namespace

int BrightPixels(const Image& image, int x, int y, int w, int h) {
  int count = 0;
  for (int r = y; r < y + h && r < image.height; ++r)
    for (int c = x; c < x + w && c < image.width; ++c)
      if (Bright(image.At(c, r))) ++count;
  return count;
}

int BrightWidth(const Image& image, int y, int h) {
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

}  // namespace testsupport
