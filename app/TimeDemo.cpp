// glyphox -timedemo: frame costs of the menu, the scene and a plain quad,
// timed in turns.
#include "app/TimeDemo.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "app/Demonstration.h"
#include "app/Game.h"
#include "base/InterleavedFrames.h"
#include "platform/Display.h"
#include "puzzle/PuzzleView.h"
#include "render/Renderer.h"
#include "ui/MenuScreen.h"

namespace {

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

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

void PrintMemory(const char* when) {
  const MemoryUse use = ProcessMemory();
  std::printf("resident memory %s: %.1f MB (peak %.1f MB)\n", when, use.residentKb / 1024.0, use.peakKb / 1024.0);
}

int RunTimeDemo(Game& game, int level, int frames, std::chrono::steady_clock::time_point launched) {
  const auto NowMs = [launched] { return MillisecondsSince(launched); };
  const double initialisedMs = NowMs();
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
  PrintMemory("at the menu");

  // Every subject takes its turn, frame by frame, so that all see the same
  // load; the quad frame is the yardstick.
  const unsigned texture = MakeQuadTexture();
  const auto Finished = [] {
    PresentFrame();
    glFinish();
  };
  const auto Quad = [&] {
    DrawQuad(game.TheRenderer().overlay, texture);
    Finished();
  };
  {
    InterleavedFrames bench;
    const int menu = bench.Add("menu", [&] {
      game.Menus().Draw(time.elapsed);
      Finished();
    });
    const int quad = bench.Add("quad", Quad);
    bench.Run(frames, 0, [&] { time = FixedStep(game, time); });
    std::printf("%s\n%s\nmenu frame / quad frame: %.2f\n", bench.Describe(menu).c_str(),
                bench.Describe(quad).c_str(), bench.Ratio(menu, quad));
  }

  if (level < 0 || level >= static_cast<int>(game.ThePuzzle().LevelSet().levelCount)) {
    std::fprintf(stderr, "No level %d in this level set\n", level + 1);
    GLuint name = texture;
    glDeleteTextures(1, &name);
    return 1;
  }
  game.Host().UseFixedClock(true);
  game.ResetView();
  std::printf("Demonstration of level %d\n", level + 1);
  DemonstrationScreen demonstration(game, level);
  demonstration.Enter();
  Renderer& renderer = game.TheRenderer();
  const RenderOptions chosen = renderer.Options();
  // The same moment of the demonstration drawn as chosen and with one pass
  // left out: what that pass costs is the difference.
  const auto Scene = [&](RenderOptions options) {
    return [&, options] {
      renderer.SetOptions(options);
      demonstration.Draw();
      Finished();
      renderer.SetOptions(chosen);
    };
  };
  RenderOptions noMirror = chosen, noShadow = chosen, full = chosen;
  full.skipUnseen = 0;
  noMirror.reflect = 0;
  noShadow.shadow = 0;
  InterleavedFrames bench;
  const int scene = bench.Add("scene", Scene(chosen));
  const int quad = bench.Add("quad", Quad);
  // What the shortcuts that leave out the unseen save.
  const int inFull = bench.Add("scene drawn in full", Scene(full));
  const int withoutMirror = chosen.reflect ? bench.Add("scene without the mirror", Scene(noMirror)) : -1;
  const int withoutShadow = chosen.shadow ? bench.Add("scene without the shadows", Scene(noShadow)) : -1;
  int round = 0;
  bench.Run(frames, 0, [&] {
    time = FixedStep(game, time);
    demonstration.Step(time);
    if (++round == frames / 2) PrintMemory("halfway through the demonstration");
  });
  std::fputs(bench.DescribeScene({scene, inFull, quad, withoutMirror, withoutShadow}).c_str(), stdout);
  PrintMemory("after the demonstration");
  GLuint name = texture;
  glDeleteTextures(1, &name);
  demonstration.Leave();
  game.Host().UseFixedClock(false);
  return 0;
}
