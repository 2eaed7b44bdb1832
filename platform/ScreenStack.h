// The stack of screens and the transitions the screens ask for. Requests are
// only queued when they are made; the frame runner applies them between two
// frames (after any fade to black the first of them asks for), in the order
// they were made, together with those the screens make while entering,
// leaving or in a Then.
#pragma once

#include <deque>
#include <memory>
#include <vector>

#include "platform/Screen.h"

class ScreenStack final : public ScreenFlow {
 public:
  ScreenStack() = default;
  ScreenStack(const ScreenStack&) = delete;
  ScreenStack& operator=(const ScreenStack&) = delete;
  // Screens still on the stack leave, top first.
  ~ScreenStack();

  void Push(std::unique_ptr<Screen> screen, BlackFade fade = {}, Then then = nullptr) override;
  void Pop(BlackFade fade = {}) override;
  void PopTo(int depth, BlackFade fade = {}) override;
  void Replace(std::unique_ptr<Screen> screen, BlackFade fade = {}) override;
  void Quit(BlackFade fade = {}, std::unique_ptr<Screen> farewell = nullptr) override;

  Screen* Top() const { return m_slots.empty() ? nullptr : m_slots.back().screen.get(); }
  // The screen at that depth from the bottom (0), null when there is none.
  Screen* At(int depth) const {
    return depth >= 0 && depth < Depth() ? m_slots[static_cast<size_t>(depth)].screen.get() : nullptr;
  }
  bool Empty() const { return m_slots.empty(); }
  int Depth() const { return static_cast<int>(m_slots.size()); }

  bool HasPending() const { return !m_pending.empty(); }
  // The fade to black the next request wants before it is applied.
  float PendingFadeOut() const { return m_pending.empty() ? 0.0f : m_pending.front().fade.out; }
  // Applies the queued requests up to the next one (after the first) that
  // wants a fade to black first; returns the longest fade from black they
  // asked for.
  float Apply();
  // Every screen leaves, top first; queued requests and Thens are dropped.
  void LeaveAll();

 private:
  enum class Kind { kPush, kPop, kReplace, kQuit };
  struct Request {
    Kind kind;
    std::unique_ptr<Screen> screen;
    BlackFade fade;
    Then then;
    int depth = 0;  // kPop: the screens left afterwards, -1 for one fewer
  };
  struct Slot {
    std::unique_ptr<Screen> screen;
    Then then;
  };

  void Enter(Slot slot, bool coverTop);
  void PopOne();
  // The top screen leaves; returns its slot's Then.
  Then LeaveTop();

  std::vector<Slot> m_slots;
  std::deque<Request> m_pending;
};
