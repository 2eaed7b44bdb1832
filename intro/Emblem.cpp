// The emblem of the intro: a letter cube marked with an S beside a large G,
// over a swoosh, drawn as glowing tubes.
#include "intro/Emblem.h"

#include <cmath>

#include "base/Math.h"

namespace {

constexpr float kEndMarker = -1.0f;
constexpr float kSamePoint = 0.0001f;  // squared distance: 0.01 apart
constexpr float kOpenRadius = 0.05f;
constexpr float kFirstClosedRadius = 0.05f * 0.5f;
constexpr float kLaterClosedRadius = 0.05f * 0.7f;

float DistanceSquared(const CVector3D& a, const CVector3D& b) {
  float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
  return dx * dx + dy * dy + dz * dz;
}

CVector3D Normalised(CVector3D v) {
  float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  if (length > 0.0f) {
    v.x /= length;
    v.y /= length;
    v.z /= length;
  }
  return v;
}

CVector3D Direction(const CVector3D& from, const CVector3D& to) { return Normalised({to.x - from.x, to.y - from.y, to.z - from.z}); }

class TubeBuilder {
 public:
  explicit TubeBuilder(EmblemMesh& mesh) : m_mesh(mesh) {}

  // Adds the tube of one outline; false when it would not fit.
  bool Add(const std::vector<CVector3D>& points, bool closed, float radius, int part) {
    const int n = static_cast<int>(points.size());
    if (n < (closed ? 3 : 2)) return true;
    const int rings = closed ? n : n + 2 * kEmblemCapRings;
    const int vertices = rings * kEmblemRingVertices + (closed ? 0 : 2);
    // Each pair of neighbouring rings is joined by two triangles per quad;
    // each tip closes its cap ring with a fan.
    const int triangles = (closed ? rings : rings - 1) * 2 * kEmblemRingVertices + (closed ? 0 : 2 * kEmblemRingVertices);
    if (static_cast<int>(m_mesh.vertices.size()) + vertices > kEmblemMaxVertices ||
        static_cast<int>(m_mesh.triangles.size()) + triangles > kEmblemMaxTriangles)
      return false;

    std::vector<CVector3D> forward(n);
    for (int i = 0; i < n; ++i) {
      bool hasBefore = closed || i > 0, hasAfter = closed || i + 1 < n;
      const CVector3D& here = points[i];
      CVector3D in = hasBefore ? Direction(points[(i + n - 1) % n], here) : CVector3D{};
      CVector3D out = hasAfter ? Direction(here, points[(i + 1) % n]) : CVector3D{};
      forward[i] = Normalised({in.x + out.x, in.y + out.y, in.z + out.z});
    }

    int firstRing = -1, previousRing = -1;
    auto ring = [&](const CVector3D& centre, const CVector3D& along, float r) {
      int index = AddRing(centre, along, r);
      if (previousRing >= 0) JoinRings(previousRing, index, part);
      if (firstRing < 0) firstRing = index;
      previousRing = index;
    };
    if (!closed) {
      int tip = AddVertex(Offset(points[0], forward[0], -radius));
      for (int k = kEmblemCapRings; k >= 1; --k) {
        float angle = static_cast<float>(k) * static_cast<float>(kPi) / 16.0f;
        ring(Offset(points[0], forward[0], -radius * std::sin(angle)), forward[0], radius * std::cos(angle));
        if (k == kEmblemCapRings) Fan(tip, previousRing, part, false);
      }
    }
    for (int i = 0; i < n; ++i) ring(points[i], forward[i], radius);
    if (closed) {
      JoinRings(previousRing, firstRing, part);
      return true;
    }
    for (int k = 1; k <= kEmblemCapRings; ++k) {
      float angle = static_cast<float>(k) * static_cast<float>(kPi) / 16.0f;
      ring(Offset(points[n - 1], forward[n - 1], radius * std::sin(angle)), forward[n - 1], radius * std::cos(angle));
    }
    int tip = AddVertex(Offset(points[n - 1], forward[n - 1], radius));
    Fan(tip, previousRing, part, true);
    return true;
  }

 private:
  static CVector3D Offset(const CVector3D& p, const CVector3D& d, float s) { return {p.x + d.x * s, p.y + d.y * s, p.z + d.z * s}; }

  int AddVertex(const CVector3D& v) {
    m_mesh.vertices.push_back(v);
    return static_cast<int>(m_mesh.vertices.size()) - 1;
  }

