// glyphox -timedemo: frame costs of the menu, the scene and a plain quad.
#include "app/TimeDemo.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "app/Demonstration.h"
#include "app/Game.h"
#include "platform/Display.h"
#include "puzzle/PuzzleView.h"
#include "render/Renderer.h"
#include "ui/MenuScreen.h"

namespace {

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

struct Figures {
  double total = 0, low = 1e9, high = 0;
  int frames = 0;
  void Add(double ms) {
    total += ms;
    low = ms < low ? ms : low;
    high = ms > high ? ms : high;
    ++frames;
  }
  void Print(const char* what) const {
    const double seconds = total / 1000.0;
    std::printf("%s: %d frames, %.3f s, %.1f fps, ms per frame min %.3f avg %.3f max %.3f\n", what, frames, seconds,
                seconds > 0 ? frames / seconds : 0.0, frames ? low : 0.0, frames ? total / frames : 0.0, high);
  }
};

// One frame unit of 1/60 s every frame, whatever the frame cost.
FrameTime FixedStep(Game& game, FrameTime time) {
  time.delta = 1.0f;
  time.elapsed += 1.0f;
  time.slowPhase += 0.02f;
  game.Host().AdvanceFixedClock(1000 / 60);
  return time;
}

unsigned MakeQuadTexture() {
  std::vector<unsigned char> pixels(256 * 256 * 3);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>((i * 7) & 0xFF);
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 256, 256, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  return name;
}

void DrawQuad(Overlay& overlay, unsigned texture) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  overlay.Begin2D();
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  const float w = static_cast<float>(overlay.Width());
  const float h = static_cast<float>(overlay.Height());
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0); glVertex2f(0, 0);
  glTexCoord2f(1, 0); glVertex2f(w, 0);
  glTexCoord2f(1, 1); glVertex2f(w, h);
  glTexCoord2f(0, 1); glVertex2f(0, h);
  glEnd();
  overlay.End2D();
}

}  // namespace

int RunTimeDemo(Game& game, int level, int frames, std::chrono::steady_clock::time_point launched) {
  const auto NowMs = [launched] { return MillisecondsSince(launched); };
  const double initialisedMs = NowMs();
  SetFrameRateCap(0);
  // The screens are driven here, frame by frame, without the runner: this
  // loop measures them, so it keeps the frame to what it measures.
  MainMenuScreen menuScreen(game.Menus());
  FrameTime time;
  // The first menu frame, as the player would see it once the intro is over.
  menuScreen.Draw();
  PresentFrame();
  glFinish();
  const double firstMenu = NowMs();
  std::printf("first menu frame: %.1f ms after launch (initialised after %.0f ms)\n", firstMenu, initialisedMs);

  Figures menu;
  for (int i = 0; i < frames; ++i) {
    const double start = NowMs();
    time = FixedStep(game, time);
    game.Menus().Draw(time.elapsed);
    PresentFrame();
    glFinish();
    menu.Add(NowMs() - start);
  }
  menu.Print("menu");

  if (level < 0 || level >= static_cast<int>(game.ThePuzzle().LevelSet().levelCount)) {
    std::fprintf(stderr, "No level %d in this level set\n", level + 1);
    return 1;
  }
  game.Host().UseFixedClock(true);
  game.ResetView();
  std::printf("Demonstration of level %d\n", level + 1);
  DemonstrationScreen demonstration(game, level);
  demonstration.Enter();
  Figures scene;
  for (int i = 0; i < frames; ++i) {
    const double start = NowMs();
    time = FixedStep(game, time);
    demonstration.Step(time);
    demonstration.Draw();
    PresentFrame();
    glFinish();
    scene.Add(NowMs() - start);
  }
  scene.Print("timedemo");

  const unsigned texture = MakeQuadTexture();
  Figures quad;
  for (int i = 0; i < frames; ++i) {
    const double start = NowMs();
    DrawQuad(game.TheRenderer().overlay, texture);
    PresentFrame();
    glFinish();
    quad.Add(NowMs() - start);
  }
  GLuint name = texture;
  glDeleteTextures(1, &name);
  quad.Print("quad");
  if (quad.total > 0) std::printf("scene frame / quad frame: %.2f\n", scene.total / quad.total);
  demonstration.Leave();
  game.Host().UseFixedClock(false);
  return 0;
}
