// Geometry prepared after loading (normals, adjacency, edge flags, box, fit),
// copies, morphing, sphere maps and the cube's rotation helpers, on small
// meshes built in memory.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "base/Math.h"
#include "engine3d/GLContext.h"
#include "engine3d/Objet3D.h"
#include "engine3d/Rotation.h"

namespace {

// A mesh from positions and faces.
Mesh3D* AddMesh(Objet3D& object, const std::vector<float>& positions, const std::vector<uint32_t>& faces) {
  Mesh3D* mesh = object.AddMesh();
  EXPECT_EQ(mesh->AllocateArrays(static_cast<int>(positions.size() / 3), static_cast<int>(faces.size() / 3)), 1);
  mesh->positions = positions;
  mesh->faces = faces;
  return mesh;
}

void ExpectVector(const float* v, float x, float y, float z) {
  EXPECT_NEAR(v[0], x, 1e-6);
  EXPECT_NEAR(v[1], y, 1e-6);
  EXPECT_NEAR(v[2], z, 1e-6);
}

// Two triangles in z = 0 sharing the edge (1,0)-(0,1), both clockwise seen
// from +z, and one more on the far side sharing nothing.
const std::vector<float> kPair = {0, 0, 0, 0, 1, 0, 1, 0, 0, 1, 1, 0, 5, 5, 5, 6, 5, 5, 5, 6, 5};
const std::vector<uint32_t> kPairFaces = {0, 1, 2, 2, 1, 3, 4, 6, 5};

}  // namespace

TEST(Normals, FlatNormalsPointOutOfClockwiseFaces) {
  Objet3D object;
  Mesh3D* mesh = AddMesh(object, kPair, kPairFaces);
  // A degenerate face: its zero cross product stays zero.
  mesh->faces[6] = 4;
  mesh->faces[7] = 4;
  object.ComputeFlatNormals();
  ExpectVector(&mesh->faceNormals[0], 0, 0, 1);
  ExpectVector(&mesh->faceNormals[3], 0, 0, 1);
  ExpectVector(&mesh->faceNormals[6], 0, 0, 0);
}

TEST(Normals, SmoothNormalsWeldSeamsAndCountEachFaceOnce) {
  Objet3D object;
  Mesh3D* mesh = object.AddMesh();
  // Ridge seen from +z: left half rises from x = -1 to the ridge at x = 0,
  // right half falls again; the ridge vertices are duplicated per half.
  const float d = 1.0f;
  std::vector<float> p = {-1, -1, 0, 0, -1, d, 0, 1, d, -1, 1, 0,   // left
                          0, -1, d, 1, -1, 0, 1, 1, 0, 0, 1, d};    // right
  ASSERT_EQ(mesh->AllocateArrays(8, 4), 1);
  mesh->positions = p;
  mesh->faces = {0, 2, 1, 0, 3, 2, 4, 6, 5, 4, 7, 6};
  ASSERT_EQ(mesh->ComputeSmoothNormals(), 1);
  const float* n = mesh->vertexNormals.data();
  // The ridge's front end touches one left face and both right faces, its
  // back end two left faces and one right face; each copy of a seam vertex
  // gets the same normal.
  const float a = 1.0f / std::sqrt(10.0f), b = 3.0f / std::sqrt(10.0f);
  for (int v : {1, 4}) ExpectVector(&n[v * 3], a, 0, b);
  for (int v : {2, 7}) ExpectVector(&n[v * 3], -a, 0, b);
  // Vertex 0 touches both left faces: the left face's own normal.
  const float s = std::sqrt(0.5f);
  ExpectVector(&n[0], -s, 0, s);
  // A seam one micron apart still welds; two microns apart does not.
  mesh->positions[4 * 3 + 0] = 0.000001f;
  mesh->positions[7 * 3 + 0] = 0.000002f;
  ASSERT_EQ(mesh->ComputeSmoothNormals(), 1);
  EXPECT_NEAR(n[4 * 3 + 2], b, 1e-5);
  EXPECT_NEAR(n[7 * 3 + 0], s, 1e-5);  // only its own right face
}

