// glyphox -timedemo: frame costs of the menu, the scene and a plain quad,
// timed in turns.
#include "app/TimeDemo.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>

#include "app/Demonstration.h"
#include "app/Game.h"
#include "base/InterleavedFrames.h"
#include "platform/Display.h"
#include "puzzle/PuzzleView.h"
#include "render/Renderer.h"
#include "render/Yardstick.h"
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
  const YardstickQuad yardstick;
  const auto Finished = [] {
    PresentFrame();
    glFinish();
  };
  const auto Quad = [&] {
    yardstick.Draw(game.TheRenderer().overlay);
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
  demonstration.Leave();
  game.Host().UseFixedClock(false);
  return 0;
}
