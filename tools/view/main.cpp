// glyphox-view: draws one frame of a level as the game shows it, for level
// authors and tests; picks, lists where cubes and arrows land on the screen,
// and measures frame and level-start costs.
//
//   glyphox-view LEVELFILE INDEX OUT.bmp [--theme N] [--difficulty D]
//       [--seed N] [--no-vary] [--no-mix] [--camera SPIN,TILT,ZOOM]
//       [--close-view] [--reflect 0|1] [--shadow 0|1|2] [--cartoon 0|1]
//       [--size WxH] [--moves "n e s w ..."] [--select X,Y] [--pick X,Y]
//       [--list] [--bench SECONDS] [--bench-start N]
//
// Run it from a game directory (the one holding data/); otherwise it uses
// the build's game directory.
#include <GL/gl.h>
#include <SDL.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/FileAccess.h"
#include "base/InterleavedFrames.h"
#include "platform/Display.h"
#include "engine3d/Material.h"
#include "puzzle/Cube.h"
#include "puzzle/PuzzleView.h"
#include "render/Renderer.h"
#include "render/Yardstick.h"
#include "tools/view/ViewSession.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

std::string Absolute(const std::string& path) {
  if (path.empty() || path[0] == '/') return path;
  char cwd[4096];
  return getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/" + path : path;
}

bool EnterGameDirectory() {
  if (FileExists("data/gfx/theme1/theme.ini")) return true;
  return chdir(GLYPHOX_BUILD_GAME_DIR) == 0 && FileExists("data/gfx/theme1/theme.ini");
}

// The camera's matrices without the board offset (the offset is added to
// every projected point).
void CaptureCamera(Renderer& r, const ViewOptions& o) {
  r.SetBoardProjection();
  PlaceCamera(ViewCamera(o, r.ShownPuzzle()));
  r.view.CaptureMatrices();
}

void PrintList(Renderer& r, const ViewOptions& o) {
  CaptureCamera(r, o);
  const Puzzle& puzzle = r.ShownPuzzle();
  const float s = kSquareSize;
  for (int i = 0; i < puzzle.CubeCount(); ++i) {
    const CubeState& c = puzzle.CubeRecord(i);
    int px = -1, py = -1;
    r.view.ProjectBoardPoint(c.x * s, 0.5f * s, c.y * s, px, py);
    std::printf("{\"kind\":\"cube\",\"index\":%d,\"square\":[%d,%d],\"pixel\":[%d,%d],\"static\":%d}\n", i, c.x, c.y,
                px, py, puzzle.Level().CubeAt(i) ? puzzle.Level().CubeAt(i)->isStatic : 0);
  }
  for (int i = 0; i < puzzle.ArrowCount(); ++i) {
    const ArrowRecord& a = puzzle.Arrow(i);
    if (!a.active) continue;
    int px = -1, py = -1;
    r.view.ProjectBoardPoint(a.x * s, 0.3f * s, a.y * s, px, py);
    std::printf("{\"kind\":\"arrow\",\"index\":%d,\"square\":[%d,%d],\"direction\":%d,\"pixel\":[%d,%d]}\n", i, a.x,
                a.y, a.direction, px, py);
  }
}

PickResult PickAt(Renderer& r, const ViewOptions& o) {
  CaptureCamera(r, o);
  PickResult result;
  r.Pick(o.pickX, o.pickY, result);
  return result;
}

void PrintPick(const ViewOptions& o, const Puzzle& puzzle, const PickResult& r) {
  const char* kind = r.kind == kPickArrow ? "arrow" : r.kind == kPickCube ? "cube" : "nothing";
  int x = -1, y = -1;
  if (r.kind == kPickArrow) x = puzzle.Arrow(r.index).x, y = puzzle.Arrow(r.index).y;
  if (r.kind == kPickCube) x = puzzle.CubeRecord(r.index).x, y = puzzle.CubeRecord(r.index).y;
  std::printf("{\"pixel\":[%d,%d],\"kind\":\"%s\",\"index\":%d,\"square\":[%d,%d]}\n", o.pickX, o.pickY, kind, r.index,
              x, y);
}

// The moves with their whole roll drawn, frame by frame.
bool PlayMoves(const ViewOptions& o, BoardFrame& frame, ViewHost& host) {
  Puzzle& puzzle = *host.puzzle;
  int formed = puzzle.Board().formedCount;
  for (int direction : o.moves) {
    if (!puzzle.MoveSelected(direction)) {
      std::fprintf(stderr, "glyphox-view: move %c is not allowed\n", "nesw"[direction]);
      return false;
    }
    for (int guard = 0; guard < 10000 && puzzle.Play().moveState != kMoveStateReady; ++guard)
      DrawViewFrame(o, frame, host);
    if (puzzle.Board().formedCount > formed) host.renderer->StartParticleBurst();
    formed = puzzle.Board().formedCount;
  }
  return true;
}

