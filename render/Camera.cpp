// Camera placement, frustum culling and picking by ray casting.
#include "render/Camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine3d/Objet3D.h"
#include "puzzle/Cube.h"
#include "render/SceneLists.h"
#include "puzzle/Puzzle.h"

namespace {

constexpr float s = kSquareSize;

void Sub(const float* a, const float* b, float* out) {
  for (int i = 0; i < 3; ++i) out[i] = a[i] - b[i];
}
float Dot(const float* a, const float* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
void Cross(const float* a, const float* b, float* out) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

void CullWallPieces(const SceneView& view, SceneLists& lists) {
  for (int i = 0; i < lists.wallPieceCount; ++i) {
    WallPiece& w = lists.wallPieces[i];
    w.nearView = w.visible = 0;
    if (!w.active) continue;
    if (view.SquareInFrustum(w.column, w.row, 1.0f, -s, s)) {
      w.nearView = 1;
      w.visible = view.SquareInFrustum(w.column, w.row, 0.5f, -s, s) ? 1 : 0;
    }
  }
}

}  // namespace

float CameraDistanceFor(int width, int height) { return static_cast<float>(width > height ? width : height) * 0.09f; }

void PlaceCamera(const CameraPose& pose) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0, 0, -pose.zoom);
  glRotatef(pose.tilt, -1, 0, 0);
  glRotatef(pose.spin, 0, -1, 0);
  if (pose.close) glTranslatef(pose.pan[0], pose.pan[1], pose.pan[2]);
}

void PlaceMenuCamera() {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0, 0, -1.2f);
}

void SceneView::SetBoardOffset(int boardWidth, int boardHeight) {
  m_boardOffset[0] = (0.5f - boardWidth / 2.0f) * s;
  m_boardOffset[1] = 0.0f;
  m_boardOffset[2] = (0.5f - boardHeight / 2.0f) * s;
}

void SceneView::SetProjection() const {
  glViewport(0, 0, m_width, m_height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(projection.fieldOfView, m_height > 0 ? static_cast<double>(m_width) / m_height : 1.0,
                 projection.nearPlane, projection.farPlane);
  glMatrixMode(GL_MODELVIEW);
}

void SceneView::CaptureMatrices() {
  glGetDoublev(GL_PROJECTION_MATRIX, m_view.projection);
  glGetDoublev(GL_MODELVIEW_MATRIX, m_view.modelview);
}

void SceneView::ExtractFrustum() {
  CaptureMatrices();
  double c[16];  // projection x modelview, column order
  const double* p = m_view.projection;
  const double* m = m_view.modelview;
  for (int col = 0; col < 4; ++col)
    for (int row = 0; row < 4; ++row) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += p[k * 4 + row] * m[col * 4 + k];
      c[col * 4 + row] = sum;
    }
  // Plane i: row 3 plus or minus row (i / 2).
  for (int i = 0; i < 6; ++i) {
    const int row = i / 2;
    const double sign = (i % 2 == 0) ? 1.0 : -1.0;
    for (int k = 0; k < 4; ++k) m_view.planes[i][k] = static_cast<float>(c[k * 4 + 3] + sign * c[k * 4 + row]);
  }
}

bool SceneView::BoxInFrustum(const float low[3], const float high[3]) const {
  for (const auto& plane : m_view.planes) {
    bool inside = false;
    for (int corner = 0; corner < 8 && !inside; ++corner) {
      const float x = (corner & 1) ? high[0] : low[0];
      const float y = (corner & 2) ? high[1] : low[1];
      const float z = (corner & 4) ? high[2] : low[2];
      inside = plane[0] * x + plane[1] * y + plane[2] * z + plane[3] > 0.0f;
    }
    if (!inside) return false;
  }
  return true;
}

bool SceneView::SquareInFrustum(int c, int r, float half, float low, float high) const {
  const float a[3] = {(c - half) * s, low, (r - half) * s};
  const float b[3] = {(c + half) * s, high, (r + half) * s};
  return BoxInFrustum(a, b);
}