TEST(Adjacency, FindsTheFirstFaceAcrossEachEdgeAndFlagsCreases) {
  Objet3D object;
  Mesh3D* mesh = AddMesh(object, kPair, kPairFaces);
  ASSERT_EQ(object.ComputeAdjacency(), 1);
  // Face 0 (0,1,2): edge 1 is (1)-(2), shared in the opposite direction by
  // face 1's edge 0 (2)-(1).
  const std::vector<int32_t> expected = {-1, 1, -1, 0, 0, -1, -1, 0, -1, -1, -1, 0};
  EXPECT_EQ(mesh->adjacency, expected);

  object.ComputeFlatNormals();
  ASSERT_EQ(object.ComputeEdgeFlags(0.7071f), 1);
  EXPECT_EQ(mesh->edgeFlags, (std::vector<uint8_t>{0x5, 0x6, 0x7}));
  // Folding face 1 up by 90 degrees makes the shared edge a crease.
  mesh->positions[3 * 3 + 1] = 0.0f;
  mesh->positions[3 * 3 + 2] = 1.0f;
  object.ComputeFlatNormals();
  ASSERT_EQ(object.ComputeEdgeFlags(0.7071f), 1);
  EXPECT_EQ(mesh->edgeFlags[0], 0x7);
}

// The engine finds nearby positions through a sorted index; on a noisy mesh
// with welded seams it must agree with the plain all-pairs definition.
TEST(Adjacency, AgreesWithTheAllPairsDefinitionOnANoisyMesh) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> grid(0, 5);
  std::uniform_int_distribution<int> jitter(-1, 1);
  Objet3D object;
  std::vector<float> positions;
  for (int v = 0; v < 120; ++v)
    for (int axis = 0; axis < 3; ++axis) positions.push_back(grid(random) * 0.5f + jitter(random) * 0.0000008f);
  std::vector<uint32_t> faces;
  std::uniform_int_distribution<uint32_t> pick(0, 119);
  for (int f = 0; f < 300; ++f)
    for (int k = 0; k < 3; ++k) faces.push_back(pick(random));
  Mesh3D* mesh = AddMesh(object, positions, faces);
  ASSERT_EQ(mesh->ComputeAdjacency(), 1);
  ASSERT_EQ(mesh->ComputeSmoothNormals(), 1);

  auto same = [&](uint32_t a, uint32_t b) {
    for (int axis = 0; axis < 3; ++axis)
      if (std::fabs(static_cast<double>(positions[a * 3 + axis] - positions[b * 3 + axis])) > 1e-6f) return false;
    return true;
  };
  const int faceCount = 300;
  std::vector<int32_t> adjacency(faceCount * 4, -1);
  for (int f = 0; f < faceCount; ++f) adjacency[f * 4 + 3] = 0;
  for (int i = 0; i < faceCount; ++i)
    for (int k = 0; k < 3; ++k) {
      if (adjacency[i * 4 + k] != -1) continue;
      const uint32_t a = faces[i * 3 + k], b = faces[i * 3 + (k + 1) % 3];
      for (int j = 0; j < faceCount && adjacency[i * 4 + k] == -1; ++j) {
        if (j == i) continue;
        for (int m = 0; m < 3; ++m) {
          const uint32_t c = faces[j * 3 + m], d = faces[j * 3 + (m + 1) % 3];
          if ((same(c, a) && same(d, b)) || (same(c, b) && same(d, a))) {
            adjacency[i * 4 + k] = j;
            adjacency[j * 4 + m] = i;
            break;
          }
        }
      }
    }
  EXPECT_EQ(mesh->adjacency, adjacency);

  std::vector<float> cross(faceCount * 3);
  for (int f = 0; f < faceCount; ++f) {
    const float* p0 = &positions[faces[f * 3] * 3];
    const float* p1 = &positions[faces[f * 3 + 1] * 3];
    const float* p2 = &positions[faces[f * 3 + 2] * 3];
    const float e1[3] = {p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
    const float e2[3] = {p2[0] - p0[0], p2[1] - p0[1], p2[2] - p0[2]};
    float n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
    const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    for (int axis = 0; axis < 3; ++axis) cross[f * 3 + axis] = length == 0.0f ? n[axis] : n[axis] / length;
  }
  for (uint32_t v = 0; v < 120; ++v) {
    float sum[3] = {0, 0, 0};
    for (int f = 0; f < faceCount; ++f) {
      bool touches = false;
      for (int k = 0; k < 3; ++k) touches = touches || same(v, faces[f * 3 + k]);
      if (touches)
        for (int axis = 0; axis < 3; ++axis) sum[axis] += cross[f * 3 + axis];
    }
    const float length = std::sqrt(sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]);
    for (int axis = 0; axis < 3; ++axis) {
      const float expected = -(length == 0.0f ? sum[axis] : sum[axis] / length);
      ASSERT_EQ(mesh->vertexNormals[v * 3 + axis], expected) << v;
    }
  }
}

