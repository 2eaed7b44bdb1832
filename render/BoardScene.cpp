// One frame of the board, in its fixed order, and the scene's part of a
// level start.
#include "render/BoardScene.h"

#include <GL/gl.h>

#include <cmath>

#include "puzzle/Cube.h"
#include "puzzle/PuzzleView.h"
#include "render/BoardEffects.h"
#include "render/CubeLooks.h"
#include "render/LetterImages.h"
#include "render/Lights.h"
#include "render/MenuObjects.h"
#include "render/SceneLists.h"
#include "render/Themes.h"

namespace {

constexpr float s = kSquareSize;
constexpr double kPi = 3.14159265358979323846;
const float kFloorPlane[4] = {0, 1, 0, 0};

float g_shadowMatrix[16];

bool MirrorOn(const BoardFrame& f) { return f.options.reflect && g_themeValues.reflectStrength != 0.0f; }

// The light must come from above the floor for its shadow to fall on it.
bool RealShadowsOn(const BoardFrame& f) { return f.options.shadow == 2 && g_lights.position0[1] > 0.001f; }

void BindOrUntextured(GLuint name) {
  if (name) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, name);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
}

void DrawFloor(float opacity) {
  Material* floor = g_theme.floorMaterial;
  if (!floor) return;
  floor->opacity = opacity;
  floor->Apply();
  CallFloorList();
  floor->End();
  floor->opacity = 1.0f;
}

void DrawWallPieces(bool onlyGeometry, bool nearOnes) {
  for (int i = 0; i < g_wallPieceCount; ++i) {
    const WallPiece& w = g_wallPieces[i];
    if (!(nearOnes ? w.nearView : w.visible)) continue;
    Objet3D& wall = g_theme.walls[w.kind];
    glPushMatrix();
    glTranslatef(w.x * s, w.height * s, w.y * s);
    if (onlyGeometry)
      wall.DrawGeometry(false, 0);
    else if (wall.displayList != -1)
      glCallList(static_cast<GLuint>(wall.displayList));
    else
      wall.Draw();
    glPopMatrix();
  }
}

void DrawCubes(bool onlyGeometry) {
  const Level& level = CurrentLevel();
  for (int i = 0; i < CubeCount(); ++i) {
    const Cube* cube = level.CubeAt(i);
    if (!cube || !cube->models[0]) continue;
    glPushMatrix();
    glMultMatrixf(cube->transform);
    if (onlyGeometry)
      cube->models[0]->DrawGeometry(false, 0);
    else
      DrawItem(*cube);
    glPopMatrix();
  }
}

// Sprites facing the viewer, from the rotation of the current modelview.
void DrawGlows(float T) {
  float m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  const float right[3] = {m[0], m[4], m[8]}, up[3] = {m[1], m[5], m[9]};
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glDisable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);
  BindOrUntextured(GlowTextureName());
  const Level& level = CurrentLevel();
  for (int i = 0; i < CubeCount(); ++i) {
    const Cube* cube = level.CubeAt(i);
    if (!CubeRecord(i).inPlace || !cube) continue;
    const float* c = &cube->transform[12];
    const float half = s * static_cast<float>(0.9 + 0.1 * std::cos(T * kPi * 0.03125 + i * kPi / 32));
    float r[3], u[3];
    for (int k = 0; k < 3; ++k) r[k] = right[k] * half, u[k] = up[k] * half;
    glColor4f(1, 1, 1, 0.4f);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0, 0);
    glVertex3f(c[0] - r[0] - u[0], c[1] - r[1] - u[1], c[2] - r[2] - u[2]);
    glTexCoord2f(1, 0);
    glVertex3f(c[0] + r[0] - u[0], c[1] + r[1] - u[1], c[2] + r[2] - u[2]);
    glTexCoord2f(0, 1);
    glVertex3f(c[0] - r[0] + u[0], c[1] - r[1] + u[1], c[2] - r[2] + u[2]);
    glTexCoord2f(1, 1);
    glVertex3f(c[0] + r[0] + u[0], c[1] + r[1] + u[1], c[2] + r[2] + u[2]);
    glEnd();
  }
  glEnable(GL_LIGHTING);
  glEnable(GL_CULL_FACE);
  glDepthMask(GL_TRUE);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glColor4f(1, 1, 1, 1);
}

void DrawArrows(const BoardFrame& f, bool sphereMap, bool onlyGeometry) {
  Mesh3D* mesh = g_theme.arrowWork.FirstMesh();
  if (!mesh) return;
  Material* own = mesh->material;
  for (int i = 0; i < ArrowCount(); ++i) {
    const ArrowRecord& a = Arrow(i);
    if (!a.active) continue;
    glPushMatrix();
    MoveToArrow(a);
    if (onlyGeometry) {
      g_theme.arrowWork.DrawGeometry(false, 0);
    } else {
      if (sphereMap) g_theme.arrowWork.SphereMap(g_view.modelview);
      const bool on = !f.noHover && i == f.hoveredArrow;
      Material* look = on ? g_theme.arrowOn : g_theme.arrowOff;
      if (look) mesh->material = look;
      g_theme.arrowWork.Draw();
      mesh->material = own;
    }
    glPopMatrix();
  }
}

void DrawMirrorImage(const BoardFrame& f) {
  glPushMatrix();
  glScalef(1, -1, 1);
  glFrontFace(GL_CW);
  SendLightPositions();
  DrawWallPieces(false, false);
  if (f.drawCubes) {
    glDisable(GL_LIGHTING);
    glColor4f(1, 1, 1, 1);
    DrawCubes(false);
    DrawGlows(f.elapsedFrames);
    if (f.drawArrows) DrawArrows(f, false, false);
  }
  DrawParticleBursts();
  glFrontFace(GL_CCW);
  glPopMatrix();
  SendLightPositions();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_DEPTH_TEST);
  DrawFloor(1.0f - g_themeValues.reflectStrength);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
}