Ray SceneView::PickRay(int mouseX, int mouseY) const {
  const GLint viewport[4] = {0, 0, m_width, m_height};
  const double wx = mouseX, wy = m_height - mouseY;
  double n[3] = {0, 0, 0}, f[3] = {0, 0, 0};
  gluUnProject(wx, wy, 0.0, m_view.modelview, m_view.projection, viewport, &n[0], &n[1], &n[2]);
  gluUnProject(wx, wy, 1.0, m_view.modelview, m_view.projection, viewport, &f[0], &f[1], &f[2]);
  Ray ray;
  double d[3] = {f[0] - n[0], f[1] - n[1], f[2] - n[2]};
  const double length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
  for (int i = 0; i < 3; ++i) {
    ray.origin[i] = static_cast<float>(n[i]);
    ray.direction[i] = static_cast<float>(length > 0 ? d[i] / length : d[i]);
  }
  return ray;
}

bool SceneView::ProjectBoardPoint(float x, float y, float z, int& px, int& py) const {
  const GLint viewport[4] = {0, 0, m_width, m_height};
  double wx = 0, wy = 0, wz = 0;
  if (!gluProject(x + m_boardOffset[0], y + m_boardOffset[1], z + m_boardOffset[2], m_view.modelview,
                  m_view.projection, viewport, &wx, &wy, &wz))
    return false;
  px = static_cast<int>(wx);
  py = m_height - 1 - static_cast<int>(wy);
  return true;
}

bool SceneView::FloorRectangleOnScreen(float x0, float z0, float x1, float z1, int rect[4]) const {
  const double* m = m_view.modelview;
  const double* p = m_view.projection;
  double low[2] = {1e9, 1e9}, high[2] = {-1e9, -1e9};
  for (int corner = 0; corner < 4; ++corner) {
    const double v[4] = {corner & 1 ? x1 : x0, 0.0, corner & 2 ? z1 : z0, 1.0};
    double eye[4], clip[4];
    for (int i = 0; i < 4; ++i) eye[i] = m[i] * v[0] + m[4 + i] * v[1] + m[8 + i] * v[2] + m[12 + i] * v[3];
    for (int i = 0; i < 4; ++i) clip[i] = p[i] * eye[0] + p[4 + i] * eye[1] + p[8 + i] * eye[2] + p[12 + i] * eye[3];
    if (clip[3] < 1e-6) {
      rect[0] = rect[1] = 0, rect[2] = m_width, rect[3] = m_height;
      return true;
    }
    for (int axis = 0; axis < 2; ++axis) {
      low[axis] = std::min(low[axis], clip[axis] / clip[3]);
      high[axis] = std::max(high[axis], clip[axis] / clip[3]);
    }
  }
  const int size[2] = {m_width, m_height};
  int from[2], to[2];
  for (int axis = 0; axis < 2; ++axis) {
    const double a = std::max(low[axis], -2.0), b = std::min(high[axis], 2.0);  // kept finite
    from[axis] = std::max(0, static_cast<int>(std::floor((a + 1.0) * 0.5 * size[axis])) - 1);
    to[axis] = std::min(size[axis], static_cast<int>(std::ceil((b + 1.0) * 0.5 * size[axis])) + 1);
    if (to[axis] <= from[axis]) return false;
  }
  rect[0] = from[0], rect[1] = from[1], rect[2] = to[0] - from[0], rect[3] = to[1] - from[1];
  return true;
}

bool RayHitsBox(const Ray& ray, const float low[3], const float high[3]) {
  float enter = 0.0f, leave = 1000000.0f;
  for (int i = 0; i < 3; ++i) {
    const float d = ray.direction[i], o = ray.origin[i];
    if (d > 0.000001f || d < -0.000001f) {
      float t0 = (low[i] - o) / d, t1 = (high[i] - o) / d;
      if (t0 > t1) std::swap(t0, t1);
      if (t0 > enter) enter = t0;
      if (t1 < leave) leave = t1;
      if (enter > leave) return false;
    } else if (o < low[i] || o > high[i]) {
      return false;
    }
  }
  return true;
}

bool RayHitsTriangle(const Ray& ray, const float* p0, const float* p1, const float* p2, float& distance) {
  float e1[3], e2[3], q[3], r[3], rx[3];
  Sub(p1, p0, e1);
  Sub(p2, p0, e2);
  Cross(ray.direction, e2, q);
  const float det = Dot(e1, q);
  if (det > -0.000001f) return false;
  Sub(ray.origin, p0, r);
  const float f = 1.0f / det;
  const float u = Dot(r, q) * f;
  if (u < 0.0f || u > 1.0f) return false;
  Cross(r, e1, rx);
  const float v = Dot(ray.direction, rx) * f;
  if (v < 0.0f || u + v > 1.0f) return false;
  distance = Dot(e2, rx) * f;
  // A triangle behind the eye is no hit (it would otherwise be the nearest).
  return distance >= 0.0f;
}

