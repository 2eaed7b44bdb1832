// The level scene of glyphox-view: a level started as the game starts it,
// with a clock the tool moves, drawn through the game's board renderer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "puzzle/Puzzle.h"
#include "puzzle/PuzzleHost.h"
#include "render/Renderer.h"

struct ViewOptions {
  std::string levelFile, output;
  int levelIndex = 0;
  int theme = -1;  // -1: the game's choice for the level
  int difficulty = 0;
  unsigned seed = 1;
  bool vary = true, mix = true, closeView = false, list = false;
  bool hasCamera = false;
  float spin = 0, tilt = -60, zoom = 0;
  int width = 800, height = 600;
  RenderOptions render;
  std::vector<int> moves;
  bool hasSelect = false;
  int selectX = 0, selectY = 0;
  bool hasPick = false;
  int pickX = 0, pickY = 0;
  float benchSeconds = 0;
  int benchStarts = 0;
};

// Parses the command line; false (after a message) when it is wrong.
bool ParseViewOptions(int argc, char** argv, ViewOptions& options);

// The tool's puzzle host: its clock, and the scene built by its renderer;
// it also carries the puzzle and the renderer for the tool's steps.
class ViewHost final : public PuzzleHost {
 public:
  uint32_t Ticks() override { return ticks; }
  bool ChooseThemeForLevel() override;
  void ResetCameras() override {}
  void ClearSceneLists() override;
  void BeginSceneBuild() override;
  void EndSceneBuild() override;
  void LoadCubeAppearance(Cube& cube) override;
  void SetItemLook(Item& item, int look) override;
  void ReleaseItem(Item& item) override;

  Puzzle* puzzle = nullptr;
  Renderer* renderer = nullptr;
  uint32_t ticks = 1000;
  int forcedTheme = -1;
  int themeLoads = 0;
};

// Draws one frame of the level on show and moves the puzzle on by one frame.
void DrawViewFrame(const ViewOptions& options, BoardFrame& frame, ViewHost& host);
// The two halves of it: the drawing alone, then the clock and the puzzle
// moved on by one sixtieth of a second.
void DrawBoardFrame(const ViewOptions& options, BoardFrame& frame, ViewHost& host);
void AdvanceViewFrame(BoardFrame& frame, ViewHost& host);
// The frame's camera from the options and the board.
CameraPose ViewCamera(const ViewOptions& options, const Puzzle& puzzle);