  // Eight vertices around centre in the plane of the side axis (in z = 0)
  // and the z axis.
  int AddRing(const CVector3D& centre, const CVector3D& along, float r) {
    CVector3D side = Normalised({-along.y, along.x, 0.0f});
    int first = static_cast<int>(m_mesh.vertices.size());
    for (int i = 0; i < kEmblemRingVertices; ++i) {
      float angle = 2.0f * static_cast<float>(kPi) * static_cast<float>(i) / kEmblemRingVertices;
      float c = std::cos(angle) * r, s = std::sin(angle) * r;
      AddVertex({centre.x + side.x * c, centre.y + side.y * c, centre.z + s});
    }
    return first;
  }

  void Triangle(int part, int a, int b, int c) { m_mesh.triangles.push_back({part, {a, b, c}}); }

  void JoinRings(int a, int b, int part) {
    for (int i = 0; i < kEmblemRingVertices; ++i) {
      int j = (i + 1) % kEmblemRingVertices;
      Triangle(part, a + i, b + i, a + j);
      Triangle(part, a + j, b + i, b + j);
    }
  }

  // Closes the tube at a tip: before the first ring (start) or after the last.
  void Fan(int tip, int ringStart, int part, bool atEnd) {
    for (int i = 0; i < kEmblemRingVertices; ++i) {
      int j = (i + 1) % kEmblemRingVertices;
      if (atEnd)
        Triangle(part, ringStart + i, tip, ringStart + j);
      else
        Triangle(part, tip, ringStart + i, ringStart + j);
    }
  }

  EmblemMesh& m_mesh;
};

}  // namespace

