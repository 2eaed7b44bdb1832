#include "tools/artgen/Shapes.h"

#include <algorithm>
#include <cmath>

#include "base/Math.h"

namespace artgen {

namespace {


bool PointInContour(const Contour& c, Point2 p) {
  bool in = false;
  for (size_t i = 0, j = c.size() - 1; i < c.size(); j = i++) {
    if ((c[i].y > p.y) != (c[j].y > p.y) &&
        p.x < (c[j].x - c[i].x) * (p.y - c[i].y) / (c[j].y - c[i].y) + c[i].x) {
      in = !in;
    }
  }
  return in;
}

// Inset of a contour (filled region on its left) by d, each corner moved along
// its mitre, the mitre length limited for sharp corners.
Contour Inset(const Contour& c, double d) {
  Contour out;
  size_t n = c.size();
  for (size_t i = 0; i < n; ++i) {
    Point2 p0 = c[(i + n - 1) % n], p1 = c[i], p2 = c[(i + 1) % n];
    double ax = p1.x - p0.x, ay = p1.y - p0.y, bx = p2.x - p1.x, by = p2.y - p1.y;
    double la = std::hypot(ax, ay), lb = std::hypot(bx, by);
    if (la == 0 || lb == 0) {
      out.push_back(p1);
      continue;
    }
    // Left normals point into the filled region.
    double n0x = -ay / la, n0y = ax / la, n1x = -by / lb, n1y = bx / lb;
    double dot = n0x * n1x + n0y * n1y;
    double k = 1.0 / std::max(1.0 + dot, 0.25);
    out.push_back(Point2{p1.x + (n0x + n1x) * k * d, p1.y + (n0y + n1y) * k * d});
  }
  return out;
}

void Oriented(MeshBuilder& m, int a, int b, int c, Vec3 outward) {
  const auto& vs = m.Vertices();
  Vec3 n = Cross(vs[b].p - vs[a].p, vs[c].p - vs[a].p);
  if (Length(n) < 1e-12) return;
  if (Dot(n, outward) >= 0) {
    m.Triangle(a, b, c);
  } else {
    m.Triangle(a, c, b);
  }
}

}  // namespace

void OrientContours(std::vector<Contour>& contours) {
  for (size_t i = 0; i < contours.size(); ++i) {
    if (contours[i].empty()) continue;
    int depth = 0;
    for (size_t j = 0; j < contours.size(); ++j) {
      if (j != i && !contours[j].empty() && PointInContour(contours[j], contours[i][0])) ++depth;
    }
    bool wantCcw = depth % 2 == 0;
    if ((SignedArea(contours[i]) > 0) != wantCcw) std::reverse(contours[i].begin(), contours[i].end());
  }
}

void ExtrudeOutline(MeshBuilder& mesh, const std::vector<Contour>& input, const Extrusion& shape,
                    const Placement& place, const Mapping& map) {
  std::vector<Contour> contours = input;
  OrientContours(contours);
  std::vector<Contour> insets;
  for (const Contour& c : contours) insets.push_back(Inset(c, shape.bevel));

  auto vertex = [&](double X, double Y, double Z) {
    double u, v;
    map(X, Y, Z, u, v);
    return mesh.Add(place(X, Y, Z), u, v);
  };
  // Orientation reference in model space for a direction of the shape's frame.
  auto towards = [&](double X, double Y, double Z, double dX, double dY, double dZ) {
    return place(X + dX, Y + dY, Z + dZ) - place(X, Y, Z);
  };

  // Sides: inset front ring, front edge, back edge, inset back ring.
  for (size_t ci = 0; ci < contours.size(); ++ci) {
    const Contour& c = contours[ci];
    const Contour& in = insets[ci];
    size_t n = c.size();
    for (size_t i = 0; i < n; ++i) {
      size_t j = (i + 1) % n;
      double ex = c[j].x - c[i].x, ey = c[j].y - c[i].y, len = std::hypot(ex, ey);
      if (len == 0) continue;
      double ox = ey / len, oy = -ex / len;  // right of travel: out of the filled region
      struct Ring {
        const Contour* contour;
        double z;
      };
      Ring rings[4] = {{&in, shape.front}, {&c, shape.front - shape.bevel}, {&c, shape.back + shape.bevel},
                       {&in, shape.back}};
      int ringCount = shape.backFace ? 4 : 3;
      for (int r = 0; r + 1 < ringCount; ++r) {
        const Contour& ra = *rings[r].contour;
        const Contour& rb = *rings[r + 1].contour;
        int a = vertex(ra[i].x, ra[i].y, rings[r].z), b = vertex(ra[j].x, ra[j].y, rings[r].z);
        int cc = vertex(rb[j].x, rb[j].y, rings[r + 1].z), d = vertex(rb[i].x, rb[i].y, rings[r + 1].z);
        double oz = r == 0 ? 1.0 : (r == 2 ? -1.0 : 0.0);
        Vec3 out = towards(c[i].x, c[i].y, 0, ox, oy, oz);
        Oriented(mesh, a, b, cc, out);
        Oriented(mesh, a, cc, d, out);
      }
      if (!shape.backFace) {
        // Close the open back with a plain wall down to the back plane.
        int a = vertex(c[i].x, c[i].y, shape.back + shape.bevel), b = vertex(c[j].x, c[j].y, shape.back + shape.bevel);
        int cc = vertex(c[j].x, c[j].y, shape.back), d = vertex(c[i].x, c[i].y, shape.back);
        Vec3 out = towards(c[i].x, c[i].y, 0, ox, oy, 0);
        Oriented(mesh, a, b, cc, out);
        Oriented(mesh, a, cc, d, out);
      }
    }
  }
  // Front and back faces.
  Triangulation t;
  if (!Triangulate(insets, t)) return;
  for (int side = 0; side < (shape.backFace ? 2 : 1); ++side) {
    double z = side == 0 ? shape.front : shape.back;
    int base = mesh.VertexCount();
    for (const Point2& p : t.points) vertex(p.x, p.y, z);
    for (size_t i = 0; i + 2 < t.triangles.size(); i += 3) {
      const Point2& p = t.points[t.triangles[i]];
      Vec3 out = towards(p.x, p.y, z, 0, 0, side == 0 ? 1.0 : -1.0);
      Oriented(mesh, base + t.triangles[i], base + t.triangles[i + 1], base + t.triangles[i + 2], out);
    }
  }
}

void BevelBox(MeshBuilder& mesh, Vec3 c, Vec3 h, double bevel, Vec3 ax, Vec3 ay, Vec3 az, double u0, double v0,
              double u1, double v1) {
  // Six inset faces, twelve bevel strips, eight corner triangles.
  const Vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  const double hs[3] = {h.x, h.y, h.z};
  auto local = [&](Vec3 p) { return c + ax * p.x + ay * p.y + az * p.z; };
  for (int f = 0; f < 6; ++f) {
    int axis = f / 2;
    double sign = f % 2 == 0 ? 1.0 : -1.0;
    int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
    int idx[4];
    const double corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (int k = 0; k < 4; ++k) {
      double coords[3];
      coords[axis] = sign * hs[axis];
      coords[a1] = corners[k][0] * (hs[a1] - bevel);
      coords[a2] = corners[k][1] * (hs[a2] - bevel);
      double u = u0 + (corners[k][0] * 0.5 + 0.5) * (u1 - u0), v = v0 + (corners[k][1] * 0.5 + 0.5) * (v1 - v0);
      idx[k] = mesh.Add(local(Vec3{coords[0], coords[1], coords[2]}), u, v);
    }
    Vec3 out = (axis == 0 ? ax : (axis == 1 ? ay : az)) * sign;
    Oriented(mesh, idx[0], idx[1], idx[2], out);
    Oriented(mesh, idx[0], idx[2], idx[3], out);
  }
  // Bevel strips.
  for (int a = 0; a < 3; ++a) {
    int b = (a + 1) % 3, e = (a + 2) % 3;
    for (int sa = -1; sa <= 1; sa += 2) {
      for (int sb = -1; sb <= 1; sb += 2) {
        double p[4][3];
        for (int k = 0; k < 4; ++k) {
          double along = (k == 0 || k == 3) ? -(hs[e] - bevel) : (hs[e] - bevel);
          bool onA = k < 2;
          p[k][a] = sa * (onA ? hs[a] : hs[a] - bevel);
          p[k][b] = sb * (onA ? hs[b] - bevel : hs[b]);
          p[k][e] = along;
        }
        int idx[4];
        for (int k = 0; k < 4; ++k) {
          idx[k] = mesh.Add(local(Vec3{p[k][0], p[k][1], p[k][2]}), k == 0 || k == 3 ? u0 : u1, v0);
        }
        Vec3 outLocal = axes[a] * sa + axes[b] * sb;
        Vec3 out = ax * outLocal.x + ay * outLocal.y + az * outLocal.z;
        Oriented(mesh, idx[0], idx[1], idx[2], out);
        Oriented(mesh, idx[0], idx[2], idx[3], out);
      }
    }
  }
  // Corners.
  for (int sx = -1; sx <= 1; sx += 2) {
    for (int sy = -1; sy <= 1; sy += 2) {
      for (int sz = -1; sz <= 1; sz += 2) {
        double s[3] = {static_cast<double>(sx), static_cast<double>(sy), static_cast<double>(sz)};
        int idx[3];
        for (int k = 0; k < 3; ++k) {
          double p[3];
          for (int i = 0; i < 3; ++i) p[i] = s[i] * (i == k ? hs[i] : hs[i] - bevel);
          idx[k] = mesh.Add(local(Vec3{p[0], p[1], p[2]}), u0, v0);
        }
        Vec3 out = ax * s[0] + ay * s[1] + az * s[2];
        Oriented(mesh, idx[0], idx[1], idx[2], out);
      }
    }
  }
}

void Sphere(MeshBuilder& mesh, Vec3 centre, Vec3 scale, int rings, int segments, bool inside, double uRepeat,
            double vTop, double vBottom, double latTop, double latBottom) {
  int base = mesh.VertexCount();
  for (int r = 0; r <= rings; ++r) {
    double lat = (latTop + (latBottom - latTop) * r / rings) * kPi / 180.0;
    for (int s = 0; s <= segments; ++s) {
      double lon = 2.0 * kPi * s / segments;
      Vec3 dir{std::cos(lat) * std::sin(lon), std::sin(lat), std::cos(lat) * std::cos(lon)};
      Vec3 p{centre.x + dir.x * scale.x, centre.y + dir.y * scale.y, centre.z + dir.z * scale.z};
      mesh.Add(p, uRepeat * s / segments, vTop + (vBottom - vTop) * r / rings);
    }
  }
  for (int r = 0; r < rings; ++r) {
    for (int s = 0; s < segments; ++s) {
      int a = base + r * (segments + 1) + s, b = a + 1, c = a + segments + 1 + 1, d = a + segments + 1;
      Vec3 mid = (mesh.Vertices()[a].p + mesh.Vertices()[c].p) * 0.5 - centre;
      Vec3 out = inside ? mid * -1.0 : mid;
      Oriented(mesh, a, b, c, out);
      Oriented(mesh, a, c, d, out);
    }
  }
}

void Disc(MeshBuilder& mesh, double y, double radius, int rings, int segments, double tile) {
  int centre = mesh.Add(Vec3{0, y, 0}, 0, 0);
  int base = mesh.VertexCount();
  for (int r = 1; r <= rings; ++r) {
    double rad = radius * r / rings;
    for (int s = 0; s < segments; ++s) {
      double a = 2.0 * kPi * s / segments;
      double x = rad * std::sin(a), z = rad * std::cos(a);
      mesh.Add(Vec3{x, y, z}, x / tile, z / tile);
    }
  }
  for (int s = 0; s < segments; ++s) {
    Oriented(mesh, centre, base + s, base + (s + 1) % segments, Vec3{0, 1, 0});
  }
  for (int r = 1; r < rings; ++r) {
    int in = base + (r - 1) * segments, out = base + r * segments;
    for (int s = 0; s < segments; ++s) {
      int t = (s + 1) % segments;
      Oriented(mesh, in + s, out + s, out + t, Vec3{0, 1, 0});
      Oriented(mesh, in + s, out + t, in + t, Vec3{0, 1, 0});
    }
  }
}

}  // namespace artgen

