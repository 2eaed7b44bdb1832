// The wall-piece list, the per-cube drawing records and the two per-level
// display lists (border of the board slab, floor with its ground letters).
#include "render/SceneLists.h"

#include <GL/gl.h>

#include "puzzle/PuzzleView.h"
#include "render/Camera.h"
#include "render/LetterImages.h"
#include "render/Themes.h"

WallPiece g_wallPieces[kMaxWallPieces];
int g_wallPieceCount = 0;
CubeDrawRecord g_cubeDraw[kMaxCubes];

namespace {

constexpr float s = kSquareSize;
GLuint g_borderList = 0;
GLuint g_floorList = 0;

void BindTexture(const Texture& texture) {
  if (texture.HasName()) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture.glName));
  } else {
    glDisable(GL_TEXTURE_2D);
  }
}

void Corner(float u, float v, float x, float y, float z) {
  glTexCoord2f(u, v);
  glVertex3f(x, y, z);
}

void CompileBorder(int width, int height) {
  const float W = width * s - s / 2, H = height * s - s / 2, L = -s / 2;
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  glNewList(g_borderList, GL_COMPILE);
  BindTexture(g_theme.border);
  glBegin(GL_QUADS);
  glNormal3f(-1, 0, 0);
  Corner(0, 0, L, 0, L), Corner(h, 0, L, 0, H), Corner(h, 1, L, -s, H), Corner(0, 1, L, -s, L);
  glNormal3f(1, 0, 0);
  Corner(0, 0, W, 0, H), Corner(h, 0, W, 0, L), Corner(h, 1, W, -s, L), Corner(0, 1, W, -s, H);
  glNormal3f(0, 0, 1);
  Corner(0, 0, L, 0, H), Corner(w, 0, W, 0, H), Corner(w, 1, W, -s, H), Corner(0, 1, L, -s, H);
  glNormal3f(0, 0, -1);
  Corner(0, 0, W, 0, L), Corner(w, 0, L, 0, L), Corner(w, 1, L, -s, L), Corner(0, 1, W, -s, L);
  glEnd();
  glEndList();
}

void CompileFloor(int width, int height) {
  const Board& board = CurrentBoard();
  glNewList(g_floorList, GL_COMPILE);
  glNormal3f(0, 1, 0);
  for (int r = 0; r < height; ++r)
    for (int c = 0; c < width; ++c)
      if (board.solution[Board::Index(c, r)] == 0) DrawFloorTile(static_cast<float>(c), static_cast<float>(r), 1, 1);
  for (int r = 0; r < height; ++r)
    for (int c = 0; c < width; ++c) {
      const char16_t letter = board.solution[Board::Index(c, r)];
      if (letter == 0) continue;
      glBindTexture(GL_TEXTURE_2D, GroundLetterTexture(AlphabetIndex(letter)));
      DrawFloorTile(static_cast<float>(c), static_cast<float>(r), 1, 1);
    }
  glEndList();
}

}  // namespace

float ArrowHeading(int direction) {
  static const float kHeadings[4] = {-90.0f, 180.0f, 90.0f, 0.0f};
  return direction >= 0 && direction < 4 ? kHeadings[direction] : 0.0f;
}

void MoveToArrow(const ArrowRecord& arrow) {
  glTranslatef(arrow.x * s, 0.3f * s, arrow.y * s);
  glRotatef(ArrowHeading(arrow.direction), 0, 1, 0);
}

void GenerateLevelListNames() {
  if (g_borderList == 0) g_borderList = glGenLists(1);
  if (g_floorList == 0) g_floorList = glGenLists(1);
}

void DeleteLevelListNames() {
  if (g_borderList) glDeleteLists(g_borderList, 1);
  if (g_floorList) glDeleteLists(g_floorList, 1);
  g_borderList = g_floorList = 0;
}

void DrawFloorTile(float c, float r, float w, float h) {
  const float x0 = (c - 0.5f) * s, x1 = (c + w - 0.5f) * s, z0 = (r - 0.5f) * s, z1 = (r + h - 0.5f) * s;
  glBegin(GL_TRIANGLE_STRIP);
  glTexCoord2f(0, 0);
  glVertex3f(x0, 0, z0);
  glTexCoord2f(w, 0);
  glVertex3f(x1, 0, z0);
  glTexCoord2f(0, h);
  glVertex3f(x0, 0, z1);
  glTexCoord2f(w, h);
  glVertex3f(x1, 0, z1);
  glEnd();
}

void BuildLevelLists() {
  const int width = static_cast<int>(CurrentBoard().width), height = static_cast<int>(CurrentBoard().height);
  SetBoardOffset(width, height);
  GenerateLevelListNames();
  CompileBorder(width, height);
  CompileFloor(width, height);
}

void RebuildWallPieces() {
  const Board& board = CurrentBoard();
  g_wallPieceCount = 0;
  for (int r = 0; r < static_cast<int>(board.height); ++r)
    for (int c = 0; c < static_cast<int>(board.width); ++c) {
      const int code = board.cells[Board::Index(c, r)];
      if (!IsWallCode(code) || board.solution[Board::Index(c, r)] != 0) continue;
      WallPiece& w = g_wallPieces[g_wallPieceCount++];
      w = WallPiece{code, c, r, static_cast<float>(c), static_cast<float>(r), 0.0f, 1, 0, 0};
    }
  for (int i = 0; i < kMaxCubes; ++i) g_cubeDraw[i] = CubeDrawRecord{i < CubeCount() ? 1 : 0, 0, 0};
}

void ClearSceneLists() {
  g_wallPieceCount = 0;
  for (auto& d : g_cubeDraw) d = CubeDrawRecord{0, 0, 0};
}

void CallBorderList() {
  if (g_borderList) glCallList(g_borderList);
}

void CallFloorList() {
  if (g_floorList) glCallList(g_floorList);
}