bool RayHitsObject(const Ray& worldRay, const float position[3], const float box[3], Objet3D& object, bool precise,
                   RayHit& hit) {
  Ray ray = worldRay;
  for (int i = 0; i < 3; ++i) ray.origin[i] -= position[i];
  const float low[3] = {-box[0] / 2, -box[1] / 2, -box[2] / 2};
  const float high[3] = {box[0] / 2, box[1] / 2, box[2] / 2};
  if (!RayHitsBox(ray, low, high)) return false;
  if (!precise) return true;
  hit = RayHit();
  int meshIndex = 0;
  for (Mesh3D* mesh = object.meshes; mesh; mesh = mesh->next, ++meshIndex) {
    for (int f = 0; f < mesh->faceCount; ++f) {
      const uint32_t* v = &mesh->faces[f * 3];
      float d;
      if (RayHitsTriangle(ray, mesh->Position(v[0]), mesh->Position(v[1]), mesh->Position(v[2]), d) &&
          d < hit.distance) {
        hit.distance = d;
        hit.face = f;
        hit.mesh = meshIndex;
      }
    }
  }
  return hit.face >= 0;
}

void CullScene(SceneView& view, SceneLists& lists, const Puzzle& puzzle) {
  view.ExtractFrustum();
  for (int i = 0; i < puzzle.CubeCount(); ++i) {
    CubeDrawRecord& d = lists.cubeDraw[i];
    d.nearView = d.visible = d.rollInView = 0;
    if (!d.active) continue;
    const CubeState& c = puzzle.CubeRecord(i);
    // A square each way and two up or down: the roll lifts the cube's
    // corner, the mirror turns it over.
    d.rollInView = view.SquareInFrustum(c.x, c.y, 1.5f, -2.0f * s, 2.0f * s) ? 1 : 0;
    if (view.SquareInFrustum(c.x, c.y, 1.0f, -0.6f * s, 0.6f * s)) {
      d.nearView = 1;
      d.visible = view.SquareInFrustum(c.x, c.y, 0.5f, -0.6f * s, 0.6f * s) ? 1 : 0;
    }
  }
  CullWallPieces(view, lists);
}

bool PickScene(SceneView& view, SceneLists& lists, const Puzzle& puzzle, Objet3D* arrow, int mouseX, int mouseY,
               PickResult& result) {
  result = PickResult();
  float best = 10000.0f;
  const float* offset = view.BoardOffset();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(offset[0], offset[1], offset[2]);
  view.ExtractFrustum();
  CullWallPieces(view, lists);

  if (arrow) {
    const float zero[3] = {0, 0, 0}, arrowBox[3] = {s, 0.3f * s, s};
    for (int i = 0; i < puzzle.ArrowCount(); ++i) {
      const ArrowRecord& a = puzzle.Arrow(i);
      if (!a.active) continue;
      glPushMatrix();
      MoveToArrow(a);
      view.CaptureMatrices();
      RayHit hit;
      if (RayHitsObject(view.PickRay(mouseX, mouseY), zero, arrowBox, *arrow, true, hit) && hit.distance < best) {
        best = hit.distance;
        result.kind = kPickArrow;
        result.index = i;
      }
      glPopMatrix();
    }
  }

  view.CaptureMatrices();
  const Ray ray = view.PickRay(mouseX, mouseY);
  const float cubeBox[3] = {s, s, s};
  for (int i = 0; i < puzzle.CubeCount(); ++i) {
    if (!lists.cubeDraw[i].active) continue;
    const CubeState& c = puzzle.CubeRecord(i);
    if (!view.SquareInFrustum(c.x, c.y, 1.0f, -s, s) || !view.SquareInFrustum(c.x, c.y, 0.5f, -s, s)) continue;
    const Cube* cube = puzzle.Level().CubeAt(i);
    if (!cube || !cube->models[0]) continue;
    const float position[3] = {c.x * s, 0.5f * s, c.y * s};
    RayHit hit;
    if (RayHitsObject(ray, position, cubeBox, *cube->models[0], true, hit) && hit.distance < best) {
      best = hit.distance;
      result.kind = kPickCube;
      result.index = i;
    }
  }
  glPopMatrix();
  return result.kind != kPickNothing;
}