TEST(Box, BoundingBoxFitAndTransform) {
  Objet3D object;
  AddMesh(object, {0, 0, 0, 4, 1, 2, 2, -1, 0}, {0, 1, 2});
  AddMesh(object, {-2, 0, 6}, {});
  float low[3], high[3];
  object.BoundingBox(low, high);
  ExpectVector(low, -2, -1, 0);
  ExpectVector(high, 4, 1, 6);
  ExpectVector(object.boxMax, 4, 1, 6);

  // Largest extent 6, shared by x and z: x wins the tie, the result is the same.
  object.Fit(1.0f, 2.0f, 3.0f);
  object.BoundingBox(low, high);
  ExpectVector(low, -0.5f, -1.0f / 3, -1.5f);
  ExpectVector(high, 0.5f, 1.0f / 3, 1.5f);

  const float centre[3] = {1, 0, 0}, scale[3] = {2, 2, 2};
  object.GetMesh(0)->vertexNormals[0] = 9.0f;
  object.Transform(centre, scale);
  EXPECT_FLOAT_EQ(object.GetMesh(0)->positions[0], -3.0f);  // (-0.5 - 1) x 2
  EXPECT_EQ(object.GetMesh(0)->vertexNormals[0], 9.0f);     // normals untouched
}

TEST(Copy, CopiesGeometryInOrderAndSharesMaterials) {
  ClearMaterials();
  Objet3D source;
  Material* stone = source.AddMaterialReference("Stone");
  Mesh3D* first = AddMesh(source, {0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 2, 1});
  first->name = "first";
  first->material = stone;
  first->materialName = "Stone";
  first->normalMode = kFaceNormals;
  first->ComputeFlatNormals();
  Mesh3D* second = AddMesh(source, {0, 0, 2, 1, 0, 2, 0, 1, 2}, {0, 1, 2});
  second->name = "second";
  second->texCoords0[3] = 0.5f;

  Objet3D copy;
  copy.CopyFrom(source);
  ASSERT_EQ(copy.meshCount, 2);
  EXPECT_EQ(copy.GetMesh(0)->name, "second");
  EXPECT_EQ(copy.GetMesh(1)->name, "first");
  EXPECT_EQ(copy.GetMesh(1)->material, stone);
  EXPECT_EQ(copy.GetMesh(1)->normalMode, kFaceNormals);
  EXPECT_EQ(copy.GetMesh(1)->faceNormals, first->faceNormals);
  EXPECT_EQ(copy.GetMesh(0)->texCoords0, second->texCoords0);
  EXPECT_EQ(stone->referenceCount, 2);
  EXPECT_EQ(copy.morphSource, &source);
  EXPECT_EQ(copy.boxMax[2], 2.0f);
  copy.Free();
  EXPECT_EQ(stone->referenceCount, 1);
  EXPECT_EQ(copy.morphSource, nullptr);
  source.Free();
  EXPECT_EQ(Materials().Count(), 0);
}

TEST(Morph, BlendsAnimatedMeshesAndLeavesStillOnesAlone) {
  Objet3D a, b;
  for (Objet3D* shape : {&a, &b}) {
    Mesh3D* still = AddMesh(*shape, {0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 2, 1});
    still->normalMode = kVertexNormals;
    Mesh3D* moving = AddMesh(*shape, {0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 2, 1});
    moving->normalMode = kVertexNormals;
    moving->vertexNormals = {0, 0, 1, 0, 0, 1, 0, 0, 1};
  }
  b.meshes->positions[2] = 4.0f;  // index 0 moves one vertex in z
  b.meshes->vertexNormals[0] = 1.0f;

  Objet3D w;
  w.CopyFrom(a);
  ASSERT_EQ(w.MorphSetup(&a, &b), 1);
  EXPECT_EQ(w.morphTarget, &b);
  EXPECT_EQ(w.meshes->animated, 1);
  EXPECT_EQ(w.meshes->next->animated, 0);

  w.meshes->next->positions[0] = 42.0f;  // a still mesh is never rewritten
  w.Morph(1.0f);
  EXPECT_EQ(w.meshes->positions, b.meshes->positions);
  EXPECT_EQ(w.meshes->vertexNormals, b.meshes->vertexNormals);
  EXPECT_EQ(w.meshes->next->positions[0], 42.0f);
  w.Morph(0.0f);
  EXPECT_EQ(w.meshes->positions, a.meshes->positions);
  w.Morph(0.25f);
  EXPECT_FLOAT_EQ(w.meshes->positions[2], 1.0f);
  EXPECT_FLOAT_EQ(w.meshes->vertexNormals[0], 0.25f);  // not renormalised
}

