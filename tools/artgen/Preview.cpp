// glyphox-artview: looks at the generated art the way the game shows it,
// through the game's own renderer: a small sample board of a theme
// (background, floor and ground letters, border, walls, letter cubes,
// arrows, mirror and shadows) or the menu backdrop with the title.
//
//   glyphox-artview GFX_DIR THEME OUT.bmp [--spin DEG] [--tilt DEG] [--zoom Z]
//                   [--size WxH] [--time FRAMES] [--bench SECONDS]
//   glyphox-artview GFX_DIR menu OUT.bmp [--size WxH] [--time FRAMES]
//
// GFX_DIR is a game directory's data/gfx/; the game's data is read from that
// game directory. --time sets the animation clock (frame units). --bench
// draws a 30 x 30 board of about 300 wall pieces and 150 cubes for that many
// seconds and prints the frame rate.
#include <GL/gl.h>
#include <SDL.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "platform/Display.h"
#include "engine3d/Material.h"
#include "puzzle/PuzzleHost.h"
#include "puzzle/PuzzleView.h"
#include "render/Renderer.h"
#include "tools/level/LevelSource.h"

namespace {

// Mirror and real shadows on, as the game's options offer them.
const RenderOptions kPreviewOptions{1, 2, 0, 1};

// '#' wall, '.' floor, a capital letter a cube standing on its letter.
std::vector<std::string> g_rows = {
    "##########",
    "#..G...#.#",
    "#.####.#.#",
    "#.#..L.Y.#",
    "#...#.##.#",
    "##.P#...H#",
    "#...#.#..#",
    "#.......##",
    "##########",
};

// The largest board the game allows: about 300 wall pieces and 150 cubes.
void UseBenchmarkBoard() {
  g_rows.assign(30, std::string(30, '.'));
  int cubes = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) {
      const bool border = x == 0 || y == 0 || x == 29 || y == 29;
      const bool inner = (y % 6 == 3 && x % 7 != 5) || (x % 9 == 4 && y % 5 != 1);
      if (border || inner)
        g_rows[y][x] = '#';
      else if ((x + 2 * y) % 3 == 0 && cubes < kMaxCubes)
        g_rows[y][x] = static_cast<char>('A' + cubes++ % 26);
    }
}

// Each cube is a one-letter word of its own.
std::string SampleLevelSource() {
  std::string text = "level\ncode AAAAA\nboard\n";
  for (const std::string& row : g_rows) text += row + "\n";
  int words = 0;
  for (size_t y = 0; y < g_rows.size() && words < kMaxWords; ++y)
    for (size_t x = 0; x < g_rows[y].size() && words < kMaxWords; ++x)
      if (g_rows[y][x] >= 'A' && g_rows[y][x] <= 'Z') {
        text += "word " + std::string(1, g_rows[y][x]) + " " + std::to_string(x) + " " + std::to_string(y) + " h\n";
        ++words;
      }
  return text + "end\n";
}

// The puzzle's host: the renderer's side of a level start.
class PreviewHost final : public PuzzleHost {
 public:
  bool ChooseThemeForLevel() override {
    if (!r->themes.Loaded()) loaded = r->LoadTheme(theme);
    return loaded;
  }
  void ClearSceneLists() override { r->ClearScene(); }
  void BeginSceneBuild() override { r->BeginScene(); }
  void LoadCubeAppearance(Cube& cube) override { r->LoadCubeAppearance(cube); }
  void ReleaseItem(Item& item) override { r->ReleaseItem(item); }
  Renderer* r = nullptr;
  int theme = 0;
  int loaded = 0;
};

struct Options {
  std::string gfx, theme, output;
  float spin = 20.0f, tilt = -55.0f, zoom = 0.0f, time = 0.0f;
  int width = 800, height = 600;
  float benchSeconds = 0.0f;
};

bool Parse(int argc, char** argv, Options& o) {
  if (argc < 4) return false;
  o.gfx = argv[1];
  o.theme = argv[2];
  o.output = argv[3];
  for (int i = 4; i + 1 < argc; i += 2) {
    const std::string key = argv[i];
    const char* value = argv[i + 1];
    if (key == "--spin") o.spin = std::strtof(value, nullptr);
    else if (key == "--tilt") o.tilt = std::strtof(value, nullptr);
    else if (key == "--zoom") o.zoom = std::strtof(value, nullptr);
    else if (key == "--time") o.time = std::strtof(value, nullptr);
    else if (key == "--bench") o.benchSeconds = std::strtof(value, nullptr);
    else if (key != "--size" || !ParseWindowSize(value, o.width, o.height)) return false;
  }
  return o.theme == "menu" || std::atoi(o.theme.c_str()) >= 1;
}

