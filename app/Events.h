// Event intake shared by every loop of the game. A quit event (the window's
// close button, SIGTERM, SIGINT) is taken here and sets closeRequested, which
// every loop checks so that the game ends through Release.
#pragma once

#include <SDL.h>

// SDL_PollEvent that swallows quit events into g_game.closeRequested.
int PollGameEvent(SDL_Event* event);

// True once a quit event arrived; looks for one without taking other events.
bool CloseRequested();

// Empties the queue (other events are dropped).
void DrainEvents();
