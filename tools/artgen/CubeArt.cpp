// The letter cube: a chamfered cube whose six faces show the six 64 x 64
// tiles of the cube's 64 x 512 face texture.
//
// Which way up each letter lies on its face decides whether the turn values of
// the roll rules describe what the player sees. Rolling a new cube through all
// 24 orientations and comparing the upper face's turn index with the way its
// letter points leaves exactly one arrangement: letter tops point North on the
// upper face, up on the South, West and East faces, down on the North face and
// South on the lower face; turn 1 is a quarter turn clockwise seen from above.
// Letters are never mirrored: seen from outside, a letter's right hand is
// up x outward normal.

#include <cmath>

#include "tools/artgen/Art.h"
#include "tools/artgen/Glyphs.h"
#include "tools/artgen/Mesh.h"

namespace artgen {

namespace {

struct FaceFrame {
  Vec3 outward;
  Vec3 up;  // the top of the letter
};

// Face slot f (the tile f of the texture) in a new cube.
const FaceFrame kFaceSlots[6] = {
    {{0, 1, 0}, {0, 0, -1}},   // 0 upper: top towards North
    {{0, 0, 1}, {0, 1, 0}},    // 1 south
    {{-1, 0, 0}, {0, 1, 0}},   // 2 west
    {{1, 0, 0}, {0, 1, 0}},    // 3 east
    {{0, 0, -1}, {0, -1, 0}},  // 4 north: upside down
    {{0, -1, 0}, {0, 0, 1}},   // 5 lower: top towards South
};

constexpr double kHalf = 1.0;      // the model is fitted by the game anyway
constexpr double kBevel = 0.1;     // chamfer width along each face
constexpr int kTile = 64;
constexpr int kAtlasHeight = 512;

Vec3 RightOf(const FaceFrame& f) { return Cross(f.up, f.outward); }

// Texture coordinates of face slot f at face coordinates (s along the
// letter's right, t along its top), both in [-flat, flat]. Half a texel is
// kept inside the tile so that filtering never reaches the next tile.
void FaceUv(int slot, double s, double t, double& u, double& v) {
  double flat = kHalf - kBevel;
  double x = (s + flat) / (2.0 * flat);
  double y = (flat - t) / (2.0 * flat);
  u = (0.5 + x * (kTile - 1)) / kTile;
  v = (slot * kTile + 0.5 + y * (kTile - 1)) / kAtlasHeight;
}

// Adds a triangle turned so that its visible side faces away from the centre
// (the cube is convex).
void OutwardTriangle(MeshBuilder& m, int a, int b, int c) {
  const auto& vs = m.Vertices();
  Vec3 n = Cross(vs[b].p - vs[a].p, vs[c].p - vs[a].p);
  Vec3 centre = (vs[a].p + vs[b].p + vs[c].p) * (1.0 / 3.0);
  if (Dot(n, centre) >= 0) {
    m.Triangle(a, b, c);
  } else {
    m.Triangle(a, c, b);
  }
}

void OutwardQuad(MeshBuilder& m, int a, int b, int c, int d) {
  OutwardTriangle(m, a, b, c);
  OutwardTriangle(m, a, c, d);
}

int SlotFacing(Vec3 outward) {
  for (int f = 0; f < 6; ++f) {
    if (Dot(kFaceSlots[f].outward, outward) > 0.5) return f;
  }
  return 0;
}

// A point on face slot f's plane at face coordinates (s, t), pushed `depth`
// from the face plane towards the centre.
Vec3 OnFace(int f, double s, double t, double depth = 0.0) {
  const FaceFrame& frame = kFaceSlots[f];
  return frame.outward * (kHalf - depth) + RightOf(frame) * s + frame.up * t;
}

// Face coordinates of a point on or near face f.
void FaceCoordinates(int f, Vec3 p, double& s, double& t) {
  s = Dot(p, RightOf(kFaceSlots[f]));
  t = Dot(p, kFaceSlots[f].up);
}

int AddOnFace(MeshBuilder& m, int f, Vec3 p) {
  double s, t, u, v;
  FaceCoordinates(f, p, s, t);
  double flat = kHalf - kBevel;
  s = std::fmax(-flat, std::fmin(flat, s));
  t = std::fmax(-flat, std::fmin(flat, t));
  FaceUv(f, s, t, u, v);
  return m.Add(p, u, v);
}

ModelBuilder BuildCube() {
  ModelBuilder model;
  MeshBuilder& m = model.AddMesh("cube", "glyphox_cube");
  const double flat = kHalf - kBevel;
  const double corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  for (int f = 0; f < 6; ++f) {
    int c[4];
    for (int k = 0; k < 4; ++k) c[k] = AddOnFace(m, f, OnFace(f, corners[k][0] * flat, corners[k][1] * flat));
    OutwardQuad(m, c[0], c[1], c[2], c[3]);
  }
  // Chamfers along the twelve edges and triangles at the eight corners. They
  // repeat the border texels of one face beside them: every face image has
  // the same frame, so the chamfers take its colour whichever face it is.
  const Vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  for (int a = 0; a < 3; ++a) {
    for (int b = a + 1; b < 3; ++b) {
      Vec3 along = Cross(axes[a], axes[b]);
      for (int sa = -1; sa <= 1; sa += 2) {
        for (int sb = -1; sb <= 1; sb += 2) {
          Vec3 da = axes[a] * sa, db = axes[b] * sb;
          int f = SlotFacing(da);
          Vec3 edgeA = da * kHalf + db * flat, edgeB = db * kHalf + da * flat;
          int p0 = AddOnFace(m, f, edgeA + along * (-flat)), p1 = AddOnFace(m, f, edgeA + along * flat);
          int q0 = m.Add(edgeB + along * (-flat), m.Vertices()[p0].u, m.Vertices()[p0].v);
          int q1 = m.Add(edgeB + along * flat, m.Vertices()[p1].u, m.Vertices()[p1].v);
          OutwardQuad(m, p0, p1, q1, q0);
        }
      }
    }
  }
  for (int sx = -1; sx <= 1; sx += 2) {
    for (int sy = -1; sy <= 1; sy += 2) {
      for (int sz = -1; sz <= 1; sz += 2) {
        Vec3 d[3] = {axes[0] * sx, axes[1] * sy, axes[2] * sz};
        int f = SlotFacing(d[1]);
        int c[3];
        c[0] = AddOnFace(m, f, d[1] * kHalf + d[0] * flat + d[2] * flat);
        const Vertex& cv = m.Vertices()[c[0]];
        double u = cv.u, v = cv.v;
        c[1] = m.Add(d[0] * kHalf + d[1] * flat + d[2] * flat, u, v);
        c[2] = m.Add(d[2] * kHalf + d[0] * flat + d[1] * flat, u, v);
        OutwardTriangle(m, c[0], c[1], c[2]);
      }
    }
  }
  // Lit with flat shading: each face evenly lit by the theme's lights, the
  // chamfers catching the light at their own angle as the cube rolls. The
  // game replaces the texture with the cube's own letter faces.
  ModelMaterial material = LitMaterial("glyphox_cube", "cube.png", 0.95f, 0.75f);
  material.shading = 1;
  model.AddMaterial(material);
  return model;
}

// The stand-in face texture: tile f shows the digit f over a bar at the
// letter's foot, so a rendered cube shows where each tile went.
Raster BuildCubeTexture(const Font& font) {
  const Color tint[8] = {Rgb(200, 60, 60),  Rgb(60, 170, 70), Rgb(60, 90, 200), Rgb(210, 170, 40),
                         Rgb(160, 70, 180), Rgb(40, 170, 180), Rgb(90, 90, 90),  Rgb(90, 90, 90)};
  Raster image(kTile, kAtlasHeight, Rgb(90, 90, 90));
  for (int f = 0; f < 8; ++f) {
    int y0 = f * kTile;
    image.FillRect(0, y0, kTile, y0 + kTile, Scale(tint[f], 0.6));
    image.FillRoundRect(3, y0 + 3, kTile - 3, y0 + kTile - 3, 6, tint[f]);
    if (f < 6) {
      font.Draw(image, static_cast<unsigned>('0' + f), 40, kTile * 0.5, y0 + 28, 0.0, Rgb(255, 255, 255));
      image.FillRect(18, y0 + 50, kTile - 18, y0 + 55, Rgb(255, 255, 255));
    }
  }
  return image;
}

}  // namespace

void MakeCubeArt(ArtContext& context) {
  Font font;
  font.Open(context.fontDir + "/DejaVuSans-Bold.ttf");
  context.out.Model("3d/cube.3do", BuildCube().ToFileData());
  context.out.Png("2d/cube.png", BuildCubeTexture(font), 3);
}

}  // namespace artgen
