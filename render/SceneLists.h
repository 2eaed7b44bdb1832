// The renderer's lists for the level on show: wall pieces from the grids,
// drawing records per cube and arrow, and the border and floor display lists.
#pragma once

#include <GL/gl.h>

#include "puzzle/Board.h"

class LetterImages;
class Puzzle;
class Texture;
struct ArrowRecord;

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
  int rollInView;  // it or its mirror image may show, rolling to a next square
};

constexpr int kMaxWallPieces = kGridSquares;

// The arrow's heading about y for a direction (-90, 180, 90, 0).
float ArrowHeading(int direction);
// Modelview to the arrow's place and heading, 0.3 squares above the floor.
void MoveToArrow(const ArrowRecord& arrow);
// One floor tile of w x h squares at square (c, r), on y = 0.
void DrawFloorTile(float c, float r, float w, float h);

class SceneLists {
 public:
  SceneLists() = default;
  ~SceneLists();  // deletes the display lists
  SceneLists(const SceneLists&) = delete;
  SceneLists& operator=(const SceneLists&) = delete;

  // Wall pieces from the running grids; cube records active.
  void RebuildWallPieces(const Puzzle& puzzle);
  // The border (in the border texture) and the floor with its ground letters.
  void BuildLevelLists(const Puzzle& puzzle, const Texture& border, const LetterImages& letters);
  void Clear();
  void CallBorderList() const;
  void CallFloorList() const;

  WallPiece wallPieces[kMaxWallPieces];
  int wallPieceCount = 0;
  CubeDrawRecord cubeDraw[kMaxCubes] = {};

 private:
  GLuint m_borderList = 0;
  GLuint m_floorList = 0;
};
