// GameState: the process-wide flags, timers and counters of the running game,
// shared by the main loop, the input handlers, the screens and the rules.
// Timers are in frame units of 1/60 s (see FrameClock).
#pragma once

#include <cstdint>

struct CameraView {
  float spin;  // degrees
  float tilt;  // degrees
  float zoom;  // factor
};

constexpr CameraView kOverviewDefaults = {0.0f, -60.0f, 1.0f};
constexpr CameraView kCloseDefaults = {0.0f, -75.0f, 0.5f};

struct GameState {
  int inGame;
  int menuShown;
  int attractMode;
  float idleTime;
  int quitRequested;
  int themeIndex;
  int showWordList;
  float fadeFromBlack;
  float fadeToBlack;
  float levelIntroFade;
  int screenshotNumber;
  int cameraMode;  // 0 overview, 1 close
  int drawArrows;
  int drawArrowHover;
  int drawSwitch3;  // read by the board renderer; nothing changes it


  // The window was closed (or SIGTERM/SIGINT arrived): every loop ends at once
  // and the game goes through Release.
  int closeRequested;

  // Pointer state, read once per frame.
  int mouseX, mouseY, mouseDx, mouseDy;
  int mouseButtons;  // low 8 bits: 1 left, 2 middle, 4 right

  // Picking result of the playing frame: 0 arrow, 1 cube, -1 nothing.
  int pickKind;
  int pickIndex;

  // Input flags of the playing state.
  int leftShiftHeld;
  int rightShiftHeld;
  int buttonHeld;
  int boardClick;

  // Camera presets; the current camera is one of them.
  CameraView overview;
  CameraView close;
  CameraView* camera;
  float cameraPan[3];
};

extern GameState g_game;

// Start-up values of every field (zero, then those the game starts with).
void ResetGameState(GameState& state);
// Both camera presets back to their defaults; current camera := overview,
// cameraMode 0, pan 0.
void ResetCameras(GameState& state);
