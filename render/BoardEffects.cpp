// Particle bursts, the glow of placed cubes and cartoon outlines of the board
// scene.
#include "render/BoardEffects.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdint>

#include "engine3d/Objet3D.h"
#include "puzzle/Cube.h"
#include "render/SceneLists.h"
#include "puzzle/Puzzle.h"
#include "render/Themes.h"

namespace {

constexpr float s = kSquareSize;
constexpr float kSparkLife = 90.0f;  // frame units
constexpr float kFlashFrames = 36.0f;
// The glow's warm gold, apart from the green of a word found.
const float kPlacedColour[3] = {1.0f, 0.78f, 0.25f};

// A square of half size `half` centred on c, spanned by the vectors a and b
// (already scaled), with texture coordinates.
void Sprite(const float c[3], const float a[3], const float b[3]) {
  glTexCoord2f(0, 0);
  glVertex3f(c[0] - a[0] - b[0], c[1] - a[1] - b[1], c[2] - a[2] - b[2]);
  glTexCoord2f(1, 0);
  glVertex3f(c[0] + a[0] - b[0], c[1] + a[1] - b[1], c[2] + a[2] - b[2]);
  glTexCoord2f(1, 1);
  glVertex3f(c[0] + a[0] + b[0], c[1] + a[1] + b[1], c[2] + a[2] + b[2]);
  glTexCoord2f(0, 1);
  glVertex3f(c[0] - a[0] + b[0], c[1] - a[1] + b[1], c[2] - a[2] + b[2]);
}

// A flat square ring at height y round (x, z), from half size inner (colour
// at alpha) to outer (transparent), as four quads of an open GL_QUADS.
void GlowRing(float x, float y, float z, float inner, float outer, const float colour[3], float alpha) {
  const float in[4][2] = {{-inner, -inner}, {inner, -inner}, {inner, inner}, {-inner, inner}};
  const float out[4][2] = {{-outer, -outer}, {outer, -outer}, {outer, outer}, {-outer, outer}};
  for (int k = 0; k < 4; ++k) {
    const int n = (k + 1) % 4;
    glColor4f(colour[0], colour[1], colour[2], alpha);
    glVertex3f(x + in[k][0], y, z + in[k][1]);
    glVertex3f(x + in[n][0], y, z + in[n][1]);
    glColor4f(colour[0], colour[1], colour[2], 0.0f);
    glVertex3f(x + out[n][0], y, z + out[n][1]);
    glVertex3f(x + out[k][0], y, z + out[k][1]);
  }
}

}  // namespace

void PlacedGlows::Reset() {
  m_known = false;
  for (float& left : m_flash) left = 0.0f;
}

void PlacedGlows::Advance(const Puzzle& puzzle, float frameDelta) {
  const int count = puzzle.CubeCount() < kMaxCubes ? puzzle.CubeCount() : kMaxCubes;
  for (int i = 0; i < count; ++i) {
    const int8_t placed = puzzle.CubeRecord(i).inPlace ? 1 : 0;
    m_flash[i] = m_flash[i] > frameDelta ? m_flash[i] - frameDelta : 0.0f;
    if (m_known && placed && !m_placed[i]) m_flash[i] = kFlashFrames;
    m_placed[i] = placed;
  }
  m_known = true;
}

