// Event intake of the frame runner. A quit event (the window's close button,
// SIGTERM, SIGINT) is taken here and remembered, so that the run ends through
// Release whatever screen is on top.
#pragma once

#include <SDL.h>

class EventQueue {
 public:
  // SDL_PollEvent that swallows quit events into CloseRequested.
  bool Poll(SDL_Event& event);
  // True once a quit event arrived; looks for one without taking other events.
  bool CloseRequested();
  // Empties the queue (other events are dropped).
  void Drain();

 private:
  bool m_closeRequested = false;
};
