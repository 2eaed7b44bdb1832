// The name entry screen without its drawing: the name being typed after a
// record, its editing keys and the Ok button.
//
//   SDL_EnableKeyRepeat(kNameEntryRepeatDelay, kNameEntryRepeatInterval);
//   NameEntryModel entry(scores.LastName());
//   each frame: for each event entry.Event(UiEventFrom(e), H);
//               if (entry.EndFrame()) render NameLine() again;
//               if (entry.Done()) { scores.SetName(levelIndex, entry.Name().c_str()); leave; }
//
// Only the last key press of a frame is applied, so a held key repeating
// faster than the frame rate adds one character a frame, never a burst.
#pragma once

#include <string>

#include "base/CUString.h"
#include "ui/ScreenRect.h"
#include "ui/UiEvent.h"

constexpr int kNameEntryRepeatDelay = 500;    // ms before a held key repeats
constexpr int kNameEntryRepeatInterval = 30;  // ms between repeats

class NameEntryModel {
 public:
  // Starts from text (the last name entered); characters a name cannot hold
  // and those past the 20th are dropped.
  explicit NameEntryModel(const char* text);

  // Ok is under the pointer when oy - 16 < y < oy + 16, oy = trunc(H / 2 + 48).
  static bool OkUnderPointer(int mouseY, int screenHeight);
  // The highlight quad of Ok: (trunc(W / 2 - 32), oy - 16) to
  // (trunc(W / 2 + 32), oy + 24).
  static ScreenRect OkHighlightRect(int screenWidth, int screenHeight);

  // Key presses are remembered (the last one of the frame counts); a release
  // of Enter, or a button release over Ok after a press over Ok, ends the
  // entry when the name is not empty.
  void Event(const UiEvent& event, int screenHeight);
  // Applies the frame's key: Backspace removes the last character, a name
  // character is appended while the name is shorter than 20. Returns true
  // when the name changed.
  bool EndFrame();

  bool Done() const { return m_done; }
  // Latin-1 bytes, as the score table keeps them.
  const std::string& Name() const { return m_name; }
  // The name followed by the underscore that serves as cursor ("%s_").
  CUString NameLine() const;

 private:
  std::string m_name;
  int m_key = 0;
  int m_character = 0;
  bool m_pressedOverOk = false;
  bool m_done = false;
};
