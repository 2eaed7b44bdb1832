// The one screen seam of the game. The main menu, the level being played and
// every modal screen (level start, level won, high scores, name entry, load,
// save, credits, code entry, pages) is a Screen; one FrameRunner runs the
// frame around it (see FrameRunner.h), so no screen has a frame loop of its
// own.
//
// The runner calls Enter once before the first frame, then per frame: Event
// for each input event (none while a fade to or from black runs), Update with
// the frame length in frame units (1/60 s), Draw; and Leave once after the
// last frame. A screen ends itself by returning true from Finished; the
// runner then calls Leave and returns to whoever ran the screen.
#pragma once

#include <SDL.h>

class Screen {
 public:
  virtual ~Screen() = default;

  virtual void Enter() {}
  virtual void Event(const SDL_Event& /*event*/) {}
  virtual void Update(float /*frameDelta*/) {}
  // Draws the whole frame below the runner's cursor and fades; the runner
  // presents it.
  virtual void Draw() {}
  virtual void Leave() {}

  virtual bool Finished() const { return false; }
  // Whether the runner draws the pointer over this frame (only ever once both
  // fades are over).
  virtual bool ShowsCursor() const { return true; }
};
