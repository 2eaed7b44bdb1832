#include "platform/FrameClock.h"

void FrameClock::Start(uint32_t now) {
  lastTicks = now;
  currentTicks = now;
  frameDelta = 1.0f;
  previousDelta = 1.0f;
}

void FrameClock::Tick(uint32_t now) {
  currentTicks = now;
  uint32_t elapsed = now - lastTicks;  // unsigned: survives the counter wrapping
  lastTicks = now;
  float raw = static_cast<float>(elapsed) * 0.06f;
  frameDelta = raw * 0.1f + previousDelta * 0.9f;
  previousDelta = frameDelta;
}

void FrameClock::Advance() {
  elapsedFrames += frameDelta;
  slowPhase += frameDelta * 0.02f;
}
