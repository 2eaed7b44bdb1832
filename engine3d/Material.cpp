#include "engine3d/Material.h"


namespace {

// Source and destination factors and depth writes of each blend mode.
void SetBlendFunction(int mode) {
  switch (mode) {
    case 1:
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      glDepthMask(GL_FALSE);
      break;
    case 2:
      glBlendFunc(GL_SRC_ALPHA, GL_ONE);
      glDepthMask(GL_FALSE);
      break;
    case 5: glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA); break;
    case 6: glBlendFunc(GL_SRC_ALPHA, GL_ONE); break;
    default: break;
  }
}

// A flag without an uploaded texture (values copied from another material,
// or no GL context yet) draws untextured rather than with whatever texture
// was bound last.
void BindTexture(const Texture* texture) {
  if (!texture || !texture->HasName()) {
    glDisable(GL_TEXTURE_2D);
    return;
  }
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture->glName));
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, texture->envMode);
}

}  // namespace

Material::Material(const char* materialName) : name(materialName ? materialName : "") {}

Texture* Material::Install(std::unique_ptr<Texture>& slot, Texture* texture) {
  slot.reset(texture);
  if (!texture) return nullptr;
  if (texture->HasAlpha()) {
    flags |= kMaterialBlended;
    blendMode = 1;
    opacity = 1.0f;
  }
  texture->mipmap = Mipmapping() ? 1 : 0;
  if (texture->mipmap) texture->SetFilters(GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR);
  texture->Upload();
  return texture;
}

Texture* Material::SetBaseTextureFromFile(const char* path) {
  baseTexture.reset();
  std::unique_ptr<Texture> texture(new Texture);
  if (!texture->Load(path)) return nullptr;
  return Install(baseTexture, texture.release());
}

Texture* Material::SetEnvironmentTextureFromFile(const char* path) {
  environmentTexture.reset();
  std::unique_ptr<Texture> texture(new Texture);
  if (!texture->Load(path)) return nullptr;
  return Install(environmentTexture, texture.release());
}

Texture* Material::SetBaseTexture(Texture* texture) { return Install(baseTexture, texture); }
Texture* Material::SetEnvironmentTexture(Texture* texture) { return Install(environmentTexture, texture); }

void Material::CopyValues(const Material& other) {
  flags = other.flags;
  opacity = other.opacity;
  blendMode = other.blendMode;
  for (int i = 0; i < 3; ++i) {
    ambient[i] = other.ambient[i];
    diffuse[i] = other.diffuse[i];
    specular[i] = other.specular[i];
  }
  baseTexture.reset();
  environmentTexture.reset();
}

void Material::Apply() const {
  if (Has(kMaterialTextured))
    BindTexture(baseTexture.get());
  else
    glDisable(GL_TEXTURE_2D);

  float alpha = 1.0f;
  if (Has(kMaterialBlended)) {
    glEnable(GL_BLEND);
    SetBlendFunction(blendMode);
    alpha = opacity;
  } else {
    glDisable(GL_BLEND);
  }

  // The sphere map takes the base texture's place in the one texture unit.
  if (Has(kMaterialEnvironment)) BindTexture(environmentTexture.get());

  GLenum face = GL_FRONT;
  if (Has(kMaterialTwoSided)) {
    glDisable(GL_CULL_FACE);
    face = GL_FRONT_AND_BACK;
    glLightModelf(GL_LIGHT_MODEL_TWO_SIDE, 1.0f);
  } else {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    glLightModelf(GL_LIGHT_MODEL_TWO_SIDE, 0.0f);
  }

  if (Has(kMaterialLit) && !Has(kMaterialEnvironment)) {
    const GLfloat first[4] = {ambient[0], ambient[1], ambient[2], alpha};
    const GLfloat second[4] = {diffuse[0], diffuse[1], diffuse[2], alpha};
    glEnable(GL_LIGHTING);
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    glMaterialfv(face, GL_AMBIENT, first);
    glMaterialfv(face, GL_DIFFUSE, second);
  } else {
    const GLfloat white[4] = {1.0f, 1.0f, 1.0f, alpha};
    glDisable(GL_LIGHTING);
    glMaterialfv(face, GL_AMBIENT, white);
    glMaterialfv(face, GL_DIFFUSE, white);
    glColor4f(ambient[0], ambient[1], ambient[2], alpha);
  }
}

void Material::End() const {
  if (Has(kMaterialBlended)) {
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
  }
  if (Has(kMaterialTwoSided)) glLightModelf(GL_LIGHT_MODEL_TWO_SIDE, 0.0f);
}

void Material::ReUpload() {
  if (baseTexture) baseTexture->Upload();
  if (environmentTexture) environmentTexture->Upload();
}

ORBList<Material>& Materials() {
  // Process-wide by design: materials are shared by name between every
  // object of the run and counted by reference. Never destroyed: objects
  // released during static destruction still find it.
  static ORBList<Material>* list = new ORBList<Material>;
  return *list;
}

Material* FindMaterial(const char* name) {
  ORBList<Material>& list = Materials();
  for (Material* m = list.First(); m; m = list.Next())
    if (m->name == name) return m;
  return nullptr;
}

Material* GetOrCreateMaterial(const char* name) {
  if (Material* found = FindMaterial(name)) {
    ++found->referenceCount;
    return found;
  }
  return Materials().Add(Material(name));
}

void ReleaseMaterial(Material* material) {
  ORBList<Material>& list = Materials();
  for (Material* m = list.First(); m; m = list.Next()) {
    if (m != material) continue;
    if (m->referenceCount > 1)
      --m->referenceCount;
    else
      list.RemoveCurrent();
    return;
  }
}

void ClearMaterials() { Materials().Clear(); }
