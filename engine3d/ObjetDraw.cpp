// Drawing objects with OpenGL 1.1 client arrays: directly every frame, or
// once into a display list. Opaque meshes are drawn before blended ones so
// that blending sees what lies behind.
#include <GL/gl.h>

#include "engine3d/GLContext.h"
#include "engine3d/Objet3D.h"

namespace {

enum class DrawPath { kList, kDirect };

enum class Normals { kNone, kPerFace, kPerVertex };

// Triangle by triangle, for what indexed arrays cannot carry: one normal per
// face, normals handed over turned round (sign -1), or corners moved by
// offset; inside the caller's glBegin(GL_TRIANGLES).
//
// Two-sided lighting takes counter-clockwise faces as fronts, but the game's
// outer faces are clockwise: GL would light both sides with the normal turned
// inwards. Handing it inward normals makes each side lit from its own side.
void EmitTriangles(const Mesh3D& mesh, bool texCoords, Normals normals, float sign, const float offset[3]) {
  for (int f = 0; f < mesh.faceCount; ++f) {
    if (normals == Normals::kPerFace) {
      const float* n = &mesh.faceNormals[static_cast<size_t>(f) * 3];
      glNormal3f(sign * n[0], sign * n[1], sign * n[2]);
    }
    for (int k = 0; k < 3; ++k) {
      const uint32_t v = mesh.faces[static_cast<size_t>(f) * 3 + k];
      if (normals == Normals::kPerVertex) {
        const float* n = &mesh.vertexNormals[static_cast<size_t>(v) * 3];
        glNormal3f(sign * n[0], sign * n[1], sign * n[2]);
      }
      if (texCoords) glTexCoord2fv(&mesh.texCoords0[static_cast<size_t>(v) * 2]);
      const float* p = mesh.Position(v);
      glVertex3f(p[0] + offset[0], p[1] + offset[1], p[2] + offset[2]);
    }
  }
}

void DrawImmediate(const Mesh3D& mesh, bool texCoords, bool perFace, float sign) {
  const float none[3] = {0, 0, 0};
  glBegin(GL_TRIANGLES);
  EmitTriangles(mesh, texCoords, perFace ? Normals::kPerFace : Normals::kPerVertex, sign, none);
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

bool Textured(int flags) { return (flags & (kMaterialTextured | kMaterialEnvironment)) != 0; }

// Two-sided lit faces get their normals turned round (DrawImmediate).
bool TwoSidedLit(int flags) {
  return (flags & kMaterialTwoSided) && (flags & kMaterialLit) && !(flags & kMaterialEnvironment);
}

// The mesh's triangles as its material wants them, the material left to the
// caller.
void DrawShape(const Mesh3D& mesh, DrawPath path) {
  const int flags = mesh.material ? mesh.material->flags : 0;
  const bool textured = Textured(flags);
  const bool twoSidedLit = TwoSidedLit(flags);

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
}

void DrawMesh(const Mesh3D& mesh, DrawPath path) {
  if (!mesh.visible) return;
  if (mesh.material) mesh.material->Apply();
  DrawShape(mesh, path);
  if (mesh.material) mesh.material->End();
}

void DrawInTwoPasses(const Objet3D& object, DrawPath path) {
  for (const Mesh3D* mesh = object.meshes; mesh; mesh = mesh->next)
    if (!mesh->Blended()) DrawMesh(*mesh, path);
  for (const Mesh3D* mesh = object.meshes; mesh; mesh = mesh->next)
    if (mesh->Blended()) DrawMesh(*mesh, path);
}

// Starts compiling into list, named first when it has no name yet; false
// without a context or a free name.
bool BeginList(GLint& list) {
  if (!g_gl.open) return false;
  if (list == -1) {
    const GLuint name = glGenLists(1);
    if (name == 0) return false;
    list = static_cast<GLint>(name);
  }
  glNewList(static_cast<GLuint>(list), GL_COMPILE);
  return true;
}

}  // namespace

void Mesh3D::BuildShapeList() {
  if (!BeginList(displayList)) return;
  DrawShape(*this, DrawPath::kList);
  glEndList();
}

void Mesh3D::DrawIn(const Material* look) const {
  if (!visible) return;
  if (look) look->Apply();
  if (displayList != -1)
    glCallList(static_cast<GLuint>(displayList));
  else
    DrawShape(*this, DrawPath::kDirect);
  if (look) look->End();
}

void Mesh3D::AppendTriangles(const float offset[3]) const {
  const int flags = material ? material->flags : 0;
  const Normals normals = normalMode == kFaceNormals     ? Normals::kPerFace
                          : normalMode == kVertexNormals ? Normals::kPerVertex
                                                         : Normals::kNone;
  EmitTriangles(*this, Textured(flags), normals, TwoSidedLit(flags) ? -1.0f : 1.0f, offset);
}

void Objet3D::Draw() { DrawInTwoPasses(*this, DrawPath::kDirect); }

void Objet3D::BuildDisplayList() {
  if (!BeginList(displayList)) return;
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
