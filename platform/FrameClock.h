// FrameClock: frame timing in frame units (1 unit = 1/60 s). frameDelta is the
// frame length smoothed with weight 0.1 on the newest sample; elapsedFrames and
// slowPhase are running sums that drive animations.
//
// Start once before a loop, Tick once per frame with the platform's
// millisecond count, then Advance the animation sums.
#pragma once

#include <cstdint>

struct FrameClock {
  uint32_t lastTicks = 0;
  uint32_t currentTicks = 0;
  float frameDelta = 1.0f;
  float previousDelta = 1.0f;
  float elapsedFrames = 0.0f;
  float slowPhase = 0.0f;

  void Start(uint32_t now);
  void Tick(uint32_t now);
  // elapsedFrames += frameDelta; slowPhase += frameDelta x 0.02.
  void Advance();
};

// FramePacer: frames at most `rate` times a second, on a grid of exactly
// 1000/rate ms (60 means 60, not the 62.5 of a whole 16 ms), where nothing
// else waits for the screen. A frame that comes late is shown at once, and a
// stall longer than a frame starts the grid again from there rather than
// rushing a burst of frames to catch up. A change of rate starts a new grid.
struct FramePacer {
  int rate = 0;  // frames a second; 0: no cap

  // The milliseconds to wait before showing the frame finished at `now`.
  uint32_t Wait(uint32_t now);

 private:
  bool m_started = false;
  int m_gridRate = 0;     // the rate the grid was started for
  uint32_t m_start = 0;   // when frame 0 of this second of the grid was due
  uint32_t m_frames = 0;  // frames due since m_start
};