void PlacedGlows::Draw(const Puzzle& puzzle, GLuint glow, float T, bool markDepth) const {
  float m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  const float right[3] = {m[0], m[4], m[8]}, up[3] = {m[1], m[5], m[9]};
  const float* g = kPlacedColour;
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glDepthMask(markDepth ? GL_TRUE : GL_FALSE);
  // A gold aura on the floor round the cube and a gold lip round its top,
  // each fading outwards: visible over any floor and from any side.
  // Smooth: the cube models may leave flat shading, which would give each
  // ring quad the transparent colour of its last corner.
  glShadeModel(GL_SMOOTH);
  glDisable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glBegin(GL_QUADS);
  for (int i = 0; i < puzzle.CubeCount(); ++i) {
    const Cube* cube = puzzle.Level().CubeAt(i);
    if (!cube || !puzzle.CubeRecord(i).inPlace) continue;
    const float pulse = static_cast<float>(0.8 + 0.2 * std::cos(T * 3.14159265 * 0.03125 + i * 3.14159265 / 32));
    const float* c = &cube->transform[12];
    GlowRing(c[0], 0.002f, c[2], 0.5f * s, (0.5f + 0.6f * pulse) * s, g, 0.9f);
    GlowRing(c[0], c[1] + 0.5f * s + 0.001f, c[2], 0.44f * s, (0.5f + 0.1f * pulse) * s, g, 0.95f);
  }
  glEnd();
  // A sparkle over it, facing the viewer; bright and large while it flashes.
  if (glow) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, glow);
  }
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  if (!markDepth) glDisable(GL_DEPTH_TEST);
  glBegin(GL_QUADS);
  for (int i = 0; i < puzzle.CubeCount(); ++i) {
    const Cube* cube = puzzle.Level().CubeAt(i);
    if (!cube || !puzzle.CubeRecord(i).inPlace) continue;
    const float* c = &cube->transform[12];
    const float half = s * static_cast<float>(0.9 + 0.1 * std::cos(T * 3.14159265 * 0.03125 + i * 3.14159265 / 32));
    const float flash = FlashLeft(i) / kFlashFrames;
    const float size = half * (1.0f + 2.0f * flash);
    const float r[3] = {right[0] * size, right[1] * size, right[2] * size};
    const float u[3] = {up[0] * size, up[1] * size, up[2] * size};
    glColor4f(g[0] + (1.0f - g[0]) * flash, g[1] + (1.0f - g[1]) * flash, g[2] + (1.0f - g[2]) * flash,
              0.5f + 0.5f * flash);
    Sprite(c, r, u);
  }
  glEnd();
  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
  glEnable(GL_CULL_FACE);
  glEnable(GL_LIGHTING);
  glColor4f(1, 1, 1, 1);
}

namespace {

bool OnSquareEdge(const float* a, const float* b) {
  const float e = s / 2 - 0.0001f;
  for (int axis : {0, 2}) {
    if (a[axis] > e && b[axis] > e) return true;
    if (a[axis] < -e && b[axis] < -e) return true;
  }
  return false;
}

// The marked edges as lines; wall arms that stop at the square's edge meet
// their neighbour there, so those edges are left out.
}  // namespace

GLuint Outlines::List(Objet3D& object, bool skipSquareEdges) {
  auto found = m_lists.find(&object);
  if (found != m_lists.end()) return found->second;
  object.ComputeFlatNormals();
  object.ComputeEdgeFlags(0.7071f);
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glBegin(GL_LINES);
  for (Mesh3D* mesh = object.meshes; mesh; mesh = mesh->next) {
    if (mesh->edgeFlags.size() != static_cast<size_t>(mesh->faceCount)) continue;
    for (int f = 0; f < mesh->faceCount; ++f)
      for (int k = 0; k < 3; ++k) {
        if (!(mesh->edgeFlags[f] & (1 << k))) continue;
        const float* a = mesh->Position(mesh->faces[f * 3 + k]);
        const float* b = mesh->Position(mesh->faces[f * 3 + (k + 1) % 3]);
        if (skipSquareEdges && OnSquareEdge(a, b)) continue;
        glVertex3fv(a);
        glVertex3fv(b);
      }
  }
  glEnd();
  glEndList();
  m_lists[&object] = list;
  return list;
}

float ParticleBursts::Random01() {
  m_seed = m_seed * 1664525u + 1013904223u;
  return static_cast<float>((m_seed >> 8) & 0xFFFF) / 65535.0f;
}

