#include "tools/artgen/WallArt.h"

#include <cmath>

#include "tools/artgen/Tess.h"

namespace artgen {

namespace {

constexpr int kEdge = 500;  // the square's edge in thousandths

struct IVec {
  int x = 0, z = 0;
};

// One point of the outline: its position at offset w is
// base + mitre * w + shift (the shift keeps corner bands a fixed distance
// from the offset corner, whatever the offset).
struct OutlinePoint {
  IVec base;
  IVec mitre;
  IVec shift;
};

struct RawPoint {
  IVec p;
  bool edge;  // on the square's edge, ending an open side
};

int Sign(int v) { return (v > 0) - (v < 0); }

IVec Direction(IVec a, IVec b) { return {Sign(b.x - a.x), Sign(b.z - a.z)}; }

// Outward normal of a segment walked clockwise on the map (x east, z south).
IVec NormalOf(IVec dir) { return {dir.z, -dir.x}; }

struct Chain {
  std::vector<OutlinePoint> points;
  bool closed = false;
};

// The footprint's outline without its open sides, as chains of points.
std::vector<Chain> Outline(int sides, int a, int band) {
  std::vector<RawPoint> loop;
  std::vector<bool> openAfter;  // segment from loop[i] to loop[i + 1] is open
  auto add = [&](IVec p, bool edge, bool open) {
    loop.push_back({p, edge});
    openAfter.push_back(open);
  };
  if (sides & kSideNorth) {
    add({-a, -kEdge}, true, true);
    add({a, -kEdge}, true, false);
  }
  add({a, -a}, false, false);
  if (sides & kSideEast) {
    add({kEdge, -a}, true, true);
    add({kEdge, a}, true, false);
  }
  add({a, a}, false, false);
  if (sides & kSideSouth) {
    add({a, kEdge}, true, true);
    add({-a, kEdge}, true, false);
  }
  add({-a, a}, false, false);
  if (sides & kSideWest) {
    add({-kEdge, a}, true, true);
    add({-kEdge, -a}, true, false);
  }
  add({-a, -a}, false, false);

  // Drop corners where the outline runs straight on.
  size_t n = loop.size();
  std::vector<RawPoint> kept;
  std::vector<bool> keptOpen;
  for (size_t i = 0; i < n; ++i) {
    const RawPoint& prev = loop[(i + n - 1) % n];
    const RawPoint& next = loop[(i + 1) % n];
    IVec d0 = Direction(prev.p, loop[i].p), d1 = Direction(loop[i].p, next.p);
    if (!loop[i].edge && d0.x == d1.x && d0.z == d1.z) continue;
    kept.push_back(loop[i]);
    keptOpen.push_back(openAfter[i]);
  }
  loop.swap(kept);
  openAfter.swap(keptOpen);
  n = loop.size();

  // Start right after an open side, if there is one.
  size_t start = 0;
  bool anyOpen = false;
  for (size_t i = 0; i < n; ++i) {
    if (openAfter[i]) {
      start = (i + 1) % n;
      anyOpen = true;
      break;
    }
  }
  std::vector<Chain> chains(1);
  chains[0].closed = !anyOpen;
  for (size_t k = 0; k < n; ++k) {
    size_t i = (start + k) % n;
    const RawPoint& prev = loop[(i + n - 1) % n];
    const RawPoint& cur = loop[i];
    const RawPoint& next = loop[(i + 1) % n];
    IVec dIn = Direction(prev.p, cur.p), dOut = Direction(cur.p, next.p);
    OutlinePoint point;
    point.base = cur.p;
    if (cur.edge) {
      // An open end keeps to the edge: it moves along the wall's normal only.
      IVec along = openAfter[i] ? dIn : dOut;
      point.mitre = NormalOf(along);
      chains.back().points.push_back(point);
    } else {
      IVec n0 = NormalOf(dIn), n1 = NormalOf(dOut);
      point.mitre = {n0.x + n1.x, n0.z + n1.z};
      if (band <= 0) {
        chains.back().points.push_back(point);
      } else {
        // Bands on both sides of a corner.
        OutlinePoint before = point, after = point;
        before.shift = {-dIn.x * band, -dIn.z * band};
        after.shift = {dOut.x * band, dOut.z * band};
        chains.back().points.push_back(before);
        chains.back().points.push_back(point);
        chains.back().points.push_back(after);
      }
    }
    if (openAfter[i] && k + 1 < n) chains.emplace_back();
  }
  if (chains.back().points.empty()) chains.pop_back();
  return chains;
}

Vec3 RingPosition(const OutlinePoint& p, const ProfilePoint& ring) {
  double x = p.base.x + p.mitre.x * ring.offset + p.shift.x;
  double z = p.base.z + p.mitre.z * ring.offset + p.shift.z;
  return Vec3{x / 1000.0, ring.height / 1000.0, z / 1000.0};
}

// Adds the quad with its visible side towards `outward`; degenerate quads
// (a profile step of zero length) are skipped.
void OrientedQuad(MeshBuilder& m, int a, int b, int c, int d, Vec3 outward) {
  const auto& vs = m.Vertices();
  Vec3 n = Cross(vs[c].p - vs[a].p, vs[d].p - vs[b].p);
  if (Length(n) < 1e-9) return;
  if (Dot(n, outward) >= 0) {
    m.Quad(a, b, c, d);
  } else {
    m.Quad(a, d, c, b);
  }
}

}  // namespace

ModelBuilder BuildWallPiece(const WallStyle& style, int shape) {
  ModelBuilder model;
  std::vector<MeshBuilder*> meshes;
  for (size_t i = 0; i < style.materials.size(); ++i) {
    model.AddMesh(style.prefix + "_part" + std::to_string(i), style.materials[i].name);
  }
  for (auto& m : model.Meshes()) meshes.push_back(&m);
  // Flat shading: crisp faces, and no corner bands needed.
  for (ModelMaterial material : style.materials) {
    if (style.cornerBand <= 0) material.shading = 1;
    model.AddMaterial(material);
  }

  std::vector<Chain> chains = Outline(kWallShapeSides[shape], style.halfWidth, style.cornerBand);
  const std::vector<ProfilePoint>& profile = style.profile;
  // Profile length from the top, for the texture's v.
  std::vector<double> fromTop(profile.size(), 0.0);
  for (size_t k = profile.size() - 1; k-- > 0;) {
    double dw = profile[k + 1].offset - profile[k].offset, dy = profile[k + 1].height - profile[k].height;
    fromTop[k] = fromTop[k + 1] + std::hypot(dw, dy) / 1000.0;
  }

  for (const Chain& chain : chains) {
    size_t count = chain.points.size();
    size_t segments = chain.closed ? count : count - 1;
    for (size_t j = 0; j < segments; ++j) {
      const OutlinePoint& p0 = chain.points[j];
      const OutlinePoint& p1 = chain.points[(j + 1) % count];
      Vec3 a0 = RingPosition(p0, profile[0]), a1 = RingPosition(p1, profile[0]);
      Vec3 dir = Normalize(a1 - a0);
      Vec3 normal{dir.z, 0, -dir.x};
      // u runs to the right seen from outside, in world-aligned units so the
      // texture continues into the neighbouring piece.
      Vec3 right{normal.z, 0, -normal.x};
      for (size_t k = 0; k + 1 < profile.size(); ++k) {
        MeshBuilder& m = *meshes[profile[k].material];
        double dw = profile[k + 1].offset - profile[k].offset, dy = profile[k + 1].height - profile[k].height;
        Vec3 outward = Normalize(normal * dy + Vec3{0, -dw, 0});
        auto vertex = [&](const OutlinePoint& p, size_t ring) {
          Vec3 pos = RingPosition(p, profile[ring]);
          return m.Add(pos, Dot(pos, right) * style.sideRepeat, fromTop[ring] * style.heightRepeat);
        };
        int v00 = vertex(p0, k), v10 = vertex(p1, k), v11 = vertex(p1, k + 1), v01 = vertex(p0, k + 1);
        OrientedQuad(m, v00, v10, v11, v01, outward);
      }
    }
  }

  // The top: the last ring of every chain, joined across the open sides.
  Contour cap;
  for (const Chain& chain : chains) {
    for (const OutlinePoint& p : chain.points) {
      Vec3 pos = RingPosition(p, profile.back());
      cap.push_back(Point2{pos.x, pos.z});
    }
  }
  Triangulation t;
  if (Triangulate({cap}, t)) {
    MeshBuilder& m = *meshes[style.capMaterial];
    double y = profile.back().height / 1000.0;
    int base = m.VertexCount();
    for (const Point2& p : t.points) m.Add(Vec3{p.x, y, p.y}, (p.x + 0.5) * style.capRepeat, (p.y + 0.5) * style.capRepeat);
    for (size_t i = 0; i + 2 < t.triangles.size(); i += 3) {
      int a = base + t.triangles[i], b = base + t.triangles[i + 1], c = base + t.triangles[i + 2];
      const auto& vs = m.Vertices();
      Vec3 n = Cross(vs[b].p - vs[a].p, vs[c].p - vs[a].p);
      if (n.y >= 0) {
        m.Triangle(a, b, c);
      } else {
        m.Triangle(a, c, b);
      }
    }
  }
  return model;
}

}  // namespace artgen
