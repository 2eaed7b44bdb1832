// The playing state: the level scene under the top bar, the keys and the
// pointer of the player (moves, selection, undo, restart, views, load and
// save, screenshots) and the completion of the level.
#pragma once

#include <string>

#include "app/CameraControl.h"
#include "app/Screen.h"

class PlayingScreen final : public Screen {
 public:
  void Event(const SDL_Event& event) override;
  void Update(float frameDelta) override;
  void Draw() override;

  // The keys held this frame (the platform's keyboard state in the game).
  static HeldKeys SampleHeldKeys();

 private:
  void KeyPressed(SDLKey key);
  void KeyReleased(SDLKey key);
  void RunSlotScreen(bool load);

  int m_screenshotsPending = 0;  // F10 presses since the last frame drawn
};

// The next screenshot's file name: "capture\ScreenShot%02d.bmp" below the
// game directory, numbered from 00 in every run.
std::string NextScreenshotPath();
// Writes the frame shown to the next screenshot file.
void TakeScreenshot();
