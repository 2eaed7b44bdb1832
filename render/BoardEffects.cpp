// Particle bursts and cartoon outlines of the board scene.
#include "render/BoardEffects.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <map>

#include "engine3d/Objet3D.h"
#include "puzzle/Cube.h"
#include "puzzle/PuzzleView.h"
#include "render/BoardScene.h"
#include "render/MenuObjects.h"
#include "render/SceneLists.h"
#include "render/Themes.h"

namespace {

constexpr float s = kSquareSize;
constexpr int kBursts = 4;
constexpr int kSparks = 40;
constexpr float kSparkLife = 90.0f;  // frame units

struct Spark {
  float position[3];
  float velocity[3];
  float delay;  // frame units before it shows
  float age;
  float colour[3];
};

struct Burst {
  int active = 0;
  Spark sparks[kSparks];
};

Burst g_bursts[kBursts];
uint32_t g_seed = 12345;

// The bursts draw their own numbers: the rules' random sequence is not theirs.
float Random01() {
  g_seed = g_seed * 1664525u + 1013904223u;
  return static_cast<float>((g_seed >> 8) & 0xFFFF) / 65535.0f;
}

std::map<const Objet3D*, GLuint> g_outlineLists;

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
GLuint OutlineList(Objet3D& object, bool skipSquareEdges) {
  auto found = g_outlineLists.find(&object);
  if (found != g_outlineLists.end()) return found->second;
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
  g_outlineLists[&object] = list;
  return list;
}

}  // namespace

void StartParticleBurst() {
  Burst* burst = &g_bursts[0];
  for (Burst& b : g_bursts)
    if (!b.active) {
      burst = &b;
      break;
    }
  const float width = static_cast<float>(CurrentBoard().width), height = static_cast<float>(CurrentBoard().height);
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

void ClearParticleBursts() {
  for (Burst& b : g_bursts) b.active = 0;
}

int ActiveParticleBursts() {
  int n = 0;
  for (const Burst& b : g_bursts) n += b.active;
  return n;
}

void AdvanceParticleBursts(float frameDelta) {
  for (Burst& b : g_bursts) {
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

void DrawParticleBursts() {
  if (!ActiveParticleBursts()) return;
  float m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  const float right[3] = {m[0], m[4], m[8]}, up[3] = {m[1], m[5], m[9]};
  const GLuint glow = GlowTextureName();
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
  glDepthMask(GL_FALSE);
  glBegin(GL_QUADS);
  for (const Burst& b : g_bursts) {
    if (!b.active) continue;
    for (const Spark& p : b.sparks) {
      if (p.delay > 0 || p.age >= kSparkLife) continue;
      const float fade = 1.0f - p.age / kSparkLife, half = 0.3f * s;
      glColor4f(p.colour[0], p.colour[1], p.colour[2], fade);
      const float* c = p.position;
      const float r[3] = {right[0] * half, right[1] * half, right[2] * half};
      const float u[3] = {up[0] * half, up[1] * half, up[2] * half};
      glTexCoord2f(0, 0);
      glVertex3f(c[0] - r[0] - u[0], c[1] - r[1] - u[1], c[2] - r[2] - u[2]);
      glTexCoord2f(1, 0);
      glVertex3f(c[0] + r[0] - u[0], c[1] + r[1] - u[1], c[2] + r[2] - u[2]);
      glTexCoord2f(1, 1);
      glVertex3f(c[0] + r[0] + u[0], c[1] + r[1] + u[1], c[2] + r[2] + u[2]);
      glTexCoord2f(0, 1);
      glVertex3f(c[0] - r[0] + u[0], c[1] - r[1] + u[1], c[2] - r[2] + u[2]);
    }
  }
  glEnd();
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
  glEnable(GL_CULL_FACE);
  glEnable(GL_LIGHTING);
  glColor4f(1, 1, 1, 1);
}

void DrawOutlines(bool withCubes) {
  const float* c = g_themeValues.cartoonColor;
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_LINE_SMOOTH);
  glLineWidth(g_themeValues.cartoonLineWidth > 0 ? g_themeValues.cartoonLineWidth : 1.0f);
  glColor4f(c[0], c[1], c[2], g_themeValues.cartoonAlpha);
  glDepthFunc(GL_LEQUAL);
  for (int i = 0; i < g_wallPieceCount; ++i) {
    const WallPiece& w = g_wallPieces[i];
    if (!w.visible) continue;
    glPushMatrix();
    glTranslatef(w.x * s, w.height * s, w.y * s);
    glCallList(OutlineList(g_theme.walls[w.kind], true));
    glPopMatrix();
  }
  if (withCubes) {
    const Level& level = CurrentLevel();
    for (int i = 0; i < CubeCount(); ++i) {
      const Cube* cube = level.CubeAt(i);
      if (!cube || !cube->models[0] || !g_cubeDraw[i].visible) continue;
      glPushMatrix();
      glMultMatrixf(cube->transform);
      glCallList(OutlineList(*cube->models[0], false));
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

void FreeOutlineLists() {
  for (auto& entry : g_outlineLists) glDeleteLists(entry.second, 1);
  g_outlineLists.clear();
}
