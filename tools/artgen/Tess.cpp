#include "tools/artgen/Tess.h"

#include <GL/glu.h>

#include <cstddef>
#include <deque>
#include <utility>

namespace artgen {

namespace {

struct TessState {
  Triangulation* out;
  std::deque<int> indexStore;  // stable addresses for the vertex data pointers
  std::vector<int> pending;
  bool failed = false;
};

#ifndef CALLBACK
#define CALLBACK
#endif

void CALLBACK OnBegin(GLenum, void*) {}
void CALLBACK OnEdgeFlag(GLboolean, void*) {}  // its presence forces plain triangles

void CALLBACK OnVertex(void* vertex, void* data) {
  auto* state = static_cast<TessState*>(data);
  state->pending.push_back(*static_cast<int*>(vertex));
  if (state->pending.size() == 3) {
    state->out->triangles.insert(state->out->triangles.end(), state->pending.begin(), state->pending.end());
    state->pending.clear();
  }
}

void CALLBACK OnEnd(void*) {}

void CALLBACK OnCombine(GLdouble coords[3], void*[4], GLfloat[4], void** outData, void* data) {
  auto* state = static_cast<TessState*>(data);
  state->out->points.push_back(Point2{coords[0], coords[1]});
  state->indexStore.push_back(static_cast<int>(state->out->points.size()) - 1);
  *outData = &state->indexStore.back();
}

void CALLBACK OnError(GLenum, void* data) { static_cast<TessState*>(data)->failed = true; }

using Callback = void(CALLBACK*)();

}  // namespace

double SignedArea(const Contour& contour) {
  double area = 0;
  for (size_t i = 0, n = contour.size(); i < n; ++i) {
    const Point2& a = contour[i];
    const Point2& b = contour[(i + 1) % n];
    area += a.x * b.y - b.x * a.y;
  }
  return area * 0.5;
}

bool Triangulate(const std::vector<Contour>& contours, Triangulation& out) {
  out = Triangulation{};
  TessState state;
  state.out = &out;
  for (const Contour& c : contours) {
    for (const Point2& p : c) {
      out.points.push_back(p);
      state.indexStore.push_back(static_cast<int>(out.points.size()) - 1);
    }
  }
  std::vector<GLdouble> coords(out.points.size() * 3, 0.0);
  GLUtesselator* tess = gluNewTess();
  if (!tess) return false;
  gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<Callback>(OnBegin));
  gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<Callback>(OnEdgeFlag));
  gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<Callback>(OnVertex));
  gluTessCallback(tess, GLU_TESS_END_DATA, reinterpret_cast<Callback>(OnEnd));
  gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<Callback>(OnCombine));
  gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<Callback>(OnError));
  gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
  gluTessNormal(tess, 0.0, 0.0, 1.0);
  gluTessBeginPolygon(tess, &state);
  size_t index = 0;
  for (const Contour& c : contours) {
    gluTessBeginContour(tess);
    for (size_t i = 0; i < c.size(); ++i, ++index) {
      coords[index * 3] = c[i].x;
      coords[index * 3 + 1] = c[i].y;
      gluTessVertex(tess, &coords[index * 3], &state.indexStore[index]);
    }
    gluTessEndContour(tess);
  }
  gluTessEndPolygon(tess);
  gluDeleteTess(tess);
  // Every triangle counter-clockwise in (x, y), whatever the contours' order.
  for (size_t t = 0; t + 2 < out.triangles.size(); t += 3) {
    const Point2& a = out.points[out.triangles[t]];
    const Point2& b = out.points[out.triangles[t + 1]];
    const Point2& c = out.points[out.triangles[t + 2]];
    if ((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y) < 0) std::swap(out.triangles[t + 1], out.triangles[t + 2]);
  }
  return !state.failed && state.pending.empty();
}

}  // namespace artgen