namespace artgen {

void Lathe(MeshBuilder& mesh, Vec3 base, const std::vector<Point2>& profile, int segments, double uRepeat,
           double vTop, double vBottom, double twist) {
  if (profile.size() < 2) return;
  std::vector<double> length(profile.size(), 0.0);
  for (size_t k = 1; k < profile.size(); ++k) {
    length[k] = length[k - 1] + std::hypot(profile[k].x - profile[k - 1].x, profile[k].y - profile[k - 1].y);
  }
  double total = length.back() > 0 ? length.back() : 1.0;
  int first = mesh.VertexCount();
  for (size_t k = 0; k < profile.size(); ++k) {
    double v = vBottom + (vTop - vBottom) * length[k] / total;
    for (int s = 0; s <= segments; ++s) {
      double a = 2.0 * kPi * s / segments + twist;
      Vec3 p{base.x + profile[k].x * std::sin(a), base.y + profile[k].y, base.z + profile[k].x * std::cos(a)};
      mesh.Add(p, uRepeat * s / segments, v);
    }
  }
  int row = segments + 1;
  for (size_t k = 0; k + 1 < profile.size(); ++k) {
    double dr = profile[k + 1].x - profile[k].x, dy = profile[k + 1].y - profile[k].y;
    for (int s = 0; s < segments; ++s) {
      int a = first + static_cast<int>(k) * row + s, b = a + 1, c = b + row, d = a + row;
      double angle = 2.0 * kPi * (s + 0.5) / segments + twist;
      Vec3 radial{std::sin(angle), 0, std::cos(angle)};
      Vec3 out = Normalize(radial * dy + Vec3{0, -dr, 0});
      Oriented(mesh, a, b, c, out);
      Oriented(mesh, a, c, d, out);
    }
  }
}

}  // namespace artgen
