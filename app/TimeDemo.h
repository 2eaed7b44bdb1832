// glyphox -timedemo LEVEL FRAMES: the time from launch to the first menu
// frame (no intro); then FRAMES rounds of a menu frame and a frame of one
// full-screen textured quad in turn; then FRAMES rounds of the demonstration
// of LEVEL (one fixed step of 1/60 s a round, the scene settings of
// config.ini) drawn as chosen, without its mirror and without its shadows,
// and the quad. Each subject is printed with the median and quartiles of its
// frames, each pass with the difference of the medians, and the resident
// memory along the way. Uncapped.
#pragma once

#include <chrono>

class Game;

// Runs after Initialise. Prints its figures; returns the exit status.
int RunTimeDemo(Game& game, int level, int frames, std::chrono::steady_clock::time_point launched);
