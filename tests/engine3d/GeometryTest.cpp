// Geometry prepared after loading (normals, adjacency, edge flags, box, fit),
// copies, morphing and sphere maps, on small meshes built in memory.
#include <gtest/gtest.h>

#include <cmath>

#include "engine3d/GLContext.h"
#include "engine3d/Objet3D.h"

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
const std::vector<float> kTriangle = {0, 0, 0, 1, 0, 0, 0, 1, 0};

}  // namespace

TEST(Normals, FlatNormalsPointOutOfClockwiseFacesAndADegenerateFaceGetsNone) {
  Objet3D object;
  Mesh3D* mesh = AddMesh(object, kPair, kPairFaces);
  mesh->faces[6] = mesh->faces[7] = 4;
  object.ComputeFlatNormals();
  ExpectVector(&mesh->faceNormals[0], 0, 0, 1);
  ExpectVector(&mesh->faceNormals[3], 0, 0, 1);
  ExpectVector(&mesh->faceNormals[6], 0, 0, 0);
}

TEST(Normals, SmoothNormalsWeldSeamsAndCountEachFaceOnce) {
  // Ridge seen from +z: left half rises from x = -1 to the ridge at x = 0,
  // right half falls again; the ridge vertices are duplicated per half.
  Objet3D object;
  Mesh3D* mesh = AddMesh(object, {-1, -1, 0, 0, -1, 1, 0, 1, 1, -1, 1, 0, 0, -1, 1, 1, -1, 0, 1, 1, 0, 0, 1, 1},
                         {0, 2, 1, 0, 3, 2, 4, 6, 5, 4, 7, 6});
  ASSERT_EQ(mesh->ComputeSmoothNormals(), 1);
  const float* n = mesh->vertexNormals.data();
  // The ridge's front end touches one left face and both right faces, its
  // back end two left faces and one right face; each copy of a seam vertex
  // gets the same normal; vertex 0 only the left face's own normal.
  const float a = 1.0f / std::sqrt(10.0f), b = 3.0f / std::sqrt(10.0f), s = std::sqrt(0.5f);
  for (int v : {1, 4}) ExpectVector(&n[v * 3], a, 0, b);
  for (int v : {2, 7}) ExpectVector(&n[v * 3], -a, 0, b);
  ExpectVector(&n[0], -s, 0, s);
  // A seam one micron apart still welds; two microns apart does not.
  mesh->positions[4 * 3] = 0.000001f;
  mesh->positions[7 * 3] = 0.000002f;
  ASSERT_EQ(mesh->ComputeSmoothNormals(), 1);
  EXPECT_NEAR(n[4 * 3 + 2], b, 1e-5);
  EXPECT_NEAR(n[7 * 3], s, 1e-5);
}

