// The one frame loop of the game: it runs the top screen of its ScreenStack,
// frame after frame, until the stack is empty or the window is closed.
//
//   FrameRunner runner(hooks);
//   if (runner.Run(std::make_unique<IntroScreen>(...)) == RunEnd::kClosed) ...
//
// One frame, in this order: end on a close request; apply the stack's
// requests (after the fade to black the first one asks for); tick the clock
// and the music; count the fades down; read the pointer; deliver the events
// (drained and dropped while a fade runs, so the queue never fills and loses
// a close request); Update and Draw the top screen; the pointer once the
// fades are over; the black of a fade; present at the screen's frame rate.
//
// Everything that touches the platform goes through FrameHooks, so tests run
// frames without a display, with their own clock and events.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/FrameClock.h"
#include "platform/Screen.h"
#include "platform/ScreenStack.h"

struct FrameHooks {
  std::function<uint32_t()> ticks;                   // the millisecond clock
  std::function<bool()> closeRequested;              // the window closed, SIGTERM...
  std::function<bool(SDL_Event&)> pollEvent;         // the next input event
  std::function<void(float)> updateMusic;            // with the frame length
  std::function<void(Pointer&)> readPointer;
  std::function<void(const Pointer&)> drawCursor;
  std::function<void(float)> drawBlack;              // black at an opacity 0..1
  std::function<void(int)> present;                  // at most that many frames a second (0: the cap)
};

enum class RunEnd {
  kEmpty,   // the last screen left (or a Quit ended the run)
  kClosed,  // the window was closed: the game ends through Release
};

class FrameRunner {
 public:
  explicit FrameRunner(FrameHooks hooks) : m_hooks(std::move(hooks)) {}

  // Pushes the screen with the fade, starts the clock and runs frames until
  // the stack is empty or the window closes.
  RunEnd Run(std::unique_ptr<Screen> first, BlackFade fade = {});
  // One frame; false once the run is over (then Ended() says why).
  bool Frame();
  RunEnd Ended() const { return m_end; }

  ScreenFlow& Flow() { return m_stack; }
  const ScreenStack& Stack() const { return m_stack; }
  // Every screen leaves, top first (before the resources they use go).
  void LeaveAll() { m_stack.LeaveAll(); }

  const FrameClock& Clock() const { return m_clock; }
  // The platform's side of each frame (tests look at the frames through it).
  FrameHooks& Hooks() { return m_hooks; }
  // While a fade runs, input is held back and the pointer hidden.
  bool Fading() const { return m_fadeOut.left > 0.0f || m_fadeIn.left > 0.0f || m_waitingForFade; }

 private:
  struct FadeLeft {
    float left = 0.0f;
    float length = 0.0f;
    void Start(float frames) { left = length = frames > 0.0f ? frames : 0.0f; }
    void CountDown(float step) { left = left > step ? left - step : 0.0f; }
  };

  // Applies the stack's requests once no fade to black is owed; false when
  // the stack is empty afterwards.
  bool ApplyRequests();

  FrameHooks m_hooks;
  ScreenStack m_stack;
  FrameClock m_clock;
  Pointer m_pointer;
  FadeLeft m_fadeOut, m_fadeIn;
  bool m_waitingForFade = false;  // a request waits for m_fadeOut to end
  bool m_clockStarted = false;
  RunEnd m_end = RunEnd::kEmpty;
};
