#include "platform/ScreenStack.h"

#include <utility>

namespace {

// Far more than any chain of screens the game makes between two frames; a
// screen that keeps asking in its own Enter would otherwise hang the game.
constexpr int kMaxRequestsPerApply = 1000;

}  // namespace

ScreenStack::~ScreenStack() { LeaveAll(); }

void ScreenStack::Push(std::unique_ptr<Screen> screen, BlackFade fade, Then then) {
  if (screen) m_pending.push_back(Request{Kind::kPush, std::move(screen), fade, std::move(then)});
}

void ScreenStack::Pop(BlackFade fade) { m_pending.push_back(Request{Kind::kPop, nullptr, fade, nullptr, -1}); }

void ScreenStack::PopTo(int depth, BlackFade fade) {
  m_pending.push_back(Request{Kind::kPop, nullptr, fade, nullptr, depth < 0 ? 0 : depth});
}

void ScreenStack::Replace(std::unique_ptr<Screen> screen, BlackFade fade) {
  if (screen) m_pending.push_back(Request{Kind::kReplace, std::move(screen), fade, nullptr});
}

void ScreenStack::Quit(BlackFade fade, std::unique_ptr<Screen> farewell) {
  m_pending.push_back(Request{Kind::kQuit, std::move(farewell), fade, nullptr});
}

void ScreenStack::Enter(Slot slot, bool coverTop) {
  if (Screen* below = Top(); below && coverTop) below->Covered();
  slot.screen->m_flow = this;
  m_slots.push_back(std::move(slot));
  m_slots.back().screen->Enter();
}

ScreenFlow::Then ScreenStack::LeaveTop() {
  // Taken off first, so that a request made while leaving sees the stack
  // as it will be.
  Slot slot = std::move(m_slots.back());
  m_slots.pop_back();
  slot.screen->Leave();
  return std::move(slot.then);
}

void ScreenStack::PopOne() {
  Then then = LeaveTop();
  if (Screen* top = Top()) top->Uncovered();
  if (then) then();
}

float ScreenStack::Apply() {
  float fadeIn = 0.0f;
  for (int applied = 0; !m_pending.empty() && applied < kMaxRequestsPerApply; ++applied) {
    // A later request that fades to black first waits for its own fade.
    if (applied > 0 && m_pending.front().fade.out > 0.0f) break;
    Request request = std::move(m_pending.front());
    m_pending.pop_front();
    if (request.fade.in > fadeIn) fadeIn = request.fade.in;
    switch (request.kind) {
      case Kind::kPush:
        Enter(Slot{std::move(request.screen), std::move(request.then)}, true);
        break;
      case Kind::kPop:
        if (request.depth < 0) {
          if (!m_slots.empty()) PopOne();
        } else {
          while (Depth() > request.depth) PopOne();
        }
        break;
      case Kind::kReplace: {
        // The screen below stays covered.
        Then then = m_slots.empty() ? nullptr : LeaveTop();
        Enter(Slot{std::move(request.screen), std::move(then)}, false);
        break;
      }
      case Kind::kQuit:
        LeaveAll();
        if (request.screen) Enter(Slot{std::move(request.screen), nullptr}, false);
        break;
    }
  }
  return fadeIn;
}

void ScreenStack::LeaveAll() {
  m_pending.clear();
  while (!m_slots.empty()) LeaveTop();
  m_pending.clear();
}