// Frames of the board and of the textured quad alternate, so that both see
// the same load on the machine; the board is also drawn without its mirror
// and without its shadows to show what those passes cost. Every board frame
// of a round shows the same moment.
void Bench(const ViewOptions& o, BoardFrame& frame, ViewHost& host) {
  InterleavedFrames bench;
  const auto Finished = [] {
    PresentFrame();
    glFinish();
  };
  const auto Board = [&](int reflect, int shadow, int skipUnseen = 1) {
    return [&, reflect, shadow, skipUnseen] {
      BoardFrame variant = frame;
      variant.options.reflect = reflect;
      variant.options.shadow = shadow;
      variant.options.skipUnseen = skipUnseen;
      DrawBoardFrame(o, variant, host);
      Finished();
    };
  };
  const int board = bench.Add("board", Board(o.render.reflect, o.render.shadow));
  const YardstickQuad yardstick;
  const int quad = bench.Add("textured quad", [&] {
    yardstick.Draw(host.renderer->overlay);
    Finished();
  });
  const int noMirror = o.render.reflect ? bench.Add("board without the mirror", Board(0, o.render.shadow)) : -1;
  const int noShadow = o.render.shadow ? bench.Add("board without the shadows", Board(o.render.reflect, 0)) : -1;
  // What the shortcuts that leave out the unseen save.
  const int full = bench.Add("board drawn in full", Board(o.render.reflect, o.render.shadow, 0));
  bench.Run(0, o.benchSeconds, [&] { AdvanceViewFrame(frame, host); });
  std::printf("board %ux%u, %d cubes, %d wall pieces, %dx%d pixels, reflect %d, shadow %d, %d rounds\n",
              host.puzzle->Board().width, host.puzzle->Board().height, host.puzzle->CubeCount(),
              host.renderer->lists.wallPieceCount, o.width, o.height, o.render.reflect, o.render.shadow,
              bench.Rounds());
  std::fputs(bench.DescribeScene({board, full, quad, noMirror, noShadow}).c_str(), stdout);
}

double TimedStart(Puzzle& puzzle, int index, const LevelStartOptions& start) {
  const Clock::time_point t = Clock::now();
  puzzle.StartLevel(index, start);
  glFinish();
  return Seconds(t) * 1000.0;
}

void BenchStarts(const ViewOptions& o, ViewHost& host, const LevelStartOptions& start) {
  double same = 0, changed = 0;
  const int themes = host.renderer->ThemeCount();
  for (int i = 0; i < o.benchStarts; ++i) same += TimedStart(*host.puzzle, o.levelIndex, start);
  for (int i = 0; i < o.benchStarts; ++i) {
    host.forcedTheme = (host.renderer->CurrentTheme() + 1) % themes;
    changed += TimedStart(*host.puzzle, o.levelIndex, start);
  }
  std::printf("level start: %.1f ms without a theme change, %.1f ms with one (%d starts each)\n",
              same / o.benchStarts, changed / o.benchStarts, o.benchStarts);
  for (int round = 1; round <= 4; ++round) {
    for (int t = 0; t < themes; ++t) {
      host.forcedTheme = t;
      host.puzzle->StartLevel(o.levelIndex, start);
    }
    std::printf("resident memory after round %d of %d themes: %.1f MB\n", round, themes,
                ProcessMemory().residentKb / 1024.0);
  }
  host.forcedTheme = o.theme;
  host.puzzle->StartLevel(o.levelIndex, start);
}

int Run(ViewOptions& o, ViewHost& host) {
  Puzzle& puzzle = *host.puzzle;
  host.forcedTheme = o.theme;
  if (!host.renderer->LoadMenuObjects() || !host.renderer->ScanThemes() || !puzzle.LoadLevelSet(o.levelFile.c_str()))
    return 1;
  std::srand(o.seed);
  puzzle.SetDifficulty(o.difficulty);
  LevelStartOptions start;
  start.vary = o.vary;
  start.mix = o.mix;
  if (!puzzle.StartLevel(o.levelIndex, start)) return 1;
  if (o.hasSelect) {
    const int cube = puzzle.FindCubeAt(o.selectX, o.selectY);
    if (cube < 0) {
      std::fprintf(stderr, "glyphox-view: no cube at %d,%d\n", o.selectX, o.selectY);
      return 1;
    }
    puzzle.SelectCube(cube);
  }
  BoardFrame frame;
  frame.options = o.render;
  if (!PlayMoves(o, frame, host)) return 1;
  if (o.benchStarts > 0) BenchStarts(o, host, start);
  if (o.benchSeconds > 0) Bench(o, frame, host);
  if (o.list) PrintList(*host.renderer, o);
  if (o.hasPick) {
    const PickResult picked = PickAt(*host.renderer, o);
    PrintPick(o, puzzle, picked);
    frame.hoveredArrow = picked.kind == kPickArrow ? picked.index : -1;
  }
  DrawViewFrame(o, frame, host);
  glFinish();
  if (!CheckGLErrors()) return 1;
  if (!SaveScreenshot(o.output.c_str())) {
    std::fprintf(stderr, "glyphox-view: cannot write %s\n", o.output.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  ViewOptions options;
  if (!ParseViewOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: glyphox-view LEVELFILE INDEX OUT.bmp [--theme N] [--difficulty D] [--seed N] [--no-vary]\n"
                 "         [--no-mix] [--camera SPIN,TILT,ZOOM] [--close-view] [--reflect 0|1] [--shadow 0|1|2]\n"
                 "         [--cartoon 0|1] [--size WxH] [--moves \"n e s w ...\"] [--select X,Y] [--pick X,Y]\n"
                 "         [--list] [--bench SECONDS] [--bench-start N]\n");
    return 2;
  }
  options.levelFile = Absolute(options.levelFile);
  options.output = Absolute(options.output);
  if (!EnterGameDirectory()) {
    std::fprintf(stderr, "glyphox-view: no game directory (data/gfx/theme1/theme.ini) here or in %s\n",
                 GLYPHOX_BUILD_GAME_DIR);
    return 1;
  }
  if (!OpenToolWindow("glyphox-view", options.width, options.height)) return 1;
  int status = 1;
  {
    ViewHost host;
    Puzzle puzzle(&host);
    Renderer renderer(options.width, options.height, options.render, puzzle);
    host.puzzle = &puzzle;
    host.renderer = &renderer;
    status = Run(options, host);
    puzzle.EndLevel();
  }
  ClearMaterials();
  CloseToolWindow();
  return status;
}
