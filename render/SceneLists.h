// The renderer's lists for the level on show: wall pieces from the grids,
// drawing records per cube and arrow, and the border and floor display lists.
#pragma once

#include <GL/gl.h>

#include <vector>

#include "puzzle/Board.h"

class LetterImages;
class Material;
class Objet3D;
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

// The level's walls in one draw per material: the pieces' triangles moved to
// their squares and compiled once. Walls do not move during a level, and a
// renderer that fills pixels in software pays far more per draw and per
// change of material than per triangle.
class WallBatch {
 public:
  WallBatch() = default;
  ~WallBatch() { Forget(); }
  WallBatch(const WallBatch&) = delete;
  WallBatch& operator=(const WallBatch&) = delete;
  // The pieces or the theme's walls changed: the lists go.
  void Forget();
  // Every piece in the walls' materials (without them for a shadow), built at
  // the first call after Forget. False, with nothing drawn, where a wall is
  // not plain opaque lit stuff: those go piece by piece.
  bool Draw(const WallPiece* pieces, int count, const Objet3D* walls, bool withMaterials);

 private:
  struct Group {
    const Material* material;
    GLuint list;
  };
  void Build(const WallPiece* pieces, int count, const Objet3D* walls);
  std::vector<Group> m_groups;
  bool m_built = false;
};

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
  WallBatch wallBatch;

 private:
  GLuint m_borderList = 0;
  GLuint m_floorList = 0;
};
