// glyphox -timedemo LEVEL FRAMES: the demonstration of a level drawn for a
// number of frames at a fixed frame step with the scene settings of
// config.ini, then the same number of frames of one full-screen textured
// quad, and the time from launch to the first menu frame.
#pragma once

#include <cstdint>

// Runs after Initialise. Prints its figures; returns the exit status.
int RunTimeDemo(int level, int frames, uint32_t launchMilliseconds);

// Milliseconds since the process started (a monotonic clock).
uint32_t MillisecondsSinceLaunch();
