// The frame around every screen: the close request, the clock tick, the music,
// the fades to and from black, the overlays, the pointer and the present.
//
//   FrameRunner runner(GameFrameHooks());
//   LevelWonScreen screen(...);
//   if (runner.Run(screen) == FrameEnd::kClosed) return;  // the game ends
//
// Everything that touches the platform goes through FrameHooks, so tests run
// frames without a display, with their own clock and events. The runner reads
// and writes the fades, the quit request and the pointer in g_game and ticks
// g_clock.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>

#include "app/Screen.h"

struct FrameHooks {
  std::function<uint32_t()> ticks;                // the millisecond clock
  std::function<bool()> closeRequested;           // the window closed, SIGTERM...
  std::function<bool(SDL_Event&)> pollEvent;      // the next input event
  std::function<void(float)> updateMusic;         // with the frame length
  std::function<void()> readPointer;              // into g_game.mouse*
  std::function<void()> drawOverlays;             // over every screen
  std::function<void(int, int)> drawCursor;       // at the pointer
  std::function<void(float)> drawBlack;           // black at an opacity 0..1
  std::function<void()> present;
  std::function<void()> endAfterQuit;             // music off, the exit page
};

// The hooks of the running game (SDL, the audio, the overlays, the pages).
FrameHooks GameFrameHooks();

enum class FrameEnd {
  kContinue,        // the screen runs on
  kScreenFinished,  // the screen said it is over
  kClosed,          // the window was closed: the game ends through Release
  kQuit,            // Quit faded to black and the exit page was shown
};

class FrameRunner {
 public:
  explicit FrameRunner(FrameHooks hooks) : m_hooks(std::move(hooks)) {}

  // Starts the frame clock, then Enter, frames until the screen finishes, the
  // window closes or Quit has faded out, then Leave. Returns why it ended.
  FrameEnd Run(Screen& screen);

  // One frame, in this order: end on a close request, or on a quit request
  // whose fade is over (calling endAfterQuit); tick the clock and the music;
  // count both fades down; read the pointer; deliver the events (drained and
  // discarded while a fade runs, so the queue never fills and drops a close
  // request); Update; Draw; overlays; the cursor once both fades are over;
  // the black of each fade; present.
  FrameEnd Frame(Screen& screen);

 private:
  FrameHooks m_hooks;
};

// The size of the pointer drawn over every screen.
constexpr int kCursorSize = 16;
