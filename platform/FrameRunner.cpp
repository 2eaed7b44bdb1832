#include "platform/FrameRunner.h"

RunEnd FrameRunner::Run(std::unique_ptr<Screen> first, BlackFade fade) {
  if (first) m_stack.Push(std::move(first), fade);
  m_clockStarted = false;
  while (Frame()) {
  }
  return m_end;
}

bool FrameRunner::ApplyRequests() {
  if (m_waitingForFade && m_fadeOut.left > 0.0f) return true;
  if (!m_waitingForFade && m_stack.HasPending() && m_stack.PendingFadeOut() > 0.0f) {
    m_fadeOut.Start(m_stack.PendingFadeOut());
    m_waitingForFade = true;
    return true;
  }
  if (m_stack.HasPending()) {
    m_waitingForFade = false;
    m_fadeOut.Start(0.0f);
    const float fadeIn = m_stack.Apply();
    if (fadeIn > 0.0f) m_fadeIn.Start(fadeIn);
  }
  return !m_stack.Empty();
}

bool FrameRunner::Frame() {
  if (m_hooks.closeRequested()) {
    m_end = RunEnd::kClosed;
    return false;
  }
  if (!ApplyRequests()) {
    m_end = RunEnd::kEmpty;
    return false;
  }
  Screen& screen = *m_stack.Top();

  // The first frame of a run measures from its own start, not from the end
  // of whatever ran before.
  if (!m_clockStarted) {
    m_clock.Start(m_hooks.ticks());
    m_clockStarted = true;
  }
  m_clock.Tick(m_hooks.ticks());
  m_hooks.updateMusic(m_clock.frameDelta);
  m_fadeOut.CountDown(m_clock.frameDelta);
  m_fadeIn.CountDown(m_clock.frameDelta);
  m_clock.Advance();
  const FrameTime time{m_clock.frameDelta, m_clock.elapsedFrames, m_clock.slowPhase};
  m_hooks.readPointer(m_pointer);

  const bool fading = Fading();
  SDL_Event event;
  while (m_hooks.pollEvent(event))
    if (!fading) screen.Event(event);

  screen.Update(time, m_pointer);
  screen.Draw();
  if (m_fadeIn.left > 0.0f) m_hooks.drawBlack(m_fadeIn.left / m_fadeIn.length);
  if (m_waitingForFade) m_hooks.drawBlack(m_fadeOut.length > 0.0f ? 1.0f - m_fadeOut.left / m_fadeOut.length : 1.0f);
  // Above everything, fades included: the pointer never goes while the game runs.
  if (screen.ShowsCursor()) m_hooks.drawCursor(m_pointer);
  m_hooks.present(screen.FrameRate());
  return true;
}
