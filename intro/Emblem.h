// The intro emblem: its outlines as a built-in table of points, and the tube
// mesh made from them (rings around each outline, rounded caps on open ones).
#pragma once

#include <cstdint>
#include <vector>

#include "base/CList.h"

struct CVector3D {
  float x = 0.0f, y = 0.0f, z = 0.0f;
};

// One outline of the emblem: its points in table order and whether it closes
// on itself.
class SHAPE {
 public:
  virtual ~SHAPE() = default;
  SHAPE() = default;
  // The outline list appends by moving; point lists cannot move, so they copy.
  SHAPE(SHAPE&& other) : closed(other.closed) {
    for (const CVector3D& p : other.points) points.Append(p);
  }
  SHAPE& operator=(SHAPE&&) = delete;

  CList<CVector3D> points;
  bool closed = false;
};

// The outline table: points (x, y, z); a z below -0.5 ends an outline, a
// second one right after ends the table.
extern const float kEmblemTable[][3];

// Builds the outline list from a table as above. Stops at the end marker or
// after maxRows rows, whichever comes first.
void BuildOutlines(const float (*table)[3], int maxRows, CList<SHAPE>& outlines);
int EmblemTableRows();

struct EmblemTriangle {
  int part;
  int corners[3];
};

struct EmblemMesh {
  std::vector<CVector3D> vertices;
  std::vector<EmblemTriangle> triangles;
};

// Tube geometry around the outlines (cleaned first: closed flags recomputed,
// points closer than 0.01 to the one kept before them dropped). Closed
// outlines carry part 1 for the first, 2, 3 ... for later ones; open outlines
// part 0 up to the fifth outline, part 2 after. Stops adding outlines that
// would pass 10,000 vertices or triangles. Triangles wind so that, once the
// objects mirror y and swap corners, they face outwards as the engine wants.
EmblemMesh BuildTubeMesh(CList<SHAPE>& outlines);

constexpr int kEmblemRingVertices = 8;
constexpr int kEmblemCapRings = 7;  // plus a tip vertex at each end
constexpr int kEmblemMaxVertices = 10000;
constexpr int kEmblemMaxTriangles = 10000;
