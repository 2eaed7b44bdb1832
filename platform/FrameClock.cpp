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

uint32_t FramePacer::Wait(uint32_t now) {
  if (rate <= 0) {
    m_started = false;
    return 0;
  }
  if (!m_started || m_gridRate != rate) {
    m_started = true;
    m_gridRate = rate;
    m_start = now;
    m_frames = 0;
    return 0;
  }
  ++m_frames;
  const uint32_t due = m_start + static_cast<uint32_t>(uint64_t{m_frames} * 1000u / static_cast<uint32_t>(rate));
  // Whole seconds move the grid's origin, so the count never grows.
  if (m_frames >= static_cast<uint32_t>(rate)) {
    m_start = due;
    m_frames = 0;
  }
  const int32_t ahead = static_cast<int32_t>(due - now);  // signed: survives the counter wrapping
  if (ahead > 0) return static_cast<uint32_t>(ahead);
  if (-ahead > 1000 / rate) {
    m_start = now;
    m_frames = 0;
  }
  return 0;
}
