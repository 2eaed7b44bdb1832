// The wall-piece list, the per-cube drawing records and the two per-level
// display lists (border of the board slab, floor with its ground letters).
#include "render/SceneLists.h"

#include "engine3d/Material.h"
#include "engine3d/Objet3D.h"
#include "engine3d/Texture.h"
#include "render/LetterImages.h"
#include "puzzle/Puzzle.h"

namespace {

constexpr float s = kSquareSize;

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

void CompileBorder(GLuint list, int width, int height, const Texture& border) {
  const float W = width * s - s / 2, H = height * s - s / 2, L = -s / 2;
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  glNewList(list, GL_COMPILE);
  BindTexture(border);
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

void CompileFloor(GLuint list, const Puzzle& puzzle, const LetterImages& letters) {
  const Board& board = puzzle.Board();
  const int width = static_cast<int>(board.width), height = static_cast<int>(board.height);
  glNewList(list, GL_COMPILE);
  glNormal3f(0, 1, 0);
  for (int r = 0; r < height; ++r)
    for (int c = 0; c < width; ++c)
      if (board.solution[Board::Index(c, r)] == 0) DrawFloorTile(static_cast<float>(c), static_cast<float>(r), 1, 1);
  for (int r = 0; r < height; ++r)
    for (int c = 0; c < width; ++c) {
      const char16_t letter = board.solution[Board::Index(c, r)];
      if (letter == 0) continue;
      glBindTexture(GL_TEXTURE_2D, letters.GroundLetterTexture(puzzle.LevelSet().AlphabetIndex(letter)));
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

SceneLists::~SceneLists() {
  if (m_borderList) glDeleteLists(m_borderList, 1);
  if (m_floorList) glDeleteLists(m_floorList, 1);
}

void SceneLists::BuildLevelLists(const Puzzle& puzzle, const Texture& border, const LetterImages& letters) {
  if (m_borderList == 0) m_borderList = glGenLists(1);
  if (m_floorList == 0) m_floorList = glGenLists(1);
  const Board& board = puzzle.Board();
  CompileBorder(m_borderList, static_cast<int>(board.width), static_cast<int>(board.height), border);
  CompileFloor(m_floorList, puzzle, letters);
}

void SceneLists::RebuildWallPieces(const Puzzle& puzzle) {
  const Board& board = puzzle.Board();
  wallPieceCount = 0;
  for (int r = 0; r < static_cast<int>(board.height); ++r)
    for (int c = 0; c < static_cast<int>(board.width); ++c) {
      const int code = board.cells[Board::Index(c, r)];
      if (!IsWallCode(code) || board.solution[Board::Index(c, r)] != 0) continue;
      wallPieces[wallPieceCount++] = WallPiece{code, c, r, static_cast<float>(c), static_cast<float>(r), 0.0f, 1, 0, 0};
    }
  for (int i = 0; i < kMaxCubes; ++i) cubeDraw[i] = CubeDrawRecord{i < puzzle.CubeCount() ? 1 : 0, 0, 0, 0};
  wallBatch.Forget();
}

void SceneLists::Clear() {
  wallPieceCount = 0;
  wallBatch.Forget();
  for (auto& d : cubeDraw) d = CubeDrawRecord{0, 0, 0, 0};
}

void SceneLists::CallBorderList() const {
  if (m_borderList) glCallList(m_borderList);
}

void SceneLists::CallFloorList() const {
  if (m_floorList) glCallList(m_floorList);
}

void WallBatch::Forget() {
  for (const Group& group : m_groups) glDeleteLists(group.list, 1);
  m_groups.clear();
  m_built = false;
}

bool WallBatch::Draw(const WallPiece* pieces, int count, const Objet3D* walls, bool withMaterials) {
  if (!m_built) Build(pieces, count, walls);
  if (m_groups.empty()) return count == 0;
  for (const Group& group : m_groups) {
    if (withMaterials) group.material->Apply();
    glCallList(group.list);
    if (withMaterials) group.material->End();
  }
  return true;
}

void WallBatch::Build(const WallPiece* pieces, int count, const Objet3D* walls) {
  m_built = true;
  // One group per material and normal mode, in the order the pieces first
  // show them.
  std::vector<const Mesh3D*> firsts;
  for (int i = 0; i < count; ++i)
    for (const Mesh3D* mesh = walls[pieces[i].kind].FirstMesh(); mesh; mesh = mesh->next) {
      if (!mesh->visible) continue;
      const Material* m = mesh->material;
      const int plain = kMaterialTextured | kMaterialLit | kMaterialSmooth;
      if (!m || (m->flags & ~plain) != 0) return;
      bool known = false;
      for (const Mesh3D* first : firsts) known |= first->material == m && first->normalMode == mesh->normalMode;
      if (!known) firsts.push_back(mesh);
    }
  for (const Mesh3D* first : firsts) {
    const GLuint list = glGenLists(1);
    if (list == 0) {
      Forget();
      m_built = true;
      return;
    }
    glNewList(list, GL_COMPILE);
    glShadeModel(first->normalMode == kFaceNormals ? GL_FLAT : GL_SMOOTH);
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < count; ++i) {
      const WallPiece& w = pieces[i];
      const float offset[3] = {w.x * s, w.height * s, w.y * s};
      for (const Mesh3D* mesh = walls[w.kind].FirstMesh(); mesh; mesh = mesh->next)
        if (mesh->visible && mesh->material == first->material && mesh->normalMode == first->normalMode)
          mesh->AppendTriangles(offset);
    }
    glEnd();
    glEndList();
    m_groups.push_back(Group{first->material, list});
  }
}