void ParticleBursts::Start(const Board& board) {
  Burst* burst = &m_bursts[0];
  for (Burst& b : m_bursts)
    if (!b.active) {
      burst = &b;
      break;
    }
  const float width = static_cast<float>(board.width), height = static_cast<float>(board.height);
  burst->active = 1;
  for (Spark& p : burst->sparks) {
    p.position[0] = (Random01() * width - 0.5f) * s;
    p.position[1] = (3.0f + Random01()) * s;
    p.position[2] = (Random01() * height - 0.5f) * s;
    p.velocity[0] = (Random01() - 0.5f) * 0.02f * s;
    p.velocity[1] = -(0.02f + Random01() * 0.03f) * s;
    p.velocity[2] = (Random01() - 0.5f) * 0.02f * s;
    p.delay = Random01() * 30.0f;
    p.age = 0;
    p.colour[0] = 1.0f;
    p.colour[1] = 0.6f + 0.4f * Random01();
    p.colour[2] = 0.3f + 0.5f * Random01();
  }
}

void ParticleBursts::Clear() {
  for (Burst& b : m_bursts) b.active = 0;
}

int ParticleBursts::Active() const {
  int n = 0;
  for (const Burst& b : m_bursts) n += b.active;
  return n;
}

void ParticleBursts::Advance(float frameDelta) {
  for (Burst& b : m_bursts) {
    if (!b.active) continue;
    bool alive = false;
    for (Spark& p : b.sparks) {
      if (p.delay > 0) {
        p.delay -= frameDelta;
        alive = true;
        continue;
      }
      p.age += frameDelta;
      for (int k = 0; k < 3; ++k) p.position[k] += p.velocity[k] * frameDelta;
      alive = alive || p.age < kSparkLife;
    }
    b.active = alive ? 1 : 0;
  }
}

void ParticleBursts::Draw(GLuint glow, bool markDepth) const {
  if (!Active()) return;
  float m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  const float right[3] = {m[0], m[4], m[8]}, up[3] = {m[1], m[5], m[9]};
  if (glow) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, glow);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glDepthMask(markDepth ? GL_TRUE : GL_FALSE);
  glBegin(GL_QUADS);
  for (const Burst& b : m_bursts) {
    if (!b.active) continue;
    for (const Spark& p : b.sparks) {
      if (p.delay > 0 || p.age >= kSparkLife) continue;
      const float fade = 1.0f - p.age / kSparkLife, half = 0.3f * s;
      glColor4f(p.colour[0], p.colour[1], p.colour[2], fade);
      const float* c = p.position;
      const float r[3] = {right[0] * half, right[1] * half, right[2] * half};
      const float u[3] = {up[0] * half, up[1] * half, up[2] * half};
      Sprite(c, r, u);
    }
  }
  glEnd();
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
  glEnable(GL_CULL_FACE);
  glEnable(GL_LIGHTING);
  glColor4f(1, 1, 1, 1);
}

void Outlines::Draw(const ThemeValues& values, ThemeResources& theme, const SceneLists& lists,
                    const Puzzle& puzzle, bool withCubes) {
  const float* c = values.cartoonColor;
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_LINE_SMOOTH);
  glLineWidth(values.cartoonLineWidth > 0 ? values.cartoonLineWidth : 1.0f);
  glColor4f(c[0], c[1], c[2], values.cartoonAlpha);
  glDepthFunc(GL_LEQUAL);
  for (int i = 0; i < lists.wallPieceCount; ++i) {
    const WallPiece& w = lists.wallPieces[i];
    if (!w.visible) continue;
    glPushMatrix();
    glTranslatef(w.x * s, w.height * s, w.y * s);
    glCallList(List(theme.walls[w.kind], true));
    glPopMatrix();
  }
  if (withCubes) {
    for (int i = 0; i < puzzle.CubeCount(); ++i) {
      const Cube* cube = puzzle.Level().CubeAt(i);
      if (!cube || !cube->models[0] || !lists.cubeDraw[i].visible) continue;
      glPushMatrix();
      glMultMatrixf(cube->transform);
      glCallList(List(*cube->models[0], false));
      glPopMatrix();
    }
  }
  glDepthFunc(GL_LESS);
  glLineWidth(1.0f);
  glDisable(GL_LINE_SMOOTH);
  glDisable(GL_BLEND);
  glEnable(GL_LIGHTING);
  glColor4f(1, 1, 1, 1);
}

void Outlines::Free() {
  for (auto& entry : m_lists) glDeleteLists(entry.second, 1);
  m_lists.clear();
}
