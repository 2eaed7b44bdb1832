#include "platform/Events.h"

bool EventQueue::Poll(SDL_Event& event) {
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_QUIT) {
      m_closeRequested = true;
      continue;
    }
    return true;
  }
  return false;
}

bool EventQueue::CloseRequested() {
  if (!m_closeRequested) {
    SDL_PumpEvents();
    SDL_Event quit;
    if (SDL_PeepEvents(&quit, 1, SDL_GETEVENT, SDL_QUITMASK) > 0) m_closeRequested = true;
  }
  return m_closeRequested;
}

void EventQueue::Drain() {
  SDL_Event event;
  while (Poll(event)) {
  }
}