TEST(Adjacency, FindsTheFirstFaceAcrossEachEdgeAndFlagsCreases) {
  Objet3D object;
  Mesh3D* mesh = AddMesh(object, kPair, kPairFaces);
  ASSERT_EQ(object.ComputeAdjacency(), 1);
  // Face 0 (0,1,2): edge 1 is (1)-(2), shared in the opposite direction by
  // face 1's edge 0 (2)-(1).
  EXPECT_EQ(mesh->adjacency, (std::vector<int32_t>{-1, 1, -1, 0, 0, -1, -1, 0, -1, -1, -1, 0}));
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

TEST(Box, BoundingBoxFitAndTransform) {
  Objet3D object;
  AddMesh(object, {0, 0, 0, 4, 1, 2, 2, -1, 0}, {0, 1, 2});
  AddMesh(object, {-2, 0, 6}, {});
  float low[3], high[3];
  object.BoundingBox(low, high);
  ExpectVector(low, -2, -1, 0);
  ExpectVector(high, 4, 1, 6);
  // Largest extent 6, shared by x and z.
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
  Mesh3D* first = AddMesh(source, kTriangle, {0, 2, 1});
  first->name = "first";
  first->material = stone;
  first->normalMode = kFaceNormals;
  first->ComputeFlatNormals();
  AddMesh(source, {0, 0, 2, 1, 0, 2, 0, 1, 2}, {0, 1, 2})->name = "second";
  Objet3D copy;
  copy.CopyFrom(source);
  ASSERT_EQ(copy.meshCount, 2);
  EXPECT_EQ(copy.GetMesh(0)->name, "second");
  EXPECT_EQ(copy.GetMesh(1)->material, stone);
  EXPECT_EQ(copy.GetMesh(1)->normalMode, kFaceNormals);
  EXPECT_EQ(copy.GetMesh(1)->faceNormals, first->faceNormals);
  EXPECT_EQ(copy.boxMax[2], 2.0f);
  EXPECT_EQ(stone->referenceCount, 2);
  copy.Free();
  EXPECT_EQ(stone->referenceCount, 1);
  source.Free();
  EXPECT_EQ(Materials().Count(), 0);
}

TEST(Morph, BlendsAnimatedMeshesLeavesStillOnesAloneAndRefusesShapesThatDoNotPair) {
  Objet3D a, b;
  for (Objet3D* shape : {&a, &b})
    for (int k = 0; k < 2; ++k) {
      Mesh3D* mesh = AddMesh(*shape, kTriangle, {0, 2, 1});
      mesh->normalMode = kVertexNormals;
      mesh->vertexNormals = {0, 0, 1, 0, 0, 1, 0, 0, 1};
    }
  b.meshes->positions[2] = 4.0f;  // index 0 moves one vertex in z
  b.meshes->vertexNormals[0] = 1.0f;
  Objet3D w;
  w.CopyFrom(a);
  ASSERT_EQ(w.MorphSetup(&a, &b), 1);
  EXPECT_EQ(w.meshes->animated, 1);
  EXPECT_EQ(w.meshes->next->animated, 0);
  w.meshes->next->positions[0] = 42.0f;  // a still mesh is never rewritten
  w.Morph(1.0f);
  EXPECT_EQ(w.meshes->positions, b.meshes->positions);
  EXPECT_EQ(w.meshes->vertexNormals, b.meshes->vertexNormals);
  EXPECT_EQ(w.meshes->next->positions[0], 42.0f);
  w.Morph(0.25f);
  EXPECT_FLOAT_EQ(w.meshes->positions[2], 1.0f);
  EXPECT_FLOAT_EQ(w.meshes->vertexNormals[0], 0.25f);  // not renormalised

  Objet3D fewer, shorter, v;
  AddMesh(fewer, kTriangle, {0, 2, 1});
  AddMesh(shorter, kTriangle, {0, 2, 1});
  AddMesh(shorter, {0, 0, 0, 1, 0, 0}, {});
  v.CopyFrom(a);
  testing::internal::CaptureStderr();
  EXPECT_EQ(v.MorphSetup(&a, &fewer), 0);    // different mesh counts
  EXPECT_EQ(v.MorphSetup(&a, &shorter), 0);  // different vertex counts
  EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
  EXPECT_EQ(v.morphTarget, nullptr);
  v.Morph(1.0f);
  EXPECT_EQ(v.meshes->positions, a.meshes->positions);
}

TEST(SphereMap, CoordinatesComeFromTheRotatedNormalsOfMappedMeshesOnly) {
  ClearMaterials();
  Objet3D object;
  Mesh3D* mapped = AddMesh(object, {0, 0, 0, 1, 0, 0}, {});
  mapped->material = object.AddMaterialReference("Chrome");
  mapped->material->flags = kMaterialEnvironment;
  mapped->vertexNormals = {1, 0, 0, 0, 0.6f, 0.8f};
  Mesh3D* plain = AddMesh(object, {0, 0, 0}, {});
  plain->material = object.AddMaterialReference("Plain");
  plain->vertexNormals = {1, 0, 0};
  // A quarter turn about z: eye normals (0, 1, 0), the top of the map, and
  // (-0.6, 0, 0.8).
  const double turn[16] = {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  object.SphereMap(turn);
  const float expected[4] = {0.5f, 0.0f, 0.2f, 0.5f};
  for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(mapped->texCoords0[i], expected[i]) << i;
  EXPECT_EQ(plain->texCoords0, (std::vector<float>{0, 0}));
  object.Free();
  ClearMaterials();
}

TEST(GLExtensions, MatchWholeTokensOnlyIncludingTheLast) {
  const char* list = "GL_ARB_multitexture GL_EXT_texture_edge_clamp_plus GL_EXT_compiled_vertex_array";
  EXPECT_TRUE(ExtensionListed(list, "GL_ARB_multitexture"));
  EXPECT_TRUE(ExtensionListed(list, "GL_EXT_compiled_vertex_array"));
  for (const char* absent : {"GL_EXT_texture_edge_clamp", "GL_ARB_multi", "gl_arb_multitexture"})
    EXPECT_FALSE(ExtensionListed(list, absent)) << absent;
  EXPECT_FALSE(ExtensionListed("", "GL_ARB_multitexture"));
  EXPECT_FALSE(ExtensionListed(nullptr, "GL_ARB_multitexture"));
}
