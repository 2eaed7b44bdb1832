// The real game in the test's own process: the start-up in a copy of the
// game tree, then its screens run on the game's own frame runner under the
// private X server, with real input from xdotool's XTEST events between
// frames, and frames read back.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Game.h"
#include "tests/support/Image.h"

namespace testsupport {

// Initialise in a copy of the game tree (intro skipped, windowed), once for
// the test binary; Release at the end.
class GameInProcess {
 public:
  static bool Start();
  static void Stop();
  static Game& Get();
  static const std::string& Dir();
};

// A step between frames: xdotool input, a check, a screenshot request.
using Step = std::function<void()>;

class ScreenRunner {
 public:
  // Frames between two steps: time for the X server's events to arrive.
  static constexpr int kGap = 8;

  explicit ScreenRunner(Game& game) : m_game(game) {}

  // Pushes the screen (when given) on the game's stack and runs frames, a
  // step every kGap frames, until the stack is back below the depth the push
  // made, or until every step has run and extraFrames more frames passed.
  // Returns true when the screen left by itself.
  bool Run(std::unique_ptr<Screen> screen, std::vector<Step> steps, int extraFrames = 60);

  // The frame drawn before the next present, read back (a step asks, the
  // next frame fills it).
  Step Capture(Image& into);
  // Holds the next step back for that many milliseconds, frames running.
  Step Wait(int ms);
  int Frames() const { return m_frames; }

 private:
  Game& m_game;
  uint32_t m_waitUntil = 0;
  Image* m_capture = nullptr;
  int m_frames = 0;
};

// The X window of the game's SDL window.
unsigned long GameWindowId();
// xdotool on the game's window (the pointer relative to its top left).
void Xdo(const std::string& arguments);
Step Key(const std::string& keysym);
Step Type(const std::string& text);
Step MoveTo(int x, int y);
Step Click();

// With GLYPHOX_SHOTS set, keeps the picture as name.bmp in that directory,
// to look at.
void KeepShot(const Image& image, const char* name);

// Pixels of a rectangle bright enough to be the menus' light text.
int BrightPixels(const Image& image, int x, int y, int w, int h);
// Columns from the first to the last bright one in a band of rows (0 when none).
int BrightWidth(const Image& image, int y, int h);

}  // namespace testsupport
