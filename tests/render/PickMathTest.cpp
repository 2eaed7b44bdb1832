// The ray tests of picking and the planar shadow projection.
#include <gtest/gtest.h>

#include "render/Camera.h"
#include "render/Lights.h"

namespace {

Ray RayFrom(float ox, float oy, float oz, float dx, float dy, float dz) {
  return Ray{{ox, oy, oz}, {dx, dy, dz}};
}

TEST(RayTriangle, OnlyTheOuterSideCountsAndGivesTheDistance) {
  // Clockwise seen from +z: the outer side faces +z.
  const float p0[3] = {0, 0, 0}, p1[3] = {0, 1, 0}, p2[3] = {1, 0, 0};
  float d = 0;
  EXPECT_TRUE(RayHitsTriangle(RayFrom(0.2f, 0.2f, 5, 0, 0, -1), p0, p1, p2, d));
  EXPECT_FLOAT_EQ(d, 5.0f);
  EXPECT_FALSE(RayHitsTriangle(RayFrom(0.2f, 0.2f, -5, 0, 0, 1), p0, p1, p2, d));  // from behind
  EXPECT_FALSE(RayHitsTriangle(RayFrom(0.8f, 0.8f, 5, 0, 0, -1), p0, p1, p2, d));  // beside it
  EXPECT_FALSE(RayHitsTriangle(RayFrom(0.2f, 0.2f, -5, 0, 0, -1), p0, p1, p2, d));  // behind the origin
}

TEST(RayBox, SlabsAndParallelRays) {
  const float low[3] = {-1, -1, -1}, high[3] = {1, 1, 1};
  EXPECT_TRUE(RayHitsBox(RayFrom(-5, 0, 0, 1, 0, 0), low, high));
  EXPECT_FALSE(RayHitsBox(RayFrom(-5, 2, 0, 1, 0, 0), low, high));  // parallel, outside the y slab
  EXPECT_FALSE(RayHitsBox(RayFrom(5, 0, 0, 1, 0, 0), low, high));   // box behind the origin
  EXPECT_TRUE(RayHitsBox(RayFrom(-5, -5, 0, 0.7071f, 0.7071f, 0), low, high));
}

TEST(ShadowMatrix, PointsFallAlongTheLightOntoTheFloor) {
  const float floor[4] = {0, 1, 0, 0}, light[4] = {1, 2, 3, 0};
  float m[16];
  ShadowMatrix(floor, light, m);
  const float p[4] = {0.5f, 1.0f, -0.25f, 1.0f};
  float q[4] = {0, 0, 0, 0};
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) q[row] += m[col * 4 + row] * p[col];
  EXPECT_FLOAT_EQ(q[1], 0.0f);
  // p - q / w is along the light.
  const float dx = p[0] - q[0] / q[3], dz = p[2] - q[2] / q[3], dy = p[1];
  EXPECT_NEAR(dx / dy, 0.5f, 1e-6);
  EXPECT_NEAR(dz / dy, 1.5f, 1e-6);
}

}  // namespace