// Outlines 1 to 8: the cube's front face (closed), its back edges, the S on its
// face, the swoosh, the last back edge, then the G: its outer arc, an inner
// echo of it, and its bar. y grows downwards here; the objects turn it up.
const float kEmblemTable[][3] = {
    {-0.5800f, -0.1000f, 0.0f},
    {-0.3800f, -0.1000f, 0.0f},
    {-0.3800f, 0.3000f, 0.0f},
    {-0.7800f, 0.3000f, 0.0f},
    {-0.7800f, -0.1000f, 0.0f},
    {-0.5800f, -0.1000f, 0.0f},
    {0.0f, 0.0f, kEndMarker},
    {-0.3800f, 0.3000f, 0.0f},
    {-0.3333f, 0.2533f, 0.0f},
    {-0.2867f, 0.2067f, 0.0f},
    {-0.2400f, 0.1600f, 0.0f},
    {-0.2400f, 0.0933f, 0.0f},
    {-0.2400f, 0.0267f, 0.0f},
    {-0.2400f, -0.0400f, 0.0f},
    {-0.2400f, -0.1067f, 0.0f},
    {-0.2400f, -0.1733f, 0.0f},
    {-0.2400f, -0.2400f, 0.0f},
    {-0.3067f, -0.2400f, 0.0f},
    {-0.3733f, -0.2400f, 0.0f},
    {-0.4400f, -0.2400f, 0.0f},
    {-0.5067f, -0.2400f, 0.0f},
    {-0.5733f, -0.2400f, 0.0f},
    {-0.6400f, -0.2400f, 0.0f},
    {-0.6867f, -0.1933f, 0.0f},
    {-0.7333f, -0.1467f, 0.0f},
    {-0.7800f, -0.1000f, 0.0f},
    {0.0f, 0.0f, kEndMarker},
    {-0.5095f, -0.0007f, 0.0f},
    {-0.5296f, -0.0305f, 0.0f},
    {-0.5613f, -0.0476f, 0.0f},
    {-0.5973f, -0.0480f, 0.0f},
    {-0.6293f, -0.0315f, 0.0f},
    {-0.6500f, -0.0020f, 0.0f},
    {-0.6545f, 0.0337f, 0.0f},
    {-0.6419f, 0.0674f, 0.0f},
    {-0.6150f, 0.0914f, 0.0f},
    {-0.5800f, 0.1000f, 0.0f},
    {-0.5450f, 0.1086f, 0.0f},
    {-0.5181f, 0.1326f, 0.0f},
    {-0.5055f, 0.1663f, 0.0f},
    {-0.5100f, 0.2020f, 0.0f},
    {-0.5307f, 0.2315f, 0.0f},
    {-0.5627f, 0.2480f, 0.0f},
    {-0.5987f, 0.2476f, 0.0f},
    {-0.6304f, 0.2305f, 0.0f},
    {-0.6505f, 0.2007f, 0.0f},
    {0.0f, 0.0f, kEndMarker},
    {-0.7800f, 0.5200f, 0.0f},
    {-0.6978f, 0.5426f, 0.0f},
    {-0.6156f, 0.5645f, 0.0f},
    {-0.5333f, 0.5850f, 0.0f},
    {-0.4511f, 0.6036f, 0.0f},
    {-0.3689f, 0.6196f, 0.0f},
    {-0.2867f, 0.6326f, 0.0f},
    {-0.2044f, 0.6422f, 0.0f},
    {-0.1222f, 0.6480f, 0.0f},
    {-0.0400f, 0.6500f, 0.0f},
    {0.0422f, 0.6480f, 0.0f},
    {0.1244f, 0.6422f, 0.0f},
    {0.2067f, 0.6326f, 0.0f},
    {0.2889f, 0.6196f, 0.0f},
    {0.3711f, 0.6036f, 0.0f},
    {0.4533f, 0.5850f, 0.0f},
    {0.5356f, 0.5645f, 0.0f},
    {0.6178f, 0.5426f, 0.0f},
    {0.7000f, 0.5200f, 0.0f},
    {0.0f, 0.0f, kEndMarker},
    {-0.3800f, -0.1000f, 0.0f},
    {-0.2400f, -0.2400f, 0.0f},
    {0.0f, 0.0f, kEndMarker},
    {0.6017f, -0.2500f, 0.0f},
    {0.5748f, -0.2792f, 0.0f},
    {0.5452f, -0.3057f, 0.0f},
    {0.5132f, -0.3293f, 0.0f},
    {0.4791f, -0.3498f, 0.0f},
    {0.4433f, -0.3670f, 0.0f},
    {0.4060f, -0.3807f, 0.0f},
    {0.3676f, -0.3908f, 0.0f},
    {0.3283f, -0.3972f, 0.0f},
    {0.2887f, -0.3999f, 0.0f},
    {0.2490f, -0.3989f, 0.0f},
    {0.2095f, -0.3940f, 0.0f},
    {0.1707f, -0.3855f, 0.0f},
    {0.1329f, -0.3734f, 0.0f},
    {0.0963f, -0.3577f, 0.0f},
    {0.0615f, -0.3387f, 0.0f},
    {0.0285f, -0.3164f, 0.0f},
    {-0.0021f, -0.2911f, 0.0f},
    {-0.0303f, -0.2631f, 0.0f},
    {-0.0557f, -0.2325f, 0.0f},
    {-0.0780f, -0.1996f, 0.0f},
    {-0.0972f, -0.1648f, 0.0f},
    {-0.1129f, -0.1283f, 0.0f},
    {-0.1252f, -0.0905f, 0.0f},
    {-0.1338f, -0.0517f, 0.0f},
    {-0.1388f, -0.0123f, 0.0f},
    {-0.1399f, 0.0275f, 0.0f},
    {-0.1373f, 0.0671f, 0.0f},
    {-0.1310f, 0.1064f, 0.0f},
    {-0.1210f, 0.1448f, 0.0f},
    {-0.1074f, 0.1822f, 0.0f},
    {-0.0904f, 0.2181f, 0.0f},
    {-0.0700f, 0.2522f, 0.0f},
    {-0.0465f, 0.2842f, 0.0f},
    {-0.0200f, 0.3139f, 0.0f},
    {0.0091f, 0.3409f, 0.0f},
    {0.0406f, 0.3651f, 0.0f},
    {0.0743f, 0.3862f, 0.0f},
    {0.1099f, 0.4040f, 0.0f},
    {0.1469f, 0.4184f, 0.0f},
    {0.1852f, 0.4292f, 0.0f},
    {0.2243f, 0.4363f, 0.0f},
    {0.2639f, 0.4397f, 0.0f},
    {0.3036f, 0.4393f, 0.0f},
    {0.3431f, 0.4352f, 0.0f},
    {0.3821f, 0.4274f, 0.0f},
    {0.4201f, 0.4159f, 0.0f},
    {0.4569f, 0.4009f, 0.0f},
    {0.4921f, 0.3825f, 0.0f},
    {0.5255f, 0.3608f, 0.0f},
    {0.5566f, 0.3361f, 0.0f},
    {0.5852f, 0.3085f, 0.0f},
    {0.6111f, 0.2784f, 0.0f},
    {0.6341f, 0.2459f, 0.0f},
    {0.6538f, 0.2115f, 0.0f},
    {0.6702f, 0.1753f, 0.0f},
    {0.6832f, 0.1377f, 0.0f},
    {0.6925f, 0.0990f, 0.0f},
    {0.6981f, 0.0597f, 0.0f},
    {0.7000f, 0.0200f, 0.0f},
    {0.0f, 0.0f, kEndMarker},
    {0.3689f, -0.2243f, 0.0f},
    {0.3404f, -0.2329f, 0.0f},
    {0.3110f, -0.2381f, 0.0f},
    {0.2813f, -0.2400f, 0.0f},
    {0.2515f, -0.2384f, 0.0f},
    {0.2221f, -0.2335f, 0.0f},
    {0.1935f, -0.2252f, 0.0f},
    {0.1660f, -0.2137f, 0.0f},
    {0.1400f, -0.1991f, 0.0f},
    {0.1159f, -0.1816f, 0.0f},
    {0.0939f, -0.1615f, 0.0f},
    {0.0743f, -0.1390f, 0.0f},
    {0.0575f, -0.1145f, 0.0f},
    {0.0435f, -0.0881f, 0.0f},
    {0.0327f, -0.0603f, 0.0f},
    {0.0252f, -0.0315f, 0.0f},
    {0.0209f, -0.0020f, 0.0f},
    {0.0201f, 0.0278f, 0.0f},
    {0.0227f, 0.0575f, 0.0f},
    {0.0287f, 0.0867f, 0.0f},
    {0.0380f, 0.1150f, 0.0f},
    {0.0504f, 0.1421f, 0.0f},
    {0.0659f, 0.1675f, 0.0f},
    {0.0842f, 0.1911f, 0.0f},
    {0.1051f, 0.2123f, 0.0f},
    {0.1282f, 0.2311f, 0.0f},
    {0.1534f, 0.2471f, 0.0f},
    {0.1802f, 0.2601f, 0.0f},
    {0.2083f, 0.2699f, 0.0f},
    {0.2374f, 0.2765f, 0.0f},
    {0.2670f, 0.2797f, 0.0f},
    {0.2968f, 0.2795f, 0.0f},
    {0.3264f, 0.2758f, 0.0f},
    {0.3554f, 0.2688f, 0.0f},
    {0.3834f, 0.2586f, 0.0f},
    {0.4100f, 0.2452f, 0.0f},
    {0.0f, 0.0f, kEndMarker},
    {0.7000f, 0.0200f, 0.0f},
    {0.6824f, 0.0200f, 0.0f},
    {0.6647f, 0.0200f, 0.0f},
    {0.6471f, 0.0200f, 0.0f},
    {0.6294f, 0.0200f, 0.0f},
    {0.6118f, 0.0200f, 0.0f},
    {0.5941f, 0.0200f, 0.0f},
    {0.5765f, 0.0200f, 0.0f},
    {0.5588f, 0.0200f, 0.0f},
    {0.5412f, 0.0200f, 0.0f},
    {0.5235f, 0.0200f, 0.0f},
    {0.5059f, 0.0200f, 0.0f},
    {0.4882f, 0.0200f, 0.0f},
    {0.4706f, 0.0200f, 0.0f},
    {0.4529f, 0.0200f, 0.0f},
    {0.4353f, 0.0200f, 0.0f},
    {0.4176f, 0.0200f, 0.0f},
    {0.4000f, 0.0200f, 0.0f},
    {0.0f, 0.0f, kEndMarker},
    {0.0f, 0.0f, kEndMarker},
};

