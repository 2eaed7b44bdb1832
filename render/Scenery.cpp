#include "render/Scenery.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine3d/Objet3D.h"
#include "render/Camera.h"
#include "render/ThemeKeys.h"

namespace {

bool Named(const Mesh3D& mesh, const char* name) { return mesh.name == name; }

// Twice the signed area of the triangle (o, a, b) seen from above.
double TwiceArea(const float* o, const float* a, const float* b) {
  return (a[0] - o[0]) * (b[2] - o[2]) - (a[2] - o[2]) * (b[0] - o[0]);
}

double Radius(const float* p) { return std::hypot(p[0], p[2]); }

// The distance from the axis to the segment a b, seen from above.
double AxisDistance(const float* a, const float* b) {
  const double dx = b[0] - a[0], dz = b[2] - a[2], length2 = dx * dx + dz * dz;
  const double t = length2 > 0 ? std::clamp(-(a[0] * dx + a[2] * dz) / length2, 0.0, 1.0) : 0.0;
  return std::hypot(a[0] + t * dx, a[2] + t * dz);
}

// Whether the ray meets y = disc.y within the disc's radius, ahead of it.
bool MeetsDisc(const Ray& ray, const GroundDisc& disc) {
  if (ray.direction[1] >= 0.0f || ray.origin[1] <= disc.y) return false;
  const float t = (disc.y - ray.origin[1]) / ray.direction[1];
  return std::hypot(ray.origin[0] + t * ray.direction[0], ray.origin[2] + t * ray.direction[2]) < disc.radius;
}

}  // namespace

GroundDisc FindGroundDisc(const Objet3D& background) {
  std::vector<const Mesh3D*> flat;
  for (const Mesh3D* mesh = background.FirstMesh(); mesh; mesh = mesh->next)
    if (Named(*mesh, kGroundMesh) || Named(*mesh, kHazeMesh)) flat.push_back(mesh);
  if (flat.empty()) return {};
  const float y = flat[0]->vertexCount > 0 ? flat[0]->Position(0)[1] : 0.0f;
  double rim = 0, area = 0;
  for (const Mesh3D* mesh : flat) {
    if (mesh->Blended()) return {};
    for (int v = 0; v < mesh->vertexCount; ++v) {
      if (std::fabs(mesh->Position(v)[1] - y) > 1e-4f) return {};
      rim = std::max(rim, Radius(mesh->Position(v)));
    }
    for (int f = 0; f < mesh->faceCount; ++f) {
      const uint32_t* c = &mesh->faces[f * 3];
      area += std::fabs(TwiceArea(mesh->Position(c[0]), mesh->Position(c[1]), mesh->Position(c[2])));
    }
  }
  // The rim: edges with both ends on the outermost circle.
  double nearest = rim, rimArea = 0;
  const float centre[3] = {0, y, 0};
  for (const Mesh3D* mesh : flat)
    for (int f = 0; f < mesh->faceCount; ++f)
      for (int e = 0; e < 3; ++e) {
        const float* a = mesh->Position(mesh->faces[f * 3 + e]);
        const float* b = mesh->Position(mesh->faces[f * 3 + (e + 1) % 3]);
        if (Radius(a) < rim * 0.9999 || Radius(b) < rim * 0.9999) continue;
        nearest = std::min(nearest, AxisDistance(a, b));
        rimArea += std::fabs(TwiceArea(centre, a, b));
      }
  if (rimArea <= 0 || std::fabs(area - rimArea) > rimArea * 1e-3) return {};
  // A hair inside, for the rounding of the rays that test it.
  return {y, static_cast<float>(nearest * 0.999)};
}

Scenery PrepareScenery(Objet3D& background) {
  Scenery scenery;
  // Drawn after the list, the sky must be what the list would draw last
  // anyway (Objet3D::Draw): its last mesh, with no blended one after it.
  bool blended = false;
  for (Mesh3D* mesh = background.FirstMesh(); mesh; mesh = mesh->next) {
    if (Named(*mesh, kSkyMesh) && !mesh->next) scenery.sky = mesh;
    blended = blended || mesh->Blended();
  }
  if (blended) scenery.sky = nullptr;
  if (scenery.sky) scenery.sky->visible = 0;
  background.BuildDisplayList();
  if (!scenery.sky) return scenery;
  scenery.sky->visible = 1;
  scenery.sky->BuildShapeList();
  scenery.ground = FindGroundDisc(background);
  return scenery;
}

void DrawScenery(Objet3D& background, const Scenery& scenery, SceneView& view, float spin, bool leaveOutHidden) {
  bool skyShows = scenery.sky != nullptr;
  if (skyShows && leaveOutHidden && scenery.ground.radius > 0) {
    // The rays through the screen's corners bound all the others: when the
    // four meet the disc, so does every ray between them.
    view.CaptureMatrices();
    const int w = view.Width(), h = view.Height();
    skyShows = !(MeetsDisc(view.PickRay(0, 0), scenery.ground) && MeetsDisc(view.PickRay(w, 0), scenery.ground) &&
                 MeetsDisc(view.PickRay(0, h), scenery.ground) && MeetsDisc(view.PickRay(w, h), scenery.ground));
  }
  glPushMatrix();
  glRotatef(spin, 0, 1, 0);
  if (background.displayList == -1) {
    background.Draw();  // the sky among the rest
  } else {
    glCallList(static_cast<GLuint>(background.displayList));
    if (skyShows) scenery.sky->DrawIn(scenery.sky->material);
  }
  glPopMatrix();
}
