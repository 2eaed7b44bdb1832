// glyphox-view's level session: options, the tool's puzzle host, one frame.
#include "tools/view/ViewSession.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "platform/Display.h"
#include "puzzle/Cube.h"
#include "puzzle/PuzzleView.h"

namespace {

bool ParsePair(const char* text, int& a, int& b, char separator) {
  char rest;
  const char format[] = {'%', 'd', separator, '%', 'd', ' ', '%', 'c', 0};
  return std::sscanf(text, format, &a, &b, &rest) == 2;
}

bool ParseMoves(const char* text, std::vector<int>& moves) {
  std::istringstream words(text);
  std::string word;
  while (words >> word) {
    static const char* const kNames = "nesw";
    const char* at = word.size() == 1 ? std::strchr(kNames, std::tolower(word[0])) : nullptr;
    if (!at || !*at) return false;
    moves.push_back(static_cast<int>(at - kNames));
  }
  return true;
}

bool ParseInt(const char* text, int low, int high, int& out) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end || value < low || value > high) return false;
  out = static_cast<int>(value);
  return true;
}

}  // namespace

bool ParseViewOptions(int argc, char** argv, ViewOptions& o) {
  if (argc < 4) return false;
  o.levelFile = argv[1];
  if (!ParseInt(argv[2], 0, 100000, o.levelIndex)) return false;
  o.output = argv[3];
  for (int i = 4; i < argc; ++i) {
    const std::string key = argv[i];
    const bool flag = key == "--no-vary" || key == "--no-mix" || key == "--close-view" || key == "--list";
    if (flag) {
      if (key == "--no-vary") o.vary = false;
      if (key == "--no-mix") o.mix = false;
      if (key == "--close-view") o.closeView = true;
      if (key == "--list") o.list = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    bool ok = true;
    if (key == "--theme") {
      ok = ParseInt(value, 1, kMaxThemes, o.theme);
      o.theme -= 1;
    } else if (key == "--difficulty") {
      ok = ParseInt(value, 0, 2, o.difficulty);
    } else if (key == "--seed") {
      int seed = 0;
      ok = ParseInt(value, 0, 2147483647, seed);
      o.seed = static_cast<unsigned>(seed);
    } else if (key == "--camera") {
      ok = std::sscanf(value, "%f,%f,%f", &o.spin, &o.tilt, &o.zoom) == 3 && o.zoom > 0;
      o.hasCamera = true;
    } else if (key == "--reflect") {
      ok = ParseInt(value, 0, 1, o.render.reflect);
    } else if (key == "--shadow") {
      ok = ParseInt(value, 0, 2, o.render.shadow);
    } else if (key == "--cartoon") {
      ok = ParseInt(value, 0, 1, o.render.cartoon);
    } else if (key == "--size") {
      ok = ParseWindowSize(value, o.width, o.height);
    } else if (key == "--moves") {
      ok = ParseMoves(value, o.moves);
    } else if (key == "--select") {
      ok = o.hasSelect = ParsePair(value, o.selectX, o.selectY, ',');
    } else if (key == "--pick") {
      ok = o.hasPick = ParsePair(value, o.pickX, o.pickY, ',');
    } else if (key == "--bench") {
      o.benchSeconds = std::strtof(value, nullptr);
      ok = o.benchSeconds > 0;
    } else if (key == "--bench-start") {
      ok = ParseInt(value, 1, 10000, o.benchStarts);
    } else {
      ok = false;
    }
    if (!ok) {
      std::fprintf(stderr, "glyphox-view: bad value for %s: %s\n", key.c_str(), value);
      return false;
    }
  }
  return true;
}

bool ViewHost::ChooseThemeForLevel() {
  const int count = renderer->ThemeCount();
  const int wanted = forcedTheme >= 0 ? forcedTheme : (count > 0 ? (puzzle->Play().levelIndex / 4) % count : 0);
  if (renderer->themes.Loaded() && renderer->CurrentTheme() == wanted) return true;
  if (!renderer->LoadTheme(wanted)) {
    std::fprintf(stderr, "glyphox-view: cannot load theme %d\n", wanted + 1);
    return false;
  }
  ++themeLoads;
  return true;
}

void ViewHost::ClearSceneLists() { renderer->ClearScene(); }
void ViewHost::BeginSceneBuild() { renderer->BeginScene(); }
void ViewHost::EndSceneBuild() { renderer->EndScene(); }
void ViewHost::LoadCubeAppearance(Cube& cube) { renderer->LoadCubeAppearance(cube); }
void ViewHost::SetItemLook(Item& item, int look) { renderer->SetItemLook(item, look); }
void ViewHost::ReleaseItem(Item& item) { renderer->ReleaseItem(item); }

CameraPose ViewCamera(const ViewOptions& o, const Puzzle& puzzle) {
  const Board& board = puzzle.Board();
  const int w = static_cast<int>(board.width), h = static_cast<int>(board.height);
  CameraPose pose{0.0f, -60.0f, CameraDistanceFor(w, h), 0, {0, 0, 0}};
  if (o.closeView) {
    pose = CameraPose{0.0f, -75.0f, 0.5f, 1, {0, 0, 0}};
    const int selected = puzzle.Play().selectedCube;
    if (selected >= 0 && selected < puzzle.CubeCount()) {
      pose.pan[0] = (w * 0.5f - puzzle.CubeRecord(selected).fx - 0.5f) * kSquareSize;
      pose.pan[2] = (h * 0.5f - puzzle.CubeRecord(selected).fy - 0.5f) * kSquareSize;
    }
  }
  if (o.hasCamera) {
    pose.spin = o.spin;
    pose.tilt = o.tilt;
    pose.zoom = o.zoom;
  }
  return pose;
}

void DrawBoardFrame(const ViewOptions& o, BoardFrame& frame, ViewHost& host) {
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  host.renderer->SetBoardProjection();
  frame.camera = ViewCamera(o, *host.puzzle);
  host.renderer->DrawBoard(frame);
}

void AdvanceViewFrame(BoardFrame& frame, ViewHost& host) {
  host.ticks += 17;
  frame.elapsedFrames += frame.frameDelta;
  frame.slowPhase += frame.frameDelta * 0.02f;
  host.puzzle->UpdateLevel();
}

void DrawViewFrame(const ViewOptions& o, BoardFrame& frame, ViewHost& host) {
  DrawBoardFrame(o, frame, host);
  AdvanceViewFrame(frame, host);
}
