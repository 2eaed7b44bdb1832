// A platform of the test's own for the frame runner: 60 frames a second
// exactly, a queue of events, the pointer where the test puts it, and a log
// of what each frame drew.
#pragma once

#include <SDL.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/FrameRunner.h"

namespace testsupport {

struct FakePlatform {
  uint32_t now = 1000;
  bool closed = false;
  std::deque<SDL_Event> events;
  Pointer pointer;
  std::vector<std::string> drawn;  // of the last frame
  std::vector<float> blacks;       // of the last frame
  int cursors = 0;                 // over all frames
  int presents = 0;                // over all frames
  float music = 0.0f;              // frame units the music was advanced by

  FrameHooks Hooks() {
    FrameHooks hooks;
    hooks.ticks = [this] { return now += 1000 / 60 + (now % 3 == 0 ? 1 : 0); };
    hooks.closeRequested = [this] { return closed; };
    hooks.pollEvent = [this](SDL_Event& event) {
      if (events.empty()) return false;
      event = events.front();
      events.pop_front();
      return true;
    };
    hooks.updateMusic = [this](float frameDelta) { music += frameDelta; };
    hooks.readPointer = [this](Pointer& into) { into = pointer; };
    hooks.drawCursor = [this](const Pointer&) {
      drawn.push_back("cursor");
      ++cursors;
    };
    hooks.drawBlack = [this](float alpha) {
      drawn.push_back("black");
      blacks.push_back(alpha);
    };
    hooks.present = [this](int) {
      drawn.push_back("present");
      ++presents;
    };
    return hooks;
  }
  // Runs one frame of the runner with a fresh log.
  bool Frame(FrameRunner& runner) {
    drawn.clear();
    blacks.clear();
    return runner.Frame();
  }
  void Key(SDLKey key, bool down = true) {
    SDL_Event event = {};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.keysym.sym = key;
    events.push_back(event);
  }
};

}  // namespace testsupport