void DrawFrame(Renderer& r, const Options& o, BoardFrame& frame) {
  const Board& board = r.ShownPuzzle().Board();
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  r.SetBoardProjection();
  const float zoom = o.zoom > 0 ? o.zoom : CameraDistanceFor(board.width, board.height);
  frame.camera = CameraPose{o.spin, o.tilt, zoom, 0, {0, 0, 0}};
  r.DrawBoard(frame);
}

int RenderBoard(Renderer& r, Puzzle& puzzle, PreviewHost& host, const Options& o) {
  if (o.benchSeconds > 0) UseBenchmarkBoard();
  std::string error;
  LevelSet sample;
  if (!ParseLevelSource(SampleLevelSource(), sample, error)) {
    std::fprintf(stderr, "glyphox-artview: sample board: %s\n", error.c_str());
    return 1;
  }
  puzzle.UseLevelSet(std::move(sample));
  host.theme = std::atoi(o.theme.c_str()) - 1;
  LevelStartOptions plain;
  plain.vary = plain.mix = false;
  int status = puzzle.StartLevel(0, plain) && host.loaded ? 0 : 1;
  if (status == 0) {
    int p = -1;
    for (int y = 0; y < static_cast<int>(g_rows.size()) && p < 0; ++y)
      p = g_rows[y].find('P') != std::string::npos ? puzzle.FindCubeAt(static_cast<int>(g_rows[y].find('P')), y) : -1;
    if (p >= 0) puzzle.SelectCube(p);
    BoardFrame frame;
    frame.options = kPreviewOptions;
    if (o.benchSeconds > 0) {
      int frames = 0;
      const auto start = std::chrono::steady_clock::now();
      double elapsed = 0;
      while (elapsed < o.benchSeconds) {
        frame.elapsedFrames = static_cast<float>(frames);
        DrawFrame(r, o, frame);
        PresentFrame();
        ++frames;
        elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      }
      std::printf("theme %s, %dx%d board, %d wall pieces, %d cubes, %dx%d pixels: %.1f frames/s\n", o.theme.c_str(),
                  puzzle.Board().width, puzzle.Board().height, r.lists.wallPieceCount, puzzle.CubeCount(), o.width, o.height,
                  frames / elapsed);
    }
    frame.elapsedFrames = o.time;
    frame.slowPhase = o.time * 0.02f;
    DrawFrame(r, o, frame);
    glFinish();
    status = SaveScreenshot(o.output.c_str()) ? 0 : 1;
  }
  puzzle.EndLevel();
  return status;
}

int RenderMenu(Renderer& r, const Options& o) {
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  r.SetBoardProjection();
  PlaceMenuCamera();
  r.lights.Menu();
  r.DrawMenuBackground(o.time);
  r.DrawMenuTitle(o.time);
  glFinish();
  return SaveScreenshot(o.output.c_str()) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!Parse(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: glyphox-artview GFX_DIR THEME|menu OUT.bmp [--spin DEG] [--tilt DEG] [--zoom Z]\n"
                 "                       [--size WxH] [--time FRAMES] [--bench SECONDS]\n");
    return 2;
  }
  if (!options.output.empty() && options.output[0] != '/') {
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd)) options.output = std::string(cwd) + "/" + options.output;
  }
  // The game reads its data below its own directory.
  if (chdir((options.gfx + "/../..").c_str()) != 0) {
    std::fprintf(stderr, "glyphox-artview: no game directory above %s\n", options.gfx.c_str());
    return 1;
  }
  if (!OpenToolWindow("glyphox-artview", options.width, options.height)) return 1;
  int status = 1;
  {
    PreviewHost host;
    Puzzle puzzle(&host);
    Renderer renderer(options.width, options.height, kPreviewOptions, puzzle);
    host.r = &renderer;
    status = renderer.LoadMenuObjects() && renderer.ScanThemes() ? 0 : 1;
    if (status == 0)
      status = options.theme == "menu" ? RenderMenu(renderer, options) : RenderBoard(renderer, puzzle, host, options);
  }
  ClearMaterials();
  CloseToolWindow();
  return status;
}
