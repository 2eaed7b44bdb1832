// The renderer's lists for the level on show: wall pieces from the grids,
// drawing records per cube and arrow, and the border and floor display lists.
#pragma once

#include "puzzle/Board.h"

struct WallPiece {
  int kind;  // wall shape
  int column, row;
  float x, y;
  float height;
  int active;
  int nearView;  // a box two squares wide touches the frustum
  int visible;   // a box one square wide touches it
};

struct CubeDrawRecord {
  int active;
  int nearView;
  int visible;
};

constexpr int kMaxWallPieces = kGridSquares;
extern WallPiece g_wallPieces[kMaxWallPieces];
extern int g_wallPieceCount;
extern CubeDrawRecord g_cubeDraw[kMaxCubes];

// The arrow's heading about y for a direction (-90, 180, 90, 0).
float ArrowHeading(int direction);
struct ArrowRecord;
// Modelview to the arrow's place and heading, 0.3 squares above the floor.
void MoveToArrow(const ArrowRecord& arrow);

// Display list names, generated once (with the menu objects).
void GenerateLevelListNames();
void DeleteLevelListNames();
// Board offset and camera distance from the board, border and floor lists.
void BuildLevelLists();
// Wall pieces from the running grids; cube records active.
void RebuildWallPieces();
void ClearSceneLists();
void CallBorderList();
void CallFloorList();
// One floor tile of w x h squares at square (c, r), on y = 0.
void DrawFloorTile(float c, float r, float w, float h);
