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