int EmblemTableRows() { return static_cast<int>(sizeof kEmblemTable / sizeof kEmblemTable[0]); }

void BuildOutlines(const float (*table)[3], int maxRows, CList<SHAPE>& outlines) {
  outlines.Clear();
  SHAPE* current = nullptr;
  for (int row = 0; row < maxRows; ++row) {
    if (table[row][2] < -0.5f) {
      if (!current) return;  // a second marker in a row ends the table
      current = nullptr;
      continue;
    }
    if (!current) current = outlines.Append(SHAPE());
    current->points.Append({table[row][0], table[row][1], table[row][2]});
  }
}

EmblemMesh BuildTubeMesh(CList<SHAPE>& outlines) {
  EmblemMesh mesh;
  TubeBuilder builder(mesh);
  int number = 0, closedSeen = 0;
  for (SHAPE* shape = outlines.First(); shape; shape = outlines.Next()) {
    ++number;
    std::vector<CVector3D> points;
    for (const CVector3D& p : shape->points) points.push_back(p);
    if (points.empty()) continue;
    shape->closed = points.size() > 1 && DistanceSquared(points.back(), points.front()) < kSamePoint;
    std::vector<CVector3D> kept;
    for (const CVector3D& p : points)
      if (kept.empty() || DistanceSquared(p, kept.back()) >= kSamePoint) kept.push_back(p);
    // The closing point repeats the first: the ring join stands for it.
    if (shape->closed && kept.size() > 1 && DistanceSquared(kept.back(), kept.front()) < kSamePoint) kept.pop_back();
    shape->points.Clear();
    for (const CVector3D& p : kept) shape->points.Append(p);

    bool fits;
    if (shape->closed) {
      ++closedSeen;
      fits = builder.Add(kept, true, closedSeen == 1 ? kFirstClosedRadius : kLaterClosedRadius, closedSeen);
    } else {
      fits = builder.Add(kept, false, kOpenRadius, number <= 5 ? 0 : 2);
    }
    if (!fits) break;
  }
  return mesh;
}
