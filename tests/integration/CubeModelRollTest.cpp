// The letter cube's model and the roll rules agree: after any sequence of
// rolls, the face that the cube's transform turns upwards is the face the
// rules call upper, and its letter points where the rules' turn value says.
// The rules only count letters; the player sees the model. A disagreement
// would show one letter while the game scores another.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine3d/ModelFile.h"
#include "puzzle/Cube.h"
#include "tests/puzzle/PuzzleTestSupport.h"
#include "tests/support/TestFiles.h"

using namespace puzzletest;

namespace {

using Vec = std::array<double, 3>;

Vec Sub(const Vec& a, const Vec& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

// What the model shows on each side of the unturned cube: the tile on it and
// the direction in which that tile's letter points (towards the top of the
// tile image, that is towards smaller v).
struct Side {
  Vec outward;
  int tile = -1;
  Vec letterUp{};
};

std::vector<Side> ReadCubeSides() {
  ModelFileData model;
  std::string bytes = testsupport::ReadFile(testsupport::GameTreeDir() + "/data/gfx/3d/cube.3do");
  std::string error;
  EXPECT_TRUE(DecodeModelFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), model, error)) << error;
  const Vec axes[6] = {{0, 1, 0}, {0, -1, 0}, {1, 0, 0}, {-1, 0, 0}, {0, 0, 1}, {0, 0, -1}};
  std::vector<Side> sides;
  for (const Vec& outward : axes) {
    Side side;
    side.outward = outward;
    double extent = -1e9;
    for (const ModelMesh& mesh : model.meshes)
      for (int v = 0; v < mesh.VertexCount(); ++v) {
        const float* p = &mesh.positions[3 * v];
        extent = std::max(extent, p[0] * outward[0] + p[1] * outward[1] + p[2] * outward[2]);
      }
    // The triangles lying in the outermost plane of this side carry its tile.
    for (const ModelMesh& mesh : model.meshes)
      for (int f = 0; f < mesh.FaceCount(); ++f) {
        Vec p[3];
        double uv[3][2];
        bool inPlane = true;
        for (int k = 0; k < 3; ++k) {
          uint32_t index = mesh.faces[3 * f + k];
          p[k] = {mesh.positions[3 * index], mesh.positions[3 * index + 1], mesh.positions[3 * index + 2]};
          uv[k][0] = mesh.texCoords[2 * index];
          uv[k][1] = mesh.texCoords[2 * index + 1];
          double along = p[k][0] * outward[0] + p[k][1] * outward[1] + p[k][2] * outward[2];
          inPlane = inPlane && std::fabs(along - extent) < 1e-4;
        }
        if (!inPlane) continue;
        side.tile = static_cast<int>((uv[0][1] + uv[1][1] + uv[2][1]) / 3 * 8);
        // Solve P = P0 + a (P1 - P0) + b (P2 - P0) for the direction of -v.
        const Vec e1 = Sub(p[1], p[0]), e2 = Sub(p[2], p[0]);
        const double du1 = uv[1][0] - uv[0][0], dv1 = uv[1][1] - uv[0][1];
        const double du2 = uv[2][0] - uv[0][0], dv2 = uv[2][1] - uv[0][1];
        const double det = du1 * dv2 - du2 * dv1;
        if (std::fabs(det) < 1e-12) continue;
        for (int k = 0; k < 3; ++k) side.letterUp[k] = -(-du2 * e1[k] + du1 * e2[k]) / det;
        break;
      }
    sides.push_back(side);
  }
  return sides;
}

// The cube's rotation (column-major 4 x 4) applied to a direction.
Vec Rotate(const float* m, const Vec& v) {
  return {m[0] * v[0] + m[4] * v[1] + m[8] * v[2], m[1] * v[0] + m[5] * v[1] + m[9] * v[2],
          m[2] * v[0] + m[6] * v[1] + m[10] * v[2]};
}

// Seen from above with North (world -z) at the top: 0 North, 1 East, 2 South,
// 3 West, the quarter turns of a letter clockwise from upright.
int QuarterTurnsOf(const Vec& letterUp) {
  if (std::fabs(letterUp[2]) > std::fabs(letterUp[0])) return letterUp[2] < 0 ? 0 : 2;
  return letterUp[0] > 0 ? 1 : 3;
}

class CubeModelRoll : public PuzzleTest {
 protected:
  void SetUp() override {
    PuzzleTest::SetUp();
    std::vector<std::string> rows(9, std::string(9, '.'));
    rows[4][4] = 'A';
    UseLevels(OneLevel(rows, {"A 4 4 h"}));
    StartPlain();
    sides = ReadCubeSides();
  }

  // The tile and quarter turns the model shows on top of cube 0.
  void ShownOnTop(int& tile, int& turns) const {
    const float* m = level.cubes[0]->transform;
    for (const Side& side : sides) {
      if (Rotate(m, side.outward)[1] > 0.99) {
        tile = side.tile;
        turns = QuarterTurnsOf(Rotate(m, side.letterUp));
        return;
      }
    }
    tile = turns = -1;
  }

  std::vector<Side> sides;
};

}  // namespace

TEST_F(CubeModelRoll, TheModelShowsTheUpperFaceAndTurnTheRulesCount) {
  ASSERT_EQ(sides.size(), 6u);
  for (const Side& side : sides) ASSERT_GE(side.tile, 0) << "a side of the cube model has no tile";

  std::srand(7);
  const Cube& cube = *level.cubes[0];
  for (int roll = 0; roll <= 200; ++roll) {
    int tile = -1, turns = -1;
    ShownOnTop(tile, turns);
    const FaceRecord& upper = cube.faces[cube.positions.upper];
    SCOPED_TRACE("after roll " + std::to_string(roll));
    ASSERT_EQ(tile, cube.positions.upper);
    ASSERT_EQ(turns, TurnValue(upper.table, upper.index));

    // Roll on, staying near the middle of the board.
    int x = puzzle.CubeRecord(0).x, y = puzzle.CubeRecord(0).y, direction;
    do {
      direction = std::rand() % 4;
    } while ((direction == North && y < 2) || (direction == South && y > 6) || (direction == West && x < 2) ||
             (direction == East && x > 6));
    ASSERT_EQ(puzzle.MoveSelected(direction), 1);
    FinishRoll();
  }
}