TEST(Morph, ShapesThatDoNotPairAreRefused) {
  Objet3D a, b, c;
  AddMesh(a, {0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 2, 1});
  AddMesh(b, {0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 2, 1});
  AddMesh(b, {0, 0, 0}, {});
  AddMesh(c, {0, 0, 0, 1, 0, 0}, {});
  Objet3D w;
  w.CopyFrom(a);
  testing::internal::CaptureStderr();
  EXPECT_EQ(w.MorphSetup(&a, &b), 0);  // different mesh counts
  EXPECT_EQ(w.MorphSetup(&a, &c), 0);  // different vertex counts
  EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
  EXPECT_EQ(w.morphTarget, nullptr);
  const std::vector<float> before = w.meshes->positions;
  w.Morph(1.0f);
  EXPECT_EQ(w.meshes->positions, before);
}

TEST(SphereMap, CoordinatesComeFromTheRotatedNormals) {
  ClearMaterials();
  Objet3D object;
  Material* chrome = object.AddMaterialReference("Chrome");
  chrome->flags = kMaterialEnvironment;
  Mesh3D* mapped = AddMesh(object, {0, 0, 0, 1, 0, 0}, {});
  mapped->material = chrome;
  mapped->vertexNormals = {1, 0, 0, 0, 0.6f, 0.8f};
  Mesh3D* plain = AddMesh(object, {0, 0, 0}, {});
  plain->material = object.AddMaterialReference("Plain");
  plain->vertexNormals = {1, 0, 0};

  // A quarter turn about z: x goes to y, y goes to -x.
  const double turn[16] = {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  object.SphereMap(turn);
  EXPECT_FLOAT_EQ(mapped->texCoords0[0], 0.5f);
  EXPECT_FLOAT_EQ(mapped->texCoords0[1], 0.0f);  // eye normal (0, 1, 0): top of the map
  EXPECT_FLOAT_EQ(mapped->texCoords0[2], 0.2f);  // eye normal (-0.6, 0, 0.8)
  EXPECT_FLOAT_EQ(mapped->texCoords0[3], 0.5f);
  EXPECT_EQ(plain->texCoords0, (std::vector<float>{0, 0}));
  object.Free();
  ClearMaterials();
}

namespace {
}  // namespace

TEST(Rotation, QuaternionsAndMatrices) {
  float q[4], m[16];
  const float quarterX[4] = {std::sqrt(0.5f), 0, 0, std::sqrt(0.5f)};
  MatrixFromQuaternion(quarterX, m);
  const float expected[16] = {1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1};
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(m[i], expected[i], 1e-6) << i;
  // Angles to a quaternion: a turn about all three axes, every component
  // against the formula (each axis alone is a special case of it): with
  // half angles a, b, c about x, y, z,
  //   x = cos b sin a cos c - sin b cos a sin c
  //   y = cos b sin a sin c + sin b cos a cos c
  //   z = cos b cos a sin c - sin b sin a cos c
  //   w = sin b sin a sin c + cos b cos a cos c
  // divided by the squared norm (1 here).
  const double a = 30 * kPi / 360, b = 40 * kPi / 360, c = 50 * kPi / 360;
  const double formula[4] = {
      std::cos(b) * std::sin(a) * std::cos(c) - std::sin(b) * std::cos(a) * std::sin(c),
      std::cos(b) * std::sin(a) * std::sin(c) + std::sin(b) * std::cos(a) * std::cos(c),
      std::cos(b) * std::cos(a) * std::sin(c) - std::sin(b) * std::sin(a) * std::cos(c),
      std::sin(b) * std::sin(a) * std::sin(c) + std::cos(b) * std::cos(a) * std::cos(c)};
  QuaternionFromAngles(30, 40, 50, q);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(q[i], formula[i], 1e-6) << i;
}

TEST(GLExtensions, MatchWholeTokensOnlyIncludingTheLast) {
  const char* list = "GL_ARB_multitexture GL_EXT_texture_edge_clamp_plus GL_EXT_compiled_vertex_array";
  EXPECT_TRUE(ExtensionListed(list, "GL_ARB_multitexture"));
  EXPECT_TRUE(ExtensionListed(list, "GL_EXT_compiled_vertex_array"));
  EXPECT_FALSE(ExtensionListed(list, "GL_EXT_texture_edge_clamp"));
  EXPECT_FALSE(ExtensionListed(list, "GL_ARB_multi"));
  EXPECT_FALSE(ExtensionListed(list, "gl_arb_multitexture"));
  EXPECT_FALSE(ExtensionListed("", "GL_ARB_multitexture"));
  EXPECT_FALSE(ExtensionListed(nullptr, "GL_ARB_multitexture"));
}
