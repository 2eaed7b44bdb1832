// One frame of the board, in its fixed order, and the scene's part of a
// level start.
#include "render/BoardScene.h"

#include <GL/gl.h>

#include <cmath>

#include "base/Math.h"
#include "engine3d/Material.h"
#include "puzzle/Cube.h"
#include "render/Renderer.h"

namespace {

constexpr float s = kSquareSize;
const float kFloorPlane[4] = {0, 1, 0, 0};
// A few steps of the depth buffer short of its far end.
double SpriteMarkDepth() {
  GLint bits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &bits);
  return 1.0 - 4.0 / (static_cast<double>(1u << (bits > 0 && bits < 32 ? bits : 24)) - 1.0);
}

void BindOrUntextured(GLuint name) {
  if (name) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, name);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
}

// One frame's drawing: the renderer's parts, the frame and the shadow
// projection of this frame.
class BoardPass {
 public:
  BoardPass(Renderer& renderer, const Puzzle& shown, Outlines& outlines, GLuint glowTexture,
            const BoardFrame& frame)
      : r(renderer),
        theme(renderer.themes.resources),
        values(renderer.themes.values),
        puzzle(shown),
        outlines(outlines),
        glow(glowTexture),
        f(frame) {}
  void Draw();

 private:
  bool MirrorOn() const { return f.options.reflect && values.reflectStrength != 0.0f; }
  // The light must come from above the floor for its shadow to fall on it.
  bool RealShadowsOn() const { return f.options.shadow == 2 && r.lights.values.position0[1] > 0.001f; }
  void DrawFloor(float opacity);
  void DrawWallPieces(bool onlyGeometry, bool nearOnes);
  void DrawCubes(bool onlyGeometry);
  void DrawGlows(float T, bool markDepth = false);
  void DrawArrows(bool sphereMap, bool onlyGeometry);
  void DrawMirrorImage();
  void DrawRealShadows();
  void DrawFloorMarks();

  Renderer& r;
  ThemeResources& theme;
  const ThemeValues& values;
  const Puzzle& puzzle;
  Outlines& outlines;
  const GLuint glow;
  const BoardFrame& f;
  float shadowMatrix[16] = {};
};

void BoardPass::DrawFloor(float opacity) {
  Material* floor = theme.floorMaterial;
  if (!floor) return;
  floor->opacity = opacity;
  floor->Apply();
  r.lists.CallFloorList();
  floor->End();
  floor->opacity = 1.0f;
}

