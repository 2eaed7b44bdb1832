// Morphing between two shapes of one topology, and the view-dependent
// sphere-map coordinates of environment-mapped meshes.
#include <cmath>

#include "engine3d/EngineMessage.h"
#include "engine3d/Objet3D.h"

namespace {

bool Differs(const std::vector<float>& a, const std::vector<float>& b) {
  for (size_t i = 0; i < a.size(); ++i)
    if (std::fabs(static_cast<double>(a[i] - b[i])) > static_cast<double>(kSamePositionTolerance)) return true;
  return false;
}

void Blend(std::vector<float>& out, const std::vector<float>& a, const std::vector<float>& b, float t) {
  for (size_t i = 0; i < out.size(); ++i) out[i] = a[i] + (b[i] - a[i]) * t;
}

bool SameShape(const Mesh3D& a, const Mesh3D& b) {
  return a.vertexCount == b.vertexCount && a.faceCount == b.faceCount;
}

}  // namespace

int Objet3D::MorphSetup(Objet3D* source, Objet3D* target) {
  if (!source || !target) return 0;
  // Every mesh must pair with one of the same size in both shapes; otherwise
  // the blend would read past the smaller arrays.
  bool pairs = source->meshCount == target->meshCount && meshCount == source->meshCount;
  for (const Mesh3D *w = meshes, *a = source->meshes, *b = target->meshes; pairs && w && a && b;
       w = w->next, a = a->next, b = b->next)
    pairs = SameShape(*w, *a) && SameShape(*a, *b);
  if (!pairs) {
    EngineMessage("Couldn't morph %s into %s: the meshes do not pair\n", source->name.c_str(), target->name.c_str());
    return 0;
  }
  morphSource = source;
  morphTarget = target;
  for (Mesh3D *w = meshes, *a = source->meshes, *b = target->meshes; w; w = w->next, a = a->next, b = b->next) {
    w->positions = a->positions;
    w->vertexNormals = a->vertexNormals;
    w->texCoords0 = a->texCoords0;
    w->faceNormals = a->faceNormals;
    w->animated = Differs(a->positions, b->positions) ? 1 : 0;
  }
  return 1;
}

void Objet3D::Morph(float t) {
  if (!morphSource || !morphTarget) return;
  for (Mesh3D *w = meshes, *a = morphSource->meshes, *b = morphTarget->meshes; w && a && b;
       w = w->next, a = a->next, b = b->next) {
    if (!w->animated) continue;
    Blend(w->positions, a->positions, b->positions, t);
    // Blended normals are not renormalised.
    if (w->normalMode == kVertexNormals) Blend(w->vertexNormals, a->vertexNormals, b->vertexNormals, t);
    if (w->normalMode == kFaceNormals) Blend(w->faceNormals, a->faceNormals, b->faceNormals, t);
  }
}

void Objet3D::SphereMap(const double m[16]) {
  for (Mesh3D* mesh = meshes; mesh; mesh = mesh->next) {
    if (!mesh->material || !mesh->material->Has(kMaterialEnvironment)) continue;
    for (int v = 0; v < mesh->vertexCount; ++v) {
      const float* n = &mesh->vertexNormals[static_cast<size_t>(v) * 3];
      float* uv = &mesh->texCoords0[static_cast<size_t>(v) * 2];
      uv[0] = static_cast<float>(0.5 + 0.5 * (m[0] * n[0] + m[4] * n[1] + m[8] * n[2]));
      uv[1] = static_cast<float>(0.5 - 0.5 * (m[1] * n[0] + m[5] * n[1] + m[9] * n[2]));
    }
  }
}
