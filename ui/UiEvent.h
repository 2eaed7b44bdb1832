// One input event as the screens' logic sees it. The screens translate each
// SDL event with UiEventFrom and hand it to their model; the models never
// call SDL, so tests feed them events directly.
#pragma once

#include <SDL.h>

struct UiEvent {
  enum Kind { kNone, kKeyPress, kKeyRelease, kButtonPress, kButtonRelease, kMotion };
  Kind kind = kNone;
  int key = 0;        // SDLKey of a key event
  int character = 0;  // translated character of a key press (0 when none)
  int button = 0;     // SDL button number of a button event
  int x = 0;          // pointer position of a button or motion event
  int y = 0;

  static UiEvent KeyPress(int key, int character = 0) { return Make(kKeyPress, key, character, 0, 0, 0); }
  static UiEvent KeyRelease(int key) { return Make(kKeyRelease, key, 0, 0, 0, 0); }
  static UiEvent ButtonPress(int button, int x, int y) { return Make(kButtonPress, 0, 0, button, x, y); }
  static UiEvent ButtonRelease(int button, int x, int y) { return Make(kButtonRelease, 0, 0, button, x, y); }

 private:
  static UiEvent Make(Kind kind, int key, int character, int button, int x, int y) {
    UiEvent event;
    event.kind = kind;
    event.key = key;
    event.character = character;
    event.button = button;
    event.x = x;
    event.y = y;
    return event;
  }
};

inline UiEvent UiEventFrom(const SDL_Event& event) {
  UiEvent out;
  switch (event.type) {
    case SDL_KEYDOWN:
      out = UiEvent::KeyPress(event.key.keysym.sym, event.key.keysym.unicode);
      break;
    case SDL_KEYUP:
      out = UiEvent::KeyRelease(event.key.keysym.sym);
      break;
    case SDL_MOUSEBUTTONDOWN:
      out = UiEvent::ButtonPress(event.button.button, event.button.x, event.button.y);
      break;
    case SDL_MOUSEBUTTONUP:
      out = UiEvent::ButtonRelease(event.button.button, event.button.x, event.button.y);
      break;
    case SDL_MOUSEMOTION:
      out.kind = UiEvent::kMotion;
      out.x = event.motion.x;
      out.y = event.motion.y;
      break;
    default:
      break;
  }
  return out;
}

inline bool IsEnterKey(int key) { return key == SDLK_RETURN || key == SDLK_KP_ENTER; }
