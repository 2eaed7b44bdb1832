#include "app/Events.h"

#include "app/GameState.h"

int PollGameEvent(SDL_Event* event) {
  while (SDL_PollEvent(event)) {
    if (event->type == SDL_QUIT) {
      g_game.closeRequested = 1;
      continue;
    }
    return 1;
  }
  return 0;
}

bool CloseRequested() {
  if (!g_game.closeRequested) {
    SDL_PumpEvents();
    SDL_Event quit;
    if (SDL_PeepEvents(&quit, 1, SDL_GETEVENT, SDL_QUITMASK) > 0) g_game.closeRequested = 1;
  }
  return g_game.closeRequested != 0;
}

void DrainEvents() {
  SDL_Event event;
  while (PollGameEvent(&event)) {
  }
}
