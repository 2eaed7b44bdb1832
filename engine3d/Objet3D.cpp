#include "engine3d/Objet3D.h"

#include <cstdio>
#include <new>

#include "engine3d/GLContext.h"
#include "engine3d/LoadSettings.h"

LoadSettings g_loads;

namespace {

void CopyPrefix(char (&prefix)[1024], const char* path) {
  std::snprintf(prefix, sizeof prefix, "%s", path ? path : "");
}

void DeleteList(GLint& list) {
  if (list != -1 && g_gl.open) glDeleteLists(static_cast<GLuint>(list), 1);
  list = -1;
}
}  // namespace

Mesh3D::~Mesh3D() { DeleteDisplayList(); }

void Mesh3D::DeleteDisplayList() { DeleteList(displayList); }

int Mesh3D::AllocateArrays(int vertices, int faceTotal) {
  DeleteDisplayList();
  if (vertices < 0 || faceTotal < 0) return 0;
  const size_t v = static_cast<size_t>(vertices), f = static_cast<size_t>(faceTotal);
  try {
    positions.assign(v * 3, 0.0f);
    vertexNormals.assign(v * 3, 0.0f);
    faceNormals.assign(f * 3, 0.0f);
    texCoords0.assign(v * 2, 0.0f);
    texCoords1.assign(v * 2, 0.0f);
    faces.assign(f * 3, 0u);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  adjacency.clear();
  edgeFlags.clear();
  vertexCount = vertices;
  faceCount = faceTotal;
  return 1;
}

Objet3D::~Objet3D() { Free(); }

void Objet3D::SetObjectDirectory(const char* path) { CopyPrefix(g_loads.objectDirectory, path); }
void Objet3D::SetTextureDirectory(const char* path) { CopyPrefix(g_loads.textureDirectory, path); }
const char* Objet3D::ObjectDirectory() { return g_loads.objectDirectory; }
const char* Objet3D::TextureDirectory() { return g_loads.textureDirectory; }

Mesh3D* Objet3D::AddMesh() {
  Mesh3D* mesh = new Mesh3D;
  mesh->next = meshes;
  meshes = mesh;
  ++meshCount;
  return mesh;
}

Material* Objet3D::AddMaterialReference(const char* materialName) {
  Material* material = GetOrCreateMaterial(materialName);
  materials.Add(material);
  return material;
}

Mesh3D* Objet3D::GetMesh(int index) const {
  if (index < 0 || index >= meshCount) return nullptr;
  Mesh3D* mesh = meshes;
  for (int i = 0; mesh && i < index; ++i) mesh = mesh->next;
  return mesh;
}

void Objet3D::CopyFrom(const Objet3D& source) {
  for (Material* material : source.materials) AddMaterialReference(material->name.c_str());
  // Taken from the last index down, so that the copy's list runs in the same order.
  for (int index = source.meshCount - 1; index >= 0; --index) {
    const Mesh3D* from = source.GetMesh(index);
    Mesh3D* to = AddMesh();
    to->name = from->name;
    to->materialName = from->materialName;
    to->material = from->material;
    to->normalMode = from->normalMode;
    if (!to->AllocateArrays(from->vertexCount, from->faceCount)) continue;
    to->positions = from->positions;
    to->vertexNormals = from->vertexNormals;
    to->texCoords0 = from->texCoords0;
    to->faces = from->faces;
    to->faceNormals = from->faceNormals;
    vertexTotal += from->vertexCount;
    faceTotal += from->faceCount;
  }
  BoundingBox(boxMin, boxMax);
  morphSource = const_cast<Objet3D*>(&source);
}

void Objet3D::BoundingBox(float minimum[3], float maximum[3]) {
  if (!meshes) return;
  float low[3] = {1000000.0f, 1000000.0f, 1000000.0f};
  float high[3] = {-1000000.0f, -1000000.0f, -1000000.0f};
  for (const Mesh3D* mesh = meshes; mesh; mesh = mesh->next) {
    for (int v = 0; v < mesh->vertexCount; ++v) {
      const float* p = mesh->Position(static_cast<uint32_t>(v));
      for (int axis = 0; axis < 3; ++axis) {
        if (p[axis] < low[axis]) low[axis] = p[axis];
        if (p[axis] > high[axis]) high[axis] = p[axis];
      }
    }
  }
  for (int axis = 0; axis < 3; ++axis) {
    boxMin[axis] = minimum[axis] = low[axis];
    boxMax[axis] = maximum[axis] = high[axis];
  }
}

void Objet3D::Transform(const float centre[3], const float scale[3]) {
  for (Mesh3D* mesh = meshes; mesh; mesh = mesh->next)
    for (size_t i = 0; i < mesh->positions.size(); ++i)
      mesh->positions[i] = (mesh->positions[i] - centre[i % 3]) * scale[i % 3];
}

void Objet3D::Fit(float sx, float sy, float sz) {
  if (!meshes) return;
  float low[3], high[3];
  BoundingBox(low, high);
  // Ties go to the earlier axis.
  float largest = high[0] - low[0];
  if (high[1] - low[1] > largest) largest = high[1] - low[1];
  if (high[2] - low[2] > largest) largest = high[2] - low[2];
  const float centre[3] = {(low[0] + high[0]) * 0.5f, (low[1] + high[1]) * 0.5f, (low[2] + high[2]) * 0.5f};
  // A single point (or vertex-less meshes) has no extent to scale: only centre it.
  if (!(largest > 0.0f)) {
    if (low[0] > high[0]) return;
    const float one[3] = {1.0f, 1.0f, 1.0f};
    Transform(centre, one);
    return;
  }
  const float scale[3] = {sx / largest, sy / largest, sz / largest};
  Transform(centre, scale);
}

void Objet3D::SetOpacity(float alpha) {
  for (Material* material : materials) {
    material->opacity = alpha;
    if (alpha != 1.0f)
      material->flags |= kMaterialBlended;
    else
      material->flags &= ~kMaterialBlended;
  }
}

void Objet3D::SetBlendMode(int mode) {
  for (Material* material : materials) material->blendMode = mode;
}

void Objet3D::ReUploadTextures() {
  for (Material* material : materials) material->ReUpload();
}

void Objet3D::DeleteDisplayList() { DeleteList(displayList); }

void Objet3D::DropNewest(int meshesToDrop, int referencesToDrop) {
  for (int i = 0; i < meshesToDrop && meshes; ++i) {
    Mesh3D* mesh = meshes;
    meshes = mesh->next;
    --meshCount;
    delete mesh;
  }
  for (int i = 0; i < referencesToDrop; ++i) {
    Material** reference = materials.First();
    if (!reference) break;
    ReleaseMaterial(*reference);
    materials.RemoveCurrent();
  }
}

void Objet3D::Free() {
  DeleteDisplayList();
  DropNewest(meshCount, materials.Count());
  materials.Clear();
  meshes = nullptr;
  meshCount = 0;
  vertexTotal = faceTotal = 0;
  name.clear();
  morphSource = morphTarget = nullptr;
}
