// Runs the game's screens in this test process on the game's own frame
// runner, under the private X server, with real input: xdotool's XTEST
// events reach the window between frames, one step after another.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/FrameRunner.h"
#include "tests/support/Image.h"
#include "tests/support/TestFiles.h"

namespace uitest {

// The real start-up (Initialise) in a copy of the game tree, once for the
// test binary; Release at the end. Menu actions run modal screens.
class GameInProcess {
 public:
  static bool Start();
  static void Stop();
  static const std::string& Dir();
};

// A step between frames: xdotool input, a check, a screenshot request.
using Step = std::function<void()>;

class ScreenRunner {
 public:
  // Frames between two steps: time for the X server's events to arrive.
  static constexpr int kGap = 8;

  // Runs the screen until it finishes, or until every step has run and
  // `extraFrames` more frames have passed (then kClosed).
  FrameEnd Run(Screen& screen, std::vector<Step> steps, int extraFrames = 60);

  // The frame drawn before the next present, read back (a step asks, the
  // next frame fills it).
  Step Capture(testsupport::Image& into);
  // Holds the next step back for that many milliseconds, frames running.
  Step Wait(int ms);
  int Frames() const { return m_frames; }

 private:
  uint32_t m_waitUntil = 0;
  testsupport::Image* m_capture = nullptr;
  int m_frames = 0;
};

// xdotool on the game's window (the pointer relative to its top left).
void Xdo(const std::string& arguments);
Step Key(const std::string& keysym);
Step Type(const std::string& text);
Step MoveTo(int x, int y);
Step Click();

// With GLYPHOX_SHOTS set, keeps the picture as name.bmp in that directory,
// to look at.
void KeepShot(const testsupport::Image& image, const char* name);

// Pixels of a rectangle bright enough to be the menus' light text.
int BrightPixels(const testsupport::Image& image, int x, int y, int w, int h);
// Columns from the first to the last bright one in a band of rows (0 when none).
int BrightWidth(const testsupport::Image& image, int y, int h);

}  // namespace uitest
