// 3D objects: an Objet3D is a list of Mesh3D parts, each bound to a shared
// Material, read from a ".3do" file (engine3d/ModelFile.h) or copied from
// another object.
//
// An object is loaded (or copied), prepared once (Fit or Transform, normals,
// adjacency and edge flags where outlines need them, a display list for static
// objects, MorphSetup for animated ones) and drawn until Free. Loading into an
// object that already holds meshes adds to them, so callers free first.
//
//   Objet3D::SetObjectDirectory("data\\gfx\\3d\\");
//   Objet3D::SetTextureDirectory("data\\gfx\\2d\\");
//   Objet3D cube;
//   if (!cube.Load("cube.3do")) ...;   // the loader printed why
//   cube.BuildDisplayList();           // then glCallList(cube.displayList)
//
// Winding: triangles are clockwise seen from outside. Outward normals are the
// negated cross products (p1 - p0) x (p2 - p0), materials cull GL_FRONT, and
// picking counts hits on the outer side only.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine3d/Material.h"
#include "base/ORBList.h"

struct ModelFileData;

enum NormalMode {
  kNoNormals = 0,
  kFaceNormals = 2,    // one normal per face, flat shading
  kVertexNormals = 4,  // one normal per vertex, smooth shading
};

// Positions closer than this in every coordinate are one point: normals are
// welded across seams and faces meet along such edges.
constexpr float kSamePositionTolerance = 0.000001f;

class Mesh3D {
 public:
  Mesh3D() = default;
  virtual ~Mesh3D();
  Mesh3D(const Mesh3D&) = delete;
  Mesh3D& operator=(const Mesh3D&) = delete;

  // Frees the display list, then allocates zero-filled positions, both normal
  // arrays, both texture coordinate sets and the faces. Returns 0 when memory
  // runs out.
  int AllocateArrays(int vertices, int faces);
  void DeleteDisplayList();

  // Chooses the normal mode from the material's flags and computes what it
  // needs: sphere maps and smooth lit meshes get vertex normals, flat lit
  // meshes face normals, unlit meshes none. Returns 0 when memory runs out.
  // The loader calls it; code that builds meshes itself calls it too.
  int PrepareNormals();

  // Face normals n = -normalize((p1 - p0) x (p2 - p0)); a zero cross product
  // stays zero.
  void ComputeFlatNormals();
  // Vertex normals: the sum of the normals of every face with a corner at the
  // same position (welding duplicated seam vertices), normalised and negated.
  int ComputeSmoothNormals();
  // For each face and edge, the first face in index order that shares the
  // edge's two positions (either direction), or -1.
  int ComputeAdjacency();
  // Bit k: edge k has no neighbour, or the neighbour's face normal meets this
  // face's at a dot product below threshold. Needs adjacency and face normals.
  int ComputeEdgeFlags(float threshold);

  // The triangles alone compiled into displayList, once (the GL context is
  // current), for a shared shape drawn in many looks.
  void BuildShapeList();
  // Draws the mesh in look, a material of the kind of its own (same flags):
  // the shape list when built.
  void DrawIn(const Material* look) const;
  // Inside the caller's glBegin(GL_TRIANGLES): the triangles moved by offset,
  // with the normals and texture coordinates the material wants. Many
  // pieces in one material become one draw.
  void AppendTriangles(const float offset[3]) const;

  bool Blended() const { return material && material->Has(kMaterialBlended); }
  const float* Position(uint32_t vertex) const { return &positions[vertex * 3]; }

  std::string name;
  std::string materialName;
  int visible = 1;
  Material* material = nullptr;  // shared, not owned
  int normalMode = kNoNormals;
  int animated = 0;
  int vertexCount = 0;
  int faceCount = 0;
  std::vector<uint32_t> faces;        // 3 vertex indices per face
  std::vector<float> positions;       // 3 per vertex
  std::vector<float> vertexNormals;   // 3 per vertex
  std::vector<float> faceNormals;     // 3 per face
  std::vector<float> texCoords0;      // 2 per vertex
  std::vector<float> texCoords1;      // 2 per vertex
  std::vector<int32_t> adjacency;     // 4 per face: neighbours across edges 0..2, spare
  std::vector<uint8_t> edgeFlags;     // 1 per face
  GLint displayList = -1;
  Mesh3D* next = nullptr;
};

class Objet3D {
 public:
  Objet3D() = default;
  virtual ~Objet3D();
  Objet3D(const Objet3D&) = delete;
  Objet3D& operator=(const Objet3D&) = delete;

  // The two process-wide prefixes, copied as given (the caller includes the
  // trailing separator). Names are joined to them before NativePath.
  static void SetObjectDirectory(const char* path);
  static void SetTextureDirectory(const char* path);
  static const char* ObjectDirectory();
  static const char* TextureDirectory();

  // Reads object directory + name. Returns 1, or 0 after one message line; a
  // rejected file leaves the object as it was.
  int Load(const char* name);
  // The same from a file image already in memory; path names it in messages.
  int LoadFromMemory(const char* name, const char* path, const uint8_t* bytes, size_t size);

  Mesh3D* AddMesh();
  // Takes one reference of the named material (created when new).
  Material* AddMaterialReference(const char* materialName);
  // Index 0 is the head of the list: the last mesh of the file.
  Mesh3D* GetMesh(int index) const;
  Mesh3D* FirstMesh() const { return meshes; }

  // Makes this object a geometric copy of source (sharing its materials) and
  // records source as the morph source.
  void CopyFrom(const Objet3D& source);

  // Minimum and maximum corner over every vertex; an object without meshes
  // leaves both (and its stored box) untouched.
  void BoundingBox(float minimum[3], float maximum[3]);
  // v := (v - centre) * scale per axis; normals are left alone.
  void Transform(const float centre[3], const float scale[3]);
  // Centres the object and scales its largest extent to sx, sy, sz.
  void Fit(float sx, float sy, float sz);

  void ComputeFlatNormals();
  int ComputeAdjacency();
  int ComputeEdgeFlags(float threshold);

  // Drawing (ObjetDraw.cpp): opaque meshes first, then blended ones, each
  // pass in list order.
  void Draw();
  void BuildDisplayList();
  // Triangles only, no material: for passes that set their own state.
  // normalKind 0 none, 1 face normals, 2 vertex normals.
  void DrawGeometry(bool withTexCoords, int normalKind);

  // Morphing (ObjetMorph.cpp). This object must be a copy of source. Returns 0
  // (and changes nothing) when the two shapes do not pair mesh for mesh.
  int MorphSetup(Objet3D* source, Objet3D* target);
  void Morph(float t);
  // Sphere-map coordinates from a modelview matrix (column order) for every
  // mesh whose material has a sphere-map texture.
  void SphereMap(const double modelview[16]);

  // Applied to every material this object references.
  void SetOpacity(float alpha);
  void SetBlendMode(int mode);
  void ReUploadTextures();

  // Deletes the display lists, releases the materials, destroys the meshes.
  void Free();
  void DeleteDisplayList();

  std::string name;
  int vertexTotal = 0;
  int faceTotal = 0;
  ORBList<Material*> materials;
  Mesh3D* meshes = nullptr;
  int meshCount = 0;
  GLint displayList = -1;
  Objet3D* morphSource = nullptr;  // not owned
  Objet3D* morphTarget = nullptr;  // not owned
  float boxMin[3] = {0, 0, 0};
  float boxMax[3] = {0, 0, 0};

 private:
  int Build(const char* name, const ModelFileData& model);
  void DropNewest(int meshesToDrop, int referencesToDrop);
};
