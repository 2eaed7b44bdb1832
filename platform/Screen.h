// The one screen interface of the game. The intro, the menus, the level being
// played, the demonstration, every modal screen and every page is a Screen on
// one ScreenStack, run by one FrameRunner (FrameRunner.h); which screen is on
// top is the game's state, and no screen has a frame loop of its own.
//
// Per frame the runner calls the top screen's Event for each input event
// (none while a fade to or from black runs), then Update with the frame's
// time and the pointer, then Draw. Screens change the stack only by asking
// their Flow(); the runner applies the requests between two frames, never
// inside a screen's handler.
#pragma once

#include <SDL.h>

#include <functional>
#include <memory>

// The pointer as the runner read it at the start of the frame.
struct Pointer {
  int x = 0, y = 0;    // pixels from the window's top left
  int dx = 0, dy = 0;  // motion since the previous frame
  int buttons = 0;     // 1 left, 2 middle, 4 right
};

// The frame's time in frame units of 1/60 s (see FrameClock).
struct FrameTime {
  float delta = 1.0f;      // this frame's length, smoothed
  float elapsed = 0.0f;    // running sum since the start, drives animations
  float slowPhase = 0.0f;  // elapsed x 0.02
};

// A transition's fades in frame units: to black before the change, from
// black after it. The runner holds input back and hides the pointer while
// either runs.
struct BlackFade {
  float out = 0.0f;
  float in = 0.0f;
};

class Screen;

// What a screen may ask of the stack. Each request is queued and applied in
// order between two frames.
class ScreenFlow {
 public:
  // Runs when the screen pushed with it has been popped and has left, with
  // the screen below current again.
  using Then = std::function<void()>;

  // The screen goes on top; the one below is covered until it is popped.
  virtual void Push(std::unique_ptr<Screen> screen, BlackFade fade = {}, Then then = nullptr) = 0;
  // The top screen leaves.
  virtual void Pop(BlackFade fade = {}) = 0;
  // Screens leave, top first, until depth of them are left.
  virtual void PopTo(int depth, BlackFade fade = {}) = 0;
  // The top screen leaves and the new one takes its place (and its Then).
  virtual void Replace(std::unique_ptr<Screen> screen, BlackFade fade = {}) = 0;
  // Every screen leaves, top first, and the run ends once the farewell
  // screen, when there is one, has popped itself.
  virtual void Quit(BlackFade fade = {}, std::unique_ptr<Screen> farewell = nullptr) = 0;

 protected:
  ~ScreenFlow() = default;
};

class Screen {
 public:
  virtual ~Screen() = default;

  // On the stack, before its first frame.
  virtual void Enter() {}
  virtual void Event(const SDL_Event& /*event*/) {}
  virtual void Update(const FrameTime& /*time*/, const Pointer& /*pointer*/) {}
  // Draws the whole frame below the runner's pointer and fades; only reads
  // what Update left.
  virtual void Draw() {}
  // Off the stack, after its last frame.
  virtual void Leave() {}
  // Another screen went on top of this one, or the one on top was popped.
  virtual void Covered() {}
  virtual void Uncovered() {}
  // Whether the runner draws the pointer over this frame (only ever once the
  // fades are over).
  virtual bool ShowsCursor() const { return true; }
  // The most frames a second this screen needs; 0: the game's cap. Screens
  // where nothing moves fast ask for fewer and leave the processor alone.
  virtual int FrameRate() const { return 0; }

 protected:
  // The stack this screen is on (valid from Enter to Leave).
  ScreenFlow& Flow() const { return *m_flow; }

 private:
  friend class ScreenStack;
  ScreenFlow* m_flow = nullptr;
};
