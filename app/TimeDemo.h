// glyphox -timedemo LEVEL FRAMES: the time from launch to the first menu
// frame (no intro), FRAMES menu frames, the demonstration of LEVEL drawn for
// FRAMES frames at a fixed frame step with the scene settings of config.ini,
// then FRAMES frames of one full-screen textured quad. Each line gives
// frames, seconds, frames per second and min/avg/max ms per frame.
#pragma once

#include <chrono>

class Game;

// Runs after Initialise. Prints its figures; returns the exit status.
int RunTimeDemo(Game& game, int level, int frames, std::chrono::steady_clock::time_point launched);
