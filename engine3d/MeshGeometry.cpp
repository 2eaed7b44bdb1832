// Geometry prepared once after loading: face and vertex normals, face
// adjacency and the edge flags of outlines. Positions within
// kSamePositionTolerance count as one point; a sorted index finds them
// without comparing every vertex with every other, and the results are the
// same as that full comparison in index order.
#include <algorithm>
#include <iterator>
#include <cmath>
#include <new>

#include "engine3d/Objet3D.h"

namespace {

bool SameCoordinate(float a, float b) {
  return std::fabs(static_cast<double>(a - b)) <= static_cast<double>(kSamePositionTolerance);
}

bool SamePosition(const float* a, const float* b) {
  return SameCoordinate(a[0], b[0]) && SameCoordinate(a[1], b[1]) && SameCoordinate(a[2], b[2]);
}

void Normalise(float n[3]) {
  const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
  if (length == 0.0f) return;
  n[0] /= length;
  n[1] /= length;
  n[2] /= length;
}

// The normalised cross product (p1 - p0) x (p2 - p0) of a face.
void FaceCross(const Mesh3D& mesh, int face, float n[3]) {
  const uint32_t* corner = &mesh.faces[static_cast<size_t>(face) * 3];
  const float* p0 = mesh.Position(corner[0]);
  const float* p1 = mesh.Position(corner[1]);
  const float* p2 = mesh.Position(corner[2]);
  const float e1[3] = {p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
  const float e2[3] = {p2[0] - p0[0], p2[1] - p0[1], p2[2] - p0[2]};
  n[0] = e1[1] * e2[2] - e1[2] * e2[1];
  n[1] = e1[2] * e2[0] - e1[0] * e2[2];
  n[2] = e1[0] * e2[1] - e1[1] * e2[0];
  Normalise(n);
}

// Vertices sorted by x with the faces that use each vertex, to find the faces
// with a corner at a given position.
class PositionIndex {
 public:
  explicit PositionIndex(const Mesh3D& mesh) : m_mesh(mesh) {
    const size_t vertices = static_cast<size_t>(mesh.vertexCount);
    m_byX.resize(vertices);
    for (size_t v = 0; v < vertices; ++v) m_byX[v] = static_cast<uint32_t>(v);
    std::sort(m_byX.begin(), m_byX.end(),
              [&](uint32_t a, uint32_t b) { return mesh.Position(a)[0] < mesh.Position(b)[0]; });
    m_firstFace.assign(vertices + 1, 0);
    for (uint32_t corner : mesh.faces) ++m_firstFace[corner + 1];
    for (size_t v = 0; v < vertices; ++v) m_firstFace[v + 1] += m_firstFace[v];
    m_faces.resize(mesh.faces.size());
    std::vector<uint32_t> filled(m_firstFace.begin(), m_firstFace.end() - 1);
    for (size_t i = 0; i < mesh.faces.size(); ++i) m_faces[filled[mesh.faces[i]]++] = static_cast<int>(i / 3);
    m_stamp.assign(static_cast<size_t>(mesh.faceCount), -1);
  }

  // The faces with a corner at position p, once each, in index order.
  void FacesAt(const float* p, std::vector<int>& out) {
    out.clear();
    ++m_currentStamp;
    // Any match lies within the tolerance in x; the window is wider and the
    // exact test decides.
    const double low = static_cast<double>(p[0]) - 2.0 * kSamePositionTolerance;
    const double high = static_cast<double>(p[0]) + 2.0 * kSamePositionTolerance;
    auto first = std::lower_bound(m_byX.begin(), m_byX.end(), low,
                                  [&](uint32_t v, double x) { return m_mesh.Position(v)[0] < x; });
    for (auto it = first; it != m_byX.end() && m_mesh.Position(*it)[0] <= high; ++it) {
      if (!SamePosition(m_mesh.Position(*it), p)) continue;
      for (uint32_t i = m_firstFace[*it]; i < m_firstFace[*it + 1]; ++i) {
        int& stamp = m_stamp[static_cast<size_t>(m_faces[i])];
        if (stamp == m_currentStamp) continue;
        stamp = m_currentStamp;
        out.push_back(m_faces[i]);
      }
    }
    std::sort(out.begin(), out.end());
  }

 private:
  const Mesh3D& m_mesh;
  std::vector<uint32_t> m_byX;
  std::vector<uint32_t> m_firstFace;
  std::vector<int> m_faces;
  std::vector<int> m_stamp;
  int m_currentStamp = -1;
};

}  // namespace

int Mesh3D::PrepareNormals() {
  const int flags = material ? material->flags : 0;
  if ((flags & kMaterialEnvironment) || ((flags & kMaterialLit) && (flags & kMaterialSmooth))) {
    normalMode = kVertexNormals;
    return ComputeSmoothNormals();
  }
  if (flags & kMaterialLit) {
    normalMode = kFaceNormals;
    ComputeFlatNormals();
    return 1;
  }
  normalMode = kNoNormals;
  return 1;
}

void Mesh3D::ComputeFlatNormals() {
  for (int f = 0; f < faceCount; ++f) {
    float* n = &faceNormals[static_cast<size_t>(f) * 3];
    FaceCross(*this, f, n);
    n[0] = -n[0];
    n[1] = -n[1];
    n[2] = -n[2];
  }
}

int Mesh3D::ComputeSmoothNormals() {
  try {
    std::vector<float> cross(static_cast<size_t>(faceCount) * 3);
    for (int f = 0; f < faceCount; ++f) FaceCross(*this, f, &cross[static_cast<size_t>(f) * 3]);
    PositionIndex index(*this);
    std::vector<int> touching;
    for (int v = 0; v < vertexCount; ++v) {
      index.FacesAt(Position(static_cast<uint32_t>(v)), touching);
      // Summed in face order, so seams weld to exactly the same normal.
      float sum[3] = {0.0f, 0.0f, 0.0f};
      for (int f : touching)
        for (int axis = 0; axis < 3; ++axis) sum[axis] += cross[static_cast<size_t>(f) * 3 + axis];
      Normalise(sum);
      for (int axis = 0; axis < 3; ++axis) vertexNormals[static_cast<size_t>(v) * 3 + axis] = -sum[axis];
    }
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return 1;
}

int Mesh3D::ComputeAdjacency() {
  try {
    adjacency.assign(static_cast<size_t>(faceCount) * 4, -1);
    for (int f = 0; f < faceCount; ++f) adjacency[static_cast<size_t>(f) * 4 + 3] = 0;
    PositionIndex index(*this);
    std::vector<int> atStart, atEnd, candidates;
    auto corner = [&](int face, int k) { return Position(faces[static_cast<size_t>(face) * 3 + k % 3]); };
    for (int i = 0; i < faceCount; ++i) {
      for (int k = 0; k < 3; ++k) {
        if (adjacency[static_cast<size_t>(i) * 4 + k] != -1) continue;
        const float* a = corner(i, k);
        const float* b = corner(i, k + 1);
        // A face sharing the edge has a corner at each end of it.
        index.FacesAt(a, atStart);
        index.FacesAt(b, atEnd);
        candidates.clear();
        std::set_intersection(atStart.begin(), atStart.end(), atEnd.begin(), atEnd.end(),
                              std::back_inserter(candidates));
        bool found = false;
        for (int j : candidates) {
          if (j == i) continue;
          for (int m = 0; m < 3 && !found; ++m) {
            const float* c = corner(j, m);
            const float* d = corner(j, m + 1);
            if ((SamePosition(c, a) && SamePosition(d, b)) || (SamePosition(c, b) && SamePosition(d, a))) {
              adjacency[static_cast<size_t>(i) * 4 + k] = j;
              adjacency[static_cast<size_t>(j) * 4 + m] = i;
              found = true;
            }
          }
          if (found) break;
        }
      }
    }
  } catch (const std::bad_alloc&) {
    adjacency.clear();
    return 0;
  }
  return 1;
}

int Mesh3D::ComputeEdgeFlags(float threshold) {
  if (adjacency.size() != static_cast<size_t>(faceCount) * 4 && !ComputeAdjacency()) return 0;
  try {
    edgeFlags.assign(static_cast<size_t>(faceCount), 0);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  for (int f = 0; f < faceCount; ++f) {
    const float* n = &faceNormals[static_cast<size_t>(f) * 3];
    uint8_t bits = 0;
    for (int k = 0; k < 3; ++k) {
      const int other = adjacency[static_cast<size_t>(f) * 4 + k];
      if (other < 0) {
        bits |= static_cast<uint8_t>(1 << k);
        continue;
      }
      const float* m = &faceNormals[static_cast<size_t>(other) * 3];
      if (n[0] * m[0] + n[1] * m[1] + n[2] * m[2] < threshold) bits |= static_cast<uint8_t>(1 << k);
    }
    edgeFlags[static_cast<size_t>(f)] = bits;
  }
  return 1;
}

void Objet3D::ComputeFlatNormals() {
  for (Mesh3D* mesh = meshes; mesh; mesh = mesh->next) mesh->ComputeFlatNormals();
}

int Objet3D::ComputeAdjacency() {
  for (Mesh3D* mesh = meshes; mesh; mesh = mesh->next)
    if (!mesh->ComputeAdjacency()) return 0;
  return 1;
}

int Objet3D::ComputeEdgeFlags(float threshold) {
  for (Mesh3D* mesh = meshes; mesh; mesh = mesh->next)
    if (!mesh->ComputeEdgeFlags(threshold)) return 0;
  return 1;
}
