// The opening emblem animation, played once at start-up before the menus
// exist: the emblem recedes while spinning two turns, holds, and fades to
// black; a key release skips it.
//
//   SetUpIntro();            // outlines, meshes, glow textures, materials
//   IntroAnimation state;
//   RunIntro(state);         // until it ends, is skipped or the window closes
//   ReleaseIntro();
//
// PlayIntroAnimation does the three in that order.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

class Objet3D;

// The glow of one emblem part: 128 x 128 RGB pixels (rows from the top), a
// round halo of colour (r, g, b) (0..1) with a white-hot centre.
constexpr int kGlowSize = 128;
std::vector<uint8_t> MakeGlowTexture(float r, float g, float b);

// Builds the three emblem objects (parts 0, 1, 2 with the materials "LOGO1",
// "LOGO2", "LOGO3" and the glow of g_logoColors[part]). Returns 1, or 0 when
// the emblem could not be built (the animation then shows nothing).
int SetUpIntro();
// The emblem object of part 0, 1 or 2 (null before SetUpIntro).
Objet3D* IntroObject(int part);
void ReleaseIntro();

enum IntroPhase { kIntroSpin = 0, kIntroHold = 1, kIntroFade = 2 };

struct IntroAnimation {
  float angle = 720.0f;   // degrees still to turn
  float distance = 2.0f;  // towards the viewer
  float timer = 0.0f;
  int phase = kIntroSpin;
  bool skipped = false;   // a key was released: this frame is the last
  bool finished = false;
  int frames = 0;
};

// A key release ends the animation after the current frame.
void IntroEvent(IntroAnimation& state, const SDL_Event& event);
// One frame's change by f frame units (spin and recede, hold, fade).
void AdvanceIntro(IntroAnimation& state, float f);
// Draws the emblem as the state places it, and the fade in the fade phase.
void DrawIntro(const IntroAnimation& state);
// The frame loop: events, clock, draw, advance, present.
void RunIntro(IntroAnimation& state);

// Start-up step: clears the screen, sets up, runs and releases. Always 1: the
// start goes on whatever happened.
int PlayIntroAnimation();