void DrawRealShadows(const BoardFrame& f) {
  const int width = static_cast<int>(CurrentBoard().width), height = static_cast<int>(CurrentBoard().height);
  const double planes[4][4] = {{-1, 0, 0, width * s - s / 2}, {1, 0, 0, s / 2}, {0, 0, -1, height * s - s / 2},
                               {0, 0, 1, s / 2}};
  for (int i = 0; i < 4; ++i) {
    glClipPlane(GL_CLIP_PLANE0 + i, planes[i]);
    glEnable(GL_CLIP_PLANE0 + i);
  }
  glPushMatrix();
  glMultMatrixf(g_shadowMatrix);
  glFrontFace(GL_CW);
  glEnable(GL_CULL_FACE);
  glDisable(GL_TEXTURE_2D);
  glShadeModel(GL_FLAT);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  const float* c = g_themeValues.shadowColor;
  glColor4f(c[0], c[1], c[2], g_themeValues.shadowStrength);
  glDisable(GL_DEPTH_TEST);
  DrawWallPieces(true, true);
  if (f.drawCubes) {
    DrawCubes(true);
    if (f.drawArrows) DrawArrows(f, false, true);
  }
  glEnable(GL_DEPTH_TEST);
  glShadeModel(GL_SMOOTH);
  glEnable(GL_LIGHTING);
  glDisable(GL_BLEND);
  glColor4f(1, 1, 1, 1);
  glFrontFace(GL_CCW);
  glPopMatrix();
  for (int i = 0; i < 4; ++i) glDisable(GL_CLIP_PLANE0 + i);
}

// One square on the floor, turned by the heading, a hair above it.
void FloorSquare(float c, float r, float heading) {
  glPushMatrix();
  glTranslatef(c * s, 0, r * s);
  glRotatef(heading, 0, 1, 0);
  DrawFloorTile(0, 0, 1, 1);
  glPopMatrix();
}

void DrawFloorMarks(const BoardFrame& f) {
  if (g_theme.floorMaterial) g_theme.floorMaterial->Apply();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glColor4f(1, 1, 1, g_themeValues.shadowStrength);
  if (f.options.shadow == 1 && f.drawArrows) {
    BindOrUntextured(FalseShadowTexture());
    for (int i = 0; i < ArrowCount(); ++i) {
      const ArrowRecord& a = Arrow(i);
      if (!a.active || (!f.noHover && i == f.hoveredArrow)) continue;
      FloorSquare(static_cast<float>(a.x), static_cast<float>(a.y), ArrowHeading(a.direction));
    }
  }
  const int hovered = f.hoveredArrow;
  if (f.drawArrowHover && f.drawArrows && !f.noHover && hovered >= 0 && hovered < ArrowCount() && Arrow(hovered).active) {
    BindOrUntextured(g_theme.marker.HasName() ? static_cast<GLuint>(g_theme.marker.glName) : 0);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glColor4f(1, 1, 1, 1);
    FloorSquare(static_cast<float>(Arrow(hovered).x), static_cast<float>(Arrow(hovered).y), 0);
  }
  glEnable(GL_CULL_FACE);
}

}  // namespace

void ClearBoardScene() { ClearSceneLists(); }

void BeginBoardScene() {
  RebuildWallPieces();
  BuildLevelLists();
}

void EndBoardScene() {}

void DrawBoard(const BoardFrame& f) {
  if (!g_theme.loaded) return;
  const float T = f.elapsedFrames;
  PlaceCamera(f.camera);
  glClear(GL_DEPTH_BUFFER_BIT);

  glPushMatrix();
  glRotatef(f.slowPhase, 0, 1, 0);
  if (g_theme.background.displayList != -1)
    glCallList(static_cast<GLuint>(g_theme.background.displayList));
  else
    g_theme.background.Draw();
  glPopMatrix();

  glPushMatrix();
  g_theme.arrowWork.Morph(static_cast<float>((std::cos(T * kPi * 0.03125) + 1.0) * 0.5));
  glTranslatef(g_boardOffset[0], g_boardOffset[1], g_boardOffset[2]);
  Cull();
  SendLightPositions();
  ShadowMatrix(kFloorPlane, g_lights.position0, g_shadowMatrix);
  AdvanceParticleBursts(f.frameDelta);

  const bool mirror = MirrorOn(f);
  if (mirror) glDisable(GL_DEPTH_TEST);
  DrawFloor(1.0f);
  glEnable(GL_DEPTH_TEST);
  if (mirror) DrawMirrorImage(f);
  if (RealShadowsOn(f)) DrawRealShadows(f);
  if (f.drawCubes) DrawFloorMarks(f);

  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glEnable(GL_LIGHTING);
  glColor4f(1, 1, 1, 1);
  DrawWallPieces(false, false);
  glDisable(GL_LIGHTING);
  glColor4f(1, 1, 1, 1);
  DrawCubes(false);
  DrawGlows(T);
  if (f.drawArrows) DrawArrows(f, true, false);
  if (f.options.cartoon) DrawOutlines(f.drawCubes != 0);

  glColor4f(1, 1, 1, 1);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  CallBorderList();
  glEnable(GL_CULL_FACE);
  DrawParticleBursts();
  glEnable(GL_LIGHTING);
  glPopMatrix();
}

void FreeBoardScene() {
  FreeOutlineLists();
  ClearParticleBursts();
  DeleteLevelListNames();
  FreeSharedCubeModel();
}