void BoardPass::DrawWallPieces(bool onlyGeometry, bool nearOnes) {
  if (f.options.skipUnseen &&
      r.lists.wallBatch.Draw(r.lists.wallPieces, r.lists.wallPieceCount, theme.walls, !onlyGeometry))
    return;
  for (int i = 0; i < r.lists.wallPieceCount; ++i) {
    const WallPiece& w = r.lists.wallPieces[i];
    if (!(nearOnes ? w.nearView : w.visible)) continue;
    Objet3D& wall = theme.walls[w.kind];
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

void BoardPass::DrawCubes(bool onlyGeometry) {
  // Lifted cubes may show from anywhere.
  const bool cull = f.options.skipUnseen && f.bobPhase < 0.0f;
  for (int i = 0; i < puzzle.CubeCount(); ++i) {
    const Cube* cube = puzzle.Level().CubeAt(i);
    if (!cube || !cube->models[0]) continue;
    if (cull && !r.lists.cubeDraw[i].rollInView) continue;
    glPushMatrix();
    if (f.bobPhase >= 0.0f)
      glTranslatef(0.0f, static_cast<float>(std::sin((i + f.bobPhase) * kPi / 4.0) * 0.5 + 0.3) * s, 0.0f);
    glMultMatrixf(cube->transform);
    if (onlyGeometry)
      cube->models[0]->DrawGeometry(false, 0);
    else
      DrawItem(*cube);
    glPopMatrix();
  }
}

// The glow of the cubes in place (BoardEffects.h).
void BoardPass::DrawGlows(float T, bool markDepth) { r.placed.Draw(puzzle, glow, T, markDepth); }

void BoardPass::DrawArrows(bool sphereMap, bool onlyGeometry) {
  Mesh3D* mesh = theme.arrowWork.FirstMesh();
  if (!mesh) return;
  Material* own = mesh->material;
  for (int i = 0; i < puzzle.ArrowCount(); ++i) {
    const ArrowRecord& a = puzzle.Arrow(i);
    if (!a.active) continue;
    glPushMatrix();
    MoveToArrow(a);
    if (onlyGeometry) {
      theme.arrowWork.DrawGeometry(false, 0);
    } else {
      if (sphereMap) theme.arrowWork.SphereMap(r.view.Record().modelview);
      const bool on = !f.noHover && i == f.hoveredArrow;
      Material* look = on ? theme.arrowOn : theme.arrowOff;
      if (look) mesh->material = look;
      theme.arrowWork.Draw();
      mesh->material = own;
    }
    glPopMatrix();
  }
}

void BoardPass::DrawMirrorImage() {
  glPushMatrix();
  glScalef(1, -1, 1);
  glFrontFace(GL_CW);
  r.lights.SendPositions();
  DrawWallPieces(false, false);
  if (f.drawCubes) {
    glDisable(GL_LIGHTING);
    glColor4f(1, 1, 1, 1);
    DrawCubes(false);
    DrawGlows(f.elapsedFrames);
    if (f.drawArrows) DrawArrows(false, false);
  }
  r.bursts.Draw(glow);
  // Where the mirror image left nothing, the floor would only be blended
  // over itself: the depth buffer tells those pixels apart (the floor came
  // first, then a clear), once the sprites, which write no depth, have
  // marked theirs just short of the far end, where nothing above the floor
  // is hidden by the mark.
  const bool onlyOverImage = f.options.skipUnseen != 0;
  if (onlyOverImage) {
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    const double mark = SpriteMarkDepth();
    glDepthRange(mark, mark);
    if (f.drawCubes) DrawGlows(f.elapsedFrames, true);
    r.bursts.Draw(glow, true);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  }
  glFrontFace(GL_CCW);
  glPopMatrix();
  r.lights.SendPositions();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (onlyOverImage) {
    // The floor at the far end of the depth range passes only over pixels
    // the image or a sprite reached.
    glDepthRange(1, 1);
    glDepthFunc(GL_GREATER);
    glDepthMask(GL_FALSE);
  } else {
    glDisable(GL_DEPTH_TEST);
  }
  DrawFloor(1.0f - values.reflectStrength);
  glDepthRange(0, 1);
  glDepthFunc(GL_LEQUAL);
  glDepthMask(GL_TRUE);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
}

void BoardPass::DrawRealShadows() {
  const Board& board = puzzle.Board();
  const int width = static_cast<int>(board.width), height = static_cast<int>(board.height);
  const double planes[4][4] = {{-1, 0, 0, width * s - s / 2}, {1, 0, 0, s / 2}, {0, 0, -1, height * s - s / 2},
                               {0, 0, 1, s / 2}};
  for (int i = 0; i < 4; ++i) {
    glClipPlane(GL_CLIP_PLANE0 + i, planes[i]);
    glEnable(GL_CLIP_PLANE0 + i);
  }
  glPushMatrix();
  glMultMatrixf(shadowMatrix);
  glFrontFace(GL_CW);
  glEnable(GL_CULL_FACE);
  glDisable(GL_TEXTURE_2D);
  glShadeModel(GL_FLAT);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  const float* c = values.shadowColor;
  glColor4f(c[0], c[1], c[2], values.shadowStrength);
  glDisable(GL_DEPTH_TEST);
  DrawWallPieces(true, true);
  if (f.drawCubes) {
    DrawCubes(true);
    if (f.drawArrows) DrawArrows(false, true);
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

void BoardPass::DrawFloorMarks() {
  if (theme.floorMaterial) theme.floorMaterial->Apply();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glColor4f(1, 1, 1, values.shadowStrength);
  if (f.options.shadow == 1 && f.drawArrows) {
    BindOrUntextured(r.letters.FalseShadowTexture());
    for (int i = 0; i < puzzle.ArrowCount(); ++i) {
      const ArrowRecord& a = puzzle.Arrow(i);
      if (!a.active || (!f.noHover && i == f.hoveredArrow)) continue;
      FloorSquare(static_cast<float>(a.x), static_cast<float>(a.y), ArrowHeading(a.direction));
    }
  }
  const int hovered = f.hoveredArrow;
  if (f.drawArrowHover && f.drawArrows && !f.noHover && hovered >= 0 && hovered < puzzle.ArrowCount() &&
      puzzle.Arrow(hovered).active) {
    const ArrowRecord& a = puzzle.Arrow(hovered);
    BindOrUntextured(theme.marker.HasName() ? static_cast<GLuint>(theme.marker.glName) : 0);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glColor4f(1, 1, 1, 1);
    FloorSquare(static_cast<float>(a.x), static_cast<float>(a.y), 0);
  }
  glEnable(GL_CULL_FACE);
}

void BoardPass::Draw() {
  const float T = f.elapsedFrames;
  PlaceCamera(f.camera);
  glClear(GL_DEPTH_BUFFER_BIT);
  const float* offset = r.view.BoardOffset();

  // The floor is opaque: drawn first, its depth keeps the background from
  // filling the pixels it covers.
  const bool floorFirst = f.options.skipUnseen && theme.floorMaterial;
  if (floorFirst) {
    glPushMatrix();
    glTranslatef(offset[0], offset[1], offset[2]);
    r.lights.SendPositions();
    glEnable(GL_DEPTH_TEST);
    DrawFloor(1.0f);
    glPopMatrix();
  }
  DrawScenery(theme.background, theme.scenery, r.view, f.slowPhase, f.options.skipUnseen != 0);

  glPushMatrix();
  theme.arrowWork.Morph(static_cast<float>((std::cos(T * kPi * 0.03125) + 1.0) * 0.5));
  glTranslatef(offset[0], offset[1], offset[2]);
  CullScene(r.view, r.lists, puzzle);
  r.lights.SendPositions();
  ShadowMatrix(kFloorPlane, r.lights.values.position0, shadowMatrix);
  r.bursts.Advance(f.frameDelta);
  r.placed.Advance(puzzle, f.frameDelta);

  // The mirror image shows only through the floor: drawn inside the floor's
  // rectangle on the screen, and not at all while the floor is out of view.
  int floorRect[4] = {0, 0, r.view.Width(), r.view.Height()};
  const Board& board = puzzle.Board();
  const bool floorShows =
      !f.options.skipUnseen ||
      r.view.FloorRectangleOnScreen(-s / 2, -s / 2, board.width * s - s / 2, board.height * s - s / 2, floorRect);
  const bool mirror = MirrorOn() && floorShows;
  if (floorFirst) {
    // The mirror image lies below the floor: it must not hide it.
    if (MirrorOn()) glClear(GL_DEPTH_BUFFER_BIT);
  } else {
    if (mirror) glDisable(GL_DEPTH_TEST);
    DrawFloor(1.0f);
  }
  glEnable(GL_DEPTH_TEST);
  if (mirror) {
    glScissor(floorRect[0], floorRect[1], floorRect[2], floorRect[3]);
    if (f.options.skipUnseen) glEnable(GL_SCISSOR_TEST);
    DrawMirrorImage();
    glDisable(GL_SCISSOR_TEST);
  }
  if (RealShadowsOn()) DrawRealShadows();
  if (f.drawCubes) DrawFloorMarks();

  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glEnable(GL_LIGHTING);
  glColor4f(1, 1, 1, 1);
  DrawWallPieces(false, false);
  glDisable(GL_LIGHTING);
  glColor4f(1, 1, 1, 1);
  DrawCubes(false);
  DrawGlows(T);
  if (f.drawArrows) DrawArrows(true, false);
  if (f.options.cartoon) outlines.Draw(values, theme, r.lists, puzzle, f.drawCubes != 0);

  glColor4f(1, 1, 1, 1);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  r.lists.CallBorderList();
  glEnable(GL_CULL_FACE);
  r.bursts.Draw(glow);
  glEnable(GL_LIGHTING);
  glPopMatrix();
}

}  // namespace

void Renderer::BeginScene() {
  placed.Reset();
  lists.RebuildWallPieces(m_puzzle);
  const Board& board = m_puzzle.Board();
  view.SetBoardOffset(static_cast<int>(board.width), static_cast<int>(board.height));
  lists.BuildLevelLists(m_puzzle, themes.resources.border, letters);
}

void Renderer::DrawBoard(const BoardFrame& frame) {
  if (!themes.Loaded()) return;
  BoardPass(*this, m_puzzle, m_outlines, m_menu.GlowTexture(), frame).Draw();
}
