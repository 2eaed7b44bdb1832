// Drawing objects with OpenGL 1.1 client arrays: directly every frame, or
// once into a display list. Opaque meshes are drawn before blended ones so
// that blending sees what lies behind.
#include <GL/gl.h>

#include "engine3d/GLContext.h"
#include "engine3d/Objet3D.h"

namespace {

enum class DrawPath { kList, kDirect };

// Triangle by triangle, for what indexed arrays cannot carry: one normal per
// face, or normals handed over turned round (sign -1).
//
// Two-sided lighting takes counter-clockwise faces as fronts, but the game's
// outer faces are clockwise: GL would light both sides with the normal turned
// inwards. Handing it inward normals makes each side lit from its own side.
void DrawImmediate(const Mesh3D& mesh, bool texCoords, bool perFace, float sign) {
  glBegin(GL_TRIANGLES);
  for (int f = 0; f < mesh.faceCount; ++f) {
    const float* n = &mesh.faceNormals[static_cast<size_t>(f) * 3];
    if (perFace) glNormal3f(sign * n[0], sign * n[1], sign * n[2]);
    for (int k = 0; k < 3; ++k) {
      const uint32_t v = mesh.faces[static_cast<size_t>(f) * 3 + k];
      if (!perFace) {
        n = &mesh.vertexNormals[static_cast<size_t>(v) * 3];
        glNormal3f(sign * n[0], sign * n[1], sign * n[2]);
      }
      if (texCoords) glTexCoord2fv(&mesh.texCoords0[static_cast<size_t>(v) * 2]);
      glVertex3fv(mesh.Position(v));
    }
  }
  glEnd();
}

void DrawArrays(const Mesh3D& mesh, bool normals, bool texCoords) {
  if (mesh.faceCount <= 0) return;
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, mesh.positions.data());
  if (normals) {
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, 0, mesh.vertexNormals.data());
  }
  if (texCoords) {
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, mesh.texCoords0.data());
  }
  glDrawElements(GL_TRIANGLES, mesh.faceCount * 3, GL_UNSIGNED_INT, mesh.faces.data());
  glDisableClientState(GL_VERTEX_ARRAY);
  if (normals) glDisableClientState(GL_NORMAL_ARRAY);
  if (texCoords) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

void DrawMesh(const Mesh3D& mesh, DrawPath path) {
  if (!mesh.visible) return;
  const Material* material = mesh.material;
  if (material) material->Apply();
  const int flags = material ? material->flags : 0;
  const bool textured = (flags & (kMaterialTextured | kMaterialEnvironment)) != 0;
  const bool twoSidedLit =
      (flags & kMaterialTwoSided) && (flags & kMaterialLit) && !(flags & kMaterialEnvironment);

  if (path == DrawPath::kDirect && (flags & kMaterialEnvironment)) {
    // Texture coordinates hold this frame's sphere map; the shade model is the caller's.
    DrawArrays(mesh, false, true);
  } else if (mesh.normalMode == kFaceNormals) {
    glShadeModel(GL_FLAT);
    DrawImmediate(mesh, textured, true, twoSidedLit ? -1.0f : 1.0f);
  } else if (mesh.normalMode == kVertexNormals) {
    glShadeModel(GL_SMOOTH);
    if (twoSidedLit)
      DrawImmediate(mesh, textured, false, -1.0f);
    else
      DrawArrays(mesh, true, path == DrawPath::kList || textured);
  } else {
    DrawArrays(mesh, false, textured);
  }
  if (material) material->End();
}

void DrawInTwoPasses(const Objet3D& object, DrawPath path) {
  for (const Mesh3D* mesh = object.meshes; mesh; mesh = mesh->next)
    if (!mesh->Blended()) DrawMesh(*mesh, path);
  for (const Mesh3D* mesh = object.meshes; mesh; mesh = mesh->next)
    if (mesh->Blended()) DrawMesh(*mesh, path);
}

}  // namespace

void Objet3D::Draw() { DrawInTwoPasses(*this, DrawPath::kDirect); }

void Objet3D::BuildDisplayList() {
  if (!g_gl.open) return;
  if (displayList == -1) {
    const GLuint list = glGenLists(1);
    if (list == 0) return;
    displayList = static_cast<GLint>(list);
  }
  glNewList(static_cast<GLuint>(displayList), GL_COMPILE);
  DrawInTwoPasses(*this, DrawPath::kList);
  glEndList();
}

void Objet3D::DrawGeometry(bool withTexCoords, int normalKind) {
  for (const Mesh3D* mesh = meshes; mesh; mesh = mesh->next) {
    if (!mesh->visible) continue;
    if (normalKind == 1)
      DrawImmediate(*mesh, withTexCoords, true, 1.0f);
    else
      DrawArrays(*mesh, normalKind == 2, withTexCoords);
  }
}
