// The opening emblem animation, played once at start-up before the menus
// exist: the emblem recedes while spinning two turns, holds, and fades to
// black; a key release skips it.
//
//   runner.Run(std::make_unique<IntroScreen>());  // pops itself at the end
//
// The screen sets the emblem up on entry (outlines, meshes, glow textures,
// materials) and releases it on leaving.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Screen.h"

class Objet3D;
class Renderer;

// The glow of one emblem part: 128 x 128 RGB pixels (rows from the top), a
// round halo of colour (r, g, b) (0..1) with a white-hot centre.
constexpr int kGlowSize = 128;
std::vector<uint8_t> MakeGlowTexture(float r, float g, float b);

constexpr int kEmblemParts = 3;

// The three emblem objects (parts 0, 1, 2 with the materials "LOGO1",
// "LOGO2", "LOGO3" and the glow of the logo colours).
struct Emblem {
  std::unique_ptr<Objet3D> parts[kEmblemParts];

  Emblem();
  ~Emblem();
  Emblem(const Emblem&) = delete;
  Emblem& operator=(const Emblem&) = delete;
  // Returns 1, or 0 when the emblem could not be built (the animation then
  // shows nothing).
  int SetUp();
  void Release();
};

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
// Draws the emblem as the state places it, and the fade in the fade phase,
// over the renderer's screen.
void DrawIntro(const IntroAnimation& state, const Emblem& emblem, const Renderer& renderer);

class IntroScreen final : public Screen {
 public:
  explicit IntroScreen(const Renderer& renderer) : m_renderer(renderer) {}

  void Enter() override;
  void Event(const SDL_Event& event) override { IntroEvent(m_state, event); }
  void Update(const FrameTime& time, const Pointer& pointer) override;
  void Draw() override { DrawIntro(m_state, m_emblem, m_renderer); }
  void Leave() override;
  bool ShowsCursor() const override { return false; }

  const IntroAnimation& State() const { return m_state; }

 private:
  const Renderer& m_renderer;
  Emblem m_emblem;
  IntroAnimation m_state;
};
