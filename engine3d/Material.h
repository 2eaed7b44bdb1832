// Materials: named, reference-counted sets of colours, opacity, flags and up
// to two textures, shared by every mesh that names them. All of them live in
// one process-wide list, looked up by exact (case-sensitive) name.
//
// Drawing a mesh is Apply, the mesh's triangles, End. Apply sets every piece
// of state it depends on; End undoes blending and two-sided lighting.
//
// Culling: the game's models are wound clockwise seen from outside (their
// outward normals are the negated cross products), so one-sided materials
// cull GL_FRONT, the counter-clockwise faces.
#pragma once

#include <GL/gl.h>

#include <memory>
#include <string>

#include "base/ORBList.h"
#include "engine3d/Texture.h"

enum MaterialFlag {
  kMaterialTextured = 0x02,     // base texture present
  kMaterialEnvironment = 0x04,  // sphere-map texture present
  kMaterialTwoSided = 0x08,
  kMaterialLit = 0x10,
  kMaterialBlended = 0x20,
  kMaterialSmooth = 0x40,
};

class Material {
 public:
  explicit Material(const char* materialName = "");
  virtual ~Material() = default;
  Material(Material&&) = default;
  Material& operator=(Material&&) = default;

  // Replace (and free) a texture slot. From a file: on failure the slot is
  // left empty and null returned. Either way a texture with an alpha channel
  // makes the material blended (blend mode 1, opacity 1); the mip-mapping
  // switch (Mipmapping(), Texture.h) is applied, then the texture is uploaded.
  Texture* SetBaseTextureFromFile(const char* path);
  Texture* SetEnvironmentTextureFromFile(const char* path);
  Texture* SetBaseTexture(Texture* texture);         // takes ownership
  Texture* SetEnvironmentTexture(Texture* texture);  // takes ownership

  // Flags, opacity, blend mode and the three colours; both texture slots end empty.
  void CopyValues(const Material& other);

  void Apply() const;
  void End() const;
  // Uploads both textures again (nothing once their pixels are gone).
  void ReUpload();

  bool Has(int flag) const { return (flags & flag) != 0; }

  std::string name;
  int referenceCount = 1;
  int flags = 0;
  float opacity = 0.0f;
  int blendMode = 1;
  float ambient[3] = {0, 0, 0};   // the flat colour when unlit
  float diffuse[3] = {0, 0, 0};
  float specular[3] = {0, 0, 0};  // stored only
  std::unique_ptr<Texture> baseTexture;
  std::unique_ptr<Texture> environmentTexture;

 private:
  Texture* Install(std::unique_ptr<Texture>& slot, Texture* texture);
};

// The process-wide material list. It outlives every object, even ones
// destroyed during static destruction.
ORBList<Material>& Materials();

Material* FindMaterial(const char* name);
// The material of that name with its count raised, or a new one (count 1).
Material* GetOrCreateMaterial(const char* name);
// Drops one reference; the last one unlinks and destroys the material.
void ReleaseMaterial(Material* material);
void ClearMaterials();
