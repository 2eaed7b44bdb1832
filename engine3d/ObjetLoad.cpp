// Loading a ".3do" file into an Objet3D: the file image is read and checked as
// a whole first (ModelFile.cpp), so a broken file changes nothing.
#include <GL/gl.h>

#include <cmath>
#include <cstdio>

#include "engine3d/EngineMessage.h"
#include "base/FileAccess.h"
#include "engine3d/ModelFile.h"
#include "engine3d/Objet3D.h"

namespace {

// Larger files are no model of the game; refusing them keeps memory bounded.
constexpr size_t kMaxModelFileBytes = 256u << 20;
// Coordinates beyond this would overflow the quantisation's 32-bit integer.
constexpr float kMaxCoordinate = 2000000.0f;

// Positions are stored on a 0.001 grid after a fixed nudge, in single
// precision step by step as the game's data expects: 0.25 + 0.001 is
// 0.25099999 in float and truncates back to 0.25.
float Quantise(float nudged) {
  const float scaled = nudged * 1000.0f;
  const int32_t whole = static_cast<int32_t>(scaled);  // toward zero
  return static_cast<float>(whole) * 0.001f;
}

std::string LowerCase(const std::string& text) {
  std::string lower = text;
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

bool KnownMaterial(const ModelFileData& model, const std::string& name) {
  for (const ModelMaterial& material : model.materials)
    if (material.name == name) return true;
  return FindMaterial(name.c_str()) != nullptr;
}

// What the decoder leaves to the loader: coordinates the quantisation can
// take, and a material for every mesh.
bool CheckModel(const ModelFileData& model, std::string& error) {
  for (size_t m = 0; m < model.meshes.size(); ++m) {
    const ModelMesh& mesh = model.meshes[m];
    for (float c : mesh.positions) {
      if (!(std::fabs(c) <= kMaxCoordinate)) {
        error = "coordinate out of range in mesh " + std::to_string(m);
        return false;
      }
    }
    if (!KnownMaterial(model, mesh.material)) {
      error = "mesh " + std::to_string(m) + " names unknown material \"" + mesh.material + "\"";
      return false;
    }
  }
  return true;
}

// Loads one texture slot of a new material; adds its flag, and the blended
// flag when the texture has alpha. Returns false when the file cannot be read.
bool LoadTextureSlot(Material& material, const std::string& fileName, bool environment, int& flags) {
  if (fileName.empty()) return true;
  const std::string path = std::string(Objet3D::TextureDirectory()) + LowerCase(fileName);
  Texture* texture = environment ? material.SetEnvironmentTextureFromFile(path.c_str())
                                 : material.SetBaseTextureFromFile(path.c_str());
  if (!texture) return false;
  // Unlit: the texture's colour replaces the flat colour.
  if (!(flags & kMaterialLit)) texture->envMode = GL_REPLACE;
  flags |= environment ? kMaterialEnvironment : kMaterialTextured;
  if (texture->HasAlpha()) flags |= kMaterialBlended;
  return true;
}

// The material record's values, for a material this load created.
bool SetUpMaterial(Material& material, const ModelMaterial& record) {
  for (int i = 0; i < 3; ++i) {
    material.ambient[i] = record.ambient[i];
    material.diffuse[i] = record.diffuse[i];
    material.specular[i] = record.specular[i];
  }
  material.opacity = record.opacity;
  int flags = record.opacity != 1.0f ? kMaterialBlended : 0;
  if (record.unlit == 0) flags |= kMaterialLit;
  if (record.twoSided == 1) flags |= kMaterialTwoSided;
  if (record.shading != 1) flags |= kMaterialSmooth;
  if (!LoadTextureSlot(material, record.baseTexture, false, flags) ||
      !LoadTextureSlot(material, record.environmentTexture, true, flags))
    return false;
  material.flags = flags;
  if (flags & kMaterialBlended) material.blendMode = 5;
  return true;
}

}  // namespace

int Objet3D::Load(const char* fileName) {
  char path[1024];
  std::snprintf(path, sizeof path, "%s%s", ObjectDirectory(), fileName);
  std::vector<uint8_t> bytes;
  switch (ReadFileBytes(path, kMaxModelFileBytes, bytes)) {
    case FileRead::kOk: break;
    case FileRead::kMissing: EngineMessage("Couldn't load Objet3D %s\n", path); return 0;
    case FileRead::kTooLarge: EngineMessage("Couldn't load Objet3D %s: file too large\n", path); return 0;
    case FileRead::kFailed: EngineMessage("Couldn't load Objet3D %s: read error\n", path); return 0;
  }
  return LoadFromMemory(fileName, path, bytes.data(), bytes.size());
}

int Objet3D::LoadFromMemory(const char* fileName, const char* path, const uint8_t* bytes, size_t size) {
  ModelFileData model;
  std::string error;
  if (!DecodeModelFile(bytes, size, model, error) || !CheckModel(model, error)) {
    EngineMessage("Couldn't load Objet3D %s: %s\n", path, error.c_str());
    return 0;
  }
  return Build(fileName, model);
}

int Objet3D::Build(const char* fileName, const ModelFileData& model) {
  const int meshesBefore = meshCount, referencesBefore = materials.Count();
  const int verticesBefore = vertexTotal, facesBefore = faceTotal;
  const std::string nameBefore = name;
  auto undo = [&]() {
    DropNewest(meshCount - meshesBefore, materials.Count() - referencesBefore);
    vertexTotal = verticesBefore;
    faceTotal = facesBefore;
    name = nameBefore;
    return 0;
  };

  name = fileName;
  for (const ModelMesh& record : model.meshes) {
    Mesh3D* mesh = AddMesh();
    mesh->name = record.name;
    mesh->materialName = record.material;
    if (!mesh->AllocateArrays(record.VertexCount(), record.FaceCount())) {
      EngineMessage("Couldn't load Objet3D %s: out of memory\n", fileName);
      return undo();
    }
    vertexTotal += mesh->vertexCount;
    faceTotal += mesh->faceCount;
    for (size_t i = 0; i < record.positions.size(); i += 3) {
      mesh->positions[i] = Quantise(record.positions[i] - 0.001f);
      mesh->positions[i + 1] = Quantise(record.positions[i + 1] - 0.001f);
      mesh->positions[i + 2] = Quantise(record.positions[i + 2] + 0.001f);
    }
    mesh->texCoords0 = record.texCoords;
    mesh->faces = record.faces;
  }

  // A material another object already defined keeps its values: its record
  // here is read and ignored.
  for (const ModelMaterial& record : model.materials) {
    const bool known = FindMaterial(record.name.c_str()) != nullptr;
    Material* material = AddMaterialReference(record.name.c_str());
    if (!known && !SetUpMaterial(*material, record)) return undo();
  }

  Mesh3D* mesh = meshes;
  for (size_t i = 0; i < model.meshes.size(); ++i, mesh = mesh->next) {
    mesh->material = FindMaterial(mesh->materialName.c_str());
    if (!mesh->PrepareNormals()) {
      EngineMessage("Couldn't load Objet3D %s: out of memory\n", fileName);
      return undo();
    }
  }
  return 1;
}
